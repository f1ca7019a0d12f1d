// A docked menu bar takes its row's whole length, wherever the row runs and
// whatever menus it shows: at the frame's top as the frame is maximised and
// restored (it stayed as wide as the frame first was), at the right edge as
// the last note closes and the frame's own menus show (they came back laid out
// across the column as in a row: a bar twice the column's thickness and as
// long as its three menus), and there as the toolbars above hide and the
// column grows (it stayed as long as before). A restart brings it back so.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPDockBar.h"
#include "tests/guilib_apphost/PaneLayoutDescription.h"

namespace {

// The bar's window against its dock bar's: the same size, or what differs.
::testing::AssertionResult FillsItsRow(CKGPMenuBar& bar, DWORD edge)
{
    const CKGPDockBar* dock = bar.GetParentDockBar();
    if (dock == nullptr || dock->GetCurrentAlignment() != edge)
        return ::testing::AssertionFailure() << "not docked at the edge " << edge;
    const CSize own = apphost::ScreenRect(bar).Size();
    const CSize row = apphost::ScreenRect(*dock).Size();
    const bool fills = edge == CBRS_ALIGN_TOP ? own.cx == row.cx : own == row;
    if (fills)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the bar " << own.cx << "x" << own.cy << " in its dock bar " << row.cx
                                         << "x" << row.cy;
}

bool ShowsMenu(CKGPMenuBar& bar, LPCTSTR text)
{
    return AppHostTest::MenuItemPoint(bar, text) != CPoint(-1, -1);
}

// Ctrl+F4 until no note is left; whether none is.
bool CloseEveryNote(CHostMainFrame& frame)
{
    for (int notes = 0; notes < 8 && frame.MDIGetActive() != nullptr; ++notes) {
        apphost::Perform([](apphost::CGestures& user) { user.Chord(VK_CONTROL, VK_F4); });
        apphost::WaitUntil([&] { return frame.MDIGetActive() == nullptr; }, 300);
    }
    return apphost::WaitUntil([&] { return frame.MDIGetActive() == nullptr; });
}

// Taken by its gripper to the middle of the frame's right edge.
bool DragToTheRightEdge(CHostMainFrame& frame)
{
    CKGPMenuBar& bar = frame.m_wndMenuBar;
    const CRect docked = apphost::ScreenRect(bar);
    const CPoint gripper(docked.left + 2, docked.CenterPoint().y);
    const CPoint edge(apphost::ScreenRect(frame).right - 12, AppHostTest::Middle(frame.m_hWndMDIClient).y);
    return apphost::Perform([&](apphost::CGestures& user) { user.Drag(gripper, edge, 20); }) &&
           apphost::WaitUntil([&] { return !bar.IsFloating() && !bar.IsHorizontal(); });
}

// A double click on the frame's caption, beside its title.
bool DoubleClickTheCaption(CHostMainFrame& frame, bool maximised)
{
    const CRect window = apphost::ScreenRect(frame);
    const CPoint caption(window.CenterPoint().x + 150, window.top + ::GetSystemMetrics(SM_CYFRAME) +
                                                           ::GetSystemMetrics(SM_CYCAPTION) / 2);
    return apphost::Perform([&](apphost::CGestures& user) { user.DoubleClick(caption); }) &&
           apphost::WaitUntil([&] { return (frame.IsZoomed() != FALSE) == maximised; });
}

} // namespace

TEST_F(AppHostTest, AMenuBarAtTheTopFillsItsRowAsTheFrameIsMaximisedAndRestored)
{
    CHostMainFrame& frame = Frame();
    CKGPMenuBar& bar = frame.m_wndMenuBar;
    const int before = apphost::ScreenRect(bar).Width();
    ASSERT_TRUE(DoubleClickTheCaption(frame, true));
    EXPECT_TRUE(apphost::WaitUntil([&] { return apphost::ScreenRect(bar).Width() > before; }));
    EXPECT_TRUE(FillsItsRow(bar, CBRS_ALIGN_TOP)) << "maximised";
    ASSERT_TRUE(DoubleClickTheCaption(frame, false));
    EXPECT_TRUE(apphost::WaitUntil([&] { return apphost::ScreenRect(bar).Width() == before; }));
    EXPECT_TRUE(FillsItsRow(bar, CBRS_ALIGN_TOP)) << "restored";
}

TEST_F(AppHostTest, AMenuBarAtTheRightEdgeFillsItsColumnWhicheverMenusItShows)
{
    CHostMainFrame& frame = Frame();
    CKGPMenuBar& bar = frame.m_wndMenuBar;
    ASSERT_TRUE(DragToTheRightEdge(frame)) << apphost::DescribeBars(frame, {&bar});
    EXPECT_TRUE(FillsItsRow(bar, CBRS_ALIGN_RIGHT)) << "a note's menus";

    // Every note closed: the frame's own menus.
    ASSERT_TRUE(CloseEveryNote(frame));
    ASSERT_TRUE(apphost::WaitUntil([&] { return !ShowsMenu(bar, _T("&Format")); }));
    EXPECT_TRUE(FillsItsRow(bar, CBRS_ALIGN_RIGHT)) << "the frame's menus";
    const std::string saved = apphost::DescribeBars(frame, {&bar});

    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    CHostMainFrame& again = Frame();
    EXPECT_TRUE(FillsItsRow(again.m_wndMenuBar, CBRS_ALIGN_RIGHT)) << "after the restart, with a note's menus";
    ASSERT_TRUE(CloseEveryNote(again));
    EXPECT_EQ(saved, apphost::DescribeBars(again, {&again.m_wndMenuBar})) << "the frame's menus as before the restart";
    // A note opened after the last one closed: its menus again.
    ASSERT_TRUE(apphost::Perform([](apphost::CGestures& user) { user.Chord(VK_CONTROL, 'N'); }));
    ASSERT_TRUE(apphost::WaitUntil([&] { return ShowsMenu(again.m_wndMenuBar, _T("&Format")); }));
    EXPECT_TRUE(FillsItsRow(again.m_wndMenuBar, CBRS_ALIGN_RIGHT)) << "a new note's menus";
}

TEST_F(AppHostTest, AMenuBarAtTheRightEdgeGrowsWithItsColumnAsTheToolbarsAboveHide)
{
    CHostMainFrame& frame = Frame();
    CKGPMenuBar& bar = frame.m_wndMenuBar;
    ASSERT_TRUE(DragToTheRightEdge(frame)) << apphost::DescribeBars(frame, {&bar});
    for (LPCTSTR toolbar : {_T("Standard"), _T("Format")}) {
        const int before = apphost::ScreenRect(bar).Height();
        ASSERT_TRUE(ChooseFromViewBarsList(frame, toolbar));
        EXPECT_TRUE(apphost::WaitUntil([&] { return apphost::ScreenRect(bar).Height() > before; }))
            << static_cast<const char*>(CW2A(toolbar)) << " hidden";
        EXPECT_TRUE(FillsItsRow(bar, CBRS_ALIGN_RIGHT)) << static_cast<const char*>(CW2A(toolbar)) << " hidden";
    }
    const std::string saved = apphost::DescribeBars(frame, frame.StoredBars());

    ASSERT_TRUE(Close());
    ASSERT_TRUE(Start());
    EXPECT_EQ(saved, apphost::DescribeBars(Frame(), Frame().StoredBars()));
}
