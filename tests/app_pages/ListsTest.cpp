// The file lists: rows, validity and the size rule, sorting kept across
// refills and in the profile, slot look-ups, drop targets and the drag
// notifications the parent page receives.
#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "app/lists/DevFileListCtrl.h"
#include "app/lists/ListSortSettings.h"
#include "app/lists/PCFileListCtrl.h"
#include "core/profile/AppProfile.h"
#include "tests/app_pages/PagesTestSupport.h"

namespace {

using pagestest::CHostWindow;
using pagestest::Pump;

static_assert(sizeof(void*) != 8 || offsetof(DragNotifyRecord, cursor) == 8,
              "the cursor is a full pointer on x64");
static_assert(sizeof(void*) != 8 || sizeof(DragNotifyRecord) == 24);

constexpr UINT kPcListId = 1025;
constexpr UINT kDevListId = 1027;

class ListsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost());
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS;
        ASSERT_TRUE(m_pc.Create(style, CRect(10, 10, 300, 400), &m_host, kPcListId));
        ASSERT_TRUE(m_dev.Create(style, CRect(320, 10, 610, 200), &m_host, kDevListId));
        m_pc.InsertColumn(0, L"Name", LVCFMT_LEFT, 180);
        m_pc.InsertColumn(1, L"Size", LVCFMT_LEFT, 80);
        m_dev.InsertColumn(0, L"No.", LVCFMT_LEFT, 60);
        m_dev.InsertColumn(1, L"Name", LVCFMT_LEFT, 140);
        m_dev.InsertColumn(2, L"Size", LVCFMT_LEFT, 60);
        Pump(20);
    }
    void TearDown() override { EndListDrag(); }

    void SelectOnly(CListCtrl& list, std::initializer_list<int> rows)
    {
        for (int i = 0; i < list.GetItemCount(); ++i) {
            list.SetItemState(i, 0, LVIS_SELECTED);
        }
        for (int row : rows) {
            list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
        }
    }

    // The reflected LVN_BEGINDRAG the control sends its parent.
    void BeginDrag(CListCtrl& list)
    {
        NMLISTVIEW info{};
        info.hdr.hwndFrom = list.m_hWnd;
        info.hdr.idFrom = static_cast<UINT_PTR>(list.GetDlgCtrlID());
        info.hdr.code = LVN_BEGINDRAG;
        info.iItem = 0;
        info.ptAction = CPoint(20, 20);
        m_host.SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    }

    CPoint ScreenPointOfRow(CListCtrl& list, int row)
    {
        CRect rect;
        list.GetItemRect(row, &rect, LVIR_BOUNDS);
        CPoint point(rect.left + 5, rect.top + rect.Height() / 2);
        list.ClientToScreen(&point);
        return point;
    }

    CHostWindow m_host;
    CPCFileListCtrl m_pc;
    CDevFileListCtrl m_dev;
};

CString Texts(CListCtrl& list, int column)
{
    CString all;
    for (int i = 0; i < list.GetItemCount(); ++i) {
        all += list.GetItemText(i, column) + L";";
    }
    return all;
}

TEST_F(ListsTest, PcRowsCarryTheSizeTextAndTheSizeRule)
{
    m_pc.SetMaxSize(2048);
    EXPECT_EQ(0, m_pc.AddFile(L"small.mid", 1536, FALSE, CPCFileListCtrl::kImageValid));
    EXPECT_EQ(1, m_pc.AddFile(L"large.mid", 4096, FALSE, CPCFileListCtrl::kImageValid));
    EXPECT_EQ(-1, m_pc.AddFile(L"SMALL.MID", 10, FALSE, 0)) << "names are compared without case";
    EXPECT_EQ(2, m_pc.GetItemCount());

    EXPECT_EQ(CString(L"1.50"), m_pc.GetItemText(0, 1));
    EXPECT_EQ(CString(L"4.00"), m_pc.GetItemText(1, 1));
    EXPECT_EQ(0, m_pc.GetFileItem(0)->invalid);
    EXPECT_EQ(1, m_pc.GetFileItem(1)->invalid);

    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = 1;
    m_pc.GetItem(&item);
    EXPECT_EQ(CPCFileListCtrl::kImageInvalid, item.iImage) << "an oversized file shows the invalid image";
    EXPECT_TRUE(m_pc.CanDrag(0));
    EXPECT_FALSE(m_pc.CanDrag(1));
    EXPECT_FALSE(m_pc.CanDrag(7));

    SelectOnly(m_pc, {0});
    EXPECT_FALSE(m_pc.HasInvalidSelection());
    SelectOnly(m_pc, {0, 1});
    EXPECT_TRUE(m_pc.HasInvalidSelection());
}

TEST_F(ListsTest, AnExactSizeMarksEveryOtherSizeInvalid)
{
    m_pc.SetMaxSize(10);  // ignored while an exact size is set
    m_pc.SetExactSize(512);
    EXPECT_EQ(0, m_pc.AddFile(L"a.vce", 512, FALSE, 0));
    EXPECT_EQ(1, m_pc.AddFile(L"b.vce", 511, FALSE, 0));
    EXPECT_EQ(2, m_pc.AddFile(L"c.vce", 100000, FALSE, -1));
    EXPECT_EQ(0, m_pc.GetFileItem(0)->invalid);
    EXPECT_EQ(1, m_pc.GetFileItem(1)->invalid);
    EXPECT_EQ(1, m_pc.GetFileItem(2)->invalid);
    // A file the caller already found broken stays invalid.
    EXPECT_EQ(3, m_pc.AddFile(L"d.vce", 512, TRUE, 1));
    EXPECT_EQ(1, m_pc.GetFileItem(3)->invalid);
}

TEST_F(ListsTest, PcSortPutsInvalidFilesFirstThenByNameOrSize)
{
    m_pc.SetMaxSize(5000);
    m_pc.AddFile(L"bravo.mid", 300, FALSE, 0);
    m_pc.AddFile(L"Alpha.mid", 900, FALSE, 0);
    m_pc.AddFile(L"zulu.mid", 9000, FALSE, 0);  // too large
    m_pc.AddFile(L"charlie.mid", 100, FALSE, 0);

    m_pc.Sort(0, TRUE);
    EXPECT_EQ(CString(L"zulu.mid;Alpha.mid;bravo.mid;charlie.mid;"), Texts(m_pc, 0));
    m_pc.Sort(1, FALSE);
    EXPECT_EQ(CString(L"Alpha.mid;bravo.mid;charlie.mid;zulu.mid;"), Texts(m_pc, 0))
        << "descending reverses the whole order, invalid files included";
    // Records follow their rows.
    EXPECT_EQ(CString(L"Alpha.mid"), m_pc.GetFileItem(0)->name);
}

// A fill leaves out a name met again (without case; the first listed stays),
// applies the size rule and sorts as the header says, invalid files first.
TEST_F(ListsTest, AFillDropsRepeatedNamesAndSortsAsTheHeaderSays)
{
    m_pc.SetMaxSize(5000);
    const auto fill = [&] {
        std::vector<PCFileItem> files;
        for (const auto& [name, size] : std::initializer_list<std::pair<const wchar_t*, UINT>>{
                 {L"bravo.mid", 300}, {L"Alpha.mid", 900}, {L"BRAVO.MID", 50}, {L"zulu.mid", 9000},
                 {L"charlie.mid", 100}, {L"alpha.MID", 1}, {L"yankee.mid", 7000}, {L"delta.mid", 300}}) {
            files.push_back({name, size, 0, true});
        }
        m_pc.SetFiles(std::move(files));
    };
    m_pc.Sort(0, TRUE);
    fill();
    EXPECT_EQ(CString(L"yankee.mid;zulu.mid;Alpha.mid;bravo.mid;charlie.mid;delta.mid;"), Texts(m_pc, 0));
    ASSERT_EQ(m_pc.GetRecordCount(), 6u);
    EXPECT_EQ(m_pc.GetFileItem(3)->size, 300u) << "the first bravo listed is the one kept";
    EXPECT_TRUE(m_pc.GetFileItem(0)->invalid && !m_pc.GetFileItem(0)->checkPending) << "too large: not checked";
    EXPECT_TRUE(!m_pc.GetFileItem(2)->invalid && m_pc.GetFileItem(2)->checkPending);
    m_pc.Sort(0, FALSE);
    fill();
    EXPECT_EQ(CString(L"delta.mid;charlie.mid;bravo.mid;Alpha.mid;zulu.mid;yankee.mid;"), Texts(m_pc, 0));
    m_pc.Sort(1, TRUE);
    fill();
    EXPECT_EQ(CString(L"yankee.mid;zulu.mid;charlie.mid;bravo.mid;delta.mid;Alpha.mid;"), Texts(m_pc, 0))
        << "equal sizes stay as listed";
    m_pc.Sort(1, FALSE);
    fill();
    EXPECT_EQ(CString(L"Alpha.mid;bravo.mid;delta.mid;charlie.mid;zulu.mid;yankee.mid;"), Texts(m_pc, 0));
    for (int row = 0; row < m_pc.GetItemCount(); ++row) {
        EXPECT_EQ(m_pc.GetFileItem(row), m_pc.GetRecord(static_cast<std::size_t>(row))) << "records by row";
    }
}

// A fill holds painting off whether or not a scroll bar comes or goes, and
// leaves the list shown with its rows to be painted and its bars right.
TEST_F(ListsTest, AFillLeavesTheListShownAndRepaintedWhetherScrollBarsChangeOrNot)
{
    m_pc.SetMaxSize(1u << 20);
    const auto files = [](int count) {
        std::vector<PCFileItem> items;
        for (int i = 0; i < count; ++i)
            items.push_back({CString(L"file ") + std::to_wstring(100 + i).c_str() + L".mid", 1024, 0, false});
        return items;
    };
    const auto expectShownAndOwed = [&](int rows, bool verticalBar) {
        EXPECT_EQ(m_pc.GetItemCount(), rows);
        EXPECT_TRUE(m_pc.IsWindowVisible()) << "the list must not stay marked hidden";
        EXPECT_EQ((m_pc.GetStyle() & WS_VSCROLL) != 0, verticalBar);
        CRect owed;
        EXPECT_TRUE(::GetUpdateRect(m_pc.m_hWnd, &owed, FALSE)) << "the new rows must be painted";
        Pump(20);
        EXPECT_FALSE(::GetUpdateRect(m_pc.m_hWnd, &owed, FALSE));
    };
    ASSERT_GT(m_pc.GetCountPerPage(), 3);

    m_pc.SetFiles(files(3));  // fits: no bar before or after
    expectShownAndOwed(3, false);
    EXPECT_EQ(m_pc.GetItemText(2, 0), L"file 102.mid");
    m_pc.SetFiles(files(200));  // a bar comes
    expectShownAndOwed(200, true);
    m_pc.SetFiles(files(2));  // and goes
    expectShownAndOwed(2, false);
    EXPECT_EQ(m_pc.GetItemText(1, 1), L"1.00");

    // An outer pause holds every fill's painting until it ends.
    {
        CPCFileListCtrl::UpdatePause pause(m_pc);
        m_pc.SetFiles(files(4));
        EXPECT_FALSE(m_pc.IsWindowVisible()) << "still paused";
    }
    expectShownAndOwed(4, false);
}

// Slots laid out with painting held off come out shown, with their scroll bar
// right and their rows owed a paint; a hidden list is not shown by it.
TEST_F(ListsTest, SlotsLaidOutLeaveTheListAsShownAsBeforeAndRepainted)
{
    const auto expectOwedThenPainted = [&] {
        CRect owed;
        EXPECT_TRUE(::GetUpdateRect(m_dev.m_hWnd, &owed, FALSE)) << "the new rows must be painted";
        Pump(20);
        EXPECT_FALSE(::GetUpdateRect(m_dev.m_hWnd, &owed, FALSE));
    };
    ASSERT_LT(m_dev.GetCountPerPage(), 40);
    m_dev.InitSlots(40);
    EXPECT_EQ(m_dev.GetItemCount(), 40);
    EXPECT_TRUE(m_dev.IsWindowVisible());
    EXPECT_NE(m_dev.GetStyle() & WS_VSCROLL, 0u) << "the bar must come with the rows";
    EXPECT_EQ(m_dev.GetItemText(39, 0), L"40");
    expectOwedThenPainted();

    // Filled inside an outer pause: painted once that ends.
    {
        CDevFileListCtrl::PaintPause pause(m_dev);
        m_dev.InitSlots(3);
        m_dev.SetSlot(1, L"b.sty", 2048);
    }
    EXPECT_EQ(m_dev.GetItemCount(), 3);
    EXPECT_EQ(m_dev.GetStyle() & WS_VSCROLL, 0u) << "the bar must go with the rows";
    EXPECT_EQ(m_dev.GetItemText(1, 1), L"b.sty");
    EXPECT_TRUE(m_dev.IsWindowVisible());
    expectOwedThenPainted();

    m_dev.ShowWindow(SW_HIDE);
    m_dev.InitSlots(5);
    EXPECT_EQ(m_dev.GetItemCount(), 5);
    EXPECT_EQ(m_dev.GetStyle() & WS_VISIBLE, 0u) << "a hidden list must stay hidden";
}

TEST_F(ListsTest, DeviceSortSurvivesARefillAndIsKeptInTheProfile)
{
    pagestest::CScopedProgramFolder folder;
    m_dev.InitSlots(4);
    m_dev.SetSlot(0, L"Delta", 2048);
    m_dev.SetSlot(1, L"alpha", 100);
    m_dev.SetSlot(3, L"Charlie", 5000);
    m_dev.Sort(1, TRUE);
    EXPECT_EQ(CString(L";alpha;Charlie;Delta;"), Texts(m_dev, 1));

    SaveListSort(m_dev, 1, true);
    EXPECT_EQ(1, GetAppProfile().GetListSortColumn(1, true));
    EXPECT_TRUE(GetAppProfile().GetListSortAscending(1, true));

    m_dev.Sort(0, FALSE);
    EXPECT_EQ(CString(L"4;3;2;1;"), Texts(m_dev, 0));
    m_dev.InitSlots(5);  // a refill keeps the header's order
    EXPECT_EQ(CString(L"5;4;3;2;1;"), Texts(m_dev, 0));
    EXPECT_EQ(4, m_dev.FindRowBySlot(0));
    EXPECT_EQ(0, m_dev.FindRowBySlot(4));

    // Another list of the same kind picks the stored order up.
    CDevFileListCtrl other;
    ASSERT_TRUE(other.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 200, 200), &m_host, 2000));
    other.InsertColumn(0, L"No.", LVCFMT_LEFT, 40);
    other.InsertColumn(1, L"Name", LVCFMT_LEFT, 80);
    other.InsertColumn(2, L"Size", LVCFMT_LEFT, 40);
    LoadListSort(other, 1, true);
    other.InitSlots(3);
    other.SetSlot(0, L"b", 1);
    other.SetSlot(1, L"A", 1);
    other.SetSlot(2, L"c", 1);
    other.Sort(other.GetHeaderCtrl().GetSortColumn(), other.GetHeaderCtrl().IsAscending());
    EXPECT_EQ(1, other.GetHeaderCtrl().GetSortColumn());
    EXPECT_EQ(CString(L"A;b;c;"), Texts(other, 1));
    other.DestroyWindow();
}

// Counts the paint switches (WM_SETREDRAW) sent to the lists of this thread.
class RedrawSwitchCount {
public:
    RedrawSwitchCount()
    {
        s_count = 0;
        m_hook = ::SetWindowsHookExW(WH_CALLWNDPROC, &Count, nullptr, ::GetCurrentThreadId());
    }
    ~RedrawSwitchCount() { ::UnhookWindowsHookEx(m_hook); }
    RedrawSwitchCount(const RedrawSwitchCount&) = delete;
    RedrawSwitchCount& operator=(const RedrawSwitchCount&) = delete;
    bool Hooked() const { return m_hook != nullptr; }
    int Taken()
    {
        const int count = s_count;
        s_count = 0;
        return count;
    }

private:
    static LRESULT CALLBACK Count(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lParam)->message == WM_SETREDRAW)
            ++s_count;
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline int s_count = 0;
    HHOOK m_hook = nullptr;
};

// A sort that moves no row (an empty list, or one already in that order, as a
// start's page is when its saved order is applied) marks the header and
// repaints the list, but does not turn its painting off and on: that lays the
// header and scroll bars out again. A sort that moves rows still does.
TEST_F(ListsTest, ASortThatMovesNoRowMarksTheHeaderAndRepaintsWithoutAPause)
{
    RedrawSwitchCount switches;
    ASSERT_TRUE(switches.Hooked());
    const auto expectOwedThenPainted = [](CListCtrl& list) {
        CRect owed;
        EXPECT_TRUE(::GetUpdateRect(list.m_hWnd, &owed, FALSE)) << "the sorted column's look may have changed";
        Pump(20);
        EXPECT_FALSE(::GetUpdateRect(list.m_hWnd, &owed, FALSE));
    };
    m_pc.SetMaxSize(5000);
    Pump(20);
    switches.Taken();
    m_pc.Sort(1, FALSE);  // empty
    EXPECT_EQ(1, m_pc.GetHeaderCtrl().GetSortColumn());
    EXPECT_FALSE(m_pc.GetHeaderCtrl().IsAscending());
    EXPECT_EQ(0, switches.Taken());
    expectOwedThenPainted(m_pc);

    m_pc.AddFile(L"Alpha.mid", 100, FALSE, 0);
    m_pc.AddFile(L"bravo.mid", 200, FALSE, 0);
    m_pc.AddFile(L"charlie.mid", 300, FALSE, 0);
    Pump(20);
    switches.Taken();
    m_pc.Sort(0, TRUE);  // already in this order
    EXPECT_EQ(0, switches.Taken());
    EXPECT_EQ(0, m_pc.GetHeaderCtrl().GetSortColumn());
    EXPECT_TRUE(m_pc.GetHeaderCtrl().IsAscending());
    EXPECT_EQ(CString(L"Alpha.mid;bravo.mid;charlie.mid;"), Texts(m_pc, 0));
    EXPECT_TRUE(m_pc.IsWindowVisible());
    expectOwedThenPainted(m_pc);

    m_pc.Sort(1, FALSE);  // reversed: the rows move under a pause
    EXPECT_GT(switches.Taken(), 0);
    EXPECT_EQ(CString(L"charlie.mid;bravo.mid;Alpha.mid;"), Texts(m_pc, 0));
    for (int row = 0; row < m_pc.GetItemCount(); ++row)
        EXPECT_EQ(m_pc.GetFileItem(row)->name, m_pc.GetItemText(row, 0)) << "records follow their rows";
    EXPECT_TRUE(m_pc.IsWindowVisible());
    expectOwedThenPainted(m_pc);

    m_dev.InitSlots(3);
    m_dev.SetSlot(0, L"a", 1);
    m_dev.SetSlot(1, L"b", 1);
    m_dev.SetSlot(2, L"c", 1);
    Pump(20);
    switches.Taken();
    m_dev.Sort(0, TRUE);  // slots stand in their order
    EXPECT_EQ(0, switches.Taken());
    EXPECT_EQ(0, m_dev.GetHeaderCtrl().GetSortColumn());
    EXPECT_EQ(CString(L"1;2;3;"), Texts(m_dev, 0));
    expectOwedThenPainted(m_dev);
    m_dev.Sort(1, FALSE);
    EXPECT_GT(switches.Taken(), 0);
    EXPECT_EQ(CString(L"c;b;a;"), Texts(m_dev, 1));
    EXPECT_EQ(2, m_dev.FindRowBySlot(0)) << "slots are found where their rows went";
}

TEST_F(ListsTest, SlotLookupsAnswerForRowsAndSlots)
{
    m_dev.InitSlots(5);
    EXPECT_EQ(5, m_dev.GetItemCount());
    EXPECT_EQ(CString(L"1;2;3;4;5;"), Texts(m_dev, 0));
    EXPECT_EQ(2, m_dev.SetSlot(2, L"Song C", 3072));
    EXPECT_EQ(CString(L"3.00"), m_dev.GetItemText(2, 2));
    EXPECT_EQ(-1, m_dev.SetSlot(5, L"past the end", 1));
    EXPECT_EQ(-1, m_dev.SetSlot(-1, L"negative", 1));
    m_dev.SetSlot(4, L"Song E", 10);
    EXPECT_EQ(2, m_dev.CountUsedSlots());

    EXPECT_TRUE(m_dev.IsSlotFree(0));
    EXPECT_FALSE(m_dev.IsSlotFree(2));
    EXPECT_FALSE(m_dev.IsSlotFree(9));
    CUIntArray rows;
    EXPECT_TRUE(m_dev.AreSlotsFree(rows)) << "no rows: nothing is taken";
    rows.Add(0);
    rows.Add(1);
    EXPECT_TRUE(m_dev.AreSlotsFree(rows));
    rows.Add(4);
    EXPECT_FALSE(m_dev.AreSlotsFree(rows));

    CStringArray names;
    CUIntArray sizes;
    CUIntArray slots;
    rows.RemoveAll();
    rows.Add(4);
    rows.Add(2);
    ASSERT_TRUE(m_dev.GetSlotNames(rows, names));
    ASSERT_TRUE(m_dev.GetSlotSizes(rows, sizes));
    EXPECT_EQ(CString(L"Song E"), names[0]);
    EXPECT_EQ(3072u, sizes[1]);
    rows.Add(7);
    EXPECT_FALSE(m_dev.GetSlotNames(rows, names)) << "a row past the end";

    SelectOnly(m_dev, {0, 2, 4});
    m_dev.GetSelectedSlotNumbers(slots);
    ASSERT_EQ(2, slots.GetSize()) << "free slots are skipped";
    EXPECT_EQ(2u, slots[0]);
    EXPECT_EQ(4u, slots[1]);
    m_dev.GetSelectedUsedRows(rows);
    ASSERT_EQ(2, rows.GetSize());

    m_dev.ClearSlot(2);
    EXPECT_TRUE(m_dev.IsSlotFree(2));
    EXPECT_TRUE(m_dev.GetItemText(2, 2).IsEmpty());
    m_dev.ClearAll();
    EXPECT_EQ(0, m_dev.CountUsedSlots());
}

TEST_F(ListsTest, DropTargetsStartUnderThePointAndStopAtTheLastVisibleRow)
{
    m_dev.InitSlots(40);  // more rows than the list shows
    int first = 0;
    int last = 0;
    m_dev.GetVisibleRange(first, last);
    ASSERT_EQ(0, first);
    ASSERT_LT(last, 39);

    CUIntArray rows;
    const CPoint row2 = ScreenPointOfRow(m_dev, 2);
    m_dev.GetDropSlots(3, row2.x, row2.y, rows);
    ASSERT_EQ(3, rows.GetSize());
    EXPECT_EQ(2u, rows[0]);
    EXPECT_EQ(4u, rows[2]);

    // The last visible row is the one after the rows a page holds in full.
    EXPECT_EQ(m_dev.GetCountPerPage(), last);
    const CPoint lastFull = ScreenPointOfRow(m_dev, last - 1);
    m_dev.GetDropSlots(5, lastFull.x, lastFull.y, rows);
    ASSERT_EQ(2, rows.GetSize()) << "a drop never reaches past the last visible row";
    EXPECT_EQ(static_cast<UINT>(last - 1), rows[0]);
    EXPECT_EQ(static_cast<UINT>(last), rows[1]);

    CRect window;
    m_dev.GetWindowRect(&window);
    m_dev.GetDropSlots(2, window.right + 20, row2.y, rows);
    EXPECT_EQ(0, rows.GetSize());
}

TEST_F(ListsTest, DropMarkerIsDrawnOverTheBandAndErasedOutside)
{
    CDevFileListCtrl empty;
    ASSERT_TRUE(empty.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 100, 100), &m_host, 2001));
    EXPECT_FALSE(empty.TrackDrop(1, 0, 0));
    empty.DestroyWindow();

    m_dev.InitSlots(6);
    const CPoint row1 = ScreenPointOfRow(m_dev, 1);
    EXPECT_TRUE(m_dev.TrackDrop(2, row1.x, row1.y));
    CRect row1Rect;
    CRect row2Rect;
    m_dev.GetItemRect(1, &row1Rect, LVIR_BOUNDS);
    m_dev.GetItemRect(2, &row2Rect, LVIR_BOUNDS);
    EXPECT_EQ(row1Rect.top, m_dev.GetDropMarkerRect().top);
    EXPECT_EQ(row2Rect.bottom, m_dev.GetDropMarkerRect().bottom);

    CRect window;
    m_dev.GetWindowRect(&window);
    EXPECT_TRUE(m_dev.TrackDrop(2, window.right + 30, row1.y)) << "the shown marker is erased";
    EXPECT_TRUE(m_dev.GetDropMarkerRect().IsRectEmpty());
    EXPECT_FALSE(m_dev.TrackDrop(2, window.right + 30, row1.y));

    m_dev.TrackDrop(1, row1.x, row1.y);
    EXPECT_EQ(0, m_dev.ClearDropMarker(row1.x, row1.y));
    EXPECT_TRUE(m_dev.GetDropMarkerRect().IsRectEmpty());
}

TEST_F(ListsTest, ADragReportsBeginMoveAndDropToTheParent)
{
    m_pc.SetMaxSize(100000);
    m_pc.AddFile(L"one.mid", 10, FALSE, 0);
    m_pc.AddFile(L"two.mid", 10, TRUE, 1);  // broken: never dragged
    m_pc.AddFile(L"three.mid", 10, FALSE, 0);
    SelectOnly(m_pc, {0, 1, 2});

    BeginDrag(m_pc);
    ASSERT_EQ(1u, m_host.notifies.size());
    const auto& begin = m_host.notifies[0];
    EXPECT_EQ(static_cast<uint32_t>(LIST_DRAG_BEGIN), begin.record.code);
    EXPECT_EQ(kPcListId, begin.record.controlId);
    EXPECT_EQ(2u, begin.record.rowCount);
    EXPECT_TRUE(begin.cursorPointerSet);
    POINT now{};
    ::GetCursorPos(&now);
    EXPECT_EQ(now.x, begin.cursor.x);
    ASSERT_EQ(2, m_pc.GetDraggedRows().GetSize());
    EXPECT_EQ(0u, m_pc.GetDraggedRows()[0]);
    EXPECT_EQ(2u, m_pc.GetDraggedRows()[1]);
    EXPECT_TRUE(IsListDragging());
    EXPECT_EQ(m_pc.m_hWnd, ::GetCapture());
    EXPECT_EQ(nullptr, m_pc.GetDragRecord().cursor) << "the point is not kept past the call";

    m_pc.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(30, 30));
    ASSERT_EQ(2u, m_host.notifies.size());
    EXPECT_EQ(static_cast<uint32_t>(LIST_DRAG_MOVE), m_host.notifies[1].record.code);

    m_pc.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(30, 30));
    ASSERT_EQ(3u, m_host.notifies.size());
    EXPECT_EQ(static_cast<uint32_t>(LIST_DRAG_DROP), m_host.notifies[2].record.code);
    EXPECT_EQ(2u, m_host.notifies[2].record.rowCount);
    EXPECT_FALSE(IsListDragging());
    EXPECT_NE(m_pc.m_hWnd, ::GetCapture());

    // No drag: moves and releases say nothing.
    m_pc.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(31, 31));
    m_pc.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(31, 31));
    EXPECT_EQ(3u, m_host.notifies.size());
}

TEST_F(ListsTest, EscapeCancelsADragAndOtherKeysAreSwallowed)
{
    m_dev.InitSlots(3);
    m_dev.SetSlot(0, L"Used", 1);
    SelectOnly(m_dev, {0});
    BeginDrag(m_dev);
    ASSERT_EQ(1u, m_host.notifies.size());
    EXPECT_EQ(kDevListId, m_host.notifies[0].record.controlId);

    MSG key{m_dev.m_hWnd, WM_KEYDOWN, VK_DOWN, 0, 0, {}};
    EXPECT_TRUE(m_dev.PreTranslateMessage(&key));
    EXPECT_EQ(1u, m_host.notifies.size());
    EXPECT_TRUE(IsListDragging());

    MSG escape{m_dev.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_TRUE(m_dev.PreTranslateMessage(&escape));
    ASSERT_EQ(2u, m_host.notifies.size());
    EXPECT_EQ(static_cast<uint32_t>(LIST_DRAG_CANCEL), m_host.notifies[1].record.code);
    EXPECT_FALSE(IsListDragging());

    // After the drag, keys reach the list again.
    EXPECT_FALSE(m_dev.PreTranslateMessage(&key));
}

TEST_F(ListsTest, FreeSlotsAndADisabledListStartNoDrag)
{
    m_dev.InitSlots(3);
    m_dev.SetSlot(2, L"Used", 10);
    EXPECT_FALSE(m_dev.CanDrag(0)) << "a free slot has nothing to drag";
    EXPECT_TRUE(m_dev.CanDrag(2));
    EXPECT_EQ(CString(L"Used"), m_dev.GetDragText(2));
    EXPECT_TRUE(m_dev.GetDragText(5).IsEmpty());
    SelectOnly(m_dev, {0, 1});
    BeginDrag(m_dev);
    EXPECT_TRUE(m_host.notifies.empty());
    EXPECT_FALSE(IsListDragging());
    EXPECT_EQ(0, m_dev.GetDraggedRows().GetSize());
    m_dev.EnableDrag(FALSE);
    EXPECT_FALSE(m_dev.CanDrag(2));
}

TEST_F(ListsTest, RowsScrolledOutOfViewAreStillDragged)
{
    m_pc.SetMaxSize(100000);
    for (int i = 0; i < 60; ++i) {
        CString name;
        name.Format(L"file%02d.mid", i);
        m_pc.AddFile(name, 10, FALSE, 0);
    }
    SelectOnly(m_pc, {1, 58});
    BeginDrag(m_pc);
    ASSERT_EQ(1u, m_host.notifies.size());
    EXPECT_EQ(2u, m_host.notifies[0].record.rowCount);
    ASSERT_EQ(2, m_pc.GetDraggedRows().GetSize());
    EXPECT_EQ(58u, m_pc.GetDraggedRows()[1]);
    EndListDrag();
    ::ReleaseCapture();
}

}  // namespace
