// Panes floating together in one floating frame: two panes docked side by
// side float into one frame (captions as the Part of a frame with one or
// several visible panes asks), the frame's double click docks both back to
// their places; a frame dragged onto another (after resting over it, on the
// test's clock) merges into it; a frame's tree dropped beside a docked pane
// docks there whole, its hidden pane staying behind. The tree checker runs
// after every step.
#include <gtest/gtest.h>

#include "guilib/core/KGPVisualManager2003.h"
#include "guilib/docking/KGPBaseTabbedBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "tests/guilib_docking/DockLayoutSnapshot.h"
#include "tests/guilib_docking/DockingTestFrame.h"
#include "tests/guilib_docking/PaneTestSupport.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

#include <vector>

namespace {

using namespace docking_test;

class MultiPaneFrameTest : public PaneFrameFixture<CTestFrame> {
protected:
    void SetUp() override
    {
        PaneFrameFixture::SetUp();
        frame.GetDockManager()->SetDockClock([this] { return now; });
    }
    CKGPDockingControlBar* AddFloating(UINT id, LPCTSTR title)
    {
        return Add(id, title, CSize(160, 200), CSize(40, 40), KGP_CBRS_FLOAT_MULTI);
    }
    static CKGPMultiMiniFrameWnd* MultiFrameOf(CKGPDockingControlBar* pPane)
    {
        return DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, pPane->GetParentMiniFrame(TRUE));
    }
    static CString CaptionOf(CKGPMiniFrameWnd* pFrame) { return pFrame->GetCaptionText(); }

    long now = 1000;
};

TEST_F(MultiPaneFrameTest, TwoPanesSideBySideFloatTogetherAndDockBackOnADoubleClick)
{
    CKGPDockingControlBar* a = AddFloating(2101, _T("Output"));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* b = AddFloating(2102, _T("Watch"));
    ASSERT_TRUE(b->DockToBar(a, CBRS_ALIGN_RIGHT));
    frame.RecalcLayout();
    CKGPSlider* slider = a->GetDefaultPaneSlider();
    ExpectSoundTree(slider, "two panes docked side by side");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "two panes docked side by side");
    CRect dockedA, dockedB;
    a->GetWindowRect(dockedA);
    b->GetWindowRect(dockedB);

    // The first floats: a frame of its own that may take others.
    ASSERT_TRUE(a->FloatBar(CRect(240, 160, 420, 360), KGP_DM_UNKNOWN, true));
    CKGPMultiMiniFrameWnd* floating = MultiFrameOf(a);
    ASSERT_NE(nullptr, floating);
    EXPECT_EQ(_T("Output"), CaptionOf(floating));
    EXPECT_EQ(0, a->GetCaptionHeight()); // the frame's caption stands for it
    ExpectSoundTree(slider, "the first floated out");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "the first floated out");

    // The second is dropped at the first's right edge: both float together.
    CursorAtRightEdge(a);
    ASSERT_TRUE(b->DockByMouse(nullptr));
    ASSERT_EQ(floating, MultiFrameOf(b));
    EXPECT_EQ(2, floating->GetControlBarCount());
    EXPECT_EQ(_T(""), CaptionOf(floating)); // each pane shows its own caption
    EXPECT_GT(a->GetCaptionHeight(), 0);
    EXPECT_GT(b->GetCaptionHeight(), 0);
    ExpectSoundTree(floating, "both in one floating frame");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "both in one floating frame");
    ExpectSoundTree(slider, "none left docked");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "none left docked");
    EXPECT_FALSE(slider->IsWindowVisible());
    CRect ra, rb;
    a->GetWindowRect(ra);
    b->GetWindowRect(rb);
    EXPECT_LT(ra.right, rb.left); // side by side in the frame
    EXPECT_EQ(a, CKGPMiniFrameWnd::FindFloatingBarByID(2101));
    EXPECT_EQ(b, CKGPMiniFrameWnd::FindFloatingBarByID(2102));

    ASSERT_TRUE(CKGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKGPVisualManager2003)));
    floating->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    keyloft_test::Pump(100);
    keyloft_test::SaveScreenshot(floating->m_hWnd, L"panes-floating-together.bmp");
    CKGPVisualManager::SetDefaultManager(nullptr);

    // One closed: the other's title goes back to the frame's caption.
    b->ShowBar(FALSE, FALSE, FALSE);
    EXPECT_EQ(_T("Output"), CaptionOf(floating));
    EXPECT_EQ(0, a->GetCaptionHeight());
    ExpectSoundTree(floating, "the second hidden");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "the second hidden");
    b->ShowBar(TRUE, FALSE, FALSE);
    EXPECT_EQ(_T(""), CaptionOf(floating));
    ExpectSoundTree(floating, "the second shown again");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "the second shown again");

    // A double click on the frame's caption docks both back to their places.
    const HWND hFloating = floating->m_hWnd;
    floating->DockOnDoubleClick();
    keyloft_test::Pump(50);
    EXPECT_FALSE(::IsWindow(hFloating));
    EXPECT_EQ(slider, a->GetDefaultPaneSlider());
    EXPECT_EQ(slider, b->GetDefaultPaneSlider());
    EXPECT_FALSE(a->IsFloating());
    ExpectSoundTree(slider, "both docked back");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "both docked back");
    a->GetWindowRect(ra);
    b->GetWindowRect(rb);
    EXPECT_EQ(dockedA.left, ra.left);
    EXPECT_LT(ra.right, rb.left);
    EXPECT_EQ(nullptr, CKGPMiniFrameWnd::FindFloatingBarByID(2101));
}

TEST_F(MultiPaneFrameTest, AFrameRestingOverAnotherMergesIntoIt)
{
    CKGPDockingControlBar* a = AddFloating(2111, _T("Alpha"));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* b = AddFloating(2112, _T("Beta"));
    ASSERT_TRUE(b->DockToBar(a, CBRS_ALIGN_BOTTOM));
    frame.RecalcLayout();
    ASSERT_TRUE(a->FloatBar(CRect(200, 120, 380, 320), KGP_DM_UNKNOWN, true));
    ASSERT_TRUE(b->FloatBar(CRect(420, 120, 600, 320), KGP_DM_UNKNOWN, true));
    CKGPMultiMiniFrameWnd* target = MultiFrameOf(a);
    CKGPMultiMiniFrameWnd* dragged = MultiFrameOf(b);
    ASSERT_NE(target, dragged);
    const HWND hDragged = dragged->m_hWnd;

    // Over the other frame: it waits, and merges after resting there.
    CursorAtRightEdge(a);
    CKGPDockManager* manager = frame.GetDockManager();
    EXPECT_TRUE(manager->OnMoveMiniFrame(dragged));
    now += 100;
    EXPECT_TRUE(manager->OnMoveMiniFrame(dragged));
    EXPECT_EQ(dragged, MultiFrameOf(b));
    now += 200;
    EXPECT_FALSE(manager->OnMoveMiniFrame(dragged)); // joined
    keyloft_test::Pump(50);
    EXPECT_FALSE(::IsWindow(hDragged));
    EXPECT_EQ(target, MultiFrameOf(b));
    EXPECT_EQ(2, target->GetControlBarCount());
    ExpectSoundTree(target, "merged");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "merged");
}

TEST_F(MultiPaneFrameTest, AFramesTreeDroppedBesideADockedPaneDocksThereWithoutItsHiddenPane)
{
    CKGPDockingControlBar* docked = Add(2121, _T("Docked"), CSize(200, 300));
    ASSERT_TRUE(docked->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* a = AddFloating(2122, _T("One"));
    CKGPDockingControlBar* b = AddFloating(2123, _T("Two"));
    CKGPDockingControlBar* c = AddFloating(2124, _T("Three"));
    ASSERT_TRUE(a->FloatBar(CRect(300, 100, 480, 300), KGP_DM_UNKNOWN, true));
    CKGPMultiMiniFrameWnd* floating = MultiFrameOf(a);
    CursorAtRightEdge(a);
    ASSERT_FALSE(floating->DockPaneAtCursor(b));
    CursorAtRightEdge(b);
    ASSERT_FALSE(floating->DockPaneAtCursor(c));
    ExpectSoundTree(floating, "three panes floating together");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "three panes floating together");
    c->ShowBar(FALSE, FALSE, FALSE);
    ExpectSoundTree(floating, "one of them hidden");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "one of them hidden");
    frame.RecalcLayout();
    CKGPSlider* slider = docked->GetDefaultPaneSlider();

    // Dropped at the docked pane's right edge: the visible two dock there.
    CursorAtRightEdge(docked);
    ASSERT_EQ(0, floating->DockToTarget(1, docked));
    keyloft_test::Pump(50);
    EXPECT_EQ(slider, a->GetDefaultPaneSlider());
    EXPECT_EQ(slider, b->GetDefaultPaneSlider());
    EXPECT_EQ(3, slider->GetContainerManager()->GetPanes().GetCount());
    ExpectSoundTree(slider, "the floating tree docked beside the pane");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "the floating tree docked beside the pane");
    CRect rd, ra;
    docked->GetWindowRect(rd);
    a->GetWindowRect(ra);
    EXPECT_LT(rd.right, ra.left);
    // The hidden pane stays in its (hidden) frame with its place.
    ASSERT_TRUE(::IsWindow(floating->m_hWnd));
    EXPECT_FALSE(floating->IsWindowVisible());
    EXPECT_EQ(floating, MultiFrameOf(c));
    EXPECT_EQ(1, floating->GetControlBarCount());
}

// A tab of a docked tabbed pane dropped at the edge of a pane floating with
// others leaves its tabbed pane and joins the frame beside it (it was put in
// the frame while its tab stayed, the tabbed pane still holding it).
TEST_F(MultiPaneFrameTest, ATabDroppedBesideAPaneOfAFloatingFrameLeavesItsTabbedPane)
{
    CKGPDockingControlBar* first = AddFloating(2131, _T("First"));
    ASSERT_TRUE(first->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* second = AddFloating(2132, _T("Second"));
    CKGPDockingControlBar* tabbed = nullptr;
    ASSERT_EQ(second, second->AttachToTabWnd(first, KGP_DM_SHOW, TRUE, &tabbed));
    ASSERT_NE(nullptr, tabbed);
    CKGPDockingControlBar* a = AddFloating(2133, _T("One"));
    CKGPDockingControlBar* b = AddFloating(2134, _T("Two"));
    ASSERT_TRUE(a->FloatBar(CRect(300, 100, 480, 300), KGP_DM_UNKNOWN, true));
    CKGPMultiMiniFrameWnd* floating = MultiFrameOf(a);
    ASSERT_NE(nullptr, floating);
    CursorAtRightEdge(a);
    ASSERT_TRUE(b->DockByMouse(nullptr));
    frame.RecalcLayout();

    CursorAtRightEdge(b);
    ASSERT_TRUE(second->DockByMouse(nullptr));
    keyloft_test::Pump(20);
    EXPECT_EQ(floating, MultiFrameOf(second));
    EXPECT_FALSE(second->IsTabbed());
    EXPECT_EQ(3, floating->GetContainerManager().GetPanes().GetCount());
    auto* tabs = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, first->GetParentTabbedBar());
    ASSERT_EQ(tabbed, tabs) << "the first stays in its tabbed pane";
    EXPECT_EQ(1, tabs->GetTabWnd()->GetTabsNum()) << "alone";
    ExpectSoundTree(floating, "the tab joined the floating frame");
    ExpectSoundLayout(*frame.GetDockManager(), {first, tabbed, a, b, second}, "the tab joined the floating frame");
}

} // namespace

namespace {

// A pane that leaves the focus where it is (as a pane of tool buttons may).
class CFocusShyPane : public CColourPane {
public:
    BOOL WantsFocus() const override { return FALSE; }
};

} // namespace

// A floating frame of panes taking the focus gives it to its pane, unless
// none was focused there yet and the pane does not want it: it then keeps
// the focus itself.
TEST_F(MultiPaneFrameTest, AFrameTakingTheFocusGivesItToItsFirstPaneOnlyIfThePaneWantsIt)
{
    auto shy = std::make_unique<CFocusShyPane>();
    shy->SetMinSize(CSize(40, 40));
    ASSERT_TRUE(shy->Create(_T("Tools"), &frame, CRect(0, 0, 160, 200), TRUE, 2111,
                            WS_CHILD | WS_VISIBLE | CBRS_LEFT | KGP_CBRS_FLOAT_MULTI));
    shy->EnableDocking(CBRS_ALIGN_ANY);
    CKGPDockingControlBar* wanting = AddFloating(2112, _T("Output"));
    for (CKGPDockingControlBar* pane : {static_cast<CKGPDockingControlBar*>(shy.get()), wanting}) {
        const bool bShy = pane == shy.get();
        ASSERT_TRUE(pane->FloatBar(bShy ? CRect(120, 160, 300, 360) : CRect(340, 160, 520, 360), KGP_DM_UNKNOWN, true));
        CKGPMultiMiniFrameWnd* floating = MultiFrameOf(pane);
        ASSERT_NE(nullptr, floating);
        frame.m_view.SetFocus();
        floating->SetFocus(); // as when the user brings the frame forward
        keyloft_test::Pump(30);
        if (bShy)
            EXPECT_EQ(floating->m_hWnd, ::GetFocus()) << "the frame keeps it";
        else
            EXPECT_EQ(pane->m_hWnd, ::GetFocus()) << "the pane takes it";
    }
    shy->DestroyWindow();
}
