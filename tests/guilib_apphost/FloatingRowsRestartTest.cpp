// A floating toolbar whose first buttons the user hid from its customise
// button's menu (its first row starts with a separator) and whose frame was
// then sized by its edge narrower than its widest button (the zoom box): the
// rows it shows come back after a restart, the frame at the same size. The
// separator opening the first row took a row of its own, empty, and a
// restart wrapped the bar at its widest row, so it came back a row lower
// (or with the short rows joined).
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/core/KGPLibraryResources.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/sheets/KGPCustomizePage.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "tests/guilib_apphost/AppHostIds.h"
#include "tests/guilib_apphost/PaneLayoutDescription.h"

#include <vector>

namespace {

class FloatingRowsRestartTest : public AppHostTest {
protected:
    void SetUp() override
    {
        HostApp().m_bCustomizeButtons = TRUE;
        AppHostTest::SetUp();
        // Find floats from the start where the toolbar is torn off: a frame
        // of it over the toolbar's right edge takes the press there (which of
        // the two frames stands above is not what these scenarios are about).
        Frame().m_wndFind.ShowPane(FALSE, FALSE, FALSE);
        apphost::PumpFor(50);
    }
    void TearDown() override
    {
        AppHostTest::TearDown();
        HostApp().m_bCustomizeButtons = FALSE;
    }

    static CRect ItemRect(CKGPToolBar& bar, UINT nCommand)
    {
        CRect rect;
        bar.GetItemRect(bar.CommandToIndex(nCommand), rect);
        return rect;
    }

    // The frame's right edge dragged to hold the bar's rows at this length:
    // once the system's sizing has begun, in one move. (The frame takes the
    // size its bar's rows give each length on the way, and the next move is
    // laid on that: moves a busy machine hands over together made other rows.)
    static bool DragRightEdgeToLength(CKGPMiniFrameWnd& floating, CKGPToolBar& bar, int length)
    {
        const CRect window = apphost::ScreenRect(floating);
        CRect client;
        bar.GetClientRect(client);
        CRect border;
        floating.CalcBorderSize(border);
        const CPoint edge(window.right - border.right / 2 - 1, window.CenterPoint().y);
        if (floating.HitTest(edge, FALSE) != HTRIGHT)
            return false;
        const int right = window.left + window.Width() - client.Width() + length;
        const DWORD application = ::GetCurrentThreadId();
        return apphost::Perform([&](apphost::CGestures& user) {
            user.MoveTo(edge);
            user.Pause(60);
            user.Press();
            user.WaitFor([&] {
                GUITHREADINFO info{};
                info.cbSize = sizeof(info);
                return ::GetGUIThreadInfo(application, &info) && (info.flags & GUI_INMOVESIZE) != 0;
            });
            user.DragTo(CPoint(right, edge.y), 1);
            user.Pause(60);
            user.Release();
        });
    }

    // Where the shown buttons stand in the bar, row by row.
    static std::vector<CRect> ShownButtons(CKGPToolBar& bar)
    {
        std::vector<CRect> rects;
        for (UINT command : {ID_FORMAT_ZOOM, ID_FORMAT_LEFT, ID_FORMAT_CENTER})
            rects.push_back(ItemRect(bar, command));
        return rects;
    }
};

} // namespace

TEST_F(FloatingRowsRestartTest, AFloatingToolbarStartingWithASeparatorKeepsItsRowsThroughARestart)
{
    CKGPToolBar& format = Frame().m_wndFormatBar;
    // Bold and Italic hidden from the customise button's menu, then Underline
    // dragged off the bar while customising (the separator after it stays).
    ASSERT_TRUE(HideFromCustomiseMenu(format, {ID_FORMAT_BOLD, ID_FORMAT_ITALIC}));
    CKGPToolbarCustomize* sheet = OpenCustomizeSheetAside(Frame());
    ASSERT_NE(nullptr, sheet);
    const CPoint underline = ButtonPoint(format, ID_FORMAT_UNDERLINE);
    const CPoint notes = Middle(Frame().m_hWndMDIClient);
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
        user.MoveTo(underline);
        user.Pause(50);
        user.Press();
        user.DragTo(notes + CSize(0, 120), 16);
        user.Pause(150);
        user.Release();
    }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return format.CommandToIndex(ID_FORMAT_UNDERLINE) < 0; }));
    ASSERT_TRUE(CloseCustomizeSheet(sheet));
    ASSERT_TRUE(format.GetButton(2)->IsSeparator() && format.GetButton(2)->m_bShown) << "the row starts with it";

    ASSERT_TRUE(TearOffOverTheNotes(Frame(), format)) << "the toolbar floats";
    const CRect zoom = ItemRect(format, ID_FORMAT_ZOOM);
    const int pair = ItemRect(format, ID_FORMAT_CENTER).right - ItemRect(format, ID_FORMAT_LEFT).left;
    ASSERT_GT(zoom.Width(), pair + 8) << "the zoom box is wider than the two buttons after it";

    // Its right edge dragged in as far as it goes (the frame keeps the zoom
    // box): the zoom box opens the first row, the two buttons the second.
    CKGPMiniFrameWnd* floating = format.GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, floating);
    ASSERT_TRUE(DragRightEdgeToLength(*floating, format, pair));
    apphost::PumpFor(100);
    const std::vector<CRect> shown = ShownButtons(format);
    EXPECT_LT(shown[0].top, shown[0].Height() / 2) << "no empty row above the zoom box";
    EXPECT_GT(shown[1].top, shown[0].bottom);
    EXPECT_EQ(shown[1].top, shown[2].top);
    CRect client;
    floating->GetClientRect(client);
    EXPECT_EQ(client.Size(), apphost::ScreenRect(format).Size()) << "the frame holds the bar";
    EXPECT_GT(shown[2].bottom + shown[2].Height(), client.bottom) << "and no row more";

    const CRect saved = apphost::ScreenRect(*floating);
    const std::string savedBar = apphost::DescribeBars(Frame(), {&format});
    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    CKGPToolBar& again = Frame().m_wndFormatBar;
    EXPECT_EQ(savedBar, apphost::DescribeBars(Frame(), {&again}));
    CKGPMiniFrameWnd* back = again.GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, back) << "floating still";
    EXPECT_EQ(saved, apphost::ScreenRect(*back));
    EXPECT_EQ(shown, ShownButtons(again)) << "the same rows";
}

// Two buttons more after the alignment buttons make a row longer than the
// frame dragged in as far as it goes, shorter than the zoom box: the bar
// shows them in two rows and must wrap them so after a restart, though the
// zoom box makes the frame wider than the length they wrapped at.
TEST_F(FloatingRowsRestartTest, AFloatingToolbarNarrowerThanItsWidestButtonKeepsItsRowsThroughARestart)
{
    CKGPToolBar& format = Frame().m_wndFormatBar;
    CKGPToolbarCustomize* sheet = OpenCustomizeSheetAside(Frame());
    ASSERT_NE(nullptr, sheet);
    ASSERT_TRUE(ShowSheetPage(sheet, sheet->GetCommandsPage()));
    const HWND page = sheet->GetCommandsPage()->GetSafeHwnd();
    const HWND categories = ::GetDlgItem(page, IDC_KGP_CATEGORIES);
    const HWND commands = ::GetDlgItem(page, IDC_KGP_COMMANDS);
    const CPoint all = apphost::ListItemPoint(categories, apphost::FindListItem(categories, _T("All Commands")));
    ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) { user.Click(all); }));
    for (LPCTSTR name : {_T("EditCut"), _T("EditCopy")}) {
        ASSERT_TRUE(apphost::WaitUntil([&] { return apphost::FindListItem(commands, name) >= 0; })) << name;
        const CPoint from = apphost::ListItemPoint(commands, apphost::FindListItem(commands, name));
        const CRect last = [&] {
            CRect rect;
            format.GetItemRect(format.GetCount() - 2, rect);
            format.ClientToScreen(rect);
            return rect;
        }();
        const int count = format.GetCount();
        ASSERT_TRUE(apphost::Perform([&](apphost::CGestures& user) {
            user.MoveTo(from);
            user.Pause(50);
            user.Press();
            user.DragTo(CPoint(last.right - 3, last.CenterPoint().y), 20, 20);
            user.Pause(100);
            user.Release();
        }));
        ASSERT_TRUE(apphost::WaitUntil([&] { return format.GetCount() == count + 1; })) << name;
    }
    ASSERT_TRUE(CloseCustomizeSheet(sheet));
    ASSERT_EQ(format.GetCount() - 3, format.CommandToIndex(ID_EDIT_CUT)) << "after the alignment buttons";

    ASSERT_TRUE(TearOffOverTheNotes(Frame(), format)) << "the toolbar floats";
    CKGPMiniFrameWnd* floating = format.GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, floating);
    ASSERT_TRUE(DragRightEdgeToLength(*floating, format, 20));
    apphost::PumpFor(100);
    const CRect zoom = ItemRect(format, ID_FORMAT_ZOOM);
    const CRect copy = ItemRect(format, ID_EDIT_COPY);
    const int four = copy.right - ItemRect(format, ID_FORMAT_LEFT).left;
    ASSERT_LE(four, zoom.Width()) << "the four buttons fit a row as wide as the zoom box";
    EXPECT_GT(copy.top, ItemRect(format, ID_EDIT_CUT).top) << "the last one wrapped";

    std::vector<CRect> shown;
    for (UINT command : {ID_FORMAT_BOLD, ID_FORMAT_ZOOM, ID_FORMAT_LEFT, ID_FORMAT_CENTER, ID_EDIT_CUT, ID_EDIT_COPY})
        shown.push_back(ItemRect(format, command));
    const CRect saved = apphost::ScreenRect(*floating);
    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    CKGPToolBar& again = Frame().m_wndFormatBar;
    CKGPMiniFrameWnd* back = again.GetParentMiniFrame(TRUE);
    ASSERT_NE(nullptr, back) << "floating still";
    EXPECT_EQ(saved, apphost::ScreenRect(*back));
    std::vector<CRect> loaded;
    for (UINT command : {ID_FORMAT_BOLD, ID_FORMAT_ZOOM, ID_FORMAT_LEFT, ID_FORMAT_CENTER, ID_EDIT_CUT, ID_EDIT_COPY})
        loaded.push_back(ItemRect(again, command));
    EXPECT_EQ(shown, loaded) << "the same rows";
}
