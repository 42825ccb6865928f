#pragma once
// CDialog: a window made from a dialog template of the resource module, run modally with our own
// message loop (so that every window of a pair sees its keys first in PreTranslateMessage) or
// created modeless.
#include <vector>

#include "framework/wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr);
    ~CDialog() override;

    // Runs the dialog until EndDialog: disables the owner and every other enabled window of this
    // framework on the thread, creates the window, centres it when
    // OnInitDialog left it hidden and in place, shows it and pumps messages; then re-enables the
    // owner and destroys the window. Returns EndDialog's result (IDOK, IDCANCEL, ...), or -1 when
    // the window could not be made. The owner is the parent's top-level window or, without a
    // parent, the application's main window. The activation goes back to the window that had it
    // at the start, or to the tool's topmost enabled window, never to a disabled one.
    virtual INT_PTR DoModal();
    // A modeless dialog; a pop-up's parent becomes its owner.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    // Ends a modal run with this result once the current message is handled; a modeless dialog
    // is only hidden.
    void EndDialog(INT_PTR result);

    // Centres the window over its owner when the owner is shown, else over the work area.
    void CenterWindow();

    // Dialog navigation keys (Tab, arrows, default buttons) for this dialog's own messages. A
    // navigation key shows the focus cues from then on.
    BOOL PreTranslateMessage(MSG* msg) override;

    UINT m_nIDTemplate;

protected:
    // Binds the template's controls (DoDataExchange) and returns TRUE to let the system set the
    // focus.
    virtual BOOL OnInitDialog();
    // Binds template controls to their objects with DDX_Control.
    virtual void DoDataExchange() {}
    // Subclasses the template item `id` into `control`, once.
    void DDX_Control(int id, CWnd& control);
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CWnd* m_pParentWnd;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnChangeUiState(WPARAM change);
    LRESULT OnUpdateUiState(WPARAM change);
    BOOL CreateFromTemplate(HWND owner);
    BOOL HandleInitDialog(HWND hwnd);
    void RunModalLoop();
    HWND ModalOwner() const;
    // Disables the thread's enabled framework windows and `owner`; returns them for re-enabling.
    static std::vector<HWND> DisableToolWindows(HWND owner);
    void HideWithoutActivating();
    // After a run: `before` (the window active at its start) if it still takes input, else the
    // tool's topmost window that does; null when none does.
    HWND ActivationAfterRun(HWND before) const;

    bool m_bContinueModal = false;
    INT_PTR m_nModalResult = -1;
    // The window's UI state (UISF_HIDEFOCUS, UISF_HIDEACCEL), kept here for the dialog and its
    // controls, since the system keeps none under Wine: a dialog starts with the cues hidden unless
    // the keyboard gave the last input; WM_CHANGEUISTATE changes it, WM_UPDATEUISTATE tells every
    // control, WM_QUERYUISTATE answers it.
    UINT m_uiState = UISF_HIDEFOCUS | UISF_HIDEACCEL;
};

// Whether the latest input that the modal loops saw came from the keyboard rather than a
// mouse button: what a new dialog's UI state starts from.
bool LastInputWasKeyboard();
