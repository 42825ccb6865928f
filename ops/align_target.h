#pragma once
// Where the alignment command writes, and what a failed operation's log line tells. Plain text in,
// plain text out, so both are tested on any platform.
#include <optional>
#include <string>
#include <string_view>

namespace taskwing {

inline constexpr std::wstring_view kAdvancedSubKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";

// The key path for `reg add` and the read-back. The tool runs elevated: when the user who typed
// an administrator's password runs it, this process is the administrator and HKEY_CURRENT_USER is
// the administrator's hive, not the desktop user's. So a shell user other than the process user is
// reached through HKEY_USERS\<SID>. An empty or malformed SID keeps HKEY_CURRENT_USER.
std::wstring AdvancedKeyFor(std::wstring_view processSid, std::wstring_view shellSid);

// What a failed command left behind, appended to its log line on the same line.
struct CommandTrace {
    bool started = false;
    unsigned long code = 0;               // the exit code, or the start's error code when not started
    std::optional<unsigned long> value;   // TaskbarAl as read back; none when absent or not a DWORD
    std::wstring_view output;             // what the command printed
};
// " | 退出码 1 | TaskbarAl 无 | 输出 ERROR: ..." with at most kTraceOutputChars of the output, its
// line breaks and other control characters as one blank; 无 for a value or an output that is not there.
inline constexpr size_t kTraceOutputChars = 120;
std::wstring TraceText(const CommandTrace& trace);

}  // namespace taskwing
