#include "controls/png_button.h"

#include "controls/mouse_tracking.h"
#include "controls/static_text_paint.h"
#include "framework/app.h"

CPngButton::CPngButton() : m_brBack(::CreateSolidBrush(RGB(255, 255, 255))) {}

void CPngButton::SetImages(UINT normalId, UINT hoverId, UINT pressedId, UINT disabledId) {
    LoadPngResource(m_pImgNormal, AfxGetResourceHandle(), normalId);
    LoadPngResource(m_pImgHover, AfxGetResourceHandle(), hoverId);
    LoadPngResource(m_pImgPressed, AfxGetResourceHandle(), pressedId);
    LoadPngResource(m_pImgDisabled, AfxGetResourceHandle(), disabledId);
}

void CPngButton::FreeImages() {
    m_pImgNormal.reset();
    m_pImgHover.reset();
    m_pImgPressed.reset();
    m_pImgDisabled.reset();
}

Gdiplus::Image* CPngButton::ImageForLook() const {
    if (!IsWindowEnabled()) return m_pImgDisabled.get();
    switch (m_nState) {
    case kHover:
        return m_pImgHover.get();
    case kPressed:
        return m_pImgPressed.get();
    default:
        return m_pImgNormal.get();
    }
}

void CPngButton::DrawItem(DRAWITEMSTRUCT* drawItem) {
    // Half a set of images would show some looks and not others: all four or nothing.
    if (drawItem == nullptr || !m_pImgNormal || !m_pImgHover || !m_pImgPressed || !m_pImgDisabled) return;
    const RECT item = drawItem->rcItem;
    const int width = item.right - item.left;
    const int height = item.bottom - item.top;
    // One memory bitmap and one copy per paint: the background never shows alone.
    taskwing::OffscreenCanvas canvas(drawItem->hDC, width, height);
    if (!canvas) return;

    if (m_pParentBk == nullptr) ::FillRect(canvas.dc(), &item, m_brBack.get());
    {
        // Flushed into the memory bitmap when it goes, before the copy.
        Gdiplus::Graphics graphics(canvas.dc());
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
        const Gdiplus::Rect target(item.left, item.top, width, height);
        if (m_pParentBk != nullptr)
            graphics.DrawImage(m_pParentBk, target, m_rcParentBk.left, m_rcParentBk.top,
                               m_rcParentBk.right - m_rcParentBk.left, m_rcParentBk.bottom - m_rcParentBk.top,
                               Gdiplus::UnitPixel);
        Gdiplus::Image* image = ImageForLook();
        INT sourceWidth = static_cast<INT>(image->GetWidth());
        INT sourceHeight = static_cast<INT>(image->GetHeight());
        // Enlarged, the image's last row and column would be blended with what lies beyond it.
        if (m_fScale > 1.0f) {
            --sourceWidth;
            --sourceHeight;
        }
        graphics.DrawImage(image, target, 0, 0, sourceWidth, sourceHeight, Gdiplus::UnitPixel);
    }
    canvas.CopyTo(drawItem->hDC, width, height);
}

LRESULT CPngButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        return OnMouseMove();
    case WM_MOUSEHOVER:
    case WM_LBUTTONUP:
        return OnMouseHoverOrButtonUp();
    case WM_LBUTTONDOWN:
        return OnLButtonDown();
    case WM_MOUSELEAVE:
        return OnMouseLeave();
    default:
        return CButton::WindowProc(message, wParam, lParam);
    }
}

void CPngButton::ChangeState(int state) {
    if (!IsWindowEnabled() || m_nState == state) return;
    m_nState = state;
    Invalidate(TRUE);
}

LRESULT CPngButton::OnMouseMove() {
    const LRESULT result = Default();
    // A request that was not taken is asked again at the next move.
    if (!m_bTracking) m_bTracking = taskwing::TrackHoverAndLeave(m_hWnd) ? 1 : 0;
    return result;
}

LRESULT CPngButton::OnMouseHoverOrButtonUp() {
    // A release over the button leaves it under the cursor: hover, not normal.
    ChangeState(kHover);
    return Default();
}

LRESULT CPngButton::OnLButtonDown() {
    ChangeState(kPressed);
    return Default();
}

LRESULT CPngButton::OnMouseLeave() {
    const LRESULT result = Default();
    ChangeState(kNormal);
    m_bTracking = 0;
    return result;
}
