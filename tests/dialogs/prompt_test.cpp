// The prompt box as real windows on Wine's null display: which answer buttons each kind shows and
// where, at 1.0 and 1.5; the answers that end the modal run with their results and the messages the
// child sends; the keys that must do nothing; the message text in its area.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/messages.h"
#include "dialogs/prompt_dlg.h"
#include "resources/resource.h"
#include "tests/controls/pixels.h"
#include "tests/controls/png_pixels.h"
#include "tests/wine/test_support.h"

namespace {

constexpr UINT WM_TEST_SHOWN = WM_APP + 40;
constexpr UINT_PTR kEndTimer = 41;
constexpr INT_PTR kEndedByTest = 77;

// A prompt that runs `onShown` once it is up inside its modal run, and records what reaches the
// shell from the child.
class TestPrompt : public CPromptDlg {
public:
    std::function<void(TestPrompt&)> onShown;
    std::vector<WPARAM> results;  // wParam of every WM_PROMPT_RESULT
    int closes = 0;               // WM_CLOSE

    HWND Child() const { return ChildDlg() != nullptr ? ChildDlg()->m_hWnd : nullptr; }
    HWND Item(int id) const { return ::GetDlgItem(Child(), id); }
    // Ends the run with kEndedByTest once every message posted until then, and every message
    // those post in turn, has been handled: timers come only when the queue is empty.
    void EndSoon() { ::SetTimer(m_hWnd, kEndTimer, 50, nullptr); }

protected:
    BOOL OnInitDialog() override {
        const BOOL result = CPromptDlg::OnInitDialog();
        PostMessage(WM_TEST_SHOWN);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_TEST_SHOWN:
            if (onShown) onShown(*this);
            return 0;
        case WM_TIMER:
            if (wParam != kEndTimer) break;
            ::KillTimer(m_hWnd, kEndTimer);
            EndDialog(kEndedByTest);
            return 0;
        case WM_PROMPT_RESULT:
            results.push_back(wParam);
            break;
        case WM_CLOSE:
            ++closes;
            break;
        }
        return CPromptDlg::WindowProc(message, wParam, lParam);
    }
};

// A control's rectangle in its dialog's client coordinates, "hidden" when it is not visible.
std::string PlaceOf(HWND control) {
    if (!::IsWindowVisible(control)) return "hidden";
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
           std::to_string(rect.bottom);
}

struct Layout {
    std::string client, close, ok, cancel, text;
};

Layout LayoutOf(TestPrompt& prompt) {
    RECT client{};
    ::GetClientRect(prompt.Child(), &client);
    return {std::to_string(client.right) + "x" + std::to_string(client.bottom), PlaceOf(prompt.Item(IDC_PROMPT_CLOSE)),
            PlaceOf(prompt.Item(IDC_PROMPT_OK)), PlaceOf(prompt.Item(IDC_PROMPT_CANCEL)),
            PlaceOf(prompt.Item(IDC_PROMPT_TEXT))};
}

class Prompt : public ::testing::Test {
protected:
    ScopedGdiPlus gdiplus;
};

struct KindCase {
    int kind;
    float scale;
    Layout expected;
};

TEST_F(Prompt, EachKindShowsItsButtonsAtTheirPlaces) {
    const std::string loneAt1 = "135,107,190,131", pairOkAt1 = "96,107,151,131", cancelAt1 = "175,107,230,131";
    // At 1.5 the shell's moves place the child with each inset truncated: 490 x 220.
    const std::string loneAt15 = "203,160,285,196", pairOkAt15 = "144,160,226,196", cancelAt15 = "263,160,345,196";
    const Layout at1{"326x146", "300,8,312,20", "", "", "10,30,316,106"};
    const Layout at15{"490x220", "451,12,469,30", "", "", "15,45,475,160"};
    auto with = [](Layout layout, std::string ok, std::string cancel) {
        layout.ok = std::move(ok);
        layout.cancel = std::move(cancel);
        return layout;
    };
    const KindCase cases[] = {
        {1, 1.0f, with(at1, loneAt1, "hidden")},      {2, 1.0f, with(at1, pairOkAt1, cancelAt1)},
        {3, 1.0f, with(at1, loneAt1, "hidden")},      {4, 1.0f, with(at1, pairOkAt1, cancelAt1)},
        {1, 1.5f, with(at15, loneAt15, "hidden")},    {2, 1.5f, with(at15, pairOkAt15, cancelAt15)},
        {3, 1.5f, with(at15, loneAt15, "hidden")},    {4, 1.5f, with(at15, pairOkAt15, cancelAt15)},
        // A kind outside the table is the default one.
        {0, 1.0f, with(at1, loneAt1, "hidden")},      {9, 1.0f, with(at1, loneAt1, "hidden")},
    };
    for (const KindCase& c : cases) {
        TestPrompt prompt;
        prompt.SetKind(c.kind);
        prompt.SetText(L"开始按钮左移成功");
        prompt.m_fScale = c.scale;
        Layout shown;
        std::vector<std::string> afterResize;
        prompt.onShown = [&](TestPrompt& p) {
            shown = LayoutOf(p);
            // A new size lays everything out again and keeps the kind's buttons.
            ::SetWindowPos(p.Child(), nullptr, 0, 0, 400, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            const Layout resized = LayoutOf(p);
            afterResize = {resized.close, resized.cancel == "hidden" ? "hidden" : "shown"};
            p.EndSoon();
        };
        ASSERT_EQ(kEndedByTest, prompt.DoModal());
        const std::string name = "kind " + std::to_string(c.kind) + " at " + std::to_string(c.scale);
        EXPECT_EQ(c.expected.client, shown.client) << name;
        EXPECT_EQ(c.expected.close, shown.close) << name;
        EXPECT_EQ(c.expected.ok, shown.ok) << name;
        EXPECT_EQ(c.expected.cancel, shown.cancel) << name;
        EXPECT_EQ(c.expected.text, shown.text) << name;
        const std::string closeAfter = c.scale == 1.0f ? "374,8,386,20" : "361,12,379,30";
        EXPECT_EQ(closeAfter, afterResize[0]) << name;
        EXPECT_EQ(c.expected.cancel == "hidden" ? "hidden" : "shown", afterResize[1]) << name;
    }
}

// What each kind draws on its answer buttons, compared with the image sets' own pixels: the labels
// differ in the middle row.
TEST_F(Prompt, TheKindChoosesTheLabels) {
    struct LabelCase {
        int kind;
        UINT ok;
        UINT cancel;
    };
    for (const LabelCase& c : {LabelCase{1, IDB_PNG_PROMPT_YES_NORMAL, 0},
                               LabelCase{2, IDB_PNG_PROMPT_YES_NORMAL, IDB_PNG_PROMPT_NO_NORMAL},
                               LabelCase{3, IDB_PNG_PROMPT_CONFIRM_NORMAL, 0},
                               LabelCase{4, IDB_PNG_PROMPT_CONFIRM_NORMAL, IDB_PNG_PROMPT_CANCEL_NORMAL}}) {
        TestPrompt prompt;
        prompt.SetKind(c.kind);
        taskwing::test::Pixels ok, cancel;
        prompt.onShown = [&](TestPrompt& p) {
            ok = taskwing::test::PaintAndCapture(p.Item(IDC_PROMPT_OK));
            cancel = taskwing::test::PaintAndCapture(p.Item(IDC_PROMPT_CANCEL));
            p.EndSoon();
        };
        ASSERT_EQ(kEndedByTest, prompt.DoModal());
        const taskwing::test::Pixels okPng = taskwing::test::PngPixels(c.ok);
        const taskwing::test::Pixels cancelPng = taskwing::test::PngPixels(c.cancel != 0 ? c.cancel : c.ok);
        // The middle row runs through the label.
        auto sameInMiddleRow = [](const taskwing::test::Pixels& shown, const taskwing::test::Pixels& png) {
            int same = 0;
            for (int x = 0; x < 55 && shown.width == 55; ++x) same += shown.At(x, 12) == png.At(x, 12);
            return same;
        };
        EXPECT_EQ(55, sameInMiddleRow(ok, okPng)) << "kind " << c.kind;
        if (c.cancel != 0) {
            EXPECT_EQ(55, sameInMiddleRow(cancel, cancelPng)) << "kind " << c.kind;
        }
    }
}

struct AnswerCase {
    const char* what;
    int kind;
    int control;                  // clicked with BM_CLICK, or 0 to send `message` to the child
    UINT message;
    INT_PTR result;
    std::vector<WPARAM> results;  // WM_PROMPT_RESULT seen by the shell
    int closes;
};

TEST_F(Prompt, EveryAnswerEndsTheRunWithItsResult) {
    const AnswerCase cases[] = {
        {"确认 alone", 3, IDC_PROMPT_OK, 0, IDOK, {1}, 0},
        {"确认 of two", 4, IDC_PROMPT_OK, 0, IDOK, {1}, 0},
        {"取消", 4, IDC_PROMPT_CANCEL, 0, IDCANCEL, {2}, 0},
        {"是", 2, IDC_PROMPT_OK, 0, IDOK, {1}, 0},
        {"否", 2, IDC_PROMPT_CANCEL, 0, IDCANCEL, {2}, 0},
        {"close, one button", 3, IDC_PROMPT_CLOSE, 0, IDCANCEL, {}, 1},
        {"close, two buttons", 4, IDC_PROMPT_CLOSE, 0, IDCANCEL, {}, 1},
        {"close, 是 alone", 1, IDC_PROMPT_CLOSE, 0, IDCANCEL, {}, 1},
        // The child's own close (Alt+F4 on it) ends the box instead of hiding the child alone.
        {"child's close", 3, 0, WM_CLOSE, IDCANCEL, {}, 1},
    };
    for (const AnswerCase& c : cases) {
        TestPrompt prompt;
        prompt.SetKind(c.kind);
        prompt.SetText(L"开始按钮左移成功");
        prompt.onShown = [&](TestPrompt& p) {
            if (c.control != 0)
                ::SendMessageW(p.Item(c.control), BM_CLICK, 0, 0);
            else
                ::SendMessageW(p.Child(), c.message, 0, 0);
            // The test's own result only shows if no answer arrived.
            p.EndSoon();
        };
        EXPECT_EQ(c.result, prompt.DoModal()) << c.what;
        EXPECT_EQ(c.results, prompt.results) << c.what;
        EXPECT_EQ(c.closes, prompt.closes) << c.what;
    }
}

TEST_F(Prompt, TheResultMessageConfirmsOnlyWithOne) {
    for (const auto& [wParam, result] : {std::pair<WPARAM, INT_PTR>{1, IDOK}, {2, IDCANCEL}, {0, IDCANCEL}, {7, IDCANCEL}}) {
        TestPrompt prompt;
        LRESULT answer = -1;
        prompt.onShown = [&, w = wParam](TestPrompt& p) {
            answer = ::SendMessageW(p.m_hWnd, WM_PROMPT_RESULT, w, 0);
            p.EndSoon();
        };
        EXPECT_EQ(result, prompt.DoModal()) << "wParam " << wParam;
        EXPECT_EQ(0, answer);
    }
}

TEST_F(Prompt, EnterAndEscapeNeitherAnswerNorClose) {
    TestPrompt prompt;
    prompt.SetKind(4);
    bool stillUp = false;
    prompt.onShown = [&](TestPrompt& p) {
        // With the focus on each answer button in turn, as a click in the child leaves it.
        for (int id : {IDC_PROMPT_OK, IDC_PROMPT_CANCEL}) {
            ::SetActiveWindow(p.Child());
            ::SetFocus(p.Item(id));
            for (HWND target : {p.Item(id), p.Child(), p.m_hWnd}) {
                ::PostMessageW(target, WM_KEYDOWN, VK_RETURN, 0);
                ::PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0);
            }
        }
        // Runs after all the keys, and only if none of them ended the run.
        p.onShown = [&](TestPrompt& again) {
            stillUp = ::IsWindowVisible(again.Child()) != FALSE;
            again.EndSoon();
        };
        p.PostMessage(WM_TEST_SHOWN);
    };
    EXPECT_EQ(kEndedByTest, prompt.DoModal());
    EXPECT_TRUE(stillUp);
    EXPECT_TRUE(prompt.results.empty());
    EXPECT_EQ(0, prompt.closes);
}

// The ink of the message in its control: the text control's pixels that are not white.
taskwing::test::InkBox TextInk(TestPrompt& prompt) {
    const taskwing::test::Pixels pixels = taskwing::test::PaintAndCapture(prompt.Item(IDC_PROMPT_TEXT));
    return taskwing::test::InkOf(pixels, RGB(255, 255, 255));
}

TEST_F(Prompt, TheMessageStandsInItsAreaOneLineCentredUpAndDownALongOneWrapped) {
    const std::wstring shortText = L"开始按钮左移成功";
    const std::wstring longText = L"检测到当前工具有新的版本，请在Ostrel客户端下载最新版本使用。";
    for (const std::wstring& text : {shortText, longText}) {
        TestPrompt prompt;
        prompt.SetKind(3);
        prompt.SetText(text);
        std::wstring shownText;
        taskwing::test::InkBox ink;
        RECT area{};
        int lineHeight = 0;
        prompt.onShown = [&](TestPrompt& p) {
            HWND control = p.Item(IDC_PROMPT_TEXT);
            wchar_t buffer[200] = {};
            ::GetWindowTextW(control, buffer, 200);
            shownText = buffer;
            ::GetClientRect(control, &area);
            ink = TextInk(p);
            TEXTMETRICW metrics{};
            taskwing::unique_window_dc dc(p.Child());
            taskwing::unique_select_object font(dc.get(), reinterpret_cast<HFONT>(::SendMessageW(p.Child(), WM_GETFONT, 0, 0)));
            ::GetTextMetricsW(dc.get(), &metrics);
            lineHeight = metrics.tmHeight;
            p.EndSoon();
        };
        ASSERT_EQ(kEndedByTest, prompt.DoModal());
        const std::string name = taskwing::test::Narrow(text) + ": " + taskwing::test::Describe(ink);
        EXPECT_EQ(text, shownText);
        ASSERT_FALSE(ink.empty()) << name;
        EXPECT_EQ(306, area.right) << name;
        EXPECT_EQ(76, area.bottom) << name;
        // Left-aligned from the area's left edge, centred up and down within two pixels.
        EXPECT_LE(ink.left, 2) << name;
        EXPECT_NEAR(area.bottom, ink.CentreY2(), 4) << name;
        if (text == shortText) {
            EXPECT_LT(ink.bottom - ink.top, lineHeight + 1) << name;
        } else {
            // Two lines, wrapped within the width.
            EXPECT_GT(ink.bottom - ink.top, lineHeight + 2) << name;
            EXPECT_GT(ink.right, area.right - 20) << name;
        }
    }
}

// A prompt whose child has no skin: the controls stay where the template puts them, and the
// message is still there.
class BareChildPrompt : public TestPrompt {
protected:
    std::unique_ptr<CPairChildDlg> NewChild() override {
        taskwing::PairTraits traits = taskwing::kPromptPair;
        traits.childPng = 195;  // no such PNG
        auto child = std::make_unique<CPromptChildDlg>(traits);
        child->m_strText = L"工具初始化失败";
        child->m_nKind = 3;
        return child;
    }
};

TEST_F(Prompt, WithoutItsSkinTheChildStillShowsTheMessage) {
    BareChildPrompt prompt;
    std::wstring shownText;
    bool cancelShown = true;
    INT_PTR clicked = 0;
    prompt.onShown = [&](TestPrompt& p) {
        wchar_t buffer[100] = {};
        ::GetWindowTextW(p.Item(IDC_PROMPT_TEXT), buffer, 100);
        shownText = buffer;
        cancelShown = ::IsWindowVisible(p.Item(IDC_PROMPT_CANCEL)) != FALSE;
        ::SendMessageW(p.Item(IDC_PROMPT_OK), BM_CLICK, 0, 0);
        p.EndSoon();
    };
    clicked = prompt.DoModal();
    EXPECT_EQ(L"工具初始化失败", shownText);
    EXPECT_FALSE(cancelShown);
    EXPECT_EQ(IDOK, clicked);  // the answer buttons still answer
}

}  // namespace
