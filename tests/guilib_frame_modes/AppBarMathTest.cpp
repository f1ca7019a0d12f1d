// The application bar's geometry: sides, drags, hidden strips, slides and the
// stored place made sound for the screen.
#include <gtest/gtest.h>

#include "guilib/frames/KGPAppBarMath.h"

namespace {

using namespace kgp::appbar;

const Box kScreen{0, 0, 1000, 800};
const int kExtents[4] = {80, 60, 90, 70};

TEST(AppBarMath, SidesAreAllowedByTheirFlagsOnly)
{
    EXPECT_TRUE(IsSideAllowed(kSideLeft, kAllowDockLeftRight));
    EXPECT_FALSE(IsSideAllowed(kSideTop, kAllowDockLeftRight));
    EXPECT_TRUE(IsSideAllowed(kSideBottom, kAllowDockTopBottom));
    EXPECT_FALSE(IsSideAllowed(kSideRight, kAllowDockTopBottom | kAllowFloat));
    EXPECT_TRUE(IsSideAllowed(kSideFloat, kAllowFloat));
    EXPECT_FALSE(IsSideAllowed(kSideFloat, 0x33));
    EXPECT_FALSE(IsSideAllowed(4, 0x37));
    EXPECT_FALSE(IsSideAllowed(-1, 0x37));
}

TEST(AppBarMath, ASideSpansTheScreenAndKeepsTheBarsOwnExtent)
{
    const Box current{300, 200, 380, 500};
    EXPECT_EQ(ProposedRect(kSideLeft, kScreen, current), (Box{300, 0, 380, 800}));
    EXPECT_EQ(ProposedRect(kSideBottom, kScreen, current), (Box{0, 200, 1000, 500}));
    // The shell gave the bottom bar a place above a taskbar: the bar keeps its height there.
    const Box answer{0, 700, 1000, 770};
    EXPECT_EQ(WithOwnExtent(kSideBottom, answer, 1000, 50), (Box{0, 720, 1000, 770}));
    EXPECT_EQ(WithOwnExtent(kSideTop, answer, 1000, 50), (Box{0, 700, 1000, 750}));
    EXPECT_EQ(WithOwnExtent(kSideLeft, answer, 40, 70), (Box{0, 700, 40, 770}));
    EXPECT_EQ(WithOwnExtent(kSideRight, answer, 40, 70), (Box{960, 700, 1000, 770}));

    EXPECT_EQ(RectFromExtents(kSideLeft, kScreen, kExtents), (Box{0, 0, 80, 800}));
    EXPECT_EQ(RectFromExtents(kSideTop, kScreen, kExtents), (Box{0, 0, 1000, 60}));
    EXPECT_EQ(RectFromExtents(kSideRight, kScreen, kExtents), (Box{910, 0, 1000, 800}));
    EXPECT_EQ(RectFromExtents(kSideBottom, kScreen, kExtents), (Box{0, 730, 1000, 800}));
    EXPECT_EQ(ExtentOf(kSideRight, Box{910, 0, 1000, 800}), 90);
    EXPECT_EQ(ExtentOf(kSideBottom, Box{0, 730, 1000, 800}), 70);
}

TEST(AppBarMath, AHiddenBarKeepsATwoPixelStripAtItsEdge)
{
    EXPECT_EQ(HiddenRect(kSideLeft, Box{0, 0, 80, 800}), (Box{0, 0, 2, 800}));
    EXPECT_EQ(HiddenRect(kSideTop, Box{0, 0, 1000, 60}), (Box{0, 0, 1000, 2}));
    EXPECT_EQ(HiddenRect(kSideRight, Box{910, 0, 1000, 800}), (Box{998, 0, 1000, 800}));
    EXPECT_EQ(HiddenRect(kSideBottom, Box{0, 730, 1000, 800}), (Box{0, 798, 1000, 800}));
}

TEST(AppBarMath, ADragPointsAtTheNearestAllowedEdgeOrFloats)
{
    const Box zone{20, 20, 980, 780};
    EXPECT_EQ(DragTarget(5, 400, kScreen, zone, 0x37, false), kSideLeft);
    EXPECT_EQ(DragTarget(995, 400, kScreen, zone, 0x37, false), kSideRight);
    EXPECT_EQ(DragTarget(500, 5, kScreen, zone, 0x37, false), kSideTop);
    EXPECT_EQ(DragTarget(500, 795, kScreen, zone, 0x37, false), kSideBottom);
    // Inside the zone, with Ctrl, or with no docking allowed, the bar floats.
    EXPECT_EQ(DragTarget(500, 400, kScreen, zone, 0x37, false), kSideFloat);
    EXPECT_EQ(DragTarget(5, 400, kScreen, zone, 0x37, true), kSideFloat);
    EXPECT_EQ(DragTarget(5, 400, kScreen, zone, kAllowFloat, false), kSideFloat);
    // Only top and bottom allowed: a point at the left edge goes to its half's edge.
    EXPECT_EQ(DragTarget(5, 300, kScreen, zone, kAllowDockTopBottom | kAllowFloat, false), kSideTop);
    EXPECT_EQ(DragTarget(5, 500, kScreen, zone, kAllowDockTopBottom | kAllowFloat, false), kSideBottom);
    // Without floating the middle still docks.
    EXPECT_EQ(DragTarget(500, 300, kScreen, zone, kAllowDockLeftRight | kAllowDockTopBottom, false), kSideTop);
    EXPECT_EQ(DragTarget(5, 300, kScreen, zone, kAllowDockTopBottom, true), kSideTop);
}

TEST(AppBarMath, AFloatingDragFollowsTheMouseAndKeepsTheCursorInside)
{
    const Box start{100, 100, 300, 250};
    EXPECT_EQ(FloatDragRect(start, 10, -20, 150, 110, 20), (Box{110, 80, 310, 230}));
    // A jump far away: the cursor lands in the caption, the size stays.
    const Box moved = FloatDragRect(start, 10, 0, 700, 600, 20);
    EXPECT_TRUE(moved.Contains(700, 600));
    EXPECT_EQ(moved.Width(), 200);
    EXPECT_EQ(moved.Height(), 150);
    EXPECT_LT(600 - moved.top, 20);
}

TEST(AppBarMath, TheSlideStepsTowardTheTargetAndEndsOnIt)
{
    const Box docked{0, 0, 80, 800};
    const Box hidden{0, 0, 2, 800};
    EXPECT_EQ(SlideOffsetX(docked, hidden), -78);
    EXPECT_EQ(SlideOffsetY(docked, hidden), 0);
    EXPECT_EQ(SlideStep(-78, 0, 200), 0);
    EXPECT_EQ(SlideStep(-78, 100, 200), -39);
    EXPECT_EQ(SlideStep(-77, 100, 200), -38); // toward zero
    EXPECT_EQ(SlideStep(-78, 250, 200), -78);
    EXPECT_EQ(SlideStep(50, 10, 0), 50);
}

TEST(AppBarMath, AStoredPlaceIsMadeToFitTheScreen)
{
    const Box work{0, 0, 1000, 770};
    StoredPlace stored;
    stored.extents[kSideLeft] = 5000;  // wider than half the screen
    stored.extents[kSideTop] = 1;      // narrower than the caption
    stored.extents[kSideRight] = 120;  // sound
    stored.extents[kSideBottom] = 0;
    stored.rectFloat = Box{5000, -300, 5300, -100};
    const StoredPlace mended = MendStoredPlace(stored, kScreen, work, 24);
    EXPECT_EQ(mended.extents[kSideLeft], 500);
    EXPECT_EQ(mended.extents[kSideTop], 24);
    EXPECT_EQ(mended.extents[kSideRight], 120);
    EXPECT_EQ(mended.extents[kSideBottom], 24);
    EXPECT_EQ(mended.rectFloat, (Box{700, 0, 1000, 200}));

    // A floating place larger than the work area shrinks to it; an empty one stays empty.
    stored.rectFloat = Box{-50, -50, 2000, 2000};
    EXPECT_EQ(MendStoredPlace(stored, kScreen, work, 24).rectFloat, work);
    stored.rectFloat = Box{};
    EXPECT_TRUE(MendStoredPlace(stored, kScreen, work, 24).rectFloat.IsEmpty());
}

} // namespace
