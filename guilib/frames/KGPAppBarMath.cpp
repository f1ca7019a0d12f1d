#include "guilib/frames/KGPAppBarMath.h"

#include <algorithm>

namespace kgp::appbar {

bool IsDockSide(int side)
{
    return side >= kSideLeft && side <= kSideBottom;
}

bool IsHorizontalSide(int side)
{
    return side == kSideTop || side == kSideBottom;
}

bool IsSideAllowed(int side, unsigned flags)
{
    if (side == kSideFloat)
        return (flags & kAllowFloat) != 0;
    if (!IsDockSide(side))
        return false;
    return (flags & (IsHorizontalSide(side) ? kAllowDockTopBottom : kAllowDockLeftRight)) != 0;
}

Box ProposedRect(int side, const Box& screen, const Box& current)
{
    Box rect = current;
    if (IsHorizontalSide(side)) {
        rect.left = screen.left;
        rect.right = screen.right;
    } else {
        rect.top = screen.top;
        rect.bottom = screen.bottom;
    }
    return rect;
}

namespace {

// The strip of a side of the rectangle: its near edge kept, the far edge
// `extent` away from it.
Box EdgeStrip(int side, const Box& from, int extent)
{
    Box rect = from;
    switch (side) {
    case kSideLeft:
        rect.right = rect.left + extent;
        break;
    case kSideTop:
        rect.bottom = rect.top + extent;
        break;
    case kSideRight:
        rect.left = rect.right - extent;
        break;
    case kSideBottom:
        rect.top = rect.bottom - extent;
        break;
    default:
        break;
    }
    return rect;
}

} // namespace

Box WithOwnExtent(int side, const Box& answer, int width, int height)
{
    return EdgeStrip(side, answer, IsHorizontalSide(side) ? height : width);
}

Box RectFromExtents(int side, const Box& screen, const int extents[4])
{
    return IsDockSide(side) ? EdgeStrip(side, screen, extents[side]) : screen;
}

Box HiddenRect(int side, const Box& docked)
{
    return EdgeStrip(side, docked, kHiddenStrip);
}

int ExtentOf(int side, const Box& docked)
{
    return IsHorizontalSide(side) ? docked.Height() : docked.Width();
}

int DragTarget(int x, int y, const Box& screen, const Box& floatZone, unsigned flags, bool ctrl)
{
    const bool canDock = (flags & (kAllowDockLeftRight | kAllowDockTopBottom)) != 0;
    if ((flags & kAllowFloat) != 0 && (floatZone.Contains(x, y) || !canDock || ctrl))
        return kSideFloat;
    const long long w = screen.Width();
    const long long h = screen.Height();
    const long long px = x - screen.left;
    const long long py = y - screen.top;
    const bool left = px < w / 2;
    const bool top = py < h / 2;
    const long long horizontalDistance = left ? px : w - px;
    const long long verticalDistance = top ? py : h - py;
    if (verticalDistance * w > horizontalDistance * h && (flags & kAllowDockLeftRight) != 0)
        return left ? kSideLeft : kSideRight;
    if ((flags & kAllowDockTopBottom) != 0)
        return top ? kSideTop : kSideBottom;
    if ((flags & kAllowDockLeftRight) != 0)
        return left ? kSideLeft : kSideRight;
    return kSideFloat;
}

Box DragDockRect(int side, const Box& screen, const int extents[4])
{
    return RectFromExtents(side, screen, extents);
}

Box FloatDragRect(const Box& start, int dx, int dy, int cursorX, int cursorY, int captionHeight)
{
    Box rect{start.left + dx, start.top + dy, start.right + dx, start.bottom + dy};
    if (rect.Contains(cursorX, cursorY))
        return rect;
    const int width = rect.Width();
    const int height = rect.Height();
    rect.left = cursorX - width / 2;
    rect.top = cursorY - std::max(captionHeight, 1) / 2;
    rect.right = rect.left + width;
    rect.bottom = rect.top + height;
    return rect;
}

int SlideStep(int offset, long elapsed, long duration)
{
    if (duration <= 0 || elapsed >= duration)
        return offset;
    return static_cast<int>(static_cast<long long>(elapsed) * offset / duration);
}

int SlideOffsetX(const Box& from, const Box& to)
{
    return (to.left - from.left) + (to.right - from.right);
}

int SlideOffsetY(const Box& from, const Box& to)
{
    return (to.top - from.top) + (to.bottom - from.bottom);
}

namespace {

int ClampExtent(int extent, int axis, int minExtent)
{
    const int most = std::max(minExtent, axis / 2);
    return std::clamp(extent, minExtent, most);
}

} // namespace

StoredPlace MendStoredPlace(const StoredPlace& stored, const Box& screen, const Box& workArea, int minExtent)
{
    StoredPlace place = stored;
    for (int side = kSideLeft; side <= kSideBottom; ++side) {
        const int axis = IsHorizontalSide(side) ? screen.Height() : screen.Width();
        place.extents[side] = ClampExtent(stored.extents[side], axis, minExtent);
    }
    Box& rect = place.rectFloat;
    if (rect.IsEmpty() || workArea.IsEmpty())
        return place;
    const int width = std::min(rect.Width(), workArea.Width());
    const int height = std::min(rect.Height(), workArea.Height());
    rect.left = std::clamp(rect.left, workArea.left, workArea.right - width);
    rect.top = std::clamp(rect.top, workArea.top, workArea.bottom - height);
    rect.right = rect.left + width;
    rect.bottom = rect.top + height;
    return place;
}

} // namespace kgp::appbar
