// The skins as the program loads them: every PNG resource of the table, the failure paths, and the
// life of an image's private copy of its bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource.h"
#include "system/png_resource.h"

#include <psapi.h>  // after <windows.h>

namespace {

// "PNG" resources of this test program: bytes that are no PNG, and a 1 x 1 PNG of 64 KiB.
constexpr UINT kBrokenPng = 900;
constexpr UINT kPaddedPng = 901;

class PngResource : public ::testing::Test {
protected:
    ScopedGdiPlus gdiplus;
};

struct PngRow {
    UINT first;
    UINT last;
    UINT width;
    UINT height;
    bool alpha;
};

// Ids, sizes and alpha of every skin image.
const PngRow kTable[] = {
    {138, 138, 410, 611, true}, {139, 139, 400, 600, false}, {140, 143, 246, 47, false},
    {144, 144, 48, 16, true},   {145, 148, 26, 34, false},   {149, 149, 232, 132, true},
    {150, 150, 204, 104, true}, {151, 154, 246, 47, false},  {155, 158, 26, 34, false},
    {159, 162, 266, 60, true},  {163, 166, 58, 18, false},   {167, 167, 330, 150, true},
    {168, 168, 320, 140, false}, {169, 171, 55, 24, false},  {172, 174, 12, 12, false},
    {175, 177, 55, 24, false},  {178, 180, 55, 24, false},   {181, 183, 55, 24, false},
    {184, 184, 410, 479, true}, {185, 185, 400, 468, false}, {186, 189, 12, 12, false},
    {191, 194, 266, 60, true},  {196, 199, 266, 60, true},
};

TEST_F(PngResource, EveryTableImageLoadsWithItsSizeAndAlpha) {
    int checked = 0;
    for (const PngRow& row : kTable) {
        for (UINT id = row.first; id <= row.last; ++id) {
            SCOPED_TRACE("PNG " + std::to_string(id));
            Gdiplus::Image* image = nullptr;
            ASSERT_TRUE(LoadPngResource(&image, GetModuleHandleW(nullptr), id));
            ASSERT_NE(nullptr, image);
            EXPECT_EQ(row.width, image->GetWidth());
            EXPECT_EQ(row.height, image->GetHeight());
            EXPECT_EQ(row.alpha, Gdiplus::IsAlphaPixelFormat(image->GetPixelFormat()) != FALSE);
            delete image;
            ++checked;
        }
    }
    EXPECT_EQ(60, checked);
}

TEST_F(PngResource, WhatIsNoPngLeavesTheSlotAsItWas) {
    Gdiplus::Image* empty = nullptr;
    EXPECT_FALSE(LoadPngResource(&empty, GetModuleHandleW(nullptr), IDB_BITMAP190));  // a bitmap resource, not a PNG
    EXPECT_EQ(nullptr, empty);
    EXPECT_FALSE(LoadPngResource(&empty, GetModuleHandleW(nullptr), 195));  // no resource at all
    EXPECT_EQ(nullptr, empty);

    // A filled slot is neither replaced nor deleted.
    auto* sentinel = reinterpret_cast<Gdiplus::Image*>(0x1234);
    Gdiplus::Image* slot = sentinel;
    EXPECT_FALSE(LoadPngResource(&slot, GetModuleHandleW(nullptr), IDB_BITMAP190));
    EXPECT_EQ(sentinel, slot);

    PngImagePtr owner;
    EXPECT_FALSE(LoadPngResource(owner, GetModuleHandleW(nullptr), IDB_BITMAP190));
    EXPECT_EQ(nullptr, owner);
}

TEST_F(PngResource, BytesThatDoNotDecodeAreAFailureNotAnImage) {
    Gdiplus::Image* image = nullptr;
    EXPECT_FALSE(LoadPngResource(&image, GetModuleHandleW(nullptr), kBrokenPng));
    EXPECT_EQ(nullptr, image);
}

// The image drawn on a transparent canvas of its own size, as premultiplied pixels.
std::vector<UINT32> Render(Gdiplus::Image& image) {
    const INT width = static_cast<INT>(image.GetWidth());
    const INT height = static_cast<INT>(image.GetHeight());
    std::vector<UINT32> pixels(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    Gdiplus::Bitmap canvas(width, height, width * 4, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(pixels.data()));
    Gdiplus::Graphics graphics(&canvas);
    EXPECT_EQ(Gdiplus::Ok, graphics.DrawImage(&image, 0, 0, width, height));
    return pixels;
}

TEST_F(PngResource, TwoLoadsOfOneIdAreIndependentImages) {
    PngImagePtr first;
    PngImagePtr second;
    ASSERT_TRUE(LoadPngResource(first, GetModuleHandleW(nullptr), IDB_PNG_PROMPT_SHELL));
    ASSERT_TRUE(LoadPngResource(second, GetModuleHandleW(nullptr), IDB_PNG_PROMPT_SHELL));
    ASSERT_NE(first.get(), second.get());
    const std::vector<UINT32> before = Render(*first);
    first.reset();
    const std::vector<UINT32> after = Render(*second);
    EXPECT_EQ(before, after);
    // The centre of the prompt's shell is opaque: something was drawn at all.
    EXPECT_EQ(0xFFu, after[75 * 330 + 165] >> 24);
}

SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof(counters));
    // Both are the process's committed private memory; Wine fills only the page-file figure.
    return counters.PrivateUsage > counters.PagefileUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

TEST_F(PngResource, LoadingAndDeletingOverAndOverKeepsThePrivateBytesFlat) {
    auto cycle = [](int times) {
        for (int i = 0; i < times; ++i) {
            Gdiplus::Image* image = nullptr;
            ASSERT_TRUE(LoadPngResource(&image, GetModuleHandleW(nullptr), kPaddedPng));
            ASSERT_EQ(1u, image->GetWidth());
            delete image;
        }
    };
    cycle(50);  // warm-up: heaps and caches settle
    const SIZE_T start = PrivateBytes();
    ASSERT_GT(start, 0u);
    cycle(1000);
    const SIZE_T end = PrivateBytes();
    // A copy kept per load would be some 64 MB here.
    EXPECT_LT(end, start + 4u * 1024 * 1024) << "grew by " << (end - start) / 1024 << " KB";
}

}  // namespace
