// MDI tabs turned on in the frame's OnCreate: the notes the application opens
// at start-up, before its frame is shown, show as tabs (not as overlapping
// windows), and a click on a tab brings its note forward.
#include "tests/guilib_apphost/HostFixture.h"

#include <afxmdi.h>

#include "guilib/tabs/KGPTabWnd.h"

TEST_F(AppHostTest, NotesOpenedBeforeTheFrameShowsHaveTheirTabs)
{
    CHostMainFrame& frame = Frame();
    ASSERT_TRUE(frame.AreMDITabs());
    CKGPTabWnd& tabs = frame.GetClientArea().GetMDITabs();
    ASSERT_TRUE(apphost::IsShown(tabs)) << "the strip shows";
    ASSERT_EQ(2, tabs.GetTabsNum());

    // Each note fills the client area, without a caption of its own.
    CRect client;
    ::GetClientRect(frame.m_hWndMDIClient, client);
    ::MapWindowPoints(frame.m_hWndMDIClient, nullptr, reinterpret_cast<POINT*>(&client), 2);
    auto fills = [&](int i) {
        return apphost::ScreenRect(*tabs.GetTabWnd(i)) == client;
    };
    for (int i = 0; i < tabs.GetTabsNum(); ++i) {
        ASSERT_NE(nullptr, tabs.GetTabWnd(i));
        EXPECT_NE(static_cast<DWORD>(WS_CAPTION), tabs.GetTabWnd(i)->GetStyle() & WS_CAPTION) << i;
        EXPECT_TRUE(fills(i)) << i;
    }

    // A click on the tab that is not active brings its note forward.
    const int other = tabs.GetActiveTab() == 0 ? 1 : 0;
    CRect tab;
    ASSERT_TRUE(tabs.GetTabRect(other, tab));
    tabs.ClientToScreen(tab);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(tab.CenterPoint()); }));
    EXPECT_TRUE(apphost::WaitUntil([&] { return frame.MDIGetActive() == tabs.GetTabWnd(other); }));
    EXPECT_TRUE(apphost::ShowsAt(tabs.GetTabWnd(other)->GetSafeHwnd(), client.CenterPoint()));
    apphost::Screenshot(L"apphost_mdi_tabs.bmp");
}
