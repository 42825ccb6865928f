// The main window's content layout against its design formulas, control by control, at the three
// scales that the tool meets (96, 120 and 144 dpi), with given text widths.
#include <gtest/gtest.h>

#include "app/main_layout.h"

namespace {

using taskwing::MainLayoutFor;
using taskwing::PairRect;

TEST(MainLayout, AtDesignSizeEveryControlHasItsDesignPlace) {
    // "同意《…》" 210 px wide: w = 15; "反馈问题" 56 px: f = 56 + 4 + 8 = 68.
    const auto m = MainLayoutFor({0, 0, 400, 600}, 1.0f, {210, 56});
    EXPECT_EQ((PairRect{368, 0, 394, 34}), m.close);
    EXPECT_EQ((PairRect{340, 0, 366, 34}), m.minimise);
    EXPECT_EQ((PairRect{188, 16, 328, 31}), m.version);
    EXPECT_EQ((PairRect{77, 240, 323, 287}), m.moveLeft);
    EXPECT_EQ((PairRect{77, 299, 323, 346}), m.centre);
    EXPECT_EQ((PairRect{50, 545, 108, 563}), m.moreTools);
    EXPECT_EQ((PairRect{8, 575, 8 + 16 + 30 + 2, 595}), m.agree);
    EXPECT_EQ((PairRect{62, 575, 62 + 210, 595}), m.agreement);
    EXPECT_EQ((PairRect{326, 575, 394, 595}), m.feedback);
}

TEST(MainLayout, At120DpiEveryLengthGrowsAndIsCutToWholePixels) {
    // w = 266 / 14 = 19; f = (int)(70 + 5 + 8) = 83.
    const auto m = MainLayoutFor({0, 0, 500, 750}, 1.25f, {266, 70});
    EXPECT_EQ((PairRect{461, 0, 493, 42}), m.close);  // 500 - 39, then 32.5 and 42.5 cut
    EXPECT_EQ((PairRect{425, 0, 457, 42}), m.minimise);
    EXPECT_EQ((PairRect{235, 20, 410, 38}), m.version);
    EXPECT_EQ((PairRect{96, 300, 403, 358}), m.moveLeft);
    EXPECT_EQ((PairRect{96, 373, 403, 431}), m.centre);
    // Wider than 400: scaled.
    EXPECT_EQ((PairRect{62, 682, 134, 704}), m.moreTools);
    EXPECT_EQ((PairRect{10, 718, 70, 743}), m.agree);
    EXPECT_EQ((PairRect{76, 718, 76 + 266, 743}), m.agreement);
    EXPECT_EQ((PairRect{411, 718, 494, 743}), m.feedback);
}

TEST(MainLayout, At144DpiAndOnAClientThatDoesNotStartAtZero) {
    // w = 322 / 14 = 23; f = (int)(84 + 6 + 8) = 98.
    const auto m = MainLayoutFor({0, 0, 600, 900}, 1.5f, {322, 84});
    EXPECT_EQ((PairRect{553, 0, 592, 51}), m.close);
    EXPECT_EQ((PairRect{510, 0, 549, 51}), m.minimise);
    EXPECT_EQ((PairRect{282, 24, 492, 46}), m.version);
    EXPECT_EQ((PairRect{115, 360, 484, 430}), m.moveLeft);
    EXPECT_EQ((PairRect{115, 448, 484, 518}), m.centre);
    EXPECT_EQ((PairRect{75, 818, 162, 845}), m.moreTools);
    EXPECT_EQ((PairRect{12, 862, 84, 892}), m.agree);
    EXPECT_EQ((PairRect{90, 862, 412, 892}), m.agreement);
    EXPECT_EQ((PairRect{496, 862, 594, 892}), m.feedback);

    // Offsets follow the client's corner; the check box's left edge is not offset.
    const auto shifted = MainLayoutFor({10, 20, 410, 620}, 1.0f, {210, 56});
    EXPECT_EQ((PairRect{87, 260, 333, 307}), shifted.moveLeft);
    EXPECT_EQ((PairRect{60, 565, 118, 583}), shifted.moreTools);
    EXPECT_EQ(8, shifted.agree.left);
}

}  // namespace
