// Panes dropped by the mouse where the application's user drops them: a
// floating pane dragged as an outline and released on a tabbed pane's tab
// strip joins it as a tab (the outline showed a tab there).
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPBaseTabbedBar.h"
#include "guilib/docking/KGPMiniFrameWnd.h"

TEST_F(AppHostTest, AFloatingPaneReleasedOnATabStripBecomesATab)
{
    CHostMainFrame& frame = Frame();
    CKGPBaseControlBar* tabbed = frame.m_wndFiles.GetParentTabbedBar();
    ASSERT_NE(nullptr, tabbed);
    const CRect client = apphost::ScreenRect(frame.m_hWndMDIClient);
    frame.m_wndOutput.SetDockingMode(KGP_DOCK_DRAGFRAME);
    ASSERT_TRUE(frame.m_wndOutput.FloatBar(CRect(client.CenterPoint(), CSize(220, 160))));
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::IsShown(*frame.m_wndOutput.GetParentMiniFrame(TRUE)); }));

    CRect top, bottom;
    static_cast<CKGPBaseTabbedBar*>(tabbed)->GetTabArea(top, bottom);
    const CRect strip = bottom.IsRectEmpty() ? top : bottom;
    ASSERT_FALSE(strip.IsRectEmpty());
    const CPoint onStrip(strip.right - 20, strip.CenterPoint().y); // past the tabs, in the strip
    const CPoint caption = CaptionPoint(frame.m_wndOutput);
    ASSERT_NE(CPoint(-1, -1), caption);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(caption);
        user.Press();
        user.DragTo(onStrip, 16);
        user.Pause(300);
        user.Release();
    }));
    EXPECT_TRUE(apphost::WaitUntil([&] { return frame.m_wndOutput.GetParentTabbedBar() == tabbed; }))
        << "docked as a tab of the pane whose strip it was released on";
    EXPECT_EQ(nullptr, frame.m_wndOutput.GetParentMiniFrame(TRUE));
    EXPECT_TRUE(frame.m_wndWatch.IsWindowVisible()) << "its neighbour at the bottom stays";
    apphost::Screenshot(L"apphost_pane_dropped_on_tab_strip.bmp");
}
