#pragma once
// The shell of a skinned window pair: a dialog turned layered whose whole look is one PNG with
// per-pixel alpha, pushed to the screen once. It holds no controls; it makes the child dialog that
// lies on its inner part, owns it, moves it along until the child is first dragged, and follows
// the child from then on. One class for every pair; the table row says where they differ.
#include <memory>

#include "dialogs/pair_layout.h"
#include "framework/dialog.h"
#include "system/png_resource.h"

class CPairChildDlg;

// The screen's vertical dots per inch as a scale factor (ScaleForDpi).
float ScreenScaleFactor();

// Enter and Escape never confirm or close a skinned window: every window of a pair swallows them,
// unless the control they go to asks for the key itself (WantsKey).
bool IsEnterOrEscapeDown(const MSG& msg);
// The control the key goes to asks for it (WM_GETDLGCODE answers DLGC_WANTMESSAGE).
bool WantsKey(const MSG& msg);

class CPairShellDlg : public CDialog {
public:
    explicit CPairShellDlg(const taskwing::PairTraits& traits, CWnd* parent = nullptr);
    ~CPairShellDlg() override;

    // The child reports its window rectangle (screen coordinates) when it has been dragged: the
    // shell stops moving the child and takes its place around it. Returns 0.
    LRESULT FollowChild(int left, int top, int right, int bottom);

    // Modal windows over the pair are owned by the child, so that the window system keeps the
    // child above the shell while they come and go.
    HWND ModalOwnerHwnd() const override;

    // The child was asked to cancel (Alt+F4, its system menu's close): the shell decides what that
    // means for the whole pair. By default it closes the pair as a close button would.
    virtual void OnChildCancel();

    // Multiplies every length of the pair; the creator may set it before DoModal.
    float m_fScale = 1.0f;

    const taskwing::PairTraits& Traits() const { return m_traits; }
    CPairChildDlg* ChildDlg() const { return m_pChildDlg.get(); }
    bool ChildFollows() const { return m_bChildFollows != 0; }

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // A new child object with its window-specific data handed over; the shell then gives it the
    // scale and makes its window.
    virtual std::unique_ptr<CPairChildDlg> NewChild() = 0;
    // The shell's rectangle for the current scale: the table's size, centred on the screen.
    virtual taskwing::PairRect ComputeShellRect() const;
    // The shell's window stands and its image is decoded, about to be stretched and pushed: work
    // that only the child needs may start beside that.
    virtual void OnShellSkinReady() {}

    LRESULT OnMove();
    LRESULT OnWindowPosChanged(const WINDOWPOS& position);
    LRESULT OnDestroy();

    PngImagePtr m_pBkImage;
    int m_bChildFollows;
    std::unique_ptr<CPairChildDlg> m_pChildDlg;

private:
    void PushLayeredImage(int width, int height);
    void CreateChild(const taskwing::PairRect& shellRect);

    const taskwing::PairTraits m_traits;
};
