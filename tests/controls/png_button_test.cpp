// The PNG push button on a dialog of the program's templates, on Wine's null display: each look
// read back from the window and compared with the PNG's own pixels, moved by mouse messages and by
// the real tracking of a resting and leaving cursor.
#include <gtest/gtest.h>

#include <utility>

#include "controls/png_button.h"
#include "framework/dialog.h"
#include "resources/resource.h"
#include "tests/controls/png_pixels.h"

namespace {

using taskwing::test::PaintAndCapture;
using taskwing::test::Pixels;

// The prompt's child template; its answer item is an owner-drawn button. Counts its clicks.
class ButtonHost : public CDialog {
public:
    ButtonHost() : CDialog(IDD_PROMPT_CHILD) {}
    CPngButton button;
    int clicks = 0;

protected:
    void DoDataExchange() override { DDX_Control(IDC_PROMPT_OK, button); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND && wParam == MAKEWPARAM(IDC_PROMPT_OK, BN_CLICKED)) ++clicks;
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

class PngButton : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Create(IDD_PROMPT_CHILD));
        host.MoveWindow(100, 100, 400, 200);
        host.ShowWindow(SW_SHOW);
        host.button.MoveWindow(10, 10, 26, 34);
        host.button.SetImages(IDB_PNG_CLOSE_NORMAL, IDB_PNG_CLOSE_HOVER, IDB_PNG_CLOSE_PRESSED, IDB_PNG_CLOSE_DISABLED);
    }
    void TearDown() override { host.button.FreeImages(); }

    // The button's look now equals PNG `id`, pixel for pixel.
    ::testing::AssertionResult Shows(UINT id) {
        const Pixels shown = PaintAndCapture(host.button.m_hWnd);
        const Pixels png = taskwing::test::PngPixels(id);
        if (shown.width == png.width && shown.height == png.height && shown.data == png.data)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the button does not show PNG " << id;
    }
    void Send(UINT message, WPARAM wParam = 0) { ::SendMessageW(host.button.m_hWnd, message, wParam, MAKELPARAM(5, 5)); }
    static void Pump(DWORD milliseconds) {
        for (const DWORD end = ::GetTickCount() + milliseconds; static_cast<LONG>(end - ::GetTickCount()) > 0;) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
            ::Sleep(10);
        }
    }

    ScopedGdiPlus gdiplus;
    ButtonHost host;
};

TEST_F(PngButton, EachLookShowsItsImageAndMouseMessagesMoveBetweenThem) {
    CPngButton& button = host.button;
    EXPECT_TRUE(Shows(IDB_PNG_CLOSE_NORMAL));
    Send(WM_MOUSEHOVER);
    EXPECT_TRUE(Shows(IDB_PNG_CLOSE_HOVER));
    Send(WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_EQ(3, button.GetState());
    EXPECT_TRUE(Shows(IDB_PNG_CLOSE_PRESSED));
    // The release clicks and leaves the button under the cursor: hover, not normal.
    Send(WM_LBUTTONUP);
    EXPECT_EQ(2, button.GetState());
    EXPECT_EQ(1, host.clicks);
    Send(WM_MOUSELEAVE);
    EXPECT_TRUE(Shows(IDB_PNG_CLOSE_NORMAL));

    // Disabled: its own image whatever the state, and the mouse changes nothing; enabled again,
    // the state it had.
    Send(WM_MOUSEHOVER);
    button.EnableWindow(FALSE);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSELEAVE}) Send(message);
    EXPECT_EQ(2, button.GetState());
    EXPECT_TRUE(Shows(IDB_PNG_CLOSE_DISABLED));
    button.EnableWindow(TRUE);
    EXPECT_TRUE(Shows(IDB_PNG_CLOSE_HOVER));
}

TEST_F(PngButton, EnlargedTheImageLosesItsLastColumn) {
    // 取消 has a one-pixel grey frame on a white field.
    host.button.FreeImages();
    host.button.SetImages(IDB_PNG_PROMPT_CANCEL_NORMAL, IDB_PNG_PROMPT_CANCEL_HOVER, IDB_PNG_PROMPT_CANCEL_PRESSED,
                          IDB_PNG_PROMPT_CANCEL_PRESSED);
    host.button.MoveWindow(10, 10, 82, 36);
    auto edges = [&](float scale) {
        host.button.m_fScale = scale;
        host.button.Invalidate();
        const Pixels shown = PaintAndCapture(host.button.m_hWnd);
        return std::pair<int, int>{GetRValue(shown.At(0, 18)), GetRValue(shown.At(81, 18))};
    };
    const auto [wholeLeft, wholeRight] = edges(1.0f);
    const auto [cutLeft, cutRight] = edges(1.5f);
    // The whole image brings its frame to both sides; cut, the right side turns to the white field
    // (up to what the filter still picks up) and the left keeps its frame.
    EXPECT_LT(wholeLeft, 210);
    EXPECT_LT(wholeRight, 225);
    EXPECT_LT(cutLeft, 210);
    EXPECT_GT(cutRight, wholeRight + 10);
}

TEST_F(PngButton, ACursorAtRestBringsHoverAndLeavingBringsNormal) {
    const RECT rect = host.button.GetWindowRect();
    auto moveInside = [&] {
        ASSERT_TRUE(::SetCursorPos(rect.left + 13, rect.top + 17));
        Send(WM_MOUSEMOVE);
        Pump(300);
    };
    moveInside();
    EXPECT_TRUE(Shows(IDB_PNG_CLOSE_HOVER));
    ASSERT_TRUE(::SetCursorPos(rect.right + 150, rect.bottom + 150));
    Pump(300);
    EXPECT_TRUE(Shows(IDB_PNG_CLOSE_NORMAL));
    // The leave armed the request again.
    moveInside();
    EXPECT_EQ(2, host.button.GetState());
}

}  // namespace
