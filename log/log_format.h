#pragma once
// The log's file-level formats as plain functions: folder path, entry line, hex text, size limit.
#include <cstdint>
#include <optional>
#include <string>

namespace taskwing {

// A file that has grown beyond this many bytes after an entry is moved to its backup.
inline constexpr std::uint64_t kLogSizeLimit = 6020000;
inline constexpr wchar_t kLogFolderName[] = L"ToolLog";
inline constexpr wchar_t kLogConfigName[] = L"logCfg.ini";

// Local time of one entry, field by field.
struct LogTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
};

// "[2023-03-05 14:07:09 008ms]   ": the stamp with its three trailing spaces.
std::wstring FormatLogTimeStamp(const LogTime& time);

// One whole line: time stamp, text unchanged, CR LF.
std::wstring FormatLogEntry(const LogTime& time, const std::wstring& text);

// Each byte as "%02X " (trailing space included); nothing for a count of 0 or less.
std::wstring FormatHexBytes(const unsigned char* bytes, std::int32_t count);

// The log folder without its trailing backslash: the special folder + "\ToolLog", or the relative
// "ToolLog" when the special folder could not be resolved.
std::wstring LogFolderPath(const std::optional<std::wstring>& commonAppData);

// The one backup generation: the whole file name (extension included) followed by "bak".
std::wstring LogBackupPath(const std::wstring& logPath);

bool LogNeedsRotation(std::uint64_t fileSize);

// White space removed at both ends.
std::wstring TrimWhiteSpace(const std::wstring& text);

}  // namespace taskwing
