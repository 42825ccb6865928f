#include <windows.h>

#include "app/dll_search.h"
#include "app/taskwing_app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // Before any library is loaded by name: this process runs elevated.
    taskwing::RestrictDllSearchToSystemFolder();
    CNorvaneTaskwingApp app;
    return app.Run(instance);
}
