// The prompt box as real windows on Wine's null display: each kind's buttons, labels and places at
// 1.0 and 1.5; the answers that end the modal run with their results; the keys that must do
// nothing; the message in its area, also without the skin.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/messages.h"
#include "dialogs/prompt_dlg.h"
#include "resources/resource.h"
#include "tests/controls/png_pixels.h"

namespace {

constexpr UINT WM_TEST_SHOWN = WM_APP + 40;
constexpr UINT_PTR kEndTimer = 41;
constexpr INT_PTR kEndedByTest = 77;

// Runs `onShown` once the prompt is up in its modal run; records what the child sends the shell.
class TestPrompt : public CPromptDlg {
public:
    std::function<void(TestPrompt&)> onShown;
    std::vector<WPARAM> results;  // wParam of each WM_PROMPT_RESULT
    int closes = 0;               // WM_CLOSE

    HWND Child() const { return ChildDlg() != nullptr ? ChildDlg()->m_hWnd : nullptr; }
    HWND Item(int id) const { return ::GetDlgItem(Child(), id); }
    // Ends the run with kEndedByTest once every message posted so far, and whatever those post in
    // turn, is handled: a timer comes only when the queue is empty.
    void EndSoon() { ::SetTimer(m_hWnd, kEndTimer, 50, nullptr); }

protected:
    BOOL OnInitDialog() override {
        const BOOL result = CPromptDlg::OnInitDialog();
        PostMessage(WM_TEST_SHOWN);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TEST_SHOWN) onShown(*this);
        if (message == WM_TIMER && wParam == kEndTimer) EndDialog(kEndedByTest);
        if (message == WM_PROMPT_RESULT) results.push_back(wParam);
        if (message == WM_CLOSE) ++closes;
        return CPromptDlg::WindowProc(message, wParam, lParam);
    }
};

// A control's rectangle in its dialog's client coordinates, or "hidden".
std::string PlaceOf(HWND control) {
    if (!::IsWindowVisible(control)) return "hidden";
    RECT r{};
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// Whether a button's middle row, through its label, is that of PNG `id`.
bool ShowsLabel(HWND button, UINT id) {
    const taskwing::test::Pixels shown = taskwing::test::PaintAndCapture(button);
    const taskwing::test::Pixels png = taskwing::test::PngPixels(id);
    if (shown.width != png.width) return false;
    for (int x = 0; x < png.width; ++x)
        if (shown.At(x, 12) != png.At(x, 12)) return false;
    return true;
}

class Prompt : public ::testing::Test {
protected:
    ScopedGdiPlus gdiplus;
};

TEST_F(Prompt, EachKindShowsItsButtonsAndLabelsAtTheirPlaces) {
    struct Case {
        int kind;
        float scale;
        std::vector<std::string> places;  // close, ok, cancel, text
        UINT okLabel, cancelLabel;
    };
    const std::vector<std::string> lone1{"300,8,312,20", "135,107,190,131", "hidden", "10,30,316,106"};
    const std::vector<std::string> pair1{"300,8,312,20", "96,107,151,131", "175,107,230,131", "10,30,316,106"};
    // At 1.5 the shell's moves place the child with each inset truncated: 490 x 220.
    // The child keeps its 489 x 219 of creation at 1.5.
    const std::vector<std::string> lone15{"450,12,468,30", "202,160,284,196", "hidden", "15,45,474,159"};
    const std::vector<std::string> pair15{"450,12,468,30", "143,160,225,196", "262,160,344,196", "15,45,474,159"};
    const UINT yes = IDB_PNG_PROMPT_YES_NORMAL, no = IDB_PNG_PROMPT_NO_NORMAL;
    const UINT confirm = IDB_PNG_PROMPT_CONFIRM_NORMAL, cancel = IDB_PNG_PROMPT_CANCEL_NORMAL;
    const Case cases[] = {
        {1, 1.0f, lone1, yes, 0},      {2, 1.0f, pair1, yes, no},     {3, 1.0f, lone1, confirm, 0},
        {4, 1.0f, pair1, confirm, cancel}, {1, 1.5f, lone15, 0, 0},   {2, 1.5f, pair15, 0, 0},
        {3, 1.5f, lone15, 0, 0},       {4, 1.5f, pair15, 0, 0},
        // A kind outside the table is the default one.
        {0, 1.0f, lone1, yes, 0},      {9, 1.0f, lone1, yes, 0},
    };
    for (const Case& c : cases) {
        TestPrompt prompt;
        prompt.SetKind(static_cast<PromptKind>(c.kind));
        prompt.SetText(L"开始按钮左移成功");
        prompt.m_fScale = c.scale;
        std::vector<std::string> shown, resized;
        bool okLabel = true, cancelLabel = true;
        prompt.onShown = [&](TestPrompt& p) {
            for (int id : {IDC_PROMPT_CLOSE, IDC_PROMPT_OK, IDC_PROMPT_CANCEL, IDC_PROMPT_TEXT})
                shown.push_back(PlaceOf(p.Item(id)));
            if (c.okLabel != 0) okLabel = ShowsLabel(p.Item(IDC_PROMPT_OK), c.okLabel);
            if (c.cancelLabel != 0) cancelLabel = ShowsLabel(p.Item(IDC_PROMPT_CANCEL), c.cancelLabel);
            // A new size places everything again and keeps the kind's buttons.
            ::SetWindowPos(p.Child(), nullptr, 0, 0, 400, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            for (int id : {IDC_PROMPT_CLOSE, IDC_PROMPT_CANCEL}) resized.push_back(PlaceOf(p.Item(id)));
            p.EndSoon();
        };
        ASSERT_EQ(kEndedByTest, prompt.DoModal());
        const std::string name = "kind " + std::to_string(c.kind) + " at " + std::to_string(c.scale);
        EXPECT_EQ(c.places, shown) << name;
        EXPECT_TRUE(okLabel) << name;
        EXPECT_TRUE(cancelLabel) << name;
        EXPECT_EQ(c.scale == 1.0f ? "374,8,386,20" : "361,12,379,30", resized[0]) << name;
        EXPECT_EQ(c.places[2] == "hidden", resized[1] == "hidden") << name;
    }
}

TEST_F(Prompt, EveryAnswerEndsTheRunWithItsResult) {
    struct Case {
        const char* what;
        int kind;
        int control;  // clicked with BM_CLICK; 0: WM_CLOSE to the child itself
        INT_PTR result;
        std::vector<WPARAM> results;
        int closes;
    };
    const Case cases[] = {
        {"确认 alone", 3, IDC_PROMPT_OK, IDOK, {1}, 0},
        {"确认 of two", 4, IDC_PROMPT_OK, IDOK, {1}, 0},
        {"取消", 4, IDC_PROMPT_CANCEL, IDCANCEL, {2}, 0},
        {"是", 2, IDC_PROMPT_OK, IDOK, {1}, 0},
        {"否", 2, IDC_PROMPT_CANCEL, IDCANCEL, {2}, 0},
        {"close, 确认 alone", 3, IDC_PROMPT_CLOSE, IDCANCEL, {}, 1},
        {"close, 是 and 否", 2, IDC_PROMPT_CLOSE, IDCANCEL, {}, 1},
        // The child's own close (Alt+F4 on it) ends the box instead of hiding the child alone.
        {"the child's close", 3, 0, IDCANCEL, {}, 1},
    };
    for (const Case& c : cases) {
        TestPrompt prompt;
        prompt.SetKind(static_cast<PromptKind>(c.kind));
        prompt.onShown = [&](TestPrompt& p) {
            if (c.control != 0)
                ::SendMessageW(p.Item(c.control), BM_CLICK, 0, 0);
            else
                ::SendMessageW(p.Child(), WM_CLOSE, 0, 0);
            p.EndSoon();  // shows only if no answer arrived
        };
        EXPECT_EQ(c.result, prompt.DoModal()) << c.what;
        EXPECT_EQ(c.results, prompt.results) << c.what;
        EXPECT_EQ(c.closes, prompt.closes) << c.what;
    }
}

TEST_F(Prompt, EnterAndEscapeNeitherAnswerNorClose) {
    TestPrompt prompt;
    prompt.SetKind(PromptKind::kConfirmCancel);
    bool stillUp = false;
    int round = 0;
    prompt.onShown = [&](TestPrompt& p) {
        if (round++ == 1) {
            // After all the keys, and only if none of them ended the run.
            stillUp = ::IsWindowVisible(p.Child()) != FALSE;
            return p.EndSoon();
        }
        // With the focus on each answer button in turn, as a click in the child leaves it.
        for (int id : {IDC_PROMPT_OK, IDC_PROMPT_CANCEL}) {
            ::SetActiveWindow(p.Child());
            ::SetFocus(p.Item(id));
            for (HWND target : {p.Item(id), p.Child(), p.m_hWnd}) {
                ::PostMessageW(target, WM_KEYDOWN, VK_RETURN, 0);
                ::PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0);
            }
        }
        p.PostMessage(WM_TEST_SHOWN);
    };
    EXPECT_EQ(kEndedByTest, prompt.DoModal());
    EXPECT_TRUE(stillUp);
    EXPECT_TRUE(prompt.results.empty());
    EXPECT_EQ(0, prompt.closes);
}

TEST_F(Prompt, TheMessageIsCentredUpAndDownWrapsAndWhenTooTallStartsAtTheTop) {
    std::wstring tall;
    for (int i = 0; i < 8; ++i) tall += L"这是一段很长的提示文字，用来查看文字超出区域时的样子。\r\n";
    for (const std::wstring& text : {std::wstring(L"开始按钮左移成功"),
                                    std::wstring(L"检测到当前工具有新的版本，请在Ostrel客户端下载最新版本使用。"), tall}) {
        TestPrompt prompt;
        prompt.SetKind(PromptKind::kConfirm);
        prompt.SetText(text);
        taskwing::test::InkBox ink;
        prompt.onShown = [&](TestPrompt& p) {
            ink = taskwing::test::InkOf(taskwing::test::PaintAndCapture(p.Item(IDC_PROMPT_TEXT)), RGB(255, 255, 255));
            p.EndSoon();
        };
        ASSERT_EQ(kEndedByTest, prompt.DoModal());
        const std::string name = taskwing::test::Describe(ink);
        // In the 306 x 76 area, from its left edge; one line of this font is 16 pixels.
        EXPECT_LE(ink.left, 2) << name;
        if (text == tall) {
            // The beginning shows: the first line's ink right at the top, not cut off above it.
            EXPECT_GE(ink.top, 1) << name;
            EXPECT_LE(ink.top, 4) << name;
            continue;
        }
        EXPECT_NEAR(76, ink.CentreY2(), 4) << name;  // the middle of the ink on the middle of the area
        const bool wraps = text.size() > 20;
        EXPECT_EQ(wraps, ink.bottom - ink.top > 20) << name;
        if (wraps) {
            EXPECT_GT(ink.right, 306 - 20) << name;
        }
    }
}

// Without the child's skin the controls keep their template places, and the message still shows.
class BareChildPrompt : public TestPrompt {
protected:
    std::unique_ptr<CPairChildDlg> NewChild() override {
        taskwing::PairTraits traits = taskwing::kPromptPair;
        traits.childPng = 195;  // no such PNG
        auto child = std::make_unique<CPromptChildDlg>(traits);
        child->m_strText = L"工具初始化失败";
        child->m_nKind = PromptKind::kConfirm;
        return child;
    }
};

TEST_F(Prompt, WithoutItsSkinTheChildStillShowsTheMessage) {
    BareChildPrompt prompt;
    wchar_t text[100] = {};
    bool cancelShown = true;
    prompt.onShown = [&](TestPrompt& p) {
        ::GetWindowTextW(p.Item(IDC_PROMPT_TEXT), text, 100);
        cancelShown = ::IsWindowVisible(p.Item(IDC_PROMPT_CANCEL)) != FALSE;
        ::SendMessageW(p.Item(IDC_PROMPT_OK), BM_CLICK, 0, 0);
        p.EndSoon();
    };
    EXPECT_EQ(IDOK, prompt.DoModal());
    EXPECT_EQ(std::wstring(L"工具初始化失败"), text);
    EXPECT_FALSE(cancelShown);
}

}  // namespace
