// The drawn static texts, bound to the program's own template items and painted for real on
// Wine's null display: fill, background piece, alignment, hover colour, the dots.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "controls/draw_state_info_static.h"
#include "controls/draw_text_static.h"
#include "framework/dialog.h"
#include "resources/resource.h"
#include "tests/controls/pixels.h"

namespace {

using taskwing::test::CaptureClient;
using taskwing::test::Describe;
using taskwing::test::InkOf;
using taskwing::test::PaintAndCapture;
using taskwing::test::Pixels;
using taskwing::test::TextWidthIn;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kLink = RGB(92, 92, 255);
constexpr COLORREF kLinkHover = RGB(0, 0, 255);
constexpr COLORREF kFill = RGB(10, 120, 200);
constexpr UINT_PTR kDotsTimer = 36;
// A mode outside the table: the text control then draws no text.
constexpr TextAlign kNoTextMode = static_cast<TextAlign>(8);

// A template dialog with one static bound to `Control`, shown without activation, the static
// moved to a known place and size.
template <typename Control>
class Host : public CDialog {
public:
    Host(UINT templateId, int controlId) : CDialog(templateId), m_controlId(controlId) {}
    Control control;

    bool Open(int width, int height) {
        if (!Create(m_nIDTemplate)) return false;
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(SW_SHOWNOACTIVATE);
        control.MoveWindow(10, 10, width, height);
        return control.m_hWnd != nullptr;
    }
    HFONT DialogFont() const { return GetFont(); }

protected:
    void DoDataExchange() override { DDX_Control(m_controlId, control); }

private:
    int m_controlId;
};

// Opens access to the paint-state fields.
class TextProbe : public CDrawTextStatic {
public:
    int Hover() const { return m_bHover; }
};

class StateProbe : public CDrawStateInfoStatic {
public:
    int Dots() const { return m_nDots; }
};

bool HasUpdate(HWND hwnd) { return ::GetUpdateRect(hwnd, nullptr, FALSE) != FALSE; }

// The smallest red channel among the pixels that are not the background: the core of the glyphs.
int DarkestRed(const Pixels& pixels, COLORREF background) {
    int darkest = 256;
    for (COLORREF c : pixels.data)
        if (c != background) darkest = std::min(darkest, static_cast<int>(GetRValue(c)));
    return darkest;
}

// A 60 x 40 background: red left half, green right half, and a fully transparent band in rows 30
// to 39.
std::unique_ptr<Gdiplus::Bitmap> TwoColourBackground() {
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(60, 40, PixelFormat32bppARGB);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 60; ++x) {
            const Gdiplus::Color colour = y >= 30  ? Gdiplus::Color(0, 0, 0, 0)
                                          : x < 30 ? Gdiplus::Color(255, 200, 0, 0)
                                                   : Gdiplus::Color(255, 0, 160, 0);
            bitmap->SetPixel(x, y, colour);
        }
    }
    return bitmap;
}

class DrawnStatics : public ::testing::Test {
protected:
    ScopedGdiPlus gdiplus;
};

using TextHost = Host<TextProbe>;
using StateHost = Host<StateProbe>;

TEST_F(DrawnStatics, TextFillsWithItsBackColourAndAnUnknownModeDrawsNoText) {
    TextHost host(IDD_PROMPT_CHILD, IDC_PROMPT_TEXT);
    ASSERT_TRUE(host.Open(120, 30));
    host.control.SetTextFont(0, 0);
    host.control.SetWindowText(L"反馈问题");
    host.control.SetAlign(kNoTextMode);
    host.control.SetBackColor(kFill);
    PaintAndCapture(host.m_hWnd);
    Pixels pixels = CaptureClient(host.control.m_hWnd);
    EXPECT_TRUE(InkOf(pixels, kFill).empty()) << Describe(InkOf(pixels, kFill));

    host.control.SetAlign(TextAlign::kOneLine);
    host.control.Invalidate();
    pixels = PaintAndCapture(host.control.m_hWnd);
    EXPECT_FALSE(InkOf(pixels, kFill).empty());

    // A colour changed after the first paint shows at the next.
    host.control.SetAlign(kNoTextMode);
    host.control.SetBackColor(RGB(1, 2, 3));
    host.control.Invalidate();
    pixels = PaintAndCapture(host.control.m_hWnd);
    EXPECT_TRUE(InkOf(pixels, RGB(1, 2, 3)).empty()) << Describe(InkOf(pixels, RGB(1, 2, 3)));
}

TEST_F(DrawnStatics, TextModesPlaceTheTextInTheParentsFont) {
    TextHost host(IDD_PROMPT_CHILD, IDC_PROMPT_TEXT);
    const int width = 200, height = 40;
    ASSERT_TRUE(host.Open(width, height));
    const std::wstring text = L"反馈问题";
    host.control.SetTextFont(0, 0);
    host.control.SetWindowText(text);
    const int advance = TextWidthIn(host.DialogFont(), text);
    ASSERT_GT(advance, 20);

    auto inkIn = [&](int mode) {
        host.control.SetAlign(static_cast<TextAlign>(mode));
        host.control.Invalidate();
        return InkOf(PaintAndCapture(host.control.m_hWnd), kWhite);
    };
    const auto left = inkIn(1);
    ASSERT_FALSE(left.empty());
    EXPECT_LE(left.left, 2) << Describe(left);
    EXPECT_NEAR(advance, left.right - left.left, 3) << Describe(left);  // the dialog's font, not the DC's
    EXPECT_NEAR(height, left.CentreY2(), 3) << Describe(left);

    const auto same = inkIn(4);
    EXPECT_EQ(left.left, same.left);
    EXPECT_EQ(left.top, same.top);
    EXPECT_EQ(left.right, same.right);

    const auto centred = inkIn(2);
    EXPECT_NEAR(width, centred.CentreX2(), 3) << Describe(centred);
    EXPECT_EQ(left.top, centred.top);

    // The block modes centre vertically by measuring; mode 6 stays at the top.
    for (int mode : {0, 3, 5, 7}) {
        const auto block = inkIn(mode);
        EXPECT_NEAR(height, block.CentreY2(), 3) << "mode " << mode << ": " << Describe(block);
    }
    EXPECT_GE(inkIn(3).right, width - 2);
    EXPECT_NEAR(width, inkIn(5).CentreX2(), 3);
    const auto top = inkIn(6);
    EXPECT_LE(top.left, 2);
    EXPECT_LT(top.CentreY2(), height - 8) << Describe(top);
}

TEST_F(DrawnStatics, ABlockTallerThanTheControlKeepsItsMiddleLinesInView) {
    TextHost host(IDD_PROMPT_CHILD, IDC_PROMPT_TEXT);
    // Lines of 1 to 9 "W"; the control shows about three of them.
    std::wstring text;
    for (int n = 1; n <= 9; ++n) text += std::wstring(static_cast<size_t>(n), L'W') + (n < 9 ? L"\r\n" : L"");
    ASSERT_TRUE(host.Open(300, 10));
    TEXTMETRICW metrics{};
    {
        taskwing::unique_hdc dc(::CreateCompatibleDC(nullptr));
        taskwing::unique_select_object select(dc.get(), host.DialogFont());
        ::GetTextMetricsW(dc.get(), &metrics);
    }
    host.control.MoveWindow(10, 10, 300, (metrics.tmHeight + metrics.tmExternalLeading) * 3);
    host.control.SetTextFont(0, 0);
    host.control.SetWindowText(text);
    for (int mode : {0, 7}) {
        host.control.SetAlign(static_cast<TextAlign>(mode));
        host.control.Invalidate();
        const auto ink = InkOf(PaintAndCapture(host.control.m_hWnd), kWhite);
        // Lines 4 to 6 in full: the widest shown is at least six letters wide; from the top, the
        // first three lines would show.
        EXPECT_GE(ink.right, TextWidthIn(host.DialogFont(), L"WWWWWW") - 2) << "mode " << mode << ": " << Describe(ink);
        EXPECT_LE(ink.right, TextWidthIn(host.DialogFont(), L"WWWWWWWW")) << "mode " << mode << ": " << Describe(ink);
    }
}

TEST_F(DrawnStatics, HoverColourFollowsUpdateHoverAndRepaintsOnlyOnAChange) {
    TextHost host(IDD_PROMPT_CHILD, IDC_PROMPT_TEXT);
    ASSERT_TRUE(host.Open(120, 24));
    HWND link = host.control.m_hWnd;
    host.control.SetTextFont(0, 0);
    host.control.SetWindowText(L"反馈问题");
    host.control.SetAlign(TextAlign::kOneLine);
    host.control.SetBackColor(kWhite);
    host.control.SetColors(kLink, kLinkHover);
    EXPECT_EQ(92, DarkestRed(PaintAndCapture(link), kWhite));

    const RECT window = host.control.GetWindowRect();
    host.control.UpdateHover(window.left, window.top);
    EXPECT_EQ(1, host.control.Hover());
    EXPECT_TRUE(HasUpdate(link));
    EXPECT_EQ(0, DarkestRed(PaintAndCapture(link), kWhite));

    host.control.UpdateHover(window.right - 1, window.bottom - 1);  // still inside: no repaint
    EXPECT_FALSE(HasUpdate(link));

    host.control.UpdateHover(window.right, window.bottom - 1);
    EXPECT_EQ(0, host.control.Hover());
    EXPECT_TRUE(HasUpdate(link));
    EXPECT_EQ(92, DarkestRed(PaintAndCapture(link), kWhite));
}

TEST_F(DrawnStatics, ContainsScreenPointTakesTheLeftAndTopEdgesOnly) {
    TextHost host(IDD_PROMPT_CHILD, IDC_PROMPT_TEXT);
    ASSERT_TRUE(host.Open(50, 20));
    const RECT r = host.control.GetWindowRect();
    ASSERT_EQ(50, r.right - r.left);
    EXPECT_TRUE(host.control.ContainsScreenPoint(r.left, r.top));
    EXPECT_TRUE(host.control.ContainsScreenPoint(r.right - 1, r.bottom - 1));
    EXPECT_FALSE(host.control.ContainsScreenPoint(r.right, r.top));
    EXPECT_FALSE(host.control.ContainsScreenPoint(r.left, r.bottom));
    EXPECT_FALSE(host.control.ContainsScreenPoint(r.left - 1, r.top));
    EXPECT_FALSE(host.control.ContainsScreenPoint(r.left, r.top - 1));
    CDrawTextStatic unbound;
    EXPECT_FALSE(unbound.ContainsScreenPoint(0, 0));
}

TEST_F(DrawnStatics, TextPaintsThePieceOfTheParentBackgroundOverItsFill) {
    const auto background = TwoColourBackground();
    TextHost host(IDD_PROMPT_CHILD, IDC_PROMPT_TEXT);
    ASSERT_TRUE(host.Open(20, 20));
    host.control.SetAlign(kNoTextMode);
    host.control.SetBackColor(kFill);
    // The parent's skin at the image's own size: the control shows the piece where it sits.
    taskwing::StretchedSkin skin;
    skin.Set(background.get(), 60, 40);
    host.control.SetParentSkin(&skin);

    auto pieceAt = [&](int left, int top) {
        host.control.MoveWindow(left, top, 20, 20);
        host.control.Invalidate();
        return PaintAndCapture(host.control.m_hWnd);
    };
    const Pixels green = pieceAt(35, 5);
    EXPECT_TRUE(InkOf(green, RGB(0, 160, 0)).empty()) << Describe(InkOf(green, RGB(0, 160, 0)));
    const Pixels red = pieceAt(5, 5);
    EXPECT_TRUE(InkOf(red, RGB(200, 0, 0)).empty()) << Describe(InkOf(red, RGB(200, 0, 0)));
    // Without the skin the fill shows.
    host.control.SetParentSkin(nullptr);
    host.control.Invalidate();
    EXPECT_EQ(kFill, PaintAndCapture(host.control.m_hWnd).At(10, 10));
}

TEST_F(DrawnStatics, NewTextShowsAtTheNextPaintNotInTheSystemLook) {
    TextHost host(IDD_PROMPT_CHILD, IDC_PROMPT_TEXT);
    ASSERT_TRUE(host.Open(120, 24));
    host.control.SetAlign(kNoTextMode);
    host.control.SetBackColor(kFill);
    PaintAndCapture(host.m_hWnd);
    ASSERT_TRUE(InkOf(CaptureClient(host.control.m_hWnd), kFill).empty());
    host.control.SetWindowText(L"新的提示");
    EXPECT_EQ(L"新的提示", host.control.GetWindowText());
    // Nothing painted yet: still the fill alone.
    EXPECT_TRUE(InkOf(CaptureClient(host.control.m_hWnd), kFill).empty());
    EXPECT_TRUE(HasUpdate(host.control.m_hWnd));

    StateHost state(IDD_EXECUTE_PROMPT_CHILD, IDC_STATE_INFO);
    ASSERT_TRUE(state.Open(120, 24));
    state.control.SetWindowText(L"");
    PaintAndCapture(state.m_hWnd);
    ASSERT_TRUE(InkOf(CaptureClient(state.control.m_hWnd), kWhite).empty());
    state.control.SetWindowText(L"正在居中");
    EXPECT_TRUE(InkOf(CaptureClient(state.control.m_hWnd), kWhite).empty());
    EXPECT_TRUE(HasUpdate(state.control.m_hWnd));
    EXPECT_FALSE(InkOf(PaintAndCapture(state.control.m_hWnd), kWhite).empty());
}

TEST_F(DrawnStatics, DotsCycleOneToThreeAndBackOnTheirTimerOnly) {
    StateHost host(IDD_EXECUTE_PROMPT_CHILD, IDC_STATE_INFO);
    ASSERT_TRUE(host.Open(240, 30));
    HWND info = host.control.m_hWnd;
    host.control.SetTextFont(0, 0);
    host.control.SetWindowText(L"正在左移，请稍等");
    host.control.SetAlign(StateAlign::kOneLineLeft);
    const int bare = InkOf(PaintAndCapture(info), kWhite).right;
    const int dot = TextWidthIn(host.DialogFont(), L".");
    ASSERT_GT(dot, 0);

    std::vector<int> rights;
    for (int tick = 0; tick < 4; ++tick) {
        ::SendMessageW(info, WM_TIMER, kDotsTimer, 0);
        rights.push_back(InkOf(PaintAndCapture(info), kWhite).right);
    }
    for (int n = 1; n <= 3; ++n) EXPECT_NEAR(bare + n * dot, rights[static_cast<size_t>(n - 1)], 2) << n << " dots";
    EXPECT_EQ(bare, rights[3]);
    EXPECT_EQ(0, host.control.Dots());

    ::SendMessageW(info, WM_TIMER, 7, 0);  // someone else's timer
    EXPECT_EQ(0, host.control.Dots());
    EXPECT_EQ(bare, InkOf(PaintAndCapture(info), kWhite).right);
}

TEST_F(DrawnStatics, StopDotsEndsTheTimerAndResetDotsKeepsIt) {
    StateHost host(IDD_EXECUTE_PROMPT_CHILD, IDC_STATE_INFO);
    ASSERT_TRUE(host.Open(240, 30));
    HWND info = host.control.m_hWnd;
    host.control.SetWindowText(L"正在左移，请稍等");
    host.control.SetAlign(StateAlign::kOneLineLeft);
    const int bare = InkOf(PaintAndCapture(info), kWhite).right;

    host.control.StartDots();
    ::SendMessageW(info, WM_TIMER, kDotsTimer, 0);
    ::SendMessageW(info, WM_TIMER, kDotsTimer, 0);
    EXPECT_GT(InkOf(PaintAndCapture(info), kWhite).right, bare);
    host.control.ResetDots();
    EXPECT_TRUE(HasUpdate(info));
    EXPECT_EQ(bare, InkOf(PaintAndCapture(info), kWhite).right);
    ::SendMessageW(info, WM_TIMER, kDotsTimer, 0);
    EXPECT_EQ(1, host.control.Dots());
    EXPECT_TRUE(::KillTimer(info, kDotsTimer));  // still running; ended here
    host.control.StartDots();

    host.control.StopDots();
    EXPECT_EQ(0, host.control.Dots());
    EXPECT_EQ(bare, InkOf(PaintAndCapture(info), kWhite).right);
    EXPECT_FALSE(::KillTimer(info, kDotsTimer));  // already gone
}

TEST_F(DrawnStatics, ProgressLookWhiteTextCentredOverTheBackgroundPiece) {
    const auto background = TwoColourBackground();
    StateHost host(IDD_EXECUTE_PROMPT_CHILD, IDC_STATE_INFO);
    const int width = 184, height = 40;
    ASSERT_TRUE(host.Open(width, height));
    HWND info = host.control.m_hWnd;
    host.control.SetWindowText(L"正在左移，请稍等");
    host.control.SetAlign(StateAlign::kBlockCentred);
    host.control.SetColor(kWhite);
    EXPECT_TRUE(HasUpdate(info));
    taskwing::StretchedSkin skin;
    skin.Set(background.get(), 300, 100, RECT{35, 5, 55, 25});  // all green, stretched
    host.control.SetParentSkin(&skin);
    host.control.SetTextFont(0, 0);

    const Pixels pixels = PaintAndCapture(info);
    const auto ink = InkOf(pixels, RGB(0, 160, 0));
    ASSERT_FALSE(ink.empty());
    EXPECT_NEAR(width, ink.CentreX2(), 3) << Describe(ink);
    EXPECT_NEAR(height, ink.CentreY2(), 3) << Describe(ink);
    EXPECT_NEAR(TextWidthIn(host.DialogFont(), L"正在左移，请稍等"), ink.right - ink.left, 3) << Describe(ink);
    // The glyph cores are the text colour, drawn over the piece.
    bool white = false;
    for (COLORREF c : pixels.data) white = white || c == kWhite;
    EXPECT_TRUE(white);
    EXPECT_EQ(RGB(0, 160, 0), pixels.At(1, 1));

    // Without a piece the fill is white.
    host.control.SetParentSkin(nullptr);
    host.control.SetColor(RGB(0, 0, 0));
    const Pixels plain = PaintAndCapture(info);
    EXPECT_EQ(kWhite, plain.At(1, 1));
    EXPECT_FALSE(InkOf(plain, kWhite).empty());
}

TEST_F(DrawnStatics, UnboundControlsInvalidateNoWindow) {
    StateHost host(IDD_EXECUTE_PROMPT_CHILD, IDC_STATE_INFO);
    ASSERT_TRUE(host.Open(100, 20));
    PaintAndCapture(host.m_hWnd);
    ASSERT_FALSE(HasUpdate(host.m_hWnd));
    CDrawStateInfoStatic state;
    state.SetColor(kWhite);
    state.StartDots();
    state.StopDots();
    state.ResetDots();
    CDrawTextStatic text;
    text.UpdateHover(0, 0);
    text.SetTextFont(0, 0);
    EXPECT_FALSE(HasUpdate(host.m_hWnd));
    EXPECT_FALSE(HasUpdate(host.control.m_hWnd));
}

}  // namespace
