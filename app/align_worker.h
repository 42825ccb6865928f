#pragma once
// The alignment worker: the Windows 11 gate, and the `reg add` operations on threads of their own.
#include <windows.h>

#include <functional>
#include <string>

#include "app/windows_version.h"
#include "dialogs/messages.h"

namespace taskwing {
// Version numbers as this process's environment block records them.
OsVersion ReadOsVersion();

// What the operations differ in.
struct AlignOperation {
    const wchar_t* dataArgument;        // "/d 0" or "/d 1"
    AlignResult successCode;
    AlignResult failureCode;
    const wchar_t* threadFailedLog;     // the thread could not be created
    const wchar_t* textMissingLog;      // the command ran, the success text is missing
    const wchar_t* runFailedLog;        // the command interpreter did not start
};
extern const AlignOperation kMoveLeft;
extern const AlignOperation kCentre;

// The `reg add` line for one operation, without the "cmd /C " that the runner adds.
std::wstring AlignCommand(const AlignOperation& operation);

// What `reg` prints on success on a Simplified-Chinese Windows.
inline constexpr wchar_t kRegSuccessText[] = L"操作成功完成";
}  // namespace taskwing

class CAlignWorker {
public:
    // Seams for the failure paths; the defaults are ExecuteCommand and CreateThread.
    using CommandRunner = std::function<int(std::wstring command, std::wstring& output)>;
    using ThreadStarter = std::function<HANDLE(LPTHREAD_START_ROUTINE entry, void* parameter)>;

    CAlignWorker() = default;
    explicit CAlignWorker(CommandRunner runner, ThreadStarter starter = {})
        : m_runCommand(std::move(runner)), m_startThread(std::move(starter)) {}
    CAlignWorker(const CAlignWorker&) = delete;
    CAlignWorker& operator=(const CAlignWorker&) = delete;

    // Stores the content window that receives the worker's messages; false for a null handle.
    bool SetReceiver(HWND receiver);

    // Start the operation on a detached thread; false (and a log line) when no thread could be made.
    bool LaunchMoveLeft();
    bool LaunchCentre();

    // The thread bodies: run the command, report to the receiver, log a failure. 1 on success.
    int DoMoveLeft();
    int DoCentre();

    // True on Windows 11: decided by the version numbers, and by "WMIC OS List status" where they cannot tell.
    bool IsSupportedSystem();

    HWND m_hReceiver = nullptr;

private:
    // What one operation's thread needs, copied at launch: the thread owns it and touches nothing
    // of this object, which the window may destroy while the thread still runs.
    struct Job {
        HWND receiver;
        const taskwing::AlignOperation* operation;
        CommandRunner runCommand;
    };
    static DWORD WINAPI JobThread(LPVOID job);
    static int RunJob(const Job& job);

    bool Launch(const taskwing::AlignOperation& operation);

    CommandRunner m_runCommand;
    ThreadStarter m_startThread;
};
