#pragma once
// The device type of the service client on a USB drive, and what it decides. Plain functions over
// drive roots and small seams (file existence, the profile reader, the ANSI conversion), so the
// search is tested on any platform; device_type_win.cpp supplies the real seams.
#include <functional>
#include <string>
#include <vector>

namespace taskwing {

// The service clients in the order they are tried on each drive; paths are relative to the root.
inline constexpr wchar_t kOstrelProgram[] = L"OT\\Ostrel\\OstrelClient.exe";
inline constexpr wchar_t kOstrelDeviceInfo[] = L"OT\\Ostrel\\DeviceInfo.ini";
inline constexpr wchar_t kPellProgram[] = L"Pell\\PellKey\\PellClient.exe";
inline constexpr wchar_t kPellDeviceInfo[] = L"Pell\\PellKey\\DeviceInfo.ini";

inline constexpr wchar_t kDeviceInfoSection[] = L"DeviceType";
inline constexpr wchar_t kDeviceInfoKey[] = L"Type";

// Device types that name a client of our own; anything else gets the generic notice.
inline constexpr int kDeviceTypeOstrel = 1;
inline constexpr int kDeviceTypePell = 2;

// The text in the ANSI code page.
using NarrowConversion = std::function<std::string(const std::wstring&)>;

struct DeviceSearchSeams {
    // Whether the file exists (existence only).
    std::function<bool(const std::wstring& path)> exists;
    // One profile value: true and `out` set when at least one character was read; else `out` is
    // left as it was.
    std::function<bool(const std::wstring& section, const std::wstring& key, const std::wstring& path,
                       std::wstring& out)>
        readIni;
    NarrowConversion toNarrow;
};

// Reads a number as _wtoi does: leading white space (space, \t, \n, \v, \f, \r), an optional sign,
// decimal digits; anything else ends the number, and no digits give 0. A number beyond int's
// range saturates to INT_MAX or INT_MIN, as the C runtime's _wtoi answers an overflow.
int ParseDeviceNumber(const std::wstring& text);

// The device type that one stored (wide) value decrypts to; an empty value gives 0.
int DeviceTypeFromValue(const std::wstring& value, const NarrowConversion& toNarrow);

// Each root (ending in a path separator) in list order: the Ostrel program first, the Pell
// program only when Ostrel's is absent. A program without its "DeviceInfo.ini" moves the search on
// to the next root; the first program with its file decides, even when its value gives 0.
// 0 when nothing decides, or when a seam is missing.
int FindDeviceType(const std::vector<std::wstring>& roots, const DeviceSearchSeams& seams);

struct UpdateNotice {
    std::wstring text;
    bool openDownloadPage;
};

// What the user is told when a newer version exists: a client's own device is sent to its client,
// every other device to our download page.
UpdateNotice UpdateNoticeFor(int deviceType);

// "更多工具" is offered only where no client device of ours was found.
bool ShowsMoreTools(int deviceType);

// Windows only. FindDeviceType over these roots (each ending in "\") with the real file system
// and profiles.
int DetectDeviceTypeOnDrives(const std::vector<std::wstring>& roots);

// Windows only. The device type of the first service client found on the USB drives; 0 without one.
int DetectDeviceType();

}  // namespace taskwing

// Windows only. GetPrivateProfileStringW with an empty default into 255 characters, so at most 254
// are taken. True when at least one character was read; only then is `out` changed.
bool ReadIniString(std::wstring section, std::wstring key, std::wstring path, std::wstring& out);
