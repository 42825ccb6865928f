// Reads the tool's windows from outside, as another program on the same desktop: every visible
// top-level window of the process that owns the window titled "Taskwing", with its controls.
//   window_probe                 one line per window and control (UTF-8)
//   window_probe send <hwnd> <message> <wParam>   a message to a window, e.g. WM_SYSCOMMAND
// Lines: "top <hwnd> <x> <y> <w> <h> <visible> <enabled> <iconic> <text>" and
//        "ctl <parent> <id> <x> <y> <w> <h> <visible> <enabled> <text>" (screen coordinates).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

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

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 5 && std::wstring(argv[1]) == L"send") {
        HWND target = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::wcstoul(argv[2], nullptr, 10)));
        ::PostMessageW(target, static_cast<UINT>(std::wcstoul(argv[3], nullptr, 0)),
                       static_cast<WPARAM>(std::wcstoul(argv[4], nullptr, 0)), 0);
        return 0;
    }
    HWND main = ::FindWindowW(nullptr, L"Taskwing");
    if (main == nullptr) return 1;
    ::GetWindowThreadProcessId(main, &g_process);
    ::EnumWindows(PrintTop, 0);
    return 0;
}
