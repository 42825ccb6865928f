#pragma once
// What the two drawn static texts share: the alignment modes as DrawText flags, and the dots.
#include <windows.h>

#include <string>

#include "controls/text_align.h"

namespace taskwing {

// How one alignment mode draws: not at all, straight into the client rectangle, or as a block
// centred vertically by a measuring pass first.
struct TextLayout {
    bool draw = false;
    bool centreBlock = false;
    UINT measureFlags = 0;
    UINT drawFlags = 0;
};

TextLayout DrawTextLayoutFor(TextAlign mode);
TextLayout StateInfoLayoutFor(StateAlign mode);

// Draws `text` into `client` as `layout` says. A centred block moves client.top down by half of
// what the block leaves free (up, when the block is taller than the client area).
void DrawLaidOutText(HDC dc, const std::wstring& text, RECT& client, const TextLayout& layout);

// The dots after the progress text: 0 to 3, one step per tick, back to none after three.
constexpr int NextDots(int dots) { return dots >= 0 && dots < 3 ? dots + 1 : 0; }
const wchar_t* DotsSuffix(int dots);

}  // namespace taskwing
