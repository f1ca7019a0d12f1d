// Auto-hidden panes in a test frame with auto-hide strips: a pane pinned to
// its edge leaves its tree for a button on the strip, slides out beside the
// strip and back, slides out when the mouse rests on its button and back in
// once the mouse has left it, and comes back to its place when unpinned;
// the whole layout checked after every step.
#include <gtest/gtest.h>

#include "guilib/core/KGPVisualManager2003.h"
#include "guilib/docking/KGPAutoHideButton.h"
#include "guilib/docking/KGPAutoHideDockBar.h"
#include "guilib/docking/KGPAutoHideToolBar.h"
#include "guilib/docking/KGPCaptionButton.h"
#include "guilib/docking/KGPDockManager.h"
#include "tests/guilib_docking/DockLayoutSnapshot.h"
#include "tests/guilib_docking/DockingTestFrame.h"
#include "tests/guilib_docking/PaneTestSupport.h"
#include "tests/support/Dib.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

namespace {

using namespace docking_test;

class AutoHideTest : public PaneFrameFixture<CTestFrame> {
protected:
    void SetUp() override
    {
        PaneFrameFixture<CTestFrame>::SetUp();
        ASSERT_TRUE(Manager().EnableAutoHideBars(CBRS_ALIGN_ANY));
        frame.RecalcLayout();
    }
    CKGPDockManager& Manager() { return *frame.GetDockManager(); }
    CKGPAutoHideDockBar* Strip(DWORD alignment)
    {
        return DYNAMIC_DOWNCAST(CKGPAutoHideDockBar, Manager().FindDockBar(alignment, FALSE));
    }
    // Pumps until the condition holds (at most a few seconds: a wait, not a
    // measure of speed).
    template <class Condition>
    static bool PumpUntil(Condition condition)
    {
        for (int i = 0; i < 400 && !condition(); ++i)
            keyloft_test::Pump(10);
        return condition();
    }
    void ExpectSound(std::initializer_list<CKGPBaseControlBar*> bars, const char* step)
    {
        ExpectSoundLayout(Manager(), bars, step);
    }
};

TEST_F(AutoHideTest, APinnedPaneStandsAsAButtonOnItsStripAndComesBackWhenUnpinned)
{
    CKGPDockingControlBar* a = Add(2101, _T("Solution"));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* b = Add(2102, _T("Classes"), CSize(160, 120));
    ASSERT_TRUE(b->DockToBar(a, CBRS_ALIGN_BOTTOM));
    frame.RecalcLayout();
    ExpectSound({a, b}, "two panes docked left");
    EXPECT_TRUE(a->CanAutoHide());
    const int viewLeftDocked = frame.ViewRect().left;

    CKGPAutoHideToolBar* toolbar = a->SetAutoHideMode(TRUE, CBRS_ALIGN_LEFT, nullptr, FALSE);
    ASSERT_NE(nullptr, toolbar);
    EXPECT_TRUE(a->IsAutoHideMode());
    EXPECT_FALSE(a->IsWindowVisible()); // hidden at once without the timer
    EXPECT_EQ(toolbar, a->GetAutoHideToolBar());
    ASSERT_NE(nullptr, a->GetAutoHideButton());
    EXPECT_EQ(1, toolbar->GetButtonCount());
    EXPECT_EQ(a, toolbar->GetFirstAttachedPane());
    EXPECT_EQ(Strip(CBRS_ALIGN_LEFT), toolbar->GetParentDockBar());
    EXPECT_TRUE(toolbar->IsWindowVisible());
    EXPECT_EQ(1, Manager().GetAutoHideBars().GetCount());
    CObList listed;
    Manager().GetControlBarList(listed, TRUE);
    EXPECT_NE(nullptr, listed.Find(a)) << "an auto-hidden pane is listed in its slider's stead";
    EXPECT_EQ(nullptr, listed.Find(Manager().GetAutoHideBars().GetHead()));
    ExpectSound({a, b}, "the first pane auto-hidden");
    // The other pane took the whole tree; the strip stands at the frame's
    // edge, and the view starts after the tree beside it.
    EXPECT_GT(Height(b), 300);
    const CRect leftStrip = ClientRectIn(Strip(CBRS_ALIGN_LEFT), &frame);
    EXPECT_GT(leftStrip.Width(), 0);
    EXPECT_EQ(viewLeftDocked + leftStrip.Width(), frame.ViewRect().left);
    // A vertical strip: the button's text runs down it.
    EXPECT_GT(toolbar->FindButtonByPane(a)->GetRect().Height(), toolbar->FindButtonByPane(a)->GetRect().Width());

    // Slid out at once, beside the strip, and back.
    a->Slide(TRUE, FALSE);
    EXPECT_TRUE(a->IsWindowVisible());
    CRect strip = ClientRectIn(Strip(CBRS_ALIGN_LEFT), &frame);
    CRect pane = ClientRectIn(a, &frame);
    EXPECT_EQ(strip.right, pane.left);
    EXPECT_EQ(160, pane.Width());
    ExpectSound({a, b}, "slid out");
    // Moved off its place and narrowed, the pane comes back against the edge
    // with its slider: moved as they are (at their sizes and distance), or
    // laid out by the slider, which stands beside the pane again; along the
    // edge both take the docked area's length.
    CKGPSlider* slider = a->GetDefaultPaneSlider();
    const CRect sliderSlid = ClientRectIn(slider, &frame);
    auto moveOff = [&] {
        a->SetWindowPos(HWND{}, pane.left + 30, pane.top + 20, pane.Width() - 20, pane.Height() - 10,
                        SWP_NOZORDER | SWP_NOACTIVATE);
        slider->SetWindowPos(HWND{}, sliderSlid.left + 30, sliderSlid.top + 20, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    const CRect narrowed(pane.left, pane.top, pane.right - 20, pane.bottom);
    moveOff();
    Manager().AlignAutoHideBar(slider, FALSE);
    EXPECT_EQ(narrowed, ClientRectIn(a, &frame));
    EXPECT_EQ(sliderSlid, ClientRectIn(slider, &frame));
    moveOff();
    Manager().AlignAutoHideBar(slider, TRUE);
    EXPECT_EQ(narrowed, ClientRectIn(a, &frame));
    EXPECT_EQ(CRect(narrowed.right, sliderSlid.top, narrowed.right + sliderSlid.Width(), sliderSlid.bottom),
              ClientRectIn(slider, &frame));
    a->Slide(FALSE, FALSE);
    EXPECT_FALSE(a->IsWindowVisible());

    // Unpinned: back at its place in the tree (above the other), the toolbar gone.
    a->SetAutoHideMode(FALSE, CBRS_ALIGN_LEFT);
    EXPECT_FALSE(a->IsAutoHideMode());
    EXPECT_TRUE(a->IsWindowVisible());
    EXPECT_EQ(nullptr, a->GetAutoHideToolBar());
    EXPECT_EQ(0, Strip(CBRS_ALIGN_LEFT)->GetControlBars().GetCount());
    EXPECT_EQ(0, Manager().GetAutoHideBars().GetCount());
    ASSERT_NE(nullptr, a->GetDefaultPaneSlider());
    EXPECT_EQ(b->GetDefaultPaneSlider(), a->GetDefaultPaneSlider());
    EXPECT_LT(ClientRectIn(a, &frame).bottom, ClientRectIn(b, &frame).top);
    ExpectSound({a, b}, "unpinned");
    ExpectSoundTree(a->GetDefaultPaneSlider(), "unpinned");
}

TEST_F(AutoHideTest, APanePinnedWithTheTimerSlidesIntoItsStripAtOnceAndTheFrameTakesTheFocus)
{
    CKGPDockingControlBar* a = Add(2115, _T("Output"), CSize(200, 120));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_BOTTOM, nullptr));
    frame.RecalcLayout();
    frame.m_view.SetFocus();
    CRect viewScreen = frame.ViewRect();
    frame.ClientToScreen(viewScreen);
    ::SetCursorPos(viewScreen.right - 10, viewScreen.top + 10); // the mouse away from the pane

    CKGPAutoHideToolBar* toolbar = a->SetAutoHideMode(TRUE, CBRS_ALIGN_BOTTOM);
    ASSERT_NE(nullptr, toolbar);
    EXPECT_EQ(frame.m_hWnd, ::GetFocus()) << "the frame takes the focus";
    EXPECT_TRUE(a->IsSliding()) << "sliding in, step by step";
    EXPECT_TRUE(a->IsWindowVisible());
    ASSERT_TRUE(PumpUntil([&] { return !a->IsWindowVisible() && !a->IsSliding(); }));
    EXPECT_FALSE(a->GetDefaultPaneSlider()->IsWindowVisible());
    EXPECT_TRUE(toolbar->IsWindowVisible());
    ExpectSound({a}, "slid into its strip");
}

TEST_F(AutoHideTest, RestingOnTheButtonSlidesThePaneOutAndLeavingItSlidesItBack)
{
    CKGPDockingControlBar* a = Add(2111, _T("Output"), CSize(200, 120));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_BOTTOM, nullptr));
    frame.RecalcLayout();
    CKGPAutoHideToolBar* toolbar = a->SetAutoHideMode(TRUE, CBRS_ALIGN_BOTTOM, nullptr, FALSE);
    ASSERT_NE(nullptr, toolbar);
    ASSERT_FALSE(a->IsWindowVisible());
    ExpectSound({a}, "pinned at the bottom");

    // The mouse rests on the button: after the hover delay the pane slides
    // out of the strip, step by step, to stand right above it.
    CRect button = toolbar->FindButtonByPane(a)->GetRect();
    CPoint over = button.CenterPoint();
    CPoint screen = over;
    toolbar->ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    toolbar->SendMessage(WM_MOUSEMOVE, 0, keyloft_test::PointParam(over.x, over.y));
    ASSERT_TRUE(PumpUntil([&] { return a->IsWindowVisible() && !a->IsSliding(); }));
    const CRect strip = ClientRectIn(Strip(CBRS_ALIGN_BOTTOM), &frame);
    const CRect pane = ClientRectIn(a, &frame);
    EXPECT_EQ(strip.top, pane.bottom);
    EXPECT_EQ(pane.top, ClientRectIn(a->GetDefaultPaneSlider(), &frame).bottom);
    EXPECT_EQ(120, pane.Height());
    EXPECT_TRUE(toolbar->IsActiveToolBar());
    // Its caption offers the pin that brings it back.
    ASSERT_NE(nullptr, a->FindCaptionButton(KGP_PANE_HIT_PIN));
    EXPECT_FALSE(a->FindCaptionButton(KGP_PANE_HIT_PIN)->m_bHidden);
    ExpectSound({a}, "slid out by the hover");

    ASSERT_TRUE(CKGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKGPVisualManager2003)));
    frame.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    keyloft_test::Pump(100);
    keyloft_test::SaveScreenshot(frame.m_hWnd, L"autohide-slid-out.bmp");
    CKGPVisualManager::SetDefaultManager(nullptr);

    // While the mouse is over the pane it stays; once it has left both the
    // pane and the button, the check slides it back in.
    CRect paneScreen;
    a->GetWindowRect(paneScreen);
    ::SetCursorPos(paneScreen.CenterPoint().x, paneScreen.CenterPoint().y);
    keyloft_test::Pump(900);
    EXPECT_TRUE(a->IsWindowVisible());
    CRect viewScreen = frame.ViewRect();
    frame.ClientToScreen(viewScreen);
    ::SetCursorPos(viewScreen.right - 10, viewScreen.top + 10);
    ASSERT_TRUE(PumpUntil([&] { return !a->IsWindowVisible(); }));
    EXPECT_TRUE(a->IsAutoHideMode());
    ExpectSound({a}, "slid back in");
}

TEST_F(AutoHideTest, PanesPinnedTogetherShareAToolbarAndAPaneGoneTakesItsButton)
{
    CKGPDockingControlBar* a = Add(2121, _T("One"));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_RIGHT, nullptr));
    CKGPDockingControlBar* b = Add(2122, _T("Two"));
    ASSERT_TRUE(b->DockToBar(a, CBRS_ALIGN_BOTTOM));
    frame.RecalcLayout();
    CKGPAutoHideToolBar* toolbar = a->SetAutoHideMode(TRUE, CBRS_ALIGN_RIGHT, nullptr, FALSE);
    ASSERT_NE(nullptr, toolbar);
    EXPECT_EQ(toolbar, b->SetAutoHideMode(TRUE, CBRS_ALIGN_RIGHT, toolbar, FALSE));
    EXPECT_EQ(2, toolbar->GetButtonCount());
    // The two buttons lie one below the other.
    EXPECT_EQ(toolbar->FindButtonByPane(a)->GetRect().bottom, toolbar->FindButtonByPane(b)->GetRect().top);
    ExpectSound({a, b}, "both pinned on one toolbar");
    // The first strip on the right gets a row marked as a right strip's.
    const CObList& rows = Strip(CBRS_ALIGN_RIGHT)->GetRows();
    ASSERT_EQ(1, rows.GetCount());
    EXPECT_EQ(1, static_cast<CKGPDockBarRow*>(rows.GetHead())->m_nFirstRowMark);

    // A pinned pane destroyed: its button and slider go; the other stays.
    const HWND hToolbar = toolbar->GetSafeHwnd();
    a->DestroyWindow();
    panes.erase(panes.begin());
    EXPECT_EQ(1, toolbar->GetButtonCount());
    EXPECT_EQ(1, Manager().GetAutoHideBars().GetCount());
    ExpectSound({b}, "the first pane destroyed");
    // The last unpinned: the toolbar goes with its last button, and the pane
    // takes its side of the tree back from the empty sub-tree the first left.
    b->SetAutoHideMode(FALSE, CBRS_ALIGN_RIGHT);
    EXPECT_FALSE(::IsWindow(hToolbar));
    ExpectSound({b}, "the second pane unpinned");
}

// A look of the overlapping button style whose faces take their pane's
// colour and which draws no frame.
class COverlappingButtonsLook : public CKGPVisualManager {
    DECLARE_DYNCREATE(COverlappingButtonsLook)
public:
    static COLORREF FaceOf(UINT id) { return id % 2 == 0 ? RGB(200, 0, 0) : RGB(0, 0, 200); }
    BOOL UsesAutoHideButtonStyle() const override { return TRUE; }
    void FillAutoHideButtonFace(CDC* pDC, CRect rect, CKGPAutoHideButton* pButton) override
    {
        pDC->FillSolidRect(rect, FaceOf(static_cast<UINT>(pButton->GetAutoHideWindow()->GetDlgCtrlID())));
    }
    void DrawAutoHideButtonFrame(CDC*, CRect, CRect, CKGPAutoHideButton*) override {}
    COLORREF AutoHideButtonTextColour(CKGPAutoHideButton*) const override { return RGB(0, 0, 0); }
};
IMPLEMENT_DYNCREATE(COverlappingButtonsLook, CKGPVisualManager)

// The buttons of a toolbar as they draw themselves, in order, on a white
// picture of the toolbar's size.
std::vector<DWORD> DrawButtons(CKGPAutoHideToolBar* toolbar, std::initializer_list<CKGPDockingControlBar*> panes,
                               CSize& size)
{
    size = toolbar->CalcFixedLayout(FALSE, toolbar->IsHorizontal());
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    CGdiHandle<HBITMAP> bitmap(keyloft_test::CreateTopDown32BitDib(dc.m_hDC, size.cx, size.cy, &bits));
    CSelectionScope selected(dc.m_hDC, bitmap.Get());
    dc.FillSolidRect(0, 0, size.cx, size.cy, RGB(255, 255, 255));
    for (CKGPDockingControlBar* pane : panes)
        toolbar->FindButtonByPane(pane)->OnDraw(&dc);
    ::GdiFlush();
    const DWORD* pixels = static_cast<const DWORD*>(bits);
    return std::vector<DWORD>(pixels, pixels + size.cx * size.cy);
}

// In the overlapping style a toolbar that continues a group draws each button
// reaching over the one before it; the title keeps off the overlapped end;
// a button without an icon shows its title even on an inactive toolbar.
TEST_F(AutoHideTest, TheOverlappingButtonStyleReachesOverTheNeighbourAndIconlessButtonsKeepTheirTitles)
{
    CKGPDockingControlBar* a = Add(2141, _T("Alpha"));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_BOTTOM, nullptr));
    CKGPDockingControlBar* b = Add(2142, _T("Beta"));
    ASSERT_TRUE(b->DockToBar(a, CBRS_ALIGN_RIGHT));
    frame.RecalcLayout();
    CRuntimeClass* pLook = CKGPVisualManager::GetInstance()->GetRuntimeClass();
    ASSERT_TRUE(CKGPVisualManager::SetDefaultManager(RUNTIME_CLASS(COverlappingButtonsLook)));
    CKGPAutoHideToolBar* toolbar = a->SetAutoHideMode(TRUE, CBRS_ALIGN_BOTTOM, nullptr, FALSE);
    ASSERT_NE(nullptr, toolbar);
    ASSERT_EQ(toolbar, b->SetAutoHideMode(TRUE, CBRS_ALIGN_BOTTOM, toolbar, FALSE));
    ExpectSound({a, b}, "two panes pinned at the bottom in the overlapping style");

    CSize size;
    const CRect first = toolbar->FindButtonByPane(a)->GetRect();
    const CPoint firstsEnd(first.right - 2, first.CenterPoint().y);
    auto at = [&](const std::vector<DWORD>& pixels, CPoint point) {
        return pixels[static_cast<size_t>(point.y * size.cx + point.x)];
    };
    auto rgb = [](COLORREF colour) { return static_cast<DWORD>(RGB(GetBValue(colour), GetGValue(colour), GetRValue(colour))); };
    std::vector<DWORD> pixels = DrawButtons(toolbar, {a, b}, size);
    EXPECT_EQ(rgb(COverlappingButtonsLook::FaceOf(2141)), at(pixels, firstsEnd)) << "a group's first toolbar";
    toolbar->m_bGroupStart = FALSE;
    pixels = DrawButtons(toolbar, {a, b}, size);
    EXPECT_EQ(rgb(COverlappingButtonsLook::FaceOf(2142)), at(pixels, firstsEnd))
        << "the second button reaches over the end of the first";
    toolbar->m_bGroupStart = TRUE;

    // The titles (black) lie in each button's first part, none in its last
    // two thirds of the thickness; an inactive toolbar's buttons, which have
    // no icon, keep them.
    auto titleSpan = [&](const std::vector<DWORD>& drawn, const CRect& button) {
        int left = INT_MAX, right = INT_MIN;
        for (int y = button.top; y < button.bottom; ++y)
            for (int x = button.left; x < button.right; ++x)
                if (at(drawn, CPoint(x, y)) == 0) {
                    left = (std::min)(left, x);
                    right = (std::max)(right, x);
                }
        return std::make_pair(left, right);
    };
    pixels = DrawButtons(toolbar, {a}, size);
    const auto active = titleSpan(pixels, first);
    ASSERT_NE(INT_MAX, active.first) << "the active toolbar's title";
    EXPECT_LT(active.second, first.right - 2 * first.Height() / 3);
    toolbar->SetActiveInGroup(FALSE);
    pixels = DrawButtons(toolbar, {a}, size);
    EXPECT_NE(INT_MAX, titleSpan(pixels, toolbar->FindButtonByPane(a)->GetRect()).first)
        << "a button without an icon shows its title on an inactive toolbar";
    ASSERT_TRUE(CKGPVisualManager::SetDefaultManager(pLook));
}

TEST_F(AutoHideTest, ClosingAnAutoHiddenPaneUnpinsAndHidesItAndHidingAllBarsHidesItsButton)
{
    CKGPDockingControlBar* a = Add(2141, _T("Closed"));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* b = Add(2142, _T("Kept"));
    ASSERT_TRUE(b->DockToWindow(CBRS_ALIGN_TOP, nullptr));
    frame.RecalcLayout();
    CKGPAutoHideToolBar* toolbar = b->SetAutoHideMode(TRUE, CBRS_ALIGN_TOP, nullptr, FALSE);
    ASSERT_NE(nullptr, toolbar);
    CKGPAutoHideButton* button = toolbar->FindButtonByPane(b);
    ASSERT_NE(nullptr, button);

    // While all bars are hidden and shown (the switch on), the button follows.
    CKGPDockingControlBar::s_bAutoHideSwitch = TRUE;
    b->ShowPane(FALSE, FALSE, FALSE);
    EXPECT_FALSE(button->IsVisible());
    EXPECT_EQ(0, toolbar->GetVisibleButtonsCount());
    b->ShowPane(TRUE, FALSE, FALSE);
    EXPECT_TRUE(button->IsVisible());
    CKGPDockingControlBar::s_bAutoHideSwitch = FALSE;
    // Otherwise hiding it leaves it under its strip, and showing it slides it
    // out; hiding it then puts it back at once.
    b->ShowPane(FALSE, FALSE, FALSE);
    keyloft_test::Pump(50);
    EXPECT_FALSE(b->IsWindowVisible());
    b->ShowPane(TRUE, FALSE, FALSE);
    EXPECT_TRUE(PumpUntil([&] { return b->IsWindowVisible() && !b->IsSliding(); }));
    ExpectSound({a, b}, "shown out of its strip");
    b->ShowPane(FALSE, FALSE, FALSE);
    EXPECT_FALSE(b->IsWindowVisible());
    b->ShowPane(TRUE, FALSE, FALSE);
    EXPECT_TRUE(PumpUntil([&] { return b->IsWindowVisible() && !b->IsSliding(); }));

    // Its close button: back to its place, hidden there; its button gone.
    const HWND hToolbar = toolbar->GetSafeHwnd();
    b->OnPressCloseButton();
    EXPECT_FALSE(b->IsAutoHideMode());
    EXPECT_FALSE(b->IsWindowVisible());
    EXPECT_FALSE(::IsWindow(hToolbar));
    ExpectSound({a, b}, "closed");
    b->ShowPane(TRUE, FALSE, FALSE);
    EXPECT_TRUE(b->IsWindowVisible());
    EXPECT_EQ(DWORD(CBRS_ALIGN_TOP), b->GetCurrentAlignment());
    ExpectSound({a, b}, "shown again at its place");
}

TEST_F(AutoHideTest, ATabbedPaneAutoHidesAsOneButtonPerTabOnOneToolbarAndEachTabComesBackToItsPlace)
{
    CKGPDockingControlBar* a = Add(2151, _T("Output"));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
    CKGPDockingControlBar* b = Add(2152, _T("Watch"));
    CKGPDockingControlBar* c = Add(2153, _T("Locals"));
    CKGPDockingControlBar* tabbed = nullptr;
    ASSERT_NE(nullptr, b->AttachToTabWnd(a, KGP_DM_UNKNOWN, TRUE, &tabbed));
    ASSERT_NE(nullptr, tabbed);
    ASSERT_NE(nullptr, c->AttachToTabWnd(tabbed, KGP_DM_UNKNOWN, FALSE));
    frame.RecalcLayout();
    ExpectSound({a, b, c, tabbed}, "three panes tabbed at the left, the second active");
    EXPECT_FALSE(a->CanAutoHide()); // a tab goes with its tabbed pane
    ASSERT_TRUE(tabbed->CanAutoHide());
    const HWND hTabbed = tabbed->GetSafeHwnd();

    // Each tab stands as its own button, in tab order, on one toolbar; the
    // tabbed pane, left empty, goes.
    CKGPAutoHideToolBar* toolbar = tabbed->SetAutoHideMode(TRUE, CBRS_ALIGN_LEFT, nullptr, FALSE);
    ASSERT_NE(nullptr, toolbar);
    const HWND hToolBar = toolbar->GetSafeHwnd();
    EXPECT_FALSE(::IsWindow(hTabbed));
    EXPECT_EQ(3, toolbar->GetButtonCount());
    EXPECT_EQ(a, toolbar->GetFirstAttachedPane());
    EXPECT_EQ(c, toolbar->GetLastAttachedPane());
    EXPECT_TRUE(toolbar->IsActiveToolBar());
    // The button of the tab that was active stands on top of the others.
    EXPECT_TRUE(toolbar->FindButtonByPane(b)->IsTop());
    EXPECT_FALSE(toolbar->FindButtonByPane(a)->IsTop());
    EXPECT_FALSE(toolbar->FindButtonByPane(c)->IsTop());
    for (CKGPDockingControlBar* pane : {a, b, c}) {
        EXPECT_TRUE(pane->IsAutoHideMode()) << pane->GetDlgCtrlID();
        EXPECT_FALSE(pane->IsTabbed()) << pane->GetDlgCtrlID();
        EXPECT_EQ(toolbar, pane->GetAutoHideToolBar()) << pane->GetDlgCtrlID();
        EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_LEFT), pane->GetCurrentAlignment()) << pane->GetDlgCtrlID();
        EXPECT_FALSE(pane->IsWindowVisible()) << pane->GetDlgCtrlID();
    }
    ExpectSound({a, b, c}, "the tabbed pane auto-hidden as three buttons");
    b->Slide(TRUE, FALSE);
    EXPECT_TRUE(b->IsWindowVisible());
    EXPECT_FALSE(a->IsWindowVisible());
    ExpectSound({a, b, c}, "one tab slid out");

    // Unpinned, each comes back docked at the left edge the tabbed pane held.
    for (CKGPDockingControlBar* pane : {b, a, c}) {
        pane->SetAutoHideMode(FALSE, CBRS_ALIGN_LEFT);
        EXPECT_FALSE(pane->IsAutoHideMode()) << pane->GetDlgCtrlID();
        EXPECT_TRUE(pane->IsWindowVisible()) << pane->GetDlgCtrlID();
        ASSERT_NE(nullptr, pane->GetDefaultPaneSlider()) << pane->GetDlgCtrlID();
        EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_LEFT), pane->GetDefaultPaneSlider()->GetCurrentAlignment());
        ExpectSound({a, b, c}, "a tab unpinned");
    }
    EXPECT_FALSE(::IsWindow(hToolBar)); // it went with its last button
}

TEST_F(AutoHideTest, ATabbedPaneAutoHiddenKeepsItsHiddenTabsHiddenInItsPlace)
{
    CKGPDockingControlBar* a = Add(2161, _T("Shown"));
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_RIGHT, nullptr));
    CKGPDockingControlBar* b = Add(2162, _T("Hidden"));
    CKGPDockingControlBar* tabbed = nullptr;
    ASSERT_NE(nullptr, b->AttachToTabWnd(a, KGP_DM_UNKNOWN, TRUE, &tabbed));
    ASSERT_NE(nullptr, tabbed);
    b->ShowPane(FALSE, FALSE, FALSE);
    frame.RecalcLayout();

    // The shown tab goes to the strip; the hidden one stays, its tabbed pane
    // hidden with it in the tree.
    CKGPAutoHideToolBar* toolbar = tabbed->SetAutoHideMode(TRUE, CBRS_ALIGN_RIGHT, nullptr, FALSE);
    ASSERT_NE(nullptr, toolbar);
    EXPECT_EQ(1, toolbar->GetButtonCount());
    EXPECT_TRUE(a->IsAutoHideMode());
    EXPECT_TRUE(b->IsTabbed());
    EXPECT_EQ(tabbed, b->GetParentTabbedBar());
    EXPECT_FALSE(tabbed->IsAutoHideMode());
    EXPECT_FALSE(tabbed->IsWindowVisible());
    ExpectSound({a, b, tabbed}, "a hidden tab kept");

    // Unpinned, the tab that went comes back docked at the right edge.
    a->SetAutoHideMode(FALSE, CBRS_ALIGN_RIGHT);
    EXPECT_FALSE(a->IsAutoHideMode());
    EXPECT_TRUE(a->IsWindowVisible());
    ASSERT_NE(nullptr, a->GetDefaultPaneSlider());
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_RIGHT), a->GetDefaultPaneSlider()->GetCurrentAlignment());
    EXPECT_EQ(tabbed, b->GetParentTabbedBar());
    ExpectSound({a, b, tabbed}, "the shown tab back");
}

TEST_F(AutoHideTest, APaneCannotAutoHideFloatingOrWithoutAStripAtItsEdge)
{
    CKGPDockingControlBar* a = Add(2131, _T("Loose"));
    EXPECT_FALSE(a->CanAutoHide()); // docked nowhere yet
    ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_TOP, nullptr));
    EXPECT_TRUE(a->CanAutoHide());
    ASSERT_TRUE(a->FloatBar(CRect(200, 200, 400, 400), KGP_DM_UNKNOWN));
    EXPECT_FALSE(a->CanAutoHide());
    EXPECT_EQ(nullptr, a->SetAutoHideMode(TRUE, CBRS_ALIGN_LEFT, nullptr, FALSE));
    EXPECT_FALSE(a->IsAutoHideMode());
    ExpectSound({a}, "floating, not pinned");
}

} // namespace
