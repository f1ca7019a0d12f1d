// The driver itself, on a window of this process made for the purpose: list and
// tree contents read through another process's path must match what was put in.
#include "tests/e2e/OtherProcessWindows.h"
#include "tests/e2e/SampleFiles.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace e2e {
namespace {

struct WindowDeleter {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using WindowHolder = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

TEST(Driver, ReadsAndSelectsListRowsThroughTheProcessBuffer) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WindowHolder list(CreateWindowExW(0, WC_LISTVIEWW, L"", WS_POPUP | LVS_REPORT, 0, 0, 300, 200, nullptr,
                                      nullptr, nullptr, nullptr));
    ASSERT_TRUE(list);
    for (int column = 0; column < 2; ++column) {
        LVCOLUMNW header{};
        header.mask = LVCF_WIDTH;
        header.cx = 100;
        ListView_InsertColumn(list.get(), column, &header);
    }
    const wchar_t* names[] = {L"first.mid", L"second.mid", L"\x6B4C.mid"};
    for (int row = 0; row < 3; ++row) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<LPWSTR>(names[row]);
        ListView_InsertItem(list.get(), &item);
        ListView_SetItemText(list.get(), row, 1, const_cast<LPWSTR>(L"1.00"));
    }
    const ListRows rows = ReadListView(list.get());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2][0], names[2]);
    EXPECT_EQ(rows[1][1], L"1.00");

    SelectListViewRows(list.get(), {0, 2});
    EXPECT_EQ(ListViewSelectedCount(list.get()), 2);
    EXPECT_EQ(ListView_GetItemState(list.get(), 1, LVIS_SELECTED), 0u);
    SelectListViewRows(list.get(), {1});
    EXPECT_EQ(ListViewSelectedCount(list.get()), 1);
}

TEST(Driver, ReadsTreeTextsDepthFirst) {
    WindowHolder tree(CreateWindowExW(0, WC_TREEVIEWW, L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr,
                                      nullptr));
    ASSERT_TRUE(tree);
    auto insert = [&](HTREEITEM parent, const wchar_t* text) {
        TVINSERTSTRUCTW insertion{};
        insertion.hParent = parent;
        insertion.hInsertAfter = TVI_LAST;
        insertion.item.mask = TVIF_TEXT;
        insertion.item.pszText = const_cast<LPWSTR>(text);
        return TreeView_InsertItem(tree.get(), &insertion);
    };
    HTREEITEM group = insert(TVI_ROOT, L"Transfer");
    insert(group, L"Song");
    insert(group, L"Style");
    insert(TVI_ROOT, L"Edit");
    const std::vector<std::wstring> expected{L"Transfer", L"Song", L"Style", L"Edit"};
    EXPECT_EQ(ReadTreeTexts(tree.get()), expected);
}

TEST(Driver, SampleFilesCarryTheirMarks) {
    EXPECT_EQ(SampleSong(1).substr(0, 4), "MThd");
    EXPECT_NE(SampleSong(1).find("KELVOR RX470  "), std::string::npos);
    EXPECT_NE(SampleSong(1), SampleSong(2));
    EXPECT_EQ(SampleStyle(1).substr(0, 24), "KELVOR RX470  STYLE 0001");
    EXPECT_EQ(SampleVoice(1).size(), 131072u);
    EXPECT_EQ(SampleMemory(1).substr(14, 5), "MEMRY");
}

} // namespace
} // namespace e2e
