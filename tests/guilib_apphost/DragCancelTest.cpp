// Esc pressed while a pane is dragged, the mouse button still down, ends the
// drag where it began: a docked pane torn off by its caption docks back in
// its place, the markers go, and letting the button go afterwards changes
// nothing.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPMiniFrameWnd.h"

class DragCancelTest : public AppHostTest {
protected:
    struct Seen {
        bool floated = false; // the pane floated under the mouse during the drag
        bool markers = false; // the markers showed during the drag
    };
    // The pane pressed on its caption and dragged over the documents; Esc,
    // then the button let go.
    static Seen DragAndPressEscape(CHostMainFrame& frame, CKGPDockingControlBar& pane)
    {
        Seen seen;
        const CPoint caption = CaptionPoint(pane);
        EXPECT_NE(CPoint(-1, -1), caption);
        const CPoint over = apphost::ScreenRect(frame.m_hWndMDIClient).CenterPoint();
        const HWND hFrame = frame.GetSafeHwnd();
        const HWND hPane = pane.GetSafeHwnd();
        const bool ended = apphost::Perform([&](apphost::CGestures& user) {
            user.MoveTo(caption);
            user.Press();
            user.DragTo(caption + CSize(0, -40), 6);
            user.DragTo(over, 10);
            seen.floated = user.WaitFor([&] { return apphost::TopLevelOf(hPane) != hFrame; });
            seen.markers =
                user.WaitFor([] { return !apphost::ShownTopLevels(L"KGPSmartDockingMarker").empty(); });
            user.Key(VK_ESCAPE);
            user.Pause(150);
            user.Release();
            user.Pause(50);
        });
        EXPECT_TRUE(ended);
        return seen;
    }
};

TEST_F(DragCancelTest, EscapeDuringTheDragOfADockedPanePutsItBackInItsPlace)
{
    CHostMainFrame& frame = Frame();
    CKGPDockingControlBar& output = frame.m_wndOutput;
    const CRect before = apphost::ScreenRect(output);
    const CRect watchBefore = apphost::ScreenRect(frame.m_wndWatch);
    ASSERT_EQ(static_cast<DWORD>(CBRS_ALIGN_BOTTOM), output.GetCurrentAlignment());

    const Seen seen = DragAndPressEscape(frame, output);
    ASSERT_TRUE(seen.floated) << "torn off, it followed the mouse";
    EXPECT_TRUE(seen.markers);
    EXPECT_TRUE(apphost::WaitUntil([&] { return output.GetParentMiniFrame(TRUE) == nullptr; }))
        << "docked again, not left floating where the drag had it";
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_BOTTOM), output.GetCurrentAlignment());
    EXPECT_TRUE(NearlyAt(before, apphost::ScreenRect(output))) << "in the place it had";
    EXPECT_TRUE(NearlyAt(watchBefore, apphost::ScreenRect(frame.m_wndWatch))) << "its neighbour too";
    EXPECT_TRUE(apphost::IsShown(output));
    EXPECT_TRUE(apphost::ShownTopLevels(L"KGPSmartDockingMarker").empty()) << "the markers went";
    EXPECT_EQ(std::vector<HWND>{frame.m_wndFind.GetParentMiniFrame(TRUE)->GetSafeHwnd()},
              apphost::ShownTopLevels(L"KGPMiniFrame"))
        << "no floating frame left (Find floats from the start)";
    EXPECT_EQ(nullptr, ::GetCapture()) << "the drag is over";
}
