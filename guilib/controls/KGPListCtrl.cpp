#include "guilib/controls/KGPListCtrl.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNCREATE(CKGPListCtrl, CListCtrl)

namespace {

int CALLBACK CompareByRank(LPARAM lParam1, LPARAM lParam2, LPARAM)
{
    return lParam1 < lParam2 ? -1 : (lParam1 > lParam2 ? 1 : 0);
}

} // namespace

int CKGPListCtrl::CompareItems(LPARAM, LPARAM, int)
{
    return 0;
}

void CKGPListCtrl::AttachHeader()
{
    if (m_wndHeader.m_hWnd != nullptr || m_hWnd == nullptr) {
        return;
    }
    HWND header = reinterpret_cast<HWND>(::SendMessageW(m_hWnd, LVM_GETHEADER, 0, 0));
    if (header != nullptr) {
        m_wndHeader.SubclassWindow(header);
    }
}

void CKGPListCtrl::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    AttachHeader();
}

LRESULT CKGPListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CListCtrl::WindowProc(message, wParam, lParam);
    // The header exists once the list has been created in (or switched to) the
    // report view.
    if (message == WM_CREATE || message == WM_STYLECHANGED || message == LVM_INSERTCOLUMNW) {
        AttachHeader();
    }
    return result;
}

BOOL CKGPListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header != nullptr && m_wndHeader.m_hWnd != nullptr && header->hwndFrom == m_wndHeader.m_hWnd &&
        (header->code == HDN_ITEMCLICKW || header->code == HDN_ITEMCLICKA)) {
        const auto* item = reinterpret_cast<const NMHEADERW*>(lParam);
        if (m_bSortOnHeaderClick && item->iButton == 0) {
            OnHeaderColumnClick(item->iItem);
        }
    }
    return CListCtrl::OnNotify(wParam, lParam, pResult);
}

void CKGPListCtrl::OnHeaderColumnClick(int iColumn)
{
    AttachHeader();
    const BOOL ascending = iColumn == m_wndHeader.GetSortColumn() ? !m_wndHeader.IsAscending() : TRUE;
    Sort(iColumn, ascending);
}

std::vector<int> CKGPListCtrl::SortedRowOrder(int iColumn, BOOL bAscending)
{
    struct Row {
        int index;
        LPARAM data;
    };
    const int count = GetItemCount();
    std::vector<Row> rows;
    rows.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        rows.push_back(Row{i, static_cast<LPARAM>(GetItemData(i))});
    }
    std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
        const int order = CompareItems(a.data, b.data, iColumn);
        return bAscending ? order < 0 : order > 0;
    });
    std::vector<int> order;
    order.reserve(rows.size());
    for (const Row& row : rows) {
        order.push_back(row.index);
    }
    return order;
}

bool CKGPListCtrl::IsPresentOrder(const std::vector<int>& order)
{
    for (size_t rank = 0; rank < order.size(); ++rank) {
        if (order[rank] != static_cast<int>(rank)) {
            return false;
        }
    }
    return true;
}

void CKGPListCtrl::MarkSortColumn(int iColumn, BOOL bAscending)
{
    AttachHeader();
    m_wndHeader.SetSortColumn(iColumn, bAscending);
}

void CKGPListCtrl::Sort(int iColumn, BOOL bAscending)
{
    MarkSortColumn(iColumn, bAscending);
    if (iColumn < 0 || m_hWnd == nullptr) {
        return;
    }
    ApplyRowOrder(SortedRowOrder(iColumn, bAscending));
}

void CKGPListCtrl::ApplyRowOrder(const std::vector<int>& order)
{
    if (IsPresentOrder(order)) {
        // Nothing moves: painting is not turned off and on for it, which lays
        // the header and the scroll bars out again.
        Invalidate();
        return;
    }
    const int count = static_cast<int>(order.size());
    std::vector<LPARAM> dataOfRow(order.size());
    for (int i = 0; i < count; ++i) {
        dataOfRow[static_cast<size_t>(i)] = static_cast<LPARAM>(GetItemData(i));
    }
    // The common control's own sort is not guaranteed stable: each row is
    // given its final rank as data for the control's sort, then its own data
    // back.
    std::vector<LPARAM> rankOfRow(order.size());
    for (int rank = 0; rank < count; ++rank) {
        rankOfRow[static_cast<size_t>(order[static_cast<size_t>(rank)])] = rank;
    }
    SetRedraw(FALSE);
    for (int i = 0; i < count; ++i) {
        SetItemData(i, static_cast<DWORD_PTR>(rankOfRow[static_cast<size_t>(i)]));
    }
    SortItems(CompareByRank, 0);
    for (int rank = 0; rank < count; ++rank) {
        SetItemData(rank, static_cast<DWORD_PTR>(dataOfRow[static_cast<size_t>(order[static_cast<size_t>(rank)])]));
    }
    SetRedraw(TRUE);
    Invalidate();
}
