// CPoint and CRect: signed packed points, empty rectangles and the set operations.
#include <afx.h>

#include <gtest/gtest.h>

namespace {

TEST(Geometry, PackedPointsEdgesAndSetOperations)
{
    // Packed mouse coordinates are signed 16-bit values.
    EXPECT_EQ(CPoint(static_cast<LPARAM>(MAKELONG(static_cast<WORD>(-3), 40))), CPoint(-3, 40));
    const CRect rect(10, 20, 110, 70);
    EXPECT_TRUE(rect.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(rect.PtInRect(CPoint(110, 50)));
    EXPECT_TRUE(CRect(5, 5, 4, 10).IsRectEmpty());
    EXPECT_FALSE(CRect(5, 5, 4, 10).IsRectNull());

    const CRect margins(1, 2, 3, 4);
    EXPECT_EQ(CRect(10, 10, 20, 20) + &margins, CRect(9, 8, 23, 24));
    EXPECT_EQ(CRect(10, 10, 20, 20) - &margins, CRect(11, 12, 17, 16));

    CRect result;
    EXPECT_FALSE(result.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_TRUE(result.IsRectNull());
    // An empty rectangle takes no part in a union.
    EXPECT_TRUE(result.UnionRect(CRect(100, 100, 100, 200), CRect(5, 5, 6, 6)));
    EXPECT_EQ(result, CRect(5, 5, 6, 6));
}

} // namespace
