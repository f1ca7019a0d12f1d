// Panes dropped by the mouse where the application's user drops them: a
// floating pane dragged (as an outline, or itself with the markers) and
// released on a tabbed pane's tab strip joins it as a tab.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPBaseTabbedBar.h"
#include "guilib/docking/KGPMiniFrameWnd.h"

namespace {

class TabStripDropTest : public AppHostTest {
protected:
    // A floating Output dragged by its caption onto the Files pane's tab
    // strip (past the tabs) and released there, in the docking mode given.
    // markersOverStrip: whether the markers stood over the strip just before
    // the release.
    static void DropOutputOnTheFilesStrip(int mode, LPCWSTR screenshot, bool& markersOverStrip);
};

void TabStripDropTest::DropOutputOnTheFilesStrip(int mode, LPCWSTR screenshot, bool& markersOverStrip)
{
    CHostMainFrame& frame = Frame();
    CKGPBaseControlBar* tabbed = frame.m_wndFiles.GetParentTabbedBar();
    ASSERT_NE(nullptr, tabbed);
    const CRect client = apphost::ScreenRect(frame.m_hWndMDIClient);
    frame.m_wndOutput.SetDockingMode(mode);
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
        markersOverStrip = !apphost::ShownTopLevels(L"KGPSmartDockingMarker").empty() ||
                           !apphost::ShownTopLevels(L"KGPSmartDockingGroup").empty();
        user.Release();
    }));
    EXPECT_TRUE(apphost::WaitUntil([&] { return frame.m_wndOutput.GetParentTabbedBar() == tabbed; }))
        << "docked as a tab of the pane whose strip it was released on";
    EXPECT_EQ(nullptr, frame.m_wndOutput.GetParentMiniFrame(TRUE));
    EXPECT_TRUE(frame.m_wndWatch.IsWindowVisible()) << "its neighbour at the bottom stays";
    apphost::Screenshot(screenshot);
}

} // namespace

TEST_F(TabStripDropTest, AFloatingPaneReleasedOnATabStripBecomesATab)
{
    bool markers = false;
    DropOutputOnTheFilesStrip(KGP_DOCK_DRAGFRAME, L"apphost_pane_dropped_on_tab_strip.bmp", markers);
}

TEST_F(TabStripDropTest, AFloatingPaneReleasedOnATabStripWithTheMarkersBecomesATab)
{
    // The host's mode: the frame follows the mouse, with the markers.
    bool markers = true;
    DropOutputOnTheFilesStrip(0, L"apphost_pane_dropped_on_tab_strip_smart.bmp", markers);
    EXPECT_FALSE(markers) << "over a tab strip the tab is offered, not the markers";
}

namespace {

// The host's docking mode (the frame follows the mouse, with markers):
// Watch floats and is dragged by its caption to a point of Output, then on
// the way as the script says, and released.
struct TabDropSeen {
    bool markersOverCaption = true; // any marker shown while over Output's caption
    bool frameStayed = false;       // the floating frame did not follow the mouse there
};

} // namespace

TEST_F(AppHostTest, AFloatingPaneReleasedOnADockedPanesCaptionBecomesItsTab)
{
    CHostMainFrame& frame = Frame();
    CKGPDockingControlBar& watch = frame.m_wndWatch;
    CKGPDockingControlBar& output = frame.m_wndOutput;
    const CRect client = apphost::ScreenRect(frame.m_hWndMDIClient);
    ASSERT_TRUE(watch.FloatBar(CRect(client.CenterPoint() - CSize(100, 120), CSize(200, 150))));
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::IsShown(*watch.GetParentMiniFrame(TRUE)); }));
    const CPoint caption = CaptionPoint(watch);
    const CPoint onCaption = CaptionPoint(output);
    ASSERT_NE(CPoint(-1, -1), onCaption);

    TabDropSeen seen;
    CRect frameOver;
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(caption);
        user.Press();
        user.DragTo(caption + CSize(30, 30), 4);
        user.WaitFor([] { return !apphost::ShownTopLevels(L"KGPSmartDockingMarker").empty(); });
        user.DragTo(onCaption, 12);
        user.Pause(200);
        seen.markersOverCaption = !apphost::ShownTopLevels(L"KGPSmartDockingMarker").empty() ||
                                  !apphost::ShownTopLevels(L"KGPSmartDockingGroup").empty();
        user.Release();
    }));
    EXPECT_FALSE(seen.markersOverCaption) << "over a pane's caption the tab is offered, not the markers";
    EXPECT_TRUE(apphost::WaitUntil([&] { return watch.IsTabbed() && output.IsTabbed(); }))
        << "a tab of the pane it was released on";
    EXPECT_EQ(output.GetParentTabbedBar(), watch.GetParentTabbedBar());
    EXPECT_EQ(nullptr, watch.GetParentMiniFrame(TRUE));
    apphost::Screenshot(L"apphost_pane_dropped_on_caption.bmp");
}

TEST_F(AppHostTest, AFloatingPaneReleasedOnTheCentreMarkerOverAPaneBecomesItsTab)
{
    CHostMainFrame& frame = Frame();
    CKGPDockingControlBar& watch = frame.m_wndWatch;
    CKGPDockingControlBar& output = frame.m_wndOutput;
    const CRect client = apphost::ScreenRect(frame.m_hWndMDIClient);
    ASSERT_TRUE(watch.FloatBar(CRect(client.CenterPoint() - CSize(100, 120), CSize(200, 150))));
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::IsShown(*watch.GetParentMiniFrame(TRUE)); }));
    const CPoint caption = CaptionPoint(watch);
    const CRect body = apphost::ScreenRect(output);

    bool groupShown = false;
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(caption);
        user.Press();
        user.DragTo(caption + CSize(30, 30), 4);
        user.DragTo(CPoint(body.CenterPoint().x, body.bottom - 12), 12); // over Output, off its caption
        groupShown = user.WaitFor([] { return !apphost::ShownTopLevels(L"KGPSmartDockingGroup").empty(); });
        if (groupShown) {
            const CRect group = apphost::ScreenRect(apphost::ShownTopLevels(L"KGPSmartDockingGroup").front());
            user.DragTo(group.CenterPoint(), 6);
            user.Pause(200);
        }
        user.Release();
    }));
    ASSERT_TRUE(groupShown) << "the central markers stand over the pane under the cursor";
    EXPECT_TRUE(apphost::WaitUntil([&] { return watch.IsTabbed() && output.IsTabbed(); }))
        << "a tab of the pane under the centre marker";
    EXPECT_EQ(output.GetParentTabbedBar(), watch.GetParentTabbedBar());
    EXPECT_EQ(nullptr, watch.GetParentMiniFrame(TRUE));
}

TEST_F(AppHostTest, AFloatingPaneReleasedOnTheCentreMarkerOverTheDocumentsBecomesATabbedDocument)
{
    CHostMainFrame& frame = Frame();
    CKGPDockingControlBar& watch = frame.m_wndWatch;
    const CRect client = apphost::ScreenRect(frame.m_hWndMDIClient);
    ASSERT_TRUE(watch.FloatBar(CRect(client.TopLeft() + CSize(20, 60), CSize(200, 150))));
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::IsShown(*watch.GetParentMiniFrame(TRUE)); }));
    const CPoint caption = CaptionPoint(watch);

    bool groupShown = false;
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(caption);
        user.Press();
        user.DragTo(caption + CSize(30, 30), 4);
        user.DragTo(client.CenterPoint() + CSize(0, 40), 12); // over the documents, no pane there
        groupShown = user.WaitFor([] { return !apphost::ShownTopLevels(L"KGPSmartDockingGroup").empty(); });
        if (groupShown) {
            const CRect group = apphost::ScreenRect(apphost::ShownTopLevels(L"KGPSmartDockingGroup").front());
            user.DragTo(group.CenterPoint(), 6);
            user.Pause(200);
        }
        user.Release();
    }));
    ASSERT_TRUE(groupShown) << "the central markers stand over the documents' area";
    EXPECT_TRUE(apphost::WaitUntil([&] { return watch.IsShownAsDocument() != FALSE; })) << "a tabbed document";
    EXPECT_EQ(nullptr, watch.GetParentMiniFrame(TRUE));
    EXPECT_TRUE(apphost::ShownTopLevels(L"KGPSmartDockingGroup").empty()) << "the markers gone";
    apphost::Screenshot(L"apphost_pane_dropped_as_document.bmp");
}
