// The private messages: their fixed numbers, what their payloads read back as, and that each send
// helper delivers its own message with its payload.
#include "dialogs/messages.h"
#include "ops/align_messages.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Messages, NumbersAreFixed) {
    EXPECT_EQ(0x5F5u, WM_CLOSE_PROGRESS);
    EXPECT_EQ(0x5F6u, WM_ALIGN_RESULT);
    EXPECT_EQ(0x615u, WM_PROMPT_RESULT);
    EXPECT_EQ(0x7E8u, MessageId(TaskwingMessage::kPing));
}

TEST(Messages, PayloadsReadBack) {
    EXPECT_EQ(PromptAnswer::kConfirm, PromptAnswerOf(1));
    for (WPARAM other : {0u, 2u, 3u, 0xFFFFu}) EXPECT_EQ(PromptAnswer::kCancel, PromptAnswerOf(other)) << other;

    for (int code = 1; code <= 4; ++code) EXPECT_TRUE(IsKnownAlignResult(AlignResultOf(code))) << code;
    EXPECT_EQ(AlignResult::kCentreFailed, AlignResultOf(4));
    for (WPARAM code : {0u, 5u, 0x80000001u}) EXPECT_FALSE(IsKnownAlignResult(AlignResultOf(code))) << code;
}

struct Seen {
    UINT message;
    WPARAM wParam;
};

LRESULT CALLBACK Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* seen = reinterpret_cast<std::vector<Seen>*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (seen != nullptr && message >= WM_USER) {
        seen->push_back({message, wParam});
        return 1;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

TEST(Messages, SendHelpersDeliverTheirMessageAndPayload) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Record;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"NtMessagesTest";
    ASSERT_NE(0, ::RegisterClassW(&wc));
    HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                                  nullptr);
    ASSERT_NE(nullptr, hwnd);
    std::vector<Seen> seen;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&seen));

    EXPECT_EQ(1, SendCloseProgress(hwnd));
    EXPECT_EQ(1, SendAlignResult(hwnd, AlignResult::kCentreSucceeded));
    EXPECT_EQ(1, SendPromptResult(hwnd, PromptAnswer::kCancel));
    ::DestroyWindow(hwnd);

    ASSERT_EQ(3u, seen.size());
    EXPECT_EQ(WM_CLOSE_PROGRESS, seen[0].message);
    EXPECT_EQ(WM_ALIGN_RESULT, seen[1].message);
    EXPECT_EQ(3u, seen[1].wParam);
    EXPECT_EQ(WM_PROMPT_RESULT, seen[2].message);
    EXPECT_EQ(2u, seen[2].wParam);
    // A window that is gone answers nothing.
    EXPECT_EQ(0, SendCloseProgress(hwnd));
}

}  // namespace
