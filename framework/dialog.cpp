// CDialog: creation from a template, our own modal loop, and controls bound to their objects.
#include "framework/dialog.h"

#include "framework/app.h"

#include <algorithm>

namespace {

const DLGTEMPLATE* LoadDialogTemplate(UINT id) {
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC info = ::FindResourceW(module, MAKEINTRESOURCEW(id), RT_DIALOG);
    if (info == nullptr) return nullptr;
    HGLOBAL data = ::LoadResource(module, info);
    if (data == nullptr) return nullptr;
    return static_cast<const DLGTEMPLATE*>(::LockResource(data));
}

// Only this framework's windows: the system's helper windows of the thread stay as they are.
BOOL CALLBACK CollectEnabledToolWindow(HWND hwnd, LPARAM windows) {
    if (CWnd::FromHandlePermanent(hwnd) != nullptr && ::IsWindowEnabled(hwnd))
        reinterpret_cast<std::vector<HWND>*>(windows)->push_back(hwnd);
    return TRUE;
}

// The first window up the chain that is not a child: the window that can own a pop-up.
HWND TopLevelOf(HWND hwnd) {
    while (hwnd != nullptr && (::GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) != 0) hwnd = ::GetParent(hwnd);
    return hwnd;
}

// The tool has one window thread.
bool g_lastInputKeyboard = false;

// Notes where input comes from; mouse moves alone do not count, as on Windows.
void NoteInput(const MSG& msg) {
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        g_lastInputKeyboard = true;
        return;
    }
    switch (msg.message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        g_lastInputKeyboard = false;
        break;
    default:
        break;
    }
}

bool IsNavigationKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    switch (msg.wParam) {
    case VK_TAB:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        return true;
    default:
        return false;
    }
}

// The UI state after one WM_CHANGEUISTATE or WM_UPDATEUISTATE.
UINT AppliedUiState(UINT state, WPARAM change) {
    const UINT flags = HIWORD(change) & (UISF_HIDEFOCUS | UISF_HIDEACCEL);
    switch (LOWORD(change)) {
    case UIS_SET:
        return state | flags;
    case UIS_CLEAR:
        return state & ~flags;
    case UIS_INITIALIZE:
        return LastInputWasKeyboard() ? 0 : UISF_HIDEFOCUS | UISF_HIDEACCEL;
    default:
        return state;
    }
}

}  // namespace

bool LastInputWasKeyboard() { return g_lastInputKeyboard; }

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent) {
    m_bOwnsWindow = true;
}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal() {
    if (m_hWnd != nullptr) return -1;
    HWND owner = ModalOwner();
    // Where the user was: the activation goes back there when this run ends.
    HWND before = ::GetActiveWindow();
    // Task-modal: no other window of the tool takes input while this one runs, so that nothing
    // beneath it (a button of the main window, say) can start work or delete what this run uses.
    const std::vector<HWND> disabled = DisableToolWindows(owner);

    m_nModalResult = -1;
    m_bContinueModal = true;
    if (CreateFromTemplate(owner)) {
        // EndDialog inside OnInitDialog ends the run before the window is ever shown.
        if (m_bContinueModal) {
            ShowWindow(SW_SHOWNORMAL);
            RunModalLoop();
        }
        HideWithoutActivating();
    }
    m_bContinueModal = false;
    // Enabled again before this window goes, so activation goes to them and not elsewhere.
    for (auto it = disabled.rbegin(); it != disabled.rend(); ++it)
        if (::IsWindow(*it)) ::EnableWindow(*it, TRUE);
    // The activation is handed on from this dialog, from a window of its own (a pair's child)
    // that goes with it, or when nothing took it: never to a disabled window, which the window
    // system would raise over a run that is still modal (a notice inside another modal window).
    HWND active = ::GetActiveWindow();
    if (m_hWnd != nullptr && (active == nullptr || active == m_hWnd || ::GetWindow(active, GW_OWNER) == m_hWnd)) {
        if (HWND next = ActivationAfterRun(before)) ::SetActiveWindow(next);
    }
    DestroyWindow();
    return m_nModalResult;
}

std::vector<HWND> CDialog::DisableToolWindows(HWND owner) {
    struct {
        std::vector<HWND> windows;
    } walk;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectEnabledToolWindow, reinterpret_cast<LPARAM>(&walk.windows));
    if (owner != nullptr && ::IsWindowEnabled(owner) &&
        std::find(walk.windows.begin(), walk.windows.end(), owner) == walk.windows.end())
        walk.windows.push_back(owner);
    for (HWND hwnd : walk.windows) ::EnableWindow(hwnd, FALSE);
    return walk.windows;
}

HWND CDialog::ActivationAfterRun(HWND before) const {
    const auto takesInput = [this](HWND hwnd) {
        return hwnd != m_hWnd && ::GetWindow(hwnd, GW_OWNER) != m_hWnd && ::IsWindowVisible(hwnd) &&
               ::IsWindowEnabled(hwnd);
    };
    if (before != nullptr && ::IsWindow(before) && takesInput(before)) return before;
    // The tool's topmost window that takes input.
    const DWORD thread = ::GetCurrentThreadId();
    for (HWND hwnd = ::GetTopWindow(nullptr); hwnd != nullptr; hwnd = ::GetWindow(hwnd, GW_HWNDNEXT)) {
        if (::GetWindowThreadProcessId(hwnd, nullptr) == thread && CWnd::FromHandlePermanent(hwnd) != nullptr &&
            takesInput(hwnd))
            return hwnd;
    }
    return nullptr;
}

void CDialog::HideWithoutActivating() {
    if (m_hWnd != nullptr)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    if (m_hWnd != nullptr) return FALSE;
    m_nIDTemplate = templateId;
    m_pParentWnd = parent;
    return CreateFromTemplate(parent != nullptr ? parent->m_hWnd : nullptr);
}

void CDialog::EndDialog(INT_PTR result) {
    m_nModalResult = result;
    // Gone from the screen at once, as the system's EndDialog does: whatever the caller shows next
    // (the result of an operation after its progress window, say) is not shown over a window
    // that has already ended. A modeless dialog is only hidden; its owner destroys it.
    HideWithoutActivating();
    if (!m_bContinueModal) return;
    m_bContinueModal = false;
    // A send from another thread is handled inside GetMessage, which would not return on its
    // own: wake the loop so that it sees the end.
    if (m_hWnd != nullptr) ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
}

void CDialog::CenterWindow() {
    HWND center = ::GetWindow(m_hWnd, GW_OWNER);
    if (center != nullptr && (!::IsWindowVisible(center) || ::IsIconic(center))) center = nullptr;

    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(center != nullptr ? center : m_hWnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT work = monitor.rcWork;
    RECT area = work;
    if (center != nullptr) ::GetWindowRect(center, &area);

    const RECT self = GetWindowRect();
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    int x = (area.left + area.right) / 2 - width / 2;
    int y = (area.top + area.bottom) / 2 - height / 2;
    // Kept on the work area, as far as it fits.
    if (x + width > work.right) x = work.right - width;
    if (x < work.left) x = work.left;
    if (y + height > work.bottom) y = work.bottom - height;
    if (y < work.top) y = work.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return FALSE;
    if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)) return FALSE;
    // The user moves the focus by keyboard: from now on they see where it is.
    if (IsNavigationKey(*msg)) SendMessage(WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS));
    return ::IsDialogMessageW(m_hWnd, msg);
}

BOOL CDialog::OnInitDialog() {
    DoDataExchange();
    return TRUE;
}

void CDialog::DDX_Control(int id, CWnd& control) {
    if (control.m_hWnd == nullptr) control.SubclassDlgItem(static_cast<UINT>(id), this);
}

LRESULT CDialog::OnChangeUiState(WPARAM change) {
    if (AppliedUiState(m_uiState, change) != m_uiState) SendMessage(WM_UPDATEUISTATE, change);
    return 0;
}

LRESULT CDialog::OnUpdateUiState(WPARAM change) {
    m_uiState = AppliedUiState(m_uiState, change);
    // Each control repaints its cue; on Windows its own default handling keeps its copy as well.
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        ::SendMessageW(child, WM_UPDATEUISTATE, change, 0);
    return 0;
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CHANGEUISTATE:
        return OnChangeUiState(wParam);
    case WM_UPDATEUISTATE:
        return OnUpdateUiState(wParam);
    case WM_QUERYUISTATE:
        return m_uiState;
    default:
        break;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        // Buttons, Esc and Enter of dialog navigation, and the default close all arrive here.
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return 0;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return 0;
        }
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
    // Everything after WM_INITDIALOG goes through WindowProc first; returning FALSE here lets the
    // dialog manager do its default work when WindowProc passes a message on.
    if (message != WM_INITDIALOG) return FALSE;
    return reinterpret_cast<CDialog*>(lParam)->HandleInitDialog(hwnd);
}

BOOL CDialog::CreateFromTemplate(HWND owner) {
    const DLGTEMPLATE* dialogTemplate = LoadDialogTemplate(m_nIDTemplate);
    if (dialogTemplate == nullptr) return FALSE;
    HWND hwnd = ::CreateDialogIndirectParamW(AfxGetResourceHandle(), dialogTemplate, owner, &CDialog::DialogProc,
                                             reinterpret_cast<LPARAM>(this));
    if (hwnd != nullptr && hwnd != m_hWnd) {
        // Made, but never bound to this object: of no use to anyone.
        ::DestroyWindow(hwnd);
        return FALSE;
    }
    return hwnd != nullptr;
}

BOOL CDialog::HandleInitDialog(HWND hwnd) {
    // The object's home from now on: user data plus our procedure in front of the dialog's.
    if (!SubclassWindow(hwnd)) return FALSE;
    // Before the controls are bound: they read it at their first paint.
    m_uiState = AppliedUiState(m_uiState, MAKEWPARAM(UIS_INITIALIZE, 0));
    const RECT before = GetWindowRect();
    const BOOL result = OnInitDialog();
    if (m_hWnd != hwnd) return result;

    // A dialog that is still hidden where its template put it is centred.
    const LONG style = ::GetWindowLongW(hwnd, GWL_STYLE);
    const RECT after = GetWindowRect();
    if ((style & (WS_VISIBLE | WS_CHILD)) == 0 && before.left == after.left && before.top == after.top) CenterWindow();
    return result;
}

void CDialog::RunModalLoop() {
    MSG msg{};
    while (m_bContinueModal && m_hWnd != nullptr) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {
            // The program is quitting: end this run and leave the quit for the loop outside.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            if (m_bContinueModal) m_nModalResult = IDCANCEL;
            break;
        }
        NoteInput(msg);
        if (PreTranslateThroughOwners(&msg, m_hWnd)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    m_bContinueModal = false;
}

HWND CDialog::ModalOwner() const {
    HWND owner = nullptr;
    if (m_pParentWnd != nullptr) {
        owner = TopLevelOf(m_pParentWnd->m_hWnd);
    } else {
        CWnd* main = AfxGetMainWnd();
        if (main == nullptr || main == this || !::IsWindow(main->m_hWnd)) return nullptr;
        owner = TopLevelOf(main->m_hWnd);
    }
    CWnd* object = CWnd::FromHandlePermanent(owner);
    return object != nullptr ? object->ModalOwnerHwnd() : owner;
}
