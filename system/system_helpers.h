#pragma once
// Small system functions: the USB-attached drives, the narrow/wide conversions around the stored
// device type, and fonts copied from a window's font.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/handles.h"

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

// 1 when the query answers and names the USB bus, else 0.
int IsUsbBusDriveWith(const wchar_t* root, const BusTypeQuery& queryBus);

int EnumUsbDrivesWith(std::vector<std::wstring>& drives, const UsbDriveSeams& seams);

}  // namespace taskwing

// Appends the roots ("E:\") of the drives whose storage bus is USB, in drive-letter order.
// 1 when `drives` holds at least one entry afterwards (earlier entries count), else 0.
int EnumUsbDrives(std::vector<std::wstring>& drives);

// 1 when the storage bus of the drive named by the first character of `root` is USB; 0 for other
// buses, drives that cannot be opened or queried, and a null root.
int IsUsbBusDrive(const wchar_t* root);

// Each byte becomes the character of the same value, whatever C runtime locale any thread has
// set. Returns a NUL-terminated buffer from malloc that the caller frees with free(), or null when
// memory runs out.
wchar_t* NarrowToWide(std::string text);

// The text in the ANSI code page; empty for a null text, when the system reports no size, or when
// memory runs out.
std::string WideToNarrow(const wchar_t* text);

// Creates `font` (freeing what it held) from `window`'s font, or the stock DEFAULT_GUI_FONT,
// failing that ANSI_VAR_FONT. Only when `heightChange` is not 0: a `weight` above 0 replaces the
// weight, and `heightChange` is subtracted from lfHeight, so that a positive change enlarges a
// font of negative (character) height. With 0 the font is an exact copy.
void MakeFont(HWND window, int heightChange, int weight, taskwing::unique_hfont& font);

// Width in pixels of `text` in the font MakeFont would make, measured on `dc`; -1 when the window
// or the DC is null. The DC's font is left as it was.
int MeasureTextWidth(HWND window, HDC dc, std::wstring text, int heightChange, int weight);
