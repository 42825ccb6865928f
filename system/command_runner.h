#pragma once
// Runs a command line hidden through "cmd /C", capturing standard output and error as UTF-16.
#include <windows.h>

#include <functional>
#include <string>

namespace taskwing {

// Process start, replaceable so that tests can make it fail; the real one is CreateProcessW.
using ProcessStarter = std::function<BOOL(LPWSTR commandLine, STARTUPINFOW* startup, PROCESS_INFORMATION* info)>;

struct CommandRunnerSeams {
    ProcessStarter startProcess;  // empty: CreateProcessW
    DWORD pauseMs = 500;          // pause after each chunk of output
};

// The system folder (System32), where the system's own programs are started from; empty when it
// cannot be read.
std::wstring SystemFolder();

// Bytes of one chunk that form whole characters of the code page; a trailing lead byte whose trail
// byte is still in the pipe is left for the next chunk. Returns the count of whole bytes.
size_t CompleteCharacterBytes(const char* bytes, size_t count, UINT codePage);

}  // namespace taskwing

// 1: the command interpreter ran and its output was read to the end (appended to output).
// 0: it could not be started; output is untouched.
int ExecuteCommand(std::wstring command, std::wstring& output);
// The same; `code` receives the command interpreter's exit code, or, when it could not be started,
// the error code of the start.
int ExecuteCommand(std::wstring command, std::wstring& output, DWORD& code);
int ExecuteCommandWith(std::wstring command, std::wstring& output, const taskwing::CommandRunnerSeams& seams,
                       DWORD* code = nullptr);

// 1 when this 32-bit process runs on 64-bit Windows.
int IsRunningUnderWow64();
