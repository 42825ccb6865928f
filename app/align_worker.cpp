#include "app/align_worker.h"

#include <winternl.h>
#include <versionhelpers.h>

#include <memory>
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
    L"/d 0", AlignResult::kMoveLeftSucceeded, AlignResult::kMoveLeftFailed,
    L"创建Windows11开始按钮左移线程失败", L"开始按钮左移失败", L"执行开始按钮左移命令失败",
};
const AlignOperation kCentre = {
    L"/d 1", AlignResult::kCentreSucceeded, AlignResult::kCentreFailed,
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

bool CAlignWorker::LaunchMoveLeft() { return Launch(taskwing::kMoveLeft); }
bool CAlignWorker::LaunchCentre() { return Launch(taskwing::kCentre); }
int CAlignWorker::DoMoveLeft() { return RunJob(Job{m_hReceiver, &taskwing::kMoveLeft, m_runCommand}); }
int CAlignWorker::DoCentre() { return RunJob(Job{m_hReceiver, &taskwing::kCentre, m_runCommand}); }

DWORD WINAPI CAlignWorker::JobThread(LPVOID parameter) {
    // The thread owns its job: the window and its worker object may be gone before it ends.
    std::unique_ptr<Job> job(static_cast<Job*>(parameter));
    RunJob(*job);
    return 1;
}

bool CAlignWorker::Launch(const taskwing::AlignOperation& operation) {
    auto job = std::make_unique<Job>(Job{m_hReceiver, &operation, m_runCommand});
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
    std::wstring output;
    const std::wstring command = taskwing::AlignCommand(operation);
    const int ran = job.runCommand ? job.runCommand(command, output) : ExecuteCommand(command, output);
    const bool succeeded = ran != 0 && output.find(taskwing::kRegSuccessText) != std::wstring::npos;

    // Both sends block: the second returns only when the user has dismissed the result prompt,
    // so a failure is logged after it. A receiver that is gone by now fails the sends harmlessly.
    SendCloseProgress(job.receiver);
    SendAlignResult(job.receiver, succeeded ? operation.successCode : operation.failureCode);
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
