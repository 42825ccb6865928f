// A static text that paints its own text in its own colour over the skin behind it.
#include "controls/draw_text_static.h"

#include "controls/focus_cue.h"
#include "controls/static_text_paint.h"
#include "system/system_helpers.h"

void CDrawTextStatic::SetTextFont(int heightChange, int weight) { MakeFont(GetParent(), heightChange, weight, m_font); }

void CDrawTextStatic::SetBackColor(COLORREF colour) {
    // The brush is made from the colour at the next paint.
    if (colour != m_crBack) m_brBack.reset();
    m_crBack = colour;
}

bool CDrawTextStatic::ContainsScreenPoint(int x, int y) const {
    if (m_hWnd == nullptr) return false;
    const RECT window = GetWindowRect();
    return ::PtInRect(&window, POINT{x, y}) != FALSE;
}

void CDrawTextStatic::UpdateHover(int x, int y) {
    const int hover = ContainsScreenPoint(x, y) ? 1 : 0;
    if (hover == m_bHover) return;
    m_bHover = hover;
    if (m_hWnd != nullptr) Invalidate(TRUE);
}

LRESULT CDrawTextStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        return OnPaint();
    case WM_SETTEXT:
        return OnSetText(reinterpret_cast<const wchar_t*>(lParam));
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE: {
        // A link with the keyboard's focus shows the cue.
        const LRESULT result = Default();
        Invalidate(TRUE);
        return result;
    }
    default:
        return CStatic::WindowProc(message, wParam, lParam);
    }
}

LRESULT CDrawTextStatic::OnSetText(const wchar_t* text) {
    // The system static draws a new text itself at once, in its own look; store the text only and
    // let the next paint show it.
    const LRESULT result = ::DefWindowProcW(m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    Invalidate(TRUE);
    return result;
}

LRESULT CDrawTextStatic::OnPaint() {
    taskwing::unique_paint_dc paint(m_hWnd);
    m_rcClient = GetClientRect();
    taskwing::PaintBuffered(paint.get(), m_rcClient.right, m_rcClient.bottom, [&](HDC dc) {
        if (!m_brBack) m_brBack.reset(::CreateSolidBrush(m_crBack));
        ::FillRect(dc, &m_rcClient, m_brBack.get());
        ::SetBkMode(dc, TRANSPARENT);
        m_parentBk.Draw(dc, m_hWnd, m_rcClient);

        taskwing::unique_select_object font(dc, m_font.get());
        const std::wstring text = GetWindowText();
        ::SetTextColor(dc, m_bHover == 1 ? m_crHover : m_crText);
        taskwing::DrawLaidOutText(dc, text, m_rcClient, taskwing::DrawTextLayoutFor(m_nAlign));
        if (taskwing::ShowsFocusCue(m_hWnd)) taskwing::DrawFocusCue(dc, GetClientRect());
    });
    return 0;
}
