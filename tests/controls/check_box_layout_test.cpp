// The check box's box and text edge at the scales of 96, 120 and 144 dots per inch, and the frame
// each check state shows. Expected values are worked out by hand.
#include <gtest/gtest.h>

#include "controls/check_box_layout.h"

namespace {

using taskwing::CheckBoxLayout;
using taskwing::CheckBoxLayoutFor;
using taskwing::CheckBoxRect;

TEST(CheckBoxLayout, BoxSitsOnTheMiddleRowAndTheTextTwoPixelsAfterIt) {
    // 16 high: the box fills the client area from top to bottom.
    EXPECT_EQ((CheckBoxLayout{{0, 0, 16, 16}, 18}), CheckBoxLayoutFor(0, 16, 1.0f));
    // 10 high: it reaches 3 above and 3 below and is clipped there.
    EXPECT_EQ((CheckBoxLayout{{0, -3, 16, 13}, 18}), CheckBoxLayoutFor(0, 10, 1.0f));
    // A client area that does not start at 0 moves box and text alike.
    EXPECT_EQ((CheckBoxLayout{{5, 0, 21, 16}, 23}), CheckBoxLayoutFor(5, 16, 1.0f));
}

TEST(CheckBoxLayout, ScaledLengthsAreTruncatedEachOnItsOwn) {
    // 1.5: a 24 x 24 box, text at 26.
    EXPECT_EQ((CheckBoxLayout{{0, 0, 24, 24}, 26}), CheckBoxLayoutFor(0, 24, 1.5f));
    // 1.25: 20 x 20, half of it 10.
    EXPECT_EQ((CheckBoxLayout{{0, 0, 20, 20}, 22}), CheckBoxLayoutFor(0, 20, 1.25f));
    // 1.1: 8.8 and 17.6 truncate apart, to 8 and 17: the box ends one row lower than it starts high.
    const CheckBoxRect box = CheckBoxLayoutFor(0, 16, 1.1f).box;
    EXPECT_EQ(0, box.top);
    EXPECT_EQ(17, box.Height());
}

TEST(CheckBoxLayout, OnlyTheCheckedStateShowsTheTickedFrame) {
    EXPECT_EQ(16, taskwing::CheckBoxFrameLeft(1));
    EXPECT_EQ(0, taskwing::CheckBoxFrameLeft(0));
    EXPECT_EQ(0, taskwing::CheckBoxFrameLeft(2));  // indeterminate
    EXPECT_EQ(0, taskwing::CheckBoxFrameLeft(-1));
}

}  // namespace
