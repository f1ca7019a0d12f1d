// The View menu's list of the bars (Toolbars and Panes): the frame lists its
// bars there, a shown one checked, and one chosen hides or shows its bar (its
// command arrives after the menu has closed). What the list keeps of its bars for that
// command follows their windows: a bar that goes afterwards (a user toolbar
// deleted) is not reached by a later command of its id.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/toolbars/KGPUserToolbarMessages.h"

namespace {

const CPoint kNowhere(-1, -1);

bool NoMenuOpen() { return CKGPPopupMenu::GetActiveMenu() == nullptr; }

// The open popup's item with this text; null when none shows.
const CKGPToolbarButton* PopupItem(LPCTSTR lpszText)
{
    CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
    for (int i = 0; popup != nullptr && i < popup->GetMenuItemCount(); ++i) {
        const CKGPToolbarButton* item = popup->GetMenuItem(i);
        if (item != nullptr && item->m_strCaption == lpszText)
            return item;
    }
    return nullptr;
}

class ToolbarsMenuTest : public AppHostTest {
protected:
    // A user toolbar docked and let be closed, as the application allows it
    // (the list names the docked bars that may be closed).
    static void Dock(CHostMainFrame& frame, CKGPToolBar& bar)
    {
        bar.SetLibraryBarStyle(bar.GetLibraryBarStyle() | KGP_BARSTYLE_CLOSE);
        frame.DockControlBar(&bar);
    }
    // View, then Toolbars and Panes: the list of the bars opens.
    static bool OpenToolbarsMenu()
    {
        const CPoint view = MenuItemPoint(Frame().m_wndMenuBar, _T("&View"));
        if (view == kNowhere || !apphost::Perform([&](apphost::CGestures& user) {
                user.Pause(::GetDoubleClickTime());
                user.Click(view);
            }))
            return false;
        if (!apphost::WaitUntil([] { return PopupItemPoint(_T("&Toolbars and Panes")) != kNowhere; }))
            return false;
        const CPoint toolbars = PopupItemPoint(_T("&Toolbars and Panes"));
        return apphost::Perform([&](apphost::CGestures& user) { user.Click(toolbars); }) &&
               apphost::WaitUntil([] { return PopupItem(_T("Standard")) != nullptr; });
    }
    static bool Choose(LPCTSTR lpszText)
    {
        const CPoint item = PopupItemPoint(lpszText);
        return item != kNowhere && apphost::Perform([&](apphost::CGestures& user) { user.Click(item); }) &&
               apphost::WaitUntil(NoMenuOpen);
    }
    static bool CloseMenus()
    {
        return apphost::Perform([](apphost::CGestures& user) {
                   user.Key(VK_ESCAPE);
                   user.Key(VK_ESCAPE);
                   user.Key(VK_ESCAPE);
               }) &&
               apphost::WaitUntil(NoMenuOpen);
    }
};

}  // namespace

TEST_F(ToolbarsMenuTest, TheToolbarsMenuListsTheBarsAndOneChosenHidesOrShowsIt)
{
    CHostMainFrame& frame = Frame();
    CKGPToolBar* mine = KGPUserToolbarMessages::SendCreate(&frame, _T("Mine"));
    ASSERT_NE(nullptr, mine) << "the user made a toolbar of their own";
    Dock(frame, *mine);

    ASSERT_TRUE(OpenToolbarsMenu());
    for (LPCTSTR name : {_T("Standard"), _T("Format"), _T("Mine"), _T("Output")}) {
        const CKGPToolbarButton* item = PopupItem(name);
        ASSERT_NE(nullptr, item) << static_cast<const char*>(CW2A(name));
        EXPECT_NE(0u, item->m_nBits & TBBS_CHECKED) << static_cast<const char*>(CW2A(name)) << " shows";
    }
    EXPECT_EQ(nullptr, PopupItem(_T("(the bars)"))) << "the entry itself went";
    apphost::Screenshot(L"apphost_toolbars_menu.bmp");
    ASSERT_TRUE(Choose(_T("Format")));
    EXPECT_TRUE(apphost::WaitUntil([&] { return !frame.m_wndFormatBar.IsBarVisible(); })) << "the chosen bar hides";

    ASSERT_TRUE(OpenToolbarsMenu());
    const CKGPToolbarButton* format = PopupItem(_T("Format"));
    ASSERT_NE(nullptr, format);
    EXPECT_EQ(0u, format->m_nBits & TBBS_CHECKED) << "a hidden bar is not checked";
    ASSERT_TRUE(Choose(_T("Format")));
    EXPECT_TRUE(apphost::WaitUntil([&] { return frame.m_wndFormatBar.IsBarVisible() != FALSE; }))
        << "and shows again";
    EXPECT_TRUE(apphost::IsShown(frame.m_wndFormatBar));
}

TEST_F(ToolbarsMenuTest, ABarThatWentAfterTheToolbarsMenuClosedIsNotReachedByACommandOfItsId)
{
    CHostMainFrame& frame = Frame();
    CKGPToolBar* mine = KGPUserToolbarMessages::SendCreate(&frame, _T("Mine"));
    ASSERT_NE(nullptr, mine);
    Dock(frame, *mine);
    const UINT mineId = static_cast<UINT>(mine->GetDlgCtrlID());

    // Listed, then closed without a choice.
    ASSERT_TRUE(OpenToolbarsMenu());
    ASSERT_NE(nullptr, PopupItem(_T("Mine")));
    ASSERT_TRUE(CloseMenus());

    // The user deletes the toolbar (as the customisation sheet's Delete
    // does), and later a command of its id reaches the frame.
    ASSERT_TRUE(KGPUserToolbarMessages::SendDelete(&frame, mine));
    frame.SendMessage(WM_COMMAND, mineId);
    apphost::PumpFor(50);
    EXPECT_EQ(nullptr, frame.GetControlBar(mineId)) << "no bar of that id";
    for (CKGPToolBar* bar : frame.StoredBars())
        EXPECT_TRUE(bar->IsBarVisible()) << "no other bar was touched";

    // A toolbar made afterwards takes the free id; the menu lists it afresh
    // and its choice hides it.
    CKGPToolBar* next = KGPUserToolbarMessages::SendCreate(&frame, _T("Next"));
    ASSERT_NE(nullptr, next);
    Dock(frame, *next);
    ASSERT_EQ(mineId, static_cast<UINT>(next->GetDlgCtrlID()));
    EXPECT_TRUE(next->IsBarVisible());
    ASSERT_TRUE(OpenToolbarsMenu());
    EXPECT_EQ(nullptr, PopupItem(_T("Mine")));
    ASSERT_TRUE(Choose(_T("Next")));
    EXPECT_TRUE(apphost::WaitUntil([&] { return !next->IsBarVisible(); }));
    EXPECT_TRUE(KGPUserToolbarMessages::SendDelete(&frame, next));
}
