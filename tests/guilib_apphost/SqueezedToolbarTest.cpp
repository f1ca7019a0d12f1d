// A toolbar squeezed at the end of the menu bar's row (the menu bar takes the
// row's whole length, so the bar shrinks and its buttons wait behind its
// customise button) takes its whole length again once dragged by its gripper
// to a row with room, the length a restart gives it there. It kept its
// squeezed length: the row it left arranged it back as it grew. Hidden there,
// it takes its whole length too (a restart brings a hidden bar back at it),
// and shown again it is squeezed as before. A button chosen from its
// customise button's menu acts as itself, though the application changed
// the bar's buttons while the menu was open. Its buttons all hidden from its
// customise button's menu there, it comes back as long after a restart (the
// change kept it at its minimum length, a restart placed it shorter and gave
// the menu bar the rest).
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/menus/KGPPopupMenuBar.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "tests/guilib_apphost/AppHostIds.h"
#include "tests/guilib_apphost/PaneLayoutDescription.h"

namespace {

class SqueezedToolbarTest : public AppHostTest {
protected:
    void SetUp() override
    {
        HostApp().m_bCustomizeButtons = TRUE;
        AppHostTest::SetUp();
    }
    void TearDown() override
    {
        AppHostTest::TearDown();
        HostApp().m_bCustomizeButtons = FALSE;
    }
    static bool Drag(CPoint from, CPoint to)
    {
        return apphost::Perform([&](apphost::CGestures& user) { user.Drag(from, to, 14); });
    }
    static CPoint Gripper(CKGPToolBar& bar)
    {
        const CRect rect = apphost::ScreenRect(bar);
        return CPoint(rect.left + 4, rect.CenterPoint().y);
    }
    static bool HidesButtons(CKGPToolBar& bar)
    {
        return bar.GetCustomizeButton() != nullptr && bar.GetCustomizeButton()->HasHiddenButtons();
    }
    // Docked at the end of the menu bar's row (where a drop there docks it);
    // whether it stands there.
    static bool DockAtTheEndOfTheMenuBarsRow(CHostMainFrame& frame, CKGPToolBar& bar)
    {
        const CRect menu = apphost::ScreenRect(frame.m_wndMenuBar);
        frame.DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP, CRect(menu.right - 60, menu.top, menu.right, menu.bottom));
        frame.RecalcLayout();
        const bool docked = apphost::WaitUntil([&] {
            return bar.GetDockBarRow() != nullptr && bar.GetDockBarRow() == frame.m_wndMenuBar.GetDockBarRow();
        });
        apphost::PumpFor(100);
        return docked;
    }
    // The bar's entry chosen from the bars' context menu (a right click on
    // the menu bar's gripper); whether the menu closed with it.
    static bool ChooseFromBarsContextMenu(CHostMainFrame& frame, LPCTSTR lpszEntry)
    {
        const CRect menuBar = apphost::ScreenRect(frame.m_wndMenuBar);
        bool closed = false;
        const bool ended = apphost::Perform([&](apphost::CGestures& user) {
            user.RightClick(CPoint(menuBar.left + 3, menuBar.CenterPoint().y));
            if (!user.WaitFor([&] { return PopupItemPoint(lpszEntry) != CPoint(-1, -1); }))
                return;
            user.Click(PopupItemPoint(lpszEntry));
            closed = user.WaitFor([] { return CKGPPopupMenu::GetActiveMenu() == nullptr; });
            if (!closed)
                user.Key(VK_ESCAPE);
        });
        return ended && closed;
    }
    static std::string DescribeTopBars(CHostMainFrame& frame)
    {
        return apphost::DescribeBars(frame, {&frame.m_wndMenuBar, &frame.m_wndToolBar, &frame.m_wndFormatBar});
    }
    // The application closed and started again: whether the bars come back
    // as they were saved.
    static ::testing::AssertionResult TopBarsComeBackAfterARestart()
    {
        const std::string saved = DescribeTopBars(Frame());
        if (!Close() || !Start())
            return ::testing::AssertionFailure() << "closed and started again";
        const std::string loaded = DescribeTopBars(Frame());
        if (loaded == saved)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "saved:\n" << saved << "loaded:\n" << loaded;
    }
};

} // namespace

TEST_F(SqueezedToolbarTest, ASqueezedToolbarDraggedToARowWithRoomTakesItsWholeLength)
{
    CHostMainFrame& frame = Frame();
    CKGPToolBar& standard = frame.m_wndToolBar;
    const int whole = apphost::ScreenRect(standard).Width();
    ASSERT_FALSE(HidesButtons(standard)) << "at its whole length as started";

    ASSERT_TRUE(DockAtTheEndOfTheMenuBarsRow(frame, standard))
        << "docked in the menu bar's row\n" << apphost::DescribeBars(frame, {&frame.m_wndMenuBar, &standard});
    ASSERT_LT(apphost::ScreenRect(standard).Width(), whole) << "squeezed";
    ASSERT_TRUE(HidesButtons(standard)) << "its buttons behind its customise button";

    // Dragged by its gripper down to the Format bar's row, right of it.
    const CRect format = apphost::ScreenRect(frame.m_wndFormatBar);
    ASSERT_TRUE(Drag(Gripper(standard), CPoint(format.right + 40, format.CenterPoint().y)));
    ASSERT_TRUE(apphost::WaitUntil([&] {
        return standard.GetDockBarRow() != nullptr && standard.GetDockBarRow() != frame.m_wndMenuBar.GetDockBarRow();
    })) << "docked in another row";
    apphost::PumpFor(100);
    EXPECT_EQ(whole, apphost::ScreenRect(standard).Width()) << "at its whole length where there is room";
    EXPECT_FALSE(HidesButtons(standard)) << "every button shown";

    // A restart brings it back at that length.
    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    EXPECT_EQ(whole, apphost::ScreenRect(Frame().m_wndToolBar).Width()) << "after a restart";
    EXPECT_FALSE(HidesButtons(Frame().m_wndToolBar)) << "after a restart";
}

TEST_F(SqueezedToolbarTest, ASqueezedToolbarHiddenComesBackAsSavedAndShowsSqueezedAgain)
{
    CHostMainFrame& frame = Frame();
    CKGPToolBar& standard = frame.m_wndToolBar;
    const int whole = apphost::ScreenRect(standard).Width();
    ASSERT_TRUE(DockAtTheEndOfTheMenuBarsRow(frame, standard))
        << "docked in the menu bar's row\n" << DescribeTopBars(frame);
    const CRect squeezed = apphost::ScreenRect(standard);
    ASSERT_LT(squeezed.Width(), whole) << "squeezed";

    // Hidden and shown again from the bars' context menu: squeezed as it was.
    ASSERT_TRUE(ChooseFromBarsContextMenu(frame, _T("Standard")));
    ASSERT_TRUE(apphost::WaitUntil([&] { return !standard.IsWindowVisible(); })) << "hidden";
    apphost::PumpFor(100);
    EXPECT_EQ(whole, apphost::ScreenRect(standard).Width()) << "hidden at its whole length";
    ASSERT_TRUE(ChooseFromBarsContextMenu(frame, _T("Standard")));
    ASSERT_TRUE(apphost::WaitUntil([&] { return standard.IsWindowVisible() != FALSE; })) << "shown again";
    apphost::PumpFor(100);
    EXPECT_EQ(squeezed, apphost::ScreenRect(standard)) << "squeezed in its row as before";
    EXPECT_TRUE(HidesButtons(standard)) << "its buttons behind its customise button again";

    // Hidden, a restart brings it back as saved.
    ASSERT_TRUE(ChooseFromBarsContextMenu(frame, _T("Standard")));
    ASSERT_TRUE(apphost::WaitUntil([&] { return !standard.IsWindowVisible(); })) << "hidden";
    apphost::PumpFor(100);
    EXPECT_TRUE(TopBarsComeBackAfterARestart());
}

TEST_F(SqueezedToolbarTest, ASqueezedToolbarWithItsButtonsHiddenComesBackAsLong)
{
    CHostMainFrame& frame = Frame();
    CKGPToolBar& format = frame.m_wndFormatBar;
    ASSERT_TRUE(DockAtTheEndOfTheMenuBarsRow(frame, format)) << "docked in the menu bar's row\n" << DescribeTopBars(frame);
    // One at a time, the menu opened again for each.
    for (UINT command :
         {ID_FORMAT_BOLD, ID_FORMAT_ITALIC, ID_FORMAT_UNDERLINE, ID_FORMAT_ZOOM, ID_FORMAT_LEFT, ID_FORMAT_CENTER})
        ASSERT_TRUE(HideFromCustomiseMenu(format, {command})) << command;
    apphost::PumpFor(100);
    ASSERT_EQ(format.GetDockBarRow(), frame.m_wndMenuBar.GetDockBarRow()) << DescribeTopBars(frame);
    EXPECT_TRUE(TopBarsComeBackAfterARestart());
}

TEST_F(SqueezedToolbarTest, AButtonChosenFromTheCustomiseMenuActsAsItselfThoughTheBarChangedMeanwhile)
{
    CHostMainFrame& frame = Frame();
    CKGPToolBar& standard = frame.m_wndToolBar;
    ASSERT_TRUE(DockAtTheEndOfTheMenuBarsRow(frame, standard)) << DescribeTopBars(frame);
    CRect chevron;
    standard.GetItemRect(standard.ButtonToIndex(standard.GetCustomizeButton()), chevron);
    standard.ClientToScreen(chevron);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(chevron.CenterPoint()); }));
    // The menu lists the buttons the bar has no room for, Paste among them.
    auto pastePoint = [] {
        CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
        CKGPPopupMenuBar* items = popup != nullptr ? popup->GetMenuBar() : nullptr;
        for (int i = 0; items != nullptr && i < items->GetCount(); ++i) {
            if (items->GetButton(i)->m_nCommand != ID_EDIT_PASTE)
                continue;
            CRect rect;
            items->GetItemRect(i, rect);
            items->ClientToScreen(rect);
            return rect.CenterPoint();
        }
        return CPoint(-1, -1);
    };
    ASSERT_TRUE(apphost::WaitUntil([&] { return pastePoint() != CPoint(-1, -1); })) << "Paste in the menu";
    const CPoint paste = pastePoint();
    // Meanwhile the application puts a button before the others (a copy of
    // Cut): every hidden button moves one place on.
    ASSERT_GE(standard.InsertButtonCopy(*standard.GetButton(standard.CommandToIndex(ID_EDIT_CUT)), 0), 0);
    standard.AdjustLayout();
    HostApp().m_commands.clear();
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(paste); }));
    EXPECT_TRUE(apphost::WaitUntil([] { return !HostApp().m_commands.empty(); })) << "a command ran";
    EXPECT_EQ(std::vector<UINT>{ID_EDIT_PASTE}, HostApp().m_commands) << "Paste, not the button at its place now";
}
