// The MDI tab groups' arithmetic as plain functions with no Windows header:
// the groups sharing the client area, the border dragged between two groups,
// a group split or removed, the group commands that make sense, stepping to
// the next or previous tab across groups, where a dragged tab would go and
// what its drop does, and the choices made while a stored arrangement loads.
#pragma once

#include "guilib/core/KGPBox.h"

#include <string>
#include <vector>

namespace kgp::mdi {

// How the groups split the client: none yet, side by side, stacked.
enum Alignment { kNoAlignment = 0, kVertical = 1, kHorizontal = 2 };

// ---- Layout.

// The groups' boxes filling the area along the alignment: each keeps its
// extent plus an equal share of what is spare; the remainder of the division
// is carried in totalRest between calls and paid out a pixel per group once
// it reaches the group count; the last group ends at the area's far edge.
// No box runs past the area or has a negative extent.
std::vector<Box> LayoutGroups(const Box& area, const std::vector<int>& extents, int alignment, int& totalRest);

// The bounds within which the border after a group may be dragged: both
// groups together, less the margin at both ends along the alignment. Empty
// for no alignment.
Box DragBounds(const Box& group, const Box& next, int alignment, int margin);

// A group's border dragged to newGroup: the group takes it, the next group's
// near edge follows.
void ApplyDraggedBorder(const Box& newGroup, Box& group, Box& next, int alignment);

// A group split: the new group's box (the proposed one stretched across the
// old group) and the old group's box shrunk by the new one's extent.
void SplitGroup(Box& after, const Box& proposed, bool vertical, Box& created);

// The group that takes a removed group's place: the next one when the removed
// group is first, else the previous one; -1 when none is left.
int NeighbourOfRemoved(int removed, int count);

// The splitter mode of each group: the alignment, except 0 for the last.
std::vector<int> SplitterModes(int count, int alignment);

// ---- Commands.

enum AllowedItem : unsigned {
    kNewVerticalGroup = 1,
    kNewHorizontalGroup = 2,
    kMoveToPreviousGroup = 4,
    kMoveToNextGroup = 8,
    kTabbedDocument = 16,
};

// The group commands for the group at index of count groups holding tabs.
unsigned AllowedItems(int index, int count, int tabs, int alignment, bool wrapsPane, bool fullScreen);

// The tab after (or before) the active one: past a group's end to the next
// group's first tab, before its start to the previous group's last tab,
// wrapping at the ends; groups without tabs are passed over. tabCounts holds
// each group's tabs (the strip's alone in MDI-tabs mode). {-1, -1} when no
// group holds a tab.
struct TabPlace {
    int group = -1;
    int tab = -1;
};
TabPlace StepTab(const std::vector<int>& tabCounts, TabPlace active, bool previous);

// ---- Dragging a tab between groups.

struct GroupPlace {
    Box window; // the group's window (screen)
    Box strip;  // its tab strip (screen)
    int tabs = 0;
};

struct DragState {
    std::vector<GroupPlace> groups;
    int source = -1;        // the group the tab is dragged from
    int alignment = kNoAlignment;
    int newGroupMargin = 40;
    Box client;             // the client area (screen)
};

enum class DragAnswer {
    Ignore,   // one group of one tab: nothing to do (answer 0)
    OwnStrip, // over the source's own strip: the tab window reorders (answer 0)
    Outside,  // the cursor is off the client: no-drop cursor (answer 1)
    NoGroup,  // over the client but over no group (answer 0)
    Proposal, // drop cursor, the marker shows rect (empty: none) (answer 1)
};

struct DragProposal {
    DragAnswer answer = DragAnswer::Ignore;
    int target = -1;
    Box rect;               // new group, or a target's strip; empty: nothing
    bool vertical = false;
};

int GroupAt(const std::vector<GroupPlace>& groups, int x, int y);
DragProposal ProposeDrop(const DragState& state, int x, int y);

enum class DropAction {
    Nothing,      // no group under the point, or nothing to do
    MoveToGroup,  // the tab moves into the target group
    NewGroup,     // a new group at the drawn rect, the tab moves into it
    SplitSource,  // the source is split in half, the tab moves into the half
};

// What a drop at (x, y) does with the drawn marker (empty: none was drawn;
// the frame's drop menu was then offered and frameHandled tells whether it
// handled the drop).
DropAction DecideDrop(const DragState& state, const Box& drawn, int x, int y, bool frameHandled);

// ---- Loading a stored arrangement.

enum class OpenKind { Skip, Pane, Document, NewWindow };

// How each stored entry is opened: a pane by id (not -1) when the entry has
// no document name, the document on its first appearance, a further window
// for a name seen before; entries with neither are skipped.
std::vector<OpenKind> PlanOpening(const std::vector<std::wstring>& names, const std::vector<int>& paneIds);

// The active tab once only the entries marked created became tabs: the
// stored active entry's new index, or the nearest tab before it, or the
// first; -1 when no tab was created.
int ResolveActiveTab(int storedActive, const std::vector<bool>& created);

// The show commands after the first maximised entry all become maximised.
void PropagateMaximized(std::vector<int>& showCmds, int maximized);

} // namespace kgp::mdi
