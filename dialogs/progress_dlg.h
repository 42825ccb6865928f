#pragma once
// The progress window: a small blue panel with one centred line ("正在左移，请稍等") and dots that
// grow every second, modal while an operation runs. It has no button, cannot be dragged and ignores
// Enter and Escape; only WM_CLOSE_PROGRESS ends it. Shell CExecutePromptDlg (dialog 130, PNG 149)
// and child CExecutePromptChildDlg (dialog 129, PNG 150).
#include <string>

#include "controls/draw_state_info_static.h"
#include "dialogs/pair_child.h"
#include "dialogs/pair_shell.h"

class CExecutePromptChildDlg : public CPairChildDlg {
public:
    CExecutePromptChildDlg();
    ~CExecutePromptChildDlg() override;

    // Before the window is made; fewer than two characters shows "正在修复，请稍等".
    void SetOperationText(const std::wstring& text) { m_strText = text; }

    CDrawStateInfoStatic& StateInfo() { return m_stcInfo; }

protected:
    void DoDataExchange() override;
    // The window has nothing to focus but its text, a label: the focus stays on the window itself,
    // which a screen reader announces by its title, the text.
    BOOL OnInitDialog() override;
    void LayoutControls(bool first) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CDrawStateInfoStatic m_stcInfo;
    std::wstring m_strText;
};

class CExecutePromptDlg : public CPairShellDlg {
public:
    explicit CExecutePromptDlg(CWnd* parent = nullptr);
    ~CExecutePromptDlg() override;

    void SetOperationText(const std::wstring& text) { m_strText = text; }

    // Ends the window as WM_CLOSE_PROGRESS does. A request that comes before the window is up
    // (the worker can finish while it is still being made) is kept, and the run ends as soon as
    // the window has been made.
    void CloseProgress();

    // Only WM_CLOSE_PROGRESS ends the window, so that an operation's order holds: Alt+F4 on either
    // window does nothing.
    void OnChildCancel() override {}

protected:
    void OnCancel() override {}
    BOOL OnInitDialog() override;
    std::unique_ptr<CPairChildDlg> NewChild() override;
    // The size of the table, kept where the window is.
    taskwing::PairRect ComputeShellRect() const override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Stops the dots and ends the modal run with IDOK.
    LRESULT OnCloseProgress();

    // The child NewChild made, while the shell owns it.
    CExecutePromptChildDlg* ProgressChild() const { return ChildDlg() != nullptr ? m_pProgressChild : nullptr; }

    std::wstring m_strText;
    bool m_bCloseRequested = false;
    CExecutePromptChildDlg* m_pProgressChild = nullptr;
};
