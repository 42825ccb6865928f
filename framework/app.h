#pragma once
// The application object: one per program, started from wWinMain. A dialog-based program does its
// whole run inside InitInstance and returns FALSE, which ends the program.
#include <windows.h>

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // wWinMain's body: InitInstance, a message loop only if it returned TRUE, then ExitInstance.
    int Run(HINSTANCE instance);

    virtual BOOL InitInstance() { return FALSE; }
    // The program's exit code.
    virtual int ExitInstance() { return m_nExitCode; }

    HINSTANCE m_hInstance = nullptr;
    // The window that modal dialogs without a parent are owned by.
    CWnd* m_pMainWnd = nullptr;

protected:
    int m_nExitCode = 0;
};

// The one application object, or null before it is constructed.
CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// The module whose dialog templates and images are used: the executable unless set otherwise.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE module);
