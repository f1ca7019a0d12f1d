// A toolbar floating in its own frame, as a user handles it: its frame's
// edge dragged by the mouse re-wraps its buttons, and its caption's menu
// button drops the toolbar's customise menu under it.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPCaptionButton.h"
#include "guilib/docking/KGPCaptionLayout.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "tests/guilib_apphost/AppHostIds.h"

namespace {

// The main toolbar floated over the notes; its floating frame.
CKGPMiniFrameWnd* FloatMainToolBar(CHostMainFrame& frame)
{
    const CRect client = apphost::ScreenRect(frame.m_hWndMDIClient);
    if (!frame.m_wndToolBar.FloatBar(CRect(client.left + 60, client.top + 60, client.left + 260, client.top + 100)))
        return nullptr;
    CKGPMiniFrameWnd* floating = frame.m_wndToolBar.GetParentMiniFrame(TRUE);
    if (floating == nullptr || !apphost::WaitUntil([floating] { return apphost::IsShown(*floating); }))
        return nullptr;
    return floating;
}

} // namespace

TEST_F(AppHostTest, AFloatingToolbarsEdgeDraggedInWrapsItsButtonsIntoRows)
{
    CHostMainFrame& frame = Frame();
    CKGPMiniFrameWnd* floating = FloatMainToolBar(frame);
    ASSERT_NE(nullptr, floating);
    const CRect before = apphost::ScreenRect(*floating);
    CRect border;
    floating->CalcBorderSize(border);
    const CPoint edge(before.right - border.right / 2 - 1, before.top + border.top + floating->GetCaptionHeight() +
                                                                (before.bottom - before.top) / 4);
    ASSERT_EQ(HTRIGHT, floating->HitTest(edge, FALSE));
    const int target = before.left + before.Width() / 3;
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(edge);
        user.Press();
        user.DragTo(CPoint(target, edge.y), 12);
        user.Release();
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::ScreenRect(*floating).Width() < before.Width(); }))
        << "the frame follows the dragged edge";
    const CRect after = apphost::ScreenRect(*floating);
    EXPECT_EQ(before.left, after.left) << "the other edge stays";
    EXPECT_GT(after.Height(), before.Height()) << "the buttons wrapped into rows";
    // Every button shows inside the frame's client area.
    CRect client;
    floating->GetClientRect(client);
    floating->ClientToScreen(client);
    for (int i = 0; i < frame.m_wndToolBar.GetCount(); ++i) {
        CRect item;
        frame.m_wndToolBar.GetItemRect(i, item);
        frame.m_wndToolBar.ClientToScreen(item);
        CRect inside;
        inside.IntersectRect(item, client);
        if (!item.IsRectEmpty())
            EXPECT_EQ(item, inside) << i;
    }
    apphost::Screenshot(L"apphost_floating_toolbar_wrapped.bmp");
}

TEST_F(AppHostTest, AFloatingToolbarsMenuButtonDropsItsCustomiseMenuUnderIt)
{
    CHostMainFrame& frame = Frame();
    frame.m_wndToolBar.EnableCustomizeButton(TRUE, ID_VIEW_CUSTOMIZE, _T("Customize..."));
    frame.m_wndToolBar.SetLibraryBarStyle(frame.m_wndToolBar.GetLibraryBarStyle() | KGP_BARSTYLE_CLOSE);
    CKGPMiniFrameWnd* floating = FloatMainToolBar(frame);
    ASSERT_NE(nullptr, floating);
    CKGPCaptionButton* button = floating->FindCaptionButton(KGPCaption::kHitPageMenu);
    ASSERT_NE(nullptr, button) << "a toolbar with a customise entry has the menu button";
    ASSERT_NE(nullptr, floating->FindCaptionButton(HTCLOSE));
    CRect rect = button->GetRect();
    rect.OffsetRect(apphost::ScreenRect(*floating).TopLeft());
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(rect.CenterPoint()); }));
    ASSERT_TRUE(apphost::WaitUntil([] { return PopupItemPoint(_T("Customize...")) != CPoint(-1, -1); }))
        << "the customise menu opened";
    const CRect popup = apphost::ScreenRect(CKGPPopupMenu::GetActiveMenu()->GetSafeHwnd());
    EXPECT_GE(popup.top, rect.bottom - 2) << "under the button";
    EXPECT_LE(std::abs(popup.left - rect.left), rect.Width() + 4);
    apphost::Screenshot(L"apphost_floating_toolbar_menu.bmp");
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Key(VK_ESCAPE); }));
    EXPECT_TRUE(apphost::WaitUntil([] { return CKGPPopupMenu::GetActiveMenu() == nullptr; }));
}
