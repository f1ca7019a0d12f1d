#include "tests/guilib_docking/SplitTreeCheck.h"

#include <algorithm>
#include <map>
#include <sstream>

namespace split_check {

namespace {

std::string Describe(const Box& box)
{
    std::ostringstream out;
    out << '(' << box.left << ',' << box.top << ',' << box.right << ',' << box.bottom << ')';
    return out.str();
}

struct Checker {
    const TreeView& tree;
    std::vector<std::string> faults;
    std::map<int, int> places; // pane id -> how often it stands in the tree
    int depth = 0;

    void Fault(const std::string& text) { faults.push_back(text); }

    bool SideVisible(const NodeView& node, int side) const
    {
        if (node.pane[side] && node.pane[side]->visible)
            return true;
        return node.child[side] >= 0 && HoldsVisiblePane(tree, node.child[side]);
    }

    void CheckPane(const PaneView& pane, const Box& expected, int nodeIndex)
    {
        if (!pane.visible)
            return;
        if (!(pane.rect == expected))
            Fault("node " + std::to_string(nodeIndex) + ": pane " + std::to_string(pane.id) + " at " +
                  Describe(pane.rect) + " instead of " + Describe(expected));
        if (pane.rect.Width() < pane.minimum.cx || pane.rect.Height() < pane.minimum.cy)
            Fault("pane " + std::to_string(pane.id) + " of " + Describe(pane.rect) + " below its minimum " +
                  std::to_string(pane.minimum.cx) + "x" + std::to_string(pane.minimum.cy));
    }

    void CheckSide(const NodeView& node, int side, const Box& expected, int nodeIndex)
    {
        if (node.pane[side])
            CheckPane(*node.pane[side], expected, nodeIndex);
        if (node.child[side] >= 0)
            CheckNode(node.child[side], expected);
    }

    void CountPlaces(int nodeIndex)
    {
        const NodeView& node = tree.nodes[static_cast<size_t>(nodeIndex)];
        for (int side = 0; side < 2; ++side) {
            if (node.pane[side])
                ++places[node.pane[side]->id];
            if (node.child[side] >= 0)
                CountPlaces(node.child[side]);
        }
    }

    void CheckNode(int nodeIndex, const Box& room)
    {
        if (nodeIndex < 0 || static_cast<size_t>(nodeIndex) >= tree.nodes.size() || ++depth > 4096) {
            Fault("a node index out of the tree");
            return;
        }
        const NodeView& node = tree.nodes[static_cast<size_t>(nodeIndex)];
        for (int side = 0; side < 2; ++side) {
            if (node.pane[side] && node.child[side] >= 0)
                Fault("node " + std::to_string(nodeIndex) + ": a side holds a pane and a sub-tree");
        }
        const bool left = SideVisible(node, 0);
        const bool right = SideVisible(node, 1);
        if (left && right) {
            if (!node.hasSlider || !node.sliderVisible) {
                Fault("node " + std::to_string(nodeIndex) + ": two sides without a visible slider");
                return;
            }
            const bool alongX = !node.horizontalSlider;
            const Box& s = node.slider;
            Box l = room, r = room;
            if (alongX) {
                l.right = s.left;
                r.left = s.right;
                if (s.top != room.top || s.bottom != room.bottom || s.left < room.left || s.right > room.right)
                    Fault("node " + std::to_string(nodeIndex) + ": slider " + Describe(s) + " not across " +
                          Describe(room));
            } else {
                l.bottom = s.top;
                r.top = s.bottom;
                if (s.left != room.left || s.right != room.right || s.top < room.top || s.bottom > room.bottom)
                    Fault("node " + std::to_string(nodeIndex) + ": slider " + Describe(s) + " not across " +
                          Describe(room));
            }
            CheckSide(node, 0, l, nodeIndex);
            CheckSide(node, 1, r, nodeIndex);
            const auto shareOf = [&](int side) {
                return node.pane[side] && node.pane[side]->visible ? node.pane[side]->share
                                                                   : tree.nodes[static_cast<size_t>(node.child[side])].share;
            };
            if (shareOf(0) + shareOf(1) != 100)
                Fault("node " + std::to_string(nodeIndex) + ": shares " + std::to_string(shareOf(0)) + " and " +
                      std::to_string(shareOf(1)) + " do not make the whole");
            return;
        }
        if (node.hasSlider && node.sliderVisible)
            Fault("node " + std::to_string(nodeIndex) + ": a slider shows beside one side");
        if (left)
            CheckSide(node, 0, room, nodeIndex);
        if (right)
            CheckSide(node, 1, room, nodeIndex);
    }
};

}  // namespace

bool HoldsVisiblePane(const TreeView& tree, int node)
{
    if (node < 0 || static_cast<size_t>(node) >= tree.nodes.size())
        return false;
    const NodeView& view = tree.nodes[static_cast<size_t>(node)];
    for (int side = 0; side < 2; ++side) {
        if (view.pane[side] && view.pane[side]->visible)
            return true;
        if (view.child[side] >= 0 && HoldsVisiblePane(tree, view.child[side]))
            return true;
    }
    return false;
}

std::vector<std::string> CheckSplitTree(const TreeView& tree, const Box& room)
{
    Checker checker{tree, {}, {}, 0};
    if (tree.nodes.empty()) {
        if (!tree.listedPanes.empty())
            checker.Fault("panes listed without a tree");
        return checker.faults;
    }
    checker.CountPlaces(0);
    for (const int id : tree.listedPanes) {
        const int count = checker.places.count(id) != 0 ? checker.places[id] : 0;
        if (count != 1)
            checker.Fault("pane " + std::to_string(id) + " stands in " + std::to_string(count) + " places");
    }
    for (const auto& [id, count] : checker.places) {
        if (std::find(tree.listedPanes.begin(), tree.listedPanes.end(), id) == tree.listedPanes.end())
            checker.Fault("pane " + std::to_string(id) + " in the tree is not listed");
    }
    if (HoldsVisiblePane(tree, 0))
        checker.CheckNode(0, room);
    return checker.faults;
}

} // namespace split_check
