#include <windows.h>

#include "app/taskwing_app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    CNorvaneTaskwingApp app;
    return app.Run(instance);
}
