// The logger on a system whose ANSI code page is 1252 (run under the C.UTF-8 locale): the file is
// GBK all the same.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "log/log_save.h"
#include "tests/log/log_test_support.h"

namespace {

using namespace logtest;

class LogCodePage1252 : public LogTest {
protected:
    void SetUp() override {
        ASSERT_EQ(GetACP(), 1252u) << "this program runs under the C.UTF-8 locale";
        LogTest::SetUp();
    }
};

TEST_F(LogCodePage1252, NarrowTextAndFileNamesAreReadAsAnsiAndWrittenAsGbk) {
    CLogSave logger(m_base, FixedTime);
    // é (0xE9 in 1252) is A8 A6 in GBK; Þ (0xDE) has no GBK form and becomes the replacement character.
    logger.WriteLog(std::string("caf\xE9 \xDE"), "caf\xE9.txt", true);
    EXPECT_EQ(ReadBytes(LogDir() + L"caf\u00E9.txt"), kStamp + "caf\xA8\xA6 ?\r\n");
}

TEST_F(LogCodePage1252, WideMessagesReachTheFileIntact) {
    CLogSave logger(m_base, FixedTime);
    logger.WriteLog(L"开始按钮左移失败", "Taskwing.txt", true);
    logger.WriteLog(L"a\u0E01b", "Taskwing.txt", true);  // a Thai letter: not in GBK
    EXPECT_EQ(ReadBytes(LogDir() + L"Taskwing.txt"), kStamp + kFailedGbk + "\r\n" + kStamp + "a?b\r\n");
}

}  // namespace
