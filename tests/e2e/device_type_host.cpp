// The real main window pair with the device type named on the command line instead of found on
// a USB drive, so that end-to-end tests can see what each type decides (the update notice, "更多工具")
// without a service client's drive.
//   device_type_host <device type>
// The run is the tool's own: the same wWinMain and InitInstance steps, the same pair.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cwchar>
#include <memory>

#include "app/main_dlg.h"
#include "base/gdiplus_session.h"
#include "framework/app.h"

namespace {

int g_deviceType = 0;

class CNamedTypeContent : public CTaskwingDlg {
protected:
    void DetectDeviceType() override { m_nDeviceType = g_deviceType; }
};

class CNamedTypeShell : public CNorvaneTaskwingDlg {
protected:
    std::unique_ptr<CPairChildDlg> NewChild() override { return std::make_unique<CNamedTypeContent>(); }
};

// CNorvaneTaskwingApp::InitInstance with the shell above.
class CHostApp : public CWinApp {
public:
    BOOL InitInstance() override {
        ScopedGdiPlus gdiplus;
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        {
            CNamedTypeShell dlg;
            m_pMainWnd = &dlg;
            dlg.DoModal();
            m_pMainWnd = nullptr;
        }
        return FALSE;
    }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
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
