// The steps bars, rows and dock bars take in a test frame: a bar resized to a
// rectangle and stretched within its limits, a row's bars moved, placed in
// sequence, clamped and laid out on their layout rectangles, rows hidden and
// shown again, rows brought back for a saved layout, and a bar that hands no
// key on while context help picks a window.
#include <gtest/gtest.h>

#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockBarRow.h"
#include "guilib/docking/KGPDockManager.h"
#include "tests/guilib_docking/DockingTestFrame.h"

#include <vector>

namespace {

using namespace docking_test;

class BarStepsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(frame.Open()); }
    void TearDown() override
    {
        bars.clear();
        frame.DestroyWindow();
    }
    CKGPControlBar* Add(UINT id, UINT dockBarId, int length = 100)
    {
        bars.push_back(MakeBar(&frame, id, length));
        frame.DockControlBar(bars.back().get(), dockBarId);
        frame.RecalcLayout();
        return bars.back().get();
    }
    CKGPDockBar* DockBar(DWORD alignment) { return frame.GetDockManager()->FindDockBar(alignment, TRUE); }
    static CRect InParent(CWnd* pWnd)
    {
        CRect rect;
        pWnd->GetWindowRect(rect);
        pWnd->GetParent()->ScreenToClient(rect);
        return rect;
    }
    CTestFrame frame;
    std::vector<std::unique_ptr<CKGPControlBar>> bars;
};

TEST_F(BarStepsTest, ABarResizesToARectangleAndStretchesWithinItsLimits)
{
    CKGPControlBar* bar = Add(1200, AFX_IDW_DOCKBAR_TOP, 120);
    CRect window;
    bar->GetWindowRect(window);
    EXPECT_EQ(0, bar->StretchBar(0));
    EXPECT_EQ(0, bar->StretchBar(40)); // already at full size
    EXPECT_EQ(-50, bar->StretchBar(-50));
    EXPECT_EQ(-(120 - 50 - 30), bar->StretchBar(-500)); // down to the minimum of 30
    EXPECT_EQ(90, bar->StretchBar(500));                // back up to its full 120

    // A rectangle narrower than the minimum grows back by the edge that moved.
    const CRect narrow(window.left + 100, window.top, window.right, window.bottom); // the left edge moved right
    EXPECT_EQ(CSize(30 - window.Width(), 0), bar->CalcSizeChange(CRect(window.left, window.top, window.left + 10, window.bottom)));
    const CSize change = bar->ResizeToRect(narrow);
    EXPECT_EQ(CSize(30 - window.Width(), 0), change);
    CRect resized;
    bar->GetWindowRect(resized);
    EXPECT_EQ(window.right, resized.right);
    EXPECT_EQ(30, resized.Width());
    bar->ResizeToRect(CRect(window.left, window.top, window.left + 10, window.bottom), TRUE); // minimum ignored
    bar->GetWindowRect(resized);
    EXPECT_EQ(10, resized.Width());
}

TEST_F(BarStepsTest, ARowMovesItsBarsByItsOwnSteps)
{
    CKGPControlBar* first = Add(1210, AFX_IDW_DOCKBAR_TOP, 100);
    CKGPDockBarRow* row = first->GetDockBarRow();
    CKGPControlBar* second = bars.emplace_back(MakeBar(&frame, 1211, 80)).get();
    second->PrepareToDock(DockBar(CBRS_ALIGN_TOP), KGP_DM_RECT);
    row->AddControlBarAt(second, KGP_DM_RECT, nullptr, TRUE); // after the last, no gap set
    EXPECT_EQ(InParent(first).right, InParent(second).left);
    EXPECT_EQ(2, row->GetBarCount());
    EXPECT_EQ(first, row->GetFirstBar(TRUE));
    EXPECT_EQ(second, row->GetFirstBar(FALSE));

    row->MoveBarToOffset(second, 300);
    EXPECT_EQ(300, InParent(second).left);
    row->MoveBarBy(second, 20, FALSE);
    EXPECT_EQ(280, InParent(second).left);
    CRect client;
    row->GetClientRect(client);
    row->MoveBarToOffset(second, client.right - 30); // sticks out by 50
    EXPECT_EQ(50, row->GetOutsideAmount(second, FALSE));
    row->ClampToRow(second);
    EXPECT_EQ(client.right, InParent(second).right);
    CRect withBars;
    row->GetWindowRectWithBars(withBars);
    CRect rowRect;
    row->GetRowRect(rowRect);
    EXPECT_EQ(rowRect.Width(), withBars.Width());

    // In sequence from 10 with gaps of 4 (both bars open their own groups).
    row->PlaceBarsInSequence(10, 4);
    EXPECT_EQ(10, InParent(first).left);
    EXPECT_EQ(10 + 100 + 4, InParent(second).left);
    CObList group;
    row->CollectFollowingBars(second, group);
    EXPECT_EQ(1, group.GetCount());
    first->m_bGroupEnd = FALSE; // the first bar's group goes on into the second
    second->m_bGroupStart = FALSE;
    group.RemoveAll();
    row->CollectFollowingBars(second, group);
    EXPECT_EQ(2, group.GetCount());
    EXPECT_EQ(first, group.GetHead());

    // One pass on the layout rectangles: shrunk bars grow back where there is room.
    first->StretchBar(-40);
    row->RecalcLayout();
    EXPECT_EQ(100, InParent(first).Width());
    EXPECT_EQ(InParent(first).right, first->m_rectLayout.right);
}

// A row a bar keeps to itself follows its dock bar's new length without
// shrinking the bar: moved along the row near its end, the bar comes back
// inside when the dock bar gets shorter.
TEST_F(BarStepsTest, ARowABarKeepsToItselfClampsTheBarIntoTheDockBarsNewLength)
{
    CKGPControlBar* bar = Add(1230, AFX_IDW_DOCKBAR_TOP, 120);
    bar->SetExclusiveRow(1);
    CKGPDockBarRow* row = bar->GetDockBarRow();
    CKGPDockBar* top = DockBar(CBRS_ALIGN_TOP);
    CRect client;
    top->GetClientRect(client);
    row->MoveBarToOffset(bar, client.right - 130);
    const int width = InParent(bar).Width();
    const CRect shorter(0, 0, client.Width() - 200, client.Height());
    top->OnResizeDockBar(shorter);
    EXPECT_EQ(shorter.right, InParent(bar).right) << "its end at the row's new end";
    EXPECT_EQ(width, InParent(bar).Width()) << "not shrunk";
}

TEST_F(BarStepsTest, HiddenRowsGiveTheirPlaceBackAndSavedLayoutsBringRowsBack)
{
    CKGPControlBar* upper = Add(1220, AFX_IDW_DOCKBAR_TOP);
    CKGPControlBar* lower = Add(1221, AFX_IDW_DOCKBAR_TOP);
    CKGPDockBar* top = DockBar(CBRS_ALIGN_TOP);
    ASSERT_EQ(2, top->GetRows().GetCount());
    EXPECT_EQ(24, InParent(lower).top);
    upper->ShowBar(FALSE, FALSE, FALSE); // its row hides: the row after it moves up
    EXPECT_EQ(0, InParent(lower).top);
    EXPECT_EQ(24, frame.ViewRect().top);
    upper->ShowBar(TRUE, FALSE, FALSE);
    EXPECT_EQ(24, InParent(lower).top);
    EXPECT_EQ(48, frame.ViewRect().top);
    EXPECT_EQ(top->GetRows().GetHeadPosition(), top->GetNextVisibleRow(nullptr, TRUE));

    // While a saved layout is applied, a bar going back to its recent row 3
    // brings the rows before it back.
    CKGPControlBar* restored = bars.emplace_back(MakeBar(&frame, 1222)).get();
    restored->m_recentDockInfo.m_nRecentRowIndex = 3;
    restored->m_recentDockInfo.SetRecentDockBar(top);
    CKGPDockManager::s_bRearranging = TRUE;
    EXPECT_TRUE(restored->DockControlBar(top, nullptr, KGP_DM_DBLCLICK));
    CKGPDockManager::s_bRearranging = FALSE;
    EXPECT_EQ(3, top->GetRowIndex(restored->GetDockBarRow()));
}

// A frame that counts the keys offered to it before dispatch.
class CCountingFrame : public CTestFrame {
public:
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN)
            ++m_nKeys;
        return FALSE;
    }
    int m_nKeys = 0;
};

TEST(BarKeys, NoKeyGoesOnWhileContextHelpPicksAWindow)
{
    CCountingFrame frame;
    ASSERT_TRUE(frame.Open());
    std::unique_ptr<CKGPControlBar> bar = MakeBar(&frame, 1230);
    MSG key{};
    key.hwnd = bar->m_hWnd;
    key.message = WM_KEYDOWN;
    key.wParam = 'A';
    bar->PreTranslateMessage(&key); // (then the dialog manager takes it for the bar)
    EXPECT_EQ(1, frame.m_nKeys);    // offered to the owner frame first
    frame.m_bHelpMode = TRUE;
    EXPECT_FALSE(bar->PreTranslateMessage(&key));
    EXPECT_EQ(1, frame.m_nKeys); // not while help picks a window
    frame.m_bHelpMode = FALSE;
    bar.reset();
    frame.DestroyWindow();
}

} // namespace
