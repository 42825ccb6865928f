#pragma once
// The alignment worker: the Windows 11 gate, and the `reg add` operations on threads of their own.
#include <windows.h>

#include "app/windows_version.h"

namespace taskwing {
// Version numbers as this process's environment block records them.
OsVersion ReadOsVersion();
}  // namespace taskwing

class CAlignWorker {
public:
    // True on Windows 11: decided by the version numbers, and by "WMIC OS List status" where they cannot tell.
    bool IsSupportedSystem();
};
