// Buttons dragged while customising onto a toolbar that floats in its own
// frame, as a user does it: a toolbar made on the toolbars page (it floats,
// empty) and a toolbar the user tore off its dock each take a button dragged
// from the Format bar, and keep it once the sheet is closed. (The press on
// the Format bar brought the main frame up over its floating frames, and the
// drop went to the docked pane under them: the button was lost.)
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/core/KGPLibraryResources.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "guilib/sheets/KGPToolbarsPage.h"
#include "tests/guilib_apphost/AppHostIds.h"

namespace {
// A button pressed and dragged in one move to the point, where it is let go.
bool DragButton(const CPoint& from, const CPoint& to)
{
    return apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(from);
        user.Press();
        user.DragTo(to, 16);
        user.Pause(200);
        user.Release();
    });
}

} // namespace

TEST_F(AppHostTest, AButtonDraggedOntoANewFloatingToolbarLandsThereAndStays)
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
        return made != nullptr && made->IsFloating() && apphost::IsShown(*made);
    })) << "the new toolbar floats";
    CKGPToolBar* mine = page->GetSelectedToolbar();
    ASSERT_EQ(0, mine->GetCount()) << "empty";

    // Bold dragged from the Format bar onto the middle of the new bar.
    CKGPToolBar& format = frame.m_wndFormatBar;
    const CPoint bold = ButtonPoint(format, ID_FORMAT_BOLD);
    const CPoint onMine = apphost::ScreenRect(*mine).CenterPoint();
    ASSERT_TRUE(DragButton(bold, onMine));
    EXPECT_TRUE(apphost::WaitUntil([&] { return mine->CommandToIndex(ID_FORMAT_BOLD) >= 0; }))
        << "the new bar took the button";
    EXPECT_LT(format.CommandToIndex(ID_FORMAT_BOLD), 0) << "it moved there from the Format bar";
    apphost::Screenshot(L"apphost_button_on_new_floating_toolbar.bmp");

    ASSERT_TRUE(CloseCustomizeSheet(sheet));
    apphost::PumpFor(100);
    EXPECT_EQ(0, mine->CommandToIndex(ID_FORMAT_BOLD)) << "it stays once the sheet is closed";
    EXPECT_TRUE(apphost::IsShown(*mine));
    CRect item;
    mine->GetItemRect(0, item);
    EXPECT_GT(item.Width(), 8) << "with room on the bar";
    mine->ClientToScreen(item);
    CKGPMiniFrameWnd* floating = mine->GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, floating);
    CRect inside;
    inside.IntersectRect(item, apphost::ScreenRect(*floating));
    EXPECT_EQ(item, inside) << "shown whole in its floating frame";
}

TEST_F(AppHostTest, AButtonDraggedOntoAToolbarTheUserFloatedLandsThereAndStays)
{
    CHostMainFrame& frame = Frame();
    CKGPToolBar& standard = frame.m_wndToolBar;
    ASSERT_TRUE(TearOffOverTheNotes(frame, standard)) << "the toolbar floats";

    CKGPToolbarCustomize* sheet = OpenCustomizeSheetAside(frame);
    ASSERT_NE(nullptr, sheet);
    const int before = standard.GetCount();
    CRect last;
    standard.GetItemRect(before - 1, last);
    standard.ClientToScreen(last);
    CKGPToolBar& format = frame.m_wndFormatBar;
    ASSERT_TRUE(DragButton(ButtonPoint(format, ID_FORMAT_ITALIC), CPoint(last.right - 2, last.CenterPoint().y)));
    EXPECT_TRUE(apphost::WaitUntil([&] { return standard.CommandToIndex(ID_FORMAT_ITALIC) >= 0; }))
        << "the floating bar took the button";
    EXPECT_LT(format.CommandToIndex(ID_FORMAT_ITALIC), 0) << "it moved there from the Format bar";

    ASSERT_TRUE(CloseCustomizeSheet(sheet));
    apphost::PumpFor(100);
    EXPECT_GE(standard.CommandToIndex(ID_FORMAT_ITALIC), 0) << "it stays once the sheet is closed";
    EXPECT_EQ(before + 1, standard.GetCount());
    EXPECT_TRUE(standard.IsFloating());
}
