// The recently-used mode of the menus over a library frame with a menu bar:
// rarely used items hidden behind the show-all item, one state that Ctrl+Down,
// the show-all item, the menu bar's timer and double click and the program
// set, ended when the menus close; the menu bar keeping the keys when its
// menu is closed by Escape, and opening a menu where the pointer rests.
#include "tests/guilib_popups/PopupTestSupport.h"

#include "guilib/frames/KGPFrameWnd.h"
#include "guilib/menus/KGPMenuBar.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "guilib/toolbars/KGPToolbarLinks.h"
#include "tests/support/InputScript.h"
#include "tests/support/MenuDriver.h"

namespace {

using namespace popup_test;
using keyloft_test::Pump;

constexpr UINT kUndo = 41021;
constexpr UINT kRedo = 41022;

class CMenuFrame : public CKGPFrameWnd {
public:
    BOOL Open()
    {
        m_bAutoMenuEnable = FALSE;
        return Create(nullptr, _T("Recently used"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(60, 60, 560, 400));
    }

protected:
    void PostNcDestroy() override {}
};

// "&Undo" (often used) and "&Redo" (rarely).
HMENU EditMenu()
{
    HMENU edit = ::CreatePopupMenu();
    ::AppendMenuW(edit, MF_STRING, kUndo, L"&Undo");
    ::AppendMenuW(edit, MF_STRING, kRedo, L"&Redo");
    return edit;
}

class RecentlyUsedTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Open());
        ASSERT_TRUE(menuBar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP));
        HMENU menu = ::CreateMenu();
        ::AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(FileMenu()), L"&File");
        ::AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(EditMenu()), L"&Edit");
        menuBar.m_bClearHashOnClose = TRUE;
        menuBar.CreateFromMenu(menu, FALSE, TRUE);
        frame.RecalcLayout();
        CKGPMenuBar::SetRecentlyUsedMenus(TRUE);
        // New and Undo are used often; Open, Exit and Redo are not.
        CKGPToolBar::s_usage.Reset();
        for (int i = 0; i < 10; ++i) {
            CKGPToolBar::AddCommandUsage(kNew);
            CKGPToolBar::AddCommandUsage(kUndo);
        }
        frame.SetForegroundWindow();
        frame.SetFocus();
        Pump(30);
    }
    void TearDown() override
    {
        if (CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu())
            popup->CloseChain();
        Pump(20);
        CKGPToolBar::s_usage.Reset();
        menuBar.DestroyWindow();
        frame.DestroyWindow();
        // A menu bar, once made, turns recently used menus on for every popup
        // of the process: the other popup tests run without.
        CKGPLink<IKGPMenuOptionsLink>::StandIn(optionsBefore);
    }
    CKGPToolbarMenuButton* MenuButton(int index) const
    {
        return DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, menuBar.GetButton(index));
    }
    CKGPPopupMenu* Open(int index)
    {
        if (!MenuButton(index)->OpenPopupMenu())
            return nullptr;
        Pump(30);
        return CKGPPopupMenu::GetActiveMenu();
    }
    CPoint ButtonCentre(int index) const
    {
        CPoint centre = menuBar.GetButton(index)->m_rcButton.CenterPoint();
        menuBar.ClientToScreen(&centre);
        return centre;
    }
    static BOOL Shows(CKGPPopupMenu* popup, UINT command) { return popup->GetMenuBar()->CommandToIndex(command) >= 0; }
    static BOOL EndsWithShowAll(CKGPPopupMenu* popup)
    {
        const CKGPToolbarButton* last = popup->GetMenuItem(popup->GetMenuItemCount() - 1);
        return last != nullptr && last->IsKindOf(RUNTIME_CLASS(CKGPShowAllButton));
    }
    static void CloseAll()
    {
        if (CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu())
            popup->CloseChain();
        Pump(20);
    }

    IKGPMenuOptionsLink* optionsBefore = CKGPLink<IKGPMenuOptionsLink>::Get();
    CMenuFrame frame;
    CKGPMenuBar menuBar;
};

TEST_F(RecentlyUsedTest, ShowingEveryItemLastsUntilTheMenusCloseAndTheNextMenuHidesAgain)
{
    CKGPPopupMenu* file = Open(0);
    ASSERT_NE(nullptr, file);
    EXPECT_TRUE(Shows(file, kNew));
    EXPECT_FALSE(Shows(file, kOpen)) << "rarely used: hidden";
    EXPECT_FALSE(Shows(file, kExit));
    EXPECT_TRUE(EndsWithShowAll(file));

    // Ctrl+Down from the keyboard shows them.
    test_support::CInputScript().Key(VK_DOWN, true).Run();
    EXPECT_TRUE(Shows(file, kOpen));
    EXPECT_TRUE(Shows(file, kExit));
    EXPECT_FALSE(EndsWithShowAll(file));
    EXPECT_TRUE(CKGPMenuBar::IsShowAllCommands()) << "one state, the menu bar's too";

    CloseAll();
    EXPECT_FALSE(CKGPMenuBar::IsShowAllCommands()) << "it ends with the menus";
    file = Open(0);
    ASSERT_NE(nullptr, file);
    EXPECT_FALSE(Shows(file, kOpen)) << "the menu opened next hides them again";

    // A click on the show-all item (it goes as the menu is rebuilt under
    // the press); then the next menu of the bar opens hidden.
    ASSERT_TRUE(EndsWithShowAll(file));
    const int showAll = file->GetMenuItemCount() - 1;
    CPoint showAllPoint = file->GetMenuItem(showAll)->m_rcButton.CenterPoint();
    file->GetMenuBar()->ClientToScreen(&showAllPoint);
    test_support::CInputScript().MoveTo(showAllPoint).Click().Run();
    ASSERT_EQ(file, CKGPPopupMenu::GetActiveMenu()) << "the menu stays open";
    EXPECT_TRUE(Shows(file, kExit));
    const CKGPToolbarButton* inItsPlace = file->GetMenuItem(showAll);
    ASSERT_NE(nullptr, inItsPlace);
    EXPECT_EQ(0u, inItsPlace->m_nBits & (TBBS_SEPARATOR | TBBS_PRESSED | TBBS_CHECKED | TBBS_HIDDEN))
        << "the item in its place is as the menu made it";
    menuBar.ChangeHot(1);
    Pump(30);
    CKGPPopupMenu* edit = CKGPPopupMenu::GetActiveMenu();
    ASSERT_NE(nullptr, edit);
    ASSERT_EQ(MenuButton(1), edit->GetParentButton());
    EXPECT_TRUE(Shows(edit, kUndo));
    EXPECT_FALSE(Shows(edit, kRedo)) << "another menu: hidden again";
}

TEST_F(RecentlyUsedTest, TheMenuBarsTimerDoubleClickAndSwitchShowEveryItem)
{
    // The program's switch reaches the next menu.
    CKGPMenuBar::SetShowAllCommands(TRUE);
    CKGPPopupMenu* file = Open(0);
    ASSERT_NE(nullptr, file);
    EXPECT_TRUE(Shows(file, kOpen));
    CloseAll();

    // The timer, with the pointer over the open menu's button.
    file = Open(0);
    ASSERT_NE(nullptr, file);
    ASSERT_FALSE(Shows(file, kOpen));
    ::SetCursorPos(ButtonCentre(0).x, ButtonCentre(0).y);
    menuBar.SendMessage(WM_TIMER, 1);
    Pump(20);
    EXPECT_TRUE(Shows(file, kOpen));
    CloseAll();

    // A double click on the menu's button opens it showing every item.
    test_support::CInputScript()
        .MoveTo(ButtonCentre(0))
        .DoubleClick()
        .WaitUntil([] { return test_support::CMenuDriver::FindShownMenu() != nullptr; })
        .Run();
    Pump(30);
    file = CKGPPopupMenu::GetActiveMenu();
    ASSERT_NE(nullptr, file);
    EXPECT_TRUE(Shows(file, kOpen));
    EXPECT_TRUE(Shows(file, kExit));
    EXPECT_EQ(0, menuBar.GetHotButton());
}

TEST_F(RecentlyUsedTest, AMenuClosedByEscapeLeavesTheKeysAndTheHotButtonWithTheMenuBar)
{
    menuBar.SetFocus();
    ASSERT_NE(nullptr, Open(0));
    menuBar.ChangeHot(0);
    test_support::CInputScript().Key(VK_ESCAPE).Run();
    Pump(20);
    EXPECT_EQ(nullptr, CKGPPopupMenu::GetActiveMenu());
    EXPECT_EQ(menuBar.m_hWnd, ::GetFocus());
    EXPECT_EQ(0, menuBar.GetHotButton());
}

TEST_F(RecentlyUsedTest, WithHoverOpeningOnAMenuOpensWhereThePointerRestsOnItsButton)
{
    // Off, as by default: the pointer resting on a menu's button opens nothing.
    test_support::CInputScript().MoveTo(ButtonCentre(0), 3).Run();
    EXPECT_FALSE(::KillTimer(menuBar.GetSafeHwnd(), 20)) << "no hover timer runs";
    EXPECT_EQ(nullptr, CKGPPopupMenu::GetActiveMenu());

    CKGPToolBar::s_bMenuHoverOpening = TRUE;
    test_support::CInputScript()
        .MoveTo(ButtonCentre(1), 3)
        .WaitUntil([] { return test_support::CMenuDriver::FindShownMenu() != nullptr; })
        .Run();
    CKGPToolBar::s_bMenuHoverOpening = FALSE;
    CKGPPopupMenu* edit = CKGPPopupMenu::GetActiveMenu();
    ASSERT_NE(nullptr, edit) << "the Edit menu opened by the pointer's rest";
    EXPECT_EQ(MenuButton(1), edit->GetParentButton());
    EXPECT_EQ(1, menuBar.GetHotButton());
}

// A toolbar that takes the release of some of its buttons itself.
class CHandlingBar : public CKGPToolBar {
public:
    BOOL HandledOnRelease(CKGPToolbarButton* pButton) override
    {
        handled.push_back(pButton->m_nCommand);
        return TRUE;
    }
    std::vector<UINT> handled;
};

TEST_F(PopupTest, AHiddenItemsMnemonicInACustomiseButtonsMenuActsAsTheButton)
{
    // Menus show recently used commands first (a menu bar brings the option).
    IKGPMenuOptionsLink* const optionsBefore = CKGPLink<IKGPMenuOptionsLink>::Get();
    const CKGPMenuBar options;
    CKGPToolBar::s_usage.Reset();
    for (int i = 0; i < 10; ++i)
        CKGPToolBar::AddCommandUsage(kAlpha);

    auto& tools = host.Make<CHandlingBar>();
    ASSERT_TRUE(tools.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE833));
    tools.InsertButton(std::make_unique<CKGPToolbarButton>(kAlpha, -1, L"&Alpha"));
    tools.InsertButton(std::make_unique<CKGPToolbarButton>(kBeta, -1, L"&Beta"));
    tools.EnableCustomizeButton(TRUE, 0, L"");
    tools.SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 100, 40, 30, SWP_NOZORDER);
    CCustomizeButton* chevron = tools.GetCustomizeButton();
    ASSERT_NE(nullptr, chevron);
    ASSERT_EQ(2, chevron->GetHiddenButtons().GetCount()) << "neither button has room";
    ASSERT_TRUE(chevron->HandleClick(&tools, FALSE));
    Pump(30);
    CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
    ASSERT_NE(nullptr, popup);
    ASSERT_LT(popup->GetMenuBar()->CommandToIndex(kBeta), 0) << "rarely used: hidden in the menu";

    Key('B');
    Pump(30);
    EXPECT_EQ(nullptr, CKGPPopupMenu::GetActiveMenu()) << "the menu closed";
    EXPECT_EQ(std::vector<UINT>{kBeta}, tools.handled) << "as a click on Beta where it would show";
    EXPECT_TRUE(host.commands.empty()) << "the bar took it: no command was sent";

    CKGPToolBar::s_usage.Reset();
    CKGPLink<IKGPMenuOptionsLink>::StandIn(optionsBefore);
}

}  // namespace
