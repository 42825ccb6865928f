#pragma once
// Small system functions: the narrow/wide conversions around the stored device type, and fonts
// copied from a window's font.
#include <windows.h>

#include <string>

#include "base/handles.h"

// Each byte becomes the character of the same value, whatever C runtime locale any thread has
// set. Returns a NUL-terminated buffer from malloc that the caller frees with free(), or null when
// memory runs out.
wchar_t* NarrowToWide(std::string text);

// The text in the ANSI code page; empty for a null text, when the system reports no size, or when
// memory runs out.
std::string WideToNarrow(const wchar_t* text);

// Creates `font` (freeing what it held) from `window`'s font, or the stock DEFAULT_GUI_FONT,
// failing that ANSI_VAR_FONT. Only when `heightChange` is not 0: a `weight` above 0 replaces the
// weight, and `heightChange` is subtracted from lfHeight, so that a positive change enlarges a
// font of negative (character) height. With 0 the font is an exact copy.
void MakeFont(HWND window, int heightChange, int weight, taskwing::unique_hfont& font);

// Width in pixels of `text` in the font MakeFont would make, measured on `dc`; -1 when the window
// or the DC is null. The DC's font is left as it was.
int MeasureTextWidth(HWND window, HDC dc, std::wstring text, int heightChange, int weight);
