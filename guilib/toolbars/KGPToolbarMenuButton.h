// A toolbar button that carries a menu: sub-item buttons made from a Windows
// menu (and back), and the popup menu it opens. Every item of a popup menu
// and of the menu bar is one; an item with sub-items opens a sub-menu. The
// popup itself comes from the menus family (IKGPMenuPopup).
#pragma once

#include "guilib/toolbars/KGPMenuButtonLinks.h"
#include "guilib/toolbars/KGPToolbarButton.h"

class CKGPToolbarMenuButton : public CKGPToolbarButton {
    DECLARE_SERIAL(CKGPToolbarMenuButton)
public:
    CKGPToolbarMenuButton();
    // The sub-items come from the menu (a copy of it: the caller keeps the handle).
    CKGPToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserButton = FALSE);
    ~CKGPToolbarMenuButton() override;

    void Serialize(CArchive& ar) override;
    void CopyButton(const CKGPToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    SIZE MeasureOnBar(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL HandleClick(CWnd* pWnd, BOOL bDelay) override;
    void OnChangeParentWnd(CWnd* pWndParent) override;
    void CancelState() override;
    // In help mode a click opens the menu at once.
    BOOL HandleHelpHit(CWnd* pWnd) override { return HandleClick(pWnd, FALSE); }
    // The button's row, with an arrow for a button with sub-items.
    int DrawInCommandList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    // An open popup closes before the button is dragged.
    BOOL IsDraggable() const override;
    // In customisation mode the popups holding the button store their items
    // back into their buttons.
    void FinishDrop() override;
    void RestoreCommandImage() override;
    void MarkRadio() override;
    // The same command and the same sub-items in the same order.
    BOOL IsSameCommand(const CKGPToolbarButton& other) const override;
    // A popup is open.
    virtual BOOL IsDroppedDown() const { return m_pPopupMenu != nullptr; }

    // ---- The menu ----
    // Opens the popup for the window (the button's bar when null); FALSE when
    // a popup is open already, there is no menu and an empty one is not
    // allowed, or the popup could not be made or shown.
    virtual BOOL OpenPopupMenu(CWnd* pWnd = nullptr);
    // Rebuilds the sub-items from the menu (a handle that is no menu, or an
    // empty menu, leaves none).
    virtual void CreateFromMenu(HMENU hMenu);
    // A new popup menu handle of the sub-items, the caller's to destroy; null
    // for a button that has a command of its own and no menu. A sub-item that
    // is a menu (sub-items, or no command of its own) becomes a sub-menu.
    virtual HMENU CreateMenu() const;
    // The button stands for a menu in an exported menu: it has sub-items, or
    // no command of its own (0, or the sub-menu id).
    BOOL ExportsAsSubMenu() const;
    // The popup this button opens (null when the library has no popup menus).
    virtual IKGPMenuPopup* CreatePopupMenu();
    virtual void OnAfterCreatePopupMenu() {}
    virtual BOOL IsEmptyMenuAllowed() const { return FALSE; }
    // Inside a popup, whether an item with a command of its own keeps its arrow.
    virtual BOOL IsDropDownAllowedInMenu() const { return TRUE; }
    // The button has a command part beside its menu part.
    virtual BOOL HasSeparateCommand() const { return FALSE; }
    // A click on the item inside a popup: TRUE when the item took it itself
    // (the customise menu's entries do), FALSE to let it run its command.
    virtual BOOL OnClickMenuItem() { return FALSE; }
    virtual BOOL HasTearOffId() const { return m_uiTearOffBarID != 0; }
    // Registers the new id with the tear-off manager (and drops the old one);
    // answers the old one.
    virtual UINT SetTearOffId(UINT uiBarID);
    UINT GetTearOffId() const { return m_uiTearOffBarID; }

    // The popup's window went: the button no longer has one.
    virtual void OnPopupMenuGone() { m_pPopupMenu = nullptr; }
    IKGPMenuPopup* GetPopupMenu() const { return m_pPopupMenu; }
    const CObList& GetCommands() const { return m_listCommands; }
    // Takes the button as the last sub-item.
    void AddSubItem(CKGPToolbarButton* pButton) { m_listCommands.AddTail(pButton); }
    // Deletes the sub-items and takes the buttons given (the popup stores its
    // items back).
    void ReplaceSubItems(CObList& lstButtons);
    BOOL IsDefault() const { return m_bDefault; }
    void SetDefault(BOOL bDefault) { m_bDefault = bDefault; }
    BOOL IsMenuMode() const { return m_bMenuMode; }
    BOOL IsClickedOnMenu() const { return m_bClickedOnMenu; }
    BOOL IsRadio() const { return m_bIsRadio; }
    void SetMessageWnd(CWnd* pWnd) { m_pWndMessage = pWnd; }
    CWnd* GetMessageWnd() const { return m_pWndMessage; }
    void SetMenuPaletteMode(BOOL bOn, int nRows = 1);
    BOOL IsMenuPaletteMode() const { return m_bMenuPaletteMode; }
    int GetPaletteRows() const { return m_nPaletteRows; }
    // A click opens the menu even though the button has a command.
    void SetMenuOnly(BOOL bMenuOnly) { m_bMenuOnly = bMenuOnly; }
    BOOL IsMenuOnly() const { return m_bMenuOnly; }
    // On a bar the popup opens at the button's right edge.
    void SetMenuOnRight(BOOL bOnRight) { m_bShowAtRightSide = bOnRight; }
    const CRect& GetArrowRect() const { return m_rectArrow; }
    // The part of the button that runs its command (beside its arrow).
    const CRect& GetCommandRect() const { return m_rectButton; }

    BOOL m_bDrawDownArrow = FALSE;
    BOOL m_bToBeClosed = FALSE;

protected:
    // The popup open now (not owned: it deletes itself and then tells us).
    IKGPMenuPopup* m_pPopupMenu = nullptr;
    // Draws the button as an item of a popup menu.
    virtual void DrawMenuItem(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages, BOOL bCustomizeMode,
                              BOOL bHighlight, BOOL bGrayDisabledButtons);
    // Draws the image (or the check or radio mark) of a menu item.
    virtual void DrawMenuItemImage(CDC* pDC, const CRect& rectImage, CKGPToolBarImages* pImages, BOOL bHighlight,
                                   BOOL bDisabled);
    // The button's area with the menu shadow, redrawn.
    void RedrawWithShadow();
    // The cursor over the area (the bar's client coordinates).
    BOOL CursorIsIn(const CRect& rect) const;
    BOOL HasRealCommand() const { return m_nCommand != 0 && m_nCommand != static_cast<UINT>(-1); }
    // A copy of the sub-item, of its own class.
    static CKGPToolbarButton* CloneItem(const CKGPToolbarButton& item);

    COwningPtrList<CObList, CKGPToolbarButton*> m_listCommands;
    BOOL m_bMenuMode = FALSE;
    BOOL m_bDefault = FALSE;
    BOOL m_bClickedOnMenu = FALSE;
    BOOL m_bHorz = TRUE;
    BOOL m_bMenuOnly = FALSE;
    UINT m_uiTearOffBarID = 0;
    BOOL m_bIsRadio = FALSE;
    CWnd* m_pWndMessage = nullptr;
    BOOL m_bMenuPaletteMode = FALSE;
    int m_nPaletteRows = 1;
    BOOL m_bShowAtRightSide = FALSE;
    CRect m_rectArrow;
    CRect m_rectButton;

private:
    void DropPopup();
    void ShowShortcutInCaption();
};

// The item at the end of a popup whose items the recently-used mode partly
// hides: a click (or a hover of twice the menu delay) shows them all.
class CKGPShowAllButton : public CKGPToolbarMenuButton {
    DECLARE_DYNCREATE(CKGPShowAllButton)
public:
    CKGPShowAllButton() = default;

    void OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    SIZE MeasureOnBar(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL HandleClick(CWnd* pWnd, BOOL bDelay) override;
    BOOL OpenPopupMenu(CWnd* pWnd = nullptr) override;
    // Its tooltip: the library's text naming the key (Ctrl+Down) that shows
    // all items.
    static CString GetToolTipText();

    // Hovering it shows every item after twice the menu delay.
    static BOOL s_bShowAllOnDelay;
};
