// The tasks pane's and the toolbox's arithmetic without windows: groups and
// tasks down the area (collapsed, hidden, hosted windows, scrolled, cut by
// the animation), scroll metrics and the wheel, the animation's steps, the
// commands the idle update asks about; the page history and the window text
// rule; the toolbox page's cells, rows below, required height, scrolling to a
// pixel and selection.
#include "guilib/panes/KGPTasksHistory.h"
#include "guilib/panes/KGPTasksPaneLayout.h"
#include "guilib/panes/KGPToolBoxLayout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace kgp::tasks;

const Metrics kDefaults{12, 12, 15, 25, 13, 7, 12, 5, 4};

LayoutFacts Facts(int scroll = 0)
{
    LayoutFacts facts;
    facts.area = Box{0, 0, 200, 400};
    facts.metrics = kDefaults;
    facts.rowHeight = 16;
    facts.imageWidth = 16;
    facts.imageHeight = 16;
    facts.scrollPosition = scroll;
    return facts;
}

GroupFacts Group(int tasks, bool collapsed = false)
{
    GroupFacts group;
    group.captionTextHeight = 14;
    group.collapsed = collapsed;
    for (int i = 0; i < tasks; ++i) {
        TaskFacts task;
        task.hasCommand = true;
        group.tasks.push_back(task);
    }
    return group;
}

// Text 13 high on one line; wrapped, one line per 50 pixels of text.
int Measure(size_t, size_t, int width, bool wrap)
{
    return wrap ? 13 * ((100 + width - 1) / std::max(1, width)) : 13;
}

TEST(TasksPaneLayoutTest, MetricsTakeTheLooksValueWhereUnset)
{
    Metrics own;
    own.fill(-1);
    own[kTaskSpacing] = 0;
    const Metrics resolved = ResolveMetrics(own, kDefaults);
    EXPECT_EQ(12, resolved[kVerticalMargin]);
    EXPECT_EQ(25, resolved[kGroupCaptionHeight]);
    EXPECT_EQ(0, resolved[kTaskSpacing]);
}

TEST(TasksPaneLayoutTest, GroupsAndTasksGoDownTheArea)
{
    const Layout layout = LayOutGroups(Facts(), {Group(2), Group(1)}, Measure);
    ASSERT_EQ(2u, layout.groups.size());
    const GroupPlace& first = layout.groups[0];
    // Caption: max(14 + 7, 25) = 25 high at the top margin, inside the side margins.
    EXPECT_EQ((Box{12, 12, 188, 37}), first.caption);
    // Tasks: spacing 4, rows of max(13, 16) = 16, the tasks' side offsets.
    EXPECT_EQ((Box{24, 41, 176, 57}), first.tasksPlaces[0].rect);
    EXPECT_EQ((Box{24, 61, 176, 77}), first.tasksPlaces[1].rect);
    EXPECT_EQ((Box{12, 37, 188, 81}), first.tasks);
    // The next group after the spacing between groups.
    EXPECT_EQ(81 + 15, layout.groups[1].caption.top);
    EXPECT_EQ(layout.groups[1].tasks.bottom - 12 + 24, layout.contentHeight);
}

TEST(TasksPaneLayoutTest, CollapsedGroupsHiddenTasksWindowsAndIcons)
{
    GroupFacts hidden = Group(3);
    hidden.tasks[1].visible = false;
    hidden.tasks[2].windowHeight = 40;
    hidden.tasks[2].hasCommand = false;
    GroupFacts collapsed = Group(2, true);
    collapsed.iconHeight = 40;
    collapsed.iconWidth = 32;
    const Layout layout = LayOutGroups(Facts(), {hidden, collapsed}, Measure);

    const GroupPlace& first = layout.groups[0];
    EXPECT_TRUE(first.tasksPlaces[1].rect.IsEmpty());
    EXPECT_EQ(first.tasksPlaces[0].rect.bottom + 4, first.tasksPlaces[2].rect.top);
    EXPECT_EQ(40, first.tasksPlaces[2].rect.Height());
    EXPECT_TRUE(first.tasksPlaces[2].windowShown);

    const GroupPlace& second = layout.groups[1];
    // The icon taller than the caption pushes it down by the difference.
    EXPECT_EQ(first.tasks.bottom + 15 + (40 - 25), second.caption.top);
    // Collapsed: only the caption, the tasks area the line above its bottom.
    EXPECT_EQ(second.caption.bottom - 1, second.tasks.top);
    EXPECT_EQ(0, second.tasks.Height());
    EXPECT_TRUE(second.tasksPlaces[0].rect.IsEmpty());
    EXPECT_FALSE(second.tasksPlaces[1].windowShown);
    EXPECT_EQ(2 * (16 + 4) + 4, second.fullTasksHeight);

    // Collapsing is off: the same group is laid out expanded.
    LayoutFacts facts = Facts();
    facts.collapsible = false;
    EXPECT_FALSE(LayOutGroups(facts, {hidden, collapsed}, Measure).groups[1].tasksPlaces[0].rect.IsEmpty());
}

TEST(TasksPaneLayoutTest, ScrollingWrappingAnimationAndToolboxCaptions)
{
    const Layout top = LayOutGroups(Facts(), {Group(2)}, Measure);
    const Layout scrolled = LayOutGroups(Facts(2), {Group(2)}, Measure);
    EXPECT_EQ(top.groups[0].caption.top - 2 * 16, scrolled.groups[0].caption.top);

    LayoutFacts wrapping = Facts();
    wrapping.area.right = 100; // text width 100 - 24 - 24 - 16 - 5 = 31: four lines
    wrapping.wrapTasks = true;
    EXPECT_EQ(52, LayOutGroups(wrapping, {Group(1)}, Measure).groups[0].tasksPlaces[0].rect.Height());
    wrapping.wrapTasks = false;
    wrapping.wrapLabels = true; // labels only: a task keeps one line
    EXPECT_EQ(16, LayOutGroups(wrapping, {Group(1)}, Measure).groups[0].tasksPlaces[0].rect.Height());

    // The animated group (collapsed already) is laid out expanded, cut to its shown height.
    LayoutFacts animating = Facts();
    animating.animatedGroup = 0;
    animating.animatedHeight = 25;
    const Layout cut = LayOutGroups(animating, {Group(2, true)}, Measure);
    EXPECT_EQ(25, cut.groups[0].tasks.Height());
    EXPECT_TRUE(cut.groups[0].tasksPlaces[0].windowShown);
    EXPECT_FALSE(cut.groups[0].tasksPlaces[1].windowShown);

    Metrics noCaption = kDefaults;
    noCaption[kGroupCaptionHeight] = 0;
    noCaption[kGroupCaptionExtraHeight] = 2;
    GroupFacts group = Group(0);
    group.captionTextHeight = 10;
    EXPECT_EQ(12, CaptionHeight(group, noCaption, false));
    EXPECT_EQ(18, CaptionHeight(group, noCaption, true));
    group.hasCaption = false;
    EXPECT_EQ(0, CaptionHeight(group, noCaption, true));
}

TEST(TasksPaneLayoutTest, ScrollMetricsWheelAndScrollBar)
{
    ScrollFacts facts;
    facts.areaHeight = 200;
    facts.contentHeight = 800;
    facts.rowHeight = 20;
    facts.position = 100;
    ScrollMetrics scroll = ComputeScroll(facts);
    EXPECT_EQ(9, scroll.pageSize);
    EXPECT_EQ(39, scroll.maximum);
    EXPECT_EQ(31, scroll.position); // clamped to maximum - page + 1

    facts.scrollAreaHeight = 20;
    EXPECT_EQ(8, ComputeScroll(facts).pageSize);

    scroll.position = 10;
    EXPECT_EQ(7, WheelPosition(scroll, 360));   // three rows up
    EXPECT_EQ(13, WheelPosition(scroll, -360)); // three rows down
    scroll.position = 1;
    EXPECT_EQ(0, WheelPosition(scroll, 360));

    scroll.position = 10;
    EXPECT_EQ(9, ScrollBarPosition(scroll, 0, 0));
    EXPECT_EQ(19, ScrollBarPosition(scroll, 3, 0));
    EXPECT_EQ(31, ScrollBarPosition(scroll, 7, 0));
    EXPECT_EQ(0, ScrollBarPosition(scroll, 5, -4));

    // Content that fits, or no row height: nothing scrolls.
    facts.contentHeight = 150;
    EXPECT_EQ(0, ComputeScroll(facts).maximum);
    facts.contentHeight = 800;
    facts.rowHeight = 0;
    const ScrollMetrics none = ComputeScroll(facts);
    EXPECT_EQ(0, none.maximum);
    EXPECT_EQ(0, none.position);
}

TEST(TasksPaneLayoutTest, AnimationMovesByWholeRowsUntilItEnds)
{
    EXPECT_EQ(1, CollapseAnimation::Frames(30, 3));
    EXPECT_EQ(2, CollapseAnimation::Frames(50, 3));  // 50/30 rounded
    EXPECT_EQ(0, CollapseAnimation::Frames(10, 3));
    EXPECT_EQ(3, CollapseAnimation::Frames(30, 18)); // many rows left: 18 * 1 / 9 + 1

    CollapseAnimation collapse;
    collapse.Start(true, 64, 1000);
    EXPECT_EQ(64, collapse.ShownHeight());
    EXPECT_TRUE(collapse.Step(1030, 16));
    EXPECT_EQ(48, collapse.ShownHeight());
    EXPECT_TRUE(collapse.Step(1040, 16)); // too soon for a frame
    EXPECT_EQ(48, collapse.ShownHeight());
    EXPECT_FALSE(collapse.Step(1200, 16)); // far late: ends at 0, never below
    EXPECT_EQ(0, collapse.ShownHeight());
    EXPECT_FALSE(collapse.IsRunning());

    CollapseAnimation expand;
    expand.Start(false, 40, 0);
    int steps = 0;
    for (long now = 30; expand.Step(now, 16); now += 30)
        ++steps;
    EXPECT_EQ(40, expand.ShownHeight());
    EXPECT_EQ(2, steps); // 16, 32, then 40 ends it

    CollapseAnimation noRows;
    noRows.Start(true, 40, 0);
    EXPECT_FALSE(noRows.Step(30, 0));
    EXPECT_FALSE(noRows.IsRunning());
}

TEST(TasksPaneLayoutTest, IdleUpdateSkipsTheFramesCommands)
{
    EXPECT_TRUE(IsUpdatedCommand(100));
    EXPECT_TRUE(IsUpdatedCommand(61439));
    EXPECT_FALSE(IsUpdatedCommand(0));
    EXPECT_FALSE(IsUpdatedCommand(61440));
    EXPECT_FALSE(IsUpdatedCommand(61935));
    EXPECT_TRUE(IsUpdatedCommand(61936));
    EXPECT_FALSE(IsUpdatedCommand(65280));
}

TEST(TasksHistoryTest, ElevenPagesDropTheOldestAndBackStopsAtTheSecond)
{
    History history;
    for (int page = 1; page <= 10; ++page)
        EXPECT_TRUE(history.Visit(page, 11));
    EXPECT_EQ(10u, history.Entries().size());
    EXPECT_EQ(1, history.Entries().front());
    int backs = 0;
    while (history.GoBack())
        ++backs;
    EXPECT_EQ(9, backs);
    EXPECT_EQ(1, history.CurrentPage());
    EXPECT_FALSE(history.CanGoBack());
    EXPECT_TRUE(history.GoForward());
    EXPECT_EQ(2, history.CurrentPage());
}

TEST(TasksHistoryTest, VisitingTheCurrentPageOrOneOutOfRangeChangesNothing)
{
    History history;
    EXPECT_FALSE(history.Visit(0, 3));
    EXPECT_FALSE(history.Visit(-1, 3)); // a menu closed without a choice
    EXPECT_FALSE(history.Visit(3, 3));
    EXPECT_EQ(std::vector<int>{0}, history.Entries());
    EXPECT_FALSE(history.GoHome(3));

    ASSERT_TRUE(history.Visit(1, 3));
    ASSERT_TRUE(history.Visit(2, 3));
    ASSERT_TRUE(history.GoBack());
    // A new page from the middle discards the forward entries.
    ASSERT_TRUE(history.Visit(0, 3));
    EXPECT_EQ((std::vector<int>{0, 1, 0}), history.Entries());
    EXPECT_FALSE(history.CanGoForward());
    EXPECT_TRUE(history.GoHome(3) == false); // page 0 is current
}

TEST(TasksHistoryTest, MenusListTheirPagesAndJumpsStayInTheHistory)
{
    const std::vector<std::wstring> names{L"Home", L"Files", L"Songs", L"Styles", L"Voices"};
    History history;
    for (int page : {1, 2, 3, 4})
        history.Visit(page, 5);
    ASSERT_TRUE(history.MoveBy(-1));
    EXPECT_EQ((std::vector<std::wstring>{L"Songs", L"Files", L"Home"}), history.BackTexts(names));
    EXPECT_EQ(std::vector<std::wstring>{L"Voices"}, history.ForwardTexts(names));

    // The third item of the back menu: three entries back.
    ASSERT_TRUE(history.MoveBy(-(2 + 1)));
    EXPECT_EQ(0, history.CurrentPage());
    // A stale item past the end is held to the history.
    ASSERT_TRUE(history.MoveBy(40));
    EXPECT_EQ(4, history.CurrentPage());
    EXPECT_FALSE(history.MoveBy(1));
}

TEST(TasksHistoryTest, WindowTextRule)
{
    CaptionFacts facts;
    EXPECT_EQ(L"Page", WindowText(facts, L"Pane", L"Page"));
    facts.pageCount = 2;
    EXPECT_EQ(L"Pane", WindowText(facts, L"Pane", L"Page"));
    facts.pageCount = 1;
    facts.usesToolbar = true;
    EXPECT_EQ(L"Pane", WindowText(facts, L"Pane", L"Page"));
    facts.usesToolbar = false;
    facts.isTab = true;
    EXPECT_EQ(L"Pane", WindowText(facts, L"Pane", L"Page"));
    EXPECT_FALSE(ShowsNavigationButtons(false, 1));
    EXPECT_FALSE(ShowsNavigationButtons(true, 3));
    EXPECT_TRUE(ShowsNavigationButtons(false, 2));
}

namespace toolbox = kgp::toolbox;

TEST(ToolBoxLayoutTest, ListAndGridCellsRowsBelowAndCutCells)
{
    EXPECT_EQ(20, toolbox::RowHeight(toolbox::kListMode, 16, 14));
    EXPECT_EQ(28, toolbox::RowHeight(toolbox::kGridMode, 16, 14));

    // List: one tool per row, 20 high from y = 4, the client 70 high.
    const toolbox::PageLayout list = toolbox::LayOutTools(Box{0, 0, 100, 70}, 5, toolbox::kListMode, 16, 16, 14, 0);
    EXPECT_EQ((Box{0, 4, 100, 24}), list.cells[0]);
    EXPECT_EQ((Box{0, 44, 100, 64}), list.cells[2]);
    EXPECT_TRUE(list.cells[3].IsEmpty()); // passes the bottom
    EXPECT_EQ(2, list.rowsBelow);        // the cut row counts: scrolling may show it

    // Scrolled one row: the first cell is above the top.
    const toolbox::PageLayout scrolled = toolbox::LayOutTools(Box{0, 0, 100, 70}, 5, toolbox::kListMode, 16, 16, 14, 1);
    EXPECT_TRUE(scrolled.cells[0].IsEmpty());
    EXPECT_EQ((Box{0, 4, 100, 24}), scrolled.cells[1]);
    EXPECT_EQ(1, scrolled.rowsBelow);

    // Grid: cells 28 wide, three to a row of 90.
    const toolbox::PageLayout grid = toolbox::LayOutTools(Box{0, 0, 90, 200}, 7, toolbox::kGridMode, 16, 16, 14, 0);
    EXPECT_EQ((Box{28, 4, 56, 32}), grid.cells[1]);
    EXPECT_EQ((Box{0, 32, 28, 60}), grid.cells[3]);
    EXPECT_EQ((Box{0, 60, 28, 88}), grid.cells[6]);
    EXPECT_EQ(0, grid.rowsBelow);
}

TEST(ToolBoxLayoutTest, RequiredHeightScrollToPixelAndSelection)
{
    EXPECT_EQ(3 * 20 + 8, toolbox::RequiredHeight(toolbox::kListMode, 3, 16, 16, 14, 100));
    EXPECT_EQ(3 * 28 + 8, toolbox::RequiredHeight(toolbox::kGridMode, 7, 16, 16, 14, 90));
    EXPECT_EQ(8, toolbox::RequiredHeight(toolbox::kGridMode, 7, 16, 16, 14, 20)); // no column fits

    EXPECT_EQ(0, toolbox::RowForPixel(0, 20));
    EXPECT_EQ(1, toolbox::RowForPixel(1, 20));
    EXPECT_EQ(1, toolbox::RowForPixel(20, 20));
    EXPECT_EQ(2, toolbox::RowForPixel(21, 20));
    EXPECT_EQ(0, toolbox::RowForPixel(50, 0));

    EXPECT_FALSE(toolbox::SelectTool(-1, 3, 3).accepted);
    EXPECT_EQ(-1, toolbox::SelectTool(-1, 3, 3).selected);
    const toolbox::Selection again = toolbox::SelectTool(1, 1, 3);
    EXPECT_TRUE(again.accepted);
    EXPECT_FALSE(again.changed);
    const toolbox::Selection other = toolbox::SelectTool(1, 2, 3);
    EXPECT_TRUE(other.changed);
    EXPECT_EQ(2, other.selected);
    EXPECT_EQ(-1, toolbox::SelectTool(1, -1, 3).selected);
}

} // namespace
