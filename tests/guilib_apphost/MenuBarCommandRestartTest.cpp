// A command the user dropped on the menu bar while customising, beside a
// maximised note's buttons: a restart brings the bar back with the command
// where it stood; the note's system-menu, minimise, restore and close
// buttons are the note's and are not stored with the bar.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/core/KGPLibraryResources.h"
#include "guilib/sheets/KGPCustomizePage.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "tests/guilib_apphost/AppHostIds.h"
#include "tests/guilib_apphost/PaneLayoutDescription.h"

TEST_F(AppHostTest, ACommandDroppedOnTheMenuBarBesideAMaximisedNoteComesBackAfterARestart)
{
    CHostMainFrame& frame = Frame();
    CKGPMenuBar& bar = frame.m_wndMenuBar;
    frame.EnableMDITabs(FALSE);
    ASSERT_NE(nullptr, frame.MDIGetActive());
    frame.MDIMaximize(frame.MDIGetActive());
    ASSERT_TRUE(apphost::WaitUntil([&] { return bar.GetSystemMenuButton() != nullptr; }))
        << "the maximised note's buttons are on the menu bar";

    // Copy, from the Edit category, dropped on the far half of the last menu.
    CKGPToolbarCustomize* sheet = OpenCustomizeSheetAside(frame);
    ASSERT_NE(nullptr, sheet);
    ASSERT_TRUE(ShowSheetPage(sheet, sheet->GetCommandsPage()));
    const HWND page = sheet->GetCommandsPage()->GetSafeHwnd();
    const HWND categories = ::GetDlgItem(page, IDC_KGP_CATEGORIES);
    const HWND commands = ::GetDlgItem(page, IDC_KGP_COMMANDS);
    const int edit = apphost::FindListItem(categories, _T("Edit"));
    ASSERT_GE(edit, 0);
    const CPoint editPoint = apphost::ListItemPoint(categories, edit);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(editPoint); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::FindListItem(commands, _T("Copy")) >= 0; }));
    const CPoint from = apphost::ListItemPoint(commands, apphost::FindListItem(commands, _T("Copy")));
    CRect lastMenu;
    bar.GetItemRect(bar.EndOfRegularButtons() - 1, lastMenu);
    bar.ClientToScreen(lastMenu);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(from);
        user.Pause(50);
        user.Press();
        user.DragTo(CPoint(lastMenu.right - 3, lastMenu.CenterPoint().y), 20, 20);
        user.Pause(100);
        user.Release();
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return bar.CommandToIndex(ID_EDIT_COPY) >= 0; })) << "the menu bar took Copy";
    ASSERT_TRUE(CloseCustomizeSheet(sheet));
    apphost::PumpFor(100);
    ASSERT_NE(nullptr, bar.GetSystemMenuButton()) << "the note is still maximised";

    const std::string saved = apphost::DescribeMenuBar(frame, bar);
    EXPECT_NE(std::string::npos, saved.find(" " + std::to_string(ID_EDIT_COPY))) << saved;
    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    CKGPMenuBar& loaded = Frame().m_wndMenuBar;
    EXPECT_GE(loaded.CommandToIndex(ID_EDIT_COPY), 0) << "Copy came back on the menu bar";
    EXPECT_EQ(saved, apphost::DescribeMenuBar(Frame(), loaded));
}
