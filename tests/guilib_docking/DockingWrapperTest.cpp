// A plain window in a docking wrapper: it fills the pane, takes the pane's
// edges, keeps its title with the pane's values, and a tab window given a
// plain window wraps it so that it may float out of its tab.
#include <gtest/gtest.h>

#include "guilib/docking/KGPDockingCBWrapper.h"
#include "guilib/docking/KGPTabbedControlBar.h"
#include "guilib/tabs/KGPBaseTabWnd.h"
#include "tests/guilib_docking/DockLayoutSnapshot.h"
#include "tests/guilib_docking/DockingTestFrame.h"
#include "tests/support/MessagePump.h"

namespace {

using namespace docking_test;

constexpr const wchar_t* kProfile = L"Software\\KeyloftTests\\DockingWrapper\\";

class DockingWrapperTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteProfile();
        ASSERT_TRUE(frame.Open());
    }
    void TearDown() override
    {
        frame.DestroyWindow();
        keyloft_test::Pump(20);
        DeleteProfile();
    }
    static void DeleteProfile()
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kProfile);
        ::RegDeleteKeyW(HKEY_CURRENT_USER, kProfile);
    }
    // A plain child window of the frame (the test owns the object).
    CWnd* MakePlain(UINT id)
    {
        plain.push_back(std::make_unique<CWnd>());
        EXPECT_TRUE(plain.back()->Create(nullptr, _T("plain"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 40), &frame, id));
        return plain.back().get();
    }
    static CRect ClientOf(CWnd* pWnd)
    {
        CRect rect;
        pWnd->GetClientRect(rect);
        return rect;
    }
    static CRect RectInParent(CWnd* pWnd)
    {
        CRect rect;
        pWnd->GetWindowRect(rect);
        pWnd->GetParent()->ScreenToClient(rect);
        return rect;
    }

    CTestFrame frame;
    std::vector<std::unique_ptr<CWnd>> plain; // declared after the frame: gone first
};

TEST_F(DockingWrapperTest, AWrappedWindowFillsThePaneAndFollowsItsSize)
{
    CKGPDockingCBWrapper wrapper;
    ASSERT_TRUE(wrapper.Create(_T("Wrapped"), &frame, CRect(0, 0, 180, 220), TRUE, 4001,
                               WS_CHILD | WS_VISIBLE | CBRS_LEFT));
    wrapper.EnableDocking(0);
    CWnd* pWnd = MakePlain(4002);
    ASSERT_TRUE(wrapper.SetWrappedWnd(pWnd));
    EXPECT_EQ(&wrapper, pWnd->GetParent());
    EXPECT_EQ(pWnd, wrapper.GetWrappedWnd());
    // A plain window gives the wrapper every edge.
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_ANY), wrapper.GetEnabledAlignment());
    EXPECT_EQ(CRect(CPoint(0, 0), ClientOf(&wrapper).Size()), RectInParent(pWnd));

    ASSERT_TRUE(wrapper.DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    frame.RecalcLayout();
    ExpectSoundLayout(*frame.GetDockManager(), {&wrapper}, "docked");
    wrapper.SetWindowPos(HWND{}, 0, 0, 140, 260, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(CRect(CPoint(0, 0), ClientOf(&wrapper).Size()), RectInParent(pWnd));
    EXPECT_GT(ClientOf(pWnd).Width(), 0);

    // A window gone leaves no wrapped window behind.
    pWnd->DestroyWindow();
    EXPECT_EQ(nullptr, wrapper.GetWrappedWnd());
    wrapper.SetWindowPos(HWND{}, 0, 0, 150, 260, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    wrapper.DestroyWindow();
}

TEST_F(DockingWrapperTest, AWrappedControlBarGivesTheWrapperItsEdgesAndStyles)
{
    std::unique_ptr<CKGPControlBar> bar = MakeBar(&frame, 4011);
    bar->EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
    bar->SetLibraryBarStyle(KGP_BARSTYLE_CLOSE);
    CKGPDockingCBWrapper wrapper;
    ASSERT_TRUE(wrapper.Create(_T("Bar"), &frame, CRect(0, 0, 180, 120), TRUE, 4010,
                               WS_CHILD | WS_VISIBLE | CBRS_LEFT));
    ASSERT_TRUE(wrapper.SetWrappedWnd(bar.get()));
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM), wrapper.GetEnabledAlignment());
    EXPECT_EQ(static_cast<DWORD>(KGP_BARSTYLE_CLOSE), wrapper.GetLibraryBarStyle());
    EXPECT_FALSE(wrapper.CanFloat());
    wrapper.DestroyWindow();
}

TEST_F(DockingWrapperTest, TheTitleIsKeptWithThePanesValuesAndAMissingKeyLoadsNothing)
{
    CKGPDockingCBWrapper wrapper;
    ASSERT_TRUE(wrapper.Create(_T("Find results"), &frame, CRect(0, 0, 180, 120), TRUE, 4020,
                               WS_CHILD | WS_VISIBLE | CBRS_LEFT));
    ASSERT_TRUE(wrapper.SetWrappedWnd(MakePlain(4021)));

    // A missing key: nothing loaded, not even the pane's own values.
    EXPECT_FALSE(wrapper.LoadState(kProfile));
    EXPECT_FALSE(wrapper.IsStateRestored());

    ASSERT_TRUE(wrapper.SaveState(kProfile));
    wrapper.SetWindowText(_T("Renamed"));
    EXPECT_TRUE(wrapper.LoadState(kProfile));
    EXPECT_TRUE(wrapper.IsStateRestored());
    CString title;
    wrapper.GetWindowText(title);
    EXPECT_EQ(CString(_T("Find results")), title);

    // An empty stored title leaves the title as it is.
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExW(HKEY_CURRENT_USER,
                                             (std::wstring(kProfile) + L"KGPDockingCBWrapper-4020").c_str(), 0,
                                             KEY_SET_VALUE, &key));
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExW(key, L"BarName", 0, REG_SZ, reinterpret_cast<const BYTE*>(L""), 2));
    ::RegCloseKey(key);
    wrapper.SetWindowText(_T("Kept"));
    EXPECT_TRUE(wrapper.LoadState(kProfile));
    wrapper.GetWindowText(title);
    EXPECT_EQ(CString(_T("Kept")), title);
    wrapper.DestroyWindow();
}

TEST_F(DockingWrapperTest, ATabWindowWrapsAPlainWindowSoThatItsTabMayFloat)
{
    CKGPTabbedControlBar tabbed(FALSE);
    ASSERT_TRUE(tabbed.Create(_T("Tabs"), &frame, CRect(0, 0, 220, 240), TRUE, 4030,
                              WS_CHILD | WS_VISIBLE | CBRS_LEFT));
    CWnd* pPlain = MakePlain(4031);
    ASSERT_TRUE(tabbed.AddTab(pPlain));
    CKGPBaseTabWnd* pTabs = tabbed.GetTabWnd();
    ASSERT_EQ(1, pTabs->GetTabsNum());
    auto* pWrapper = DYNAMIC_DOWNCAST(CKGPDockingCBWrapper, pTabs->GetTabWnd(0));
    ASSERT_NE(nullptr, pWrapper);
    EXPECT_EQ(4031, pWrapper->GetDlgCtrlID());
    EXPECT_EQ(pPlain, pTabs->GetTabWndNoWrapper(0));
    EXPECT_EQ(pPlain, pWrapper->GetWrappedWnd());
    EXPECT_TRUE(pTabs->IsTabDetachable(0));
    EXPECT_TRUE(pWrapper->IsTabbed());
    // A docking pane is taken as it is.
    CKGPDockingControlBar pane;
    ASSERT_TRUE(pane.Create(_T("Pane"), &frame, CRect(0, 0, 100, 100), TRUE, 4032, WS_CHILD | WS_VISIBLE | CBRS_LEFT));
    ASSERT_TRUE(tabbed.AddTab(&pane));
    EXPECT_EQ(&pane, pTabs->GetTabWnd(1));

    // The wrapper goes with the tabbed pane, and the window inside it.
    const HWND hWrapper = pWrapper->GetSafeHwnd();
    tabbed.DestroyWindow();
    EXPECT_FALSE(::IsWindow(hWrapper));
    EXPECT_EQ(nullptr, pPlain->GetSafeHwnd());
}

} // namespace
