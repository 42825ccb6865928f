#pragma once
// What the skinned dialogs send each other: the prompt child's answer to its shell. The message
// numbers are in base/window_messages.h.
#include <windows.h>

#include "base/window_messages.h"

inline constexpr UINT WM_PROMPT_RESULT = MessageId(TaskwingMessage::kPromptResult);

// The answers of WM_PROMPT_RESULT: 1 confirms, anything else cancels.
enum class PromptAnswer : WPARAM {
    kConfirm = 1,
    kCancel = 2,
};

constexpr PromptAnswer PromptAnswerOf(WPARAM wParam) {
    return wParam == static_cast<WPARAM>(PromptAnswer::kConfirm) ? PromptAnswer::kConfirm : PromptAnswer::kCancel;
}

// A synchronous send; returns the receiver's answer (0 when the window is gone).
inline LRESULT SendPromptResult(HWND receiver, PromptAnswer answer) {
    return ::SendMessageW(receiver, WM_PROMPT_RESULT, static_cast<WPARAM>(answer), 0);
}
