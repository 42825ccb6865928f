#pragma once
// The roots of the USB-attached drives, in drive-letter order, where the device-type search looks.
// The drive list and the bus query are seams, so the search is tested without USB drives.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace taskwing {

// The storage bus of drive `letter`'s volume in *busType (a STORAGE_BUS_TYPE value); false when
// the volume cannot be opened or queried.
using BusTypeQuery = std::function<bool(wchar_t letter, int* busType)>;
// GetLogicalDriveStringsW's contract: fills `buffer` (of `size` characters plus one) and returns
// the list's length without its final NUL, or 0.
using DriveListSource = std::function<DWORD(DWORD size, wchar_t* buffer)>;

struct UsbDriveSeams {
    DriveListSource listDrives;  // empty: GetLogicalDriveStringsW
    BusTypeQuery queryBus;       // empty: the volume's storage property query
};

// The roots in a list of `length` characters made of NUL-ended strings, in list order. Only
// entries of the form "X:\" are roots; the scan stops at the list's end or at an empty string.
std::vector<std::wstring> ParseDriveRoots(const wchar_t* list, size_t length);

// "\\?\X:", the path that opens the volume of drive X.
std::wstring VolumePathOf(wchar_t letter);

// The real query: opens the volume (needs administrator rights) and asks for its device
// descriptor.
bool QueryVolumeBusType(wchar_t letter, int* busType);

// 1 when the query (empty: QueryVolumeBusType) answers for the drive named by the first character
// of `root` and names the USB bus; 0 for other buses, drives that cannot be opened or queried, and
// a null root.
int IsUsbBusDriveWith(const wchar_t* root, const BusTypeQuery& queryBus);

int EnumUsbDrivesWith(std::vector<std::wstring>& drives, const UsbDriveSeams& seams);

}  // namespace taskwing

// Appends the roots ("E:\") of the drives whose storage bus is USB, in drive-letter order.
// 1 when `drives` holds at least one entry afterwards (earlier entries count), else 0.
int EnumUsbDrives(std::vector<std::wstring>& drives);
