#pragma once
// Where this elevated process looks for DLLs that are loaded by name.

namespace taskwing {

// From now on, a DLL loaded by name comes from the system folder only: a DLL of the same name
// planted beside the tool (in a downloads folder, say) is never loaded. DLLs loaded by their full
// path (the feedback library) are not affected. Call first, before anything loads a library.
void RestrictDllSearchToSystemFolder();

}  // namespace taskwing
