#pragma once
// The focus cue of the skinned controls: a dotted rectangle around or inside what has the keyboard
// focus, shown only once the keyboard has been used in the window (the window's UI state, as
// WM_UPDATEUISTATE and WM_QUERYUISTATE carry it), so a mouse user sees the skin alone.
#include <windows.h>

namespace taskwing {

// The control has the keyboard focus and its dialog's UI state shows focus cues.
bool ShowsFocusCue(HWND control);

// A one-pixel dotted rectangle just inside `rect`: every other pixel, white where the skin below
// is dark and black where it is light, so that it reads on every skin.
void DrawFocusCue(HDC dc, const RECT& rect);

// How far inside a button's hit area its cue runs: a tenth of the area's height, at least a pixel;
// clear of the rounded corners of the large buttons, close around the text of the small ones.
constexpr int FocusCueInset(int height) { return height / 10 > 1 ? height / 10 : 1; }

// `rect` less `inset` on every side.
constexpr RECT Deflated(RECT rect, int inset) {
    return {rect.left + inset, rect.top + inset, rect.right - inset, rect.bottom - inset};
}

}  // namespace taskwing
