// The command runner against the real cmd.exe: output, exit codes, failures to start, waits.
#include "system/command_runner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>

#include "tests/wine/test_support.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string Gbk(const std::wstring& text) { return taskwing::test::ToCodePage(text, 936); }

}  // namespace

TEST(ExecuteCommand, QuietCommandLeavesOutputAsItWas) {
    std::wstring output = L"before";
    EXPECT_EQ(ExecuteCommand(L"rem nothing to say", output), 1);
    EXPECT_EQ(output, L"before");
}

TEST(ExecuteCommand, AppendsBehindExistingTextAndTakesAtLeastOnePause) {
    std::wstring output = L"kept:";
    const auto start = Clock::now();
    EXPECT_EQ(ExecuteCommand(L"echo hello", output), 1);
    const auto elapsed = Clock::now() - start;
    EXPECT_EQ(output, L"kept:hello\r\n");
    EXPECT_GE(elapsed, std::chrono::milliseconds(500));
}

TEST(ExecuteCommand, CapturesStandardErrorAndOutputInOrder) {
    std::wstring output;
    EXPECT_EQ(ExecuteCommand(L"echo to-out& echo to-err 1>&2& echo again", output), 1);
    EXPECT_EQ(output, L"to-out\r\nto-err \r\nagain\r\n");
}

TEST(ExecuteCommand, ConvertsChineseFromTheAnsiCodePage) {
    ASSERT_EQ(GetACP(), 936u) << "tests run with LANG=zh_CN.UTF-8";
    std::wstring output;
    EXPECT_EQ(ExecuteCommand(L"echo 操作成功完成", output), 1);
    EXPECT_EQ(output, L"操作成功完成\r\n");
}

TEST(ExecuteCommand, LongOutputArrivesWholeAndInOrderWithCharactersAcrossChunkEdges) {
    // Two ASCII bytes, then only double-byte characters: every 4,095-byte read ends on a lead byte.
    std::wstring expected = L"xy";
    for (int i = 0; i < 1500; ++i) expected += L"操作成功完成";
    const std::wstring path = taskwing::test::TempPath(L"runner-long.txt");
    {
        std::ofstream file(path.c_str(), std::ios::binary);
        file << Gbk(expected);
    }
    ASSERT_GT(Gbk(expected).size(), 3u * 4095u);

    std::wstring output;
    // Our own helper writes the bytes as they are; Wine's "type" converts them in pieces itself.
    const std::wstring helper = taskwing::test::SiblingPath(L"nt_child.exe");
    // cmd /C drops the outer pair of quotes.
    EXPECT_EQ(ExecuteCommand(L"\"\"" + helper + L"\" cat \"" + path + L"\"\"", output), 1);
    EXPECT_EQ(output.size(), expected.size());
    EXPECT_TRUE(output == expected) << "first difference at " << std::mismatch(output.begin(), output.end(), expected.begin()).first - output.begin();
    DeleteFileW(path.c_str());
}

TEST(ExecuteCommand, CutsTheCommandLineAt1023Characters) {
    std::wstring output;
    // "cmd /C echo " is 12 characters, so echo receives the first 1,011 of the 2,000 letters.
    EXPECT_EQ(ExecuteCommand(L"echo " + std::wstring(2000, L'A'), output), 1);
    EXPECT_EQ(output, std::wstring(1011, L'A') + L"\r\n");
}

TEST(ExecuteCommand, WaitsForABackgroundChildThatInheritedThePipe) {
    const std::wstring helper = taskwing::test::SiblingPath(L"nt_child.exe");
    std::wstring output;
    const auto start = Clock::now();
    EXPECT_EQ(ExecuteCommand(L"start /b \"\" \"" + helper + L"\" sleep 1500 late& echo early", output), 1);
    const auto elapsed = Clock::now() - start;
    EXPECT_NE(output.find(L"early"), std::wstring::npos) << taskwing::test::Narrow(output);
    EXPECT_NE(output.find(L"late"), std::wstring::npos) << taskwing::test::Narrow(output);
    EXPECT_GE(elapsed, std::chrono::milliseconds(1500));
}

TEST(ExecuteCommand, ProcessThatCannotStartLeavesOutputAndNoHandles) {
    taskwing::CommandRunnerSeams seams;
    std::wstring seenLine;
    seams.startProcess = [&](LPWSTR line, STARTUPINFOW*, PROCESS_INFORMATION*) {
        seenLine = line;
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    };
    DWORD before = 0, after = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));
    std::wstring output = L"untouched";
    for (int i = 0; i < 20; ++i) EXPECT_EQ(ExecuteCommandWith(L"echo x", output, seams), 0);
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &after));
    EXPECT_EQ(output, L"untouched");
    EXPECT_EQ(seenLine, L"cmd /C echo x");
    EXPECT_EQ(after, before);
}

TEST(ExecuteCommand, ClosesEveryHandleOfASuccessfulRun) {
    std::wstring output;
    ASSERT_EQ(ExecuteCommand(L"echo warm-up", output), 1);
    DWORD before = 0, after = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));
    taskwing::CommandRunnerSeams fast;
    fast.pauseMs = 0;
    for (int i = 0; i < 5; ++i) ASSERT_EQ(ExecuteCommandWith(L"echo x", output, fast), 1);
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &after));
    EXPECT_EQ(after, before);
}

TEST(ExecuteCommand, RunsTheNativeInterpreterAndRestoresRedirection) {
#if defined(_WIN64)
    GTEST_SKIP() << "only a 32-bit process runs under WOW64, and this is the x86_64 test build";
#endif
    ASSERT_EQ(IsRunningUnderWow64(), 1) << "the test prefix is 64-bit, like every Windows 11";
    std::wstring output;
    // With redirection off the command search finds the 64-bit cmd, which says so.
    EXPECT_EQ(ExecuteCommand(L"echo %PROCESSOR_ARCHITECTURE%", output), 1);
    EXPECT_EQ(output, L"AMD64\r\n");
    EXPECT_TRUE(taskwing::test::RedirectionIsOn());
}

TEST(ExecuteCommand, RunsTheSystemsInterpreterAndCommandsNotOnesPlantedInTheToolsFolders) {
    // A cmd.exe beside the program (the search by name looks there first) that prints nothing, and
    // a reg.bat in the working folder (cmd looks there first): both run if searched for by name.
    const std::wstring plantedCmd = taskwing::test::SiblingPath(L"cmd.exe");
    ASSERT_TRUE(CopyFileW(taskwing::test::SiblingPath(L"nt_child.exe").c_str(), plantedCmd.c_str(), FALSE));
    const std::wstring folder = taskwing::test::TempPath(L"runner-planted");
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring plantedReg = folder + L"\\reg.bat";
    std::ofstream(plantedReg.c_str()) << "@echo planted\r\n";
    wchar_t before[MAX_PATH] = {};
    ASSERT_GT(GetCurrentDirectoryW(MAX_PATH, before), 0u);
    ASSERT_TRUE(SetCurrentDirectoryW(folder.c_str()));

    std::wstring output;
    const int result = ExecuteCommand(L"echo real& reg /?", output);
    SetCurrentDirectoryW(before);
    DeleteFileW(plantedReg.c_str());
    RemoveDirectoryW(folder.c_str());
    DeleteFileW(plantedCmd.c_str());

    EXPECT_EQ(result, 1);
    EXPECT_EQ(output.rfind(L"real\r\n", 0), 0u) << taskwing::test::Narrow(output);
    EXPECT_EQ(output.find(L"planted"), std::wstring::npos) << taskwing::test::Narrow(output);
}

TEST(CompleteCharacterBytes, HoldsBackOnlyALoneTrailingLeadByte) {
    const std::string two = Gbk(L"操作");  // four bytes, two lead bytes
    EXPECT_EQ(taskwing::CompleteCharacterBytes(two.data(), 4, 936), 4u);
    EXPECT_EQ(taskwing::CompleteCharacterBytes(two.data(), 3, 936), 2u);
    EXPECT_EQ(taskwing::CompleteCharacterBytes(two.data(), 1, 936), 0u);
    // A trail byte in the lead-byte range is not mistaken for a lead byte.
    const std::string pair = Gbk(L"x操") + "a";
    EXPECT_EQ(taskwing::CompleteCharacterBytes(pair.data(), pair.size(), 936), pair.size());
    EXPECT_EQ(taskwing::CompleteCharacterBytes("abc", 3, 936), 3u);
    EXPECT_EQ(taskwing::CompleteCharacterBytes("", 0, 936), 0u);
}
