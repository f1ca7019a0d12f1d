// The sortable list's header: keeps the current sort column and direction and
// paints its items, with the sort arrow, through the visual manager.
#pragma once

#include <afxcmn.h>

class CKGPHeaderCtrl : public CHeaderCtrl {
    DECLARE_DYNAMIC(CKGPHeaderCtrl)
public:
    CKGPHeaderCtrl() = default;
    ~CKGPHeaderCtrl() override = default;

    // -1 when the list is not sorted.
    int GetSortColumn() const { return m_nSortColumn; }
    BOOL IsAscending() const { return m_bAscending; }
    // Column -1 clears the sort mark.
    void SetSortColumn(int nColumn, BOOL bAscending = TRUE, BOOL bRedraw = TRUE);
    void RemoveSortColumn() { SetSortColumn(-1, TRUE); }

    // Paints the whole header into pDC (also used by WM_PAINT through a memory DC).
    void PaintHeader(CDC* pDC);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void DrawItem(CDC* pDC, int nItem, CRect rect, BOOL bPressed, BOOL bHot);
    int ItemFromPoint(POINT pt) const;

    int m_nSortColumn = -1;
    BOOL m_bAscending = TRUE;
    int m_nHotItem = -1;
    int m_nPressedItem = -1;
};
