// The dialog base: modal runs with our own loop, modeless dialogs, centring and the owner.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "base/handles.h"
#include "framework/app.h"
#include "framework/dialog.h"
#include "tests/framework/framework_test_ids.h"

namespace {

constexpr UINT WM_TEST_END = WM_APP + 7;
constexpr UINT WM_TEST_STEP = WM_APP + 8;  // runs onStep inside the dialog's own loop

// A dialog that runs a test's code at initialisation and ends itself on WM_TEST_END.
class ScriptedDialog : public CDialog {
public:
    explicit ScriptedDialog(UINT id = IDD_TEST_MODAL, CWnd* parent = nullptr) : CDialog(id, parent) {}
    std::function<void(ScriptedDialog&)> onInit;
    std::function<void(ScriptedDialog&)> onStep;
    HWND seenHwnd = nullptr;
    RECT rectAtEnd{};  // where the window was when WM_TEST_END came

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        seenHwnd = m_hWnd;
        if (onInit) onInit(*this);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TEST_END) {
            rectAtEnd = GetWindowRect();
            EndDialog(static_cast<INT_PTR>(wParam));
            return 0;
        }
        if (message == WM_TEST_STEP && onStep) {
            onStep(*this);
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

TEST(ModalDialog, OkButtonEndsTheRunWithIdokAndDestroysTheWindow) {
    ScriptedDialog dialog;
    dialog.onInit = [](ScriptedDialog& d) { ::PostMessageW(d.GetDlgItem(IDOK), BM_CLICK, 0, 0); };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_NE(nullptr, dialog.seenHwnd);
    EXPECT_FALSE(::IsWindow(dialog.seenHwnd));
    EXPECT_EQ(nullptr, dialog.m_hWnd);
}

TEST(ModalDialog, CloseAndEscapeEndTheRunWithIdcancel) {
    ScriptedDialog closed;
    closed.onInit = [](ScriptedDialog& d) { d.PostMessage(WM_CLOSE); };
    EXPECT_EQ(IDCANCEL, closed.DoModal());

    // Escape reaches dialog navigation through the loop's pre-translation.
    ScriptedDialog escaped;
    escaped.onInit = [](ScriptedDialog& d) { d.PostMessage(WM_KEYDOWN, VK_ESCAPE, 0); };
    EXPECT_EQ(IDCANCEL, escaped.DoModal());
}

TEST(ModalDialog, EndDialogInsideOnInitDialogEndsBeforeTheLoop) {
    ScriptedDialog dialog;
    dialog.onInit = [](ScriptedDialog& d) { d.EndDialog(17); };
    EXPECT_EQ(17, dialog.DoModal());
    EXPECT_FALSE(::IsWindow(dialog.seenHwnd));
}

TEST(ModalDialog, EndDialogFromAMessageSentByAnotherThreadEndsTheRunAtOnce) {
    // A send from another thread is handled inside GetMessage; the loop must still notice the end.
    ScriptedDialog dialog;
    taskwing::unique_handle done(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread sender;
    std::thread watchdog;
    dialog.onInit = [&](ScriptedDialog& d) {
        HWND hwnd = d.m_hWnd;
        // Sent once the loop waits in GetMessage with nothing else to do.
        sender = std::thread([hwnd] {
            ::Sleep(300);
            ::SendMessageW(hwnd, WM_TEST_END, 42, 0);
        });
        // Should the loop sleep through the end, this wakes it after three seconds.
        watchdog = std::thread([hwnd, &done] {
            if (::WaitForSingleObject(done.get(), 3000) == WAIT_TIMEOUT) ::PostMessageW(hwnd, WM_NULL, 0, 0);
        });
    };
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(42, dialog.DoModal());
    const auto elapsed = std::chrono::steady_clock::now() - start;
    ::SetEvent(done.get());
    sender.join();
    watchdog.join();
    EXPECT_LT(elapsed, std::chrono::milliseconds(2000));
}

TEST(ModalDialog, TheMainWindowOwnsAndIsDisabledDuringARunWithoutParent) {
    CWinApp app;
    ScriptedDialog main(IDD_TEST_POPUP);
    ASSERT_TRUE(main.Create(IDD_TEST_POPUP));
    app.m_pMainWnd = &main;
    ASSERT_EQ(&app, AfxGetApp());

    HWND owner = nullptr;
    BOOL ownerEnabled = TRUE;
    ScriptedDialog dialog;
    dialog.onInit = [&](ScriptedDialog& d) {
        owner = ::GetWindow(d.m_hWnd, GW_OWNER);
        ownerEnabled = ::IsWindowEnabled(main.m_hWnd);
        d.PostMessage(WM_TEST_END, IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(main.m_hWnd, owner);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(::IsWindowEnabled(main.m_hWnd));
    app.m_pMainWnd = nullptr;
}

TEST(ModalDialog, EveryOtherWindowOfTheToolIsDisabledDuringARunAndOnlyThoseComeBack) {
    // A pair's child is a second top-level window beside its shell: a run over the pair must take
    // input from both, and give it back only to what it took it from.
    ScriptedDialog shell(IDD_TEST_POPUP);
    ScriptedDialog child(IDD_TEST_POPUP);
    ScriptedDialog asleep(IDD_TEST_POPUP);
    ASSERT_TRUE(shell.Create(IDD_TEST_POPUP));
    ASSERT_TRUE(child.Create(IDD_TEST_POPUP, &shell));
    ASSERT_TRUE(asleep.Create(IDD_TEST_POPUP));
    asleep.EnableWindow(FALSE);

    BOOL childEnabled = TRUE, shellEnabled = TRUE, selfEnabled = FALSE;
    ScriptedDialog dialog(IDD_TEST_MODAL, &shell);
    dialog.onInit = [&](ScriptedDialog& d) {
        childEnabled = child.IsWindowEnabled();
        shellEnabled = shell.IsWindowEnabled();
        selfEnabled = d.IsWindowEnabled();
        d.PostMessage(WM_TEST_END, IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_FALSE(childEnabled);
    EXPECT_FALSE(shellEnabled);
    EXPECT_TRUE(selfEnabled);
    EXPECT_TRUE(child.IsWindowEnabled());
    EXPECT_TRUE(shell.IsWindowEnabled());
    EXPECT_FALSE(asleep.IsWindowEnabled());
}

TEST(ModalDialog, ARunInsideAnotherGivesTheActivationBackToItNeverToTheDisabledOwner) {
    // A notice from the main window while another modal window stands over it.
    CWinApp app;
    ScriptedDialog main(IDD_TEST_POPUP);
    ASSERT_TRUE(main.Create(IDD_TEST_POPUP));
    main.ShowWindow(SW_SHOW);
    app.m_pMainWnd = &main;
    HWND activeAfter = nullptr;
    ScriptedDialog outer;
    outer.onInit = [](ScriptedDialog& d) { d.PostMessage(WM_TEST_STEP); };
    outer.onStep = [&](ScriptedDialog& d) {
        ScriptedDialog inner(IDD_TEST_MODAL, &main);
        inner.onInit = [](ScriptedDialog& i) { i.PostMessage(WM_TEST_END, IDOK); };
        inner.DoModal();
        activeAfter = ::GetActiveWindow();
        d.PostMessage(WM_TEST_END, IDOK);
    };
    EXPECT_EQ(IDOK, outer.DoModal());
    EXPECT_EQ(outer.seenHwnd, activeAfter);
    app.m_pMainWnd = nullptr;
}

TEST(ModalDialog, WhenTheWindowActiveBeforeTheRunIsGoneTheToolsTopmostEnabledWindowGetsTheActivation) {
    // Above the tool's window lies a window that is not the tool's: left to itself, the window
    // system would hand the activation to it, the next in line under the ending dialog.
    ScriptedDialog tool(IDD_TEST_POPUP);
    ASSERT_TRUE(tool.Create(IDD_TEST_POPUP));
    tool.ShowWindow(SW_SHOW);
    const std::unique_ptr<HWND__, decltype(&::DestroyWindow)> foreign(
        ::CreateWindowExW(0, L"STATIC", L"foreign", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr),
        &::DestroyWindow);
    ASSERT_TRUE(foreign);
    auto before = std::make_unique<ScriptedDialog>(IDD_TEST_POPUP);
    ASSERT_TRUE(before->Create(IDD_TEST_POPUP));
    before->ShowWindow(SW_SHOW);
    ::SetActiveWindow(before->m_hWnd);
    ASSERT_EQ(before->m_hWnd, ::GetActiveWindow());

    ScriptedDialog dialog;
    dialog.onInit = [](ScriptedDialog& d) { d.PostMessage(WM_TEST_STEP); };
    dialog.onStep = [&](ScriptedDialog& d) {
        before.reset();  // the window the user was in goes while the run lasts
        d.PostMessage(WM_TEST_END, IDOK);
    };
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(tool.m_hWnd, ::GetActiveWindow());
}

TEST(ModalDialog, AHiddenUnmovedDialogIsCentredOnTheWorkAreaAndAMovedOneStays) {
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ScriptedDialog centred;
    centred.onInit = [](ScriptedDialog& d) { d.PostMessage(WM_TEST_END, IDOK); };
    EXPECT_EQ(IDOK, centred.DoModal());
    const RECT& rect = centred.rectAtEnd;
    EXPECT_EQ((work.left + work.right) / 2 - (rect.right - rect.left) / 2, rect.left);
    EXPECT_EQ((work.top + work.bottom) / 2 - (rect.bottom - rect.top) / 2, rect.top);

    ScriptedDialog moved;
    moved.onInit = [](ScriptedDialog& d) {
        ::SetWindowPos(d.m_hWnd, nullptr, 37, 41, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        d.PostMessage(WM_TEST_END, IDOK);
    };
    EXPECT_EQ(IDOK, moved.DoModal());
    EXPECT_EQ(37, moved.rectAtEnd.left);
    EXPECT_EQ(41, moved.rectAtEnd.top);
}

TEST(ModelessDialog, IsOwnedByItsParentAndDestroyedWithItsObject) {
    ScriptedDialog owner(IDD_TEST_POPUP);
    ASSERT_TRUE(owner.Create(IDD_TEST_POPUP));
    auto popup = std::make_unique<ScriptedDialog>(IDD_TEST_POPUP);
    ASSERT_TRUE(popup->Create(IDD_TEST_POPUP, &owner));
    HWND hwnd = popup->m_hWnd;
    EXPECT_EQ(owner.m_hWnd, ::GetWindow(hwnd, GW_OWNER));
    EXPECT_EQ(popup.get(), CWnd::FromHandlePermanent(hwnd));
    EXPECT_FALSE(popup->Create(IDD_TEST_POPUP, &owner));  // one window per object
    popup.reset();
    EXPECT_FALSE(::IsWindow(hwnd));
}

TEST(ModelessDialog, AMissingTemplateMakesNoWindow) {
    ScriptedDialog dialog(4242);
    EXPECT_FALSE(dialog.Create(4242));
    EXPECT_EQ(nullptr, dialog.m_hWnd);
    EXPECT_EQ(-1, dialog.DoModal());
}

}  // namespace
