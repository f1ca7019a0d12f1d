// What the menu buttons ask of the menus family above them: the popup menus
// they open (and the popup menu bars and the menu bar they stand on), and the
// tear-off manager that numbers menus the user may tear off. The menus family
// registers these links; until it does, a menu button opens no popup, stands
// on plain toolbars only and finds no tear-off ids.
#pragma once

#include <afxwin.h>

#include "guilib/core/KGPLink.h"

class CKGPToolbarButton;
class CKGPToolbarMenuButton;

// A library popup menu as the button that opened it sees it. The popup owns
// itself: it is deleted when its window goes, and then tells its parent
// button (OnPopupMenuGone).
class IKGPMenuPopup {
public:
    // Shows the popup at the screen point for the parent window, its items
    // made from the menu handle, which it takes (null when it fills itself).
    // FALSE when it could not be shown: the popup has then deleted itself.
    virtual BOOL Create(CWnd* pWndParent, int x, int y, HMENU hMenu) = 0;
    // Holds items already (a popup that fills itself needs no menu handle).
    virtual BOOL HasItems() const = 0;
    // The button whose popup this is (null unlinks it), and the direction it
    // drops to: 1 down, 3 right, 4 left.
    virtual void SetParentButton(CKGPToolbarMenuButton* pButton) = 0;
    virtual void SetDropDirection(int nDirection) = 0;
    // Opens with its right edge at the point.
    virtual BOOL IsRightAligned() const = 0;
    // The window its commands go to (null: its parent popup's or the owner).
    virtual void SetMessageWnd(CWnd* pWnd) = 0;
    virtual CWnd* GetMessageWnd() const = 0;
    // Running the command chosen in it, or tracking in a modal loop of its own.
    virtual BOOL IsInCommand() const = 0;
    virtual BOOL IsInModalLoop() const = 0;
    // Its items, as toolbar buttons.
    virtual int GetItemCount() const = 0;
    virtual CKGPToolbarButton* GetItem(int nIndex) const = 0;
    // The window it was made for (a bar, or the popup whose item opened it).
    virtual CWnd* GetParentWindow() const = 0;
    // The window that holds its items.
    virtual CWnd* GetPopupWindow() const = 0;
    // The popup that opened this one from an item, null for a first popup.
    virtual IKGPMenuPopup* GetParentPopup() const = 0;
    // Puts its items back into its parent button (after customisation).
    virtual void SaveItemsToParent() = 0;
    // Every item left in its normal state.
    virtual void CancelItems() = 0;
    // Closes (and so deletes) the popup, with or without giving the focus back.
    virtual void CloseMenu(BOOL bSetFocusToParent) = 0;
    // Shows the items that the recently-used mode hides.
    virtual void ShowAllCommands() = 0;

protected:
    ~IKGPMenuPopup() = default;
};

// The popup menus, the bars inside them and the menu bar (menus family).
class IKGPMenuBarsLink {
public:
    // A new popup menu, not yet shown; null when none can be made.
    virtual IKGPMenuPopup* CreatePopupMenu() = 0;
    // The popup whose bar the window is; null for any other window.
    virtual IKGPMenuPopup* GetPopupOfBar(CWnd* pWnd) const = 0;
    // Inside a popup's bar: the hovered item opens its sub-menu after the
    // menu delay times the factor.
    virtual void StartPopupMenuTimer(CWnd* pWndBar, CKGPToolbarMenuButton* pButton, int nFactor) = 0;
    // Whether the window is the library's menu bar, whether it draws arrows
    // on every button, and the button whose menu it shows dropped down.
    virtual BOOL IsMenuBar(CWnd* pWnd) const = 0;
    virtual BOOL MenuBarWantsArrows(CWnd* pWndBar) const = 0;
    virtual CKGPToolbarMenuButton* GetDroppedDownButton(CWnd* pWndBar) const = 0;
    virtual void SetDroppedDownButton(CWnd* pWndBar, CKGPToolbarMenuButton* pButton) = 0;
    // The menus' sound: 1 a command chosen, 2 a popup opened.
    virtual void PlayMenuSound(int nSound) = 0;
    // The delay before a hovered item opens its sub-menu, in milliseconds
    // (the system's menu show delay as the popup menus read it).
    virtual int GetMenuShowDelay() const { return kDefaultMenuShowDelay; }
    static constexpr int kDefaultMenuShowDelay = 500;

protected:
    ~IKGPMenuBarsLink() = default;
};

// The tear-off manager: ids of menus that may be torn off into bars, written
// into the item texts of their sub-menus.
class IKGPTearOffLink {
public:
    // The id marked in the text, which keeps only the visible part; 0 (the
    // text unchanged) when it carries none.
    virtual UINT ParseTearOffId(CString& strText) const = 0;
    // Marks the text with the id.
    virtual void MarkText(UINT uiId, CString& strText) const = 0;
    // One more (or one less) menu uses the id.
    virtual void SetInUse(UINT uiId, BOOL bUsed) = 0;

protected:
    ~IKGPTearOffLink() = default;
};

namespace KGPMenuButtonLinks {

inline IKGPMenuBarsLink* Bars()
{
    return CKGPLink<IKGPMenuBarsLink>::Get();
}

inline IKGPMenuPopup* GetPopupOfBar(CWnd* pWnd)
{
    const IKGPMenuBarsLink* pLink = Bars();
    return pLink != nullptr && pWnd != nullptr ? pLink->GetPopupOfBar(pWnd) : nullptr;
}

inline BOOL IsMenuBar(CWnd* pWnd)
{
    const IKGPMenuBarsLink* pLink = Bars();
    return pLink != nullptr && pWnd != nullptr && pLink->IsMenuBar(pWnd);
}

inline IKGPTearOffLink* TearOff()
{
    return CKGPLink<IKGPTearOffLink>::Get();
}

} // namespace KGPMenuButtonLinks
