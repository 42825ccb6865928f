#pragma once
// The main window pair: the layered shell CNorvaneTaskwingDlg (dialog 102, PNG 138) and the content
// window CTaskwingDlg (dialog 137, PNG 139) that lies on it, holds every control and leads the
// shell when dragged. The content window also runs the start-up gates and the operations.
#include <atomic>
#include <memory>

#include "app/align_worker.h"
#include "base/handles.h"
#include "controls/check_box.h"
#include "controls/draw_text_static.h"
#include "controls/image_button.h"
#include "controls/png_button.h"
#include "dialogs/pair_child.h"
#include "dialogs/pair_shell.h"
#include "dialogs/progress_dlg.h"
#include "feedback/feedback_dll.h"

namespace taskwing {
// The tool's identity in every call into the feedback library.
inline constexpr wchar_t kToolId[] = L"10132";
inline constexpr wchar_t kToolVersion[] = L"1.1.22.1017";

// The content window's timers.
inline constexpr UINT_PTR kTimerHover = 33;       // agreement link hover, every 100 ms
inline constexpr UINT_PTR kTimerStartCheck = 38;  // update and code-page checks, once
// Answered with 1 and otherwise ignored.
inline constexpr UINT WM_TASKWING_PING = MessageId(TaskwingMessage::kPing);

struct AlignOperationRow;
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

    // Start-up: the device type, then the gates; a failed gate ends the process. The device type
    // comes from the USB drives; a test host may name it instead.
    virtual void DetectDeviceType();
    void RunStartGates();
    [[noreturn]] void FailGate(const wchar_t* logLine, const wchar_t* prompt);
    void OnStartCheck();
    // Returns only when no newer version exists; otherwise notice, then exit(0).
    void CheckForUpdate();

    LRESULT OnCommand(int id, int code);
    void OnAgreementClicked();
    void OnMoveLeft();
    void OnCentre();
    void RunOperation(const taskwing::AlignOperationRow& row);
    // The two operations' columns: one handler, two rows.
    static const taskwing::AlignOperationRow kMoveLeftRow;
    static const taskwing::AlignOperationRow kCentreRow;
    LRESULT OnCloseProgress();
    LRESULT OnAlignResult(AlignResult result);

    LRESULT OnNcHitTest(POINT screen);
    LRESULT OnLButtonDown(POINT client);
    LRESULT OnTimer(UINT_PTR id);
    LRESULT OnDestroy();

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
    CDrawTextStatic m_stAgreement;
    CDrawTextStatic m_stFeedback;
    CAlignWorker m_worker;
    std::unique_ptr<CExecutePromptDlg> m_pProgressDlg;
    CFeedbackDll m_feedbackDll;
    taskwing::feedback::FeedbackTexts m_strFeedback;
    int m_nDeviceType = 0;
    bool m_bOperationRunning = false;
    bool m_bStartNoticeUp = false;
    bool m_bCloseBegun = false;
};

class CNorvaneTaskwingDlg : public CPairShellDlg {
public:
    explicit CNorvaneTaskwingDlg(CWnd* parent = nullptr);
    ~CNorvaneTaskwingDlg() override;

    CTaskwingDlg* Content() const { return ChildDlg() != nullptr ? m_pContent : nullptr; }

    INT_PTR DoModal() override;

protected:
    void OnShellSkinReady() override;
    std::unique_ptr<CPairChildDlg> NewChild() override;
    // The content window object; a test host may make one of its own.
    virtual std::unique_ptr<CTaskwingDlg> NewContent() { return std::make_unique<CTaskwingDlg>(); }
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    LRESULT OnSysCommand(UINT command, LPARAM lParam);
    LRESULT OnPaint();
    LRESULT OnClose();
    LRESULT OnDestroyShell();

    HICON m_hIcon = nullptr;
    // Set once the user's close has begun: a second close is ignored, and only a window that was
    // closed this way removes the tool's files when it goes.
    bool m_bClosing = false;
    CTaskwingDlg* m_pContent = nullptr;  // the child NewChild made
    // A second thread for the whole start: it decodes the shell's skin while the window thread
    // makes the shell's window, then the content's skin unless the window thread has claimed it
    // first, and once the shell stands (OnShellSkinReady) it registers the common control classes.
    struct Beside {
        HMODULE module = nullptr;
        UINT shellPng = 0;
        UINT childPng = 0;
        PngImagePtr shellSkin;
        taskwing::unique_handle shellSkinDone;  // set once shellSkin is decoded, or failed to
        taskwing::unique_handle shellUp;        // set by the window thread, or when the run ends
        std::atomic<bool> childSkinClaimed{false};
        PngImagePtr childSkin;
        bool ClaimChildSkin() { return !childSkinClaimed.exchange(true); }
    };
    static DWORD WINAPI RunBeside(void* beside);
    void StartBeside();
    Beside m_beside;
    taskwing::unique_handle m_besideThread;
};

// The About box (dialog 100).
class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(100) {}
};
