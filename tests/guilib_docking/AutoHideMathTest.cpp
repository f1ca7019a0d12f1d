// Auto-hidden panes without windows: where a slide ends on each edge (and
// under a right-to-left layout), its steps, the slide and check timers on a
// test clock, when the check slides a pane back in, the hover over a
// button, and the buttons' sizes and places along a strip.
#include <gtest/gtest.h>

#include "guilib/docking/KGPAutoHideMath.h"

#include <string>
#include <vector>

namespace {

using namespace kgp::autohide;

// A pane 120 wide beside a left strip 0..24, top to bottom 0..300.
constexpr Box kLeftStrip{0, 0, 24, 300};
constexpr Box kLeftFull{24, 0, 144, 300};

SlideFacts Facts(Edge edge, bool out, Box pane, Box strip, Box slideRect = {}, int mode = kSlideMove,
                 bool mirrored = false)
{
    SlideFacts facts;
    facts.edge = edge;
    facts.mode = mode;
    facts.slidingOut = out;
    facts.mirrored = mirrored;
    facts.pane = pane;
    facts.strip = strip;
    facts.slideRect = slideRect;
    return facts;
}

TEST(AutoHideSlide, EveryEdgeEndsItsSlideWhereTheStripIs)
{
    // Sliding out ends when the pane stands clear of the strip, in when it is
    // back under it; every row of both directions.
    const Box top{0, 0, 400, 24}, bottom{0, 276, 400, 300}, right{376, 0, 400, 300};
    struct Row {
        Edge edge;
        Box strip;
        Box clear, under, between;
    } rows[] = {
        {Edge::Left, kLeftStrip, kLeftFull, {-96, 0, 24, 300}, {0, 0, 120, 300}},
        {Edge::Right, right, {256, 0, 376, 300}, {376, 0, 496, 300}, {300, 0, 420, 300}},
        {Edge::Top, top, {0, 24, 400, 124}, {0, -76, 400, 24}, {0, 10, 400, 110}},
        {Edge::Bottom, bottom, {0, 176, 400, 276}, {0, 276, 400, 376}, {0, 200, 400, 300}},
    };
    for (const Row& row : rows) {
        const std::string name = "edge " + std::to_string(static_cast<int>(row.edge));
        EXPECT_TRUE(SlideEnded(Facts(row.edge, true, row.clear, row.strip))) << name;
        EXPECT_FALSE(SlideEnded(Facts(row.edge, true, row.between, row.strip))) << name;
        EXPECT_TRUE(SlideEnded(Facts(row.edge, false, row.under, row.strip))) << name;
        EXPECT_FALSE(SlideEnded(Facts(row.edge, false, row.between, row.strip))) << name;
    }
}

TEST(AutoHideSlide, ARightToLeftFrameTradesTheLeftAndRightRows)
{
    // Mirrored, a left pane slides out toward smaller x: it ends once its
    // right side reaches the strip's left.
    const Box strip{376, 0, 400, 300};
    EXPECT_TRUE(SlideEnded(Facts(Edge::Left, true, {256, 0, 376, 300}, strip, {}, kSlideMove, true)));
    EXPECT_FALSE(SlideEnded(Facts(Edge::Left, true, {300, 0, 420, 300}, strip, {}, kSlideMove, true)));
    EXPECT_TRUE(SlideEnded(Facts(Edge::Left, false, {376, 0, 496, 300}, strip, {}, kSlideMove, true)));
    // A right pane mirrored behaves as a left one unmirrored.
    EXPECT_TRUE(SlideEnded(Facts(Edge::Right, true, kLeftFull, kLeftStrip, {}, kSlideMove, true)));
    EXPECT_TRUE(SlideEnded(Facts(Edge::Right, false, {-96, 0, 24, 300}, kLeftStrip, {}, kSlideMove, true)));
    // Top and bottom do not mirror.
    EXPECT_TRUE(SlideEnded(Facts(Edge::Top, true, {0, 24, 400, 124}, {0, 0, 400, 24}, {}, kSlideMove, true)));
}

TEST(AutoHideSlide, GrowingPanesEndAtTheirFullExtentOrAtNothing)
{
    EXPECT_TRUE(SlideEnded(Facts(Edge::Left, true, kLeftFull, kLeftStrip, kLeftFull, kSlideGrow)));
    EXPECT_FALSE(SlideEnded(Facts(Edge::Left, true, {24, 0, 100, 300}, kLeftStrip, kLeftFull, kSlideGrow)));
    EXPECT_TRUE(SlideEnded(Facts(Edge::Bottom, false, {0, 276, 400, 276}, {}, {0, 176, 400, 276}, kSlideGrow)));
    EXPECT_FALSE(SlideEnded(Facts(Edge::Bottom, false, {0, 270, 400, 276}, {}, {0, 176, 400, 276}, kSlideGrow)));
}

TEST(AutoHideSlide, A120PixelPaneTakesTwelveTenPixelStepsAndLandsOnItsPlace)
{
    EXPECT_EQ(10, SlideStep(120, true));
    EXPECT_EQ(1, SlideStep(5, true));   // at least one pixel
    EXPECT_EQ(120, SlideStep(120, false)); // not animated: one step

    Box pane = SlideStartBox(kLeftFull, Edge::Left, kSlideMove);
    EXPECT_EQ((Box{-96, 0, 24, 300}), pane);
    EXPECT_TRUE(SlideEnded(Facts(Edge::Left, false, pane, kLeftStrip)));
    int steps = 0;
    while (!SlideEnded(Facts(Edge::Left, true, pane, kLeftStrip)) && steps < 100) {
        pane = SlideStepBox(pane, Edge::Left, kSlideMove, true, 10, kLeftFull);
        ++steps;
    }
    EXPECT_EQ(12, steps);
    EXPECT_EQ(kLeftFull, pane);
    // Back in, one step a tick, until it is under the strip again.
    steps = 0;
    while (!SlideEnded(Facts(Edge::Left, false, pane, kLeftStrip)) && steps < 100) {
        pane = SlideStepBox(pane, Edge::Left, kSlideMove, false, 10, kLeftFull);
        ++steps;
    }
    EXPECT_EQ(12, steps);
}

TEST(AutoHideSlide, AnUnevenExtentNeverOvershootsItsPlace)
{
    // 125 pixels in steps of 10: the last step is 5 and the pane stands where
    // it belongs, on every edge.
    const Box strips[] = {{0, 0, 24, 300}, {376, 0, 400, 300}, {0, 0, 400, 24}, {0, 276, 400, 300}};
    const Box fulls[] = {{24, 0, 149, 300}, {251, 0, 376, 300}, {0, 24, 400, 149}, {0, 151, 400, 276}};
    const Edge edges[] = {Edge::Left, Edge::Right, Edge::Top, Edge::Bottom};
    for (int i = 0; i < 4; ++i) {
        Box pane = SlideStartBox(fulls[i], edges[i], kSlideMove);
        int steps = 0;
        while (!SlideEnded(Facts(edges[i], true, pane, strips[i])) && steps < 100) {
            pane = SlideStepBox(pane, edges[i], kSlideMove, true, 10, fulls[i]);
            ++steps;
        }
        EXPECT_EQ(13, steps) << i;
        EXPECT_EQ(fulls[i], pane) << i;
    }
}

TEST(AutoHideSlide, GrowingStepsStayWithinNothingAndTheFullExtent)
{
    const Box full{0, 176, 400, 276}; // above a bottom strip
    Box pane = SlideStartBox(full, Edge::Bottom, kSlideGrow);
    EXPECT_EQ(0, pane.Height());
    EXPECT_EQ(276, pane.bottom);
    for (int i = 0; i < 20; ++i)
        pane = SlideStepBox(pane, Edge::Bottom, kSlideGrow, true, 30, full);
    EXPECT_EQ(full, pane);
    for (int i = 0; i < 20; ++i)
        pane = SlideStepBox(pane, Edge::Bottom, kSlideGrow, false, 30, full);
    EXPECT_EQ(0, pane.Height());
    EXPECT_EQ(276, pane.top);
}

// ---- The timers on a test clock.

struct TimerLog {
    long now = 0;
    std::vector<std::string> events;
    SlideMachine Machine()
    {
        return SlideMachine([this] { return now; },
                            [this](int id, long period) {
                                events.push_back("start " + std::to_string(id) + "/" + std::to_string(period));
                            },
                            [this](int id) { events.push_back("stop " + std::to_string(id)); });
    }
};

TEST(AutoHideSlide, KeptSizesMoveAgainstTheOuterEdgeAndTakeItsLength)
{
    const Box outer{5, 10, 600, 390};
    // At the bottom the slider lies above its pane: the pane's bottom meets the edge.
    PaneAndSlider placed = AlignAtOuterEdge({{10, 200, 300, 204}, {10, 204, 300, 324}}, outer, Edge::Bottom);
    EXPECT_EQ((Box{5, 266, 600, 270}), placed.slider);
    EXPECT_EQ((Box{5, 270, 600, 390}), placed.pane);
    // On the left the pane lies before its slider: its left meets the edge.
    const PaneAndSlider left{{210, 20, 214, 300}, {50, 20, 210, 300}};
    placed = AlignAtOuterEdge(left, outer, Edge::Left);
    EXPECT_EQ((Box{5, 10, 165, 390}), placed.pane);
    EXPECT_EQ((Box{165, 10, 169, 390}), placed.slider);
    // A right-to-left frame's left pane stands at the right.
    placed = AlignAtOuterEdge(left, outer, Edge::Left, true);
    EXPECT_EQ(600, placed.slider.right);
    EXPECT_EQ(160, placed.pane.right - placed.pane.left);
}

TEST(AutoHideTimers, ASlideOutTicksUntilItsEndThenTheCheckRunsUntilItSlidesThePaneIn)
{
    TimerLog log;
    SlideMachine machine = log.Machine();
    machine.Begin(true, true);
    EXPECT_TRUE(machine.IsSliding());
    EXPECT_EQ(kTimerSlideOut, machine.SlideTimer());
    EXPECT_EQ(0, machine.DueTimer()); // not yet: its period has not passed
    log.now = 1;
    EXPECT_EQ(kTimerSlideOut, machine.DueTimer());
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ(SlideMachine::After::StepAgain, machine.OnSlideTick(false));
    EXPECT_EQ(SlideMachine::After::ShowPane, machine.OnSlideTick(true));
    EXPECT_EQ(12, machine.Steps());
    EXPECT_FALSE(machine.IsSliding());
    EXPECT_FALSE(machine.LastSlideWasIn());
    EXPECT_TRUE(machine.CheckRuns());
    EXPECT_EQ((std::vector<std::string>{"start 2/1", "stop 2", "start 3/700"}), log.events);

    // The check finds the mouse still there: it runs again 700 ms later.
    log.now = 701;
    EXPECT_EQ(kTimerCheck, machine.DueTimer());
    machine.OnCheckTick(false);
    EXPECT_TRUE(machine.CheckRuns());
    EXPECT_EQ(0, machine.DueTimer());
    // The mouse has left: the check slides the pane in and stops itself; the
    // slide in stops nothing more and runs timer 1.
    log.now = 1401;
    EXPECT_EQ(kTimerCheck, machine.DueTimer());
    machine.OnCheckTick(true);
    EXPECT_FALSE(machine.CheckRuns());
    machine.Begin(false, true);
    EXPECT_EQ(kTimerSlideIn, machine.SlideTimer());
    EXPECT_EQ(SlideMachine::After::HidePane, machine.OnSlideTick(true));
    EXPECT_TRUE(machine.LastSlideWasIn());
    EXPECT_FALSE(machine.CheckRuns());
    EXPECT_EQ((std::vector<std::string>{"start 2/1", "stop 2", "start 3/700", "stop 3", "start 1/1", "stop 1"}),
              log.events);
}

TEST(AutoHideTimers, ANewSlideStopsTheRunningOnesAndAnImmediateSlideNeedsNoTimer)
{
    TimerLog log;
    SlideMachine machine = log.Machine();
    machine.Begin(true, true);
    machine.OnSlideTick(true); // out: the check runs
    log.events.clear();
    // Slid in at once (as when the frame's outer edge moved): both stop, no
    // timer starts, the pane hides.
    machine.Begin(false, false);
    EXPECT_EQ((std::vector<std::string>{"stop 3"}), log.events);
    EXPECT_EQ(0, machine.SlideTimer());
    EXPECT_EQ(SlideMachine::After::HidePane, machine.Finish());
    EXPECT_EQ(1, machine.Steps());
    // A slide out that is not animated shows the pane and starts the check
    // (it never hides a pane it was asked to show).
    machine.Begin(true, false);
    EXPECT_EQ(SlideMachine::After::ShowPane, machine.Finish());
    EXPECT_TRUE(machine.CheckRuns());
    // Leaving auto-hide stops everything; later ticks do nothing.
    machine.Stop();
    EXPECT_FALSE(machine.CheckRuns());
    EXPECT_EQ(SlideMachine::After::Nothing, machine.OnSlideTick(true));
    EXPECT_EQ(0, machine.DueTimer());
}

TEST(AutoHideCheck, OnlyAnIdlePaneTheMouseHasLeftSlidesIn)
{
    CheckFacts idle;
    EXPECT_TRUE(ShouldSlideIn(idle));
    const auto with = [](auto set) {
        CheckFacts facts;
        set(facts);
        return ShouldSlideIn(facts);
    };
    EXPECT_FALSE(with([](CheckFacts& f) { f.active = true; }));
    EXPECT_FALSE(with([](CheckFacts& f) { f.holdOpen = true; }));
    EXPECT_FALSE(with([](CheckFacts& f) { f.autoHidden = false; }));
    EXPECT_FALSE(with([](CheckFacts& f) { f.popupMenuOpen = true; }));
    EXPECT_FALSE(with([](CheckFacts& f) { f.tooltipVisible = true; }));
    EXPECT_FALSE(with([](CheckFacts& f) { f.cursorOverPane = true; }));
    EXPECT_FALSE(with([](CheckFacts& f) { f.cursorOverButton = true; }));
}

TEST(AutoHideHover, OneHoverAtATimeAndNoneOverAShownPane)
{
    HoverMachine hover;
    EXPECT_FALSE(hover.OnMove(-1, true)); // over no button
    EXPECT_FALSE(hover.OnMove(0, false)); // its pane already shows
    EXPECT_TRUE(hover.OnMove(0, true));
    EXPECT_FALSE(hover.OnMove(1, true)); // a second hover restarts nothing
    EXPECT_TRUE(hover.Pending());
    EXPECT_TRUE(hover.OnTimer(1));
    EXPECT_FALSE(hover.Pending());
    // The mouse left before the timer fired: nothing slides out.
    EXPECT_TRUE(hover.OnMove(0, true));
    EXPECT_FALSE(hover.OnTimer(-1));
    EXPECT_FALSE(hover.OnTimer(0)); // nothing pending any more
    // A wait cancelled (its timer killed) lets the next hover start one.
    EXPECT_TRUE(hover.OnMove(0, true));
    hover.Cancel();
    EXPECT_FALSE(hover.Pending());
    EXPECT_TRUE(hover.OnMove(0, true));
}

TEST(AutoHideButtons, SizesFollowIconTextAndTheActiveToolbar)
{
    ButtonSizeInput in;
    in.hasPane = false;
    EXPECT_EQ((Size{4, 4}), ButtonSize(in));

    // A horizontal button with a 50 x 15 text and no icon: the gap is margin + 20.
    in = {};
    in.text = {50, 15};
    EXPECT_EQ((Size{4 + 50 + 22, 4 + 15}), ButtonSize(in));
    // With a 16 x 16 icon: the gap is the text margin plus the icon's width.
    in.icon = {16, 16};
    EXPECT_EQ((Size{4 + 50 + 16 + 26, 4 + 16}), ButtonSize(in));
    // On a vertical strip the text turns: it runs down the button.
    in.horizontal = false;
    EXPECT_EQ((Size{15, 50}), ButtonTextSize(in));
    EXPECT_EQ((Size{4 + 16, 4 + 50 + 16 + 26}), ButtonSize(in));
    // An inactive toolbar's button with an icon shows no text: only icon,
    // margins and gap (margin + 1) long.
    in.activeToolbar = false;
    EXPECT_EQ((Size{4 + 16, 4 + 16 + 3}), ButtonSize(in));
    // ... unless every toolbar shows its texts.
    in.onlyActiveShowsText = false;
    EXPECT_EQ((Size{4 + 16, 4 + 50 + 16 + 26}), ButtonSize(in));
    // Across the row a button is at least as deep as the row's largest bar.
    in.minimumAcross = 30;
    EXPECT_EQ(30, ButtonSize(in).cx);
}

TEST(AutoHideButtons, TheOverlappingStyleKeepsTwoThirdsOfTheThicknessForItsNeighbour)
{
    // A 16 x 16 icon and a 50 x 15 text: the gap is two thirds of the
    // button's thickness (4 + 16) and the look's extra room.
    ButtonSizeInput in;
    in.icon = {16, 16};
    in.text = {50, 15};
    in.overlappingStyle = true;
    in.overlapExtra = 2;
    EXPECT_EQ((Size{4 + 50 + 16 + 13 + 2, 4 + 16}), ButtonSize(in));
    in.horizontal = false;
    EXPECT_EQ((Size{4 + 16, 4 + 50 + 16 + 13 + 2}), ButtonSize(in));
    // Without an icon the thickness is the text's.
    in = {};
    in.text = {50, 15};
    in.overlappingStyle = true;
    EXPECT_EQ((Size{4 + 50 + 2 * 19 / 3, 4 + 15}), ButtonSize(in));

    EXPECT_EQ(10, ButtonCorner(false, true));
    EXPECT_EQ(5, ButtonCorner(true, true));
    EXPECT_EQ(7, ButtonCorner(true, false));
    // The face's copy moves back along the toolbar by the corner.
    EXPECT_EQ((Box{5, 0, 55, 20}), OverlapFaceBox({10, 0, 60, 20}, true, 5));
    EXPECT_EQ((Box{0, 3, 20, 53}), OverlapFaceBox({0, 10, 20, 60}, false, 7));
    // No border on the side toward the frame's edge.
    EXPECT_EQ((Box{1, 0, 1, 1}), ButtonBorder(Edge::Top, 1));
    EXPECT_EQ((Box{1, 1, 0, 1}), ButtonBorder(Edge::Right, 1));
    // The content: the plain style loses the border and the margin; the
    // overlapping one the margin and, at its end, two thirds of the thickness.
    EXPECT_EQ((Box{3, 2, 57, 17}), ButtonContentBox({0, 0, 60, 20}, {1, 0, 1, 1}, true, false, 2));
    EXPECT_EQ((Box{2, 2, 58 - 13, 18}), ButtonContentBox({0, 0, 60, 20}, {1, 0, 1, 1}, true, true, 2));
    EXPECT_EQ((Box{2, 2, 18, 58 - 13}), ButtonContentBox({0, 0, 20, 60}, {0, 1, 1, 1}, false, true, 2));

    // An inactive toolbar's button shows no title beside its icon; without an
    // icon it shows it, as every button does when all toolbars show texts.
    EXPECT_FALSE(ButtonShowsText(false, false, true, true));
    EXPECT_TRUE(ButtonShowsText(false, false, false, true));
    EXPECT_FALSE(ButtonShowsText(true, true, true, true));
    EXPECT_TRUE(ButtonShowsText(false, true, true, true));
    EXPECT_TRUE(ButtonShowsText(false, false, true, false));
}

TEST(AutoHideButtons, ButtonsLieOneAfterAnotherAlongTheirStripAndTheOneOnTopIsHitFirst)
{
    const std::vector<Size> sizes{{60, 20}, {40, 20}, {30, 20}};
    const std::vector<Box> along = LayoutButtons(sizes, Edge::Bottom, 2, 22);
    ASSERT_EQ(3u, along.size());
    EXPECT_EQ((Box{2, 0, 62, 22}), along[0]);
    EXPECT_EQ((Box{62, 0, 102, 22}), along[1]);
    EXPECT_EQ((Box{102, 0, 132, 22}), along[2]);
    const std::vector<Box> down = LayoutButtons({{20, 60}, {20, 40}}, Edge::Left, 0, 22);
    EXPECT_EQ((Box{0, 60, 22, 100}), down[1]);

    std::vector<bool> visible{true, true, true};
    EXPECT_EQ(1, ButtonAt(along, visible, -1, 70, 5));
    EXPECT_EQ(-1, ButtonAt(along, visible, -1, 140, 5));
    visible[1] = false;
    EXPECT_EQ(-1, ButtonAt(along, visible, -1, 70, 5)); // a hidden button holds nothing
    // Overlapping buttons: the one on top wins.
    const std::vector<Box> overlap{{0, 0, 50, 20}, {40, 0, 90, 20}};
    EXPECT_EQ(0, ButtonAt(overlap, {true, true}, -1, 45, 5));
    EXPECT_EQ(1, ButtonAt(overlap, {true, true}, 1, 45, 5));
}

TEST(AutoHideEdges, AlignmentBitsNameTheirEdge)
{
    EXPECT_EQ(Edge::Left, EdgeOf(0x1000));
    EXPECT_EQ(Edge::Top, EdgeOf(0x2000));
    EXPECT_EQ(Edge::Right, EdgeOf(0x4000));
    EXPECT_EQ(Edge::Bottom, EdgeOf(0x8000));
    EXPECT_TRUE(IsHorizontalEdge(EdgeOf(0x8000)));
    EXPECT_FALSE(IsHorizontalEdge(EdgeOf(0x4000)));
}

} // namespace
