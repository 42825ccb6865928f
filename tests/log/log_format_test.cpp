// The log's formats: the folder, entry lines, hex text and the size limit.
#include "log/log_format.h"

#include <gtest/gtest.h>

using taskwing::LogTime;

TEST(LogFormat, TimeStampIsZeroPaddedWithThreeSpacesAfterIt) {
    EXPECT_EQ(taskwing::FormatLogTimeStamp(LogTime{2023, 3, 5, 14, 7, 9, 8}), L"[2023-03-05 14:07:09 008ms]   ");
    EXPECT_EQ(taskwing::FormatLogTimeStamp(LogTime{987, 1, 1, 0, 0, 0, 0}), L"[0987-01-01 00:00:00 000ms]   ");
    EXPECT_EQ(taskwing::FormatLogTimeStamp(LogTime{2099, 12, 31, 23, 59, 59, 999}), L"[2099-12-31 23:59:59 999ms]   ");
}

TEST(LogFormat, EntryKeepsTextUnchangedAndEndsWithOneCrLf) {
    const LogTime t{2023, 3, 5, 14, 7, 9, 8};
    EXPECT_EQ(taskwing::FormatLogEntry(t, L""), L"[2023-03-05 14:07:09 008ms]   \r\n");
    EXPECT_EQ(taskwing::FormatLogEntry(t, L"开始按钮左移失败"), L"[2023-03-05 14:07:09 008ms]   开始按钮左移失败\r\n");
    // No trimming, no escaping of embedded line breaks.
    EXPECT_EQ(taskwing::FormatLogEntry(t, L" a\r\nb \n"), L"[2023-03-05 14:07:09 008ms]    a\r\nb \n\r\n");
    // A percent sign is text, not a format.
    EXPECT_EQ(taskwing::FormatLogEntry(t, L"100%s%d"), L"[2023-03-05 14:07:09 008ms]   100%s%d\r\n");
}

TEST(LogFormat, HexIsUpperCaseWithASpaceAfterEveryByte) {
    const unsigned char bytes[] = {0x00, 0x7F, 0x80, 0xFF};
    EXPECT_EQ(taskwing::FormatHexBytes(bytes, 4), L"00 7F 80 FF ");
    EXPECT_EQ(taskwing::FormatHexBytes(bytes, 1), L"00 ");
    EXPECT_EQ(taskwing::FormatHexBytes(bytes, 0), L"");
    EXPECT_EQ(taskwing::FormatHexBytes(bytes, -3), L"");
    EXPECT_EQ(taskwing::FormatHexBytes(nullptr, 4), L"");
}

TEST(LogFormat, TrimRemovesWhiteSpaceAtBothEndsOnly) {
    EXPECT_EQ(taskwing::TrimWhiteSpace(L" \t1 \r\n"), L"1");
    EXPECT_EQ(taskwing::TrimWhiteSpace(L" 1 a "), L"1 a");
    EXPECT_EQ(taskwing::TrimWhiteSpace(L"   "), L"");
    EXPECT_EQ(taskwing::TrimWhiteSpace(L""), L"");
}
