// Stands in for the tool at its close: starts the removal of its own files and ends, after the
// number of milliseconds given on its command line, if any (to show that the removal waits).
#include <windows.h>

#include <cstdlib>

#include "ops/self_removal.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    taskwing::StartSelfRemoval();
    const long stayMs = std::strtol(commandLine, nullptr, 10);
    if (stayMs > 0) Sleep(static_cast<DWORD>(stayMs));
    return 0;
}
