// Runs the binding from the folder it was copied to, for the load cases that need a folder of
// their own. "load": exit 1 when Load succeeded; 0 when it failed and left nothing behind; 2 when
// it failed but left the library in the process or the binding half set. "version <v>": Load, then
// exit with GetToolIsNewVersion("10132", v), or 100 when Load failed.
#include <windows.h>

#include <cwchar>

#include "feedback/feedback_dll.h"

int wmain(int argc, wchar_t** argv) {
    CFeedbackDll dll;
    if (argc >= 3 && std::wcscmp(argv[1], L"version") == 0) {
        if (!dll.Load()) return 100;
        return dll.GetToolIsNewVersion(L"10132", argv[2]);
    }
    if (dll.Load()) return 1;
    taskwing::feedback::FeedbackTexts texts;
    const bool inert = dll.InitFreedbackDll(texts) == 0 && dll.GetToolIsNewVersion(L"10132", L"1.0") == 0 &&
                       dll.OpenUrl(L"https://a.example/") == 0 && dll.OpenUseAgreementUrl() == 0;
    const bool clean = !dll.IsLoaded() && GetModuleHandleW(taskwing::feedback::kLibraryName) == nullptr;
    return inert && clean ? 0 : 2;
}
