// The agreement check box: the system's check box, its box drawn from the PNG strip and its text beside.
#include "controls/check_box.h"

#include "controls/check_box_layout.h"
#include "controls/focus_cue.h"
#include "framework/app.h"
#include "resources/resource.h"
#include "system/system_helpers.h"

CCheckBoxBtn::CCheckBoxBtn() : m_brBack(::CreateSolidBrush(RGB(255, 255, 255))) {}

void CCheckBoxBtn::CopyParentFont() { MakeFont(GetParent(), 0, 0, m_font); }

void CCheckBoxBtn::SetLabel(std::wstring label) {
    m_label = std::move(label);
    if (m_hWnd != nullptr) Invalidate(TRUE);
}

LRESULT CCheckBoxBtn::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        return OnPaint();
    case WM_MBUTTONDOWN:
        return OnMButtonDown();
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
    case BM_SETCHECK:
    case BM_SETSTATE:
        return OnSystemDrawn();
    case WM_DESTROY:
        return OnDestroy();
    default:
        return CButton::WindowProc(message, wParam, lParam);
    }
}

LRESULT CCheckBoxBtn::OnPaint() {
    taskwing::unique_paint_dc paint(m_hWnd);
    PaintInto(paint.get());
    return 0;
}

LRESULT CCheckBoxBtn::OnMButtonDown() {
    Invalidate(TRUE);
    return Default();
}

LRESULT CCheckBoxBtn::OnSystemDrawn() {
    const LRESULT result = Default();
    // A click toggles through BM_SETCHECK, so this also shows the new state right away.
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return result;
}

LRESULT CCheckBoxBtn::OnDestroy() {
    ReleasePaintResources();
    return Default();
}

void CCheckBoxBtn::ReleasePaintResources() {
    m_canvas.reset();
    m_sizeCanvas = {};
    m_pImgCheck.reset();
}

void CCheckBoxBtn::PaintInto(HDC target) {
    m_rcClient = GetClientRect();
    const int width = m_rcClient.right;
    const int height = m_rcClient.bottom;
    // Kept between paints; a new size needs a new bitmap, or the copy would show stale pixels.
    if (m_canvas && (m_sizeCanvas.cx != width || m_sizeCanvas.cy != height)) ReleasePaintResources();
    if (!m_canvas) {
        m_canvas.emplace(target, width, height);
        m_sizeCanvas = {width, height};
    }
    if (!*m_canvas) {
        m_canvas.reset();
        return;
    }
    HDC dc = m_canvas->dc();
    ::FillRect(dc, &m_rcClient, m_brBack.get());
    ::SetBkMode(dc, TRANSPARENT);

    if (!m_pImgCheck) LoadPngResource(m_pImgCheck, AfxGetResourceHandle(), IDB_PNG_CHECKBOX);
    if (m_pImgCheck) {
        const taskwing::CheckBoxLayout layout = taskwing::CheckBoxLayoutFor(m_rcClient.left, height, m_fScale);
        {
            // Flushed into the memory bitmap when it goes, before the text lands on top.
            Gdiplus::Graphics graphics(dc);
            const RECT box{layout.box.left, layout.box.top, layout.box.right, layout.box.bottom};
            const int frameLeft = taskwing::CheckBoxFrameLeft(GetCheck());
            const RECT frame{frameLeft, 0, frameLeft + taskwing::kCheckBoxFrameSide, taskwing::kCheckBoxFrameSide};
            taskwing::DrawImagePiece(graphics, m_pImgCheck.get(), box, frame);
        }
        // Without a copied font, the font the dialog gave the control rather than the DC's own.
        taskwing::unique_select_object font(dc, m_font ? m_font.get() : GetFont());
        const std::wstring text = m_label.empty() ? GetWindowText() : m_label;
        ::SetTextColor(dc, m_crText);
        RECT textRect = m_rcClient;
        textRect.left = layout.textLeft;
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect, DT_VCENTER | DT_SINGLELINE);
        if (taskwing::ShowsFocusCue(m_hWnd)) {
            // Around the label, as the system's check box shows it.
            RECT ink = textRect;
            ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &ink, DT_SINGLELINE | DT_CALCRECT);
            // A pixel clear of the glyphs above and below; on the right the control ends with the text.
            const int top = (m_rcClient.bottom - (ink.bottom - ink.top)) / 2 - 2;
            const int bottom = top + (ink.bottom - ink.top) + 4;
            const LONG right = ink.right + 1 < m_rcClient.right ? ink.right + 1 : m_rcClient.right;
            taskwing::DrawFocusCue(dc, RECT{ink.left - 1, top < 0 ? 0 : top,
                                            right, bottom > m_rcClient.bottom ? m_rcClient.bottom : bottom});
        }
    }
    m_canvas->CopyTo(target, width, height);
}
