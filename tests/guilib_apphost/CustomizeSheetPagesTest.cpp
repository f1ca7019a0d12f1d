// The customisation sheet's pages as a user meets them: the keyboard page
// is offered only while the keyboard manager lets keys be changed, and the
// toolbars page's check marks follow a bar closed by its floating frame's
// close button while the sheet is open, and a toolbar made there floats in a
// frame that stays open; the toolbars page lists the frame's bars, not the
// toolbars the panes keep inside them.
#include "tests/guilib_apphost/HostFixture.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "guilib/core/KGPLibraryResources.h"
#include "guilib/docking/KGPCaptionButton.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/menus/KGPKeyboardManager.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "guilib/sheets/KGPToolbarsPage.h"
#include "tests/guilib_apphost/AppHostIds.h"

TEST_F(AppHostTest, TheKeyboardPageIsOfferedOnlyWhileTheKeyboardManagerLetsKeysBeChanged)
{
    CHostMainFrame& frame = Frame();
    ASSERT_NE(nullptr, frame.m_hAccelTable) << "the frame has its keys";
    CKGPToolbarCustomize* sheet = OpenCustomizeSheetAside(frame);
    ASSERT_NE(nullptr, sheet);
    EXPECT_NE(nullptr, sheet->GetKeyboardPage());
    const int pages = static_cast<int>(sheet->GetTabControl()->SendMessage(TCM_GETITEMCOUNT));
    ASSERT_TRUE(CloseCustomizeSheet(sheet));

    CKGPKeyboardManager::Enable(FALSE);
    sheet = OpenCustomizeSheetAside(frame);
    const bool opened = sheet != nullptr;
    const bool keyboardPage = opened && sheet->GetKeyboardPage() != nullptr;
    const int pagesWithout = opened ? static_cast<int>(sheet->GetTabControl()->SendMessage(TCM_GETITEMCOUNT)) : -1;
    const bool closed = opened && CloseCustomizeSheet(sheet);
    CKGPKeyboardManager::Enable(TRUE);
    ASSERT_TRUE(opened && closed);
    EXPECT_FALSE(keyboardPage) << "no keyboard page while the manager is off";
    EXPECT_EQ(pages - 1, pagesWithout);
}

TEST_F(AppHostTest, ABarClosedByItsFloatingFramesCloseButtonLosesItsCheckOnTheToolbarsPage)
{
    CHostMainFrame& frame = Frame();
    CKGPToolBar& format = frame.m_wndFormatBar;
    format.SetLibraryBarStyle(format.GetLibraryBarStyle() | KGP_BARSTYLE_CLOSE);
    const CRect client = apphost::ScreenRect(frame.m_hWndMDIClient);
    ASSERT_TRUE(format.FloatBar(CRect(client.left + 60, client.top + 60, client.left + 260, client.top + 100)));
    CKGPMiniFrameWnd* floating = format.GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, floating);
    ASSERT_TRUE(apphost::WaitUntil([floating] { return apphost::IsShown(*floating); }));

    CKGPToolbarCustomize* sheet = OpenCustomizeSheetAside(frame);
    ASSERT_NE(nullptr, sheet);
    CKGPToolbarsPage* page = sheet->GetToolbarsPage();
    ASSERT_TRUE(ShowSheetPage(sheet, page));
    const int item = page->FindToolbar(&format);
    ASSERT_GE(item, 0);
    EXPECT_EQ(BST_CHECKED, page->GetToolbarList().GetCheck(item)) << "the floating bar shows";

    CKGPCaptionButton* close = floating->FindCaptionButton(HTCLOSE);
    ASSERT_NE(nullptr, close);
    CRect rect = close->GetRect();
    rect.OffsetRect(apphost::ScreenRect(*floating).TopLeft());
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(rect.CenterPoint()); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return !format.IsWindowVisible(); })) << "the close button hid the bar";
    EXPECT_TRUE(apphost::WaitUntil([&] { return page->GetToolbarList().GetCheck(item) == BST_UNCHECKED; }))
        << "its check mark went with it";
    apphost::Screenshot(L"apphost_toolbars_page_bar_closed.bmp");
    EXPECT_TRUE(CloseCustomizeSheet(sheet));
}


// A toolbar the user makes from the toolbars page floats, empty, in a frame
// that stays open with room for buttons (it rolled up to its caption as soon
// as the mouse was elsewhere: the bar had no height to drop a button on).
TEST_F(AppHostTest, ANewToolbarFloatsInAFrameThatStaysOpen)
{
    CHostMainFrame& frame = Frame();
    frame.GetFrameImpl().SetUserToolbarRange(0xE820, 0xE82F);
    CKGPToolbarCustomize* sheet = OpenCustomizeSheetAside(frame);
    ASSERT_NE(nullptr, sheet);
    CKGPToolbarsPage* page = sheet->GetToolbarsPage();
    ASSERT_TRUE(ShowSheetPage(sheet, page));
    const CPoint newButton = Middle(page->GetDlgItem(IDC_KGP_NEW_TOOLBAR)->GetSafeHwnd());
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.Click(newButton);
        user.WaitFor([] { return apphost::ShownTopLevels(L"#32770").size() > 1; });
        user.Pause(100);
        for (UINT key : {'M', 'I', 'N', 'E'})
            user.Key(key);
        user.Key(VK_RETURN);
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] {
        CKGPToolBar* made = page->GetSelectedToolbar();
        return made != nullptr && made->IsFloating() && made->IsInFrameIdRange();
    })) << "the new toolbar floats";
    CKGPToolBar* mine = page->GetSelectedToolbar();
    CString name;
    mine->GetWindowText(name);
    EXPECT_EQ(CString(_T("mine")), name);
    EXPECT_TRUE(apphost::WaitUntil([mine] { return apphost::IsShown(*mine); })) << "room for buttons";
    // The mouse rests on the notes a while: the frame stays as it is.
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(Middle(frame.m_hWndMDIClient));
        user.Pause(1500);
    }));
    apphost::Screenshot(L"apphost_new_toolbar.bmp");
    EXPECT_TRUE(apphost::IsShown(*mine)) << "its frame did not roll up";
    EXPECT_GT(apphost::ScreenRect(*mine).Height(), 10);
    EXPECT_TRUE(CloseCustomizeSheet(sheet));
}

// The toolbars page names the frame's bars a user shows and hides: the
// toolbars inside the outlook bar (its pages, its buttons' bar) and the
// tasks pane are parts of those panes, with no names of their own.
TEST_F(AppHostTest, TheToolbarsPageListsTheFramesBarsAndNoToolbarInsideAPane)
{
    CHostMainFrame& frame = Frame();
    CKGPToolbarCustomize* sheet = OpenCustomizeSheetAside(frame);
    ASSERT_NE(nullptr, sheet);
    CKGPToolbarsPage* page = sheet->GetToolbarsPage();
    ASSERT_TRUE(ShowSheetPage(sheet, page));
    std::vector<std::string> names;
    for (int i = 0; i < page->GetToolbarList().GetCount(); ++i) {
        CString name;
        page->GetToolbarList().GetText(i, name);
        names.emplace_back(CStringA(name).GetString());
    }
    EXPECT_EQ((std::vector<std::string>{"Menu Bar", "Standard", "Format"}), names);
    EXPECT_LT(page->FindToolbar(&frame.m_wndMailPage), 0) << "an outlook page";
    EXPECT_TRUE(CloseCustomizeSheet(sheet));
}
