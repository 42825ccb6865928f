// The small skinned push button, painted entirely from one PNG image per look.
#include "controls/png_button.h"

#include "controls/focus_cue.h"
#include "controls/mouse_tracking.h"
#include "framework/app.h"

CPngButton::CPngButton() : m_brBack(::CreateSolidBrush(RGB(255, 255, 255))) {}

void CPngButton::SetImages(UINT normalId, UINT hoverId, UINT pressedId, UINT disabledId) {
    m_images.Load(AfxGetResourceHandle(), normalId, hoverId, pressedId, disabledId);
}

void CPngButton::FreeImages() { m_images.Free(); }

void CPngButton::DrawItem(DRAWITEMSTRUCT* drawItem) {
    if (drawItem == nullptr || !m_images.Complete()) return;
    const RECT item = drawItem->rcItem;
    taskwing::PaintBuffered(drawItem->hDC, item.right - item.left, item.bottom - item.top, [&](HDC dc) {
        if (!m_parentBk) ::FillRect(dc, &item, m_brBack.get());
        m_parentBk.Draw(dc, m_hWnd, item);
        const bool enabled = IsWindowEnabled() != FALSE;
        Gdiplus::Image* image = m_images.Pick(enabled, m_nState);
        if (image == nullptr) return;
        RECT source{0, 0, static_cast<LONG>(image->GetWidth()), static_cast<LONG>(image->GetHeight())};
        // Enlarged, the image's last row and column would be blended with what lies beyond it.
        if (m_fScale > 1.0f) {
            --source.right;
            --source.bottom;
        }
        m_images.Draw(dc, enabled, m_nState, item, source);
        if (taskwing::ShowsFocusCue(m_hWnd))
            taskwing::DrawFocusCue(dc, taskwing::Deflated(item, taskwing::FocusCueInset(item.bottom - item.top)));
    });
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
    case BM_CLICK:
        return OnClick();
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
        return OnFocusLook();
    default:
        return CButton::WindowProc(message, wParam, lParam);
    }
}

void CPngButton::ChangeState(int state) {
    if (m_nSyntheticClicks > 0 || !IsWindowEnabled() || m_nState == state) return;
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

LRESULT CPngButton::OnClick() {
    ++m_nSyntheticClicks;
    const LRESULT result = Default();
    --m_nSyntheticClicks;
    return result;
}

LRESULT CPngButton::OnFocusLook() {
    const LRESULT result = Default();
    Invalidate(TRUE);
    return result;
}
