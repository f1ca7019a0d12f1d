#include "guilib/docking/KGPSplitMath.h"

#include <algorithm>

namespace kgp::split {

int EffectiveShare(int share)
{
    return share <= 0 || share >= 100 ? 50 : share;
}

namespace {

// The left side's share of the old extent: a side that was everything or
// nothing reads as an even split.
double OldShare(int oldLeft, int oldTotal)
{
    if (oldTotal <= 0)
        return 50.0;
    const double share = 100.0 * oldLeft / oldTotal;
    return share <= 0.0 || share >= 100.0 ? 50.0 : share;
}

int Truncate(double value)
{
    return static_cast<int>(value); // toward zero
}

}  // namespace

int ShareOfLaidOut(int leftExtent, int thickness, int rightExtent)
{
    return Truncate(OldShare(leftExtent, leftExtent + thickness + rightExtent));
}

AxisSplit ResizeAlongAxis(const AxisResize& in)
{
    const int nearEdge = in.newNear;
    const int farEdge = in.newFar;
    const int total = farEdge - nearEdge;
    int oldLeft = in.left.extent;
    const int delta = total - in.oldTotal;

    // A side that was alone (or a container that had no room for both) starts
    // from the other side's share.
    bool preset = false;
    int presetShare = 50;
    if (in.oldTotal < in.left.extent + in.right.extent || !in.left.hadRect || !in.right.hadRect) {
        if (in.left.extent == in.oldTotal) {
            const int share = EffectiveShare(in.right.share);
            oldLeft = in.oldTotal - in.oldTotal * share / 100;
            presetShare = 100 - share;
            preset = true;
        } else if (in.right.extent == in.oldTotal) {
            const int share = EffectiveShare(in.left.share);
            oldLeft = in.oldTotal * share / 100;
            presetShare = share;
            preset = true;
        }
    }

    const double share = OldShare(oldLeft, in.oldTotal);
    int split = nearEdge + oldLeft;
    if (delta > 0)
        split += Truncate((100.0 - share) * delta / 100.0);
    else if (delta < 0)
        split += Truncate(share * delta / 100.0);

    AxisSplit out;
    out.leftShare = delta == 0 && preset ? presetShare : Truncate(share);

    const int room = in.left.minimum + in.thickness + in.right.minimum;
    if (in.forceMinimum || total >= room) {
        const int leftMin = in.left.minimum;
        const int rightMin = in.right.minimum;
        const bool leftShort = split - nearEdge < leftMin;
        const bool rightShort = farEdge - (split + in.thickness) < rightMin;
        int rightFar = farEdge;
        if (leftShort && rightShort) {
            split = nearEdge + leftMin;
            rightFar = split + in.thickness + rightMin;
        } else if (leftShort) {
            split = nearEdge + leftMin;
            if (rightFar - (split + in.thickness) < rightMin)
                rightFar = split + in.thickness + rightMin;
        } else if (rightShort) {
            split = (std::max)(farEdge - in.thickness - rightMin, nearEdge + leftMin);
            if (rightFar - (split + in.thickness) < rightMin)
                rightFar = split + in.thickness + rightMin;
        }
        out.split = split;
        out.rightFar = rightFar;
        if (leftShort || rightShort)
            out.leftShare = total > 0 ? 100 * (split - nearEdge) / total : 50;
    } else {
        // No room for both minimums: the sides share what there is, neither
        // running outside the container.
        out.split = (std::clamp)(split, nearEdge, (std::max)(nearEdge, farEdge - in.thickness));
        out.rightFar = farEdge;
    }
    out.leftShare = (std::clamp)(out.leftShare, 0, 100);
    return out;
}

Size CombineMinimum(const SideMinimum& left, const SideMinimum& right, bool sliderVisible, bool vertical,
                    int thickness)
{
    Size result;
    if (sliderVisible) {
        int along = thickness;
        int across = 0;
        for (const SideMinimum* side : {&left, &right}) {
            const Size parts[] = {side->pane, side->container};
            const bool present[] = {side->hasPane, side->hasContainer};
            for (int i = 0; i < 2; ++i) {
                if (!present[i])
                    continue;
                along += vertical ? parts[i].cx : parts[i].cy;
                across = (std::max)(across, vertical ? parts[i].cy : parts[i].cx);
            }
        }
        return vertical ? Size{along, across} : Size{across, along};
    }
    for (const SideMinimum* side : {&left, &right}) {
        if (side->hasPane) {
            result.cx = (std::max)(result.cx, side->pane.cx);
            result.cy = (std::max)(result.cy, side->pane.cy);
        }
    }
    if (left.hasContainer)
        result = left.container;
    if (right.hasContainer)
        result = right.container;
    return result;
}

bool SliderShows(bool l, bool r, bool L, bool R)
{
    if (r && !l && !L)
        return false;
    return ((l || r) && (!l || r || R)) || (L && R);
}

Box RoomKeepingMinimum(const Box& room, Size minimum, unsigned alignment)
{
    Box grown = room;
    if (grown.Width() < minimum.cx) {
        if (alignment == kAlignRight)
            grown.left = grown.right - minimum.cx;
        else
            grown.right = grown.left + minimum.cx;
    }
    if (grown.Height() < minimum.cy) {
        if (alignment == kAlignBottom)
            grown.top = grown.bottom - minimum.cy;
        else
            grown.bottom = grown.top + minimum.cy;
    }
    return grown;
}

int CutToMinimum(int extent, int minimum, int delta)
{
    if (extent + delta >= minimum)
        return delta;
    const int allowed = (std::max)(0, extent - minimum);
    return delta < 0 ? -allowed : allowed;
}

int FarSideShare(int delta, int endSidePart, int farSidePart)
{
    if (delta == 0)
        return 0;
    const int sign = delta < 0 ? -1 : 1;
    int share = endSidePart == farSidePart ? sign * ((delta * sign) / 2 + 1) : delta;
    // Each side changes with the change's sign, by no more than it can give.
    int low = delta < 0 ? (std::max)(delta, farSidePart) : 0;
    int high = delta < 0 ? 0 : (std::min)(delta, farSidePart);
    if (delta < 0)
        high = (std::min)(high, delta - endSidePart);
    else
        low = (std::max)(low, delta - endSidePart);
    if (low > high)
        return (std::clamp)(share, (std::min)(0, delta), (std::max)(0, delta));
    return (std::clamp)(share, low, high);
}

Boundary MoveBoundary(int leftNear, int leftFar, int rightNear, int rightFar, int leftMin, int rightMin, int offset)
{
    Boundary out;
    out.leftFar = (std::max)(leftFar + offset, leftNear + leftMin);
    out.rightNear = (std::min)(rightNear + offset, rightFar - rightMin);
    return out;
}

namespace {

DragLimits Limits(int low, int high)
{
    return {(std::min)(low, 0), (std::max)(high, 0)};
}

}  // namespace

DragLimits InnerSliderLimits(int nearEdge, int farEdge, int sliderNear, int sliderFar, int leftMin, int rightMin)
{
    return Limits(nearEdge + leftMin + 1 - sliderNear, farEdge - rightMin - 1 - sliderFar);
}

DragLimits DefaultSliderLimits(unsigned alignment, const Box& container, const Box& slider, const Box& bounds,
                               Size minimum)
{
    const int margin = kDefaultSliderMargin;
    switch (alignment) {
    case kAlignLeft:
        return Limits(container.left + minimum.cx + 1 - slider.left, bounds.right - margin - 1 - slider.right);
    case kAlignRight:
        return Limits(bounds.left + margin + 1 - slider.left, container.right - minimum.cx - 1 - slider.right);
    case kAlignTop:
        return Limits(container.top + minimum.cy + 1 - slider.top, bounds.bottom - margin - 1 - slider.bottom);
    case kAlignBottom:
        return Limits(bounds.top + margin + 1 - slider.top, container.bottom - minimum.cy - 1 - slider.bottom);
    default:
        return {};
    }
}

int DragOutlineStart(int cursor, int thickness, int previousLength, int limitLow, int limitHigh)
{
    int start = cursor - thickness / 2;
    if (start < limitLow)
        start = limitLow;
    else if (start + previousLength > limitHigh)
        start = limitHigh - previousLength;
    return start;
}

BesideSplit SplitBeside(const Box& target, Size added, Size minimum, unsigned alignment, int thickness, bool rtl,
                        bool& ok)
{
    BesideSplit out;
    out.target = target;
    ok = true;
    const Size size{(std::max)(added.cx, minimum.cx), (std::max)(added.cy, minimum.cy)};
    if (rtl && (alignment == kAlignLeft || alignment == kAlignRight))
        alignment = alignment == kAlignLeft ? kAlignRight : kAlignLeft;
    Box& t = out.target;
    switch (alignment) {
    case kAlignTop:
    case kAlignBottom: {
        out.horizontalSlider = true;
        const int height = (std::min)(size.cy, target.Height() / 2);
        if (alignment == kAlignTop) {
            out.added = {t.left, t.top, t.right, t.top + height};
            out.slider = {t.left, out.added.bottom, t.right, out.added.bottom + thickness};
            t.top = out.slider.bottom;
        } else {
            out.added = {t.left, t.bottom - height, t.right, t.bottom};
            out.slider = {t.left, out.added.top - thickness, t.right, out.added.top};
            t.bottom = out.slider.top;
        }
        break;
    }
    case kAlignLeft:
    case kAlignRight: {
        const int width = (std::min)(size.cx, target.Width() / 2);
        if (alignment == kAlignLeft) {
            out.added = {t.left, t.top, t.left + width, t.bottom};
            out.slider = {out.added.right, t.top, out.added.right + thickness, t.bottom};
            t.left = out.slider.right;
        } else {
            out.added = {t.right - width, t.top, t.right, t.bottom};
            out.slider = {out.added.left - thickness, t.top, out.added.left, t.bottom};
            t.right = out.slider.left;
        }
        break;
    }
    default:
        ok = false;
        break;
    }
    return out;
}

int RecentSideExtent(int total, int share, bool first, int thickness, int minimum, int otherMinimum)
{
    share = EffectiveShare(share);
    const int extent = first ? total * share / 100 : total - total * (100 - share) / 100 - thickness;
    if (total < minimum + thickness + otherMinimum)
        return extent;
    return (std::clamp)(extent, minimum, total - thickness - otherMinimum);
}

}  // namespace kgp::split
