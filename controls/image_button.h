#pragma once
// The large skinned button ("左移", "居中", "更多工具", the problem-solved answers): an owner-drawn
// button painted from four PNG state images over the piece of its parent's background that lies
// under it. Unlike the small PNG button it has a disabled state of its own (EnableButton), hit
// insets for images with a transparent margin, and it paints on erase too, so it never flashes.
#include <atomic>

#include "base/gdiplus_session.h"
#include "base/handles.h"
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
    // Not owned: the parent keeps it alive for as long as the button paints.
    void SetParentBk(Gdiplus::Image* image) { m_parentBk.image = image; }
    // The part of the parent's background under the button, in image pixels.
    void SetParentBkRect(const RECT& rect) { m_parentBk.source = rect; }
    // Or the parent's kept skin (not owned), copied where the button sits; it wins over the image.
    void SetParentSkin(const taskwing::StretchedSkin* skin) { m_parentBk.skin = skin; }
    // Margins of the client area where clicks do not count (a transparent rim of the images).
    void SetHitInsets(int left, int top, int right, int bottom);
    // Whether the cursor lies in the client area less the hit insets; owners ignore clicks when
    // it does not. Right and bottom edges are outside.
    bool IsCursorInside() const;
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
    LRESULT OnEraseBkgnd(HDC hdc);

    // Double-buffered: fill, parent piece, state image, one BitBlt to `target`.
    void PaintInto(HDC target);
    bool IsClientPoint(POINT point) const;
    void SetState(int state);
    void Repaint();

    taskwing::ParentPiece m_parentBk;
    taskwing::unique_hbrush m_brBack;
    RECT m_rcClient{};
    taskwing::StateImages m_images;
    std::atomic<int> m_nState{kNormal};  // EnableButton writes it from a worker thread
    int m_bTracking = 0;
    RECT m_rcInsets{};  // left, top, right, bottom margins
};
