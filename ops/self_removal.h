#pragma once
// At a normal close the tool takes its own files with it: the executable, the feedback library and
// its settings beside it, then the folder if that leaves it empty. Nothing else is ever removed.
// The plan is plain text in, plain text out, so every decision is tested on any platform; the
// Windows side (self_removal_win.cpp) reads the path and starts the command interpreter that
// carries the plan out once the process has ended.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/tool_identity.h"

namespace taskwing {

// The command interpreter's own commands are reliable only within MAX_PATH, less the final zero.
inline constexpr size_t kMaxRemovalPathChars = 259;

// Tries of the executable's deletion, a second apart: it may stay locked for a moment after the
// process has ended (the image is unmapped after the handles close; a virus scanner may look at it).
inline constexpr int kExecutableDeleteTries = 10;

enum class RemovalRefusal {
    None,
    PathCut,          // the path filled its buffer: what is left of it may name another file
    TooLong,          // longer than kMaxRemovalPathChars
    NotDrivePath,     // relative, UNC, device or stream path, or not in plain form
    UnsafeCharacter,  // % (expanded even inside quotes), " or a character no file name holds
};

struct RemovalPlan {
    RemovalRefusal refusal = RemovalRefusal::None;
    std::vector<std::wstring> files;  // full paths, the executable first
    std::wstring folder;              // removed only when empty; empty text: kept (a drive root)
    std::wstring parameters;          // the command interpreter's parameters after its own name

    bool refused() const { return refusal != RemovalRefusal::None; }
};

// exePath: the executable's full path as GetModuleFileNameW gave it; pathCut: it filled the buffer.
// keepFolder: leave the folder in any case (the caller found it to be a link to somewhere else).
RemovalPlan PlanSelfRemoval(std::wstring_view exePath, bool pathCut, bool keepFolder = false);

// Windows only. Reads this program's path and starts the hidden removal, which waits for the
// process to end. The tool does not wait for it and reports nothing.
void StartSelfRemoval();

// The same for a given executable path. True when the command interpreter was started; the
// removal then waits for the calling process to end.
bool StartRemovalOf(std::wstring_view exePath, bool pathCut);

}  // namespace taskwing
