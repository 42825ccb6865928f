#pragma once
// The large skinned button ("左移", "居中", "更多工具", the problem-solved answers): an owner-drawn
// button painted from four PNG state images over the piece of its parent's background that lies
// under it. Unlike the small PNG button it has a disabled state of its own (EnableButton), hit
// insets for images with a transparent margin, and it paints on erase too, so it never flashes.
#include <atomic>

#include "base/gdiplus_session.h"
#include "base/handles.h"
#include "framework/controls.h"
#include "system/png_resource.h"

class CImageButton : public CButton {
public:
    enum State : int { kNormal = 1, kHover = 2, kPressed = 3, kDisabled = 4 };

    CImageButton();
    ~CImageButton() override;

    // Loads the four state images; an image that cannot be loaded leaves its slot as it was.
    // Call once, while the slots are empty.
    void SetImages(UINT normalId, UINT hoverId, UINT pressedId, UINT disabledId);
    // Owners call this from their WM_DESTROY.
    void FreeImages();
    // Not owned: the parent keeps it alive for as long as the button paints.
    void SetParentBk(Gdiplus::Image* image) { m_pParentBk = image; }
    // The part of the parent's background under the button, in image pixels.
    void SetParentBkRect(const RECT& rect) { m_rcParentBk = rect; }
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
    // The image for the window's enabled flag and the state; null for none.
    Gdiplus::Image* StateImage() const;
    bool IsClientPoint(POINT point) const;
    void SetState(int state);
    void Repaint();

    Gdiplus::Image* m_pParentBk = nullptr;
    RECT m_rcParentBk{};
    taskwing::unique_hbrush m_brBack;
    RECT m_rcClient{};
    PngImagePtr m_pImgNormal;
    PngImagePtr m_pImgHover;
    PngImagePtr m_pImgPressed;
    PngImagePtr m_pImgDisabled;
    std::atomic<int> m_nState{kNormal};  // EnableButton writes it from a worker thread
    int m_bTracking = 0;
    RECT m_rcInsets{};  // left, top, right, bottom margins
};
