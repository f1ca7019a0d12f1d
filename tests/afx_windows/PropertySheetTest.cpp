// Property sheets: a modeless sheet whose pages are made on their first show
// (a popup template made a child), switched by their tabs' rules and by
// Ctrl+Tab, Tab walking the page and the sheet's buttons, and Apply, OK and
// Cancel reaching the pages that were made; a modal sheet over its disabled
// owner, ended by OK or Cancel.
#include "tests/afx_windows/WindowTestSupport.h"
#include "tests/afx_windows/resource.h"

#include <gtest/gtest.h>

#include <afxdlg.h>

#include <thread>

namespace {

class CCountingPage : public CPropertyPage {
public:
    explicit CCountingPage(UINT nIDTemplate, UINT nIDCaption = 0, DWORD dwSize = sizeof(PROPSHEETPAGEW))
        : CPropertyPage(nIDTemplate, nIDCaption, dwSize)
    {
    }
    BOOL OnSetActive() override
    {
        ++activations;
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override { return mayLeave && CPropertyPage::OnKillActive(); }
    BOOL OnApply() override
    {
        ++applied;
        return CPropertyPage::OnApply();
    }
    BOOL OnQueryCancel() override { return mayCancel; }
    void OnReset() override
    {
        ++resets;
        CPropertyPage::OnReset();
    }
    int activations = 0, applied = 0, resets = 0;
    BOOL mayLeave = TRUE, mayCancel = TRUE;
};

void SetCtrl(BOOL bDown)
{
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = bDown ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

class PropertySheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestApp();
        ASSERT_TRUE(owner.CreateEx(0, TestWindowClass(), L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                   nullptr, nullptr));
        sheet.Construct(L"Sheet", &owner);
        sheet.AddPage(&first);
        sheet.AddPage(&second);
        ASSERT_TRUE(sheet.Create(&owner));
    }
    void TearDown() override
    {
        if (sheet.GetSafeHwnd() != nullptr)
            sheet.DestroyWindow();
        owner.DestroyWindow();
    }
    HWND Button(UINT nID) const { return ::GetDlgItem(sheet.GetSafeHwnd(), static_cast<int>(nID)); }

    CWnd owner;
    CPropertySheet sheet;
    CCountingPage first{IDD_PAGE};
    CCountingPage second{IDD_PAGE_POPUP};
};

TEST_F(PropertySheetTest, PagesAreMadeOnTheirFirstShowAsChildrenUnderTheTabs)
{
    EXPECT_TRUE(sheet.IsWindowVisible());
    EXPECT_EQ(owner.GetSafeHwnd(), ::GetWindow(sheet.GetSafeHwnd(), GW_OWNER));
    ASSERT_NE(nullptr, sheet.GetTabControl());
    EXPECT_EQ(2, sheet.GetTabControl()->SendMessage(TCM_GETITEMCOUNT));
    EXPECT_EQ(0, sheet.GetActiveIndex());
    ASSERT_NE(nullptr, first.GetSafeHwnd());
    EXPECT_EQ(nullptr, second.GetSafeHwnd()) << "not shown yet";
    EXPECT_EQ(1, first.activations);
    CRect page;
    first.GetWindowRect(page);
    sheet.ScreenToClient(page);
    EXPECT_EQ(sheet.GetPageRect(), page);
    CRect tab;
    sheet.GetTabControl()->GetWindowRect(tab);
    sheet.ScreenToClient(tab);
    CRect ok;
    ::GetWindowRect(Button(IDOK), ok);
    sheet.ScreenToClient(ok);
    EXPECT_GE(ok.top, tab.bottom) << "the buttons stand below the tabs";

    ASSERT_TRUE(sheet.SetActivePage(1));
    ASSERT_NE(nullptr, second.GetSafeHwnd());
    EXPECT_NE(0u, second.GetStyle() & WS_CHILD) << "a popup template becomes a child";
    EXPECT_EQ(0u, second.GetStyle() & WS_CAPTION);
    EXPECT_EQ(CString(L"Second"), second.GetCaption()) << "the tab takes the template's caption";
    EXPECT_TRUE(second.IsWindowVisible());
    EXPECT_FALSE(first.IsWindowVisible());
    EXPECT_EQ(1, sheet.GetTabControl()->SendMessage(TCM_GETCURSEL));

    second.mayLeave = FALSE;
    EXPECT_FALSE(sheet.SetActivePage(0)) << "a page may refuse to be left";
    EXPECT_EQ(1, sheet.GetActiveIndex());
}

TEST_F(PropertySheetTest, CtrlTabStepsThePagesAndTabWalksPageAndButtons)
{
    owner.SetForegroundWindow();
    sheet.SetForegroundWindow();
    const HWND third = ::GetDlgItem(first.GetSafeHwnd(), IDC_PAGE_THIRD);
    ::SetFocus(third);
    PumpPending();
    ASSERT_EQ(third, ::GetFocus());
    MSG tab{third, WM_KEYDOWN, VK_TAB, 0x000F0001, 0, {}};
    EXPECT_TRUE(first.PreTranslateMessage(&tab) == FALSE) << "the page leaves its keys to the sheet";
    EXPECT_TRUE(sheet.PreTranslateMessage(&tab));
    EXPECT_EQ(Button(IDOK), ::GetFocus()) << "from the page's last field to the sheet's first button";

    SetCtrl(TRUE);
    MSG ctrlTab{Button(IDOK), WM_KEYDOWN, VK_TAB, 0x000F0001, 0, {}};
    EXPECT_TRUE(sheet.PreTranslateMessage(&ctrlTab));
    EXPECT_EQ(1, sheet.GetActiveIndex());
    MSG ctrlNext{Button(IDOK), WM_KEYDOWN, VK_NEXT, 0x01510001, 0, {}};
    EXPECT_TRUE(sheet.PreTranslateMessage(&ctrlNext));
    EXPECT_EQ(0, sheet.GetActiveIndex()) << "round to the first";
    MSG ctrlPrior{Button(IDOK), WM_KEYDOWN, VK_PRIOR, 0x01490001, 0, {}};
    EXPECT_TRUE(sheet.PreTranslateMessage(&ctrlPrior));
    EXPECT_EQ(1, sheet.GetActiveIndex()) << "and back round to the last";
    SetCtrl(FALSE);
}

TEST_F(PropertySheetTest, ApplyOkAndCancelReachTheMadePages)
{
    EXPECT_FALSE(::IsWindowEnabled(Button(ID_APPLY_NOW)));
    first.SetModified();
    EXPECT_TRUE(::IsWindowEnabled(Button(ID_APPLY_NOW))) << "a change enables Apply";
    sheet.SendMessage(WM_COMMAND, MAKEWPARAM(ID_APPLY_NOW, BN_CLICKED), reinterpret_cast<LPARAM>(Button(ID_APPLY_NOW)));
    EXPECT_EQ(1, first.applied);
    EXPECT_EQ(0, second.applied) << "a page never shown has nothing to apply";
    EXPECT_FALSE(::IsWindowEnabled(Button(ID_APPLY_NOW)));
    EXPECT_TRUE(sheet.IsWindowVisible()) << "Apply leaves the sheet open";

    first.mayCancel = FALSE;
    sheet.SendMessage(WM_CLOSE);
    EXPECT_NE(nullptr, sheet.GetSafeHwnd()) << "the page refused the cancel";
    first.mayCancel = TRUE;
    ASSERT_TRUE(sheet.SetActivePage(1));
    second.mayCancel = TRUE;
    sheet.PressButton(PSBTN_CANCEL);
    EXPECT_EQ(nullptr, sheet.GetSafeHwnd()) << "Cancel ends a modeless sheet";
    EXPECT_EQ(1, first.resets);
    EXPECT_EQ(1, second.resets);
    EXPECT_EQ(nullptr, first.GetSafeHwnd());
}

TEST_F(PropertySheetTest, OkAppliesEveryMadePageAndEndsTheSheet)
{
    ASSERT_TRUE(sheet.SetActivePage(1));
    ASSERT_TRUE(sheet.SetActivePage(0));
    first.mayLeave = FALSE;
    sheet.PressButton(PSBTN_OK);
    EXPECT_NE(nullptr, sheet.GetSafeHwnd()) << "the shown page refused to be left";
    EXPECT_EQ(0, first.applied);
    first.mayLeave = TRUE;
    sheet.PressButton(PSBTN_OK);
    EXPECT_EQ(nullptr, sheet.GetSafeHwnd());
    EXPECT_EQ(1, first.applied);
    EXPECT_EQ(1, second.applied);
}

TEST_F(PropertySheetTest, APageRecordBelowTheSystemsSmallestIsNeverMadeAndTheSheetStaysOnItsPage)
{
    EXPECT_EQ(sizeof(PROPSHEETPAGEW), first.m_psp.dwSize) << "the record is the structure's own size by default";
    EXPECT_EQ(MAKEINTRESOURCEW(IDD_PAGE), first.m_psp.pszTemplate);
    // 48 bytes is too short for a page record on x64: such a page is refused
    // as the system refuses it, and the sheet keeps the page it shows.
    CCountingPage shortRecord(IDD_PAGE_POPUP, 0, 48);
    sheet.AddPage(&shortRecord);
    EXPECT_FALSE(sheet.SetActivePage(2));
    EXPECT_EQ(nullptr, shortRecord.GetSafeHwnd());
    EXPECT_EQ(0, sheet.GetActiveIndex());
    EXPECT_TRUE(first.IsWindowVisible());
    CCountingPage smallest(IDD_PAGE_POPUP, 0, PROPSHEETPAGEW_V1_SIZE);
    sheet.AddPage(&smallest);
    EXPECT_TRUE(sheet.SetActivePage(3)) << "the smallest record the system takes is enough";
    sheet.RemovePage(&smallest);
    sheet.RemovePage(&shortRecord);
}

// A modal sheet with all four buttons (their row wider than its pages): the
// owner waits disabled, OK applies and answers IDOK, Cancel resets and
// answers IDCANCEL; the window is gone and the owner enabled afterwards.
TEST(ModalPropertySheet, RunsOverItsDisabledOwnerUntilOkOrCancel)
{
    TestApp();
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, TestWindowClass(), L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                               nullptr, nullptr));
    for (const UINT button : {static_cast<UINT>(IDOK), static_cast<UINT>(IDCANCEL)}) {
        CCountingPage page(IDD_PAGE);
        CPropertySheet sheet(L"Modal sheet", &owner);
        sheet.m_psh.dwFlags |= PSH_HASHELP;
        sheet.AddPage(&page);
        bool ownerDisabled = false;
        int buttonsShown = 0;
        // Another thread plays the user: it waits for the sheet, then presses.
        std::thread user([&] {
            HWND shown = nullptr;
            for (int i = 0; i < 500 && shown == nullptr; ++i) {
                HWND found = ::FindWindowW(nullptr, L"Modal sheet");
                shown = found != nullptr && ::IsWindowVisible(found) ? found : nullptr;
                ::Sleep(10);
            }
            if (shown == nullptr)
                return;
            ownerDisabled = !::IsWindowEnabled(owner.GetSafeHwnd());
            for (const int id : {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP})
                buttonsShown += ::IsWindowVisible(::GetDlgItem(shown, id)) ? 1 : 0;
            ::PostMessageW(shown, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        });
        const INT_PTR result = sheet.DoModal();
        user.join();
        EXPECT_EQ(static_cast<INT_PTR>(button), result);
        EXPECT_TRUE(ownerDisabled);
        EXPECT_EQ(4, buttonsShown);
        EXPECT_EQ(nullptr, sheet.GetSafeHwnd());
        EXPECT_TRUE(owner.IsWindowEnabled());
        EXPECT_EQ(button == IDOK ? 1 : 0, page.applied);
        EXPECT_EQ(button == IDOK ? 0 : 1, page.resets);
    }
    owner.DestroyWindow();
}

} // namespace
