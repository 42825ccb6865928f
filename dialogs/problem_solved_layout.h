#pragma once
// The problem-solved window's child: where its hidden close button and its three stacked answer
// buttons go for a client rectangle and a scale, and the two texts that go to the feedback library
// with an answer. No Windows
// types: this builds and is tested everywhere.
#include <cstdint>
#include <string>

#include "base/decimal_text.h"
#include "dialogs/pair_layout.h"

namespace taskwing {

// One answer button: its place in client coordinates, and the margins where clicks do not count.
struct AnswerButtonPlace {
    PairRect rect;
    PairInsets hitInsets;
};

struct ProblemSolvedLayout {
    PairRect close;  // laid out, never shown
    AnswerButtonPlace solved;
    AnswerButtonPlace unsolved;
    AnswerButtonPlace other;
};

namespace problem_solved {

// The design: PNG 185 is 400 x 468 and each answer button 266 x 60, 80 apart, with a 9-pixel rim.
inline constexpr int kDesignWidth = 400;
inline constexpr int kDesignHeight = 468;
inline constexpr int kButtonWidth = 266;
inline constexpr int kButtonHeight = 60;
inline constexpr int kButtonStep = 80;
inline constexpr int kHitInset = 9;

constexpr AnswerButtonPlace Place(const PairRect& client, int left, int top, int width, int height, int inset) {
    const PairRect rect{client.left + left, client.top + top, client.left + left + width, client.top + top + height};
    return {rect, {inset, inset, inset, inset}};
}

}  // namespace problem_solved

// Up to the design width the buttons are centred on the client at their design size; wider, they
// are scaled.
constexpr ProblemSolvedLayout LayoutProblemSolved(const PairRect& client, float s) {
    using namespace problem_solved;
    const float right = static_cast<float>(client.right);
    const float top = static_cast<float>(client.top);
    const int closeLeft = Trunc(right - 18 * s);
    const int closeTop = Trunc(top + 6 * s);
    const PairRect close{closeLeft, closeTop, Trunc(static_cast<float>(closeLeft) + 12 * s),
                         Trunc(static_cast<float>(closeTop) + 12 * s)};

    const int width = client.Width();
    const int height = client.Height();
    if (width <= kDesignWidth) {
        const int left = width / 2 - kButtonWidth / 2;
        const int middle = height / 2;
        auto at = [&](int buttonTop) {
            return Place(client, left, buttonTop, kButtonWidth, kButtonHeight, kHitInset);
        };
        return {close, at(middle - kButtonStep), at(middle), at(middle + kButtonStep)};
    }

    const int buttonWidth = Trunc(kButtonWidth * s);
    const int buttonHeight = Trunc(kButtonHeight * s);
    const int inset = Trunc(kHitInset * s);
    const int step = Trunc(kButtonStep * s);
    // The first button's left is truncated once, the others' in two parts: they can differ by one.
    const int solvedLeft = Trunc(kDesignWidth * s / 2 - kButtonWidth * s / 2);
    const int otherLeft = Trunc(kDesignWidth * s / 2) - Trunc(kButtonWidth * s / 2);
    const int solvedTop = Trunc(kDesignHeight * s / 2 - static_cast<float>(step));
    const int middle = Trunc(kDesignHeight * s / 2);
    return {close, Place(client, solvedLeft, solvedTop, buttonWidth, buttonHeight, inset),
            Place(client, otherLeft, middle, buttonWidth, buttonHeight, inset),
            Place(client, otherLeft, middle + step, buttonWidth, buttonHeight, inset)};
}

// The answer's time for the library: the low 32 bits of a Unix time as a signed decimal, so that
// from 2038 on it is negative, as the library expects it.
inline std::wstring FeedbackTimeText(std::int64_t unixTime) {
    return DecimalText(static_cast<std::int32_t>(static_cast<std::uint32_t>(unixTime)));
}

// The device type as the library counts it: one more than ours (0 none, 1 Ostrel, 2 Pell).
inline std::wstring FeedbackDeviceText(int deviceType) {
    // In 64 bits: no overflow for any int.
    return DecimalText(static_cast<std::int64_t>(deviceType) + 1);
}

}  // namespace taskwing
