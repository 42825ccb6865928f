// The USB drive list through its seams and on the Wine prefix.
#include "ops/usb_drives.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

using taskwing::UsbDriveSeams;

constexpr int kBusSata = 11;
constexpr int kBusUsb = 7;

// A drive list as GetLogicalDriveStringsW leaves it.
taskwing::DriveListSource ListOf(std::wstring roots) {
    return [roots](DWORD size, wchar_t* buffer) -> DWORD {
        if (roots.size() > size) return static_cast<DWORD>(roots.size() + 1);
        std::wmemcpy(buffer, roots.data(), roots.size());
        return static_cast<DWORD>(roots.size());
    };
}

TEST(DriveRoots, ListedRootsInTheirOrderUpToTheClosingNul) {
    const wchar_t list[] = L"C:\\\0E:\\\0Z:\\\0\0Q:\\\0";
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\", L"E:\\", L"Z:\\"}), taskwing::ParseDriveRoots(list, 16));
    // The length ends the scan even without the closing NUL.
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\"}), taskwing::ParseDriveRoots(list, 5));
    EXPECT_TRUE(taskwing::ParseDriveRoots(list, 0).empty());
    EXPECT_TRUE(taskwing::ParseDriveRoots(nullptr, 8).empty());
    // Only "X:\" entries are roots; a longer entry does not shift the ones after it.
    const wchar_t odd[] = L"\\\\server\\share\\\0F:\\\0\0";
    EXPECT_EQ((std::vector<std::wstring>{L"F:\\"}), taskwing::ParseDriveRoots(odd, 20));
}

TEST(UsbDrives, OfAnInternalAndAUsbDriveOnlyTheUsbOneIsListed) {
    std::vector<wchar_t> asked;
    UsbDriveSeams seams;
    seams.listDrives = ListOf(std::wstring(L"C:\\\0E:\\\0", 8));
    seams.queryBus = [&](wchar_t letter, int* bus) {
        asked.push_back(letter);
        *bus = letter == L'E' ? kBusUsb : kBusSata;
        return true;
    };
    std::vector<std::wstring> drives;
    EXPECT_EQ(1, taskwing::EnumUsbDrivesWith(drives, seams));
    EXPECT_EQ((std::vector<std::wstring>{L"E:\\"}), drives);
    EXPECT_EQ((std::vector<wchar_t>{L'C', L'E'}), asked);
}

TEST(UsbDrives, DrivesThatCannotBeQueriedAreSkipped) {
    UsbDriveSeams seams;
    seams.listDrives = ListOf(std::wstring(L"D:\\\0E:\\\0F:\\\0", 12));
    // D: fails after writing a USB bus type: the failure decides, not the stale value.
    seams.queryBus = [](wchar_t letter, int* bus) {
        *bus = kBusUsb;
        return letter != L'D';
    };
    // What the caller's vector held stays, in front.
    std::vector<std::wstring> drives{L"K:\\"};
    EXPECT_EQ(1, taskwing::EnumUsbDrivesWith(drives, seams));
    EXPECT_EQ((std::vector<std::wstring>{L"K:\\", L"E:\\", L"F:\\"}), drives);
}

TEST(UsbDrives, EmptyOrUnreadableListsGiveNoDrives) {
    int queries = 0;
    UsbDriveSeams seams;
    seams.queryBus = [&](wchar_t, int* bus) {
        ++queries;
        *bus = kBusUsb;
        return true;
    };
    DWORD sizeGiven = 0;
    seams.listDrives = [&](DWORD size, wchar_t*) {
        sizeGiven = size;
        return DWORD{0};
    };
    std::vector<std::wstring> drives;
    EXPECT_EQ(0, taskwing::EnumUsbDrivesWith(drives, seams));
    EXPECT_EQ(1023u, sizeGiven);

    // A result above the size is the size the list would need; the buffer holds nothing to read.
    seams.listDrives = [](DWORD, wchar_t* buffer) {
        std::wmemcpy(buffer, L"E:\\\0", 5);
        return DWORD{2000};
    };
    EXPECT_EQ(0, taskwing::EnumUsbDrivesWith(drives, seams));
    EXPECT_EQ(0, queries);
    EXPECT_TRUE(drives.empty());
}

TEST(UsbDrives, TheWinePrefixHasNoneAndItsVolumesAnswer) {
    std::vector<std::wstring> drives;
    EXPECT_EQ(0, EnumUsbDrives(drives));
    EXPECT_TRUE(drives.empty());

    // The real query reaches drive C's volume and reads a bus other than USB.
    int bus = -1;
    EXPECT_TRUE(taskwing::QueryVolumeBusType(L'C', &bus));
    EXPECT_GE(bus, 0);
    EXPECT_NE(kBusUsb, bus);
    EXPECT_EQ(0, taskwing::IsUsbBusDriveWith(L"C:\\", {}));
    // A letter without a drive, no root at all.
    EXPECT_FALSE(taskwing::QueryVolumeBusType(L'Q', &bus));
    EXPECT_EQ(0, taskwing::IsUsbBusDriveWith(L"Q:\\", {}));
    EXPECT_EQ(0, taskwing::IsUsbBusDriveWith(nullptr, {}));
    EXPECT_EQ(0, taskwing::IsUsbBusDriveWith(L"", {}));
}

}  // namespace
