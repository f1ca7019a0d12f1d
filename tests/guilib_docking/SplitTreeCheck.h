// A checker of split trees as plain data (no Windows header): the tests take a
// picture of a live tree (SplitTreeSnapshot.h) and check it after every step.
// A sound tree: every container's children fill it (the two sides and the
// slider between them span it exactly along the slider's axis and fully
// across it; a side alone spans it all); the shares of two sides add up to
// the whole; no visible pane is smaller than its minimum; every pane the
// manager lists stands in exactly one place of the tree, and the tree holds
// no pane the manager does not list.
#pragma once

#include "guilib/docking/KGPSplitMath.h"

#include <optional>
#include <string>
#include <vector>

namespace split_check {

using kgp::split::Box;
using kgp::split::Size;

struct PaneView {
    int id = 0;
    Box rect;
    Size minimum;
    bool visible = true;
    int share = 50;
};

struct NodeView {
    bool hasSlider = false;
    bool sliderVisible = false;
    bool horizontalSlider = false; // sides stacked top and bottom
    Box slider;
    int share = 50;                // as a side of its parent
    std::optional<PaneView> pane[2];
    int child[2] = {-1, -1};       // index of a sub-tree's root in TreeView::nodes
};

struct TreeView {
    std::vector<NodeView> nodes; // nodes[0] is the root
    std::vector<int> listedPanes; // the ids of the panes the manager lists
};

// The faults found, one line each; empty when the tree is sound. `room` is
// the rectangle the tree was last laid out in.
std::vector<std::string> CheckSplitTree(const TreeView& tree, const Box& room);

// Whether a node or a sub-tree holds a visible pane.
bool HoldsVisiblePane(const TreeView& tree, int node);

} // namespace split_check
