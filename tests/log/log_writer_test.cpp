// The writer and the logger against the real file system of the test prefix.
#include <windows.h>

#include <gtest/gtest.h>
#include <shlobj.h>

#include <atomic>
#include <clocale>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "base/handles.h"
#include "log/log_save.h"
#include "log/log_save_close_file.h"
#include "tests/log/log_test_support.h"
#include "tests/wine/test_support.h"

namespace {

using namespace logtest;
using taskwing::test::Narrow;

// ---- entries, byte for byte ----

TEST_F(LogTest, EntriesAreExactGbkLinesInWriteOrderAndTheLocaleIsLeftAlone) {
    ASSERT_EQ(GetACP(), 936u) << "tests run with LANG=zh_CN.UTF-8";
    const std::string localeBefore = std::setlocale(LC_CTYPE, nullptr);

    CLogSave logger(m_base, FixedTime);
    EXPECT_EQ(logger.GetLogDir(), LogDir());
    logger.WriteLog(kFailedGbk, "Taskwing.txt", true);           // narrow, as callers in the ANSI code page
    logger.WriteLog(L"写日志测试", "Taskwing.txt", true);       // the program's own UTF-16 message
    logger.WriteLog(std::string(), "Taskwing.txt", true);        // empty text
    logger.WriteLog(L"开始按钮左移失败", "Taskwing.txt", true);

    // Same millisecond, so only the order tells them apart.
    EXPECT_EQ(ReadBytes(LogDir() + L"Taskwing.txt"), kStamp + kFailedGbk + "\r\n" + kStamp + kWriteLogGbk + "\r\n" +
                                                         kStamp + "\r\n" + kStamp + kFailedGbk + "\r\n");
    EXPECT_EQ(std::string(std::setlocale(LC_CTYPE, nullptr)), localeBefore);
}

TEST_F(LogTest, RealClockStampsTheLocalTimeOfTheWrite) {
    CLogSaveCloseFile writer(Dir());
    SYSTEMTIME before{};
    SYSTEMTIME after{};
    GetLocalTime(&before);
    writer.WriteText("now", "clock.txt");
    GetLocalTime(&after);

    const std::string bytes = ReadBytes(Dir() + L"clock.txt");
    std::smatch m;
    ASSERT_TRUE(std::regex_match(bytes, m, std::regex(R"(\[(\d{4})-(\d\d)-(\d\d) (\d\d):(\d\d):(\d\d) (\d{3})ms\]   now\r\n)")))
        << bytes;
    SYSTEMTIME stamped{};
    stamped.wYear = static_cast<WORD>(std::stoi(m[1]));
    stamped.wMonth = static_cast<WORD>(std::stoi(m[2]));
    stamped.wDay = static_cast<WORD>(std::stoi(m[3]));
    stamped.wHour = static_cast<WORD>(std::stoi(m[4]));
    stamped.wMinute = static_cast<WORD>(std::stoi(m[5]));
    stamped.wSecond = static_cast<WORD>(std::stoi(m[6]));
    stamped.wMilliseconds = static_cast<WORD>(std::stoi(m[7]));
    const auto ticks = [](const SYSTEMTIME& t) {
        FILETIME f{};
        EXPECT_TRUE(SystemTimeToFileTime(&t, &f));
        return (static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
    };
    EXPECT_LE(ticks(before), ticks(stamped));
    EXPECT_LE(ticks(stamped), ticks(after));
}

TEST_F(LogTest, HexEntryHasTwoDigitsAndASpacePerByte) {
    CLogSaveCloseFile writer(Dir(), FixedTime);
    const unsigned char bytes[] = {0x00, 0x7F, 0x80, 0xFF};
    writer.WriteHex(bytes, 4, "hex.txt");
    writer.WriteHex(bytes, 0, "hex.txt");
    EXPECT_EQ(ReadBytes(Dir() + L"hex.txt"), kStamp + "00 7F 80 FF \r\n" + kStamp + "\r\n");
}

TEST_F(LogTest, CharactersOutsideGbkBecomeTheReplacementCharacter) {
    CLogSave logger(m_base, FixedTime);
    logger.WriteLog(L"a\u0E01b", "Taskwing.txt", true);  // a Thai letter: not in code page 936
    logger.WriteLog(L"c", "Taskwing.txt", true);
    EXPECT_EQ(ReadBytes(LogDir() + L"Taskwing.txt"), kStamp + "a?b\r\n" + kStamp + "c\r\n");
}

// ---- file names ----

TEST_F(LogTest, FileNamesAreAnsiAndSubfoldersAreNeverCreated) {
    CLogSaveCloseFile writer(Dir(), FixedTime);
    writer.WriteText("x", kChineseFileGbk);
    EXPECT_EQ(ReadBytes(Dir() + L"日志.txt"), kStamp + "x\r\n");

    ASSERT_TRUE(CreateDirectoryW((Dir() + L"sub").c_str(), nullptr));
    writer.WriteText("in sub", "sub\\a.txt");
    EXPECT_EQ(ReadBytes(Dir() + L"sub\\a.txt"), kStamp + "in sub\r\n");

    writer.WriteText("dropped", "missing\\a.txt");
    EXPECT_FALSE(Exists(Dir() + L"missing"));
}

// ---- rotation ----

// "rotate" with the fixed clock: 30 + 6 + 2 bytes.
constexpr unsigned long long kEntrySize = 38;
const std::string kRotateEntry = kStamp + "rotate\r\n";

TEST_F(LogTest, ExactlyTheLimitStaysAndTheNextEntryMovesTheFileOverAnOldBackup) {
    ASSERT_EQ(kRotateEntry.size(), kEntrySize);
    const std::wstring log = Dir() + L"Taskwing.txt";
    const std::wstring backup = Dir() + L"Taskwing.txtbak";
    WriteBytes(log, std::string(6020000 - kEntrySize, 'a'));
    WriteBytes(backup, "old backup");
    CLogSaveCloseFile writer(Dir(), FixedTime);

    writer.WriteText("rotate", "Taskwing.txt");
    EXPECT_EQ(SizeOf(log), 6020000u);
    EXPECT_EQ(ReadBytes(backup), "old backup");

    writer.WriteText("rotate", "Taskwing.txt");
    EXPECT_FALSE(Exists(log)) << "absent until the next entry";
    EXPECT_EQ(SizeOf(backup), 6020000u + kEntrySize);
    EXPECT_TRUE(EndsWith(ReadBytes(backup), "a" + kRotateEntry + kRotateEntry));

    writer.WriteText("rotate", "Taskwing.txt");
    EXPECT_EQ(ReadBytes(log), kRotateEntry);
    EXPECT_EQ(SizeOf(backup), 6020000u + kEntrySize);
}

TEST_F(LogTest, OneByteOverTheLimitMovesAtOnceAndAFailedMoveIsRetried) {
    const std::wstring log = Dir() + L"Taskwing.txt";
    const std::wstring backup = Dir() + L"Taskwing.txtbak";
    WriteBytes(log, std::string(6020001 - kEntrySize, 'a'));
    CLogSaveCloseFile writer(Dir(), FixedTime);

    writer.WriteText("rotate", "Taskwing.txt");
    EXPECT_FALSE(Exists(log));
    EXPECT_EQ(SizeOf(backup), 6020001u);
    EXPECT_TRUE(EndsWith(ReadBytes(backup), "a" + kRotateEntry));

    // Someone holds the backup open: the move fails, the log keeps growing, nothing is lost.
    WriteBytes(log, std::string(6020001 - kEntrySize, 'b'));
    {
        taskwing::unique_hfile held(CreateFileW(backup.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        writer.WriteText("rotate", "Taskwing.txt");
        EXPECT_EQ(SizeOf(log), 6020001u);
        EXPECT_EQ(SizeOf(backup), 6020001u);
    }
    writer.WriteText("rotate", "Taskwing.txt");
    EXPECT_FALSE(Exists(log));
    EXPECT_EQ(SizeOf(backup), 6020001u + kEntrySize);
    EXPECT_TRUE(EndsWith(ReadBytes(backup), "b" + kRotateEntry + kRotateEntry));
}

// ---- configuration and folder ----

// One "logCfg.ini" (none for nullopt) and whether it turns the print flag on.
struct ConfigCase {
    const char* label;
    std::optional<std::string> ini;
    bool printOn;
};

TEST_F(LogTest, PrintFlagIsOnExactlyForValuesThatReadAsOne) {
    const std::vector<ConfigCase> cases = {
        {"blanks", "[Log]\r\nprint= 1 \r\n", true},
        {"quoted blanks", "[Log]\r\nprint=\" 1 \"\r\n", true},
        {"tabs", "[Log]\r\nprint=\t1\t\r\n", true},
        {"1abc", "[Log]\r\nprint=1abc\r\n", true},
        {"01", "[Log]\r\nprint=01\r\n", true},
        {"+1", "[Log]\r\nprint=+1\r\n", true},
        {"0", "[Log]\r\nprint=0\r\n", false},
        {"2", "[Log]\r\nprint=2\r\n", false},
        {"-1", "[Log]\r\nprint=-1\r\n", false},
        {"yes", "[Log]\r\nprint=yes\r\n", false},
        {"empty", "[Log]\r\nprint=\r\n", false},
        {"no key", "[Log]\r\nother=1\r\n[Other]\r\nprint=1\r\n", false},
        {"no file", std::nullopt, false},
    };
    int index = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const std::wstring base = m_base + L"\\case" + std::to_wstring(index++);
        ASSERT_TRUE(CreateDirectoryW(base.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryW((base + L"\\ToolLog").c_str(), nullptr));
        if (c.ini) WriteBytes(base + L"\\ToolLog\\logCfg.ini", *c.ini);

        CLogSave logger(base, FixedTime);
        EXPECT_EQ(logger.IsPrintOn(), c.printOn);
        logger.WriteLog("maybe", "Taskwing.txt", false);
        if (c.printOn) {
            EXPECT_EQ(ReadBytes(base + L"\\ToolLog\\Taskwing.txt"), kStamp + "maybe\r\n");
        } else {
            EXPECT_FALSE(Exists(base + L"\\ToolLog\\Taskwing.txt"));
            logger.WriteLog("always", "Taskwing.txt", true);
            EXPECT_EQ(ReadBytes(base + L"\\ToolLog\\Taskwing.txt"), kStamp + "always\r\n");
        }
    }
}

TEST_F(LogTest, OnlyTheLastFolderLevelIsCreated) {
    CLogSave made(m_base, FixedTime);
    EXPECT_TRUE(IsFolder(LogDir()));
    made.WriteLog("x", "Taskwing.txt", true);
    EXPECT_EQ(ReadBytes(LogDir() + L"Taskwing.txt"), kStamp + "x\r\n");

    // An existing folder and its files are kept as they are.
    CLogSave again(m_base, FixedTime);
    again.WriteLog("y", "Taskwing.txt", true);
    EXPECT_EQ(ReadBytes(LogDir() + L"Taskwing.txt"), kStamp + "x\r\n" + kStamp + "y\r\n");

    const std::wstring missing = m_base + L"\\missing";
    CLogSave dropped(missing, FixedTime);
    dropped.WriteLog("lost", "Taskwing.txt", true);
    EXPECT_FALSE(Exists(missing));
}

TEST_F(LogTest, UnresolvedSpecialFolderMeansToolLogInTheCurrentDirectory) {
    wchar_t saved[MAX_PATH] = {};
    ASSERT_GT(GetCurrentDirectoryW(MAX_PATH, saved), 0u);
    ASSERT_TRUE(SetCurrentDirectoryW(m_base.c_str()));
    {
        CLogSave logger(std::nullopt, FixedTime);
        EXPECT_EQ(logger.GetLogDir(), L"ToolLog\\");
        logger.WriteLog("relative", "Taskwing.txt", true);
    }
    SetCurrentDirectoryW(saved);
    EXPECT_EQ(ReadBytes(LogDir() + L"Taskwing.txt"), kStamp + "relative\r\n");
}

// Lets threads start together. Not std::latch: without a futex, MinGW's libstdc++ 12 can miss the
// wake-up of its wait, which hung a run of these tests; an event cannot.
class StartLine {
public:
    void Wait() const { WaitForSingleObject(m_go.get(), INFINITE); }
    void Open() const { SetEvent(m_go.get()); }

private:
    taskwing::unique_handle m_go{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
};

TEST(LogInstance, ThreadsRacingForTheFirstCallGetOneLoggerInTheRealFolder) {
    constexpr int kThreads = 8;
    StartLine start;
    std::vector<CLogSave*> seen(kThreads, nullptr);
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
        threads.emplace_back([&, i] {
            start.Wait();
            seen[i] = CLogSave::GetInstance();
        });
    }
    start.Open();
    for (auto& t : threads) t.join();
    for (CLogSave* p : seen) EXPECT_EQ(p, seen[0]);

    wchar_t appData[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, appData, CSIDL_COMMON_APPDATA, FALSE));
    const std::wstring dir = std::wstring(appData) + L"\\ToolLog\\";
    EXPECT_EQ(seen[0]->GetLogDir(), dir);
    EXPECT_TRUE(IsFolder(dir));

    const std::string name = "instance-test-" + std::to_string(GetCurrentProcessId()) + ".txt";
    const std::wstring path = dir + std::wstring(name.begin(), name.end());
    seen[0]->WriteLog(L"开始按钮左移失败", name, true);
    const std::string bytes = ReadBytes(path);
    DeleteFileW(path.c_str());
    EXPECT_TRUE(EndsWith(bytes, "ms]   " + kFailedGbk + "\r\n")) << bytes;
}

// ---- concurrency and foreign handles ----

// Checks that every line is a whole entry "<tag> <thread> <n> " + filler and that each writer's
// entries are all there, in order. Returns the count of lines.
size_t ExpectWholeLines(const std::string& bytes, const std::string& filler, int writers, int perWriter) {
    const std::regex shape(R"(\[\d{4}-\d\d-\d\d \d\d:\d\d:\d\d \d{3}ms\]   (\w+ \d+) (\d+) (.*))");
    const std::vector<std::string> lines = Lines(bytes);
    std::map<std::string, int> next;
    int broken = 0;
    std::string previousStamp;
    bool stampsInOrder = true;
    for (const std::string& line : lines) {
        std::smatch m;
        if (!std::regex_match(line, m, shape) || m[3] != filler) {
            if (++broken <= 3) ADD_FAILURE() << "broken line: " << line.substr(0, 120);
            continue;
        }
        int& expected = next[m[1]];
        EXPECT_EQ(std::stoi(m[2]), expected) << m[1];
        expected = std::stoi(m[2]) + 1;
        const std::string stamp = line.substr(0, 27);
        if (stamp < previousStamp) stampsInOrder = false;
        previousStamp = stamp;
    }
    EXPECT_EQ(broken, 0);
    EXPECT_EQ(next.size(), static_cast<size_t>(writers));
    for (const auto& [writer, count] : next) EXPECT_EQ(count, perWriter) << writer;
    EXPECT_TRUE(stampsInOrder) << "stamps are taken under the lock";
    return lines.size();
}

TEST_F(LogTest, FourThreadsWriteTwoThousandWholeLines) {
    CLogSaveCloseFile writer(Dir());
    StartLine start;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            start.Wait();
            for (int n = 0; n < 500; ++n) writer.WriteText("T " + std::to_string(t) + " " + std::to_string(n) + " " + kFailedGbk, "threads.txt");
        });
    }
    start.Open();
    for (auto& t : threads) t.join();
    const std::string bytes = ReadBytes(Dir() + L"threads.txt");
    EXPECT_EQ(ExpectWholeLines(bytes, kFailedGbk, 4, 500), 2000u);
}

TEST_F(LogTest, TwoProcessesAppendingAtOnceKeepEveryLineWhole) {
    constexpr int kPerProcess = 1500;
    constexpr int kFiller = 300;
    const std::wstring sync = L"Local\\nt-log-" + std::to_wstring(GetCurrentProcessId());
    taskwing::unique_handle ready(CreateSemaphoreW(nullptr, 0, 2, (sync + L"-ready").c_str()));
    taskwing::unique_handle go(CreateEventW(nullptr, TRUE, FALSE, (sync + L"-go").c_str()));
    ASSERT_TRUE(ready && go);

    const std::wstring helper = taskwing::test::SiblingPath(L"nt_log_writer.exe");
    std::vector<taskwing::unique_handle> processes;
    for (const wchar_t* tag : {L"A", L"B"}) {
        std::wstring command = L"\"" + helper + L"\" \"" + Dir() + L"\\\" procs.txt " + tag + L" " +
                               std::to_wstring(kPerProcess) + L" 1 " + std::to_wstring(kFiller) + L" " + sync;
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi{};
        ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            << Narrow(command);
        CloseHandle(pi.hThread);
        processes.emplace_back(pi.hProcess);
    }
    for (int i = 0; i < 2; ++i) ASSERT_EQ(WaitForSingleObject(ready.get(), 60000), WAIT_OBJECT_0);
    SetEvent(go.get());
    for (auto& p : processes) {
        ASSERT_EQ(WaitForSingleObject(p.get(), 120000), WAIT_OBJECT_0);
        DWORD code = 99;
        GetExitCodeProcess(p.get(), &code);
        EXPECT_EQ(code, 0u);
    }

    const std::string bytes = ReadBytes(Dir() + L"procs.txt");
    EXPECT_EQ(ExpectWholeLines(bytes, std::string(kFiller, 'x'), 2, kPerProcess), 2u * kPerProcess);
    // Not a requirement, but without it the test has shown nothing.
    int switches = 0;
    const std::vector<std::string> lines = Lines(bytes);
    for (size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].size() > 30 && lines[i - 1].size() > 30 && lines[i][30] != lines[i - 1][30]) ++switches;
    }
    EXPECT_GT(switches, 0) << "the two processes did not overlap";
}

TEST_F(LogTest, FileHeldExclusivelyDropsTheEntryAndReleasesTheLock) {
    const std::wstring log = Dir() + L"Taskwing.txt";
    auto writer = std::make_shared<CLogSaveCloseFile>(Dir(), FixedTime);
    {
        taskwing::unique_hfile held(CreateFileW(log.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
        ASSERT_TRUE(held);
        writer->WriteText("dropped", "Taskwing.txt");
    }
    EXPECT_EQ(ReadBytes(log), "");

    // From another thread: a lock left held by the failed write would block it (the lock is
    // re-entrant, so the same thread would not notice).
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::thread other([writer, done] {
        writer->WriteText("after", "Taskwing.txt");
        *done = true;
    });
    for (int i = 0; i < 200 && !*done; ++i) Sleep(50);
    if (!*done) {
        other.detach();
        FAIL() << "the writer's lock was not released after the dropped entry";
    }
    other.join();
    EXPECT_EQ(ReadBytes(log), kStamp + "after\r\n");
}

}  // namespace
