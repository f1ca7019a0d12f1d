// The whole-layout checker held to what it must find: a bar in no place or
// in two, a place holding a bar that is gone, a pane below its minimum, a
// floating frame of no size or on no monitor, and a split tree's own faults.
#include <gtest/gtest.h>

#include "tests/guilib_docking/DockLayoutCheck.h"

#include <string>

namespace {

using namespace layout_check;

LayoutView SoundLayout()
{
    LayoutView layout;
    layout.monitors = {{0, 0, 1024, 768}};
    BarView toolbar{1, false, true, {0, 0, 200, 24}, {30, 24}};
    BarView pane{2, true, true, {0, 24, 160, 400}, {40, 40}};
    BarView floating{3, true, true, {300, 300, 500, 500}, {40, 40}};
    layout.bars = {toolbar, pane, floating};
    layout.placements = {{1, PlaceKind::Row, 0}, {2, PlaceKind::Tree, 0}, {3, PlaceKind::FloatingFrame, 0}};
    TreePicture tree;
    split_check::NodeView node;
    node.pane[0] = split_check::PaneView{2, {0, 24, 160, 400}, {40, 40}, true, 100};
    tree.tree.nodes.push_back(node);
    tree.tree.listedPanes = {2};
    tree.room = {0, 24, 160, 400};
    layout.trees.push_back(tree);
    layout.floating.push_back({0, {290, 280, 510, 510}});
    return layout;
}

bool Mentions(const std::vector<std::string>& faults, const std::string& text)
{
    for (const std::string& fault : faults) {
        if (fault.find(text) != std::string::npos)
            return true;
    }
    return false;
}

TEST(DockLayoutCheck, ASoundLayoutHasNoFault)
{
    EXPECT_TRUE(CheckDockLayout(SoundLayout()).empty());
}

TEST(DockLayoutCheck, APaneNotHiddenOnPurposeShowsWhereItStands)
{
    LayoutView layout = SoundLayout();
    layout.bars[1].mustShow = true;
    layout.bars[1].shownInHost = false; // docked, yet hidden by a dock that failed
    EXPECT_TRUE(Mentions(CheckDockLayout(layout), "pane 2 is hidden where it stands, not on purpose"));
    layout.bars[1].mustShow = false; // closed by the user
    EXPECT_TRUE(CheckDockLayout(layout).empty());
    layout.bars[0].mustShow = true; // a toolbar is no pane: its rows show it as they may
    layout.bars[0].shownInHost = false;
    EXPECT_TRUE(CheckDockLayout(layout).empty());
}

TEST(DockLayoutCheck, EveryBarStandsInExactlyOnePlace)
{
    LayoutView layout = SoundLayout();
    layout.placements.erase(layout.placements.begin()); // the toolbar lost
    EXPECT_TRUE(Mentions(CheckDockLayout(layout), "bar 1 stands nowhere"));

    layout = SoundLayout();
    layout.placements.push_back({2, PlaceKind::AutoHide, 0}); // both docked and auto-hidden
    EXPECT_TRUE(Mentions(CheckDockLayout(layout), "bar 2 stands in 2 places: tree 0; auto-hide strip 0;"));

    layout = SoundLayout();
    layout.placements[1] = {2, PlaceKind::Document, 0}; // shown as a tabbed document
    EXPECT_TRUE(CheckDockLayout(layout).empty());
    layout.placements.push_back({2, PlaceKind::FloatingFrame, 0}); // and floating still
    EXPECT_TRUE(Mentions(CheckDockLayout(layout), "bar 2 stands in 2 places: document window 0; floating frame 0;"));

    layout = SoundLayout();
    layout.placements.push_back({9, PlaceKind::Tab, 4}); // a destroyed bar still tabbed
    EXPECT_TRUE(Mentions(CheckDockLayout(layout), "tab 4 holds bar 9"));

    layout = SoundLayout();
    layout.bars.push_back(layout.bars[0]);
    EXPECT_TRUE(Mentions(CheckDockLayout(layout), "bar 1 listed twice"));
}

TEST(DockLayoutCheck, AShownPaneBelowItsMinimumIsAFaultAHiddenOneOrABarIsNot)
{
    LayoutView layout = SoundLayout();
    layout.bars[2].rect = {300, 300, 330, 500}; // 30 wide, 40 at least
    EXPECT_TRUE(Mentions(CheckDockLayout(layout), "pane 3 of 30x200 below its minimum 40x40"));
    layout.bars[2].visible = false;
    EXPECT_TRUE(CheckDockLayout(layout).empty());
    layout = SoundLayout();
    layout.bars[0].rect = {0, 0, 10, 10}; // a toolbar's minimum is its own affair
    EXPECT_TRUE(CheckDockLayout(layout).empty());
}

TEST(DockLayoutCheck, FloatingFramesHaveASizeAndTouchAMonitor)
{
    LayoutView layout = SoundLayout();
    layout.floating[0].rect = {400, 400, 400, 600};
    EXPECT_TRUE(Mentions(CheckDockLayout(layout), "floating frame 0 has no size"));
    layout.floating[0].rect = {1100, 100, 1300, 300};
    EXPECT_TRUE(Mentions(CheckDockLayout(layout), "floating frame 0 lies on no monitor"));
    // Partly on a second monitor is enough.
    layout.monitors.push_back({1024, 0, 2048, 768});
    EXPECT_TRUE(CheckDockLayout(layout).empty());
    layout.floating[0].rect = {1000, 700, 1100, 800}; // a corner on screen
    layout.monitors.pop_back();
    EXPECT_TRUE(CheckDockLayout(layout).empty());
}

TEST(DockLayoutCheck, ASplitTreesFaultsAreTheLayoutsFaults)
{
    LayoutView layout = SoundLayout();
    layout.trees[0].room = {0, 24, 200, 400}; // the pane no longer fills it
    const std::vector<std::string> faults = CheckDockLayout(layout);
    ASSERT_FALSE(faults.empty());
    EXPECT_EQ(0u, faults[0].find("tree 0: "));
}

} // namespace
