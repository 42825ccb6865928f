// The alignment worker: the operations' table, their command and read-back, and their threads.
#include "ops/align_worker.h"

#include <memory>
#include <string>

#include "app/tool_identity.h"
#include "log/log_save.h"
#include "ops/align_target.h"
#include "ops/desktop_user.h"
#include "ops/windows_version.h"
#include "system/command_runner.h"

namespace taskwing {

const AlignOperation kMoveLeft = {
    L"/d 0", 0, AlignResult::kMoveLeftSucceeded, AlignResult::kMoveLeftFailed,
    L"正在左移，请稍等", L"开始按钮左移成功", L"开始按钮左移失败", L"开始按钮左移失败！",
    L"创建Windows11开始按钮左移线程失败", L"开始按钮左移失败", L"执行开始按钮左移命令失败",
};
const AlignOperation kCentre = {
    L"/d 1", 1, AlignResult::kCentreSucceeded, AlignResult::kCentreFailed,
    L"正在居中，请稍等", L"开始按钮居中成功", L"开始按钮居中失败", L"开始按钮居中失败！",
    L"创建Windows11开始按钮居中线程失败", L"开始按钮居中失败", L"执行开始按钮居中命令失败",
};

const AlignOperation* OperationOf(AlignResult result) {
    for (const AlignOperation* operation : {&kMoveLeft, &kCentre}) {
        if (result == operation->successCode || result == operation->failureCode) return operation;
    }
    return nullptr;
}

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

}  // namespace taskwing

namespace {
void LogFailure(const std::wstring& message) {
    CLogSave::GetInstance()->WriteLog(message, taskwing::kLogFile, true);
}
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

bool CAlignWorker::IsSupportedSystem() { return taskwing::RunsOnWindows11(); }
