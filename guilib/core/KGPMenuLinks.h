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

protected:
    ~IKGPMenuLink() = default;
};

namespace KGPMenuLinks {

inline BOOL IsCustomizeMode()
{
    const IKGPToolbarLink* pLink = CKGPLink<IKGPToolbarLink>::Get();
    return pLink != nullptr && pLink->IsCustomizeMode();
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

// Bars offer no menus while the toolbars are customised, a modal state holds
// or a library popup menu is open.
inline BOOL AreMenusBlocked()
{
    return IsCustomizeMode() || IsModalState() || GetActivePopupMenu() != nullptr;
}

} // namespace KGPMenuLinks
