// The stand-in library's version comparison, which decides whether the update notice appears.
#include "feedback/stub/version_compare.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using taskwing::feedback::IsOlderVersion;
using taskwing::feedback::ParseVersion;

TEST(VersionCompare, PartsCompareAsNumbersNotAsText) {
    EXPECT_TRUE(IsOlderVersion(L"1.1.22.1017", L"1.1.22.1018"));
    EXPECT_TRUE(IsOlderVersion(L"1.1.22.1017", L"1.2"));
    EXPECT_TRUE(IsOlderVersion(L"1.1.9", L"1.1.10"));        // as text "9" > "10"
    EXPECT_FALSE(IsOlderVersion(L"1.1.22.1017", L"1.1.3"));  // as text "22" < "3"
    EXPECT_FALSE(IsOlderVersion(L"1.1.22.1017", L"1.1.22.1017"));
    EXPECT_FALSE(IsOlderVersion(L"2.0", L"1.9.9.9"));
    EXPECT_FALSE(IsOlderVersion(L"1.2", L"1.2.0.0"));  // missing parts count as 0
    EXPECT_TRUE(IsOlderVersion(L"1.2", L"1.2.0.1"));
}

TEST(VersionCompare, TextThatIsNotAVersionNeverAnnouncesAnUpdate) {
    for (const wchar_t* bad : {L"", L".", L"1..2", L"1.2.", L".1", L"1.2 beta", L" 1.2", L"v1.2", L"1,2", L"１.２",
                               L"1.1234567890123456789"}) {
        EXPECT_TRUE(ParseVersion(bad).empty()) << static_cast<int>(ParseVersion(bad).size());
        EXPECT_FALSE(IsOlderVersion(L"1.0", bad));
        EXPECT_FALSE(IsOlderVersion(bad, L"9.9"));
    }
    EXPECT_EQ(ParseVersion(L"1.1.22.1017"), (std::vector<std::uint64_t>{1, 1, 22, 1017}));
    EXPECT_EQ(ParseVersion(L"999999999999999999"), (std::vector<std::uint64_t>{999999999999999999ull}));
}

}  // namespace
