// The bars' rules as plain functions: when a dragged bar leaves its dock bar or
// a floating one docks, which edge a smart-docking marker stands for, and the
// docking-options menu's states.
#include <gtest/gtest.h>

#include "guilib/docking/KGPDockDecision.h"
#include "guilib/docking/KGPDockGeometry.h"

namespace {

TEST(BarRules, ADockedBarLeavesOnlyBeyondTwiceTheSensitivity)
{
    const CRect dock(0, 0, 600, 30); // a horizontal dock bar
    const CPoint outside(300, 60);
    // Dragged down by up to twice the sensitivity (15) below the dock bar: stays.
    EXPECT_FALSE(KGPDock::DockedBarLeaves(dock, CRect(100, 25, 200, 60), outside, TRUE, 15));
    EXPECT_TRUE(KGPDock::DockedBarLeaves(dock, CRect(100, 25, 200, 61), outside, TRUE, 15));
    EXPECT_TRUE(KGPDock::DockedBarLeaves(dock, CRect(100, 30, 200, 60), outside, TRUE, 15)); // only touching
    // The cursor still over the dock bar keeps the bar, however far it reaches.
    EXPECT_FALSE(KGPDock::DockedBarLeaves(dock, CRect(100, 20, 200, 90), CPoint(150, 10), TRUE, 15));
    // Apart: it leaves.
    EXPECT_TRUE(KGPDock::DockedBarLeaves(dock, CRect(100, 100, 200, 130), outside, TRUE, 15));
    // A vertical dock bar measures across its width.
    EXPECT_TRUE(KGPDock::DockedBarLeaves(CRect(0, 0, 30, 400), CRect(-40, 50, 20, 80), CPoint(60, 60), FALSE, 15));
}

TEST(BarRules, AFloatingBarDocksWithinTheShareOfTheSensitivity)
{
    const CRect target(0, 0, 600, 30);
    const CRect window(100, 40, 200, 70); // 30 high, cursor 10 below its top
    EXPECT_TRUE(KGPDock::FloatingBarDocks(target, window, CPoint(150, 20), 15)); // inside the dock bar
    // Below the dock bar: d = y - 30, t = 15 * (y - 40) / 30 is negative above the frame: no docking.
    EXPECT_FALSE(KGPDock::FloatingBarDocks(target, window, CPoint(150, 35), 15));
    // With the cursor at the window's bottom, t = 15: exactly 15 away docks (d = t), 16 does not.
    EXPECT_TRUE(KGPDock::FloatingBarDocks(target, CRect(100, 15, 200, 45), CPoint(150, 45), 15));
    EXPECT_FALSE(KGPDock::FloatingBarDocks(target, CRect(100, 16, 200, 46), CPoint(150, 46), 15));
    // Left of a vertical dock bar.
    EXPECT_TRUE(KGPDock::FloatingBarDocks(CRect(100, 0, 130, 400), CRect(80, 50, 120, 80), CPoint(95, 60), 15));
    EXPECT_FALSE(KGPDock::FloatingBarDocks(CRect(100, 0, 130, 400), CRect(60, 50, 100, 80), CPoint(95, 60), 15));
}

TEST(BarRules, SmartDockingMarkersStandForEdges)
{
    EXPECT_EQ(KGPDock::kAlignLeft, KGPDock::AlignmentOfMarker(0, TRUE));
    EXPECT_EQ(KGPDock::kAlignBottom, KGPDock::AlignmentOfMarker(3, TRUE));
    EXPECT_EQ(0u, KGPDock::AlignmentOfMarker(4, TRUE)); // a central marker is no outer edge
    EXPECT_EQ(KGPDock::kAlignRight, KGPDock::AlignmentOfMarker(5, FALSE));
    EXPECT_EQ(KGPDock::kAlignTop, KGPDock::AlignmentOfMarker(6, FALSE));
    EXPECT_EQ(0u, KGPDock::AlignmentOfMarker(1, FALSE));
    EXPECT_EQ(0u, KGPDock::AlignmentOfMarker(8, FALSE)); // the centre docks as a tab, at no edge
    EXPECT_EQ(0u, KGPDock::AlignmentOfMarker(-1, TRUE));
}

TEST(BarRules, DockingMenuStates)
{
    KGPDock::DockingMenuFacts docked;
    docked.bCanFloat = TRUE;
    docked.bHasAlignment = TRUE;
    docked.bCanClose = TRUE;
    docked.bAutoHideAllowed = TRUE;
    KGPDock::DockingMenuStates states = KGPDock::DecideDockingMenuStates(docked);
    EXPECT_TRUE(states.floating.bEnabled && !states.floating.bChecked);
    EXPECT_TRUE(states.docking.bEnabled && states.docking.bChecked);
    EXPECT_TRUE(states.autoHide.bEnabled);
    EXPECT_FALSE(states.tabbedDocument.bEnabled);
    EXPECT_TRUE(states.hide.bEnabled);

    KGPDock::DockingMenuFacts floating = docked;
    floating.bFloating = TRUE;
    floating.bInMiniFrame = TRUE;
    floating.bCanClose = FALSE;
    states = KGPDock::DecideDockingMenuStates(floating);
    EXPECT_TRUE(states.floating.bChecked);
    EXPECT_FALSE(states.docking.bChecked);
    EXPECT_FALSE(states.autoHide.bEnabled); // not from a floating frame
    EXPECT_FALSE(states.hide.bEnabled);

    KGPDock::DockingMenuFacts autoHidden = docked;
    autoHidden.bAutoHideMode = TRUE;
    states = KGPDock::DecideDockingMenuStates(autoHidden);
    EXPECT_FALSE(states.floating.bEnabled || states.docking.bEnabled || states.hide.bEnabled);
    EXPECT_TRUE(states.autoHide.bChecked);
    EXPECT_FALSE(states.docking.bChecked);

    KGPDock::DockingMenuFacts document = docked;
    document.bShownAsDocument = TRUE;
    document.bCanBeTabbedDocument = TRUE;
    document.bHasAlignment = FALSE;
    states = KGPDock::DecideDockingMenuStates(document);
    EXPECT_TRUE(states.tabbedDocument.bEnabled && states.tabbedDocument.bChecked);
    EXPECT_FALSE(states.floating.bEnabled || states.docking.bEnabled);
}

} // namespace
