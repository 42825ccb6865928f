// The Windows side of the Windows 11 decision: the version numbers from the PEB, and the WMIC probe.
#include <windows.h>
#include <winternl.h>
#include <versionhelpers.h>

#include "ops/windows_version.h"
#include "system/command_runner.h"

namespace taskwing {

namespace {

const BYTE* ProcessEnvironmentBlock() {
    using QueryFn = LONG(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    if (ntdll == nullptr) return nullptr;
    auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info{};
    if (query == nullptr || query(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof(info), nullptr) < 0) return nullptr;
    return reinterpret_cast<const BYTE*>(info.PebBaseAddress);
}

}  // namespace

OsVersion ReadOsVersion() {
    OsVersion v;
    // The numbers live in the PEB, which no compatibility shim rewrites.
    const BYTE* peb = ProcessEnvironmentBlock();
    if (peb == nullptr) return v;
#if defined(_WIN64)
    constexpr size_t kMajor = 0x118, kMinor = 0x11C, kBuild = 0x120;
#else
    constexpr size_t kMajor = 0xA4, kMinor = 0xA8, kBuild = 0xAC;
#endif
    v.major = *reinterpret_cast<const ULONG*>(peb + kMajor);
    v.minor = *reinterpret_cast<const ULONG*>(peb + kMinor);
    v.build = *reinterpret_cast<const USHORT*>(peb + kBuild);
    v.workstation = !IsWindowsServer();
    return v;
}

bool RunsOnWindows11() {
    switch (ClassifyVersion(ReadOsVersion())) {
    case VersionVerdict::Refuse:
        return false;
    case VersionVerdict::Accept:
        return true;
    case VersionVerdict::Probe:
        break;
    }
    std::wstring output;
    const int result = ExecuteCommand(L"WMIC OS List status", output);
    return ProbeNamesWindows11(result, output);
}

}  // namespace taskwing
