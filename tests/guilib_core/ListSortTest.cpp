// Sorting the library's list by column and direction, with ties, and the
// header's sort state set by code and by clicks.
#include <gtest/gtest.h>

#include "tests/guilib_core/ListTestSupport.h"

#include <vector>

namespace {

using list_test::CListHost;

std::vector<CString> Names(std::initializer_list<const wchar_t*> names)
{
    std::vector<CString> result;
    for (const wchar_t* name : names) {
        result.emplace_back(name);
    }
    return result;
}

class ListSortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Create());
        host.AddRow(3, L"c");
        host.AddRow(1, L"a");
        host.AddRow(2, L"b1");
        host.AddRow(2, L"b2");
        host.AddRow(1, L"a2");
    }
    CListHost host;
};

TEST_F(ListSortTest, AscendingKeepsTiesInTheirOrder)
{
    host.List().Sort(0, TRUE);
    EXPECT_EQ(Names({L"a", L"a2", L"b1", L"b2", L"c"}), host.Names());
    EXPECT_GT(host.List().compared, 0);
    // Item data still belongs to the row shown.
    for (int i = 0; i < host.List().GetItemCount(); ++i) {
        const auto& row = host.List().rows.at(host.List().GetItemData(i));
        EXPECT_EQ(row.name, host.List().GetItemText(i, 1));
    }
}

TEST_F(ListSortTest, DescendingReversesTheComparisonButNotTheTies)
{
    host.List().Sort(0, FALSE);
    EXPECT_EQ(Names({L"c", L"b1", L"b2", L"a", L"a2"}), host.Names());
    host.List().Sort(1, FALSE);
    EXPECT_EQ(Names({L"c", L"b2", L"b1", L"a2", L"a"}), host.Names());
    host.List().Sort(1, TRUE);
    EXPECT_EQ(Names({L"a", L"a2", L"b1", L"b2", L"c"}), host.Names());
}

TEST_F(ListSortTest, HeaderStateRoundTrip)
{
    CKGPHeaderCtrl& header = host.List().GetHeaderCtrl();
    EXPECT_EQ(-1, header.GetSortColumn());
    header.SetSortColumn(1, FALSE);
    // Re-sorting after a refill reads the state back.
    host.AddRow(0, L"z");
    host.List().Sort(header.GetSortColumn(), header.IsAscending());
    EXPECT_EQ(CString(L"z"), host.Names().front());
    host.List().Sort(0, TRUE);
    EXPECT_EQ(0, header.GetSortColumn());
    EXPECT_TRUE(header.IsAscending());
    host.List().Sort(-1);
    EXPECT_EQ(-1, header.GetSortColumn());
}

TEST_F(ListSortTest, HeaderClicksSortAndToggleTheDirection)
{
    CKGPHeaderCtrl& header = host.List().GetHeaderCtrl();
    auto click = [&header](int column) {
        CRect rect;
        header.GetItemRect(column, &rect);
        const CPoint point = rect.CenterPoint();
        header.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        header.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        list_test::Pump(10);
    };
    click(1);
    EXPECT_EQ(1, header.GetSortColumn());
    EXPECT_TRUE(header.IsAscending());
    EXPECT_EQ(Names({L"a", L"a2", L"b1", L"b2", L"c"}), host.Names());
    click(1);
    EXPECT_EQ(1, header.GetSortColumn());
    EXPECT_FALSE(header.IsAscending());
    EXPECT_EQ(Names({L"c", L"b2", L"b1", L"a2", L"a"}), host.Names());
    click(0);
    EXPECT_EQ(0, header.GetSortColumn());
    EXPECT_TRUE(header.IsAscending());
    host.List().EnableHeaderClickSort(FALSE);
    click(1);
    EXPECT_EQ(0, header.GetSortColumn());
}

TEST(ListSortEmpty, SortingAnEmptyListOnlyMarksTheHeader)
{
    CListHost host;
    ASSERT_TRUE(host.Create());
    host.List().Sort(1, FALSE);
    EXPECT_EQ(0, host.List().compared);
    EXPECT_EQ(1, host.List().GetHeaderCtrl().GetSortColumn());
}

} // namespace
