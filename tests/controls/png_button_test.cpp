// The PNG push button on a real dialog of the program's templates, on Wine's null display: what it
// paints in each look, read back from the window and compared with the PNG's own pixels; the mouse
// messages that move it between looks, and the tracking that brings hover and leave.
#include <gtest/gtest.h>

#include <string>

#include "controls/png_button.h"
#include "framework/dialog.h"
#include "framework/handles.h"
#include "resources/resource.h"
#include "tests/controls/pixels.h"
#include "tests/controls/png_pixels.h"

namespace {

using taskwing::test::PaintAndCapture;
using taskwing::test::Pixels;
using taskwing::test::PngPixels;

// How many pixels differ; the first difference for the failure message.
int Differences(const Pixels& actual, const Pixels& expected, std::string* first) {
    if (actual.width != expected.width || actual.height != expected.height) return -1;
    int count = 0;
    for (int y = 0; y < actual.height; ++y) {
        for (int x = 0; x < actual.width; ++x) {
            if (actual.At(x, y) == expected.At(x, y)) continue;
            if (count++ == 0 && first != nullptr)
                *first = "at " + std::to_string(x) + "," + std::to_string(y) + ": " +
                         std::to_string(actual.At(x, y)) + " instead of " + std::to_string(expected.At(x, y));
        }
    }
    return count;
}

// The prompt's child template, whose two answer items are owner-drawn buttons, shown modeless;
// counts the clicks that reach it.
class ButtonHost : public CDialog {
public:
    ButtonHost() : CDialog(IDD_PROMPT_CHILD) {}
    CPngButton first;
    CPngButton second;
    int clicks = 0;

protected:
    void DoDataExchange() override {
        DDX_Control(IDC_PROMPT_OK, first);
        DDX_Control(IDC_PROMPT_CANCEL, second);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND && LOWORD(wParam) == IDC_PROMPT_OK && HIWORD(wParam) == BN_CLICKED) ++clicks;
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

class PngButton : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Create(IDD_PROMPT_CHILD));
        host.MoveWindow(100, 100, 400, 200);
        host.ShowWindow(SW_SHOW);
        for (int id : {IDC_PROMPT_CLOSE, IDC_PROMPT_TEXT}) ::ShowWindow(host.GetDlgItem(id), SW_HIDE);
    }
    void TearDown() override {
        host.first.FreeImages();
        host.second.FreeImages();
        host.DestroyWindow();
    }
    // Places a button in the host's client area.
    static void Place(CPngButton& button, int x, int y, int width, int height) {
        button.MoveWindow(x, y, width, height, TRUE);
    }
    static void Pump(DWORD milliseconds) {
        const DWORD end = ::GetTickCount() + milliseconds;
        MSG msg;
        while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            ::Sleep(10);
        }
    }

    ScopedGdiPlus gdiplus;
    ButtonHost host;
};

// What the button shows now, compared with PNG `id` pixel for pixel.
::testing::AssertionResult Shows(CPngButton& button, UINT id) {
    const Pixels expected = PngPixels(id);
    std::string first;
    const int differences = Differences(PaintAndCapture(button.m_hWnd), expected, &first);
    if (differences == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "PNG " << id << ": " << differences << " pixels differ " << first;
}

TEST_F(PngButton, EachLookShowsItsImagePixelForPixelAndMouseMessagesMoveBetweenThem) {
    CPngButton& button = host.first;
    Place(button, 10, 10, 26, 34);
    button.SetImages(IDB_PNG_CLOSE_NORMAL, IDB_PNG_CLOSE_HOVER, IDB_PNG_CLOSE_PRESSED, IDB_PNG_CLOSE_DISABLED);
    const HWND hwnd = button.m_hWnd;
    const LPARAM inside = MAKELPARAM(5, 5);

    EXPECT_EQ(1, button.GetState());
    EXPECT_TRUE(Shows(button, IDB_PNG_CLOSE_NORMAL));
    ::SendMessageW(hwnd, WM_MOUSEHOVER, 0, inside);
    EXPECT_EQ(2, button.GetState());
    EXPECT_TRUE(Shows(button, IDB_PNG_CLOSE_HOVER));
    ::SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, inside);
    EXPECT_EQ(3, button.GetState());
    EXPECT_TRUE(Shows(button, IDB_PNG_CLOSE_PRESSED));
    // The release over the button clicks it and leaves it under the cursor: hover, not normal.
    ::SendMessageW(hwnd, WM_LBUTTONUP, 0, inside);
    EXPECT_EQ(2, button.GetState());
    EXPECT_TRUE(Shows(button, IDB_PNG_CLOSE_HOVER));
    EXPECT_EQ(1, host.clicks);
    ::SendMessageW(hwnd, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(1, button.GetState());
    EXPECT_TRUE(Shows(button, IDB_PNG_CLOSE_NORMAL));

    // Disabled: its own image whatever the state, and the mouse changes nothing.
    ::SendMessageW(hwnd, WM_MOUSEHOVER, 0, inside);
    button.EnableWindow(FALSE);
    EXPECT_TRUE(Shows(button, IDB_PNG_CLOSE_DISABLED));
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSELEAVE, WM_MOUSEHOVER}) {
        ::SendMessageW(hwnd, message, 0, inside);
        EXPECT_EQ(2, button.GetState()) << "message " << message;
    }
    EXPECT_TRUE(Shows(button, IDB_PNG_CLOSE_DISABLED));
    button.EnableWindow(TRUE);
    EXPECT_TRUE(Shows(button, IDB_PNG_CLOSE_HOVER));
}

// The rightmost and leftmost painted columns of a button, at mid height.
struct Edges {
    COLORREF left;
    COLORREF right;
};

TEST_F(PngButton, EnlargedTheImageLosesItsLastColumnAndRow) {
    // 取消 has a one-pixel grey frame on a white field.
    const Pixels png = PngPixels(IDB_PNG_PROMPT_CANCEL_NORMAL);
    ASSERT_EQ(RGB(200, 206, 218), png.At(54, 12));
    ASSERT_EQ(RGB(200, 206, 218), png.At(0, 12));
    auto edges = [&](float scale) {
        CPngButton& button = host.first;
        button.m_fScale = scale;
        button.Invalidate();
        const Pixels shown = PaintAndCapture(button.m_hWnd);
        return Edges{shown.At(0, 18), shown.At(81, 18)};
    };
    Place(host.first, 10, 10, 82, 36);
    host.first.SetImages(IDB_PNG_PROMPT_CANCEL_NORMAL, IDB_PNG_PROMPT_CANCEL_HOVER, IDB_PNG_PROMPT_CANCEL_PRESSED,
                         IDB_PNG_PROMPT_CANCEL_PRESSED);
    const Edges whole = edges(1.0f);
    const Edges cut = edges(1.5f);
    // The whole image brings its frame to both sides; without its last column the right side
    // turns to the white field (up to what the filter still picks up) and the left keeps its frame.
    EXPECT_LT(GetRValue(whole.left), 210);
    EXPECT_LT(GetRValue(whole.right), 225);
    EXPECT_LT(GetRValue(cut.left), 210);
    EXPECT_GT(GetRValue(cut.right), GetRValue(whole.right) + 10);
}

TEST_F(PngButton, ClearPartsShowTheParentsPieceOrWhite) {
    // 其他 keeps a clear margin of nine pixels round its bar.
    const UINT ids[] = {IDB_PNG_ANSWER_OTHER_NORMAL, IDB_PNG_ANSWER_OTHER_HOVER, IDB_PNG_ANSWER_OTHER_PRESSED,
                        IDB_PNG_ANSWER_OTHER_DISABLED};
    CPngButton& plain = host.first;
    CPngButton& onSkin = host.second;
    Place(plain, 0, 0, 266, 60);
    Place(onSkin, 0, 70, 266, 60);
    plain.SetImages(ids[0], ids[1], ids[2], ids[3]);
    onSkin.SetImages(ids[0], ids[1], ids[2], ids[3]);
    PngImagePtr skin;
    ASSERT_TRUE(LoadPngResource(skin, IDB_PNG_PROMPT_BK));
    onSkin.SetParentBk(skin.get());
    onSkin.SetParentBkRect(RECT{20, 2, 286, 62});  // the title band's light grey at the top

    const Pixels skinPixels = PngPixels(IDB_PNG_PROMPT_BK);
    const Pixels shownPlain = PaintAndCapture(plain.m_hWnd);
    const Pixels shownOnSkin = PaintAndCapture(onSkin.m_hWnd);
    ASSERT_NE(RGB(255, 255, 255), skinPixels.At(200 + 20, 3 + 2));
    EXPECT_EQ(RGB(255, 255, 255), shownPlain.At(200, 3));
    EXPECT_EQ(skinPixels.At(200 + 20, 3 + 2), shownOnSkin.At(200, 3));
    // The bar itself covers whatever lies beneath.
    EXPECT_EQ(shownPlain.At(133, 30), shownOnSkin.At(133, 30));
    onSkin.SetParentBk(nullptr);
    onSkin.Invalidate();  // the image must not be read after it goes
}

// Paints through DrawItem into a memory DC filled with magenta; returns the pixel at (3, 3).
COLORREF DrawDirectly(CPngButton& button) {
    taskwing::unique_hdc dc(::CreateCompatibleDC(nullptr));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 26, -34, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    taskwing::unique_hbitmap bitmap(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    taskwing::unique_select_object selected(dc.get(), bitmap.get());
    auto* pixels = static_cast<UINT32*>(bits);
    for (int i = 0; i < 26 * 34; ++i) pixels[i] = 0x00FF00FF;
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.hwndItem = button.m_hWnd;
    item.hDC = dc.get();
    item.rcItem = RECT{0, 0, 26, 34};
    button.DrawItem(&item);
    ::GdiFlush();
    const UINT32 pixel = pixels[3 * 26 + 3];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

TEST_F(PngButton, WithAnyImageMissingNothingIsPaintedUntilTheSlotIsFilled) {
    CPngButton& button = host.first;
    Place(button, 10, 10, 26, 34);
    button.SetImages(IDB_PNG_CLOSE_NORMAL, IDB_PNG_CLOSE_HOVER, 195, IDB_PNG_CLOSE_DISABLED);  // no PNG 195
    EXPECT_EQ(RGB(255, 0, 255), DrawDirectly(button));
    // Ids that do not load leave their slots as they were; the one that does fills the gap.
    button.SetImages(195, 195, IDB_PNG_CLOSE_PRESSED, 195);
    EXPECT_EQ(PngPixels(IDB_PNG_CLOSE_NORMAL).At(3, 3), DrawDirectly(button));
    button.FreeImages();
    EXPECT_EQ(RGB(255, 0, 255), DrawDirectly(button));
}

TEST_F(PngButton, TheCursorAtRestBringsHoverAndLeavingBringsNormalOncePerArming) {
    CPngButton& button = host.first;
    Place(button, 10, 10, 26, 34);
    button.SetImages(IDB_PNG_CLOSE_NORMAL, IDB_PNG_CLOSE_HOVER, IDB_PNG_CLOSE_PRESSED, IDB_PNG_CLOSE_DISABLED);
    Pump(50);
    const RECT rect = button.GetWindowRect();
    auto moveInside = [&] {
        ASSERT_TRUE(::SetCursorPos(rect.left + 13, rect.top + 17));
        ::SendMessageW(button.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(13, 17));
    };

    moveInside();
    Pump(300);
    EXPECT_EQ(2, button.GetState());
    EXPECT_TRUE(Shows(button, IDB_PNG_CLOSE_HOVER));

    // A press and release inside: hover again; the armed request has been used up, so the next
    // rest inside brings no new hover until the cursor has left.
    ::SendMessageW(button.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(13, 17));
    ::SendMessageW(button.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(13, 17));
    EXPECT_EQ(2, button.GetState());

    ASSERT_TRUE(::SetCursorPos(rect.right + 150, rect.bottom + 150));
    Pump(300);
    EXPECT_EQ(1, button.GetState());
    EXPECT_TRUE(Shows(button, IDB_PNG_CLOSE_NORMAL));

    // Leaving re-armed the request.
    moveInside();
    Pump(300);
    EXPECT_EQ(2, button.GetState());
}

}  // namespace
