#pragma once
// CWnd: a C++ object bound to one window. The object lives in the window's user data and the
// window's procedure is ours, so every message reaches the object's one virtual WindowProc; what
// the object does not handle goes on to the procedure that the window had before (Default).
#include <windows.h>

#include <string>

#include "base/layout_rect.h"

class CWnd {
public:
    CWnd() = default;
    // A window still bound here is released first (so no message reaches a half-destroyed
    // object), then destroyed if this object created it.
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }

    // Binds an existing window (a template control, say) to this object by subclassing it.
    // Fails when this object already has a window or the window is bound to another object.
    BOOL SubclassWindow(HWND hwnd);
    // The control with this id in the parent's client area (the DDX_Control role).
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    // Gives the window its previous procedure back and forgets it.
    HWND UnsubclassWindow();

    // The object bound to a window by this framework, or null for any other window.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // Sees queued messages before they are translated and dispatched; TRUE swallows the message.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // The window that a modal window over this one is owned by: this one, unless it lies under a
    // window of its own that must stay above it (a skinned pair's shell answers with its child).
    virtual HWND ModalOwnerHwnd() const { return m_hWnd; }
    // Owner-drawn controls paint here: the parent hands its WM_DRAWITEM over to the control.
    virtual void DrawItem(DRAWITEMSTRUCT* drawItem);

    // Thin wrappers of the calls the windows make most.
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) {
        return ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    BOOL MoveWindow(const RECT& rect, BOOL repaint = TRUE) {
        return MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
    }
    // To a rectangle of the plain layout functions.
    BOOL MoveWindow(const taskwing::LayoutRect& rect, BOOL repaint = TRUE) {
        return MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), repaint);
    }
    RECT GetWindowRect() const;
    RECT GetClientRect() const;
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void SetWindowText(const std::wstring& text) { ::SetWindowTextW(m_hWnd, text.c_str()); }
    std::wstring GetWindowText() const;
    HFONT GetFont() const { return reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)); }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL DestroyWindow();

protected:
    // One switch per class; what a class does not handle goes to its base class's WindowProc and
    // in the end to Default.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The message being handled, passed on to the window's previous procedure.
    LRESULT Default();
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // After the last message of the window (WM_NCDESTROY); the object is unbound by then.
    virtual void PostNcDestroy() {}

    // Marks the window as made by this object, so that the destructor destroys a window that is
    // still alive.
    bool m_bOwnsWindow = false;

    static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    WNDPROC m_pfnSuper = nullptr;
    const MSG* m_pCurrentMsg = nullptr;
};

// Walks from the message's window up through parents and owners, letting every framework object on
// the way look at the message first; stops after `last` (inclusive) or at the top. TRUE: swallowed.
BOOL PreTranslateThroughOwners(MSG* msg, HWND last);
