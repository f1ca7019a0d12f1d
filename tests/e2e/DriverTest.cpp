// The driver itself, on a window of this process made for the purpose: list and
// tree contents read through another process's path must match what was put in.
#include "tests/e2e/OtherProcessWindows.h"
#include "tests/e2e/SampleFiles.h"

#include "core/portable/marks/FileMarks.h"

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

// The samples must pass the program's own checks, or a page would refuse them and
// an end-to-end case would fail for the wrong reason.
TEST(Driver, SampleFilesPassTheProgramsChecksAtTheSizeAsked) {
    namespace marks = keyloft::marks;
    const struct {
        marks::FileKind kind;
        std::string (*make)(unsigned char, std::size_t);
    } makers[] = {{marks::FileKind::Song, &SampleSong},
                  {marks::FileKind::Style, &SampleStyle},
                  {marks::FileKind::Voice, &SampleVoice},
                  {marks::FileKind::Memory, &SampleMemory}};
    for (const auto& maker : makers) {
        for (std::size_t size : {std::size_t{8192}, std::size_t{8193}, std::size_t{200000}}) {
            const std::string bytes = maker.make(7, size);
            SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(maker.kind) << ", size " << size);
            EXPECT_EQ(bytes.size(), size);
            const marks::MemoryByteSource source(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
            EXPECT_TRUE(marks::PassesMarkCheck(maker.kind, source));
            EXPECT_NE(maker.make(8, size), bytes) << "the tag shows in the content";
        }
    }
    const std::string smallest = SampleStyle(1);
    const marks::MemoryByteSource source(std::span(reinterpret_cast<const std::uint8_t*>(smallest.data()), smallest.size()));
    EXPECT_TRUE(marks::PassesMarkCheck(marks::FileKind::Style, source));
}

} // namespace
} // namespace e2e
