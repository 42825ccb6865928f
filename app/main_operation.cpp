// The main window's two operations: the launch, the progress window while the worker runs, and
// the result prompt. What each operation says is its row in the worker's table (ops/align_worker.h).
#include "app/main_content.h"

void CTaskwingDlg::OnMoveLeft() { RunOperation(m_btnMoveLeft, taskwing::kMoveLeft); }
void CTaskwingDlg::OnCentre() { RunOperation(m_btnCentre, taskwing::kCentre); }

void CTaskwingDlg::RunOperation(const CImageButton& button, const taskwing::AlignOperation& operation) {
    // The pointer's click on the button's edge (its hit insets) starts nothing; a key or another
    // program's press starts the operation wherever the pointer is.
    if (!button.IsClickInside()) return;
    // One at a time: the window beneath a running operation's modal windows takes no clicks, and
    // this holds for anything else that sends the command.
    if (m_bOperationRunning) return;
    if (!m_worker.Launch(operation)) {
        ShowNotice(operation.threadFailedPrompt, nullptr);
        return;
    }
    m_bOperationRunning = true;
    // The worker runs already; its close request may come before the new window is up, which the
    // progress window keeps until it is.
    m_pProgressDlg = std::make_unique<CExecutePromptDlg>();
    m_pProgressDlg->SetOperationText(operation.progressText);
    m_pProgressDlg->m_fScale = m_fScale;
    m_pProgressDlg->DoModal();
}

LRESULT CTaskwingDlg::OnCloseProgress() {
    if (m_pProgressDlg) m_pProgressDlg->CloseProgress();
    return 1;
}

LRESULT CTaskwingDlg::OnAlignResult(AlignResult result) {
    // The worker waits in its send until this prompt has been dismissed.
    if (const taskwing::AlignOperation* operation = taskwing::OperationOf(result)) {
        ShowNotice(result == operation->successCode ? operation->succeededPrompt : operation->failedPrompt, nullptr);
    }
    m_bOperationRunning = false;
    return 1;
}
