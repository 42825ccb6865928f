// Shows the drawn statics on their windows' skins, for looking at them and for screenshots:
//   static_demo main|prompt [seconds]
// main: version label and both links (the feedback link in its hover look); prompt: the update
// notice, which wraps (the progress text has its own window: dialogs/progress_demo). The
// template's buttons are hidden: their classes are not part of this demo. Prints the scale and the shell's rectangle
// once the pair is up, and closes itself after `seconds` (default 30).
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "app/main_layout.h"
#include "controls/draw_text_static.h"
#include "dialogs/pair_child.h"
#include "dialogs/pair_shell.h"
#include "system/system_helpers.h"
#include "tests/wine/demo_shell.h"

namespace {


int Trunc(float value) { return static_cast<int>(value); }

// Hides every control of `parent` but the listed ones.
void HideAllBut(HWND parent, std::initializer_list<HWND> keep) {
    for (HWND child = ::GetWindow(parent, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        bool kept = false;
        for (HWND k : keep) kept = kept || k == child;
        if (!kept) ::ShowWindow(child, SW_HIDE);
    }
}

class MainChild : public CPairChildDlg {
public:
    MainChild() : CPairChildDlg(taskwing::kMainPair) {}

protected:
    void DoDataExchange() override {
        DDX_Control(IDC_VERSION, m_stVersion);
        DDX_Control(IDC_AGREEMENT, m_stAgreement);
        DDX_Control(IDC_FEEDBACK, m_stFeedback);
    }
    void LayoutControls(bool first) override {
        const float s = m_fScale;
        const RECT c = GetClientRect();
        if (first) {
            m_stVersion.SetWindowText(L"1.1.22.1017");
            m_stVersion.SetParentSkin(&m_skin);
            for (CDrawTextStatic* label : {&m_stVersion, &m_stAgreement, &m_stFeedback}) {
                label->SetTextFont(0, 0);
                label->SetAlign(TextAlign::kOneLine);
                label->SetBackColor(0xFFFFFF);
            }
            m_stVersion.SetColors(0xFFFFFF, 0xFFFFFF);
            m_stAgreement.SetColors(0xFF5C5C, 0xFF0000);
            m_stFeedback.SetColors(0xFF5C5C, 0xFF0000);
            m_stFeedback.SetWindowText(L"反馈问题");
            HideAllBut(m_hWnd, {m_stVersion.m_hWnd, m_stAgreement.m_hWnd, m_stFeedback.m_hWnd});
        }
        const int left = Trunc(188 * s) + c.left, top = Trunc(16 * s) + c.top;
        m_stVersion.MoveWindow(left, top, Trunc(140 * s), Trunc(15 * s));

        // The agreement line's widths, in the shell's font on this window's DC.
        HWND shell = GetParent();
        taskwing::unique_window_dc dc(m_hWnd);
        const int w = MeasureTextWidth(shell, dc.get(), L"同意《Veskor服务工具使用许可协议》", 0, 0) / 14;
        const int f = Trunc(static_cast<float>(MeasureTextWidth(shell, dc.get(), L"反馈问题", 0, 0)) + 4 * s + 8);
        const int rowTop = Trunc(static_cast<float>(c.bottom) - 25 * s);
        const int agreeRight = Trunc(8 * s) + Trunc(16 * s + static_cast<float>(2 * w + 2));
        m_stAgreement.MoveWindow(agreeRight + 6, rowTop, 14 * w, Trunc(20 * s));
        m_stFeedback.MoveWindow(c.right - f - 6, rowTop, f, Trunc(20 * s));
        // The feedback link as the cursor over it shows it.
        const RECT feedback = m_stFeedback.GetWindowRect();
        m_stFeedback.UpdateHover(feedback.left + 1, feedback.top + 1);
    }

private:
    CDrawTextStatic m_stVersion;
    CDrawTextStatic m_stAgreement;
    CDrawTextStatic m_stFeedback;
};

class PromptChild : public CPairChildDlg {
public:
    PromptChild() : CPairChildDlg(taskwing::kPromptPair) {}

protected:
    void DoDataExchange() override { DDX_Control(IDC_PROMPT_TEXT, m_staticText); }
    void LayoutControls(bool first) override {
        const float s = m_fScale;
        const RECT c = GetClientRect();
        if (first) {
            m_staticText.SetTextFont(0, 0);
            m_staticText.SetAlign(TextAlign::kEditControlBlock);
            HideAllBut(m_hWnd, {m_staticText.m_hWnd});
        }
        m_staticText.SetWindowText(L"检测到当前工具有新的版本，请在Ostrel客户端下载最新版本使用。");
        const int left = Trunc(10 * s), top = Trunc(30 * s);
        m_staticText.MoveWindow(left, top, c.right - Trunc(10 * s) - left, c.bottom - Trunc(40 * s) - top);
    }

private:
    CDrawTextStatic m_staticText;
};

template <typename Child>
class StaticShell : public CPairShellDlg {
public:
    explicit StaticShell(const taskwing::PairTraits& traits) : CPairShellDlg(traits) {}

protected:
    std::unique_ptr<CPairChildDlg> NewChild() override { return std::make_unique<Child>(); }
};

template <typename Child>
int Run(const taskwing::PairTraits& traits, UINT seconds) {
    taskwing::test::DemoShell<StaticShell<Child>> shell(L"nt-static-demo", seconds, traits);
    shell.m_fScale = ScreenScaleFactor();
    return shell.DoModal() == IDOK ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    ::SetProcessDPIAware();
    ScopedGdiPlus gdiplus;
    const UINT seconds = argc > 2 ? static_cast<UINT>(std::wcstoul(argv[2], nullptr, 10)) : 30;
    const std::wstring kind = argc > 1 ? argv[1] : L"main";
    if (kind == L"prompt") return Run<PromptChild>(taskwing::kPromptPair, seconds);
    return Run<MainChild>(taskwing::kMainPair, seconds);
}
