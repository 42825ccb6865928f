#pragma once
// Stretching a 32-bit image with straight alpha (0xAARRGGBB) the way the GDI+ under the tool draws one,
// so that a stretch kept by a window shows the pixels a DrawImage call showed: target pixel x
// samples the source at from.left + x * fromWidth / targetWidth (no half-pixel offset), its two
// neighbours on each axis are blended in steps of 1/255, and whatever lies beyond the image's edge
// is transparent. Windows keep the result premultiplied. No Windows types: built and tested
// everywhere.
#include <cstddef>
#include <cstdint>

namespace taskwing {

// Pixels that are read; rows `stride` pixels apart, top row first.
struct SourcePixels {
    const std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;
};

// Pixels that are written.
struct TargetPixels {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Fills all of `target` with the `from` rectangle of `source`, bilinearly. A rectangle of the
// target's own size that lies within the source is copied unchanged. Nothing happens for an empty
// rectangle or target.
// Where the processor has SSE2, four opaque pixels are blended at once.
void StretchBilinear(const SourcePixels& source, const PixelRect& from, const TargetPixels& target);
// The same, one pixel at a time: what the four-at-once path must equal.
void StretchBilinearOneByOne(const SourcePixels& source, const PixelRect& from, const TargetPixels& target);

// A straight-alpha pixel premultiplied as GDI+ stores one in a premultiplied bitmap: rounded.
// Inline: it runs once per pixel of every stretched skin, and nearly all are opaque.
inline std::uint32_t Premultiply(std::uint32_t straight) {
    const std::uint32_t alpha = straight >> 24;
    if (alpha == 0xFF) return straight;
    std::uint32_t out = alpha << 24;
    for (int shift = 0; shift < 24; shift += 8) out |= ((((straight >> shift) & 0xFF) * alpha + 0x7F) / 0xFF) << shift;
    return out;
}

}  // namespace taskwing
