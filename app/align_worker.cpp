#include "app/align_worker.h"

#include <winternl.h>
#include <sddl.h>
#include <versionhelpers.h>
#include <wtsapi32.h>

#include <memory>
#include <string>
#include <vector>

#include "app/align_target.h"
#include "base/handles.h"
#include "dialogs/messages.h"
#include "log/log_save.h"
#include "system/command_runner.h"

namespace taskwing {

namespace {

const BYTE* ProcessEnvironmentBlock() {
    using QueryFn = LONG(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (ntdll == nullptr) return nullptr;
    auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info{};
    if (query == nullptr || query(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof(info), nullptr) < 0) return nullptr;
    return reinterpret_cast<const BYTE*>(info.PebBaseAddress);
}

}  // namespace

OsVersion ReadOsVersion() {
    OsVersion v;
    // The numbers live in the PEB, which no compatibility shim rewrites.
    const BYTE* peb = ProcessEnvironmentBlock();
    if (peb == nullptr) return v;
#if defined(_WIN64)
    constexpr size_t kMajor = 0x118, kMinor = 0x11C, kBuild = 0x120;
#else
    constexpr size_t kMajor = 0xA4, kMinor = 0xA8, kBuild = 0xAC;
#endif
    v.major = *reinterpret_cast<const ULONG*>(peb + kMajor);
    v.minor = *reinterpret_cast<const ULONG*>(peb + kMinor);
    v.build = *reinterpret_cast<const USHORT*>(peb + kBuild);
    v.workstation = !IsWindowsServer();
    return v;
}

const AlignOperation kMoveLeft = {
    L"/d 0", 0, AlignResult::kMoveLeftSucceeded, AlignResult::kMoveLeftFailed,
    L"创建Windows11开始按钮左移线程失败", L"开始按钮左移失败", L"执行开始按钮左移命令失败",
};
const AlignOperation kCentre = {
    L"/d 1", 1, AlignResult::kCentreSucceeded, AlignResult::kCentreFailed,
    L"创建Windows11开始按钮居中线程失败", L"开始按钮居中失败", L"执行开始按钮居中命令失败",
};

std::wstring AlignCommand(const AlignOperation& operation, const std::wstring& key) {
    return L"reg add \"" + key + L"\" /v \"TaskbarAl\" " + operation.dataArgument + L" /t REG_DWORD /f";
}

std::optional<DWORD> ReadTaskbarAl(const std::wstring& key) {
    const size_t slash = key.find(L'\\');
    if (slash == std::wstring::npos) return std::nullopt;
    const std::wstring root = key.substr(0, slash);
    HKEY hive = root == L"HKEY_CURRENT_USER" ? HKEY_CURRENT_USER : root == L"HKEY_USERS" ? HKEY_USERS : nullptr;
    if (hive == nullptr) return std::nullopt;
    // The 64-bit view, which the 64-bit reg that the runner starts writes.
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueW(hive, key.c_str() + slash + 1, L"TaskbarAl", RRF_RT_REG_DWORD | RRF_SUBKEY_WOW6464KEY, nullptr,
                     &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

namespace {

std::wstring SidText(PSID sid) {
    wchar_t* text = nullptr;
    if (sid == nullptr || !ConvertSidToStringSidW(sid, &text)) return {};
    std::wstring result(text);
    LocalFree(text);
    return result;
}

std::wstring TokenUserSid(HANDLE process) {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &raw)) return {};
    unique_handle token(raw);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    if (size == 0) return {};
    std::vector<BYTE> buffer(size);
    if (!GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size)) return {};
    return SidText(reinterpret_cast<const TOKEN_USER*>(buffer.data())->User.Sid);
}

}  // namespace

std::wstring ProcessUserSid() { return TokenUserSid(GetCurrentProcess()); }

std::wstring ShellUserSid() {
    HWND shell = GetShellWindow();
    DWORD pid = 0;
    if (shell == nullptr || GetWindowThreadProcessId(shell, &pid) == 0 || pid == 0) return {};
    unique_handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    std::wstring sid = process ? TokenUserSid(process.get()) : std::wstring();
    if (!sid.empty()) return sid;
    // Another user's token may refuse us; the session manager knows each process's user. Loaded
    // here only, from the system folder: the start-up pays nothing for it.
    using EnumerateFn = BOOL(WINAPI*)(HANDLE, DWORD, DWORD, WTS_PROCESS_INFOW**, DWORD*);
    using FreeFn = void(WINAPI*)(PVOID);
    unique_hmodule wts(LoadLibraryExW(L"wtsapi32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (!wts) return {};
    auto enumerate = reinterpret_cast<EnumerateFn>(reinterpret_cast<void*>(GetProcAddress(wts.get(), "WTSEnumerateProcessesW")));
    auto release = reinterpret_cast<FreeFn>(reinterpret_cast<void*>(GetProcAddress(wts.get(), "WTSFreeMemory")));
    WTS_PROCESS_INFOW* processes = nullptr;
    DWORD count = 0;
    if (enumerate == nullptr || release == nullptr || !enumerate(WTS_CURRENT_SERVER_HANDLE, 0, 1, &processes, &count))
        return {};
    for (DWORD i = 0; i < count; ++i)
        if (processes[i].ProcessId == pid) sid = SidText(processes[i].pUserSid);
    release(processes);
    return sid;
}

}  // namespace taskwing

namespace {
constexpr char kLogFile[] = "Taskwing.txt";

void LogFailure(const std::wstring& message) { CLogSave::GetInstance()->WriteLog(message, kLogFile, true); }
}  // namespace

bool CAlignWorker::SetReceiver(HWND receiver) {
    if (receiver == nullptr) return false;
    m_hReceiver = receiver;
    return true;
}

bool CAlignWorker::LaunchMoveLeft() { return Launch(taskwing::kMoveLeft); }
bool CAlignWorker::LaunchCentre() { return Launch(taskwing::kCentre); }
int CAlignWorker::DoMoveLeft() { return RunJob(Job{m_hReceiver, &taskwing::kMoveLeft, m_runCommand, m_shellUser}); }
int CAlignWorker::DoCentre() { return RunJob(Job{m_hReceiver, &taskwing::kCentre, m_runCommand, m_shellUser}); }

DWORD WINAPI CAlignWorker::JobThread(LPVOID parameter) {
    // The thread owns its job: the window and its worker object may be gone before it ends.
    std::unique_ptr<Job> job(static_cast<Job*>(parameter));
    RunJob(*job);
    return 1;
}

bool CAlignWorker::Launch(const taskwing::AlignOperation& operation) {
    auto job = std::make_unique<Job>(Job{m_hReceiver, &operation, m_runCommand, m_shellUser});
    HANDLE thread = m_startThread ? m_startThread(&CAlignWorker::JobThread, job.get())
                                  : CreateThread(nullptr, 0, &CAlignWorker::JobThread, job.get(), 0, nullptr);
    if (thread == nullptr) {
        LogFailure(operation.threadFailedLog);
        return false;
    }
    job.release();  // the thread's now
    CloseHandle(thread);  // detached: nobody waits for it
    return true;
}

int CAlignWorker::RunJob(const Job& job) {
    const taskwing::AlignOperation& operation = *job.operation;
    // The desktop user's own setting, even when this elevated process runs as another user.
    const std::wstring key = taskwing::AdvancedKeyFor(taskwing::ProcessUserSid(),
                                                      job.shellUser ? job.shellUser() : taskwing::ShellUserSid());
    std::wstring output;
    DWORD code = 0;
    const std::wstring command = taskwing::AlignCommand(operation, key);
    const int ran = job.runCommand ? job.runCommand(command, output, code) : ExecuteCommand(command, output, code);
    // The registry decides, not the text that `reg` prints: that text is in the system's language.
    const std::optional<DWORD> value = taskwing::ReadTaskbarAl(key);
    const bool succeeded = ran != 0 && value == operation.value;

    // Both sends block: the second returns only when the user has dismissed the result prompt,
    // so a failure is logged after it. A receiver that is gone by now fails the sends harmlessly.
    SendCloseProgress(job.receiver);
    SendAlignResult(job.receiver, succeeded ? operation.successCode : operation.failureCode);
    if (succeeded) return 1;
    std::wstring line = ran != 0 ? operation.textMissingLog : operation.runFailedLog;
    line += taskwing::TraceText({ran != 0, code, value, output});
    LogFailure(line);
    return 0;
}

bool CAlignWorker::IsSupportedSystem() {
    using namespace taskwing;
    switch (ClassifyVersion(ReadOsVersion())) {
    case VersionVerdict::Refuse:
        return false;
    case VersionVerdict::Accept:
        return true;
    case VersionVerdict::Probe:
        break;
    }
    std::wstring output;
    const int result = ExecuteCommand(L"WMIC OS List status", output);
    return ProbeNamesWindows11(result, output);
}
