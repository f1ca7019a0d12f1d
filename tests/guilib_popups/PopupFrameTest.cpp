// Popup menus over a library frame: keys the frame filters reach the open
// popup, clicks are told by its parts (shadow, the button that opened it,
// outside), the frame's bars list fills the entry that stands for it, and a
// menu with a tear-off caption tears off into a floating bar the frame keeps;
// accessibility clients hear a menu or a popup end as popups close; a menu
// bar deleted before its window leaves its frame.
#include "tests/guilib_popups/PopupTestSupport.h"

#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/frames/KGPFrameWnd.h"
#include "guilib/core/KGPGlobalData.h"
#include "guilib/menus/KGPCustomizeMenuButton.h"
#include "guilib/menus/KGPMenuBar.h"
#include "guilib/menus/KGPPopupPlacement.h"
#include "guilib/menus/KGPTearOffManager.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "guilib/toolbars/KGPToolbarLinks.h"
#include "tests/support/RealInput.h"

namespace {

using namespace popup_test;
using keyloft_test::Pump;

class CPopupFrame : public CKGPFrameWnd {
public:
    BOOL Open()
    {
        m_bAutoMenuEnable = FALSE;
        return Create(nullptr, _T("Popups"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 640, 440));
    }
    std::vector<UINT> commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (lParam == 0)
            commands.push_back(LOWORD(wParam));
        return CKGPFrameWnd::OnCommand(wParam, lParam);
    }
    void PostNcDestroy() override {}
};

class PopupFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Open());
        ASSERT_TRUE(bar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE850));
        bar.SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, 300, 30, SWP_NOZORDER);
        const CMenuHandle menu(FileMenu());
        bar.InsertButtonCopy(CKGPToolbarMenuButton(0, menu.Get(), -1, L"&File"));
        bar.AdjustLayout();
        Pump(30);
    }
    void TearDown() override
    {
        if (CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu())
            popup->CloseChain();
        Pump(20);
        bar.DestroyWindow();
        frame.DestroyWindow();
    }
    CKGPToolbarMenuButton* Button() { return static_cast<CKGPToolbarMenuButton*>(bar.GetButton(0)); }
    CKGPPopupMenu* Open()
    {
        if (!Button()->OpenPopupMenu())
            return nullptr;
        Pump(30);
        return CKGPPopupMenu::GetActiveMenu();
    }
    // A key as the frame's message loop hands it over: TRUE when consumed.
    BOOL PressThroughFrame(UINT key)
    {
        MSG msg{frame.GetSafeHwnd(), WM_KEYDOWN, key, 1, 0, {}};
        const BOOL consumed = frame.PreTranslateMessage(&msg);
        Pump(20);
        return consumed;
    }

    CPopupFrame frame;
    CKGPToolBar bar;
};

TEST_F(PopupFrameTest, KeysTheFrameFiltersReachThePopupAndChooseItsCommand)
{
    CKGPPopupMenu* popup = Open();
    ASSERT_NE(nullptr, popup);
    EXPECT_TRUE(PressThroughFrame(VK_DOWN));
    EXPECT_TRUE(PressThroughFrame(VK_DOWN));
    ASSERT_NE(nullptr, popup->GetSelItem());
    EXPECT_EQ(kOpen, popup->GetSelItem()->m_nCommand);
    EXPECT_TRUE(PressThroughFrame(VK_RETURN));
    Pump(30);
    EXPECT_EQ(nullptr, CKGPPopupMenu::GetActiveMenu());
    EXPECT_EQ(std::vector<UINT>{kOpen}, frame.commands) << "through the bar to its frame";
    EXPECT_FALSE(PressThroughFrame(VK_DOWN)) << "no popup: the key goes on";
}

TEST_F(PopupFrameTest, ClicksAreToldByThePartOfThePopupTheyHit)
{
    CKGPFrameImpl& impl = frame.GetFrameImpl();
    CKGPPopupMenu* popup = Open();
    ASSERT_NE(nullptr, popup);
    CRect window;
    popup->GetWindowRect(window);
    EXPECT_FALSE(impl.ProcessMouseClick(WM_LBUTTONDOWN, window.CenterPoint(), popup->GetSafeHwnd()));
    EXPECT_EQ(popup, CKGPPopupMenu::GetActiveMenu()) << "a click on the menu is the menu's";
    CRect button = Button()->m_rcButton;
    bar.ClientToScreen(button);
    EXPECT_TRUE(impl.ProcessMouseClick(WM_LBUTTONDOWN, button.CenterPoint(), bar.GetSafeHwnd()));
    Pump(20);
    EXPECT_EQ(nullptr, CKGPPopupMenu::GetActiveMenu()) << "the button that opened it closes it";

    popup = Open();
    ASSERT_NE(nullptr, popup);
    popup->GetWindowRect(window);
    EXPECT_TRUE(impl.ProcessMouseClick(WM_LBUTTONDOWN, CPoint(window.right - 1, window.CenterPoint().y), nullptr))
        << "its shadow closes it and keeps the click";
    Pump(20);
    EXPECT_EQ(nullptr, CKGPPopupMenu::GetActiveMenu());

    popup = Open();
    ASSERT_NE(nullptr, popup);
    EXPECT_FALSE(impl.ProcessMouseClick(WM_LBUTTONDOWN, CPoint(500, 400), frame.GetSafeHwnd()))
        << "outside: it closes and the click goes on";
    Pump(20);
    EXPECT_EQ(nullptr, CKGPPopupMenu::GetActiveMenu());
    EXPECT_TRUE(frame.commands.empty());
}

TEST_F(PopupFrameTest, TheEntryForTheBarsBecomesTheListOfTheFramesBars)
{
    constexpr UINT kBarsEntry = 41050;
    bar.SetWindowText(L"Standard");
    frame.GetFrameImpl().m_uiControlbarsMenuEntryID = kBarsEntry;
    frame.GetDockManager()->EnableControlBarContextMenu(TRUE);
    bar.SetLibraryBarStyle(KGP_BARSTYLE_CLOSE);
    frame.EnableDocking(CBRS_ALIGN_ANY);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    frame.DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    const CMenuHandle menu(::CreatePopupMenu());
    ::AppendMenuW(menu.Get(), MF_STRING, kBarsEntry, L"Bars");
    bar.InsertButtonCopy(CKGPToolbarMenuButton(0, menu.Get(), -1, L"&View"));
    bar.AdjustLayout();
    ASSERT_TRUE(static_cast<CKGPToolbarMenuButton*>(bar.GetButton(1))->OpenPopupMenu());
    CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(-1, popup->GetMenuBar()->CommandToIndex(kBarsEntry)) << "the entry is replaced";
    EXPECT_GE(popup->GetMenuBar()->CommandToIndex(0xE850), 0) << "the bar is listed by its id";
}

TEST_F(PopupFrameTest, AMenuBarDeletedBeforeItsWindowLeavesItsFrame)
{
    auto menuBar = std::make_unique<CKGPMenuBar>();
    ASSERT_TRUE(menuBar->Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP));
    HMENU menu = ::CreateMenu();  // the bar owns the menu it shows
    ::AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(FileMenu()), L"&File");
    menuBar->m_bClearHashOnClose = TRUE;
    menuBar->CreateFromMenu(menu, FALSE, TRUE);
    ASSERT_EQ(menuBar.get(), frame.GetFrameImpl().GetMenuBar()) << "it joined its frame";
    const HWND window = menuBar->GetSafeHwnd();

    menuBar.reset();  // the object first: its window goes as the menu bar's
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(nullptr, frame.GetFrameImpl().GetMenuBar()) << "the frame keeps no menu bar that went";
    EXPECT_EQ(nullptr, CKGPMenuBar::FromFrame(&frame));
}

TEST_F(PopupFrameTest, AMenuTornOffBecomesAFloatingBarTheFrameKeeps)
{
    CKGPTearOffManager tearOff;
    ASSERT_TRUE(tearOff.Initialize(40000, 40010));
    Button()->SetTearOffId(40002);
    CKGPPopupMenu* popup = Open();
    ASSERT_NE(nullptr, popup);
    const CRect caption = popup->GetTearOffCaptionRect();
    ASSERT_FALSE(caption.IsRectEmpty()) << "a menu that may be torn off has a caption";
    EXPECT_EQ(10, caption.Height());
    CPoint onCaption = caption.CenterPoint();
    popup->ClientToScreen(&onCaption);
    EXPECT_EQ(kgp::kHitTearOff, popup->HitTest(onCaption));

    CRect window;
    popup->GetWindowRect(window);
    ASSERT_TRUE(popup->TearOff(CPoint(window.right + 40, window.top)));
    Pump(30);
    EXPECT_EQ(nullptr, CKGPPopupMenu::GetActiveMenu()) << "the menu closes";
    auto* torn = DYNAMIC_DOWNCAST(CKGPToolBar, frame.GetControlBar(40002));
    ASSERT_NE(nullptr, torn);
    EXPECT_NE(nullptr, torn->GetParentMiniFrame()) << "it floats";
    CString name;
    torn->GetWindowText(name);
    EXPECT_EQ(L"File", name);
    EXPECT_EQ(DWORD(CBRS_ALIGN_ANY), torn->GetEnabledAlignment());
    ASSERT_EQ(5, torn->GetCount()) << "New, Open, a separator, More, Exit";
    EXPECT_EQ(L"&New", torn->GetButton(0)->m_strCaption) << "the text before its tab";
    EXPECT_EQ(kNew, torn->GetButton(0)->m_nCommand);
    EXPECT_TRUE(torn->GetButton(2)->IsSeparator());
    const auto* more = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, torn->GetButton(3));
    ASSERT_NE(nullptr, more) << "a sub-menu stays a menu";
    EXPECT_EQ(2, more->GetCommands().GetCount());
    EXPECT_EQ(kExit, torn->GetButton(4)->m_nCommand);

    // Torn off again, the same bar is found, not a second one made.
    const INT_PTR bars = CKGPToolBar::GetAllToolbars().GetCount();
    popup = Open();
    ASSERT_NE(nullptr, popup);
    ASSERT_TRUE(popup->TearOff(CPoint(window.right + 60, window.top)));
    Pump(30);
    EXPECT_EQ(torn, DYNAMIC_DOWNCAST(CKGPToolBar, frame.GetControlBar(40002)));
    EXPECT_EQ(bars, CKGPToolBar::GetAllToolbars().GetCount());
}

}  // namespace

namespace {

// What accessibility clients hear as popups close over a frame whose menu
// bar holds the focus.
struct HeardEvent {
    DWORD event;
    HWND hwnd;
    LONG child;
};
std::vector<HeardEvent> g_heard;

void CALLBACK HearWinEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG, LONG child, DWORD, DWORD)
{
    if (event == EVENT_SYSTEM_MENUEND || event == EVENT_SYSTEM_MENUPOPUPEND || event == EVENT_OBJECT_FOCUS)
        g_heard.push_back({event, hwnd, child});
}

class PopupCloseAccessibilityTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Open());
        ASSERT_TRUE(menuBar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP));
        // The bar owns the menu it shows; its copy leaves the menu hash with
        // it (a popup made later on a menu of the same handle would find it).
        HMENU menu = ::CreateMenu();
        ::AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(FileMenu()), L"&File");
        menuBar.m_bClearHashOnClose = TRUE;
        menuBar.CreateFromMenu(menu, FALSE, TRUE);
        ASSERT_EQ(&menuBar, frame.GetFrameImpl().GetMenuBar());
        GetKGPGlobalData().m_bEnableAccessibility = TRUE;
        // In context: heard at once, while the closing popup's window still
        // exists (events queued for a window gone by then are dropped).
        hook = ::SetWinEventHook(EVENT_SYSTEM_MENUEND, EVENT_OBJECT_FOCUS, ::GetModuleHandleW(nullptr), HearWinEvent,
                                 ::GetCurrentProcessId(), 0, WINEVENT_INCONTEXT);
        ASSERT_NE(nullptr, hook);
    }
    void TearDown() override
    {
        ::UnhookWinEvent(hook);
        GetKGPGlobalData().m_bEnableAccessibility = FALSE;
        if (CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu())
            popup->CloseChain();
        Pump(20);
        menuBar.DestroyWindow();
        frame.DestroyWindow();
        CKGPLink<IKGPMenuOptionsLink>::StandIn(optionsBefore);
    }
    static CKGPPopupMenu* OpenFrom(CKGPToolBar& bar, int index)
    {
        auto* button = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, bar.GetButton(index));
        if (button == nullptr || !button->OpenPopupMenu())
            return nullptr;
        Pump(30);
        return CKGPPopupMenu::GetActiveMenu();
    }
    // The events heard as the popup closes.
    static std::vector<HeardEvent> Close(CKGPPopupMenu* popup)
    {
        g_heard.clear();
        popup->SendMessage(WM_CLOSE);
        Pump(30);
        return g_heard;
    }
    static int Count(const std::vector<HeardEvent>& heard, DWORD event, HWND hwnd)
    {
        int n = 0;
        for (const HeardEvent& e : heard)
            n += e.event == event && e.hwnd == hwnd ? 1 : 0;
        return n;
    }

    // A menu bar, once made, turns recently used menus on for every popup
    // of the process: the other popup tests run without.
    IKGPMenuOptionsLink* optionsBefore = CKGPLink<IKGPMenuOptionsLink>::Get();
    CPopupFrame frame;
    CKGPMenuBar menuBar;
    HWINEVENTHOOK hook = nullptr;
};

TEST_F(PopupCloseAccessibilityTest, AMenuEndsWithItsFirstLevelAndTheFocusedMenuBarNamesItsItemAgain)
{
    menuBar.SetFocus();
    CKGPPopupMenu* file = OpenFrom(menuBar, 0);
    ASSERT_NE(nullptr, file);
    int moreIndex = -1;
    for (int i = 0; i < file->GetMenuBar()->GetCount(); ++i) {
        if (file->GetMenuBar()->GetButton(i)->m_strCaption == L"&More")
            moreIndex = i;
    }
    ASSERT_GE(moreIndex, 0);
    CKGPPopupMenu* more = OpenFrom(*file->GetMenuBar(), moreIndex);
    ASSERT_NE(nullptr, more);
    ASSERT_NE(file, more);
    EXPECT_TRUE(file->IsTopLevelButtonMenu());
    EXPECT_FALSE(more->IsTopLevelButtonMenu());
    ASSERT_EQ(menuBar.m_hWnd, ::GetFocus());

    // The sub-menu closed takes the menu with it.
    const HWND fileWindow = file->GetSafeHwnd();
    const HWND moreWindow = more->GetSafeHwnd();
    const int hot = menuBar.GetHotButton();
    std::vector<HeardEvent> heard = Close(more);
    ASSERT_FALSE(::IsWindow(fileWindow));
    EXPECT_EQ(1, Count(heard, EVENT_SYSTEM_MENUPOPUPEND, moreWindow)) << "a sub-menu ends its popup only";
    EXPECT_EQ(0, Count(heard, EVENT_SYSTEM_MENUEND, moreWindow));
    EXPECT_EQ(1, Count(heard, EVENT_SYSTEM_MENUEND, fileWindow)) << "a menu button's first level ends the menu";
    EXPECT_EQ(0, Count(heard, EVENT_SYSTEM_MENUPOPUPEND, fileWindow));
    EXPECT_GE(Count(heard, EVENT_OBJECT_FOCUS, menuBar.m_hWnd), 1) << "the menu bar names its item again";
    for (const HeardEvent& e : heard) {
        if (e.event == EVENT_OBJECT_FOCUS && e.hwnd == menuBar.m_hWnd) {
            EXPECT_EQ(hot >= 0 ? hot + 1 : CHILDID_SELF, e.child);
        }
    }

    // Without the focus the menu bar stays silent.
    file = OpenFrom(menuBar, 0);
    ASSERT_NE(nullptr, file);
    frame.SetFocus();
    ASSERT_NE(menuBar.m_hWnd, ::GetFocus());
    const HWND againWindow = file->GetSafeHwnd();
    heard = Close(file);
    EXPECT_EQ(1, Count(heard, EVENT_SYSTEM_MENUEND, againWindow));
    EXPECT_EQ(0, Count(heard, EVENT_OBJECT_FOCUS, menuBar.m_hWnd));
}

// A toolbar's customise button over a library frame: its menu lists the
// hidden buttons, its customise entry, then a heading, an entry per button of
// the bar and the bar's reset.
class CustomizeButtonFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Open());
        ASSERT_TRUE(bar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE851));
        bar.InsertButton(std::make_unique<CKGPToolbarButton>(0x7701, -1, L"Alpha"));
        bar.InsertButton(std::make_unique<CKGPToolbarButton>(0x7702, -1, L"Beta"));
        bar.EnableCustomizeButton(TRUE, 0x7709, L"Customize...");
        bar.SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, 400, 30, SWP_NOZORDER);
        bar.AdjustLayout();
        keyloft_test::Pump(20);
    }
    void TearDown() override
    {
        if (CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu())
            popup->CloseChain();
        keyloft_test::Pump(20);
        bar.DestroyWindow();
        frame.DestroyWindow();
    }
    // From the open customise menu: the item with the text (the first item
    // when none is given) opened by the mouse; the popup it opened.
    static CKGPPopupMenu* OpenItem(LPCTSTR lpszText)
    {
        CKGPPopupMenu* open = CKGPPopupMenu::GetActiveMenu();
        for (int i = 0; open != nullptr && i < open->GetMenuItemCount(); ++i) {
            CKGPToolbarMenuButton* item = open->GetMenuItem(i);
            if (item == nullptr || (lpszText != nullptr && item->m_strCaption != lpszText))
                continue;
            CRect rect;
            open->GetMenuBar()->GetItemRect(i, rect);
            open->GetMenuBar()->ClientToScreen(rect);
            keyloft_test::ClickAt(rect.CenterPoint());
            keyloft_test::PumpUntil([open] { return CKGPPopupMenu::GetActiveMenu() != open; });
            return CKGPPopupMenu::GetActiveMenu() != open ? CKGPPopupMenu::GetActiveMenu() : nullptr;
        }
        return nullptr;
    }
    // The customise button's menu > Add or Remove Buttons > the bar's name.
    CKGPPopupMenu* OpenBarButtons()
    {
        frame.SetForegroundWindow();
        keyloft_test::PumpTranslated(30);
        CRect chevron = bar.GetCustomizeButton()->m_rcButton;
        bar.ClientToScreen(chevron);
        keyloft_test::ClickAt(chevron.CenterPoint());
        if (!keyloft_test::PumpUntil([] { return CKGPPopupMenu::GetActiveMenu() != nullptr; }))
            return nullptr;
        return OpenItem(CCustomizeButton::AddRemoveButtonsText()) != nullptr ? OpenItem(nullptr) : nullptr;
    }

    CPopupFrame frame;
    CKGPToolBar bar;
};

TEST_F(CustomizeButtonFrameTest, ItsMenuOffersEachButtonOfTheBarAndTheReset)
{
    CCustomizeButton* chevron = bar.GetCustomizeButton();
    ASSERT_NE(nullptr, chevron);
    ASSERT_TRUE(chevron->HandleClick(&bar, FALSE));
    keyloft_test::Pump(30);
    CKGPPopupMenu* first = CKGPPopupMenu::GetActiveMenu();
    ASSERT_NE(nullptr, first);
    ASSERT_EQ(2, first->GetMenuItemCount()) << "Add or Remove Buttons, the customise entry";
    EXPECT_EQ(CCustomizeButton::AddRemoveButtonsText(), first->GetMenuItem(0)->m_strCaption);
    EXPECT_EQ(CString(L"Customize..."), first->GetMenuItem(1)->m_strCaption);
    first->CloseChain();
    keyloft_test::Pump(20);

    bar.SetWindowText(L"Letters");
    CKGPPopupMenu* popup = OpenBarButtons();
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(CString(L"Letters"), popup->GetParentButton()->m_strCaption) << "under the bar's name";
    std::vector<CString> texts;
    int entries = 0;
    for (int i = 0; i < popup->GetMenuItemCount(); ++i) {
        // A separator is a plain button, not a menu item.
        CKGPToolbarMenuButton* item = popup->GetMenuItem(i);
        texts.push_back(item != nullptr ? item->m_strCaption : CString());
        entries += DYNAMIC_DOWNCAST(CKGPCustomizeMenuButton, item) != nullptr ? 1 : 0;
    }
    ASSERT_EQ(4u, texts.size()) << "Alpha, Beta, separator, reset";
    EXPECT_EQ(CString(L"&Reset Toolbar"), texts[3]);
    EXPECT_EQ(CCustomizeButton::kNoCommandEntry, popup->GetMenuItem(3)->m_nCommand);
    EXPECT_EQ(3, entries) << "Alpha, Beta and the reset are the bar's entries";
    auto* alpha = DYNAMIC_DOWNCAST(CKGPCustomizeMenuButton, popup->GetMenuItem(0));
    ASSERT_NE(nullptr, alpha);
    EXPECT_TRUE(alpha->IsChecked()) << "Alpha shows on the bar";
    EXPECT_EQ(&bar, CKGPCustomizeMenuButton::m_pWndToolBar);
}

// A button the user took off the bar (while customising) is offered again by
// the customise button's menu, unchecked, and a click brings it back where
// its resource had it; driven by the real mouse.
TEST_F(CustomizeButtonFrameTest, AButtonTakenOffTheBarComesBackFromItsMenu)
{
    const UINT ids[] = {0x7701, 0x7702, 0, 0x7703};
    ASSERT_TRUE(bar.SetButtons(ids, 4, TRUE));
    bar.AdjustLayout();
    ASSERT_TRUE(bar.RemoveButton(1));
    ASSERT_EQ(-1, bar.CommandToIndex(0x7702));
    CKGPPopupMenu* popup = OpenBarButtons();
    ASSERT_NE(nullptr, popup);
    CKGPCustomizeMenuButton* missing = nullptr;
    std::vector<UINT> entries;
    for (int i = 0; i < popup->GetMenuItemCount(); ++i) {
        auto* entry = DYNAMIC_DOWNCAST(CKGPCustomizeMenuButton, popup->GetMenuItem(i));
        if (entry == nullptr || entry->GetItemIndex() == CKGPCustomizeMenuButton::kResetEntry)
            continue;
        entries.push_back(entry->m_nCommand);
        if (entry->m_nCommand == 0x7702)
            missing = entry;
    }
    EXPECT_EQ((std::vector<UINT>{0x7701, 0x7702, 0x7703}), entries) << "in the resource's order";
    ASSERT_NE(nullptr, missing) << "the button taken off is offered";
    EXPECT_FALSE(missing->IsChecked()) << "unchecked: the bar lacks it";

    CRect item;
    CKGPToolBar* items = popup->GetMenuBar();
    items->GetItemRect(items->ButtonToIndex(missing), item);
    items->ClientToScreen(item);
    keyloft_test::ClickAt(item.CenterPoint());
    EXPECT_TRUE(keyloft_test::PumpUntil([this] { return bar.CommandToIndex(0x7702) >= 0; }));
    EXPECT_EQ(1, bar.CommandToIndex(0x7702)) << "back where the resource had it";
    EXPECT_TRUE(bar.GetButton(2)->IsSeparator()) << "with the separator after it, once";
    EXPECT_FALSE(bar.GetButton(3)->IsSeparator());
    EXPECT_EQ(popup, CKGPPopupMenu::GetActiveMenu()) << "the menu stays open";
    EXPECT_TRUE(missing->IsChecked());
    EXPECT_FALSE(bar.GetButton(1)->m_rcButton.IsRectEmpty()) << "laid out on the bar";
    EXPECT_TRUE(frame.commands.empty());
}

TEST_F(CustomizeButtonFrameTest, AHiddenButtonChosenFromItsMenuClosesTheMenuAndActsAsTheButton)
{
    bar.SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, 40, 30, SWP_NOMOVE | SWP_NOZORDER);
    CCustomizeButton* chevron = bar.GetCustomizeButton();
    ASSERT_NE(nullptr, chevron);
    ASSERT_TRUE(chevron->HasHiddenButtons());
    ASSERT_TRUE(chevron->HandleClick(&bar, FALSE));
    keyloft_test::Pump(30);
    CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
    ASSERT_NE(nullptr, popup);
    CKGPToolbarMenuButton* beta = nullptr;
    for (int i = 0; i < popup->GetMenuItemCount() && beta == nullptr; ++i) {
        CKGPToolbarMenuButton* item = popup->GetMenuItem(i);
        if (item != nullptr && item->m_nCommand == 0x7702 && !item->IsKindOf(RUNTIME_CLASS(CKGPCustomizeMenuButton)))
            beta = item;
    }
    ASSERT_NE(nullptr, beta) << "Beta has no room: the menu lists it";
    const HWND popupWindow = popup->GetSafeHwnd();

    EXPECT_TRUE(popup->GetMenuBar()->ClickItem(beta));
    keyloft_test::Pump(30);
    EXPECT_FALSE(::IsWindow(popupWindow)) << "the menu closed";
    EXPECT_EQ(std::vector<UINT>{0x7702}, frame.commands) << "Beta's command, once";
}

} // namespace
