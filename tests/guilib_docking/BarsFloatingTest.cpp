// Bars leaving and joining dock bars in a test frame: dragged as an outline and
// dropped on another edge or away from every edge, dragged out by themselves
// into a floating frame and docked back by a double click, moved through the
// docking-options menu; a toolbar's border and gripper in its non-client area;
// auto-hide strips making room for each other at a corner.
#include <gtest/gtest.h>

#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPVisualManager2003.h"
#include "guilib/docking/KGPControlBar.h"
#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "tests/guilib_docking/DockingTestFrame.h"
#include "tests/support/MenuDriver.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

#include <map>
#include <set>
#include <vector>

namespace {

using namespace docking_test;
using keyloft_test::PointParam;

class BarsFloatingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Open());
        frame.SetForegroundWindow();
    }
    void TearDown() override
    {
        bars.clear();
        frame.DestroyWindow();
        keyloft_test::Pump(50);
    }
    CKGPControlBar* Add(UINT id, UINT dockBarId, int length = 100)
    {
        bars.push_back(MakeBar(&frame, id, length));
        frame.DockControlBar(bars.back().get(), dockBarId);
        frame.RecalcLayout();
        return bars.back().get();
    }
    CKGPDockBar* DockBar(DWORD alignment) { return frame.GetDockManager()->FindDockBar(alignment, TRUE); }
    CPoint ScreenCentreOfClient()
    {
        CRect client;
        frame.GetClientRect(client);
        frame.ClientToScreen(client);
        return client.CenterPoint();
    }
    // The mouse goes to the screen point and the window hears it there.
    static void MouseAt(CWnd* pWnd, UINT message, CPoint screen, WPARAM keys = MK_LBUTTON)
    {
        ::SetCursorPos(screen.x, screen.y);
        CPoint client = screen;
        pWnd->ScreenToClient(&client);
        pWnd->SendMessage(message, keys, PointParam(client.x, client.y));
    }
    static CPoint CentreOf(CWnd* pWnd)
    {
        CRect rect;
        pWnd->GetWindowRect(rect);
        return rect.CenterPoint();
    }

    CTestFrame frame;
    std::vector<std::unique_ptr<CKGPControlBar>> bars;
};

TEST_F(BarsFloatingTest, AnOutlineDroppedOnAnotherEdgeDocksThereAndAwayFromEdgesFloats)
{
    CKGPControlBar* bar = Add(800, AFX_IDW_DOCKBAR_TOP);
    bar->SetDockingMode(KGP_DOCK_DRAGFRAME);
    MouseAt(bar, WM_LBUTTONDOWN, CentreOf(bar));
    EXPECT_TRUE(bar->IsDragMode());

    CRect client;
    frame.GetClientRect(client);
    frame.ClientToScreen(client);
    const CPoint leftEdge(client.left + 5, client.CenterPoint().y);
    MouseAt(bar, WM_MOUSEMOVE, leftEdge);
    EXPECT_EQ(bar->GetParentDockBar(), DockBar(CBRS_ALIGN_TOP)); // the outline moves, the bar waits
    MouseAt(bar, WM_LBUTTONUP, leftEdge, 0);
    EXPECT_FALSE(bar->IsDragMode());
    EXPECT_EQ(DockBar(CBRS_ALIGN_LEFT), bar->GetParentDockBar());
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_LEFT), bar->GetCurrentAlignment());
    frame.RecalcLayout();
    EXPECT_EQ(24, frame.ViewRect().left); // the left edge now holds the bar across it
    EXPECT_EQ(0, frame.ViewRect().top);   // and the top edge nothing

    // Dragged to the middle of the view and dropped: it floats there.
    MouseAt(bar, WM_LBUTTONDOWN, CentreOf(bar));
    const CPoint middle = ScreenCentreOfClient();
    MouseAt(bar, WM_MOUSEMOVE, middle);
    MouseAt(bar, WM_LBUTTONUP, middle, 0);
    ASSERT_TRUE(bar->IsFloating());
    CKGPMiniFrameWnd* floating = bar->GetParentMiniFrame();
    ASSERT_NE(nullptr, floating);
    EXPECT_TRUE(floating->IsWindowVisible());
    CRect frameRect;
    floating->GetWindowRect(frameRect);
    // At the outline: the docked (vertical, 24 x 100) window moved with the mouse.
    EXPECT_EQ(CPoint(middle.x - 12, middle.y - 50), frameRect.TopLeft());
    EXPECT_EQ(floating, frame.GetDockManager()->GetMiniFrames().GetHead());

    // Esc during an outline drag keeps every place.
    floating->DockOnDoubleClick();
    keyloft_test::Pump(50);
    EXPECT_EQ(DockBar(CBRS_ALIGN_LEFT), bar->GetParentDockBar()); // back to where it was docked
    MouseAt(bar, WM_LBUTTONDOWN, CentreOf(bar));
    MouseAt(bar, WM_MOUSEMOVE, middle);
    bar->SendMessage(WM_CHAR, VK_ESCAPE, 1);
    EXPECT_FALSE(bar->IsDragMode());
    EXPECT_EQ(DockBar(CBRS_ALIGN_LEFT), bar->GetParentDockBar());
}

TEST_F(BarsFloatingTest, DraggedOutByItselfItFloatsFollowsTheMouseAndADoubleClickDocksItBack)
{
    CKGPControlBar* first = Add(810, AFX_IDW_DOCKBAR_TOP);
    CKGPControlBar* bar = Add(811, AFX_IDW_DOCKBAR_TOP);
    bar->SetDockingMode(KGP_DOCK_IMMEDIATE);
    CKGPDockBar* top = DockBar(CBRS_ALIGN_TOP);
    const int rows = static_cast<int>(top->GetRows().GetCount());

    const CPoint grip = CentreOf(bar);
    MouseAt(bar, WM_LBUTTONDOWN, grip);
    const CPoint away(grip.x + 40, grip.y + 150);
    MouseAt(bar, WM_MOUSEMOVE, away);
    ASSERT_TRUE(bar->IsFloating());
    CKGPMiniFrameWnd* floating = bar->GetParentMiniFrame();
    ASSERT_NE(nullptr, floating);
    EXPECT_TRUE(floating->IsMoving()); // the floating frame carries the drag on
    EXPECT_EQ(bar, CKGPMiniFrameWnd::FindFloatingBarByID(811));
    EXPECT_EQ(bar, frame.GetDockManager()->FindBarById(811, TRUE));
    EXPECT_EQ(rows - 1, top->GetRows().GetCount()); // its row went with it
    CRect before;
    floating->GetWindowRect(before);
    MouseAt(floating, WM_MOUSEMOVE, CPoint(away.x + 30, away.y + 20));
    CRect after;
    floating->GetWindowRect(after);
    EXPECT_EQ(CPoint(before.left + 30, before.top + 20), after.TopLeft());
    MouseAt(floating, WM_LBUTTONUP, CPoint(away.x + 30, away.y + 20), 0);
    EXPECT_FALSE(floating->IsMoving());
    EXPECT_FALSE(bar->IsDragMode());

    // The caption height and borders around the bar's own size.
    CRect barRect;
    bar->GetWindowRect(barRect);
    CRect borders;
    floating->CalcBorderSize(borders);
    EXPECT_EQ(CSize(barRect.Width() + borders.left + borders.right,
                    barRect.Height() + borders.top + borders.bottom + floating->GetCaptionHeight()),
              after.Size());

    const HWND hFloating = floating->GetSafeHwnd();
    MouseAt(floating, WM_LBUTTONDBLCLK, CentreOf(floating));
    keyloft_test::Pump(100);
    EXPECT_EQ(top, bar->GetParentDockBar());
    EXPECT_FALSE(bar->IsFloating());
    EXPECT_FALSE(::IsWindow(hFloating)); // the emptied frame went
    EXPECT_EQ(nullptr, CKGPMiniFrameWnd::FindFloatingBarByID(811));
    EXPECT_TRUE(frame.GetDockManager()->GetMiniFrames().IsEmpty());
    EXPECT_EQ(top, first->GetParentDockBar());
}

// A context-menu manager that shows the menu for real and records its items' states.
class CTestMenuManager final : public IKGPMenuLink {
public:
    CWnd* GetActivePopupMenu() const override { return nullptr; }
    BOOL IsModalState() const override { return FALSE; }
    BOOL HasContextMenuManager() const override { return TRUE; }
    UINT TrackContextMenu(HMENU hMenu, int x, int y, CWnd* pOwner, BOOL) override
    {
        states.clear();
        for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i)
            states[::GetMenuItemID(hMenu, i)] = ::GetMenuState(hMenu, static_cast<UINT>(i), MF_BYPOSITION);
        return static_cast<UINT>(::TrackPopupMenu(hMenu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN, x, y, 0,
                                                  pOwner->GetSafeHwnd(), nullptr));
    }
    UINT TrackPopupMenu(HMENU hMenu, int x, int y, CWnd* pOwner, BOOL bRightAlign) override
    {
        return TrackContextMenu(hMenu, x, y, pOwner, bRightAlign);
    }
    int HitTestPopupMenu(CWnd*, CPoint) const override { return 4; }
    std::map<UINT, UINT> states;
};

TEST_F(BarsFloatingTest, TheDockingOptionsMenuFloatsAndDocksTheBar)
{
    CKGPControlBar* bar = Add(820, AFX_IDW_DOCKBAR_BOTTOM);
    bar->SetLibraryBarStyle(KGP_BARSTYLE_FLOAT | KGP_BARSTYLE_CLOSE);
    EXPECT_FALSE(bar->OnShowControlBarMenu(CentreOf(bar))); // no context-menu manager: no menu

    CTestMenuManager manager;
    CKGPLink<IKGPMenuLink>::StandIn(&manager);
    {
        test_support::CMenuDriver driver({VK_DOWN, VK_RETURN}); // the first item: float
        bar->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(bar->m_hWnd), MAKELPARAM(CentreOf(bar).x, CentreOf(bar).y));
        EXPECT_TRUE(driver.Found());
    }
    EXPECT_EQ(5u, manager.states.size());
    EXPECT_EQ(0u, manager.states[KGP_IDC_FLOAT] & (MF_GRAYED | MF_CHECKED));
    EXPECT_NE(0u, manager.states[KGP_IDC_DOCK] & MF_CHECKED);
    EXPECT_NE(0u, manager.states[KGP_IDC_AUTOHIDE] & MF_GRAYED); // the bar may not auto-hide
    EXPECT_NE(0u, manager.states[KGP_IDC_TABBED_DOCUMENT] & MF_GRAYED);
    EXPECT_EQ(0u, manager.states[KGP_IDC_HIDE] & MF_GRAYED);
    ASSERT_TRUE(bar->IsFloating());

    {
        test_support::CMenuDriver driver({VK_DOWN, VK_DOWN, VK_RETURN}); // the second: dock
        bar->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(bar->m_hWnd), MAKELPARAM(CentreOf(bar).x, CentreOf(bar).y));
        EXPECT_TRUE(driver.Found());
    }
    EXPECT_NE(0u, manager.states[KGP_IDC_FLOAT] & MF_CHECKED);
    keyloft_test::Pump(50);
    EXPECT_EQ(DockBar(CBRS_ALIGN_BOTTOM), bar->GetParentDockBar());
    CKGPLink<IKGPMenuLink>::StandIn(nullptr);
}

TEST_F(BarsFloatingTest, AToolbarDrawsItsBorderAndGripperAroundItsButtons)
{
    ASSERT_TRUE(CKGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKGPVisualManager2003)));
    CKGPToolBar toolbar;
    ASSERT_TRUE(toolbar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, 830));
    ASSERT_TRUE(toolbar.LoadToolBar(700));
    toolbar.EnableDocking(CBRS_ALIGN_ANY);
    frame.DockControlBar(&toolbar, AFX_IDW_DOCKBAR_TOP);
    toolbar.AdjustLayout(); // places its buttons
    Add(831, AFX_IDW_DOCKBAR_LEFT, 120);
    frame.RecalcLayout();
    frame.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    keyloft_test::Pump(200);

    CRect window, client;
    toolbar.GetWindowRect(window);
    toolbar.GetClientRect(client);
    toolbar.ClientToScreen(client);
    // Docked: one pixel of border line, the bar's border of 1 and the 7-pixel gripper on the left.
    EXPECT_EQ(CPoint(1 + 1 + 7, 1 + 1), CPoint(client.left - window.left, client.top - window.top));
    EXPECT_EQ(toolbar.CalcNonClientSize(TRUE), window.Size() - client.Size());
    EXPECT_EQ(toolbar.CalcFixedLayout(FALSE, TRUE), window.Size()); // the window holds buttons and frame
    EXPECT_GE(client.Width(), 3 * 16);                                // three buttons fit the client area

    int width = 0, height = 0;
    const std::vector<DWORD> pixels = keyloft_test::CaptureWindow(frame.m_hWnd, width, height);
    CRect inFrame = window;
    frame.ScreenToClient(inFrame);
    CRect frameWindow;
    frame.GetWindowRect(frameWindow);
    CPoint clientOrigin(0, 0);
    frame.ClientToScreen(&clientOrigin);
    const CSize offset = clientOrigin - frameWindow.TopLeft();
    auto at = [&](int x, int y) { return pixels[(y + offset.cy) * width + (x + offset.cx)]; };
    // The gripper's dots differ from the bar face somewhere in its strip.
    BOOL bGripperDrawn = FALSE;
    const DWORD face = at(inFrame.left + 9 + 2, inFrame.top + 3);
    for (int y = inFrame.top + 2; y < inFrame.bottom - 2 && !bGripperDrawn; ++y) {
        for (int x = inFrame.left + 2; x < inFrame.left + 9; ++x)
            bGripperDrawn = bGripperDrawn || at(x, y) != face;
    }
    EXPECT_TRUE(bGripperDrawn);
    std::set<DWORD> colours; // the buttons' images in the client area
    for (int y = client.top; y < client.bottom; ++y)
        for (int x = client.left; x < client.right; ++x)
            colours.insert(at(x - window.left + inFrame.left, y - window.top + inFrame.top));
    EXPECT_EQ(1u, colours.count(0xFF0000u)); // the test strip's red, green and blue images
    EXPECT_EQ(1u, colours.count(0x00FF00u));
    EXPECT_EQ(1u, colours.count(0x0000FFu));
    keyloft_test::SaveScreenshot(frame.m_hWnd, L"toolbar-gripper.bmp");
    toolbar.DestroyWindow();
    CKGPVisualManager::DestroyInstance();
}

// An auto-hide strip along an edge (the auto-hide issue brings the real one).
class CTestAutoHideDockBar : public CKGPDockBar {
public:
    BOOL IsAutoHideDockBar() const override { return TRUE; }
    CSize CalcFixedLayout(BOOL, BOOL) override { return CSize(20, 20); }
};

TEST_F(BarsFloatingTest, AutoHideStripsMakeRoomForEachOtherAtTheirCorner)
{
    auto* left = new CTestAutoHideDockBar; // dock bars delete themselves with their windows
    auto* top = new CTestAutoHideDockBar;
    ASSERT_TRUE(left->CreateEx(0, CBRS_ALIGN_LEFT, &frame, 0));
    ASSERT_TRUE(top->CreateEx(0, CBRS_ALIGN_TOP, &frame, 0));
    CKGPDockManager* manager = frame.GetDockManager();
    ASSERT_TRUE(manager->AddControlBar(top));
    ASSERT_TRUE(manager->AddControlBar(left));
    frame.RecalcLayout();
    CRect topRect, leftRect;
    top->GetWindowRect(topRect);
    left->GetWindowRect(leftRect);
    ASSERT_EQ(topRect.bottom, leftRect.top); // the left strip starts below the top one
    EXPECT_EQ(20, top->GetCornerOffsets().start); // so the top strip's buttons start past the left one
    EXPECT_EQ(0, left->GetCornerOffsets().start);
    EXPECT_EQ(0, left->GetCornerOffsets().end);
}

} // namespace
