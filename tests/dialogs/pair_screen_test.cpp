// The prompt box's window pair on a real X display, driven by real pointer and key events: the
// drag strip, the shell following the child, the keys, the shell's per-pixel alpha, and the size at
// 144 dots per inch.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

#include "base/handles.h"
#include "dialogs/prompt_dlg.h"
#include "tests/dialogs/x11_tools.h"
#include "tests/wine/test_support.h"

namespace {

using taskwing::test::RunUnix;

constexpr UINT WM_TEST_SHOWN = WM_APP + 30;
constexpr UINT WM_TEST_KEYS = WM_APP + 31;  // answers how many Enter and Escape presses it saw

bool IsEnterOrEscape(const MSG& msg) {
    return msg.message == WM_KEYDOWN && (msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN);
}

class CountingChild : public CPromptChildDlg {
protected:
    BOOL PreTranslateMessage(MSG* msg) override {
        if (IsEnterOrEscape(*msg)) ++m_keys;
        return CPromptChildDlg::PreTranslateMessage(msg);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TEST_KEYS) return m_keys;
        return CPromptChildDlg::WindowProc(message, wParam, lParam);
    }

private:
    int m_keys = 0;
};

class CountingShell : public CPromptDlg {
public:
    std::function<void(HWND shell, HWND child)> onShown;

protected:
    std::unique_ptr<CPairChildDlg> NewChild() override { return std::make_unique<CountingChild>(); }
    BOOL OnInitDialog() override {
        const BOOL result = CPromptDlg::OnInitDialog();
        PostMessage(WM_TEST_SHOWN);
        return result;
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        if (IsEnterOrEscape(*msg)) ++m_keys;
        return CPromptDlg::PreTranslateMessage(msg);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TEST_SHOWN) {
            onShown(m_hWnd, ChildDlg() != nullptr ? ChildDlg()->m_hWnd : nullptr);
            return 0;
        }
        if (message == WM_TEST_KEYS) return m_keys;
        return CPromptDlg::WindowProc(message, wParam, lParam);
    }

private:
    int m_keys = 0;
};

// The prompt pair running modally on its own interface thread, so that the test can drive it.
class PromptOnScreen : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_GT(::GetEnvironmentVariableW(L"DISPLAY", nullptr, 0), 0u) << "the screen tests need an X display";
        taskwing::unique_handle shown(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        HANDLE event = shown.get();
        m_thread = std::thread([this, event] {
            ScopedGdiPlus gdiplus;
            CountingShell shell;
            shell.onShown = [this, event](HWND s, HWND c) {
                shellHwnd = s;
                childHwnd = c;
                ::SetEvent(event);
            };
            shell.DoModal();
        });
        ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(event, 10000));
        ASSERT_NE(nullptr, childHwnd);
        // Let the X server map both windows before the first event.
        RunUnix("sleep 0.2");
    }
    void TearDown() override {
        if (m_thread.joinable()) {
            if (::IsWindow(shellHwnd)) ::PostMessageW(shellHwnd, WM_CLOSE, 0, 0);
            m_thread.join();
        }
    }

    RECT Shell() const { return Rect(shellHwnd); }
    RECT Child() const { return Rect(childHwnd); }
    static RECT Rect(HWND hwnd) {
        RECT rect{};
        ::GetWindowRect(hwnd, &rect);
        return rect;
    }

    // Presses the left button at (x, y), drags by (dx, dy) in steps and lets go.
    static void Drag(LONG x, LONG y, int dx, int dy) {
        char command[400];
        std::snprintf(command, sizeof(command),
                      "xdotool mousemove %ld %ld sleep 0.1 mousedown 1 sleep 0.1 mousemove %ld %ld sleep 0.05 "
                      "mousemove %ld %ld sleep 0.05 mousemove %ld %ld sleep 0.1 mouseup 1 sleep 0.1",
                      x, y, x + dx / 3, y + dy / 3, x + 2 * dx / 3, y + 2 * dy / 3, x + dx, y + dy);
        ASSERT_EQ(0, RunUnix(command));
    }

    // Waits up to two seconds for the child to reach `expected`; X events arrive on their own time.
    bool ChildReaches(const RECT& expected) const {
        for (int i = 0; i < 100; ++i) {
            const RECT now = Child();
            if (::EqualRect(&expected, &now) != FALSE) return true;
            ::Sleep(20);
        }
        return false;
    }

    HWND shellHwnd = nullptr;
    HWND childHwnd = nullptr;

private:
    std::thread m_thread;
};

RECT Moved(RECT rect, int dx, int dy) {
    ::OffsetRect(&rect, dx, dy);
    return rect;
}

std::string Text(const RECT& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
           std::to_string(r.bottom) + ")";
}

TEST_F(PromptOnScreen, ComesUpCentredWithTheChildOverTheShellsInnerPart) {
    const RECT shell = Shell();
    const int left = ::GetSystemMetrics(SM_CXSCREEN) / 2 - 336 / 2;
    const int top = ::GetSystemMetrics(SM_CYSCREEN) / 2 - 156 / 2;
    EXPECT_EQ(Text({left, top, left + 336, top + 156}), Text(shell));
    EXPECT_EQ(Text({shell.left + 5, shell.top + 3, shell.right - 5, shell.bottom - 7}), Text(Child()));
    EXPECT_TRUE(::IsWindowVisible(childHwnd));
}

TEST_F(PromptOnScreen, DraggingTheStripMovesTheChildAndTheShellFollows) {
    const RECT child = Child();
    Drag(child.left + 100, child.top + 10, 60, 45);
    const RECT expected = Moved(child, 60, 45);
    ASSERT_TRUE(ChildReaches(expected)) << Text(Child());
    const RECT shell = Shell();
    EXPECT_EQ(Text({expected.left - 5, expected.top - 3, expected.right + 5, expected.bottom + 7}), Text(shell));

    // From now on the child leads: moving the shell leaves it where it is.
    ::SetWindowPos(shellHwnd, nullptr, shell.left - 80, shell.top - 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(Text(Moved(shell, -80, -70)), Text(Shell()));
    EXPECT_EQ(Text(expected), Text(Child()));
}

TEST_F(PromptOnScreen, BeforeAnyDragMovingTheShellMovesTheChild) {
    const RECT shell = Shell();
    ::SetWindowPos(shellHwnd, nullptr, shell.left - 80, shell.top - 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const RECT moved = Shell();
    EXPECT_EQ(Text({moved.left + 5, moved.top + 3, moved.right - 5, moved.bottom - 7}), Text(Child()));
}

TEST_F(PromptOnScreen, APressBelowTheStripOrInItsRightEndDragsNothing) {
    const RECT child = Child();
    const RECT shell = Shell();
    Drag(child.left + 100, child.top + 32, 60, 45);  // just below the 30-pixel strip
    Drag(child.right - 12, child.top + 10, 60, 45);  // in the strip's right 26 pixels
    // A drag that does move ends exactly one move away: the two presses before moved nothing.
    Drag(child.left + 100, child.top + 10, 30, 20);
    ASSERT_TRUE(ChildReaches(Moved(child, 30, 20))) << Text(Child());
    EXPECT_EQ(Text(Moved(shell, 30, 20)), Text(Shell()));
}

TEST_F(PromptOnScreen, EscapeAndEnterLeaveBothWindowsOpen) {
    // The shell hands its activation to the child, the window the user works in: every key goes
    // there, before and after a click below the strip.
    ASSERT_EQ(0, RunUnix("xdotool key Escape sleep 0.05 key Return sleep 0.2"));
    const RECT child = Child();
    char command[200];
    std::snprintf(command, sizeof(command), "xdotool mousemove %ld %ld sleep 0.05 click 1 sleep 0.2 key Escape sleep 0.05 key Return sleep 0.2",
                  child.left + 150, child.top + 80);
    ASSERT_EQ(0, RunUnix(command));
    // Answered by the interface thread after it has taken every key before.
    const LRESULT shellKeys = ::SendMessageW(shellHwnd, WM_TEST_KEYS, 0, 0);
    const LRESULT childKeys = ::SendMessageW(childHwnd, WM_TEST_KEYS, 0, 0);
    EXPECT_EQ(0, shellKeys);
    EXPECT_EQ(4, childKeys);
    EXPECT_TRUE(::IsWindowVisible(shellHwnd));
    EXPECT_TRUE(::IsWindowVisible(childHwnd));
}

// The prompt's shell PNG as 32-bit ARGB pixels.
std::vector<uint32_t> ShellPngPixels(UINT& width, UINT& height) {
    PngImagePtr image;
    if (!LoadPngResource(image, GetModuleHandleW(nullptr), IDB_PNG_PROMPT_SHELL)) return {};
    width = image->GetWidth();
    height = image->GetHeight();
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    Gdiplus::Bitmap canvas(static_cast<INT>(width), static_cast<INT>(height), static_cast<INT>(width * 4),
                           PixelFormat32bppARGB, reinterpret_cast<BYTE*>(pixels.data()));
    Gdiplus::Graphics graphics(&canvas);
    graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    graphics.DrawImage(image.get(), 0, 0, static_cast<INT>(width), static_cast<INT>(height));
    return pixels;
}

TEST_F(PromptOnScreen, TheShellsOwnPixelsCarryThePngsAlpha) {
    // xwd reads the screen instead of the window wherever windows of another depth lie over it:
    // the child goes aside first. Moving the child does not move the shell.
    ::SetWindowPos(childHwnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_EQ(0, RunUnix("sleep 0.2"));
    taskwing::test::XImage32 window;
    std::string error;
    ASSERT_TRUE(taskwing::test::CaptureXWindow(taskwing::test::XWindowOf(shellHwnd), window, error)) << error;
    ASSERT_EQ(336, window.width);
    ASSERT_EQ(156, window.height);

    ScopedGdiPlus gdiplus;
    UINT pngWidth = 0;
    UINT pngHeight = 0;
    const std::vector<uint32_t> png = ShellPngPixels(pngWidth, pngHeight);
    ASSERT_EQ(330u * 150u, png.size());
    // The PNG pixels that a window pixel of the stretched image is blended from: the 2 x 2 around
    // its centre mapped back into the PNG. Returns their lowest and highest alpha.
    auto pngAlphaRange = [&](int x, int y) {
        const double sx = (x + 0.5) * pngWidth / 336.0 - 0.5;
        const double sy = (y + 0.5) * pngHeight / 156.0 - 0.5;
        int low = 255;
        int high = 0;
        for (int dy = 0; dy <= 1; ++dy) {
            for (int dx = 0; dx <= 1; ++dx) {
                const int px = std::clamp(static_cast<int>(sx) + dx, 0, static_cast<int>(pngWidth) - 1);
                const int py = std::clamp(static_cast<int>(sy) + dy, 0, static_cast<int>(pngHeight) - 1);
                const int alpha = static_cast<int>(png[static_cast<size_t>(py) * pngWidth + px] >> 24);
                low = std::min(low, alpha);
                high = std::max(high, alpha);
            }
        }
        return std::pair<int, int>{low, high};
    };

    EXPECT_EQ(255, window.AlphaAt(168, 78));
    // Across the soft rim at the left, the middle of the bottom and a corner, the window's alpha
    // lies within what the PNG has there.
    int soft = 0;
    for (int i = 0; i < 10; ++i) {
        const std::pair<int, int> points[] = {{i, 78}, {168, 155 - i}, {i, i}};
        for (const auto& [x, y] : points) {
            const auto [low, high] = pngAlphaRange(x, y);
            const int actual = window.AlphaAt(x, y);
            EXPECT_GE(actual, low - 16) << "at " << x << ", " << y;
            EXPECT_LE(actual, high + 16) << "at " << x << ", " << y;
            if (actual > 0 && actual < 255) ++soft;
        }
    }
    EXPECT_GT(soft, 3);
    // Premultiplied: no colour exceeds its alpha.
    const uint32_t rim = window.At(1, 78);
    EXPECT_LE((rim >> 16) & 0xFF, rim >> 24);
}

// The shell's own pixels of one prompt run on a thread of its own, child moved aside.
taskwing::test::XImage32 CaptureOnePromptShell() {
    taskwing::test::XImage32 window;
    taskwing::unique_handle shown(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    HANDLE event = shown.get();
    HWND shellHwnd = nullptr;
    HWND childHwnd = nullptr;
    std::thread ui([&] {
        ScopedGdiPlus gdiplus;
        CountingShell shell;
        shell.onShown = [&](HWND s, HWND c) {
            shellHwnd = s;
            childHwnd = c;
            ::SetEvent(event);
        };
        shell.DoModal();
    });
    if (::WaitForSingleObject(event, 10000) == WAIT_OBJECT_0) {
        ::SetWindowPos(childHwnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        RunUnix("sleep 0.3");
        std::string error;
        taskwing::test::CaptureXWindow(taskwing::test::XWindowOf(shellHwnd), window, error);
        ::PostMessageW(shellHwnd, WM_CLOSE, 0, 0);
    }
    ui.join();
    return window;
}

TEST(PromptSkin, ASecondPromptShowsExactlyTheSkinOfTheFirst) {
    // The second prompt of a run takes the stretched skin the first one composed.
    ASSERT_GT(::GetEnvironmentVariableW(L"DISPLAY", nullptr, 0), 0u) << "the screen tests need an X display";
    const taskwing::test::XImage32 first = CaptureOnePromptShell();
    const taskwing::test::XImage32 second = CaptureOnePromptShell();
    ASSERT_EQ(336, first.width);
    ASSERT_EQ(156, first.height);
    ASSERT_EQ(first.width, second.width);
    ASSERT_EQ(first.height, second.height);
    EXPECT_EQ(255, second.AlphaAt(168, 78));
    int differing = 0;
    for (size_t i = 0; i < first.pixels.size(); ++i)
        if (first.pixels[i] != second.pixels[i]) ++differing;
    EXPECT_EQ(0, differing);
}

// Runs the pair in a new process under LogPixels 144 and reads what it reports.
TEST(PromptAtHighDensity, At144DotsPerInchTheShellIs504By234) {
    const wchar_t* desktop = L"Control Panel\\Desktop";
    auto setDpi = [&](DWORD dpi) {
        return ::RegSetKeyValueW(HKEY_CURRENT_USER, desktop, L"LogPixels", REG_DWORD, &dpi, sizeof(dpi));
    };
    ASSERT_EQ(ERROR_SUCCESS, setDpi(144));
    const std::wstring output = taskwing::test::TempPath(L"nt-pair-demo-144.txt");
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    taskwing::unique_hfile out(::CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out.get();
    startup.hStdError = out.get();
    PROCESS_INFORMATION info{};
    std::wstring line = L"\"" + taskwing::test::SiblingPath(L"pair_demo.exe") + L"\" prompt 1";
    const BOOL started =
        ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info);
    DWORD waited = WAIT_FAILED;
    if (started) {
        waited = ::WaitForSingleObject(info.hProcess, 20000);
        ::CloseHandle(info.hThread);
        ::CloseHandle(info.hProcess);
    }
    // Every later program of this prefix reads the density again.
    EXPECT_EQ(ERROR_SUCCESS, setDpi(96));
    ASSERT_TRUE(started);
    ASSERT_EQ(WAIT_OBJECT_0, waited);
    out.reset();

    float scale = 0;
    long s[4] = {};
    long c[4] = {};
    FILE* report = _wfopen(output.c_str(), L"r");
    ASSERT_NE(nullptr, report);
    const int fields = std::fscanf(report, "scale=%f shell=%ld,%ld,%ld,%ld child=%ld,%ld,%ld,%ld", &scale, &s[0], &s[1],
                                   &s[2], &s[3], &c[0], &c[1], &c[2], &c[3]);
    std::fclose(report);
    ::DeleteFileW(output.c_str());
    ASSERT_EQ(9, fields);
    EXPECT_EQ(1.5f, scale);
    EXPECT_EQ(504, s[2] - s[0]);
    EXPECT_EQ(234, s[3] - s[1]);
    // Left and top insets 7 and 4 at this scale; the child keeps the 489 x 219 it was made with
    // (504 - 15 and 234 - 15, cut once) when the shell moves it along.
    EXPECT_EQ(s[0] + 7, c[0]);
    EXPECT_EQ(s[1] + 4, c[1]);
    EXPECT_EQ(489, c[2] - c[0]);
    EXPECT_EQ(219, c[3] - c[1]);
}

}  // namespace
