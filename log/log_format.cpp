// The log's formats: the folder, the entry line, hex text and the size limit.
#include "log/log_format.h"

#include <cwchar>
#include <cwctype>

#include "base/decimal_text.h"

namespace taskwing {

std::wstring FormatLogTimeStamp(const LogTime& time) {
    // "[%04d-%02d-%02d %02d:%02d:%02d %03dms]   "
    return L"[" + DecimalText(time.year, 4) + L"-" + DecimalText(time.month, 2) + L"-" + DecimalText(time.day, 2) +
           L" " + DecimalText(time.hour, 2) + L":" + DecimalText(time.minute, 2) + L":" +
           DecimalText(time.second, 2) + L" " + DecimalText(time.milliseconds, 3) + L"ms]   ";
}

std::wstring FormatLogEntry(const LogTime& time, const std::wstring& text) {
    std::wstring line = FormatLogTimeStamp(time);
    line += text;
    line += L"\r\n";
    return line;
}

std::wstring FormatHexBytes(const unsigned char* bytes, std::int32_t count) {
    static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring text;
    if (bytes == nullptr || count <= 0) return text;
    text.reserve(static_cast<size_t>(count) * 3);
    for (std::int32_t i = 0; i < count; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
        text += L' ';
    }
    return text;
}

std::wstring LogFolderPath(const std::optional<std::wstring>& commonAppData) {
    std::wstring path;
    if (commonAppData) {
        path = *commonAppData;
        path += L'\\';
    }
    path += kLogFolderName;
    return path;
}

std::wstring LogBackupPath(const std::wstring& logPath) { return logPath + L"bak"; }

bool LogNeedsRotation(std::uint64_t fileSize) { return fileSize > kLogSizeLimit; }

std::wstring TrimWhiteSpace(const std::wstring& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && std::iswspace(static_cast<std::wint_t>(text[first]))) ++first;
    while (last > first && std::iswspace(static_cast<std::wint_t>(text[last - 1]))) --last;
    return text.substr(first, last - first);
}

}  // namespace taskwing
