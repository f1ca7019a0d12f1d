// Outlook bars docked in a test frame: pages of shortcut buttons switched by
// their page buttons, a page scrolled by its arrow, default buttons restored,
// the compact mode's caption, splitter and toolbar, custom pages stored and
// made again (damaged stored pages refused whole, the live pages kept), and
// what the bar accepts and lets float.
#include <gtest/gtest.h>

#include "guilib/core/KGPLibraryResources.h"
#include "guilib/core/KGPRegistry.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/panes/KGPOutlookBar.h"
#include "guilib/docking/KGPOutlookBarLink.h"
#include "guilib/panes/KGPOutlookBarLinks.h"
#include "guilib/panes/KGPOutlookBarPane.h"
#include "guilib/panes/KGPOutlookButton.h"
#include "guilib/panes/KGPOutlookOptionsDlg.h"
#include "guilib/panes/KGPOutlookWnd.h"
#include "tests/support/ButtonDataObject.h"
#include "tests/support/DialogTesting.h"
#include "tests/guilib_docking/DockingTestFrame.h"
#include "tests/guilib_panes/OutlookTestImages.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

#include <memory>
#include <vector>

namespace {

using namespace docking_test;

constexpr LPCTSTR kProfile = _T("Software\\KeyloftTests\\Outlook\\");

class OutlookBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Open());
        frame.SetForegroundWindow();
        outlook_test::AddThreeImages();
        CKGPRegistry cleaner(FALSE, FALSE);
        cleaner.DeleteKey(_T("Software\\KeyloftTests\\Outlook"), TRUE);
    }
    void TearDown() override
    {
        frame.DestroyWindow();
        keyloft_test::Pump(30);
        bars.clear();
        pages.clear();
        windows.clear();
        CKGPRegistry cleaner(FALSE, FALSE);
        cleaner.DeleteKey(_T("Software\\KeyloftTests\\Outlook"), TRUE);
    }
    CKGPOutlookBar* MakeBar(UINT id, DWORD barStyle = KGP_BARSTYLE_RESIZE | 0x4, DWORD side = CBRS_LEFT)
    {
        bars.push_back(std::make_unique<CKGPOutlookBar>());
        CKGPOutlookBar* bar = bars.back().get();
        EXPECT_TRUE(bar->Create(_T("Shortcuts"), &frame, CRect(0, 0, 180, 400), id, WS_CHILD | WS_VISIBLE | side,
                                barStyle));
        return bar;
    }
    // A page that may be dragged out of its bar (it then floats and its
    // frame follows the mouse) is made with detachable set.
    CKGPOutlookBarPane* AddPage(CKGPOutlookBar* bar, UINT id, LPCTSTR title, int buttons, bool detachable = false)
    {
        pages.push_back(std::make_unique<CKGPOutlookBarPane>());
        CKGPOutlookBarPane* page = pages.back().get();
        EXPECT_TRUE(page->CreatePane(bar, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT, id,
                                     detachable ? KGP_BARSTYLE_FLOAT : 0));
        page->EnableTextLabels(TRUE);
        for (int i = 0; i < buttons; ++i) {
            CString label;
            label.Format(_T("%s %d"), title, i + 1);
            page->AddButton(i % 3, label, 5000 + static_cast<UINT>(i));
        }
        page->SetDefaultState();
        CKGPOutlookWnd* outlook = bar->GetOutlookWnd();
        outlook->AddTab(page, title, static_cast<UINT>(-1), detachable ? TRUE : FALSE);
        // The docking pane wrapping it is what floats.
        auto* wrapper = DYNAMIC_DOWNCAST(CKGPBaseControlBar, outlook->GetTabWnd(outlook->GetTabsNum() - 1));
        if (detachable && wrapper != nullptr)
            wrapper->SetDockingMode(KGP_DOCK_IMMEDIATE);
        return page;
    }

    CTestFrame frame;
    std::vector<std::unique_ptr<CKGPOutlookBar>> bars;
    std::vector<std::unique_ptr<CKGPOutlookBarPane>> pages;
    std::vector<std::unique_ptr<CWnd>> windows; // plain page windows and docking panes
};

TEST_F(OutlookBarTest, DockedBarSwitchesPagesAndPlacesThemBetweenTheirButtons)
{
    CKGPOutlookBar* bar = MakeBar(7001);
    CKGPOutlookBarPane* mail = AddPage(bar, 7101, _T("Mail"), 4);
    CKGPOutlookBarPane* notes = AddPage(bar, 7102, _T("Notes"), 3);
    CKGPOutlookBarPane* tasks = AddPage(bar, 7103, _T("Tasks"), 2);
    frame.RecalcLayout();
    keyloft_test::Pump(30);
    CKGPOutlookWnd* outlook = bar->GetOutlookWnd();
    ASSERT_EQ(3, outlook->GetTabsNum());
    EXPECT_EQ(0, outlook->GetActiveTab());
    EXPECT_TRUE(mail->IsWindowVisible());
    EXPECT_FALSE(notes->IsWindowVisible());

    // Activating the last page puts every page button above its page.
    ASSERT_TRUE(outlook->SetActiveTab(2));
    keyloft_test::Pump(20);
    EXPECT_FALSE(mail->IsWindowVisible());
    EXPECT_TRUE(tasks->IsWindowVisible());
    CRect page = outlook->GetPageRect();
    CRect tab;
    ASSERT_TRUE(outlook->GetTabRect(2, tab));
    EXPECT_EQ(tab.bottom, page.top);
    CRect placed;
    tasks->GetWindowRect(placed);
    outlook->ScreenToClient(placed);
    EXPECT_EQ(page, placed);

    // A click on a page button activates it and the parent hears of it.
    ASSERT_TRUE(outlook->GetTabRect(1, tab));
    outlook->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(tab.CenterPoint().x, tab.CenterPoint().y));
    outlook->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(tab.CenterPoint().x, tab.CenterPoint().y));
    keyloft_test::Pump(20);
    EXPECT_EQ(1, outlook->GetActiveTab());
    EXPECT_TRUE(notes->IsWindowVisible());
    EXPECT_FALSE(tasks->IsWindowVisible());
    EXPECT_FALSE(outlook->SetActiveTab(3));

    // The buttons of a page stand centred one under another.
    const CRect first = notes->GetButton(0)->m_rcButton;
    const CRect second = notes->GetButton(1)->m_rcButton;
    EXPECT_LT(first.bottom, second.top + 1);
    CRect client;
    notes->GetClientRect(client);
    EXPECT_NEAR(client.CenterPoint().x, first.CenterPoint().x, 1);
    EXPECT_TRUE(keyloft_test::SaveScreenshot(frame.GetSafeHwnd(), L"guilib_panes_outlook.bmp"));
}

TEST_F(OutlookBarTest, NoVisiblePageHidesTheWindowAndOnePageCannotFloat)
{
    CKGPOutlookBar* bar = MakeBar(7002);
    CKGPOutlookBarPane* only = AddPage(bar, 7111, _T("Only"), 2);
    frame.RecalcLayout();
    EXPECT_FALSE(bar->FloatTab(only, 0, KGP_DM_UNKNOWN));
    AddPage(bar, 7112, _T("Second"), 2);
    CKGPOutlookWnd* outlook = bar->GetOutlookWnd();
    outlook->ShowTab(0, FALSE);
    outlook->ShowTab(1, FALSE);
    outlook->RecalcLayout();
    EXPECT_FALSE(outlook->IsWindowVisible());
}

TEST_F(OutlookBarTest, ScrollDownButtonStepsOnceAndRestoringDefaultsBringsTheButtonsBack)
{
    CKGPOutlookBar* bar = MakeBar(7003);
    CKGPOutlookBarPane* page = AddPage(bar, 7121, _T("Many"), 20);
    frame.RecalcLayout();
    keyloft_test::Pump(20);
    ASSERT_TRUE(page->IsScrollDownAvailable());
    CKGPButton& down = page->GetScrollDownButton();
    ASSERT_TRUE(down.IsWindowVisible());
    EXPECT_FALSE(page->GetScrollUpButton().IsWindowVisible());

    CRect rectDown;
    down.GetClientRect(rectDown);
    MSG msg{};
    msg.hwnd = down.GetSafeHwnd();
    msg.message = WM_LBUTTONDOWN;
    msg.wParam = MK_LBUTTON;
    msg.lParam = MAKELPARAM(rectDown.CenterPoint().x, rectDown.CenterPoint().y);
    EXPECT_TRUE(page->PreTranslateMessage(&msg));
    EXPECT_EQ(1, page->GetFirstVisibleButton());
    EXPECT_GT(page->GetScrollOffset(), 0);
    msg.message = WM_LBUTTONUP;
    page->PreTranslateMessage(&msg);
    keyloft_test::Pump(10);
    EXPECT_TRUE(page->GetScrollUpButton().IsWindowVisible());
    page->ScrollUp();
    EXPECT_EQ(0, page->GetScrollOffset());

    // Page steps stop where the page ends; a page too short for one button steps nothing.
    page->EnablePageScrollMode(TRUE);
    page->ScrollPageDown();
    const int afterPage = page->GetFirstVisibleButton();
    EXPECT_GT(afterPage, 1);
    page->ScrollPageUp();
    EXPECT_EQ(0, page->GetFirstVisibleButton());

    page->RemoveButton(0);
    page->RemoveButton(0);
    EXPECT_EQ(18, page->GetCount());
    EXPECT_TRUE(page->ResetIfDefaultsChanged());
    EXPECT_EQ(20, page->GetCount());
    EXPECT_FALSE(page->ResetIfDefaultsChanged());
    EXPECT_TRUE(DYNAMIC_DOWNCAST(CKGPOutlookButton, page->GetButton(0)) != nullptr);

    // A background that does not load leaves a solid fill.
    page->SetBackImage(64999);
    EXPECT_EQ(0u, page->GetBackImageID());
    EXPECT_FALSE(page->HasBackImage());
}

TEST_F(OutlookBarTest, OnlyOutlookButtonsAreTakenByAPage)
{
    CKGPOutlookBar* bar = MakeBar(7004);
    CKGPOutlookBarPane* page = AddPage(bar, 7131, _T("Drop"), 1);
    frame.RecalcLayout();
    CKGPToolBar other;
    CKGPOutlookButton probe;
    EXPECT_TRUE(probe.AcceptsBar(page));
    EXPECT_FALSE(probe.AcceptsBar(&other));

    CKGPToolbarButton plain(100, 0, _T("Plain"));
    keyloft_test::CButtonData plainData(plain);
    EXPECT_EQ(nullptr, page->CreateDroppedButton(plainData.Get()));
    EXPECT_FALSE(page->DropButton(plainData.Get(), DROPEFFECT_COPY, CPoint(20, 80)));
    EXPECT_EQ(1, page->GetCount());

    CKGPOutlookButton shortcut;
    shortcut.m_nCommand = 5100;
    shortcut.m_strCaption = _T("Dropped");
    shortcut.SetImage(1);
    keyloft_test::CButtonData shortcutData(shortcut);
    std::unique_ptr<CKGPToolbarButton> made(page->CreateDroppedButton(shortcutData.Get()));
    ASSERT_NE(nullptr, made);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CKGPOutlookButton)));
    EXPECT_EQ(5100u, made->m_nCommand);
}

TEST_F(OutlookBarTest, OptionsHideAndReorderPagesAndTheActivePageStays)
{
    CKGPOutlookBar* bar = MakeBar(7012);
    AddPage(bar, 7181, _T("A"), 1);
    CKGPOutlookBarPane* b = AddPage(bar, 7182, _T("B"), 1);
    AddPage(bar, 7183, _T("C"), 1);
    frame.RecalcLayout();
    CKGPOutlookWnd* outlook = bar->GetOutlookWnd();
    ASSERT_TRUE(outlook->SetActiveTab(1));
    // C first, then A (hidden), then B.
    CKGPOutlookOptionsDlg::ApplyItems(*outlook, {{2, true}, {0, false}, {1, true}});
    CString label;
    outlook->GetTabLabel(0, label);
    EXPECT_EQ(CString(_T("C")), label);
    outlook->GetTabLabel(2, label);
    EXPECT_EQ(CString(_T("B")), label);
    EXPECT_FALSE(outlook->IsTabVisible(1));
    EXPECT_EQ(b, outlook->GetActiveWnd());
    // Reset lists the pages in the order they were added: A, B, C.
    EXPECT_EQ((std::vector<int>{1, 2, 0}), CKGPOutlookOptionsDlg::DefaultOrder(*outlook));
}

TEST_F(OutlookBarTest, CompactModeShowsCaptionSplitterAndToolbarAndTakesNoPanes)
{
    CKGPOutlookBar* bar = MakeBar(7005, KGP_BARSTYLE_RESIZE);
    for (UINT i = 0; i < 8; ++i) {
        CString title;
        title.Format(_T("Page %u"), i + 1);
        AddPage(bar, 7141 + i, title, 2);
    }
    bar->SetMode2003(TRUE);
    CKGPOutlookWnd* outlook = bar->GetOutlookWnd();
    // The docked bar keeps the frame's height: the outlook window is made short itself.
    outlook->SetWindowPos(HWND{}, 0, 0, 180, 260, SWP_NOZORDER | SWP_NOMOVE);
    keyloft_test::Pump(20);
    EXPECT_FALSE(outlook->GetCaptionRect().IsRectEmpty());
    EXPECT_FALSE(outlook->GetSplitterRect().IsRectEmpty());
    EXPECT_TRUE(outlook->GetToolBar().IsWindowVisible());
    const int most = outlook->GetMaxVisiblePageButtons();
    EXPECT_GT(most, 0);
    EXPECT_LT(most, 8);
    // The pages that did not fit are toolbar buttons (with the customise button none).
    EXPECT_EQ(8 - most, outlook->GetToolBar().GetCount());

    // Fewer and more through the commands, never beyond what fits.
    outlook->SendMessage(WM_COMMAND, KGP_OUTLOOK_SHOW_FEWER);
    EXPECT_EQ(most - 1, outlook->GetVisiblePageButtons());
    EXPECT_TRUE(outlook->CanShowMoreButtons());
    outlook->SendMessage(WM_COMMAND, KGP_OUTLOOK_SHOW_MORE);
    EXPECT_FALSE(outlook->CanShowMoreButtons());
    for (int i = 0; i < 20; ++i)
        outlook->SendMessage(WM_COMMAND, KGP_OUTLOOK_SHOW_FEWER);
    EXPECT_EQ(0, outlook->GetVisiblePageButtons());
    EXPECT_FALSE(outlook->CanShowFewerButtons());

    // A toolbar page button activates its page.
    const int before = outlook->GetActiveTab();
    outlook->GetToolBar().SendMessage(WM_COMMAND, KGP_OUTLOOK_FIRST_PAGE_BUTTON + 3);
    EXPECT_NE(before, outlook->GetActiveTab());
    EXPECT_EQ(3, outlook->GetActiveTab());
    EXPECT_TRUE(bar->IsCaptionFromActiveTab());
    EXPECT_TRUE(keyloft_test::SaveScreenshot(bar->GetSafeHwnd(), L"guilib_panes_outlook_compact.bmp"));

    CKGPOutlookBar* other = MakeBar(7006, KGP_BARSTYLE_RESIZE);
    EXPECT_FALSE(bar->CanAcceptBar(other));
    bar->SetMode2003(FALSE);
    EXPECT_TRUE(bar->CanAcceptBar(other));

    // Very short: no page button at all, the page and toolbar still inside.
    bar->SetMode2003(TRUE);
    outlook->SetWindowPos(HWND{}, 0, 0, 180, 40, SWP_NOZORDER | SWP_NOMOVE);
    keyloft_test::Pump(10);
    EXPECT_EQ(0, outlook->GetMaxVisiblePageButtons());
    EXPECT_GE(outlook->GetPageRect().Height(), 0);
}

TEST_F(OutlookBarTest, HitTestAnswersThreeOverThePageButtons)
{
    CKGPOutlookBar* bar = MakeBar(7007);
    EXPECT_EQ(3, bar->HitTestDockArea(CPoint(0, 0), 5)); // no page: dock as a page
    AddPage(bar, 7151, _T("One"), 1);
    AddPage(bar, 7152, _T("Two"), 1);
    frame.RecalcLayout();
    CRect tab;
    ASSERT_TRUE(bar->GetOutlookWnd()->GetTabRect(0, tab));
    bar->GetOutlookWnd()->ClientToScreen(tab);
    EXPECT_EQ(3, bar->HitTestDockArea(tab.CenterPoint(), 5));
}

// Near the edge of a bar that may not float a pane dragged there docks
// nowhere; beside a bar that may float it docks beside it (both took it as
// a page before); over a page button it goes in as a page.
TEST_F(OutlookBarTest, NoPaneDocksBesideABarThatMayNotFloatAndOneThatMayTakesItBeside)
{
    CKGPOutlookBar* fixed = MakeBar(7008);
    CKGPOutlookBar* floating = MakeBar(7009, KGP_BARSTYLE_RESIZE | KGP_BARSTYLE_FLOAT | 0x4, CBRS_RIGHT);
    ASSERT_FALSE(fixed->CanFloat());
    ASSERT_TRUE(floating->CanFloat());
    AddPage(fixed, 7163, _T("One"), 1);
    AddPage(fixed, 7164, _T("Two"), 1);
    AddPage(floating, 7165, _T("Three"), 1);
    AddPage(floating, 7166, _T("Four"), 1);
    for (CKGPOutlookBar* bar : {fixed, floating}) {
        bar->EnableDocking(CBRS_ALIGN_ANY);
        frame.DockControlBar(bar);
    }
    frame.RecalcLayout();
    for (CKGPOutlookBar* bar : {fixed, floating}) {
        CRect window;
        bar->GetWindowRect(window);
        const CPoint beside(bar == fixed ? window.right + 3 : window.left - 3, window.CenterPoint().y);
        EXPECT_EQ(bar == fixed ? 0 : 2, bar->HitTestDockArea(beside, 5)) << (bar == fixed ? "fixed" : "floating");
        CRect tab;
        ASSERT_TRUE(bar->GetOutlookWnd()->GetTabRect(0, tab));
        bar->GetOutlookWnd()->ClientToScreen(tab);
        EXPECT_EQ(3, bar->HitTestDockArea(tab.CenterPoint(), 5)) << "on a page button: as a page";
    }
}

TEST_F(OutlookBarTest, CustomPagesAreStoredAndMadeAgainWithTheirIdsAndTitles)
{
    CKGPOutlookBar* bar = MakeBar(7008);
    AddPage(bar, 7161, _T("Fixed"), 1);
    CKGPOutlookBarPane* a = bar->CreateCustomPage(_T("Favourites"));
    CKGPOutlookBarPane* b = bar->CreateCustomPage(_T("Recent"));
    ASSERT_NE(nullptr, a);
    ASSERT_NE(nullptr, b);
    const int idA = a->GetDlgCtrlID();
    const int idB = b->GetDlgCtrlID();
    EXPECT_NE(idA, idB);
    EXPECT_TRUE(CKGPOutlookBar::IsCustomPageIdInUse(idA));
    ASSERT_TRUE(bar->SaveState(kProfile));
    EXPECT_TRUE(bar->RemoveCustomPage(static_cast<UINT>(idA)));
    EXPECT_FALSE(CKGPOutlookBar::IsCustomPageIdInUse(idA));
    EXPECT_TRUE(bar->RemoveCustomPage(static_cast<UINT>(idB)));
    EXPECT_EQ(0, bar->GetCustomPageCount());

    ASSERT_TRUE(bar->LoadState(kProfile));
    ASSERT_EQ(2, bar->GetCustomPageCount());
    CKGPOutlookWnd* outlook = bar->GetOutlookWnd();
    EXPECT_EQ(3, outlook->GetTabsNum());
    CString label;
    outlook->GetTabLabel(1, label);
    EXPECT_EQ(CString(_T("Favourites")), label);
    EXPECT_EQ(idA, outlook->GetTabWndNoWrapper(1)->GetDlgCtrlID());
    EXPECT_EQ(idB, outlook->GetTabWndNoWrapper(2)->GetDlgCtrlID());

    // Loading again replaces the pages rather than doubling them.
    ASSERT_TRUE(bar->LoadState(kProfile));
    EXPECT_EQ(2, bar->GetCustomPageCount());
    EXPECT_EQ(3, outlook->GetTabsNum());
}

// A custom page comes back with the buttons it was saved with under the
// profile given; a damaged value of the bar itself refuses the whole load,
// its custom pages included.
TEST_F(OutlookBarTest, ACustomPageComesBackWithItsButtonsAndADamagedBarValueRefusesItAll)
{
    CKGPOutlookBar* bar = MakeBar(7011);
    AddPage(bar, 7181, _T("Fixed"), 1);
    CKGPOutlookBarPane* custom = bar->CreateCustomPage(_T("Favourites"));
    ASSERT_NE(nullptr, custom);
    custom->AddButton(0, _T("First"), 5101);
    custom->AddButton(1, _T("Second"), 5102);
    const int customId = custom->GetDlgCtrlID();
    ASSERT_EQ(2, custom->GetCount());
    ASSERT_TRUE(bar->SaveState(kProfile));
    ASSERT_TRUE(bar->RemoveCustomPage(static_cast<UINT>(customId)));

    ASSERT_TRUE(bar->LoadState(kProfile));
    ASSERT_EQ(1, bar->GetCustomPageCount());
    auto* loaded = static_cast<CKGPOutlookBarPane*>(bar->GetCustomPages().GetHead());
    EXPECT_EQ(customId, loaded->GetDlgCtrlID());
    EXPECT_EQ(2, loaded->GetCount());

    // The bar's stored edge of the wrong kind: nothing of the load is taken.
    ASSERT_TRUE(bar->RemoveCustomPage(static_cast<UINT>(customId)));
    const CString key = CString(kProfile) + _T("KGPControlBar-7011");
    const wchar_t text[] = L"left";
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetKeyValueW(HKEY_CURRENT_USER, key, L"RecentFrameAlignment", REG_SZ, text,
                                               static_cast<DWORD>(sizeof(text))));
    EXPECT_FALSE(bar->LoadState(kProfile));
    EXPECT_EQ(0, bar->GetCustomPageCount());
    EXPECT_EQ(1, bar->GetOutlookWnd()->GetTabsNum());
}

TEST_F(OutlookBarTest, DamagedStoredPagesAreRefusedWholeAndTheLivePagesStay)
{
    CKGPOutlookBar* bar = MakeBar(7009);
    AddPage(bar, 7171, _T("Fixed"), 1);
    bar->CreateCustomPage(_T("Kept"));
    ASSERT_TRUE(bar->SaveState(kProfile));
    const CString key = CKGPOutlookBar::CustomPagesKey(kProfile, 7009, -1);

    auto stored = [](std::vector<std::pair<int, CString>> pagesIn, int countOverride = -1) {
        return keyloft_test::StoredBytes([&](CArchive& ar) {
            ar << (countOverride >= 0 ? countOverride : static_cast<int>(pagesIn.size()));
            for (const auto& page : pagesIn)
                ar << page.first << page.second;
            ar << -1;
        });
    };
    std::vector<std::vector<BYTE>> damaged = {
        stored({{0xF000 + 600, _T("Beyond the table")}}),      // an id past the flag table
        stored({{100, _T("Not a custom id")}}),
        stored({{0xF010, _T("Twice")}, {0xF010, _T("Twice")}}), // the same id twice
        stored({{0xF011, _T("One")}}, 50000),                  // a count beyond the bound
        stored({{0xF012, _T("Truncated")}}),
    };
    damaged.back().resize(damaged.back().size() - 6);
    damaged.push_back({1, 0});

    for (const std::vector<BYTE>& bytes : damaged) {
        {
            CKGPRegistry writer(FALSE, FALSE);
            ASSERT_TRUE(writer.CreateKey(key));
            ASSERT_TRUE(writer.Write(_T("KGPOutlookCustomPages"), bytes.data(), static_cast<UINT>(bytes.size())));
        }
        EXPECT_FALSE(bar->LoadState(kProfile));
        ASSERT_EQ(1, bar->GetCustomPageCount());
        CString label;
        bar->GetOutlookWnd()->GetTabLabel(1, label);
        EXPECT_EQ(CString(_T("Kept")), label);
        EXPECT_EQ(2, bar->GetOutlookWnd()->GetTabsNum());
    }

    // An id another bar holds is refused too.
    CKGPOutlookBar* other = MakeBar(7010);
    CKGPOutlookBarPane* taken = other->CreateCustomPage(_T("Elsewhere"));
    ASSERT_NE(nullptr, taken);
    {
        const std::vector<BYTE> bytes = stored({{taken->GetDlgCtrlID(), _T("Clash")}});
        CKGPRegistry writer(FALSE, FALSE);
        ASSERT_TRUE(writer.CreateKey(key));
        ASSERT_TRUE(writer.Write(_T("KGPOutlookCustomPages"), bytes.data(), static_cast<UINT>(bytes.size())));
    }
    EXPECT_FALSE(bar->LoadState(kProfile));
    EXPECT_EQ(1, bar->GetCustomPageCount());
}

TEST_F(OutlookBarTest, StoredFormRoundTripsAndTheVisibleCountIsReadOnlyWhereWritten)
{
    const std::vector<KGPStoredCustomPage> pagesIn = {{0xF001, _T("A")}, {0xF002, _T("B b")}};
    const std::vector<BYTE> bytes = keyloft_test::StoredBytes(
        [&](CArchive& ar) { CKGPOutlookBar::WriteCustomPages(ar, pagesIn, 4); });
    const std::vector<bool> none(static_cast<size_t>(kgp::outlook::kCustomPageIdCount), false);
    for (int version : {-1, 0x60700, 0x70000, 0x60710}) {
        keyloft_test::LoadBytes(bytes, [&](CArchive& ar) {
            const KGPStoredCustomPages read = CKGPOutlookBar::ReadCustomPages(ar, version, none);
            ASSERT_EQ(2u, read.pages.size());
            EXPECT_EQ(0xF002, read.pages[1].nID);
            EXPECT_EQ(CString(_T("B b")), read.pages[1].strTitle);
            EXPECT_EQ(version == 0x60710, read.bHasVisibleButtons != FALSE) << version;
            EXPECT_EQ(version == 0x60710 ? 4 : -1, read.nVisibleButtons) << version;
        });
    }
    EXPECT_EQ(CString(kProfile) + _T("sKGPOutlookBar-35"), CKGPOutlookBar::CustomPagesKey(kProfile, 3, 5));
    EXPECT_EQ(CString(kProfile) + _T("KGPOutlookBar-3"), CKGPOutlookBar::CustomPagesKey(kProfile, 3, -1));
}

// Registry values that cannot be written, to see a failed save reported.
class CUnwritableRegistry : public CKGPRegistry {
    DECLARE_DYNCREATE(CUnwritableRegistry)
public:
    BOOL Write(LPCTSTR, const BYTE*, UINT) override { return FALSE; }
};
IMPLEMENT_DYNCREATE(CUnwritableRegistry, CKGPRegistry)

TEST_F(OutlookBarTest, SavingAnswersWhetherTheWriteSucceeded)
{
    CKGPOutlookBar* bar = MakeBar(7011);
    bar->CreateCustomPage(_T("Page"));
    EXPECT_TRUE(bar->SaveState(kProfile));
    CKGPRegistryHandle::SetCustomRegistryClass(RUNTIME_CLASS(CUnwritableRegistry));
    const BOOL bSaved = bar->SaveState(kProfile);
    CKGPRegistryHandle::SetCustomRegistryClass(nullptr);
    EXPECT_FALSE(bSaved);
}

}  // namespace

TEST_F(OutlookBarTest, APlainPageWindowIsWrappedInAnOutlookDockingPane)
{
    CKGPOutlookBar* bar = MakeBar(7020);
    AddPage(bar, 7121, _T("Mail"), 2);
    windows.push_back(std::make_unique<CWnd>());
    CWnd* plain = windows.back().get();
    ASSERT_TRUE(plain->Create(_T("STATIC"), _T("Plain"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 60, 60), bar, 7122));
    CKGPOutlookWnd* outlook = bar->GetOutlookWnd();
    outlook->AddTab(plain, _T("Plain"), static_cast<UINT>(-1), TRUE);
    frame.RecalcLayout();
    keyloft_test::Pump(20);

    ASSERT_EQ(2, outlook->GetTabsNum());
    auto* wrapper = DYNAMIC_DOWNCAST(CKGPOutlookBarDockingPane, outlook->GetTabWnd(1));
    ASSERT_NE(nullptr, wrapper);
    EXPECT_EQ(plain, wrapper->GetWrappedWnd());
    EXPECT_EQ(plain, outlook->GetTabWndNoWrapper(1));
    EXPECT_EQ(wrapper, plain->GetParent());
    EXPECT_EQ(7122, wrapper->GetDlgCtrlID());
    // Grouped again, it makes an outlook bar; the bar takes it as one of its own.
    EXPECT_EQ(static_cast<DWORD>(KGP_TAB_STYLE_OUTLOOK), wrapper->GetTabbedStyle());
    EXPECT_TRUE(bar->CanAcceptBar(wrapper));

    // The page fills its wrapper.
    ASSERT_TRUE(outlook->SetActiveTab(1));
    keyloft_test::Pump(20);
    CRect inside;
    wrapper->GetClientRect(inside);
    CRect placed;
    plain->GetWindowRect(placed);
    EXPECT_EQ(inside.Width(), placed.Width());
    EXPECT_EQ(inside.Height(), placed.Height());
}

TEST_F(OutlookBarTest, PanesDroppedInOutlookStyleMakeAnOutlookBarHoldingBoth)
{
    auto addPane = [this](UINT id, LPCTSTR title) {
        auto pane = std::make_unique<CKGPDockingControlBar>();
        EXPECT_TRUE(pane->Create(title, &frame, CRect(0, 0, 180, 300), TRUE, id, WS_CHILD | WS_VISIBLE | CBRS_LEFT,
                                 KGP_TAB_STYLE_OUTLOOK));
        pane->EnableDocking(CBRS_ALIGN_ANY);
        CKGPDockingControlBar* made = pane.get();
        windows.push_back(std::move(pane));
        return made;
    };
    CKGPDockingControlBar* folders = addPane(7131, _T("Folders"));
    ASSERT_TRUE(folders->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* contacts = addPane(7132, _T("Contacts"));

    // Without the panes' link docking makes no outlook bar and groups nothing.
    IKGPOutlookBarLink* registered = CKGPLink<IKGPOutlookBarLink>::Get();
    CKGPLink<IKGPOutlookBarLink>::StandIn(nullptr);
    EXPECT_EQ(nullptr, contacts->AttachToTabWnd(folders, KGP_DM_UNKNOWN));
    EXPECT_EQ(nullptr, folders->GetParentTabbedBar());
    CKGPLink<IKGPOutlookBarLink>::StandIn(registered);
    KGPRegisterPanesLinks(); // as the library registers it

    CKGPDockingControlBar* made = nullptr;
    ASSERT_NE(nullptr, contacts->AttachToTabWnd(folders, KGP_DM_UNKNOWN, TRUE, &made));
    frame.RecalcLayout();
    keyloft_test::Pump(20);
    auto* bar = DYNAMIC_DOWNCAST(CKGPOutlookBar, made);
    ASSERT_NE(nullptr, bar);
    EXPECT_TRUE(bar->IsAutoDestroy());
    EXPECT_EQ(bar, folders->GetParentTabbedBar());
    EXPECT_EQ(bar, contacts->GetParentTabbedBar());
    CKGPOutlookWnd* outlook = bar->GetOutlookWnd();
    ASSERT_EQ(2, outlook->GetTabsNum());
    EXPECT_EQ(folders, outlook->GetTabWnd(0));
    EXPECT_EQ(contacts, outlook->GetTabWnd(1));
    EXPECT_EQ(contacts, outlook->GetActiveWnd());
    EXPECT_TRUE(contacts->IsWindowVisible());
    EXPECT_FALSE(folders->IsWindowVisible());
    EXPECT_NE(nullptr, bar->GetDefaultPaneSlider()); // docked in the first pane's place
    EXPECT_TRUE(keyloft_test::SaveScreenshot(frame.GetSafeHwnd(), L"guilib_panes_outlook_grouped.bmp"));
}

namespace {

// Presses page button iTab and drags it to a screen point: its page (the
// docking pane wrapping it) floats there in a frame that carries the drag on.
CKGPOutlookBarDockingPane* DragPageOut(CKGPOutlookWnd* outlook, int iTab, CPoint ptScreen)
{
    CRect tab;
    EXPECT_TRUE(outlook->GetTabRect(iTab, tab));
    auto* page = DYNAMIC_DOWNCAST(CKGPOutlookBarDockingPane, outlook->GetTabWnd(iTab));
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    CPoint away = ptScreen;
    outlook->ScreenToClient(&away);
    outlook->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, keyloft_test::PointParam(tab.CenterPoint().x, tab.CenterPoint().y));
    outlook->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, keyloft_test::PointParam(away.x, away.y));
    return page;
}

} // namespace

TEST_F(OutlookBarTest, APageDraggedOutGoesBackToItsBarWhenUndoneAndJoinsTheBarItIsDroppedOn)
{
    CKGPOutlookBar* home = MakeBar(7031);
    CKGPOutlookBar* other = MakeBar(7032, KGP_BARSTYLE_RESIZE | 0x4, CBRS_RIGHT);
    AddPage(home, 7131, _T("Mail"), 2, true);
    CKGPOutlookBarPane* notes = AddPage(home, 7132, _T("Notes"), 3, true);
    AddPage(other, 7133, _T("Folders"), 2, true);
    frame.RecalcLayout();
    keyloft_test::Pump(30);
    CKGPOutlookWnd* homePages = home->GetOutlookWnd();
    CKGPOutlookWnd* otherPages = other->GetOutlookWnd();
    ASSERT_TRUE(homePages->SetActiveTab(1));
    keyloft_test::Pump(20);
    const CRect firstButton = notes->GetButton(0)->m_rcButton;
    CRect view = frame.ViewRect();
    frame.ClientToScreen(view);
    CRect otherRect;
    other->GetWindowRect(otherRect);
    ASSERT_FALSE(view.IsRectEmpty());

    // Dragged over the view, the page floats and its frame follows the mouse.
    CKGPOutlookBarDockingPane* dragged = DragPageOut(homePages, 1, view.CenterPoint());
    ASSERT_NE(nullptr, dragged);
    CKGPMiniFrameWnd* floating = notes->GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, floating);
    EXPECT_TRUE(floating->IsMoving());
    EXPECT_EQ(1, homePages->GetTabsNum());
    EXPECT_EQ(home, dragged->GetRecentOutlookBar());

    // Esc undoes the drag: the page is the last page of its own bar again, active.
    const HWND hFloating = floating->GetSafeHwnd();
    floating->SendMessage(WM_CHAR, VK_ESCAPE, 0);
    keyloft_test::Pump(30);
    ASSERT_EQ(2, homePages->GetTabsNum());
    EXPECT_EQ(notes, homePages->GetTabWndNoWrapper(1));
    EXPECT_EQ(1, homePages->GetActiveTab());
    CString label;
    homePages->GetTabLabel(1, label);
    EXPECT_EQ(CString(_T("Notes")), label);
    EXPECT_EQ(nullptr, notes->GetParentMiniFrame(TRUE));
    EXPECT_FALSE(::IsWindow(hFloating)) << "the emptied floating frame goes";
    EXPECT_TRUE(notes->IsWindowVisible());
    EXPECT_EQ(firstButton, notes->GetButton(0)->m_rcButton) << "the page lays its buttons out as before";

    // Let go over the other bar (under its own frame): it joins that bar.
    dragged = DragPageOut(homePages, 1, otherRect.CenterPoint());
    floating = notes->GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, floating);
    CRect under;
    floating->GetWindowRect(under);
    EXPECT_TRUE(under.PtInRect(otherRect.CenterPoint())) << "the frame lies over the drop point";
    floating->SendMessage(WM_LBUTTONUP, 0, 0);
    keyloft_test::Pump(30);
    EXPECT_EQ(1, homePages->GetTabsNum());
    ASSERT_EQ(2, otherPages->GetTabsNum());
    EXPECT_EQ(notes, otherPages->GetTabWndNoWrapper(1));
    EXPECT_EQ(1, otherPages->GetActiveTab());
    EXPECT_EQ(nullptr, notes->GetParentMiniFrame(TRUE));

    // Let go over no bar it floats on; a double click on its frame takes it
    // back to the bar it last came from.
    dragged = DragPageOut(otherPages, 1, view.CenterPoint());
    floating = notes->GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, floating);
    EXPECT_EQ(other, dragged->GetRecentOutlookBar());
    floating->SendMessage(WM_LBUTTONUP, 0, 0);
    keyloft_test::Pump(20);
    ASSERT_EQ(floating, notes->GetParentMiniFrame(TRUE));
    EXPECT_FALSE(floating->IsMoving());
    EXPECT_EQ(1, otherPages->GetTabsNum());
    floating->SendMessage(WM_LBUTTONDBLCLK, 0, 0);
    keyloft_test::Pump(30);
    ASSERT_EQ(2, otherPages->GetTabsNum());
    EXPECT_EQ(notes, otherPages->GetTabWndNoWrapper(1));
    EXPECT_EQ(1, homePages->GetTabsNum());
}

namespace {

// What the options dialog showed while a test drove it (read in the
// answering thread, looked at after it ended).
struct OptionsSeen {
    std::vector<CString> labels;
    int selected = -1;
    bool upEnabled = false;
    bool downEnabled = false;
};

OptionsSeen SeeOptions(HWND dialog)
{
    OptionsSeen seen;
    HWND list = ::GetDlgItem(dialog, IDC_KGP_OUTLOOK_PAGES);
    const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[64] = {};
        ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        seen.labels.emplace_back(text);
    }
    seen.selected = static_cast<int>(::SendMessageW(list, LB_GETCURSEL, 0, 0));
    seen.upEnabled = ::IsWindowEnabled(::GetDlgItem(dialog, IDC_KGP_OUTLOOK_UP)) != FALSE;
    seen.downEnabled = ::IsWindowEnabled(::GetDlgItem(dialog, IDC_KGP_OUTLOOK_DOWN)) != FALSE;
    return seen;
}

// The list's notification (selection change, double click) or a button's click.
void Notify(HWND dialog, int id, WORD code)
{
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void SelectOption(HWND dialog, int item)
{
    ::SendMessageW(::GetDlgItem(dialog, IDC_KGP_OUTLOOK_PAGES), LB_SETCURSEL, static_cast<WPARAM>(item), 0);
    Notify(dialog, IDC_KGP_OUTLOOK_PAGES, LBN_SELCHANGE);
}

std::vector<CString> PageLabels(CKGPOutlookWnd* outlook)
{
    std::vector<CString> labels;
    for (int i = 0; i < outlook->GetTabsNum(); ++i) {
        CString label;
        outlook->GetTabLabel(i, label);
        labels.push_back(label);
    }
    return labels;
}

constexpr const wchar_t* kOptionsCaption = L"Navigation Pane Options";

} // namespace

TEST_F(OutlookBarTest, TheOptionsDialogMovesAndHidesPagesOnOkResetsTheOrderAndCancelChangesNothing)
{
    CKGPOutlookBar* bar = MakeBar(7041);
    AddPage(bar, 7141, _T("A"), 1);
    CKGPOutlookBarPane* b = AddPage(bar, 7142, _T("B"), 1);
    AddPage(bar, 7143, _T("C"), 1);
    frame.RecalcLayout();
    keyloft_test::Pump(20);
    CKGPOutlookWnd* outlook = bar->GetOutlookWnd();
    ASSERT_TRUE(outlook->SetActiveTab(1));
    const std::vector<CString> abc{_T("A"), _T("B"), _T("C")};

    // Cancel after changes leaves the bar as it was.
    {
        keyloft_test::CDialogAnswerer answer(kOptionsCaption, [](HWND dialog) {
            SelectOption(dialog, 2);
            Notify(dialog, IDC_KGP_OUTLOOK_UP, BN_CLICKED);
            Notify(dialog, IDC_KGP_OUTLOOK_PAGES, LBN_DBLCLK);
            ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        outlook->SendMessage(WM_COMMAND, KGP_OUTLOOK_OPTIONS);
        answer.Stop();
        ASSERT_TRUE(answer.Found());
    }
    EXPECT_EQ(abc, PageLabels(outlook));
    EXPECT_TRUE(outlook->IsTabVisible(2));
    EXPECT_EQ(b, outlook->GetActiveWnd());

    // C moved up over B, A unchecked by a double click, OK.
    OptionsSeen opened, lastSelected, moved;
    {
        keyloft_test::CDialogAnswerer answer(kOptionsCaption, [&](HWND dialog) {
            opened = SeeOptions(dialog);
            SelectOption(dialog, 2);
            lastSelected = SeeOptions(dialog);
            Notify(dialog, IDC_KGP_OUTLOOK_UP, BN_CLICKED);
            moved = SeeOptions(dialog);
            SelectOption(dialog, 0);
            Notify(dialog, IDC_KGP_OUTLOOK_PAGES, LBN_DBLCLK);
            ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        });
        outlook->SendMessage(WM_COMMAND, KGP_OUTLOOK_OPTIONS);
        answer.Stop();
        ASSERT_TRUE(answer.Found());
    }
    EXPECT_EQ(abc, opened.labels);
    EXPECT_EQ(0, opened.selected);
    EXPECT_FALSE(opened.upEnabled);
    EXPECT_TRUE(opened.downEnabled);
    EXPECT_TRUE(lastSelected.upEnabled);
    EXPECT_FALSE(lastSelected.downEnabled);
    EXPECT_EQ((std::vector<CString>{_T("A"), _T("C"), _T("B")}), moved.labels);
    EXPECT_EQ(1, moved.selected) << "the moved page stays selected";
    EXPECT_EQ((std::vector<CString>{_T("A"), _T("C"), _T("B")}), PageLabels(outlook));
    EXPECT_FALSE(outlook->IsTabVisible(0));
    EXPECT_TRUE(outlook->IsTabVisible(1));
    EXPECT_EQ(b, outlook->GetActiveWnd()) << "the active page stays active";
    CRect hidden;
    EXPECT_TRUE(!outlook->GetTabRect(0, hidden) || hidden.IsRectEmpty()) << "a hidden page has no button";

    // Reset lists the pages in their first order, all shown.
    OptionsSeen reset;
    {
        keyloft_test::CDialogAnswerer answer(kOptionsCaption, [&](HWND dialog) {
            Notify(dialog, IDC_KGP_OUTLOOK_RESET, BN_CLICKED);
            reset = SeeOptions(dialog);
            ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        });
        outlook->SendMessage(WM_COMMAND, KGP_OUTLOOK_OPTIONS);
        answer.Stop();
        ASSERT_TRUE(answer.Found());
    }
    EXPECT_EQ(abc, reset.labels);
    EXPECT_EQ(abc, PageLabels(outlook));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(outlook->IsTabVisible(i)) << i;
    EXPECT_EQ(b, outlook->GetActiveWnd());
}
