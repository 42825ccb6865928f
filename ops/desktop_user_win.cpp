// The SIDs of this process's user and of the desktop shell's user, from their tokens or the session manager.
#include <windows.h>
#include <sddl.h>
#include <wtsapi32.h>

#include <vector>

#include "base/handles.h"
#include "ops/desktop_user.h"

namespace taskwing {

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
