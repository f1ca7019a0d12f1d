#include "guilib/docking/KGPSmartDockingGeometry.h"

#include <algorithm>

namespace kgp::smartdock {

namespace {

bool Holds(const Box& box, Point point)
{
    return point.x >= box.left && point.x < box.right && point.y >= box.top && point.y < box.bottom;
}

Box At(Point origin, Size size)
{
    return {origin.x, origin.y, origin.x + size.cx, origin.y + size.cy};
}

} // namespace

bool IsSideMarker(int id)
{
    return id >= kSideLeft && id <= kSideBottom;
}

bool IsGroupMarker(int id)
{
    return id >= kGroupLeft && id <= kGroupCentre;
}

unsigned MarkerAlignment(int id)
{
    switch (id) {
    case kSideLeft:
    case kGroupLeft: return split::kAlignLeft;
    case kSideRight:
    case kGroupRight: return split::kAlignRight;
    case kSideTop:
    case kGroupTop: return split::kAlignTop;
    case kSideBottom:
    case kGroupBottom: return split::kAlignBottom;
    default: return 0;
    }
}

int ImageSlot(int id)
{
    if (IsSideMarker(id))
        return id;
    if (IsGroupMarker(id))
        return id - kGroupLeft;
    return -1;
}

Point SideMarkerOrigin(int id, const Box& outer, Size marker)
{
    const int midX = (outer.left + outer.right) / 2 - marker.cx / 2;
    const int midY = (outer.top + outer.bottom) / 2 - marker.cy / 2;
    switch (id) {
    case kSideLeft: return {outer.left + kSideMarkerInset, midY};
    case kSideRight: return {outer.right - marker.cx - kSideMarkerInset, midY};
    case kSideTop: return {midX, outer.top + kSideMarkerInset};
    case kSideBottom: return {midX, outer.bottom - marker.cy - kSideMarkerInset};
    default: return {};
    }
}

Point GroupMarkerOffset(int id, Size group, Size marker)
{
    Point at{(group.cx - marker.cx) / 2, (group.cy - marker.cy) / 2};
    if (id == kGroupLeft)
        at.x = 0;
    else if (id == kGroupRight)
        at.x = group.cx - marker.cx;
    if (id == kGroupTop)
        at.y = 0;
    else if (id == kGroupBottom)
        at.y = group.cy - marker.cy;
    return at;
}

Box GroupBoxOver(const Box& target, Size group)
{
    const int cx = (target.left + target.right) / 2;
    const int cy = (target.top + target.bottom) / 2;
    return At({cx - group.cx / 2, cy - group.cy / 2}, group);
}

std::array<Point, 4> GroupDiamond(const Box& bounds, int margin)
{
    const Box in{bounds.left + margin, bounds.top + margin, bounds.right - margin, bounds.bottom - margin};
    const int midX = (in.left + in.right) / 2;
    const int midY = (in.top + in.bottom) / 2;
    return {Point{in.left, midY}, Point{midX, in.top}, Point{in.right, midY}, Point{midX, in.bottom}};
}

bool GroupMarkerEnabled(int id, unsigned allowedAlignments)
{
    if (id == kGroupCentre)
        return true;
    return IsGroupMarker(id) && (allowedAlignments & MarkerAlignment(id)) != 0;
}

MarkerLayout LayoutMarkers(const Box& outer, unsigned allowedAlignments, Size marker)
{
    MarkerLayout layout;
    layout.marker = marker;
    for (int id = kSideLeft; id <= kSideBottom; ++id) {
        layout.side[static_cast<size_t>(id)] = At(SideMarkerOrigin(id, outer, marker), marker);
        layout.sideShown[static_cast<size_t>(id)] = (allowedAlignments & MarkerAlignment(id)) != 0;
    }
    return layout;
}

void ShowGroupOver(MarkerLayout& layout, const Box& target, unsigned allowedAlignments, Size group)
{
    layout.group = GroupBoxOver(target, group);
    layout.groupShown = true;
    for (int id = kGroupLeft; id <= kGroupCentre; ++id)
        layout.groupEnabled[static_cast<size_t>(id - kGroupLeft)] = GroupMarkerEnabled(id, allowedAlignments);
}

Box MarkerBox(const MarkerLayout& layout, int id)
{
    if (IsSideMarker(id))
        return layout.side[static_cast<size_t>(id)];
    if (!IsGroupMarker(id))
        return {};
    const Size group{layout.group.Width(), layout.group.Height()};
    const Point offset = GroupMarkerOffset(id, group, layout.marker);
    return At({layout.group.left + offset.x, layout.group.top + offset.y}, layout.marker);
}

int MarkerAt(const MarkerLayout& layout, Point point)
{
    for (int id = kSideLeft; id <= kSideBottom; ++id) {
        if (layout.sideShown[static_cast<size_t>(id)] && Holds(layout.side[static_cast<size_t>(id)], point))
            return id;
    }
    if (!layout.groupShown || !Holds(layout.group, point))
        return kNoMarker;
    for (int id = kGroupLeft; id <= kGroupCentre; ++id) {
        if (layout.groupEnabled[static_cast<size_t>(id - kGroupLeft)] && Holds(MarkerBox(layout, id), point))
            return id;
    }
    return kNoMarker;
}

int ScaleComponent(int component, int percent)
{
    return std::clamp(component * percent / 100, 0, 255);
}

namespace {

constexpr int kTabInset = 10;
constexpr int kTabEnd = 50;
constexpr int kNarrowTabMargin = 4;

// Upside down (the outline of a tab on top is that of a tab below, flipped).
Box Flipped(const Box& box)
{
    return {box.left, -box.bottom, box.right, -box.top};
}

void AddBand(std::vector<Box>& bands, int left, int top, int right, int bottom)
{
    const Box band{left, top, right, bottom};
    if (!band.IsEmpty())
        bands.push_back(band);
}

} // namespace

TabbedPlace TabbedPlaceShape(const Box& pane, int textHeight, int frameWidth, bool tabsOnTop)
{
    TabbedPlace place{pane, {}};
    const int strip = std::max(0, std::min(textHeight, pane.Height()));
    const int tabLeft = pane.left + kTabInset;
    const int tabRight = std::min(pane.left + kTabEnd, pane.right - frameWidth - kNarrowTabMargin);
    if (tabsOnTop) {
        place.body.top += strip;
        place.tab = {tabLeft, pane.top, tabRight, place.body.top};
    } else {
        place.body.bottom -= strip;
        place.tab = {tabLeft, place.body.bottom, tabRight, pane.bottom};
    }
    if (place.tab.IsEmpty())
        place.tab = {};
    return place;
}

std::vector<Box> OutlineBands(const TabbedPlace& shape, int width)
{
    std::vector<Box> bands;
    const Box& body = shape.body;
    if (body.IsEmpty() || width <= 0)
        return bands;
    if (body.Width() <= 2 * width || body.Height() <= 2 * width) {
        bands.push_back(body);
        return bands;
    }
    // A tab joins the body along one whole edge, inside its width, and has
    // room for its own frame; else only the body is outlined.
    const Box& tab = shape.tab;
    const bool above = !tab.IsEmpty() && tab.bottom == body.top;
    const bool below = !tab.IsEmpty() && tab.top == body.bottom;
    const bool joins = (above || below) && tab.left >= body.left && tab.right <= body.right &&
                       tab.Width() > 2 * width && tab.Height() > width;
    if (above && joins) {
        // Drawn as a tab below, upside down.
        std::vector<Box> flipped = OutlineBands({Flipped(body), Flipped(tab)}, width);
        for (Box& band : flipped)
            band = Flipped(band);
        return flipped;
    }
    AddBand(bands, body.left, body.top, body.right, body.top + width);
    AddBand(bands, body.left, body.top + width, body.left + width, body.bottom);
    AddBand(bands, body.right - width, body.top + width, body.right, body.bottom);
    if (!joins) {
        AddBand(bands, body.left + width, body.bottom - width, body.right - width, body.bottom);
        return bands;
    }
    // The bottom edge open over the tab's inside.
    AddBand(bands, body.left + width, body.bottom - width, tab.left + width, body.bottom);
    AddBand(bands, tab.right - width, body.bottom - width, body.right - width, body.bottom);
    AddBand(bands, tab.left, tab.top, tab.left + width, tab.bottom - width);
    AddBand(bands, tab.right - width, tab.top, tab.right, tab.bottom - width);
    AddBand(bands, tab.left, tab.bottom - width, tab.right, tab.bottom);
    return bands;
}

} // namespace kgp::smartdock
