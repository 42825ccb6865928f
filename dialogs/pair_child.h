#pragma once
// The child of a skinned window pair: an ordinary opaque pop-up owned by the shell, painting its
// own PNG background stretched over its client area and carrying all the controls. The stretch is
// made once per size and kept; erases and the controls' background pieces copy from it. Dragging
// it by its drag strip moves it, and the shell follows.
#include "controls/paint_pieces.h"
#include "dialogs/pair_layout.h"
#include "framework/dialog.h"
#include "system/png_resource.h"

class CPairShellDlg;

class CPairChildDlg : public CDialog {
public:
    explicit CPairChildDlg(const taskwing::PairTraits& traits);
    ~CPairChildDlg() override;

    // Copied from the shell before the window is made.
    float m_fScale = 1.0f;

    bool LayoutDone() const { return m_bLayoutDone != 0; }
    Gdiplus::Image* BkImage() const { return m_pBkImage.get(); }
    // The background as it is shown, for the controls to copy their pieces from.
    const taskwing::StretchedSkin& Skin() const { return m_skin; }
    // Loads the child PNG if it is not loaded yet; TRUE when the image is there.
    bool LoadBkImage();
    // The child PNG, decoded by the shell before the window is made; kept only when none is loaded.
    void SetBkImage(PngImagePtr image) {
        if (!m_pBkImage) m_pBkImage = std::move(image);
    }

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* msg) override;

    // Window-specific: places every control in client coordinates; with `first` it also hands the
    // controls their images and their pieces of the background.
    virtual void LayoutControls(bool first);
    // The buttons give back their images here, while the window is destroyed.
    virtual void FreeControlImages() {}
    // Paints the background and answers TRUE; without the image it paints nothing.
    virtual BOOL OnEraseBkgnd(HDC hdc);
    // Where the background is stretched to: the client rectangle.
    virtual RECT BackgroundRect() const;

    // Hiding the child alone would leave an empty shell standing: the shell decides.
    void OnCancel() override;
    void OnOK() override {}

    // Points the kept skin at the image and the background rectangle's size; it is stretched again
    // only when one of them has changed.
    void UpdateSkin();
    // The shell that made this window, or null for a child made on its own.
    CPairShellDlg* Shell() const { return m_pShell; }

    LRESULT OnSize();
    // `screen`: the cursor in screen coordinates.
    LRESULT OnNcHitTest(POINT screen);
    LRESULT OnMove();

    LRESULT OnDestroy();

    int m_bLayoutDone = 0;
    int m_bOnDragStrip;
    PngImagePtr m_pBkImage;
    taskwing::StretchedSkin m_skin;
    const taskwing::PairTraits m_traits;

private:
    friend class CPairShellDlg;
    CPairShellDlg* m_pShell = nullptr;  // handed over by the shell before the window is made
};
