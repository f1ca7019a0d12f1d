// A list box with a check box before every item. A click on the box or the
// space bar toggles the selected item's check and tells the parent with
// WM_COMMAND (id, KGP_CLBN_CHKCHANGE). Item data stays the caller's.
#pragma once

#include <afxwin.h>

#include <vector>

constexpr UINT KGP_CLBN_CHKCHANGE = 40;

class CKGPExCheckList : public CListBox {
    DECLARE_DYNAMIC(CKGPExCheckList)
public:
    CKGPExCheckList() = default;
    ~CKGPExCheckList() override = default;

    // Creates the list with the styles it needs (owner-drawn, with strings).
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // BST_UNCHECKED or BST_CHECKED; -1 for an index out of range.
    int GetCheck(int nIndex) const;
    void SetCheck(int nIndex, int nCheck);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Toggle(int nIndex);

    std::vector<int> m_checks;  // one per item, in list order
};
