// The progress window as real windows on Wine's null display: its sizes at 1.0 and 1.5, the text
// with its dots, the keys and clicks that must not end it, and the end by WM_CLOSE_PROGRESS sent
// from another thread, as the alignment worker's message arrives through the main window.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "dialogs/messages.h"
#include "dialogs/progress_dlg.h"
#include "resources/resource.h"
#include "tests/controls/pixels.h"

// RECTs compared and printed as rectangles.
inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline void PrintTo(const RECT& r, std::ostream* out) {
    *out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

using Clock = std::chrono::steady_clock;
using taskwing::test::PaintAndCapture;
using taskwing::test::Pixels;

constexpr UINT WM_TEST_SHOWN = WM_APP + 20;
constexpr UINT_PTR kDotsTimer = 36;

// Runs `onShown` once the pair is up inside its modal run, and `onClosed` right after the window
// has handled WM_CLOSE_PROGRESS (still alive then).
class ProbeProgress : public CExecutePromptDlg {
public:
    std::function<void(ProbeProgress&)> onShown;
    std::function<void(ProbeProgress&)> onClosed;

    HWND ChildHwnd() const { return ChildDlg() != nullptr ? ChildDlg()->m_hWnd : nullptr; }
    HWND InfoHwnd() const { return ::GetDlgItem(ChildHwnd(), IDC_STATE_INFO); }

protected:
    BOOL OnInitDialog() override {
        const BOOL result = CExecutePromptDlg::OnInitDialog();
        PostMessage(WM_TEST_SHOWN);
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TEST_SHOWN) {
            if (onShown) onShown(*this);
            return 0;
        }
        const LRESULT result = CExecutePromptDlg::WindowProc(message, wParam, lParam);
        if (message == WM_CLOSE_PROGRESS && onClosed) onClosed(*this);
        return result;
    }
};

RECT WindowRect(HWND hwnd) {
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    return rect;
}

// The static's rectangle in its dialog's client coordinates.
RECT PlaceInParent(HWND control) {
    RECT rect = WindowRect(control);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring TextOf(HWND hwnd) {
    wchar_t text[64] = {};
    ::GetWindowTextW(hwnd, text, 64);
    return text;
}

// The box of the white text's pixels: the panel behind it is blue everywhere.
RECT WhiteInk(const Pixels& pixels) {
    RECT box{pixels.width, pixels.height, 0, 0};
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            const COLORREF c = pixels.At(x, y);
            if (GetRValue(c) < 200 || GetGValue(c) < 200 || GetBValue(c) < 200) continue;
            box.left = std::min<LONG>(box.left, x);
            box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1);
            box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    }
    return box;
}

int InkWidth(HWND info) {
    ::InvalidateRect(info, nullptr, TRUE);
    const RECT ink = WhiteInk(PaintAndCapture(info));
    return std::max<int>(0, ink.right - ink.left);
}

class ProgressWindow : public ::testing::Test {
protected:
    ScopedGdiPlus gdiplus;
};

struct Measured {
    RECT shell{};
    RECT child{};
    RECT childClient{};
    RECT info{};
    std::wstring text;
};

Measured RunAndMeasure(float scale, const std::wstring& text) {
    ProbeProgress progress;
    progress.m_fScale = scale;
    progress.SetOperationText(text);
    Measured m;
    progress.onShown = [&](ProbeProgress& p) {
        m.shell = WindowRect(p.m_hWnd);
        m.child = WindowRect(p.ChildHwnd());
        ::GetClientRect(p.ChildHwnd(), &m.childClient);
        m.info = PlaceInParent(p.InfoHwnd());
        m.text = TextOf(p.InfoHwnd());
        p.PostMessage(WM_CLOSE_PROGRESS);
    };
    EXPECT_EQ(IDOK, progress.DoModal());
    return m;
}

TEST_F(ProgressWindow, ThePairHasItsDesignSizesAt1And15AndShortTextsFallBack) {
    const Measured one = RunAndMeasure(1.0f, L"");
    EXPECT_EQ(232, one.shell.right - one.shell.left);
    EXPECT_EQ(132, one.shell.bottom - one.shell.top);
    EXPECT_EQ((RECT{one.shell.left + 14, one.shell.top + 12, one.shell.left + 14 + 204, one.shell.top + 12 + 104}),
              one.child);
    EXPECT_EQ(204, one.childClient.right);
    EXPECT_EQ(104, one.childClient.bottom);
    // Exactly over its piece of the background.
    EXPECT_EQ((RECT{10, 32, 194, 72}), one.info);
    EXPECT_EQ(L"正在修复，请稍等", one.text);

    const Measured big = RunAndMeasure(1.5f, L"左");
    EXPECT_EQ(348, big.shell.right - big.shell.left);
    EXPECT_EQ(198, big.shell.bottom - big.shell.top);
    EXPECT_EQ((RECT{big.shell.left + 21, big.shell.top + 18, big.shell.left + 21 + 306, big.shell.top + 18 + 156}),
              big.child);
    // 60 pixels high around the middle of the 156 pixels; 15 pixels in from either side.
    EXPECT_EQ((RECT{15, 48, 291, 108}), big.info);
    EXPECT_EQ(L"正在修复，请稍等", big.text);
}

TEST_F(ProgressWindow, TheTextIsCentredAndItsDotsGrowOnEachTickOfTimer36) {
    ProbeProgress progress;
    progress.SetOperationText(L"正在左移，请稍等");
    bool timerRan = false;
    RECT ink{};
    RECT info{};
    std::vector<int> widths;
    progress.onShown = [&](ProbeProgress& p) {
        HWND static_ = p.InfoHwnd();
        EXPECT_EQ(L"正在左移，请稍等", TextOf(static_));
        // The dots' timer runs; from here on the test gives the ticks itself.
        timerRan = ::KillTimer(static_, kDotsTimer) != FALSE;
        ::GetClientRect(static_, &info);
        ::InvalidateRect(static_, nullptr, TRUE);
        ink = WhiteInk(PaintAndCapture(static_));
        widths.push_back(ink.right - ink.left);
        for (int tick = 0; tick < 4; ++tick) {
            ::SendMessageW(static_, WM_TIMER, kDotsTimer, 0);
            widths.push_back(InkWidth(static_));
        }
        p.PostMessage(WM_CLOSE_PROGRESS);
    };
    EXPECT_EQ(IDOK, progress.DoModal());
    EXPECT_TRUE(timerRan);
    ASSERT_EQ(5u, widths.size());
    EXPECT_GT(widths[0], 100) << "eight characters of 宋体";
    EXPECT_LT(widths[0], widths[1]);
    EXPECT_LT(widths[1], widths[2]);
    EXPECT_LT(widths[2], widths[3]);
    EXPECT_EQ(widths[0], widths[4]) << "after three dots, none";
    // A centred block: the same room left and right, above and below (within a pixel or two).
    EXPECT_NEAR(info.right - ink.right, ink.left, 2);
    EXPECT_NEAR(info.bottom - ink.bottom, ink.top, 3);
}

TEST_F(ProgressWindow, EnterEscapeClicksAndAltF4LeaveItOpen) {
    ProbeProgress progress;
    progress.SetOperationText(L"正在左移，请稍等");
    bool stillUp = false;
    progress.onShown = [&](ProbeProgress& p) {
        for (HWND target : {p.m_hWnd, p.ChildHwnd(), p.InfoHwnd()}) {
            ::PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0);
            ::PostMessageW(target, WM_KEYDOWN, VK_RETURN, 0);
            ::PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
            ::PostMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
        }
        // Only WM_CLOSE_PROGRESS ends it: an early end would break the operation's order.
        for (HWND target : {p.m_hWnd, p.ChildHwnd()}) ::PostMessageW(target, WM_SYSCOMMAND, SC_CLOSE, 0);
        // Runs after all of them, and only if none ended the run.
        p.onShown = [&](ProbeProgress& again) {
            stillUp = ::IsWindowVisible(again.m_hWnd) && ::IsWindowVisible(again.ChildHwnd());
            again.PostMessage(WM_CLOSE_PROGRESS);
        };
        p.PostMessage(WM_TEST_SHOWN);
    };
    EXPECT_EQ(IDOK, progress.DoModal());
    EXPECT_TRUE(stillUp);
}

TEST_F(ProgressWindow, ACloseSentFromAnotherThreadStopsTheDotsAndEndsTheRunAtOnce) {
    ProbeProgress progress;
    progress.SetOperationText(L"正在居中，请稍等");
    HANDLE shown = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_NE(nullptr, shown);
    HWND shell = nullptr;
    HWND child = nullptr;
    int plainWidth = 0;
    int dottedWidth = 0;
    int stoppedWidth = 0;
    bool timerLeft = true;
    progress.onShown = [&](ProbeProgress& p) {
        shell = p.m_hWnd;
        child = p.ChildHwnd();
        plainWidth = InkWidth(p.InfoHwnd());
        ::SendMessageW(p.InfoHwnd(), WM_TIMER, kDotsTimer, 0);
        ::SendMessageW(p.InfoHwnd(), WM_TIMER, kDotsTimer, 0);
        dottedWidth = InkWidth(p.InfoHwnd());
        ::SetEvent(shown);
    };
    progress.onClosed = [&](ProbeProgress& p) {
        // The close hides the pair at once; shown for a moment again, its text must be dot-free.
        ::ShowWindow(child, SW_SHOWNA);
        stoppedWidth = InkWidth(p.InfoHwnd());
        ::ShowWindow(child, SW_HIDE);
        // Nothing left to kill: the close stopped the timer.
        timerLeft = ::KillTimer(p.InfoHwnd(), kDotsTimer) != FALSE;
    };

    Clock::time_point sent{};
    LRESULT answer = -1;
    std::thread worker([&] {
        if (::WaitForSingleObject(shown, 10000) != WAIT_OBJECT_0) return;
        // Let the modal loop fall idle inside GetMessage, where a worker's send finds it.
        ::Sleep(300);
        sent = Clock::now();
        answer = ::SendMessageW(shell, WM_CLOSE_PROGRESS, 0, 0);
    });
    const INT_PTR result = progress.DoModal();
    const Clock::time_point ended = Clock::now();
    worker.join();
    ::CloseHandle(shown);

    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(0, answer);
    const auto delay = std::chrono::duration_cast<std::chrono::milliseconds>(ended - sent).count();
    EXPECT_LT(delay, 100) << "ms from the send to the end of DoModal";
    EXPECT_GT(dottedWidth, plainWidth);
    EXPECT_EQ(plainWidth, stoppedWidth);
    EXPECT_FALSE(timerLeft);
    // Both windows are gone; the child object went with the shell's window.
    EXPECT_FALSE(::IsWindow(child));
    EXPECT_FALSE(::IsWindow(shell));
    EXPECT_EQ(nullptr, progress.ChildDlg());
}

TEST_F(ProgressWindow, ACloseRequestedBeforeTheWindowExistsEndsTheRunAsSoonAsItIsMade) {
    // The worker starts before the window: its close can come first, and must not be lost.
    ProbeProgress progress;
    progress.SetOperationText(L"正在左移，请稍等");
    bool shown = false;
    progress.onShown = [&](ProbeProgress& p) {
        shown = true;  // only if the early close was lost; ends the run so the test cannot hang
        p.PostMessage(WM_CLOSE_PROGRESS);
    };
    progress.CloseProgress();
    const DWORD start = ::GetTickCount();
    EXPECT_EQ(IDOK, progress.DoModal());
    EXPECT_LT(::GetTickCount() - start, 1000u);
    EXPECT_FALSE(shown);
}

}  // namespace
