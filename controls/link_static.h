#pragma once
// A drawn text that is a link (the agreement, "反馈问题"). The pointer still passes through it to
// the owner, which finds its clicks on the link itself (ContainsScreenPoint); the keyboard reaches
// it by Tab and opens it with Space or Enter, and a screen reader meets it as a link whose default
// action opens it. Both report to the parent as a static's click (WM_COMMAND, STN_CLICKED).
#include "controls/draw_text_static.h"

class CLinkStatic : public CDrawTextStatic {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnGetDlgCode(const MSG* message);
    void Activate();
};
