#include "guilib/menus/KGPContextMenuManager.h"

#include "guilib/menus/KGPMenusLink.h"
#include "guilib/menus/KGPPopupMenuSeam.h"

CKGPContextMenuManager* g_pContextMenuManager = nullptr;

CKGPContextMenuManager::CKGPContextMenuManager()
{
    g_pContextMenuManager = this;
    KGPRegisterMenusLinks();
}

CKGPContextMenuManager::~CKGPContextMenuManager()
{
    if (g_pContextMenuManager == this)
        g_pContextMenuManager = nullptr;
}

BOOL CKGPContextMenuManager::AddMenu(LPCTSTR lpszName, UINT uiMenuResId)
{
    if (lpszName == nullptr || m_MenuNames.count(lpszName) != 0 || m_Menus.count(uiMenuResId) != 0)
        return FALSE;
    auto menu = std::make_unique<CMenu>();
    if (!menu->LoadMenu(uiMenuResId))
        return FALSE;
    m_Menus.emplace(uiMenuResId, std::move(menu));
    m_MenuNames.emplace(lpszName, uiMenuResId);
    return TRUE;
}

void CKGPContextMenuManager::GetMenuNames(CStringList& listOfNames) const
{
    listOfNames.RemoveAll();
    for (const auto& [name, id] : m_MenuNames)
        listOfNames.AddTail(name);
}

HMENU CKGPContextMenuManager::GetMenuById(UINT uiMenuResId) const
{
    const auto found = m_Menus.find(uiMenuResId);
    return found == m_Menus.end() ? nullptr : found->second->GetSafeHmenu();
}

HMENU CKGPContextMenuManager::GetMenuByName(LPCTSTR lpszName, UINT* puiOrigResID) const
{
    if (puiOrigResID != nullptr)
        *puiOrigResID = 0;
    const auto found = lpszName != nullptr ? m_MenuNames.find(lpszName) : m_MenuNames.end();
    if (found == m_MenuNames.end())
        return nullptr;
    if (puiOrigResID != nullptr)
        *puiOrigResID = found->second;
    return GetMenuById(found->second);
}

BOOL CKGPContextMenuManager::ShowPopupMenu(UINT uiMenuResId, int x, int y, CWnd* pWndOwner, BOOL bRightAlign)
{
    const HMENU menu = GetMenuById(uiMenuResId);
    const HMENU popup = menu != nullptr ? ::GetSubMenu(menu, 0) : nullptr;
    return popup != nullptr && KGPPopupMenuSeam::Show(popup, x, y, pWndOwner, bRightAlign);
}

UINT CKGPContextMenuManager::TrackPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bRightAlign)
{
    return KGPPopupMenuSeam::Track(hmenuPopup, x, y, pWndOwner, bRightAlign);
}
