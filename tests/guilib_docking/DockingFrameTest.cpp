// Bars docked in a test frame: the four edges, moves between and along rows,
// the view placed in what the bars leave, the bars' registry values and
// archives, and a screenshot of the frame.
#include <gtest/gtest.h>

#include "guilib/core/KGPRegistry.h"
#include "guilib/core/KGPVisualManager2003.h"
#include "guilib/docking/KGPControlBar.h"
#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockBarRow.h"
#include "guilib/docking/KGPDialogInitData.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/frames/KGPFrameWnd.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "tests/support/Dib.h"
#include "tests/support/MenuDriver.h"
#include "tests/support/MessagePump.h"
#include "tests/support/heap/DeleteWatch.h"
#include "tests/guilib_docking/DockingTestFrame.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

using namespace docking_test;

constexpr LPCTSTR kProfile = _T("Software\\KeyloftTests\\Docking\\");

class DockingFrameTest : public ::testing::Test {
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
        return bars.back().get();
    }
    CKGPDockBar* DockBar(DWORD alignment) { return frame.GetDockManager()->FindDockBar(alignment, TRUE); }

    CTestFrame frame;
    std::vector<std::unique_ptr<CKGPControlBar>> bars;
};

TEST_F(DockingFrameTest, BarsDockAlongTheFourEdgesAndTheViewTakesTheRest)
{
    const struct {
        UINT dockBarId;
        DWORD alignment;
    } edges[] = {{AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP},
                 {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM},
                 {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT},
                 {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT}};
    UINT id = 100;
    for (const auto& edge : edges) {
        CKGPControlBar* bar = Add(id++, edge.dockBarId);
        EXPECT_EQ(DockBar(edge.alignment), bar->GetParentDockBar());
        EXPECT_EQ(edge.alignment, bar->GetCurrentAlignment());
        EXPECT_NE(nullptr, bar->GetDockBarRow());
    }
    frame.RecalcLayout();
    CRect client;
    frame.GetClientRect(client);
    EXPECT_EQ(CRect(client.left + 24, client.top + 24, client.right - 24, client.bottom - 24), frame.ViewRect());
    CRect inner;
    frame.GetDockManager()->GetInnerDockRect(inner);
    EXPECT_EQ(inner, frame.ViewRect());
    EXPECT_EQ(CRect(0, 0, client.right, 24), ClientRectIn(DockBar(CBRS_ALIGN_TOP), &frame));
    EXPECT_EQ(CRect(0, 24, 24, client.bottom - 24), ClientRectIn(DockBar(CBRS_ALIGN_LEFT), &frame));
    CRect leftBar = ClientRectIn(bars[2].get(), &frame);
    EXPECT_EQ(CSize(24, 100), leftBar.Size()); // a vertical bar lies across its edge

    bars[0]->SetLibraryBarStyle(0);
    EXPECT_FALSE(bars[0]->FloatBar(CRect(0, 0, 100, 24))); // may not float: stays docked
    EXPECT_EQ(bars[0].get(), frame.GetDockManager()->FindBarById(100));
    bars[0]->SetLibraryBarStyle(KGP_BARSTYLE_FLOAT);
    EXPECT_TRUE(bars[0]->FloatBar(CRect(300, 200, 400, 224)));
    EXPECT_TRUE(bars[0]->IsFloating());
    EXPECT_EQ(nullptr, bars[0]->GetParentDockBar());
    EXPECT_EQ(1, frame.GetDockManager()->GetMiniFrames().GetCount());
    EXPECT_EQ(nullptr, frame.GetDockManager()->FindBarById(100)); // not docked any more
    EXPECT_EQ(bars[0].get(), frame.GetDockManager()->FindBarById(100, TRUE));
    bars[3]->DestroyWindow(); // the right edge's only bar goes: its row goes with it
    frame.RecalcLayout();
    EXPECT_EQ(client.right, frame.ViewRect().right);
    EXPECT_EQ(0, DockBar(CBRS_ALIGN_RIGHT)->GetRows().GetCount());
    CObList all;
    frame.GetDockManager()->GetControlBarList(all);
    EXPECT_EQ(6, all.GetCount()); // two docked bars, four dock bars (the third floats)
}

TEST_F(DockingFrameTest, BarsMoveBetweenRowsAndSwapAlongARow)
{
    CKGPControlBar* first = Add(200, AFX_IDW_DOCKBAR_TOP);
    CKGPControlBar* second = Add(201, AFX_IDW_DOCKBAR_TOP);
    CKGPDockBar* top = DockBar(CBRS_ALIGN_TOP);
    ASSERT_EQ(2, top->GetRows().GetCount());
    EXPECT_EQ(48, ClientRectIn(top, &frame).Height());
    EXPECT_EQ(48, frame.ViewRect().top);

    // Dragged up by more than two thirds of its height: into the first row.
    CRect topRect;
    top->GetWindowRect(topRect);
    ::SetCursorPos(topRect.left + 200, topRect.top + 10);
    EXPECT_FALSE(top->MoveControlBar(second, 0, 0, -20));
    EXPECT_EQ(first->GetDockBarRow(), second->GetDockBarRow());
    EXPECT_EQ(1, top->GetRows().GetCount());
    EXPECT_EQ(24, ClientRectIn(top, &frame).Height());
    EXPECT_EQ(24, frame.ViewRect().top);
    CRect a = ClientRectIn(first, top), b = ClientRectIn(second, top);
    EXPECT_LE(a.right, b.left); // side by side, apart

    // The first dragged right over the second: the two change places.
    ASSERT_GT(b.left - a.left, 100);
    top->MoveControlBar(first, 0, b.left - a.left - 50, 0);
    a = ClientRectIn(first, top);
    b = ClientRectIn(second, top);
    EXPECT_LE(b.right, a.left);
    EXPECT_EQ(second, first->GetDockBarRow()->GetControlBars().GetHead());

    // Dragged down by only two thirds of its height: it stays.
    top->MoveControlBar(second, 0, 0, 16);
    EXPECT_EQ(1, top->GetRows().GetCount());
}

// A bar keeping a row to itself takes no neighbour into it nor joins an
// occupied row; a bar dragged onto its row swaps the two rows instead.
TEST_F(DockingFrameTest, ABarKeepingARowToItselfTakesNoNeighbourAndDraggedRowsSwapWithIt)
{
    bars.push_back(MakeBar(&frame, 280));
    CKGPControlBar* alone = bars.back().get();
    alone->SetExclusiveRow(1);
    frame.DockControlBar(alone, AFX_IDW_DOCKBAR_TOP);
    CKGPDockBar* top = DockBar(CBRS_ALIGN_TOP);
    CRect aloneRect;
    alone->GetWindowRect(aloneRect);
    bars.push_back(MakeBar(&frame, 281));
    CKGPControlBar* other = bars.back().get();
    const CRect besideIt(aloneRect.right + 20, aloneRect.top, aloneRect.right + 120, aloneRect.bottom);
    frame.DockControlBar(other, AFX_IDW_DOCKBAR_TOP, besideIt);
    frame.RecalcLayout();
    ASSERT_EQ(2, top->GetRows().GetCount()) << "asked into the kept row, it gets a row of its own";
    EXPECT_NE(alone->GetDockBarRow(), other->GetDockBarRow());
    EXPECT_EQ(1, alone->GetDockBarRow()->GetControlBars().GetCount());
    EXPECT_EQ(0, ClientRectIn(alone, top).top);
    EXPECT_EQ(24, ClientRectIn(other, top).top);

    // The other bar dragged up into the kept row: the rows change places.
    CRect topRect;
    top->GetWindowRect(topRect);
    ::SetCursorPos(topRect.left + 300, topRect.top + 10);
    EXPECT_FALSE(top->MoveControlBar(other, 0, 0, -20));
    EXPECT_TRUE(other->m_bRowChanged);
    EXPECT_EQ(other->GetDockBarRow(), top->GetRows().GetHead());
    EXPECT_EQ(alone->GetDockBarRow(), top->GetRows().GetTail());
    EXPECT_EQ(0, ClientRectIn(other, top).top);
    EXPECT_EQ(24, ClientRectIn(alone, top).top);
    EXPECT_EQ(48, frame.ViewRect().top);
}

// A bar docked before another lies in its row ten pixels before it, and
// comes before it in the dock bar's list.
TEST_F(DockingFrameTest, ABarDockedBeforeAnotherLiesTenPixelsBeforeItInItsRow)
{
    CKGPDockBar* top = DockBar(CBRS_ALIGN_TOP);
    bars.push_back(MakeBar(&frame, 285, 100));
    CKGPControlBar* existing = bars.back().get();
    CRect topRect;
    top->GetWindowRect(topRect);
    const CRect place(topRect.left + 250, topRect.top, topRect.left + 350, topRect.top + 24);
    frame.DockControlBar(existing, AFX_IDW_DOCKBAR_TOP, place);
    frame.RecalcLayout();
    const CRect existingRect = ClientRectIn(existing, top);
    bars.push_back(MakeBar(&frame, 286, 80));
    CKGPControlBar* before = bars.back().get();
    bars.push_back(MakeBar(&frame, 287, 80)); // never docked: in no row
    EXPECT_FALSE(top->DockControlBarBefore(before, bars.back().get()));
    ASSERT_TRUE(top->DockControlBarBefore(before, existing));
    frame.RecalcLayout();
    EXPECT_EQ(existing->GetDockBarRow(), before->GetDockBarRow());
    EXPECT_EQ(top, before->GetParentDockBar());
    const CRect beforeRect = ClientRectIn(before, top);
    EXPECT_EQ(existingRect.left - 10, beforeRect.right);
    EXPECT_EQ(80, beforeRect.Width());
    EXPECT_EQ(existingRect.top, beforeRect.top);
    const CObList& docked = top->GetControlBars();
    EXPECT_EQ(docked.Find(before) != nullptr && docked.Find(existing) != nullptr, true);
    POSITION pos = docked.Find(before);
    docked.GetNext(pos);
    EXPECT_EQ(existing, pos != nullptr ? docked.GetAt(pos) : nullptr) << "listed right before it";
}

// Dragged near an edge of the docked area, a floating bar's feedback is that
// edge's strip as thick as its frame (at most half the area); nothing while
// Ctrl is held or at an edge the bar may not take.
TEST_F(DockingFrameTest, TheFeedbackNearAnEdgeIsTheEdgesStripAsThickAsTheDraggedFrame)
{
    CKGPControlBar* bar = Add(290, AFX_IDW_DOCKBAR_LEFT);
    ASSERT_TRUE(bar->FloatBar(CRect(300, 300, 420, 330)));
    CKGPMiniFrameWnd* floating = bar->GetParentMiniFrame();
    ASSERT_NE(nullptr, floating);
    frame.RecalcLayout();
    CKGPDockManager* manager = frame.GetDockManager();
    CRect inner;
    manager->GetInnerDockRect(inner);
    frame.ClientToScreen(inner);
    CRect window;
    floating->GetWindowRect(window);

    CRect expected;
    BOOL bDrawTab = TRUE;
    CKGPBaseControlBar* pTarget = bar;
    manager->CalcExpectedDockedRect(floating, CPoint(inner.left + 200, inner.top + 5), expected, bDrawTab, pTarget);
    EXPECT_EQ(CRect(inner.left, inner.top, inner.right, inner.top + window.Height()), expected);
    EXPECT_FALSE(bDrawTab);
    EXPECT_EQ(nullptr, pTarget);
    manager->CalcExpectedDockedRect(floating, CPoint(inner.right - 5, inner.top + 200), expected, bDrawTab, pTarget);
    EXPECT_EQ(CRect(inner.right - window.Width(), inner.top, inner.right, inner.bottom), expected);

    // A frame taller than half the area is cut to half of it.
    floating->SetWindowPos(HWND{}, 0, 0, window.Width(), inner.Height() * 3 / 4, SWP_NOMOVE | SWP_NOZORDER);
    manager->CalcExpectedDockedRect(floating, CPoint(inner.left + 200, inner.bottom - 5), expected, bDrawTab, pTarget);
    EXPECT_EQ(CRect(inner.left, inner.bottom - inner.Height() / 2, inner.right, inner.bottom), expected);

    // Ctrl held, or an edge the bar may not take: no feedback.
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] |= 0x80;
    ::SetKeyboardState(keys);
    manager->CalcExpectedDockedRect(floating, CPoint(inner.left + 200, inner.top + 5), expected, bDrawTab, pTarget);
    keys[VK_CONTROL] &= static_cast<BYTE>(~0x80);
    ::SetKeyboardState(keys);
    EXPECT_TRUE(expected.IsRectEmpty());
    bar->EnableDocking(CBRS_ALIGN_LEFT);
    manager->CalcExpectedDockedRect(floating, CPoint(inner.left + 200, inner.top + 5), expected, bDrawTab, pTarget);
    EXPECT_TRUE(expected.IsRectEmpty());
}

TEST_F(DockingFrameTest, PrintPreviewHidesTheBarsAndGivesTheirRowsBack)
{
    CKGPControlBar* bar = Add(250, AFX_IDW_DOCKBAR_TOP);
    CKGPDockManager* manager = frame.GetDockManager();
    manager->SetPrintPreviewMode(TRUE);
    frame.RecalcLayout();
    EXPECT_FALSE(bar->IsWindowVisible());
    EXPECT_EQ(0, frame.ViewRect().top); // the hidden dock bar's edge goes to the view
    manager->SetPrintPreviewMode(FALSE);
    frame.RecalcLayout();
    EXPECT_TRUE(bar->IsWindowVisible());
    EXPECT_EQ(24, frame.ViewRect().top);
}

// In-place activation hides only the bars marked for it and gives them back;
// hiding floating frames takes every one (an MDI child's) or only those
// holding toolbars, and brings back only frames that still hold a bar. Both
// leave a layout lock they found held (a saved layout being applied) held.
TEST_F(DockingFrameTest, InPlaceAndFloatingFramesHideTheirGroupsAndLeaveTheLayoutLockAsFound)
{
    CKGPDockManager* manager = frame.GetDockManager();
    bars.push_back(MakeBar(&frame, 255, 100, CBRS_HIDE_INPLACE));
    frame.DockControlBar(bars.back().get(), AFX_IDW_DOCKBAR_TOP);
    CKGPControlBar* inPlace = bars.back().get();
    CKGPControlBar* kept = Add(256, AFX_IDW_DOCKBAR_LEFT);
    frame.RecalcLayout();

    manager->HideInPlaceBars(FALSE);
    EXPECT_FALSE(inPlace->IsWindowVisible());
    EXPECT_TRUE(kept->IsWindowVisible());
    frame.RecalcLayout();
    EXPECT_EQ(0, frame.ViewRect().top) << "laid out without the hidden bar";
    manager->HideInPlaceBars(TRUE);
    frame.RecalcLayout();
    EXPECT_TRUE(inPlace->IsWindowVisible());
    EXPECT_EQ(24, frame.ViewRect().top);

    CKGPDockManager::s_bLayoutLocked = TRUE;
    manager->HideInPlaceBars(FALSE);
    EXPECT_TRUE(CKGPDockManager::s_bLayoutLocked) << "the lock held outside stays held";
    manager->HideInPlaceBars(TRUE);
    CKGPDockManager::s_bLayoutLocked = FALSE;
    EXPECT_TRUE(inPlace->IsWindowVisible());

    auto toolbar = std::make_unique<CKGPToolBar>();
    ASSERT_TRUE(toolbar->Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 257));
    ASSERT_TRUE(toolbar->LoadToolBar(700));
    toolbar->EnableDocking(CBRS_ALIGN_ANY);
    frame.DockControlBar(toolbar.get(), AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(toolbar->FloatBar(CRect(300, 300, 380, 330), KGP_DM_UNKNOWN, true));
    ASSERT_TRUE(kept->FloatBar(CRect(300, 400, 400, 430), KGP_DM_UNKNOWN, true));
    CKGPMiniFrameWnd* toolbarFrame = toolbar->GetParentMiniFrame();
    CKGPMiniFrameWnd* barFrame = kept->GetParentMiniFrame();
    ASSERT_NE(nullptr, toolbarFrame);
    ASSERT_NE(nullptr, barFrame);

    manager->HideMiniFrames(FALSE, RUNTIME_CLASS(CKGPBaseToolBar));
    EXPECT_FALSE(toolbarFrame->IsWindowVisible());
    EXPECT_TRUE(barFrame->IsWindowVisible()) << "only frames holding a toolbar";
    manager->HideMiniFrames(TRUE);
    EXPECT_TRUE(toolbarFrame->IsWindowVisible());

    manager->HideMiniFrames(FALSE); // every frame, as an MDI child hides its own
    manager->HideMiniFrames(FALSE);
    EXPECT_FALSE(toolbarFrame->IsWindowVisible());
    EXPECT_FALSE(barFrame->IsWindowVisible());
    const HWND hBarFrame = barFrame->m_hWnd;
    barFrame->RemoveControlBar(kept, FALSE, TRUE); // kept hidden, empty
    kept->SetParent(&frame);
    manager->HideMiniFrames(TRUE);
    EXPECT_TRUE(toolbarFrame->IsWindowVisible());
    EXPECT_FALSE(::IsWindow(hBarFrame) && ::IsWindowVisible(hBarFrame)) << "a frame without a bar stays hidden";
    toolbar->DestroyWindow();
}

TEST_F(DockingFrameTest, ABarDeletedWhileItsFrameStaysLeavesItsRow)
{
    Add(260, AFX_IDW_DOCKBAR_TOP);
    bars.clear(); // the objects go before their windows
    EXPECT_TRUE(DockBar(CBRS_ALIGN_TOP)->GetRows().IsEmpty());
}

TEST_F(DockingFrameTest, AFramesDockManagerIsFoundByItsWindowWhileBothLive)
{
    CKGPDockManager* manager = frame.GetDockManager();
    EXPECT_EQ(manager, CKGPDockManager::FromSite(frame.m_hWnd));
    EXPECT_EQ(manager, CKGPGlobalUtils::Get().GetDockManager(&frame));
    // The view and no window have none.
    EXPECT_EQ(nullptr, CKGPDockManager::FromSite(frame.m_view.m_hWnd));
    EXPECT_EQ(nullptr, CKGPDockManager::FromSite(nullptr));
    // A floating frame answers with its owner's.
    CKGPControlBar* bar = Add(261, AFX_IDW_DOCKBAR_TOP);
    bar->FloatBar(CRect(300, 300, 400, 330), KGP_DM_UNKNOWN, true);
    ASSERT_NE(nullptr, bar->GetParentMiniFrame());
    EXPECT_EQ(manager, CKGPGlobalUtils::Get().GetDockManager(bar->GetParentMiniFrame()));

    // Other frames come and go (their freed managers poisoned): each is
    // found while it lives, none once it went, and this frame's stays.
    {
        keyloft_test::DeleteWatchScope watch(true);
        for (int i = 0; i < 3; ++i) {
            auto other = std::make_unique<CTestFrame>();
            ASSERT_TRUE(other->Open(false));
            const HWND hOther = other->m_hWnd;
            EXPECT_EQ(other->GetDockManager(), CKGPDockManager::FromSite(hOther));
            EXPECT_NE(other->GetDockManager(), CKGPDockManager::FromSite(frame.m_hWnd));
            other->DestroyWindow();
            EXPECT_EQ(nullptr, CKGPDockManager::FromSite(hOther));
            other.reset();
            EXPECT_EQ(manager, CKGPDockManager::FromSite(frame.m_hWnd));
        }
        EXPECT_EQ(0, watch.WrittenAfterDelete());
    }
    bars.clear();
}

TEST_F(DockingFrameTest, RowsShrinkTheirBarsWhenTheFrameNarrows)
{
    CKGPControlBar* first = Add(300, AFX_IDW_DOCKBAR_TOP, 250);
    CKGPDockBar* top = DockBar(CBRS_ALIGN_TOP);
    CRect rect;
    ::SetRect(&rect, 0, 0, 0, 0);
    first->GetWindowRect(rect);
    CRect place(rect.right + 5, rect.top, rect.right + 255, rect.bottom);
    bars.push_back(MakeBar(&frame, 301, 250));
    frame.DockControlBar(bars.back().get(), AFX_IDW_DOCKBAR_TOP, place);
    CKGPControlBar* second = bars.back().get();
    EXPECT_EQ(first->GetDockBarRow(), second->GetDockBarRow());

    frame.SetWindowPos(HWND{}, 0, 0, 420, 400, SWP_NOMOVE | SWP_NOZORDER);
    CRect client;
    top->GetClientRect(client);
    const CRect a = ClientRectIn(first, top), b = ClientRectIn(second, top);
    EXPECT_LE(a.right, b.left);
    EXPECT_LE(b.right, client.right);
    EXPECT_GE(b.Width(), 30);
    EXPECT_LT(a.Width() + b.Width(), 500); // shrunk
}

// Registry writes that always fail, to see a failed save reported.
class CFailingRegistry : public CKGPRegistry {
    DECLARE_DYNCREATE(CFailingRegistry)
public:
    BOOL CreateKey(LPCTSTR) override { return FALSE; }
};
IMPLEMENT_DYNCREATE(CFailingRegistry, CKGPRegistry)

TEST_F(DockingFrameTest, BarStateSavesLoadsAndSurvivesMissingOrDamagedValues)
{
    CKGPControlBar* bar = Add(400, AFX_IDW_DOCKBAR_LEFT);
    Add(401, AFX_IDW_DOCKBAR_LEFT);
    CKGPControlBar* third = Add(402, AFX_IDW_DOCKBAR_LEFT);
    ASSERT_TRUE(third->SaveState(kProfile));
    ASSERT_TRUE(bar->SaveState(kProfile, -1, 0));

    auto fresh = MakeBar(&frame, 402);
    EXPECT_TRUE(fresh->LoadState(kProfile));
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_LEFT), fresh->m_recentDockInfo.m_dwRecentAlignmentToFrame);
    EXPECT_EQ(2, fresh->m_recentDockInfo.m_nRecentRowIndex);
    EXPECT_TRUE(fresh->GetRecentVisibleState());
    EXPECT_TRUE(fresh->IsStateRestored());
    fresh->RestoreLoadedPlacement(frame.GetDockManager()); // back to the left edge
    EXPECT_EQ(DockBar(CBRS_ALIGN_LEFT), fresh->GetParentDockBar());
    EXPECT_TRUE(fresh->IsWindowVisible());

    auto missing = MakeBar(&frame, 499);
    EXPECT_FALSE(missing->LoadState(kProfile));
    EXPECT_FALSE(missing->IsStateRestored());
    EXPECT_EQ(0, missing->m_recentDockInfo.m_nRecentRowIndex);

    // One damaged value refuses the whole record, and the bar keeps every field:
    // a rectangle of the wrong size or beyond any screen, an edge that is none or
    // several, a negative row, a width beyond any screen, a hidden flag of
    // another kind.
    const CString key = CString(kProfile) + _T("KGPControlBar-4000");
    const BYTE shortRect[3] = {1, 2, 3};
    const LONG farRect[4] = {0, 0, 0x10000, 10};
    const std::function<void(CKGPRegistry&)> damages[] = {
        [&](CKGPRegistry& reg) { reg.Write(_T("RectRecentDocked"), shortRect, sizeof(shortRect)); },
        [&](CKGPRegistry& reg) { reg.Write(_T("RectRecentFloat"), reinterpret_cast<const BYTE*>(farRect), 16); },
        [](CKGPRegistry& reg) { reg.Write(_T("RecentFrameAlignment"), 0x0777); },
        [](CKGPRegistry& reg) { reg.Write(_T("RecentFrameAlignment"), CBRS_ALIGN_LEFT | CBRS_ALIGN_TOP); },
        [](CKGPRegistry& reg) { reg.Write(_T("RecentRowIndex"), -5); },
        [](CKGPRegistry& reg) { reg.Write(_T("MRUWidth"), 0x40000000); },
        [](CKGPRegistry& reg) { reg.Write(_T("IsFloating"), _T("yes")); },
    };
    for (const auto& damage : damages) {
        ASSERT_TRUE(bar->SaveState(kProfile, -1, 0));
        {
            CKGPRegistryHandle writer(FALSE, FALSE);
            ASSERT_TRUE(writer->CreateKey(key));
            damage(*writer);
        }
        auto damaged = MakeBar(&frame, 400);
        damaged->m_recentDockInfo.m_rectRecentDockedRect = CRect(1, 1, 2, 2);
        damaged->m_recentDockInfo.m_nRecentRowIndex = 3;
        EXPECT_FALSE(damaged->LoadState(kProfile, -1, 0));
        EXPECT_EQ(CRect(1, 1, 2, 2), damaged->m_recentDockInfo.m_rectRecentDockedRect);
        EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_LEFT), damaged->m_recentDockInfo.m_dwRecentAlignmentToFrame);
        EXPECT_EQ(3, damaged->m_recentDockInfo.m_nRecentRowIndex);
        EXPECT_FALSE(damaged->IsStateRestored());
    }
    {   // A missing value is no damage: its field stays.
        ASSERT_TRUE(bar->SaveState(kProfile, -1, 0));
        CKGPRegistryHandle writer(FALSE, FALSE);
        ASSERT_TRUE(writer->CreateKey(key));
        ASSERT_TRUE(writer->DeleteValue(_T("RecentRowIndex")));
    }
    auto older = MakeBar(&frame, 400);
    older->m_recentDockInfo.m_nRecentRowIndex = 3;
    EXPECT_TRUE(older->LoadState(kProfile, -1, 0));
    EXPECT_EQ(3, older->m_recentDockInfo.m_nRecentRowIndex);
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_LEFT), older->m_recentDockInfo.m_dwRecentAlignmentToFrame);

    CKGPRegistryHandle::SetCustomRegistryClass(RUNTIME_CLASS(CFailingRegistry));
    EXPECT_FALSE(bar->SaveState(kProfile)); // the key could not be created
    CKGPRegistryHandle::SetCustomRegistryClass(nullptr);

    CKGPRegistryHandle cleaner(FALSE, FALSE);
    cleaner->DeleteKey(_T("Software\\KeyloftTests\\Docking"), TRUE);
}

TEST_F(DockingFrameTest, ArchivesCarryTheEdgeAndTheVisibility)
{
    CKGPControlBar* bar = Add(500, AFX_IDW_DOCKBAR_RIGHT);
    CMemFile file;
    {
        CArchive store(&file, CArchive::store);
        bar->Serialize(store);
    }
    file.SeekToBegin();
    auto loaded = MakeBar(&frame, 501); // docked nowhere, lying top
    {
        CArchive load(&file, CArchive::load);
        loaded->Serialize(load);
    }
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_RIGHT), loaded->GetCurrentAlignment()); // replaced, not ORed
    EXPECT_TRUE(loaded->GetRecentVisibleState());

    // Refused: cut short, an edge of 0 or of several bits. The bar keeps its
    // edge and its visibility.
    const auto refused = [&](const std::vector<BYTE>& bytes) {
        CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
        CArchive load(&file, CArchive::load);
        try {
            loaded->Serialize(load);
        } catch (CArchiveException* e) {
            e->Delete();
            return true;
        }
        return false;
    };
    EXPECT_TRUE(refused({0x00, 0x40}));
    EXPECT_TRUE(refused({0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_TRUE(refused({0x00, 0x30, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_TRUE(refused({0x00, 0x10, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_RIGHT), loaded->GetCurrentAlignment());
    EXPECT_TRUE(loaded->GetRecentVisibleState());
}

TEST_F(DockingFrameTest, TheBarsMenuShowsAndHidesBarsThroughTheFramesCommands)
{
    CKGPControlBar* bar = Add(420, AFX_IDW_DOCKBAR_TOP);
    bar->SetLibraryBarStyle(KGP_BARSTYLE_CLOSE);
    CKGPDockManager* manager = frame.GetDockManager();
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    manager->BuildBarsMenu(menu);
    EXPECT_FALSE(manager->OnBarsMenuCmdMsg(420, CN_COMMAND, nullptr, nullptr)); // the menu is not offered
    manager->EnableControlBarContextMenu(TRUE);
    EXPECT_FALSE(manager->OnBarsMenuCmdMsg(420, CN_UPDATE_COMMAND_UI, nullptr, nullptr)); // no menu open
    EXPECT_FALSE(manager->OnBarsMenuCmdMsg(421, CN_COMMAND, nullptr, nullptr));          // not in the menu
    frame.SendMessage(WM_COMMAND, 420);
    EXPECT_FALSE(bar->IsWindowVisible());
    EXPECT_EQ(0, frame.ViewRect().top);
    EXPECT_FALSE(manager->OnBarsMenuCmdMsg(420, CN_COMMAND, nullptr, nullptr)); // one command per menu
}

// The frame's own handler of a command id that a bar also has.
class CFrameWithCommand : public CTestFrame {
public:
    int m_nOwnCommands = 0;

protected:
    afx_msg void OnOwnCommand() { ++m_nOwnCommands; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFrameWithCommand, CTestFrame)
    ON_COMMAND(421, &CFrameWithCommand::OnOwnCommand)
END_MESSAGE_MAP()

TEST(DockingBarsMenu, TheMenuChoosesABarOnceAndTheFramesOwnCommandsComeFirst)
{
    CFrameWithCommand frame;
    ASSERT_TRUE(frame.Open());
    std::vector<std::unique_ptr<CKGPControlBar>> bars;
    for (UINT id : {420u, 421u}) {
        bars.push_back(MakeBar(&frame, id));
        bars.back()->SetLibraryBarStyle(KGP_BARSTYLE_CLOSE);
        frame.DockControlBar(bars.back().get(), AFX_IDW_DOCKBAR_TOP);
    }
    CKGPDockManager* manager = frame.GetDockManager();
    manager->EnableControlBarContextMenu(TRUE);
    CRect rect;
    frame.GetWindowRect(rect);
    {
        test_support::CMenuDriver driver({VK_ESCAPE});
        EXPECT_TRUE(manager->ShowBarsContextMenu(rect.CenterPoint()));
        EXPECT_TRUE(driver.Found());
    }
    frame.SendMessage(WM_COMMAND, 420);
    EXPECT_TRUE(bars[0]->IsWindowVisible()) << "a cancelled menu leaves no bar commands behind";
    {
        test_support::CMenuDriver driver({VK_DOWN, VK_RETURN});
        EXPECT_TRUE(manager->ShowBarsContextMenu(rect.CenterPoint()));
    }
    EXPECT_FALSE(bars[0]->IsWindowVisible()) << "the first entry toggles the first bar";
    frame.SendMessage(WM_COMMAND, 420);
    EXPECT_FALSE(bars[0]->IsWindowVisible()) << "once only";

    // The frame handles its own command 421 although a bar of the menu has that id.
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    manager->BuildBarsMenu(menu);
    frame.SendMessage(WM_COMMAND, 421);
    EXPECT_EQ(1, frame.m_nOwnCommands);
    EXPECT_TRUE(bars[1]->IsWindowVisible());
    bars.clear();
    frame.DestroyWindow();
}

TEST_F(DockingFrameTest, FloatingFramesAreListedTopOfTheZOrderFirst)
{
    CKGPDockManager* manager = frame.GetDockManager();
    CWnd windows[2];
    for (CWnd& window : windows) {
        ASSERT_TRUE(window.CreateEx(0, _T("STATIC"), nullptr, WS_CHILD, CRect(0, 0, 10, 10), &frame, 600));
        manager->AddMiniFrame(&window);
    }
    ::SetWindowPos(windows[0].m_hWnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    manager->ResortMiniFramesForZOrder();
    EXPECT_EQ(&windows[1], manager->GetMiniFrames().GetHead());
    EXPECT_EQ(&windows[0], manager->GetMiniFrames().GetTail());
    for (CWnd& window : windows)
        manager->RemoveMiniFrame(&window);
}

// A bar laid out by dialog template 500 (its list box, 1001, filled from the template's data).
struct CTemplateBar : CKGPControlBar {
    CTemplateBar() { m_lpszDlgTemplate = MAKEINTRESOURCE(500); }
    using CKGPBaseControlBar::m_sizeDialog;
};

TEST_F(DockingFrameTest, ABarBuiltFromADialogTemplateTakesItsSizeAndInitialData)
{
    CTemplateBar bar;
    ASSERT_TRUE(bar.Create(nullptr, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect(0, 0, 10, 10), &frame, 700));
    EXPECT_EQ(700, bar.GetDlgCtrlID());
    CRect rect;
    bar.GetWindowRect(rect);
    EXPECT_GT(rect.Width(), 100);
    EXPECT_EQ(rect.Size(), bar.m_sizeDialog);
    EXPECT_EQ(1, bar.SendDlgItemMessage(1001, LB_GETCOUNT));
    EXPECT_EQ(4, bar.SendDlgItemMessage(1001, LB_GETTEXTLEN, 0)); // "Four"
    EXPECT_FALSE(ApplyDialogInitData(bar, MAKEINTRESOURCE(501)));   // a record cut short
    EXPECT_FALSE(ApplyDialogInitData(frame, MAKEINTRESOURCE(500))); // no such control
    bar.DestroyWindow();
}

TEST_F(DockingFrameTest, AWindowWithOnlyALargeIconGetsASmallCopyOfIt)
{
    frame.m_view.SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(::LoadIcon(nullptr, IDI_APPLICATION)));
    const HICON small = CKGPGlobalUtils::Get().GetWndIcon(&frame.m_view);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(small, &info));
    CBitmap colour, mask; // the copies the icon's bitmaps were given in
    colour.Attach(info.hbmColor);
    mask.Attach(info.hbmMask);
    BITMAP bitmap{};
    colour.GetBitmap(&bitmap);
    EXPECT_EQ(CSize(16, 16), CSize(bitmap.bmWidth, bitmap.bmHeight));
    EXPECT_EQ(small, CKGPGlobalUtils::Get().GetWndIcon(&frame.m_view)); // kept for the next call
}

TEST_F(DockingFrameTest, ScreenshotOfAFrameWithDockedBars)
{
    ASSERT_TRUE(CKGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKGPVisualManager2003)));
    Add(600, AFX_IDW_DOCKBAR_TOP, 160);
    Add(601, AFX_IDW_DOCKBAR_TOP, 120);
    Add(602, AFX_IDW_DOCKBAR_LEFT, 140);
    Add(603, AFX_IDW_DOCKBAR_BOTTOM, 200);
    frame.RecalcLayout();
    frame.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    keyloft_test::Pump(200);

    CRect client;
    frame.GetClientRect(client);
    void* bits = nullptr;
    HBITMAP dib = keyloft_test::CreateTopDown32BitDib(nullptr, client.Width(), client.Height(), &bits);
    HDC window = ::GetDC(frame.m_hWnd);
    HDC memory = ::CreateCompatibleDC(window);
    HGDIOBJ old = ::SelectObject(memory, dib);
    ::BitBlt(memory, 0, 0, client.Width(), client.Height(), window, 0, 0, SRCCOPY);
    ::GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    auto at = [&](CPoint p) { return pixels[p.y * client.Width() + p.x] & 0xFFFFFFu; };
    const CRect view = frame.ViewRect();
    const DWORD viewColour = at(view.CenterPoint());
    EXPECT_EQ(0xFFFFFFu, viewColour);
    EXPECT_NE(viewColour, at(CPoint(client.Width() / 2, 10)));   // the top bars
    EXPECT_NE(viewColour, at(CPoint(10, client.Height() / 2)));  // the left bar
    EXPECT_NE(viewColour, at(CPoint(100, client.Height() - 10))); // the bottom bar

    const BITMAPINFO info = keyloft_test::TopDown32BitInfo(client.Width(), client.Height());
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof(header) + sizeof(info.bmiHeader);
    header.bfSize = header.bfOffBits + static_cast<DWORD>(client.Width() * client.Height() * 4);
    if (FILE* out = std::fopen("docking.bmp", "wb")) {
        std::fwrite(&header, sizeof(header), 1, out);
        std::fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out);
        std::fwrite(bits, 4, static_cast<size_t>(client.Width() * client.Height()), out);
        std::fclose(out);
    }
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    ::ReleaseDC(frame.m_hWnd, window);
    ::DeleteObject(dib);
    CKGPVisualManager::DestroyInstance();
}

} // namespace
