// A tabbed pane moved to another edge and then left with one tab: the pane
// that takes its place in the tree names the edge it stands at (not the one
// it had when it became a tab), so a restart brings it back at that edge.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPBaseTabbedBar.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/tabs/KGPBaseTabWnd.h"
#include "tests/guilib_apphost/HostInvariants.h"
#include "tests/guilib_apphost/PaneLayoutDescription.h"

namespace {

// Drags a pane by its caption (its floating frame's) onto the edge's side
// marker and lets it go there once the place marker shows; whether it did.
bool DropOnTheSideMarker(CPoint caption, DWORD alignment)
{
    bool placeShown = false;
    const bool ended = apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(caption);
        user.Pause(50);
        user.Press();
        user.DragTo(caption + CSize(30, 30), 4);
        placeShown = apphost::ReleaseOnTheSideMarker(user, alignment);
    });
    return ended && placeShown;
}

} // namespace

// Files and Classes (tabs at the right edge) floated together by a double
// click on their caption, docked at the bottom by the bottom side marker, and
// Classes dragged out by its tab: Files stands alone at the bottom, and a
// restart brings it back there as it was saved.
TEST_F(AppHostTest, ThePaneLeftAloneInATabbedPaneMovedToAnotherEdgeComesBackAtThatEdge)
{
    CHostMainFrame& frame = Frame();
    CKGPDockingControlBar& files = frame.m_wndFiles;
    CKGPDockingControlBar& classes = frame.m_wndClasses;
    auto* tabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, files.GetParentTabbedBar());
    ASSERT_NE(nullptr, tabbed);
    ASSERT_EQ(tabbed, classes.GetParentTabbedBar()) << "Files and Classes share a tabbed pane";
    ASSERT_EQ(static_cast<DWORD>(CBRS_ALIGN_RIGHT), tabbed->GetCurrentAlignment()) << "at the right edge";

    const CPoint caption = CaptionPoint(*tabbed);
    ASSERT_NE(CPoint(-1, -1), caption);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.DoubleClick(caption);
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return tabbed->GetParentMiniFrame(TRUE) != nullptr; })) << "they float";
    const CPoint floatingCaption = CaptionPoint(*tabbed);
    ASSERT_NE(CPoint(-1, -1), floatingCaption);
    ASSERT_TRUE(DropOnTheSideMarker(floatingCaption, CBRS_ALIGN_BOTTOM));
    ASSERT_TRUE(apphost::WaitUntil([&] { return tabbed->GetParentMiniFrame(TRUE) == nullptr; })) << "docked";
    ASSERT_EQ(static_cast<DWORD>(CBRS_ALIGN_BOTTOM), tabbed->GetCurrentAlignment()) << "at the bottom edge";

    CKGPBaseTabWnd* tabs = tabbed->GetTabWnd();
    CRect tab;
    ASSERT_TRUE(tabs->GetTabRect(tabs->GetTabFromHwnd(classes.GetSafeHwnd()), tab));
    tabs->ClientToScreen(tab);
    const CPoint drop = apphost::ScreenRect(frame.m_hWndMDIClient).CenterPoint() + CSize(0, -70);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Drag(tab.CenterPoint(), drop, 16); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return classes.GetParentMiniFrame(TRUE) != nullptr; })) << "Classes floats";
    ASSERT_TRUE(apphost::WaitUntil([&] { return !files.IsTabbed() && apphost::IsShown(files); }))
        << "Files stands alone where the tabbed pane stood";
    apphost::PumpFor(200);
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_BOTTOM), files.GetCurrentAlignment()) << "Files names the bottom edge";
    EXPECT_EQ("", apphost::JoinFaults(apphost::CheckHostInvariants(frame, {})));

    const std::string saved = apphost::DescribePanes(frame, frame.StoredPanes());
    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    ASSERT_TRUE(HostApp().StateStore().m_bLayoutLoaded);
    CHostMainFrame& again = Frame();
    EXPECT_EQ(saved, apphost::DescribePanes(again, again.StoredPanes())) << "the layout as saved";
    EXPECT_EQ("", apphost::JoinFaults(apphost::CheckHostInvariants(again, {})));
}

// Files and Classes docked at the bottom by the bottom side marker, Classes
// closed from View > Toolbars and Panes, and the two docked at the right edge
// by its side marker: the layout saved so loads at the next start, as saved,
// and Classes shown again stands in the tabbed pane at the right. Closed,
// Classes kept the size it had along the bottom and reached far beyond the
// frame from the right edge: its place was saved so, and the whole layout was
// refused at the next start.
TEST_F(AppHostTest, ATabbedPaneMovedToAnotherEdgeWithAPageClosedComesBackAsSaved)
{
    CHostMainFrame& frame = Frame();
    auto* tabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, frame.m_wndFiles.GetParentTabbedBar());
    ASSERT_NE(nullptr, tabbed);
    ASSERT_TRUE(DropOnTheSideMarker(CaptionPoint(*tabbed), CBRS_ALIGN_BOTTOM));
    ASSERT_TRUE(apphost::WaitUntil([&] { return tabbed->GetCurrentAlignment() == CBRS_ALIGN_BOTTOM; }));
    ASSERT_TRUE(ChooseFromViewBarsList(frame, _T("Classes")));
    ASSERT_TRUE(apphost::WaitUntil([&] { return !apphost::IsShown(frame.m_wndClasses); })) << "Classes closed";
    // The tabbed pane, still standing, holds Files alone now.
    ASSERT_EQ(tabbed, frame.m_wndFiles.GetParentTabbedBar());
    ASSERT_TRUE(DropOnTheSideMarker(CaptionPoint(*tabbed), CBRS_ALIGN_RIGHT));
    ASSERT_TRUE(apphost::WaitUntil([&] { return tabbed->GetCurrentAlignment() == CBRS_ALIGN_RIGHT; }));

    const std::string saved = apphost::DescribePanes(frame, frame.StoredPanes());
    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    EXPECT_TRUE(HostApp().StateStore().m_bLayoutLoaded);
    CHostMainFrame& again = Frame();
    EXPECT_EQ(saved, apphost::DescribePanes(again, again.StoredPanes())) << "the layout as saved";
    ASSERT_TRUE(ChooseFromViewBarsList(again, _T("Classes")));
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::IsShown(again.m_wndClasses); })) << "Classes shown again";
    const CKGPBaseControlBar* holder = again.m_wndClasses.GetParentTabbedBar();
    ASSERT_NE(nullptr, holder);
    EXPECT_EQ(holder, again.m_wndFiles.GetParentTabbedBar()) << "beside Files";
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_RIGHT), holder->GetCurrentAlignment());
    EXPECT_EQ("", apphost::JoinFaults(apphost::CheckHostInvariants(again, {})));
}
