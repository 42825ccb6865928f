// The prompt box's window pair as real windows on Wine's null display: the drag strip's exact
// edges, the keys, destruction, layout calls, the background and the missing-image paths. Placement,
// dragging and scale on a real screen are pair_screen_test's.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "base/handles.h"
#include "dialogs/prompt_dlg.h"

namespace {

constexpr UINT WM_TEST_SHOWN = WM_APP + 20;
constexpr UINT WM_TEST_END = WM_APP + 21;
constexpr INT_PTR kEndedByTest = 77;

std::vector<std::string> g_events;

bool IsKey(const MSG& msg, WPARAM key) { return msg.message == WM_KEYDOWN && msg.wParam == key; }

class ProbeChild : public CPairChildDlg {
public:
    explicit ProbeChild(const taskwing::PairTraits& traits) : CPairChildDlg(traits) {}
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
    explicit ProbeShell(const taskwing::PairTraits& traits = taskwing::kPromptPair) : CPairShellDlg(traits) {}
    std::function<void(ProbeShell&)> onShown;
    int keysSeen = 0;
    ProbeChild* Child() const { return ChildDlg() != nullptr ? m_pProbe : nullptr; }
    HWND ChildHwnd() const { return ChildDlg() != nullptr ? ChildDlg()->m_hWnd : nullptr; }

protected:
    std::unique_ptr<CPairChildDlg> NewChild() override {
        auto child = std::make_unique<ProbeChild>(Traits());
        m_pProbe = child.get();
        return child;
    }
    ProbeChild* m_pProbe = nullptr;
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
    void SetUp() override { g_events.clear(); }
    ScopedGdiPlus gdiplus;
};

RECT WindowRect(HWND hwnd) {
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    return rect;
}

LRESULT HitTest(HWND hwnd, int x, int y) {
    return ::SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(x, y));
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

TEST_F(PromptPair, WithoutTheShellImageTheRunEndsAtOnceWithMinusOneAndNoChild) {
    taskwing::PairTraits traits = taskwing::kPromptPair;
    traits.shellPng = 195;  // no such PNG
    ProbeShell shell(traits);
    bool shownOrChild = false;
    shell.onShown = [&](ProbeShell& s) {
        // Never reached when the run ends inside OnInitDialog; ends the run if it is.
        shownOrChild = true;
        s.PostMessage(WM_TEST_END);
    };
    const DWORD start = ::GetTickCount();
    EXPECT_EQ(-1, shell.DoModal());
    EXPECT_LT(::GetTickCount() - start, 1000u);
    EXPECT_FALSE(shownOrChild);
    EXPECT_EQ(nullptr, shell.ChildDlg());
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

    taskwing::PairTraits traits = taskwing::kPromptPair;
    traits.childPng = 195;
    ProbeShell bare(traits);
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

namespace {

// A 32-bit canvas of `width` x `height` that `paint` draws on; its pixels without alpha.
template <typename Paint>
std::vector<UINT32> PaintedPixels(int width, int height, Paint&& paint) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    taskwing::unique_hdc dc(::CreateCompatibleDC(nullptr));
    taskwing::unique_hbitmap bitmap(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bits == nullptr) return {};
    taskwing::unique_select_object selected(dc.get(), bitmap.get());
    paint(dc.get());
    ::GdiFlush();
    const auto* pixels = static_cast<const UINT32*>(bits);
    std::vector<UINT32> out(pixels, pixels + static_cast<size_t>(width) * static_cast<size_t>(height));
    for (UINT32& pixel : out) pixel &= 0x00FFFFFF;
    return out;
}

// The child's whole background as one erase paints it.
std::vector<UINT32> Erased(HWND child) {
    RECT client{};
    ::GetClientRect(child, &client);
    return PaintedPixels(client.right, client.bottom, [&](HDC dc) {
        ::SendMessageW(child, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    });
}

// The image stretched over the child's client area by GDI+ itself, as the child painted it before
// it kept its stretch.
std::vector<UINT32> StretchedByGdiPlus(HWND child, Gdiplus::Image* image) {
    RECT client{};
    ::GetClientRect(child, &client);
    return PaintedPixels(client.right, client.bottom, [&](HDC dc) {
        Gdiplus::Graphics graphics(dc);
        graphics.DrawImage(image, Gdiplus::Rect(0, 0, client.right, client.bottom), 0, 0,
                           static_cast<INT>(image->GetWidth()), static_cast<INT>(image->GetHeight()),
                           Gdiplus::UnitPixel);
    });
}

int LargestChannelDifference(const std::vector<UINT32>& a, const std::vector<UINT32>& b) {
    if (a.size() != b.size() || a.empty()) return 256;
    int largest = 0;
    for (size_t i = 0; i < a.size(); ++i)
        for (int shift = 0; shift < 24; shift += 8) {
            const int d = static_cast<int>((a[i] >> shift) & 0xFF) - static_cast<int>((b[i] >> shift) & 0xFF);
            largest = std::max(largest, d < 0 ? -d : d);
        }
    return largest;
}

TEST_F(PromptPair, EveryEraseShowsTheKeptStretchAsAFreshOneAndANewSizeIsStretchedAgain) {
    for (const float scale : {1.25f, 1.5f}) {
        ProbeShell shell;
        shell.m_fScale = scale;
        std::vector<UINT32> first, again, fresh, resized, freshResized;
        shell.onShown = [&](ProbeShell& s) {
            const HWND child = s.ChildHwnd();
            Gdiplus::Image* image = s.ChildDlg()->BkImage();
            first = Erased(child);
            again = Erased(child);
            fresh = StretchedByGdiPlus(child, image);
            const RECT window = WindowRect(child);
            ::MoveWindow(child, window.left, window.top, window.right - window.left - 37,
                         window.bottom - window.top + 11, FALSE);
            resized = Erased(child);
            freshResized = StretchedByGdiPlus(child, image);
            s.PostMessage(WM_TEST_END);
        };
        ASSERT_EQ(kEndedByTest, shell.DoModal());
        ASSERT_FALSE(first.empty());
        EXPECT_EQ(first, again) << scale;
        // Within one level of GDI+'s own stretch, at the first size and at the new one.
        EXPECT_LE(LargestChannelDifference(first, fresh), 1) << scale;
        EXPECT_LE(LargestChannelDifference(resized, freshResized), 1) << scale;
        EXPECT_NE(first.size(), resized.size()) << scale;
    }
}

}  // namespace
