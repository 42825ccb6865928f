#pragma once
// The main window's frame: the layered shell of the pair (dialog 102, PNG 138). It carries the
// icon and the About entry, decodes the skins beside its own making, asks the problem-solved
// question when closed, and starts the tool's removal when it goes after such a close.
#include <memory>

#include "dialogs/pair_shell.h"
#include "dialogs/skin_preloader.h"

class CTaskwingDlg;

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
    virtual std::unique_ptr<CTaskwingDlg> NewContent();
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    LRESULT OnSysCommand(UINT command);
    LRESULT OnPaint();
    LRESULT OnClose();
    LRESULT OnDestroyShell();

    HICON m_hIcon = nullptr;
    // Set once the user's close has begun: a second close is ignored, and only a window that was
    // closed this way removes the tool's files when it goes.
    bool m_bClosing = false;
    // While the About box runs inside OnSysCommand a close is refused: the pair ending under it
    // would leave the box alone with the process running.
    bool m_bAboutUp = false;
    CTaskwingDlg* m_pContent = nullptr;  // the child NewChild made
    // Both skins decode while the shell's window is made; once the shell stands, the same thread
    // registers the common control classes that the content window needs.
    CSkinPreloader m_preloader;
};
