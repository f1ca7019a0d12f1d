// Where a popup menu goes on the screen and what of it shows: its window on
// the work area of its monitor (drop directions, flips at the edges, upward
// opening, cutting and scrolling of menus taller than the room), the rows a
// scrolled menu shows, and which part of the popup a point lies in. No
// Windows header: tested as tables, without a window.
#pragma once

#include "guilib/toolbars/KGPToolBarMath.h"

namespace kgp {

// Drop directions of a popup menu.
enum PopupDirection { kDropNone = 0, kDropDown = 1, kDropUp = 2, kDropRight = 3, kDropLeft = 4 };

// What the placement of a popup reads; coordinates on the virtual screen
// (a monitor left of or above the primary one has negative coordinates).
struct PopupPlaceInput {
    Box workArea;                 // the work area of the monitor nearest the point
    int x = 0, y = 0;             // the point the popup was asked for
    int width = 0, height = 0;    // the menu's size (items, borders, side band, caption, gripper)
    int shadow = 0;               // added right of and below the menu once it is placed
    int direction = kDropNone;    // as its parent button gave it
    bool hasParentButton = false;
    bool subMenu = false;         // the parent button is an item of another popup
    bool onMenuBar = false;       // the parent button stands on the menu bar
    Box button;                   // the parent button (screen)
    Box parentPopup;              // the popup holding the parent button (sub-menus)
    int toolbarDirection = 0;     // the direction the button's toolbar asks for (2, 3, 4; 0 none)
    bool rightToLeft = false;
    bool canScroll = true;        // the items can be scrolled (not a palette)
    int rowHeight = 0;
    int border = 0;
    int gripper = 0;              // height of the resizing gripper (0: none)
};

struct PopupPlacement {
    Box window;                    // the menu without its shadow
    int direction = kDropNone;
    bool scrollable = false;       // cut: it scrolls
    bool gripperDropped = false;   // no room was left for the gripper
    bool horizontalAnchor = true;  // false: flipped to the other side (grows from the right)
    bool verticalAnchor = true;    // false: opened upwards (grows from the bottom)
};
PopupPlacement PlacePopup(const PopupPlaceInput& in);

// The height of a menu taller than maxHeight: the whole rows that fit
// inside the border, plus 2.
int WholeRowsHeight(int maxHeight, int rowHeight, int border);

// The gripper of a resizable popup: 12 pixels high when it resizes in both
// directions, 9 when only in height; the minimum height it keeps counts it.
constexpr int GripperHeight(bool bothDirections) { return bothDirections ? 12 : 9; }
constexpr int ResizeMinimumHeight(int minHeight, bool bothDirections) { return minHeight + GripperHeight(bothDirections); }

// The size a resizing drag asks for: the cursor's distance from the
// window's top (and left when both directions), at least the minimums, at
// most what the work area leaves below and right of the window less twice
// the popup's border.
struct ResizeInput {
    Box window;
    Box workArea;
    int cursorX = 0, cursorY = 0;
    int minWidth = 0, minHeight = 0;
    bool bothDirections = false;
    int border = 0;
};
struct Size2 {
    int cx = 0, cy = 0;
    bool operator==(const Size2& other) const { return cx == other.cx && cy == other.cy; }
};
Size2 TrackResize(const ResizeInput& in);

// ---- Scrolling ----
// The first row a scrolled menu may show: at most rows - (visible rows - 2) - 1
// (the bound taken first, so that it is never below 0), at least 0.
int ClampFirstRow(int firstRow, int totalRows, int visibleHeight, int rowHeight);
// The first row after the hot item (its top and bottom in the bar, relative to
// the visible area's top) is brought into view: above the area the rows move
// up by distance / row height + 1, below it down by the same rule; clamped.
int ScrollIntoView(int firstRow, int itemTop, int itemBottom, int visibleHeight, int rowHeight, int totalRows);
// One wheel step per 120 units of delta (integer division); positive deltas scroll up.
constexpr int WheelSteps(int delta) { return (delta < 0 ? -delta : delta) / 120; }

// ---- Hit test (client coordinates of the popup window) ----
enum PopupHit { kHitInside = 0, kHitRightShadow = 1, kHitBottomShadow = 2, kHitLogo = 3, kHitOutside = 4, kHitTearOff = 5 };
struct PopupHitInput {
    Box client;     // the whole window, shadow included
    Box logo;       // the side band (empty: none)
    Box tearOff;    // the tear-off caption (empty: none)
    int shadow = 0;
    bool rightToLeft = false;  // the right shadow band lies on the left
};
// The bands are tested in this order: outside, side band, right shadow,
// bottom shadow, tear-off caption; else inside.
int PopupHitTest(const PopupHitInput& in, int x, int y);

// Whether a change of the screen in `changed` reaches the shadow bands of a
// popup window (shadow included): the right band (the left one in
// right-to-left layout) or the bottom band.
bool ChangeReachesShadow(const Box& window, int shadow, const Box& changed, bool rightToLeft);

}  // namespace kgp
