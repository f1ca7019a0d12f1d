// The drag outline over a tabbed pane: a placeholder tab stands in the
// pane's tab strip while the cursor is over it (hidden while the markers
// run), and whatever way the drag ends, leaves or is cancelled, the pane is
// left with exactly its old tabs and its old active tab.
#include <gtest/gtest.h>

#include "guilib/docking/KGPBaseTabbedBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPDragFrameImpl.h"
#include "guilib/docking/KGPDummyDockingControlBar.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPSmartDockingManager.h"
#include "guilib/tabs/KGPBaseTabWnd.h"
#include "tests/guilib_docking/DockLayoutSnapshot.h"
#include "tests/guilib_docking/DockingTestFrame.h"
#include "tests/guilib_docking/PaneTestSupport.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

#include <vector>

namespace {

using namespace docking_test;

std::vector<HWND> TabsOf(CKGPBaseTabbedBar* tabbed)
{
    std::vector<HWND> tabs;
    CKGPBaseTabWnd* wnd = tabbed->GetTabWnd();
    for (int i = 0; i < wnd->GetTabsNum(); ++i)
        tabs.push_back(wnd->GetTabWnd(i)->GetSafeHwnd());
    return tabs;
}

class DragFrameTabPreviewTest : public PaneFrameFixture<CTestFrame> {
protected:
    // Two panes tabbed at the bottom (the first active) and a third floating
    // over the view, to drag.
    void SetUp() override
    {
        PaneFrameFixture<CTestFrame>::SetUp();
        first = Add(2301, _T("Output"), CSize(300, 200));
        ASSERT_TRUE(first->DockToWindow(CBRS_ALIGN_BOTTOM, nullptr));
        second = Add(2302, _T("Watch"));
        CKGPDockingControlBar* made = nullptr;
        ASSERT_NE(nullptr, second->AttachToTabWnd(first, KGP_DM_UNKNOWN, FALSE, &made));
        tabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, made);
        ASSERT_NE(nullptr, tabbed);
        dragged = Add(2303, _T("Dragged"), CSize(160, 120));
        ASSERT_TRUE(dragged->DockToWindow(CBRS_ALIGN_RIGHT, nullptr));
        frame.RecalcLayout();
        oldTabs = TabsOf(tabbed);
        oldActive = tabbed->GetTabWnd()->GetActiveTab();
        ASSERT_EQ(2u, oldTabs.size());
    }
    CPoint OnTabbedCaption()
    {
        CRect rect;
        tabbed->GetWindowRect(rect);
        return CPoint(rect.left + 100, rect.top + tabbed->GetCaptionHeight() / 2);
    }
    CPoint OverView()
    {
        CRect view = frame.ViewRect();
        frame.ClientToScreen(view);
        return view.CenterPoint();
    }
    static void MoveTo(CKGPDragFrameImpl& outline, CPoint at)
    {
        ::SetCursorPos(at.x, at.y);
        outline.MoveDragFrame(TRUE);
    }
    // The tabbed pane as it was before the drag, and the layout sound.
    void ExpectOldTabs(const char* step)
    {
        EXPECT_EQ(oldTabs, TabsOf(tabbed)) << step;
        EXPECT_EQ(oldActive, tabbed->GetTabWnd()->GetActiveTab()) << step;
        ExpectSoundLayout(*frame.GetDockManager(), {first, second, tabbed, dragged}, step);
    }
    // The dragged pane joined as the last tab, active, and no placeholder left.
    void ExpectJoinedAsLastTab(const char* step)
    {
        std::vector<HWND> expected = oldTabs;
        expected.push_back(dragged->GetSafeHwnd());
        EXPECT_EQ(expected, TabsOf(tabbed)) << step;
        EXPECT_EQ(2, tabbed->GetTabWnd()->GetActiveTab()) << step;
        EXPECT_FALSE(dragged->IsFloating()) << step;
        ExpectSoundLayout(*frame.GetDockManager(), {first, second, tabbed, dragged}, step);
    }

    CKGPDockingControlBar* first = nullptr;
    CKGPDockingControlBar* second = nullptr;
    CKGPDockingControlBar* dragged = nullptr;
    CKGPBaseTabbedBar* tabbed = nullptr;
    std::vector<HWND> oldTabs;
    int oldActive = -1;
};

TEST_F(DragFrameTabPreviewTest, APreviewTabFollowsTheCursorOverTheTabbedPaneAndLeavesNothingBehind)
{
    ASSERT_TRUE(dragged->FloatBar(CRect(300, 60, 460, 180)));
    CKGPMiniFrameWnd* floating = dragged->GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, floating);
    CKGPDragFrameImpl outline;
    outline.Init(floating);
    ::SetCursorPos(OverView().x, OverView().y);
    outline.StartDrag(OverView());

    // Over the tabbed pane's caption: one placeholder tab, after the others,
    // named as the dragged pane; the active tab stays; no outline is drawn.
    MoveTo(outline, OnTabbedCaption());
    ASSERT_TRUE(outline.IsTabPreviewShown());
    EXPECT_EQ(tabbed, outline.GetTabPreviewTarget());
    EXPECT_FALSE(outline.IsTabShapeShown());
    EXPECT_TRUE(outline.IsFrameShown());
    EXPECT_TRUE(outline.IsDropAsTab());
    CKGPDummyDockingControlBar* placeholder = outline.GetPlaceholder();
    ASSERT_NE(nullptr, placeholder);
    CKGPBaseTabWnd* tabs = tabbed->GetTabWnd();
    EXPECT_EQ(3, tabs->GetTabsNum());
    EXPECT_EQ(2, outline.GetPreviewTabIndex());
    EXPECT_EQ(placeholder, tabs->GetTabWnd(2));
    EXPECT_EQ(tabs, placeholder->GetParent());
    CString text, label;
    placeholder->GetWindowText(text);
    EXPECT_EQ(CString(), text);
    tabs->GetTabLabel(2, label);
    EXPECT_EQ(CString(_T("Dragged")), label);
    EXPECT_EQ(oldActive, tabs->GetActiveTab());
    keyloft_test::Pump(50);
    CRect shot;
    tabbed->GetWindowRect(shot);
    keyloft_test::SaveScreenArea(shot, L"drag-frame-tab-preview.bmp");

    // Moving over the same pane adds no second tab.
    MoveTo(outline, OnTabbedCaption() + CSize(30, 0));
    EXPECT_EQ(3, tabs->GetTabsNum());

    // Away from it: the tab goes, the outline is drawn, the placeholder waits hidden.
    MoveTo(outline, OverView());
    EXPECT_FALSE(outline.IsTabPreviewShown());
    EXPECT_EQ(-1, outline.GetPreviewTabIndex());
    EXPECT_TRUE(outline.IsFrameShown());
    EXPECT_EQ(tabbed->GetSafeHwnd(), outline.GetPreviousTarget());
    EXPECT_FALSE(placeholder->IsWindowVisible());
    EXPECT_EQ(&frame, placeholder->GetParent());
    ExpectOldTabs("the cursor left the tabbed pane");

    // Back over it, then the drag is cancelled: the same placeholder, gone again.
    MoveTo(outline, OnTabbedCaption());
    ASSERT_TRUE(outline.IsTabPreviewShown());
    EXPECT_EQ(placeholder, outline.GetPlaceholder());
    outline.EndDrawDragFrame(FALSE); // a drop being docked keeps it
    EXPECT_TRUE(outline.IsTabPreviewShown());
    outline.EndDrawDragFrame(TRUE);
    EXPECT_FALSE(outline.IsTabPreviewShown());
    EXPECT_FALSE(outline.IsFrameShown());
    ExpectOldTabs("the drag cancelled over the tabbed pane");

    // An outline that goes while its preview shows takes the tab and the
    // placeholder with it.
    HWND hPlaceholder = nullptr;
    {
        CKGPDragFrameImpl other;
        other.Init(floating);
        other.StartDrag(OverView());
        MoveTo(other, OnTabbedCaption());
        ASSERT_TRUE(other.IsTabPreviewShown());
        hPlaceholder = other.GetPlaceholder()->GetSafeHwnd();
    }
    EXPECT_FALSE(::IsWindow(hPlaceholder));
    ExpectOldTabs("the outline went during its preview");
}

TEST_F(DragFrameTabPreviewTest, WhileTheMarkersRunThePreviewTabIsHiddenAndThePlaceMarkerTakesTheShape)
{
    ASSERT_TRUE(dragged->FloatBar(CRect(300, 60, 460, 180)));
    CKGPMiniFrameWnd* floating = dragged->GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, floating);
    CKGPDockManager& manager = *frame.GetDockManager();
    CKGPSmartDockingManager* smart = manager.GetSmartDockingManagerPermanent();
    ASSERT_NE(nullptr, smart);
    CRect outer;
    manager.GetOuterDockRect(outer);
    frame.ClientToScreen(outer);
    smart->SetOuterRect(outer);
    smart->Start(floating);
    smart->SetHotMarker(kgp::smartdock::kGroupCentre);

    CKGPDragFrameImpl outline;
    outline.Init(floating);
    outline.StartDrag(OverView());
    MoveTo(outline, OnTabbedCaption());
    ASSERT_TRUE(outline.IsTabPreviewShown());
    CKGPBaseTabWnd* tabs = tabbed->GetTabWnd();
    EXPECT_EQ(3, tabs->GetTabsNum());
    EXPECT_FALSE(tabs->IsTabVisible(outline.GetPreviewTabIndex()));
    EXPECT_EQ(2, tabs->GetVisibleTabsNum());
    EXPECT_FALSE(outline.GetPlaceholder()->IsWindowVisible());
    EXPECT_TRUE(smart->GetPlaceMarker().IsShown());
    EXPECT_TRUE(smart->GetPlaceMarker().IsTabbedShape());

    outline.EndDrawDragFrame(TRUE);
    EXPECT_FALSE(smart->GetPlaceMarker().IsShown());
    smart->Stop();
    EXPECT_FALSE(manager.IsRecalcSuspended());
    ExpectOldTabs("the markers' drag ended");
}

TEST_F(DragFrameTabPreviewTest, ADockedPaneDroppedOnThePreviewBecomesTheActiveTabAndDroppedElsewhereFloats)
{
    dragged->SetDockingMode(KGP_DOCK_DRAGFRAME);
    auto drag = [&](CPoint to) {
        CRect window;
        dragged->GetWindowRect(window);
        const CPoint grip(window.left + 20, window.top + dragged->GetCaptionHeight() / 2);
        MouseAt(dragged, WM_LBUTTONDOWN, grip);
        MouseAt(dragged, WM_MOUSEMOVE, grip + CSize(20, 20));
        MouseAt(dragged, WM_MOUSEMOVE, to);
    };

    // Released away from every docking place: it floats, the tabs untouched.
    drag(OverView());
    EXPECT_EQ(oldTabs, TabsOf(tabbed));
    MouseAt(dragged, WM_LBUTTONUP, OverView(), 0);
    keyloft_test::Pump(30);
    EXPECT_TRUE(dragged->IsFloating());
    ExpectOldTabs("dropped over the view");

    // Docked again, then released on the tabbed pane's caption: the new
    // active tab, after the old ones, and no placeholder left.
    ASSERT_TRUE(dragged->DockToWindow(CBRS_ALIGN_RIGHT, nullptr));
    frame.RecalcLayout();
    drag(OnTabbedCaption());
    ASSERT_EQ(3, tabbed->GetTabWnd()->GetTabsNum()) << "the preview tab shows";
    MouseAt(dragged, WM_LBUTTONUP, OnTabbedCaption(), 0);
    keyloft_test::Pump(30);
    ExpectJoinedAsLastTab("a docked pane dropped on the preview");
}

TEST_F(DragFrameTabPreviewTest, AFloatingPaneDroppedOnThePreviewBecomesATab)
{
    dragged->SetDockingMode(KGP_DOCK_DRAGFRAME);
    ASSERT_TRUE(dragged->FloatBar(CRect(300, 60, 460, 180)));
    CKGPMiniFrameWnd* floating = dragged->GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, floating);
    CRect window;
    floating->GetWindowRect(window);
    const CPoint grip(window.left + 30, window.top + floating->GetCaptionHeight() / 2);
    MouseAt(floating, WM_LBUTTONDOWN, grip);
    MouseAt(floating, WM_MOUSEMOVE, grip + CSize(20, 20));
    MouseAt(floating, WM_MOUSEMOVE, OnTabbedCaption());
    ASSERT_EQ(3, tabbed->GetTabWnd()->GetTabsNum()) << "the preview tab shows";
    MouseAt(floating, WM_LBUTTONUP, OnTabbedCaption(), 0);
    keyloft_test::Pump(30);
    ExpectJoinedAsLastTab("a floating pane dropped on the preview");
}

} // namespace
