// The sizing bar docked at the frame's left edge: its width, a drag of its
// edge, and the view taking the rest (a hidden bar leaving its place is the
// frame's layout, tested in afx_frames).
#include <gtest/gtest.h>

#include <afxext.h>

#include "tests/widgets_menus/MenusTestSupport.h"
#include "widgets/SizingControlBar.h"

using menus_test::PointParam;
using menus_test::Pump;

namespace {

class SizingBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        frame = new CFrameWnd;  // deletes itself when its window is destroyed
        ASSERT_TRUE(frame->Create(nullptr, L"sizing bar host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 800, 600)));
        LPCTSTR viewClass = AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
        ASSERT_TRUE(view.Create(viewClass, L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), frame, AFX_IDW_PANE_FIRST));
        frame->EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(bar.Create(L"", frame, CSize(230, 200), TRUE, 32770, WS_CHILD | WS_VISIBLE | CBRS_TOP));
        bar.SetBarStyle(bar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
        bar.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
        frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
        frame->RecalcLayout();
        Pump(30);
    }
    void TearDown() override
    {
        if (frame != nullptr && frame->m_hWnd != nullptr) {
            frame->DestroyWindow();
        }
    }
    CRect InFrame(CWnd& wnd)
    {
        CRect rect;
        wnd.GetWindowRect(&rect);
        frame->ScreenToClient(&rect);
        return rect;
    }

    CFrameWnd* frame = nullptr;
    CWnd view;
    CSizingControlBar bar;
};

TEST_F(SizingBarTest, DockedLeftWithItsWidthAndTheViewBesideIt)
{
    CRect client;
    frame->GetClientRect(&client);
    const CRect barRect = InFrame(bar);
    const CRect viewRect = InFrame(view);
    EXPECT_EQ(0, barRect.left);
    EXPECT_EQ(230, barRect.Width());
    EXPECT_EQ(client.Height(), barRect.Height());
    EXPECT_EQ(230, viewRect.left);
    EXPECT_EQ(client.right, viewRect.right);
    EXPECT_NE(0u, bar.GetBarStyle() & CBRS_ALIGN_LEFT);
}

TEST_F(SizingBarTest, DraggingTheEdgeChangesTheWidth)
{
    CRect barScreen;
    bar.GetWindowRect(&barScreen);
    const CPoint edge(barScreen.right - 2, barScreen.top + 100);
    EXPECT_EQ(HTBORDER, bar.SendMessage(WM_NCHITTEST, 0, PointParam(edge.x, edge.y)));
    EXPECT_EQ(HTCLIENT, bar.SendMessage(WM_NCHITTEST, 0, PointParam(barScreen.left + 50, edge.y)));

    bar.SendMessage(WM_NCLBUTTONDOWN, HTBORDER, PointParam(edge.x, edge.y));
    EXPECT_TRUE(bar.IsTracking());
    CPoint moved(edge.x + 40, edge.y);
    bar.ScreenToClient(&moved);
    bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, PointParam(moved.x, moved.y));
    bar.SendMessage(WM_LBUTTONUP, 0, PointParam(moved.x, moved.y));
    EXPECT_FALSE(bar.IsTracking());
    EXPECT_EQ(270, bar.GetVertDockSize().cx);
    EXPECT_EQ(270, InFrame(bar).Width());
    EXPECT_EQ(270, InFrame(view).left);

    // The screen position alone drives the tracking (the workspace bar passes it on).
    bar.StartTracking(CPoint(1000, 300));
    bar.OnTrackUpdatePosition(CPoint(900, 300));
    bar.StopTracking(TRUE);
    EXPECT_EQ(170, InFrame(bar).Width());
    EXPECT_EQ(170, InFrame(view).left);
}

TEST_F(SizingBarTest, CancelledOrExtremeDragsAreBounded)
{
    bar.StartTracking(CPoint(500, 300));
    bar.OnTrackUpdatePosition(CPoint(5000, 300));
    CRect client;
    frame->GetClientRect(&client);
    EXPECT_LT(InFrame(bar).Width(), client.Width());
    bar.StopTracking(FALSE);
    EXPECT_EQ(230, bar.GetVertDockSize().cx);
    bar.StartTracking(CPoint(500, 300));
    bar.OnTrackUpdatePosition(CPoint(-5000, 300));
    bar.StopTracking(TRUE);
    EXPECT_EQ(CSizingControlBar::kMinExtent, bar.GetVertDockSize().cx);
}

} // namespace
