// The device-type search on the real system: USB drives, files and "DeviceInfo.ini" profiles.
#include <io.h>
#include <windows.h>

#include "ops/device_type.h"
#include "ops/usb_drives.h"
#include "system/system_helpers.h"

namespace {

constexpr DWORD kIniValueChars = 255;

}  // namespace

bool ReadIniString(std::wstring section, std::wstring key, std::wstring path, std::wstring& out) {
    wchar_t buffer[kIniValueChars] = {};
    const DWORD read =
        ::GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer, kIniValueChars, path.c_str());
    if (read == 0) return false;
    out.assign(buffer, read);
    return true;
}

namespace taskwing {

int DetectDeviceTypeOnDrives(const std::vector<std::wstring>& roots) {
    DeviceSearchSeams seams;
    seams.exists = [](const std::wstring& path) { return ::_waccess(path.c_str(), 0) == 0; };
    seams.readIni = [](const std::wstring& section, const std::wstring& key, const std::wstring& path,
                       std::wstring& out) { return ReadIniString(section, key, path, out); };
    seams.toNarrow = [](const std::wstring& text) { return WideToNarrow(text.c_str()); };
    return FindDeviceType(roots, seams);
}

int DetectDeviceType() {
    std::vector<std::wstring> drives;
    if (EnumUsbDrives(drives) == 0) return 0;
    return DetectDeviceTypeOnDrives(drives);
}

}  // namespace taskwing
