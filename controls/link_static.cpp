// A drawn link that the keyboard reaches: Space and Enter open it as a click does.
#include "controls/link_static.h"

#include "controls/link_accessible.h"

namespace {

// Posted by the accessibility object's default action.
constexpr UINT kActivateLink = WM_APP + 0x3A2;

bool IsFirstPress(LPARAM keyData) { return (keyData & (1 << 30)) == 0; }

}  // namespace

LRESULT CLinkStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        return OnGetDlgCode(reinterpret_cast<const MSG*>(lParam));
    case WM_KEYDOWN:
        // Enter opens at once, once per press; held down, it does not open the page again and again.
        if (wParam == VK_RETURN && IsFirstPress(lParam)) Activate();
        return Default();
    case WM_KEYUP:
        // Space on its release, as a button.
        if (wParam == VK_SPACE) Activate();
        return Default();
    case kActivateLink:
        Activate();
        return 0;
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
            if (const LRESULT object = taskwing::LinkAccessibleResult(m_hWnd, wParam, kActivateLink)) return object;
        }
        return Default();
    default:
        return CDrawTextStatic::WindowProc(message, wParam, lParam);
    }
}

LRESULT CLinkStatic::OnGetDlgCode(const MSG* message) {
    const LRESULT code = Default();
    // Enter comes to the link itself: the dialog would make it its default button's.
    if (message != nullptr && message->message == WM_KEYDOWN && message->wParam == VK_RETURN)
        return code | DLGC_WANTMESSAGE;
    return code;
}

void CLinkStatic::Activate() {
    HWND parent = GetParent();
    if (parent != nullptr)
        ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(m_hWnd), STN_CLICKED),
                       reinterpret_cast<LPARAM>(m_hWnd));
}
