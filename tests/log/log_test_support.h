#pragma once
// Shared by the log's Windows tests: fixed clock, GBK bytes written out by hand, file helpers and
// a fixture that gives each test its own empty folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/handles.h"
#include "tests/wine/test_support.h"

namespace logtest {

using taskwing::test::Narrow;

// GBK bytes, written out by hand: 开始按钮左移失败 and 写日志测试.
inline const std::string kFailedGbk = "\xBF\xAA\xCA\xBC\xB0\xB4\xC5\xA5\xD7\xF3\xD2\xC6\xCA\xA7\xB0\xDC";
inline const std::string kWriteLogGbk = "\xD0\xB4\xC8\xD5\xD6\xBE\xB2\xE2\xCA\xD4";
// 日志.txt as a narrow file name in code page 936.
inline const std::string kChineseFileGbk = "\xC8\xD5\xD6\xBE.txt";

inline const std::string kStamp = "[2023-03-05 14:07:09 008ms]   ";

inline SYSTEMTIME FixedTime() {
    SYSTEMTIME t{};
    t.wYear = 2023;
    t.wMonth = 3;
    t.wDay = 5;
    t.wHour = 14;
    t.wMinute = 7;
    t.wSecond = 9;
    t.wMilliseconds = 8;
    return t;
}

inline bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

inline std::string ReadBytes(const std::wstring& path) {
    taskwing::unique_hfile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return "<missing>";
    std::string bytes;
    char chunk[65536];
    DWORD n = 0;
    while (ReadFile(file.get(), chunk, sizeof(chunk), &n, nullptr) && n > 0) bytes.append(chunk, n);
    return bytes;
}

inline void WriteBytes(const std::wstring& path, const std::string& bytes) {
    taskwing::unique_hfile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << Narrow(path);
    DWORD n = 0;
    ASSERT_TRUE(WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr));
    ASSERT_EQ(n, bytes.size());
}

inline unsigned long long SizeOf(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

inline bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Lines without their CR LF; an unterminated tail comes back as a last line with a "<no CRLF>" mark.
inline std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < bytes.size()) {
        const size_t end = bytes.find("\r\n", at);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(at) + "<no CRLF>");
            break;
        }
        lines.push_back(bytes.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

// Each test gets its own empty folder in the temporary folder, removed afterwards.
class LogTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "-" + info->name();
        m_base = taskwing::test::TempPath(L"nt-log-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                          std::wstring(name.begin(), name.end()));
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(m_base), ignored);
        ASSERT_TRUE(CreateDirectoryW(m_base.c_str(), nullptr)) << Narrow(m_base);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(m_base), ignored);
    }

    std::wstring Dir() const { return m_base + L"\\"; }         // for a writer of its own
    std::wstring LogDir() const { return m_base + L"\\ToolLog\\"; }  // for a logger made on m_base

    std::wstring m_base;
};

}  // namespace logtest
