// The skins' bilinear stretch over pixel buffers: one by one, and four at once with SSE2.
#include "base/stretch.h"

#include <cmath>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace taskwing {

namespace {

// Where one target column (or row) samples the source: the two neighbours and the weight of the
// second in 1/255 steps; `inside` is false past the rectangle's far edge.
struct Tap {
    int first = 0;
    int second = 0;
    unsigned weight = 0;
    bool inside = false;
    bool plain = false;  // inside, and both neighbours lie within the image
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
        // Down, not toward zero: a piece may start left of or above the image.
        tap.first = static_cast<int>(std::floor(at));
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

#if defined(__SSE2__)
// Four pairs of opaque pixels blended at once, exactly as Blend does: per channel
// (s * (255 - w) + e * w) / 255 in 16-bit lanes (at most 255 * 255), divided as
// (x + (x >> 8) + 1) >> 8. `weights` holds each pixel's weight in all four of its lanes, low pair
// first. Skins are opaque nearly everywhere, so this is the stretch's common path.
__m128i BlendOpaque4(__m128i start, __m128i end, __m128i weightsLow, __m128i weightsHigh) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i full = _mm_set1_epi16(0xFF);
    const __m128i one = _mm_set1_epi16(1);
    auto half = [&](__m128i s, __m128i e, __m128i w) {
        const __m128i sum = _mm_add_epi16(_mm_mullo_epi16(s, _mm_sub_epi16(full, w)), _mm_mullo_epi16(e, w));
        return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(sum, _mm_srli_epi16(sum, 8)), one), 8);
    };
    const __m128i low = half(_mm_unpacklo_epi8(start, zero), _mm_unpacklo_epi8(end, zero), weightsLow);
    const __m128i high = half(_mm_unpackhi_epi8(start, zero), _mm_unpackhi_epi8(end, zero), weightsHigh);
    return _mm_packus_epi16(low, high);
}

bool AllOpaque(__m128i a, __m128i b) {
    const __m128i alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    return _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(_mm_and_si128(a, b), alpha), alpha)) == 0xFFFF;
}

__m128i Spread(unsigned w0, unsigned w1) {
    return _mm_set_epi16(static_cast<short>(w1), static_cast<short>(w1), static_cast<short>(w1), static_cast<short>(w1),
                         static_cast<short>(w0), static_cast<short>(w0), static_cast<short>(w0),
                         static_cast<short>(w0));
}
#endif

void Stretch(const SourcePixels& source, const PixelRect& from, const TargetPixels& target,
             [[maybe_unused]] bool fourAtOnce) {
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
    std::vector<Tap> columns = TapsFor(from.left, fromWidth, target.width, scaleX, scaleY);
    for (Tap& column : columns) column.plain = column.inside && column.first >= 0 && column.second < source.width;
    // One target column of a source row.
    const auto Across1 = [&](int x, int row) -> std::uint32_t {
        const Tap& column = columns[static_cast<size_t>(x)];
        return column.inside ? Blend(At(source, column.first, row), At(source, column.second, row), column.weight) : 0;
    };
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
        int x = 0;
#if defined(__SSE2__)
        // Four columns at once where all four sample two pixels inside the image.
        const bool rowInside = row >= 0 && row < source.height;
        const std::uint32_t* line =
            rowInside ? source.pixels + static_cast<std::ptrdiff_t>(row) * source.stride : nullptr;
        for (; fourAtOnce && rowInside && x + 4 <= target.width; x += 4) {
            const Tap* c = &columns[static_cast<size_t>(x)];
            if (!(c[0].plain && c[1].plain && c[2].plain && c[3].plain)) {
                for (int i = x; i < x + 4; ++i) fresh.pixels[static_cast<size_t>(i)] = Across1(i, row);
                continue;
            }
            const __m128i start = _mm_set_epi32(static_cast<int>(line[c[3].first]), static_cast<int>(line[c[2].first]),
                                                static_cast<int>(line[c[1].first]), static_cast<int>(line[c[0].first]));
            const __m128i end = _mm_set_epi32(static_cast<int>(line[c[3].second]), static_cast<int>(line[c[2].second]),
                                              static_cast<int>(line[c[1].second]), static_cast<int>(line[c[0].second]));
            __m128i out;
            if (AllOpaque(start, end)) {
                out = BlendOpaque4(start, end, Spread(c[0].weight, c[1].weight), Spread(c[2].weight, c[3].weight));
            } else {
                out = _mm_set_epi32(static_cast<int>(Blend(line[c[3].first], line[c[3].second], c[3].weight)),
                                    static_cast<int>(Blend(line[c[2].first], line[c[2].second], c[2].weight)),
                                    static_cast<int>(Blend(line[c[1].first], line[c[1].second], c[1].weight)),
                                    static_cast<int>(Blend(line[c[0].first], line[c[0].second], c[0].weight)));
            }
            _mm_storeu_si128(reinterpret_cast<__m128i*>(&fresh.pixels[static_cast<size_t>(x)]), out);
        }
#endif
        for (; x < target.width; ++x) fresh.pixels[static_cast<size_t>(x)] = Across1(x, row);
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
        int x = 0;
#if defined(__SSE2__)
        const __m128i weights = _mm_set1_epi16(static_cast<short>(row.weight));
        for (; fourAtOnce && x + 4 <= target.width; x += 4) {
            const __m128i start = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&top[static_cast<size_t>(x)]));
            const __m128i end = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&bottom[static_cast<size_t>(x)]));
            if (AllOpaque(start, end)) {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), BlendOpaque4(start, end, weights, weights));
            } else {
                for (int i = x; i < x + 4; ++i)
                    out[i] = Blend(top[static_cast<size_t>(i)], bottom[static_cast<size_t>(i)], row.weight);
            }
        }
#endif
        for (; x < target.width; ++x)
            out[x] = Blend(top[static_cast<size_t>(x)], bottom[static_cast<size_t>(x)], row.weight);
    }
}

}  // namespace

void StretchBilinear(const SourcePixels& source, const PixelRect& from, const TargetPixels& target) {
    Stretch(source, from, target, true);
}

void StretchBilinearOneByOne(const SourcePixels& source, const PixelRect& from, const TargetPixels& target) {
    Stretch(source, from, target, false);
}

}  // namespace taskwing
