// The stretch against what Wine's GDI+ drew for the same image (DrawImage onto a premultiplied
// canvas, read back): the expected values below were captured from it, not computed here.
#include "base/stretch.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using taskwing::PixelRect;

// Straight alpha: opaque colours, half and quarter alpha, a transparent pixel, and an opaque
// right column and bottom row, so that the image's far edges show.
constexpr std::uint32_t kImage[16] = {
    0xFF000000, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF,  //
    0x80FFFFFF, 0xFF808080, 0x40FF8000, 0x00000000,  //
    0xFF102030, 0xC0405060, 0xFF708090, 0xFFFFFFFF,  //
    0xFF204060, 0x20FFFFFF, 0xFFFF00FF, 0xFF00FFFF,
};

// Stretched, then premultiplied as a window keeps it.
std::vector<std::uint32_t> Stretch(const PixelRect& from, int width, int height) {
    std::vector<std::uint32_t> out(static_cast<size_t>(width * height), 0xDEADBEEF);
    taskwing::StretchBilinear({kImage, 4, 4, 4}, from, {out.data(), width, height, width});
    for (std::uint32_t& pixel : out) pixel = taskwing::Premultiply(pixel);
    return out;
}

TEST(Stretch, MatchesGdiPlusAtOneAndAQuarterAndOneAndAHalf) {
    const std::vector<std::uint32_t> quarter{
        0xFF000000, 0xFFCC0000, 0xFF669900, 0xFF009966, 0xCC0000CC,  //
        0x99666666, 0xEA8E6666, 0xA35B5628, 0x511E2D14, 0x28000028,  //
        0xCC3C464F, 0xD64C535B, 0xC1565758, 0xA8747271, 0x7A7A7A7A,  //
        0xFF162C43, 0x98252F39, 0xCB744086, 0xFFA293D6, 0xCC7ACCCC,  //
        0xCC1A334D, 0x3C191E23, 0x84840A84, 0xCC7A52CC, 0xA300A3A3,
    };
    EXPECT_EQ(quarter, Stretch({0, 0, 4, 4}, 5, 5));
    const std::vector<std::uint32_t> half{
        0xFF000000, 0xFFAA0000, 0xFFAA5500, 0xFF00FF00, 0xFF0055AA, 0xAA0000AA,  //
        0xAA555555, 0xE28D5454, 0xD47F5B38, 0x7F2A6A00, 0x630E2338, 0x38000038,  //
        0xAA5A5F65, 0xD460656A, 0xC65D5B58, 0x7F4F402F, 0x63534E49, 0x38383838,  //
        0xFF102030, 0xD525323F, 0xD5455360, 0xFF708090, 0xFFCFD4DA, 0xAAAAAAAA,  //
        0xFF1A3550, 0x8D212C38, 0x8D5D2966, 0xFFCF2ADA, 0xFF7DB8F2, 0xAA39AAAA,  //
        0xAA152B40, 0x46151C23, 0x46460E46, 0xAAAA00AA, 0xAA3971AA, 0x71007171,
    };
    EXPECT_EQ(half, Stretch({0, 0, 4, 4}, 6, 6));
}

TEST(Stretch, APieceBlendsWithTheImageBeyondItsEdgesAndTheImageEdgeWithNothing) {
    // Rows and columns 1 and 2 at 1.5: the piece's far samples reach into column and row 3.
    const std::vector<std::uint32_t> piece{
        0xFF808080, 0x7F55402A, 0x2A2A1500,  //
        0xD54A535A, 0xC6585A5D, 0xB8787879,  //
        0x8A2A323A, 0xD877498B, 0xFFA28DCD,
    };
    EXPECT_EQ(piece, Stretch({1, 1, 3, 3}, 3, 3));
}

TEST(Stretch, AtItsOwnSizeCopiesEveryPixelUnchanged) {
    std::vector<std::uint32_t> out(16, 0);
    taskwing::StretchBilinear({kImage, 4, 4, 4}, {0, 0, 4, 4}, {out.data(), 4, 4, 4});
    EXPECT_EQ(std::vector<std::uint32_t>(kImage, kImage + 16), out);
    // A piece too, from a wider row: a stride of 4 pixels into a target of 2.
    std::vector<std::uint32_t> piece(4, 0);
    taskwing::StretchBilinear({kImage, 4, 4, 4}, {2, 1, 4, 3}, {piece.data(), 2, 2, 2});
    EXPECT_EQ((std::vector<std::uint32_t>{0x40FF8000, 0x00000000, 0xFF708090, 0xFFFFFFFF}), piece);
}

TEST(Stretch, PremultipliesRoundedAndLeavesNothingForAnEmptyRectangle) {
    EXPECT_EQ(0xC0303C48u, taskwing::Premultiply(0xC0405060));
    EXPECT_EQ(0x80808080u, taskwing::Premultiply(0x80FFFFFF));
    EXPECT_EQ(0x00000000u, taskwing::Premultiply(0x00FFFFFF));
    EXPECT_EQ(0xFF102030u, taskwing::Premultiply(0xFF102030));

    std::vector<std::uint32_t> out(4, 7);
    taskwing::StretchBilinear({kImage, 4, 4, 4}, {2, 2, 2, 4}, {out.data(), 2, 2, 2});
    taskwing::StretchBilinear({kImage, 4, 4, 4}, {0, 0, 4, 4}, {out.data(), 0, 2, 2});
    EXPECT_EQ(std::vector<std::uint32_t>(4, 7), out);
}

}  // namespace

TEST(Stretch, FourAtOnceEqualsOneByOne) {
    // Opaque runs take the four-at-once path; translucent and transparent pixels, odd widths and
    // pieces beyond the edge take the other, within the same rows.
    std::uint32_t seed = 12345;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed;
    };
    for (int round = 0; round < 40; ++round) {
        const int width = 1 + static_cast<int>(next() % 60);
        const int height = 1 + static_cast<int>(next() % 60);
        std::vector<std::uint32_t> image(static_cast<size_t>(width * height));
        for (std::uint32_t& pixel : image) {
            pixel = next();
            if (round % 2 == 0 || next() % 8 != 0) pixel |= 0xFF000000;
        }
        const taskwing::PixelRect from = round % 3 == 0 ? taskwing::PixelRect{width / 3, -2, width + 3, height}
                                                        : taskwing::PixelRect{0, 0, width, height};
        const int targetWidth = 1 + static_cast<int>(next() % 97);
        const int targetHeight = 1 + static_cast<int>(next() % 97);
        std::vector<std::uint32_t> fast(static_cast<size_t>(targetWidth * targetHeight));
        std::vector<std::uint32_t> plain(fast.size());
        const taskwing::SourcePixels source{image.data(), width, height, width};
        taskwing::StretchBilinear(source, from, {fast.data(), targetWidth, targetHeight, targetWidth});
        taskwing::StretchBilinearOneByOne(source, from, {plain.data(), targetWidth, targetHeight, targetWidth});
        ASSERT_EQ(fast, plain) << width << "x" << height << " to " << targetWidth << "x" << targetHeight;
    }
}
