// Shows the prompt box on the screen, for looking at it and for screenshots:
//   prompt_demo done|question|notice|long [seconds]
// done: the outcome of a move, kind 3 (确认); question: kind 2 (是 and 否); notice: the update
// notice, which wraps; long: a text taller than the box. Scales by the screen's density as the
// program does; prints the scale and the shell's rectangle once the box is up, and its result when
// it ends, by an answer or after `seconds` (default 30).
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "dialogs/prompt_dlg.h"
#include "tests/wine/demo_shell.h"

int wmain(int argc, wchar_t** argv) {
    ::SetProcessDPIAware();
    ScopedGdiPlus gdiplus;
    const std::wstring scene = argc > 1 ? argv[1] : L"done";
    const UINT seconds = argc > 2 ? static_cast<UINT>(std::wcstoul(argv[2], nullptr, 10)) : 30;
    taskwing::test::DemoShell<CPromptDlg> prompt(L"nt-prompt-demo", seconds);
    prompt.m_fScale = ScreenScaleFactor();
    if (scene == L"question") {
        prompt.SetKind(PromptKind::kYesNo);
        prompt.SetText(L"是否将开始按钮移到任务栏左侧？");
    } else if (scene == L"notice") {
        prompt.SetKind(PromptKind::kConfirm);
        prompt.SetText(L"检测到当前工具有新的版本，请在Ostrel客户端下载最新版本使用。");
    } else if (scene == L"long") {
        prompt.SetKind(PromptKind::kConfirmCancel);
        std::wstring text;
        for (int i = 1; i <= 8; ++i) text += L"第" + std::to_wstring(i) + L"行：这是一段很长的提示文字，用来查看文字超出区域时的样子。\r\n";
        prompt.SetText(text);
    } else {
        prompt.SetKind(PromptKind::kConfirm);
        prompt.SetText(L"开始按钮左移成功");
    }
    const INT_PTR result = prompt.DoModal();
    std::printf("result=%d\n", static_cast<int>(result));
    return 0;
}
