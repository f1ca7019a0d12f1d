// What the families below the toolbars and menus ask of them: whether the
// toolbars are being customised, whether a library popup menu or modal state
// holds, and the context-menu manager. The toolbars register their link when
// their first bar is made, the menus theirs when their first popup opens.
#pragma once

#include <afxwin.h>

#include "guilib/core/KGPLink.h"

class IKGPToolbarLink {
public:
    // TRUE while the toolbar customisation sheet runs.
    virtual BOOL IsCustomizeMode() const = 0;
    // The clipboard format a dragged toolbar button travels in.
    virtual CLIPFORMAT GetButtonClipboardFormat() const = 0;

protected:
    ~IKGPToolbarLink() = default;
};

class IKGPMenuLink {
public:
    // The library popup menu that is open, null when none is.
    virtual CWnd* GetActivePopupMenu() const = 0;
    // TRUE while a library modal state holds (a popup menu tracks the mouse).
    virtual BOOL IsModalState() const = 0;
    // TRUE when the application has a context-menu manager.
    virtual BOOL HasContextMenuManager() const = 0;
    // Shows the menu at the screen point for the owner through the
    // context-menu manager; the command chosen, 0 when none.
    virtual UINT TrackContextMenu(HMENU hMenu, int x, int y, CWnd* pOwner, BOOL bRightAlign) = 0;
    // Shows the menu as a library popup menu at the screen point and waits
    // until it closes: the command chosen (not sent), 0 when none.
    virtual UINT TrackPopupMenu(HMENU hMenu, int x, int y, CWnd* pOwner, BOOL bRightAlign) = 0;
    // Where a screen point lies against the open popup menu and the popups
    // its items opened it from: 0 inside, 1 and 2 on its shadow, 3 on its side
    // band, 4 outside them all, 5 on its tear-off caption.
    virtual int HitTestPopupMenu(CWnd* pPopup, CPoint ptScreen) const = 0;
    // The screen below the open popup menus changed: they take their shadows
    // anew (a library without popup menus has none).
    virtual void UpdatePopupShadows() {}

protected:
    ~IKGPMenuLink() = default;
};

namespace KGPMenuLinks {

inline BOOL IsCustomizeMode()
{
    const IKGPToolbarLink* pLink = CKGPLink<IKGPToolbarLink>::Get();
    return pLink != nullptr && pLink->IsCustomizeMode();
}

// The toolbar-button clipboard format, 0 without the toolbars.
inline CLIPFORMAT GetButtonClipboardFormat()
{
    const IKGPToolbarLink* pLink = CKGPLink<IKGPToolbarLink>::Get();
    return pLink != nullptr ? pLink->GetButtonClipboardFormat() : 0;
}

inline CWnd* GetActivePopupMenu()
{
    const IKGPMenuLink* pLink = CKGPLink<IKGPMenuLink>::Get();
    return pLink != nullptr ? pLink->GetActivePopupMenu() : nullptr;
}

inline BOOL IsModalState()
{
    const IKGPMenuLink* pLink = CKGPLink<IKGPMenuLink>::Get();
    return pLink != nullptr && pLink->IsModalState();
}

inline BOOL HasContextMenuManager()
{
    const IKGPMenuLink* pLink = CKGPLink<IKGPMenuLink>::Get();
    return pLink != nullptr && pLink->HasContextMenuManager();
}

// Shows the menu through the context-menu manager: the command chosen, 0 when
// none or when there is no manager.
inline UINT TrackContextMenu(HMENU hMenu, int x, int y, CWnd* pOwner, BOOL bRightAlign)
{
    IKGPMenuLink* pLink = CKGPLink<IKGPMenuLink>::Get();
    return pLink != nullptr && pLink->HasContextMenuManager() ? pLink->TrackContextMenu(hMenu, x, y, pOwner, bRightAlign)
                                                              : 0;
}

// Shows the menu and waits for the choice: a library popup menu, or the
// system's while the library has none; the command chosen, 0 when none.
inline UINT TrackPopupMenu(HMENU hMenu, int x, int y, CWnd* pOwner, BOOL bRightAlign = FALSE)
{
    if (IKGPMenuLink* pLink = CKGPLink<IKGPMenuLink>::Get())
        return pLink->TrackPopupMenu(hMenu, x, y, pOwner, bRightAlign);
    if (pOwner == nullptr || pOwner->GetSafeHwnd() == nullptr)
        return 0;
    const UINT align = bRightAlign ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
    return static_cast<UINT>(::TrackPopupMenu(hMenu, align | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0,
                                              pOwner->GetSafeHwnd(), nullptr));
}

// Whether a click at the screen point falls outside the open popup menu
// (its shadow counts as outside); without library popups, outside its window.
inline BOOL IsOutsidePopupMenu(CWnd* pPopup, CPoint ptScreen)
{
    if (pPopup == nullptr || pPopup->GetSafeHwnd() == nullptr)
        return FALSE;
    if (const IKGPMenuLink* pLink = CKGPLink<IKGPMenuLink>::Get()) {
        const int nHit = pLink->HitTestPopupMenu(pPopup, ptScreen);
        return nHit == 1 || nHit == 2 || nHit == 4;
    }
    CRect rect;
    pPopup->GetWindowRect(rect);
    return !rect.PtInRect(ptScreen);
}

// The open popup menus take their shadows anew (nothing while none is open).
inline void UpdatePopupShadows()
{
    IKGPMenuLink* pLink = CKGPLink<IKGPMenuLink>::Get();
    if (pLink != nullptr && pLink->GetActivePopupMenu() != nullptr)
        pLink->UpdatePopupShadows();
}

// Bars offer no menus while the toolbars are customised, a modal state holds
// or a library popup menu is open.
inline BOOL AreMenusBlocked()
{
    return IsCustomizeMode() || IsModalState() || GetActivePopupMenu() != nullptr;
}

} // namespace KGPMenuLinks
