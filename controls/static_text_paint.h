#pragma once
// What the two drawn static texts share: the off-screen buffer of one paint, the piece of the
// parent's background under the control, and the alignment modes as DrawText flags.
#include <optional>
#include <string>

#include "base/gdiplus_session.h"
#include "base/handles.h"
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

// Draws the `source` rectangle (image pixels) of `image` stretched into `client`.
void DrawImagePiece(Gdiplus::Graphics& graphics, Gdiplus::Image* image, const RECT& client, const RECT& source);
// The same on a DC, for a piece of the parent's background; nothing without an image.
void DrawParentPiece(HDC dc, Gdiplus::Image* image, const RECT& client, const RECT& source,
                     std::optional<Gdiplus::SmoothingMode> smoothing);

// A memory DC with a bitmap of the client size, compatible with the paint DC; everything is given
// back when it goes, the bitmap deselected first.
class OffscreenCanvas {
public:
    OffscreenCanvas(HDC target, int width, int height);
    OffscreenCanvas(const OffscreenCanvas&) = delete;
    OffscreenCanvas& operator=(const OffscreenCanvas&) = delete;

    explicit operator bool() const { return m_select.has_value(); }
    HDC dc() const { return m_dc.get(); }
    // One BitBlt of the top-left `width` x `height` pixels to (0, 0) of `target`.
    void CopyTo(HDC target, int width, int height) const;

private:
    unique_hdc m_dc;
    unique_hbitmap m_bitmap;
    std::optional<unique_select_object> m_select;
};

}  // namespace taskwing
