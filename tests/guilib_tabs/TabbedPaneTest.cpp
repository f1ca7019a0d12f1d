// Docking panes grouped as tabs in a docking frame: a pane dropped on
// another makes a tabbed pane at its place; the bars' tabbed branches
// (visibility, the tabbed pane holding a bar, the caption following the
// active tab) answer through it; one pane floats out (the last left takes the
// tabbed pane's place) and comes back; a tabbed pane added to another brings
// its panes; the only tab does not float; the close button hides the active
// tab only; the stored record never decides who owns the pane.
#include <gtest/gtest.h>

#include "guilib/docking/KGPMultiMiniFrameWnd.h"
#include "guilib/docking/KGPSlider.h"
#include "guilib/docking/KGPTabbedControlBar.h"
#include "guilib/tabs/KGPTabWnd.h"
#include "tests/guilib_docking/DockingTestFrame.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

#include <memory>
#include <vector>

namespace {

using namespace docking_test;

class CColourPane : public CKGPDockingControlBar {
protected:
    void DoPaint(CDC* pDC) override
    {
        CRect client;
        GetClientRect(client);
        static const COLORREF colours[] = {RGB(230, 240, 255), RGB(255, 240, 220), RGB(225, 250, 225)};
        pDC->FillSolidRect(client, colours[static_cast<UINT>(GetDlgCtrlID()) % 3]);
    }
};

class TabbedPaneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Open());
        frame.SetForegroundWindow();
    }
    void TearDown() override
    {
        frame.DestroyWindow();
        panes.clear();
        keyloft_test::Pump(30);
    }
    CKGPDockingControlBar* Add(UINT id, LPCTSTR title)
    {
        panes.push_back(std::make_unique<CColourPane>());
        CKGPDockingControlBar& pane = *panes.back();
        pane.SetMinSize(CSize(40, 40));
        EXPECT_TRUE(pane.Create(title, &frame, CRect(0, 0, 180, 220), TRUE, id, WS_CHILD | WS_VISIBLE | CBRS_LEFT));
        pane.EnableDocking(CBRS_ALIGN_ANY);
        return &pane;
    }
    static CKGPTabbedControlBar* TabbedOf(CKGPDockingControlBar* pPane)
    {
        return DYNAMIC_DOWNCAST(CKGPTabbedControlBar, pPane->GetParentTabbedBar());
    }
    static CString Caption(CWnd* pWnd)
    {
        CString text;
        pWnd->GetWindowText(text);
        return text;
    }

    CTestFrame frame;
    std::vector<std::unique_ptr<CKGPDockingControlBar>> panes;
};

TEST_F(TabbedPaneTest, APaneDroppedOnAnotherMakesATabbedPaneThatTheBarsAsk)
{
    CKGPDockingControlBar* output = Add(3101, _T("Output"));
    ASSERT_TRUE(output->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* watch = Add(3102, _T("Watch"));
    CKGPDockingControlBar* tabbedPane = nullptr;
    ASSERT_NE(nullptr, watch->AttachToTabWnd(output, KGP_DM_UNKNOWN, TRUE, &tabbedPane));
    frame.RecalcLayout();

    CKGPTabbedControlBar* tabbed = TabbedOf(output);
    ASSERT_NE(nullptr, tabbed);
    EXPECT_EQ(tabbed, TabbedOf(watch));
    EXPECT_TRUE(output->IsTabbed());
    EXPECT_TRUE(watch->IsTabbed());
    CKGPBaseTabWnd* tabs = tabbed->GetTabWnd();
    ASSERT_EQ(2, tabs->GetTabsNum());
    EXPECT_EQ(watch, tabs->GetActiveWnd());
    EXPECT_EQ(CString(_T("Watch")), Caption(tabbed)); // the caption follows the active tab
    EXPECT_TRUE(output->IsBarVisible());
    EXPECT_NE(nullptr, tabbed->GetDefaultPaneSlider()); // in the pane's place at the edge

    // The bars' branches: hiding a pane hides its tab; the other becomes active.
    watch->ShowBar(FALSE, FALSE, FALSE);
    EXPECT_FALSE(watch->IsBarVisible());
    EXPECT_FALSE(tabs->IsTabVisible(1));
    EXPECT_EQ(output, tabs->GetActiveWnd());
    EXPECT_EQ(CString(_T("Output")), Caption(tabbed));
    watch->ShowBar(TRUE, FALSE, TRUE);
    EXPECT_TRUE(watch->IsBarVisible());
    EXPECT_EQ(watch, tabs->GetActiveWnd());

    // A pane's icon shows on its tab.
    watch->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(::LoadIcon(nullptr, IDI_APPLICATION)));
    EXPECT_NE(nullptr, tabs->GetTabHicon(1));
    EXPECT_TRUE(tabs->HasImage(1));

    // A tab's label renamed renames the pane and the caption.
    tabs->SetTabLabel(1, _T("Watch 1"));
    EXPECT_EQ(CString(_T("Watch 1")), Caption(watch));
    EXPECT_EQ(CString(_T("Watch 1")), Caption(tabbed));

    // Found by id among the tabs.
    EXPECT_EQ(output, tabbed->FindBarByID(3101));
    EXPECT_EQ(nullptr, tabbed->FindBarByID(77));
    EXPECT_EQ(watch, tabbed->FindBarByTabNumber(1));
    keyloft_test::Pump(100);
    EXPECT_TRUE(keyloft_test::SaveScreenshot(frame.GetSafeHwnd(), L"guilib_tabs_tabbed_pane.bmp"));
}

TEST_F(TabbedPaneTest, APaneFloatsOutOfItsTabbedPaneAndComesBack)
{
    CKGPDockingControlBar* output = Add(3111, _T("Output"));
    ASSERT_TRUE(output->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* watch = Add(3112, _T("Watch"));
    CKGPDockingControlBar* locals = Add(3113, _T("Locals"));
    ASSERT_NE(nullptr, watch->AttachToTabWnd(output, KGP_DM_UNKNOWN));
    ASSERT_NE(nullptr, locals->AttachToTabWnd(output, KGP_DM_UNKNOWN));
    CKGPTabbedControlBar* tabbed = TabbedOf(output);
    ASSERT_NE(nullptr, tabbed);
    ASSERT_EQ(3, tabbed->GetTabWnd()->GetTabsNum());

    // The active tab dragged off the strip floats under the cursor, and its
    // floating frame carries the drag on until it is let go.
    CKGPBaseTabWnd* tabs = tabbed->GetTabWnd();
    ASSERT_EQ(locals, tabs->GetActiveWnd());
    CRect tabRect;
    ASSERT_TRUE(tabs->GetTabRect(2, tabRect));
    const CPoint start = tabRect.CenterPoint();
    CPoint away(start.x, start.y - 150);
    tabs->ClientToScreen(&away);
    ::SetCursorPos(away.x, away.y);
    tabs->ScreenToClient(&away);
    tabs->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, keyloft_test::PointParam(start.x, start.y));
    ASSERT_TRUE(tabs->IsTabDragging());
    tabs->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, keyloft_test::PointParam(away.x, away.y));
    if (CWnd* pCapture = CWnd::GetCapture())
        pCapture->SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(locals->IsTabbed());
    EXPECT_TRUE(locals->IsFloating());
    EXPECT_EQ(2, tabbed->GetTabWnd()->GetTabsNum());

    // The next one floats too: the last pane left takes the tabbed pane's place.
    const HWND hTabbed = tabbed->GetSafeHwnd();
    ASSERT_TRUE(tabbed->DetachBar(watch));
    EXPECT_TRUE(watch->IsFloating());
    EXPECT_FALSE(::IsWindow(hTabbed));
    EXPECT_FALSE(output->IsTabbed());
    EXPECT_NE(nullptr, output->GetDefaultPaneSlider());
    EXPECT_TRUE(output->IsWindowVisible());

    // And back as a tab.
    ASSERT_NE(nullptr, watch->AttachToTabWnd(output, KGP_DM_UNKNOWN));
    EXPECT_TRUE(watch->IsTabbed());
    EXPECT_FALSE(watch->IsFloating());
    ASSERT_NE(nullptr, TabbedOf(output));
    EXPECT_EQ(2, TabbedOf(output)->GetTabWnd()->GetTabsNum());
}

TEST_F(TabbedPaneTest, TheOnlyTabDoesNotFloatAndATabbedPaneAddedBringsItsPanes)
{
    CKGPDockingControlBar* a = Add(3121, _T("A"));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* b = Add(3122, _T("B"));
    ASSERT_NE(nullptr, b->AttachToTabWnd(a, KGP_DM_UNKNOWN));
    CKGPTabbedControlBar* first = TabbedOf(a);
    ASSERT_NE(nullptr, first);

    CKGPDockingControlBar* c = Add(3123, _T("C"));
    ASSERT_TRUE(c->DockToWindow(CBRS_ALIGN_RIGHT, nullptr));
    CKGPDockingControlBar* d = Add(3124, _T("D"));
    ASSERT_NE(nullptr, d->AttachToTabWnd(c, KGP_DM_UNKNOWN));
    CKGPTabbedControlBar* second = TabbedOf(c);
    ASSERT_NE(nullptr, second);
    const HWND hSecond = second->GetSafeHwnd();

    // Adding a tabbed pane moves its panes in order and the emptied pane goes;
    // they remember its docked place as theirs.
    second->m_recentDockInfo.m_rectRecentDockedRect = CRect(11, 22, 133, 244);
    EXPECT_FALSE(first->AddTab(second));
    EXPECT_EQ(CRect(11, 22, 133, 244), d->m_recentDockInfo.m_rectRecentDockedRect);
    EXPECT_FALSE(::IsWindow(hSecond));
    ASSERT_EQ(4, first->GetTabWnd()->GetTabsNum());
    EXPECT_EQ(c, first->GetTabWnd()->GetTabWnd(2));
    EXPECT_EQ(d, first->GetTabWnd()->GetTabWnd(3));
    EXPECT_EQ(first, TabbedOf(d));

    // A tabbed control bar with one tab floats nothing.
    auto lone = std::make_unique<CKGPTabbedControlBar>(FALSE);
    ASSERT_TRUE(lone->Create(_T(""), &frame, CRect(0, 0, 200, 200), TRUE, 3130, WS_CHILD | WS_VISIBLE | CBRS_LEFT, 0));
    CKGPDockingControlBar* e = Add(3125, _T("E"));
    e->RemoveFromHost(TRUE);
    ASSERT_TRUE(lone->AddTab(e));
    EXPECT_FALSE(lone->FloatTab(e, 0, KGP_DM_UNKNOWN));
    EXPECT_EQ(1, lone->GetTabWnd()->GetTabsNum());
    lone->DestroyWindow();
}

TEST_F(TabbedPaneTest, ADoubleClickOnAFloatingTabbedPaneSendsEachPaneToItsOwnPlace)
{
    CKGPDockingControlBar* left = Add(3171, _T("Left"));
    ASSERT_TRUE(left->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* right = Add(3172, _T("Right"));
    ASSERT_TRUE(right->DockToWindow(CBRS_ALIGN_RIGHT, nullptr));
    frame.RecalcLayout();
    CRect leftRect, rightRect;
    left->GetWindowRect(leftRect);
    right->GetWindowRect(rightRect);

    // A floating tabbed pane, never docked itself, takes both.
    auto* tabbed = new CKGPTabbedControlBar(TRUE); // its window owns it
    ASSERT_TRUE(tabbed->Create(_T(""), &frame, CRect(0, 0, 200, 240), TRUE, 3170, WS_CHILD | WS_VISIBLE | CBRS_LEFT, 0));
    tabbed->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(tabbed->FloatBar(CRect(300, 200, 500, 440), KGP_DM_UNKNOWN, true));
    for (CKGPDockingControlBar* pane : {left, right}) {
        pane->StoreRecentDockInfo();
        ASSERT_TRUE(tabbed->AddTab(pane));
    }
    ASSERT_TRUE(left->IsTabbed());
    const HWND hTabbed = tabbed->GetSafeHwnd();

    EXPECT_FALSE(tabbed->DockPane(nullptr, nullptr, KGP_DM_DBLCLICK)); // emptied, it goes
    EXPECT_FALSE(::IsWindow(hTabbed));
    for (CKGPDockingControlBar* pane : {left, right}) {
        EXPECT_FALSE(pane->IsTabbed());
        EXPECT_FALSE(pane->IsFloating());
        EXPECT_NE(nullptr, pane->GetDefaultPaneSlider());
        EXPECT_TRUE(pane->IsWindowVisible());
    }
    frame.RecalcLayout();
    CRect leftAgain, rightAgain;
    left->GetWindowRect(leftAgain);
    right->GetWindowRect(rightAgain);
    EXPECT_EQ(leftRect.left, leftAgain.left);
    EXPECT_EQ(rightRect.right, rightAgain.right);
}

TEST_F(TabbedPaneTest, ADoubleClickedTabOfAPaneFloatingWithOthersDocksBackWhereItWas)
{
    CKGPDockingControlBar* left = Add(3181, _T("Left"));
    ASSERT_TRUE(left->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    frame.RecalcLayout();
    CKGPDockingControlBar* other = Add(3182, _T("Other"));

    auto* tabbed = new CKGPTabbedControlBar(TRUE); // its window owns it
    ASSERT_TRUE(tabbed->Create(_T(""), &frame, CRect(0, 0, 200, 240), TRUE, 3180,
                               WS_CHILD | WS_VISIBLE | CBRS_LEFT | KGP_CBRS_FLOAT_MULTI, 0));
    tabbed->EnableDocking(CBRS_ALIGN_ANY);
    ASSERT_TRUE(tabbed->FloatBar(CRect(300, 200, 500, 440), KGP_DM_UNKNOWN, true));
    ASSERT_NE(nullptr, DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, tabbed->GetParentMiniFrame(TRUE)));
    left->StoreRecentDockInfo();
    ASSERT_TRUE(tabbed->AddTab(left));
    ASSERT_TRUE(tabbed->AddTab(other));

    ASSERT_TRUE(tabbed->GetTabWnd()->DetachTab(KGP_TAB_DETACH_BY_DBLCLK, 0));
    EXPECT_FALSE(left->IsTabbed());
    EXPECT_FALSE(left->IsFloating());
    EXPECT_NE(nullptr, left->GetDefaultPaneSlider());
}

TEST_F(TabbedPaneTest, TheCloseButtonHidesTheActiveTabAndTheLastOneClosesTheBar)
{
    CKGPDockingControlBar* a = Add(3141, _T("A"));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* b = Add(3142, _T("B"));
    CKGPDockingControlBar* c = Add(3143, _T("C"));
    ASSERT_NE(nullptr, b->AttachToTabWnd(a, KGP_DM_UNKNOWN));
    ASSERT_NE(nullptr, c->AttachToTabWnd(a, KGP_DM_UNKNOWN));
    CKGPTabbedControlBar* tabbed = TabbedOf(a);
    ASSERT_NE(nullptr, tabbed);
    CKGPBaseTabWnd* tabs = tabbed->GetTabWnd();
    ASSERT_EQ(c, tabs->GetActiveWnd());
    tabbed->OnPressCloseButton();
    EXPECT_EQ(2, tabs->GetVisibleTabsNum());
    EXPECT_FALSE(tabs->IsTabVisible(2));
    EXPECT_TRUE(tabbed->IsWindowVisible());
    tabbed->OnPressCloseButton();
    EXPECT_EQ(1, tabs->GetVisibleTabsNum());
    tabbed->OnPressCloseButton();
    EXPECT_FALSE(tabbed->IsWindowVisible());
}

// A tab's page keeps its pane's minimum: the tabbed pane around it is at
// least that minimum plus its caption, border and tab strip, for the largest
// shown tab.
TEST_F(TabbedPaneTest, ATabbedPaneIsAtLeastItsLargestShownTabsMinimumWithItsStripAround)
{
    CKGPDockingControlBar* a = Add(3151, _T("A"));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* b = Add(3152, _T("B"));
    b->SetMinSize(CSize(150, 130));
    ASSERT_NE(nullptr, b->AttachToTabWnd(a, KGP_DM_UNKNOWN));
    frame.RecalcLayout();
    CKGPTabbedControlBar* tabbed = TabbedOf(a);
    ASSERT_NE(nullptr, tabbed);
    CRect bar;
    CRect page;
    tabbed->GetWindowRect(bar);
    b->GetWindowRect(page);
    const CSize around(bar.Width() - page.Width(), bar.Height() - page.Height());
    EXPECT_GT(around.cy, 0) << "a caption and a strip above or below the page";
    CSize minimum;
    tabbed->GetMinSize(minimum);
    EXPECT_EQ(CSize(150 + around.cx, 130 + around.cy), minimum);

    // The slider pushed far in stops where B's page keeps its width.
    tabbed->GetDefaultPaneSlider()->MoveSlider(CSize(-400, 0));
    frame.RecalcLayout();
    b->GetWindowRect(page);
    EXPECT_GE(page.Width(), 150);

    // With B hidden only A's minimum counts (and the strip of one tab hides).
    b->ShowBar(FALSE, FALSE, FALSE);
    frame.RecalcLayout();
    tabbed->GetWindowRect(bar);
    a->GetWindowRect(page);
    tabbed->GetMinSize(minimum);
    EXPECT_EQ(CSize(40 + bar.Width() - page.Width(), 40 + bar.Height() - page.Height()), minimum);
    EXPECT_LT(minimum.cy, 130);
}

TEST_F(TabbedPaneTest, StoredDataNeverDecidesWhoOwnsATabbedPane)
{
    // A tabbed pane its window owns stores its flag as set...
    auto* owned = new CKGPTabbedControlBar(TRUE);
    ASSERT_TRUE(owned->Create(_T("Owned"), &frame, CRect(0, 0, 200, 200), TRUE, 3160,
                              WS_CHILD | WS_VISIBLE | CBRS_LEFT, 0));
    const std::vector<BYTE> bytes = keyloft_test::StoredBytes([&](CArchive& ar) { owned->Serialize(ar); });
    owned->DestroyWindow(); // and deletes itself

    // ...and one held here by value reads the record without taking it.
    CKGPTabbedControlBar byValue(FALSE);
    ASSERT_TRUE(byValue.Create(_T("By value"), &frame, CRect(0, 0, 200, 200), TRUE, 3161,
                               WS_CHILD | WS_VISIBLE | CBRS_LEFT, 0));
    CKGPStoredLoad load;
    ASSERT_TRUE(load.ReadBytes(bytes.data(), static_cast<UINT>(bytes.size()),
                               [&](CArchive& ar) { byValue.ReadArchive(ar, load); }));
    EXPECT_TRUE(load.Commit());
    EXPECT_FALSE(byValue.IsAutoDestroy());

    // A damaged flag (neither 0 nor 1) refuses the record.
    std::vector<BYTE> damaged = bytes;
    damaged[damaged.size() - 4] = 7;
    CKGPStoredLoad refused;
    refused.ReadBytes(damaged.data(), static_cast<UINT>(damaged.size()),
                      [&](CArchive& ar) { byValue.ReadArchive(ar, refused); });
    EXPECT_FALSE(refused.Commit());
    byValue.DestroyWindow();
}

TEST_F(TabbedPaneTest, ChangedLibrarySettingsReachEveryOpenTabbedPane)
{
    CKGPDockingControlBar* a = Add(3151, _T("A"));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* b = Add(3152, _T("B"));
    ASSERT_NE(nullptr, b->AttachToTabWnd(a, KGP_DM_UNKNOWN));
    auto* tabs = DYNAMIC_DOWNCAST(CKGPTabWnd, TabbedOf(a)->GetTabWnd());
    ASSERT_NE(nullptr, tabs);
    EXPECT_FALSE(tabs->IsLeftRightRounded());
    EXPECT_TRUE(TabbedOf(a)->IsTabLocationBottom());

    const int style = CKGPTabbedControlBar::m_StyleTabWnd;
    CKGPTabbedControlBar::m_StyleTabWnd = CKGPTabWnd::STYLE_3D_ROUNDED;
    CKGPTabbedControlBar::m_bIsTabsAutoColor = TRUE;
    CKGPTabbedControlBar::ReapplyTabSettingsToAll();
    CKGPTabbedControlBar::m_StyleTabWnd = style;
    CKGPTabbedControlBar::m_bIsTabsAutoColor = FALSE;
    EXPECT_TRUE(tabs->IsLeftRightRounded());
    EXPECT_TRUE(tabs->IsAutoColor());

    CRect top, bottom;
    TabbedOf(a)->GetTabArea(top, bottom);
    EXPECT_TRUE(top.IsRectEmpty());
    EXPECT_FALSE(bottom.IsRectEmpty());
}

}  // namespace
