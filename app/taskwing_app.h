#pragma once
// The application object: the whole run is the main window's modal run inside InitInstance.
#include "framework/app.h"

class CNorvaneTaskwingApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
