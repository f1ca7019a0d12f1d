// The drag outline over a tabbed pane: a placeholder tab stands in the
// pane's tab strip while the cursor is over it (hidden while the markers
// run); however the drag ends, the pane keeps exactly its old tabs and
// active tab, or gains the dropped pane as its last, active tab.
#include <gtest/gtest.h>

#include "guilib/docking/KGPDragFrameImpl.h"
#include "guilib/docking/KGPDummyDockingControlBar.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPSmartDockingManager.h"
#include "tests/guilib_docking/DockLayoutSnapshot.h"
#include "tests/guilib_docking/DockingTestFrame.h"
#include "tests/support/WindowCapture.h"

namespace {

using namespace docking_test;

class DragFrameTabPreviewTest : public PaneFrameFixture<CTestFrame> {
protected:
    // Two panes tabbed at the bottom (the first active) and a third, floating
    // over the view, to drag.
    void SetUp() override
    {
        PaneFrameFixture<CTestFrame>::SetUp();
        first = Add(2301, _T("Output"), CSize(300, 200));
        ASSERT_TRUE(first->DockToWindow(CBRS_ALIGN_BOTTOM, nullptr));
        CKGPDockingControlBar* made = nullptr;
        ASSERT_NE(nullptr, Add(2302, _T("Watch"))->AttachToTabWnd(first, KGP_DM_UNKNOWN, FALSE, &made));
        tabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, made);
        ASSERT_NE(nullptr, tabbed);
        dragged = Add(2303, _T("Dragged"), CSize(160, 120));
        ASSERT_TRUE(dragged->FloatBar(CRect(300, 60, 460, 180)));
        floating = dragged->GetParentMiniFrame(TRUE);
        ASSERT_NE(nullptr, floating);
        oldTabs = Tabs();
        ASSERT_EQ(2u, oldTabs.size());
    }
    std::vector<HWND> Tabs()
    {
        std::vector<HWND> tabs;
        for (int i = 0; i < tabbed->GetTabWnd()->GetTabsNum(); ++i)
            tabs.push_back(tabbed->GetTabWnd()->GetTabWnd(i)->GetSafeHwnd());
        return tabs;
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
    // With the dragged pane joined, the tabs expected end with it, active.
    void ExpectTabs(bool joined, const char* step)
    {
        std::vector<HWND> expected = oldTabs;
        if (joined)
            expected.push_back(dragged->GetSafeHwnd());
        EXPECT_EQ(expected, Tabs()) << step;
        EXPECT_EQ(joined ? 2 : oldActive, tabbed->GetTabWnd()->GetActiveTab()) << step;
        EXPECT_EQ(!joined, dragged->IsFloating() != FALSE) << step;
        ExpectSoundLayout(*frame.GetDockManager(), {first, tabbed, dragged, panes[1].get()}, step);
    }
    // Drags by the caption to a point with the mouse, in outline mode.
    void DragTo(CWnd* by, CPoint to)
    {
        dragged->SetDockingMode(KGP_DOCK_DRAGFRAME);
        CRect window;
        by->GetWindowRect(window);
        const CPoint grip(window.left + 30, window.top + dragged->GetCaptionHeight() / 2);
        MouseAt(by, WM_LBUTTONDOWN, grip);
        MouseAt(by, WM_MOUSEMOVE, grip + CSize(20, 20));
        MouseAt(by, WM_MOUSEMOVE, to);
    }
    // Docks the dragged pane at the right, then drags it to a point and drops it there.
    void DropDockedPane(CPoint at)
    {
        ASSERT_TRUE(dragged->DockToWindow(CBRS_ALIGN_RIGHT, nullptr));
        frame.RecalcLayout();
        DragTo(dragged, at);
        MouseAt(dragged, WM_LBUTTONUP, at, 0);
        keyloft_test::Pump(30);
    }

    CKGPDockingControlBar* first = nullptr;
    CKGPDockingControlBar* dragged = nullptr;
    CKGPMiniFrameWnd* floating = nullptr;
    CKGPBaseTabbedBar* tabbed = nullptr;
    std::vector<HWND> oldTabs;
    int oldActive = 0;
};

TEST_F(DragFrameTabPreviewTest, APreviewTabFollowsTheCursorOverTheTabbedPaneAndLeavesNothingBehind)
{
    CKGPDragFrameImpl outline;
    outline.Init(floating);
    outline.StartDrag(OverView());

    // Over the caption: one tab after the others, named as the dragged pane,
    // the active tab kept, no outline drawn; moving on adds no second one.
    MoveTo(outline, OnTabbedCaption());
    MoveTo(outline, OnTabbedCaption() + CSize(30, 0));
    ASSERT_EQ(tabbed, outline.GetTabPreviewTarget());
    CKGPDummyDockingControlBar* placeholder = outline.GetPlaceholder();
    ASSERT_NE(nullptr, placeholder);
    CKGPBaseTabWnd* tabs = tabbed->GetTabWnd();
    std::vector<HWND> withPreview = oldTabs;
    withPreview.push_back(placeholder->GetSafeHwnd());
    EXPECT_EQ(withPreview, Tabs());
    EXPECT_EQ(2, outline.GetPreviewTabIndex());
    CString label;
    tabs->GetTabLabel(2, label);
    EXPECT_EQ(CString(_T("Dragged")), label);
    EXPECT_EQ(0, tabs->GetActiveTab());
    EXPECT_FALSE(outline.IsTabShapeShown());
    keyloft_test::Pump(50);
    CRect shot;
    tabbed->GetWindowRect(shot);
    keyloft_test::SaveScreenArea(shot, L"drag-frame-tab-preview.bmp");

    // Away from it: the tab goes and the outline is drawn.
    MoveTo(outline, OverView());
    EXPECT_FALSE(outline.IsTabPreviewShown());
    EXPECT_TRUE(outline.IsFrameShown());
    EXPECT_EQ(tabbed->GetSafeHwnd(), outline.GetPreviousTarget());
    EXPECT_FALSE(placeholder->IsWindowVisible());
    ExpectTabs(false, "the cursor left the tabbed pane");

    // Back over it (the same placeholder), then cancelled; a drop being
    // docked keeps it until the end.
    MoveTo(outline, OnTabbedCaption());
    EXPECT_EQ(placeholder, outline.GetPlaceholder());
    outline.EndDrawDragFrame(FALSE);
    EXPECT_TRUE(outline.IsTabPreviewShown());
    outline.EndDrawDragFrame(TRUE);
    EXPECT_FALSE(outline.IsFrameShown());
    ExpectTabs(false, "the drag cancelled over the tabbed pane");

    // An outline that goes during its preview takes the tab and the placeholder.
    HWND hPlaceholder = nullptr;
    {
        CKGPDragFrameImpl other;
        other.Init(floating);
        MoveTo(other, OnTabbedCaption());
        ASSERT_TRUE(other.IsTabPreviewShown());
        hPlaceholder = other.GetPlaceholder()->GetSafeHwnd();
    }
    EXPECT_FALSE(::IsWindow(hPlaceholder));
    ExpectTabs(false, "the outline went during its preview");
}

TEST_F(DragFrameTabPreviewTest, WhileTheMarkersRunThePreviewTabIsHiddenAndThePlaceMarkerTakesTheShape)
{
    CKGPDockManager& manager = *frame.GetDockManager();
    CKGPSmartDockingManager* smart = manager.GetSmartDockingManagerPermanent();
    ASSERT_NE(nullptr, smart);
    CRect outer;
    manager.GetOuterDockRect(outer);
    frame.ClientToScreen(outer);
    smart->SetOuterRect(outer);
    smart->Start(floating);
    CKGPDragFrameImpl outline;
    outline.Init(floating);
    MoveTo(outline, OnTabbedCaption());
    ASSERT_TRUE(outline.IsTabPreviewShown());
    EXPECT_FALSE(tabbed->GetTabWnd()->IsTabVisible(outline.GetPreviewTabIndex()));
    EXPECT_EQ(2, tabbed->GetTabWnd()->GetVisibleTabsNum());
    EXPECT_TRUE(smart->GetPlaceMarker().IsTabbedShape());

    outline.EndDrawDragFrame(TRUE);
    EXPECT_FALSE(smart->GetPlaceMarker().IsShown());
    smart->Stop();
    EXPECT_FALSE(manager.IsRecalcSuspended());
    ExpectTabs(false, "the markers' drag ended");
}

TEST_F(DragFrameTabPreviewTest, APaneDroppedOnThePreviewBecomesTheActiveTabAndDroppedElsewhereStaysOut)
{
    // A floating frame dropped on the preview.
    DragTo(floating, OnTabbedCaption());
    ASSERT_EQ(3u, Tabs().size()) << "the preview tab shows";
    MouseAt(floating, WM_LBUTTONUP, OnTabbedCaption(), 0);
    keyloft_test::Pump(30);
    ExpectTabs(true, "a floating pane dropped on the preview");

    // Docked elsewhere, dragged over the view and dropped: it floats.
    ASSERT_TRUE(tabbed->DetachBar(dragged));
    ASSERT_TRUE(dragged->IsFloating());
    ASSERT_EQ(oldTabs, Tabs());
    oldActive = tabbed->GetTabWnd()->GetActiveTab();
    DropDockedPane(OverView());
    ExpectTabs(false, "a docked pane dropped over the view");

    // Docked again and dropped on the preview.
    DropDockedPane(OnTabbedCaption());
    ExpectTabs(true, "a docked pane dropped on the preview");
}

} // namespace
