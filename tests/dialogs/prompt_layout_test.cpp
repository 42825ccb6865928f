// The prompt box's and the progress window's layouts at the scale factors of 96, 120 and 144 dots
// per inch, for the child sizes their pairs give them. Expected values are worked out by hand.
#include "dialogs/prompt_layout.h"

#include <gtest/gtest.h>

#include "dialogs/progress_layout.h"

namespace {

using taskwing::LayoutProgress;
using taskwing::LayoutPrompt;
using taskwing::PairRect;

static_assert(LayoutPrompt(326, 146, 1.0f, true).ok.left == 96);

struct PromptCase {
    float scale;
    int width, height;  // the prompt child at that scale
    PairRect close, pairOk, loneOk, cancel, text;
};

TEST(PromptLayout, EveryControlAtEachScale) {
    const PromptCase cases[] = {
        {1.0f, 326, 146, {300, 8, 312, 20}, {96, 107, 151, 131}, {135, 107, 190, 131}, {175, 107, 230, 131},
         {10, 30, 316, 106}},
        // 55 x 1.25 = 68.75 and 12 x 1.25 = 15: the pair's 确认 starts at 203 - 83.75, truncated once.
        {1.25f, 407, 182, {375, 10, 390, 25}, {119, 133, 187, 163}, {168, 133, 236, 163}, {218, 133, 286, 163},
         {12, 37, 395, 132}},
        {1.5f, 489, 219, {450, 12, 468, 30}, {143, 160, 225, 196}, {202, 160, 284, 196}, {262, 160, 344, 196},
         {15, 45, 474, 159}},
    };
    for (const PromptCase& c : cases) {
        const auto two = LayoutPrompt(c.width, c.height, c.scale, true);
        const auto one = LayoutPrompt(c.width, c.height, c.scale, false);
        EXPECT_EQ(c.close, two.close) << c.scale;
        EXPECT_EQ(c.pairOk, two.ok) << c.scale;
        EXPECT_EQ(c.cancel, two.cancel) << c.scale;
        EXPECT_EQ(c.text, two.text) << c.scale;
        // A lone answer moves to the centre; nothing else moves.
        EXPECT_EQ(c.loneOk, one.ok) << c.scale;
        EXPECT_EQ(two.close, one.close) << c.scale;
        EXPECT_EQ(two.cancel, one.cancel) << c.scale;
        EXPECT_EQ(two.text, one.text) << c.scale;
    }
}

TEST(PromptLayout, OddWidthsDropTheHalfsRemainder) {
    // 327 / 2 is 163, as for 326: the buttons stay; the close button follows the right edge.
    const auto layout = LayoutPrompt(327, 146, 1.0f, true);
    EXPECT_EQ((PairRect{96, 107, 151, 131}), layout.ok);
    EXPECT_EQ((PairRect{301, 8, 313, 20}), layout.close);
    EXPECT_EQ((PairRect{10, 30, 317, 106}), layout.text);
}

TEST(PromptLayout, AMessageTallerThanItsAreaStartsAtTheTop) {
    const PairRect text{10, 30, 316, 106};  // 76 high
    EXPECT_EQ(TextAlign::kEditControlBlock, taskwing::PromptMessageAlign(16, text));
    EXPECT_EQ(TextAlign::kEditControlBlock, taskwing::PromptMessageAlign(76, text));
    EXPECT_EQ(TextAlign::kTopLeft, taskwing::PromptMessageAlign(77, text));
}

TEST(ProgressLayout, TheTextBandAtEachScale) {
    struct Case {
        float scale;
        int width, height;  // the progress child at that scale
        PairRect text;
    };
    const Case cases[] = {
        {1.0f, 204, 104, {10, 32, 194, 72}},
        // 255 - 12.5 and 65 - 25, each truncated once.
        {1.25f, 255, 130, {12, 40, 242, 90}},
        {1.5f, 306, 156, {15, 48, 291, 108}},
        // An odd height: its half drops the remainder before the scaled 20 is taken off.
        {1.0f, 204, 105, {10, 32, 194, 72}},
    };
    for (const Case& c : cases) {
        const auto layout = LayoutProgress(c.width, c.height, c.scale);
        EXPECT_EQ(c.text, layout.text) << c.scale << " " << c.height;
    }
}

}  // namespace
