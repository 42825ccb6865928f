#include "controls/image_button.h"

#include <windowsx.h>

#include "controls/mouse_tracking.h"
#include "controls/static_text_paint.h"
#include "framework/app.h"

CImageButton::CImageButton() : m_brBack(::CreateSolidBrush(RGB(255, 255, 255))) {}

CImageButton::~CImageButton() = default;

void CImageButton::SetImages(UINT normalId, UINT hoverId, UINT pressedId, UINT disabledId) {
    LoadPngResource(m_pImgNormal, AfxGetResourceHandle(), normalId);
    LoadPngResource(m_pImgHover, AfxGetResourceHandle(), hoverId);
    LoadPngResource(m_pImgPressed, AfxGetResourceHandle(), pressedId);
    LoadPngResource(m_pImgDisabled, AfxGetResourceHandle(), disabledId);
}

void CImageButton::FreeImages() {
    m_pImgNormal.reset();
    m_pImgHover.reset();
    m_pImgPressed.reset();
    m_pImgDisabled.reset();
}

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
    if (drawItem == nullptr || !m_pImgNormal || !m_pImgHover || !m_pImgPressed || !m_pImgDisabled) return;
    PaintInto(drawItem->hDC);
}

Gdiplus::Image* CImageButton::StateImage() const {
    if (!IsWindowEnabled()) return m_pImgDisabled.get();
    switch (m_nState) {
    case kNormal:
        return m_pImgNormal.get();
    case kHover:
        return m_pImgHover.get();
    case kPressed:
        return m_pImgPressed.get();
    default:
        // Re-enabled behind EnableButton's back: the background alone.
        return nullptr;
    }
}

void CImageButton::PaintInto(HDC target) {
    m_rcClient = GetClientRect();
    const int width = m_rcClient.right;
    const int height = m_rcClient.bottom;
    taskwing::OffscreenCanvas canvas(target, width, height);
    if (!canvas) return;
    HDC dc = canvas.dc();
    ::FillRect(dc, &m_rcClient, m_brBack.get());
    ::SetBkMode(dc, TRANSPARENT);
    {
        Gdiplus::Graphics graphics(dc);
        graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
        if (m_pParentBk != nullptr) taskwing::DrawImagePiece(graphics, m_pParentBk, m_rcClient, m_rcParentBk);
        if (Gdiplus::Image* image = StateImage()) {
            const RECT whole{0, 0, static_cast<LONG>(image->GetWidth()), static_cast<LONG>(image->GetHeight())};
            taskwing::DrawImagePiece(graphics, image, m_rcClient, whole);
        }
    }
    canvas.CopyTo(target, width, height);
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
