#pragma once
// The prompt box's child: where its close button, its answer buttons and its message go for a
// client size and a scale, which piece of PNG 168 each button shows behind itself, and how the
// message is aligned once its height is measured. No Windows types: this builds and is tested
// everywhere.
#include "controls/text_align.h"
#include "dialogs/pair_layout.h"

namespace taskwing {

// A control's place in client coordinates and the piece of the child's background under it, in
// image pixels. The pieces are the design's at every scale.
struct PlacedPiece {
    PairRect rect;
    PairRect source;
};

struct PromptLayout {
    PlacedPiece close;
    PlacedPiece ok;      // 是 or 确认
    PlacedPiece cancel;  // 否 or 取消, placed also when it is hidden
    PairRect text;
};

namespace prompt {

constexpr int Trunc(float value) { return static_cast<int>(value); }

inline constexpr PairRect kCloseSource{321, 8, 333, 20};
inline constexpr PairRect kOkSource{106, 107, 161, 131};
inline constexpr PairRect kCancelSource{185, 107, 240, 131};

}  // namespace prompt

// With two answers they stand either side of the centre; a lone one stands on it.
constexpr PromptLayout LayoutPrompt(int width, int height, float s, bool twoAnswers) {
    using namespace prompt;
    const int half = width / 2;

    const int closeLeft = width - Trunc(26 * s);
    const int closeTop = Trunc(8 * s);
    const PairRect close{closeLeft, closeTop, closeLeft + Trunc(12 * s), closeTop + Trunc(12 * s)};

    const int buttonTop = Trunc(107 * s);
    const int buttonWidth = Trunc(55 * s);
    const int buttonHeight = Trunc(24 * s);
    const int okLeft = twoAnswers ? Trunc(static_cast<float>(half) - 55 * s - 12 * s)
                                  : Trunc(static_cast<float>(half) - 55 * s / 2);
    const int cancelLeft = Trunc(static_cast<float>(half) + 12 * s);

    const int textLeft = Trunc(10 * s);
    const int textTop = Trunc(30 * s);
    const int textRight = width - Trunc(10 * s);
    const int textBottom = height - Trunc(40 * s);

    return {{close, kCloseSource},
            {{okLeft, buttonTop, okLeft + buttonWidth, buttonTop + buttonHeight}, kOkSource},
            {{cancelLeft, buttonTop, cancelLeft + buttonWidth, buttonTop + buttonHeight}, kCancelSource},
            {textLeft, textTop, textRight, textBottom}};
}

// Centred, a message taller than its area would lose its beginning above the top edge: such a
// message starts at the top instead, and only its end is cut.
constexpr TextAlign PromptMessageAlign(int messageHeight, const PairRect& text) {
    return messageHeight > text.Height() ? TextAlign::kTopLeft : TextAlign::kEditControlBlock;
}

}  // namespace taskwing
