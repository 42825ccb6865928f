// The application object's run: the resource module, then InitInstance.
#include "framework/app.h"

#include "framework/wnd.h"

namespace {
CWinApp* g_app = nullptr;
HINSTANCE g_resources = nullptr;
}  // namespace

CWinApp::CWinApp() {
    if (g_app == nullptr) g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

int CWinApp::Run(HINSTANCE instance) {
    m_hInstance = instance;
    if (InitInstance()) {
        MSG msg{};
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (PreTranslateThroughOwners(&msg, nullptr)) continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (msg.message == WM_QUIT) m_nExitCode = static_cast<int>(msg.wParam);
    }
    return ExitInstance();
}

CWinApp* AfxGetApp() { return g_app; }

CWnd* AfxGetMainWnd() { return g_app != nullptr ? g_app->m_pMainWnd : nullptr; }

HINSTANCE AfxGetResourceHandle() {
    return g_resources != nullptr ? g_resources : ::GetModuleHandleW(nullptr);
}

void AfxSetResourceHandle(HINSTANCE module) { g_resources = module; }
