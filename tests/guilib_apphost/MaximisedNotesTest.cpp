// Notes maximised in overlapping windows (the MDI tabs off): the menu bar
// carries the active note's system-menu button with its minimise, restore
// and close buttons; it follows the note the user switches to, and a double
// click on it closes that note unless the note's close item is off, also
// when the note is the last and the buttons go with it.
#include "tests/guilib_apphost/HostFixture.h"

#include <afxmdi.h>

#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/menus/KGPPopupMenuBar.h"
#include "guilib/toolbars/KGPToolbarMdiButtons.h"

namespace {

class MaximisedNotesTest : public AppHostTest {
protected:
    void SetUp() override
    {
        AppHostTest::SetUp();
        if (HasFatalFailure())
            return;
        CHostMainFrame& frame = Frame();
        frame.EnableMDITabs(FALSE);
        ASSERT_NE(nullptr, frame.MDIGetActive());
        frame.MDIMaximize(frame.MDIGetActive());
        ASSERT_TRUE(apphost::WaitUntil([&] { return frame.m_wndMenuBar.GetSystemMenuButton() != nullptr; }))
            << "the maximised note's buttons are on the menu bar";
    }

    static HWND ActiveNote()
    {
        CMDIChildWnd* active = Frame().MDIGetActive();
        return active != nullptr ? active->GetSafeHwnd() : nullptr;
    }
    // The system menu the menu bar's system-menu button carries (null: none shows).
    static HMENU MenuOnTheBar()
    {
        const CKGPToolbarSystemMenuButton* button = Frame().m_wndMenuBar.GetSystemMenuButton();
        return button != nullptr ? button->GetSystemMenu() : nullptr;
    }
    static CPoint SystemMenuButtonPoint()
    {
        CKGPMenuBar& bar = Frame().m_wndMenuBar;
        if (bar.GetSystemMenuButton() == nullptr)
            return CPoint(-1, -1);
        CRect rect;
        bar.GetItemRect(0, rect);
        bar.ClientToScreen(rect);
        return rect.CenterPoint();
    }
    // The menu bar's close button for the maximised note (null: none shows).
    static const CKGPToolbarMenuButtonsButton* CloseButtonOnTheBar()
    {
        const CKGPMenuBar& bar = Frame().m_wndMenuBar;
        for (int i = 0; i < bar.GetCount(); ++i) {
            const auto* button = DYNAMIC_DOWNCAST(CKGPToolbarMenuButtonsButton, bar.GetButton(i));
            if (button != nullptr && button->GetSystemCommand() == SC_CLOSE)
                return button;
        }
        return nullptr;
    }
    // The middle of the open menu's entry for the window with this title.
    static CPoint ListedWindowPoint(const CString& title)
    {
        CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
        const CKGPPopupMenuBar* items = popup != nullptr ? popup->GetMenuBar() : nullptr;
        for (int i = 0; items != nullptr && i < items->GetCount(); ++i) {
            const CKGPToolbarButton* item = items->GetButton(i);
            if (item->m_nCommand >= AFX_IDM_FIRST_MDICHILD && item->m_strCaption.Find(title) >= 0) {
                CRect rect = item->m_rcButton;
                items->ClientToScreen(rect);
                return rect.CenterPoint();
            }
        }
        return CPoint(-1, -1);
    }
    static void SetCloseEnabled(HWND hNote, BOOL bEnabled)
    {
        ::EnableMenuItem(::GetSystemMenu(hNote, FALSE), SC_CLOSE, MF_BYCOMMAND | (bEnabled ? MF_ENABLED : MF_GRAYED));
    }
    static bool DoubleClickSystemMenuButton()
    {
        const CPoint button = SystemMenuButtonPoint();
        if (button == CPoint(-1, -1))
            return false;
        const bool played = apphost::Perform([&](apphost::CGestures& user) {
            user.Pause(::GetDoubleClickTime());  // no double click with a click before
            user.Click(button);
            user.Click(button);
        });
        apphost::PumpFor(50);
        return played;
    }
    static bool CloseOpenMenu()
    {
        if (CKGPPopupMenu::GetActiveMenu() == nullptr)
            return true;
        return apphost::Perform([](apphost::CGestures& user) { user.Key(VK_ESCAPE); }) &&
               apphost::WaitUntil([] { return CKGPPopupMenu::GetActiveMenu() == nullptr; });
    }
};

}  // namespace

TEST_F(MaximisedNotesTest, SwitchingNotesGivesTheMenuBarTheSystemMenuOfTheNoteSwitchedTo)
{
    const HWND first = ActiveNote();
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(::GetSystemMenu(first, FALSE), MenuOnTheBar());

    // The other note has its close item off: switched to, the bar's close
    // button is off too, and its system menu is the one on the bar.
    ASSERT_TRUE(apphost::Perform([](apphost::CGestures& user) { user.Chord(VK_CONTROL, VK_F6); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return ActiveNote() != nullptr && ActiveNote() != first; }));
    const HWND second = ActiveNote();
    BOOL maximised = FALSE;
    Frame().MDIGetActive(&maximised);
    ASSERT_TRUE(maximised) << "the note switched to shows maximised";
    EXPECT_TRUE(apphost::WaitUntil([&] { return MenuOnTheBar() == ::GetSystemMenu(second, FALSE); }))
        << "the button carries the system menu of the note switched to";

    // Back to the first (chosen in the Window menu's list of windows), whose
    // close item is turned off meanwhile.
    SetCloseEnabled(first, FALSE);
    CString firstTitle;
    ::GetWindowTextW(first, firstTitle.GetBuffer(64), 64);
    firstTitle.ReleaseBuffer();
    const CPoint window = MenuItemPoint(Frame().m_wndMenuBar, _T("&Window"));
    ASSERT_NE(CPoint(-1, -1), window);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(window); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return ListedWindows() == 2; }));
    const CPoint listed = ListedWindowPoint(firstTitle);
    ASSERT_NE(CPoint(-1, -1), listed) << "the first note is listed";
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(listed); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return ActiveNote() == first; }));
    EXPECT_TRUE(apphost::WaitUntil([&] { return MenuOnTheBar() == ::GetSystemMenu(first, FALSE); }));
    const CKGPToolbarMenuButtonsButton* close = CloseButtonOnTheBar();
    ASSERT_NE(nullptr, close);
    EXPECT_NE(0u, close->m_nBits & TBBS_DISABLED) << "as the first note's close item is now";
    apphost::Screenshot(L"apphost_maximised_notes.bmp");
}

TEST_F(MaximisedNotesTest, ADoubleClickOnTheSystemMenuButtonClosesTheNoteUnlessItsCloseIsOff)
{
    const HWND first = ActiveNote();
    ASSERT_NE(nullptr, first);
    SetCloseEnabled(first, FALSE);
    ASSERT_TRUE(DoubleClickSystemMenuButton());
    EXPECT_TRUE(::IsWindow(first)) << "its close item is off";
    ASSERT_TRUE(CloseOpenMenu());

    // Closed, the other note comes forward maximised with its own buttons.
    SetCloseEnabled(first, TRUE);
    ASSERT_TRUE(DoubleClickSystemMenuButton());
    ASSERT_TRUE(apphost::WaitUntil([&] { return !::IsWindow(first); })) << "the double click closes the note";
    const HWND second = ActiveNote();
    ASSERT_NE(nullptr, second);
    EXPECT_TRUE(apphost::WaitUntil([&] { return MenuOnTheBar() == ::GetSystemMenu(second, FALSE); }));
    EXPECT_EQ(nullptr, CKGPPopupMenu::GetActiveMenu()) << "no system menu is left open";

    // The last note: its buttons go with it, and the frame's own menu shows.
    ASSERT_TRUE(DoubleClickSystemMenuButton());
    ASSERT_TRUE(apphost::WaitUntil([&] { return !::IsWindow(second); }));
    EXPECT_EQ(nullptr, Frame().MDIGetActive());
    EXPECT_EQ(nullptr, Frame().m_wndMenuBar.GetSystemMenuButton());
    EXPECT_FALSE(Frame().m_wndMenuBar.IsMaximizeMode());
    EXPECT_TRUE(apphost::WaitUntil([] { return MenuItemPoint(Frame().m_wndMenuBar, _T("&Edit")) == CPoint(-1, -1); }))
        << "the notes' menu went with them";
    EXPECT_NE(CPoint(-1, -1), MenuItemPoint(Frame().m_wndMenuBar, _T("&Help")));
}
