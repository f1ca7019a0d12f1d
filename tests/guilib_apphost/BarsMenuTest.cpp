// The lists of the bars a user shows and hides: View > Toolbars and Panes and
// the bars' context menu (a right click on a bar). Each names every bar the
// frame has once, wherever it stands (docked, floating, slid in on its strip),
// and an entry chosen shows or hides its bar.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPCaptionButton.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/menus/KGPPopupMenuBar.h"
#include "tests/guilib_apphost/AppHostIds.h"

#include <map>

namespace {

const CPoint kNowhere(-1, -1);

// The open popup's entries: each command with the number of times it stands.
std::map<UINT, int> ListedCommands()
{
    std::map<UINT, int> listed;
    CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
    for (int i = 0; popup != nullptr && i < popup->GetMenuItemCount(); ++i) {
        const CKGPToolbarButton* item = popup->GetMenuItem(i);
        if (!item->IsSeparator() && !item->IsKindOf(RUNTIME_CLASS(CKGPShowAllButton)))
            ++listed[item->m_nCommand];
    }
    return listed;
}

// View > Toolbars and Panes opened by the mouse, every entry shown.
bool OpenViewBarsList(CHostMainFrame& frame)
{
    const CPoint view = AppHostTest::MenuItemPoint(frame.m_wndMenuBar, _T("&View"));
    if (!apphost::Perform([&](apphost::CGestures& user) { user.Click(view); }) ||
        !apphost::WaitUntil([] { return AppHostTest::PopupItemPoint(_T("&Toolbars and Panes")) != kNowhere; }))
        return false;
    const CPoint item = AppHostTest::PopupItemPoint(_T("&Toolbars and Panes"));
    CKGPPopupMenu* viewMenu = CKGPPopupMenu::GetActiveMenu();
    if (!apphost::Perform([&](apphost::CGestures& user) { user.Click(item); }) ||
        !apphost::WaitUntil([viewMenu] { return CKGPPopupMenu::GetActiveMenu() != viewMenu; }))
        return false;
    // Entries not used yet wait behind the show-all item.
    return apphost::Perform([](apphost::CGestures& user) { user.Chord(VK_CONTROL, VK_DOWN); }) &&
           apphost::WaitUntil([] { return AppHostTest::PopupItemPoint(_T("Files")) != kNowhere; });
}

bool CloseMenus()
{
    return apphost::Perform([](apphost::CGestures& user) {
               user.Key(VK_ESCAPE);
               user.Key(VK_ESCAPE);
           }) &&
           apphost::WaitUntil([] { return CKGPPopupMenu::GetActiveMenu() == nullptr; });
}

} // namespace

TEST_F(AppHostTest, TheViewMenusBarsListNamesFloatingAndSlidInPanesOnceAndShowsThemAgain)
{
    CHostMainFrame& frame = Frame();
    ASSERT_NE(nullptr, frame.m_wndFind.GetParentMiniFrame(TRUE)) << "Find floats from the start";
    ASSERT_TRUE(frame.m_wndProperties.IsAutoHideMode()) << "Properties slides in on its strip";
    ASSERT_TRUE(OpenViewBarsList(frame));
    std::map<UINT, int> listed = ListedCommands();
    for (UINT id : {ID_PANE_FILES, ID_PANE_CLASSES, ID_PANE_OUTPUT, ID_PANE_WATCH, ID_PANE_PROPERTIES, ID_PANE_TASKS,
                    ID_PANE_FIND})
        EXPECT_EQ(1, listed[id]) << "pane " << id;
    for (const auto& [command, count] : listed)
        EXPECT_TRUE(command != 0 && command != static_cast<UINT>(-1) && count == 1)
            << "entry " << command << " stands " << count << " times";
    ASSERT_TRUE(CloseMenus());

    // Find closed by its floating frame's close button, then shown again
    // from the list.
    CKGPMiniFrameWnd* floating = frame.m_wndFind.GetParentMiniFrame(TRUE);
    CKGPCaptionButton* close = floating->FindCaptionButton(HTCLOSE);
    ASSERT_NE(nullptr, close);
    CRect rect = close->GetRect();
    rect.OffsetRect(apphost::ScreenRect(*floating).TopLeft());
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(rect.CenterPoint()); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return !frame.m_wndFind.IsWindowVisible(); })) << "closed";
    ASSERT_TRUE(OpenViewBarsList(frame));
    const CPoint find = PopupItemPoint(_T("Find"));
    ASSERT_NE(kNowhere, find) << "the closed floating pane is listed";
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(find); }));
    EXPECT_TRUE(apphost::WaitUntil([&] { return frame.m_wndFind.IsWindowVisible() && apphost::IsShown(*floating); }))
        << "shown again where it floated";
    EXPECT_TRUE(apphost::WaitUntil([] { return CKGPPopupMenu::GetActiveMenu() == nullptr; }));
}

// The bars' context menu, opened by a right click on the menu bar's gripper,
// is tracked in a loop of its own: an entry chosen ends it and hides its bar,
// and the next one shows it again.
TEST_F(AppHostTest, AnEntryOfTheBarsContextMenuEndsItsLoopAndHidesOrShowsItsBar)
{
    CHostMainFrame& frame = Frame();
    const CRect menuBar = apphost::ScreenRect(frame.m_wndMenuBar);
    const CPoint gripper(menuBar.left + 3, menuBar.CenterPoint().y);
    for (const bool shown : {false, true}) {
        CPoint entry = kNowhere;
        bool closed = false;
        // The loop runs on the application's thread until the entry is
        // chosen: the whole choice is played on the input thread.
        ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
            user.RightClick(gripper);
            if (!user.WaitFor([] { return AppHostTest::PopupItemPoint(_T("Output")) != kNowhere; }))
                return;
            entry = AppHostTest::PopupItemPoint(_T("Output"));
            user.Click(entry);
            closed = user.WaitFor([] { return CKGPPopupMenu::GetActiveMenu() == nullptr; });
            if (!closed)
                user.Key(VK_ESCAPE);
        }));
        ASSERT_NE(kNowhere, entry) << "Output is listed";
        EXPECT_TRUE(closed) << "the entry ended the menu";
        EXPECT_TRUE(apphost::WaitUntil([&] { return (frame.m_wndOutput.IsWindowVisible() != FALSE) == shown; }))
            << (shown ? "shown again" : "hidden");
    }
}
