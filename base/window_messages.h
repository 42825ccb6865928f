#pragma once
// The numbers of the tool's private window messages, in one table so that no two collide, and the
// request to close the progress window, which the worker, the main window and the progress window
// all pass on. What each message carries is said where it is spoken: ops/align_messages.h (the
// worker's result), dialogs/messages.h (the prompt's answer).
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

inline constexpr UINT WM_CLOSE_PROGRESS = MessageId(TaskwingMessage::kCloseProgress);

// A synchronous send; returns the receiver's answer (0 when the window is gone).
inline LRESULT SendCloseProgress(HWND receiver) { return ::SendMessageW(receiver, WM_CLOSE_PROGRESS, 0, 0); }
