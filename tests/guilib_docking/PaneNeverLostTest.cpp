// No dock loses a pane: a dock refused before or after the pane moved leaves
// it where it was, shown, and says so; a dock that is reported happened. The
// paths: a dock beside a pane on no side, a drop as a tab where no tabbed
// pane can be made or the tabbed pane refuses the tab, a docked pane's double
// click back into the floating frame where it was a tab, and a one-pane
// floating frame released in immediate mode into a pane's place or tab.
#include <gtest/gtest.h>

#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPTabbedControlBar.h"
#include "tests/guilib_docking/DockLayoutSnapshot.h"
#include "tests/guilib_docking/DockingTestFrame.h"
#include "tests/guilib_docking/PaneTestSupport.h"
#include "tests/support/MessagePump.h"

#include <memory>
#include <set>
#include <vector>

namespace {

using namespace docking_test;

// A tabbed pane that takes no more tabs once it is full.
class CFullTabbedPane : public CKGPTabbedControlBar {
public:
    CFullTabbedPane() : CKGPTabbedControlBar(TRUE) {}
    BOOL AddTab(CWnd* pNewBar, BOOL bVisible, BOOL bSetActive, BOOL bDetachable) override
    {
        return !m_bFull && CKGPTabbedControlBar::AddTab(pNewBar, bVisible, bSetActive, bDetachable);
    }
    BOOL m_bFull = FALSE; // (its window owns it, as a tabbed pane's does)
};

class PaneNeverLostTest : public PaneFrameFixture<CTestFrame> {
protected:
    // Every pane the test made stands in one place and shows there.
    void ExpectEveryPaneShown(const char* step, std::vector<CKGPBaseControlBar*> more = {})
    {
        layout_check::LayoutView layout = SnapshotLayout(*frame.GetDockManager(), {});
        for (const auto& pane : panes) {
            layout.bars.push_back(ViewOfBar(pane.get()));
            layout.bars.back().mustShow = true;
        }
        for (CKGPBaseControlBar* pBar : more)
            layout.bars.push_back(ViewOfBar(pBar));
        EXPECT_EQ("", Faults(layout_check::CheckDockLayout(layout))) << step;
    }
    CKGPDockingControlBar* Floating(UINT id, LPCTSTR title, CPoint at, DWORD extraStyle = 0)
    {
        CKGPDockingControlBar* pane = Add(id, title, CSize(160, 200), CSize(40, 40), extraStyle);
        EXPECT_TRUE(pane->DockToWindow(CBRS_ALIGN_RIGHT, nullptr));
        EXPECT_TRUE(pane->FloatBar(CRect(at, CSize(170, 150)), KGP_DM_UNKNOWN, true));
        return pane;
    }
    static void CursorOnCaption(CWnd* pPane)
    {
        CRect rect;
        pPane->GetWindowRect(rect);
        ::SetCursorPos(rect.CenterPoint().x, rect.top + 4);
    }
};

TEST_F(PaneNeverLostTest, ADockBesideOnNoSideIsRefusedAndMovesNothing)
{
    CKGPDockingControlBar* a = Add(2401, _T("Left"));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* b = Add(2402, _T("Below"));
    ASSERT_TRUE(b->DockToBar(a, CBRS_ALIGN_BOTTOM));
    CKGPDockingControlBar* c = Floating(2403, _T("Floating"), CPoint(320, 160));
    frame.RecalcLayout();
    CKGPMiniFrameWnd* floating = c->GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, floating);
    CRect before;
    b->GetWindowRect(before);

    for (const DWORD sides : {DWORD(0), DWORD(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)}) {
        EXPECT_FALSE(c->DockToBar(a, sides));
        EXPECT_EQ(floating, c->GetParentMiniFrame(TRUE)) << sides;
        EXPECT_TRUE(c->IsWindowVisible()) << sides;
        ExpectEveryPaneShown("a floating pane refused beside a docked one");
        EXPECT_FALSE(b->DockToBar(a, sides));
        EXPECT_EQ(a->GetDefaultPaneSlider(), b->GetDefaultPaneSlider()) << sides;
        CRect after;
        b->GetWindowRect(after);
        EXPECT_EQ(before, after) << sides;
        ExpectEveryPaneShown("a docked pane refused beside its neighbour");
    }
}

TEST_F(PaneNeverLostTest, AFloatingPaneDroppedAsATabThatCannotBeTakenStaysFloating)
{
    // A target that makes no tabbed pane.
    panes.push_back(std::make_unique<CColourPane>());
    CKGPDockingControlBar* plain = panes.back().get();
    ASSERT_TRUE(plain->Create(_T("No tabs"), &frame, CRect(0, 0, 160, 200), TRUE, 2411,
                              WS_CHILD | WS_VISIBLE | CBRS_LEFT, 0));
    plain->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(plain->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* dropped = Floating(2412, _T("Dropped"), CPoint(340, 180));
    frame.RecalcLayout();
    CKGPMiniFrameWnd* floating = dropped->GetParentMiniFrame(TRUE);
    CursorOnCaption(plain);
    EXPECT_FALSE(dropped->DockByMouse(nullptr));
    keyloft_test::Pump(20);
    EXPECT_EQ(floating, dropped->GetParentMiniFrame(TRUE));
    EXPECT_FALSE(dropped->IsTabbed());
    ExpectEveryPaneShown("dropped on a pane that makes no tabbed pane");

    // A tabbed pane that is full refuses the tab: the drop is no dock.
    auto* pFull = new CFullTabbedPane;
    CFullTabbedPane& full = *pFull;
    ASSERT_TRUE(full.Create(_T("Full"), &frame, CRect(0, 0, 160, 200), TRUE, 2413, WS_CHILD | WS_VISIBLE | CBRS_LEFT));
    full.EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(full.DockToWindow(CBRS_ALIGN_RIGHT, nullptr));
    CKGPDockingControlBar* tab = Add(2414, _T("Tab"));
    ASSERT_EQ(tab, tab->AttachToTabWnd(&full, KGP_DM_SHOW, TRUE));
    full.m_bFull = TRUE;
    frame.RecalcLayout();
    CursorOnCaption(&full);
    EXPECT_FALSE(dropped->DockByMouse(nullptr));
    keyloft_test::Pump(20);
    ASSERT_NE(nullptr, dropped->GetParentMiniFrame(TRUE));
    EXPECT_FALSE(dropped->IsTabbed());
    EXPECT_EQ(1, full.GetTabWnd()->GetTabsNum());
    ExpectEveryPaneShown("dropped on a full tabbed pane", {&full});
}

TEST_F(PaneNeverLostTest, ADoubleClickTakesAPaneBackAsATabIntoTheFloatingFrameItCameFrom)
{
    CKGPDockingControlBar* a = Floating(2421, _T("One"), CPoint(300, 120), KGP_CBRS_FLOAT_MULTI);
    auto* floating = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, a->GetParentMiniFrame(TRUE));
    ASSERT_NE(nullptr, floating);
    CKGPDockingControlBar* b = Add(2422, _T("Two"), CSize(160, 200), CSize(40, 40), KGP_CBRS_FLOAT_MULTI);
    CursorAtRightEdge(a);
    ASSERT_FALSE(floating->DockPaneAtCursor(b));
    CKGPDockingControlBar* c = Add(2423, _T("Three"), CSize(160, 200), CSize(40, 40), KGP_CBRS_FLOAT_MULTI);
    ASSERT_EQ(c, c->AttachToTabWnd(b, KGP_DM_SHOW, TRUE));
    ASSERT_TRUE(c->IsTabbed());
    CKGPBaseControlBar* tabbed = c->GetParentTabbedBar();
    ASSERT_EQ(floating, tabbed->GetParentMiniFrame(TRUE));

    // Docked at an edge, it remembers only the tab it was in the frame.
    ASSERT_TRUE(c->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    frame.RecalcLayout();
    ASSERT_NE(nullptr, c->GetDefaultPaneSlider());
    ExpectEveryPaneShown("the tab docked at the left edge", {tabbed});

    CRect caption;
    c->GetWindowRect(caption);
    c->SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(10, 0xFFFD)); // on its caption
    keyloft_test::Pump(20);
    ASSERT_TRUE(c->IsTabbed());
    EXPECT_EQ(tabbed, c->GetParentTabbedBar());
    EXPECT_EQ(floating, c->GetParentTabbedBar()->GetParentMiniFrame(TRUE));
    EXPECT_EQ(nullptr, c->GetDefaultPaneSlider());
    ExpectEveryPaneShown("back as a tab beside the pane it was with", {tabbed});
}

TEST_F(PaneNeverLostTest, AOnePaneFrameReleasedInImmediateModeDocksWhereItIsReportedDocked)
{
    CKGPDockingControlBar* target = Add(2431, _T("Target"), CSize(180, 300));
    ASSERT_TRUE(target->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    frame.RecalcLayout();

    // Kind 1: into the target's place, beside it on the side under the cursor.
    CKGPDockingControlBar* beside = Floating(2432, _T("Beside"), CPoint(360, 120));
    beside->SetDockingMode(KGP_DOCK_IMMEDIATE);
    CKGPMiniFrameWnd* frameOfBeside = beside->GetParentMiniFrame(TRUE);
    CRect rect;
    target->GetWindowRect(rect);
    ::SetCursorPos(rect.CenterPoint().x, rect.bottom - 3);
    ASSERT_EQ(0, frameOfBeside->DockToTarget(1, target));
    keyloft_test::Pump(20);
    EXPECT_EQ(nullptr, beside->GetParentMiniFrame(TRUE));
    EXPECT_EQ(target->GetDefaultPaneSlider(), beside->GetDefaultPaneSlider());
    CRect placed;
    beside->GetWindowRect(placed);
    target->GetWindowRect(rect);
    EXPECT_LE(rect.bottom, placed.top); // below the target
    ExpectEveryPaneShown("docked into the target's place");

    // Kind 2: as the target's tab.
    CKGPDockingControlBar* tab = Floating(2433, _T("Tab"), CPoint(380, 160));
    tab->SetDockingMode(KGP_DOCK_IMMEDIATE);
    CursorOnCaption(target);
    ASSERT_EQ(0, tab->GetParentMiniFrame(TRUE)->DockToTarget(2, target));
    keyloft_test::Pump(20);
    ASSERT_TRUE(tab->IsTabbed());
    EXPECT_TRUE(target->IsTabbed());
    EXPECT_EQ(target->GetParentTabbedBar(), tab->GetParentTabbedBar());
    ExpectEveryPaneShown("a tab of the target", {target->GetParentTabbedBar()});

    // Refused as a tab (no tabbed pane is made for this one): still floating, and said so.
    panes.push_back(std::make_unique<CColourPane>());
    CKGPDockingControlBar* plain = panes.back().get();
    ASSERT_TRUE(plain->Create(_T("No tabs"), &frame, CRect(0, 0, 160, 200), TRUE, 2434,
                              WS_CHILD | WS_VISIBLE | CBRS_LEFT, 0));
    plain->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(plain->DockToWindow(CBRS_ALIGN_RIGHT, nullptr));
    CKGPDockingControlBar* refused = Floating(2435, _T("Refused"), CPoint(300, 200));
    refused->SetDockingMode(KGP_DOCK_IMMEDIATE);
    frame.RecalcLayout();
    CKGPMiniFrameWnd* frameOfRefused = refused->GetParentMiniFrame(TRUE);
    CursorOnCaption(plain);
    EXPECT_EQ(1, frameOfRefused->DockToTarget(2, plain));
    keyloft_test::Pump(20);
    EXPECT_EQ(frameOfRefused, refused->GetParentMiniFrame(TRUE));
    ExpectEveryPaneShown("refused as a tab", {target->GetParentTabbedBar()});
}

} // namespace

namespace {

class PaneBackAsTabTest : public PaneNeverLostTest {};

// A docked tab floated off and double-clicked on its frame's caption goes
// back as a tab of the tabbed pane it came from, not beside it.
TEST_F(PaneBackAsTabTest, AFloatingFormerTabDoubleClickedGoesBackAsATab)
{
    CKGPDockingControlBar* a = Add(2441, _T("First"));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* b = Add(2442, _T("Second"));
    ASSERT_EQ(b, b->AttachToTabWnd(a, KGP_DM_SHOW, TRUE));
    CKGPBaseControlBar* tabbed = b->GetParentTabbedBar();
    ASSERT_NE(nullptr, tabbed);
    frame.RecalcLayout();

    ASSERT_TRUE(b->FloatBar(CRect(320, 160, 500, 320), KGP_DM_UNKNOWN, true));
    CKGPMiniFrameWnd* floating = b->GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, floating);
    EXPECT_FALSE(b->IsTabbed());
    ExpectEveryPaneShown("floated off its tabbed pane", {tabbed});

    floating->DockOnDoubleClick();
    keyloft_test::Pump(20);
    ASSERT_TRUE(b->IsTabbed());
    EXPECT_EQ(tabbed, b->GetParentTabbedBar());
    EXPECT_EQ(nullptr, b->GetParentMiniFrame(TRUE));
    EXPECT_EQ(nullptr, b->GetDefaultPaneSlider());
    ExpectEveryPaneShown("back as a tab", {tabbed});
}

} // namespace
