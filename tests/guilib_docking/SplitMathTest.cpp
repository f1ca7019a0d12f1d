// The split trees' arithmetic as plain functions, and the tree checker the
// window tests run after every step (held to what it must find).
#include <gtest/gtest.h>

#include "guilib/docking/KGPSplitMath.h"
#include "tests/guilib_docking/SplitTreeCheck.h"

namespace {

using namespace kgp::split;

AxisResize EvenPair(int oldTotal, int newFar)
{
    AxisResize in;
    in.oldTotal = oldTotal;
    in.left = {(oldTotal - 4) / 2, true, 50, 0};
    in.right = {(oldTotal - 4) / 2, true, 50, 0};
    in.newNear = 0;
    in.newFar = newFar;
    in.thickness = 4;
    return in;
}

TEST(SplitMath, GrowingAndShrinkingKeepTheLeftShareTruncating)
{
    // 148 | 4 | 148 in 300, grown by one pixel: the left side gains nothing,
    // the right side takes the pixel.
    AxisSplit placed = ResizeAlongAxis(EvenPair(300, 301));
    EXPECT_EQ(148, placed.split);
    EXPECT_EQ(301, placed.rightFar);
    EXPECT_EQ(49, placed.leftShare); // 100 * 148 / 300, truncated

    // Grown by 100: the left side takes (100 - 49.33)% of it.
    placed = ResizeAlongAxis(EvenPair(300, 400));
    EXPECT_EQ(148 + 50, placed.split);
    // Shrunk by 100: the left side gives 49.33% of it (truncated toward zero).
    placed = ResizeAlongAxis(EvenPair(300, 200));
    EXPECT_EQ(148 - 49, placed.split);
    EXPECT_EQ(200, placed.rightFar);
}

// The share a node stores for sides laid out at given extents is the one a
// layout at the same size stores, whatever share it grew from.
TEST(SplitMath, TheShareOfSidesLaidOutIsTheOneTheirNextLayoutStores)
{
    // 100 | 4 | 196 in 300 grown to 500: the left side keeps its third.
    AxisResize grow;
    grow.oldTotal = 300;
    grow.left = {100, true, 33, 0};
    grow.right = {196, true, 67, 0};
    grow.newNear = 0;
    grow.newFar = 500;
    grow.thickness = 4;
    const AxisSplit grown = ResizeAlongAxis(grow);
    const int left = grown.split;
    const int right = grown.rightFar - grown.split - 4;
    AxisResize again = grow;
    again.oldTotal = 500;
    again.left = {left, true, grown.leftShare, 0};
    again.right = {right, true, 100 - grown.leftShare, 0};
    const int next = ResizeAlongAxis(again).leftShare;
    EXPECT_EQ(next, ShareOfLaidOut(left, 4, right));
    EXPECT_NE(grown.leftShare, next) << "the grown node kept the share from before";
    EXPECT_EQ(50, ShareOfLaidOut(0, 4, 200)) << "a side with nothing reads as an even split";
}

TEST(SplitMath, ASideThatWasAloneStartsFromTheOtherSidesShare)
{
    // The left side held all 200; the right one comes back with a share of 30.
    AxisResize in;
    in.oldTotal = 200;
    in.left = {200, true, 50, 0};
    in.right = {80, true, 30, 0}; // its old rectangle is stale
    in.newNear = 0;
    in.newFar = 200;
    in.thickness = 4;
    AxisSplit placed = ResizeAlongAxis(in);
    EXPECT_EQ(140, placed.split);     // 200 - 200 * 30 / 100
    EXPECT_EQ(70, placed.leftShare);  // the preset share
    // The same for a right side that was alone: the left one takes its share.
    in.left = {0, false, 25, 0};
    in.right = {200, true, 50, 0};
    placed = ResizeAlongAxis(in);
    EXPECT_EQ(50, placed.split);
    EXPECT_EQ(25, placed.leftShare);
    // Stored shares of 0 and 100 read as an even split.
    EXPECT_EQ(50, EffectiveShare(0));
    EXPECT_EQ(50, EffectiveShare(100));
    EXPECT_EQ(37, EffectiveShare(37));
    in.left = {0, false, 100, 0};
    EXPECT_EQ(100, ResizeAlongAxis(in).split);
}

TEST(SplitMath, SidesKeepTheirMinimumWheneverThereIsRoom)
{
    AxisResize in = EvenPair(300, 200);
    in.left.minimum = 120; // the proportional split would give it 99
    AxisSplit placed = ResizeAlongAxis(in);
    EXPECT_EQ(120, placed.split);
    EXPECT_EQ(200, placed.rightFar);
    EXPECT_EQ(60, placed.leftShare); // of the new extent

    in = EvenPair(300, 200);
    in.right.minimum = 150; // the right side takes it from the left one
    placed = ResizeAlongAxis(in);
    EXPECT_EQ(200 - 4 - 150, placed.split);
    EXPECT_EQ(200, placed.rightFar);

    // No room for both: without the keep-minimum flag the sides share what
    // there is and stay inside; with it they keep their minimum and run past.
    in = EvenPair(300, 100);
    in.left.minimum = 80;
    in.right.minimum = 80;
    placed = ResizeAlongAxis(in);
    EXPECT_GE(placed.split, 0);
    EXPECT_LE(placed.split + 4, 100);
    EXPECT_EQ(100, placed.rightFar);
    in.forceMinimum = true;
    placed = ResizeAlongAxis(in);
    EXPECT_EQ(80, placed.split);
    EXPECT_EQ(80 + 4 + 80, placed.rightFar);
}

TEST(SplitMath, AnEdgesTreeShortOfRoomGrowsToItsMinimumAwayFromItsEdge)
{
    const Box room{100, 50, 160, 250}; // 60 x 200
    // Room enough: the room itself.
    EXPECT_EQ(room, RoomKeepingMinimum(room, {60, 200}, kAlignLeft));
    EXPECT_EQ(room, RoomKeepingMinimum(room, {0, 0}, kAlignBottom));
    // Short across the edge: a left tree grows right, a right tree left.
    EXPECT_EQ((Box{100, 50, 180, 250}), RoomKeepingMinimum(room, {80, 120}, kAlignLeft));
    EXPECT_EQ((Box{80, 50, 160, 250}), RoomKeepingMinimum(room, {80, 120}, kAlignRight));
    // Short along it: downward for the side edges.
    EXPECT_EQ((Box{80, 50, 160, 290}), RoomKeepingMinimum(room, {80, 240}, kAlignRight));
    // A bottom tree grows up, a top tree down; both to the right along it.
    EXPECT_EQ((Box{100, 10, 170, 250}), RoomKeepingMinimum(room, {70, 240}, kAlignBottom));
    EXPECT_EQ((Box{100, 50, 170, 290}), RoomKeepingMinimum(room, {70, 240}, kAlignTop));
    // A room squeezed to nothing (or less) still gives the minimum.
    EXPECT_EQ((Box{100, 50, 140, 90}), RoomKeepingMinimum(Box{100, 50, 90, 40}, {40, 40}, kAlignLeft));
}

TEST(SplitMath, MinimumSizesAddAlongTheSliderAndTakeTheLargestAcross)
{
    SideMinimum left{true, {30, 20}, true, {50, 60}};
    SideMinimum right{true, {40, 10}, false, {}};
    EXPECT_EQ((Size{4 + 30 + 50 + 40, 60}), CombineMinimum(left, right, true, true, 4));
    EXPECT_EQ((Size{50, 4 + 20 + 60 + 10}), CombineMinimum(left, right, true, false, 4));
    // Without a slider the larger pane, replaced by a sub-container's.
    EXPECT_EQ((Size{50, 60}), CombineMinimum(left, right, false, true, 4));
    left.hasContainer = false;
    EXPECT_EQ((Size{40, 20}), CombineMinimum(left, right, false, true, 4));
}

TEST(SplitMath, TheSliderShowsOnlyBetweenTwoVisibleSides)
{
    // l, r: the panes are visible; L, R: the sub-containers hold a visible pane.
    for (int bits = 0; bits < 16; ++bits) {
        const bool l = bits & 1, r = bits & 2, L = bits & 4, R = bits & 8;
        const bool leftSide = l || L;
        const bool rightSide = r || R;
        SCOPED_TRACE(bits);
        EXPECT_EQ(leftSide && rightSide, SliderShows(l, r, L, R));
    }
    EXPECT_FALSE(SliderShows(false, true, false, false));
    EXPECT_TRUE(SliderShows(true, false, false, true));
    EXPECT_TRUE(SliderShows(false, true, true, false));
}

TEST(SplitMath, ChangesAreCutAtTheMinimumAndBoundariesHeldThere)
{
    EXPECT_EQ(-20, CutToMinimum(100, 50, -20));
    EXPECT_EQ(-50, CutToMinimum(100, 50, -80));
    EXPECT_EQ(0, CutToMinimum(40, 50, -10)); // already below: nothing more
    EXPECT_EQ(30, CutToMinimum(40, 50, 30));

    Boundary moved = MoveBoundary(0, 100, 104, 300, 40, 60, -30);
    EXPECT_EQ(70, moved.leftFar);
    EXPECT_EQ(74, moved.rightNear);
    moved = MoveBoundary(0, 100, 104, 300, 40, 60, -80); // the left side holds at 40
    EXPECT_EQ(40, moved.leftFar);
    moved = MoveBoundary(0, 100, 104, 300, 40, 60, 200); // the right side holds at 240
    EXPECT_EQ(240, moved.rightNear);
}

TEST(SplitMath, AChangeAcrossTheSliderIsSharedHalfAndAPixelWhenBothSidesCanGiveIt)
{
    // Growing: both sides can take it all: the far side takes half and a pixel.
    EXPECT_EQ(21, FarSideShare(40, 40, 40));
    EXPECT_EQ(21, FarSideShare(41, 41, 41));
    EXPECT_EQ(1, FarSideShare(1, 1, 1)); // a pixel goes to the far side
    // Shrinking with room on both sides: the same, with the change's sign.
    EXPECT_EQ(-6, FarSideShare(-10, -10, -10));
    // The side at the end at its minimum: the far side gives it all.
    EXPECT_EQ(-10, FarSideShare(-10, 0, -10));
    // The far side can give only part: it gives that, the end side the rest.
    EXPECT_EQ(-3, FarSideShare(-10, -10, -3));
    // Both can give only half: neither goes below its minimum.
    EXPECT_EQ(-5, FarSideShare(-10, -5, -5));
    EXPECT_EQ(0, FarSideShare(0, 0, 0));
}

TEST(SplitMath, SlidersAreDraggedUpToOnePixelShortOfTheMinimums)
{
    // A container 0..300 with its slider at 148..152, minimums 40 and 60.
    DragLimits limits = InnerSliderLimits(0, 300, 148, 152, 40, 60);
    EXPECT_EQ(40 + 1 - 148, limits.low);
    EXPECT_EQ(300 - 60 - 1 - 152, limits.high);
    // A container already below its minimums is not dragged at all.
    limits = InnerSliderLimits(0, 50, 20, 24, 40, 60);
    EXPECT_EQ(0, limits.low);
    EXPECT_EQ(0, limits.high);

    // A default slider on the right of panes along the left edge: they keep
    // their minimum width, and it stops the margin and a pixel short of the room.
    const Box container{0, 0, 200, 400};
    const Box slider{200, 0, 204, 400};
    const Box bounds{0, 0, 600, 400};
    limits = DefaultSliderLimits(kAlignLeft, container, slider, bounds, {50, 80});
    EXPECT_EQ(50 + 1 - 200, limits.low);
    EXPECT_EQ(600 - kDefaultSliderMargin - 1 - 204, limits.high);
    // Panes along the right edge: the slider on their left.
    limits = DefaultSliderLimits(kAlignRight, Box{404, 0, 600, 400}, Box{400, 0, 404, 400}, bounds, {50, 80});
    EXPECT_EQ(0 + kDefaultSliderMargin + 1 - 400, limits.low);
    EXPECT_EQ(600 - 50 - 1 - 404, limits.high);
    limits = DefaultSliderLimits(kAlignTop, Box{0, 0, 600, 100}, Box{0, 100, 600, 104}, bounds, {50, 80});
    EXPECT_EQ(80 + 1 - 100, limits.low);
    EXPECT_EQ(400 - kDefaultSliderMargin - 1 - 104, limits.high);
    limits = DefaultSliderLimits(kAlignBottom, Box{0, 304, 600, 400}, Box{0, 300, 600, 304}, bounds, {50, 80});
    EXPECT_EQ(0 + kDefaultSliderMargin + 1 - 300, limits.low);
    EXPECT_EQ(400 - 80 - 1 - 304, limits.high);
}

TEST(SplitMath, TheOutlineCentresOnTheCursorWithinItsLimits)
{
    // A slider 4 wide: half is 2, the outline starts 2 before the cursor.
    EXPECT_EQ(98, DragOutlineStart(100, 4, 4, 50, 150));
    EXPECT_EQ(50, DragOutlineStart(20, 4, 4, 50, 150));  // pinned at the low limit
    EXPECT_EQ(146, DragOutlineStart(300, 4, 4, 50, 150)); // its end at the high limit
}

TEST(SplitMath, APaneDockedBesideAnotherTakesAtMostHalfOfIt)
{
    bool ok = false;
    // 300 wide to the right of a 200-wide target: 100 for it, 4 for the
    // slider, the rest for the target.
    BesideSplit placed = SplitBeside(Box{0, 0, 200, 300}, {300, 300}, {10, 10}, kAlignRight, 4, false, ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ((Box{100, 0, 200, 300}), placed.added);
    EXPECT_EQ((Box{96, 0, 100, 300}), placed.slider);
    EXPECT_EQ((Box{0, 0, 96, 300}), placed.target);
    EXPECT_FALSE(placed.horizontalSlider);
    // Below it: its height, at most half; widened to its minimum first.
    placed = SplitBeside(Box{0, 0, 200, 300}, {50, 40}, {10, 60}, kAlignBottom, 4, false, ok);
    EXPECT_EQ((Box{0, 240, 200, 300}), placed.added);
    EXPECT_EQ((Box{0, 236, 200, 240}), placed.slider);
    EXPECT_EQ((Box{0, 0, 200, 236}), placed.target);
    EXPECT_TRUE(placed.horizontalSlider);
    placed = SplitBeside(Box{0, 0, 200, 300}, {50, 40}, {10, 10}, kAlignTop, 4, false, ok);
    EXPECT_EQ((Box{0, 0, 200, 40}), placed.added);
    EXPECT_EQ((Box{0, 44, 200, 300}), placed.target);
    // Left, and left under a right-to-left owner (which docks it on the right).
    placed = SplitBeside(Box{0, 0, 200, 300}, {60, 40}, {10, 10}, kAlignLeft, 4, false, ok);
    EXPECT_EQ((Box{0, 0, 60, 300}), placed.added);
    EXPECT_EQ((Box{64, 0, 200, 300}), placed.target);
    placed = SplitBeside(Box{0, 0, 200, 300}, {60, 40}, {10, 10}, kAlignLeft, 4, true, ok);
    EXPECT_EQ((Box{140, 0, 200, 300}), placed.added);
    SplitBeside(Box{0, 0, 200, 300}, {60, 40}, {10, 10}, 0x3000, 4, false, ok);
    EXPECT_FALSE(ok);
}

TEST(SplitMath, APaneComesBackToItsSideWithItsShare)
{
    EXPECT_EQ(90, RecentSideExtent(300, 30, true, 4));
    EXPECT_EQ(300 - 210 - 4, RecentSideExtent(300, 30, false, 4));
    EXPECT_EQ(150, RecentSideExtent(300, 100, true, 4)); // 100 reads as 50
}

TEST(SplitMath, APaneComesBackAtLeastAtItsMinimumWhereThereIsRoom)
{
    // 99 x 35 / 100 truncates to 34: the pane keeps its minimum of 35.
    EXPECT_EQ(34, RecentSideExtent(99, 35, true, 0));
    EXPECT_EQ(35, RecentSideExtent(99, 35, true, 0, 35, 20));
    // The second side, and the other side kept at its own minimum.
    EXPECT_EQ(35, RecentSideExtent(100, 20, false, 4, 35, 20));
    EXPECT_EQ(300 - 4 - 200, RecentSideExtent(300, 80, true, 4, 35, 200));
    // No room for both minimums: the share as it was.
    EXPECT_EQ(30, RecentSideExtent(60, 50, true, 0, 35, 35));
}

// ---- The checker itself.

split_check::TreeView SoundPair()
{
    split_check::TreeView tree;
    split_check::NodeView root;
    root.hasSlider = true;
    root.sliderVisible = true;
    root.slider = Box{100, 0, 104, 200};
    root.pane[0] = split_check::PaneView{1, Box{0, 0, 100, 200}, Size{50, 50}, true, 50};
    root.pane[1] = split_check::PaneView{2, Box{104, 0, 300, 200}, Size{50, 50}, true, 50};
    tree.nodes.push_back(root);
    tree.listedPanes = {1, 2};
    return tree;
}

TEST(SplitTreeCheck, FindsEveryKindOfFault)
{
    const Box room{0, 0, 300, 200};
    EXPECT_TRUE(split_check::CheckSplitTree(SoundPair(), room).empty());

    split_check::TreeView gap = SoundPair();
    gap.nodes[0].pane[1]->rect.left = 110; // the right side does not meet the slider
    EXPECT_FALSE(split_check::CheckSplitTree(gap, room).empty());

    split_check::TreeView shares = SoundPair();
    shares.nodes[0].pane[1]->share = 40;
    EXPECT_FALSE(split_check::CheckSplitTree(shares, room).empty());

    split_check::TreeView small = SoundPair();
    small.nodes[0].pane[0]->minimum = Size{150, 10};
    EXPECT_FALSE(split_check::CheckSplitTree(small, room).empty());

    split_check::TreeView twice = SoundPair();
    twice.nodes[0].pane[1]->id = 1;
    EXPECT_FALSE(split_check::CheckSplitTree(twice, room).empty());

    split_check::TreeView unlisted = SoundPair();
    unlisted.listedPanes = {1};
    EXPECT_FALSE(split_check::CheckSplitTree(unlisted, room).empty());

    // A hidden side leaves the other one the whole room, and no slider.
    split_check::TreeView hidden = SoundPair();
    hidden.nodes[0].pane[1]->visible = false;
    EXPECT_FALSE(split_check::CheckSplitTree(hidden, room).empty()); // the slider still shows
    hidden.nodes[0].sliderVisible = false;
    EXPECT_FALSE(split_check::CheckSplitTree(hidden, room).empty()); // the left one is still 100 wide
    hidden.nodes[0].pane[0]->rect = room;
    EXPECT_TRUE(split_check::CheckSplitTree(hidden, room).empty());
}

} // namespace
