// Popup menus opened from a toolbar button in the library test host: placed
// below the button, stepped through by keys and chosen (the command reaches
// the host once), sub-menus by keys and by the mouse after the menu delay,
// long menus scrolled, accessibility queries, the application losing the
// activation, and the dialog helper's test of a click outside.
#include "tests/guilib_popups/PopupTestSupport.h"

#include "guilib/controls/KGPDlgImpl.h"
#include "guilib/core/KGPMenuGlyphs.h"
#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/menus/KGPPopupPlacement.h"
#include "tests/support/InputScript.h"
#include "tests/support/MenuDriver.h"

#include <string>

namespace {

using namespace popup_test;
using keyloft_test::Pump;

TEST_F(PopupTest, APopupBelowItsButtonIsSteppedByKeysAndSendsTheChosenCommandOnce)
{
    CKGPPopupMenu* popup = Open();
    ASSERT_NE(nullptr, popup);
    EXPECT_TRUE(Button()->IsDroppedDown());
    CRect button = Button()->m_rcButton;
    bar->ClientToScreen(button);
    CRect window;
    popup->GetWindowRect(window);
    EXPECT_EQ(button.left, window.left);
    EXPECT_EQ(button.bottom - 1, window.top);
    EXPECT_EQ(popup->GetFinalSize().cx + popup->GetShadowSize(), window.Width()) << "the shadow is part of the window";
    EXPECT_GT(popup->GetShadowSize(), 0);
    ASSERT_EQ(5, popup->GetMenuItemCount());
    // No frame's accelerators hold New: its item shows no shortcut.
    EXPECT_EQ(L"&New", popup->GetMenuItem(0)->m_strCaption);
    EXPECT_EQ(UINT(-1), popup->GetMenuItem(3)->m_nCommand) << "the sub-menu item";

    Key(VK_DOWN);
    Key(VK_DOWN);
    ASSERT_NE(nullptr, popup->GetSelItem());
    EXPECT_EQ(kOpen, popup->GetSelItem()->m_nCommand);
    Key(VK_END);
    EXPECT_EQ(kExit, popup->GetSelItem()->m_nCommand);
    Key(VK_DOWN);
    EXPECT_EQ(kNew, popup->GetSelItem()->m_nCommand) << "down from the last wraps to the first";
    Key(VK_UP);
    Key(VK_UP);
    EXPECT_EQ(UINT(-1), popup->GetSelItem()->m_nCommand) << "up skips the separator";
    Key(VK_UP);
    const HWND window0 = popup->GetSafeHwnd();
    Key(VK_RETURN);
    Pump(50);
    EXPECT_FALSE(::IsWindow(window0)) << "the chosen command closes the menus";
    EXPECT_EQ(nullptr, CKGPPopupMenu::GetActiveMenu());
    EXPECT_FALSE(Button()->IsDroppedDown());
    EXPECT_EQ(std::vector<UINT>{kOpen}, host.commands);
}

// A toolbar that has the popups of its menu buttons open where it says.
class CDirectedBar : public CKGPToolBar {
public:
    int GetMenuDropDirection() const override { return direction; }
    int direction = kgp::kDropNone;
};

TEST_F(PopupTest, APopupOpensWhereItsToolbarDropsItsMenus)
{
    auto& directed = host.Make<CDirectedBar>();
    ASSERT_TRUE(directed.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE831));
    directed.SetWindowPos(static_cast<const CWnd*>(nullptr), 200, 250, 200, 30, SWP_NOZORDER);
    const CMenuHandle menu(FileMenu());
    directed.InsertButtonCopy(CKGPToolbarMenuButton(0, menu.Get(), -1, L"&File"));
    directed.AdjustLayout();
    auto* button = static_cast<CKGPToolbarMenuButton*>(directed.GetButton(0));
    CRect face = button->m_rcButton;
    directed.ClientToScreen(face);
    // The menu's rectangle (its shadow left out) once opened in the direction.
    const auto openTowards = [&](int direction) {
        directed.direction = direction;
        CRect window(0, 0, 0, 0);
        if (button->OpenPopupMenu()) {
            Pump(30);
            CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
            popup->GetWindowRect(window);
            window.right -= popup->GetShadowSize();
            window.bottom -= popup->GetShadowSize();
            EXPECT_EQ(direction != kgp::kDropNone ? direction : kgp::kDropDown, popup->GetDropDirection());
            button->CancelState();
            Pump(20);
        }
        return window;
    };

    CRect up = openTowards(kgp::kDropUp);
    EXPECT_EQ(face.top + 1, up.bottom) << "above the button, a pixel into its top";
    EXPECT_EQ(face.left, up.left);
    CRect right = openTowards(kgp::kDropRight);
    EXPECT_EQ(face.right, right.left);
    EXPECT_EQ(face.top, right.top);
    CRect left = openTowards(kgp::kDropLeft);
    EXPECT_EQ(face.left, left.right);
    EXPECT_EQ(face.top, left.top);
    CRect down = openTowards(kgp::kDropNone);
    EXPECT_EQ(face.bottom - 1, down.top) << "without a direction of its bar: below the button";
}

TEST_F(PopupTest, ASubMenuOpensWithItsFirstItemAndEscapeClosesOnlyTheInnermost)
{
    CKGPPopupMenu* popup = Open();
    ASSERT_NE(nullptr, popup);
    Key('M');  // the mnemonic of an item with a sub-menu opens it
    CKGPPopupMenu* sub = CKGPPopupMenu::GetActiveMenu();
    ASSERT_NE(nullptr, sub);
    ASSERT_NE(popup, sub);
    EXPECT_EQ(popup, sub->GetParentPopupMenu());
    ASSERT_NE(nullptr, sub->GetSelItem());
    EXPECT_EQ(kAlpha, sub->GetSelItem()->m_nCommand) << "its first item selected";
    CRect items, inner;
    popup->GetMenuBar()->GetWindowRect(items);
    sub->GetWindowRect(inner);
    EXPECT_EQ(items.right + CKGPVisualManager::GetInstance()->GetPopupMenuGap(), inner.left) << "beside its popup";

    Key(VK_ESCAPE);
    EXPECT_EQ(popup, CKGPPopupMenu::GetActiveMenu()) << "back in the first popup";
    EXPECT_TRUE(::IsWindow(popup->GetSafeHwnd()));
    Key(VK_RIGHT);  // the hot item still is the sub-menu's
    sub = CKGPPopupMenu::GetActiveMenu();
    ASSERT_NE(popup, sub);
    Key(VK_DOWN);
    Key(VK_LEFT);  // from a sub-menu: back to its popup
    EXPECT_EQ(popup, CKGPPopupMenu::GetActiveMenu());
    const HWND first = popup->GetSafeHwnd();
    Key(VK_ESCAPE);
    EXPECT_EQ(nullptr, CKGPPopupMenu::GetActiveMenu());
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_TRUE(host.commands.empty()) << "nothing was chosen";
}

TEST_F(PopupTest, StepsStopAfterOneRoundWhenNothingCanBeSelected)
{
    auto* popup = new CKGPPopupMenu;
    ASSERT_TRUE(popup->Create(&host, 200, 200, nullptr, FALSE));
    for (int i = 0; i < 3; ++i)
        popup->InsertItem(CKGPToolbarMenuButton(static_cast<UINT>(-2), nullptr, -1, L"Label"));
    popup->RecalcLayout();
    Key(VK_DOWN);
    Key(VK_UP);
    Key(VK_HOME);
    EXPECT_EQ(nullptr, popup->GetSelItem()) << "no item takes the keys, and no loop runs for ever";
    Key(VK_ESCAPE);
    EXPECT_EQ(nullptr, CKGPPopupMenu::GetActiveMenu());
}

// The system's menu delay for one test, read again, and put back.
class MenuDelayScope {
public:
    explicit MenuDelayScope(const wchar_t* value)
    {
        ::RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_READ | KEY_WRITE, m_key.Put());
        wchar_t old[32] = {};
        DWORD size = sizeof(old);
        m_had = ::RegQueryValueExW(m_key.Get(), L"MenuShowDelay", nullptr, nullptr, reinterpret_cast<BYTE*>(old),
                                   &size) == ERROR_SUCCESS;
        m_old = old;
        Set(value);
    }
    ~MenuDelayScope()
    {
        if (m_had)
            Set(m_old.c_str());
        else
            ::RegDeleteValueW(m_key.Get(), L"MenuShowDelay");
        CKGPPopupMenuBar::ReadMenuShowDelay();
    }
    void Set(const wchar_t* value)
    {
        ::RegSetValueExW(m_key.Get(), L"MenuShowDelay", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                         static_cast<DWORD>((::wcslen(value) + 1) * sizeof(wchar_t)));
        CKGPPopupMenuBar::ReadMenuShowDelay();
    }

private:
    CRegKeyHandle m_key;
    bool m_had = false;
    std::wstring m_old;
};

TEST_F(PopupTest, TheMenuDelayIsReadFromTheSystemAndKeptWithinBounds)
{
    MenuDelayScope delay(L"0");
    EXPECT_EQ(0, CKGPPopupMenuBar::GetMenuShowDelay());
    delay.Set(L"-40");
    EXPECT_EQ(0, CKGPPopupMenuBar::GetMenuShowDelay()) << "negative values are clamped";
    delay.Set(L"9000");
    EXPECT_EQ(5000, CKGPPopupMenuBar::GetMenuShowDelay());
    delay.Set(L"250");
    EXPECT_EQ(250, CKGPPopupMenuBar::GetMenuShowDelay());
}

TEST_F(PopupTest, SubMenusOpenAndCloseOnTheirTimersAndStayWhenThePointerComesBack)
{
    MenuDelayScope delay(L"5000");  // the timers are fired here, not waited for
    CKGPPopupMenu* popup = Open();
    ASSERT_NE(nullptr, popup);
    CKGPPopupMenuBar& menuBar = *popup->GetMenuBar();
    HoverItem(menuBar, 0);  // the first move after opening is not the user's
    HoverItem(menuBar, 3);
    auto* more = popup->GetMenuItem(3);
    EXPECT_FALSE(more->IsDroppedDown()) << "the sub-menu waits for the delay";
    menuBar.SendMessage(WM_TIMER, 1);
    ASSERT_TRUE(more->IsDroppedDown());
    CKGPPopupMenu* sub = CKGPPopupMenu::GetActiveMenu();
    ASSERT_NE(popup, sub);

    HoverItem(menuBar, 1);
    EXPECT_EQ(more, menuBar.GetDelayedCloseButton()) << "another item: the sub-menu waits to close";
    EXPECT_TRUE(more->m_bToBeClosed);
    EXPECT_TRUE(more->IsDroppedDown());
    HoverItem(menuBar, 3);
    EXPECT_EQ(nullptr, menuBar.GetDelayedCloseButton()) << "back before the delay: it stays";
    EXPECT_FALSE(more->m_bToBeClosed);
    EXPECT_TRUE(more->IsDroppedDown());
    EXPECT_EQ(sub, CKGPPopupMenu::GetActiveMenu());

    HoverItem(menuBar, 1);
    menuBar.SendMessage(WM_TIMER, 2);
    Pump(20);
    EXPECT_FALSE(more->IsDroppedDown()) << "the delay passed with the pointer elsewhere";
    EXPECT_EQ(popup, CKGPPopupMenu::GetActiveMenu());
    EXPECT_TRUE(::IsWindow(popup->GetSafeHwnd()));
}

TEST_F(PopupTest, ALongMenuFitsTheWorkAreaAndScrollsByWheelAndKeys)
{
    AddMenuButton(LongMenu(300), L"&Long");
    CKGPPopupMenu* popup = Open(1);
    ASSERT_NE(nullptr, popup);
    EXPECT_TRUE(popup->IsScrollable());
    CRect window;
    popup->GetWindowRect(window);
    const CRect work = CKGPGlobalUtils::WorkAreaAt(window.TopLeft());
    EXPECT_LE(window.bottom - popup->GetShadowSize(), work.bottom) << "only its shadow may hang off";
    EXPECT_GE(window.top, work.top);
    CKGPPopupMenuBar& menuBar = *popup->GetMenuBar();
    EXPECT_EQ(0, menuBar.GetFirstVisibleRow());
    EXPECT_TRUE(popup->GetScrollUpRect().IsRectEmpty());
    EXPECT_FALSE(popup->GetScrollDownRect().IsRectEmpty()) << "rows remain below";
    EXPECT_EQ(CKGPMenuGlyphs::GetHeight() + 2 * popup->GetBorderSize(), popup->GetScrollDownRect().Height());

    popup->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0);
    EXPECT_EQ(2, menuBar.GetFirstVisibleRow()) << "one row per 120 units";
    EXPECT_FALSE(popup->GetScrollUpRect().IsRectEmpty());
    popup->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(1, menuBar.GetFirstVisibleRow());

    Key(VK_END);
    const CKGPToolbarButton* last = popup->GetSelItem();
    ASSERT_NE(nullptr, last);
    EXPECT_EQ(kFirstLong + 299, last->m_nCommand);
    CRect client;
    menuBar.GetClientRect(client);
    EXPECT_GE(last->m_rcButton.top, client.top);
    EXPECT_LE(last->m_rcButton.bottom, client.bottom) << "the hot item is brought into view";
    Key(VK_HOME);
    EXPECT_EQ(0, menuBar.GetFirstVisibleRow());
}

// The rectangle the item's tool has in the bar's tooltip control.
CRect ToolRect(CToolTipCtrl& tip, CWnd& owner, int index)
{
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.hwnd = owner.GetSafeHwnd();
    info.uId = static_cast<UINT_PTR>(index + 1);
    if (!tip.SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)))
        return CRect(-1, -1, -1, -1);
    return CRect(info.rect);
}

TEST_F(PopupTest, AnOpenedPopupMakesItsTipsWhenTheMouseFirstMovesOverItsItems)
{
    EXPECT_NE(nullptr, bar->GetToolTipCtrl()) << "a bar on the host has its tips from the start";
    AddMenuButton(LongMenu(300), L"&Long");
    CKGPPopupMenu* popup = Open(1);
    ASSERT_NE(nullptr, popup);
    CKGPPopupMenuBar& menuBar = *popup->GetMenuBar();
    EXPECT_EQ(nullptr, menuBar.GetToolTipCtrl()) << "not made while the popup opens";

    MSG key{menuBar.m_hWnd, WM_KEYDOWN, VK_SHIFT, 0, 0, {}};
    menuBar.PreTranslateMessage(&key);
    EXPECT_EQ(nullptr, menuBar.GetToolTipCtrl()) << "a key does not make them";
    const CPoint centre = menuBar.GetButton(0)->m_rcButton.CenterPoint();
    MSG move{menuBar.m_hWnd, WM_MOUSEMOVE, 0, keyloft_test::PointParam(centre.x, centre.y), 0, {}};
    menuBar.PreTranslateMessage(&move);
    CToolTipCtrl* tip = menuBar.GetToolTipCtrl();
    ASSERT_NE(nullptr, tip);
    EXPECT_EQ(300, tip->GetToolCount());
    EXPECT_EQ(menuBar.GetButton(5)->m_rcButton, ToolRect(*tip, menuBar, 5));
    menuBar.PreTranslateMessage(&move);
    EXPECT_EQ(tip, menuBar.GetToolTipCtrl()) << "made once";

    popup->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-360)), 0);
    ASSERT_EQ(3, menuBar.GetFirstVisibleRow());
    EXPECT_EQ(menuBar.GetButton(5)->m_rcButton, ToolRect(*tip, menuBar, 5)) << "the tools follow the scrolled items";
    EXPECT_EQ(menuBar.GetButton(299)->m_rcButton, ToolRect(*tip, menuBar, 299));
}

TEST_F(PopupTest, AccessibilityQueriesReadTheirPointSignedAndBoundTheirIndex)
{
    CKGPPopupMenu* popup = Open();
    ASSERT_NE(nullptr, popup);
    const int count = popup->GetMenuItemCount();
    EXPECT_EQ(-1, popup->SendMessage(KGM_ACCGETSTATE, static_cast<WPARAM>(count)));
    EXPECT_EQ(-1, popup->SendMessage(KGM_ACCGETSTATE, static_cast<WPARAM>(-1)));
    EXPECT_EQ(LRESULT(popup->GetMenuItem(1)->m_nBits), popup->SendMessage(KGM_ACCGETSTATE, 1));

    // Left of the primary monitor the coordinates are negative.
    popup->SetWindowPos(static_cast<const CWnd*>(nullptr), -400, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CKGPPopupMenuBar& menuBar = *popup->GetMenuBar();
    CPoint item = menuBar.GetButton(1)->m_rcButton.CenterPoint();
    menuBar.ClientToScreen(&item);
    ASSERT_LT(item.x, 0);
    EXPECT_EQ(1, popup->SendMessage(KGM_ACCHITTEST, 0, keyloft_test::PointParam(item.x, item.y)));
    EXPECT_EQ(-1, popup->SendMessage(KGM_ACCHITTEST, 0, keyloft_test::PointParam(item.x, item.y + 2000)));
}

TEST_F(PopupTest, TheApplicationLosingTheActivationClosesTheMenusAndTheBarLeavesItsMenuMode)
{
    // Opened by a click; the pointer goes elsewhere meanwhile.
    CPoint button = Button()->m_rcButton.CenterPoint();
    bar->ClientToScreen(&button);
    CRect client;
    host.GetClientRect(client);
    CPoint away(client.right - 20, client.bottom - 20);
    host.ClientToScreen(&away);
    host.SetForegroundWindow();
    test_support::CInputScript()
        .MoveTo(button)
        .Click()
        .WaitUntil([] { return test_support::CMenuDriver::FindShownMenu() != nullptr; })
        .MoveTo(away, 4)
        .Run();
    CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(0, bar->GetHotButton()) << "an open menu keeps its button hot";
    const HWND window = popup->GetSafeHwnd();
    popup->SendMessage(WM_ACTIVATEAPP, FALSE, 0);
    Pump(30);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_FALSE(Button()->IsDroppedDown());
    EXPECT_EQ(-1, bar->GetHotButton()) << "no button of the bar stays hot";
}

TEST_F(PopupTest, TheDialogHelperCountsTheShadowAsOutsideAndTheChainAsInside)
{
    CKGPPopupMenu* popup = Open();
    ASSERT_NE(nullptr, popup);
    Key('M');
    CKGPPopupMenu* sub = CKGPPopupMenu::GetActiveMenu();
    ASSERT_NE(popup, sub);
    CKGPDlgImpl impl(host);
    impl.SetActiveMenu(sub);
    CRect inner, outer;
    sub->GetWindowRect(inner);
    popup->GetWindowRect(outer);
    EXPECT_FALSE(impl.IsClickOutsideActiveMenu(inner.CenterPoint()));
    EXPECT_TRUE(impl.IsClickOutsideActiveMenu(CPoint(inner.right - 1, inner.CenterPoint().y))) << "its shadow";
    EXPECT_FALSE(impl.IsClickOutsideActiveMenu(CPoint(outer.left + 5, outer.top + 5))) << "the popup it came from";
    EXPECT_TRUE(impl.IsClickOutsideActiveMenu(CPoint(outer.left - 5, outer.top + 5)));
    EXPECT_EQ(sub->HitTest(CPoint(inner.right - 1, inner.top + 10)), kgp::kHitRightShadow);
    impl.SetActiveMenu(nullptr);
}

TEST_F(PopupTest, ATrackedMenuAnswersTheChoiceWithoutSendingIt)
{
    const CMenuHandle menu(FileMenu());
    UINT chosen = 0;
    {
        test_support::CMenuDriver driver({VK_DOWN, VK_DOWN, VK_RETURN});
        chosen = KGPMenuLinks::TrackPopupMenu(menu.Get(), 100, 100, &host);
        EXPECT_TRUE(driver.Found());
    }
    Pump(30);
    EXPECT_EQ(kOpen, chosen);
    EXPECT_TRUE(host.commands.empty());
    EXPECT_TRUE(::IsMenu(menu.Get())) << "the menu stays the caller's";
}

}  // namespace
