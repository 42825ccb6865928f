// The window pair's arithmetic at the scale factors of 96, 120 and 144 dots per inch. Expected
// values are worked out by hand from the window table.
#include <gtest/gtest.h>

#include "dialogs/pair_layout.h"

namespace {

using taskwing::PairRect;

constexpr taskwing::PairInsets kPromptInset{5, 3, 5, 7};
constexpr taskwing::PairInsets kMainInset{5, 4, 5, 7};

TEST(PairLayout, ScaleFactorFromTheScreenDensity) {
    EXPECT_EQ(1.0f, taskwing::ScaleForDpi(72));
    EXPECT_EQ(1.0f, taskwing::ScaleForDpi(96));
    EXPECT_EQ(1.0f, taskwing::ScaleForDpi(100));  // 100 still counts as normal
    EXPECT_FLOAT_EQ(101.0f / 96.0f, taskwing::ScaleForDpi(101));
    EXPECT_EQ(1.25f, taskwing::ScaleForDpi(120));
    EXPECT_EQ(1.5f, taskwing::ScaleForDpi(144));
}

TEST(PairLayout, PromptShellIsCentredOnTheScreenAtEachScale) {
    // 336 x 156 on 1280 x 1024.
    EXPECT_EQ((PairRect{472, 434, 808, 590}), taskwing::ShellRect(1280, 1024, 336, 156, 1.0f));
    // 420 x 195: half the height, 97.5, truncates to 97.
    EXPECT_EQ((PairRect{430, 415, 850, 610}), taskwing::ShellRect(1280, 1024, 336, 156, 1.25f));
    EXPECT_EQ((PairRect{388, 395, 892, 629}), taskwing::ShellRect(1280, 1024, 336, 156, 1.5f));
}

TEST(PairLayout, MainShellOnAnOddScreenTruncatesEachStep) {
    // 410 x 611 on 1366 x 768: halves of 611 and of the scaled sizes drop their fractions.
    EXPECT_EQ((PairRect{478, 79, 888, 690}), taskwing::ShellRect(1366, 768, 410, 611, 1.0f));
    // 512.5 x 763.75 gives 512 x 763.
    EXPECT_EQ((PairRect{427, 3, 939, 766}), taskwing::ShellRect(1366, 768, 410, 611, 1.25f));
    // Taller than the screen: the top goes negative and the height stays 916.
    EXPECT_EQ((PairRect{376, -74, 991, 842}), taskwing::ShellRect(1366, 768, 410, 611, 1.5f));
}

TEST(PairLayout, ChildPlacementTruncatesEachValueOnce) {
    EXPECT_EQ((PairRect{477, 437, 803, 583}),
              taskwing::ChildPlacement({472, 434, 808, 590}, kPromptInset, 1.0f));
    // x 430 + 6.25, y 415 + 3.75, width 420 - 12.5, height 195 - 12.5.
    EXPECT_EQ((PairRect{436, 418, 843, 600}),
              taskwing::ChildPlacement({430, 415, 850, 610}, kPromptInset, 1.25f));
    // x 388 + 7.5, y 395 + 4.5, width 504 - 15, height 234 - 15.
    EXPECT_EQ((PairRect{395, 399, 884, 618}),
              taskwing::ChildPlacement({388, 395, 892, 629}, kPromptInset, 1.5f));
}

TEST(PairLayout, ProblemSolvedAndProgressSizesAt144Dpi) {
    // Problem-solved window: shell 615 x 718, child 600 x 701.
    const PairRect shell = taskwing::ShellRect(1280, 1024, 410, 479, 1.5f);
    EXPECT_EQ(615, shell.Width());
    EXPECT_EQ(718, shell.Height());
    const PairRect child = taskwing::ChildPlacement(shell, kMainInset, 1.5f);
    EXPECT_EQ(600, child.Width());
    EXPECT_EQ(701, child.Height());
    // Progress window: 348 x 198.
    const PairRect progress = taskwing::ShellRect(1280, 1024, 232, 132, 1.5f);
    EXPECT_EQ(348, progress.Width());
    EXPECT_EQ(198, progress.Height());
}

TEST(PairLayout, ChildOnTheShellAndShellAroundTheChildMoveByTruncatedInsetsAndKeepTheirSizes) {
    EXPECT_EQ((PairRect{477, 437, 803, 583}), taskwing::ChildOnShell({472, 434, 808, 590}, kPromptInset, 1.0f, 326, 146));
    // The child keeps the 407 x 182 and 489 x 219 of its creation.
    EXPECT_EQ((PairRect{436, 418, 843, 600}), taskwing::ChildOnShell({430, 415, 850, 610}, kPromptInset, 1.25f, 407, 182));
    EXPECT_EQ((PairRect{395, 399, 884, 618}), taskwing::ChildOnShell({388, 395, 892, 629}, kPromptInset, 1.5f, 489, 219));

    EXPECT_EQ((PairRect{472, 434, 808, 590}), taskwing::ShellAroundChild({477, 437, 803, 583}, kPromptInset, 1.0f, 336, 156));
    EXPECT_EQ((PairRect{430, 415, 850, 610}), taskwing::ShellAroundChild({436, 418, 843, 600}, kPromptInset, 1.25f, 420, 195));
    EXPECT_EQ((PairRect{388, 395, 892, 629}), taskwing::ShellAroundChild({395, 399, 884, 618}, kPromptInset, 1.5f, 504, 234));
    // Main window at 1.25: left and top insets 6.25 and 5 become 6 and 5; the shell stays 512 x 763.
    EXPECT_EQ((PairRect{94, 95, 606, 858}), taskwing::ShellAroundChild({100, 100, 599, 849}, kMainInset, 1.25f, 512, 763));
}

TEST(PairLayout, DragStripIsTheTopBandLessItsRightCut) {
    constexpr taskwing::DragStrip prompt{30, 26};
    EXPECT_EQ((PairRect{477, 437, 777, 467}), taskwing::DragStripRect({477, 437, 803, 583}, prompt, 1.0f));
    // 37.5 high and 32.5 cut become 37 and 32.
    EXPECT_EQ((PairRect{436, 418, 811, 455}), taskwing::DragStripRect({436, 418, 843, 600}, prompt, 1.25f));
    EXPECT_EQ((PairRect{395, 399, 845, 444}), taskwing::DragStripRect({395, 399, 884, 618}, prompt, 1.5f));
    // The main window keeps its close and minimise buttons out: 86 scaled to 107.
    EXPECT_EQ((PairRect{0, 0, 393, 37}), taskwing::DragStripRect({0, 0, 500, 750}, {30, 86}, 1.25f));
}

TEST(PairLayout, PointsOnTheLeftAndTopEdgesAreInsideTheOthersNot) {
    const PairRect strip{477, 437, 777, 467};
    EXPECT_TRUE(taskwing::Contains(strip, 477, 437));
    EXPECT_TRUE(taskwing::Contains(strip, 776, 466));
    EXPECT_FALSE(taskwing::Contains(strip, 777, 450));
    EXPECT_FALSE(taskwing::Contains(strip, 600, 467));
    EXPECT_FALSE(taskwing::Contains(strip, 476, 450));
}

}  // namespace
