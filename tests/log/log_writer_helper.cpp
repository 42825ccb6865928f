// Test and benchmark helper: appends entries through the real writer.
//   nt_log_writer <folder\> <file> <tag> <count> <threads> <filler length> <sync name | ->
// Each thread writes count entries "<tag> <thread> <n> " followed by that many x, and the
// program prints the rate it sustained. With a sync name, it releases the semaphore
// "<name>-ready" once and waits for the event "<name>-go", so that two helpers start together.
#include <windows.h>

#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "base/handles.h"
#include "log/log_save_close_file.h"

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc != 8) return 2;  // argv lives until the process ends
    const std::wstring folder = argv[1];
    // File name and tag are ASCII by the tests' choice.
    const auto ascii = [](const wchar_t* p) {
        std::string s;
        for (; *p; ++p) s += static_cast<char>(*p);
        return s;
    };
    const std::string file = ascii(argv[2]);
    const std::string tag = ascii(argv[3]);
    const int count = _wtoi(argv[4]);
    const int threads = _wtoi(argv[5]);
    const std::string filler(static_cast<size_t>(_wtoi(argv[6])), 'x');
    if (count <= 0 || threads <= 0) return 2;

    const std::wstring sync = argv[7];
    if (sync != L"-") {
        taskwing::unique_handle ready(OpenSemaphoreW(SEMAPHORE_MODIFY_STATE, FALSE, (sync + L"-ready").c_str()));
        taskwing::unique_handle go(OpenEventW(SYNCHRONIZE, FALSE, (sync + L"-go").c_str()));
        if (!ready || !go) return 3;
        ReleaseSemaphore(ready.get(), 1, nullptr);
        if (WaitForSingleObject(go.get(), 60000) != WAIT_OBJECT_0) return 4;
    }

    CLogSaveCloseFile writer(folder);
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&, t] {
            for (int n = 0; n < count; ++n) {
                writer.WriteText(tag + " " + std::to_string(t) + " " + std::to_string(n) + " " + filler, file);
            }
        });
    }
    for (auto& w : workers) w.join();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const int total = count * threads;
    std::printf("entries=%d threads=%d seconds=%.3f rate=%.0f/s\n", total, threads, seconds, total / seconds);
    return 0;
}
