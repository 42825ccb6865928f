#pragma once
// Private window messages that cross windows and threads: the worker, the main window and the
// skinned dialogs all speak them, so they live below all of them. Each has one helper that sends
// it and, where it carries something, one that reads its payload back.
#include <windows.h>

// The values are fixed: other programs and the tests send them by number.
enum class TaskwingMessage : UINT {
    // Worker to content window, and content window to progress window: close the progress window.
    kCloseProgress = WM_USER + 501,  // 0x5F5
    // Worker to content window: wParam is an AlignResult.
    kAlignResult = WM_USER + 502,  // 0x5F6
    // Prompt child to prompt shell: wParam is a PromptAnswer.
    kPromptResult = WM_USER + 533,  // 0x615
    // To the content window: answered with 1 and otherwise ignored.
    kPing = WM_USER + 1000,  // 0x7E8
};

constexpr UINT MessageId(TaskwingMessage message) { return static_cast<UINT>(message); }

// The same as plain message numbers, for the window procedures' switches.
inline constexpr UINT WM_CLOSE_PROGRESS = MessageId(TaskwingMessage::kCloseProgress);
inline constexpr UINT WM_ALIGN_RESULT = MessageId(TaskwingMessage::kAlignResult);
inline constexpr UINT WM_PROMPT_RESULT = MessageId(TaskwingMessage::kPromptResult);

// Result codes of WM_ALIGN_RESULT. A value outside them can arrive from outside the tool.
enum class AlignResult : int {
    kMoveLeftSucceeded = 1,
    kMoveLeftFailed = 2,
    kCentreSucceeded = 3,
    kCentreFailed = 4,
};

// The answers of WM_PROMPT_RESULT: 1 confirms, anything else cancels.
enum class PromptAnswer : WPARAM {
    kConfirm = 1,
    kCancel = 2,
};

constexpr bool IsKnownAlignResult(AlignResult result) {
    return result >= AlignResult::kMoveLeftSucceeded && result <= AlignResult::kCentreFailed;
}
constexpr AlignResult AlignResultOf(WPARAM wParam) { return static_cast<AlignResult>(static_cast<int>(wParam)); }
constexpr PromptAnswer PromptAnswerOf(WPARAM wParam) {
    return wParam == static_cast<WPARAM>(PromptAnswer::kConfirm) ? PromptAnswer::kConfirm : PromptAnswer::kCancel;
}

// Synchronous sends; each returns the receiver's answer (0 when the window is gone).
inline LRESULT SendCloseProgress(HWND receiver) { return ::SendMessageW(receiver, WM_CLOSE_PROGRESS, 0, 0); }
inline LRESULT SendAlignResult(HWND receiver, AlignResult result) {
    return ::SendMessageW(receiver, WM_ALIGN_RESULT, static_cast<WPARAM>(static_cast<int>(result)), 0);
}
inline LRESULT SendPromptResult(HWND receiver, PromptAnswer answer) {
    return ::SendMessageW(receiver, WM_PROMPT_RESULT, static_cast<WPARAM>(answer), 0);
}
