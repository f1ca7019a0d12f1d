// The library's sortable report list: a header that remembers the sort column
// and direction, click-to-sort, and a stable sort through CompareItems.
#pragma once

#include <afxcmn.h>

#include <vector>

#include "guilib/controls/KGPHeaderCtrl.h"

class CKGPListCtrl : public CListCtrl {
    DECLARE_DYNCREATE(CKGPListCtrl)
public:
    CKGPListCtrl() = default;
    ~CKGPListCtrl() override = default;

    CKGPHeaderCtrl& GetHeaderCtrl() { return m_wndHeader; }

    // Orders two rows by their item data for a column: < 0, 0 or > 0. The base
    // keeps the present order.
    virtual int CompareItems(LPARAM lParam1, LPARAM lParam2, int iColumn);

    // Sorts the rows by the column (descending reverses CompareItems; rows that
    // compare equal keep their order) and marks the header. Column -1 only
    // clears the mark.
    virtual void Sort(int iColumn, BOOL bAscending = TRUE);

    // Whether a header click sorts (on by default).
    void EnableHeaderClickSort(BOOL bEnable) { m_bSortOnHeaderClick = bEnable; }

protected:
    // Sort in steps, for a list that wraps the reordering in its own work:
    // the header's mark, the rows' indexes in the order the sort gives them
    // (stable), whether that is the order they stand in already, and the rows
    // put in that order (rows already in it are only repainted).
    void MarkSortColumn(int iColumn, BOOL bAscending);
    std::vector<int> SortedRowOrder(int iColumn, BOOL bAscending);
    static bool IsPresentOrder(const std::vector<int>& order);
    void ApplyRowOrder(const std::vector<int>& order);

    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // Called when the header was clicked on a column.
    virtual void OnHeaderColumnClick(int iColumn);

private:
    void AttachHeader();

    CKGPHeaderCtrl m_wndHeader;
    BOOL m_bSortOnHeaderClick = TRUE;
};
