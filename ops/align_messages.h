#pragma once
// What the alignment worker sends the window that started it: first the request to close the
// progress window (base/window_messages.h), then the result, both synchronous.
#include <windows.h>

#include "base/window_messages.h"

inline constexpr UINT WM_ALIGN_RESULT = MessageId(TaskwingMessage::kAlignResult);

// Result codes of WM_ALIGN_RESULT. A value outside them can arrive from outside the tool.
enum class AlignResult : int {
    kMoveLeftSucceeded = 1,
    kMoveLeftFailed = 2,
    kCentreSucceeded = 3,
    kCentreFailed = 4,
};

constexpr bool IsKnownAlignResult(AlignResult result) {
    return result >= AlignResult::kMoveLeftSucceeded && result <= AlignResult::kCentreFailed;
}
constexpr AlignResult AlignResultOf(WPARAM wParam) { return static_cast<AlignResult>(static_cast<int>(wParam)); }

// A synchronous send; returns the receiver's answer (0 when the window is gone).
inline LRESULT SendAlignResult(HWND receiver, AlignResult result) {
    return ::SendMessageW(receiver, WM_ALIGN_RESULT, static_cast<WPARAM>(static_cast<int>(result)), 0);
}
