#include "guilib/docking/KGPDockGeometry.h"

#include <gtest/gtest.h>

using namespace KGPDock;

namespace {

const CRect kBar(100, 100, 200, 150);

TEST(DockGeometry, EdgeStripsAroundAndInsideARectangle)
{
    struct Case {
        CPoint point;
        BOOL outer;
        DWORD enabled;
        DWORD expected;
    } cases[] = {
        {{150, 95}, TRUE, kAlignAny, kAlignTop},       // above, outside
        {{150, 120}, TRUE, kAlignAny, 0},              // inside never answers the outer test
        {{100, 100}, FALSE, kAlignAny, kAlignTop},     // corner: top is tried first
        {{100, 130}, FALSE, kAlignAny, kAlignLeft},
        {{100, 130}, FALSE, kAlignRight, 0},           // a disabled edge is passed over
        {{150, 160}, TRUE, kAlignAny, kAlignBottom},
        {{210, 120}, TRUE, kAlignAny, kAlignRight},
        {{216, 120}, TRUE, kAlignAny, 0},              // beyond the sensitivity
        {{150, 120}, FALSE, kAlignTop, kAlignTop},     // inside the caption strip
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, EdgeNearPoint(c.point, kBar, 15, c.outer, c.enabled, 10))
            << c.point.x << "," << c.point.y << " outer " << c.outer;
}

TEST(DockGeometry, RectanglesKeptOnTheWorkAreaAndRotated)
{
    const CRect work(0, 0, 800, 600);
    const CRect margins(16, 16, 16, 16);
    EXPECT_EQ(CRect(10, 10, 110, 60), KeepOnWorkArea(CRect(10, 10, 110, 60), work, margins));
    EXPECT_EQ(CRect(-84, 10, 16, 60), KeepOnWorkArea(CRect(-300, 10, -200, 60), work, margins));
    EXPECT_EQ(CRect(784, 584, 884, 634), KeepOnWorkArea(CRect(900, 700, 1000, 750), work, margins));
    EXPECT_EQ(CRect(10, -34, 110, 16), KeepOnWorkArea(CRect(10, -100, 110, -50), work, margins));

    const CRect r(1, 2, 3, 4);
    EXPECT_EQ(CRect(4, 1, 2, 3), RotateRect(r, 90));
    EXPECT_EQ(RotateRect(r, -90), RotateRect(r, 270));
    EXPECT_EQ(CRect(1, 4, 3, 2), RotateRect(r, 180));
    EXPECT_EQ(r, RotateRect(r, 45));
}

TEST(DockGeometry, ABarTornOffByTheMouseIsHeldWhereItWasTakenInAFrameWhollyOnTheWorkArea)
{
    // A frame of 220 x 47: borders of 3, a caption of 16, the bar's window at (3, 19).
    FloatingFrameMetrics frame;
    frame.size = CSize(220, 47);
    frame.barInFrame = CPoint(3, 19);
    frame.captionTop = 3;
    frame.captionHeight = 16;
    // A horizontal bar taken by its gripper (its client area 9 px in): the
    // same point of the bar, at its left end.
    EXPECT_EQ(CPoint(7, 29), HoldInFloatingFrame(CPoint(4, 10), 2, frame));
    // A vertical bar taken by its gripper above its client area, or a pane by
    // its caption: the frame's caption, as far along.
    EXPECT_EQ(CPoint(15, 11), HoldInFloatingFrame(CPoint(12, 4), 9, frame));
    // A point beyond the frame (a long vertical bar taken low down): inside it.
    EXPECT_EQ(CPoint(15, 46), HoldInFloatingFrame(CPoint(12, 300), 9, frame));
    EXPECT_EQ(CPoint(219, 29), HoldInFloatingFrame(CPoint(400, 10), 2, frame));

    const CRect work(0, 0, 1280, 994);
    EXPECT_EQ(CRect(0, 100, 220, 147), KeepWhollyOnWorkArea(CRect(-99, 100, 121, 147), work));
    EXPECT_EQ(CRect(1060, 947, 1280, 994), KeepWhollyOnWorkArea(CRect(1200, 990, 1420, 1037), work));
    EXPECT_EQ(CRect(5, 5, 225, 52), KeepWhollyOnWorkArea(CRect(5, 5, 225, 52), work));
    // Wider than the work area: its left edge on it.
    EXPECT_EQ(CRect(0, 0, 1500, 47), KeepWhollyOnWorkArea(CRect(-300, -10, 1200, 37), work));
}

TEST(DockGeometry, CornerOffsetsLeaveRoomForTheOtherStrip)
{
    struct Case {
        DWORD alignR;
        CRect r;
        DWORD alignS;
        CRect s;
        int rStart, rEnd, sStart, sEnd;
    } cases[] = {
        {kAlignLeft, {0, 30, 20, 300}, kAlignTop, {0, 0, 400, 30}, 0, 0, 20, 0},
        {kAlignLeft, {0, 0, 20, 300}, kAlignTop, {20, 0, 400, 30}, 30, 0, 0, 0},
        {kAlignTop, {0, 0, 380, 30}, kAlignRight, {380, 0, 400, 300}, 0, 0, 30, 0},
        {kAlignTop, {0, 0, 400, 30}, kAlignRight, {380, 30, 400, 300}, 0, 20, 0, 0},
        {kAlignRight, {380, 0, 400, 270}, kAlignBottom, {0, 270, 400, 300}, 0, 0, 0, 20},
        // Bottom strip beside the right one: the right strip leaves the bottom strip's height.
        {kAlignRight, {380, 0, 400, 300}, kAlignBottom, {0, 270, 380, 300}, 0, 30, 0, 0},
        {kAlignLeft, {0, 0, 20, 270}, kAlignBottom, {0, 270, 400, 300}, 0, 0, 20, 0},
        {kAlignLeft, {0, 0, 20, 300}, kAlignBottom, {20, 270, 400, 300}, 0, 30, 0, 0},
        {kAlignLeft, {0, 0, 20, 300}, kAlignRight, {380, 0, 400, 300}, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        EdgeOffsets offR, offS;
        FixCornerOffsets(c.alignR, c.r, offR, c.alignS, c.s, offS);
        EXPECT_EQ(c.rStart, offR.start);
        EXPECT_EQ(c.rEnd, offR.end);
        EXPECT_EQ(c.sStart, offS.start);
        EXPECT_EQ(c.sEnd, offS.end);
    }
}

TEST(DockGeometry, DockedSizeLimitedToAShareOfTheInnerArea)
{
    const CRect inner(0, 0, 401, 301);
    CRect top(0, 0, 400, 200);
    EXPECT_TRUE(LimitDockedSize(top, kAlignTop, inner, 50));
    EXPECT_EQ(CRect(0, 0, 400, 150), top);
    CRect bottom(0, 100, 400, 300);
    EXPECT_TRUE(LimitDockedSize(bottom, kAlignBottom, inner, 50));
    EXPECT_EQ(150, bottom.top);
    CRect small(0, 0, 400, 149);
    EXPECT_FALSE(LimitDockedSize(small, kAlignTop, inner, 50));
    CRect left(0, 0, 300, 300);
    EXPECT_TRUE(LimitDockedSize(left, kAlignLeft, inner, 50));
    EXPECT_EQ(CRect(0, 0, 200, 300), left);
    CRect leftRtl(0, 0, 300, 300); // mirrored: the left edge of the screen is the right edge
    EXPECT_TRUE(LimitDockedSize(leftRtl, kAlignLeft, inner, 50, TRUE));
    EXPECT_EQ(CRect(100, 0, 300, 300), leftRtl);
}

TEST(DockGeometry, BarsTakeTheEdgesOfTheFreeAreaInTurn)
{
    CRect work(0, 0, 400, 300);
    struct Step {
        DWORD align;
        CSize thickness;
        CRect placed;
    } steps[] = {
        {kAlignTop, {0, 30}, {0, 0, 400, 30}},
        {kAlignLeft, {25, 0}, {0, 30, 25, 300}},
        {kAlignBottom, {0, 20}, {25, 280, 400, 300}},
        {kAlignRight, {40, 0}, {360, 30, 400, 280}},
    };
    for (const Step& s : steps) {
        const CRect placed = FitBarToEdge(CRect(), s.thickness, s.align, FALSE, work);
        EXPECT_EQ(s.placed, placed);
        TakeFromFreeArea(work, placed, s.align);
    }
    EXPECT_EQ(CRect(25, 30, 360, 280), work);
    EXPECT_EQ(CRect(25, 30, 360, 280),
              FitBarToEdge(CRect(), CSize(0, 5000), kAlignTop, TRUE, work)); // stretched: cut to the free area
}

TEST(DockGeometry, InsideRectAndGripperFollowOrientationAndReadingOrder)
{
    BarFrameMetrics bar;
    bar.borders = CRect(6, 2, 6, 2);
    bar.style = CBRS_GRIPPER | CBRS_BORDER_ANY;
    struct Case {
        BOOL horz, rtl, floating;
        CRect expected;
    } cases[] = {
        {TRUE, FALSE, FALSE, {14, 3, 93, 47}},
        {TRUE, TRUE, FALSE, {7, 3, 86, 47}},
        {FALSE, FALSE, FALSE, {3, 14, 97, 43}},
        {TRUE, FALSE, TRUE, {6, 2, 94, 48}}, // floating: no borders bits, no gripper
    };
    for (const Case& c : cases) {
        bar.bHorz = c.horz;
        bar.bRTL = c.rtl;
        bar.bFloating = c.floating;
        bar.style = CBRS_GRIPPER | CBRS_BORDER_ANY | (c.floating ? CBRS_FLOATING : 0);
        CRect rect(0, 0, 100, 50);
        CalcInsideRect(rect, bar);
        EXPECT_EQ(c.expected, rect) << c.horz << c.rtl << c.floating;
    }
    const CRect window(0, 0, 100, 30), client(10, 2, 90, 28);
    EXPECT_EQ(CRect(0, 0, 9, 30), GripperRect(window, client, TRUE, FALSE));
    EXPECT_EQ(CRect(89, 0, 100, 30), GripperRect(window, client, TRUE, TRUE));
    EXPECT_EQ(CRect(0, 0, 100, 1), GripperRect(window, client, FALSE, FALSE));
    EXPECT_FALSE(LeavesRow(20, 30));
    EXPECT_TRUE(LeavesRow(21, 30));
    EXPECT_TRUE(LeavesRow(-21, 30));
}

} // namespace
