// The prompt box's window pair as real windows (Wine's null display): placement, scale, the drag
// strip, who follows whom, the keys, destruction and the missing-image paths.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/prompt_dlg.h"
#include "framework/handles.h"

namespace {

constexpr UINT WM_TEST_SHOWN = WM_APP + 20;
constexpr UINT WM_TEST_END = WM_APP + 21;
constexpr INT_PTR kEndedByTest = 77;

std::vector<std::string> g_events;

bool IsKey(const MSG& msg, WPARAM key) { return msg.message == WM_KEYDOWN && msg.wParam == key; }

class ProbeChild : public CPairChildDlg {
public:
    explicit ProbeChild(const taskwing::PairSpec& spec) : CPairChildDlg(spec) {}
    ~ProbeChild() override { g_events.push_back("child deleted"); }
    std::vector<bool> layouts;  // the `first` argument of every layout
    int keysSeen = 0;

protected:
    void LayoutControls(bool first) override { layouts.push_back(first); }
    BOOL PreTranslateMessage(MSG* msg) override {
        if (IsKey(*msg, VK_ESCAPE) || IsKey(*msg, VK_RETURN)) ++keysSeen;
        return CPairChildDlg::PreTranslateMessage(msg);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_DESTROY) g_events.push_back("child destroyed");
        return CPairChildDlg::WindowProc(message, wParam, lParam);
    }
};

// Runs `onShown` once the pair is up inside its modal run; WM_TEST_END ends the run.
class ProbeShell : public CPairShellDlg {
public:
    explicit ProbeShell(const taskwing::PairSpec& spec = taskwing::kPromptPair) : CPairShellDlg(spec) {}
    std::function<void(ProbeShell&)> onShown;
    int keysSeen = 0;
    ProbeChild* Child() const { return static_cast<ProbeChild*>(ChildDlg()); }
    HWND ChildHwnd() const { return ChildDlg() != nullptr ? ChildDlg()->m_hWnd : nullptr; }

protected:
    std::unique_ptr<CPairChildDlg> NewChild() override { return std::make_unique<ProbeChild>(Spec()); }
    BOOL OnInitDialog() override {
        const BOOL result = CPairShellDlg::OnInitDialog();
        PostMessage(WM_TEST_SHOWN);
        return result;
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        if (IsKey(*msg, VK_ESCAPE) || IsKey(*msg, VK_RETURN)) ++keysSeen;
        return CPairShellDlg::PreTranslateMessage(msg);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_TEST_SHOWN:
            if (onShown) onShown(*this);
            return 0;
        case WM_TEST_END:
            EndDialog(kEndedByTest);
            return 0;
        case WM_DESTROY:
            g_events.push_back("shell destroyed");
            break;
        }
        return CPairShellDlg::WindowProc(message, wParam, lParam);
    }
};

class PromptPair : public ::testing::Test {
protected:
    void SetUp() override {
        g_events.clear();
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    }
    ScopedGdiPlus gdiplus;
    RECT work{};
};

RECT WindowRect(HWND hwnd) {
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    return rect;
}

RECT Offset(RECT rect, int dx, int dy) {
    ::OffsetRect(&rect, dx, dy);
    return rect;
}

void ExpectRect(const RECT& expected, const RECT& actual) {
    EXPECT_EQ(expected.left, actual.left);
    EXPECT_EQ(expected.top, actual.top);
    EXPECT_EQ(expected.right, actual.right);
    EXPECT_EQ(expected.bottom, actual.bottom);
}

void MoveTo(HWND hwnd, int x, int y) {
    ::SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT HitTest(HWND hwnd, int x, int y) {
    return ::SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(x, y));
}

TEST_F(PromptPair, ComesUpCentredWithTheChildOverTheShellsInnerPart) {
    ProbeShell shell;
    RECT shellRect{};
    RECT childRect{};
    bool childShown = false;
    LONG exStyle = 0;
    shell.onShown = [&](ProbeShell& s) {
        shellRect = s.GetWindowRect();
        childRect = WindowRect(s.ChildHwnd());
        childShown = ::IsWindowVisible(s.ChildHwnd()) != FALSE;
        exStyle = ::GetWindowLongW(s.m_hWnd, GWL_EXSTYLE);
        s.PostMessage(WM_TEST_END);
    };
    ASSERT_EQ(kEndedByTest, shell.DoModal());
    const int left = (work.left + work.right) / 2 - 336 / 2;
    const int top = (work.top + work.bottom) / 2 - 156 / 2;
    ExpectRect({left, top, left + 336, top + 156}, shellRect);
    ExpectRect({left + 5, top + 3, left + 336 - 5, top + 156 - 7}, childRect);
    EXPECT_TRUE(childShown);
    EXPECT_NE(0, exStyle & WS_EX_LAYERED);
}

TEST_F(PromptPair, AtScaleOneAndAHalfTheShellIs504By234) {
    ProbeShell shell;
    shell.m_fScale = 1.5f;
    RECT shellRect{};
    RECT childRect{};
    shell.onShown = [&](ProbeShell& s) {
        shellRect = s.GetWindowRect();
        childRect = WindowRect(s.ChildHwnd());
        s.PostMessage(WM_TEST_END);
    };
    ASSERT_EQ(kEndedByTest, shell.DoModal());
    EXPECT_EQ(504, shellRect.right - shellRect.left);
    EXPECT_EQ(234, shellRect.bottom - shellRect.top);
    // Insets 7.5, 4.5, 7.5 and 10.5 truncated.
    ExpectRect({shellRect.left + 7, shellRect.top + 4, shellRect.right - 7, shellRect.bottom - 10}, childRect);
}

TEST_F(PromptPair, OnlyTheTopStripLessItsRightEndDragsTheChild) {
    ProbeShell shell;
    std::vector<LRESULT> hits;
    std::vector<LRESULT> shellHits;
    shell.onShown = [&](ProbeShell& s) {
        const RECT c = WindowRect(s.ChildHwnd());  // no frame: client and window agree
        HWND child = s.ChildHwnd();
        hits = {HitTest(child, c.left, c.top),           HitTest(child, c.left + 100, c.top + 29),
                HitTest(child, c.right - 27, c.top + 5), HitTest(child, c.left + 100, c.top + 30),
                HitTest(child, c.right - 26, c.top + 5), HitTest(child, c.right - 1, c.top + 1)};
        shellHits = {HitTest(s.m_hWnd, c.left - 2, c.top - 2), HitTest(s.m_hWnd, c.left + 100, c.top + 10)};
        s.PostMessage(WM_TEST_END);
    };
    ASSERT_EQ(kEndedByTest, shell.DoModal());
    EXPECT_EQ((std::vector<LRESULT>{HTCAPTION, HTCAPTION, HTCAPTION, HTCLIENT, HTCLIENT, HTCLIENT}), hits);
    EXPECT_EQ((std::vector<LRESULT>{HTCLIENT, HTCLIENT}), shellHits);  // the shell itself never drags
}

TEST_F(PromptPair, TheStripScalesWithTheWindow) {
    ProbeShell shell;
    shell.m_fScale = 1.5f;
    std::vector<LRESULT> hits;
    shell.onShown = [&](ProbeShell& s) {
        const RECT c = WindowRect(s.ChildHwnd());
        HWND child = s.ChildHwnd();
        // 45 pixels high, the right 39 cut off.
        hits = {HitTest(child, c.left + 10, c.top + 44), HitTest(child, c.right - 40, c.top + 10),
                HitTest(child, c.left + 10, c.top + 45), HitTest(child, c.right - 39, c.top + 10)};
        s.PostMessage(WM_TEST_END);
    };
    ASSERT_EQ(kEndedByTest, shell.DoModal());
    EXPECT_EQ((std::vector<LRESULT>{HTCAPTION, HTCAPTION, HTCLIENT, HTCLIENT}), hits);
}

TEST_F(PromptPair, TheShellLeadsUntilTheChildIsDraggedThenTheChildLeads) {
    ProbeShell shell;
    RECT childAfterShellMove{};
    RECT shellBeforeDrag{};
    RECT shellAfterDrag{};
    RECT childAfterDrag{};
    RECT childAfterSecondShellMove{};
    bool followsBefore = false;
    bool followsAfter = true;
    shell.onShown = [&](ProbeShell& s) {
        HWND child = s.ChildHwnd();
        followsBefore = s.ChildFollows();
        MoveTo(s.m_hWnd, 100, 120);
        childAfterShellMove = WindowRect(child);
        shellBeforeDrag = s.GetWindowRect();

        // What a drag does: a hit on the strip, then the system moves the child.
        const RECT c = WindowRect(child);
        EXPECT_EQ(HTCAPTION, HitTest(child, c.left + 50, c.top + 10));
        MoveTo(child, c.left + 30, c.top + 40);
        childAfterDrag = WindowRect(child);
        shellAfterDrag = s.GetWindowRect();
        followsAfter = s.ChildFollows();

        MoveTo(s.m_hWnd, 300, 320);
        childAfterSecondShellMove = WindowRect(child);
        s.PostMessage(WM_TEST_END);
    };
    ASSERT_EQ(kEndedByTest, shell.DoModal());
    EXPECT_TRUE(followsBefore);
    ExpectRect({105, 123, 100 + 336 - 5, 120 + 156 - 7}, childAfterShellMove);
    ExpectRect(Offset(childAfterShellMove, 30, 40), childAfterDrag);
    ExpectRect({childAfterDrag.left - 5, childAfterDrag.top - 3, childAfterDrag.right + 5, childAfterDrag.bottom + 7},
               shellAfterDrag);
    EXPECT_FALSE(followsAfter);
    ExpectRect(childAfterDrag, childAfterSecondShellMove);
}

TEST_F(PromptPair, EnterAndEscapeLeaveThePairOpen) {
    ProbeShell shell;
    bool childShown = false;
    int childKeys = 0;
    shell.onShown = [&](ProbeShell& s) {
        for (HWND target : {s.m_hWnd, s.ChildHwnd()}) {
            ::PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0);
            ::PostMessageW(target, WM_KEYDOWN, VK_RETURN, 0);
        }
        // Runs after the keys, and only if none of them ended the run.
        s.onShown = [&](ProbeShell& again) {
            childShown = ::IsWindowVisible(again.ChildHwnd()) != FALSE;
            childKeys = again.Child()->keysSeen;
            again.PostMessage(WM_TEST_END);
        };
        s.PostMessage(WM_TEST_SHOWN);
    };
    EXPECT_EQ(kEndedByTest, shell.DoModal());
    // Escape or Enter let through would have hidden the modeless child.
    EXPECT_TRUE(childShown);
    EXPECT_EQ(2, shell.keysSeen);
    EXPECT_EQ(2, childKeys);
}

TEST_F(PromptPair, ChildWindowGoesFirstThenTheShellThenTheChildObject) {
    ProbeShell shell;
    HWND child = nullptr;
    std::vector<bool> layoutsShown;
    std::vector<bool> layoutsResized;
    shell.onShown = [&](ProbeShell& s) {
        child = s.ChildHwnd();
        layoutsShown = s.Child()->layouts;
        // A new size lays the controls out again, without the first-time setup.
        ::SetWindowPos(child, nullptr, 0, 0, 300, 120, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        layoutsResized = s.Child()->layouts;
        s.PostMessage(WM_CLOSE);
    };
    EXPECT_EQ(IDCANCEL, shell.DoModal());  // the default close
    // First from the initialisation, then for the placement on the shell, which changes the size.
    EXPECT_EQ((std::vector<bool>{true, false}), layoutsShown);
    EXPECT_EQ((std::vector<bool>{true, false, false}), layoutsResized);
    EXPECT_FALSE(::IsWindow(child));
    EXPECT_EQ(nullptr, shell.ChildDlg());
    EXPECT_EQ((std::vector<std::string>{"child destroyed", "shell destroyed", "child deleted"}), g_events);
}

TEST_F(PromptPair, WithoutTheShellImageNoChildIsMadeAndTheRunStillEnds) {
    taskwing::PairSpec spec = taskwing::kPromptPair;
    spec.shellPng = 195;  // no such PNG
    ProbeShell shell(spec);
    bool hadChild = true;
    shell.onShown = [&](ProbeShell& s) {
        hadChild = s.ChildDlg() != nullptr;
        s.PostMessage(WM_TEST_END);
    };
    EXPECT_EQ(kEndedByTest, shell.DoModal());
    EXPECT_FALSE(hadChild);
}

// Sends WM_ERASEBKGND with a canvas of the child's size painted magenta; returns the centre pixel.
UINT32 EraseCentre(HWND child, LRESULT* result) {
    RECT client{};
    ::GetClientRect(child, &client);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    taskwing::unique_hdc dc(::CreateCompatibleDC(nullptr));
    taskwing::unique_hbitmap bitmap(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    taskwing::unique_select_object selected(dc.get(), bitmap.get());
    auto* pixels = static_cast<UINT32*>(bits);
    for (LONG i = 0; i < client.right * client.bottom; ++i) pixels[i] = 0x00FF00FF;
    *result = ::SendMessageW(child, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
    ::GdiFlush();
    return pixels[(client.bottom / 2) * client.right + client.right / 2] & 0x00FFFFFF;
}

TEST_F(PromptPair, TheChildPaintsItsBackgroundAndWithoutItPaintsNothing) {
    ProbeShell shell;
    UINT32 painted = 0;
    LRESULT paintedResult = 0;
    shell.onShown = [&](ProbeShell& s) {
        painted = EraseCentre(s.ChildHwnd(), &paintedResult);
        s.PostMessage(WM_TEST_END);
    };
    ASSERT_EQ(kEndedByTest, shell.DoModal());
    EXPECT_EQ(TRUE, paintedResult);
    EXPECT_NE(0x00FF00FFu, painted);

    taskwing::PairSpec spec = taskwing::kPromptPair;
    spec.childPng = 195;
    ProbeShell bare(spec);
    UINT32 unpainted = 0;
    LRESULT unpaintedResult = 0;
    std::vector<bool> layouts{true};
    bool layoutDone = true;
    bare.onShown = [&](ProbeShell& s) {
        unpainted = EraseCentre(s.ChildHwnd(), &unpaintedResult);
        layouts = s.Child()->layouts;
        layoutDone = s.Child()->LayoutDone();
        s.PostMessage(WM_TEST_END);
    };
    ASSERT_EQ(kEndedByTest, bare.DoModal());
    EXPECT_EQ(TRUE, unpaintedResult);
    EXPECT_EQ(0x00FF00FFu, unpainted);
    // The controls keep their template places: no layout at all.
    EXPECT_TRUE(layouts.empty());
    EXPECT_FALSE(layoutDone);
}

}  // namespace
