// Shows one skinned window pair on the screen, its skins without the template's controls, for the
// screen tests and for screenshots; "problem" shows the finished problem-solved window instead.
//   pair_demo prompt|main|problem [seconds]
// Scales by the screen's density as the program does; prints the scale and the shell's and child's
// window rectangles once the pair is up, and closes itself after `seconds` (default 30).
#include <cstdlib>
#include <cwchar>

#include "app/main_layout.h"
#include "dialogs/problem_solved_dlg.h"
#include "dialogs/prompt_dlg.h"
#include "tests/wine/demo_shell.h"

namespace {

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

// The skins alone: the template's controls get drawn once their control classes join.
template <typename Shell>
class BareDemo : public taskwing::test::DemoShell<Shell> {
public:
    explicit BareDemo(UINT seconds) : taskwing::test::DemoShell<Shell>(L"nt-pair-demo", seconds) {}

protected:
    BOOL OnInitDialog() override {
        const BOOL result = taskwing::test::DemoShell<Shell>::OnInitDialog();
        if (CPairChildDlg* child = this->ChildDlg()) ::EnumChildWindows(child->m_hWnd, &HideControl, 0);
        return result;
    }
};

template <typename Shell>
int Run(UINT seconds) {
    BareDemo<Shell> shell(seconds);
    shell.m_fScale = ScreenScaleFactor();
    return static_cast<int>(shell.DoModal());
}

// The problem-solved window with its answer buttons, reporting to no library; it scales itself.
int RunProblemSolved(UINT seconds) {
    taskwing::test::DemoShell<CProblemSolvingFeedbackDlg> shell(L"nt-pair-demo", seconds);
    return static_cast<int>(shell.DoModal());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // As the program's manifest declares: coordinates are real pixels at any density.
    ::SetProcessDPIAware();
    ScopedGdiPlus gdiplus;
    const UINT seconds = argc > 2 ? static_cast<UINT>(std::wcstoul(argv[2], nullptr, 10)) : 30;
    if (argc > 1 && std::wcscmp(argv[1], L"main") == 0) return Run<MainPairShell>(seconds) == IDOK ? 0 : 1;
    if (argc > 1 && std::wcscmp(argv[1], L"problem") == 0) return RunProblemSolved(seconds) == IDOK ? 0 : 1;
    return Run<CPromptDlg>(seconds) == IDOK ? 0 : 1;
}
