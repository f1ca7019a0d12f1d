// Auto-hidden panes as the user meets them: resting the mouse on a pane's tab
// on the strip slides the pane out, and it slides back once the mouse has
// left it; a click on the tab slides it out too. A pane pinned by its pin
// button goes to a tab that does the same; one auto-hidden at the end comes
// back on its strip at the next start.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPAutoHideButton.h"
#include "guilib/docking/KGPAutoHideToolBar.h"
#include "guilib/docking/KGPBaseTabbedBar.h"
#include "guilib/docking/KGPSlider.h"

namespace {

// The middle of the pane's tab on its strip (screen), (-1, -1) without one.
CPoint TabPoint(const CKGPDockingControlBar& pane)
{
    CKGPAutoHideToolBar* toolbar = pane.GetAutoHideToolBar();
    CKGPAutoHideButton* button = pane.GetAutoHideButton();
    if (toolbar == nullptr || button == nullptr || toolbar->GetSafeHwnd() == nullptr)
        return CPoint(-1, -1);
    CRect rect = button->GetRect();
    toolbar->ClientToScreen(rect);
    return rect.CenterPoint();
}

// Out: shown over what lies there, wholly beside its strip.
bool IsSlidOut(const CKGPDockingControlBar& pane)
{
    const CKGPAutoHideToolBar* strip = pane.GetAutoHideToolBar();
    const CRect rect = apphost::ScreenRect(pane);
    if (strip == nullptr || !apphost::IsShown(pane) || !apphost::ShowsAt(pane.GetSafeHwnd(), rect.CenterPoint()))
        return false;
    const CRect bar = apphost::ScreenRect(*strip);
    switch (pane.GetCurrentAlignment()) {
    case CBRS_ALIGN_LEFT:
        return rect.left >= bar.right - 1;
    case CBRS_ALIGN_RIGHT:
        return rect.right <= bar.left + 1;
    case CBRS_ALIGN_TOP:
        return rect.top >= bar.bottom - 1;
    default:
        return rect.bottom <= bar.top + 1;
    }
}

// A point of the pane's pin button on its caption, (-1, -1) without one.
CPoint PinPoint(CKGPDockingControlBar& pane)
{
    const CRect rect = apphost::ScreenRect(pane);
    for (int x = rect.right - 2; x > rect.right - 60; --x) {
        for (int y = rect.top; y < rect.top + 24; ++y) {
            if (pane.HitTest(CPoint(x, y)) == KGP_PANE_HIT_PIN)
                return CPoint(x - 3, y + 3);
        }
    }
    return CPoint(-1, -1);
}

// Slid out by resting the mouse on its tab: true once it stands out.
bool SlideOut(CKGPDockingControlBar& pane)
{
    const CPoint tab = TabPoint(pane);
    if (tab == CPoint(-1, -1))
        return false;
    return apphost::Perform([&](apphost::CGestures& user) {
               user.MoveTo(tab - CSize(0, 4));
               user.DragTo(tab, 3);
           }) &&
           apphost::WaitUntil([&] { return IsSlidOut(pane); }, 3000);
}

// Unpinned by a click on its pin (slid out): true once it is docked and shown.
bool Unpin(CKGPDockingControlBar& pane)
{
    const CPoint unpin = PinPoint(pane);
    if (unpin == CPoint(-1, -1))
        return false;
    return apphost::Perform([&](apphost::CGestures& user) {
               user.MoveTo(unpin);
               user.Pause(30);
               user.Click(unpin);
           }) &&
           apphost::WaitUntil([&] { return !pane.IsAutoHideMode() && apphost::IsShown(pane); }, 3000);
}

} // namespace

TEST_F(AppHostTest, RestingOnAnAutoHiddenPanesTabSlidesItOutAndLeavingItSlidesItBack)
{
    CHostMainFrame& frame = Frame();
    CKGPDockingControlBar& pane = frame.m_wndProperties;
    ASSERT_TRUE(pane.IsAutoHideMode());
    ASSERT_FALSE(apphost::IsShown(pane));
    const CPoint tab = TabPoint(pane);
    ASSERT_NE(CPoint(-1, -1), tab);
    const CPoint away = apphost::ScreenRect(frame.m_hWndMDIClient).TopLeft() + CSize(30, 60);

    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(tab - CSize(0, 4));
        user.DragTo(tab, 3);
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return IsSlidOut(pane); }, 3000)) << "out after resting on its tab";
    apphost::Screenshot(L"apphost_autohide_out.bmp");

    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.DragTo(away, 6); }));
    EXPECT_TRUE(apphost::WaitUntil([&] { return !apphost::IsShown(pane); }, 4000)) << "back once the mouse left";
    EXPECT_TRUE(pane.IsAutoHideMode());

    // A click on the tab slides it out as well.
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(tab); }));
    EXPECT_TRUE(apphost::WaitUntil([&] { return IsSlidOut(pane); }, 3000)) << "out after a click on its tab";
}

TEST_F(AppHostTest, APanePinnedByItsPinButtonSlidesOutFromItsTab)
{
    CHostMainFrame& frame = Frame();
    CKGPDockingControlBar& pane = frame.m_wndOutput;
    const CPoint pin = PinPoint(pane);
    ASSERT_NE(CPoint(-1, -1), pin) << "the pane shows a pin button";
    const CPoint away = apphost::ScreenRect(frame.m_hWndMDIClient).TopLeft() + CSize(30, 60);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Click(pin);
        user.DragTo(away, 6);
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return pane.IsAutoHideMode() && !apphost::IsShown(pane); }, 4000))
        << "pinned, it slides in once the mouse has left it: only its tab stays";
    const CPoint tab = TabPoint(pane);
    ASSERT_NE(CPoint(-1, -1), tab);

    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(tab - CSize(4, 0));
        user.DragTo(tab, 3);
    }));
    EXPECT_TRUE(apphost::WaitUntil([&] { return IsSlidOut(pane); }, 3000)) << "out after resting on its tab";
}

TEST_F(AppHostTest, HoveringAStripStillWorksAfterAButtonWentDuringTheWait)
{
    CHostMainFrame& frame = Frame();
    // The tabbed pair pinned by its pin button: one toolbar, a button per pane.
    auto* tabbed = DYNAMIC_DOWNCAST(CKGPDockingControlBar, frame.m_wndFiles.GetParentTabbedBar());
    ASSERT_NE(nullptr, tabbed);
    const CPoint pin = PinPoint(*tabbed);
    ASSERT_NE(CPoint(-1, -1), pin);
    const CPoint away = apphost::ScreenRect(frame.m_hWndMDIClient).TopLeft() + CSize(30, 60);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Click(pin);
        user.DragTo(away, 6);
    }));
    CKGPDockingControlBar& files = frame.m_wndFiles;
    CKGPDockingControlBar& classes = frame.m_wndClasses;
    ASSERT_TRUE(apphost::WaitUntil([&] {
        return files.IsAutoHideMode() && classes.IsAutoHideMode() && !apphost::IsShown(files) &&
               !apphost::IsShown(classes);
    }, 4000));
    ASSERT_EQ(files.GetAutoHideToolBar(), classes.GetAutoHideToolBar());

    // The mouse comes to rest on Files' tab; before the wait is over the
    // application takes Classes off the strip.
    const CPoint tab = TabPoint(files);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(tab - CSize(0, 4));
        user.DragTo(tab, 2);
    }));
    classes.SetAutoHideMode(FALSE, CBRS_ALIGN_RIGHT);
    ASSERT_FALSE(classes.IsAutoHideMode());
    apphost::PumpFor(0);

    // Hovering the strip goes on working: away, and back to rest on Files' tab.
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.DragTo(away, 4); }));
    const CPoint again = TabPoint(files);
    ASSERT_NE(CPoint(-1, -1), again);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(again - CSize(0, 4));
        user.DragTo(again, 2);
    }));
    EXPECT_TRUE(apphost::WaitUntil([&] { return IsSlidOut(files); }, 3000)) << "out after resting on its tab";
}

// A pane the application pinned to its strip, slid out and unpinned by its
// pin button, docks at its edge with its pin on its caption at once (its
// caption used to be laid out before it stood in its tree, as a pane that
// cannot auto-hide, and kept no pin until some later layout).
TEST_F(AppHostTest, APaneUnpinnedByItsPinButtonShowsItsPinAgain)
{
    CHostMainFrame& frame = Frame();
    CKGPDockingControlBar& pane = frame.m_wndProperties;
    ASSERT_TRUE(pane.IsAutoHideMode());
    ASSERT_TRUE(SlideOut(pane));
    ASSERT_TRUE(Unpin(pane)) << "slid out, it shows its pin and docks again by it";
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_RIGHT), pane.GetCurrentAlignment());
    EXPECT_NE(nullptr, pane.GetDefaultPaneSlider()) << "in its edge's tree";
    EXPECT_NE(CPoint(-1, -1), PinPoint(pane)) << "its pin shows on its caption";
    apphost::Screenshot(L"apphost_autohide_unpinned.bmp");

    // Pinned again by that pin, it goes back to its strip.
    const CPoint pin = PinPoint(pane);
    const CPoint away = apphost::ScreenRect(frame.m_hWndMDIClient).TopLeft() + CSize(30, 60);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Click(pin);
        user.DragTo(away, 6);
    }));
    EXPECT_TRUE(apphost::WaitUntil([&] { return pane.IsAutoHideMode() && !apphost::IsShown(pane); }, 4000));
}

// A pane auto-hidden when the program ends comes back on its strip at the
// next start (the layout pins it straight from its record): at its edge, as
// large slid out as before, and unpinned by its pin it docks at that edge in
// a tree of its own there, its pin on its caption, as wide as it slid out.
TEST_F(AppHostTest, APaneAutoHiddenAtTheEndComesBackOnItsStripAndDocksAtItsEdgeWhenUnpinned)
{
    ASSERT_TRUE(Frame().m_wndProperties.IsAutoHideMode());
    ASSERT_TRUE(SlideOut(Frame().m_wndProperties));
    const CSize slidOut = apphost::ScreenRect(Frame().m_wndProperties).Size();
    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    ASSERT_TRUE(HostApp().StateStore().m_bLayoutLoaded);
    CKGPDockingControlBar& pane = Frame().m_wndProperties;
    ASSERT_TRUE(pane.IsAutoHideMode());
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_RIGHT), pane.GetCurrentAlignment());
    EXPECT_FALSE(apphost::IsShown(pane)) << "slid in at the start";
    ASSERT_TRUE(SlideOut(pane));
    EXPECT_EQ(slidOut, apphost::ScreenRect(pane).Size());
    ASSERT_TRUE(Unpin(pane));
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_RIGHT), pane.GetCurrentAlignment());
    CKGPSlider* tree = pane.GetDefaultPaneSlider();
    ASSERT_NE(nullptr, tree);
    EXPECT_FALSE(tree->IsAutoHideMode()) << "in a tree at its edge";
    EXPECT_EQ(slidOut.cx, apphost::ScreenRect(pane).Width());
    EXPECT_NE(CPoint(-1, -1), PinPoint(pane)) << "its pin shows on its caption";
}

// The group at the bottom edge grows as its edge is dragged up (it shrank:
// the slider's move was turned around twice). Made tall so and pinned there,
// the pane slides in below the frame by its height: no docked place, and the
// layout saved with it still loads at the next start (it was refused whole
// and the default layout came back), the pane on its strip as tall as before.
TEST_F(AppHostTest, ATallPanePinnedAtTheBottomComesBackOnItsStripAfterARestart)
{
    CKGPDockingControlBar& output = Frame().m_wndOutput;
    ASSERT_EQ(static_cast<DWORD>(CBRS_ALIGN_BOTTOM), output.GetCurrentAlignment());
    CKGPSlider* tree = output.GetDefaultPaneSlider();
    ASSERT_NE(nullptr, tree);
    const CRect before = apphost::ScreenRect(output);
    const CPoint edge = apphost::ScreenRect(*tree).CenterPoint();
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Drag(edge, edge - CSize(0, 450)); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::ScreenRect(output).Height() > 550; }, 3000))
        << "dragged up by 450 from " << before.Height() << " px, it is " << apphost::ScreenRect(output).Height();
    EXPECT_EQ(before.bottom, apphost::ScreenRect(output).bottom) << "on the frame's foot still";
    EXPECT_EQ(apphost::ScreenRect(output).top, apphost::ScreenRect(*tree).bottom) << "its edge above it";

    const CPoint pin = PinPoint(output);
    ASSERT_NE(CPoint(-1, -1), pin);
    const CPoint away = apphost::ScreenRect(Frame().m_wndCaptionBar).CenterPoint();
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Click(pin);
        user.DragTo(away, 6);
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return output.IsAutoHideMode() && !apphost::IsShown(output); }, 4000))
        << "pinned and slid in";
    ASSERT_TRUE(SlideOut(output));
    const CSize tall = apphost::ScreenRect(output).Size();
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.DragTo(away, 6); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return !apphost::IsShown(output); }, 4000)) << "slid in again";

    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    EXPECT_TRUE(HostApp().StateStore().m_bLayoutLoaded) << "the layout saved loads";
    CKGPDockingControlBar& pane = Frame().m_wndOutput;
    ASSERT_TRUE(pane.IsAutoHideMode());
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_BOTTOM), pane.GetCurrentAlignment());
    ASSERT_TRUE(SlideOut(pane));
    EXPECT_EQ(tall, apphost::ScreenRect(pane).Size());
}
