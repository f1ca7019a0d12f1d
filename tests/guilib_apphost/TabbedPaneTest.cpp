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
        user.Drag(tabRect.CenterPoint(), drop, 16);
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

namespace {

// The tabbed pane of Files and Classes dragged by its caption off its edge,
// over the documents and onto the centre marker shown there, and let go;
// whether the marker showed.
bool DropFilesAndClassesOnTheDocumentsCentreMarker(CHostMainFrame& frame, CPoint caption)
{
    const CPoint documents = apphost::ScreenRect(frame.m_hWndMDIClient).CenterPoint();
    bool groupShown = false;
    const bool ended = apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(caption);
        user.Press();
        user.DragTo(caption + CSize(-40, 0), 6);
        user.DragTo(documents + CSize(0, 60), 12);
        groupShown = user.WaitFor([] { return !apphost::ShownTopLevels(L"KGPSmartDockingGroup").empty(); });
        if (groupShown) {
            const CRect group = apphost::ScreenRect(apphost::ShownTopLevels(L"KGPSmartDockingGroup").front());
            user.DragTo(group.CenterPoint(), 6);
            user.Pause(200);
        }
        user.Release();
    });
    return ended && groupShown;
}

} // namespace

// A tabbed pane let go on the centre marker over the documents makes a
// tabbed document of its active pane; where the frame makes none, the pane
// stays its tab (it used to be taken out of the tabbed pane first and left
// in no host at all).
TEST_F(AppHostTest, ATabbedPaneDroppedAsADocumentKeepsItsPaneWhenTheFrameMakesNone)
{
    CHostMainFrame& frame = Frame();
    CKGPDockingControlBar& classes = frame.m_wndClasses;
    auto* tabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, classes.GetParentTabbedBar());
    ASSERT_NE(nullptr, tabbed);
    ASSERT_EQ(classes.GetSafeHwnd(), tabbed->GetTabWnd()->GetActiveWnd()->GetSafeHwnd());
    const HWND hTabbed = tabbed->GetSafeHwnd();
    const CPoint caption = CaptionPoint(*tabbed);
    ASSERT_NE(CPoint(-1, -1), caption);

    const CRect documentsBefore = apphost::ScreenRect(frame.m_hWndMDIClient);
    frame.m_bRefusePaneDocuments = TRUE;
    ASSERT_TRUE(DropFilesAndClassesOnTheDocumentsCentreMarker(frame, caption));
    apphost::PumpFor(100);
    ASSERT_TRUE(::IsWindow(hTabbed));
    EXPECT_EQ(tabbed, classes.GetParentTabbedBar()) << "still its tab";
    EXPECT_EQ(2, tabbed->GetTabWnd()->GetTabsNum());
    EXPECT_EQ(tabbed, frame.m_wndFiles.GetParentTabbedBar());
    EXPECT_FALSE(classes.IsShownAsDocument());
    EXPECT_TRUE(apphost::IsShown(classes)) << "where the user sees it";
    EXPECT_TRUE(apphost::ShownTopLevels(L"KGPSmartDockingGroup").empty()) << "the markers gone";
    EXPECT_NE(nullptr, tabbed->GetParentMiniFrame(TRUE)) << "floating where it was let go";
    EXPECT_GT(apphost::ScreenRect(frame.m_hWndMDIClient).Width(), documentsBefore.Width())
        << "the documents take the place it left";
    apphost::Screenshot(L"apphost_tabbed_pane_kept.bmp");

    // Where the frame makes documents of panes, the same drop makes one of
    // the active pane; the other stays in the tabbed pane.
    frame.m_bRefusePaneDocuments = FALSE;
    const CPoint again = CaptionPoint(*tabbed);
    ASSERT_NE(CPoint(-1, -1), again);
    ASSERT_TRUE(DropFilesAndClassesOnTheDocumentsCentreMarker(frame, again));
    EXPECT_TRUE(apphost::WaitUntil([&] { return classes.IsShownAsDocument() != FALSE; })) << "a tabbed document";
    EXPECT_EQ(nullptr, classes.GetParentTabbedBar());
    EXPECT_EQ(tabbed, frame.m_wndFiles.GetParentTabbedBar());
}

