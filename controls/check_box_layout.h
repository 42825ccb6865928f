#pragma once
// Where the agreement check box puts its box and its text for a client area and a scale factor,
// and which frame of the box strip a check state shows. No Windows types: this builds and is
// tested everywhere.
#include "base/layout_rect.h"

namespace taskwing {

using CheckBoxRect = LayoutRect;

struct CheckBoxLayout {
    CheckBoxRect box;  // may reach above and below a client area shorter than the box
    int textLeft = 0;
    friend constexpr bool operator==(const CheckBoxLayout&, const CheckBoxLayout&) = default;
};

// Side of one frame of the box strip, in image pixels and in design pixels.
inline constexpr int kCheckBoxFrameSide = 16;

// The box is the design frame scaled, its top half the scaled side above the middle row; the text
// starts two pixels after it. Each scaled length is truncated toward zero on its own.
constexpr CheckBoxLayout CheckBoxLayoutFor(int clientLeft, int clientHeight, float scale) {
    const int side = static_cast<int>(static_cast<float>(kCheckBoxFrameSide) * scale);
    const int top = clientHeight / 2 - static_cast<int>(static_cast<float>(kCheckBoxFrameSide / 2) * scale);
    return {{clientLeft, top, clientLeft + side, top + side}, clientLeft + side + 2};
}

// The strip's frames sit side by side: 0 the empty box, 1 the ticked box. Only a checked button
// (1) shows the tick; indeterminate (2) and anything else show the empty box.
constexpr int CheckBoxFrameLeft(int checkState) { return checkState == 1 ? kCheckBoxFrameSide : 0; }

}  // namespace taskwing
