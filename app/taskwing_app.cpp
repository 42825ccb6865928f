// The application object: GDI+ for the whole run, and the main window's modal run.
#include "app/taskwing_app.h"

#include "app/main_shell.h"
#include "base/gdiplus_session.h"

BOOL CNorvaneTaskwingApp::InitInstance() {
    ScopedGdiPlus gdiplus;  // until the main window has closed

    {
        // The whole run: the shell scales itself, and its content window runs the start-up gates.
        const std::unique_ptr<CNorvaneTaskwingDlg> dlg = NewMainWindow();
        m_pMainWnd = dlg.get();
        dlg->DoModal();
        m_pMainWnd = nullptr;
    }
    // A dialog-based program ends when its main window does.
    return FALSE;
}

std::unique_ptr<CNorvaneTaskwingDlg> CNorvaneTaskwingApp::NewMainWindow() {
    return std::make_unique<CNorvaneTaskwingDlg>();
}
