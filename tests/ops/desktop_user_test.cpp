// Whose desktop this is, on the real system: the shell window's owner, this user under Wine.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "ops/desktop_user.h"

// user32's, which Explorer calls to name its desktop window; the SDK leaves it undeclared.
extern "C" __declspec(dllimport) BOOL WINAPI SetShellWindow(HWND hwnd);

namespace {

TEST(DesktopUser, TheShellWindowsOwnerIsFoundAndIsThisUserUnderWine) {
    // Wine's desktop has no shell window of its own: a window of this process stands in for
    // Explorer's, as Explorer does on Windows.
    std::unique_ptr<HWND__, decltype(&::DestroyWindow)> standIn(nullptr, &::DestroyWindow);
    if (::GetShellWindow() == nullptr) {
        standIn.reset(::CreateWindowExW(0, L"STATIC", L"shell", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
        ASSERT_TRUE(standIn);
        ASSERT_TRUE(::SetShellWindow(standIn.get()));
    }
    ASSERT_NE(::GetShellWindow(), nullptr);
    const std::wstring user = taskwing::ProcessUserSid();
    ASSERT_EQ(user.rfind(L"S-1-5-", 0), 0u);
    // Its SID must come back, never nothing: nothing would keep HKEY_CURRENT_USER on every desktop.
    EXPECT_EQ(taskwing::ShellUserSid(), user);
}

}  // namespace
