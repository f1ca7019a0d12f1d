// Smart docking in a test frame: a pane dragged in smart-docking mode shows
// the side markers (only those of the edges it may dock at), the central
// group over the pane under the cursor, a highlighted marker under the
// cursor and the place marker where it would land; the markers go when the
// drag ends. Each marker is hit at its own place; screenshots of the screen.
#include <gtest/gtest.h>

#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPDragFrameImpl.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPSmartDockingManager.h"
#include "guilib/docking/KGPSmartDockingMarker.h"
#include "tests/guilib_docking/DockLayoutSnapshot.h"
#include "tests/guilib_docking/DockingTestFrame.h"
#include "tests/guilib_docking/PaneTestSupport.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

namespace {

using namespace docking_test;

class SmartDockingTest : public PaneFrameFixture<CTestFrame> {
protected:
    CKGPDockManager& Manager() { return *frame.GetDockManager(); }
    static CRect WindowOf(CWnd& wnd)
    {
        CRect rect;
        wnd.GetWindowRect(rect);
        return rect;
    }
    // The frame's outer dock rectangle on the screen.
    CRect OuterOnScreen()
    {
        CRect outer;
        Manager().GetOuterDockRect(outer);
        frame.ClientToScreen(outer);
        return outer;
    }
    // Starts the markers over the frame for a floating frame's drag, as the
    // drag loop does.
    CKGPSmartDockingManager* StartMarkersFor(CKGPMiniFrameWnd* floating)
    {
        CKGPSmartDockingManager* smart = Manager().GetSmartDockingManagerPermanent();
        if (smart != nullptr) {
            smart->SetOuterRect(OuterOnScreen());
            smart->Start(floating);
        }
        return smart;
    }
    // Drags a docked pane by its caption away from its place: its floating
    // frame carries the drag on.
    CKGPMiniFrameWnd* DragAway(CKGPDockingControlBar* pane, CPoint to)
    {
        CRect window;
        pane->GetWindowRect(window);
        const CPoint grip(window.left + 20, window.top + pane->GetCaptionHeight() / 2);
        MouseAt(pane, WM_LBUTTONDOWN, grip);
        MouseAt(pane, WM_MOUSEMOVE, to);
        return pane->GetParentMiniFrame(TRUE);
    }
    // A target pane docked at the left and a pane to drag in smart-docking
    // mode at the right (docking only at the edges given).
    void DockTargetAndDragged(UINT firstId, CKGPDockingControlBar*& target, CKGPDockingControlBar*& dragged,
                              DWORD draggedEdges = CBRS_ALIGN_ANY)
    {
        target = Add(firstId, _T("Target"), CSize(200, 300));
        ASSERT_TRUE(target->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
        dragged = Add(firstId + 1, _T("Dragged"), CSize(160, 120));
        dragged->SetDockingMode(KGP_DOCK_IMMEDIATE | KGP_DOCK_SMART);
        ASSERT_TRUE(dragged->DockToWindow(CBRS_ALIGN_RIGHT, nullptr));
        dragged->EnableDocking(draggedEdges);
        frame.RecalcLayout();
    }
};

TEST_F(SmartDockingTest, ADragShowsTheMarkersAndThePlaceOfTheMarkerUnderTheCursor)
{
    CKGPDockingControlBar* target = nullptr;
    CKGPDockingControlBar* dragged = nullptr;
    DockTargetAndDragged(2201, target, dragged);

    // Away from the right edge, over the view: the side markers show.
    const CRect view = [&] {
        CRect rect = frame.ViewRect();
        frame.ClientToScreen(rect);
        return rect;
    }();
    CKGPMiniFrameWnd* floating = DragAway(dragged, CPoint(view.CenterPoint().x, view.top + 40));
    ASSERT_NE(nullptr, floating);
    ASSERT_TRUE(floating->IsMoving());
    MouseAt(floating, WM_MOUSEMOVE, CPoint(view.CenterPoint().x, view.top + 50));
    CKGPSmartDockingManager* smart = Manager().GetSmartDockingManager();
    ASSERT_NE(nullptr, smart);
    ASSERT_TRUE(smart->IsStarted());
    EXPECT_TRUE(smart->IsActive());
    const CRect outer = OuterOnScreen();
    EXPECT_EQ(outer, smart->GetOuterRect());
    for (int id = 0; id < 4; ++id) {
        CKGPSmartDockingMarker* marker = smart->GetSideMarker(id);
        ASSERT_NE(nullptr, marker) << id;
        EXPECT_TRUE(marker->IsShown()) << id;
        const kgp::smartdock::Point at = kgp::smartdock::SideMarkerOrigin(
            id, BoxOf(outer), {marker->GetSize().cx, marker->GetSize().cy});
        EXPECT_EQ(CPoint(at.x, at.y), WindowOf(marker->GetWindow()).TopLeft()) << id;
    }
    EXPECT_FALSE(smart->GetCentralGroup()->IsShown()); // no pane under the cursor

    // Over the target pane: the central group stands centred on it.
    CRect targetRect;
    target->GetWindowRect(targetRect);
    MouseAt(floating, WM_MOUSEMOVE, CPoint(targetRect.left + 30, targetRect.bottom - 30));
    ASSERT_TRUE(smart->GetCentralGroup()->IsShown());
    const CRect group = smart->GetCentralGroup()->GetRect();
    EXPECT_EQ(CSize(88, 88), group.Size());
    EXPECT_EQ(targetRect.CenterPoint().x, group.CenterPoint().x);
    EXPECT_EQ(targetRect.CenterPoint().y, group.CenterPoint().y);
    EXPECT_EQ(CKGPSmartDockingManager::kNoMarker, smart->GetHotMarker());

    // On the group's right marker: it is hot and the place marker shows
    // where the pane would dock, right of the target.
    CKGPSDCentralGroupMarker* right = smart->GetCentralGroup()->GetMarker(kgp::smartdock::kGroupRight);
    ASSERT_NE(nullptr, right);
    const CPoint onRight = group.TopLeft() + right->GetOffset() + CSize(14, 14);
    MouseAt(floating, WM_MOUSEMOVE, onRight);
    EXPECT_EQ(kgp::smartdock::kGroupRight, smart->GetHotMarker());
    EXPECT_TRUE(right->IsHighlighted());
    CKGPSDPlaceMarkerWnd& place = smart->GetPlaceMarker();
    ASSERT_TRUE(place.IsShown());
    EXPECT_GE(place.GetShownRect().left, targetRect.CenterPoint().x);
    EXPECT_TRUE(place.GetShownRect().IntersectRect(place.GetShownRect(), targetRect));
    // The same place again: not painted again.
    keyloft_test::Pump(50);
    const int paints = place.GetPaintCount();
    smart->ShowPlaceMarker(place.GetShownRect());
    keyloft_test::Pump(50);
    EXPECT_EQ(paints, place.GetPaintCount());

    CRect shot = frame.ViewRect();
    frame.ClientToScreen(shot);
    shot.UnionRect(shot, targetRect);
    keyloft_test::SaveScreenArea(shot, L"smart-docking-drag.bmp");

    // Off every marker: nothing is hot and the place marker goes.
    MouseAt(floating, WM_MOUSEMOVE, CPoint(view.right - 60, view.bottom - 60));
    EXPECT_EQ(CKGPSmartDockingManager::kNoMarker, smart->GetHotMarker());
    EXPECT_FALSE(place.IsShown());
    EXPECT_FALSE(right->IsHighlighted());

    // The drag ends: every marker goes.
    floating->SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(smart->IsStarted());
    for (int id = 0; id < 4; ++id)
        EXPECT_FALSE(smart->GetSideMarker(id)->IsShown()) << id;
    EXPECT_FALSE(smart->GetCentralGroup()->IsShown());
    ExpectSoundLayout(Manager(), {target, dragged}, "after the smart drag");
}

TEST_F(SmartDockingTest, WithTheDragOutlineThePlaceMarkerStandsForTheOutlineWhileTheMarkersRun)
{
    CKGPDockingControlBar* target = nullptr;
    CKGPDockingControlBar* dragged = nullptr;
    DockTargetAndDragged(2231, target, dragged);
    ASSERT_TRUE(dragged->FloatBar(CRect(300, 200, 460, 320)));
    CKGPMiniFrameWnd* floating = dragged->GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, floating);
    CRect view = frame.ViewRect();
    frame.ClientToScreen(view);

    // Without the markers the outline is drawn.
    CKGPDragFrameImpl outline;
    outline.Init(floating);
    ::SetCursorPos(view.left + 20, view.top + 20);
    outline.StartDrag(CPoint(view.left + 20, view.top + 20));
    ::SetCursorPos(view.CenterPoint().x, view.CenterPoint().y);
    outline.MoveDragFrame(TRUE);
    EXPECT_TRUE(outline.IsFrameShown());

    // With them the outline goes, and the place marker shows where the
    // outline stands once a marker is hot.
    CKGPSmartDockingManager* smart = StartMarkersFor(floating);
    ASSERT_NE(nullptr, smart);
    outline.MoveDragFrame(TRUE);
    EXPECT_FALSE(outline.IsFrameShown());
    CKGPSDPlaceMarkerWnd& place = smart->GetPlaceMarker();
    EXPECT_FALSE(place.IsShown()); // no marker hot
    smart->SetHotMarker(kgp::smartdock::kSideLeft);
    outline.MoveDragFrame(TRUE);
    EXPECT_FALSE(outline.IsFrameShown());
    ASSERT_TRUE(place.IsShown());
    EXPECT_FALSE(place.GetShownRect().IsRectEmpty());

    // The outline's end takes the place marker with it.
    outline.EndDrawDragFrame();
    EXPECT_FALSE(place.IsShown());
    EXPECT_FALSE(outline.IsFrameShown());
    smart->Stop();
    ExpectSoundLayout(Manager(), {target, dragged}, "after the outline");
}

TEST_F(SmartDockingTest, OverAPanesCaptionTheOutlineTakesTheShapeOfATabbedPane)
{
    // The target at the bottom: its caption lies away from every dock bar.
    CKGPDockingControlBar* target = Add(2241, _T("Target"), CSize(300, 200));
    ASSERT_TRUE(target->DockToWindow(CBRS_ALIGN_BOTTOM, nullptr));
    CKGPDockingControlBar* dragged = Add(2242, _T("Dragged"), CSize(160, 120));
    ASSERT_TRUE(dragged->DockToWindow(CBRS_ALIGN_RIGHT, nullptr));
    frame.RecalcLayout();
    ASSERT_TRUE(dragged->FloatBar(CRect(300, 100, 460, 220)));
    CKGPMiniFrameWnd* floating = dragged->GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, floating);
    const CRect targetRect = WindowOf(*target);
    const CPoint onCaption(targetRect.left + 100, targetRect.top + target->GetCaptionHeight() / 2);
    const kgp::smartdock::TabbedPlace expected = CKGPSmartDockingManager::TabbedPlaceOver(target);
    ASSERT_FALSE(expected.tab.IsEmpty());
    EXPECT_EQ(targetRect.top, expected.body.top);
    EXPECT_EQ(targetRect.bottom, expected.tab.bottom) << "the tab below, in the pane's last strip";

    CKGPDragFrameImpl outline;
    outline.Init(floating);
    ::SetCursorPos(targetRect.left + 100, targetRect.top - 100);
    outline.StartDrag(CPoint(targetRect.left + 100, targetRect.top - 100));
    ::SetCursorPos(onCaption.x, onCaption.y);
    outline.MoveDragFrame(TRUE);
    ASSERT_TRUE(outline.IsFrameShown());
    ASSERT_TRUE(outline.IsTabShapeShown());
    EXPECT_EQ(expected.body, outline.GetTabbedPlace().body);
    EXPECT_EQ(expected.tab, outline.GetTabbedPlace().tab);
    keyloft_test::SaveScreenArea(targetRect, L"drag-outline-tab-shape.bmp");

    // Away from the pane: a plain rectangle again.
    CRect view = frame.ViewRect();
    frame.ClientToScreen(view);
    ::SetCursorPos(view.CenterPoint().x, view.CenterPoint().y);
    outline.MoveDragFrame(TRUE);
    EXPECT_FALSE(outline.IsTabShapeShown());
    EXPECT_TRUE(outline.IsFrameShown());

    // With the markers running the place marker takes the shape instead.
    CKGPSmartDockingManager* smart = StartMarkersFor(floating);
    ASSERT_NE(nullptr, smart);
    smart->SetHotMarker(kgp::smartdock::kGroupCentre);
    ::SetCursorPos(onCaption.x, onCaption.y);
    outline.MoveDragFrame(TRUE);
    EXPECT_FALSE(outline.IsFrameShown());
    CKGPSDPlaceMarkerWnd& place = smart->GetPlaceMarker();
    ASSERT_TRUE(place.IsShown());
    EXPECT_TRUE(place.IsTabbedShape());
    EXPECT_EQ(CRect(expected.body.left, expected.body.top, expected.body.right, expected.body.bottom),
              place.GetShownRect());
    keyloft_test::Pump(50);
    keyloft_test::SaveScreenArea(targetRect, L"place-marker-tab-shape.bmp");
    outline.EndDrawDragFrame();
    EXPECT_FALSE(place.IsShown());
    smart->Stop();
    ExpectSoundLayout(Manager(), {target, dragged}, "after the tab-shaped outline");
}

TEST_F(SmartDockingTest, ReleasedOnTheGroupsBottomMarkerThePaneDocksBelowTheTarget)
{
    CKGPDockingControlBar* target = nullptr;
    CKGPDockingControlBar* dragged = nullptr;
    DockTargetAndDragged(2221, target, dragged);
    CRect targetRect;
    target->GetWindowRect(targetRect);
    CKGPMiniFrameWnd* floating = DragAway(dragged, CPoint(targetRect.right + 150, targetRect.top + 60));
    ASSERT_NE(nullptr, floating);
    MouseAt(floating, WM_MOUSEMOVE, CPoint(targetRect.left + 30, targetRect.bottom - 30));
    CKGPSmartDockingManager* smart = Manager().GetSmartDockingManager();
    ASSERT_NE(nullptr, smart);
    CKGPSDCentralGroup* group = smart->GetCentralGroup();
    ASSERT_TRUE(group->IsShown());
    const CPoint onBottom = group->GetRect().TopLeft() +
                            group->GetMarker(kgp::smartdock::kGroupBottom)->GetOffset() + CSize(14, 14);
    MouseAt(floating, WM_MOUSEMOVE, onBottom);
    ASSERT_EQ(kgp::smartdock::kGroupBottom, smart->GetHotMarker());
    MouseAt(floating, WM_LBUTTONUP, onBottom, 0);
    keyloft_test::Pump(50);
    EXPECT_FALSE(smart->IsStarted());
    EXPECT_FALSE(dragged->IsFloating());
    EXPECT_EQ(target->GetDefaultPaneSlider(), dragged->GetDefaultPaneSlider());
    CRect above, below;
    target->GetWindowRect(above);
    dragged->GetWindowRect(below);
    EXPECT_LT(above.bottom, below.top);
    ExpectSoundLayout(Manager(), {target, dragged}, "docked below the target by its marker");
}

TEST_F(SmartDockingTest, APaneDockingOnlyLeftAndRightShowsOnlyThoseSideMarkersAndGroupMarkers)
{
    CKGPDockingControlBar* target = nullptr;
    CKGPDockingControlBar* dragged = nullptr;
    DockTargetAndDragged(2211, target, dragged, CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    CRect targetRect;
    target->GetWindowRect(targetRect);
    CKGPMiniFrameWnd* floating = DragAway(dragged, CPoint(targetRect.right + 150, targetRect.top + 60));
    ASSERT_NE(nullptr, floating);
    MouseAt(floating, WM_MOUSEMOVE, targetRect.CenterPoint() + CSize(0, 60));
    CKGPSmartDockingManager* smart = Manager().GetSmartDockingManager();
    ASSERT_NE(nullptr, smart);
    ASSERT_TRUE(smart->IsStarted());
    EXPECT_EQ(DWORD(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT), smart->GetAllowedAlignment());
    EXPECT_TRUE(smart->GetSideMarker(kgp::smartdock::kSideLeft)->IsShown());
    EXPECT_TRUE(smart->GetSideMarker(kgp::smartdock::kSideRight)->IsShown());
    EXPECT_FALSE(smart->GetSideMarker(kgp::smartdock::kSideTop)->IsShown());
    EXPECT_FALSE(smart->GetSideMarker(kgp::smartdock::kSideBottom)->IsShown());
    CKGPSDCentralGroup* group = smart->GetCentralGroup();
    ASSERT_TRUE(group->IsShown());
    EXPECT_FALSE(group->GetMarker(kgp::smartdock::kGroupTop)->IsEnabled());
    EXPECT_TRUE(group->GetMarker(kgp::smartdock::kGroupLeft)->IsEnabled());
    EXPECT_TRUE(group->GetMarker(kgp::smartdock::kGroupCentre)->IsEnabled());
    // A disabled marker is not hit: its place leaves nothing hot.
    const CPoint onTop = group->GetRect().TopLeft() + group->GetMarker(kgp::smartdock::kGroupTop)->GetOffset() +
                         CSize(14, 14);
    EXPECT_EQ(CKGPSmartDockingManager::kNoMarker, smart->OnMouseMove(onTop));
    // Without layered windows the markers take their shapes as regions.
    CKGPSmartDockingMarker* left = smart->GetSideMarker(kgp::smartdock::kSideLeft);
    if (left->UsesWindowRegion()) {
        CGdiHandle<HRGN> region(::CreateRectRgn(0, 0, 0, 0));
        EXPECT_NE(ERROR, ::GetWindowRgn(left->GetWindow().GetSafeHwnd(), region.Get()));
    } else {
        EXPECT_NE(0, left->GetWindow().GetExStyle() & WS_EX_LAYERED);
    }
    // Every side marker and enabled group marker is hit at its own place.
    for (int id : {0, 1, 4, 5, 8}) {
        CRect rect;
        if (id < 4) {
            rect = WindowOf(smart->GetSideMarker(id)->GetWindow());
        } else {
            rect = CRect(group->GetRect().TopLeft() + group->GetMarker(id)->GetOffset(),
                         group->GetMarker(id)->GetSize());
        }
        EXPECT_EQ(id, smart->OnMouseMove(rect.CenterPoint())) << id;
    }
    floating->SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(smart->IsStarted());
}

} // namespace
