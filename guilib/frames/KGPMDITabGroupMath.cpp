#include "guilib/frames/KGPMDITabGroupMath.h"

#include <algorithm>
#include <cstdlib>
#include <set>

namespace kgp::mdi {

namespace {

Box Union(const Box& a, const Box& b)
{
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

} // namespace

// ---- Layout.

std::vector<Box> LayoutGroups(const Box& area, const std::vector<int>& extents, int alignment, int& totalRest)
{
    std::vector<Box> boxes;
    const int count = static_cast<int>(extents.size());
    if (count == 0)
        return boxes;
    if (count == 1 || alignment == kNoAlignment) {
        boxes.assign(static_cast<size_t>(count), area);
        return boxes;
    }
    const bool vertical = alignment == kVertical;
    const int start = vertical ? area.left : area.top;
    const int end = std::max(start, vertical ? area.right : area.bottom);
    long long sum = 0;
    for (int extent : extents)
        sum += std::max(0, extent);
    const long long spare = (end - start) - sum;
    int share = static_cast<int>(spare / count);
    totalRest += static_cast<int>(spare % count);
    if (std::abs(totalRest) >= count) {
        share += totalRest > 0 ? 1 : -1;
        totalRest = 0;
    }
    int position = start;
    for (int i = 0; i < count; ++i) {
        const int last = i == count - 1 ? end
                                        : std::clamp(position + std::max(0, extents[static_cast<size_t>(i)] + share),
                                                     position, end);
        Box box = area;
        if (vertical) {
            box.left = position;
            box.right = last;
        } else {
            box.top = position;
            box.bottom = last;
        }
        boxes.push_back(box);
        position = last;
    }
    return boxes;
}

Box DragBounds(const Box& group, const Box& next, int alignment, int margin)
{
    if (alignment == kNoAlignment)
        return {};
    Box bounds = Union(group, next);
    if (alignment == kVertical) {
        bounds.left += margin;
        bounds.right -= margin;
    } else {
        bounds.top += margin;
        bounds.bottom -= margin;
    }
    return bounds.IsEmpty() ? Box{} : bounds;
}

void ApplyDraggedBorder(const Box& newGroup, Box& group, Box& next, int alignment)
{
    if (alignment == kVertical) {
        const int border = std::clamp(newGroup.right, group.left, next.right);
        group.right = border;
        next.left = border;
    } else if (alignment == kHorizontal) {
        const int border = std::clamp(newGroup.bottom, group.top, next.bottom);
        group.bottom = border;
        next.top = border;
    }
}

void SplitGroup(Box& after, const Box& proposed, bool vertical, Box& created)
{
    created = after;
    if (vertical) {
        const int width = std::clamp(proposed.Width(), 0, after.Width());
        after.right -= width;
        created.left = after.right;
    } else {
        const int height = std::clamp(proposed.Height(), 0, after.Height());
        after.bottom -= height;
        created.top = after.bottom;
    }
}

int NeighbourOfRemoved(int removed, int count)
{
    if (count < 2 || removed < 0 || removed >= count)
        return -1;
    return removed == 0 ? 1 : removed - 1;
}

std::vector<int> SplitterModes(int count, int alignment)
{
    std::vector<int> modes(static_cast<size_t>(std::max(0, count)), alignment);
    if (!modes.empty())
        modes.back() = 0;
    return modes;
}

// ---- Commands.

unsigned AllowedItems(int index, int count, int tabs, int alignment, bool wrapsPane, bool fullScreen)
{
    if (index < 0 || index >= count)
        return 0;
    unsigned items = 0;
    if (tabs > 1) {
        if (count == 1 || alignment == kVertical)
            items |= kNewVerticalGroup;
        if (count == 1 || alignment == kHorizontal)
            items |= kNewHorizontalGroup;
    }
    if (index > 0)
        items |= kMoveToPreviousGroup;
    if (index < count - 1)
        items |= kMoveToNextGroup;
    if (wrapsPane && !fullScreen)
        items |= kTabbedDocument;
    return items;
}

TabPlace StepTab(const std::vector<int>& tabCounts, TabPlace active, bool previous)
{
    const int groups = static_cast<int>(tabCounts.size());
    if (groups == 0 || active.group < 0 || active.group >= groups)
        return {};
    int group = active.group;
    int tab = active.tab + (previous ? -1 : 1);
    for (int step = 0; step <= groups; ++step) {
        const int tabs = tabCounts[static_cast<size_t>(group)];
        if (tab >= 0 && tab < tabs)
            return {group, tab};
        group = previous ? (group + groups - 1) % groups : (group + 1) % groups;
        tab = previous ? tabCounts[static_cast<size_t>(group)] - 1 : 0;
    }
    return {};
}

// ---- Dragging a tab between groups.

int GroupAt(const std::vector<GroupPlace>& groups, int x, int y)
{
    for (size_t i = 0; i < groups.size(); ++i) {
        if (groups[i].window.Contains(x, y))
            return static_cast<int>(i);
    }
    return -1;
}

DragProposal ProposeDrop(const DragState& state, int x, int y)
{
    DragProposal proposal;
    const int count = static_cast<int>(state.groups.size());
    if (state.source < 0 || state.source >= count || (count == 1 && state.groups.front().tabs == 1))
        return proposal;
    const GroupPlace& source = state.groups[static_cast<size_t>(state.source)];
    if (source.strip.Contains(x, y)) {
        proposal.answer = DragAnswer::OwnStrip;
        return proposal;
    }
    if (!state.client.Contains(x, y)) {
        proposal.answer = DragAnswer::Outside;
        return proposal;
    }
    proposal.target = GroupAt(state.groups, x, y);
    if (proposal.target < 0) {
        proposal.answer = DragAnswer::NoGroup;
        return proposal;
    }
    proposal.answer = DragAnswer::Proposal;
    const GroupPlace& target = state.groups[static_cast<size_t>(proposal.target)];
    const Box& g = target.window;
    proposal.vertical = state.alignment == kNoAlignment ? (g.right - x) < (g.bottom - y)
                                                        : state.alignment == kVertical;
    Box zone = g;
    Box half = g;
    if (proposal.vertical) {
        zone.left = std::max(g.left, g.right - state.newGroupMargin);
        half.left = g.left + g.Width() / 2;
    } else {
        zone.top = std::max(g.top, g.bottom - state.newGroupMargin);
        half.top = g.top + g.Height() / 2;
    }
    if (zone.Contains(x, y)) {
        if (!(proposal.target == state.source && source.tabs == 1))
            proposal.rect = half;
    } else if (proposal.target != state.source && target.strip.Contains(x, y)) {
        proposal.rect = target.strip;
    }
    return proposal;
}

DropAction DecideDrop(const DragState& state, const Box& drawn, int x, int y, bool frameHandled)
{
    const int target = GroupAt(state.groups, x, y);
    const int count = static_cast<int>(state.groups.size());
    if (target < 0 || state.source < 0 || state.source >= count)
        return DropAction::Nothing;
    if (drawn.IsEmpty()) {
        if (frameHandled)
            return DropAction::Nothing;
        if (target != state.source)
            return DropAction::MoveToGroup;
        return state.groups[static_cast<size_t>(state.source)].tabs >= 2 ? DropAction::SplitSource
                                                                           : DropAction::Nothing;
    }
    if (drawn == state.groups[static_cast<size_t>(target)].strip)
        return target != state.source ? DropAction::MoveToGroup : DropAction::Nothing;
    return state.groups[static_cast<size_t>(state.source)].tabs >= 2 || target != state.source
               ? DropAction::NewGroup
               : DropAction::Nothing;
}

// ---- Loading a stored arrangement.

std::vector<OpenKind> PlanOpening(const std::vector<std::wstring>& names, const std::vector<int>& paneIds)
{
    std::vector<OpenKind> plan;
    std::set<std::wstring> seen;
    for (size_t i = 0; i < names.size(); ++i) {
        const int pane = i < paneIds.size() ? paneIds[i] : -1;
        if (names[i].empty())
            plan.push_back(pane != -1 ? OpenKind::Pane : OpenKind::Skip);
        else
            plan.push_back(seen.insert(names[i]).second ? OpenKind::Document : OpenKind::NewWindow);
    }
    return plan;
}

int ResolveActiveTab(int storedActive, const std::vector<bool>& created)
{
    const int count = static_cast<int>(created.size());
    const int active = std::clamp(storedActive, 0, std::max(0, count - 1));
    int index = -1;
    int nearest = -1;
    int any = -1;
    for (int i = 0; i < count; ++i) {
        if (!created[static_cast<size_t>(i)])
            continue;
        ++index;
        if (any < 0)
            any = index;
        if (i <= active)
            nearest = index;
    }
    return nearest >= 0 ? nearest : any;
}

void PropagateMaximized(std::vector<int>& showCmds, int maximized)
{
    bool seen = false;
    for (int& show : showCmds) {
        if (seen)
            show = maximized;
        else if (show == maximized)
            seen = true;
    }
}

} // namespace kgp::mdi
