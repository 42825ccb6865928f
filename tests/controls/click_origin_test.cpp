// Which clicks of a button count, told from the button's own messages in the order Windows sends
// them: the pointer's by where it was released against the hit area, all others wherever the
// pointer is. The hit area is the answers' 266 x 60 with their 9-pixel rim left out.
#include <gtest/gtest.h>

#include "controls/click_origin.h"

namespace {

using taskwing::ClickOrigin;
using taskwing::LayoutRect;

constexpr LayoutRect kHit{9, 9, 257, 51};

// A press and a release of the pointer at (x, y); whether the click it reports counts.
bool PointerClickAt(ClickOrigin& origin, int x, int y) {
    origin.Press();
    origin.BeginRelease(x, y);
    const bool counts = origin.Counts(kHit);
    origin.EndRelease();
    return counts;
}

TEST(ClickOrigin, ThePointersClickCountsOnlyWhenReleasedInTheHitArea) {
    ClickOrigin origin;
    EXPECT_TRUE(PointerClickAt(origin, 9, 9));
    EXPECT_TRUE(PointerClickAt(origin, 256, 50));
    // The rim, and the right and bottom edges, which lie outside.
    EXPECT_FALSE(PointerClickAt(origin, 8, 30));
    EXPECT_FALSE(PointerClickAt(origin, 100, 8));
    EXPECT_FALSE(PointerClickAt(origin, 257, 30));
    EXPECT_FALSE(PointerClickAt(origin, 100, 51));
}

TEST(ClickOrigin, KeysAndBmClickCountWhereverThePointerIs) {
    ClickOrigin origin;
    // Space: the button reports its click from the key's release, with no press of the pointer.
    EXPECT_TRUE(origin.Counts(kHit));
    // BM_CLICK runs its own press and release at (0, 0), on the rim.
    origin.BeginSynthetic();
    origin.Press();
    origin.BeginRelease(0, 0);
    EXPECT_TRUE(origin.Counts(kHit));
    origin.EndRelease();
    origin.EndSynthetic();
    // What BM_CLICK pressed is not taken for the pointer's by a later release.
    origin.BeginSynthetic();
    origin.Press();
    origin.EndSynthetic();
    origin.BeginRelease(0, 0);
    EXPECT_TRUE(origin.Counts(kHit));
    origin.EndRelease();
    // Once a pointer's release has been handled, a key's click counts again.
    EXPECT_FALSE(PointerClickAt(origin, 0, 0));
    EXPECT_TRUE(origin.Counts(kHit));
}

}  // namespace
