// Bars that come with the popup menus: the entries of a customise menu (a
// toolbar's buttons shown and hidden with their separators, one of its
// resource brought back, its reset asked for) and the tabbed toolbar on a
// tab window made through the tab windows' link.
#include "tests/guilib_popups/PopupTestSupport.h"

#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPTabWindowLink.h"
#include "guilib/menus/KGPCustomizeMenuButton.h"
#include "guilib/toolbars/KGPTabbedToolbar.h"

#include <string>

namespace {

using namespace popup_test;
using keyloft_test::Pump;

// A toolbar that records the requests of its reset instead of asking the user.
class CResetRecordingBar : public CKGPToolBar {
public:
    int resets = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == KGTOOLBAR_RESETRPROMPT) {
            ++resets;
            return 0;
        }
        return CKGPToolBar::WindowProc(message, wParam, lParam);
    }
};

class CustomizeEntriesTest : public PopupTest {
protected:
    void SetUp() override
    {
        PopupTest::SetUp();
        tools = &host.Make<CResetRecordingBar>();
        ASSERT_TRUE(tools->Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE831));
        const UINT ids[] = {501, 0, 502, 503};
        ASSERT_TRUE(tools->SetButtons(ids, 4));
        ASSERT_EQ(4, tools->GetCount());
        CKGPCustomizeMenuButton::m_pWndToolBar = tools;
        popup = new CKGPPopupMenu;
        ASSERT_TRUE(popup->Create(&host, 300, 120, nullptr, FALSE));
    }
    void TearDown() override
    {
        CKGPCustomizeMenuButton::m_pWndToolBar = nullptr;
        PopupTest::TearDown();
    }
    CKGPCustomizeMenuButton* AddEntry(UINT command, int index, BOOL exists, BOOL addSeparator, LPCTSTR text = nullptr)
    {
        CKGPCustomizeMenuButton entry(command, nullptr, -1, text);
        entry.SetItemIndex(index, exists, addSeparator);
        popup->InsertItem(entry);
        popup->RecalcLayout();
        return static_cast<CKGPCustomizeMenuButton*>(popup->GetMenuItem(popup->GetMenuItemCount() - 1));
    }
    void Click(CKGPCustomizeMenuButton* entry) { popup->GetMenuBar()->ClickItem(entry); }

    CResetRecordingBar* tools = nullptr;
    CKGPPopupMenu* popup = nullptr;
};

TEST_F(CustomizeEntriesTest, AnEntryHidesAndShowsItsButtonWithTheSeparatorAfterIt)
{
    tools->SetButtonText(0, L"One\tCtrl+1");
    CKGPCustomizeMenuButton* one = AddEntry(501, 0, TRUE, TRUE);
    EXPECT_TRUE(one->IsChecked()) << "the button shows";
    EXPECT_EQ(L"One", one->m_strCaption) << "the text up to its tab";
    EXPECT_EQ(L"Three", AddEntry(503, 3, TRUE, FALSE, L"Three\tCtrl+3")->m_strCaption)
        << "a text given as the bar's button has it: up to its tab too";
    Click(one);
    EXPECT_FALSE(tools->GetButton(0)->m_bShown);
    EXPECT_FALSE(tools->GetButton(1)->m_bShown) << "the separator after it goes with it";
    EXPECT_FALSE(one->IsChecked());
    EXPECT_TRUE(::IsWindow(popup->GetSafeHwnd())) << "the menu stays open";
    EXPECT_TRUE(popup->IsWindowVisible());
    Click(one);
    EXPECT_TRUE(tools->GetButton(0)->m_bShown);
    EXPECT_TRUE(tools->GetButton(1)->m_bShown);
    EXPECT_TRUE(one->IsChecked());
    EXPECT_TRUE(host.commands.empty()) << "an entry sends no command";
}

TEST_F(CustomizeEntriesTest, AResourceButtonTheBarLacksComesBackAndTheLaterEntriesFollow)
{
    // 501 leaves the bar: the menu lists it from the resource, unchecked, in
    // its place before the bar's own buttons' entries.
    ASSERT_TRUE(tools->RemoveButton(0));
    ASSERT_EQ(3, tools->GetCount());
    CKGPCustomizeMenuButton* two = AddEntry(502, 1, TRUE, FALSE);
    AddEntry(503, 2, TRUE, FALSE);
    EXPECT_EQ(1, CKGPCustomizeMenuButton::AddMissingResourceEntries(*popup, *tools, 0)) << "501 alone is missing";
    popup->RecalcLayout();
    ASSERT_EQ(3, popup->GetMenuItemCount());
    auto* one = DYNAMIC_DOWNCAST(CKGPCustomizeMenuButton, popup->GetMenuItem(0));
    ASSERT_NE(nullptr, one) << "at its place in the resource, first";
    EXPECT_EQ(501u, one->m_nCommand);
    EXPECT_EQ(0, one->GetItemIndex());
    EXPECT_FALSE(one->IsChecked());
    two = static_cast<CKGPCustomizeMenuButton*>(popup->GetMenuItem(1));
    Click(one);
    ASSERT_EQ(4, tools->GetCount());
    EXPECT_EQ(501u, tools->GetButton(0)->m_nCommand);
    EXPECT_TRUE(tools->GetButton(1)->IsSeparator()) << "one separator after it, not a second";
    EXPECT_EQ(0, one->GetItemIndex());
    EXPECT_TRUE(one->IsChecked());
    EXPECT_EQ(2, two->GetItemIndex()) << "the entry after it follows its button";
}

TEST_F(CustomizeEntriesTest, TheResetEntryAsksTheToolbarAndClosesTheMenu)
{
    CKGPCustomizeMenuButton* reset = AddEntry(static_cast<UINT>(-20), CKGPCustomizeMenuButton::kResetEntry, FALSE,
                                              FALSE, L"Reset");
    EXPECT_TRUE(reset->IsEnabledEntry()) << "the bar is no toolbar of the user's own";
    const HWND window = popup->GetSafeHwnd();
    Click(reset);
    Pump(30);
    EXPECT_EQ(1, tools->resets);
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_TRUE(host.commands.empty());
}

// ---- The tabbed toolbar ----

// Tab windows as the link gives them: plain child windows and a record of the tabs.
class CFakeTabWindows final : public IKGPTabWindowLink {
public:
    CFakeTabWindows() { CKGPLink<IKGPTabWindowLink>::StandIn(this); }
    ~CFakeTabWindows() { CKGPLink<IKGPTabWindowLink>::StandIn(nullptr); }

    struct Tab {
        CWnd* window;
        CString label;
        UINT image;
        BOOL detachable;
        BOOL shown;
    };
    std::unique_ptr<CWnd> CreateTabWindow(CWnd* pParent, const CRect& rect, UINT nID) override
    {
        auto window = std::make_unique<CWnd>();
        if (!window->Create(AfxRegisterWndClass(0), _T(""), WS_CHILD | WS_VISIBLE, rect, pParent, nID))
            return nullptr;
        made = window.get();
        return window;
    }
    BOOL IsTabWindow(const CWnd* pWnd) const override { return pWnd != nullptr && pWnd == made; }
    void AddTab(CWnd*, CWnd* pWnd, LPCTSTR lpszLabel, UINT uiImage, BOOL bDetachable) override
    {
        tabs.push_back(Tab{pWnd, lpszLabel, uiImage, bDetachable, TRUE});
    }
    int GetTabsNum(const CWnd*) const override { return static_cast<int>(tabs.size()); }
    BOOL SetActiveTab(CWnd*, int iTab) override
    {
        active = iTab;
        return TRUE;
    }
    BOOL ShowTab(CWnd*, int iTab, BOOL bShow, BOOL, BOOL) override
    {
        if (iTab < 0 || iTab >= GetTabsNum(nullptr))
            return FALSE;
        tabs[static_cast<size_t>(iTab)].shown = bShow;
        return TRUE;
    }
    void GetTabArea(const CWnd* pTabWnd, CRect& rect) const override
    {
        pTabWnd->GetClientRect(rect);
        rect.DeflateRect(2, 2);
    }

    CWnd* made = nullptr;
    std::vector<Tab> tabs;
    int active = -1;
};

TEST_F(PopupTest, WithoutTabWindowsNoTabbedToolbarIsMadeAndNoTabIsAdded)
{
    // No tab windows: a link a library frame of an earlier test registered is set aside.
    IKGPTabWindowLink* registered = CKGPLink<IKGPTabWindowLink>::Get();
    CKGPLink<IKGPTabWindowLink>::StandIn(nullptr);
    struct Restore {
        IKGPTabWindowLink* link;
        ~Restore() { CKGPLink<IKGPTabWindowLink>::StandIn(link); }
    } restore{registered};
    CKGPTabbedToolbar tabbed;
    EXPECT_FALSE(tabbed.AddTab(bar)) << "no window yet";
    EXPECT_FALSE(tabbed.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE840));
    EXPECT_EQ(nullptr, tabbed.GetSafeHwnd());
    EXPECT_FALSE(tabbed.AddTab(bar));
    EXPECT_EQ(&host, bar->GetParent()) << "the bar stays where it was";
}

TEST_F(PopupTest, ABarAddedAsATabMovesIntoTheTabWindowWithoutItsGripper)
{
    CFakeTabWindows tabWindows;
    auto& tabbed = host.Make<CKGPTabbedToolbar>();
    ASSERT_TRUE(tabbed.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP | 0x5500, 0xE840, 1));
    EXPECT_NE(0u, tabbed.GetBarStyleWord() & CBRS_GRIPPER) << "extra style bit 0 gives a gripper";
    EXPECT_EQ(0u, tabbed.GetBarStyleWord() & 0x5500);
    ASSERT_NE(nullptr, tabbed.GetTabWnd());
    EXPECT_EQ(tabWindows.made, tabbed.GetTabWnd());
    EXPECT_EQ(int(CKGPTabbedToolbar::kTabWindowId), tabbed.GetTabWnd()->GetDlgCtrlID());
    EXPECT_EQ(&tabbed, tabbed.GetTabWnd()->GetParent());

    auto& first = host.Make<CKGPToolBar>();
    ASSERT_TRUE(first.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, 0xE841));
    first.SetWindowText(L"Tools");
    auto& second = host.Make<CKGPToolBar>();
    ASSERT_TRUE(second.Create(&host, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE842));
    second.SetWindowText(L"More");

    ASSERT_TRUE(tabbed.AddTab(&first));
    EXPECT_EQ(tabbed.GetTabWnd(), first.GetParent());
    EXPECT_EQ(tabbed.GetOwner(), first.GetOwner());
    EXPECT_EQ(0u, first.GetBarStyleWord() & CBRS_GRIPPER);
    ASSERT_EQ(1u, tabWindows.tabs.size());
    EXPECT_EQ(L"Tools", tabWindows.tabs[0].label);
    EXPECT_EQ(UINT(-1), tabWindows.tabs[0].image);
    EXPECT_EQ(0, tabWindows.active);
    EXPECT_TRUE(tabWindows.tabs[0].shown);

    ASSERT_TRUE(tabbed.AddTab(&second, FALSE, FALSE, FALSE));
    ASSERT_EQ(2u, tabWindows.tabs.size());
    EXPECT_FALSE(tabWindows.tabs[1].shown);
    EXPECT_FALSE(tabWindows.tabs[1].detachable);
    EXPECT_EQ(0, tabWindows.active) << "not made active";

    // The tab window fills the bar; a bar inside it takes the area its tabs fill.
    tabbed.SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 40, 300, 80, SWP_NOZORDER);
    CRect client, tabWindow;
    tabbed.GetClientRect(client);
    tabbed.GetTabWnd()->GetWindowRect(tabWindow);
    EXPECT_EQ(client.Size(), tabWindow.Size());
    first.AdjustLayout();
    CRect area, window;
    tabWindows.GetTabArea(tabbed.GetTabWnd(), area);
    first.GetWindowRect(window);
    EXPECT_EQ(area.Size(), window.Size());
}

}  // namespace
