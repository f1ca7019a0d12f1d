// Bars reaching what later families bring, through their seams: a tab window
// (here a stand-in registered as the tabbed-bar link) shows and hides a bar's
// tab, tells its visibility, takes its icon and lists its tabs; the dock
// manager docks by dock-bar id, lists bars that may neither float nor be
// resized, and answers edge tests from the smart-docking marker while it runs.
#include <gtest/gtest.h>

#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/docking/KGPSlider.h"
#include "guilib/docking/KGPSmartDockingManager.h"
#include "guilib/docking/KGPTabbedBarLink.h"
#include "tests/guilib_docking/DockingTestFrame.h"
#include "tests/guilib_docking/StandInTabs.h"
#include "tests/support/MessagePump.h"

#include <map>
#include <vector>

namespace {

using namespace docking_test;

class BarSeamsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(frame.Open()); }
    void TearDown() override
    {
        CKGPLink<IKGPTabbedBarLink>::StandIn(nullptr);
        bars.clear();
        frame.DestroyWindow();
    }
    CTestFrame frame;
    std::vector<std::unique_ptr<CKGPControlBar>> bars;
};

TEST_F(BarSeamsTest, BarsShownAsTabsGoThroughTheirTabWindow)
{
    // A tabbed bar in the frame's bar list holds a tab window with two bars as tabs.
    bars.push_back(MakeBar(&frame, 1100, 120));
    CKGPControlBar* tabbed = bars.back().get();
    frame.AddControlBar(tabbed);
    CWnd tabWnd;
    ASSERT_TRUE(tabWnd.CreateEx(0, _T("STATIC"), nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), tabbed, 1));
    CStandInTabs tabs;
    tabs.m_pTabWnd = &tabWnd;
    tabs.m_pTabbedBar = tabbed;
    CKGPLink<IKGPTabbedBarLink>::StandIn(&tabs);
    bars.push_back(MakeBar(&tabWnd, 1101));
    CKGPControlBar* first = bars.back().get();
    bars.push_back(MakeBar(&tabWnd, 1102));
    CKGPControlBar* second = bars.back().get();

    EXPECT_TRUE(first->IsTabbed());
    EXPECT_FALSE(tabbed->IsTabbed());
    HWND hwndTab = nullptr;
    EXPECT_EQ(&tabWnd, second->GetTabWindow(hwndTab));
    EXPECT_EQ(second->m_hWnd, hwndTab);
    EXPECT_EQ(tabbed, second->GetParentTabbedBar());
    EXPECT_TRUE(first->CanFloat());   // the tab window lets its first tab go
    EXPECT_FALSE(second->CanFloat()); // but not the second
    EXPECT_TRUE(second->IsBarVisible());

    second->ShowBar(FALSE, FALSE, FALSE); // one tab of two hides; the tabbed bar stays
    EXPECT_FALSE(second->IsBarVisible());
    EXPECT_TRUE(tabbed->IsWindowVisible());
    first->ShowBar(FALSE, FALSE, FALSE); // the last visible tab hides: so does the tabbed bar
    EXPECT_FALSE(tabbed->IsWindowVisible());
    EXPECT_FALSE(first->IsBarVisible()); // a hidden tab window shows no tab
    first->ShowBar(TRUE, FALSE, FALSE);  // a hidden tabbed bar of two tabs brings one tab back only
    EXPECT_NE(0u, first->GetStyle() & WS_VISIBLE);
    EXPECT_FALSE(tabbed->IsWindowVisible());

    // The tab takes its bar's small icon.
    const HICON icon = ::LoadIcon(nullptr, IDI_INFORMATION);
    second->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    EXPECT_EQ(icon, tabs.icons[second->m_hWnd]);

    // Tabs are bars of their own in the dock manager's lists.
    EXPECT_EQ(first, frame.GetDockManager()->FindBarById(1101));
    CObList all;
    frame.GetDockManager()->GetControlBarList(all, FALSE, nullptr, TRUE);
    EXPECT_NE(nullptr, all.Find(second));
    CObList withoutTabs;
    frame.GetDockManager()->GetControlBarList(withoutTabs);
    EXPECT_EQ(nullptr, withoutTabs.Find(second));
}

// A bar that docks at the frame edge itself (as docking panes do), recording how.
class CEdgeBar : public CKGPControlBar {
public:
    BOOL DocksAtFrameEdge() const override { return TRUE; }
    BOOL DockToWindow(DWORD dwAlignment, LPCRECT, DWORD dwDockFlags, CKGPBaseControlBar*, int, BOOL) override
    {
        docked.push_back(dwAlignment);
        flags = dwDockFlags;
        return TRUE;
    }
    std::vector<DWORD> docked;
    DWORD flags = 0;
};

TEST_F(BarSeamsTest, TheDockManagerDocksByDockBarIdOrOnlyListsABarThatMayNotMove)
{
    CKGPDockManager* manager = frame.GetDockManager();
    CEdgeBar edge;
    ASSERT_TRUE(edge.Create(nullptr, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect(0, 0, 80, 40), &frame, 1110,
                            KGP_BARSTYLE_FLOAT));
    edge.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_BOTTOM);
    manager->DockControlBar(&edge, AFX_IDW_DOCKBAR_LEFT);
    manager->DockControlBar(&edge, AFX_IDW_DOCKBAR_RIGHT); // not enabled: nothing
    manager->DockControlBar(&edge, AFX_IDW_DOCKBAR_BOTTOM);
    manager->DockControlBar(&edge, 0); // at its current edge
    EXPECT_EQ((std::vector<DWORD>{CBRS_ALIGN_LEFT, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_TOP}), edge.docked);
    EXPECT_EQ(1u, edge.flags);

    // Neither floating nor resizable: only listed, docked nowhere.
    bars.push_back(MakeBar(&frame, 1111));
    CKGPControlBar* fixed = bars.back().get();
    fixed->SetLibraryBarStyle(0);
    manager->DockControlBar(fixed, AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(nullptr, fixed->GetParentDockBar());
    EXPECT_NE(nullptr, manager->GetControlBars().Find(fixed));
    edge.DestroyWindow();
}

TEST_F(BarSeamsTest, EdgeTestsFollowTheSmartDockingMarkerWhileItRuns)
{
    CKGPDockManager* manager = frame.GetDockManager();
    bars.push_back(MakeBar(&frame, 1120));
    CKGPControlBar* bar = bars.back().get();
    frame.DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
    CRect window;
    bar->GetWindowRect(window);
    const CPoint nearTop(window.CenterPoint().x, window.top - 2);
    DWORD alignment = 0;
    CKGPGlobalUtils& utils = CKGPGlobalUtils::Get();
    EXPECT_TRUE(utils.CheckAlignment(nearTop, bar, 15, manager, TRUE, alignment));
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_TOP), alignment);

    CKGPSmartDockingManager* smart = manager->GetSmartDockingManagerPermanent();
    smart->Start(&frame);
    smart->SetHotMarker(5); // the central group's right marker
    EXPECT_TRUE(utils.CheckAlignment(nearTop, bar, 15, manager, FALSE, alignment));
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_RIGHT), alignment);
    EXPECT_FALSE(utils.CheckAlignment(nearTop, bar, 15, manager, TRUE, alignment)); // no outer marker is hot
    smart->SetHotMarker(2); // the outer top marker: no bar is under the point
    EXPECT_EQ(nullptr, manager->BarFromPoint(window.CenterPoint(), 15));
    smart->Stop();
    EXPECT_EQ(manager->FindDockBar(CBRS_ALIGN_TOP, TRUE), manager->BarFromPoint(window.CenterPoint(), 15));
}

// Bars moved under another window wait just out of its view, shown; a slider
// only changes parent and stays as it was (hidden while no pane shows).
TEST_F(BarSeamsTest, ReparentedBarsWaitOutOfViewAndASliderOnlyChangesParent)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, _T("STATIC"), nullptr, WS_CHILD | WS_VISIBLE, CRect(40, 40, 300, 300), &frame, 2));
    CKGPSlider* slider = CKGPSlider::CreateDefaultSlider(CBRS_ALIGN_LEFT, &frame);
    ASSERT_NE(nullptr, slider);
    slider->ShowWindow(SW_HIDE);
    slider->SetWindowPos(HWND{}, 10, 20, 4, 100, SWP_NOZORDER | SWP_NOACTIVATE);
    bars.push_back(MakeBar(&frame, 1190, 120));
    CKGPControlBar* bar = bars.back().get();
    CObList list;
    list.AddTail(slider);
    list.AddTail(bar);

    CKGPGlobalUtils::Get().ReparentBars(list, &host, FALSE);
    EXPECT_EQ(&host, slider->GetParent());
    EXPECT_FALSE(slider->IsWindowVisible());
    EXPECT_EQ(CRect(10, 20, 14, 120), ClientRectIn(slider, &host));
    EXPECT_EQ(&host, bar->GetParent());
    EXPECT_TRUE(bar->IsWindowVisible());
    EXPECT_EQ(CRect(-120, -24, 0, 0), ClientRectIn(bar, &host));
    slider->DestroyWindow();
}

TEST_F(BarSeamsTest, BarsComeToTheTopOfTheZOrderFromTheTailSkippingTheBarsAtTheEnd)
{
    bars.push_back(MakeBar(&frame, 1130));
    CKGPControlBar* listed = bars.back().get();
    frame.AddControlBar(listed); // a bar of the list itself, not in a dock bar
    CKGPDockBar* top = frame.GetDockManager()->FindDockBar(CBRS_ALIGN_TOP, TRUE);
    ::SetWindowPos(frame.m_view.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    frame.GetDockManager()->BringBarsToTop(0, TRUE); // the control bar at the tail keeps its place
    EXPECT_NE(listed->m_hWnd, ::GetWindow(frame.m_hWnd, GW_CHILD));
    frame.GetDockManager()->BringBarsToTop(CBRS_ALIGN_TOP);
    EXPECT_EQ(top->m_hWnd, ::GetWindow(frame.m_hWnd, GW_CHILD)); // top dock bar first among the children
}

} // namespace
