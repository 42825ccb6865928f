// The image button on the program's own templates and skins, on Wine's null display: which clicks
// count against the hit insets, states driven by mouse messages, the disabled state (also set from
// another thread), and what shows through the images' transparent rim. Painted pixels are read
// back and compared with the PNGs themselves.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "controls/image_button.h"
#include "framework/dialog.h"
#include "resources/resource.h"
#include "tests/controls/pixels.h"
#include "tests/controls/png_pixels.h"

namespace {

using taskwing::test::PaintAndCapture;
using taskwing::test::Pixels;
using taskwing::test::PngPixels;

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A template dialog with one image button, shown without activation at the screen's corner, the
// button moved to (10, 10) with the given size. Counts the button's clicks.
class ButtonHost : public CDialog {
public:
    ButtonHost(UINT templateId, int buttonId) : CDialog(templateId), m_buttonId(buttonId) {}
    CImageButton button;
    int clicks = 0;
    int counted = 0;  // the clicks that the button says count

    bool Open(int width, int height) {
        if (!Create(m_nIDTemplate)) return false;
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(SW_SHOWNOACTIVATE);
        button.MoveWindow(10, 10, width, height);
        return button.m_hWnd != nullptr;
    }
    // The button's look as it paints now.
    Pixels Paint() {
        button.Invalidate(TRUE);
        return PaintAndCapture(button.m_hWnd);
    }
    void Send(UINT message, int x, int y) { button.SendMessage(message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x, y)); }

protected:
    void DoDataExchange() override { DDX_Control(m_buttonId, button); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND && LOWORD(wParam) == m_buttonId && HIWORD(wParam) == BN_CLICKED) {
            ++clicks;
            if (button.IsClickInside()) ++counted;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }

private:
    int m_buttonId;
};

// Whether two colours agree within a few steps per channel (smoothing at the edges aside).
::testing::AssertionResult Near(COLORREF expected, COLORREF actual) {
    const int d = std::abs(GetRValue(expected) - GetRValue(actual)) + std::abs(GetGValue(expected) - GetGValue(actual)) +
                  std::abs(GetBValue(expected) - GetBValue(actual));
    if (d <= 6) return ::testing::AssertionSuccess();
    char text[96];
    std::snprintf(text, sizeof(text), "expected %06lX, painted %06lX", static_cast<unsigned long>(expected),
                  static_cast<unsigned long>(actual));
    return ::testing::AssertionFailure() << text;
}

class ImageButton : public ::testing::Test {
protected:
    ScopedGdiPlus gdiplus;
};

// A flat spot of the 246 x 47 "左移" skins, left of the caption; the four states differ there.
constexpr int kSpotX = 5;
constexpr int kSpotY = 23;

struct MoveLeftSkins {
    COLORREF normal = PngPixels(IDB_PNG_MOVE_LEFT_NORMAL).At(kSpotX, kSpotY);
    COLORREF hover = PngPixels(IDB_PNG_MOVE_LEFT_HOVER).At(kSpotX, kSpotY);
    COLORREF pressed = PngPixels(IDB_PNG_MOVE_LEFT_PRESSED).At(kSpotX, kSpotY);
    COLORREF disabled = PngPixels(IDB_PNG_MOVE_LEFT_DISABLED).At(kSpotX, kSpotY);
};

void OpenMoveLeft(ButtonHost& host) {
    ASSERT_TRUE(host.Open(246, 47));
    host.button.SetImages(IDB_PNG_MOVE_LEFT_NORMAL, IDB_PNG_MOVE_LEFT_HOVER, IDB_PNG_MOVE_LEFT_PRESSED,
                          IDB_PNG_MOVE_LEFT_DISABLED);
}

TEST_F(ImageButton, ThePointerOnTheRimClicksButDoesNotCountWhileSpaceAndBmClickDo) {
    ButtonHost host(IDD_PROBLEM_SOLVING_CHILD, IDC_BTN_SOLVED);
    ASSERT_TRUE(host.Open(266, 60));
    host.button.SetHitInsets(9, 9, 9, 9);
    host.Send(WM_LBUTTONDOWN, 3, 3);
    host.Send(WM_LBUTTONUP, 3, 3);
    host.Send(WM_LBUTTONDOWN, 9, 9);
    host.Send(WM_LBUTTONUP, 9, 9);
    // Both are clicks; only the owner's question tells the rim apart.
    EXPECT_EQ(2, host.clicks);
    EXPECT_EQ(1, host.counted);

    // The pointer has gone; BM_CLICK presses at (0, 0), on the rim, and leaves the look alone.
    host.Send(WM_MOUSELEAVE, 0, 0);
    host.button.SendMessage(BM_CLICK);
    EXPECT_EQ(2, host.counted);
    EXPECT_EQ(CImageButton::kNormal, host.button.GetState());
    host.button.SendMessage(WM_KEYDOWN, VK_SPACE, 0x00390001);
    host.button.SendMessage(WM_KEYUP, VK_SPACE, 0xC0390001);
    EXPECT_EQ(4, host.clicks);
    EXPECT_EQ(3, host.counted);
}

TEST_F(ImageButton, HoverPressAndLeaveChangeTheStateOnlyForPointsInside) {
    const MoveLeftSkins skins;
    ButtonHost host(IDD_TASKWING, IDC_MOVE_LEFT);
    OpenMoveLeft(host);
    EXPECT_TRUE(Near(skins.normal, host.Paint().At(kSpotX, kSpotY)));

    host.Send(WM_MOUSEHOVER, 300, 20);  // outside
    EXPECT_EQ(CImageButton::kNormal, host.button.GetState());
    host.Send(WM_MOUSEHOVER, 20, 20);
    EXPECT_EQ(CImageButton::kHover, host.button.GetState());
    EXPECT_TRUE(Near(skins.hover, host.Paint().At(kSpotX, kSpotY)));

    host.Send(WM_LBUTTONDOWN, 20, -5);  // outside
    EXPECT_EQ(CImageButton::kHover, host.button.GetState());
    host.Send(WM_LBUTTONUP, 20, -5);
    host.Send(WM_LBUTTONDOWN, 245, 46);  // the last pixel inside
    EXPECT_EQ(CImageButton::kPressed, host.button.GetState());
    EXPECT_TRUE(Near(skins.pressed, host.Paint().At(kSpotX, kSpotY)));

    // Released outside while the button holds the capture: still pressed, no click.
    host.Send(WM_LBUTTONUP, 246, 20);
    EXPECT_EQ(CImageButton::kPressed, host.button.GetState());
    host.Send(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(CImageButton::kNormal, host.button.GetState());
    EXPECT_TRUE(Near(skins.normal, host.Paint().At(kSpotX, kSpotY)));
    EXPECT_EQ(0, host.clicks);

    // Press and release inside: hover again, and one click.
    host.Send(WM_LBUTTONDOWN, 30, 30);
    host.Send(WM_LBUTTONUP, 30, 30);
    EXPECT_EQ(CImageButton::kHover, host.button.GetState());
    EXPECT_EQ(1, host.clicks);
}

TEST_F(ImageButton, DisabledStateIgnoresTheMouseAndOnlyEnableButtonLeavesIt) {
    const MoveLeftSkins skins;
    ButtonHost host(IDD_TASKWING, IDC_MOVE_LEFT);
    OpenMoveLeft(host);

    // Disabled from another thread; this one pumps until that thread is through. EnableWindow
    // sends WM_ENABLE here after the style has changed: a join before that send is answered
    // would wait for ever.
    std::atomic<bool> done{false};
    std::thread worker([&] {
        host.button.EnableButton(false);
        done = true;
    });
    while (!done) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        ::Sleep(1);
    }
    worker.join();
    EXPECT_EQ(CImageButton::kDisabled, host.button.GetState());
    EXPECT_FALSE(host.button.IsWindowEnabled());
    EXPECT_TRUE(Near(skins.disabled, host.Paint().At(kSpotX, kSpotY)));

    for (UINT message : {WM_MOUSEHOVER, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSELEAVE}) {
        host.Send(message, 20, 20);
        EXPECT_EQ(CImageButton::kDisabled, host.button.GetState()) << "message " << message;
    }

    // Enabled behind EnableButton's back: state 4 stays and only the white fill shows.
    host.button.EnableWindow(TRUE);
    EXPECT_EQ(CImageButton::kDisabled, host.button.GetState());
    EXPECT_EQ(kWhite, host.Paint().At(kSpotX, kSpotY));

    host.button.EnableButton(true);
    EXPECT_EQ(CImageButton::kNormal, host.button.GetState());
    EXPECT_TRUE(host.button.IsWindowEnabled());
    EXPECT_TRUE(Near(skins.normal, host.Paint().At(kSpotX, kSpotY)));
}

// Lets `paint` draw into a magenta canvas of the button's size; returns the canvas.
template <typename Paint>
Pixels PaintOnMagenta(HWND button, Paint paint) {
    RECT client{};
    ::GetClientRect(button, &client);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    taskwing::unique_hdc dc(::CreateCompatibleDC(nullptr));
    taskwing::unique_hbitmap bitmap(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    taskwing::unique_select_object selected(dc.get(), bitmap.get());
    auto* raw = static_cast<UINT32*>(bits);
    const size_t count = static_cast<size_t>(client.right) * static_cast<size_t>(client.bottom);
    for (size_t i = 0; i < count; ++i) raw[i] = 0x00FF00FF;
    paint(dc.get(), client);
    ::GdiFlush();
    Pixels pixels;
    pixels.width = client.right;
    pixels.height = client.bottom;
    for (size_t i = 0; i < count; ++i)
        pixels.data.push_back(RGB((raw[i] >> 16) & 0xFF, (raw[i] >> 8) & 0xFF, raw[i] & 0xFF));
    return pixels;
}

Pixels EraseInto(HWND button, LRESULT* result) {
    return PaintOnMagenta(button, [&](HDC dc, const RECT&) {
        *result = ::SendMessageW(button, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    });
}

Pixels DrawItemInto(CImageButton& button) {
    return PaintOnMagenta(button.m_hWnd, [&](HDC dc, const RECT& client) {
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.hwndItem = button.m_hWnd;
        item.hDC = dc;
        item.rcItem = client;
        button.DrawItem(&item);
    });
}

TEST_F(ImageButton, TheParentPieceShowsThroughTheRimAndEraseAloneDrawsWithAnImageMissing) {
    // A parent background of two colours side by side; the button takes its right half.
    Gdiplus::Bitmap parent(400, 100, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics graphics(&parent);
        Gdiplus::SolidBrush red(Gdiplus::Color(255, 200, 0, 0));
        Gdiplus::SolidBrush green(Gdiplus::Color(255, 0, 160, 0));
        graphics.FillRectangle(&red, 0, 0, 100, 100);
        graphics.FillRectangle(&green, 100, 0, 300, 100);
    }
    ButtonHost host(IDD_PROBLEM_SOLVING_CHILD, IDC_BTN_SOLVED);
    ASSERT_TRUE(host.Open(266, 60));
    host.button.SetImages(IDB_PNG_ANSWER_SOLVED_NORMAL, IDB_PNG_ANSWER_SOLVED_HOVER, IDB_PNG_ANSWER_SOLVED_PRESSED,
                          IDB_PNG_ANSWER_SOLVED_DISABLED);
    // (2, 2) lies in the images' transparent rim, (20, 30) on the bar.
    const COLORREF body = PngPixels(IDB_PNG_ANSWER_SOLVED_NORMAL).At(20, 30);

    Pixels pixels = host.Paint();
    EXPECT_EQ(kWhite, pixels.At(2, 2));  // no parent piece: the white fill
    EXPECT_TRUE(Near(body, pixels.At(20, 30)));

    // The parent's skin; the button sits on its green part.
    taskwing::StretchedSkin skin;
    skin.Set(&parent, 400, 100);
    host.button.MoveWindow(110, 20, 266, 60);
    host.button.SetParentSkin(&skin);
    pixels = host.Paint();
    EXPECT_EQ(RGB(0, 160, 0), pixels.At(2, 2));
    EXPECT_EQ(RGB(0, 160, 0), pixels.At(263, 57));
    EXPECT_TRUE(Near(body, pixels.At(20, 30)));

    // The erase paints the same on its own.
    LRESULT erased = 0;
    pixels = EraseInto(host.button.m_hWnd, &erased);
    EXPECT_EQ(TRUE, erased);
    EXPECT_EQ(RGB(0, 160, 0), pixels.At(2, 2));
    EXPECT_TRUE(Near(body, pixels.At(20, 30)));

    // With the hover image missing, DrawItem draws nothing at all, and the erase draws what it has.
    ButtonHost partial(IDD_PROBLEM_SOLVING_CHILD, IDC_BTN_SOLVED);
    ASSERT_TRUE(partial.Open(266, 60));
    partial.button.SetImages(IDB_PNG_ANSWER_SOLVED_NORMAL, 195 /* no such PNG */, IDB_PNG_ANSWER_SOLVED_PRESSED,
                             IDB_PNG_ANSWER_SOLVED_DISABLED);
    partial.button.MoveWindow(110, 20, 266, 60);
    partial.button.SetParentSkin(&skin);
    pixels = DrawItemInto(partial.button);
    EXPECT_EQ(RGB(255, 0, 255), pixels.At(2, 2));
    EXPECT_EQ(RGB(255, 0, 255), pixels.At(20, 30));
    pixels = EraseInto(partial.button.m_hWnd, &erased);
    EXPECT_TRUE(Near(body, pixels.At(20, 30)));
    partial.Send(WM_MOUSEHOVER, 20, 20);
    pixels = EraseInto(partial.button.m_hWnd, &erased);
    EXPECT_EQ(RGB(0, 160, 0), pixels.At(20, 30));
}

}  // namespace
