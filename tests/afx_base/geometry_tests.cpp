// CPoint, CSize, CRect: the edges, the rectangle operands and the set operations.
#include <afx.h>

#include <gtest/gtest.h>

namespace {

TEST(Geometry, PackedPointsAndRectangleEdges)
{
    // Packed mouse coordinates are signed 16-bit values.
    EXPECT_EQ(CPoint(static_cast<LPARAM>(MAKELONG(static_cast<WORD>(-3), 40))), CPoint(-3, 40));
    EXPECT_EQ(CPoint(7, 9) - CPoint(2, 3), CSize(5, 6));

    const CRect rect(10, 20, 110, 70);
    EXPECT_EQ(rect.CenterPoint(), CPoint(60, 45));
    EXPECT_TRUE(rect.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(rect.PtInRect(CPoint(110, 50)));
    EXPECT_FALSE(rect.PtInRect(CPoint(50, 70)));
    EXPECT_TRUE(CRect(5, 5, 5, 10).IsRectEmpty());
    EXPECT_TRUE(CRect(5, 5, 4, 10).IsRectEmpty());
    EXPECT_FALSE(CRect(5, 5, 4, 10).IsRectNull());

    CRect flipped(10, 8, 2, 1);
    flipped.NormalizeRect();
    EXPECT_EQ(flipped, CRect(2, 1, 10, 8));
    flipped.MoveToXY(5, 5);
    EXPECT_EQ(flipped, CRect(5, 5, 13, 12));
    flipped.InflateRect(1, 1, 2, 2);
    EXPECT_EQ(flipped, CRect(4, 4, 15, 14));
}

TEST(Geometry, RectangleOperandsMoveEachEdgeByItsOwnAmount)
{
    const CRect margins(1, 2, 3, 4);
    EXPECT_EQ(CRect(10, 10, 20, 20) + &margins, CRect(9, 8, 23, 24));
    EXPECT_EQ(CRect(10, 10, 20, 20) - &margins, CRect(11, 12, 17, 16));
    EXPECT_EQ(CRect(0, 0, 4, 4) - CPoint(1, 2), CRect(-1, -2, 3, 2));
    CRect chained(0, 0, 4, 4);
    (chained += CPoint(5, 5)) -= CSize(1, 2);
    EXPECT_EQ(chained, CRect(4, 3, 8, 7));
}

TEST(Geometry, IntersectionAndUnion)
{
    CRect result;
    EXPECT_TRUE(result.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 15, 15)));
    EXPECT_EQ(result, CRect(5, 5, 10, 10));
    EXPECT_FALSE(result.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_TRUE(result.IsRectNull());

    EXPECT_TRUE(result.UnionRect(CRect(0, 0, 1, 1), CRect(5, 5, 6, 6)));
    EXPECT_EQ(result, CRect(0, 0, 6, 6));
    // An empty rectangle takes no part in a union.
    EXPECT_TRUE(result.UnionRect(CRect(100, 100, 100, 200), CRect(5, 5, 6, 6)));
    EXPECT_EQ(result, CRect(5, 5, 6, 6));

    CRect a(0, 0, 10, 10);
    a &= CRect(2, 2, 20, 20);
    EXPECT_EQ(a, CRect(2, 2, 10, 10));
    a |= CRect(0, 0, 1, 1);
    EXPECT_EQ(a, CRect(0, 0, 10, 10));
}

} // namespace
