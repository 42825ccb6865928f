#include "app/align_target.h"

#include <gtest/gtest.h>

using taskwing::AdvancedKeyFor;

TEST(AdvancedKeyFor, TheShellUsersOwnHiveOnlyWhenBothSidsAreReadAndDiffer) {
    const std::wstring current = L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
    const std::wstring admin = L"S-1-5-21-1004336348-1177238915-682003330-500";
    const std::wstring user = L"S-1-5-21-1004336348-1177238915-682003330-1001";
    struct Case {
        std::wstring process, shell, key;
    } cases[] = {
        {user, user, current},
        {admin, user, L"HKEY_USERS\\" + user + L"\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced"},
        {L"s-1-5-18", L"S-1-5-18", current},  // the same SID spelt with a small s
        {admin, L"", current},                 // no shell, or its SID unreadable
        {L"", user, current},                  // this process's own SID unreadable
        // Never anything but a SID on the command line.
        {admin, L"S-1-5-21-1\" /f & del x", current},
        {admin, L"S-1-5-21-1\\..\\x", current},
        {admin, L"S-1--21", current},
        {admin, L"S-1-5-", current},
        {admin, L"S-1", current},
    };
    for (const Case& c : cases) EXPECT_EQ(AdvancedKeyFor(c.process, c.shell), c.key) << c.shell.size();
}

TEST(TraceText, OneLineWithTheStartOfTheOutput) {
    EXPECT_EQ(taskwing::TraceText({true, 1, 1, L"\r\n错误: 拒绝访问。\r\n\r\n"}),
              L" | 退出码 1 | TaskbarAl 1 | 输出 错误: 拒绝访问。");
    EXPECT_EQ(taskwing::TraceText({false, 2, std::nullopt, L""}), L" | 未能启动，错误 2 | TaskbarAl 无 | 输出 无");
    const std::wstring longOutput(300, L'x');
    EXPECT_EQ(taskwing::TraceText({true, 0, 0, longOutput}),
              L" | 退出码 0 | TaskbarAl 0 | 输出 " + std::wstring(taskwing::kTraceOutputChars, L'x') + L"...");
}
