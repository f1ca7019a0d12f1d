// The trees of the frame's edges when the frame is too small for them all:
// the panes keep their minimum sizes, and what then lies outside a tree's
// room is cut off from view by the windows' regions until the frame grows
// again; the whole layout checked after every step.
#include <gtest/gtest.h>

#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPSlider.h"
#include "tests/guilib_docking/DockLayoutSnapshot.h"
#include "tests/guilib_docking/DockingTestFrame.h"
#include "tests/guilib_docking/PaneTestSupport.h"

namespace {

using namespace docking_test;

class EdgeTreesShortOfRoomTest : public PaneFrameFixture<CTestFrame> {
protected:
    CKGPDockManager& Manager() { return *frame.GetDockManager(); }
    void ResizeFrame(int cx, int cy)
    {
        frame.SetWindowPos(HWND{}, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        frame.RecalcLayout();
    }
    // The part of a window its region leaves in view (screen), and whether it has a region.
    static bool VisiblePart(CWnd* pWnd, CRect& visible)
    {
        pWnd->GetWindowRect(visible);
        HRGN region = ::CreateRectRgn(0, 0, 0, 0);
        const int kind = ::GetWindowRgn(pWnd->GetSafeHwnd(), region);
        CRect box;
        if (kind != ERROR)
            ::GetRgnBox(region, &box);
        ::DeleteObject(region);
        if (kind == ERROR)
            return false;
        box.OffsetRect(visible.TopLeft());
        visible = box;
        return true;
    }
};

TEST_F(EdgeTreesShortOfRoomTest, PanesKeepTheirMinimumAndAreCutToTheRoomTheFrameLeaves)
{
    CKGPDockingControlBar* left = Add(2301, _T("Left"), CSize(260, 200), CSize(200, 60));
    ASSERT_TRUE(left->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* right = Add(2302, _T("Right"), CSize(260, 200), CSize(200, 60));
    ASSERT_TRUE(right->DockToWindow(CBRS_ALIGN_RIGHT, nullptr));
    frame.RecalcLayout();
    ExpectSoundLayout(Manager(), {left, right}, "both trees with room");
    CRect visible;
    EXPECT_FALSE(VisiblePart(right, visible));

    // Too narrow for both: the right pane keeps its minimum width, running
    // under the left tree, and only its part in its room shows.
    ResizeFrame(420, 400);
    ExpectSoundLayout(Manager(), {left, right}, "too narrow for both trees");
    CRect client;
    frame.GetClientRect(client);
    frame.ClientToScreen(client);
    CRect rightRect;
    right->GetWindowRect(rightRect);
    EXPECT_GE(rightRect.Width(), 200);
    EXPECT_EQ(client.right, rightRect.right); // it stays at its edge
    ASSERT_TRUE(VisiblePart(right, visible));
    EXPECT_LT(visible.Width(), 200);
    EXPECT_EQ(rightRect.right, visible.right);
    CRect leftRect;
    left->GetWindowRect(leftRect);
    EXPECT_LE(leftRect.right, visible.left); // the left tree stays in view

    // Wide again: the whole pane shows, without a region.
    ResizeFrame(640, 480);
    ExpectSoundLayout(Manager(), {left, right}, "wide again");
    EXPECT_FALSE(VisiblePart(right, visible));
    right->GetWindowRect(rightRect);
    frame.GetClientRect(client);
    frame.ClientToScreen(client);
    EXPECT_GE(rightRect.left, leftRect.right);
}

TEST_F(EdgeTreesShortOfRoomTest, AStackTallerThanTheFrameKeepsEveryPaneAtItsMinimum)
{
    CKGPDockingControlBar* top = Add(2311, _T("Top"), CSize(160, 200), CSize(60, 150));
    ASSERT_TRUE(top->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* middle = Add(2312, _T("Middle"), CSize(160, 200), CSize(60, 150));
    ASSERT_TRUE(middle->DockToBar(top, CBRS_ALIGN_BOTTOM));
    CKGPDockingControlBar* bottom = Add(2313, _T("Bottom"), CSize(160, 200), CSize(60, 150));
    ASSERT_TRUE(bottom->DockToBar(middle, CBRS_ALIGN_BOTTOM));
    ResizeFrame(640, 300);
    ExpectSoundLayout(Manager(), {top, middle, bottom}, "three panes of 150 in a frame of 300");
    CRect rect;
    bottom->GetWindowRect(rect);
    EXPECT_GE(rect.Height(), 150);
    CRect visible;
    ASSERT_TRUE(VisiblePart(bottom, visible));
    EXPECT_LT(visible.Height(), rect.Height());

    ResizeFrame(640, 640);
    ExpectSoundLayout(Manager(), {top, middle, bottom}, "tall enough again");
    EXPECT_FALSE(VisiblePart(bottom, visible));
}

} // namespace
