// Where the smart-docking markers stand and which one holds a point, as plain
// functions with no Windows header: the four side markers near the middle of
// the docking area's edges, the central group of five centred over the pane
// under the cursor, the group's diamond, and the edge each marker stands for.
// The marker windows place themselves and hit-test through these.
#pragma once

#include "guilib/docking/KGPSplitMath.h"

#include <array>
#include <vector>

namespace kgp::smartdock {

using kgp::split::Box;
using kgp::split::Size;

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }
};

// Marker ids: 0-3 the side markers (left, right, top, bottom), 4-7 the
// central group's (left, right, top, bottom), 8 its centre.
constexpr int kNoMarker = -1;
constexpr int kSideLeft = 0;
constexpr int kSideRight = 1;
constexpr int kSideTop = 2;
constexpr int kSideBottom = 3;
constexpr int kGroupLeft = 4;
constexpr int kGroupRight = 5;
constexpr int kGroupTop = 6;
constexpr int kGroupBottom = 7;
constexpr int kGroupCentre = 8;
constexpr int kMarkerCount = 9;

// How far a side marker stands in from its edge.
constexpr int kSideMarkerInset = 16;
// The central group's size and margin with the library's own marker images.
constexpr Size kDefaultGroupSize{88, 88};
constexpr int kDefaultGroupMargin = 9;
// The size of one marker drawn with the library's own images.
constexpr Size kDefaultMarkerSize{29, 29};

bool IsSideMarker(int id);
bool IsGroupMarker(int id);
// The alignment bit a marker stands for (0 for the centre and unknown ids).
unsigned MarkerAlignment(int id);
// The image slot of a marker: left 0, right 1, top 2, bottom 3, centre 4.
int ImageSlot(int id);

// A side marker's top-left corner against the docking area (halving rounds
// down, as integers do for the positive sizes here).
Point SideMarkerOrigin(int id, const Box& outer, Size marker);
// A group marker's top-left corner inside the group.
Point GroupMarkerOffset(int id, Size group, Size marker);
// The group centred on a rectangle.
Box GroupBoxOver(const Box& target, Size group);
// The diamond behind the group's markers: the midpoints of the sides of the
// bounding box deflated by the margin (left, top, right, bottom).
std::array<Point, 4> GroupDiamond(const Box& bounds, int margin);
// Whether a group marker is enabled by the alignments the dragged pane may take.
bool GroupMarkerEnabled(int id, unsigned allowedAlignments);

// The markers as shown during one drag (screen coordinates).
struct MarkerLayout {
    std::array<Box, 4> side{};
    std::array<bool, 4> sideShown{};
    bool groupShown = false;
    Box group;
    std::array<bool, 5> groupEnabled{}; // ids 4-8
    Size marker = kDefaultMarkerSize;
};

// The side markers placed in the docking area, shown where the dragged pane
// may dock; the group hidden.
MarkerLayout LayoutMarkers(const Box& outer, unsigned allowedAlignments, Size marker = kDefaultMarkerSize);
// The group moved over a target rectangle and shown, its markers enabled by
// the alignments (the centre always).
void ShowGroupOver(MarkerLayout& layout, const Box& target, unsigned allowedAlignments,
                   Size group = kDefaultGroupSize);
// The marker holding the point: side markers first, then the group's enabled
// markers; kNoMarker when none.
int MarkerAt(const MarkerLayout& layout, Point point);
// A marker's rectangle in the layout (empty for unknown ids).
Box MarkerBox(const MarkerLayout& layout, int id);

// Where a pane dropped onto another as a tab would stand: the target pane's
// rectangle less a strip of the text height at the bottom (at the top when
// tabs are on top), and in that strip a tab from 10 pixels right of the
// pane's left edge to 50 (a narrow pane's: to its right edge less the frame
// width and 4 pixels; none when no room is left).
struct TabbedPlace {
    Box body;
    Box tab;
};
TabbedPlace TabbedPlaceShape(const Box& pane, int textHeight, int frameWidth, bool tabsOnTop);

// The outline `width` wide of a body and its tab (the tab may be empty) as
// bands that never overlap, so that drawing them twice with an inverting
// pattern leaves nothing: the body's frame, open where the tab joins it, and
// the tab's three other sides. A shape too small for its frame is one band.
std::vector<Box> OutlineBands(const TabbedPlace& shape, int width);

// The place marker's colour from the highlight colour's components: scaled
// by the percentage (105 with translucent windows, 50 for the inverting
// pattern otherwise), each at most 255.
int ScaleComponent(int component, int percent);

} // namespace kgp::smartdock
