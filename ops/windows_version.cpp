// The Windows 11 decision over version numbers and probe text.
#include "ops/windows_version.h"

namespace taskwing {

VersionVerdict ClassifyVersion(const OsVersion& v) {
    struct Pair {
        unsigned long major, minor;
    };
    // Windows 2000, XP, Server 2003, Vista, 7, 8 and 8.1.
    static constexpr Pair kRefused[] = {{5, 0}, {5, 1}, {5, 2}, {6, 0}, {6, 1}, {6, 2}, {6, 3}};
    for (const Pair& p : kRefused) {
        if (v.major == p.major && v.minor == p.minor) return VersionVerdict::Refuse;
    }
    // WMIC is gone from current Windows 11, so its build number has to decide. Servers share
    // Windows 11's builds (Server 2025 is 26100) and stay with the probe.
    if (v.major == 10 && v.minor == 0 && v.build >= kFirstWindows11Build && v.workstation) return VersionVerdict::Accept;
    return VersionVerdict::Probe;
}

bool ProbeNamesWindows11(int result, const std::wstring& output) {
    return result != 0 && output.find(L"Windows 11") != std::wstring::npos;
}

}  // namespace taskwing
