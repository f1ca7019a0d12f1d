#include <gtest/gtest.h>

#include "app/shell/FrameProgress.h"

namespace {

FrameProgress Begun(std::uintptr_t wParam, std::intptr_t lParam)
{
    FrameProgress progress;
    progress.Begin(wParam, lParam);
    return progress;
}

// Showing, the end and the bar's own range are checked through the main frame.
TEST(FrameProgressTest, BoundsAreSignedLowWordsAndStartIsKeptAtZeroOrAbove)
{
    EXPECT_EQ(Begun(0, 0).span, 1) << "an empty range: never a division by zero";
    const FrameProgress negative = Begun(0xFFFF, 10);
    EXPECT_EQ(negative.lower, -1);
    EXPECT_EQ(negative.upper, 10);
    EXPECT_EQ(negative.span, 11);
    EXPECT_EQ(negative.position, 0);

    // Only the low 16 bits count; the high bits of either parameter are ignored.
    const FrameProgress high = Begun(0x12340003u, static_cast<std::intptr_t>(0x7FFF0020));
    EXPECT_EQ(high.lower, 3);
    EXPECT_EQ(high.upper, 32);
    EXPECT_EQ(high.position, 3);

    // A start beyond the upper bound is pulled down to it.
    const FrameProgress reversed = Begun(8, 5);
    EXPECT_EQ(reversed.span, 3);
    EXPECT_EQ(reversed.position, 5);
}

TEST(FrameProgressTest, StepsPastTheUpperBoundWrapInsteadOfStopping)
{
    FrameProgress p = Begun(2, 5);
    ASSERT_EQ(p.position, 2);
    p.Step();
    p.Step();
    p.Step();
    EXPECT_EQ(p.position, 5);
    p.Step(); // 6 is one past 5: lower + 1
    EXPECT_EQ(p.position, 3);
    p.step = 4;
    p.Step(); // 7: two past
    EXPECT_EQ(p.position, 4);
}

} // namespace
