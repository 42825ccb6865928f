// Starts the command interpreter that removes the tool's own files once the tool has ended.
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "ops/self_removal.h"
#include "base/handles.h"
#include "system/command_runner.h"

namespace taskwing {

namespace {

// The largest path Windows has; a path that still fills it is taken as cut.
constexpr DWORD kLongestPathChars = 32768;

struct ModulePath {
    std::wstring path;
    bool cut = true;
};

// GetModuleFileNameW cuts silently at its buffer's size (and sets ERROR_INSUFFICIENT_BUFFER): a
// path that filled the buffer is read again into a larger one.
ModulePath ReadOwnPath() {
    std::wstring buffer(MAX_PATH + 1, L'\0');
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size() && GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
            buffer.resize(n);
            return {buffer, false};
        }
        if (buffer.size() >= kLongestPathChars) return {};
        buffer.resize(buffer.size() * 2 > kLongestPathChars ? kLongestPathChars : buffer.size() * 2);
    }
}

// A junction or symbolic link in the folder's place: removing it would take the link, not our folder.
bool IsLink(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// Passes exactly the listed handles to the child, not whatever else this process holds inheritable.
class InheritOnly {
public:
    explicit InheritOnly(std::vector<HANDLE> handles) : m_handles(std::move(handles)) {
        SIZE_T size = 0;
        InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        m_storage.resize(size);
        auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(m_storage.data());
        if (size == 0 || !InitializeProcThreadAttributeList(list, 1, 0, &size)) return;
        m_list = list;
        if (!UpdateProcThreadAttribute(m_list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, m_handles.data(),
                                       m_handles.size() * sizeof(HANDLE), nullptr, nullptr)) {
            DeleteProcThreadAttributeList(m_list);
            m_list = nullptr;
        }
    }
    ~InheritOnly() {
        if (m_list) DeleteProcThreadAttributeList(m_list);
    }
    InheritOnly(const InheritOnly&) = delete;
    InheritOnly& operator=(const InheritOnly&) = delete;
    LPPROC_THREAD_ATTRIBUTE_LIST get() const { return m_list; }

private:
    std::vector<HANDLE> m_handles;
    std::vector<unsigned char> m_storage;
    LPPROC_THREAD_ATTRIBUTE_LIST m_list = nullptr;
};

}  // namespace

bool StartRemovalOf(std::wstring_view exePath, bool pathCut) {
    RemovalPlan plan = PlanSelfRemoval(exePath, pathCut);
    if (!plan.refused() && !plan.folder.empty() && IsLink(plan.folder)) {
        plan = PlanSelfRemoval(exePath, pathCut, true);
    }
    if (plan.refused()) return false;

    const std::wstring system = SystemFolder();
    if (system.empty()) return false;
    // By its full name: a cmd.exe lying in the tool's own folder must not be the one that runs.
    const std::wstring interpreter = system + L"\\cmd.exe";

    HANDLE rawRead = nullptr;
    HANDLE rawWrite = nullptr;
    if (!CreatePipe(&rawRead, &rawWrite, nullptr, 0)) return false;
    unique_handle readEnd(rawRead);
    unique_handle writeEnd(rawWrite);
    if (!SetHandleInformation(readEnd.get(), HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT)) return false;

    SECURITY_ATTRIBUTES inheritable{sizeof(inheritable), nullptr, TRUE};
    unique_hfile nul(CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                                 OPEN_EXISTING, 0, nullptr));
    if (!nul) return false;

    InheritOnly inherit({readEnd.get(), nul.get()});
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = inherit.get() ? sizeof(startup) : sizeof(startup.StartupInfo);
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.StartupInfo.wShowWindow = SW_HIDE;
    startup.StartupInfo.hStdInput = readEnd.get();
    startup.StartupInfo.hStdOutput = nul.get();
    startup.StartupInfo.hStdError = nul.get();
    startup.lpAttributeList = inherit.get();
    // Without the list (it could not be made) the child inherits every inheritable handle: still
    // correct, as the writing end is never inheritable.
    DWORD flags = CREATE_NO_WINDOW;
    if (inherit.get()) flags |= EXTENDED_STARTUPINFO_PRESENT;

    std::wstring commandLine = L"\"" + interpreter + L"\" " + plan.parameters;
    PROCESS_INFORMATION info{};
    // The working folder is the system's: a process's working folder cannot be removed.
    if (!CreateProcessW(interpreter.c_str(), commandLine.data(), nullptr, nullptr, TRUE, flags, nullptr, system.c_str(),
                        &startup.StartupInfo, &info)) {
        return false;
    }
    unique_handle process(info.hProcess);
    unique_handle thread(info.hThread);
    // The writing end stays open for the rest of this process's life: the system closes it when
    // the process ends, and that end of file is what the command interpreter waits for.
    writeEnd.release();
    return true;
}

void StartSelfRemoval() {
    // One removal per process: a second interpreter would only race the first.
    static std::atomic<bool> started{false};
    if (started.exchange(true)) return;
    const ModulePath self = ReadOwnPath();
    StartRemovalOf(self.path, self.cut);
}

}  // namespace taskwing
