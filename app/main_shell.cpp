// The main window's frame: icon, About, the skins decoded beside it, close and destroy.
#include "app/main_shell.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include "app/main_content.h"
#include "app/main_layout.h"
#include "dialogs/problem_solved_dlg.h"
#include "framework/app.h"
#include "ops/self_removal.h"
#include "resources/resource.h"

namespace {

// The About box (dialog 100).
class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(100) {}
};

// Common controls 6 are delay-loaded (cmake/DelayImports.cmake): their start-up runs here, on the
// preloader's thread once the shell stands, or on the window thread when there is no such thread.
void RegisterCommonControls() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
}

}  // namespace

CNorvaneTaskwingDlg::CNorvaneTaskwingDlg(CWnd* parent) : CPairShellDlg(taskwing::kMainPair, parent) {
    m_hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

CNorvaneTaskwingDlg::~CNorvaneTaskwingDlg() = default;

std::unique_ptr<CTaskwingDlg> CNorvaneTaskwingDlg::NewContent() { return std::make_unique<CTaskwingDlg>(); }

INT_PTR CNorvaneTaskwingDlg::DoModal() {
    // The screen's scale is asked first, and that loads the display driver: on two threads at
    // once, it and the other thread's libraries could wait on each other.
    m_fScale = ScreenScaleFactor();
    m_preloader.Start(AfxGetResourceHandle(), Traits(), &RegisterCommonControls);
    return CPairShellDlg::DoModal();
}

void CNorvaneTaskwingDlg::OnShellSkinReady() { m_preloader.ShellUp(); }

std::unique_ptr<CPairChildDlg> CNorvaneTaskwingDlg::NewChild() {
    auto content = NewContent();
    m_pContent = content.get();
    if (!m_preloader.Running()) {
        RegisterCommonControls();
        return content;
    }
    m_preloader.HandChildSkin(*content);
    return content;
}

BOOL CNorvaneTaskwingDlg::OnInitDialog() {
    if (HMENU menu = ::GetSystemMenu(m_hWnd, FALSE)) {
        wchar_t about[128] = {};
        if (::LoadStringW(::GetModuleHandleW(nullptr), IDS_ABOUTBOX, about, 128) > 0) {
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, about);
        }
    }
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    SetWindowText(L"Taskwing");
    // Null when it did not decode: the shell then tries once more, and ends the run if it fails.
    if (m_preloader.Running()) m_pBkImage = m_preloader.TakeShellSkin();
    // The layered image, then the content window, whose initialisation runs the start-up gates.
    return CPairShellDlg::OnInitDialog();
}

LRESULT CNorvaneTaskwingDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SYSCOMMAND:
        return OnSysCommand(static_cast<UINT>(wParam));
    case WM_PAINT:
        return OnPaint();
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(m_hIcon);
    case WM_CLOSE:
        return OnClose();
    case WM_DESTROY:
        return OnDestroyShell();
    default:
        return CPairShellDlg::WindowProc(message, wParam, lParam);
    }
}

LRESULT CNorvaneTaskwingDlg::OnSysCommand(UINT command) {
    if ((command & 0xFFF0) == IDM_ABOUTBOX) {
        // Not once a close has begun: it ends the pair, which would leave the box alone.
        if (m_bClosing || m_bAboutUp) return 0;
        m_bAboutUp = true;
        CAboutDlg about;
        about.DoModal();
        m_bAboutUp = false;
        return 0;
    }
    return Default();
}

LRESULT CNorvaneTaskwingDlg::OnPaint() {
    if (!::IsIconic(m_hWnd)) return Default();
    PAINTSTRUCT paint{};
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    ::SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    const RECT client = GetClientRect();
    ::DrawIcon(dc, (client.right - iconWidth + 1) / 2, (client.bottom - iconHeight + 1) / 2, m_hIcon);
    ::EndPaint(m_hWnd, &paint);
    return 0;
}

LRESULT CNorvaneTaskwingDlg::OnClose() {
    // Once: a second close while the problem-solved window is up would open a second one.
    if (m_bClosing) return 0;
    CTaskwingDlg* content = Content();
    // An operation's progress window and result prompt, and the start notices, run inside the
    // content window's handlers: the window cannot end under them (the notice would stay behind,
    // orphaned, over a freed window), and the user would lose the result. Refused until they end.
    if (m_bAboutUp || (content != nullptr && content->RunsWindowInside())) return 0;
    m_bClosing = true;
    if (content != nullptr && ::IsWindow(content->m_hWnd)) {
        content->CloseBegun();
        CProblemSolvingFeedbackDlg feedback;
        feedback.SetFeedbackDll(&content->FeedbackDll());
        feedback.SetDeviceType(content->DeviceType());
        feedback.DoModal();
    }
    return Default();
}

LRESULT CNorvaneTaskwingDlg::OnDestroyShell() {
    const bool closedByUser = m_bClosing;
    const LRESULT result = CPairShellDlg::OnDestroy();
    // Only after the user's close: a start that failed leaves the folder as it is.
    if (closedByUser) taskwing::StartSelfRemoval();
    return result;
}
