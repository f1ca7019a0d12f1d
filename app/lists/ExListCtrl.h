// A sortable report list whose selected rows can be dragged; every step of a
// drag is reported to the parent with WM_LIST_DRAG_NOTIFY.
#pragma once

#include <afxcmn.h>

#include "guilib/controls/KGPListCtrl.h"
#include "widgets/ListDrag.h"

class CExListCtrl : public CKGPListCtrl {
    DECLARE_DYNCREATE(CExListCtrl)
public:
    CExListCtrl();
    ~CExListCtrl() override;

    virtual BOOL CanDrag(int row);
    virtual CString GetDragText(int row);

    void GetSelectedRows(CUIntArray& rows) const;
    void SelectAll();
    void GetVisibleRange(int& first, int& last) const;
    void SetListColumnText(int column, LPCTSTR text);

    // The rows of the current (or last) drag.
    const CUIntArray& GetDraggedRows() const { return m_draggedRows; }
    const DragNotifyRecord& GetDragRecord() const { return m_record; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginScroll(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    // Sends the record with a code and the cursor's screen position.
    LRESULT NotifyParent(uint32_t code);
    int GetRowHeight() const;

private:
    // Draws the texts of the dragged rows into a one-image list.
    CImageList* BuildDragImage(const CStringArray& texts, const CUIntArray& rows, int lowest, int highest,
                               int rowHeight);

    DragNotifyRecord m_record;
    CUIntArray m_draggedRows;
};
