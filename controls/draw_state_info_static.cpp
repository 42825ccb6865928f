// The progress window's text, painted with its run of dots.
#include "controls/draw_state_info_static.h"

#include "controls/static_text_paint.h"
#include "system/system_helpers.h"

CDrawStateInfoStatic::CDrawStateInfoStatic() : m_brBack(::CreateSolidBrush(RGB(255, 255, 255))) {}

void CDrawStateInfoStatic::SetTextFont(int heightChange, int weight) {
    MakeFont(GetParent(), heightChange, weight, m_font);
}

void CDrawStateInfoStatic::Redraw() {
    // InvalidateRect with no window would repaint every window on the desktop.
    if (m_hWnd != nullptr) Invalidate(TRUE);
}

void CDrawStateInfoStatic::SetColor(COLORREF colour) {
    m_crText = colour;
    Redraw();
}

void CDrawStateInfoStatic::StartDots() {
    if (m_hWnd != nullptr) ::SetTimer(m_hWnd, TIMER_DOTS, kDotsPeriodMs, nullptr);
}

void CDrawStateInfoStatic::StopDots() {
    if (m_hWnd != nullptr) ::KillTimer(m_hWnd, TIMER_DOTS);
    m_nDots = 0;
    Redraw();
}

void CDrawStateInfoStatic::ResetDots() {
    m_nDots = 0;
    Redraw();
}

LRESULT CDrawStateInfoStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        return OnPaint();
    case WM_TIMER:
        return OnTimer(static_cast<UINT_PTR>(wParam));
    case WM_SETTEXT:
        return OnSetText(reinterpret_cast<const wchar_t*>(lParam));
    default:
        return CStatic::WindowProc(message, wParam, lParam);
    }
}

LRESULT CDrawStateInfoStatic::OnTimer(UINT_PTR id) {
    if (id == TIMER_DOTS) {
        m_nDots = taskwing::NextDots(m_nDots);
        Redraw();
    }
    return Default();
}

LRESULT CDrawStateInfoStatic::OnSetText(const wchar_t* text) {
    // The system static would draw the new text at once in its own look.
    const LRESULT result = ::DefWindowProcW(m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    Redraw();
    return result;
}

LRESULT CDrawStateInfoStatic::OnPaint() {
    taskwing::unique_paint_dc paint(m_hWnd);
    m_rcClient = GetClientRect();
    taskwing::PaintBuffered(paint.get(), m_rcClient.right, m_rcClient.bottom, [&](HDC dc) {
        ::FillRect(dc, &m_rcClient, m_brBack.get());
        ::SetBkMode(dc, TRANSPARENT);
        taskwing::unique_select_object font(dc, m_font.get());
        const std::wstring text = GetWindowText() + taskwing::DotsSuffix(m_nDots);
        ::SetTextColor(dc, m_crText);
        m_parentBk.Draw(dc, m_hWnd, m_rcClient);
        taskwing::DrawLaidOutText(dc, text, m_rcClient, taskwing::StateInfoLayoutFor(m_nAlign));
    });
    return 0;
}
