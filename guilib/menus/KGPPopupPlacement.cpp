#include "guilib/menus/KGPPopupPlacement.h"

#include <algorithm>

namespace kgp {

namespace {

int ClampInto(int value, int low, int high) { return std::max(low, std::min(value, high)); }

}  // namespace

int WholeRowsHeight(int maxHeight, int rowHeight, int border)
{
    const int inner = std::max(0, maxHeight - 2 * border);
    const int rows = rowHeight > 0 ? inner / rowHeight : 0;
    return 2 * border + rows * rowHeight + 2;
}

PopupPlacement PlacePopup(const PopupPlaceInput& in)
{
    PopupPlacement out;
    const Box& work = in.workArea;
    const bool rtl = in.rightToLeft;
    int width = in.width;
    int height = in.height;
    int direction = in.direction;

    // The point lies on the work area across; down only for a popup of its own
    // (a button's popup may hang below the screen and is moved up below).
    const int x = ClampInto(in.x, work.left, work.right);
    int y = in.hasParentButton ? in.y : ClampInto(in.y, work.top, work.bottom);
    // In right-to-left layout the menu's right edge stands at the point and
    // every rule across is mirrored.
    int left = rtl ? x - width : x;
    const auto besideRight = [&](const Box& box) { return rtl ? box.left - width : box.right; };
    const auto besideLeft = [&](const Box& box) { return rtl ? box.right : box.left - width; };

    if (in.hasParentButton && !in.subMenu) {
        switch (in.toolbarDirection) {
        case kDropUp:
            y = in.button.top + 1 - height;
            direction = kDropUp;
            out.verticalAnchor = false;  // it unfolds from its bottom
            break;
        case kDropRight:
            left = besideRight(in.button);
            y = in.button.top;
            direction = kDropRight;
            break;
        case kDropLeft:
            left = besideLeft(in.button);
            y = in.button.top;
            direction = kDropLeft;
            if (left < work.left || left + width > work.right) {
                left = rtl ? work.right - width : work.left;
                direction = kDropNone;
            }
            break;
        default:
            break;
        }
    }

    // Across: a sub-menu goes to the other side of its popup, a toolbar
    // button's popup to the other side of its button, anything else is pushed
    // inside with a pixel to spare.
    if (rtl ? left < work.left : left + width > work.right) {
        if (in.subMenu) {
            left = besideLeft(in.parentPopup);
            direction = rtl ? kDropRight : kDropLeft;
            out.horizontalAnchor = false;
        } else if (in.hasParentButton && !in.onMenuBar) {
            left = rtl ? in.button.left : in.button.right - width;
            out.horizontalAnchor = false;
        } else {
            left = rtl ? work.left + 1 : work.right - width - 1;
            direction = kDropNone;
        }
        left = ClampInto(left, work.left, work.right - width);
    }

    // Down: a menu that cannot scroll, or that opens beside its button, opens
    // upwards; else the side with more room takes it, cut and scrolled.
    if (y + height > work.bottom) {
        if (in.gripper > 0) {
            height -= in.gripper;
            out.gripperDropped = true;
        }
        if (!in.canScroll || direction == kDropRight || direction == kDropLeft) {
            if (in.subMenu)
                y = in.button.top + in.rowHeight + 2 * in.border - height;  // overlaps its item by one row
            else if (in.hasParentButton)
                y = (direction == kDropRight || direction == kDropLeft ? in.button.bottom : in.button.top) - height;
            else
                y -= height;
            out.verticalAnchor = false;
            if (direction == kDropDown || direction == kDropNone)
                direction = kDropUp;
        } else {
            const int above = (in.hasParentButton ? in.button.top : y) - work.top;
            const int below = work.bottom - y;
            if (above > below) {
                height = std::min(height, above);
                y = (in.hasParentButton ? in.button.top : y) - height;
                out.verticalAnchor = false;
                direction = kDropUp;
            } else {
                height = std::max(0, below);
            }
            out.scrollable = true;
        }
    }
    if (y < work.top) {
        y = work.top;
        direction = kDropNone;
        if (height > work.bottom - work.top) {
            height = work.bottom - work.top;
            out.scrollable = in.canScroll;
        }
    }

    out.window = Box{left, y, left + width, y + height};
    out.direction = direction;
    return out;
}

Size2 TrackResize(const ResizeInput& in)
{
    Size2 size;
    size.cy = std::max(in.cursorY - in.window.top, in.minHeight);
    size.cx = in.bothDirections ? std::max(in.cursorX - in.window.left, in.minWidth) : in.window.right - in.window.left;
    size.cx = std::max(1, std::min(size.cx, in.workArea.right - in.window.left - 2 * in.border));
    size.cy = std::max(1, std::min(size.cy, in.workArea.bottom - in.window.top - 2 * in.border));
    return size;
}

int ClampFirstRow(int firstRow, int totalRows, int visibleHeight, int rowHeight)
{
    if (rowHeight <= 0)
        return 0;
    const int upper = totalRows - (visibleHeight / rowHeight - 2) - 1;
    return std::max(0, std::min(firstRow, upper));
}

int ScrollIntoView(int firstRow, int itemTop, int itemBottom, int visibleHeight, int rowHeight, int totalRows)
{
    if (rowHeight <= 0)
        return 0;
    int row = firstRow;
    if (itemTop < 0)
        row -= -itemTop / rowHeight + 1;
    else if (itemBottom > visibleHeight)
        row += (itemBottom - visibleHeight) / rowHeight + 1;
    return ClampFirstRow(row, totalRows, visibleHeight, rowHeight);
}

int PopupHitTest(const PopupHitInput& in, int x, int y)
{
    if (!in.client.Contains(x, y))
        return kHitOutside;
    if (!in.logo.IsEmpty() && in.logo.Contains(x, y))
        return kHitLogo;
    if (in.shadow > 0) {
        if (in.rightToLeft ? x < in.client.left + in.shadow : x >= in.client.right - in.shadow)
            return kHitRightShadow;
        if (y >= in.client.bottom - in.shadow)
            return kHitBottomShadow;
    }
    if (!in.tearOff.IsEmpty() && in.tearOff.Contains(x, y))
        return kHitTearOff;
    return kHitInside;
}

bool ChangeReachesShadow(const Box& window, int shadow, const Box& changed, bool rightToLeft)
{
    if (shadow <= 0)
        return false;
    const Box side = rightToLeft ? Box{window.left, window.top, window.left + shadow, window.bottom}
                                 : Box{window.right - shadow, window.top, window.right, window.bottom};
    const Box bottom{window.left, window.bottom - shadow, window.right, window.bottom};
    const auto meets = [&](const Box& band) {
        return changed.left < band.right && band.left < changed.right && changed.top < band.bottom &&
               band.top < changed.bottom;
    };
    return meets(side) || meets(bottom);
}

}  // namespace kgp
