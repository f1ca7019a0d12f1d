// The docking bar at the left of the main frame: the tree of the pages the
// connected model offers (data transfer and editing groups). Selecting an item
// selects its page in the view through the main window (WM_USER+1).
#pragma once

#include <afxcmn.h>

#include <map>
#include <vector>

#include "widgets/SizingControlBar.h"
#include "widgets/TreeCtrlBT.h"

class CWorkspaceBar : public CSizingControlBar {
    DECLARE_DYNAMIC(CWorkspaceBar)

public:
    static constexpr UINT kTreeId = 32769;
    static constexpr int kItemHeight = 50;

    CWorkspaceBar();
    ~CWorkspaceBar() override;

    // Selects the item of a page slot (which selects the page); nothing when
    // the slot has no item.
    void SelectPage(int slot);
    // The page slot of the selected item; 0 when it is not a page item.
    int GetSelectedPage() const;
    // Deletes and re-inserts the items from the current device profile and
    // language, keeping the selected page when its item is still there.
    void RebuildTree();

    // For tests and the frame: the tree and its item-to-slot map.
    CTreeCtrlBT& GetTree() { return m_tree; }
    const std::map<HTREEITEM, int>& GetItemMap() const { return m_itemMap; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnItemSelected(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRebuildTree(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDevProfileLoaded(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void BuildTree();
    void InsertItems();
    // The page slots the current device profile switches on, ascending.
    static std::vector<int> SlotsToList();
    // The page slots the tree has items for, ascending.
    std::vector<int> ListedSlots() const;

    CTreeCtrlBT m_tree;
    BOOL m_dragFullWindows = TRUE;
    HTREEITEM m_selectedItem = nullptr;
    std::map<HTREEITEM, int> m_itemMap;
};
