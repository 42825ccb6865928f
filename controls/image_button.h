#pragma once
// The large skinned button ("开始菜单左移", "开始菜单居中", "更多工具", the problem-solved answers):
// an owner-drawn button painted from four PNG state images over the piece of its parent's
// background that lies under it. Unlike the small PNG button it has a disabled state of its own
// (EnableButton), hit insets for images with a transparent margin, and it paints on erase too, so
// it never flashes. With the keyboard's focus it shows the focus cue inside its hit area.
#include <atomic>

#include "base/gdiplus_session.h"
#include "base/handles.h"
#include "controls/click_origin.h"
#include "controls/paint_pieces.h"
#include "framework/controls.h"

class CImageButton : public CButton {
public:
    enum State : int {
        kNormal = taskwing::StateImages::kNormal,
        kHover = taskwing::StateImages::kHover,
        kPressed = taskwing::StateImages::kPressed,
        kDisabled = 4,
    };

    CImageButton();
    ~CImageButton() override;

    // Loads the four state images; an image that cannot be loaded leaves its slot as it was.
    // Call once, while the slots are empty.
    void SetImages(UINT normalId, UINT hoverId, UINT pressedId, UINT disabledId);
    // Owners call this from their WM_DESTROY.
    void FreeImages();
    // The parent's kept skin (not owned: the parent keeps it alive for as long as the button
    // paints), copied where the button sits.
    void SetParentSkin(const taskwing::StretchedSkin* skin) { m_parentBk.skin = skin; }
    // Margins of the client area where the pointer's clicks do not count (a transparent rim of the
    // images).
    void SetHitInsets(int left, int top, int right, int bottom);
    // For the owner's BN_CLICKED handler: whether the click being reported counts. A click of the
    // pointer counts when it was released in the client area less the hit insets (right and
    // bottom edges outside); Space on the focused button, BM_CLICK and an accessibility client's
    // press count wherever the pointer is.
    bool IsClickInside() const;
    // Enabled: back to normal; disabled: the disabled state and image. Safe from another thread.
    void EnableButton(bool enable);

    int GetState() const { return m_nState; }

    void DrawItem(DRAWITEMSTRUCT* drawItem) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMouseMove();
    // `client`: the cursor in client coordinates.
    LRESULT OnMouseHover(POINT client);
    LRESULT OnMouseLeave();
    LRESULT OnLButtonDown(POINT client);
    LRESULT OnLButtonUp(POINT client);
    LRESULT OnClick();
    LRESULT OnEraseBkgnd(HDC hdc);
    // The focus or the window's UI state changed: the cue comes or goes.
    LRESULT OnFocusLook();

    // Double-buffered: fill, parent piece, state image, one BitBlt to `target`.
    void PaintInto(HDC target);
    bool IsClientPoint(POINT point) const;
    RECT HitRect() const;
    void SetState(int state);
    void Repaint();

    taskwing::ParentPiece m_parentBk;
    taskwing::unique_hbrush m_brBack;
    RECT m_rcClient{};
    taskwing::StateImages m_images;
    std::atomic<int> m_nState{kNormal};  // EnableButton writes it from a worker thread
    int m_bTracking = 0;
    RECT m_rcInsets{};  // left, top, right, bottom margins
    taskwing::ClickOrigin m_click;
};
