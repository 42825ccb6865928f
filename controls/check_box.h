#pragma once
// The agreement check box of the main window: a template BS_AUTOCHECKBOX whose check state,
// toggling and BN_CLICKED stay with the system's button; only the look is ours, a box from the
// PNG strip followed by its label in black on white, and the focus cue around the label.
#include <optional>
#include <string>

#include "base/gdiplus_session.h"
#include "base/handles.h"
#include "controls/paint_pieces.h"
#include "framework/controls.h"

class CCheckBoxBtn : public CButton {
public:
    CCheckBoxBtn();

    // An exact copy of the parent window's font (or the stock GUI font) for the text.
    void CopyParentFont();
    // The label drawn beside the box, when it is only the start of the window text: the window text
    // says all that is agreed to ("同意《...协议》", a screen reader's name for the box) while the
    // rest is drawn by the link beside it. Empty: the window text is drawn.
    void SetLabel(std::wstring label);

    // The owner window's scale; written by the owner before the first paint.
    float m_fScale = 1.0f;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnPaint();
    LRESULT OnMButtonDown();
    // The system button draws its own look straight onto the window for these messages; ours is
    // painted over it at once, so it never stays on the screen.
    LRESULT OnSystemDrawn();
    LRESULT OnDestroy();

    // Draws the whole look into the memory bitmap, remade when the client size changes.
    void PaintInto(HDC target);
    // Gives back the image and the memory bitmap; both come again at the next paint.
    void ReleasePaintResources();

    PngImagePtr m_pImgCheck;  // the box strip, loaded at the first paint that finds it missing
    std::optional<taskwing::OffscreenCanvas> m_canvas;
    SIZE m_sizeCanvas{};
    taskwing::unique_hbrush m_brBack;
    RECT m_rcClient{};
    taskwing::unique_hfont m_font;
    COLORREF m_crText = RGB(0, 0, 0);
    std::wstring m_label;
};
