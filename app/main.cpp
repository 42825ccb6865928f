#include <windows.h>

#include "app/taskwing_app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // Before any library is loaded: later loads search the system folder only, so a DLL planted
    // beside the tool (in a downloads folder, say) never runs in this elevated process. The
    // feedback library is loaded by its full path.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    CNorvaneTaskwingApp app;
    return app.Run(instance);
}
