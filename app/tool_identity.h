#pragma once
// Who the tool is and the names of its files, stated once: the id and version it gives the
// feedback library, its log file, and the companion files delivered beside it. A leaf header with
// no Windows types, so the work below the windows and the portable builds can include it.
#include <string_view>

namespace taskwing {

// In every call into the feedback library, and shown in the main window's title strip.
inline constexpr wchar_t kToolId[] = L"10132";
inline constexpr wchar_t kToolVersion[] = L"1.1.22.1017";

// The failure log's file name in %ProgramData%\ToolLog.
inline constexpr char kLogFile[] = "Taskwing.txt";

// Beside the executable: the feedback library and its settings.
inline constexpr wchar_t kFeedbackLibraryFile[] = L"VeskorFeedbackInformation.dll";
inline constexpr wchar_t kFeedbackSettingsFile[] = L"VeskorFeedback.ini";

}  // namespace taskwing
