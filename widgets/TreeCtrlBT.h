// CTreeCtrlBT: the page tree. Each item carries a bitmap from the resources
// (kept in a record the tree owns) and is drawn with the program's look. A
// selection change sends WM_USER+1 (wParam the selected item) to the parent.
#pragma once

#include <afxcmn.h>

#include <map>
#include <memory>

#include "widgets/KeyedImage.h"

class CTreeCtrlBT : public CTreeCtrl {
public:
    static constexpr UINT kMsgItemSelected = WM_USER + 1;

    CTreeCtrlBT() = default;
    ~CTreeCtrlBT() override;

    // Inserts text under hParent (TVI_ROOT for the root) with the bitmap
    // resource nBitmapId (0 or a missing bitmap: none); returns the item.
    HTREEITEM InsertItemWithBitmap(LPCTSTR text, HTREEITEM hParent, UINT nBitmapId);
    // Deletes every item and its record.
    void DeleteAllItemsWithRecords();
    // Selects the item (which leads to WM_USER+1); null clears the selection.
    BOOL SelectTreeItem(HTREEITEM hItem);
    bool HasRecord(HTREEITEM hItem) const { return m_records.count(hItem) != 0; }
    size_t GetRecordCount() const { return m_records.size(); }
    UINT GetItemBitmapId(HTREEITEM hItem) const;
    // True when the item's bitmap was found and loaded.
    bool HasItemBitmap(HTREEITEM hItem) const;

    // Told the mouse position (screen) while something is dragged over the
    // tree: the item under it is shown as the drop target. Returns that item.
    HTREEITEM OnDragOver(CPoint ptScreen);
    // Ends the drop-target highlight.
    void OnDragEnd();
    HTREEITEM GetDropTarget() const { return m_dropTarget; }

    // The cursor shown over items (not owned); null keeps the class cursor.
    void SetItemCursor(HCURSOR hCursor) { m_itemCursor = hCursor; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    struct Record {
        UINT bitmapId = 0;
        widgets::CKeyedImage image;
    };
    void DrawItem(NMTVCUSTOMDRAW* draw);

    std::map<HTREEITEM, std::unique_ptr<Record>> m_records;
    HTREEITEM m_dropTarget = nullptr;
    HCURSOR m_itemCursor = nullptr;
};
