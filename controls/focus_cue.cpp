// The dotted focus rectangle of the skinned controls, shown only while the window's UI state asks.
#include "controls/focus_cue.h"

namespace taskwing {

bool ShowsFocusCue(HWND control) {
    if (control == nullptr || ::GetFocus() != control) return false;
    // The dialog keeps the state for its controls (framework/dialog.h): the system does not under Wine.
    HWND dialog = ::GetParent(control);
    const LRESULT state = ::SendMessageW(dialog != nullptr ? dialog : control, WM_QUERYUISTATE, 0, 0);
    return (state & UISF_HIDEFOCUS) == 0;
}

void DrawFocusCue(HDC dc, const RECT& rect) {
    if (rect.right - rect.left < 2 || rect.bottom - rect.top < 2) return;
    const auto dot = [dc](int x, int y) {
        // Every other pixel along the edges, counted from the rectangle's corner as the system's
        // dotted focus rectangle is.
        const COLORREF below = ::GetPixel(dc, x, y);
        if (below == CLR_INVALID) return;
        const int light = GetRValue(below) * 299 + GetGValue(below) * 587 + GetBValue(below) * 114;
        ::SetPixelV(dc, x, y, light >= 128 * 1000 ? RGB(0, 0, 0) : RGB(255, 255, 255));
    };
    const int right = rect.right - 1;
    const int bottom = rect.bottom - 1;
    for (int x = rect.left; x <= right; x += 2) {
        dot(x, rect.top);
        dot(x, bottom);
    }
    for (int y = rect.top + 2; y < bottom; y += 2) {
        dot(rect.left, y);
        dot(right, y);
    }
}

}  // namespace taskwing
