// Smart docking as the user drives it: a floating pane dragged by its caption
// onto a side marker shows where it would go (the place marker) and docks at
// that edge when released there, whether the edge is empty or already holds
// panes.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPMiniFrameWnd.h"

#include <algorithm>
#include <atomic>

namespace {

struct DropOnMarker {
    bool markersShown = false;
    bool placeShown = false;
    CRect place; // where the place marker showed
};

// Drags the floating pane by its caption onto the edge's side marker and
// releases it there; what showed on the way.
DropOnMarker DragToSideMarker(CPoint caption, DWORD alignment)
{
    std::atomic<bool> markers{false};
    std::atomic<bool> place{false};
    CRect placeRect;
    const bool ended = apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(caption);
        user.Pause(50);
        user.Press();
        user.DragTo(caption + CSize(30, 30), 4);
        // The side markers come up one after another: the edge's own is
        // looked for once all four stand.
        markers = user.WaitFor([] { return apphost::ShownTopLevels(L"KGPSmartDockingMarker").size() >= 4; });
        const CRect marker = apphost::SideMarker(alignment);
        if (markers && !marker.IsRectEmpty()) {
            user.DragTo(marker.CenterPoint(), 10);
            place = user.WaitFor([] { return !apphost::ShownTopLevels(L"KGPPlaceMarker").empty(); });
            if (place)
                placeRect = apphost::ScreenRect(apphost::ShownTopLevels(L"KGPPlaceMarker").front());
        }
        user.Release();
    });
    EXPECT_TRUE(ended);
    return {markers.load(), place.load(), placeRect};
}

} // namespace

class SmartDockingScenario : public AppHostTest, public ::testing::WithParamInterface<DWORD> {};

TEST_P(SmartDockingScenario, AFloatingPaneDocksAtTheEdgeOfTheMarkerItIsReleasedOn)
{
    CHostMainFrame& frame = Frame();
    CKGPDockingControlBar& pane = frame.m_wndWatch;
    const CRect client = apphost::ScreenRect(frame.m_hWndMDIClient);
    // Below the floating find pane: its frame may come over a caption it
    // overlapped, and the press would take it instead.
    const CKGPMiniFrameWnd* find = frame.m_wndFind.GetParentMiniFrame(TRUE);
    const int top = (std::max)(client.CenterPoint().y - 60,
                               find != nullptr ? apphost::ScreenRect(find->GetSafeHwnd()).bottom + 10 : 0);
    ASSERT_TRUE(pane.FloatBar(CRect(CPoint(client.CenterPoint().x - 60, top), CSize(200, 150))));
    ASSERT_TRUE(apphost::WaitUntil([&] { return pane.GetParentMiniFrame(TRUE) != nullptr; }));
    const CPoint caption = CaptionPoint(pane);
    ASSERT_NE(CPoint(-1, -1), caption);
    // The press goes where the user sees the pane's caption.
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::ShowsAt(pane.GetParentMiniFrame(TRUE)->GetSafeHwnd(), caption); }))
        << "the floating pane's caption shows at the point pressed";

    const DWORD alignment = GetParam();
    const DropOnMarker seen = DragToSideMarker(caption, alignment);
    ASSERT_TRUE(seen.markersShown) << "the markers show once the drag starts";
    EXPECT_TRUE(seen.placeShown) << "the place the pane would take shows over its marker";
    EXPECT_TRUE(apphost::WaitUntil([&] { return pane.GetParentMiniFrame(TRUE) == nullptr; })) << "docked";
    EXPECT_EQ(alignment, pane.GetCurrentAlignment());
    const CRect docked = apphost::ScreenRect(pane);
    const CRect notes = apphost::ScreenRect(frame.m_hWndMDIClient);
    EXPECT_TRUE(apphost::IsShown(pane));
    // The pane docked lies between the frame's edge and the notes, and the
    // place shown reached out from that edge (at the right edge outside the
    // panes already there).
    switch (alignment) {
    case CBRS_ALIGN_LEFT:
        EXPECT_LE(docked.right, notes.left);
        EXPECT_LT(seen.place.left, notes.left);
        break;
    case CBRS_ALIGN_RIGHT:
        EXPECT_GE(docked.left, notes.right);
        EXPECT_GT(seen.place.right, notes.right);
        break;
    case CBRS_ALIGN_TOP:
        EXPECT_LE(docked.bottom, notes.top);
        EXPECT_LT(seen.place.top, notes.top);
        break;
    default:
        EXPECT_GE(docked.top, notes.bottom);
        EXPECT_GT(seen.place.bottom, notes.bottom);
        break;
    }
    if (alignment == CBRS_ALIGN_RIGHT) {
        EXPECT_GE(docked.left, apphost::ScreenRect(frame.m_wndTasks).right);
        EXPECT_GE(docked.left, apphost::ScreenRect(frame.m_wndFiles).right);
    }
    EXPECT_TRUE(apphost::ShownTopLevels(L"KGPSmartDockingMarker").empty()) << "the markers went with the drag";
    if (alignment == CBRS_ALIGN_LEFT)
        apphost::Screenshot(L"apphost_smart_docked_left.bmp");
}

// Left: the shortcuts' edge; right: the tasks pane's and the tabbed pair's;
// top: an edge that holds no pane.
INSTANTIATE_TEST_SUITE_P(Edges, SmartDockingScenario,
                         ::testing::Values(CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT, CBRS_ALIGN_TOP),
                         [](const ::testing::TestParamInfo<DWORD>& info) {
                             return info.param == CBRS_ALIGN_LEFT    ? std::string("BusyLeft")
                                    : info.param == CBRS_ALIGN_RIGHT ? std::string("BusyRight")
                                                                     : std::string("EmptyTop");
                         });
