// The problem-solved child's layout at the scale factors of 96, 120 and 144 dots per inch, and the
// texts that go to the feedback library with an answer. Expected values are worked out by hand.
#include "dialogs/problem_solved_layout.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

namespace {

using taskwing::AnswerButtonPlace;
using taskwing::LayoutProblemSolved;
using taskwing::PairRect;

// The window can take its places at compile time too.
static_assert(LayoutProblemSolved({0, 0, 600, 701}, 1.5f).solved.rect.left == 100);

void ExpectInsets(int inset, const AnswerButtonPlace& place, const char* what) {
    EXPECT_EQ(inset, place.hitInsets.left) << what;
    EXPECT_EQ(inset, place.hitInsets.top) << what;
    EXPECT_EQ(inset, place.hitInsets.right) << what;
    EXPECT_EQ(inset, place.hitInsets.bottom) << what;
}

TEST(ProblemSolvedLayout, AtTheDesignSizeTheButtonsStandAtTheirDesignPlaces) {
    const auto layout = LayoutProblemSolved({0, 0, 400, 468}, 1.0f);
    EXPECT_EQ((PairRect{67, 154, 333, 214}), layout.solved.rect);
    EXPECT_EQ((PairRect{67, 234, 333, 294}), layout.unsolved.rect);
    EXPECT_EQ((PairRect{67, 314, 333, 374}), layout.other.rect);
    for (const auto* place : {&layout.solved, &layout.unsolved, &layout.other}) ExpectInsets(9, *place, "1.0");
    EXPECT_EQ((PairRect{382, 6, 394, 18}), layout.close);
}

TEST(ProblemSolvedLayout, NarrowerThanTheDesignTheButtonsStayAtTheirSizeOnTheMiddle) {
    // 381 x 451 from a client origin away from zero: halves drop their remainders (190, 225).
    const auto layout = LayoutProblemSolved({10, 20, 391, 471}, 1.0f);
    EXPECT_EQ((PairRect{67, 165, 333, 225}), layout.solved.rect);
    EXPECT_EQ((PairRect{67, 245, 333, 305}), layout.unsolved.rect);
    EXPECT_EQ((PairRect{67, 325, 333, 385}), layout.other.rect);
    EXPECT_EQ((PairRect{373, 26, 385, 38}), layout.close);
}

TEST(ProblemSolvedLayout, At144DpiTheButtonsGrow) {
    // The child at 144 dpi is 600 x 701; the first button's left is 100.5 truncated once, the
    // others' 300 - 199 (199.5 truncated).
    const auto layout = LayoutProblemSolved({0, 0, 600, 701}, 1.5f);
    EXPECT_EQ((PairRect{100, 231, 499, 321}), layout.solved.rect);
    EXPECT_EQ((PairRect{101, 351, 500, 441}), layout.unsolved.rect);
    EXPECT_EQ((PairRect{101, 471, 500, 561}), layout.other.rect);
    for (const auto* place : {&layout.solved, &layout.unsolved, &layout.other}) ExpectInsets(13, *place, "1.5");
    // 600 - 27, 0 + 9, then 18 on each side.
    EXPECT_EQ((PairRect{573, 9, 591, 27}), layout.close);
    // The buttons do not move with the client's size, only with its origin.
    const auto moved = LayoutProblemSolved({-5, 7, 601, 709}, 1.5f);
    EXPECT_EQ((PairRect{96, 478, 495, 568}), moved.other.rect);
}

TEST(ProblemSolvedLayout, At120DpiEachProductIsTruncatedWhereTheTableSays) {
    // The child at 120 dpi is 499 x 584: 250 - 166.25 = 83.75 for the first button's left, 250 - 166
    // for the others'; 292.5 - 100 for its top.
    const auto layout = LayoutProblemSolved({0, 0, 499, 584}, 1.25f);
    EXPECT_EQ((PairRect{83, 192, 415, 267}), layout.solved.rect);
    EXPECT_EQ((PairRect{84, 292, 416, 367}), layout.unsolved.rect);
    EXPECT_EQ((PairRect{84, 392, 416, 467}), layout.other.rect);
    ExpectInsets(11, layout.unsolved, "1.25");
    // 499 - 22.5 = 476.5, 7.5; plus 15 each.
    EXPECT_EQ((PairRect{476, 7, 491, 22}), layout.close);
}

TEST(ProblemSolvedTexts, TimeIsTheLowHalfAsASignedDecimal) {
    EXPECT_EQ(L"0", taskwing::FeedbackTimeText(0));
    EXPECT_EQ(L"1700000000", taskwing::FeedbackTimeText(1700000000));
    EXPECT_EQ(L"2147483647", taskwing::FeedbackTimeText(INT32_MAX));
    // From January 2038 on the low half exceeds 2147483647 and goes out negative.
    EXPECT_EQ(L"-2147483648", taskwing::FeedbackTimeText(2147483648LL));
    EXPECT_EQ(L"-1294967296", taskwing::FeedbackTimeText(3000000000LL));
    EXPECT_EQ(L"-1", taskwing::FeedbackTimeText(0xFFFFFFFFLL));
    // The high half plays no part.
    EXPECT_EQ(L"5", taskwing::FeedbackTimeText((std::int64_t{7} << 32) + 5));
    EXPECT_EQ(L"-1", taskwing::FeedbackTimeText(-1));
}

TEST(ProblemSolvedTexts, DeviceIsOneMoreThanTheDeviceType) {
    EXPECT_EQ(L"1", taskwing::FeedbackDeviceText(0));
    EXPECT_EQ(L"2", taskwing::FeedbackDeviceText(1));
    EXPECT_EQ(L"3", taskwing::FeedbackDeviceText(2));
    EXPECT_EQ(L"0", taskwing::FeedbackDeviceText(-1));
    EXPECT_EQ(L"2147483648", taskwing::FeedbackDeviceText(INT_MAX));  // no overflow
}

}  // namespace
