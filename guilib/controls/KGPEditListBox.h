// An editable list of names: a caption with New, Delete, Up and Down buttons
// above a list whose items can be renamed in place (double-click, F2, or New,
// which adds an empty item and opens it for typing; Enter keeps, Esc drops).
// Derived lists learn of every change through the virtual hooks.
#pragma once

#include <afxwin.h>

#include "guilib/controls/KGPButton.h"

class CKGPEditListBox : public CWnd {
    DECLARE_DYNAMIC(CKGPEditListBox)
public:
    // The buttons' command ids (children of the edit list).
    enum Button : UINT { kNew = 1, kDelete, kMoveUp, kMoveDown };

    CKGPEditListBox() = default;
    ~CKGPEditListBox() override = default;

    BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Adds an item at nIndex (-1: at the end); the item's index, -1 on failure.
    // The hooks are not called for the program's own changes.
    int AddItem(const CString& strText, DWORD_PTR dwData = 0, int nIndex = -1);
    BOOL RemoveItem(int nIndex);
    void RemoveAllItems();
    int GetCount() const;
    CString GetItemText(int nIndex) const;
    void SetItemText(int nIndex, const CString& strText);
    DWORD_PTR GetItemData(int nIndex) const;
    void SetItemData(int nIndex, DWORD_PTR dwData);
    int GetSelItem() const;
    BOOL SelectItem(int nIndex);
    // Opens the item for renaming in place.
    BOOL EditItem(int nIndex);
    BOOL IsEditing() const { return m_nEditedItem >= 0; }

    // The user's commands, as the buttons run them.
    void CreateNewItem();
    void RemoveSelectedItem();
    void MoveSelectedItem(BOOL bUp);

    CListBox& GetListBox() { return m_wndList; }
    CKGPButton& GetButton(Button button) { return m_wndButtons[button - kNew]; }
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // FALSE keeps the item.
    virtual BOOL OnBeforeRemoveItem(int /*nIndex*/) { return TRUE; }
    virtual void OnAfterAddItem(int /*nIndex*/) {}
    virtual void OnAfterRenameItem(int /*nIndex*/) {}
    virtual void OnAfterMoveItemUp(int /*nIndex*/) {}
    virtual void OnAfterMoveItemDown(int /*nIndex*/) {}
    virtual void OnSelectionChanged() {}

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()

private:
    void Layout();
    void EndEdit(BOOL bKeep);
    void UpdateButtons();
    CRect CaptionRect() const;

    CListBox m_wndList;
    CEdit m_wndEdit;
    CKGPButton m_wndButtons[4];
    int m_nEditedItem = -1;
    BOOL m_bNewItem = FALSE;
};
