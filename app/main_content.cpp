// The main window's content window: its controls and their layout, commands, links, focus and timers.
#include "app/main_content.h"

#include <windowsx.h>

#include "app/main_layout.h"
#include "app/tool_identity.h"
#include "ops/device_type.h"
#include "dialogs/prompt_dlg.h"
#include "resources/resource.h"
#include "system/system_helpers.h"

namespace {

constexpr wchar_t kAgreementLine[] = L"同意《Veskor服务工具使用许可协议》";
constexpr wchar_t kAgreeLabel[] = L"同意";
constexpr wchar_t kFeedbackText[] = L"反馈问题";

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
    m_btnClose.MoveWindow(layout.close);
    if (first) {
        m_btnMin.m_fScale = s;
        m_btnMin.SetImages(IDB_PNG_MINIMIZE_NORMAL, IDB_PNG_MINIMIZE_HOVER, IDB_PNG_MINIMIZE_PRESSED,
                           IDB_PNG_MINIMIZE_DISABLED);
    }
    m_btnMin.MoveWindow(layout.minimise);
    if (first) {
        m_stVersion.SetWindowText(taskwing::kToolVersion);
        m_stVersion.SetParentSkin(background);
        SetUpLabel(m_stVersion, RGB(255, 255, 255), RGB(255, 255, 255));
    }
    m_stVersion.MoveWindow(layout.version);
    if (first) {
        SetUpImageButton(m_btnMoveLeft, background, IDB_PNG_MOVE_LEFT_NORMAL);
        SetUpImageButton(m_btnCentre, background, IDB_PNG_CENTRE_NORMAL);
        SetUpImageButton(m_btnMoreTools, background, IDB_PNG_MORE_TOOLS_NORMAL);
    }
    m_btnMoveLeft.MoveWindow(layout.moveLeft);
    m_btnCentre.MoveWindow(layout.centre);
    m_btnMoreTools.MoveWindow(layout.moreTools);
    m_btnMoreTools.ShowWindow(taskwing::ShowsMoreTools(m_nDeviceType) ? SW_SHOW : SW_HIDE);

    m_chkAgree.MoveWindow(layout.agree);
    if (first) {
        // Links: 0xFF5C5C, and 0xFF0000 under the cursor (0x00BBGGRR).
        SetUpLabel(m_stAgreement, 0xFF5C5C, 0xFF0000);
        SetUpLabel(m_stFeedback, 0xFF5C5C, 0xFF0000);
        m_stFeedback.SetWindowText(kFeedbackText);
    }
    m_stAgreement.MoveWindow(layout.agreement);
    m_stFeedback.MoveWindow(layout.feedback);

    if (first) {
        m_chkAgree.CopyParentFont();
        m_chkAgree.m_fScale = s;
        // Its window text says all that is agreed to; the link beside it draws the rest.
        m_chkAgree.SetLabel(kAgreeLabel);
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
    // BN_CLICKED of the buttons; STN_CLICKED, the same code, of a link opened by a key.
    if (code != BN_CLICKED) return 0;
    switch (id) {
    case IDC_AGREE:
        OnAgreementClicked();
        return 1;
    case IDC_CLOSE:
        OnCloseClicked();
        return 1;
    case IDC_MINIMIZE:
        OnMinimiseClicked();
        return 1;
    case IDC_MOVE_LEFT:
        OnMoveLeft();
        return 1;
    case IDC_CENTRE:
        OnCentre();
        return 1;
    case IDC_MORE_TOOLS:
        OnMoreToolsClicked();
        return 1;
    case IDC_AGREEMENT:
        OnAgreementLink();
        return 1;
    case IDC_FEEDBACK:
        OnFeedbackLink();
        return 1;
    default:
        return 0;
    }
}

void CTaskwingDlg::OnCloseClicked() { ::SendMessageW(GetParent(), WM_CLOSE, 0, 0); }

void CTaskwingDlg::OnMinimiseClicked() {
    // The click gave the button the focus, which a restore would give back to it.
    MoveFocusOffWindowButtons();
    ::PostMessageW(GetParent(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void CTaskwingDlg::OnMoreToolsClicked() { m_feedbackDll.OpenUrl(m_strFeedback[taskwing::feedback::kMoreToolsText]); }

void CTaskwingDlg::OnAgreementClicked() {
    // On this thread, in the click's order: two quick clicks can never leave the buttons out of
    // step with the box.
    const bool agreed = m_chkAgree.GetCheck() == BST_CHECKED;
    m_btnMoveLeft.EnableButton(agreed);
    m_btnCentre.EnableButton(agreed);
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
    if (m_stFeedback.ContainsScreenPoint(screen.x, screen.y)) OnFeedbackLink();
    if (m_stAgreement.ContainsScreenPoint(screen.x, screen.y)) OnAgreementLink();
    return Default();
}

void CTaskwingDlg::OnAgreementLink() { m_feedbackDll.OpenUseAgreementUrl(); }

void CTaskwingDlg::OnFeedbackLink() { m_feedbackDll.FeedbackQuestion(taskwing::kToolId, taskwing::kToolVersion); }

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
    const LRESULT result = CPairChildDlg::OnDestroy();
    ::KillTimer(m_hWnd, taskwing::kTimerHover);
    m_pProgressDlg.reset();
    m_feedbackDll.Unload();
    return result;
}
