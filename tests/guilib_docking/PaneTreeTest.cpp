// Docking panes in a frame's split trees, with the tree checker after every
// step: panes docked at an edge and beside each other in every direction,
// hidden and shown, floated and docked back, a frame resized; a slider
// dragged within its limits (and cancelled); minimum sizes kept.
#include <gtest/gtest.h>

#include "guilib/core/KGPVisualManager2003.h"
#include "guilib/docking/KGPDockManager.h"
#include "tests/guilib_docking/DockLayoutSnapshot.h"
#include "tests/guilib_docking/DockingTestFrame.h"
#include "tests/guilib_docking/PaneTestSupport.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

#include <string>
#include <vector>

namespace {

using namespace docking_test;

class PaneTreeTest : public PaneFrameFixture<CTestFrame> {
protected:
    static int IndexOf(const CObList& list, const CObject* pObject)
    {
        int index = 0;
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr; ++index) {
            if (list.GetNext(pos) == pObject)
                return index;
        }
        return -1;
    }
};

TEST_F(PaneTreeTest, PanesDockedAtAnEdgeAndBesideEachOtherShareTheirSlidersTree)
{
    CKGPDockingControlBar* a = Add(2001, _T("First"));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    frame.RecalcLayout();
    CKGPSlider* slider = a->GetDefaultPaneSlider();
    ASSERT_NE(nullptr, slider);
    EXPECT_TRUE(slider->IsDefault());
    EXPECT_FALSE(slider->IsHorizontal()); // between the left panes and the view
    EXPECT_EQ(DWORD(CBRS_ALIGN_LEFT), slider->GetCurrentAlignment());
    EXPECT_EQ(160, Width(a));
    ExpectSoundTree(slider, "one pane at the left edge");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "one pane at the left edge");
    // The view takes what the panes and the slider leave.
    const CRect view = frame.ViewRect();
    EXPECT_EQ(ClientRectIn(slider, &frame).right, view.left);

    // Below the first: a horizontal slider between them.
    CKGPDockingControlBar* b = Add(2002, _T("Second"), CSize(160, 120));
    ASSERT_TRUE(b->DockToBar(a, CBRS_ALIGN_BOTTOM));
    EXPECT_EQ(slider, b->GetDefaultPaneSlider());
    ExpectSoundTree(slider, "a second pane below");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "a second pane below");
    CRect ra, rb;
    a->GetWindowRect(ra);
    b->GetWindowRect(rb);
    EXPECT_LT(ra.bottom, rb.top);
    EXPECT_EQ(ra.left, rb.left);

    // Right of the first, and above the second: the tree grows both ways.
    CKGPDockingControlBar* c = Add(2003, _T("Third"), CSize(100, 100));
    ASSERT_TRUE(c->DockToBar(a, CBRS_ALIGN_RIGHT));
    ExpectSoundTree(slider, "a third pane right of the first");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "a third pane right of the first");
    CKGPDockingControlBar* d = Add(2004, _T("Fourth"), CSize(100, 60));
    ASSERT_TRUE(d->DockToBar(b, CBRS_ALIGN_TOP));
    ExpectSoundTree(slider, "a fourth pane above the second");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "a fourth pane above the second");
    CKGPDockingControlBar* e = Add(2005, _T("Fifth"), CSize(80, 60));
    ASSERT_TRUE(e->DockToBar(c, CBRS_ALIGN_LEFT));
    ExpectSoundTree(slider, "a fifth pane left of the third");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "a fifth pane left of the third");
    const CKGPBarContainerManager* manager = slider->GetContainerManager();
    EXPECT_EQ(5, manager->GetPanes().GetCount());
    EXPECT_EQ(4, manager->GetSliders().GetCount());
    // Panes are listed in layout order: the fifth before the third.
    EXPECT_LT(IndexOf(manager->GetPanes(), e), IndexOf(manager->GetPanes(), c));

    // An unknown side is refused and changes nothing.
    CKGPDockingControlBar* f = Add(2006, _T("Sixth"));
    EXPECT_FALSE(slider->InsertControlBar(f, a, CBRS_ALIGN_LEFT | CBRS_ALIGN_TOP));
    EXPECT_EQ(5, manager->GetPanes().GetCount());
    f->DestroyWindow(); // docked nowhere, it would stand in no place of the layout

    // The frame grows and shrinks: the tree follows.
    frame.SetWindowPos(HWND{}, 0, 0, 900, 640, SWP_NOMOVE | SWP_NOZORDER);
    ExpectSoundTree(slider, "the frame grown");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "the frame grown");
    frame.SetWindowPos(HWND{}, 0, 0, 560, 420, SWP_NOMOVE | SWP_NOZORDER);
    ExpectSoundTree(slider, "the frame shrunk");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "the frame shrunk");

    ASSERT_TRUE(CKGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKGPVisualManager2003)));
    frame.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    keyloft_test::Pump(100);
    keyloft_test::SaveScreenshot(frame.m_hWnd, L"panes-docked-tree.bmp");
    CKGPVisualManager::SetDefaultManager(nullptr);
}

BOOL CALLBACK CountToolTip(HWND hwnd, LPARAM param)
{
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    if (std::wstring(name) == TOOLTIPS_CLASSW)
        ++*reinterpret_cast<int*>(param);
    return TRUE;
}

int ToolTipsOfThisThread()
{
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountToolTip, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST_F(PaneTreeTest, APaneDeletedBeforeItsWindowLeavesItsTreeTheDockManagerAndItsTooltip)
{
    CKGPDockingControlBar* a = Add(2021, _T("Stays"));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    const int tooltips = ToolTipsOfThisThread();
    CKGPDockingControlBar* b = Add(2022, _T("Deleted"));
    ASSERT_TRUE(b->DockToBar(a, CBRS_ALIGN_BOTTOM));
    frame.RecalcLayout();
    // The caption's tooltip comes with the mouse.
    CRect caption;
    b->GetWindowRect(caption);
    const CPoint over(caption.CenterPoint().x, caption.top + 4);
    MSG move{b->m_hWnd, WM_NCMOUSEMOVE, HTCAPTION, keyloft_test::PointParam(over.x, over.y), 0, over};
    b->PreTranslateMessage(&move);
    EXPECT_EQ(tooltips + 1, ToolTipsOfThisThread());
    CKGPSlider* slider = a->GetDefaultPaneSlider();
    ASSERT_NE(nullptr, slider);
    ASSERT_EQ(2, slider->GetContainerManager()->GetPanes().GetCount());

    // The object goes first, its window with it.
    const HWND hDeleted = b->GetSafeHwnd();
    panes.pop_back();
    EXPECT_FALSE(::IsWindow(hDeleted));
    EXPECT_EQ(1, slider->GetContainerManager()->GetPanes().GetCount());
    EXPECT_EQ(-1, IndexOf(frame.GetDockManager()->GetControlBars(), b));
    EXPECT_EQ(tooltips, ToolTipsOfThisThread());
    frame.RecalcLayout();
    ExpectSoundTree(slider, "the second pane deleted");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "the second pane deleted");
    EXPECT_EQ(Height(a), ClientRectIn(slider, &frame).Height()); // the one left takes the column
}

TEST_F(PaneTreeTest, HiddenPanesGiveTheirRoomBackAndTakeTheirShareWhenShown)
{
    CKGPDockingControlBar* a = Add(2011, _T("Left"));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* b = Add(2012, _T("Right"));
    ASSERT_TRUE(b->DockToBar(a, CBRS_ALIGN_RIGHT));
    CKGPDockingControlBar* c = Add(2013, _T("Below"));
    ASSERT_TRUE(c->DockToBar(b, CBRS_ALIGN_BOTTOM));
    frame.RecalcLayout();
    CKGPSlider* slider = a->GetDefaultPaneSlider();
    ExpectSoundTree(slider, "three panes");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "three panes");

    b->ShowBar(FALSE, FALSE, FALSE);
    ExpectSoundTree(slider, "the right pane hidden");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "the right pane hidden");
    EXPECT_EQ(Height(c), Height(a)); // the one below takes its column
    c->ShowBar(FALSE, FALSE, FALSE);
    ExpectSoundTree(slider, "the pane below hidden too");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "the pane below hidden too");
    EXPECT_EQ(1, slider->GetVisibleBarCount());
    a->ShowBar(FALSE, FALSE, FALSE);
    EXPECT_FALSE(slider->IsWindowVisible()); // nothing left to show
    EXPECT_EQ(frame.ViewRect().left, 0);

    b->ShowBar(TRUE, FALSE, FALSE);
    EXPECT_TRUE(slider->IsWindowVisible());
    ExpectSoundTree(slider, "the right pane shown alone");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "the right pane shown alone");
    EXPECT_EQ(50, b->GetSizeShare()); // a first show takes half
    a->ShowBar(TRUE, FALSE, FALSE);
    c->ShowBar(TRUE, FALSE, FALSE);
    ExpectSoundTree(slider, "all shown again");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "all shown again");
    EXPECT_GT(Width(a), 40);
    EXPECT_GT(Width(b), 40);
}

TEST_F(PaneTreeTest, ATreeWithItsLayoutSuspendedLetsPanesGoWithoutMovingTheRest)
{
    CKGPDockingControlBar* a = Add(2021, _T("Top"));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* b = Add(2022, _T("Middle"));
    ASSERT_TRUE(b->DockToBar(a, CBRS_ALIGN_BOTTOM));
    CKGPDockingControlBar* c = Add(2023, _T("Bottom"));
    ASSERT_TRUE(c->DockToBar(b, CBRS_ALIGN_BOTTOM));
    CKGPDockingControlBar* d = Add(2024, _T("Last"));
    ASSERT_TRUE(d->DockToBar(c, CBRS_ALIGN_BOTTOM));
    frame.RecalcLayout();
    CKGPSlider* slider = a->GetDefaultPaneSlider();
    ASSERT_NE(nullptr, slider);
    CKGPBarContainerManager* manager = slider->GetContainerManager();
    CRect column, before;
    slider->GetWindowRect(column);
    c->GetWindowRect(before);

    // Laid out as usual, a pane leaving gives its room to what remains.
    d->RemoveFromHost(TRUE);
    CRect after;
    c->GetWindowRect(after);
    EXPECT_GT(after.Height(), before.Height());
    ExpectSoundTree(slider, "the last pane gone");

    // Suspended, what remains stays where it stands.
    manager->SuspendLayout(TRUE);
    CRect top, bottom;
    a->GetWindowRect(top);
    c->GetWindowRect(bottom);
    b->RemoveFromHost(TRUE);
    CRect still;
    a->GetWindowRect(still);
    EXPECT_EQ(top, still);
    c->GetWindowRect(still);
    EXPECT_EQ(bottom, still);
    EXPECT_EQ(2, manager->GetPanes().GetCount());

    // Resumed, one layout of the frame gives the two panes the whole column.
    manager->SuspendLayout(FALSE);
    b->DestroyWindow(); // docked nowhere now, they stand in no place of the layout
    d->DestroyWindow();
    frame.RecalcLayout();
    ExpectSoundTree(slider, "the middle pane gone while suspended");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "the middle pane gone while suspended");
    a->GetWindowRect(top);
    c->GetWindowRect(bottom);
    EXPECT_GT(bottom.top, top.bottom);
    EXPECT_GE(bottom.bottom - top.top, column.Height() - 2);
}

TEST_F(PaneTreeTest, APaneFloatedOutOfTheTreeComesBackToItsPlace)
{
    CKGPDockingControlBar* a = Add(2021, _T("Top"), CSize(160, 200));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* b = Add(2022, _T("Bottom"), CSize(160, 150));
    ASSERT_TRUE(b->DockToBar(a, CBRS_ALIGN_BOTTOM));
    frame.RecalcLayout();
    CKGPSlider* slider = a->GetDefaultPaneSlider();
    CRect before;
    b->GetWindowRect(before);
    ExpectSoundTree(slider, "two panes");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "two panes");

    ASSERT_TRUE(b->FloatBar(CRect(300, 200, 460, 350), KGP_DM_UNKNOWN, true));
    EXPECT_TRUE(b->IsFloating());
    EXPECT_EQ(nullptr, b->GetDefaultPaneSlider());
    EXPECT_NE(nullptr, b->GetParentMiniFrame());
    EXPECT_EQ(slider, b->m_recentDockInfo.GetRecentDefaultSlider());
    ExpectSoundTree(slider, "the bottom pane floated");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "the bottom pane floated");
    EXPECT_EQ(1, slider->GetContainerManager()->GetPanes().GetCount());

    // A double click on its floating frame docks it back where it was.
    b->GetParentMiniFrame()->DockOnDoubleClick();
    keyloft_test::Pump(30);
    EXPECT_FALSE(b->IsFloating());
    EXPECT_EQ(slider, b->GetDefaultPaneSlider());
    ExpectSoundTree(slider, "docked back");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "docked back");
    CRect after;
    b->GetWindowRect(after);
    EXPECT_LE(std::abs(after.top - before.top), 2);
    EXPECT_EQ(before.left, after.left);
    EXPECT_EQ(2, slider->GetContainerManager()->GetPanes().GetCount());

    // The last pane floated: the slider stays (hidden) for it to come back to.
    ASSERT_TRUE(a->FloatBar(CRect(300, 100, 460, 300), KGP_DM_UNKNOWN, true));
    ASSERT_TRUE(b->FloatBar(CRect(500, 100, 660, 300), KGP_DM_UNKNOWN, true));
    keyloft_test::Pump(30);
    ASSERT_TRUE(::IsWindow(slider->m_hWnd));
    EXPECT_FALSE(slider->IsWindowVisible());
    ASSERT_TRUE(a->DockPane(nullptr, nullptr, KGP_DM_DBLCLICK));
    ASSERT_TRUE(b->DockPane(nullptr, nullptr, KGP_DM_DBLCLICK));
    keyloft_test::Pump(30);
    EXPECT_EQ(slider, a->GetDefaultPaneSlider());
    EXPECT_EQ(slider, b->GetDefaultPaneSlider());
    ExpectSoundTree(slider, "both docked back");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "both docked back");
}

// Two panes side by side at the left edge: the edge's slider dragged out
// widens both, the far pane taking half the growth and a pixel more and the
// one at the slider the rest; dragged back in, both give their part.
TEST_F(PaneTreeTest, TheEdgesSliderDraggedSharesTheChangeBetweenPanesSideBySide)
{
    CKGPDockingControlBar* a = Add(2035, _T("Left"), CSize(240, 200), CSize(60, 40));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* b = Add(2036, _T("Right"), CSize(150, 200), CSize(70, 40));
    ASSERT_TRUE(b->DockToBar(a, CBRS_ALIGN_RIGHT));
    frame.RecalcLayout();
    CKGPSlider* edge = a->GetDefaultPaneSlider();
    ExpectSoundTree(edge, "two panes side by side");
    auto drag = [&](int dx) {
        CRect rect;
        edge->GetWindowRect(rect);
        const CPoint grip = rect.CenterPoint();
        MouseAt(edge, WM_LBUTTONDOWN, grip);
        MouseAt(edge, WM_MOUSEMOVE, CPoint(grip.x + dx, grip.y));
        MouseAt(edge, WM_LBUTTONUP, CPoint(grip.x + dx, grip.y), 0);
    };
    const int widthA = Width(a);
    const int widthB = Width(b);
    drag(40);
    EXPECT_EQ(widthA + 21, Width(a)) << "the far pane: half and a pixel";
    EXPECT_EQ(widthB + 19, Width(b)) << "the pane at the slider: the rest";
    ExpectSoundTree(edge, "the edge dragged out");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "the edge dragged out");
    frame.RecalcLayout();
    EXPECT_EQ(widthA + 21, Width(a)) << "the layout keeps it";

    drag(-30);
    EXPECT_EQ(widthA + 21 - 16, Width(a));
    EXPECT_EQ(widthB + 19 - 14, Width(b));
    ExpectSoundTree(edge, "the edge dragged back in");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "the edge dragged back in");
}

// A pane floated out of a column beside another pane comes back to it after
// the slider between the column and that pane moved: the column's node takes
// the room the pane remembered, the parent's side holding that node is
// stretched to it, and the layout that follows leaves the column the width
// the slider gave it, the two panes in it one above the other.
TEST_F(PaneTreeTest, APaneBackInAColumnThatNarrowedMeanwhileTakesTheColumnsWidth)
{
    CKGPDockingControlBar* a = Add(2037, _T("Left"), CSize(200, 300), CSize(60, 40));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* b = Add(2038, _T("Upper"), CSize(160, 300), CSize(60, 40));
    ASSERT_TRUE(b->DockToBar(a, CBRS_ALIGN_RIGHT));
    CKGPDockingControlBar* c = Add(2039, _T("Lower"), CSize(160, 150), CSize(60, 40));
    ASSERT_TRUE(c->DockToBar(b, CBRS_ALIGN_BOTTOM));
    frame.RecalcLayout();
    CKGPSlider* edge = a->GetDefaultPaneSlider();
    ExpectSoundTree(edge, "a pane beside a column of two");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "a pane beside a column of two");
    CKGPSlider* inner = nullptr; // between the left pane and the column
    const CObList& sliders = edge->GetContainerManager()->GetSliders();
    for (POSITION pos = sliders.GetHeadPosition(); pos != nullptr;) {
        auto* pSlider = static_cast<CKGPSlider*>(sliders.GetNext(pos));
        if (!pSlider->IsHorizontal())
            inner = pSlider;
    }
    ASSERT_NE(nullptr, inner);

    ASSERT_TRUE(c->FloatBar(CRect(400, 200, 560, 350), KGP_DM_UNKNOWN, true));
    keyloft_test::Pump(30);
    ExpectSoundTree(edge, "the lower pane floated");
    const int widthA = Width(a);
    CRect rect;
    inner->GetWindowRect(rect);
    const CPoint grip = rect.CenterPoint();
    MouseAt(inner, WM_LBUTTONDOWN, grip);
    MouseAt(inner, WM_MOUSEMOVE, CPoint(grip.x + 30, grip.y));
    MouseAt(inner, WM_LBUTTONUP, CPoint(grip.x + 30, grip.y), 0);
    ASSERT_EQ(widthA + 30, Width(a));
    CRect upper;
    b->GetWindowRect(upper);

    c->GetParentMiniFrame()->DockOnDoubleClick();
    keyloft_test::Pump(30);
    ASSERT_FALSE(c->IsFloating());
    ExpectSoundTree(edge, "the lower pane back in the narrower column");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "the lower pane back in the narrower column");
    EXPECT_EQ(widthA + 30, Width(a)) << "the pane beside the column keeps what the slider gave it";
    CRect lower;
    b->GetWindowRect(upper);
    c->GetWindowRect(lower);
    EXPECT_EQ(upper.left, lower.left);
    EXPECT_EQ(upper.right, lower.right);
    EXPECT_GT(lower.top, upper.bottom);
}

TEST_F(PaneTreeTest, TheSliderBetweenTwoPanesResizesThemWithinTheirMinimums)
{
    CKGPDockingControlBar* a = Add(2031, _T("Left"), CSize(300, 200), CSize(60, 40));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* b = Add(2032, _T("Right"), CSize(150, 200), CSize(70, 40));
    ASSERT_TRUE(b->DockToBar(a, CBRS_ALIGN_RIGHT));
    frame.RecalcLayout();
    CKGPSlider* slider = a->GetDefaultPaneSlider();
    ExpectSoundTree(slider, "two panes side by side");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "two panes side by side");
    const CObList& sliders = slider->GetContainerManager()->GetSliders();
    ASSERT_EQ(1, sliders.GetCount());
    auto* inner = static_cast<CKGPSlider*>(sliders.GetHead());
    EXPECT_FALSE(inner->IsHorizontal());
    const int widthA = Width(a);
    const int widthB = Width(b);

    // Dragged 30 pixels to the right: the left pane gains them, the right one gives them.
    CRect rect;
    inner->GetWindowRect(rect);
    const CPoint grip = rect.CenterPoint();
    MouseAt(inner, WM_LBUTTONDOWN, grip);
    EXPECT_TRUE(inner->IsTracking());
    MouseAt(inner, WM_MOUSEMOVE, CPoint(grip.x + 30, grip.y));
    MouseAt(inner, WM_LBUTTONUP, CPoint(grip.x + 30, grip.y), 0);
    EXPECT_FALSE(inner->IsTracking());
    EXPECT_EQ(widthA + 30, Width(a));
    EXPECT_EQ(widthB - 30, Width(b));
    ExpectSoundTree(slider, "the slider dragged right");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "the slider dragged right");
    frame.RecalcLayout();
    EXPECT_EQ(widthA + 30, Width(a)); // the layout keeps what the drag gave
    ExpectSoundTree(slider, "laid out again");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "laid out again");

    // Dragged far past the right pane's minimum: it stops a pixel short of it.
    inner->GetWindowRect(rect);
    MouseAt(inner, WM_LBUTTONDOWN, rect.CenterPoint());
    const CRect limits = inner->GetLimitRect();
    MouseAt(inner, WM_MOUSEMOVE, CPoint(rect.CenterPoint().x + 1000, rect.CenterPoint().y));
    EXPECT_EQ(limits.right, inner->GetDragRect().right); // the outline pinned at the limit
    MouseAt(inner, WM_LBUTTONUP, CPoint(rect.CenterPoint().x + 1000, rect.CenterPoint().y), 0);
    EXPECT_EQ(70 + 1, Width(b));
    ExpectSoundTree(slider, "dragged to the right pane's minimum");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "dragged to the right pane's minimum");

    // A drag cancelled leaves every pane where it was.
    const int before = Width(a);
    inner->GetWindowRect(rect);
    MouseAt(inner, WM_LBUTTONDOWN, rect.CenterPoint());
    MouseAt(inner, WM_MOUSEMOVE, CPoint(rect.CenterPoint().x - 50, rect.CenterPoint().y));
    inner->SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(inner->IsTracking());
    EXPECT_EQ(before, Width(a));
    ExpectSoundTree(slider, "a drag cancelled");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "a drag cancelled");

    // The default slider resizes the whole group.
    const int group = Width(a) + Width(b) + inner->GetWidth();
    slider->GetWindowRect(rect);
    MouseAt(slider, WM_LBUTTONDOWN, rect.CenterPoint());
    MouseAt(slider, WM_MOUSEMOVE, CPoint(rect.CenterPoint().x + 40, rect.CenterPoint().y));
    MouseAt(slider, WM_LBUTTONUP, CPoint(rect.CenterPoint().x + 40, rect.CenterPoint().y), 0);
    EXPECT_EQ(group + 40, Width(a) + Width(b) + inner->GetWidth());
    ExpectSoundTree(slider, "the group widened by its slider");
    ExpectSoundLayout(*frame.GetDockManager(), panes, "the group widened by its slider");
    EXPECT_EQ(ClientRectIn(slider, &frame).right, frame.ViewRect().left);
}

} // namespace
