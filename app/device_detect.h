#pragma once
// The device-type search on the real system: USB drives, files and "DeviceInfo.ini" profiles.
#include <string>
#include <vector>

// GetPrivateProfileStringW with an empty default into 255 characters, so at most 254 are taken.
// True when at least one character was read; only then is `out` changed.
bool ReadIniString(std::wstring section, std::wstring key, std::wstring path, std::wstring& out);

namespace taskwing {

// FindDeviceType over these roots (each ending in "\") with the real file system and profiles.
int DetectDeviceTypeOnDrives(const std::vector<std::wstring>& roots);

// The device type of the first service client found on the USB drives; 0 without one.
int DetectDeviceType();

}  // namespace taskwing
