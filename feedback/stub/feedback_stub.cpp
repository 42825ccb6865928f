// Our stand-in for the maker's VeskorFeedbackInformation.dll: the same eleven exports, small local
// behaviour. Pages open in the browser; feedback reports go to a file in the user's local
// application data. When NT_FEEDBACK_LOG names a file, every call is appended there as one line
// (name and arguments, tab-separated, UTF-8) and nothing is opened or reported, so that tests can
// watch the calls.
#include <windows.h>

#include <oleauto.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdlib>
#include <string>
#include <string_view>

#include "base/handles.h"
#include "feedback/feedback_exports.h"
#include "feedback/stub/version_compare.h"

namespace fb = taskwing::feedback;

// The declarations come from the shared function types: a definition below that differs from its
// type does not compile.
extern "C" {
fb::InitFreedbackDllFn InitFreedbackDll;
fb::FeedbackQuestionFn FeedbackQuestion;
fb::OpenUrlFn OpenUrl;
fb::GetInterNetStateFn GetInterNetState;
fb::CustomerFeedbackFn CustomerFeedback;
fb::WriteCustomerFeedbackInfoFileFn WriteCustomerFeedbackInfoFile;
fb::GetToolIsNewVersionDownFn GetToolIsNewVersionDown;
fb::CustomerFeedbackExFn CustomerFeedbackEx;
fb::GetToolIsNewVersionFn GetToolIsNewVersion;
fb::OpenToolDownUrlFn OpenToolDownUrl;
fb::OpenUseAgreementUrlFn OpenUseAgreementUrl;
}

extern "C" IMAGE_DOS_HEADER __ImageBase;  // this DLL's own module

namespace {

constexpr wchar_t kIniName[] = L"VeskorFeedback.ini";
constexpr wchar_t kReportFolder[] = L"VeskorFeedback";
constexpr wchar_t kReportFile[] = L"Feedback.txt";

// The pages, each replaceable in the INI's [Pages] section. Reserved example addresses: a stand-in
// must not send users to somebody else's site.
struct Page {
    const wchar_t* key;
    const wchar_t* address;
};
constexpr Page kPages[fb::kTextCount] = {
    {L"home", L"https://www.veskor.example/"},
    {L"question", L"https://www.veskor.example/feedback/question"},
    {L"agreement", L"https://www.veskor.example/agreement"},
    {L"moretools", L"https://www.veskor.example/tools"},  // index 3: "更多工具"
    {L"download", L"https://www.veskor.example/download"},
    {L"report", L"https://www.veskor.example/feedback/report"},
};
enum PageIndex { kHome, kQuestion, kAgreement, kMoreTools, kDownload, kReport };
static_assert(kMoreTools == fb::kMoreToolsText);

std::wstring ModulePath(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) return path.substr(0, n);
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

std::wstring IniPath() {
    const std::wstring self = ModulePath(reinterpret_cast<HMODULE>(&__ImageBase));
    const size_t slash = self.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : self.substr(0, slash + 1) + kIniName;
}

std::wstring IniValue(const wchar_t* section, const wchar_t* key) {
    wchar_t value[2048] = {};
    const std::wstring ini = IniPath();
    if (!ini.empty()) GetPrivateProfileStringW(section, key, L"", value, ARRAYSIZE(value), ini.c_str());
    return value;
}

std::wstring PageAddress(PageIndex index) {
    std::wstring address = IniValue(L"Pages", kPages[index].key);
    return address.empty() ? kPages[index].address : address;
}

// Reads the environment through the system: the process's C runtime and ours keep separate copies.
std::wstring CallLogPath() {
    wchar_t path[MAX_PATH * 2] = {};
    const DWORD n = GetEnvironmentVariableW(L"NT_FEEDBACK_LOG", path, ARRAYSIZE(path));
    return n > 0 && n < ARRAYSIZE(path) ? std::wstring(path, n) : std::wstring();
}

std::wstring Arg(const wchar_t* text) { return text ? text : L"(null)"; }

std::string ToUtf8(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

bool AppendLine(const std::wstring& file, const std::wstring& line) {
    const std::string bytes = ToUtf8(line + L"\r\n");
    // Append-only access makes each line one atomic write, even with several writers.
    taskwing::unique_hfile out(CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out) return false;
    DWORD written = 0;
    return WriteFile(out.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// Records the call when the call log is set; true means "observed, do nothing else".
bool LogCall(const std::wstring& line) {
    const std::wstring log = CallLogPath();
    if (log.empty()) return false;
    AppendLine(log, line);
    return true;
}

bool IsWebAddress(std::wstring_view url) {
    auto startsWith = [url](std::wstring_view prefix) {
        return url.size() > prefix.size() &&
               CompareStringOrdinal(url.data(), static_cast<int>(prefix.size()), prefix.data(),
                                    static_cast<int>(prefix.size()), TRUE) == CSTR_EQUAL;
    };
    return startsWith(L"https://") || startsWith(L"http://");
}

int OpenPage(const std::wstring& url) {
    if (!IsWebAddress(url)) return 0;  // never hand the shell a program or a file to start
    const auto result =
        reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32 ? 1 : 0;
}

std::wstring QueryValue(const wchar_t* text) {
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring out;
    for (unsigned char c : ToUtf8(Arg(text))) {
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.' || c == '-' ||
            c == '_') {
            out += static_cast<wchar_t>(c);
        } else {
            out += L'%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::wstring ReportPath() {
    wchar_t base[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base))) return {};
    std::wstring folder = std::wstring(base) + L'\\' + kReportFolder;
    CreateDirectoryW(folder.c_str(), nullptr);  // may exist already
    return folder + L'\\' + kReportFile;
}

int Report(const std::wstring& line) {
    if (LogCall(line)) return 1;
    const std::wstring path = ReportPath();
    return !path.empty() && AppendLine(path, line) ? 1 : 0;
}

}  // namespace

extern "C" {

int __cdecl InitFreedbackDll(BSTR* texts) {
    if (!texts) return 0;
    LogCall(L"InitFreedbackDll");
    // Tests make the library refuse (or answer some other number) through [Init] result; a refusal
    // hands back no texts.
    const std::wstring result = IniValue(L"Init", L"result");
    const int answer = result.empty() ? 1 : _wtoi(result.c_str());
    if (answer == 0) return 0;
    for (int i = 0; i < fb::kTextCount; ++i) {
        const std::wstring address = PageAddress(static_cast<PageIndex>(i));
        texts[i] = SysAllocStringLen(address.data(), static_cast<UINT>(address.size()));
        if (!texts[i]) return 0;  // what was filled is the caller's to free, as always
    }
    return answer;
}

int __cdecl FeedbackQuestion(const wchar_t* toolId, const wchar_t* version) {
    if (LogCall(L"FeedbackQuestion\t" + Arg(toolId) + L'\t' + Arg(version))) return 1;
    return OpenPage(PageAddress(kQuestion) + L"?toolid=" + QueryValue(toolId) + L"&version=" + QueryValue(version));
}

int __cdecl OpenUrl(BSTR url) {
    const std::wstring address = url ? std::wstring(url, SysStringLen(url)) : std::wstring();
    SysFreeString(url);  // ours from the moment of the call
    if (!IsWebAddress(address)) return 0;
    if (LogCall(L"OpenUrl\t" + address)) return 1;
    return OpenPage(address);
}

int __cdecl GetInterNetState() {
    LogCall(L"GetInterNetState");
    return 1;
}

int __cdecl CustomerFeedback(const wchar_t* toolId, const wchar_t* version, int answer) {
    return Report(L"CustomerFeedback\t" + Arg(toolId) + L'\t' + Arg(version) + L'\t' + std::to_wstring(answer));
}

int __cdecl WriteCustomerFeedbackInfoFile(const wchar_t* toolId, const wchar_t* version) {
    LogCall(L"WriteCustomerFeedbackInfoFile\t" + Arg(toolId) + L'\t' + Arg(version));
    return 1;
}

int __cdecl GetToolIsNewVersionDown(const wchar_t* toolId, const wchar_t* version) {
    LogCall(L"GetToolIsNewVersionDown\t" + Arg(toolId) + L'\t' + Arg(version));
    return 1;
}

int __cdecl CustomerFeedbackEx(const wchar_t* toolId, const wchar_t* version, int answer, const wchar_t* timeText,
                               const wchar_t* deviceText) {
    return Report(L"CustomerFeedbackEx\t" + Arg(toolId) + L'\t' + Arg(version) + L'\t' + std::to_wstring(answer) +
                  L'\t' + Arg(timeText) + L'\t' + Arg(deviceText));
}

// The newest version comes from the INI beside this library; without one nothing is newer.
int __cdecl GetToolIsNewVersion(const wchar_t* toolId, const wchar_t* version) {
    LogCall(L"GetToolIsNewVersion\t" + Arg(toolId) + L'\t' + Arg(version));
    if (!version) return 0;
    return fb::IsOlderVersion(version, IniValue(L"Update", L"newest")) ? fb::kNewerVersion : 0;
}

int __cdecl OpenToolDownUrl() {
    if (LogCall(L"OpenToolDownUrl")) return 1;
    return OpenPage(PageAddress(kDownload));
}

int __cdecl OpenUseAgreementUrl() {
    if (LogCall(L"OpenUseAgreementUrl")) return 1;
    return OpenPage(PageAddress(kAgreement));
}

}  // extern "C"
