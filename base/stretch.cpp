#include "base/stretch.h"

#include <cstring>
#include <vector>

namespace taskwing {

namespace {

// Where one target column (or row) samples the source: the two neighbours and the weight of the
// second in 1/255 steps; `inside` is false past the rectangle's far edge.
struct Tap {
    int first = 0;
    int second = 0;
    unsigned weight = 0;
    bool inside = false;
};

// Single precision throughout, as GDI+ computes its sampling points: the step is the inverse of
// the drawing's scale matrix, whose determinant also holds the other axis's scale.
std::vector<Tap> TapsFor(int from, int fromLength, int targetLength, float scale, float otherScale) {
    std::vector<Tap> taps(static_cast<size_t>(targetLength));
    const float start = static_cast<float>(from);
    const float length = static_cast<float>(fromLength);
    const float determinant = scale * otherScale;
    const float step = otherScale / determinant;
    const float origin = -(otherScale * -(scale * start)) / determinant;
    float offset = 0.0f;  // summed step by step, as GDI+ walks the target
    for (int i = 0; i < targetLength; ++i, offset += step) {
        const float at = origin + offset;
        Tap& tap = taps[static_cast<size_t>(i)];
        tap.inside = at >= start && at < start + length;
        if (!tap.inside) continue;
        tap.first = static_cast<int>(at);
        const float fraction = at - static_cast<float>(tap.first);
        tap.second = fraction > 0.0f ? tap.first + 1 : tap.first;
        tap.weight = static_cast<unsigned>(fraction * 255.0f + 0.5f);
    }
    return taps;
}

std::uint32_t At(const SourcePixels& source, int x, int y) {
    if (x < 0 || y < 0 || x >= source.width || y >= source.height) return 0;
    return source.pixels[static_cast<std::ptrdiff_t>(y) * source.stride + x];
}

// Straight alpha: the colours are weighted by their alphas, so that a transparent neighbour adds
// no colour; a result with almost no alpha left is transparent black.
std::uint32_t Blend(std::uint32_t start, std::uint32_t end, unsigned weight) {
    if ((weight == 0 || start == end) && (start >> 24) != 0) return start;
    if ((start & end) >> 24 == 0xFF) {
        // Both opaque, most of a skin: the same sums with the common 255 taken out.
        std::uint32_t out = 0xFF000000;
        for (int shift = 0; shift < 24; shift += 8) {
            const unsigned s = (start >> shift) & 0xFF;
            const unsigned e = (end >> shift) & 0xFF;
            out |= ((s * (weight ^ 0xFF) + e * weight) / 0xFF) << shift;
        }
        return out;
    }
    const int startWeight = static_cast<int>(start >> 24) * static_cast<int>(weight ^ 0xFF);
    const int endWeight = static_cast<int>(end >> 24) * static_cast<int>(weight);
    const int total = startWeight + endWeight;
    if (total < 0xFF) return 0;
    std::uint32_t out = static_cast<std::uint32_t>(total / 0xFF) << 24;
    for (int shift = 0; shift < 24; shift += 8) {
        const int s = static_cast<int>((start >> shift) & 0xFF);
        const int e = static_cast<int>((end >> shift) & 0xFF);
        out |= static_cast<std::uint32_t>((s * startWeight + e * endWeight) / total) << shift;
    }
    return out;
}

bool CopiesUnscaled(const SourcePixels& source, const PixelRect& from, const TargetPixels& target) {
    return from.right - from.left == target.width && from.bottom - from.top == target.height && from.left >= 0 &&
           from.top >= 0 && from.right <= source.width && from.bottom <= source.height;
}

}  // namespace

void StretchBilinear(const SourcePixels& source, const PixelRect& from, const TargetPixels& target) {
    const int fromWidth = from.right - from.left;
    const int fromHeight = from.bottom - from.top;
    if (target.pixels == nullptr || target.width <= 0 || target.height <= 0 || fromWidth <= 0 || fromHeight <= 0)
        return;
    if (CopiesUnscaled(source, from, target)) {
        for (int y = 0; y < target.height; ++y)
            std::memcpy(target.pixels + static_cast<std::ptrdiff_t>(y) * target.stride,
                        source.pixels + static_cast<std::ptrdiff_t>(from.top + y) * source.stride + from.left,
                        static_cast<size_t>(target.width) * sizeof(std::uint32_t));
        return;
    }
    const float scaleX = static_cast<float>(target.width) / static_cast<float>(fromWidth);
    const float scaleY = static_cast<float>(target.height) / static_cast<float>(fromHeight);
    const std::vector<Tap> columns = TapsFor(from.left, fromWidth, target.width, scaleX, scaleY);
    const std::vector<Tap> rows = TapsFor(from.top, fromHeight, target.height, scaleY, scaleX);

    // A source row blended across, as every target row that samples it needs it: two kept, since
    // consecutive target rows mostly share theirs.
    struct Across {
        int row = -1;
        std::vector<std::uint32_t> pixels;
    };
    Across kept[2];
    for (Across& across : kept) across.pixels.resize(static_cast<size_t>(target.width));
    // `keep`: a row in use that must not be pushed out. Rows only ever grow, so the lower one goes.
    auto across = [&](int row, int keep) -> const std::vector<std::uint32_t>& {
        for (const Across& k : kept)
            if (k.row == row) return k.pixels;
        const int older = kept[0].row <= kept[1].row ? 0 : 1;
        Across& fresh = kept[kept[older].row == keep ? 1 - older : older];
        fresh.row = row;
        for (int x = 0; x < target.width; ++x) {
            const Tap& column = columns[static_cast<size_t>(x)];
            fresh.pixels[static_cast<size_t>(x)] =
                column.inside ? Blend(At(source, column.first, row), At(source, column.second, row), column.weight) : 0;
        }
        return fresh.pixels;
    };

    for (int y = 0; y < target.height; ++y) {
        std::uint32_t* out = target.pixels + static_cast<std::ptrdiff_t>(y) * target.stride;
        const Tap& row = rows[static_cast<size_t>(y)];
        if (!row.inside) {
            std::memset(out, 0, static_cast<size_t>(target.width) * sizeof(std::uint32_t));
            continue;
        }
        const std::vector<std::uint32_t>& top = across(row.first, -1);
        if (row.second == row.first) {
            std::memcpy(out, top.data(), static_cast<size_t>(target.width) * sizeof(std::uint32_t));
            continue;
        }
        const std::vector<std::uint32_t>& bottom = across(row.second, row.first);
        for (int x = 0; x < target.width; ++x)
            out[x] = Blend(top[static_cast<size_t>(x)], bottom[static_cast<size_t>(x)], row.weight);
    }
}

std::uint32_t Premultiply(std::uint32_t straight) {
    const std::uint32_t alpha = straight >> 24;
    if (alpha == 0xFF) return straight;
    std::uint32_t out = alpha << 24;
    for (int shift = 0; shift < 24; shift += 8) out |= ((((straight >> shift) & 0xFF) * alpha + 0x7F) / 0xFF) << shift;
    return out;
}

}  // namespace taskwing
