#pragma once
// The application object: the whole run is the main window's modal run inside InitInstance.
#include <memory>

#include "framework/app.h"

class CNorvaneTaskwingDlg;

class CNorvaneTaskwingApp : public CWinApp {
public:
    BOOL InitInstance() override;

protected:
    // The main window's shell; a test host may make one of its own.
    virtual std::unique_ptr<CNorvaneTaskwingDlg> NewMainWindow();
};
