#pragma once
// The window that asks, as the tool closes, whether it solved the problem. The question is drawn in
// the skins; three large image buttons answer it. The answer goes to the feedback library with a
// time stamp and the device type, the library's question page is opened, and the window ends.
// Shell CProblemSolvingFeedbackDlg (dialog 132, PNG 184) runs modally and scales itself by the
// screen; child CProblemSolvingFeedbackChildDlg (dialog 131, PNG 185) carries the buttons.
#include <time.h>

#include <memory>

#include "controls/image_button.h"
#include "controls/png_button.h"
#include "dialogs/pair_child.h"
#include "dialogs/pair_shell.h"

class CFeedbackDll;

// The answers as the feedback library counts them; the hidden close button counts as "other".
enum class ProblemAnswer : int {
    kSolved = 1,
    kUnsolved = 2,
    kOther = 3,
};

// Where an answer's time comes from: _time64, or a fixed clock in tests.
using FeedbackClock = __time64_t(__cdecl*)(__time64_t*);

class CProblemSolvingFeedbackChildDlg : public CPairChildDlg {
public:
    CProblemSolvingFeedbackChildDlg();
    ~CProblemSolvingFeedbackChildDlg() override;

    // Reports the close answer if no answer has gone out yet, without closing anything: for the
    // shell when it is closed by other means than an answer.
    void ReportCloseAnswer();
    bool Answered() const { return m_bAnswered != 0; }

    // Copies of the shell's, written before the window is made. The library is borrowed.
    CFeedbackDll* m_pFeedbackDll = nullptr;
    int m_nDeviceType = 0;
    FeedbackClock m_pfnClock = &_time64;

protected:
    void DoDataExchange() override;
    void LayoutControls(bool first) override;
    void FreeControlImages() override;
    // The client rectangle as last laid out.
    RECT BackgroundRect() const override { return m_rcClient; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Alt+F4 or the system menu's close on the child: the hidden close button's answer.
    void OnCancel() override;
    void OnOK() override {}

    // BN_CLICKED of an answer control; false for other controls.
    bool OnAnswerClicked(int control);
    // Reports once per window; true when this call reported.
    bool Report(ProblemAnswer answer, bool openQuestion);
    void SendCloseToShell();

    RECT m_rcClient{};
    CPngButton m_btnClose;
    CImageButton m_btnSolved;
    CImageButton m_btnUnsolved;
    CImageButton m_btnOther;
    int m_bAnswered = 0;
};

class CProblemSolvingFeedbackDlg : public CPairShellDlg {
public:
    CProblemSolvingFeedbackDlg();
    ~CProblemSolvingFeedbackDlg() override;

    // Borrowed: the main window owns the library. Null: answers are not reported.
    void SetFeedbackDll(CFeedbackDll* dll) { m_pFeedbackDll = dll; }
    void SetDeviceType(int deviceType) { m_nDeviceType = deviceType; }
    void SetClock(FeedbackClock clock) { m_pfnClock = clock; }

    // DoModal ends with IDCANCEL, after an answer or any other close; the close of the window
    // itself counts as the close answer.

protected:
    BOOL OnInitDialog() override;
    std::unique_ptr<CPairChildDlg> NewChild() override;
    void OnCancel() override;

    // The child NewChild made, while the shell owns it.
    CProblemSolvingFeedbackChildDlg* FeedbackChild() const {
        return ChildDlg() != nullptr ? m_pFeedbackChild : nullptr;
    }

    CFeedbackDll* m_pFeedbackDll = nullptr;
    int m_nDeviceType = 0;
    FeedbackClock m_pfnClock = &_time64;
    CProblemSolvingFeedbackChildDlg* m_pFeedbackChild = nullptr;
};
