// The program's entry: the DLL search restricted, then the application object's run.
#include <windows.h>

#include <cstdlib>

#include "app/taskwing_app.h"
#include "system/dll_search.h"

#if defined(__GLIBCXX__)
// The GNU runtime's own handler prints the uncaught exception's demangled name to a console this
// program does not have, and brings the whole demangler (about 60 KB) into it. Ending is the same.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // Before any library is loaded by name: this process runs elevated.
    taskwing::RestrictDllSearchToSystemFolder();
    CNorvaneTaskwingApp app;
    return app.Run(instance);
}
