#include "controls/image_button.h"

#include <windowsx.h>

#include "controls/mouse_tracking.h"
#include "framework/app.h"

CImageButton::CImageButton() : m_brBack(::CreateSolidBrush(RGB(255, 255, 255))) {}

CImageButton::~CImageButton() = default;

void CImageButton::SetImages(UINT normalId, UINT hoverId, UINT pressedId, UINT disabledId) {
    m_images.Load(AfxGetResourceHandle(), normalId, hoverId, pressedId, disabledId);
}

void CImageButton::FreeImages() { m_images.Free(); }

void CImageButton::SetHitInsets(int left, int top, int right, int bottom) { m_rcInsets = {left, top, right, bottom}; }

bool CImageButton::IsCursorInside() const {
    if (m_hWnd == nullptr) return false;
    RECT hit = GetClientRect();
    hit.left += m_rcInsets.left;
    hit.top += m_rcInsets.top;
    hit.right -= m_rcInsets.right;
    hit.bottom -= m_rcInsets.bottom;
    POINT cursor{};
    if (!::GetCursorPos(&cursor) || !::ScreenToClient(m_hWnd, &cursor)) return false;
    return ::PtInRect(&hit, cursor) != FALSE;
}

void CImageButton::EnableButton(bool enable) {
    m_nState = enable ? kNormal : kDisabled;
    if (m_hWnd == nullptr) return;
    EnableWindow(enable ? TRUE : FALSE);
    Invalidate(TRUE);
}

void CImageButton::DrawItem(DRAWITEMSTRUCT* drawItem) {
    // All four or nothing: a half-skinned button would look broken in one state only.
    if (drawItem == nullptr || !m_images.Complete()) return;
    PaintInto(drawItem->hDC);
}

void CImageButton::PaintInto(HDC target) {
    m_rcClient = GetClientRect();
    taskwing::PaintBuffered(target, m_rcClient.right, m_rcClient.bottom, [&](HDC dc) {
        ::FillRect(dc, &m_rcClient, m_brBack.get());
        ::SetBkMode(dc, TRANSPARENT);
        m_parentBk.Draw(dc, m_hWnd, m_rcClient, Gdiplus::SmoothingModeHighQuality);
        // Re-enabled behind EnableButton's back (the disabled state while enabled): the background alone.
        m_images.Draw(dc, IsWindowEnabled() != FALSE, m_nState, m_rcClient);
    });
}

bool CImageButton::IsClientPoint(POINT point) const {
    const RECT client = GetClientRect();
    return ::PtInRect(&client, point) != FALSE;
}

void CImageButton::SetState(int state) {
    if (m_nState == state) return;
    m_nState = state;
    Repaint();
}

void CImageButton::Repaint() { Invalidate(TRUE); }

LRESULT CImageButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        return OnMouseMove();
    case WM_MOUSEHOVER:
    case WM_LBUTTONUP:
        return OnMouseHover(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_MOUSELEAVE:
        return OnMouseLeave();
    case WM_LBUTTONDOWN:
        return OnLButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
    default:
        return CButton::WindowProc(message, wParam, lParam);
    }
}

LRESULT CImageButton::OnMouseMove() {
    const LRESULT result = Default();
    if (!m_bTracking && taskwing::TrackHoverAndLeave(m_hWnd)) m_bTracking = 1;
    return result;
}

LRESULT CImageButton::OnMouseHover(POINT client) {
    // A release outside (the button holds the capture after a press) stays pressed until the leave.
    if (IsWindowEnabled() && IsClientPoint(client)) SetState(kHover);
    return Default();
}

LRESULT CImageButton::OnLButtonDown(POINT client) {
    if (IsWindowEnabled() && IsClientPoint(client)) SetState(kPressed);
    return Default();
}

LRESULT CImageButton::OnMouseLeave() {
    const LRESULT result = Default();
    if (IsWindowEnabled()) SetState(kNormal);
    m_bTracking = 0;
    return result;
}

LRESULT CImageButton::OnEraseBkgnd(HDC hdc) {
    // The whole look already here, so DrawItem never shows the white fill in between.
    PaintInto(hdc);
    return TRUE;
}
