// A pane dragged by its tab out of a tabbed pane floats where it is let go,
// in a floating frame the user sees: shown, over the main frame, and still
// over it once the user clicks back into the frame.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPBaseTabbedBar.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/tabs/KGPBaseTabWnd.h"

TEST_F(AppHostTest, APaneDraggedOutOfATabbedPaneFloatsOverTheFrame)
{
    CHostMainFrame& frame = Frame();
    // The active tab of the pair (the one whose page shows) is dragged out.
    CKGPDockingControlBar& pane = frame.m_wndClasses;
    auto* tabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, pane.GetParentTabbedBar());
    ASSERT_NE(nullptr, tabbed);
    CKGPBaseTabWnd* tabs = tabbed->GetTabWnd();
    const int tab = tabs->GetTabFromHwnd(pane.GetSafeHwnd());
    ASSERT_EQ(tabs->GetActiveTab(), tab);
    CRect tabRect;
    ASSERT_TRUE(tabs->GetTabRect(tab, tabRect));
    tabs->ClientToScreen(tabRect);
    // Over the documents, below the centre marker shown there (released on
    // that marker the pane would become a tabbed document).
    const CPoint drop = apphost::ScreenRect(frame.m_hWndMDIClient).CenterPoint() + CSize(0, 70);

    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(tabRect.CenterPoint());
        user.Pause(50);
        user.Press();
        user.DragTo(drop, 16);
        user.Pause(100);
        user.Release();
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return pane.GetParentMiniFrame(TRUE) != nullptr; })) << "it floats";
    const HWND floating = pane.GetParentMiniFrame(TRUE)->GetSafeHwnd();
    EXPECT_FALSE(pane.IsTabbed());
    EXPECT_TRUE(apphost::IsShown(floating));
    EXPECT_TRUE(apphost::IsAbove(floating, frame.GetSafeHwnd())) << "stacked over the frame";
    EXPECT_TRUE(apphost::ShowsAt(floating, apphost::ScreenRect(pane).CenterPoint()))
        << "the pane is what shows where it floats";
    // Where it was let go (its last step may come after the release: a step
    // of the drag's length is allowed).
    CRect around = apphost::ScreenRect(floating);
    around.InflateRect(24, 24);
    EXPECT_TRUE(around.PtInRect(drop)) << "where it was let go";
    // The other pane stays docked where the pair stood.
    EXPECT_TRUE(apphost::IsShown(frame.m_wndFiles));
    EXPECT_EQ(nullptr, frame.m_wndFiles.GetParentMiniFrame(TRUE));

    // A click back into the frame leaves the floating pane over it.
    const CPoint note = apphost::ScreenRect(frame.m_hWndMDIClient).TopLeft() + CSize(20, 40);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(note); }));
    EXPECT_TRUE(apphost::IsAbove(floating, frame.GetSafeHwnd())) << "still over the frame";
    apphost::Screenshot(L"apphost_tab_torn_out.bmp");
}
