#include "tests/guilib_docking/DockLayoutCheck.h"

#include <map>

namespace layout_check {

namespace {

bool Overlaps(const Box& a, const Box& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

std::string PlaceName(const Placement& place)
{
    return std::string(KindName(place.kind)) + " " + std::to_string(place.owner);
}

} // namespace

const char* KindName(PlaceKind kind)
{
    switch (kind) {
    case PlaceKind::Row: return "row";
    case PlaceKind::Tree: return "tree";
    case PlaceKind::Tab: return "tab";
    case PlaceKind::FloatingFrame: return "floating frame";
    case PlaceKind::AutoHide: return "auto-hide strip";
    case PlaceKind::Document: return "document window";
    }
    return "?";
}

std::vector<std::string> CheckDockLayout(const LayoutView& layout)
{
    std::vector<std::string> faults;
    std::map<int, std::vector<const Placement*>> placesOf;
    for (const Placement& place : layout.placements)
        placesOf[place.barId].push_back(&place);

    std::map<int, const BarView*> known;
    for (const BarView& bar : layout.bars) {
        if (!known.emplace(bar.id, &bar).second) {
            faults.push_back("bar " + std::to_string(bar.id) + " listed twice");
            continue;
        }
        const auto found = placesOf.find(bar.id);
        if (found == placesOf.end()) {
            faults.push_back("bar " + std::to_string(bar.id) + " stands nowhere");
        } else if (found->second.size() > 1) {
            std::string where;
            for (const Placement* place : found->second)
                where += " " + PlaceName(*place) + ";";
            faults.push_back("bar " + std::to_string(bar.id) + " stands in " + std::to_string(found->second.size()) +
                             " places:" + where);
        }
        if (bar.isPane && bar.mustShow && !bar.shownInHost)
            faults.push_back("pane " + std::to_string(bar.id) + " is hidden where it stands, not on purpose");
        if (bar.isPane && bar.visible &&
            (bar.rect.Width() < bar.minimum.cx || bar.rect.Height() < bar.minimum.cy))
            faults.push_back("pane " + std::to_string(bar.id) + " of " + std::to_string(bar.rect.Width()) + "x" +
                             std::to_string(bar.rect.Height()) + " below its minimum " +
                             std::to_string(bar.minimum.cx) + "x" + std::to_string(bar.minimum.cy));
    }
    for (const auto& [id, places] : placesOf) {
        if (known.find(id) == known.end())
            faults.push_back(PlaceName(*places.front()) + " holds bar " + std::to_string(id) +
                             ", which is gone or unknown");
    }

    for (size_t i = 0; i < layout.trees.size(); ++i) {
        for (const std::string& fault : split_check::CheckSplitTree(layout.trees[i].tree, layout.trees[i].room))
            faults.push_back("tree " + std::to_string(i) + ": " + fault);
    }

    for (const FloatingView& frame : layout.floating) {
        const std::string name = "floating frame " + std::to_string(frame.owner);
        if (frame.rect.IsEmpty()) {
            faults.push_back(name + " has no size");
            continue;
        }
        bool onScreen = false;
        for (const Box& monitor : layout.monitors)
            onScreen = onScreen || Overlaps(frame.rect, monitor);
        if (!onScreen)
            faults.push_back(name + " lies on no monitor");
    }
    return faults;
}

} // namespace layout_check
