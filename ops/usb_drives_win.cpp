// The USB drives: the logical drive list, and each volume's storage bus.
#include "ops/usb_drives.h"

#include <winioctl.h>

#include <memory>
#include <new>

#include "base/handles.h"

namespace {

// The published records: a 12-byte query in, the first 40 bytes of the descriptor out.
static_assert(sizeof(STORAGE_PROPERTY_QUERY) == 12, "storage query size");
static_assert(sizeof(STORAGE_DEVICE_DESCRIPTOR) == 40, "device descriptor size");

// GetLogicalDriveStringsW may fill all but the last of these characters.
constexpr DWORD kDriveBufferChars = 1024;

}  // namespace

namespace taskwing {

std::vector<std::wstring> ParseDriveRoots(const wchar_t* list, size_t length) {
    std::vector<std::wstring> roots;
    if (list == nullptr) return roots;
    size_t at = 0;
    while (at < length) {
        const wchar_t* entry = list + at;
        size_t n = 0;
        while (at + n < length && entry[n] != L'\0') ++n;
        if (n == 0) break;  // the list's closing NUL
        if (n == 3 && entry[1] == L':' && entry[2] == L'\\') roots.emplace_back(entry, 3);
        at += n + 1;
    }
    return roots;
}

std::wstring VolumePathOf(wchar_t letter) { return std::wstring(L"\\\\?\\") + letter + L':'; }

bool QueryVolumeBusType(wchar_t letter, int* busType) {
    const std::wstring path = VolumePathOf(letter);
    unique_hfile volume(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!volume) return false;

    STORAGE_PROPERTY_QUERY query{};
    query.PropertyId = StorageDeviceProperty;
    query.QueryType = PropertyStandardQuery;
    // Zeroed, so that a short answer reads as BusTypeUnknown rather than as stale bytes.
    STORAGE_DEVICE_DESCRIPTOR descriptor{};
    DWORD returned = 0;
    if (!::DeviceIoControl(volume.get(), IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof(query), &descriptor,
                           sizeof(descriptor), &returned, nullptr))
        return false;
    *busType = static_cast<int>(descriptor.BusType);
    return true;
}

int IsUsbBusDriveWith(const wchar_t* root, const BusTypeQuery& queryBus) {
    if (root == nullptr || root[0] == L'\0') return 0;
    int bus = BusTypeUnknown;
    const bool answered = queryBus ? queryBus(root[0], &bus) : QueryVolumeBusType(root[0], &bus);
    return answered && bus == BusTypeUsb ? 1 : 0;
}

int EnumUsbDrivesWith(std::vector<std::wstring>& drives, const UsbDriveSeams& seams) {
    std::unique_ptr<wchar_t[]> buffer(new (std::nothrow) wchar_t[kDriveBufferChars]());
    if (!buffer) return drives.empty() ? 0 : 1;
    const DWORD size = kDriveBufferChars - 1;
    const DWORD length =
        seams.listDrives ? seams.listDrives(size, buffer.get()) : ::GetLogicalDriveStringsW(size, buffer.get());
    // A length beyond the size is the size the list would need: the buffer was not filled.
    if (length > 0 && length <= size) {
        for (const std::wstring& root : ParseDriveRoots(buffer.get(), length)) {
            if (IsUsbBusDriveWith(root.c_str(), seams.queryBus) == 1) drives.push_back(root);
        }
    }
    return drives.empty() ? 0 : 1;
}

}  // namespace taskwing

int EnumUsbDrives(std::vector<std::wstring>& drives) { return taskwing::EnumUsbDrivesWith(drives, {}); }
