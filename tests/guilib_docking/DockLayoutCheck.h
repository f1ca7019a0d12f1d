// The one checker of a frame's whole docking layout, as plain data (no
// Windows header): the tests take a picture of the live layout
// (DockLayoutSnapshot.h) and check it after every step. A sound layout:
// every bar stands in exactly one place (a dock bar's row, a split tree, a
// tab, a floating frame or an auto-hide strip); every split tree is sound
// (its containers filled, shares adding up, see SplitTreeCheck.h); a pane
// not hidden on purpose shows in its place (its window, its tab or its
// auto-hide button); no visible pane is smaller than its minimum; every
// floating frame has a size and lies at least partly on a monitor.
#pragma once

#include "tests/guilib_docking/SplitTreeCheck.h"

#include <string>
#include <vector>

namespace layout_check {

using kgp::split::Box;
using kgp::split::Size;

// (A pane may stand in a document window too: an MDI frame shows it as a
// tabbed document.)
enum class PlaceKind { Row, Tree, Tab, FloatingFrame, AutoHide, Document };

struct BarView {
    int id = 0;
    bool isPane = false; // a docking pane: its minimum size holds while it shows
    bool visible = false;
    Box rect;
    Size minimum;
    bool shownInHost = true; // its window, its tab or its auto-hide button shows
    bool mustShow = false;   // the test did not hide it on purpose
};

// A bar found in one place; `owner` tells the places of one kind apart.
struct Placement {
    int barId = 0;
    PlaceKind kind = PlaceKind::Row;
    int owner = 0;
};

struct TreePicture {
    split_check::TreeView tree;
    Box room;
};

struct FloatingView {
    int owner = 0;
    Box rect;
};

struct LayoutView {
    std::vector<BarView> bars; // every bar the test made and has not destroyed
    std::vector<Placement> placements;
    std::vector<TreePicture> trees;
    std::vector<FloatingView> floating;
    std::vector<Box> monitors;
};

const char* KindName(PlaceKind kind);

// The faults found, one line each; empty when the layout is sound.
std::vector<std::string> CheckDockLayout(const LayoutView& layout);

} // namespace layout_check
