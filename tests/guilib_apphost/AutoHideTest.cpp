// Auto-hidden panes as the user meets them: resting the mouse on a pane's tab
// on the strip slides the pane out, and it slides back once the mouse has
// left it; a click on the tab slides it out too. A pane pinned by its pin
// button goes to a tab that does the same.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPAutoHideButton.h"
#include "guilib/docking/KGPAutoHideToolBar.h"
#include "guilib/docking/KGPBaseTabbedBar.h"

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
    const CPoint tab = TabPoint(pane);
    ASSERT_NE(CPoint(-1, -1), tab);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(tab - CSize(0, 4));
        user.DragTo(tab, 3);
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return IsSlidOut(pane); }, 3000));
    const CPoint unpin = PinPoint(pane);
    ASSERT_NE(CPoint(-1, -1), unpin) << "slid out, it shows its pin";
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(unpin);
        user.Pause(30);
        user.Click(unpin);
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return !pane.IsAutoHideMode() && apphost::IsShown(pane); }, 3000))
        << "docked again";
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
