// The alignment worker for real: TaskbarAl written and read back, its messages in order, its log lines.
#include "ops/align_worker.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "base/handles.h"
#include "ops/align_messages.h"
#include "system/command_runner.h"
#include "tests/wine/test_support.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr wchar_t kAdvancedKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";

// A window on the test's thread that records what the worker sends it.
class Receiver {
public:
    struct Seen {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    Receiver() {
        static const ATOM atom = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = &Receiver::Proc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"TaskwingTestReceiver";
            return RegisterClassW(&wc);
        }();
        m_hwnd = CreateWindowExW(0, MAKEINTATOM(atom), L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleW(nullptr), this);
    }
    ~Receiver() { DestroyWindow(m_hwnd); }
    Receiver(const Receiver&) = delete;
    Receiver& operator=(const Receiver&) = delete;

    HWND hwnd() const { return m_hwnd; }
    std::vector<Seen> seen;
    std::function<void()> onResult;  // runs inside the WM_ALIGN_RESULT handler
    Clock::time_point resultAt;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_NCCREATE) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
        }
        auto* self = reinterpret_cast<Receiver*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self != nullptr && (msg == WM_CLOSE_PROGRESS || msg == WM_ALIGN_RESULT)) {
            self->seen.push_back({msg, wp, lp});
            if (msg == WM_ALIGN_RESULT) {
                self->resultAt = Clock::now();
                if (self->onResult) self->onResult();
            }
            return 1;
        }
        return DefWindowProcW(hwnd, msg, wp, lp);
    }

    HWND m_hwnd = nullptr;
};

// Runs body on its own thread while this thread handles the messages it sends.
int RunAndPump(const std::function<int()>& body) {
    std::atomic<bool> done{false};
    int result = -1;
    struct Job {
        const std::function<int()>* body;
        int* result;
        std::atomic<bool>* done;
    } job{&body, &result, &done};
    struct Entry {
        static DWORD WINAPI Run(LPVOID p) {
            auto* j = static_cast<Job*>(p);
            *j->result = (*j->body)();
            j->done->store(true);
            return 0;
        }
    };
    HANDLE thread = CreateThread(nullptr, 0, &Entry::Run, &job, 0, nullptr);
    while (WaitForSingleObject(thread, 0) != WAIT_OBJECT_0) {
        MsgWaitForMultipleObjects(1, &thread, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    CloseHandle(thread);
    return result;
}

// Pumps messages until the receiver has seen the result, or the time is up.
bool PumpUntilResult(Receiver& receiver, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        if (std::any_of(receiver.seen.begin(), receiver.seen.end(),
                        [](const Receiver::Seen& s) { return s.message == WM_ALIGN_RESULT; }))
            return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return false;
}

DWORD ReadTaskbarAl() {
    DWORD value = 0xFFFFFFFF;
    DWORD size = sizeof(value);
    RegGetValueW(HKEY_CURRENT_USER, kAdvancedKey, L"TaskbarAl", RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

std::wstring LogFilePath() {
    wchar_t folder[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, folder, CSIDL_COMMON_APPDATA, FALSE);
    return std::wstring(folder) + L"\\ToolLog\\Taskwing.txt";
}

std::string ReadAll(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// What the log gained while the watcher lived (the log only grows, short of a rotation).
class LogWatcher {
public:
    LogWatcher() : m_before(ReadAll(LogFilePath()).size()) {}
    std::string Added() const {
        const std::string now = ReadAll(LogFilePath());
        return now.size() >= m_before ? now.substr(m_before) : now;
    }
    // The last entry written since, given by its text's GBK bytes and line end.
    bool EndsWith(const std::string& tail) const {
        const std::string added = Added();
        return added.size() >= tail.size() && added.compare(added.size() - tail.size(), tail.size(), tail) == 0;
    }

private:
    size_t m_before;
};

void WriteTaskbarAl(DWORD value, const wchar_t* key = kAdvancedKey, HKEY hive = HKEY_CURRENT_USER) {
    RegSetKeyValueW(hive, key, L"TaskbarAl", REG_DWORD, &value, sizeof(value));
}

// A log line as the file holds it: its text in code page 936 and the line end.
std::string GbkLine(const std::wstring& text) { return taskwing::test::ToCodePage(text, 936) + "\r\n"; }

// A command that prints `text` and, as `reg` would, writes TaskbarAl when given a value.
CAlignWorker::CommandRunner Prints(std::wstring text, int result = 1, std::wstring* command = nullptr,
                                   std::optional<DWORD> writes = std::nullopt, DWORD code = 0) {
    return [=](std::wstring cmd, std::wstring& output, DWORD& exitCode) {
        if (command != nullptr) *command = cmd;
        if (writes) WriteTaskbarAl(*writes);
        output += text;
        exitCode = code;
        return result;
    };
}

TEST(AlignWorker, ALaunchedThreadNeedsNothingOfTheWorkerObject) {
    // The window that owns the worker may go while the command runs (a close from outside, an
    // exit); its memory may then hold anything.
    Receiver receiver;
    taskwing::unique_handle running(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    taskwing::unique_handle release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    HANDLE runningEvent = running.get();
    HANDLE releaseEvent = release.get();
    alignas(CAlignWorker) unsigned char storage[sizeof(CAlignWorker)];
    WriteTaskbarAl(0);
    auto* worker = new (storage) CAlignWorker([runningEvent, releaseEvent](std::wstring, std::wstring& output, DWORD&) {
        SetEvent(runningEvent);
        WaitForSingleObject(releaseEvent, 10000);
        output = L"reg: 操作成功完成";
        return 1;
    });
    worker->SetReceiver(receiver.hwnd());
    ASSERT_TRUE(worker->LaunchMoveLeft());
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(runningEvent, 10000));
    worker->~CAlignWorker();
    std::memset(storage, 0xFF, sizeof(storage));
    SetEvent(releaseEvent);

    ASSERT_TRUE(PumpUntilResult(receiver, 10000));
    ASSERT_EQ(2u, receiver.seen.size());
    EXPECT_EQ(WM_CLOSE_PROGRESS, receiver.seen[0].message);
    EXPECT_EQ(static_cast<WPARAM>(1), receiver.seen[1].wParam);
}

}  // namespace

TEST(AlignWorker, MovesTheStartButtonForRealAndReportsInOrder) {
    std::vector<double> launchToResultMs;
    const int runs[] = {0, 1, 0};
    for (int wanted : runs) {
        Receiver receiver;
        CAlignWorker worker;
        ASSERT_TRUE(worker.SetReceiver(receiver.hwnd()));
        const auto start = Clock::now();
        ASSERT_TRUE(wanted == 0 ? worker.LaunchMoveLeft() : worker.LaunchCentre());
        ASSERT_TRUE(PumpUntilResult(receiver, 30000));
        launchToResultMs.push_back(std::chrono::duration<double, std::milli>(receiver.resultAt - start).count());

        ASSERT_EQ(receiver.seen.size(), 2u);
        EXPECT_EQ(receiver.seen[0].message, WM_CLOSE_PROGRESS);
        EXPECT_EQ(receiver.seen[0].wParam, 0u);
        EXPECT_EQ(receiver.seen[0].lParam, 0);
        EXPECT_EQ(receiver.seen[1].message, WM_ALIGN_RESULT);
        EXPECT_EQ(receiver.seen[1].wParam, wanted == 0 ? 1u : 3u);
        EXPECT_EQ(receiver.seen[1].lParam, 0);
        EXPECT_EQ(ReadTaskbarAl(), static_cast<DWORD>(wanted));
    }
    std::sort(launchToResultMs.begin(), launchToResultMs.end());
    std::printf("launch to WM_ALIGN_RESULT: median %.0f ms (of %zu runs)\n", launchToResultMs[1], launchToResultMs.size());
}

TEST(AlignWorker, LogsAFailureOnlyAfterTheResultPromptIsDismissed) {
    Receiver receiver;
    // The text of success, but the value stays as it was: a failure.
    WriteTaskbarAl(1);
    CAlignWorker worker(Prints(L"reg: 操作成功完成\r\n"));
    ASSERT_TRUE(worker.SetReceiver(receiver.hwnd()));
    LogWatcher log;
    std::string duringResult = "not called";
    receiver.onResult = [&] {
        Sleep(200);  // a user reading the prompt
        duringResult = log.Added();
    };
    EXPECT_EQ(RunAndPump([&] { return worker.DoMoveLeft(); }), 0);
    EXPECT_EQ(duringResult, "");
    ASSERT_EQ(receiver.seen.size(), 2u);
    EXPECT_EQ(receiver.seen[1].wParam, 2u);
    EXPECT_TRUE(log.EndsWith(GbkLine(L"开始按钮左移失败 | 退出码 0 | TaskbarAl 1 | 输出 reg: 操作成功完成"))) << log.Added();
}

TEST(AlignWorker, JudgesSuccessByTheValueReadBackNotByTheText) {
    struct Case {
        std::wstring output;
        int ran;
        bool writes;   // the command sets the value asked for; otherwise the opposite stays
        bool success;
    } cases[] = {
        {L"reg: 操作成功完成\r\n", 1, true, true},
        {L"The operation completed successfully.\r\n", 1, true, true},  // another language
        {L"", 1, true, true},
        {L"reg: 操作成功完成\r\n", 1, false, false},  // the text, but nothing changed
        {L"错误: 拒绝访问。\r\n", 1, false, false},
        {L"操作成功完成", 0, false, false},
    };
    for (const Case& c : cases) {
        for (bool left : {true, false}) {
            const DWORD asked = left ? 0 : 1;
            WriteTaskbarAl(1 - asked);
            Receiver receiver;
            CAlignWorker worker(Prints(c.output, c.ran, nullptr, c.writes ? std::optional<DWORD>(asked) : std::nullopt));
            worker.SetReceiver(receiver.hwnd());
            LogWatcher log;
            const int result = RunAndPump([&] { return left ? worker.DoMoveLeft() : worker.DoCentre(); });
            const WPARAM expected = (left ? 1u : 3u) + (c.success ? 0u : 1u);
            EXPECT_EQ(result, c.success ? 1 : 0) << taskwing::test::Narrow(c.output);
            ASSERT_EQ(receiver.seen.size(), 2u);
            EXPECT_EQ(receiver.seen[0].message, WM_CLOSE_PROGRESS);
            EXPECT_EQ(receiver.seen[1].wParam, expected) << taskwing::test::Narrow(c.output);
            EXPECT_EQ(log.Added().empty(), c.success) << taskwing::test::Narrow(c.output);
        }
    }
}

TEST(AlignWorker, RunnerThatCannotStartLogsTheRunFailure) {
    Receiver receiver;
    // Even with the value already as asked: nothing ran.
    WriteTaskbarAl(1);
    CAlignWorker worker(Prints(L"", 0, nullptr, std::nullopt, ERROR_FILE_NOT_FOUND));
    worker.SetReceiver(receiver.hwnd());
    LogWatcher log;
    EXPECT_EQ(RunAndPump([&] { return worker.DoCentre(); }), 0);
    ASSERT_EQ(receiver.seen.size(), 2u);
    EXPECT_EQ(receiver.seen[1].wParam, 4u);
    EXPECT_TRUE(log.EndsWith(GbkLine(L"执行开始按钮居中命令失败 | 未能启动，错误 2 | TaskbarAl 1 | 输出 无"))) << log.Added();
}

TEST(AlignWorker, SendsTheExactRegistryCommand) {
    std::wstring left, centre;
    Receiver receiver;
    CAlignWorker leftWorker(Prints(L"操作成功完成", 1, &left));
    CAlignWorker centreWorker(Prints(L"操作成功完成", 1, &centre));
    leftWorker.SetReceiver(receiver.hwnd());
    centreWorker.SetReceiver(receiver.hwnd());
    RunAndPump([&] { return leftWorker.DoMoveLeft() + centreWorker.DoCentre(); });
    EXPECT_EQ(left,
              L"reg add \"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\" "
              L"/v \"TaskbarAl\" /d 0 /t REG_DWORD /f");
    EXPECT_EQ(centre,
              L"reg add \"HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced\" "
              L"/v \"TaskbarAl\" /d 1 /t REG_DWORD /f");
}

TEST(AlignWorker, ReceiverMustBeAWindow) {
    CAlignWorker worker;
    EXPECT_FALSE(worker.SetReceiver(nullptr));
    EXPECT_EQ(worker.m_hReceiver, nullptr);
    Receiver receiver;
    EXPECT_TRUE(worker.SetReceiver(receiver.hwnd()));
    EXPECT_EQ(worker.m_hReceiver, receiver.hwnd());
}

TEST(AlignWorker, ThreadsEndWithExitCodeOneWhateverTheOutcome) {
    for (int ran : {1, 0}) {
        HANDLE kept = nullptr;
        Receiver receiver;
        CAlignWorker worker(Prints(L"操作成功完成", ran), [&](LPTHREAD_START_ROUTINE entry, void* parameter) {
            HANDLE h = CreateThread(nullptr, 0, entry, parameter, 0, nullptr);
            DuplicateHandle(GetCurrentProcess(), h, GetCurrentProcess(), &kept, 0, FALSE, DUPLICATE_SAME_ACCESS);
            return h;
        });
        worker.SetReceiver(receiver.hwnd());
        ASSERT_TRUE(worker.LaunchCentre());
        ASSERT_TRUE(PumpUntilResult(receiver, 10000));
        ASSERT_EQ(WaitForSingleObject(kept, 10000), WAIT_OBJECT_0);
        DWORD code = 0;
        GetExitCodeThread(kept, &code);
        EXPECT_EQ(code, 1u);
        CloseHandle(kept);
    }
}

TEST(AlignWorker, LaunchWithoutAThreadLogsAndChangesNothing) {
    bool ran = false;
    CAlignWorker worker([&](std::wstring, std::wstring&, DWORD&) { ran = true; return 1; },
                        [](LPTHREAD_START_ROUTINE, void*) -> HANDLE {
                            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
                            return nullptr;
                        });
    LogWatcher log;
    EXPECT_FALSE(worker.LaunchMoveLeft());
    EXPECT_FALSE(ran);
    // 创建Windows11开始按钮左移线程失败
    const std::string line = "\xB4\xB4\xBD\xA8Windows11\xBF\xAA\xCA\xBC\xB0\xB4\xC5\xA5\xD7\xF3\xD2\xC6\xCF\xDF\xB3\xCC\xCA\xA7\xB0\xDC\r\n";
    EXPECT_TRUE(log.EndsWith(line)) << log.Added();
}

TEST(AlignWorker, WritesTheShellUsersOwnHiveWhenTheShellBelongsToAnotherUser) {
    // An elevated administrator's process on a standard user's desktop, as the seam names it.
    const std::wstring other = L"S-1-5-21-3623811015-3361044348-30300820-1013";
    const std::wstring otherKey = other + L"\\" + kAdvancedKey;
    WriteTaskbarAl(1);
    WriteTaskbarAl(1, otherKey.c_str(), HKEY_USERS);
    Receiver receiver;
    CAlignWorker worker(static_cast<int (*)(std::wstring, std::wstring&, DWORD&)>(&ExecuteCommand), {},
                        [&] { return other; });
    worker.SetReceiver(receiver.hwnd());
    EXPECT_EQ(RunAndPump([&] { return worker.DoMoveLeft(); }), 1);
    EXPECT_EQ(taskwing::ReadTaskbarAl(L"HKEY_USERS\\" + otherKey), std::optional<DWORD>(0));
    EXPECT_EQ(ReadTaskbarAl(), 1u);  // this process's own user keeps its value
    RegDeleteTreeW(HKEY_USERS, other.c_str());
}
