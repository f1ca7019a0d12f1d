// The host started as a program starts: its frame, bars and panes where the
// application put them; a menu opened by the mouse runs its command; a
// toolbar button's click runs its command.
#include "tests/guilib_apphost/HostFixture.h"

#include <afxmdi.h>

#include "tests/guilib_apphost/AppHostIds.h"

using apphost::IsShown;
using apphost::ScreenRect;

TEST_F(AppHostTest, StartShowsTheFrameWithItsBarsPanesAndNotes)
{
    CHostMainFrame& frame = Frame();
    EXPECT_TRUE(IsShown(frame));
    for (const CWnd* bar : {static_cast<const CWnd*>(&frame.m_wndMenuBar), static_cast<const CWnd*>(&frame.m_wndToolBar),
                            static_cast<const CWnd*>(&frame.m_wndFormatBar),
                            static_cast<const CWnd*>(&frame.m_wndStatusBar),
                            static_cast<const CWnd*>(&frame.m_wndCaptionBar)}) {
        EXPECT_TRUE(IsShown(*bar)) << bar->GetDlgCtrlID();
    }
    // The panes: the tabbed pair's active tab, the tasks pane and the
    // shortcuts show; the properties pane is only a tab on the right strip.
    for (const CWnd* pane : {static_cast<const CWnd*>(&frame.m_wndClasses), static_cast<const CWnd*>(&frame.m_wndOutput),
                             static_cast<const CWnd*>(&frame.m_wndWatch), static_cast<const CWnd*>(&frame.m_wndTasks),
                             static_cast<const CWnd*>(&frame.m_wndShortcuts)}) {
        EXPECT_TRUE(IsShown(*pane)) << pane->GetDlgCtrlID();
    }
    EXPECT_FALSE(IsShown(frame.m_wndProperties));
    EXPECT_TRUE(frame.m_wndProperties.IsAutoHideMode());
    EXPECT_TRUE(frame.m_wndFiles.IsTabbed());
    // The menu bar took over the frame's menu, whose resource it knows (for
    // a reset); the frame shows no menu of its own.
    EXPECT_EQ(static_cast<UINT>(IDR_MAINFRAME), frame.m_wndMenuBar.GetDefaultMenuResId());
    EXPECT_NE(nullptr, frame.m_wndMenuBar.GetDefaultMenu());
    EXPECT_EQ(nullptr, ::GetMenu(frame.m_hWnd));
    EXPECT_EQ(frame.m_wndFiles.GetParentTabbedBar(), frame.m_wndClasses.GetParentTabbedBar());

    // The shortcuts on the left of the notes, the tasks on their right.
    const CRect client = ScreenRect(frame.m_hWndMDIClient);
    EXPECT_LE(ScreenRect(frame.m_wndShortcuts).right, client.left);
    EXPECT_GE(ScreenRect(frame.m_wndTasks).left, client.right);
    EXPECT_GE(ScreenRect(frame.m_wndOutput).top, client.bottom);

    // The notes opened before the frame showed.
    int notes = 0;
    for (HWND child = ::GetWindow(frame.m_hWndMDIClient, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT))
        notes += ::IsWindowVisible(child) ? 1 : 0;
    EXPECT_EQ(2, notes);
    apphost::Screenshot(L"apphost_start.bmp");
}

TEST_F(AppHostTest, AMenuOpenedByTheMouseRunsTheCommandClicked)
{
    CHostMainFrame& frame = Frame();
    const CPoint help = MenuItemPoint(frame.m_wndMenuBar, _T("&Help"));
    ASSERT_NE(CPoint(-1, -1), help);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(help); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return PopupItemPoint(_T("&About")) != CPoint(-1, -1); }))
        << "the Help menu opened";
    const CPoint about = PopupItemPoint(_T("&About"));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(about); }));
    EXPECT_TRUE(apphost::WaitUntil([] { return !HostApp().m_commands.empty(); }));
    EXPECT_EQ(std::vector<UINT>{ID_APP_ABOUT}, HostApp().m_commands);
}

TEST_F(AppHostTest, AToolbarButtonClickedRunsItsCommand)
{
    CHostMainFrame& frame = Frame();
    ASSERT_TRUE(frame.m_bMainToolBarLoaded);
    ASSERT_TRUE(frame.m_bFormatBarLoaded);
    const CPoint bold = ButtonPoint(frame.m_wndFormatBar, ID_FORMAT_BOLD);
    ASSERT_NE(CPoint(-1, -1), bold);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(bold); }));
    EXPECT_TRUE(apphost::WaitUntil([] { return !HostApp().m_commands.empty(); }));
    EXPECT_EQ(std::vector<UINT>{ID_FORMAT_BOLD}, HostApp().m_commands);
}
