#pragma once
// The tool's message box: a skinned pair with the title band 提示, one message, a close button and
// one or two answer buttons. Shell CPromptDlg (dialog 134, PNG 167) runs modally; child
// CPromptChildDlg (dialog 133, PNG 168) carries the controls and reports the answer to the shell.
#include <memory>
#include <string>

#include "controls/draw_text_static.h"
#include "controls/png_button.h"
#include "dialogs/messages.h"
#include "dialogs/pair_child.h"
#include "dialogs/pair_shell.h"

// Which answer buttons a prompt shows; the labels are drawn in the buttons' images.
enum class PromptKind : int {
    kYes = 1,            // 是 alone, centred (the default)
    kYesNo = 2,          // 是 and 否
    kConfirm = 3,        // 确认 alone, centred: every notice of the tool
    kConfirmCancel = 4,  // 确认 and 取消
};

class CPromptChildDlg : public CPairChildDlg {
public:
    explicit CPromptChildDlg(const taskwing::PairTraits& traits = taskwing::kPromptPair);

    // Copies of the shell's message and kind, written before the window is made.
    std::wstring m_strText;
    PromptKind m_nKind = PromptKind::kYes;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    void LayoutControls(bool first) override;
    void FreeControlImages() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // A click on one of the buttons; false for other controls.
    bool OnButtonClicked(int id);
    // The kind in force: one of the four, anything else being the default.
    PromptKind Kind() const;
    // Images, background and font: once, at the first layout.
    void SetUpControls();
    void SetUpText();
    // The height of the wrapped message at `width`, as the text control measures it.
    int MessageHeight(int width) const;

    CPngButton m_btnClose;
    CPngButton m_btnOk;
    CPngButton m_btnCancel;
    CDrawTextStatic m_staticText;
};

class CPromptDlg : public CPairShellDlg {
public:
    // The tool's notices pass no parent, or the main window's content window.
    explicit CPromptDlg(CWnd* parent = nullptr);

    void SetText(std::wstring text) { m_strText = std::move(text); }
    void SetKind(PromptKind kind) { m_nKind = kind; }

    // DoModal ends with IDOK after the confirm (是, 确认) button and IDCANCEL after the other
    // answer (否, 取消) or the close button.

protected:
    std::unique_ptr<CPairChildDlg> NewChild() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnPromptResult(PromptAnswer answer);

    std::wstring m_strText;
    PromptKind m_nKind = PromptKind::kYes;
};
