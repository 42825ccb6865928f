// Binding template controls to objects, owner-draw reflection, and keys seen by every window of a
// pair before dialog navigation.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/dialog.h"
#include "tests/framework/framework_test_ids.h"

namespace {

constexpr UINT WM_TEST_PING = WM_APP + 11;

std::vector<std::string> g_seen;  // who saw a key, in order

class RecordingButton : public CButton {
public:
    UINT drawnId = 0;
    int pings = 0;
    void DrawItem(DRAWITEMSTRUCT* drawItem) override { drawnId = drawItem->CtlID; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TEST_PING) {
            ++pings;
            return 5;
        }
        return CButton::WindowProc(message, wParam, lParam);
    }
};

class RecordingEdit : public CWnd {
public:
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN) g_seen.push_back("edit");
        return FALSE;
    }
};

// A modeless pop-up with a bound edit; swallows Escape when told to.
class Popup : public CDialog {
public:
    Popup() : CDialog(IDD_TEST_POPUP) {}
    RecordingEdit edit;
    bool swallowEscape = false;
    bool navigate = true;  // dialog navigation ends the walk: it takes every key of its dialog
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN) g_seen.push_back("popup");
        if (swallowEscape && msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) return TRUE;
        return navigate ? CDialog::PreTranslateMessage(msg) : FALSE;
    }

protected:
    void DoDataExchange() override { DDX_Control(IDC_TEST_EDIT, edit); }
};

// The modal side: binds the owner-drawn button and owns a pop-up, as a window pair does.
class PairDialog : public CDialog {
public:
    PairDialog() : CDialog(IDD_TEST_MODAL) {}
    RecordingButton button;
    Popup popup;
    std::function<void(PairDialog&)> onInit;
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_KEYDOWN) g_seen.push_back("dialog");
        return CDialog::PreTranslateMessage(msg);
    }

protected:
    void DoDataExchange() override { DDX_Control(IDC_TEST_OWNERDRAW, button); }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        popup.Create(IDD_TEST_POPUP, this);
        if (onInit) onInit(*this);
        return TRUE;
    }
};

TEST(ControlBinding, BoundControlGetsItsMessagesAndItsOwnerDraw) {
    PairDialog dialog;
    HWND buttonHwnd = nullptr;
    LRESULT pingResult = 0;
    LRESULT drawResult = 0;
    CWnd* unbound = reinterpret_cast<CWnd*>(1);
    dialog.onInit = [&](PairDialog& d) {
        buttonHwnd = d.button.m_hWnd;
        pingResult = ::SendMessageW(buttonHwnd, WM_TEST_PING, 0, 0);
        DRAWITEMSTRUCT drawItem{};
        drawItem.CtlType = ODT_BUTTON;
        drawItem.CtlID = IDC_TEST_OWNERDRAW;
        drawItem.hwndItem = buttonHwnd;
        drawResult = d.SendMessage(WM_DRAWITEM, IDC_TEST_OWNERDRAW, reinterpret_cast<LPARAM>(&drawItem));
        unbound = CWnd::FromHandlePermanent(d.GetDlgItem(IDOK));
        d.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_NE(nullptr, buttonHwnd);
    EXPECT_EQ(5, pingResult);
    EXPECT_EQ(1, dialog.button.pings);
    EXPECT_EQ(TRUE, drawResult);
    EXPECT_EQ(static_cast<UINT>(IDC_TEST_OWNERDRAW), dialog.button.drawnId);
    EXPECT_EQ(nullptr, unbound);
    // The window went with its dialog; the object let go of it.
    EXPECT_EQ(nullptr, dialog.button.m_hWnd);
}

TEST(ControlBinding, AWindowBindsToOneObjectAndOutlivesItsObject) {
    Popup popup;
    ASSERT_TRUE(popup.Create(IDD_TEST_POPUP));
    HWND edit = popup.GetDlgItem(IDC_TEST_EDIT);
    ASSERT_EQ(&popup.edit, CWnd::FromHandlePermanent(edit));

    auto other = std::make_unique<CWnd>();
    EXPECT_FALSE(other->SubclassWindow(edit));
    EXPECT_EQ(edit, popup.edit.UnsubclassWindow());
    ASSERT_TRUE(other->SubclassWindow(edit));
    other.reset();
    // The edit has its own procedure back and works without the object.
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(edit));
    ::SetWindowTextW(edit, L"still here");
    wchar_t text[32] = {};
    ::GetWindowTextW(edit, text, 32);
    EXPECT_STREQ(L"still here", text);
}

TEST(PreTranslation, KeysGoFromTheControlThroughThePopupToItsOwnerFirst) {
    g_seen.clear();
    PairDialog dialog;
    dialog.onInit = [](PairDialog& d) {
        d.popup.navigate = false;
        ::PostMessageW(d.popup.edit.m_hWnd, WM_KEYDOWN, 'A', 0);
        d.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ((std::vector<std::string>{"edit", "popup", "dialog"}), g_seen);
}

TEST(PreTranslation, AKeySwallowedByThePopupNeverReachesNavigation) {
    g_seen.clear();
    PairDialog dialog;
    dialog.onInit = [](PairDialog& d) {
        d.popup.swallowEscape = true;
        ::PostMessageW(d.popup.edit.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
        // Had Escape gone through, the run would have ended with IDCANCEL before this.
        d.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ((std::vector<std::string>{"edit", "popup"}), g_seen);
}

}  // namespace
