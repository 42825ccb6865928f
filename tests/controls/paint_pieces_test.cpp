// The paint pieces every skinned control shares: the four state images, the buffered paint and
// the parent's background piece, on memory DCs of the null display.
#include "controls/paint_pieces.h"

#include <gtest/gtest.h>

#include "resources/resource.h"

namespace {

using taskwing::StateImages;

class PaintPieces : public ::testing::Test {
protected:
    ScopedGdiPlus gdiplus;
};

// A 32-bit top-down DIB selected into a memory DC, to paint on and read back.
struct Surface {
    Surface(int width, int height) : w(width) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(info.bmiHeader), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dib.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0));
        dc.reset(::CreateCompatibleDC(nullptr));
        select.emplace(dc.get(), dib.get());
    }
    // 0x00RRGGBB, as the DIB stores it.
    DWORD At(int x, int y) const {
        ::GdiFlush();
        return bits[y * w + x] & 0xFFFFFF;
    }
    int w;
    DWORD* bits = nullptr;
    taskwing::unique_hbitmap dib;
    taskwing::unique_hdc dc;
    std::optional<taskwing::unique_select_object> select;
};

TEST_F(PaintPieces, StateImagesPickByEnabledFlagAndStateAndNeedAllFour) {
    StateImages images;
    const HMODULE module = ::GetModuleHandleW(nullptr);
    // A bitmap resource is no PNG: its slot stays empty and the set is not complete.
    images.Load(module, IDB_PNG_PROMPT_CLOSE_NORMAL, IDB_PNG_PROMPT_CLOSE_HOVER, IDB_BITMAP190,
                IDB_PNG_PROMPT_CLOSE_PRESSED);
    EXPECT_FALSE(images.Complete());
    EXPECT_EQ(nullptr, images.Pick(true, StateImages::kPressed));

    images.Load(module, IDB_PNG_PROMPT_CLOSE_NORMAL, IDB_PNG_PROMPT_CLOSE_HOVER, IDB_PNG_PROMPT_CLOSE_PRESSED,
                IDB_PNG_PROMPT_CLOSE_PRESSED);
    ASSERT_TRUE(images.Complete());
    Gdiplus::Image* normal = images.Pick(true, StateImages::kNormal);
    Gdiplus::Image* hover = images.Pick(true, StateImages::kHover);
    Gdiplus::Image* pressed = images.Pick(true, StateImages::kPressed);
    Gdiplus::Image* disabled = images.Pick(false, StateImages::kHover);
    EXPECT_NE(nullptr, normal);
    EXPECT_NE(normal, hover);
    EXPECT_NE(hover, pressed);
    // One id in two slots gives each slot its own image.
    EXPECT_NE(pressed, disabled);
    EXPECT_EQ(disabled, images.Pick(false, StateImages::kNormal));
    EXPECT_EQ(nullptr, images.Pick(true, 4));  // a state without an image of its own

    images.Free();
    EXPECT_FALSE(images.Complete());
    EXPECT_EQ(nullptr, images.Pick(false, StateImages::kNormal));
}

TEST_F(PaintPieces, BufferedPaintReachesTheTargetOnceAndNotAtAllWithoutASize) {
    Surface target(8, 6);
    int calls = 0;
    taskwing::PaintBuffered(target.dc.get(), 8, 6, [&](HDC dc) {
        ++calls;
        const RECT all{0, 0, 8, 6};
        taskwing::unique_hbrush red(::CreateSolidBrush(RGB(255, 0, 0)));
        ::FillRect(dc, &all, red.get());
        // Not yet on the target: it is copied when the drawing is done.
        EXPECT_EQ(0u, target.At(3, 3));
    });
    EXPECT_EQ(1, calls);
    EXPECT_EQ(0xFF0000u, target.At(0, 0));
    EXPECT_EQ(0xFF0000u, target.At(7, 5));

    taskwing::PaintBuffered(target.dc.get(), 0, 6, [&](HDC) { ++calls; });
    EXPECT_EQ(1, calls);
}

TEST_F(PaintPieces, ParentPieceCopiesTheSkinWhereTheControlSitsAndNothingWithoutOne) {
    // Left half blue, right half green.
    Gdiplus::Bitmap image(20, 10, PixelFormat32bppARGB);
    const Gdiplus::Color blue(0, 0, 255), green(0, 255, 0);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) image.SetPixel(x, y, x < 10 ? blue : green);

    Surface target(16, 8);
    taskwing::ParentPiece piece;
    EXPECT_FALSE(piece);
    piece.Draw(target.dc.get(), nullptr, RECT{0, 0, 16, 8});
    EXPECT_EQ(0u, target.At(8, 4));

    taskwing::StretchedSkin skin;
    skin.Set(&image, 20, 10);
    piece.skin = &skin;
    // Without a window the piece is the skin's at the target's own place.
    piece.Draw(target.dc.get(), nullptr, RECT{12, 2, 16, 8});
    EXPECT_EQ(0x00FF00u, target.At(14, 6));
    EXPECT_EQ(0u, target.At(8, 4));
    piece.Draw(target.dc.get(), nullptr, RECT{0, 0, 8, 8});
    EXPECT_EQ(0x0000FFu, target.At(1, 1));
}

}  // namespace
