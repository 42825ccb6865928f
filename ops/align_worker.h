#pragma once
// The alignment worker: the Windows 11 gate, and the `reg add` operations on threads of their own.
// Each operation is one row of a table holding everything it says, to the user and to the log.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "ops/align_messages.h"

namespace taskwing {

// What the operations differ in.
struct AlignOperation {
    const wchar_t* dataArgument;        // "/d 0" or "/d 1"
    DWORD value;                        // what TaskbarAl must read back as: 0 or 1
    AlignResult successCode;
    AlignResult failureCode;
    // Shown to the user.
    const wchar_t* progressText;        // while the command runs
    const wchar_t* succeededPrompt;
    const wchar_t* failedPrompt;
    const wchar_t* threadFailedPrompt;  // the thread could not be created
    // Logged.
    const wchar_t* threadFailedLog;     // the thread could not be created
    const wchar_t* textMissingLog;      // the command ran, TaskbarAl did not read back as asked
    const wchar_t* runFailedLog;        // the command interpreter did not start
};
extern const AlignOperation kMoveLeft;
extern const AlignOperation kCentre;

// The operation whose result code this is; null for a code of neither.
const AlignOperation* OperationOf(AlignResult result);

// The `reg add` line for one operation on the key (AdvancedKeyFor), without the "cmd /C " that the
// runner adds.
std::wstring AlignCommand(const AlignOperation& operation, const std::wstring& key);

// TaskbarAl under that key path (HKEY_CURRENT_USER\... or HKEY_USERS\...); none when absent.
std::optional<DWORD> ReadTaskbarAl(const std::wstring& key);
}  // namespace taskwing

class CAlignWorker {
public:
    // Seams for the failure paths and for another desktop user; the defaults are ExecuteCommand,
    // CreateThread and ShellUserSid. `code` as ExecuteCommand gives it.
    using CommandRunner = std::function<int(std::wstring command, std::wstring& output, DWORD& code)>;
    using ThreadStarter = std::function<HANDLE(LPTHREAD_START_ROUTINE entry, void* parameter)>;
    using SidReader = std::function<std::wstring()>;

    CAlignWorker() = default;
    explicit CAlignWorker(CommandRunner runner, ThreadStarter starter = {}, SidReader shellUser = {})
        : m_runCommand(std::move(runner)), m_startThread(std::move(starter)), m_shellUser(std::move(shellUser)) {}
    CAlignWorker(const CAlignWorker&) = delete;
    CAlignWorker& operator=(const CAlignWorker&) = delete;

    // Stores the content window that receives the worker's messages; false for a null handle.
    bool SetReceiver(HWND receiver);

    // Start the operation on a detached thread; false (and a log line) when no thread could be made.
    bool Launch(const taskwing::AlignOperation& operation);
    bool LaunchMoveLeft();
    bool LaunchCentre();

    // The thread bodies: run the command, read TaskbarAl back, report to the receiver, log a
    // failure. 1 when the value reads back as asked, whatever the command printed.
    int DoMoveLeft();
    int DoCentre();

    // True on Windows 11 (RunsOnWindows11).
    bool IsSupportedSystem();

    HWND m_hReceiver = nullptr;

private:
    // What one operation's thread needs, copied at launch: the thread owns it and touches nothing
    // of this object, which the window may destroy while the thread still runs.
    struct Job {
        HWND receiver;
        const taskwing::AlignOperation* operation;
        CommandRunner runCommand;
        SidReader shellUser;
    };
    static DWORD WINAPI JobThread(LPVOID job);
    static int RunJob(const Job& job);

    CommandRunner m_runCommand;
    ThreadStarter m_startThread;
    SidReader m_shellUser;
};
