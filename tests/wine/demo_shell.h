#pragma once
// For the demo programs behind the screen tests and the screenshots: wraps a pair's shell so that
// it names its windows "<name>-shell" and "<name>-child", prints its scale and rectangles once it
// is up ("scale=... shell=l,t,r,b child=l,t,r,b", which tests/wine/screenshots.sh reads), and
// ends with IDOK when its time is up.
#include <cstdio>
#include <string>
#include <utility>

#include "dialogs/pair_child.h"
#include "dialogs/pair_shell.h"

namespace taskwing::test {

template <typename Shell>
class DemoShell : public Shell {
public:
    template <typename... ShellArgs>
    DemoShell(std::wstring name, UINT seconds, ShellArgs&&... shellArgs)
        : Shell(std::forward<ShellArgs>(shellArgs)...), m_name(std::move(name)), m_seconds(seconds) {}

protected:
    static constexpr UINT_PTR kReportTimer = 0x7E01;
    static constexpr UINT_PTR kCloseTimer = 0x7E02;

    BOOL OnInitDialog() override {
        const BOOL result = Shell::OnInitDialog();
        ::SetWindowTextW(this->m_hWnd, (m_name + L"-shell").c_str());
        if (CPairChildDlg* child = this->ChildDlg()) ::SetWindowTextW(child->m_hWnd, (m_name + L"-child").c_str());
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
            std::printf("scale=%.2f shell=%ld,%ld,%ld,%ld child=%ld,%ld,%ld,%ld\n", this->m_fScale, shell.left,
                        shell.top, shell.right, shell.bottom, child.left, child.top, child.right, child.bottom);
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
    std::wstring m_name;
    UINT m_seconds;
};

}  // namespace taskwing::test
