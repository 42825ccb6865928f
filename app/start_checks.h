#pragma once
// The checks at the tool's start, as functions that return what to show and log, or nothing: the
// gates during the main window's initialisation (a failure ends the process) and the checks a
// tenth of a second later (update, code page). The content window shows what they return.
#include <windows.h>

#include <optional>

#include "feedback/feedback_dll.h"
#include "ops/align_worker.h"
#include "ops/device_type.h"

namespace taskwing {

// A gate that failed: the line for the log, then the prompt before the process ends.
struct GateFailure {
    const wchar_t* logLine;
    const wchar_t* prompt;
};

// The gates in their order, each run only when those before it passed: the worker's receiver,
// Windows 11, the feedback library loaded and started (its texts into `texts`).
std::optional<GateFailure> FirstFailedGate(CAlignWorker& worker, HWND receiver, CFeedbackDll& feedback,
                                           feedback::FeedbackTexts& texts);

// The update notice for this device type when the feedback library reports a newer version.
std::optional<UpdateNotice> NewerVersionNotice(CFeedbackDll& feedback, int deviceType);

// The notice for a system whose ANSI code page is not Simplified Chinese (936); null on 936.
const wchar_t* CodePageNotice(UINT codePage);

}  // namespace taskwing
