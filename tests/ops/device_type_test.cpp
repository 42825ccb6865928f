// The device-type search over in-memory drives, the stored values it reads, and what the type
// decides.
#include "ops/device_type.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "crypto/device_value.h"

using taskwing::DeviceSearchSeams;
using taskwing::FindDeviceType;
using taskwing::ParseDeviceNumber;

namespace {

// The stored value of a device-type text, wide as the profile reader hands it over.
std::wstring ValueOf(const char* text) {
    CAesCipher cipher;
    const std::string value = taskwing::EncryptValue(cipher, text, taskwing::kDeviceValueKey);
    return std::wstring(value.begin(), value.end());
}

// ASCII only, which is all a stored value holds.
std::string ToNarrow(const std::wstring& text) {
    std::string narrow;
    for (wchar_t c : text) narrow.push_back(static_cast<char>(c));
    return narrow;
}

int TypeOf(const std::wstring& value) { return taskwing::DeviceTypeFromValue(value, ToNarrow); }

// Drives in memory: the files that exist, and the "Type" value of each profile that has one.
struct FakeDrives {
    std::set<std::wstring> files;
    std::map<std::wstring, std::wstring> types;
    std::vector<std::wstring> looked;  // every path asked about, in order

    void AddClient(const std::wstring& root, const wchar_t* program, const wchar_t* deviceInfo, const char* type) {
        files.insert(root + program);
        if (deviceInfo == nullptr) return;
        files.insert(root + deviceInfo);
        if (type != nullptr) types[root + deviceInfo] = ValueOf(type);
    }

    DeviceSearchSeams Seams() {
        DeviceSearchSeams seams;
        seams.exists = [this](const std::wstring& path) {
            looked.push_back(path);
            return files.count(path) != 0;
        };
        seams.readIni = [this](const std::wstring& section, const std::wstring& key, const std::wstring& path,
                               std::wstring& out) {
            looked.push_back(path);
            const auto found = types.find(path);
            if (section != L"DeviceType" || key != L"Type" || found == types.end()) return false;
            out = found->second;
            return true;
        };
        seams.toNarrow = ToNarrow;
        return seams;
    }

    bool LookedUnder(const std::wstring& root) const {
        for (const std::wstring& path : looked) {
            if (path.rfind(root, 0) == 0) return true;
        }
        return false;
    }
};

const std::wstring kE = L"E:\\";
const std::wstring kF = L"F:\\";
const std::wstring kG = L"G:\\";

}  // namespace

TEST(ParseDeviceNumber, ReadsLikeTheRuntimesWtoiAndSaturates) {
    const std::pair<const wchar_t*, int> cases[] = {{L"1", 1},
                                                    {L"-3", -3},
                                                    {L" 7abc", 7},
                                                    {L"+5", 5},
                                                    {L"\t\r\n\v\f 12 34", 12},
                                                    {L"", 0},
                                                    {L"abc", 0},
                                                    {L"+-4", 0},
                                                    {L"\u30001", 0},  // only ASCII white space is skipped
                                                    {L"2147483647", INT_MAX},
                                                    {L"2147483648", INT_MAX},
                                                    {L"-2147483648", INT_MIN},
                                                    {L"-2147483649", INT_MIN},
                                                    {L"18446744073709551617", INT_MAX},  // 2^64 + 1 must not wrap to 1
                                                    {L"-000000000000000000000000000000000000099999999999x", INT_MIN},
                                                    {L"000000000000000000000042", 42}};
    for (const auto& [text, number] : cases) EXPECT_EQ(number, ParseDeviceNumber(text)) << testing::PrintToString(text);
}

TEST(DeviceTypeFromValue, StoredValuesGiveTheirNumbers) {
    for (const auto& [text, number] : {std::pair{"1", 1}, {"2", 2}, {"5", 5}, {"-3", -3}, {" 7abc", 7}}) {
        EXPECT_EQ(number, TypeOf(ValueOf(text))) << text;
    }
    EXPECT_EQ(1, TypeOf(L"/WmxdbaOAM7D2qKmClX1Bg=="));  // the value written by hand in the README
    EXPECT_EQ(0, TypeOf(L""));
    // Not base64: nothing decodes, the zeros decrypt to key stream, which reads as no number.
    EXPECT_EQ(0, TypeOf(L"!!not base64!!"));
}

TEST(DeviceTypeFromValue, LongValuesAreReadAsFarAsTheyGo) {
    // 187 spaces, "456789", then letters: 210 bytes, stored as 300 characters.
    const std::string plain = std::string(187, ' ') + "456789" + std::string(17, 'x');
    const std::wstring value = ValueOf(plain.c_str());
    ASSERT_EQ(300u, value.size());
    EXPECT_EQ(456789, TypeOf(value));
    // The 254 characters a profile read takes decode to 189 bytes: the spaces and "45". What
    // follows them decrypts from zeros, and for this key and counter it is no digit.
    EXPECT_EQ(45, TypeOf(value.substr(0, 254)));
    // A value longer than the decryption buffer leaves it zeroed.
    EXPECT_EQ(0, TypeOf(std::wstring(2000, L'A')));
}

TEST(FindDeviceType, FirstDriveWithAClientAndItsFileDecides) {
    {
        // E: has Ostrel's program without its file (and Pell with one, never looked at).
        FakeDrives drives;
        drives.AddClient(kE, taskwing::kOstrelProgram, nullptr, nullptr);
        drives.AddClient(kE, taskwing::kPellProgram, taskwing::kPellDeviceInfo, "5");
        drives.AddClient(kF, taskwing::kPellProgram, taskwing::kPellDeviceInfo, "2");
        EXPECT_EQ(2, FindDeviceType({kE, kF}, drives.Seams()));
        EXPECT_FALSE(drives.LookedUnder(kE + L"Pell\\"));
    }
    {
        // Both clients with their files: Ostrel's decides.
        FakeDrives drives;
        drives.AddClient(kE, taskwing::kOstrelProgram, taskwing::kOstrelDeviceInfo, "1");
        drives.AddClient(kE, taskwing::kPellProgram, taskwing::kPellDeviceInfo, "2");
        EXPECT_EQ(1, FindDeviceType({kE}, drives.Seams()));
    }
    {
        // Roots in list order, not letter order.
        FakeDrives drives;
        drives.AddClient(kE, taskwing::kOstrelProgram, taskwing::kOstrelDeviceInfo, "1");
        drives.AddClient(kG, taskwing::kPellProgram, taskwing::kPellDeviceInfo, "2");
        EXPECT_EQ(2, FindDeviceType({kG, kE}, drives.Seams()));
        EXPECT_FALSE(drives.LookedUnder(kE));
    }
}

TEST(FindDeviceType, AFileWithoutTheValueEndsTheSearchWithZero) {
    FakeDrives drives;
    drives.AddClient(kE, taskwing::kOstrelProgram, taskwing::kOstrelDeviceInfo, nullptr);
    drives.AddClient(kF, taskwing::kOstrelProgram, taskwing::kOstrelDeviceInfo, "1");
    EXPECT_EQ(0, FindDeviceType({kE, kF}, drives.Seams()));
    EXPECT_FALSE(drives.LookedUnder(kF));
    EXPECT_EQ(kE + taskwing::kOstrelDeviceInfo, drives.looked.back());  // it was read
}

TEST(FindDeviceType, NothingToDecideGivesZero) {
    FakeDrives drives;
    drives.AddClient(kE, taskwing::kOstrelProgram, nullptr, nullptr);
    drives.AddClient(kF, taskwing::kPellProgram, nullptr, nullptr);
    drives.files.insert(kG + taskwing::kOstrelDeviceInfo);  // a file without its program
    drives.types[kG + taskwing::kOstrelDeviceInfo] = ValueOf("1");
    EXPECT_EQ(0, FindDeviceType({kE, kF, kG}, drives.Seams()));
    // A search without its seams cannot look at anything.
    drives.AddClient(kE, taskwing::kPellProgram, taskwing::kPellDeviceInfo, "2");
    DeviceSearchSeams partial = drives.Seams();
    partial.toNarrow = nullptr;
    EXPECT_EQ(0, FindDeviceType({kE}, partial));
}

TEST(UpdateNotice, ClientDevicesGetTheirClientOthersTheDownloadPage) {
    const std::wstring generic = L"检测到当前工具有新的版本，请下载最新版本使用。";
    EXPECT_EQ(L"检测到当前工具有新的版本，请在Ostrel客户端下载最新版本使用。", taskwing::UpdateNoticeFor(1).text);
    EXPECT_FALSE(taskwing::UpdateNoticeFor(1).openDownloadPage);
    EXPECT_EQ(L"检测到当前工具有新的版本，请在Pell客户端下载最新版本使用。", taskwing::UpdateNoticeFor(2).text);
    EXPECT_FALSE(taskwing::UpdateNoticeFor(2).openDownloadPage);
    for (int type : {0, 5, -1}) {
        EXPECT_EQ(generic, taskwing::UpdateNoticeFor(type).text) << type;
        EXPECT_TRUE(taskwing::UpdateNoticeFor(type).openDownloadPage) << type;
    }
    // "更多工具" only where no device of ours was found.
    for (int type : {0, -1}) EXPECT_TRUE(taskwing::ShowsMoreTools(type)) << type;
    for (int type : {1, 2, 5}) EXPECT_FALSE(taskwing::ShowsMoreTools(type)) << type;
}
