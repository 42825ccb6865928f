// The agreement check box on the main window's template, on Wine's null display: the box frames
// read back and compared with the PNG strip over white, the text after the box, clicks that toggle
// the system's state, and the memory bitmap's life.
#include <gtest/gtest.h>

#include <cstdlib>

#include "controls/check_box.h"
#include "framework/dialog.h"
#include "resources/resource.h"
#include "tests/controls/png_pixels.h"

namespace {

using taskwing::test::Describe;
using taskwing::test::InkBox;
using taskwing::test::InkOf;
using taskwing::test::Pixels;

constexpr COLORREF kWhite = RGB(255, 255, 255);

// The columns [left, right) of `pixels`.
Pixels Columns(const Pixels& pixels, int left, int right) {
    Pixels part{right - left, pixels.height, {}};
    for (int y = 0; y < pixels.height; ++y)
        for (int x = left; x < right; ++x) part.data.push_back(pixels.At(x, y));
    return part;
}

// Exposes what the control keeps between paints.
class ProbeBox : public CCheckBoxBtn {
public:
    HDC CanvasDc() const { return m_canvas ? m_canvas->dc() : nullptr; }
    bool HasImage() const { return m_pImgCheck != nullptr; }
};

// The main window's template with its agreement box bound; counts the box's clicks.
class AgreeHost : public CDialog {
public:
    AgreeHost() : CDialog(IDD_TASKWING) {}
    ProbeBox box;
    int clicks = 0;

protected:
    void DoDataExchange() override { DDX_Control(IDC_AGREE, box); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND && wParam == MAKEWPARAM(IDC_AGREE, BN_CLICKED)) ++clicks;
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

class CheckBox : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Create(IDD_TASKWING));
        ::SetWindowPos(host.m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        host.ShowWindow(SW_SHOWNOACTIVATE);
        host.box.CopyParentFont();
        // The text the box shows; its template names the whole agreement, which the link beside it
        // draws the rest of.
        host.box.SetWindowText(L"同意");
        Place(80, 20);  // the box's rows are 2 to 17
    }

    void Place(int width, int height) { host.box.MoveWindow(10, 10, width, height); }
    Pixels Paint() {
        host.box.Invalidate(TRUE);
        return taskwing::test::PaintAndCapture(host.box.m_hWnd);
    }

    // Columns 0 to 15 show `frame` of the strip from row `top` on (clipped by the client area),
    // and white above and below it.
    ::testing::AssertionResult ShowsFrame(const Pixels& shown, int frame, int top) {
        if (strip.width != 48 || strip.height != 16) return ::testing::AssertionFailure() << "no box strip";
        for (int y = 0; y < shown.height; ++y) {
            for (int x = 0; x < 16; ++x) {
                const COLORREF want = y >= top && y < top + 16 ? strip.At(frame * 16 + x, y - top) : kWhite;
                const COLORREF got = shown.At(x, y);
                if (std::abs(GetRValue(want) - GetRValue(got)) + std::abs(GetGValue(want) - GetGValue(got)) +
                        std::abs(GetBValue(want) - GetBValue(got)) >
                    6)
                    return ::testing::AssertionFailure() << "frame " << frame << " differs at " << x << "," << y;
            }
        }
        return ::testing::AssertionSuccess();
    }

    // After the box: two white columns, then the text's ink, which holds black.
    static InkBox TextInk(const Pixels& shown, int textLeft) {
        EXPECT_TRUE(InkOf(Columns(shown, textLeft - 2, textLeft), kWhite).empty());
        const Pixels text = Columns(shown, textLeft, shown.width);
        int darkest = 255 * 3;
        for (COLORREF c : text.data) darkest = std::min(darkest, GetRValue(c) + GetGValue(c) + GetBValue(c));
        EXPECT_LE(darkest, 30) << "the text is not black";
        return InkOf(text, kWhite);
    }

    ScopedGdiPlus gdiplus;
    AgreeHost host;
    Pixels strip = taskwing::test::PngPixels(IDB_PNG_CHECKBOX, kWhite);
};

TEST_F(CheckBox, EachCheckStateDrawsItsFrameAndTheTextAfterIt) {
    ProbeBox& box = host.box;
    box.SetCheck(BST_CHECKED);
    Pixels shown = Paint();
    EXPECT_TRUE(ShowsFrame(shown, 1, 2));
    const InkBox text = TextInk(shown, 18);
    EXPECT_NEAR(20, text.CentreY2(), 4) << Describe(text);  // on the middle row

    box.SetCheck(BST_UNCHECKED);
    shown = Paint();
    EXPECT_TRUE(ShowsFrame(shown, 0, 2));
    EXPECT_FALSE(ShowsFrame(shown, 1, 2));  // the frames tell apart
    EXPECT_EQ(text.count, TextInk(shown, 18).count);

    // Indeterminate needs a three-state button; it shows the empty box.
    box.SendMessage(BM_SETSTYLE, BS_AUTO3STATE, FALSE);
    box.SetCheck(BST_INDETERMINATE);
    ASSERT_EQ(BST_INDETERMINATE, box.GetCheck());
    EXPECT_TRUE(ShowsFrame(Paint(), 0, 2));

    box.SetWindowText(L"");
    shown = Paint();
    EXPECT_TRUE(ShowsFrame(shown, 0, 2));
    EXPECT_TRUE(InkOf(Columns(shown, 16, shown.width), kWhite).empty());
}

TEST_F(CheckBox, HeightAndScalePlaceTheBox) {
    // 10 high: the box reaches 3 rows above and below and is clipped there.
    host.box.SetCheck(BST_CHECKED);
    Place(80, 10);
    EXPECT_TRUE(ShowsFrame(Paint(), 1, -3));

    // 1.5 in 30 rows: a 24 x 24 box from row 3 with the frame's grey rim stretched to 1.5 pixels
    // inside its edges, and the text from column 26.
    host.box.m_fScale = 1.5f;
    Place(100, 30);
    const Pixels shown = Paint();
    const InkBox rim = InkOf(Columns(shown, 0, 24), kWhite);
    EXPECT_TRUE(rim.left <= 2 && rim.right >= 22 && rim.top >= 4 && rim.top <= 5 && rim.bottom >= 25) << Describe(rim);
    EXPECT_FALSE(TextInk(shown, 26).empty());
}

TEST_F(CheckBox, ClicksToggleAndShowAtOnce) {
    ProbeBox& box = host.box;
    box.SetCheck(BST_CHECKED);
    Paint();
    // What is on the window right after a click, unpainted, is already the new state in the
    // control's full look.
    box.SendMessage(BM_CLICK);
    EXPECT_EQ(BST_UNCHECKED, box.GetCheck());
    EXPECT_EQ(1, host.clicks);
    const Pixels now = taskwing::test::CaptureClient(box.m_hWnd);
    EXPECT_TRUE(ShowsFrame(now, 0, 2));
    EXPECT_TRUE(now.data == Paint().data);

    box.SendMessage(BM_CLICK);
    EXPECT_EQ(BST_CHECKED, box.GetCheck());
    EXPECT_EQ(2, host.clicks);
    EXPECT_TRUE(ShowsFrame(taskwing::test::CaptureClient(box.m_hWnd), 1, 2));

    // A new text shows at once too, where the system would draw its own look.
    box.SetWindowText(L"同意条款");
    EXPECT_TRUE(taskwing::test::CaptureClient(box.m_hWnd).data == Paint().data);
}

TEST_F(CheckBox, MemoryBitmapFollowsTheSizeAndGoesWithTheWindow) {
    ProbeBox& box = host.box;
    Paint();
    const HDC dc = box.CanvasDc();
    ASSERT_EQ(static_cast<DWORD>(OBJ_MEMDC), ::GetObjectType(dc));
    Paint();
    EXPECT_EQ(dc, box.CanvasDc());  // kept between paints

    // A wider control gets a bitmap of its new size, and every column is painted.
    Place(120, 20);
    const Pixels wide = Paint();
    const HGDIOBJ bitmap = ::GetCurrentObject(box.CanvasDc(), OBJ_BITMAP);
    BITMAP info{};
    ASSERT_NE(0, ::GetObjectW(bitmap, sizeof(info), &info));
    EXPECT_EQ(120, info.bmWidth);
    EXPECT_TRUE(InkOf(Columns(wide, 80, 120), kWhite).empty());

    const HDC last = box.CanvasDc();
    ASSERT_TRUE(box.HasImage());
    host.DestroyWindow();
    EXPECT_EQ(nullptr, box.CanvasDc());
    EXPECT_FALSE(box.HasImage());
    EXPECT_EQ(0u, ::GetObjectType(last));
    EXPECT_EQ(0u, ::GetObjectType(bitmap));
}

}  // namespace
