// The real main window pair with the device type named on the command line instead of found on
// a USB drive, so that end-to-end tests can see what each type decides (the update notice, "更多工具")
// without a service client's drive.
//   device_type_host <device type>
// The run is the tool's own: the same wWinMain and InitInstance steps, the same pair.
#include <windows.h>

#include <shellapi.h>

#include <cwchar>
#include <memory>

#include "app/main_content.h"
#include "app/main_shell.h"
#include "app/taskwing_app.h"
#include "system/dll_search.h"

namespace {

int g_deviceType = 0;

class CNamedTypeContent : public CTaskwingDlg {
protected:
    void DetectDeviceType() override { m_nDeviceType = g_deviceType; }
};

class CNamedTypeShell : public CNorvaneTaskwingDlg {
protected:
    std::unique_ptr<CTaskwingDlg> NewContent() override { return std::make_unique<CNamedTypeContent>(); }
};

// The tool's own application object, with the shell above.
class CHostApp : public CNorvaneTaskwingApp {
protected:
    std::unique_ptr<CNorvaneTaskwingDlg> NewMainWindow() override { return std::make_unique<CNamedTypeShell>(); }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    taskwing::RestrictDllSearchToSystemFolder();
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argv == nullptr || argc != 2) return 2;
    wchar_t* end = nullptr;
    g_deviceType = static_cast<int>(std::wcstol(argv[1], &end, 10));
    const bool number = end != argv[1] && *end == L'\0';
    ::LocalFree(argv);
    if (!number) return 2;
    CHostApp app;
    return app.Run(instance);
}
