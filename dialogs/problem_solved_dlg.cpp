// The problem-solved window: its answers, their images and hit areas, and the report to the
// feedback library.
#include "dialogs/problem_solved_dlg.h"

#include <string>

#include "app/tool_identity.h"
#include "dialogs/problem_solved_layout.h"
#include "feedback/feedback_dll.h"
#include "resources/resource.h"

namespace {

using taskwing::kToolId;
using taskwing::kToolVersion;

struct AnswerRow {
    int control;
    ProblemAnswer answer;
    bool rimTestFirst;  // the images have a transparent rim where the pointer must not answer
    bool openQuestion;     // then the library's question page
};

constexpr AnswerRow kCloseRow{IDC_PROBLEM_SOLVING_CLOSE, ProblemAnswer::kOther, false, false};
constexpr AnswerRow kAnswers[] = {
    {IDC_BTN_SOLVED, ProblemAnswer::kSolved, true, true},
    {IDC_BTN_UNSOLVED, ProblemAnswer::kUnsolved, true, true},
    {IDC_BTN_OTHER, ProblemAnswer::kOther, false, true},
    kCloseRow,
};

const AnswerRow* RowFor(int control) {
    for (const AnswerRow& row : kAnswers)
        if (row.control == control) return &row;
    return nullptr;
}

// Normal, hover, pressed, disabled.
struct ButtonImages {
    UINT normal, hover, pressed, disabled;
};

void SetUpAnswerButton(CImageButton& button, const taskwing::StretchedSkin* background, const ButtonImages& images) {
    button.SetParentSkin(background);
    button.SetImages(images.normal, images.hover, images.pressed, images.disabled);
}

// The hit insets follow the place: they are set on every layout, so that a first layout at the
// template's size cannot leave insets that belong elsewhere. The background piece is wherever the
// button sits on the kept skin.
void PlaceAnswerButton(CImageButton& button, const taskwing::AnswerButtonPlace& place) {
    button.SetHitInsets(place.hitInsets.left, place.hitInsets.top, place.hitInsets.right, place.hitInsets.bottom);
    button.MoveWindow(place.rect);
}

}  // namespace

CProblemSolvingFeedbackChildDlg::CProblemSolvingFeedbackChildDlg() : CPairChildDlg(taskwing::kProblemSolvedPair) {}

CProblemSolvingFeedbackChildDlg::~CProblemSolvingFeedbackChildDlg() = default;

void CProblemSolvingFeedbackChildDlg::DoDataExchange() {
    DDX_Control(IDC_PROBLEM_SOLVING_CLOSE, m_btnClose);
    DDX_Control(IDC_BTN_SOLVED, m_btnSolved);
    DDX_Control(IDC_BTN_UNSOLVED, m_btnUnsolved);
    DDX_Control(IDC_BTN_OTHER, m_btnOther);
}

void CProblemSolvingFeedbackChildDlg::LayoutControls(bool first) {
    m_rcClient = GetClientRect();
    const taskwing::ProblemSolvedLayout layout =
        taskwing::LayoutProblemSolved({m_rcClient.left, m_rcClient.top, m_rcClient.right, m_rcClient.bottom}, m_fScale);

    if (first) {
        m_btnClose.m_fScale = m_fScale;
        m_btnClose.SetImages(IDB_PNG_PROBLEM_SOLVING_CLOSE_NORMAL, IDB_PNG_PROBLEM_SOLVING_CLOSE_HOVER,
                             IDB_PNG_PROBLEM_SOLVING_CLOSE_PRESSED, IDB_PNG_PROBLEM_SOLVING_CLOSE_DISABLED);
    }
    // Laid out but never shown: the window is left by answering.
    m_btnClose.MoveWindow(layout.close);
    m_btnClose.ShowWindow(SW_HIDE);

    if (first) {
        const taskwing::StretchedSkin* background = &m_skin;
        SetUpAnswerButton(m_btnSolved, background,
                          {IDB_PNG_ANSWER_SOLVED_NORMAL, IDB_PNG_ANSWER_SOLVED_HOVER, IDB_PNG_ANSWER_SOLVED_PRESSED,
                           IDB_PNG_ANSWER_SOLVED_DISABLED});
        SetUpAnswerButton(m_btnUnsolved, background,
                          {IDB_PNG_ANSWER_UNSOLVED_NORMAL, IDB_PNG_ANSWER_UNSOLVED_HOVER,
                           IDB_PNG_ANSWER_UNSOLVED_PRESSED, IDB_PNG_ANSWER_UNSOLVED_DISABLED});
        SetUpAnswerButton(m_btnOther, background,
                          {IDB_PNG_ANSWER_OTHER_NORMAL, IDB_PNG_ANSWER_OTHER_HOVER, IDB_PNG_ANSWER_OTHER_PRESSED,
                           IDB_PNG_ANSWER_OTHER_DISABLED});
    }
    PlaceAnswerButton(m_btnSolved, layout.solved);
    PlaceAnswerButton(m_btnUnsolved, layout.unsolved);
    PlaceAnswerButton(m_btnOther, layout.other);
}

void CProblemSolvingFeedbackChildDlg::FreeControlImages() {
    m_btnClose.FreeImages();
    m_btnSolved.FreeImages();
    m_btnUnsolved.FreeImages();
    m_btnOther.FreeImages();
}

LRESULT CProblemSolvingFeedbackChildDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && OnAnswerClicked(LOWORD(wParam))) return 0;
    return CPairChildDlg::WindowProc(message, wParam, lParam);
}

bool CProblemSolvingFeedbackChildDlg::OnAnswerClicked(int control) {
    const AnswerRow* row = RowFor(control);
    if (row == nullptr) return false;
    if (row->rimTestFirst) {
        const CImageButton& button = control == IDC_BTN_SOLVED ? m_btnSolved : m_btnUnsolved;
        // A pointer's click on the transparent rim: not an answer, the window stays. A key or
        // another program's press answers.
        if (!button.IsClickInside()) return true;
    }
    Report(row->answer, row->openQuestion);
    SendCloseToShell();
    return true;
}

void CProblemSolvingFeedbackChildDlg::OnCancel() {
    // Hiding the child alone would leave an empty shell that cannot be left.
    Report(kCloseRow.answer, kCloseRow.openQuestion);
    SendCloseToShell();
}

void CProblemSolvingFeedbackChildDlg::ReportCloseAnswer() { Report(kCloseRow.answer, kCloseRow.openQuestion); }

bool CProblemSolvingFeedbackChildDlg::Report(ProblemAnswer answer, bool openQuestion) {
    // One answer per window, also when a close arrives while the library is still busy with one.
    if (m_bAnswered) return false;
    m_bAnswered = 1;
    if (m_pFeedbackDll == nullptr) return true;
    const std::wstring timeText = taskwing::FeedbackTimeText(m_pfnClock(nullptr));
    const std::wstring deviceText = taskwing::FeedbackDeviceText(m_nDeviceType);
    // The results tell nothing the window could act on.
    m_pFeedbackDll->CustomerFeedbackEx(kToolId, kToolVersion, static_cast<int>(answer), timeText.c_str(),
                                       deviceText.c_str());
    if (openQuestion) m_pFeedbackDll->FeedbackQuestion(kToolId, kToolVersion);
    return true;
}

void CProblemSolvingFeedbackChildDlg::SendCloseToShell() {
    HWND shell = GetParent();
    if (shell != nullptr) ::SendMessageW(shell, WM_CLOSE, 0, 0);
}

CProblemSolvingFeedbackDlg::CProblemSolvingFeedbackDlg() : CPairShellDlg(taskwing::kProblemSolvedPair) {}

CProblemSolvingFeedbackDlg::~CProblemSolvingFeedbackDlg() = default;

BOOL CProblemSolvingFeedbackDlg::OnInitDialog() {
    ::SetWindowTextW(m_hWnd, L"Taskwing");
    // Before the pair is built: every one of its lengths depends on it.
    m_fScale = ScreenScaleFactor();
    return CPairShellDlg::OnInitDialog();
}

std::unique_ptr<CPairChildDlg> CProblemSolvingFeedbackDlg::NewChild() {
    auto child = std::make_unique<CProblemSolvingFeedbackChildDlg>();
    child->m_pFeedbackDll = m_pFeedbackDll;
    child->m_nDeviceType = m_nDeviceType;
    child->m_pfnClock = m_pfnClock;
    m_pFeedbackChild = child.get();
    return child;
}

void CProblemSolvingFeedbackDlg::OnCancel() {
    // Closed without an answer (Alt+F4 on the shell, its system menu): that is the close answer.
    // After an answer the child has reported already and this reports nothing.
    if (CProblemSolvingFeedbackChildDlg* child = FeedbackChild()) child->ReportCloseAnswer();
    CPairShellDlg::OnCancel();
}
