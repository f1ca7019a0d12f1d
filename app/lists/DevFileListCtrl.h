// The instrument's numbered user slots of one kind: slot, name, size in KiB.
#pragma once

#include "app/lists/ExListCtrl.h"

struct SSlotItem {
    UINT slot = 0;  // 0-based
    UINT size = 0;  // bytes
    CString name;   // empty for a free slot
};

class CDevFileListCtrl : public CExListCtrl {
    DECLARE_DYNCREATE(CDevFileListCtrl)
public:
    CDevFileListCtrl();
    ~CDevFileListCtrl() override;

    // Holds the list's painting off while rows change (a visible list is
    // repainted once when the pause ends, not after every row); pauses nest.
    class PaintPause {
    public:
        explicit PaintPause(CDevFileListCtrl& list);
        ~PaintPause();
        PaintPause(const PaintPause&) = delete;
        PaintPause& operator=(const PaintPause&) = delete;

    private:
        CDevFileListCtrl& m_list;
    };

    void InitSlots(int count);
    int SetSlot(int slot, LPCTSTR name, UINT size);
    void ClearSlot(int slot);
    void ClearAll();
    int FindRowBySlot(int slot) const;
    BOOL IsSlotFree(int row) const;
    BOOL AreSlotsFree(const CUIntArray& rows) const;
    BOOL GetSlotNames(const CUIntArray& rows, CStringArray& names) const;
    BOOL GetSlotSizes(const CUIntArray& rows, CUIntArray& sizes) const;
    BOOL GetSlotNumbers(const CUIntArray& rows, CUIntArray& slots) const;
    void GetSelectedSlotNumbers(CUIntArray& slots) const;
    void GetSelectedUsedRows(CUIntArray& rows) const;
    int CountUsedSlots() const;
    int GetSlotCount() const { return m_slotCount; }

    // The drop marker over the rows a drop of itemCount files would fill.
    BOOL TrackDrop(int itemCount, int screenX, int screenY);
    int ClearDropMarker(int screenX, int screenY);
    void GetDropSlots(int itemCount, int screenX, int screenY, CUIntArray& rows) const;
    const CRect& GetDropMarkerRect() const { return m_markerRect; }

    void EnableDrag(BOOL enable) { m_dragEnabled = enable ? 1 : 0; }
    BOOL CanDrag(int row) override;
    CString GetDragText(int row) override;
    int CompareItems(LPARAM lParam1, LPARAM lParam2, int iColumn) override;

    // The size text of a cell: KiB with two decimals.
    static CString FormatSize(UINT size);

protected:
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void DeleteRecords();
    SSlotItem* RecordOf(int row) const;
    // The band of rows (r..e-1) under a client point; false outside the rows.
    bool DropBand(int itemCount, CPoint client, int& first, int& end) const;
    void DrawMarker(CDC& dc, const CRect& rect);

    int m_slotCount = 0;
    int m_paintPauses = 0;
    bool m_pausedVisible = false;
    int m_dragEnabled = 1;
    CPen m_markerPen;
    CRect m_markerRect;
};
