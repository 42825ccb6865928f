#pragma once
// Small helpers shared by the Windows test programs.
#include <windows.h>

#include <string>

namespace taskwing::test {

inline std::string ToCodePage(const std::wstring& text, UINT codePage) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

// For failure messages: GoogleTest prints narrow text.
inline std::string Narrow(const std::wstring& text) { return ToCodePage(text, CP_UTF8); }

// A path in the test's temporary folder.
inline std::wstring TempPath(const std::wstring& name) {
    wchar_t dir[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

// A file next to the running test program.
inline std::wstring SiblingPath(const std::wstring& name) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self);
    return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

// Whether WOW64 file-system redirection is on for this thread. The saved value that the switch
// hands back is the previous "off" flag.
inline bool RedirectionIsOn() {
    PVOID previous = nullptr;
    if (!Wow64DisableWow64FsRedirection(&previous)) return true;
    Wow64RevertWow64FsRedirection(previous);
    return previous == nullptr;
}

}  // namespace taskwing::test
