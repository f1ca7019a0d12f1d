// A pane dragged by its tab out of a tabbed pane floats where it is let go,
// in a floating frame the user sees: shown, over the main frame, and still
// over it once the user clicks back into the frame; let go on the centre
// marker over the documents, it is a tabbed document.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPBaseTabbedBar.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/frames/KGPMDIChildWnd.h"
#include "guilib/tabs/KGPBaseTabWnd.h"
#include "tests/guilib_apphost/HostInvariants.h"

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

// Classes dragged by its tab out of the tabbed pane it shares with Files,
// over the documents and let go on the centre marker shown there: it stands
// in a document window of the frame, Files alone where the pair stood, and
// the layout is sound (the host's checks took a pane shown as a document
// for one standing nowhere, as the monkey's seed 5 met it).
TEST_F(AppHostTest, APaneDraggedByItsTabOntoTheDocumentsCentreMarkerIsATabbedDocument)
{
    CHostMainFrame& frame = Frame();
    CKGPDockingControlBar& classes = frame.m_wndClasses;
    auto* tabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, classes.GetParentTabbedBar());
    ASSERT_NE(nullptr, tabbed);
    ASSERT_EQ(tabbed, frame.m_wndFiles.GetParentTabbedBar());
    CKGPBaseTabWnd* tabs = tabbed->GetTabWnd();
    CRect tabRect;
    ASSERT_TRUE(tabs->GetTabRect(tabs->GetTabFromHwnd(classes.GetSafeHwnd()), tabRect));
    tabs->ClientToScreen(tabRect);
    const CPoint documents = apphost::ScreenRect(frame.m_hWndMDIClient).CenterPoint();

    bool groupShown = false;
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(tabRect.CenterPoint());
        user.Press();
        user.DragTo(tabRect.CenterPoint() + CSize(-30, 30), 6);
        user.DragTo(documents + CSize(0, 60), 12);
        groupShown = apphost::ReleaseOnTheCentreMarker(user);
    }));
    ASSERT_TRUE(groupShown) << "the central markers stand over the documents";
    ASSERT_TRUE(apphost::WaitUntil([&] { return classes.IsShownAsDocument() != FALSE; })) << "a tabbed document";
    auto* document = DYNAMIC_DOWNCAST(CKGPMDIChildWnd, classes.GetParent());
    ASSERT_NE(nullptr, document) << "in a document window";
    EXPECT_EQ(frame.m_hWndMDIClient, ::GetParent(document->GetSafeHwnd())) << "one of the frame's documents";
    EXPECT_EQ(classes.GetDlgCtrlID(), document->GetTabbedPaneID());
    EXPECT_EQ(nullptr, classes.GetParentMiniFrame(TRUE)) << "no floating frame left for it";
    EXPECT_TRUE(apphost::WaitUntil([&] { return !frame.m_wndFiles.IsTabbed() && apphost::IsShown(frame.m_wndFiles); }))
        << "Files alone where the pair stood";
    EXPECT_TRUE(apphost::ShownTopLevels(L"KGPSmartDockingGroup").empty()) << "the markers gone";
    EXPECT_EQ("", apphost::JoinFaults(apphost::CheckHostInvariants(frame, {})));
    apphost::Screenshot(L"apphost_tab_dropped_as_document.bmp");
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
        groupShown = apphost::ReleaseOnTheCentreMarker(user);
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

