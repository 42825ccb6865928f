// The one code-page conversion, with the code pages the tool names: 936 for the log, UTF-8.
#include "base/code_page.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kGbk = 936;

TEST(CodePage, GbkBothWays) {
    EXPECT_EQ(L"\u554A1", taskwing::ToWide("\xB0\xA1" "1", kGbk));
    EXPECT_EQ("\xB0\xA1" "1", taskwing::FromWide(L"\u554A1", kGbk));
    // A length, not a terminator: an embedded NUL goes across too.
    EXPECT_EQ(std::wstring(L"a\0b", 3), taskwing::ToWide(std::string_view("a\0b", 3), kGbk));
}

TEST(CodePage, MissingCharactersBecomeTheReplacementWithoutBestFit) {
    EXPECT_EQ("?", taskwing::FromWide(L"\u00DE", kGbk, WC_NO_BEST_FIT_CHARS));
    EXPECT_EQ("\xC3\x9E", taskwing::FromWide(L"\u00DE", CP_UTF8));
}

TEST(CodePage, EmptyAndUnknownCodePagesGiveEmptyText) {
    EXPECT_EQ(L"", taskwing::ToWide("", kGbk));
    EXPECT_EQ("", taskwing::FromWide(L"", kGbk));
    EXPECT_EQ(L"", taskwing::ToWide("abc", 12345));
    EXPECT_EQ("", taskwing::FromWide(L"abc", 12345));
}

}  // namespace
