// Runs a command through the system's cmd.exe with its output captured and converted to UTF-16.
#include "system/command_runner.h"

#include <atomic>
#include <cstring>
#include <cwchar>
#include <string_view>

#include "base/code_page.h"
#include "base/handles.h"

namespace {

constexpr size_t kCommandBufferChars = 2048;
constexpr size_t kMaxCommandChars = 1023;
constexpr size_t kReadBufferBytes = 4096;

using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
std::atomic<IsWow64ProcessFn> g_isWow64Process{nullptr};

// Switches WOW64 file-system redirection off for this thread and on again when it goes.
class RedirectionOff {
public:
    RedirectionOff() {
        if (IsRunningUnderWow64() == 1) {
            m_active = true;
            m_ok = Wow64DisableWow64FsRedirection(&m_saved) == TRUE;
            if (!m_ok) m_active = false;
        }
    }
    ~RedirectionOff() {
        if (m_active) Wow64RevertWow64FsRedirection(m_saved);
    }
    RedirectionOff(const RedirectionOff&) = delete;
    RedirectionOff& operator=(const RedirectionOff&) = delete;
    bool ok() const { return m_ok; }

private:
    PVOID m_saved = nullptr;
    bool m_active = false;
    bool m_ok = true;
};

void AppendAnsi(const char* bytes, size_t count, std::wstring& output) {
    output += taskwing::ToWide(std::string_view(bytes, count), CP_ACP);
}

}  // namespace

namespace taskwing {

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH] = {};
    const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    return std::wstring(folder, n);
}

size_t CompleteCharacterBytes(const char* bytes, size_t count, UINT codePage) {
    size_t i = 0;
    while (i < count) {
        if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(bytes[i]))) {
            if (i + 1 >= count) return i;  // the trail byte has not arrived yet
            i += 2;
        } else {
            ++i;
        }
    }
    return count;
}

}  // namespace taskwing

int IsRunningUnderWow64() {
    IsWow64ProcessFn fn = g_isWow64Process.load(std::memory_order_relaxed);
    if (fn == nullptr) {
        HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
        if (kernel == nullptr) return 0;
        fn = reinterpret_cast<IsWow64ProcessFn>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")));
        g_isWow64Process.store(fn, std::memory_order_relaxed);
        if (fn == nullptr) return 0;
    }
    BOOL wow64 = FALSE;
    return (fn(GetCurrentProcess(), &wow64) && wow64) ? 1 : 0;
}

int ExecuteCommand(std::wstring command, std::wstring& output) {
    return ExecuteCommandWith(std::move(command), output, {});
}

int ExecuteCommand(std::wstring command, std::wstring& output, DWORD& code) {
    return ExecuteCommandWith(std::move(command), output, {}, &code);
}

int ExecuteCommandWith(std::wstring command, std::wstring& output, const taskwing::CommandRunnerSeams& seams,
                       DWORD* code) {
    using taskwing::unique_handle;
    DWORD unused = 0;
    DWORD& result = code != nullptr ? *code : unused;
    // Whatever fails before the start leaves its error code for the caller's log.
    const auto notStarted = [&result] {
        result = GetLastError();
        return 0;
    };

    RedirectionOff redirection;
    if (!redirection.ok()) return notStarted();

    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
    HANDLE rawRead = nullptr;
    HANDLE rawWrite = nullptr;
    if (!CreatePipe(&rawRead, &rawWrite, &sa, 0)) return notStarted();
    unique_handle readEnd(rawRead);
    unique_handle writeEnd(rawWrite);
    // Only the child's end is inherited: cmd, and whatever it starts, could otherwise read, and
    // take away, the output that this process is waiting for.
    if (!SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, 0)) return notStarted();

    STARTUPINFOW si{};
    si.cb = sizeof(si);
    GetStartupInfoW(&si);
    si.hStdOutput = writeEnd.get();
    si.hStdError = writeEnd.get();
    si.wShowWindow = SW_HIDE;
    si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;

    // The composed line is cut to its first 1,023 characters.
    std::wstring composed = L"cmd /C " + command;
    if (composed.size() > kMaxCommandChars) composed.resize(kMaxCommandChars);
    wchar_t commandLine[kCommandBufferChars] = {};
    wmemcpy(commandLine, composed.c_str(), composed.size());

    // The system's interpreter by its full name, started in the system folder: the search by name
    // would look in the tool's own folder first, and cmd in its working folder, which is the
    // tool's folder when it was double-clicked (a downloads folder). A cmd.exe, or a reg or WMIC,
    // planted there must not run with the tool's rights.
    const std::wstring system = taskwing::SystemFolder();
    if (system.empty()) return notStarted();
    const std::wstring interpreter = system + L"\\cmd.exe";
    PROCESS_INFORMATION pi{};
    const BOOL started = seams.startProcess ? seams.startProcess(commandLine, &si, &pi)
                                            : CreateProcessW(interpreter.c_str(), commandLine, nullptr, nullptr, TRUE,
                                                             0, nullptr, system.c_str(), &si, &pi);
    if (!started) return notStarted();
    unique_handle process(pi.hProcess);
    unique_handle thread(pi.hThread);

    // Our copy of the write end must go, or the pipe never reports its end.
    writeEnd.reset();

    char buffer[kReadBufferBytes];
    size_t carried = 0;  // a lead byte held back from the previous chunk
    for (;;) {
        std::memset(buffer + carried, 0, sizeof(buffer) - carried);
        DWORD got = 0;
        if (!ReadFile(readEnd.get(), buffer + carried, static_cast<DWORD>(sizeof(buffer) - 1 - carried), &got, nullptr)) break;
        const size_t filled = carried + got;
        const size_t text = strnlen(buffer, filled);
        const size_t whole = text < filled ? text : taskwing::CompleteCharacterBytes(buffer, text, CP_ACP);
        AppendAnsi(buffer, whole, output);
        carried = text - whole;
        if (carried != 0) buffer[0] = buffer[whole];
        Sleep(seams.pauseMs);
    }
    // A lead byte left at the very end has nothing to pair with: it converts on its own.
    AppendAnsi(buffer, carried, output);

    readEnd.reset();
    WaitForSingleObject(process.get(), INFINITE);
    if (!GetExitCodeProcess(process.get(), &result)) result = GetLastError();
    return 1;
}
