// Message contracts of the track list, the position bar and the page tree.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/widgets_menus/MenusTestSupport.h"
#include "tests/widgets_menus/TestIds.h"
#include "widgets/SecListCtrl.h"
#include "widgets/SkinScrollBar.h"
#include "widgets/TrackListCtrl.h"
#include "widgets/TreeCtrlBT.h"

using menus_test::CHostWnd;
using menus_test::PointParam;
using menus_test::Pump;

namespace {

class TrackListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost());
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 600, 400), &host, 1031));
        const wchar_t* captions[] = {L"Track", L"Instrument", L"Solo", L"Mute", L"Remove", L"Melody"};
        const int widths[] = {40, 130, 50, 50, 60, 80};
        for (int i = 0; i < 6; ++i) {
            list.InsertColumn(i, captions[i], LVCFMT_LEFT, widths[i]);
        }
        list.AddTrack(L"Acoustic Grand Piano");
        list.AddTrack(nullptr);
        list.AddTrack(L"Violin");
    }
    CHostWnd host;
    CTrackListCtrl list;
};

TEST_F(TrackListTest, RowsAreNumberedAndUnusedChannelsHaveNoName)
{
    ASSERT_EQ(3, list.GetItemCount());
    EXPECT_EQ(CString(L"1"), list.GetItemText(0, 0));
    EXPECT_EQ(CString(L"3"), list.GetItemText(2, 0));
    EXPECT_EQ(CString(L"Violin"), list.GetItemText(2, 1));
    EXPECT_TRUE(list.GetItemText(1, 1).IsEmpty());
    EXPECT_EQ(3, list.AddTrack(L""));
    EXPECT_EQ(CString(L"4"), list.GetItemText(3, 0));
}

TEST_F(TrackListTest, SoloChangesOnlyWhenTheParentAccepts)
{
    host.m_answer = 0;
    list.OnCellClicked(1, CTrackListCtrl::kColumnSolo);
    auto asked = host.Take(WM_USER + 19);
    ASSERT_EQ(1u, asked.size());
    EXPECT_EQ(1u, asked[0].wParam);
    EXPECT_EQ(1, asked[0].lParam);
    EXPECT_FALSE(list.IsSolo(1));
    EXPECT_TRUE(list.GetItemText(1, CTrackListCtrl::kColumnSolo).IsEmpty());
    EXPECT_FALSE(list.IsModified());

    host.m_answer = 1;
    list.OnCellClicked(1, CTrackListCtrl::kColumnSolo);
    EXPECT_TRUE(list.IsSolo(1));
    EXPECT_FALSE(list.GetItemText(1, CTrackListCtrl::kColumnSolo).IsEmpty());
    EXPECT_TRUE(list.IsModified());

    // Switching off asks with state 0; a refusal keeps it on.
    host.Take(WM_USER + 19);
    host.m_answer = 0;
    list.OnCellClicked(1, CTrackListCtrl::kColumnSolo);
    asked = host.Take(WM_USER + 19);
    ASSERT_EQ(1u, asked.size());
    EXPECT_EQ(0, asked[0].lParam);
    EXPECT_TRUE(list.IsSolo(1));
}

TEST_F(TrackListTest, MuteAsksWithItsOwnMessageAndAMouseClickReachesIt)
{
    CRect cell;
    ASSERT_TRUE(list.GetSubItemRect(2, CTrackListCtrl::kColumnMute, LVIR_BOUNDS, cell));
    host.m_answer = 1;
    // The release is queued first: the list's own press handling may wait for it.
    list.PostMessage(WM_LBUTTONUP, 0, PointParam(cell.CenterPoint().x, cell.CenterPoint().y));
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(cell.CenterPoint().x, cell.CenterPoint().y));
    Pump(20);
    const auto asked = host.Take(WM_USER + 20);
    ASSERT_EQ(1u, asked.size());
    EXPECT_EQ(2u, asked[0].wParam);
    EXPECT_EQ(1, asked[0].lParam);
    EXPECT_TRUE(list.IsMuted(2));
    EXPECT_FALSE(list.IsSolo(2));
    EXPECT_TRUE(host.Take(WM_USER + 19).empty());
}

TEST_F(TrackListTest, RemoveAndMelodyAreTheListsOwnChoices)
{
    list.OnCellClicked(0, CTrackListCtrl::kColumnRemove);
    EXPECT_TRUE(list.IsRemoved(0));
    EXPECT_TRUE(host.m_received.empty());
    EXPECT_TRUE(list.IsModified());

    list.OnCellClicked(2, CTrackListCtrl::kColumnMelody);
    list.OnCellClicked(0, CTrackListCtrl::kColumnMelody);
    EXPECT_EQ(2, list.GetMainMelodyRow());
    EXPECT_EQ(0, list.GetSecondMelodyRow());
    // Unmarking the main melody promotes the second one.
    list.OnCellClicked(2, CTrackListCtrl::kColumnMelody);
    EXPECT_EQ(0, list.GetMainMelodyRow());
    EXPECT_EQ(-1, list.GetSecondMelodyRow());
    EXPECT_FALSE(list.GetItemText(0, CTrackListCtrl::kColumnMelody).IsEmpty());
    EXPECT_TRUE(list.GetItemText(2, CTrackListCtrl::kColumnMelody).IsEmpty());

    list.ClearColumnMaps();
    list.ResetMelodyRows();
    list.SetModified(false);
    EXPECT_FALSE(list.IsRemoved(0));
    EXPECT_TRUE(list.GetRemoveMap().empty());
    EXPECT_EQ(-1, list.GetMainMelodyRow());
    EXPECT_TRUE(list.GetItemText(0, CTrackListCtrl::kColumnRemove).IsEmpty());
    EXPECT_FALSE(list.IsModified());
}

TEST_F(TrackListTest, ClicksOutsideTheRowsOrOnTextColumnsChangeNothing)
{
    list.OnCellClicked(7, CTrackListCtrl::kColumnSolo);
    list.OnCellClicked(0, CTrackListCtrl::kColumnInstrument);
    EXPECT_TRUE(host.m_received.empty());
    EXPECT_FALSE(list.IsModified());
}

class PositionBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost());
        placeholder = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 20, 40, 320, 20, host.m_hWnd,
                                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(1033)), nullptr, nullptr);
        ASSERT_NE(nullptr, placeholder);
        ASSERT_TRUE(bar.CreateOnPlaceholder(&host, 1033));
        bar.SetRange(0, 299);
    }
    CHostWnd host;
    HWND placeholder = nullptr;
    CSkinScrollBar bar;
};

TEST_F(PositionBarTest, TakesThePlaceholdersPlaceAndId)
{
    EXPECT_FALSE(::IsWindow(placeholder));
    EXPECT_EQ(bar.m_hWnd, ::GetDlgItem(host.m_hWnd, 1033));
    CRect rect;
    bar.GetWindowRect(&rect);
    host.ScreenToClient(&rect);
    EXPECT_EQ(CRect(20, 40, 340, 60), rect);
    bar.SetPos(1000);
    EXPECT_EQ(299, bar.GetPos());
    bar.SetPos(-5);
    EXPECT_EQ(0, bar.GetPos());
}

TEST_F(PositionBarTest, ReleaseIsReportedOnceAndNotWhileDragging)
{
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(100, 10));
    EXPECT_TRUE(bar.m_bDragging);
    bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, PointParam(200, 10));
    const int whileDragging = bar.GetPos();
    EXPECT_GT(whileDragging, 0);
    EXPECT_TRUE(host.Take(WM_USER + 18).empty());
    bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, PointParam(10000, 10));
    EXPECT_EQ(299, bar.GetPos());
    bar.SendMessage(WM_LBUTTONUP, 0, PointParam(250, 10));
    const auto released = host.Take(WM_USER + 18);
    ASSERT_EQ(1u, released.size());
    EXPECT_EQ(1033u, released[0].wParam);
    EXPECT_FALSE(bar.m_bDragging);
    EXPECT_LT(bar.GetPos(), 299);
    EXPECT_GT(bar.GetPos(), whileDragging);
    // A release without a press, and mouse moves without one, say nothing.
    bar.SendMessage(WM_MOUSEMOVE, 0, PointParam(20, 10));
    bar.SendMessage(WM_LBUTTONUP, 0, PointParam(20, 10));
    EXPECT_TRUE(host.Take(WM_USER + 18).empty());
}

TEST_F(PositionBarTest, ADisabledBarIgnoresTheMouse)
{
    bar.EnableWindow(FALSE);
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(200, 10));
    bar.SendMessage(WM_LBUTTONUP, 0, PointParam(200, 10));
    EXPECT_EQ(0, bar.GetPos());
    EXPECT_TRUE(host.Take(WM_USER + 18).empty());
}

TEST_F(PositionBarTest, ThumbFollowsThePosition)
{
    bar.SetPos(0);
    const int left = bar.ThumbCentreX();
    bar.SetPos(299);
    const int right = bar.ThumbCentreX();
    bar.SetPos(150);
    const int middle = bar.ThumbCentreX();
    EXPECT_LT(left, middle);
    EXPECT_LT(middle, right);
    EXPECT_NEAR(150, bar.PositionFromX(middle), 1);
}

class PageTreeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.CreateHost());
        ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_FULLROWSELECT | TVS_SHOWSELALWAYS, CRect(0, 0, 240, 400),
                                &host, 32769));
        tree.SetItemHeight(50);
    }
    CHostWnd host;
    CTreeCtrlBT tree;
};

TEST_F(PageTreeTest, SelectionIsReportedWithTheItem)
{
    HTREEITEM group = tree.InsertItemWithBitmap(L"Transfer", TVI_ROOT, IDB_TEST_ITEM);
    HTREEITEM song = tree.InsertItemWithBitmap(L"Song", group, IDB_TEST_ITEM);
    HTREEITEM style = tree.InsertItemWithBitmap(L"Style", group, 0);
    ASSERT_NE(nullptr, song);
    tree.Expand(group, TVE_EXPAND);
    EXPECT_EQ(3u, tree.GetRecordCount());
    EXPECT_EQ(static_cast<UINT>(IDB_TEST_ITEM), tree.GetItemBitmapId(song));
    host.m_received.clear();

    ASSERT_TRUE(tree.SelectTreeItem(style));
    auto selected = host.Take(WM_USER + 1);
    ASSERT_EQ(1u, selected.size());
    EXPECT_EQ(reinterpret_cast<WPARAM>(style), selected[0].wParam);

    // Selecting the selected item again is no change.
    tree.SelectTreeItem(style);
    EXPECT_TRUE(host.Take(WM_USER + 1).empty());
    tree.SelectTreeItem(song);
    selected = host.Take(WM_USER + 1);
    ASSERT_EQ(1u, selected.size());
    EXPECT_EQ(reinterpret_cast<WPARAM>(song), selected[0].wParam);
}

TEST_F(PageTreeTest, RecordsGoWithTheirItems)
{
    HTREEITEM group = tree.InsertItemWithBitmap(L"Edit", TVI_ROOT, IDB_TEST_ITEM);
    tree.InsertItemWithBitmap(L"Edit song", group, IDB_TEST_ITEM);
    HTREEITEM other = tree.InsertItemWithBitmap(L"Other", TVI_ROOT, 0);
    EXPECT_EQ(3u, tree.GetRecordCount());
    tree.DeleteItem(group);  // and its child
    EXPECT_EQ(1u, tree.GetRecordCount());
    EXPECT_TRUE(tree.HasRecord(other));
    tree.DeleteAllItemsWithRecords();
    EXPECT_EQ(0u, tree.GetRecordCount());
    EXPECT_EQ(0u, tree.GetCount());
}

TEST_F(PageTreeTest, DragPositionMarksTheItemUnderIt)
{
    HTREEITEM first = tree.InsertItemWithBitmap(L"First", TVI_ROOT, IDB_TEST_ITEM);
    tree.InsertItemWithBitmap(L"Second", TVI_ROOT, IDB_TEST_ITEM);
    CRect rect;
    std::memcpy(&rect.left, &first, sizeof(first));
    ASSERT_TRUE(tree.SendMessage(TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect.left)));
    CPoint point = rect.CenterPoint();
    tree.ClientToScreen(&point);
    EXPECT_EQ(first, tree.OnDragOver(point));
    EXPECT_EQ(first, tree.GetDropTarget());
    EXPECT_EQ(first, tree.GetNextItem(nullptr, TVGN_DROPHILITE));
    EXPECT_EQ(nullptr, tree.OnDragOver(CPoint(-5000, -5000)));
    tree.OnDragEnd();
    EXPECT_EQ(nullptr, tree.GetDropTarget());
}

TEST(SectionList, MissingSectionsAreTold)
{
    CHostWnd host;
    ASSERT_TRUE(host.CreateHost());
    CSecListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 360, 200), &host, 1162));
    list.InsertColumn(0, L"Section", LVCFMT_LEFT, 180);
    list.InsertColumn(1, L"State", LVCFMT_LEFT, 180);
    list.InsertItem(0, L"INTRO A");
    list.SetItemText(0, 1, L"Y");
    list.InsertItem(1, L"MAIN A");
    list.SetItemText(1, 1, L"N");
    EXPECT_FALSE(list.IsMissingRow(0));
    EXPECT_TRUE(list.IsMissingRow(1));
    list.UpdateWindow();  // custom draw runs without failing
}

} // namespace

namespace {

// The pixels of this colour in what the window prints of its client area.
size_t CountPixels(HWND hWnd, COLORREF colour)
{
    RECT client{};
    ::GetClientRect(hWnd, &client);
    return menus_test::CountOf(menus_test::PaintedPixels(client.right, client.bottom, [hWnd](HDC dc) {
                                   ::SendMessageW(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
                               }),
                               colour);
}

TEST_F(PositionBarTest, ThePlayedPartGrowsWithThePosition)
{
    bar.m_clrFill = RGB(10, 20, 200);
    bar.SetPos(0);
    const size_t atStart = CountPixels(bar.m_hWnd, bar.m_clrFill);
    bar.SetPos(150);
    const size_t atMiddle = CountPixels(bar.m_hWnd, bar.m_clrFill);
    bar.SetPos(299);
    const size_t atEnd = CountPixels(bar.m_hWnd, bar.m_clrFill);
    EXPECT_LT(atStart, atMiddle);
    EXPECT_LT(atMiddle, atEnd);
}

} // namespace
