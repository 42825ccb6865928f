// CWnd: binding an object to its window and passing unhandled messages on.
#include "framework/wnd.h"

#include <utility>

CWnd::~CWnd() {
    if (m_hWnd == nullptr) return;
    HWND hwnd = UnsubclassWindow();
    if (m_bOwnsWindow && ::IsWindow(hwnd)) ::DestroyWindow(hwnd);
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
    if (m_hWnd != nullptr || !::IsWindow(hwnd) || FromHandlePermanent(hwnd) != nullptr) return FALSE;
    // The object goes in first: the first message through our procedure must find it.
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_hWnd = hwnd;
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWindowProc)));
    if (m_pfnSuper == nullptr) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        m_hWnd = nullptr;
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    if (parent == nullptr || parent->m_hWnd == nullptr) return FALSE;
    return SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow() {
    HWND hwnd = std::exchange(m_hWnd, nullptr);
    if (hwnd == nullptr) return nullptr;
    // Someone who subclassed after us keeps their procedure; we only step out of the way.
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == &CWnd::StaticWindowProc)
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    m_pfnSuper = nullptr;
    return hwnd;
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    if (hwnd == nullptr) return nullptr;
    // Another instance of this program has the same procedure address; its user data is not ours.
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    if (process != ::GetCurrentProcessId()) return nullptr;
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) != &CWnd::StaticWindowProc)
        return nullptr;
    return reinterpret_cast<CWnd*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

void CWnd::DrawItem(DRAWITEMSTRUCT*) {}

RECT CWnd::GetWindowRect() const {
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    return rect;
}

RECT CWnd::GetClientRect() const {
    RECT rect{};
    ::GetClientRect(m_hWnd, &rect);
    return rect;
}

std::wstring CWnd::GetWindowText() const {
    const int length = ::GetWindowTextLengthW(m_hWnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(m_hWnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == nullptr) return FALSE;
    return ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        // Reflected to the control object, as owner-drawn controls expect.
        auto* drawItem = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (drawItem != nullptr && drawItem->CtlType != ODT_MENU) {
            if (CWnd* control = FromHandlePermanent(drawItem->hwndItem)) {
                control->DrawItem(drawItem);
                return TRUE;
            }
        }
    }
    return Default();
}

LRESULT CWnd::Default() {
    if (m_pCurrentMsg == nullptr) return 0;
    const MSG& msg = *m_pCurrentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper == nullptr) return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
    return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CWnd*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr || self->m_hWnd != hwnd) return ::DefWindowProcW(hwnd, message, wParam, lParam);

    MSG current{};
    current.hwnd = hwnd;
    current.message = message;
    current.wParam = wParam;
    current.lParam = lParam;
    const MSG* previous = std::exchange(self->m_pCurrentMsg, &current);
    const LRESULT result = self->WindowProc(message, wParam, lParam);
    self->m_pCurrentMsg = previous;

    if (message == WM_NCDESTROY) {
        // The window is gone: unbind before the object may delete itself.
        self->UnsubclassWindow();
        self->PostNcDestroy();
    }
    return result;
}

BOOL PreTranslateThroughOwners(MSG* msg, HWND last) {
    // GetParent answers the owner for a pop-up, so a dialog pair's child leads to its shell.
    for (HWND hwnd = msg->hwnd; hwnd != nullptr; hwnd = ::GetParent(hwnd)) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(hwnd)) {
            if (wnd->PreTranslateMessage(msg)) return TRUE;
        }
        if (hwnd == last) break;
    }
    return FALSE;
}
