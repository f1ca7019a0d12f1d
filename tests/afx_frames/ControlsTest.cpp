// Control wrappers doing real round trips with their controls (reflection of
// owner drawing is covered in afx_windows).
#include <afxwin.h>
#include <afxcmn.h>

#include <gtest/gtest.h>

#include <memory>

#include "TestApp.h"
#include "tests/support/RecordingHost.h"

namespace {

// A visible top-level window hosting the controls of one test.
class HostWindow : public keyloft_test::CRecordingHost {
public:
    HostWindow() { CreateHost(500, 400); }
};

TEST(Controls, ListCtrlColumnsLongTextSelectionAndHitTest)
{
    TestApp();
    HostWindow host;
    ASSERT_NE(host.m_hWnd, nullptr);
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 400, 300), &host, 10));
    list.InsertColumn(0, L"Name", LVCFMT_LEFT, 120);
    list.InsertColumn(1, L"Size", LVCFMT_RIGHT, 80);

    const wchar_t* names[] = {L"gamma.sty", L"alpha.mid", L"beta.sty"};
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(list.InsertItem(i, names[i], 0), i);
    EXPECT_EQ(list.GetItemText(1, 0), CString(L"alpha.mid"));
    const CString longText(L'x', 280); // longer than the first read buffer
    list.SetItemText(0, 1, longText);
    EXPECT_EQ(list.GetItemText(0, 1), longText);

    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    std::vector<int> selected;
    POSITION pos = list.GetFirstSelectedItemPosition();
    while (pos)
        selected.push_back(list.GetNextSelectedItem(pos));
    EXPECT_EQ(selected, (std::vector<int>{0, 2}));

    CRect itemRect;
    ASSERT_TRUE(list.GetItemRect(1, &itemRect, LVIR_BOUNDS));
    UINT flags = 0;
    EXPECT_EQ(list.HitTest(itemRect.CenterPoint(), &flags), 1);
    EXPECT_TRUE(flags & LVHT_ONITEM);
    POINT origin{};
    std::unique_ptr<CImageList> drag(list.CreateDragImage(1, &origin));
    EXPECT_NE(drag, nullptr);
}

TEST(Controls, ImageListsFromTheResourceModule)
{
    TestApp();
    CImageList images;
    ASSERT_TRUE(images.Create(128, 16, 1, RGB(192, 192, 192)));
    EXPECT_EQ(images.GetImageCount(), 3); // the 48-pixel toolbar strip
    CImageList missing;
    EXPECT_FALSE(missing.Create(4242, 16, 1, RGB(192, 192, 192)));

    HIMAGELIST handle = images.Detach();
    EXPECT_EQ(images.GetSafeHandle(), nullptr);
    CImageList owner;
    ASSERT_TRUE(owner.Attach(handle));
    EXPECT_TRUE(owner.DeleteImageList());
}

TEST(Controls, TreeAndComboTextsOfAnyLengthAndMissingItems)
{
    TestApp();
    HostWindow host;
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &host, 11));
    HTREEITEM styles = tree.InsertItem(L"Styles", tree.InsertItem(L"PC"));
    CString longText(L'x', 700); // longer than the first read buffer
    EXPECT_TRUE(tree.SetItemText(styles, longText));
    EXPECT_EQ(tree.GetItemText(styles), longText);

    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, CRect(0, 210, 200, 300), &host, 12));
    combo.AddString(L"Bypass");
    combo.AddString(L"Chord");
    CString text;
    combo.GetLBText(1, text);
    EXPECT_EQ(text, CString(L"Chord"));
    text = L"stale";
    combo.GetLBText(7, text); // no such item: empty, no failure
    EXPECT_TRUE(text.IsEmpty());
}

TEST(Controls, ToolTipTextReadsBackAndUpdates)
{
    TestApp();
    HostWindow host;
    CWnd slider;
    ASSERT_TRUE(slider.Create(TRACKBAR_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 30, 200, 60), &host, 14));
    CToolTipCtrl tips;
    ASSERT_TRUE(tips.Create(&host));
    // The text must read back: a short tool record would be added without it.
    ASSERT_TRUE(tips.AddTool(&slider, L"Volume"));
    CString tip;
    tips.GetText(tip, &slider);
    EXPECT_EQ(tip, CString(L"Volume"));
    tips.UpdateTipText(L"Tempo", &slider);
    tips.GetText(tip, &slider);
    EXPECT_EQ(tip, CString(L"Tempo"));
    tips.DelTool(&slider);
    EXPECT_EQ(tips.GetToolCount(), 0);
}

} // namespace
