// A toolbar dragged by its gripper to the frame's left edge, as a user drags
// it: let go just inside the frame's client area at the edge's top, middle
// and foot, with the frame at the screen's left side and maximised. The bar
// docks at the left edge or floats where it was let go, its frame wholly on
// the screen (it floated held by the middle of its frame, half of it beyond
// the screen's left edge). The menu bar has no gripper in the host: nothing
// to take it by.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPMiniFrameWnd.h"

#include <sstream>
#include <string>
#include <vector>

namespace {

class ToolbarToLeftEdgeTest : public AppHostTest {
protected:
    // The layout as it starts.
    static bool StartAfresh()
    {
        ForgetStoredState();
        if (!Close())
            return false;
        ForgetStoredState();
        return Start();
    }

    static CKGPToolBar& BarOf(CHostMainFrame& frame, size_t index) { return *frame.StoredBars()[index]; }

    // The bars a user takes by a gripper.
    static std::vector<size_t> BarsWithGripper(CHostMainFrame& frame)
    {
        std::vector<size_t> found;
        for (size_t i = 0; i < frame.StoredBars().size(); ++i) {
            if ((BarOf(frame, i).GetBarStyleWord() & CBRS_GRIPPER) != 0)
                found.push_back(i);
        }
        return found;
    }

    // The bar taken by its gripper and let go at the point, as a hand does.
    static bool DragByGripper(CKGPToolBar& bar, CPoint to)
    {
        const CRect rect = apphost::ScreenRect(bar);
        const CPoint gripper = bar.IsHorizontal() ? CPoint(rect.left + 4, rect.CenterPoint().y)
                                                  : CPoint(rect.CenterPoint().x, rect.top + 4);
        return apphost::Perform([&](apphost::CGestures& user) {
            user.MoveTo(gripper);
            user.Pause(60);
            user.Press();
            user.DragTo(to, 14);
            user.Pause(100);
            user.Release();
        });
    }

    static CRect MonitorOf(CPoint point)
    {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        ::GetMonitorInfoW(::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &info);
        return info.rcMonitor;
    }

    // Docked at the left edge, or floating with its frame wholly on the
    // screen the point lies on.
    static ::testing::AssertionResult DockedLeftOrFloatingOnScreen(CHostMainFrame& frame, CKGPToolBar& bar,
                                                                   CPoint letGo)
    {
        CKGPDockBar* left = frame.GetDockManager()->FindDockBar(CBRS_ALIGN_LEFT, TRUE);
        if (left != nullptr && bar.GetParentDockBar() == left)
            return ::testing::AssertionSuccess() << "docked at the left edge";
        CKGPMiniFrameWnd* floating = bar.GetParentMiniFrame(TRUE);
        if (floating == nullptr) {
            std::ostringstream out;
            PrintTo(apphost::ScreenRect(bar), &out);
            const CKGPDockBar* dockBar = bar.GetParentDockBar();
            return ::testing::AssertionFailure() << "neither docked at the left edge nor floating: at " << out.str()
                                                 << " aligned " << (dockBar != nullptr ? dockBar->GetCurrentAlignment() : 0);
        }
        const CRect rect = apphost::ScreenRect(*floating);
        const CRect screen = MonitorOf(letGo);
        CRect on;
        on.IntersectRect(rect, screen);
        std::ostringstream out;
        PrintTo(rect, &out);
        if (on == rect && rect.PtInRect(letGo))
            return ::testing::AssertionSuccess() << "floating on the screen";
        if (on == rect)
            return ::testing::AssertionFailure() << "floating at " << out.str() << ", away from where it was let go";
        out << " beyond the screen ";
        PrintTo(screen, &out);
        return ::testing::AssertionFailure() << "floating at " << out.str();
    }
};

TEST_F(ToolbarToLeftEdgeTest, ABarDraggedToTheLeftEdgeDocksThereOrFloatsOnTheScreen)
{
    const std::vector<size_t> bars = BarsWithGripper(Frame());
    ASSERT_EQ(2u, bars.size()) << "the Standard and Format bars";
    for (const bool maximised : {false, true}) {
        for (const size_t index : bars) {
            for (const int inside : {4, 12}) {
                for (const int height : {0, 1, 2}) {
                    ASSERT_TRUE(StartAfresh());
                    CHostMainFrame& frame = Frame();
                    CKGPToolBar& bar = BarOf(frame, index);
                    const CRect start = apphost::ScreenRect(frame);
                    if (maximised) {
                        frame.ShowWindow(SW_MAXIMIZE);
                        ASSERT_TRUE(apphost::WaitUntil([&] { return frame.IsZoomed() != FALSE; }));
                    } else {
                        frame.SetWindowPos(HWND{}, MonitorOf(start.TopLeft()).left, start.top, 0, 0,
                                           SWP_NOSIZE | SWP_NOZORDER);
                    }
                    apphost::PumpFor(100);
                    CString name;
                    bar.GetWindowText(name);
                    CRect client;
                    frame.GetClientRect(client);
                    frame.ClientToScreen(client);
                    const CRect notes = apphost::ScreenRect(frame.m_hWndMDIClient);
                    const int y = height == 0 ? notes.top + 8 : height == 1 ? notes.CenterPoint().y : notes.bottom - 8;
                    const CPoint to(client.left + inside, y);
                    SCOPED_TRACE(std::string(CStringA(name).GetString()) +
                                 (height == 0 ? " to the edge's top" : height == 1 ? " to its middle" : " to its foot") +
                                 " " + std::to_string(inside) + " px inside" +
                                 (maximised ? ", the frame maximised" : ", the frame at the screen's left side"));
                    ASSERT_TRUE(DragByGripper(bar, to));
                    apphost::PumpFor(100);
                    const ::testing::AssertionResult placed = DockedLeftOrFloatingOnScreen(frame, bar, to);
                    EXPECT_TRUE(placed);
                    if (!placed)
                        apphost::Screenshot(L"apphost_toolbar_to_left_edge.bmp");
                }
            }
        }
    }
}

} // namespace
