// The smart-docking markers without windows: where each side marker and each
// marker of the central group stands, which marker holds a point (each
// marker in turn, its edges, disabled and hidden ones), and the edge a
// marker stands for.
#include <gtest/gtest.h>

#include "guilib/docking/KGPSmartDockingGeometry.h"

#include <string>

namespace {

using namespace kgp::smartdock;

constexpr Box kOuter{100, 50, 701, 451}; // 601 x 401: halves round down
constexpr Size kMarker{29, 29};

TEST(SmartDockingGeometry, SideMarkersStandSixteenPixelsInFromTheMiddleOfTheirEdges)
{
    EXPECT_EQ((Point{116, 250 - 14}), SideMarkerOrigin(kSideLeft, kOuter, kMarker));
    EXPECT_EQ((Point{701 - 29 - 16, 236}), SideMarkerOrigin(kSideRight, kOuter, kMarker));
    EXPECT_EQ((Point{400 - 14, 66}), SideMarkerOrigin(kSideTop, kOuter, kMarker));
    EXPECT_EQ((Point{386, 451 - 29 - 16}), SideMarkerOrigin(kSideBottom, kOuter, kMarker));
}

TEST(SmartDockingGeometry, TheDefaultGroupIs88SquareWithItsLeftMarkerAtItsLeftEdgeCentred)
{
    EXPECT_EQ((Size{88, 88}), kDefaultGroupSize);
    EXPECT_EQ((Point{0, 29}), GroupMarkerOffset(kGroupLeft, kDefaultGroupSize, kMarker));
    EXPECT_EQ((Point{59, 29}), GroupMarkerOffset(kGroupRight, kDefaultGroupSize, kMarker));
    EXPECT_EQ((Point{29, 0}), GroupMarkerOffset(kGroupTop, kDefaultGroupSize, kMarker));
    EXPECT_EQ((Point{29, 59}), GroupMarkerOffset(kGroupBottom, kDefaultGroupSize, kMarker));
    EXPECT_EQ((Point{29, 29}), GroupMarkerOffset(kGroupCentre, kDefaultGroupSize, kMarker));
    // Centred over a pane 200 x 100 at (300, 200).
    EXPECT_EQ((Box{356, 206, 444, 294}), GroupBoxOver({300, 200, 500, 300}, kDefaultGroupSize));
    // The diamond: the midpoints of the box less its margin.
    const auto diamond = GroupDiamond({0, 0, 88, 88}, kDefaultGroupMargin);
    EXPECT_EQ((Point{9, 44}), diamond[0]);
    EXPECT_EQ((Point{44, 9}), diamond[1]);
    EXPECT_EQ((Point{79, 44}), diamond[2]);
    EXPECT_EQ((Point{44, 79}), diamond[3]);
}

TEST(SmartDockingGeometry, EachMarkerIsHitInsideItselfAndNotJustOutside)
{
    MarkerLayout layout = LayoutMarkers(kOuter, 0xF000, kMarker);
    ShowGroupOver(layout, {300, 200, 500, 300}, 0xF000);
    for (int id = 0; id < kMarkerCount; ++id) {
        const Box box = MarkerBox(layout, id);
        ASSERT_FALSE(box.IsEmpty()) << id;
        EXPECT_EQ(id, MarkerAt(layout, {box.left, box.top})) << id;
        EXPECT_EQ(id, MarkerAt(layout, {box.right - 1, box.bottom - 1})) << id;
        EXPECT_EQ(id, MarkerAt(layout, {(box.left + box.right) / 2, (box.top + box.bottom) / 2})) << id;
        // Just outside a side marker, or in the group's corners, nothing.
        if (IsSideMarker(id)) {
            EXPECT_EQ(kNoMarker, MarkerAt(layout, {box.left - 1, box.top})) << id;
            EXPECT_EQ(kNoMarker, MarkerAt(layout, {box.right, box.bottom})) << id;
        }
    }
    EXPECT_EQ(kNoMarker, MarkerAt(layout, {layout.group.left + 2, layout.group.top + 2}));
    EXPECT_EQ(kNoMarker, MarkerAt(layout, {10, 10}));
}

TEST(SmartDockingGeometry, MarkersAPaneMayNotUseAreNeitherShownNorHit)
{
    // A pane that docks only left and right: the top and bottom side
    // markers are not shown, the group's top and bottom are disabled, its
    // centre (as a tab) stays.
    const unsigned leftRight = 0x1000 | 0x4000;
    MarkerLayout layout = LayoutMarkers(kOuter, leftRight, kMarker);
    EXPECT_TRUE(layout.sideShown[kSideLeft]);
    EXPECT_TRUE(layout.sideShown[kSideRight]);
    EXPECT_FALSE(layout.sideShown[kSideTop]);
    EXPECT_FALSE(layout.sideShown[kSideBottom]);
    const Box top = MarkerBox(layout, kSideTop);
    EXPECT_EQ(kNoMarker, MarkerAt(layout, {top.left + 5, top.top + 5}));
    // The group hidden: nothing of it is hit.
    const Box centreBefore = MarkerBox(layout, kGroupCentre);
    EXPECT_EQ(kNoMarker, MarkerAt(layout, {centreBefore.left + 3, centreBefore.top + 3}));

    ShowGroupOver(layout, {300, 200, 500, 300}, leftRight);
    const Box groupTop = MarkerBox(layout, kGroupTop);
    EXPECT_EQ(kNoMarker, MarkerAt(layout, {groupTop.left + 5, groupTop.top + 5}));
    const Box groupLeft = MarkerBox(layout, kGroupLeft);
    EXPECT_EQ(kGroupLeft, MarkerAt(layout, {groupLeft.left + 5, groupLeft.top + 5}));
    const Box centre = MarkerBox(layout, kGroupCentre);
    EXPECT_EQ(kGroupCentre, MarkerAt(layout, {centre.left + 5, centre.top + 5}));
}

TEST(SmartDockingGeometry, AGroupOverlappingASideMarkerLeavesTheSideMarkerOnTop)
{
    MarkerLayout layout = LayoutMarkers(kOuter, 0xF000, kMarker);
    const Box left = MarkerBox(layout, kSideLeft);
    // A narrow pane at the left edge puts the group over the left marker.
    ShowGroupOver(layout, {left.left, left.top, left.right, left.bottom}, 0xF000);
    EXPECT_EQ(kSideLeft, MarkerAt(layout, {left.left + 14, left.top + 14}));
}

TEST(SmartDockingGeometry, MarkersStandForTheirEdgesAndImageSlots)
{
    const unsigned edges[] = {0x1000, 0x4000, 0x2000, 0x8000, 0x1000, 0x4000, 0x2000, 0x8000, 0};
    const int slots[] = {0, 1, 2, 3, 0, 1, 2, 3, 4};
    for (int id = 0; id < kMarkerCount; ++id) {
        EXPECT_EQ(edges[id], MarkerAlignment(id)) << id;
        EXPECT_EQ(slots[id], ImageSlot(id)) << id;
    }
    EXPECT_EQ(0u, MarkerAlignment(kNoMarker));
    EXPECT_EQ(-1, ImageSlot(9));
    EXPECT_TRUE(MarkerBox(LayoutMarkers(kOuter, 0xF000), 12).IsEmpty());
}

TEST(SmartDockingGeometry, ThePlaceMarkersColourScalesWithinAByte)
{
    EXPECT_EQ(49, ScaleComponent(47, 105));
    EXPECT_EQ(255, ScaleComponent(250, 105));
    EXPECT_EQ(95, ScaleComponent(190, 50));
}

} // namespace

namespace {

TEST(SmartDockingGeometry, ATabbedPlaceIsThePaneLessItsStripWithATabInIt)
{
    const Box pane{100, 50, 300, 250};
    TabbedPlace below = TabbedPlaceShape(pane, 16, 4, false);
    EXPECT_EQ((Box{100, 50, 300, 234}), below.body);
    EXPECT_EQ((Box{110, 234, 150, 250}), below.tab);
    TabbedPlace above = TabbedPlaceShape(pane, 16, 4, true);
    EXPECT_EQ((Box{100, 66, 300, 250}), above.body);
    EXPECT_EQ((Box{110, 50, 150, 66}), above.tab);

    // A narrow pane's tab ends short of its right edge; one too narrow has none.
    EXPECT_EQ((Box{110, 234, 132, 250}), TabbedPlaceShape({100, 50, 140, 250}, 16, 4, false).tab);
    EXPECT_TRUE(TabbedPlaceShape({100, 50, 115, 250}, 16, 4, false).tab.IsEmpty());
    // A pane lower than the strip is all strip.
    TabbedPlace flat = TabbedPlaceShape({0, 0, 200, 10}, 16, 4, false);
    EXPECT_TRUE(flat.body.IsEmpty());
    EXPECT_EQ(0, flat.tab.top);
}

// The outline as pixels: a pixel of the shape whose square of `width`
// around it leaves the shape.
bool OnOutline(const std::vector<Box>& shape, int width, int x, int y)
{
    auto inside = [&shape](int px, int py) {
        for (const Box& box : shape) {
            if (box.Contains(px, py))
                return true;
        }
        return false;
    };
    if (!inside(x, y))
        return false;
    for (int dy = -width; dy <= width; ++dy) {
        for (int dx = -width; dx <= width; ++dx) {
            if (!inside(x + dx, y + dy))
                return true;
        }
    }
    return false;
}

// Bands that never overlap and cover exactly the outline of the shape.
std::string CompareWithOutline(const std::vector<Box>& bands, const std::vector<Box>& shape, int width)
{
    for (int y = -10; y < 110; ++y) {
        for (int x = -10; x < 110; ++x) {
            int covering = 0;
            for (const Box& band : bands)
                covering += band.Contains(x, y) ? 1 : 0;
            if (covering > 1)
                return "bands overlap at " + std::to_string(x) + "," + std::to_string(y);
            if ((covering == 1) != OnOutline(shape, width, x, y))
                return "outline differs at " + std::to_string(x) + "," + std::to_string(y);
        }
    }
    return {};
}

TEST(SmartDockingGeometry, AnOutlinesBandsCoverItsFrameOnceAndOpenWhereTheTabJoins)
{
    const Box body{0, 0, 90, 70};
    const struct {
        const char* name;
        Box tab;
    } tabbed[] = {
        {"tab below", {10, 70, 50, 86}},
        {"tab above", {10, -16, 50, 0}},
        {"tab at the left edge", {0, 70, 30, 86}},
        {"tab at the right edge", {60, 70, 90, 86}},
    };
    for (const auto& c : tabbed) {
        const std::vector<Box> bands = OutlineBands({body, c.tab}, 3);
        EXPECT_EQ("", CompareWithOutline(bands, {body, c.tab}, 3)) << c.name;
    }
    EXPECT_EQ("", CompareWithOutline(OutlineBands({body, {}}, 4), {body}, 4)) << "no tab: a plain frame";
    EXPECT_EQ(4u, OutlineBands({body, {}}, 4).size());
    // A tab too narrow for its frame, or apart from the body, is left out.
    EXPECT_EQ("", CompareWithOutline(OutlineBands({body, {10, 70, 15, 86}}, 3), {body}, 3));
    EXPECT_EQ("", CompareWithOutline(OutlineBands({body, {10, 75, 50, 90}}, 3), {body}, 3));
    // A body too small for its frame is one band.
    const std::vector<Box> small = OutlineBands({{0, 0, 6, 40}, {}}, 3);
    ASSERT_EQ(1u, small.size());
    EXPECT_EQ((Box{0, 0, 6, 40}), small[0]);
}

} // namespace
