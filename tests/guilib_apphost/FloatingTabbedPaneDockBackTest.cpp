// A floating tabbed pane docked back where its first pane stood (by Esc in
// the middle of its frame's drag, or by a double click on the frame's
// caption) takes at least its minimum there, though that place was only as
// high as the pane alone needed: the tabbed pane needs its tabs' strip as
// well, and its active page shows.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPMiniFrameWnd.h"
#include "tests/guilib_apphost/HostInvariants.h"
#include "tests/guilib_apphost/PaneLayoutDescription.h"

namespace {

std::string Described(CHostMainFrame& frame)
{
    return apphost::DescribePanes(frame, frame.StoredPanes());
}

} // namespace

class FloatingTabbedPaneDockBackTest : public AppHostTest {
protected:
    // Watch stood alone at the top edge, 30 pixels high (enough for its
    // caption and a page, not for a strip of tabs as well), then floated;
    // Output dragged by its caption onto Watch's floating frame's caption
    // became its tab. The tabbed pane that holds both, floating; null when
    // it did not come about.
    static CKGPDockingControlBar* TabbedPaneFloatedFromTheTopEdge(CHostMainFrame& frame)
    {
        CKGPDockingControlBar& watch = frame.m_wndWatch;
        const CRect notes = apphost::ScreenRect(frame.m_hWndMDIClient);
        const CRect low(notes.left, notes.top, notes.left + 300, notes.top + 30);
        EXPECT_TRUE(watch.DockToWindow(CBRS_ALIGN_TOP, &low));
        apphost::PumpFor(100);
        EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_TOP), watch.GetCurrentAlignment());
        EXPECT_EQ(30, apphost::ScreenRect(watch).Height());
        EXPECT_TRUE(watch.FloatBar(CRect(notes.CenterPoint() - CSize(100, 60), CSize(220, 160))));
        if (!apphost::WaitUntil([&] { return watch.GetParentMiniFrame(TRUE) != nullptr; }))
            return nullptr;
        apphost::PumpFor(100);
        const CPoint outputCaption = CaptionPoint(frame.m_wndOutput);
        const CPoint watchCaption = CaptionPoint(watch) + CSize(30, 0);
        EXPECT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
            user.MoveTo(outputCaption);
            user.Pause(60);
            user.Press();
            user.DragTo(outputCaption + CSize(0, -40), 6);
            user.DragTo(watchCaption, 12);
            user.Pause(300);
            user.DragTo(watchCaption + CSize(2, 0), 2);
            user.Pause(200);
            user.Release();
            user.Pause(100);
        }));
        auto* tabbed = DYNAMIC_DOWNCAST(CKGPDockingControlBar, watch.GetParentTabbedBar());
        if (tabbed == nullptr || tabbed != frame.m_wndOutput.GetParentTabbedBar() ||
            tabbed->GetParentMiniFrame(TRUE) == nullptr)
            return nullptr;
        return tabbed;
    }

    // Docked back at the top edge, no lower than its minimum with room for
    // its strip and a page, the page of its active tab shown, and the layout
    // sound.
    static void ExpectDockedWhole(CHostMainFrame& frame, CKGPDockingControlBar& tabbed)
    {
        ASSERT_TRUE(apphost::WaitUntil([&] { return tabbed.GetParentMiniFrame(TRUE) == nullptr; }))
            << Described(frame);
        apphost::PumpFor(200);
        EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_TOP), tabbed.GetCurrentAlignment());
        CSize minimum;
        tabbed.GetMinSize(minimum);
        const CRect docked = apphost::ScreenRect(tabbed);
        EXPECT_GE(docked.Height(), minimum.cy) << Described(frame);
        EXPECT_GT(minimum.cy, 30) << "its caption, its strip and a page need more than the pane alone";
        EXPECT_TRUE(apphost::IsShown(frame.m_wndOutput)) << "the active tab's page shows\n" << Described(frame);
        EXPECT_EQ("", apphost::JoinFaults(apphost::CheckHostInvariants(frame, {})));
    }
};

TEST_F(FloatingTabbedPaneDockBackTest, EscapeInTheDragOfItsFrame)
{
    CHostMainFrame& frame = Frame();
    CKGPDockingControlBar* tabbed = TabbedPaneFloatedFromTheTopEdge(frame);
    ASSERT_NE(nullptr, tabbed) << Described(frame);
    const CPoint caption = CaptionPoint(*tabbed);
    ASSERT_NE(CPoint(-1, -1), caption);
    // Toward the notes, away from every edge: Esc docks it back where it
    // last stood docked.
    const CPoint notes = apphost::ScreenRect(frame.m_hWndMDIClient).CenterPoint();
    const CPoint halfway = caption + CSize(24, 24) + CSize((notes.x - caption.x) / 2, (notes.y - caption.y) / 2);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(caption);
        user.Pause(60);
        user.Press();
        user.DragTo(caption + CSize(24, 24), 4);
        user.DragTo(halfway, 6);
        user.Key(VK_ESCAPE);
        user.Pause(150);
        user.Release();
        user.Pause(50);
    }));
    ExpectDockedWhole(frame, *tabbed);
    EXPECT_EQ(nullptr, ::GetCapture()) << "the drag is over";
}

TEST_F(FloatingTabbedPaneDockBackTest, DoubleClickOnItsFramesCaption)
{
    CHostMainFrame& frame = Frame();
    CKGPDockingControlBar* tabbed = TabbedPaneFloatedFromTheTopEdge(frame);
    ASSERT_NE(nullptr, tabbed) << Described(frame);
    const CPoint caption = CaptionPoint(*tabbed);
    ASSERT_NE(CPoint(-1, -1), caption);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.DoubleClick(caption);
    }));
    ExpectDockedWhole(frame, *tabbed);
}
