// The problem-solved window as real windows on Wine's null display, reporting to our stand-in
// feedback library (staged beside this program) whose call log shows what each answer sent: the
// answers, the closes that are no answer, the transparent rim of the answer buttons, no library.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/problem_solved_dlg.h"
#include "dialogs/problem_solved_layout.h"
#include "feedback/feedback_dll.h"
#include "resources/resource.h"
#include "tests/controls/png_pixels.h"
#include "tests/wine/test_support.h"

namespace {

using taskwing::test::Narrow;

constexpr UINT WM_TEST_SHOWN = WM_APP + 40;
constexpr UINT_PTR kEndTimer = 41;
constexpr INT_PTR kEndedByTest = 77;

__time64_t g_fixedTime = 0;
__time64_t __cdecl FixedClock(__time64_t* out) {
    if (out != nullptr) *out = g_fixedTime;
    return g_fixedTime;
}

// Runs `onShown` once the window is up in its modal run; counts the closes that reach the shell.
class TestWindow : public CProblemSolvingFeedbackDlg {
public:
    std::function<void(TestWindow&)> onShown;
    int closes = 0;

    HWND Child() const { return ChildDlg() != nullptr ? ChildDlg()->m_hWnd : nullptr; }
    HWND Item(int id) const { return ::GetDlgItem(Child(), id); }
    // Ends the run with kEndedByTest once the queue is empty, if nothing has ended it before.
    void EndSoon() { ::SetTimer(m_hWnd, kEndTimer, 50, nullptr); }

protected:
    BOOL OnInitDialog() override {
        const BOOL result = CProblemSolvingFeedbackDlg::OnInitDialog();
        PostMessage(WM_TEST_SHOWN);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TEST_SHOWN) onShown(*this);
        if (message == WM_TIMER && wParam == kEndTimer) EndDialog(kEndedByTest);
        if (message == WM_CLOSE) ++closes;
        return CProblemSolvingFeedbackDlg::WindowProc(message, wParam, lParam);
    }
};

// A point of a control in screen coordinates, from its client's top-left.
POINT OnScreen(HWND control, int x, int y) {
    POINT point{x, y};
    ::ClientToScreen(control, &point);
    return point;
}

// The pointer's press and release at (x, y) of the button's client area, as the mouse sends them.
void ClickWithCursorAt(HWND button, int x, int y) {
    const POINT cursor = OnScreen(button, x, y);
    ::SetCursorPos(cursor.x, cursor.y);
    ::SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// A control's rectangle in its dialog's client coordinates, or "hidden".
std::string PlaceOf(HWND control) {
    RECT r{};
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    const std::string place = std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
                              "," + std::to_string(r.bottom);
    return ::IsWindowVisible(control) ? place : "hidden " + place;
}

std::string CallLine(const std::string& answer, const std::string& time, const std::string& device) {
    return "CustomerFeedbackEx\t10132\t1.1.22.1017\t" + answer + "\t" + time + "\t" + device;
}
const std::string kQuestion = "FeedbackQuestion\t10132\t1.1.22.1017";

class ProblemSolved : public ::testing::Test {
protected:
    void SetUp() override {
        m_log = taskwing::test::TempPath(L"nt-problem-solved-" + std::to_wstring(::GetCurrentProcessId()) + L".txt");
        ::DeleteFileW(m_log.c_str());
        ::SetEnvironmentVariableW(L"NT_FEEDBACK_LOG", m_log.c_str());
        ASSERT_TRUE(m_dll.Load());
        g_fixedTime = 1700000000;
        // Away from the window, which is centred on the screen.
        ::SetCursorPos(0, 0);
    }
    void TearDown() override {
        ::SetEnvironmentVariableW(L"NT_FEEDBACK_LOG", nullptr);
        ::DeleteFileW(m_log.c_str());
    }
    // The stand-in's calls since the last look, one line each.
    std::vector<std::string> TakeCalls() {
        std::vector<std::string> lines;
        {
            std::ifstream in(std::filesystem::path(m_log), std::ios::binary);
            for (std::string line; std::getline(in, line);) {
                if (!line.empty() && line.back() == '\r') line.pop_back();
                lines.push_back(line);
            }
        }
        ::DeleteFileW(m_log.c_str());
        return lines;
    }

    ScopedGdiPlus m_gdiplus;
    CFeedbackDll m_dll;
    std::wstring m_log;
};

TEST_F(ProblemSolved, ComesUpScaledWithThreeAnswersOnTheSkinAndNoCloseButton) {
    TestWindow window;
    wchar_t title[32] = {};
    RECT shell{}, child{};
    std::vector<std::string> places;
    std::vector<bool> showsImage;
    window.onShown = [&](TestWindow& w) {
        ::GetWindowTextW(w.m_hWnd, title, 32);
        shell = w.GetWindowRect();
        ::GetClientRect(w.Child(), &child);
        for (int id : {IDC_BTN_SOLVED, IDC_BTN_UNSOLVED, IDC_BTN_OTHER, IDC_PROBLEM_SOLVING_CLOSE})
            places.push_back(PlaceOf(w.Item(id)));
        // Each answer button shows its own normal image 1:1, across its opaque middle.
        const std::pair<int, UINT> images[] = {{IDC_BTN_SOLVED, IDB_PNG_ANSWER_SOLVED_NORMAL},
                                               {IDC_BTN_UNSOLVED, IDB_PNG_ANSWER_UNSOLVED_NORMAL},
                                               {IDC_BTN_OTHER, IDB_PNG_ANSWER_OTHER_NORMAL}};
        for (const auto& [id, png] : images) {
            const auto shown = taskwing::test::PaintAndCapture(w.Item(id));
            const auto expected = taskwing::test::PngPixels(png);
            bool same = shown.width == expected.width;
            for (int x = 12; same && x < 254; ++x) same = shown.At(x, 30) == expected.At(x, 30);
            showsImage.push_back(same);
        }
        w.EndSoon();
    };
    ASSERT_EQ(kEndedByTest, window.DoModal());
    // The headless prefix runs at 96 dots per inch: scale 1.
    EXPECT_EQ(L"Taskwing", std::wstring(title));
    EXPECT_EQ(410, shell.right - shell.left);
    EXPECT_EQ(479, shell.bottom - shell.top);
    EXPECT_EQ(400, child.right);
    EXPECT_EQ(468, child.bottom);
    EXPECT_EQ((std::vector<std::string>{"67,154,333,214", "67,234,333,294", "67,314,333,374", "hidden 382,6,394,18"}),
              places);
    EXPECT_EQ((std::vector<bool>{true, true, true}), showsImage);
    EXPECT_TRUE(TakeCalls().empty());
}

TEST_F(ProblemSolved, EachAnswerReportsItselfWithTimeAndDeviceThenOpensTheQuestionAndEnds) {
    struct Case {
        int control;
        int deviceType;
        __time64_t time;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {IDC_BTN_SOLVED, 0, 1700000000, {CallLine("1", "1700000000", "1"), kQuestion}},
        {IDC_BTN_UNSOLVED, 1, 1700000001, {CallLine("2", "1700000001", "2"), kQuestion}},
        // After January 2038 the low half of the time goes out as a negative number.
        {IDC_BTN_OTHER, 2, 3000000000LL, {CallLine("3", "-1294967296", "3")}},
        // The hidden close button answers "other" and opens nothing.
        {IDC_PROBLEM_SOLVING_CLOSE, 2, 2147483648LL, {CallLine("3", "-2147483648", "3")}},
    };
    for (const Case& c : cases) {
        g_fixedTime = c.time;
        TestWindow window;
        window.SetFeedbackDll(&m_dll);
        window.SetDeviceType(c.deviceType);
        window.SetClock(&FixedClock);
        window.onShown = [&](TestWindow& w) {
            RECT client{};
            ::GetClientRect(w.Item(c.control), &client);
            ClickWithCursorAt(w.Item(c.control), client.right / 2, client.bottom / 2);
            w.EndSoon();  // ends the run only if the answer did not
        };
        EXPECT_EQ(IDCANCEL, window.DoModal()) << c.control;
        EXPECT_EQ(1, window.closes) << c.control;
        std::vector<std::string> expected = c.calls;
        if (c.control == IDC_BTN_OTHER) expected.push_back(kQuestion);
        EXPECT_EQ(expected, TakeCalls()) << c.control;
    }
}

TEST_F(ProblemSolved, TheTimeComesFromTheSystemClock) {
    const auto low = [](__time64_t t) { return std::stoll(Narrow(taskwing::FeedbackTimeText(t))); };
    TestWindow window;
    window.SetFeedbackDll(&m_dll);
    window.onShown = [&](TestWindow& w) { ::SendMessageW(w.Item(IDC_BTN_OTHER), BM_CLICK, 0, 0); };
    const long long before = low(_time64(nullptr));
    EXPECT_EQ(IDCANCEL, window.DoModal());
    const long long after = low(_time64(nullptr));
    const std::vector<std::string> calls = TakeCalls();
    ASSERT_EQ(2u, calls.size());
    // Answer, then time, then device.
    const std::string fields = calls[0].substr(calls[0].find("\t3\t") + 3);
    const long long sent = std::stoll(fields.substr(0, fields.find('\t')));
    EXPECT_LE(before, sent);
    EXPECT_GE(after, sent);
}

TEST_F(ProblemSolved, ClosingWithoutAnAnswerReportsTheCloseAnswerOnceAndEnds) {
    struct Step {
        bool toChild;
        UINT message;
        WPARAM wParam;
    };
    struct Case {
        const char* what;
        std::vector<Step> steps;
        std::vector<std::string> calls;
    };
    const Step altF4Child{true, WM_SYSCOMMAND, SC_CLOSE}, altF4Shell{false, WM_SYSCOMMAND, SC_CLOSE};
    const std::string closeAnswer = CallLine("3", "1700000000", "1");
    const Case cases[] = {
        {"Alt+F4 on the child", {altF4Child}, {closeAnswer}},
        {"Alt+F4 on the shell", {altF4Shell}, {closeAnswer}},
        {"WM_CLOSE to the child", {{true, WM_CLOSE, 0}}, {closeAnswer}},
        {"WM_CLOSE to the shell", {{false, WM_CLOSE, 0}}, {closeAnswer}},
        // A second close, and a close after an answer, report nothing more.
        {"child, then shell", {altF4Child, altF4Shell}, {closeAnswer}},
        {"shell, then child", {altF4Shell, altF4Child}, {closeAnswer}},
        {"an answer, then Alt+F4",
         {{true, WM_COMMAND, MAKEWPARAM(IDC_BTN_OTHER, BN_CLICKED)}, altF4Child, altF4Shell},
         {closeAnswer, kQuestion}},
    };
    for (const Case& c : cases) {
        TestWindow window;
        window.SetFeedbackDll(&m_dll);
        window.SetClock(&FixedClock);
        window.onShown = [&](TestWindow& w) {
            for (const Step& step : c.steps)
                ::SendMessageW(step.toChild ? w.Child() : w.m_hWnd, step.message, step.wParam, 0);
            w.EndSoon();  // a child that only hid itself would leave the run to this
        };
        EXPECT_EQ(IDCANCEL, window.DoModal()) << c.what;
        EXPECT_EQ(c.calls, TakeCalls()) << c.what;
    }
}

TEST_F(ProblemSolved, AClickOnTheRimOfSolvedOrUnsolvedIsNoAnswerButOnOtherItIs) {
    for (int id : {IDC_BTN_SOLVED, IDC_BTN_UNSOLVED}) {
        TestWindow window;
        window.SetFeedbackDll(&m_dll);
        bool stillUp = false;
        window.onShown = [&](TestWindow& w) {
            // Corners and edges of the 9-pixel rim, all inside the button's window.
            for (const POINT& p :
                 {POINT{0, 0}, POINT{8, 30}, POINT{257, 30}, POINT{133, 8}, POINT{133, 51}, POINT{265, 59}})
                ClickWithCursorAt(w.Item(id), p.x, p.y);
            stillUp = ::IsWindowVisible(w.Child()) != FALSE;
            w.EndSoon();
        };
        EXPECT_EQ(kEndedByTest, window.DoModal()) << id;
        EXPECT_TRUE(stillUp) << id;
        EXPECT_EQ(0, window.closes) << id;
        EXPECT_TRUE(TakeCalls().empty()) << id;
    }
    // Just inside the rim is an answer.
    TestWindow inner;
    inner.SetFeedbackDll(&m_dll);
    inner.SetClock(&FixedClock);
    inner.onShown = [&](TestWindow& w) {
        ClickWithCursorAt(w.Item(IDC_BTN_UNSOLVED), 9, 9);
        w.EndSoon();
    };
    EXPECT_EQ(IDCANCEL, inner.DoModal());
    EXPECT_EQ((std::vector<std::string>{CallLine("2", "1700000000", "1"), kQuestion}), TakeCalls());

    TestWindow other;
    other.SetFeedbackDll(&m_dll);
    other.SetClock(&FixedClock);
    other.onShown = [&](TestWindow& w) {
        ClickWithCursorAt(w.Item(IDC_BTN_OTHER), 2, 2);
        w.EndSoon();
    };
    EXPECT_EQ(IDCANCEL, other.DoModal());
    EXPECT_EQ((std::vector<std::string>{CallLine("3", "1700000000", "1"), kQuestion}), TakeCalls());
}

TEST_F(ProblemSolved, WithoutTheLibraryNothingIsReportedAndTheWindowStillEnds) {
    for (int id : {IDC_BTN_SOLVED, IDC_BTN_OTHER, 0}) {
        TestWindow window;  // no library set
        window.onShown = [&](TestWindow& w) {
            if (id != 0)
                ClickWithCursorAt(w.Item(id), 133, 30);
            else
                ::SendMessageW(w.Child(), WM_SYSCOMMAND, SC_CLOSE, 0);
            w.EndSoon();
        };
        EXPECT_EQ(IDCANCEL, window.DoModal()) << id;
        EXPECT_TRUE(TakeCalls().empty()) << id;
    }
}

}  // namespace
