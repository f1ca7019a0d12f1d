// A toolbar floating with a menu button the user made while customising
// (the New Menu command dragged onto it), its frame then sized by its edge
// into fewer rows of the same width: the frame takes the rows' height, and a
// restart brings it back as large as it was saved.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/core/KGPLibraryResources.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/sheets/KGPCustomizePage.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"
#include "tests/guilib_apphost/AppHostIds.h"
#include "tests/guilib_apphost/PaneLayoutDescription.h"

namespace {

CPoint ListItemPoint(HWND list, int index)
{
    CRect rect;
    ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    ::MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect.CenterPoint();
}

int FindListItem(HWND list, LPCWSTR text)
{
    return static_cast<int>(::SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(text)));
}

CKGPToolbarMenuButton* MenuButtonNamed(CKGPToolBar& bar, LPCTSTR caption)
{
    for (int i = 0; i < bar.GetCount(); ++i) {
        auto* button = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, bar.GetButton(i));
        if (button != nullptr && button->m_strCaption == caption)
            return button;
    }
    return nullptr;
}

} // namespace

TEST_F(AppHostTest, AFloatingToolbarWithANewMenuComesBackAsLargeAfterARestart)
{
    CHostMainFrame& frame = Frame();
    CKGPToolBar& standard = frame.m_wndToolBar;
    ASSERT_TRUE(TearOffOverTheNotes(frame, standard)) << "the toolbar floats";

    // Its frame's right edge dragged in, the buttons wrapped into rows.
    CKGPMiniFrameWnd* floatingFrame = standard.GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, floatingFrame);
    const CRect wide = apphost::ScreenRect(*floatingFrame);
    CRect border;
    floatingFrame->CalcBorderSize(border);
    const CPoint edge(wide.right - border.right / 2 - 1,
                      wide.top + border.top + floatingFrame->GetCaptionHeight() + (wide.Height() - floatingFrame->GetCaptionHeight()) / 2);
    ASSERT_EQ(HTRIGHT, floatingFrame->HitTest(edge, FALSE));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(edge);
        user.Press();
        user.DragTo(CPoint(wide.left + 96, edge.y), 12);
        user.Release();
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::ScreenRect(*floatingFrame).Height() > wide.Height(); }))
        << "the buttons wrapped";

    // New Menu dragged from its category on the Commands page onto the bar's
    // first button.
    CKGPToolbarCustomize* sheet = OpenCustomizeSheetAside(frame);
    ASSERT_NE(nullptr, sheet);
    ASSERT_TRUE(ShowSheetPage(sheet, sheet->GetCommandsPage()));
    const HWND page = sheet->GetCommandsPage()->GetSafeHwnd();
    const HWND categories = ::GetDlgItem(page, IDC_KGP_CATEGORIES);
    const HWND commands = ::GetDlgItem(page, IDC_KGP_COMMANDS);
    const int category = FindListItem(categories, L"New Menu");
    ASSERT_GE(category, 0);
    const CPoint categoryPoint = ListItemPoint(categories, category);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(categoryPoint); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return FindListItem(commands, L"New Menu") >= 0; }));
    const CPoint from = ListItemPoint(commands, FindListItem(commands, L"New Menu"));
    CRect first;
    standard.GetItemRect(0, first);
    standard.ClientToScreen(first);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(from);
        user.Pause(50);
        user.Press();
        user.DragTo(CPoint(first.left + 3, first.CenterPoint().y), 20, 20);
        user.Pause(100);
        user.Release();
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return MenuButtonNamed(standard, _T("New Menu")) != nullptr; }))
        << "the bar took the new menu";
    // All but Cut and Copy dragged off it.
    for (UINT command : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_EDIT_PASTE, ID_INSERT_MENU, ID_APP_ABOUT}) {
        const CPoint button = ButtonPoint(standard, command);
        ASSERT_NE(CPoint(-1, -1), button) << command;
        ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
            user.MoveTo(button);
            user.Pause(50);
            user.Press();
            user.DragTo(Middle(frame.m_hWndMDIClient) + CSize(0, 120), 16);
            user.Pause(150);
            user.Release();
        }));
        ASSERT_TRUE(apphost::WaitUntil([&] { return standard.CommandToIndex(command) < 0; })) << command;
    }
    ASSERT_TRUE(CloseCustomizeSheet(sheet));
    apphost::PumpFor(100);

    CKGPMiniFrameWnd* floating = standard.GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, floating);
    // Its right edge dragged in a little: at that length the new menu's row
    // and the two buttons' make two rows as wide as the three shown before,
    // and the frame is as high as those two.
    const CRect threeRows = apphost::ScreenRect(*floating);
    const CPoint right(threeRows.right - border.right / 2 - 1, threeRows.CenterPoint().y + threeRows.Height() / 4);
    ASSERT_EQ(HTRIGHT, floating->HitTest(right, FALSE));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(right);
        user.Pause(60);
        user.Press();
        user.DragTo(right - CSize(40, 0), 10);
        user.Pause(60);
        user.Release();
    }));
    apphost::PumpFor(100);
    const CRect twoRows = apphost::ScreenRect(*floating);
    EXPECT_EQ(threeRows.Width(), twoRows.Width());
    EXPECT_LT(twoRows.Height(), threeRows.Height()) << "the frame follows its rows";

    const CRect saved = apphost::ScreenRect(*floating);
    const std::string savedBar = apphost::DescribeBars(frame, {&standard});
    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    CKGPToolBar& loaded = Frame().m_wndToolBar;
    ASSERT_NE(nullptr, MenuButtonNamed(loaded, _T("New Menu"))) << "the new menu came back";
    EXPECT_EQ(savedBar, apphost::DescribeBars(Frame(), {&loaded}));
    CKGPMiniFrameWnd* again = loaded.GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, again);
    EXPECT_EQ(saved, apphost::ScreenRect(*again));
}
