// Which clicks of a button count, told from the button's own messages in the order Windows sends
// them: the pointer's by where it was released against the hit area (the answers' 266 x 60 less
// their 9-pixel rim), Space and BM_CLICK wherever the pointer is.
#include <gtest/gtest.h>

#include "controls/click_origin.h"

namespace {

constexpr taskwing::LayoutRect kHit{9, 9, 257, 51};

// A press and a release at (x, y), as the pointer or, inside BM_CLICK, as another program makes
// them; whether the click reported meanwhile counts.
bool ClickAt(taskwing::ClickOrigin& origin, int x, int y, bool byBmClick = false) {
    if (byBmClick) origin.BeginSynthetic();
    origin.Press();
    origin.BeginRelease(x, y);
    const bool counts = origin.Counts(kHit);
    origin.EndRelease();
    if (byBmClick) origin.EndSynthetic();
    return counts;
}

TEST(ClickOrigin, ThePointerCountsInsideTheHitAreaOnlyAndEverythingElseAnywhere) {
    taskwing::ClickOrigin origin;
    EXPECT_TRUE(ClickAt(origin, 9, 9));
    EXPECT_TRUE(ClickAt(origin, 256, 50));
    // The rim, and the right and bottom edges, which lie outside.
    EXPECT_FALSE(ClickAt(origin, 8, 30));
    EXPECT_FALSE(ClickAt(origin, 100, 8));
    EXPECT_FALSE(ClickAt(origin, 257, 30));
    EXPECT_FALSE(ClickAt(origin, 100, 51));
    // BM_CLICK presses and releases at (0, 0), on the rim.
    EXPECT_TRUE(ClickAt(origin, 0, 0, true));
    // Space: the click comes from the key's release, no pointer release under way.
    EXPECT_TRUE(origin.Counts(kHit));
    // A press made by BM_CLICK is not taken for the pointer's by a release that follows.
    origin.BeginSynthetic();
    origin.Press();
    origin.EndSynthetic();
    origin.BeginRelease(0, 0);
    EXPECT_TRUE(origin.Counts(kHit));
    origin.EndRelease();
}

}  // namespace
