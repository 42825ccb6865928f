// Reads the tool's windows from outside, as another program on the same desktop: every visible
// top-level window of the process that owns the window titled "Taskwing", with its controls.
//   window_probe                 one line per window and control (UTF-8)
//   window_probe send <hwnd> <message> <wParam>   posts a message to a window, e.g. WM_SYSCOMMAND
//   window_probe sendwait <hwnd> <message> <wParam>   sends it and prints the answer
//   window_probe check <id>      the check state (BM_GETCHECK) of the tool's control with that id
//   window_probe stats           "threads <n> handles <n>" of the tool's process
//   window_probe focus           the id of the tool's control that has the keyboard focus (0: none,
//                                "window": a window itself)
//   window_probe press <id>      posts BM_CLICK to the tool's visible control with that id, as another
//                                program or a screen reader's press does
//   window_probe roles           what a screen reader meets: per window "win <hwnd> <role> <title>",
//                                per control "acc <parent> <id> <role> <own|system> <tab stop> <name>"; the role and
//                                name of the window's own accessible object where it has one, else those
//                                Windows' standard object gives for its class and style (Wine's says
//                                "client" for every window)
//   window_probe closeonsight    waits (up to 30 s) for "Taskwing" to show and posts WM_CLOSE to it at once
// Lines: "top <hwnd> <x> <y> <w> <h> <visible> <enabled> <iconic> <text>" and
//        "ctl <parent> <id> <x> <y> <w> <h> <visible> <enabled> <text>" (screen coordinates).
#include <windows.h>

#include <oleacc.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring TextOf(HWND hwnd) {
    wchar_t text[512] = {};
    DWORD_PTR result = 0;
    // Another process's window: its text through a send, bounded in case it hangs.
    ::SendMessageTimeoutW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &result);
    return text;
}

DWORD g_process = 0;

BOOL CALLBACK PrintControl(HWND hwnd, LPARAM parent) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    std::printf("ctl %lu %d %ld %ld %ld %ld %d %d %s\n", static_cast<unsigned long>(parent),
                ::GetDlgCtrlID(hwnd), r.left, r.top, r.right - r.left, r.bottom - r.top, ::IsWindowVisible(hwnd) ? 1 : 0,
                ::IsWindowEnabled(hwnd) ? 1 : 0, Utf8(TextOf(hwnd)).c_str());
    return TRUE;
}

BOOL CALLBACK PrintTop(HWND hwnd, LPARAM) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    if (process != g_process || !::IsWindowVisible(hwnd)) return TRUE;
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    const unsigned long id = static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(hwnd));
    std::printf("top %lu %ld %ld %ld %ld %d %d %d %s\n", id, r.left, r.top, r.right - r.left, r.bottom - r.top, 1,
                ::IsWindowEnabled(hwnd) ? 1 : 0, ::IsIconic(hwnd) ? 1 : 0, Utf8(TextOf(hwnd)).c_str());
    ::EnumChildWindows(hwnd, PrintControl, static_cast<LPARAM>(id));
    return TRUE;
}

HWND g_found = nullptr;
int g_id = 0;

BOOL CALLBACK FindControl(HWND hwnd, LPARAM) {
    if (::GetDlgCtrlID(hwnd) == g_id && ::IsWindowVisible(hwnd)) {
        g_found = hwnd;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindInTop(HWND hwnd, LPARAM) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    if (process == g_process && ::IsWindowVisible(hwnd)) ::EnumChildWindows(hwnd, FindControl, 0);
    return g_found == nullptr;
}

// The role and name of the window's own accessible object, if it answers WM_GETOBJECT itself.
bool OwnAccessible(HWND hwnd, long& role, std::wstring& name) {
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutW(hwnd, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT), SMTO_ABORTIFHUNG, 2000,
                               &answer) ||
        answer == 0)
        return false;
    IAccessible* object = nullptr;
    if (FAILED(::ObjectFromLresult(static_cast<LRESULT>(answer), IID_IAccessible, 0, reinterpret_cast<void**>(&object))))
        return false;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT value{};
    if (SUCCEEDED(object->get_accRole(self, &value)) && value.vt == VT_I4) role = value.lVal;
    BSTR text = nullptr;
    if (SUCCEEDED(object->get_accName(self, &text)) && text != nullptr) {
        name = text;
        ::SysFreeString(text);
    }
    object->Release();
    return true;
}

// The role Windows' standard accessible object gives a window of the tool's classes and styles.
long StandardRole(HWND hwnd) {
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    const LONG type = ::GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK;
    if (::lstrcmpiW(name, L"Button") == 0)
        return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE
                   ? ROLE_SYSTEM_CHECKBUTTON
                   : ROLE_SYSTEM_PUSHBUTTON;
    if (::lstrcmpiW(name, L"Static") == 0) return ROLE_SYSTEM_STATICTEXT;
    return ::lstrcmpiW(name, L"#32770") == 0 ? ROLE_SYSTEM_DIALOG : ROLE_SYSTEM_CLIENT;
}

// The system's word for the role and its number (Wine's Chinese has one word for several roles).
std::string RoleText(long role) {
    wchar_t text[64] = {};
    ::GetRoleTextW(static_cast<DWORD>(role), text, 64);
    for (wchar_t& c : text)
        if (c == L' ') c = L'_';
    return Utf8(text) + "/" + std::to_string(role);
}

BOOL CALLBACK PrintControlRole(HWND hwnd, LPARAM parent) {
    if (!::IsWindowVisible(hwnd)) return TRUE;
    long role = StandardRole(hwnd);
    std::wstring name = TextOf(hwnd);
    const bool own = OwnAccessible(hwnd, role, name);
    const bool tabStop = (::GetWindowLongW(hwnd, GWL_STYLE) & WS_TABSTOP) != 0;
    std::printf("acc %lu %d %s %s %d %s\n", static_cast<unsigned long>(parent), ::GetDlgCtrlID(hwnd),
                RoleText(role).c_str(), own ? "own" : "system", tabStop ? 1 : 0, Utf8(name).c_str());
    return TRUE;
}

BOOL CALLBACK PrintTopRole(HWND hwnd, LPARAM) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    if (process != g_process || !::IsWindowVisible(hwnd)) return TRUE;
    const unsigned long id = static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(hwnd));
    std::printf("win %lu %s %s\n", id, RoleText(StandardRole(hwnd)).c_str(), Utf8(TextOf(hwnd)).c_str());
    ::EnumChildWindows(hwnd, PrintControlRole, static_cast<LPARAM>(id));
    return TRUE;
}

int PrintStats() {
    int threads = 0;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == g_process) ++threads;
    ::CloseHandle(snapshot);
    // GetProcessHandleCount answers 0 under Wine; the system's handle table is real.
    struct HandleEntry {
        ULONG ownerPid;
        BYTE objectType;
        BYTE flags;
        USHORT value;
        PVOID object;
        ULONG access;
    };
    using QueryFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<char> table(8u << 20);
    ULONG length = 0;
    DWORD handles = 0;
    constexpr ULONG kSystemHandleInformation = 16;
    if (query != nullptr && query(kSystemHandleInformation, table.data(), static_cast<ULONG>(table.size()), &length) >= 0) {
        const ULONG count = *reinterpret_cast<const ULONG*>(table.data());
        const auto* entries = reinterpret_cast<const HandleEntry*>(table.data() + sizeof(ULONG_PTR));
        for (ULONG i = 0; i < count; ++i)
            if (entries[i].ownerPid == g_process) ++handles;
    }
    std::printf("threads %d handles %lu\n", threads, static_cast<unsigned long>(handles));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 5 && (std::wstring(argv[1]) == L"send" || std::wstring(argv[1]) == L"sendwait")) {
        HWND target = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::wcstoul(argv[2], nullptr, 10)));
        const UINT message = static_cast<UINT>(std::wcstoul(argv[3], nullptr, 0));
        const WPARAM wParam = static_cast<WPARAM>(std::wcstoul(argv[4], nullptr, 0));
        if (std::wstring(argv[1]) == L"send") return ::PostMessageW(target, message, wParam, 0) ? 0 : 1;
        DWORD_PTR answer = 0;
        if (!::SendMessageTimeoutW(target, message, wParam, 0, SMTO_ABORTIFHUNG, 5000, &answer)) return 1;
        std::printf("%lu\n", static_cast<unsigned long>(answer));
        return 0;
    }
    if (argc == 2 && std::wstring(argv[1]) == L"closeonsight") {
        for (int n = 0; n < 30000; ++n) {
            HWND shown = ::FindWindowW(nullptr, L"Taskwing");
            if (shown != nullptr && ::IsWindowVisible(shown)) return ::PostMessageW(shown, WM_CLOSE, 0, 0) ? 0 : 1;
            ::Sleep(1);
        }
        return 1;
    }
    HWND main = ::FindWindowW(nullptr, L"Taskwing");
    if (main == nullptr) return 1;
    ::GetWindowThreadProcessId(main, &g_process);
    if (argc == 2 && std::wstring(argv[1]) == L"stats") return PrintStats();
    if (argc == 2 && std::wstring(argv[1]) == L"focus") {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(main, nullptr), &info)) return 1;
        // A window itself (no control) has the focus: "window".
        if (info.hwndFocus != nullptr && (::GetWindowLongW(info.hwndFocus, GWL_STYLE) & WS_CHILD) == 0)
            std::printf("window\n");
        else
            std::printf("%d\n", info.hwndFocus != nullptr ? ::GetDlgCtrlID(info.hwndFocus) : 0);
        return 0;
    }
    if (argc == 2 && std::wstring(argv[1]) == L"roles") {
        ::CoInitialize(nullptr);
        ::EnumWindows(PrintTopRole, 0);
        return 0;
    }
    if (argc == 3 && std::wstring(argv[1]) == L"press") {
        g_id = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
        ::EnumWindows(FindInTop, 0);
        return g_found != nullptr && ::PostMessageW(g_found, BM_CLICK, 0, 0) ? 0 : 1;
    }
    if (argc == 3 && std::wstring(argv[1]) == L"check") {
        g_id = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
        ::EnumWindows(FindInTop, 0);
        if (g_found == nullptr) return 1;
        std::printf("%d\n", static_cast<int>(::SendMessageW(g_found, BM_GETCHECK, 0, 0)));
        return 0;
    }
    ::EnumWindows(PrintTop, 0);
    return 0;
}
