// The progress window: its one line with dots, and its end only on request.
#include "dialogs/progress_dlg.h"

#include "controls/paint_pieces.h"
#include "dialogs/messages.h"
#include "dialogs/progress_layout.h"

namespace {

constexpr wchar_t kFallbackText[] = L"正在修复，请稍等";

}  // namespace

CExecutePromptChildDlg::CExecutePromptChildDlg() : CPairChildDlg(taskwing::kProgressPair) {}

CExecutePromptChildDlg::~CExecutePromptChildDlg() = default;

void CExecutePromptChildDlg::DoDataExchange() { DDX_Control(IDC_STATE_INFO, m_stcInfo); }

void CExecutePromptChildDlg::LayoutControls(bool first) {
    const std::wstring text = m_strText.size() >= 2 ? m_strText : std::wstring(kFallbackText);
    m_stcInfo.SetWindowText(text);
    // The window is announced by what it shows.
    SetWindowText(text);
    m_stcInfo.SetAlign(StateAlign::kBlockCentred);
    m_stcInfo.SetColor(RGB(255, 255, 255));
    if (first) {
        m_stcInfo.SetParentSkin(&m_skin);
        m_stcInfo.SetTextFont(0, 0);
        m_stcInfo.StartDots();
    }
    const RECT client = GetClientRect();
    const taskwing::ProgressLayout layout = taskwing::LayoutProgress(client.right, client.bottom, m_fScale);
    m_stcInfo.MoveWindow(layout.text);
}

BOOL CExecutePromptChildDlg::OnInitDialog() {
    CPairChildDlg::OnInitDialog();
    // No focus handed to the first control.
    return FALSE;
}

LRESULT CExecutePromptChildDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // The dialog's default handling would pass the focus on to its first control, the text.
    if (message == WM_SETFOCUS) return 0;
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
        const LRESULT result = CPairChildDlg::WindowProc(message, wParam, lParam);
        ::SetFocus(m_hWnd);
        return result;
    }
    if (message == WM_DESTROY) {
        const LRESULT result = CPairChildDlg::WindowProc(message, wParam, lParam);
        // The background is gone: the text must not reach for it again.
        m_stcInfo.SetParentSkin(nullptr);
        m_stcInfo.ResetDots();
        return result;
    }
    return CPairChildDlg::WindowProc(message, wParam, lParam);
}

CExecutePromptDlg::CExecutePromptDlg(CWnd* parent) : CPairShellDlg(taskwing::kProgressPair, parent) {}

CExecutePromptDlg::~CExecutePromptDlg() = default;

std::unique_ptr<CPairChildDlg> CExecutePromptDlg::NewChild() {
    auto child = std::make_unique<CExecutePromptChildDlg>();
    child->SetOperationText(m_strText);
    m_pProgressChild = child.get();
    return child;
}

taskwing::PairRect CExecutePromptDlg::ComputeShellRect() const {
    const RECT window = GetWindowRect();
    const taskwing::PairTraits& traits = Traits();
    return {window.left, window.top,
            taskwing::Trunc(static_cast<float>(window.left) + static_cast<float>(traits.shellWidth) * m_fScale),
            taskwing::Trunc(static_cast<float>(window.top) + static_cast<float>(traits.shellHeight) * m_fScale)};
}

LRESULT CExecutePromptDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE_PROGRESS) return OnCloseProgress();
    return CPairShellDlg::WindowProc(message, wParam, lParam);
}

BOOL CExecutePromptDlg::OnInitDialog() {
    const BOOL result = CPairShellDlg::OnInitDialog();
    if (m_bCloseRequested) OnCloseProgress();
    return result;
}

void CExecutePromptDlg::CloseProgress() {
    if (m_hWnd != nullptr)
        SendCloseProgress(m_hWnd);
    else
        m_bCloseRequested = true;
}

LRESULT CExecutePromptDlg::OnCloseProgress() {
    m_bCloseRequested = true;
    if (CExecutePromptChildDlg* child = ProgressChild()) child->StateInfo().StopDots();
    // From another thread this arrives inside the modal loop's GetMessage; EndDialog wakes it.
    OnOK();
    return 0;
}
