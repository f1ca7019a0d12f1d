// The arithmetic of the split trees that docking panes share a place in, as
// plain functions with no Windows header: where the boundary between the two
// sides of a container goes when it is resized (by the sides' shares, kept at
// their minimum sizes), the minimum size of a container, when its slider
// shows, how far a slider may be dragged, how a pane docked beside another
// splits that pane's rectangle, and where a dragged slider's outline may go.
// The containers read their windows' rectangles, ask here and move.
#pragma once

#include "guilib/core/KGPBox.h"

namespace kgp::split {

// Alignment bits of a side or frame edge (the control-bar alignment bits).
constexpr unsigned kAlignLeft = 0x1000;
constexpr unsigned kAlignTop = 0x2000;
constexpr unsigned kAlignRight = 0x4000;
constexpr unsigned kAlignBottom = 0x8000;

// The default thickness of a slider.
constexpr int kSliderThickness = 4;
// What a default slider keeps free of the frame's inner edge when dragged.
constexpr int kDefaultSliderMargin = 4;

struct Size {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const Size& a, const Size& b) { return a.cx == b.cx && a.cy == b.cy; }
};

using Box = kgp::Box;

// A share stored as 0 or 100 (a side that once held everything or nothing)
// reads as an even split.
int EffectiveShare(int share);

// ---- Resizing one container along its slider's axis.

// One side as it was before the resize: its extent on the axis (0 when it
// had no rectangle), its stored share and its minimum extent.
struct SideBefore {
    int extent = 0;
    bool hadRect = true;
    int share = 50;
    int minimum = 0;
};

struct AxisResize {
    int oldTotal = 0;   // the container's extent before
    SideBefore left;
    SideBefore right;
    int newNear = 0;    // the container's new near and far edges
    int newFar = 0;
    int thickness = 0;  // the slider's, 0 when it is hidden
    // Sides are kept at their minimum even when the container is too small
    // for both (the far side then runs past the container's far edge).
    bool forceMinimum = false;
};

struct AxisSplit {
    int split = 0;     // the far edge of the left side, where the slider begins
    int rightFar = 0;  // the far edge of the right side
    int leftShare = 50; // the share the left side stores; the right one stores 100 - it
};

// The share the left side of a node laid out at these extents stores when it
// is laid out again at the same size (the right side stores 100 - it).
int ShareOfLaidOut(int leftExtent, int thickness, int rightExtent);

// Where the boundary goes: the left side keeps its share of the old extent
// and takes that share of a shrink and the rest of a growth (truncating);
// a side that was alone, or a container that had no room for both, starts
// from the other side's stored share. A side below its minimum is given its
// minimum from the other side whenever the container has room for both.
AxisSplit ResizeAlongAxis(const AxisResize& in);

// ---- Minimum sizes and slider visibility.

// One side's minimum contributions: its pane's and its sub-container's, each
// taken only when present (visible, or holding a visible pane).
struct SideMinimum {
    bool hasPane = false;
    Size pane;
    bool hasContainer = false;
    Size container;
};

// A container's minimum size: with a visible slider, the sides' sizes added
// along the axis with the slider's thickness and the largest across it;
// without one, the larger of the panes' sizes, replaced by a sub-container's.
Size CombineMinimum(const SideMinimum& left, const SideMinimum& right, bool sliderVisible, bool vertical,
                    int thickness);

// Whether a container's slider shows: l, r its panes are visible, L, R its
// sub-containers hold a visible pane.
bool SliderShows(bool l, bool r, bool L, bool R);

// The part of a proposed change of an extent that keeps it at or above its
// minimum (never below 0, with the sign of the request).
int CutToMinimum(int extent, int minimum, int delta);

// The rectangle the tree of a frame edge (`alignment`) is laid out in: its
// room, grown where it is smaller than the tree's minimum, away from the
// frame edge (a tree at the left edge grows to the right) and to the right or
// downward along the edge, so that no pane goes below its minimum; what then
// lies outside the room is cut off from view. Boxes on the screen.
Box RoomKeepingMinimum(const Box& room, Size minimum, unsigned alignment);

// A change `delta` of a container's extent at one of its ends, across its
// slider: how much of it the side away from that end takes (the side at the
// end takes the rest), given what each side can give of it (CutToMinimum's
// answers). When both can give the same, the far side takes half of the
// change and one pixel more (with the change's sign), else the whole change;
// always as much as keeps both sides at or above their minimums.
int FarSideShare(int delta, int endSidePart, int farSidePart);

// ---- Moving a container's boundary.

struct Boundary {
    int leftFar = 0;
    int rightNear = 0;
};
// The boundary between [leftNear, leftFar] and [rightNear, rightFar] moved by
// the offset, each side kept at least at its minimum.
Boundary MoveBoundary(int leftNear, int leftFar, int rightNear, int rightFar, int leftMin, int rightMin, int offset);

// ---- Dragging sliders.

struct DragLimits {
    int low = 0;  // offsets from the slider's place the drag may go to
    int high = 0;
};
// An inner slider at [sliderNear, sliderFar] of a container [near, far]: it
// may go up to one pixel short of where a side would fall below its minimum.
DragLimits InnerSliderLimits(int nearEdge, int farEdge, int sliderNear, int sliderFar, int leftMin, int rightMin);
// A default slider beside the panes of one frame edge (`alignment`, the
// edge): the panes keep their minimum extent on one side, and on the other
// the slider stays the margin and a pixel short of `bounds`, the far edge of
// the room they may grow into. Boxes on the screen.
DragLimits DefaultSliderLimits(unsigned alignment, const Box& container, const Box& slider, const Box& bounds,
                               Size minimum);

// The outline of a slider dragged so that the cursor sits in its middle,
// kept within [limitLow, limitHigh] (its start at the low limit, or its end at
// the high one, with the length it had).
int DragOutlineStart(int cursor, int thickness, int previousLength, int limitLow, int limitHigh);

// ---- Docking beside a pane.

struct BesideSplit {
    Box target;  // what the target keeps
    Box added;   // the docked pane
    Box slider;
    bool horizontalSlider = false; // sides stacked (top and bottom)
};
// The target's rectangle split with a pane of size `added` (widened to the
// minimum first) docked on the `alignment` side of it: the new pane takes at
// most half of the target across the split and its full length along it;
// the slider lies between them. Right-to-left owners swap left and right.
// `ok` is false for an alignment that is not one side.
BesideSplit SplitBeside(const Box& target, Size added, Size minimum, unsigned alignment, int thickness, bool rtl,
                        bool& ok);

// The extent of the side a pane comes back to in a container of `total`,
// with its remembered share (0 and 100 read as 50): the first side takes
// its share of the total, the second what the first side's share leaves
// after the slider. Where the container has room for both minimums, the
// side is kept at least at its `minimum` and leaves the other side at least
// `otherMinimum` (a share truncated, or remembered from a smaller place,
// would leave a pane below its minimum).
int RecentSideExtent(int total, int share, bool first, int thickness, int minimum = 0, int otherMinimum = 0);

}  // namespace kgp::split
