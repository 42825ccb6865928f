#pragma once
// The progress window's text: a static that paints itself and appends a run of one to three dots,
// one more every second while its timer runs.
#include <string>

#include "base/gdiplus_session.h"
#include "base/handles.h"
#include "controls/paint_pieces.h"
#include "controls/text_align.h"
#include "framework/controls.h"

class CDrawStateInfoStatic : public CStatic {
public:
    static constexpr UINT_PTR TIMER_DOTS = 36;
    static constexpr UINT kDotsPeriodMs = 1000;

    CDrawStateInfoStatic();

    // As CDrawTextStatic::SetTextFont.
    void SetTextFont(int heightChange, int weight);
    void SetAlign(StateAlign mode) { m_nAlign = mode; }
    // The parent's kept skin (not owned), copied where the text sits.
    void SetParentSkin(const taskwing::StretchedSkin* skin) { m_parentBk.skin = skin; }
    void SetColor(COLORREF colour);

    void StartDots();
    // Stops the timer and shows the text without dots.
    void StopDots();
    // No dots until the next tick; the timer keeps running.
    void ResetDots();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnPaint();
    LRESULT OnTimer(UINT_PTR id);
    LRESULT OnSetText(const wchar_t* text);
    void Redraw();

    taskwing::unique_hbrush m_brBack;
    RECT m_rcClient{};  // of the current paint; the block modes move its top
    taskwing::unique_hfont m_font;
    COLORREF m_crText = RGB(0, 0, 0);
    int m_nDots = 0;
    StateAlign m_nAlign = StateAlign::kOneLineLeft;
    taskwing::ParentPiece m_parentBk;
};
