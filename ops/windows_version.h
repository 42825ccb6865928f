#pragma once
// The Windows 11 decision. Plain functions over version numbers and probe text, so they are
// tested on any platform; the Windows side (windows_version_win.cpp) only supplies the numbers and
// runs the probe.
#include <string>

namespace taskwing {

struct OsVersion {
    unsigned long major = 0;
    unsigned long minor = 0;
    unsigned long build = 0;
    bool workstation = true;
};

enum class VersionVerdict {
    Refuse,  // an old system, decided without running anything
    Accept,  // Windows 11 by its numbers
    Probe,   // the numbers cannot tell: ask "WMIC OS List status"
};

// First build of Windows 11; Windows 10 stops below it.
inline constexpr unsigned long kFirstWindows11Build = 22000;

VersionVerdict ClassifyVersion(const OsVersion& version);

// The probe's verdict: it ran (result non-zero) and its text names "Windows 11".
bool ProbeNamesWindows11(int result, const std::wstring& output);

// Windows only. Version numbers as this process's environment block records them.
OsVersion ReadOsVersion();

// Windows only. True on Windows 11: decided by the version numbers, and by "WMIC OS List status"
// where they cannot tell.
bool RunsOnWindows11();

}  // namespace taskwing
