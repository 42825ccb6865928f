// The tool's message box: its kinds, answers, buttons and message layout.
#include "dialogs/prompt_dlg.h"

#include "dialogs/prompt_layout.h"
#include "resources/resource.h"

namespace {

// One answer button's four images (normal, hover, pressed, disabled) and the label they show.
struct ButtonImages {
    UINT normal, hover, pressed, disabled;
    const wchar_t* label;
};

struct KindRow {
    ButtonImages ok;
    ButtonImages cancel;
    bool cancelShown;
};

constexpr ButtonImages kYes{IDB_PNG_PROMPT_YES_NORMAL, IDB_PNG_PROMPT_YES_HOVER, IDB_PNG_PROMPT_YES_PRESSED,
                            IDB_PNG_PROMPT_YES_PRESSED, L"是"};
constexpr ButtonImages kNo{IDB_PNG_PROMPT_NO_NORMAL, IDB_PNG_PROMPT_NO_HOVER, IDB_PNG_PROMPT_NO_PRESSED,
                           IDB_PNG_PROMPT_NO_PRESSED, L"否"};
constexpr ButtonImages kConfirm{IDB_PNG_PROMPT_CONFIRM_NORMAL, IDB_PNG_PROMPT_CONFIRM_HOVER,
                                IDB_PNG_PROMPT_CONFIRM_PRESSED, IDB_PNG_PROMPT_CONFIRM_PRESSED, L"确认"};
constexpr ButtonImages kCancel{IDB_PNG_PROMPT_CANCEL_NORMAL, IDB_PNG_PROMPT_CANCEL_HOVER,
                               IDB_PNG_PROMPT_CANCEL_PRESSED, IDB_PNG_PROMPT_CANCEL_PRESSED, L"取消"};

const KindRow& RowFor(PromptKind kind) {
    static const KindRow rows[] = {
        {kYes, kNo, false},
        {kYes, kNo, true},
        {kConfirm, kCancel, false},
        {kConfirm, kCancel, true},
    };
    return rows[static_cast<int>(kind) - 1];
}

void SetButtonImages(CPngButton& button, const ButtonImages& images) {
    button.SetImages(images.normal, images.hover, images.pressed, images.disabled);
    // Named by what the images show.
    button.SetWindowText(images.label);
}

}  // namespace

CPromptChildDlg::CPromptChildDlg(const taskwing::PairTraits& traits) : CPairChildDlg(traits) {}

void CPromptChildDlg::DoDataExchange() {
    DDX_Control(IDC_PROMPT_CLOSE, m_btnClose);
    DDX_Control(IDC_PROMPT_TEXT, m_staticText);
    DDX_Control(IDC_PROMPT_OK, m_btnOk);
    DDX_Control(IDC_PROMPT_CANCEL, m_btnCancel);
}

PromptKind CPromptChildDlg::Kind() const {
    // A kind outside the table would leave the answer button without images, an invisible spot.
    return m_nKind >= PromptKind::kYes && m_nKind <= PromptKind::kConfirmCancel ? m_nKind : PromptKind::kYes;
}

BOOL CPromptChildDlg::OnInitDialog() {
    const BOOL result = CPairChildDlg::OnInitDialog();
    // Without the skin there is no layout and the controls keep their template places; the
    // message must show all the same.
    if (!LayoutDone()) {
        SetUpText();
        m_staticText.SetWindowText(m_strText);
        ::ShowWindow(m_btnCancel.m_hWnd, RowFor(Kind()).cancelShown ? SW_SHOW : SW_HIDE);
    }
    return result;
}

void CPromptChildDlg::SetUpText() {
    // An exact copy of this dialog's font ("宋体", 10 points), in a block wrapped like an edit
    // control and centred vertically.
    m_staticText.SetTextFont(0, 0);
    m_staticText.SetAlign(TextAlign::kEditControlBlock);
}

void CPromptChildDlg::SetUpControls() {
    const KindRow& row = RowFor(Kind());
    m_btnClose.m_fScale = m_fScale;
    m_btnClose.SetParentSkin(&m_skin);
    m_btnClose.SetImages(IDB_PNG_PROMPT_CLOSE_NORMAL, IDB_PNG_PROMPT_CLOSE_HOVER, IDB_PNG_PROMPT_CLOSE_PRESSED,
                         IDB_PNG_PROMPT_CLOSE_PRESSED);
    // The answers' scale stays 1.0: enlarged, the whole image keeps the frame of 取消 and 否 on all
    // four sides.
    m_btnOk.SetParentSkin(&m_skin);
    m_btnCancel.SetParentSkin(&m_skin);
    SetButtonImages(m_btnOk, row.ok);
    SetButtonImages(m_btnCancel, row.cancel);
    SetUpText();
}

void CPromptChildDlg::LayoutControls(bool first) {
    if (first) SetUpControls();
    const RECT client = GetClientRect();
    const bool twoAnswers = RowFor(Kind()).cancelShown;
    const taskwing::PromptLayout layout = taskwing::LayoutPrompt(client.right, client.bottom, m_fScale, twoAnswers);

    m_btnClose.MoveWindow(layout.close);
    m_btnOk.MoveWindow(layout.ok);
    m_btnCancel.MoveWindow(layout.cancel);
    m_btnOk.ShowWindow(SW_SHOW);
    m_btnCancel.ShowWindow(twoAnswers ? SW_SHOW : SW_HIDE);

    m_staticText.SetWindowText(m_strText);
    m_staticText.SetAlign(taskwing::PromptMessageAlign(MessageHeight(layout.text.Width()), layout.text));
    m_staticText.MoveWindow(layout.text);
}

int CPromptChildDlg::MessageHeight(int width) const {
    // The text control draws in an exact copy of this dialog's font.
    taskwing::unique_window_dc dc(m_hWnd);
    taskwing::unique_select_object font(dc.get(), GetFont());
    RECT measure{0, 0, width, 10};
    ::DrawTextW(dc.get(), m_strText.c_str(), static_cast<int>(m_strText.size()), &measure,
                DT_CALCRECT | DT_EXTERNALLEADING | DT_WORDBREAK | DT_EDITCONTROL);
    return measure.bottom - measure.top;
}

void CPromptChildDlg::FreeControlImages() {
    m_btnClose.FreeImages();
    m_btnOk.FreeImages();
    m_btnCancel.FreeImages();
}

LRESULT CPromptChildDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && OnButtonClicked(LOWORD(wParam))) return 0;
    return CPairChildDlg::WindowProc(message, wParam, lParam);
}

bool CPromptChildDlg::OnButtonClicked(int id) {
    // Synchronous, to the owner: the shell.
    HWND shell = GetParent();
    switch (id) {
    case IDC_PROMPT_CLOSE:
        if (shell != nullptr) ::SendMessageW(shell, WM_CLOSE, 0, 0);
        return true;
    case IDC_PROMPT_OK:
        if (shell != nullptr) SendPromptResult(shell, PromptAnswer::kConfirm);
        return true;
    case IDC_PROMPT_CANCEL:
        if (shell != nullptr) SendPromptResult(shell, PromptAnswer::kCancel);
        return true;
    default:
        return false;
    }
}

CPromptDlg::CPromptDlg(CWnd* parent) : CPairShellDlg(taskwing::kPromptPair, parent) {}

std::unique_ptr<CPairChildDlg> CPromptDlg::NewChild() {
    auto child = std::make_unique<CPromptChildDlg>();
    child->m_strText = m_strText;
    child->m_nKind = m_nKind;
    return child;
}

LRESULT CPromptDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PROMPT_RESULT) return OnPromptResult(PromptAnswerOf(wParam));
    return CPairShellDlg::WindowProc(message, wParam, lParam);
}

LRESULT CPromptDlg::OnPromptResult(PromptAnswer answer) {
    if (answer == PromptAnswer::kConfirm)
        OnOK();
    else
        OnCancel();
    return 0;
}
