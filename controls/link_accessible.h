#pragma once
// What a screen reader meets in a link drawn as a static text: the system's own object for the
// window (its place, focus, parent and the rest), with the role of a link, the window text as its
// name and a default action that opens the link as Space does.
#include <windows.h>

namespace taskwing {

// The answer to the link's WM_GETOBJECT for OBJID_CLIENT; its default action posts
// `activateMessage` to the link. 0 when it cannot be made: the default handling answers then.
LRESULT LinkAccessibleResult(HWND link, WPARAM wParam, UINT activateMessage);

}  // namespace taskwing
