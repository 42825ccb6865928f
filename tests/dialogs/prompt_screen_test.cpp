// The prompt box on a real X display, under the real pointer: resting on 确认 brings its hover
// look, and a click on it ends the box with IDOK.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "dialogs/messages.h"
#include "dialogs/prompt_dlg.h"
#include "resources/resource.h"
#include "tests/controls/png_pixels.h"
#include "tests/dialogs/x11_tools.h"

namespace {

using taskwing::test::RunUnix;

constexpr UINT WM_TEST_SHOWN = WM_APP + 50;

class ScreenPrompt : public CPromptDlg {
public:
    std::function<void(HWND child)> onShown;
    std::vector<WPARAM> results;

protected:
    BOOL OnInitDialog() override {
        const BOOL result = CPromptDlg::OnInitDialog();
        PostMessage(WM_TEST_SHOWN);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TEST_SHOWN) onShown(ChildDlg() != nullptr ? ChildDlg()->m_hWnd : nullptr);
        if (message == WM_PROMPT_RESULT) results.push_back(wParam);
        return CPromptDlg::WindowProc(message, wParam, lParam);
    }
};

// Whether the button's middle row, through its label, is that of PNG `id`.
bool ShowsLabel(HWND button, UINT id) {
    const taskwing::test::Pixels shown = taskwing::test::CaptureClient(button);
    const taskwing::test::Pixels png = taskwing::test::PngPixels(id);
    if (shown.width != png.width || shown.height != png.height) return false;
    for (int x = 0; x < png.width; ++x)
        if (shown.At(x, 12) != png.At(x, 12)) return false;
    return true;
}

TEST(PromptUnderThePointer, RestingOnConfirmShowsItsHoverLookAndAClickEndsTheBoxWithOk) {
    ASSERT_GT(::GetEnvironmentVariableW(L"DISPLAY", nullptr, 0), 0u) << "the screen tests need an X display";
    taskwing::unique_handle shown(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    taskwing::unique_handle ended(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    HWND child = nullptr;
    HWND shell = nullptr;
    INT_PTR result = -1;
    std::vector<WPARAM> results;
    std::thread ui([&] {
        ScopedGdiPlus gdiplus;
        ScreenPrompt prompt;
        prompt.SetKind(PromptKind::kConfirm);
        prompt.SetText(L"开始按钮左移成功");
        prompt.onShown = [&](HWND c) {
            child = c;
            shell = prompt.m_hWnd;
            ::SetEvent(shown.get());
        };
        result = prompt.DoModal();
        results = prompt.results;
        ::SetEvent(ended.get());
    });
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(shown.get(), 10000));
    RunUnix("sleep 0.3");  // mapped before the first event
    HWND ok = ::GetDlgItem(child, IDC_PROMPT_OK);
    RECT rect{};
    ::GetWindowRect(ok, &rect);
    const std::string at = std::to_string((rect.left + rect.right) / 2) + " " + std::to_string((rect.top + rect.bottom) / 2);

    EXPECT_TRUE(ShowsLabel(ok, IDB_PNG_PROMPT_CONFIRM_NORMAL));
    EXPECT_EQ(0, RunUnix("xdotool mousemove " + at + " sleep 0.1 mousemove_relative 1 0 sleep 0.4"));
    EXPECT_TRUE(ShowsLabel(ok, IDB_PNG_PROMPT_CONFIRM_HOVER));
    EXPECT_EQ(0, RunUnix("xdotool click 1"));

    const bool answered = ::WaitForSingleObject(ended.get(), 5000) == WAIT_OBJECT_0;
    if (!answered) ::PostMessageW(shell, WM_CLOSE, 0, 0);
    ui.join();
    EXPECT_TRUE(answered);
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(std::vector<WPARAM>{1}, results);
}

}  // namespace
