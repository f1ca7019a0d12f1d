#include "guilib/docking/KGPDockDecision.h"
#include "guilib/docking/KGPDockGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace KGPDock;

namespace {

DockPointFacts Facts(BOOL pane, BOOL floating, DWORD paneStyle, DWORD draggedStyle, DWORD alignment, DWORD edge,
                     int multiFrameBars = 0)
{
    DockPointFacts f;
    f.bPaneUnderPoint = pane;
    f.bPaneFloating = floating;
    f.paneStyle = paneStyle;
    f.draggedStyle = draggedStyle;
    f.paneAlignment = alignment;
    f.paneHitTest = kDockAsTab;
    f.edgeNearPoint = edge;
    f.bMultiFrameCaption = multiFrameBars > 0;
    f.multiFrameVisibleBars = multiFrameBars;
    return f;
}

TEST(DockDecision, WhereADragWouldDock)
{
    using T = DockTargetKind;
    struct Case {
        DockPointFacts facts;
        DWORD enabled;
        int method;
        DockTargetKind target;
    } cases[] = {
        {Facts(FALSE, FALSE, 0, 0, 0, 0), kAlignAny, kDockNone, T::None},
        {Facts(FALSE, FALSE, 0, 0, 0, kAlignLeft), kAlignAny, kDockBeside, T::None},
        {Facts(FALSE, FALSE, 0, 0, 0, kAlignLeft), kAlignRight, kDockNone, T::None},      // edge not enabled
        {Facts(TRUE, FALSE, 0, 0, kAlignTop, 0), kAlignAny, kDockAsTab, T::Pane},         // the pane answers
        {Facts(TRUE, FALSE, 0, 0, kAlignTop, kAlignLeft), kAlignLeft, kDockNone, T::Pane}, // pane's edge disabled
        {Facts(TRUE, TRUE, kFloatMulti, kFloatMulti, 0, 0), kAlignLeft, kDockAsTab, T::Pane},
        {Facts(TRUE, TRUE, kFloatMulti, 0, 0, kAlignTop), kAlignAny, kDockBeside, T::None}, // not both multi
        {Facts(TRUE, TRUE, 0, kFloatMulti, 0, 0), kAlignAny, kDockNone, T::None},
        {Facts(FALSE, FALSE, 0, 0, 0, kAlignTop, 1), kAlignAny, kDockAsTab, T::MultiFrameBar},
        {Facts(FALSE, FALSE, 0, 0, 0, kAlignTop, 2), kAlignAny, kDockBeside, T::None},
    };
    int row = 0;
    for (const Case& c : cases) {
        const DockMethodChoice got = DecideDockMethod(c.facts, c.enabled);
        EXPECT_EQ(c.method, got.method) << "row " << row;
        EXPECT_EQ(c.target, got.target) << "row " << row++;
    }
}

TEST(DockDecision, PaneAreasAndTheCallsAMethodComesDownTo)
{
    const CRect pane(0, 0, 200, 300);
    const CRect none;
    EXPECT_EQ(kDockAsTab, PaneDockAreaHit(pane, 20, none, none, CPoint(100, 10), 15));
    EXPECT_EQ(kDockAsTab, PaneDockAreaHit(pane, 0, none, CRect(0, 280, 200, 300), CPoint(100, 290), 15));
    EXPECT_EQ(kDockBeside, PaneDockAreaHit(pane, 20, none, none, CPoint(5, 150), 15));
    EXPECT_EQ(kDockNone, PaneDockAreaHit(pane, 20, none, none, CPoint(100, 150), 15));
    EXPECT_EQ(kDockBeside, PaneDockAreaHit(pane, 20, none, none, CPoint(100, 150), -1));

    const CRect edge(10, 20, 410, 320);
    EXPECT_EQ(CRect(10, 20, 410, 50), EdgeFeedbackRect(edge, kAlignTop, CSize(100, 30), FALSE));
    EXPECT_EQ(CRect(10, 290, 410, 320), EdgeFeedbackRect(edge, kAlignBottom, CSize(100, 30), FALSE));
    EXPECT_EQ(CRect(10, 20, 110, 320), EdgeFeedbackRect(edge, kAlignLeft, CSize(100, 30), FALSE));
    EXPECT_EQ(CRect(310, 20, 410, 320), EdgeFeedbackRect(edge, kAlignLeft, CSize(100, 30), TRUE));

    // method, has target, smart docking → kind, pass target, then by mouse, then relayout
    const int cases[][7] = {
        {kDockOntoBar, 1, 0, 0, 0, 1, 0}, {kDockOntoBar, 0, 0, 0, 1, 0, 0}, {kDockBeside, 1, 0, 1, 1, 0, 0},
        {kDockBeside, 1, 1, 0, 1, 0, 0},  {kDockAsTab, 1, 0, 2, 1, 0, 1},   {kDockNone, 0, 0, 0, 1, 0, 0},
    };
    for (const auto& c : cases) {
        const DockCall call = PlanDockCall(c[0], c[1], c[2]);
        const int got[] = {call.dockToTargetKind, call.bPassTarget, call.bThenDockByMouse, call.bThenAdjustLayout};
        EXPECT_TRUE(std::equal(got, got + 4, c + 3)) << c[0] << " " << c[1] << " " << c[2];
    }
}

class DockDelayTest : public ::testing::Test {
protected:
    long now = 1000;
    CKGPDockDelay delay{[this] { return now; }};
    const int dockBar = 0, pane = 0;

    BOOL WaitsAfter(long elapsed, const void* target, int method, BOOL overDockBar = FALSE)
    {
        now += elapsed;
        return !delay.OnMove(target, method, overDockBar, FALSE).bDockNow;
    }
};

TEST_F(DockDelayTest, DocksAfterRestingOverOneTarget)
{
    EXPECT_EQ(200, delay.OnMove(&dockBar, kDockOntoBar, TRUE, FALSE).restartTimerMs);
    EXPECT_EQ(0, delay.OnMove(&dockBar, kDockOntoBar, TRUE, FALSE).restartTimerMs); // same pair: timer runs on
    EXPECT_TRUE(WaitsAfter(199, &dockBar, kDockOntoBar, TRUE));
    EXPECT_FALSE(WaitsAfter(1, &dockBar, kDockOntoBar, TRUE));
    EXPECT_TRUE(WaitsAfter(0, &dockBar, kDockOntoBar, TRUE)); // docking forgets the pair
}

TEST_F(DockDelayTest, AnotherTargetOrMethodRestartsTheWait)
{
    delay.OnMove(&dockBar, kDockOntoBar, TRUE, FALSE);
    now += 150;
    EXPECT_EQ(220, delay.OnMove(&pane, kDockBeside, FALSE, FALSE).restartTimerMs);
    EXPECT_TRUE(WaitsAfter(150, &pane, kDockAsTab));
    EXPECT_TRUE(WaitsAfter(219, &pane, kDockAsTab));
    EXPECT_FALSE(WaitsAfter(1, &pane, kDockAsTab));
    // A frame edge waits as long as a pane; nothing to dock to, or smart docking, acts at once.
    EXPECT_EQ(220, delay.OnMove(nullptr, kDockBeside, FALSE, FALSE).restartTimerMs);
    EXPECT_FALSE(WaitsAfter(0, nullptr, kDockNone));
    EXPECT_TRUE(delay.OnMove(&pane, kDockBeside, FALSE, TRUE).bDockNow);
}

TEST_F(DockDelayTest, JoinsAFrameOnlyAfterMoreThanThePaneDelay)
{
    const int first = 0, second = 0;
    EXPECT_TRUE(delay.WaitToJoin(&first));
    now += 220;
    EXPECT_TRUE(delay.WaitToJoin(&first));
    now += 1;
    EXPECT_TRUE(delay.WaitToJoin(&second)); // met straight from the first: waits afresh
    now += 221;
    EXPECT_FALSE(delay.WaitToJoin(&second));
    EXPECT_TRUE(delay.WaitToJoin(&second)); // joined: a new wait begins
}

} // namespace
