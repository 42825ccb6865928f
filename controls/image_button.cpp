// The large skinned button: four looks from PNG images, hit insets, and where its click came from.
#include "controls/image_button.h"

#include <windowsx.h>

#include "controls/focus_cue.h"
#include "controls/mouse_tracking.h"
#include "framework/app.h"

CImageButton::CImageButton() : m_brBack(::CreateSolidBrush(RGB(255, 255, 255))) {}

CImageButton::~CImageButton() = default;

void CImageButton::SetImages(UINT normalId, UINT hoverId, UINT pressedId, UINT disabledId) {
    m_images.Load(AfxGetResourceHandle(), normalId, hoverId, pressedId, disabledId);
}

void CImageButton::FreeImages() { m_images.Free(); }

void CImageButton::SetHitInsets(int left, int top, int right, int bottom) { m_rcInsets = {left, top, right, bottom}; }

RECT CImageButton::HitRect() const {
    RECT hit = GetClientRect();
    hit.left += m_rcInsets.left;
    hit.top += m_rcInsets.top;
    hit.right -= m_rcInsets.right;
    hit.bottom -= m_rcInsets.bottom;
    return hit;
}

bool CImageButton::IsClickInside() const {
    if (m_hWnd == nullptr) return false;
    const RECT hit = HitRect();
    return m_click.Counts({hit.left, hit.top, hit.right, hit.bottom});
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
        m_parentBk.Draw(dc, m_hWnd, m_rcClient);
        // Re-enabled behind EnableButton's back (the disabled state while enabled): the background alone.
        m_images.Draw(dc, IsWindowEnabled() != FALSE, m_nState, m_rcClient);
        if (taskwing::ShowsFocusCue(m_hWnd)) {
            const RECT hit = HitRect();
            taskwing::DrawFocusCue(dc, taskwing::Deflated(hit, taskwing::FocusCueInset(hit.bottom - hit.top)));
        }
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
        return OnMouseHover(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_LBUTTONUP:
        return OnLButtonUp(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_MOUSELEAVE:
        return OnMouseLeave();
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return OnLButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case BM_CLICK:
        return OnClick();
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
        return OnFocusLook();
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
    m_click.Press();
    // BM_CLICK's press is no pointer on the button: its look stays.
    if (!m_click.Synthetic() && IsWindowEnabled() && IsClientPoint(client)) SetState(kPressed);
    return Default();
}

LRESULT CImageButton::OnLButtonUp(POINT client) {
    // The default processing reports the click (BN_CLICKED) while this release is known.
    m_click.BeginRelease(client.x, client.y);
    if (!m_click.Synthetic() && IsWindowEnabled() && IsClientPoint(client)) SetState(kHover);
    const LRESULT result = Default();
    m_click.EndRelease();
    return result;
}

LRESULT CImageButton::OnClick() {
    m_click.BeginSynthetic();
    const LRESULT result = Default();
    m_click.EndSynthetic();
    return result;
}

LRESULT CImageButton::OnFocusLook() {
    const LRESULT result = Default();
    Repaint();
    return result;
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
