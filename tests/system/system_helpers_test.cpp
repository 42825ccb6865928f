// The system helpers: the conversions around the device type, and fonts copied from a window.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "system/system_helpers.h"
#include "tests/wine/test_support.h"

namespace {

struct FreeDeleter {
    void operator()(wchar_t* p) const { std::free(p); }
};
using MallocWide = std::unique_ptr<wchar_t, FreeDeleter>;

TEST(Conversions, NarrowToWideTakesEveryByteAsItsOwnCharacter) {
    MallocWide one(NarrowToWide("1"));
    ASSERT_NE(nullptr, one);
    EXPECT_STREQ(L"1", one.get());
    MallocWide empty(NarrowToWide(""));
    ASSERT_NE(nullptr, empty);
    EXPECT_STREQ(L"", empty.get());
    MallocWide high(NarrowToWide("7\xB0\xA1\xE9"));
    ASSERT_NE(nullptr, high);
    EXPECT_EQ((std::wstring{L'7', wchar_t{0xB0}, wchar_t{0xA1}, wchar_t{0xE9}}), std::wstring(high.get()));
}

TEST(Conversions, NarrowToWideIgnoresALocaleThatALogWriteSwitchedTo) {
    const std::string saved = std::setlocale(LC_CTYPE, nullptr);
    ASSERT_NE(nullptr, std::setlocale(LC_CTYPE, "chs"));
    // Under this locale the C runtime reads the two bytes as one character.
    wchar_t viaRuntime[4] = {};
    const size_t runtimeChars = std::mbstowcs(viaRuntime, "\xB0\xA1", 4);
    MallocWide wide(NarrowToWide("\xB0\xA1"));
    std::setlocale(LC_CTYPE, saved.c_str());
    ASSERT_EQ(1u, runtimeChars);
    ASSERT_NE(nullptr, wide);
    EXPECT_EQ((std::wstring{wchar_t{0xB0}, wchar_t{0xA1}}), std::wstring(wide.get()));
}

TEST(Conversions, WideToNarrowUsesTheAnsiCodePage) {
    ASSERT_EQ(936u, GetACP());
    EXPECT_EQ("MTIzNA==", WideToNarrow(L"MTIzNA=="));
    EXPECT_EQ("\xB0\xA1" "1", WideToNarrow(L"\u554A1"));
    EXPECT_EQ("", WideToNarrow(L""));
    EXPECT_EQ("", WideToNarrow(nullptr));
}

// A window that answers WM_GETFONT: a static keeps the font it is given.
class FontWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 30, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, window);
        LOGFONTW logFont{};
        logFont.lfHeight = -12;
        logFont.lfWeight = FW_NORMAL;
        logFont.lfCharSet = DEFAULT_CHARSET;
        std::wcscpy(logFont.lfFaceName, L"Tahoma");
        given.reset(CreateFontIndirectW(&logFont));
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(given.get()), FALSE);
    }
    void TearDown() override { DestroyWindow(window); }

    static LOGFONTW Read(HFONT font) {
        LOGFONTW logFont{};
        EXPECT_EQ(static_cast<int>(sizeof(logFont)), GetObjectW(font, sizeof(logFont), &logFont));
        return logFont;
    }
    static int Width(HDC dc, HFONT font, const std::wstring& text) {
        const HGDIOBJ previous = SelectObject(dc, font);
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, previous);
        return size.cx;
    }

    HWND window = nullptr;
    taskwing::unique_hfont given;
};

TEST_F(FontWindow, MakeFontAppliesHeightAndWeightOnlyWithAHeightChange) {
    taskwing::unique_hfont font;
    MakeFont(window, 2, 700, font);
    ASSERT_TRUE(font);
    LOGFONTW made = Read(font.get());
    EXPECT_EQ(-14, made.lfHeight);
    EXPECT_EQ(700, made.lfWeight);
    EXPECT_STREQ(L"Tahoma", made.lfFaceName);

    const HFONT first = font.get();
    MakeFont(window, 0, 700, font);
    made = Read(font.get());
    EXPECT_EQ(-12, made.lfHeight);
    EXPECT_EQ(FW_NORMAL, made.lfWeight);
    EXPECT_EQ(0u, GetObjectType(first));  // the font it held is freed

    MakeFont(window, -3, 0, font);  // no weight given: the window's stays
    made = Read(font.get());
    EXPECT_EQ(-9, made.lfHeight);
    EXPECT_EQ(FW_NORMAL, made.lfWeight);
}

TEST_F(FontWindow, WithoutAReadableWindowFontMakeFontCopiesTheStockGuiFont) {
    HWND dangling = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, dangling);
    {
        // A window left holding a font that its owner has already deleted.
        const LOGFONTW copy = Read(given.get());
        taskwing::unique_hfont gone(CreateFontIndirectW(&copy));
        SendMessageW(dangling, WM_SETFONT, reinterpret_cast<WPARAM>(gone.get()), FALSE);
    }
    SendMessageW(window, WM_SETFONT, 0, FALSE);
    const LOGFONTW stock = Read(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    for (HWND source : {window, HWND{nullptr}, dangling}) {
        taskwing::unique_hfont font;
        MakeFont(source, 0, 0, font);
        ASSERT_TRUE(font);
        const LOGFONTW made = Read(font.get());
        EXPECT_EQ(stock.lfHeight, made.lfHeight);
        EXPECT_STREQ(stock.lfFaceName, made.lfFaceName);
    }
    DestroyWindow(dangling);
}

TEST_F(FontWindow, MeasureTextWidthMeasuresInTheMadeFontAndLeavesTheDcAsItWas) {
    EXPECT_EQ(-1, MeasureTextWidth(window, nullptr, L"反馈问题", 0, 0));
    taskwing::unique_hdc dc(CreateCompatibleDC(nullptr));
    ASSERT_TRUE(dc);
    EXPECT_EQ(-1, MeasureTextWidth(nullptr, dc.get(), L"反馈问题", 0, 0));
    // A DC that cannot measure is a failure, not a width of 0.
    EXPECT_EQ(-1, MeasureTextWidth(window, reinterpret_cast<HDC>(0x0BAD0), L"反馈问题", 0, 0));

    const HGDIOBJ before = GetCurrentObject(dc.get(), OBJ_FONT);
    const int width = MeasureTextWidth(window, dc.get(), L"反馈问题", 0, 0);
    EXPECT_EQ(before, GetCurrentObject(dc.get(), OBJ_FONT));
    EXPECT_GT(width, 0);
    EXPECT_EQ(Width(dc.get(), given.get(), L"反馈问题"), width);
    EXPECT_EQ(0, MeasureTextWidth(window, dc.get(), L"", 0, 0));

    // Eight pixels taller.
    LOGFONTW larger = Read(given.get());
    larger.lfHeight = -20;
    taskwing::unique_hfont largerFont(CreateFontIndirectW(&larger));
    EXPECT_EQ(Width(dc.get(), largerFont.get(), L"反馈问题"), MeasureTextWidth(window, dc.get(), L"反馈问题", 8, 0));
}

}  // namespace
