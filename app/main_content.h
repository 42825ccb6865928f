#pragma once
// The main window's content window CTaskwingDlg (dialog 137, PNG 139): it lies on the shell, holds
// every control and leads the shell when dragged. Its handlers are split by concern: controls,
// links, focus and timers (main_content.cpp), the start checks (start_checks.cpp) and the
// operations (main_operation.cpp).
#include <memory>

#include "controls/check_box.h"
#include "controls/draw_text_static.h"
#include "controls/image_button.h"
#include "controls/link_static.h"
#include "controls/png_button.h"
#include "dialogs/pair_child.h"
#include "dialogs/progress_dlg.h"
#include "feedback/feedback_dll.h"
#include "ops/align_worker.h"

namespace taskwing {
// The content window's timers.
inline constexpr UINT_PTR kTimerHover = 33;       // agreement link hover, every 100 ms
inline constexpr UINT_PTR kTimerStartCheck = 38;  // update and code-page checks, once
// Answered with 1 and otherwise ignored.
inline constexpr UINT WM_TASKWING_PING = MessageId(TaskwingMessage::kPing);
}  // namespace taskwing

class CTaskwingDlg : public CPairChildDlg {
public:
    CTaskwingDlg();
    ~CTaskwingDlg() override;

    CFeedbackDll& FeedbackDll() { return m_feedbackDll; }
    int DeviceType() const { return m_nDeviceType; }
    // A window runs inside this window's handlers: an operation, from its launch until its result
    // has been dismissed, or a start notice (update, code page) until it has been dismissed.
    bool RunsWindowInside() const { return m_bOperationRunning || m_bStartNoticeUp; }
    // The user's close has begun: the start checks, should they not have run yet, never will.
    void CloseBegun();

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    void LayoutControls(bool first) override;
    void FreeControlImages() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Keys never reach minimise or close: the focus moves on to the first tab stop instead.
    BOOL PreTranslateMessage(MSG* msg) override;
    void MoveFocusOffWindowButtons();

    // Start-up (start_checks.cpp): the device type, then the gates; a failed gate ends the
    // process. The device type comes from the USB drives; a test host may name it instead.
    virtual void DetectDeviceType();
    void RunStartGates();
    void OnStartCheck();
    // Returns only when no newer version exists; otherwise notice, then exit(0).
    void CheckForUpdate();

    // Commands and links.
    LRESULT OnCommand(int id, int code);
    void OnAgreementClicked();
    void OnCloseClicked();
    void OnMinimiseClicked();
    void OnMoreToolsClicked();
    // The links, by the pointer or by a key.
    void OnAgreementLink();
    void OnFeedbackLink();
    LRESULT OnNcHitTest(POINT screen);
    LRESULT OnLButtonDown(POINT client);
    LRESULT OnTimer(UINT_PTR id);
    LRESULT OnDestroy();

    // The operations (main_operation.cpp): one handler, one table row each.
    void OnMoveLeft();
    void OnCentre();
    void RunOperation(const CImageButton& button, const taskwing::AlignOperation& operation);
    LRESULT OnCloseProgress();
    LRESULT OnAlignResult(AlignResult result);

    // A prompt of kind 3 (one 确认 button) at this window's scale, run modally.
    void ShowNotice(const wchar_t* text, CWnd* parent);

    RECT m_rcClient{};
    CDrawTextStatic m_stVersion;
    CPngButton m_btnClose;
    CPngButton m_btnMin;
    CImageButton m_btnMoveLeft;
    CImageButton m_btnCentre;
    CImageButton m_btnMoreTools;
    CCheckBoxBtn m_chkAgree;
    CLinkStatic m_stAgreement;
    CLinkStatic m_stFeedback;
    CAlignWorker m_worker;
    std::unique_ptr<CExecutePromptDlg> m_pProgressDlg;
    CFeedbackDll m_feedbackDll;
    taskwing::feedback::FeedbackTexts m_strFeedback;
    int m_nDeviceType = 0;
    bool m_bOperationRunning = false;
    bool m_bStartNoticeUp = false;
    bool m_bCloseBegun = false;
};
