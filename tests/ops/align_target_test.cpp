// Which hive the command writes to, and what a failed operation's log line tells.
#include "ops/align_target.h"

#include <gtest/gtest.h>

TEST(AdvancedKeyFor, TheShellUsersOwnHiveOnlyWhenBothSidsAreReadAndDiffer) {
    const std::wstring current = L"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
    const std::wstring admin = L"S-1-5-21-1004336348-1177238915-682003330-500";
    const std::wstring user = L"S-1-5-21-1004336348-1177238915-682003330-1001";
    const struct {
        std::wstring process, shell, key;
    } cases[] = {
        {user, user, current},
        {admin, user, L"HKEY_USERS\\" + user + L"\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced"},
        {L"s-1-5-18", L"S-1-5-18", current},  // the same SID spelt with a small s
        {admin, L"", current},                 // no shell, or its SID unreadable
        {L"", user, current},
        // Nothing but a SID goes on the command line.
        {admin, L"S-1-5-21-1\" /f & del x", current},
        {admin, L"S-1-5-", current},
    };
    for (const auto& c : cases) EXPECT_EQ(taskwing::AdvancedKeyFor(c.process, c.shell), c.key) << c.shell.size();
}
