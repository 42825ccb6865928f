#pragma once
// Where the click that a button reports came from, as the button's own messages tell it: the
// pointer (a press and a release of the left button on the button), or anything else: Space on the
// focused button, BM_CLICK from another program or an accessibility client's press (which runs a
// press and a release of its own through the button). Only the pointer's click is judged by where
// it was released. No Windows types: this builds and is tested everywhere.
#include "base/layout_rect.h"

namespace taskwing {

class ClickOrigin {
public:
    // Around the handling of BM_CLICK: the press and release it sends are not the pointer's.
    void BeginSynthetic() { ++m_synthetic; }
    void EndSynthetic() {
        if (m_synthetic > 0) --m_synthetic;
    }
    bool Synthetic() const { return m_synthetic > 0; }

    // WM_LBUTTONDOWN or WM_LBUTTONDBLCLK (a second press in quick succession).
    void Press() { m_pointerPressed = !Synthetic(); }
    // Around the handling of WM_LBUTTONUP at (x, y), client coordinates: a click reported meanwhile
    // is the pointer's when the pointer made the press too.
    void BeginRelease(int x, int y) {
        m_pointerRelease = m_pointerPressed && !Synthetic();
        m_x = x;
        m_y = y;
    }
    void EndRelease() {
        m_pointerRelease = false;
        m_pointerPressed = false;
    }

    // Whether the click reported now counts, `hit` being the part of the client area where the
    // pointer's clicks count (right and bottom edges outside): every click that is not the
    // pointer's, and the pointer's when it was released in `hit`.
    bool Counts(const LayoutRect& hit) const {
        if (!m_pointerRelease || Synthetic()) return true;
        return m_x >= hit.left && m_x < hit.right && m_y >= hit.top && m_y < hit.bottom;
    }

private:
    int m_synthetic = 0;
    bool m_pointerPressed = false;
    bool m_pointerRelease = false;
    int m_x = 0;
    int m_y = 0;
};

}  // namespace taskwing
