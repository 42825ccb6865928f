// Shows the progress window as an operation does, for looking at it and for screenshots:
//   progress_demo [left|centre|other] [seconds]
// left and centre show their operation's text; anything else shows the fallback text.
// Scales by the screen's density as the program does, prints the scale and the shell's and
// child's window rectangles once the pair is up, and after `seconds` (default 30) closes it the way
// the worker does: WM_CLOSE_PROGRESS sent from another thread.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "dialogs/messages.h"
#include "dialogs/progress_dlg.h"

namespace {

constexpr UINT_PTR kReportTimer = 1;

class DemoProgress : public CExecutePromptDlg {
public:
    HANDLE shown = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ~DemoProgress() override { ::CloseHandle(shown); }

protected:
    BOOL OnInitDialog() override {
        const BOOL result = CExecutePromptDlg::OnInitDialog();
        ::SetWindowTextW(m_hWnd, L"nt-progress-demo-shell");
        ::SetTimer(m_hWnd, kReportTimer, 200, nullptr);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER && wParam == kReportTimer) {
            ::KillTimer(m_hWnd, kReportTimer);
            const RECT shell = GetWindowRect();
            RECT child{};
            if (CPairChildDlg* c = ChildDlg()) child = c->GetWindowRect();
            std::printf("scale=%.2f shell=%ld,%ld,%ld,%ld child=%ld,%ld,%ld,%ld\n", m_fScale, shell.left, shell.top,
                        shell.right, shell.bottom, child.left, child.top, child.right, child.bottom);
            std::fflush(stdout);
            ::SetEvent(shown);
            return 0;
        }
        return CExecutePromptDlg::WindowProc(message, wParam, lParam);
    }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    ::SetProcessDPIAware();
    ScopedGdiPlus gdiplus;
    const std::wstring kind = argc > 1 ? argv[1] : L"left";
    const DWORD seconds = argc > 2 ? static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)) : 30;
    DemoProgress progress;
    progress.SetOperationText(kind == L"left" ? L"正在左移，请稍等" : kind == L"centre" ? L"正在居中，请稍等" : L"");
    progress.m_fScale = ScreenScaleFactor();
    std::thread worker([&] {
        if (::WaitForSingleObject(progress.shown, 10000) != WAIT_OBJECT_0) return;
        ::Sleep(seconds * 1000);
        ::SendMessageW(progress.m_hWnd, WM_CLOSE_PROGRESS, 0, 0);
    });
    const INT_PTR result = progress.DoModal();
    worker.join();
    return result == IDOK ? 0 : 1;
}
