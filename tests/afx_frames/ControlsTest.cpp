// Control wrappers doing real round trips with their controls.
#include <afxwin.h>
#include <afxcmn.h>

#include <gtest/gtest.h>

#include <memory>

#include "TestApp.h"

namespace {

// A visible top-level window hosting the controls of one test.
class HostWindow : public CWnd {
public:
    HostWindow()
    {
        CreateEx(0, AfxRegisterWndClass(0), L"Controls", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 500, 400, nullptr,
                 nullptr);
    }
    ~HostWindow() override { DestroyWindow(); }
};

class OwnerDrawButton : public CButton {
public:
    int draws = 0;
    UINT lastItemId = 0;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        ++draws;
        lastItemId = lpDrawItemStruct->CtlID;
        CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
        dc->FillSolidRect(&lpDrawItemStruct->rcItem, RGB(0, 0, 255));
    }
};

int CALLBACK CompareByData(LPARAM left, LPARAM right, LPARAM direction)
{
    const int order = left < right ? -1 : (left > right ? 1 : 0);
    return direction ? -order : order;
}

TEST(Controls, ListCtrlRoundTrips)
{
    TestApp();
    HostWindow host;
    ASSERT_NE(host.m_hWnd, nullptr);
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 400, 300), &host, 10));
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    EXPECT_EQ(list.GetExtendedStyle() & (LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES),
              static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES));
    EXPECT_EQ(list.InsertColumn(0, L"Name", LVCFMT_LEFT, 120), 0);
    EXPECT_EQ(list.InsertColumn(1, L"Size", LVCFMT_RIGHT, 80), 1);
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 2);
    EXPECT_EQ(list.GetColumnWidth(1), 80);
    LVCOLUMN column{};
    wchar_t heading[32] = {};
    column.mask = LVCF_TEXT;
    column.pszText = heading;
    column.cchTextMax = 32;
    ASSERT_TRUE(list.GetColumn(0, &column));
    EXPECT_STREQ(heading, L"Name");

    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 2));
    EXPECT_EQ(images.Add(::LoadIconW(nullptr, IDI_APPLICATION)), 0);
    list.SetImageList(&images, LVSIL_SMALL);
    EXPECT_EQ(list.GetImageList(LVSIL_SMALL)->GetSafeHandle(), images.GetSafeHandle());

    const wchar_t* names[] = {L"gamma.sty", L"alpha.mid", L"beta.sty"};
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(list.InsertItem(i, names[i], 0), i);
        list.SetItemText(i, 1, CString(L"size ") + static_cast<wchar_t>(L'0' + i));
        list.SetItemData(i, static_cast<DWORD_PTR>(30 - i * 10));
    }
    EXPECT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetItemText(1, 0), CString(L"alpha.mid"));
    EXPECT_EQ(list.GetItemText(2, 1), CString(L"size 2"));
    EXPECT_EQ(list.GetItemData(0), 30u);

    // Longer than the first read buffer.
    CString longText;
    for (int i = 0; i < 70; ++i)
        longText += L"long";
    list.SetItemText(0, 1, longText);
    EXPECT_EQ(list.GetItemText(0, 1), longText);

    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.GetSelectedCount(), 2u);
    std::vector<int> selected;
    POSITION pos = list.GetFirstSelectedItemPosition();
    while (pos)
        selected.push_back(list.GetNextSelectedItem(pos));
    EXPECT_EQ(selected, (std::vector<int>{0, 2}));
    EXPECT_EQ(list.GetNextItem(0, LVNI_SELECTED), 2);
    EXPECT_EQ(list.GetItemState(2, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));

    // Sorted by item data (30, 20, 10 -> ascending).
    ASSERT_TRUE(list.SortItems(&CompareByData, 0));
    EXPECT_EQ(list.GetItemText(0, 0), CString(L"beta.sty"));
    EXPECT_EQ(list.GetItemText(2, 0), CString(L"gamma.sty"));

    CRect itemRect;
    ASSERT_TRUE(list.GetItemRect(1, &itemRect, LVIR_BOUNDS));
    UINT flags = 0;
    EXPECT_EQ(list.HitTest(itemRect.CenterPoint(), &flags), 1);
    EXPECT_TRUE(flags & LVHT_ONITEM);
    EXPECT_EQ(list.GetTopIndex(), 0);
    EXPECT_GT(list.GetCountPerPage(), 3);
    EXPECT_TRUE(list.EnsureVisible(2, FALSE));
    EXPECT_TRUE(list.SetBkColor(RGB(1, 2, 3)));
    EXPECT_EQ(list.GetBkColor(), RGB(1, 2, 3));
    EXPECT_TRUE(list.RedrawItems(0, 2));

    // Drag images of an item.
    POINT origin{};
    std::unique_ptr<CImageList> drag(list.CreateDragImage(1, &origin));
    ASSERT_NE(drag, nullptr);
    EXPECT_TRUE(drag->BeginDrag(0, CPoint(4, 4)));
    EXPECT_TRUE(CImageList::DragEnter(&list, CPoint(10, 10)));
    EXPECT_TRUE(CImageList::DragMove(CPoint(30, 40)));
    EXPECT_TRUE(CImageList::DragShowNolock(FALSE));
    EXPECT_TRUE(CImageList::DragShowNolock(TRUE));
    EXPECT_TRUE(CImageList::DragLeave(&list));
    CImageList::EndDrag();

    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(list.GetItemCount(), 2);
    EXPECT_TRUE(list.DeleteColumn(1));
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 1);
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
    list.SetImageList(nullptr, LVSIL_SMALL);
}

TEST(Controls, ImagesFromTheResourceModule)
{
    TestApp();
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(128));
    BITMAP info{};
    bitmap.GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 48);
    EXPECT_EQ(info.bmHeight, 15);
    CImageList images;
    ASSERT_TRUE(images.Create(128, 16, 1, RGB(192, 192, 192)));
    EXPECT_EQ(images.GetImageCount(), 3);
    CImageList fromBitmap;
    ASSERT_TRUE(fromBitmap.Create(16, 15, ILC_COLOR24 | ILC_MASK, 3, 1));
    EXPECT_EQ(fromBitmap.Add(&bitmap, RGB(192, 192, 192)), 0);
    EXPECT_EQ(fromBitmap.GetImageCount(), 3);
    HICON icon = fromBitmap.ExtractIcon(1);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(fromBitmap.Replace(0, icon), 0);
    ::DestroyIcon(icon);
    EXPECT_TRUE(fromBitmap.Remove(2));
    EXPECT_EQ(fromBitmap.GetImageCount(), 2);
    HIMAGELIST handle = fromBitmap.Detach();
    EXPECT_EQ(fromBitmap.GetSafeHandle(), nullptr);
    CImageList owner;
    ASSERT_TRUE(owner.Attach(handle));
    EXPECT_TRUE(owner.DeleteImageList());
    CImageList missing;
    EXPECT_FALSE(missing.Create(4242, 16, 1, RGB(192, 192, 192)));
}

TEST(Controls, TreeCtrlRoundTrips)
{
    TestApp();
    HostWindow host;
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT,
                            CRect(0, 0, 300, 300), &host, 11));
    HTREEITEM pc = tree.InsertItem(L"PC");
    HTREEITEM device = tree.InsertItem(L"Device");
    HTREEITEM songs = tree.InsertItem(L"Songs", pc);
    HTREEITEM styles = tree.InsertItem(L"Styles", 1, 2, pc);
    ASSERT_NE(styles, nullptr);
    EXPECT_EQ(tree.GetCount(), 4u);
    EXPECT_EQ(tree.GetRootItem(), pc);
    EXPECT_EQ(tree.GetNextSiblingItem(pc), device);
    EXPECT_EQ(tree.GetChildItem(pc), songs);
    EXPECT_EQ(tree.GetNextSiblingItem(songs), styles);
    EXPECT_EQ(tree.GetParentItem(styles), pc);
    EXPECT_TRUE(tree.ItemHasChildren(pc));
    EXPECT_FALSE(tree.ItemHasChildren(device));
    int image = 0;
    int selectedImage = 0;
    ASSERT_TRUE(tree.GetItemImage(styles, image, selectedImage));
    EXPECT_EQ(image, 1);
    EXPECT_EQ(selectedImage, 2);

    EXPECT_EQ(tree.GetItemText(styles), CString(L"Styles"));
    EXPECT_TRUE(tree.SetItemText(styles, L"Style files"));
    EXPECT_EQ(tree.GetItemText(styles), CString(L"Style files"));
    EXPECT_TRUE(tree.SetItemData(songs, 4711));
    EXPECT_EQ(tree.GetItemData(songs), 4711u);

    EXPECT_TRUE(tree.Expand(pc, TVE_EXPAND));
    EXPECT_TRUE(tree.GetItemState(pc, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_TRUE(tree.SelectItem(songs));
    EXPECT_EQ(tree.GetSelectedItem(), songs);
    tree.SetItemHeight(24);
    EXPECT_EQ(tree.GetItemHeight(), 24);
    tree.EnsureVisible(styles);  // FALSE when nothing had to scroll
    CRect rect;
    ASSERT_TRUE(tree.GetItemRect(songs, &rect, TRUE));
    EXPECT_EQ(tree.HitTest(rect.CenterPoint()), songs);
    tree.SetBkColor(RGB(10, 20, 30));
    EXPECT_EQ(tree.GetBkColor(), RGB(10, 20, 30));

    EXPECT_TRUE(tree.DeleteItem(songs));
    EXPECT_EQ(tree.GetChildItem(pc), styles);
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(tree.GetCount(), 0u);
}

TEST(Controls, ComboBoxRoundTrips)
{
    TestApp();
    HostWindow host;
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, CRect(0, 0, 200, 200), &host, 12));
    EXPECT_EQ(combo.AddString(L"Bypass"), 0);
    EXPECT_EQ(combo.AddString(L"Chord"), 1);
    EXPECT_EQ(combo.InsertString(0, L"Bass"), 0);
    EXPECT_EQ(combo.GetCount(), 3);
    CString text;
    combo.GetLBText(1, text);
    EXPECT_EQ(text, CString(L"Bypass"));
    EXPECT_EQ(combo.GetLBTextLen(2), 5);
    wchar_t buffer[16] = {};
    EXPECT_EQ(combo.GetLBText(2, buffer), 5);
    EXPECT_STREQ(buffer, L"Chord");
    combo.GetLBText(7, text);  // no such item: empty, no failure
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(combo.FindStringExact(-1, L"chord"), 2);  // case-insensitive, as the control is
    EXPECT_EQ(combo.FindString(-1, L"By"), 1);
    EXPECT_EQ(combo.FindStringExact(-1, L"Melody"), CB_ERR);
    combo.SetItemData(2, 0xC0FFEE);
    EXPECT_EQ(combo.GetItemData(2), 0xC0FFEEu);
    EXPECT_EQ(combo.SetCurSel(2), 2);
    EXPECT_EQ(combo.GetCurSel(), 2);
    combo.SetDroppedWidth(300);
    EXPECT_EQ(combo.GetDroppedWidth(), 300);
    combo.ShowDropDown(TRUE);
    EXPECT_TRUE(combo.GetDroppedState());
    combo.ShowDropDown(FALSE);
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_EQ(combo.DeleteString(0), 2);
    EXPECT_EQ(combo.GetItemData(1), 0xC0FFEEu);
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
}

TEST(Controls, ProgressTooltipToolbarAndOwnerDrawButton)
{
    TestApp();
    HostWindow host;
    CProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 20), &host, 13));
    progress.SetRange32(0, 1000);
    int lower = -1;
    int upper = -1;
    progress.GetRange(lower, upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, 1000);
    EXPECT_EQ(progress.SetPos(400), 0);
    progress.SetStep(50);
    EXPECT_EQ(progress.StepIt(), 400);
    EXPECT_EQ(progress.GetPos(), 450);
    EXPECT_EQ(progress.OffsetPos(-50), 450);
    EXPECT_EQ(progress.GetPos(), 400);

    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ, CRect(0, 30, 200, 60), &host, 14));
    slider.SetRange(0, 127);
    slider.SetPos(64);
    EXPECT_EQ(slider.GetPos(), 64);
    EXPECT_EQ(slider.GetRangeMax(), 127);

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
    EXPECT_EQ(tips.GetToolCount(), 1);
    tips.SetMaxTipWidth(200);
    tips.SetTipBkColor(RGB(255, 255, 200));
    tips.SetDelayTime(TTDT_INITIAL, 100);
    EXPECT_EQ(tips.GetDelayTime(TTDT_INITIAL), 100);
    tips.Activate(TRUE);
    MSG msg{slider.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), 0, {}};
    tips.RelayEvent(&msg);
    tips.DelTool(&slider);
    EXPECT_EQ(tips.GetToolCount(), 0);

    CToolBarCtrl bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NORESIZE, CRect(0, 70, 300, 100), &host, 15));
    TBBUTTON buttons[3] = {};
    for (int i = 0; i < 3; ++i) {
        buttons[i].iBitmap = i;
        buttons[i].idCommand = 500 + i;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = i == 2 ? BTNS_DROPDOWN : TBSTYLE_BUTTON;
        buttons[i].iString = -1;
    }
    ASSERT_TRUE(bar.AddButtons(3, buttons));
    bar.SetExtendedStyle(TBSTYLE_EX_DRAWDDARROWS);
    EXPECT_TRUE(bar.GetExtendedStyle() & TBSTYLE_EX_DRAWDDARROWS);
    EXPECT_EQ(bar.GetButtonCount(), 3);
    EXPECT_EQ(bar.CommandToIndex(501), 1u);
    EXPECT_TRUE(bar.HideButton(501));
    EXPECT_TRUE(bar.IsButtonHidden(501));
    TBBUTTONINFO info{};
    info.dwMask = TBIF_STYLE | TBIF_COMMAND;
    EXPECT_EQ(bar.GetButtonInfo(502, &info), 2);
    EXPECT_TRUE(info.fsStyle & BTNS_DROPDOWN);
    EXPECT_TRUE(bar.EnableButton(500, FALSE));
    EXPECT_FALSE(bar.IsButtonEnabled(500));

    OwnerDrawButton button;
    ASSERT_TRUE(button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 110, 80, 140), &host, 16));
    button.Invalidate();
    button.UpdateWindow();
    EXPECT_GT(button.draws, 0);  // reflected from the host's WM_DRAWITEM
    EXPECT_EQ(button.lastItemId, 16u);
    button.SetCheck(BST_CHECKED);
    EXPECT_EQ(button.GetButtonStyle() & 0x0F, static_cast<UINT>(BS_OWNERDRAW));
}

} // namespace
