#pragma once
// A static text that paints itself: labels and links on the skinned windows, and the prompt box's
// message. A link is shown only by its colours; the owner moves it into its hover look with
// UpdateHover and detects clicks on it with ContainsScreenPoint, since the control itself is
// transparent to the mouse. Given the keyboard's focus (a link, CLinkStatic), it shows the focus
// cue along its edges.
#include <string>

#include "base/gdiplus_session.h"
#include "base/handles.h"
#include "controls/paint_pieces.h"
#include "controls/text_align.h"
#include "framework/controls.h"

class CDrawTextStatic : public CStatic {
public:
    CDrawTextStatic() = default;

    // A copy of the parent window's font; only a non-zero height change (subtracted from lfHeight)
    // also applies a weight above 0.
    void SetTextFont(int heightChange, int weight);
    void SetAlign(TextAlign mode) { m_nAlign = mode; }
    // The parent's kept skin (not owned), copied where the text sits, over the fill.
    void SetParentSkin(const taskwing::StretchedSkin* skin) { m_parentBk.skin = skin; }
    void SetColors(COLORREF normal, COLORREF hover) {
        m_crText = normal;
        m_crHover = hover;
    }
    // The fill colour. Set before the first paint; a later change shows at the next paint.
    void SetBackColor(COLORREF colour);
    // Hover look while the screen point lies in the window rectangle; repaints only on a change.
    void UpdateHover(int x, int y);
    bool ContainsScreenPoint(int x, int y) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnPaint();
    LRESULT OnSetText(const wchar_t* text);

    taskwing::unique_hbrush m_brBack;  // made at the first paint from m_crBack
    RECT m_rcClient{};                 // of the current paint; the centred modes move its top
    taskwing::unique_hfont m_font;
    COLORREF m_crText = RGB(0, 0, 0);
    COLORREF m_crHover = RGB(0, 0, 255);
    COLORREF m_crBack = RGB(255, 255, 255);
    int m_bHover = 0;
    TextAlign m_nAlign = TextAlign::kBlock;
    taskwing::ParentPiece m_parentBk;
};
