// The toolbar inside a popup menu: its buttons are the menu's items (menu
// buttons, separators, the show-all item), laid out down one or more
// columns. It opens and closes sub-menus after the menu delay, steps
// between items by the keys and their mnemonics, runs the chosen command,
// hands mouse input outside it to the menus below, and shows rarely used
// items on their own background.
#pragma once

#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"

#include <memory>
#include <vector>

class CCustomizeButton;
class CKGPPopupMenu;

class CKGPPopupMenuBar : public CKGPToolBar {
    DECLARE_SERIAL(CKGPPopupMenuBar)
public:
    CKGPPopupMenuBar();
    ~CKGPPopupMenuBar() override;

    // The image size of the items: the image toolbar's locked menu size while
    // that bar is locked, else the library's menu image size.
    virtual CSize GetItemImageSize() const;
    // The items from the menu: texts, commands, the default item, disabled,
    // checked and new-column states, sub-menus. Unless bShowAllCommands, a
    // menu opened by a button with enough usage counted hides its rarely used
    // commands. FALSE when the handle is no menu.
    virtual BOOL ImportFromMenu(HMENU hMenu, BOOL bShowAllCommands = FALSE);
    // A new popup menu handle of the items, the caller's to destroy.
    virtual HMENU ExportToMenu() const;
    // The item waiting to close its sub-menu closes it now, or keeps it open.
    virtual void CloseDelayedSubMenu();
    virtual void RestoreDelayedSubMenu();

    // Runs the chosen command (pItem may be null) and closes the menus.
    void InvokeMenuCommand(UINT uiCmdId, const CKGPToolbarMenuButton* pItem);
    // On this bar and the bars of every popup above it.
    void SetInCommand(BOOL bInCommand = TRUE);
    BOOL IsInCommand() const { return m_bInCommand; }
    // The bar of a popup above this one whose window holds the point (this
    // bar's client coordinates); null when none does.
    CKGPPopupMenuBar* FindDestBar(CPoint point);
    // The item opens its sub-menu after the menu delay times the factor.
    void StartPopupMenuTimer(CKGPToolbarMenuButton* pMenuButton, int nDelayFactor = 1);
    // A key from the popup: TRUE when the bar handled it.
    virtual BOOL OnKey(UINT nChar);
    // Runs the item's action as a click would; TRUE when it was taken.
    BOOL ClickItem(CKGPToolbarButton* pItem);

    // The popup holding the bar (its parent window), null outside one.
    CKGPPopupMenu* GetPopupMenu() const;
    CKGPToolbarMenuButton* GetDelayedCloseButton() const { return m_pDelayedClosePopupMenuButton; }
    // Scrolling: the first row shown, the rows of the items, the bottom of
    // the last item (client coordinates).
    int GetFirstVisibleRow() const { return m_iOffset; }
    void SetFirstVisibleRow(int iRow);
    int GetRowCount() const;
    int GetLastItemBottom() const;
    // The row height of the items.
    int GetMenuRowHeight() const;
    int RowHeight() const override { return GetMenuRowHeight(); }
    int ColumnWidth() const override { return GetItemImageSize().cx + 4; }
    // Runs the command UI of the items against the message window's frame.
    void UpdateCommands();
    // Every item whose sub-menu is open has it closed.
    void CloseOpenSubMenus();

    // The menu delay (ms) every popup uses; read from the system once.
    static int GetMenuShowDelay();
    // Reads the delay again (after a settings change, or for a test).
    static void ReadMenuShowDelay();
    // The index of the item last chosen in any popup (-1: none).
    static int GetLastCommandIndex() { return s_nLastCommandIndex; }
    // The recently-used mode's one state: while set, every item shows, rarely
    // used or not. The show-all item, Ctrl+Down, the menu bar's 5-second timer
    // and its double click set it; it ends when the popup chain closes.
    static void SetShowAllCommands(BOOL bShowAll) { s_bShowAllCommands = bShowAll; }
    static BOOL IsShowAllCommands() { return s_bShowAllCommands; }
    // Whether a letter that no shown item of a menu takes runs the item the
    // recently-used mode hides with that mnemonic (on by default).
    static void EnableHiddenItemsMnemonics(BOOL bOn = TRUE) { s_bHiddenItemsMnemonics = bOn; }
    static BOOL AreHiddenItemsMnemonicsOn() { return s_bHiddenItemsMnemonics; }

    // ---- Toolbar slots ----
    CSize CalcSize(BOOL bVertDock) override;
    void AdjustLocations() override;
    void AdjustLayout() override;
    void ChangeHot(int iIndex) override;
    CWnd* CommandTarget() const override;
    BOOL ShowsOnToolbarsList() const override { return FALSE; }
    // The frame the items' command UI asks: the message window's, else the
    // one the popup opened over, never a popup (a sub-menu's message window
    // may be the popup above it).
    CFrameWnd* CommandFrame() const override;
    BOOL HighlightsDisabled() const override { return TRUE; }
    BOOL HandledOnRelease(CKGPToolbarButton* pButton) override;
    BOOL KeepsHotOnLeave() const override;
    void OnFillBackground(CDC* pDC, const CRect& rectClient) override;
    // A separator is a line across the item's column, inset at both ends.
    void DrawSeparatorButton(CDC* pDC, const CKGPToolbarButton& separator, const CRect& rectClient,
                             BOOL bHorz) override;
    CKGPToolBarImages* StripFor(const CKGPToolbarButton& button, BOOL bHighlighted) override;
    BOOL OnUserToolTip(CKGPToolbarButton* pButton, CString& strText) const override;
    // Between the item rows; in palette mode as on a toolbar, a drop after an
    // item marking the band below it across the menu.
    int DropIndexAt(CPoint point, CRect& rectMarker) const override;
    void DrawInsertMarker(CDC* pDC) override;
    // A menu button being dragged out of its bar is not dropped into its own
    // popup (nor into a sub-menu of it).
    DROPEFFECT DragOverBar(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    BOOL DropButton(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;
    BOOL IsDraggingItsOwnMenu() const;
    CKGPToolbarButton* CreateDroppedButton(COleDataObject* pDataObject) override;
    void SetButtonStyle(int iIndex, UINT nStyle) override;
    BOOL IsMenuItemButton(CKGPToolbarButton*) const override { return TRUE; }
    BOOL WantsExtraButtonSize() const override { return FALSE; }
    // A popup opens at once; its tips come with the first mouse move over it.
    BOOL MakesTipsWithWindow() const override { return FALSE; }

    // The command of the default item (drawn bold); 0 none.
    UINT m_uiDefaultMenuCmdId = 0;
    // The toolbar whose locked menu images the items use; null: the library's.
    CKGPToolBar* m_pRelatedToolbar = nullptr;
    BOOL m_bPaletteMode = FALSE;
    int m_nPaletteRows = 1;
    // Items wider than this less 2 are cut (-1: no limit).
    int m_iMaxWidth = -1;
    // While set the first release and the first move after opening are not
    // the user's choice.
    BOOL m_bFirstClick = TRUE;
    BOOL m_bFirstMove = TRUE;
    // FALSE while the recently-used mode hides items.
    BOOL m_bAreAllCommandsShown = TRUE;
    // The items may not be customised (a popup made locked).
    BOOL m_bLocked = FALSE;
    // The items' image size a ribbon element asks for ((0, 0): the library's).
    CSize m_sizeItemImage{0, 0};

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnNcPaint();
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg void OnShowImageAndText();
    afx_msg void OnShowTextOnly();
    DECLARE_MESSAGE_MAP()

private:
    // The items as the layout rules see them.
    struct MeasuredItems;
    MeasuredItems Measure(CDC* pDC) const;
    // A point of this bar's client area in another window's client area.
    BOOL PassToBar(CKGPPopupMenuBar* pBar, UINT message, UINT nFlags, CPoint point);
    // The items in their order (the list is walked once, not searched per index).
    std::vector<CKGPToolbarButton*> ButtonsInOrder() const;
    // Which items may take the keys.
    std::vector<bool> SelectableItems() const;
    void MoveHotTo(int iIndex);
    // The items take the boxes (in their order); the tips follow those that moved.
    void PlaceItems(const std::vector<kgp::Box>& boxes);
    BOOL ProcessMenuMnemonic(UINT nChar);
    // The item's action: TRUE when taken.
    BOOL ItemAction(CKGPToolbarButton* pItem);
    // An item of a toolbar's customise menu that stands for a hidden button
    // runs that button's click (the menu closed first); FALSE for any other.
    BOOL ClickHiddenButton(const CKGPToolbarMenuButton& item);
    // The place in a customise button's menu of its hidden button with the
    // command; -1 when none has it.
    static int HiddenEntryOf(const CCustomizeButton& chevron, UINT uiCmdId);
    // Opens the item's sub-menu with its first item selected.
    static void OpenWithFirstItem(CKGPToolbarMenuButton* pItem);
    void DrawRarelyUsedBands(CDC* pDC);
    void KillTimers();

    CKGPToolbarMenuButton* m_pDelayedPopupMenuButton = nullptr;
    CKGPToolbarMenuButton* m_pDelayedClosePopupMenuButton = nullptr;
    int m_iOffset = 0;
    int m_xSeparatorOffsetLeft = 0;
    int m_xSeparatorOffsetRight = 0;
    std::vector<int> m_arColumns;
    // Mnemonics of hidden items: character to command.
    CMap<UINT, UINT, UINT, UINT> m_HiddenItemsAccel{10};
    BOOL m_bInCommand = FALSE;
    // A mouse button went down inside the menu: its release may choose.
    BOOL m_bButtonPressed = TRUE;
    CKGPToolbarButton* m_pPendingClick = nullptr;
    // A customise menu's entry pressed: chosen when released over it.
    CKGPToolbarButton* m_pPressedEntry = nullptr;
    // The hot item changed by a key press (sub-menus close at once).
    BOOL m_bKeyboardChange = FALSE;
    // Answers whether the object still lives after a call that may destroy it.
    std::shared_ptr<bool> m_pAlive = std::make_shared<bool>(true);

    static int s_nMenuShowDelay;
    static int s_nLastCommandIndex;
    static BOOL s_bShowAllCommands;
    static BOOL s_bHiddenItemsMnemonics;
};
