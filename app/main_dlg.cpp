#include "app/main_dlg.h"

#include <windowsx.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdlib>

#include "app/device_detect.h"
#include "app/device_type.h"
#include "app/main_layout.h"
#include "app/self_removal.h"
#include "dialogs/messages.h"
#include "dialogs/problem_solved_dlg.h"
#include "dialogs/prompt_dlg.h"
#include "framework/app.h"
#include "log/log_save.h"
#include "resources/resource.h"
#include "system/system_helpers.h"

namespace taskwing {

// What the two operations differ in, on the window's side.
struct AlignOperationRow {
    CImageButton CTaskwingDlg::*button;
    bool (CAlignWorker::*launch)();
    const wchar_t* threadFailedPrompt;
    const wchar_t* progressText;
};

}  // namespace taskwing

namespace {

using taskwing::PairRect;

constexpr char kLogFile[] = "Taskwing.txt";
constexpr UINT kAcceptedCodePage = 936;

constexpr wchar_t kAgreementLine[] = L"同意《Veskor服务工具使用许可协议》";
constexpr wchar_t kFeedbackText[] = L"反馈问题";

// The prompt for each result code of the worker, 1 to 4.
constexpr const wchar_t* kResultTexts[] = {L"开始按钮左移成功", L"开始按钮左移失败", L"开始按钮居中成功",
                                           L"开始按钮居中失败"};


void Place(CWnd& control, const PairRect& rect) {
    control.MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
}

// The button's piece of the background is wherever it sits on the window's kept skin.
void SetUpImageButton(CImageButton& button, const taskwing::StretchedSkin* background, UINT firstImage) {
    button.SetParentSkin(background);
    button.SetHitInsets(0, 0, 0, 0);
    button.SetImages(firstImage, firstImage + 1, firstImage + 2, firstImage + 3);
}

void SetUpLabel(CDrawTextStatic& label, COLORREF normal, COLORREF hover) {
    label.SetTextFont(0, 0);
    label.SetAlign(TextAlign::kOneLine);
    label.SetBackColor(RGB(255, 255, 255));
    label.SetColors(normal, hover);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Content window

CTaskwingDlg::CTaskwingDlg() : CPairChildDlg(taskwing::kMainPair) {}

CTaskwingDlg::~CTaskwingDlg() = default;

void CTaskwingDlg::DoDataExchange() {
    DDX_Control(IDC_VERSION, m_stVersion);
    DDX_Control(IDC_CLOSE, m_btnClose);
    DDX_Control(IDC_MINIMIZE, m_btnMin);
    DDX_Control(IDC_MOVE_LEFT, m_btnMoveLeft);
    DDX_Control(IDC_CENTRE, m_btnCentre);
    DDX_Control(IDC_MORE_TOOLS, m_btnMoreTools);
    DDX_Control(IDC_AGREE, m_chkAgree);
    DDX_Control(IDC_AGREEMENT, m_stAgreement);
    DDX_Control(IDC_FEEDBACK, m_stFeedback);
}

BOOL CTaskwingDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // Without its background the window stays empty: no gates, no layout, no timers.
    if (!LoadBkImage()) return TRUE;
    DetectDeviceType();
    RunStartGates();
    LayoutControls(true);
    UpdateSkin();
    ::SetTimer(m_hWnd, taskwing::kTimerHover, 100, nullptr);
    ::SetTimer(m_hWnd, taskwing::kTimerStartCheck, 100, nullptr);
    m_bLayoutDone = 1;
    return TRUE;
}

void CTaskwingDlg::DetectDeviceType() { m_nDeviceType = taskwing::DetectDeviceType(); }

void CTaskwingDlg::RunStartGates() {
    if (!m_worker.SetReceiver(m_hWnd)) FailGate(L"设置接收消息窗口指针失败", L"工具初始化失败");
    if (!m_worker.IsSupportedSystem()) FailGate(L"此工具不支持当前系统", L"此工具不支持当前系统");
    if (!m_feedbackDll.Load()) FailGate(L"加载反馈DLL失败", L"工具初始化失败");
    if (m_feedbackDll.InitFreedbackDll(m_strFeedback) == 0) FailGate(L"初始化反馈DLL失败", L"工具初始化失败");
}

void CTaskwingDlg::FailGate(const wchar_t* logLine, const wchar_t* prompt) {
    // The line is in the file before the prompt appears: each entry is written and closed at once.
    CLogSave::GetInstance()->WriteLog(std::wstring(logLine), kLogFile, true);
    ShowNotice(prompt, nullptr);
    std::exit(0);
}

void CTaskwingDlg::ShowNotice(const wchar_t* text, CWnd* parent) {
    CPromptDlg prompt(parent);
    prompt.SetText(text);
    prompt.SetKind(PromptKind::kConfirm);
    prompt.m_fScale = m_fScale;
    prompt.DoModal();
}

void CTaskwingDlg::CloseBegun() {
    m_bCloseBegun = true;
    ::KillTimer(m_hWnd, taskwing::kTimerStartCheck);
}

void CTaskwingDlg::OnStartCheck() {
    // Once: a notice must not come again at the next tick while it is still up.
    ::KillTimer(m_hWnd, taskwing::kTimerStartCheck);
    // Nothing over the problem-solved window: the user is leaving.
    if (m_bCloseBegun) return;
    m_bStartNoticeUp = true;
    CheckForUpdate();
    if (::GetACP() != kAcceptedCodePage) ShowNotice(L"本工具仅支持简体中文版", this);
    m_bStartNoticeUp = false;
}

void CTaskwingDlg::CheckForUpdate() {
    if (m_feedbackDll.GetToolIsNewVersion(taskwing::kToolId, taskwing::kToolVersion) != taskwing::feedback::kNewerVersion)
        return;
    const taskwing::UpdateNotice notice = taskwing::UpdateNoticeFor(m_nDeviceType);
    ShowNotice(notice.text.c_str(), this);
    if (notice.openDownloadPage) m_feedbackDll.OpenToolDownUrl();
    std::exit(0);
}

void CTaskwingDlg::LayoutControls(bool first) {
    m_rcClient = GetClientRect();
    const float s = m_fScale;

    taskwing::MainTextWidths widths;
    {
        // Measured in the shell's font (the same template font) on this window's DC.
        taskwing::unique_window_dc dc(m_hWnd);
        HWND shell = GetParent() != nullptr ? GetParent() : m_hWnd;
        widths.agreementLine = MeasureTextWidth(shell, dc.get(), kAgreementLine, 0, 0);
        widths.feedback = MeasureTextWidth(shell, dc.get(), kFeedbackText, 0, 0);
    }
    const taskwing::MainLayout layout = taskwing::MainLayoutFor(
        {m_rcClient.left, m_rcClient.top, m_rcClient.right, m_rcClient.bottom}, s, widths);
    const taskwing::StretchedSkin* background = &m_skin;

    if (first) {
        m_btnClose.m_fScale = s;
        m_btnClose.SetImages(IDB_PNG_CLOSE_NORMAL, IDB_PNG_CLOSE_HOVER, IDB_PNG_CLOSE_PRESSED, IDB_PNG_CLOSE_DISABLED);
    }
    Place(m_btnClose, layout.close.rect);
    if (first) {
        m_btnMin.m_fScale = s;
        m_btnMin.SetImages(IDB_PNG_MINIMIZE_NORMAL, IDB_PNG_MINIMIZE_HOVER, IDB_PNG_MINIMIZE_PRESSED,
                           IDB_PNG_MINIMIZE_DISABLED);
    }
    Place(m_btnMin, layout.minimise.rect);
    if (first) {
        m_stVersion.SetWindowText(taskwing::kToolVersion);
        m_stVersion.SetParentSkin(background);
        SetUpLabel(m_stVersion, RGB(255, 255, 255), RGB(255, 255, 255));
    }
    Place(m_stVersion, layout.version.rect);
    if (first) {
        SetUpImageButton(m_btnMoveLeft, background, IDB_PNG_MOVE_LEFT_NORMAL);
        SetUpImageButton(m_btnCentre, background, IDB_PNG_CENTRE_NORMAL);
        SetUpImageButton(m_btnMoreTools, background, IDB_PNG_MORE_TOOLS_NORMAL);
    }
    Place(m_btnMoveLeft, layout.moveLeft.rect);
    Place(m_btnCentre, layout.centre.rect);
    Place(m_btnMoreTools, layout.moreTools.rect);
    // For users without the maker's service client only.
    m_btnMoreTools.ShowWindow(m_nDeviceType <= 0 ? SW_SHOW : SW_HIDE);

    Place(m_chkAgree, layout.agree.rect);
    if (first) {
        // Links: 0xFF5C5C, and 0xFF0000 under the cursor (0x00BBGGRR).
        SetUpLabel(m_stAgreement, 0xFF5C5C, 0xFF0000);
        SetUpLabel(m_stFeedback, 0xFF5C5C, 0xFF0000);
        m_stFeedback.SetWindowText(kFeedbackText);
    }
    Place(m_stAgreement, layout.agreement.rect);
    Place(m_stFeedback, layout.feedback.rect);

    if (first) {
        m_chkAgree.CopyParentFont();
        m_chkAgree.m_fScale = s;
        // The tool starts with the agreement accepted and both operations enabled.
        m_chkAgree.SetCheck(BST_CHECKED);
    }
}

void CTaskwingDlg::FreeControlImages() {
    m_btnClose.FreeImages();
    m_btnMin.FreeImages();
    m_btnMoveLeft.FreeImages();
    m_btnCentre.FreeImages();
    m_btnMoreTools.FreeImages();
}

LRESULT CTaskwingDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam), HIWORD(wParam))) return 0;
        break;
    case WM_NCHITTEST:
        return OnNcHitTest(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_LBUTTONDOWN:
        return OnLButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_TIMER:
        return OnTimer(static_cast<UINT_PTR>(wParam));
    case WM_CLOSE_PROGRESS:
        return OnCloseProgress();
    case WM_ALIGN_RESULT:
        return OnAlignResult(AlignResultOf(wParam));
    case taskwing::WM_TASKWING_PING:
        return 1;
    case WM_DESTROY:
        return OnDestroy();
    default:
        break;
    }
    return CPairChildDlg::WindowProc(message, wParam, lParam);
}

BOOL CTaskwingDlg::PreTranslateMessage(MSG* msg) {
    // A press that was dragged off minimise or close leaves the focus there; Space would then
    // minimise or close the tool.
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST &&
        (msg->hwnd == m_btnMin.m_hWnd || msg->hwnd == m_btnClose.m_hWnd)) {
        MoveFocusOffWindowButtons();
        return TRUE;
    }
    return CPairChildDlg::PreTranslateMessage(msg);
}

void CTaskwingDlg::MoveFocusOffWindowButtons() {
    HWND focus = ::GetFocus();
    if (focus != m_btnMin.m_hWnd && focus != m_btnClose.m_hWnd) return;
    // Neither is a tab stop: the next one is 左移, or the first that is enabled.
    HWND next = ::GetNextDlgTabItem(m_hWnd, focus, FALSE);
    ::SetFocus(next != nullptr && next != focus ? next : m_hWnd);
}

LRESULT CTaskwingDlg::OnCommand(int id, int code) {
    if (code != BN_CLICKED) return 0;
    switch (id) {
    case IDC_AGREE:
        OnAgreementClicked();
        return 1;
    case IDC_CLOSE:
        ::SendMessageW(GetParent(), WM_CLOSE, 0, 0);
        return 1;
    case IDC_MINIMIZE:
        // The click gave the button the focus, which a restore would give back to it.
        MoveFocusOffWindowButtons();
        ::PostMessageW(GetParent(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        return 1;
    case IDC_MOVE_LEFT:
        OnMoveLeft();
        return 1;
    case IDC_CENTRE:
        OnCentre();
        return 1;
    case IDC_MORE_TOOLS:
        m_feedbackDll.OpenUrl(m_strFeedback[3]);
        return 1;
    default:
        return 0;
    }
}

void CTaskwingDlg::OnAgreementClicked() {
    // On this thread, in the click's order: two quick clicks can never leave the buttons out of
    // step with the box.
    const bool agreed = m_chkAgree.GetCheck() == BST_CHECKED;
    m_btnMoveLeft.EnableButton(agreed);
    m_btnCentre.EnableButton(agreed);
}

const taskwing::AlignOperationRow CTaskwingDlg::kMoveLeftRow{
    &CTaskwingDlg::m_btnMoveLeft, &CAlignWorker::LaunchMoveLeft, L"开始按钮左移失败！", L"正在左移，请稍等"};
const taskwing::AlignOperationRow CTaskwingDlg::kCentreRow{
    &CTaskwingDlg::m_btnCentre, &CAlignWorker::LaunchCentre, L"开始按钮居中失败！", L"正在居中，请稍等"};

void CTaskwingDlg::OnMoveLeft() { RunOperation(kMoveLeftRow); }
void CTaskwingDlg::OnCentre() { RunOperation(kCentreRow); }

void CTaskwingDlg::RunOperation(const taskwing::AlignOperationRow& row) {
    // A keyboard activation while the pointer is elsewhere starts nothing.
    if (!(this->*row.button).IsCursorInside()) return;
    // One at a time: the window beneath a running operation's modal windows takes no clicks, and
    // this holds for anything else that sends the command.
    if (m_bOperationRunning) return;
    if (!(m_worker.*row.launch)()) {
        ShowNotice(row.threadFailedPrompt, nullptr);
        return;
    }
    m_bOperationRunning = true;
    // The worker runs already; its close request may come before the new window is up, which the
    // progress window keeps until it is.
    m_pProgressDlg = std::make_unique<CExecutePromptDlg>();
    m_pProgressDlg->SetOperationText(row.progressText);
    m_pProgressDlg->m_fScale = m_fScale;
    m_pProgressDlg->DoModal();
}

LRESULT CTaskwingDlg::OnCloseProgress() {
    if (m_pProgressDlg) m_pProgressDlg->CloseProgress();
    return 1;
}

LRESULT CTaskwingDlg::OnAlignResult(AlignResult result) {
    // The worker waits in its send until this prompt has been dismissed.
    if (IsKnownAlignResult(result)) ShowNotice(kResultTexts[static_cast<int>(result) - 1], nullptr);
    m_bOperationRunning = false;
    return 1;
}

LRESULT CTaskwingDlg::OnNcHitTest(POINT screen) {
    m_stFeedback.UpdateHover(screen.x, screen.y);
    m_stAgreement.UpdateHover(screen.x, screen.y);
    // The drag strip: the top 30 s less the right 86 s.
    return CPairChildDlg::OnNcHitTest(screen);
}

LRESULT CTaskwingDlg::OnLButtonDown(POINT client) {
    POINT screen = client;
    ::ClientToScreen(m_hWnd, &screen);
    if (m_stFeedback.ContainsScreenPoint(screen.x, screen.y))
        m_feedbackDll.FeedbackQuestion(taskwing::kToolId, taskwing::kToolVersion);
    if (m_stAgreement.ContainsScreenPoint(screen.x, screen.y)) m_feedbackDll.OpenUseAgreementUrl();
    return Default();
}

LRESULT CTaskwingDlg::OnTimer(UINT_PTR id) {
    if (id == taskwing::kTimerHover) {
        POINT cursor{};
        if (::GetCursorPos(&cursor)) m_stAgreement.UpdateHover(cursor.x, cursor.y);
        return 0;
    }
    if (id == taskwing::kTimerStartCheck) OnStartCheck();
    return Default();
}

LRESULT CTaskwingDlg::OnDestroy() {
    // The pair frees the buttons' images and the background.
    const LRESULT result = CPairChildDlg::WindowProc(WM_DESTROY, 0, 0);
    ::KillTimer(m_hWnd, taskwing::kTimerHover);
    m_pProgressDlg.reset();
    m_feedbackDll.Unload();
    return result;
}

// ---------------------------------------------------------------------------------------------
// Shell

CNorvaneTaskwingDlg::CNorvaneTaskwingDlg(CWnd* parent) : CPairShellDlg(taskwing::kMainPair, parent) {
    m_hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

CNorvaneTaskwingDlg::~CNorvaneTaskwingDlg() {
    // The thread writes into m_beside: it ends first. A shell that never stood up lets it go on.
    if (!m_besideThread) return;
    ::SetEvent(m_beside.shellUp.get());
    ::WaitForSingleObject(m_besideThread.get(), INFINITE);
}

namespace {

void RegisterCommonControls() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
}

}  // namespace

DWORD WINAPI CNorvaneTaskwingDlg::RunBeside(void* beside) {
    auto* work = static_cast<Beside*>(beside);
    LoadPngResource(work->shellSkin, work->module, work->shellPng);
    ::SetEvent(work->shellSkinDone.get());
    if (work->ClaimChildSkin()) LoadPngResource(work->childSkin, work->module, work->childPng);
    // Common controls 6 (delay-loaded, cmake/DelayImports.cmake) only once the shell's window
    // stands: by then the window thread has loaded the theme library, and the two threads do not
    // load it at once (comctl32's start-up under the loader lock could deadlock against it).
    ::WaitForSingleObject(work->shellUp.get(), INFINITE);
    RegisterCommonControls();
    return 0;
}

void CNorvaneTaskwingDlg::StartBeside() {
    if (m_besideThread) return;
    m_beside.module = AfxGetResourceHandle();
    m_beside.shellPng = Traits().shellPng;
    m_beside.childPng = Traits().childPng;
    m_beside.shellSkinDone.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    m_beside.shellUp.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!m_beside.shellSkinDone || !m_beside.shellUp) return;
    m_besideThread.reset(::CreateThread(nullptr, 0, &CNorvaneTaskwingDlg::RunBeside, &m_beside, 0, nullptr));
}

INT_PTR CNorvaneTaskwingDlg::DoModal() {
    // The screen's scale is asked first, and that loads the display driver: on two threads at
    // once, it and the other thread's libraries could wait on each other.
    m_fScale = ScreenScaleFactor();
    // The skins decode while the shell's window is made (about as long, at every scale).
    StartBeside();
    return CPairShellDlg::DoModal();
}

void CNorvaneTaskwingDlg::OnShellSkinReady() {
    if (m_besideThread) ::SetEvent(m_beside.shellUp.get());
}

std::unique_ptr<CPairChildDlg> CNorvaneTaskwingDlg::NewChild() {
    auto content = NewContent();
    m_pContent = content.get();
    if (!m_besideThread) {
        RegisterCommonControls();
        return content;
    }
    // The content's skin is decoded by whichever thread is free first; the content's
    // initialisation, which loads it first, then finds it there (or fails to load it again, as
    // before).
    if (m_beside.ClaimChildSkin()) content->LoadBkImage();
    ::WaitForSingleObject(m_besideThread.get(), INFINITE);
    m_besideThread.reset();
    content->SetBkImage(std::move(m_beside.childSkin));
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
    // The scale was set in DoModal.
    if (m_besideThread) {
        ::WaitForSingleObject(m_beside.shellSkinDone.get(), INFINITE);
        // Null when it did not decode: the shell then tries once more, and ends the run if it fails.
        m_pBkImage = std::move(m_beside.shellSkin);
    }
    // The layered image, then the content window, whose initialisation runs the start-up gates.
    return CPairShellDlg::OnInitDialog();
}

LRESULT CNorvaneTaskwingDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SYSCOMMAND:
        return OnSysCommand(static_cast<UINT>(wParam), lParam);
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

LRESULT CNorvaneTaskwingDlg::OnSysCommand(UINT command, LPARAM) {
    if ((command & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
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
    if (content != nullptr && content->RunsWindowInside()) return 0;
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
    const LRESULT result = CPairShellDlg::WindowProc(WM_DESTROY, 0, 0);
    // Only after the user's close: a start that failed leaves the folder as it is.
    if (closedByUser) taskwing::StartSelfRemoval();
    return result;
}
