#pragma once
// Private window messages that cross windows and threads: the worker, the main window and the
// skinned dialogs all speak them, so they live below all of them.
#include <windows.h>

// Worker to content window, and content window to progress window: close the progress window.
inline constexpr UINT WM_CLOSE_PROGRESS = WM_USER + 501;  // 0x5F5
// Worker to content window: wParam is the result code (1 to 4).
inline constexpr UINT WM_ALIGN_RESULT = WM_USER + 502;  // 0x5F6
// Prompt child to prompt shell: wParam 1 confirms, anything else cancels.
inline constexpr UINT WM_PROMPT_RESULT = WM_USER + 533;  // 0x615

// Result codes of WM_ALIGN_RESULT.
enum AlignResult : int {
    kMoveLeftSucceeded = 1,
    kMoveLeftFailed = 2,
    kCentreSucceeded = 3,
    kCentreFailed = 4,
};
