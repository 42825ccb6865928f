// The device-type search on the real file system: folders in the temporary folder stand in for
// drive roots, with client programs and "DeviceInfo.ini" profiles written as the clients write them.
#include "ops/device_type.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "crypto/device_value.h"
#include "tests/wine/test_support.h"

namespace {

namespace fs = std::filesystem;

std::wstring ValueOf(const std::string& text) {
    CAesCipher cipher;
    const std::string value = taskwing::EncryptValue(cipher, text.c_str(), taskwing::kDeviceValueKey);
    return std::wstring(value.begin(), value.end());
}

class DeviceDetect : public ::testing::Test {
protected:
    void SetUp() override {
        m_base = taskwing::test::TempPath(L"nt_device_" + std::to_wstring(::GetCurrentProcessId()) + L"\\");
        std::error_code ignored;
        fs::remove_all(m_base, ignored);
        ASSERT_TRUE(fs::create_directories(m_base));
    }

    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(m_base, ignored);
    }

    // A folder standing in for a drive: its path ends in "\" as a drive root does.
    std::wstring Root(const std::wstring& name) {
        const std::wstring root = m_base + name + L"\\";
        fs::create_directories(root);
        return root;
    }

    static void AddFile(const std::wstring& path) {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(fs::path(path)) << "MZ";
    }

    static void WriteType(const std::wstring& path, const std::wstring& value) {
        fs::create_directories(fs::path(path).parent_path());
        ASSERT_TRUE(::WritePrivateProfileStringW(L"DeviceType", L"Type", value.c_str(), path.c_str()));
    }

    // A client's program and its profile holding the value of `type`.
    static void AddClient(const std::wstring& root, const wchar_t* program, const wchar_t* deviceInfo,
                          const std::string& type) {
        AddFile(root + program);
        WriteType(root + deviceInfo, ValueOf(type));
    }

    std::wstring m_base;
};

}  // namespace

TEST_F(DeviceDetect, ReadIniStringTakesAtMost254Characters) {
    const std::wstring ini = Root(L"ini") + L"DeviceInfo.ini";
    WriteType(ini, L"/WmxdbaOAM7D2qKmClX1Bg==");
    std::wstring out = L"before";
    EXPECT_TRUE(ReadIniString(L"DeviceType", L"Type", ini, out));
    EXPECT_EQ(L"/WmxdbaOAM7D2qKmClX1Bg==", out);

    // Nothing read: the output keeps what it held.
    out = L"before";
    EXPECT_FALSE(ReadIniString(L"DeviceType", L"Missing", ini, out));
    EXPECT_FALSE(ReadIniString(L"Other", L"Type", ini, out));
    EXPECT_FALSE(ReadIniString(L"DeviceType", L"Type", m_base + L"absent.ini", out));
    ASSERT_TRUE(::WritePrivateProfileStringW(L"DeviceType", L"Empty", L"", ini.c_str()));
    EXPECT_FALSE(ReadIniString(L"DeviceType", L"Empty", ini, out));
    EXPECT_EQ(L"before", out);

    const std::wstring longValue(300, L'A');
    WriteType(ini, longValue);
    EXPECT_TRUE(ReadIniString(L"DeviceType", L"Type", ini, out));
    EXPECT_EQ(longValue.substr(0, 254), out);
}

TEST_F(DeviceDetect, FirstFolderWithAClientAndItsFileDecides) {
    // E: Ostrel's program without its file, and Pell with one that is never read.
    const std::wstring e = Root(L"E");
    const std::wstring f = Root(L"F");
    AddFile(e + taskwing::kOstrelProgram);
    AddClient(e, taskwing::kPellProgram, taskwing::kPellDeviceInfo, "5");
    AddClient(f, taskwing::kPellProgram, taskwing::kPellDeviceInfo, "2");
    EXPECT_EQ(2, taskwing::DetectDeviceTypeOnDrives({e, f}));

    // Both clients with their files: Ostrel's decides.
    const std::wstring g = Root(L"G");
    AddClient(g, taskwing::kOstrelProgram, taskwing::kOstrelDeviceInfo, "1");
    AddClient(g, taskwing::kPellProgram, taskwing::kPellDeviceInfo, "2");
    EXPECT_EQ(1, taskwing::DetectDeviceTypeOnDrives({g, f}));
}

TEST_F(DeviceDetect, AProfileWithoutTheValueEndsTheSearchWithZero) {
    const std::wstring e = Root(L"E");
    const std::wstring f = Root(L"F");
    AddFile(e + taskwing::kOstrelProgram);
    const std::wstring ini = e + taskwing::kOstrelDeviceInfo;
    ASSERT_TRUE(::WritePrivateProfileStringW(L"DeviceType", L"Other", L"1", ini.c_str()));
    AddClient(f, taskwing::kOstrelProgram, taskwing::kOstrelDeviceInfo, "1");
    EXPECT_EQ(0, taskwing::DetectDeviceTypeOnDrives({e, f}));
    EXPECT_EQ(1, taskwing::DetectDeviceTypeOnDrives({f, e}));
}

TEST_F(DeviceDetect, ValuesAsTheProfileDeliversThem) {
    const std::wstring e = Root(L"E");
    AddFile(e + taskwing::kPellProgram);
    const std::wstring ini = e + taskwing::kPellDeviceInfo;
    const std::pair<std::wstring, int> cases[] = {
        {ValueOf("2"), 2}, {ValueOf("-3"), -3}, {ValueOf(" 7abc"), 7}, {L"!!not base64!!", 0}};
    for (const auto& [value, type] : cases) {
        WriteType(ini, value);
        EXPECT_EQ(type, taskwing::DetectDeviceTypeOnDrives({e})) << taskwing::test::Narrow(value);
    }

    // 300 characters whose plain text reads 456789; the profile read keeps 254 of them, which
    // decode only as far as "45" (what follows decrypts from zeros to no digit).
    const std::wstring longValue = ValueOf(std::string(187, ' ') + "456789" + std::string(17, 'x'));
    ASSERT_EQ(300u, longValue.size());
    WriteType(ini, longValue);
    EXPECT_EQ(45, taskwing::DetectDeviceTypeOnDrives({e}));
}

TEST(DetectDeviceType, ThePrefixHasNoUsbDrives) { EXPECT_EQ(0, taskwing::DetectDeviceType()); }
