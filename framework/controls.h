#pragma once
// The standard control roles that the owner-drawn controls build on: a button and a static text
// bound to a template item.
#include "framework/wnd.h"

class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(::SendMessageW(m_hWnd, BM_GETCHECK, 0, 0)); }
    void SetCheck(int state) { ::SendMessageW(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(state), 0); }
};

class CStatic : public CWnd {};
