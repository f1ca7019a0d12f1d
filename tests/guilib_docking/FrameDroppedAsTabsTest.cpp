// A floating frame of several panes docked whole: dropped on a pane's
// caption (in another floating frame, or docked) its visible panes become
// that pane's tabs, checked first so that a refusal moves nothing; docked
// while the mouse still drags it, its first pane (a tabbed pane's first tab)
// goes on being dragged; docked where it was let go, each pane hears it
// docked and the focus stays where it was. The layout checker after each.
#include <gtest/gtest.h>

#include "guilib/docking/KGPBaseTabbedBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "tests/guilib_docking/DockLayoutSnapshot.h"
#include "tests/guilib_docking/DockingTestFrame.h"
#include "tests/guilib_docking/PaneTestSupport.h"
#include "tests/support/MessagePump.h"
#include "tests/support/heap/DeleteWatch.h"

#include <memory>

namespace {

using namespace docking_test;

// A pane counting what it hears of its own docking (the after-dock hook
// with itself as the place, as a pane docked from a floating frame hears).
class CListeningPane : public CColourPane {
public:
    void OnAfterDock(CKGPBaseControlBar* pDockBar, LPCRECT lpRect, KGPDockMethod method) override
    {
        if (pDockBar == this && lpRect == nullptr)
            ++m_nToldDocked;
        CColourPane::OnAfterDock(pDockBar, lpRect, method);
    }
    int m_nToldDocked = 0;
};

// The left button held down for the thread while it lives (a drag's state).
class CButtonHeld {
public:
    CButtonHeld() { SetButton(0x80); }
    ~CButtonHeld() { SetButton(0); }
    CButtonHeld(const CButtonHeld&) = delete;
    CButtonHeld& operator=(const CButtonHeld&) = delete;

private:
    static void SetButton(BYTE state)
    {
        BYTE keys[256] = {};
        ::GetKeyboardState(keys);
        keys[VK_LBUTTON] = state;
        ::SetKeyboardState(keys);
    }
};

class FrameDroppedAsTabsTest : public PaneFrameFixture<CTestFrame> {
protected:
    CKGPDockingControlBar* AddFloating(UINT id, LPCTSTR title, DWORD tabbedStyle = KGP_TAB_STYLE_TABBED)
    {
        auto pane = std::make_unique<CListeningPane>();
        pane->SetMinSize(CSize(40, 40));
        EXPECT_TRUE(pane->Create(title, &frame, CRect(0, 0, 160, 200), TRUE, id,
                                 WS_CHILD | WS_VISIBLE | CBRS_LEFT | KGP_CBRS_FLOAT_MULTI, tabbedStyle));
        pane->EnableDocking(CBRS_ALIGN_ANY);
        panes.push_back(std::move(pane));
        return panes.back().get();
    }
    static int ToldDocked(CKGPDockingControlBar* pPane) { return static_cast<CListeningPane*>(pPane)->m_nToldDocked; }
    static CKGPMultiMiniFrameWnd* MultiFrameOf(CKGPDockingControlBar* pPane)
    {
        return DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, pPane->GetParentMiniFrame(TRUE));
    }
    // Two panes floating side by side in one frame at a point.
    CKGPMultiMiniFrameWnd* FloatTogether(CKGPDockingControlBar* pFirst, CKGPDockingControlBar* pSecond, CPoint at)
    {
        EXPECT_TRUE(pFirst->FloatBar(CRect(at, CSize(180, 200)), KGP_DM_UNKNOWN, true));
        CKGPMultiMiniFrameWnd* pFrame = MultiFrameOf(pFirst);
        EXPECT_NE(nullptr, pFrame);
        if (pFrame == nullptr)
            return nullptr;
        CursorAtRightEdge(pFirst);
        EXPECT_FALSE(pFrame->DockPaneAtCursor(pSecond));
        return pFrame;
    }
    static void CursorOnCaption(CWnd* pPane)
    {
        CRect rect;
        pPane->GetWindowRect(rect);
        ::SetCursorPos(rect.CenterPoint().x, rect.top + 4);
    }
    static CKGPBaseTabbedBar* TabbedOf(CKGPDockingControlBar* pPane)
    {
        return DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, pPane->GetParentTabbedBar());
    }
    void ExpectSound(const char* step, std::initializer_list<CKGPBaseControlBar*> more = {})
    {
        layout_check::LayoutView layout = SnapshotLayout(*frame.GetDockManager(), more);
        for (const auto& pane : panes)
            layout.bars.push_back(ViewOfBar(pane.get()));
        EXPECT_EQ("", Faults(layout_check::CheckDockLayout(layout))) << step;
    }
    // Ends a drag the test handed on to a window.
    static void EndDrag(HWND hWnd)
    {
        if (::GetCapture() == hWnd)
            ::SendMessageW(hWnd, WM_CANCELMODE, 0, 0);
        ::ReleaseCapture();
    }
};

TEST_F(FrameDroppedAsTabsTest, AFrameDroppedOnAPanesCaptionInAnotherFrameBringsItsPanesAsTabs)
{
    CKGPDockingControlBar* a = AddFloating(2501, _T("One"));
    CKGPDockingControlBar* b = AddFloating(2502, _T("Two"));
    CKGPDockingControlBar* c = AddFloating(2503, _T("Three"));
    CKGPDockingControlBar* d = AddFloating(2504, _T("Four"));
    CKGPMultiMiniFrameWnd* target = FloatTogether(a, b, CPoint(120, 100));
    CKGPMultiMiniFrameWnd* dropped = FloatTogether(c, d, CPoint(360, 160));
    ASSERT_NE(nullptr, target);
    ASSERT_NE(nullptr, dropped);
    const HWND hDropped = dropped->GetSafeHwnd();
    ExpectSound("two frames of two panes");

    // On One's caption: Three and Four join One as its tabs, Three in front.
    CursorOnCaption(a);
    ASSERT_EQ(0, target->DockFrame(dropped, KGP_DM_STANDARD));
    keyloft_test::Pump(30);
    CKGPBaseTabbedBar* tabbed = TabbedOf(a);
    ASSERT_NE(nullptr, tabbed);
    EXPECT_EQ(tabbed, TabbedOf(c));
    EXPECT_EQ(tabbed, TabbedOf(d));
    EXPECT_EQ(3, tabbed->GetTabWnd()->GetTabsNum());
    EXPECT_EQ(c->GetSafeHwnd(), tabbed->GetTabWnd()->GetActiveWnd()->GetSafeHwnd());
    EXPECT_EQ(target, tabbed->GetParentMiniFrame(TRUE));
    EXPECT_EQ(target, MultiFrameOf(b));
    EXPECT_FALSE(::IsWindow(hDropped));
    ExpectSoundTree(target, "the tabs in the first frame");
    ExpectSound("the tabs in the first frame", {tabbed});
}

TEST_F(FrameDroppedAsTabsTest, AFrameRefusedAsTabsMovesNothing)
{
    // One makes no tabbed pane: dropped on its caption, the other frame stays whole.
    CKGPDockingControlBar* a = AddFloating(2511, _T("No tabs"), 0);
    CKGPDockingControlBar* b = AddFloating(2512, _T("Two"));
    CKGPDockingControlBar* c = AddFloating(2513, _T("Three"));
    CKGPDockingControlBar* d = AddFloating(2514, _T("Four"));
    CKGPMultiMiniFrameWnd* target = FloatTogether(a, b, CPoint(120, 100));
    CKGPMultiMiniFrameWnd* dropped = FloatTogether(c, d, CPoint(360, 160));
    ASSERT_NE(nullptr, dropped);
    CRect before;
    dropped->GetWindowRect(before);

    CursorOnCaption(a);
    EXPECT_EQ(1, target->DockFrame(dropped, KGP_DM_STANDARD));
    keyloft_test::Pump(30);
    EXPECT_EQ(dropped, MultiFrameOf(c));
    EXPECT_EQ(dropped, MultiFrameOf(d));
    EXPECT_TRUE(dropped->IsWindowVisible());
    EXPECT_FALSE(a->IsTabbed());
    CRect after;
    dropped->GetWindowRect(after);
    EXPECT_EQ(before, after);
    ExpectSound("refused as tabs");

    // Released in immediate mode on its caption docked: the same.
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    frame.RecalcLayout();
    CursorOnCaption(a);
    EXPECT_EQ(1, dropped->DockToTarget(2, a));
    keyloft_test::Pump(30);
    EXPECT_EQ(dropped, MultiFrameOf(c));
    EXPECT_EQ(dropped, MultiFrameOf(d));
    EXPECT_TRUE(dropped->IsWindowVisible());
    ExpectSound("refused as a docked pane's tabs");
}

TEST_F(FrameDroppedAsTabsTest, AFramesVisibleTreeReleasedOnADockedPaneBecomesItsTabs)
{
    CKGPDockingControlBar* docked = AddFloating(2521, _T("Docked"));
    ASSERT_TRUE(docked->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* a = AddFloating(2522, _T("One"));
    CKGPDockingControlBar* b = AddFloating(2523, _T("Two"));
    CKGPDockingControlBar* c = AddFloating(2524, _T("Three"));
    CKGPMultiMiniFrameWnd* floating = FloatTogether(a, b, CPoint(300, 100));
    ASSERT_NE(nullptr, floating);
    CursorAtRightEdge(b);
    ASSERT_FALSE(floating->DockPaneAtCursor(c));
    c->ShowBar(FALSE, FALSE, FALSE);
    frame.RecalcLayout();
    CKGPSlider* slider = docked->GetDefaultPaneSlider();

    // Kind 2: the visible two as the docked pane's tabs; the hidden one stays.
    CursorOnCaption(docked);
    ASSERT_EQ(0, floating->DockToTarget(2, docked));
    keyloft_test::Pump(30);
    CKGPBaseTabbedBar* tabbed = TabbedOf(docked);
    ASSERT_NE(nullptr, tabbed);
    EXPECT_EQ(tabbed, TabbedOf(a));
    EXPECT_EQ(tabbed, TabbedOf(b));
    EXPECT_EQ(a->GetSafeHwnd(), tabbed->GetTabWnd()->GetActiveWnd()->GetSafeHwnd());
    EXPECT_EQ(slider, tabbed->GetDefaultPaneSlider());
    EXPECT_EQ(nullptr, CKGPMiniFrameWnd::FindFloatingBarByID(2522));
    ASSERT_TRUE(::IsWindow(floating->GetSafeHwnd()));
    EXPECT_EQ(floating, MultiFrameOf(c));
    EXPECT_FALSE(floating->IsWindowVisible());
    ExpectSoundTree(slider, "the tabs docked");
    ExpectSound("the tabs docked", {tabbed});

    // The one left behind shows in its frame again.
    c->ShowBar(TRUE, FALSE, FALSE);
    frame.RecalcLayout();
    ExpectSound("the hidden one shown again", {tabbed});
}

TEST_F(FrameDroppedAsTabsTest, DockedWhileTheMouseDragsItTheFirstPaneGoesOnBeingDragged)
{
    CKGPDockingControlBar* a = AddFloating(2531, _T("One"));
    CKGPDockingControlBar* b = AddFloating(2532, _T("Two"));
    CKGPDockingControlBar* c = AddFloating(2533, _T("Three"));
    CKGPDockingControlBar* d = AddFloating(2534, _T("Four"));
    CKGPMultiMiniFrameWnd* target = FloatTogether(a, b, CPoint(120, 100));
    CKGPMultiMiniFrameWnd* dropped = FloatTogether(c, d, CPoint(380, 160));
    ASSERT_NE(nullptr, dropped);

    {
        // Merged beside One by the mouse: Three, first of its frame, is dragged on.
        CButtonHeld held;
        c->SetDockingMode(KGP_DOCK_IMMEDIATE);
        CursorAtRightEdge(b);
        ASSERT_EQ(0, target->DockFrame(dropped, KGP_DM_MOUSE));
        EXPECT_EQ(c->GetSafeHwnd(), ::GetCapture());
        EXPECT_TRUE(c->IsDragArmed());
        // Dragged on a little way: it floats out under the cursor, its own frame carrying the drag.
        CRect rect;
        c->GetWindowRect(rect);
        const CPoint away(rect.CenterPoint() + CSize(60, 40));
        ::SetCursorPos(away.x, away.y);
        CPoint inPane = away;
        c->ScreenToClient(&inPane);
        c->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, keyloft_test::PointParam(inPane.x, inPane.y));
        CKGPMiniFrameWnd* own = c->GetParentMiniFrame(TRUE);
        ASSERT_NE(nullptr, own);
        EXPECT_NE(target, own);
        EXPECT_TRUE(own->IsMoving());
        EndDrag(own->GetSafeHwnd());
        c->SetDockingMode(0);
    }
    keyloft_test::Pump(30);
    ExpectSound("the first pane dragged out again");

    // A frame whose first pane is a tabbed pane, dropped by the mouse on a
    // docked pane's caption: the tabbed pane goes and its first shown tab is
    // dragged on.
    CKGPDockingControlBar* docked = AddFloating(2535, _T("Docked"));
    ASSERT_TRUE(docked->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* e = AddFloating(2536, _T("Five"));
    CKGPDockingControlBar* f = AddFloating(2537, _T("Six"));
    ASSERT_TRUE(e->FloatBar(CRect(300, 260, 480, 440), KGP_DM_UNKNOWN, true));
    ASSERT_EQ(f, f->AttachToTabWnd(e, KGP_DM_SHOW, TRUE));
    CKGPBaseTabbedBar* carried = TabbedOf(e);
    ASSERT_NE(nullptr, carried);
    CKGPMultiMiniFrameWnd* holding = MultiFrameOf(e);
    ASSERT_NE(nullptr, holding);
    ASSERT_EQ(carried, holding->GetFirstVisibleBar());
    frame.RecalcLayout();
    {
        CButtonHeld held;
        CursorOnCaption(docked);
        ASSERT_EQ(0, holding->DockToTarget(2, docked, KGP_DM_MOUSE));
        EXPECT_EQ(TabbedOf(docked), TabbedOf(e));
        EXPECT_EQ(TabbedOf(docked), TabbedOf(f));
        EXPECT_EQ(e->GetSafeHwnd(), ::GetCapture()); // the first tab of the tabbed pane that went
        EXPECT_TRUE(e->IsDragArmed());
        EndDrag(e->GetSafeHwnd());
    }
    keyloft_test::Pump(30);
    ExpectSound("the tabs docked by the mouse", {TabbedOf(docked)});

    // By program nothing goes on being dragged.
    CKGPDockingControlBar* g = AddFloating(2538, _T("Seven"));
    CKGPDockingControlBar* h = AddFloating(2539, _T("Eight"));
    CKGPMultiMiniFrameWnd* last = FloatTogether(g, h, CPoint(300, 240));
    ASSERT_NE(nullptr, last);
    CButtonHeld held;
    CursorAtRightEdge(TabbedOf(docked));
    ASSERT_EQ(0, last->DockToTarget(1, TabbedOf(docked)));
    EXPECT_EQ(nullptr, ::GetCapture());
    EXPECT_FALSE(g->IsDragArmed());
}

TEST_F(FrameDroppedAsTabsTest, ReleasedWhereItDocksEachPaneHearsItDockedAndTheFocusStays)
{
    CKGPDockingControlBar* docked = AddFloating(2541, _T("Docked"));
    ASSERT_TRUE(docked->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* a = AddFloating(2542, _T("One"));
    CKGPDockingControlBar* b = AddFloating(2543, _T("Two"));
    CKGPMultiMiniFrameWnd* floating = FloatTogether(a, b, CPoint(320, 120));
    ASSERT_NE(nullptr, floating);
    frame.RecalcLayout();
    a->SetFocus();
    const int aBefore = ToldDocked(a);
    const int bBefore = ToldDocked(b);

    // Let go nowhere it docks: nothing heard.
    ::SetCursorPos(5, 5);
    BOOL bDocked = TRUE;
    EXPECT_EQ(nullptr, floating->DockBarByMouse(bDocked));
    EXPECT_FALSE(bDocked);
    EXPECT_EQ(aBefore, ToldDocked(a));

    // Beside the docked pane: each hears it once; One keeps the focus.
    CursorAtRightEdge(docked);
    EXPECT_EQ(docked, floating->DockBarByMouse(bDocked));
    EXPECT_TRUE(bDocked);
    keyloft_test::Pump(30);
    EXPECT_EQ(aBefore + 1, ToldDocked(a));
    EXPECT_EQ(bBefore + 1, ToldDocked(b));
    EXPECT_EQ(docked->GetDefaultPaneSlider(), a->GetDefaultPaneSlider());
    EXPECT_EQ(a->GetSafeHwnd(), ::GetFocus());
    ExpectSound("docked beside where it was let go");

    // Back into a frame, let go on the docked pane's caption: its tabs.
    CKGPMultiMiniFrameWnd* again = FloatTogether(a, b, CPoint(320, 120));
    ASSERT_NE(nullptr, again);
    frame.RecalcLayout();
    CursorOnCaption(docked);
    EXPECT_EQ(docked, again->DockBarByMouse(bDocked));
    EXPECT_TRUE(bDocked);
    keyloft_test::Pump(30);
    EXPECT_EQ(TabbedOf(docked), TabbedOf(a));
    EXPECT_EQ(TabbedOf(docked), TabbedOf(b));
    EXPECT_EQ(aBefore + 2, ToldDocked(a));
    EXPECT_EQ(bBefore + 2, ToldDocked(b));
    ExpectSound("let go on the caption", {TabbedOf(docked)});
}

// A tabbed pane dropped as a tab hands its tabs over and goes; nothing of
// it is used once it went (its memory is poisoned meanwhile).
TEST_F(FrameDroppedAsTabsTest, ATabbedPaneDroppedAsATabIsNotUsedOnceItWent)
{
    CKGPDockingControlBar* docked = AddFloating(2551, _T("Docked"));
    ASSERT_TRUE(docked->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* a = AddFloating(2552, _T("One"));
    CKGPDockingControlBar* b = AddFloating(2553, _T("Two"));
    ASSERT_TRUE(a->FloatBar(CRect(320, 120, 500, 320), KGP_DM_UNKNOWN, true));
    ASSERT_EQ(b, b->AttachToTabWnd(a, KGP_DM_SHOW, TRUE));
    auto* carried = DYNAMIC_DOWNCAST(CKGPDockingControlBar, a->GetParentTabbedBar());
    ASSERT_NE(nullptr, carried);
    frame.RecalcLayout();
    CKGPDockingControlBar* tabbed = nullptr;
    {
        keyloft_test::DeleteWatchScope watch(true);
        CKGPDockingControlBar* result = carried->AttachToTabWnd(docked, KGP_DM_STANDARD, TRUE, &tabbed);
        EXPECT_NE(nullptr, result);
        EXPECT_EQ(result, tabbed);
        EXPECT_EQ(0, watch.WrittenAfterDelete());
    }
    ASSERT_NE(nullptr, tabbed);
    EXPECT_EQ(tabbed, TabbedOf(a));
    EXPECT_EQ(tabbed, TabbedOf(b));
    EXPECT_EQ(tabbed, TabbedOf(docked));
    ExpectSound("the tabs moved over", {tabbed});
}

// A frame of two panes dropped by its outline beside a docked pane docks them
// both and goes at once; the end of its drag uses nothing of it after that.
TEST_F(FrameDroppedAsTabsTest, AFrameThatDockedAllItsPanesAtTheEndOfItsDragIsNotUsedOnceItWent)
{
    CKGPDockingControlBar* docked = AddFloating(2561, _T("Docked"));
    ASSERT_TRUE(docked->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* a = AddFloating(2562, _T("One"));
    CKGPDockingControlBar* b = AddFloating(2563, _T("Two"));
    CKGPMultiMiniFrameWnd* floating = FloatTogether(a, b, CPoint(320, 140));
    ASSERT_NE(nullptr, floating);
    frame.RecalcLayout();
    const HWND hFloating = floating->GetSafeHwnd();
    CRect window;
    floating->GetWindowRect(window);
    const CPoint caption(window.left + 20, window.top + floating->GetCaptionHeight() / 2 + 2);
    CRect target;
    docked->GetWindowRect(target);
    {
        keyloft_test::DeleteWatchScope watch(true);
        MouseAt(floating, WM_LBUTTONDOWN, caption);
        ASSERT_TRUE(floating->IsMoving());
        MouseAt(floating, WM_MOUSEMOVE, CPoint(target.right - 30, target.CenterPoint().y));
        MouseAt(floating, WM_MOUSEMOVE, CPoint(target.right - 4, target.CenterPoint().y));
        MouseAt(floating, WM_LBUTTONUP, CPoint(target.right - 4, target.CenterPoint().y), 0);
        EXPECT_FALSE(::IsWindow(hFloating));
        EXPECT_EQ(0, watch.WrittenAfterDelete());
    }
    keyloft_test::Pump(30);
    EXPECT_EQ(docked->GetDefaultPaneSlider(), a->GetDefaultPaneSlider());
    EXPECT_EQ(docked->GetDefaultPaneSlider(), b->GetDefaultPaneSlider());
    ExpectSound("docked at the end of the outline's drag");
}

} // namespace
