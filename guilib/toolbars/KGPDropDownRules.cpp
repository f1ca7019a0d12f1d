#include "guilib/toolbars/KGPDropDownRules.h"

#include <algorithm>

namespace kgp {

Point2D DropDownCorner(const Box& button, bool horizontalBar)
{
    return horizontalBar ? Point2D{button.left, button.bottom - 1} : Point2D{button.right + 1, button.top};
}

Point2D PlaceDropDownFrame(const DropDownPlaceInput& in)
{
    Point2D at{in.x, in.y};
    if (at.x + in.width > in.work.right)
        at.x = in.verticalBar ? in.barLeft - in.width : in.work.right - in.width - 1;
    if (at.y + in.height > in.work.bottom) {
        at.y -= in.height;
        if (in.fromButton)
            at.y -= in.buttonHeight + 4;
        else
            at.y = std::max(0, at.y);
    }
    return at;
}

std::array<Point2D, 3> DropDownTriangle(const Box& button, bool largeIcons, bool pressed)
{
    const int a = largeIcons ? 14 : 7;
    const int b = largeIcons ? 7 : 4;
    const int p = pressed ? 1 : 0;
    return {Point2D{button.right - a + p - 1, button.bottom - b + p + 1},
            Point2D{button.right - b + p + 1, button.bottom - b + p + 1},
            Point2D{button.right - b + p + 1, button.bottom - a + p - 1}};
}

} // namespace kgp
