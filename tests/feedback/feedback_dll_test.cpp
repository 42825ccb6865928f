// The binding against our stand-in library, loaded for real: from the test program's own folder,
// and, through a helper program, from folders laid out per test.
#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/handles.h"
#include "feedback/feedback_dll.h"
#include "tests/wine/test_support.h"

namespace {

using taskwing::feedback::FeedbackTexts;
using taskwing::feedback::kLibraryName;
using taskwing::test::Narrow;
using taskwing::test::SiblingPath;
using taskwing::test::TempPath;

std::wstring Unique(const std::wstring& name) {
    return name + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount());
}

// The lines of a UTF-8 file with CRLF endings, as UTF-8; none when it does not exist.
std::vector<std::string> ReadLines(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// The full path of the loaded feedback library, empty when it is not in the process.
std::wstring LoadedLibraryPath() {
    HMODULE module = GetModuleHandleW(kLibraryName);
    if (!module) return {};
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    return path;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// Calls are observed through the stand-in's call log.
class FeedbackDllTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_log = TempPath(Unique(L"nt-feedback-calls") + L".txt");
        SetEnvironmentVariableW(L"NT_FEEDBACK_LOG", m_log.c_str());
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"NT_FEEDBACK_LOG", nullptr);
        DeleteFileW(m_log.c_str());
    }
    std::wstring m_log;
};

TEST_F(FeedbackDllTest, LoadsOnceFromItsOwnFolderAndUnloadFreesTheLibrary) {
    CFeedbackDll dll;
    ASSERT_TRUE(LoadedLibraryPath().empty());
    ASSERT_TRUE(dll.Load());
    EXPECT_TRUE(dll.IsLoaded());
    EXPECT_TRUE(SamePath(LoadedLibraryPath(), SiblingPath(kLibraryName))) << Narrow(LoadedLibraryPath());

    // Loading again keeps a single reference: one Unload frees the library.
    ASSERT_TRUE(dll.Load());
    dll.Unload();
    EXPECT_FALSE(dll.IsLoaded());
    EXPECT_TRUE(LoadedLibraryPath().empty()) << "the library is still mapped after Unload";
    dll.Unload();  // harmless when nothing is loaded

    // The binding works again after an unload, and its destructor frees the library too.
    {
        CFeedbackDll again;
        ASSERT_TRUE(again.Load());
        EXPECT_FALSE(LoadedLibraryPath().empty());
    }
    EXPECT_TRUE(LoadedLibraryPath().empty());
}

TEST_F(FeedbackDllTest, EveryMemberReachesItsOwnExportWithItsArguments) {
    CFeedbackDll dll;
    ASSERT_TRUE(dll.Load());
    FeedbackTexts texts;
    texts.fill(L"stale");
    EXPECT_EQ(dll.InitFreedbackDll(texts), 1);
    EXPECT_EQ(Narrow(texts[3]), "https://www.veskor.example/tools");  // the "更多工具" page
    for (const std::wstring& text : texts) EXPECT_EQ(Narrow(text.substr(0, 8)), "https://") << Narrow(text);

    EXPECT_EQ(dll.FeedbackQuestion(L"10132", L"1.1.22.1017"), 1);
    EXPECT_EQ(dll.OpenUrl(L"https://www.veskor.example/工具?a=1"), 1);
    EXPECT_EQ(dll.GetInterNetState(), 1);
    EXPECT_EQ(dll.CustomerFeedback(L"10132", L"1.1.22.1017", 2), 1);
    EXPECT_EQ(dll.WriteCustomerFeedbackInfoFile(L"w-id", L"w-ver"), 1);
    EXPECT_EQ(dll.GetToolIsNewVersionDown(L"d-id", L"d-ver"), 1);
    EXPECT_EQ(dll.CustomerFeedbackEx(L"10132", L"1.1.22.1017", 3, L"-1294967296", L"3"), 1);
    EXPECT_EQ(dll.GetToolIsNewVersion(L"10132", L"1.1.22.1017"), 0);  // no INI beside the test's library
    EXPECT_EQ(dll.OpenToolDownUrl(), 1);
    EXPECT_EQ(dll.OpenUseAgreementUrl(), 1);
    // Only web addresses are opened: a program path is refused (and freed) before anything happens.
    EXPECT_EQ(dll.OpenUrl(L"C:\\windows\\notepad.exe"), 0);

    EXPECT_EQ(ReadLines(m_log), (std::vector<std::string>{
                                    "InitFreedbackDll",
                                    "FeedbackQuestion\t10132\t1.1.22.1017",
                                    "OpenUrl\thttps://www.veskor.example/工具?a=1",
                                    "GetInterNetState",
                                    "CustomerFeedback\t10132\t1.1.22.1017\t2",
                                    "WriteCustomerFeedbackInfoFile\tw-id\tw-ver",
                                    "GetToolIsNewVersionDown\td-id\td-ver",
                                    "CustomerFeedbackEx\t10132\t1.1.22.1017\t3\t-1294967296\t3",
                                    "GetToolIsNewVersion\t10132\t1.1.22.1017",
                                    "OpenToolDownUrl",
                                    "OpenUseAgreementUrl",
                                }));
}

TEST(FeedbackStub, ReportsGoToTheUsersLocalApplicationData) {
    SetEnvironmentVariableW(L"NT_FEEDBACK_LOG", nullptr);
    wchar_t base[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, base)));
    const std::wstring file = std::wstring(base) + L"\\VeskorFeedback\\Feedback.txt";
    const std::wstring stamp = Unique(L"t");

    CFeedbackDll dll;
    ASSERT_TRUE(dll.Load());
    EXPECT_EQ(dll.CustomerFeedbackEx(L"10132", L"1.1.22.1017", 1, stamp.c_str(), L"2"), 1);
    EXPECT_EQ(dll.CustomerFeedback(L"10132", L"1.1.22.1017", 2), 1);

    // Other tests may append at the same time: look for ours, in order.
    const std::vector<std::string> lines = ReadLines(file);
    const std::string ours = "CustomerFeedbackEx\t10132\t1.1.22.1017\t1\t" + Narrow(stamp) + "\t2";
    auto it = std::find(lines.begin(), lines.end(), ours);
    ASSERT_NE(it, lines.end()) << Narrow(file);
    EXPECT_NE(std::find(it, lines.end(), "CustomerFeedback\t10132\t1.1.22.1017\t2"), lines.end());
}

// ---- folders of their own, through the helper program ----

// A temporary folder holding a copy of the helper, removed at the end.
class FeedbackDllFolder : public ::testing::Test {
protected:
    void SetUp() override {
        m_folder = TempPath(Unique(L"nt-feedback-stage"));
        ASSERT_TRUE(CreateDirectoryW(m_folder.c_str(), nullptr));
        Copy(SiblingPath(L"feedback_load_helper.exe"), m_folder + L"\\helper.exe");
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(std::filesystem::path(m_folder), ignored);
    }

    void Copy(const std::wstring& from, const std::wstring& to) {
        ASSERT_TRUE(CopyFileW(from.c_str(), to.c_str(), FALSE)) << Narrow(to);
    }
    void WriteIni(const std::wstring& text) {
        std::ofstream(std::filesystem::path(m_folder + L"\\VeskorFeedback.ini"), std::ios::binary)
            << taskwing::test::ToCodePage(text, CP_ACP);
    }

    // The helper's exit code; -1 when it could not be run.
    int RunHelper(const std::wstring& arguments) {
        const std::wstring exe = m_folder + L"\\helper.exe";
        std::wstring command = L"\"" + exe + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                            &startup, &info)) {
            return -1;
        }
        taskwing::unique_handle process(info.hProcess);
        taskwing::unique_handle thread(info.hThread);
        if (WaitForSingleObject(process.get(), 60000) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(process.get(), &code);
        return static_cast<int>(code);
    }

    std::wstring m_folder;
};

TEST_F(FeedbackDllFolder, LoadFailsAndLeavesNothingBehindWithoutTheLibraryOrWithAnExportMissing) {
    EXPECT_EQ(RunHelper(L"load"), 0) << "no library in the folder";

    Copy(SiblingPath(L"feedback_lacking.dll"), m_folder + L"\\" + kLibraryName);
    EXPECT_EQ(RunHelper(L"load"), 0) << "a library without GetToolIsNewVersionDown";

    Copy(SiblingPath(kLibraryName), m_folder + L"\\" + kLibraryName);
    EXPECT_EQ(RunHelper(L"load"), 1) << "the complete library";
}

TEST_F(FeedbackDllFolder, NewerVersionOnlyWhenTheIniNamesOne) {
    Copy(SiblingPath(kLibraryName), m_folder + L"\\" + kLibraryName);
    EXPECT_EQ(RunHelper(L"version 1.1.22.1017"), 0) << "no INI";

    WriteIni(L"[Update]\r\nnewest = 1.1.22.1018 \r\n");
    EXPECT_EQ(RunHelper(L"version 1.1.22.1017"), 3);
    EXPECT_EQ(RunHelper(L"version 1.1.22.1018"), 0);

    WriteIni(L"[Update]\r\nnewest=1.1.3\r\n");
    EXPECT_EQ(RunHelper(L"version 1.1.22.1017"), 0) << "1.1.3 is older than 1.1.22";

    WriteIni(L"[Update]\r\nnewest=\r\n");
    EXPECT_EQ(RunHelper(L"version 1.1.22.1017"), 0);
}

}  // namespace
