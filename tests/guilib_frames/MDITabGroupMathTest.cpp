// The MDI tab groups' arithmetic without windows: groups sharing the client
// exactly over repeated layouts, borders dragged and groups split or removed,
// the group commands, stepping across groups, where a dragged tab may go and
// what its drop does, and the choices made while a stored arrangement loads.
#include <gtest/gtest.h>

#include "guilib/frames/KGPMDITabGroupMath.h"

namespace {

using namespace kgp;
using namespace kgp::mdi;

int Extent(const Box& box, int alignment)
{
    return alignment == kVertical ? box.Width() : box.Height();
}

TEST(MDITabGroupMath, GroupsFillTheAreaExactlyOverRepeatedLayouts)
{
    for (int alignment : {kVertical, kHorizontal}) {
        std::vector<int> extents = {100, 200, 150};
        int rest = 0;
        for (int size : {451, 460, 452, 300, 301, 1000, 997, 998}) {
            const Box area = alignment == kVertical ? Box{10, 5, 10 + size, 300} : Box{10, 5, 400, 5 + size};
            const std::vector<Box> boxes = LayoutGroups(area, extents, alignment, rest);
            ASSERT_EQ(3u, boxes.size());
            EXPECT_EQ(alignment == kVertical ? area.left : area.top, alignment == kVertical ? boxes[0].left : boxes[0].top);
            for (size_t i = 0; i + 1 < boxes.size(); ++i)
                EXPECT_EQ(alignment == kVertical ? boxes[i].right : boxes[i].bottom,
                          alignment == kVertical ? boxes[i + 1].left : boxes[i + 1].top);
            EXPECT_EQ(alignment == kVertical ? area.right : area.bottom,
                      alignment == kVertical ? boxes[2].right : boxes[2].bottom);
            EXPECT_LT(std::abs(rest), 3) << "the carried remainder is paid out before it reaches the count";
            for (size_t i = 0; i < boxes.size(); ++i)
                extents[i] = Extent(boxes[i], alignment);
        }
        // Proportions hold: the middle group stays the widest.
        EXPECT_GT(extents[1], extents[0]);
        EXPECT_GT(extents[1], extents[2]);
    }

    // A remainder carried: 2 spare pixels over 3 groups give nothing now; with
    // 4 spare the share is 1 and the carried 3 pay out a pixel more each, the
    // last group taking what is left.
    int rest = 0;
    std::vector<Box> boxes = LayoutGroups({0, 0, 302, 10}, {100, 100, 100}, kVertical, rest);
    EXPECT_EQ(2, rest);
    EXPECT_EQ(100, boxes[0].Width());
    boxes = LayoutGroups({0, 0, 304, 10}, {100, 100, 100}, kVertical, rest);
    EXPECT_EQ(0, rest);
    EXPECT_EQ(102, boxes[0].Width());
    EXPECT_EQ(102, boxes[1].Width());
    EXPECT_EQ(100, boxes[2].Width());

    // An area too small for the groups' extents: nothing runs past it.
    rest = 0;
    boxes = LayoutGroups({0, 0, 30, 10}, {500, 500, 10}, kVertical, rest);
    for (const Box& box : boxes) {
        EXPECT_GE(box.Width(), 0);
        EXPECT_LE(box.right, 30);
    }
    EXPECT_EQ(30, boxes[2].right);

    // One group takes the whole area.
    rest = 0;
    boxes = LayoutGroups({1, 2, 3, 4}, {99}, kVertical, rest);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ((Box{1, 2, 3, 4}), boxes[0]);
}

TEST(MDITabGroupMath, BordersAreDraggedWithinMarginsAndGroupsSplitAndLeave)
{
    const Box left{0, 0, 200, 100};
    const Box right{200, 0, 500, 100};
    EXPECT_EQ((Box{40, 0, 460, 100}), DragBounds(left, right, kVertical, 40));
    EXPECT_EQ((Box{0, 40, 500, 60}), DragBounds({0, 0, 500, 50}, {0, 50, 500, 100}, kHorizontal, 40));
    EXPECT_TRUE(DragBounds(left, right, kNoAlignment, 40).IsEmpty());
    EXPECT_TRUE(DragBounds({0, 0, 30, 10}, {30, 0, 60, 10}, kVertical, 40).IsEmpty());

    Box group = left;
    Box next = right;
    ApplyDraggedBorder({0, 0, 260, 100}, group, next, kVertical);
    EXPECT_EQ(260, group.right);
    EXPECT_EQ(260, next.left);
    ApplyDraggedBorder({0, 0, 900, 100}, group, next, kVertical);
    EXPECT_EQ(500, group.right) << "the border stays within the two groups";
    EXPECT_EQ(500, next.left);

    Box after{0, 0, 400, 300};
    Box created;
    SplitGroup(after, {200, 0, 400, 300}, true, created);
    EXPECT_EQ((Box{0, 0, 200, 300}), after);
    EXPECT_EQ((Box{200, 0, 400, 300}), created);
    after = {0, 0, 400, 300};
    SplitGroup(after, {0, 150, 400, 300}, false, created);
    EXPECT_EQ((Box{0, 0, 400, 150}), after);
    EXPECT_EQ((Box{0, 150, 400, 300}), created);

    EXPECT_EQ(1, NeighbourOfRemoved(0, 3));
    EXPECT_EQ(1, NeighbourOfRemoved(2, 3));
    EXPECT_EQ(0, NeighbourOfRemoved(1, 2));
    EXPECT_EQ(-1, NeighbourOfRemoved(0, 1));
    EXPECT_EQ((std::vector<int>{1, 1, 0}), SplitterModes(3, kVertical));
    EXPECT_EQ((std::vector<int>{0}), SplitterModes(1, kHorizontal));
}

TEST(MDITabGroupMath, GroupCommandsAndSteppingAcrossGroups)
{
    EXPECT_EQ(kNewVerticalGroup | kNewHorizontalGroup, AllowedItems(0, 1, 2, kNoAlignment, false, false));
    EXPECT_EQ(0u, AllowedItems(0, 1, 1, kNoAlignment, false, false));
    EXPECT_EQ(kNewVerticalGroup | kMoveToNextGroup, AllowedItems(0, 2, 3, kVertical, false, false));
    EXPECT_EQ(kNewHorizontalGroup | kMoveToPreviousGroup, AllowedItems(1, 2, 3, kHorizontal, false, false));
    EXPECT_EQ(kMoveToPreviousGroup | kMoveToNextGroup | kTabbedDocument, AllowedItems(1, 3, 1, kVertical, true, false));
    EXPECT_EQ(0u, AllowedItems(0, 1, 1, kNoAlignment, true, true));
    EXPECT_EQ(0u, AllowedItems(3, 3, 5, kVertical, false, false));

    const std::vector<int> counts = {2, 0, 3};
    EXPECT_EQ(1, StepTab(counts, {0, 0}, false).tab);
    TabPlace place = StepTab(counts, {0, 1}, false);
    EXPECT_EQ(2, place.group) << "an empty group is passed over";
    EXPECT_EQ(0, place.tab);
    place = StepTab(counts, {2, 2}, false);
    EXPECT_EQ(0, place.group);
    EXPECT_EQ(0, place.tab);
    place = StepTab(counts, {0, 0}, true);
    EXPECT_EQ(2, place.group);
    EXPECT_EQ(2, place.tab);
    place = StepTab({3}, {0, 0}, true);
    EXPECT_EQ(0, place.group);
    EXPECT_EQ(2, place.tab) << "the strip wraps to its last tab";
    EXPECT_EQ(-1, StepTab({0, 0}, {0, 0}, false).group);
    EXPECT_EQ(-1, StepTab({}, {0, 0}, false).group);
}

DragState TwoGroups()
{
    DragState state;
    state.client = {0, 0, 600, 400};
    state.groups = {{{0, 0, 300, 400}, {0, 0, 300, 24}, 2}, {{300, 0, 600, 400}, {300, 0, 600, 24}, 1}};
    state.source = 0;
    state.alignment = kVertical;
    return state;
}

TEST(MDITabGroupMath, ADraggedTabProposesANewGroupOrAnotherGroupsStrip)
{
    DragState lone;
    lone.client = {0, 0, 600, 400};
    lone.groups = {{{0, 0, 600, 400}, {0, 0, 600, 24}, 1}};
    lone.source = 0;
    EXPECT_EQ(DragAnswer::Ignore, ProposeDrop(lone, 590, 200).answer) << "one group of one tab: nothing";

    DragState single = lone;
    single.groups[0].tabs = 2;
    DragProposal proposal = ProposeDrop(single, 580, 200);
    EXPECT_EQ(DragAnswer::Proposal, proposal.answer);
    EXPECT_TRUE(proposal.vertical) << "nearer the right edge than the bottom";
    EXPECT_EQ((Box{300, 0, 600, 400}), proposal.rect);
    proposal = ProposeDrop(single, 300, 390);
    EXPECT_FALSE(proposal.vertical);
    EXPECT_EQ((Box{0, 200, 600, 400}), proposal.rect);
    proposal = ProposeDrop(single, 300, 200);
    EXPECT_EQ(DragAnswer::Proposal, proposal.answer);
    EXPECT_TRUE(proposal.rect.IsEmpty()) << "inside its own group away from the edge: nothing";
    EXPECT_EQ(DragAnswer::OwnStrip, ProposeDrop(single, 100, 10).answer);
    EXPECT_EQ(DragAnswer::Outside, ProposeDrop(single, 700, 10).answer);

    DragState two = TwoGroups();
    proposal = ProposeDrop(two, 400, 10);
    EXPECT_EQ(1, proposal.target);
    EXPECT_EQ(two.groups[1].strip, proposal.rect) << "another group's strip: move into it";
    proposal = ProposeDrop(two, 400, 200);
    EXPECT_TRUE(proposal.rect.IsEmpty());
    proposal = ProposeDrop(two, 590, 390);
    EXPECT_TRUE(proposal.vertical) << "the groups' alignment decides the direction";
    EXPECT_EQ((Box{450, 0, 600, 400}), proposal.rect);
    two.source = 1;
    two.groups[0].tabs = 3;
    EXPECT_TRUE(ProposeDrop(two, 590, 200).rect.IsEmpty()) << "a lone tab cannot split its own group";

    DragState gap = TwoGroups();
    gap.groups[1].window = {320, 0, 600, 400};
    EXPECT_EQ(DragAnswer::NoGroup, ProposeDrop(gap, 310, 200).answer);
}

TEST(MDITabGroupMath, ADropMovesTheTabSplitsOrMakesANewGroup)
{
    const DragState two = TwoGroups();
    EXPECT_EQ(DropAction::MoveToGroup, DecideDrop(two, two.groups[1].strip, 400, 10, false));
    EXPECT_EQ(DropAction::NewGroup, DecideDrop(two, {450, 0, 600, 400}, 590, 200, false));
    EXPECT_EQ(DropAction::MoveToGroup, DecideDrop(two, {}, 400, 200, false));
    EXPECT_EQ(DropAction::SplitSource, DecideDrop(two, {}, 100, 200, false));
    EXPECT_EQ(DropAction::Nothing, DecideDrop(two, {}, 100, 200, true)) << "the frame's drop menu handled it";
    EXPECT_EQ(DropAction::Nothing, DecideDrop(two, {}, 900, 200, false));
    DragState lone = two;
    lone.source = 1;
    EXPECT_EQ(DropAction::Nothing, DecideDrop(lone, {}, 400, 200, false)) << "a lone tab is not split from itself";
}

TEST(MDITabGroupMath, AStoredArrangementOpensEachDocumentOnceAndKeepsAValidActiveTab)
{
    const std::vector<OpenKind> plan =
        PlanOpening({L"a.kl", L"", L"a.kl", L"b.kl", L""}, {-1, 7, -1, -1, -1});
    EXPECT_EQ((std::vector<OpenKind>{OpenKind::Document, OpenKind::Pane, OpenKind::NewWindow, OpenKind::Document,
                                     OpenKind::Skip}),
              plan);

    EXPECT_EQ(1, ResolveActiveTab(2, {true, false, true}));
    EXPECT_EQ(0, ResolveActiveTab(1, {true, false, true})) << "a skipped active entry: the tab before it";
    EXPECT_EQ(0, ResolveActiveTab(0, {false, true})) << "nothing before it: the first tab";
    EXPECT_EQ(1, ResolveActiveTab(99, {true, true})) << "clamped to the tabs that exist";
    EXPECT_EQ(0, ResolveActiveTab(-5, {true, true}));
    EXPECT_EQ(-1, ResolveActiveTab(0, {false, false}));
    EXPECT_EQ(-1, ResolveActiveTab(0, {}));

    std::vector<int> shows = {1, 3, 1, 2};
    PropagateMaximized(shows, 3);
    EXPECT_EQ((std::vector<int>{1, 3, 3, 3}), shows);
}

} // namespace
