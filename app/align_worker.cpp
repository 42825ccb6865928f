#include "app/align_worker.h"

#include <winternl.h>
#include <versionhelpers.h>

#include <string>

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
    L"/d 0", kMoveLeftSucceeded, kMoveLeftFailed,
    L"创建Windows11开始按钮左移线程失败", L"开始按钮左移失败", L"执行开始按钮左移命令失败",
};
const AlignOperation kCentre = {
    L"/d 1", kCentreSucceeded, kCentreFailed,
    L"创建Windows11开始按钮居中线程失败", L"开始按钮居中失败", L"执行开始按钮居中命令失败",
};

std::wstring AlignCommand(const AlignOperation& operation) {
    return std::wstring(L"reg add \"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\" "
                        L"/v \"TaskbarAl\" ") +
           operation.dataArgument + L" /t REG_DWORD /f";
}

}  // namespace taskwing

namespace {
constexpr char kLogFile[] = "Taskwing.txt";

void LogFailure(const wchar_t* message) { CLogSave::GetInstance()->WriteLog(message, kLogFile, true); }
}  // namespace

bool CAlignWorker::SetReceiver(HWND receiver) {
    if (receiver == nullptr) return false;
    m_hReceiver = receiver;
    return true;
}

bool CAlignWorker::LaunchMoveLeft() { return Launch(taskwing::kMoveLeft, &CAlignWorker::MoveLeftThread); }
bool CAlignWorker::LaunchCentre() { return Launch(taskwing::kCentre, &CAlignWorker::CentreThread); }
int CAlignWorker::DoMoveLeft() { return Run(taskwing::kMoveLeft); }
int CAlignWorker::DoCentre() { return Run(taskwing::kCentre); }

DWORD WINAPI CAlignWorker::MoveLeftThread(LPVOID worker) {
    static_cast<CAlignWorker*>(worker)->DoMoveLeft();
    return 1;
}

DWORD WINAPI CAlignWorker::CentreThread(LPVOID worker) {
    static_cast<CAlignWorker*>(worker)->DoCentre();
    return 1;
}

bool CAlignWorker::Launch(const taskwing::AlignOperation& operation, LPTHREAD_START_ROUTINE entry) {
    HANDLE thread = m_startThread ? m_startThread(entry, this) : CreateThread(nullptr, 0, entry, this, 0, nullptr);
    if (thread == nullptr) {
        LogFailure(operation.threadFailedLog);
        return false;
    }
    CloseHandle(thread);  // detached: nobody waits for it
    return true;
}

int CAlignWorker::RunCommand(std::wstring command, std::wstring& output) const {
    return m_runCommand ? m_runCommand(std::move(command), output) : ExecuteCommand(std::move(command), output);
}

int CAlignWorker::Run(const taskwing::AlignOperation& operation) {
    std::wstring output;
    const int ran = RunCommand(taskwing::AlignCommand(operation), output);
    const bool succeeded = ran != 0 && output.find(taskwing::kRegSuccessText) != std::wstring::npos;

    // Both sends block: the second returns only when the user has dismissed the result prompt,
    // so a failure is logged after it.
    SendMessageW(m_hReceiver, WM_CLOSE_PROGRESS, 0, 0);
    SendMessageW(m_hReceiver, WM_ALIGN_RESULT, succeeded ? operation.successCode : operation.failureCode, 0);
    if (succeeded) return 1;
    LogFailure(ran != 0 ? operation.textMissingLog : operation.runFailedLog);
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
