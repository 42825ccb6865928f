#pragma once
// The prompt box's child: where its close button, its answer buttons and its message go for a
// client size and a scale, and how the message is aligned once its height is measured. No Windows types: this builds and is tested
// everywhere.
#include "controls/text_align.h"
#include "dialogs/pair_layout.h"

namespace taskwing {

// Each control's place in client coordinates.
struct PromptLayout {
    PairRect close;
    PairRect ok;      // 是 or 确认
    PairRect cancel;  // 否 or 取消, placed also when it is hidden
    PairRect text;
};

// With two answers they stand either side of the centre; a lone one stands on it.
constexpr PromptLayout LayoutPrompt(int width, int height, float s, bool twoAnswers) {
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

    return {close,
            {okLeft, buttonTop, okLeft + buttonWidth, buttonTop + buttonHeight},
            {cancelLeft, buttonTop, cancelLeft + buttonWidth, buttonTop + buttonHeight},
            {textLeft, textTop, textRight, textBottom}};
}

// Centred, a message taller than its area would lose its beginning above the top edge: such a
// message starts at the top instead, and only its end is cut.
constexpr TextAlign PromptMessageAlign(int messageHeight, const PairRect& text) {
    return messageHeight > text.Height() ? TextAlign::kTopLeft : TextAlign::kEditControlBlock;
}

}  // namespace taskwing
