// Where the elevated process looks for DLLs it loads by name: the system folder only.
#include "system/dll_search.h"

#include <windows.h>

namespace taskwing {

void RestrictDllSearchToSystemFolder() {
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // The current folder is no search place either (for whatever loads with its own flags).
    ::SetDllDirectoryW(L"");
}

}  // namespace taskwing
