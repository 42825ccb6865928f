// Which hive the alignment command writes to, and the trace a failed command leaves in the log.
#include "ops/align_target.h"

#include "base/decimal_text.h"

namespace taskwing {

namespace {

// "S-1-5-21-...": what ConvertSidToStringSidW gives. Anything else is not put on a command line.
bool IsSidText(std::wstring_view sid) {
    if (sid.size() < 4 || sid.size() > 184 || (sid[0] != L'S' && sid[0] != L's') || sid[1] != L'-') return false;
    int parts = 0;
    bool digit = false;
    for (size_t i = 2; i <= sid.size(); ++i) {
        if (i == sid.size() || sid[i] == L'-') {
            if (!digit) return false;
            ++parts;
            digit = false;
        } else if (sid[i] >= L'0' && sid[i] <= L'9') {
            digit = true;
        } else {
            return false;
        }
    }
    return parts >= 3;  // revision, authority and at least one sub-authority
}

bool SameSid(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const wchar_t x = a[i] == L's' ? L'S' : a[i];
        const wchar_t y = b[i] == L's' ? L'S' : b[i];
        if (x != y) return false;
    }
    return true;
}

}  // namespace

std::wstring AdvancedKeyFor(std::wstring_view processSid, std::wstring_view shellSid) {
    std::wstring key;
    if (IsSidText(processSid) && IsSidText(shellSid) && !SameSid(processSid, shellSid)) {
        key = L"HKEY_USERS\\";
        key += shellSid;
    } else {
        key = L"HKEY_CURRENT_USER";
    }
    key += L'\\';
    key += kAdvancedSubKey;
    return key;
}

std::wstring TraceText(const CommandTrace& trace) {
    std::wstring text = trace.started ? L" | 退出码 " : L" | 未能启动，错误 ";
    text += DecimalText(trace.code);
    text += L" | TaskbarAl ";
    text += trace.value ? DecimalText(*trace.value) : L"无";
    text += L" | 输出 ";
    const std::wstring_view output = trace.output.substr(0, kTraceOutputChars);
    std::wstring shown;
    for (wchar_t c : output) {
        // One log entry is one line.
        const bool blank = c < 0x20 || c == 0x7F;
        if (blank && (shown.empty() || shown.back() == L' ')) continue;
        shown += blank ? L' ' : c;
    }
    while (!shown.empty() && shown.back() == L' ') shown.pop_back();
    text += shown.empty() ? L"无" : shown;
    if (trace.output.size() > kTraceOutputChars) text += L"...";
    return text;
}

}  // namespace taskwing
