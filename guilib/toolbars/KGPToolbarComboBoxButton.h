// A toolbar button holding a combo box. Under the flat look (always, in this
// library) the combo window stays hidden and the button paints the combo
// through the visual manager; an editable combo shows an edit laid over it.
// Every combo button with the same command is kept showing the same text and
// selection, and the user's choice reaches the bar's owner as the command.
#pragma once

#include "guilib/toolbars/KGPToolbarButton.h"

#include <memory>
#include <vector>

class CKGPComboEdit;

class CKGPToolbarComboBoxButton : public CKGPToolbarButton {
    DECLARE_SERIAL(CKGPToolbarComboBoxButton)
public:
    CKGPToolbarComboBoxButton();
    // dwStyle: the combo style bits (CBS_...); iWidth 0: the default width.
    CKGPToolbarComboBoxButton(UINT uiID, int iImage, DWORD dwStyle = CBS_DROPDOWNLIST, int iWidth = 0);
    ~CKGPToolbarComboBoxButton() override;

    void Serialize(CArchive& ar) override;
    void CopyButton(const CKGPToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    SIZE MeasureOnBar(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    // Drops the list down.
    BOOL HandleClick(CWnd* pWnd, BOOL bDelay) override;
    // Makes the combo (and its edit) in the new parent.
    void OnChangeParentWnd(CWnd* pWndParent) override;
    // The caption is the command string's part after its first line break.
    BOOL FillCaptionFromCommand(CKGPToolbarButton* pButton) override;
    void OnRectChanged() override;
    void ApplyWidth(int nWidth) override;
    HWND ControlWindow() const override;
    BOOL IsResizable() const override { return TRUE; }
    HBRUSH ControlBrush(CDC* pDC, UINT nCtlColor) override;
    int DrawInCommandList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    // Shows the edit unless the button went under the customise button.
    void OnOverflowChanged(BOOL bOverflowed) override;
    void EnableControl(BOOL bEnable) override;
    // The combo, its edit, or a window inside either.
    BOOL OwnsWindow(HWND hWnd) const override;

    // A notification of the combo (CBN_...): TRUE when its command is to
    // reach the bar's owner.
    BOOL NotifyCommand(int iNotifyCode) override;
    // Takes the settings of the first other button with the command.
    virtual BOOL CopyFromSameCommand();
    // The style bits, with the controls enabled to match.
    virtual void SetStyle(UINT nStyle);
    virtual void OnGlobalFontsChanged();
    // The focus is in the combo or its edit, or the list is dropped down.
    virtual BOOL HasFocus() const;
    // Registers the button's tool with the bar's tooltip (horizontal bars).
    BOOL OnUpdateToolTip(CWnd* pWndParent, int iButtonIndex, CToolTipCtrl& wndToolTip, CString& str) override;
    virtual BOOL IsControlVisible() const;

    // ---- Items ----
    // Appends the text (unless an item has it already); the count less one.
    virtual INT_PTR AddItem(LPCTSTR lpszItem, DWORD_PTR dwData = 0);
    // Inserts the text where Compare puts it; its index, or the count less one.
    virtual INT_PTR AddSortedItem(LPCTSTR lpszItem, DWORD_PTR dwData = 0);
    virtual CComboBox* CreateCombo(CWnd* pWndParent, const CRect& rect);
    virtual CKGPComboEdit* CreateEdit(CWnd* pWndParent, const CRect& rect, DWORD dwEditStyle);
    virtual CEdit* GetEditCtrl();
    // Run after the item lists were filled again, and before they are emptied.
    virtual void OnAfterFillItems() {}
    virtual void OnBeforeClearItems() {}
    // Ordinal comparison by UTF-16 code unit: -1, 0 or 1.
    virtual int Compare(LPCTSTR lpszItem1, LPCTSTR lpszItem2);
    // Shown in grey in an empty edit without the focus.
    virtual CString GetPrompt() const { return CString(); }

    // The first item equal to the text ignoring case; -1 when none.
    int FindItem(LPCTSTR lpszText) const;
    // FALSE for an index at or past the count (nothing changes); below -1
    // counts as -1 (no selection).
    BOOL SelectItem(int iIndex, BOOL bNotify = TRUE);
    BOOL SelectItem(DWORD_PTR dwData);
    int GetCount() const { return static_cast<int>(m_items.size()); }
    LPCTSTR GetItem(int iIndex) const;
    // 0 for an index outside the items.
    DWORD_PTR GetItemData(int iIndex) const;
    int GetCurSel() const { return m_iSelIndex; }
    const CString& GetText() const { return m_strEdit; }
    void SetText(LPCTSTR lpszText);
    void RemoveAllItems();
    CComboBox* GetComboBox() const { return m_pWndCombo.get(); }
    DWORD GetComboStyle() const { return m_dwStyle; }
    int GetWidth() const { return m_iWidth; }
    void SetDropDownHeight(int nHeight) { m_nDropDownHeight = nHeight; }
    int GetDropDownHeight() const { return m_nDropDownHeight; }
    void SetContextMenuID(UINT uiResID) { m_uiMenuResID = uiResID; }
    UINT GetContextMenuID() const { return m_uiMenuResID; }
    const CRect& GetComboRect() const { return m_rectCombo; }
    const CRect& GetDropButtonRect() const { return m_rectButton; }
    // Stores the hot flag; a change repaints the combo at once.
    void SetHot(BOOL bHot);
    BOOL IsHot() const { return m_bIsHotEdit; }
    // Repaints the combo's area of the bar.
    void RepaintCombo();

    // The combo window stays hidden and the button paints it.
    static BOOL s_bFlat;

protected:
    struct Item {
        CString text;
        DWORD_PTR data = 0;
    };
    void DestroyControls();
    // The item lists from the combo window, in its order.
    void ReadItemsFromCombo();
    void ShowControls(BOOL bShow);
    BOOL IsEditable() const { return (m_dwStyle & 0x3) == CBS_DROPDOWN; }
    // Every other combo button with the same command.
    template <class Action>
    void ForEachTwin(Action action);

    DWORD m_dwStyle = 0x50200403;
    std::unique_ptr<CComboBox> m_pWndCombo;
    std::unique_ptr<CKGPComboEdit> m_pWndEdit;
    std::vector<Item> m_items;
    int m_iWidth = 150;
    int m_iSelIndex = -1;
    BOOL m_bHorz = TRUE;
    CString m_strEdit;
    CRect m_rectCombo;
    CRect m_rectButton;
    int m_nDropDownHeight = 150;
    BOOL m_bIsHotEdit = FALSE;
    UINT m_uiMenuResID = 0;
    BOOL m_bSyncingTwins = FALSE;

    friend class CKGPComboEdit;
};
