// Shows one skinned window pair on the screen, its skins without the template's controls, for the
// screen tests and for screenshots.
//   pair_demo prompt|main [seconds]
// Scales by the screen's density as the program does; prints the scale and the shell's and child's
// window rectangles once the pair is up, and closes itself after `seconds` (default 30).
#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "dialogs/pair_child.h"
#include "dialogs/prompt_dlg.h"

namespace {

constexpr UINT_PTR kReportTimer = 1;
constexpr UINT_PTR kCloseTimer = 2;

BOOL CALLBACK HideControl(HWND control, LPARAM) {
    ::ShowWindow(control, SW_HIDE);
    return TRUE;
}

// The main window's row on the generic pair: its shell and background, no controls yet.
class MainPairShell : public CPairShellDlg {
public:
    MainPairShell() : CPairShellDlg(taskwing::kMainPair) {}

protected:
    std::unique_ptr<CPairChildDlg> NewChild() override { return std::make_unique<CPairChildDlg>(taskwing::kMainPair); }
};

// Wraps either shell: reports once shown, closes when its time is up.
template <typename Shell>
class DemoShell : public Shell {
public:
    explicit DemoShell(UINT seconds) : m_seconds(seconds) {}

protected:
    BOOL OnInitDialog() override {
        const BOOL result = Shell::OnInitDialog();
        ::SetWindowTextW(this->m_hWnd, L"nt-pair-demo-shell");
        if (CPairChildDlg* child = this->ChildDlg()) {
            ::SetWindowTextW(child->m_hWnd, L"nt-pair-demo-child");
            // The skins alone: the template's controls get drawn once their control classes join.
            ::EnumChildWindows(child->m_hWnd, &HideControl, 0);
        }
        ::SetTimer(this->m_hWnd, kReportTimer, 200, nullptr);
        ::SetTimer(this->m_hWnd, kCloseTimer, m_seconds * 1000, nullptr);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER && wParam == kReportTimer) {
            ::KillTimer(this->m_hWnd, kReportTimer);
            const RECT shell = this->GetWindowRect();
            RECT child{};
            if (CPairChildDlg* c = this->ChildDlg()) child = c->GetWindowRect();
            std::printf("scale=%.2f shell=%ld,%ld,%ld,%ld child=%ld,%ld,%ld,%ld\n", this->m_fScale, shell.left, shell.top,
                        shell.right, shell.bottom, child.left, child.top, child.right, child.bottom);
            std::fflush(stdout);
            return 0;
        }
        if (message == WM_TIMER && wParam == kCloseTimer) {
            this->EndDialog(IDOK);
            return 0;
        }
        return Shell::WindowProc(message, wParam, lParam);
    }

private:
    UINT m_seconds;
};

template <typename Shell>
int Run(UINT seconds) {
    DemoShell<Shell> shell(seconds);
    shell.m_fScale = ScreenScaleFactor();
    return static_cast<int>(shell.DoModal());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // As the program's manifest declares: coordinates are real pixels at any density.
    ::SetProcessDPIAware();
    ScopedGdiPlus gdiplus;
    const UINT seconds = argc > 2 ? static_cast<UINT>(std::wcstoul(argv[2], nullptr, 10)) : 30;
    if (argc > 1 && std::wcscmp(argv[1], L"main") == 0) return Run<MainPairShell>(seconds) == IDOK ? 0 : 1;
    return Run<CPromptDlg>(seconds) == IDOK ? 0 : 1;
}
