// The drop-down toolbar button's rules: where its frame opens and stays on
// the work area, and the corner triangle it draws. No Windows header:
// tested as tables, without a window.
#pragma once

#include "guilib/toolbars/KGPToolBarMath.h"

#include <array>

namespace kgp {

struct DropDownPlaceInput {
    int x = 0, y = 0;         // the corner asked for (screen)
    int width = 0, height = 0;
    Box work;                 // the work area of the monitor holding the corner
    bool verticalBar = false; // the source bar stands vertically
    int barLeft = 0;          // its left edge (screen)
    bool fromButton = true;   // the frame hangs from a button
    int buttonHeight = 0;
};
struct Point2D {
    int x = 0, y = 0;
    bool operator==(const Point2D& other) const { return x == other.x && y == other.y; }
};

// The corner under a horizontal bar's button (its bottom-left, one pixel
// up) or beside a vertical bar's (its top-right, one pixel out).
Point2D DropDownCorner(const Box& button, bool horizontalBar);
// Kept on the work area: past the right edge it moves left of a vertical
// source bar, else to the edge; past the bottom it moves up by its height
// (and by the button's height and 4 more when it hangs from a button);
// without a button never above 0.
Point2D PlaceDropDownFrame(const DropDownPlaceInput& in);
// The corner triangle of the button's rectangle (large icons: 14/7, else 7/4;
// shifted by one while pressed).
std::array<Point2D, 3> DropDownTriangle(const Box& button, bool largeIcons, bool pressed);
// The arrow's extra width: 9 in large-icons mode, else 4.
constexpr int DropDownArrowWidth(bool largeIcons) { return largeIcons ? 9 : 4; }

} // namespace kgp
