#include "guilib/menus/KGPTearOffManager.h"

#include "guilib/menus/KGPMenuRules.h"
#include "guilib/toolbars/KGPMenuButtonLinks.h"

#include <string>

CKGPTearOffManager* g_pTearOffMenuManager = nullptr;

namespace {

constexpr int kMaxItemText = 1024;
// Ids are command ids: a range never reaches past them.
constexpr UINT kLastCommandId = 0xFFFF;

CString ItemText(HMENU hMenu, int nPos)
{
    WCHAR text[kMaxItemText + 1] = {};
    ::GetMenuStringW(hMenu, nPos, text, kMaxItemText, MF_BYPOSITION);
    return text;
}

} // namespace

CKGPTearOffManager::CKGPTearOffManager()
{
    g_pTearOffMenuManager = this;
}

CKGPTearOffManager::~CKGPTearOffManager()
{
    if (g_pTearOffMenuManager == this)
        g_pTearOffMenuManager = nullptr;
}

BOOL CKGPTearOffManager::Initialize(UINT uiFirstId, UINT uiLastId)
{
    m_arTearOffIDsUsage.clear();
    m_uiTearOffMenuFirst = 0;
    m_uiTearOffMenuLast = 0;
    if (uiFirstId == 0 || uiLastId < uiFirstId || uiLastId > kLastCommandId)
        return FALSE;
    m_uiTearOffMenuFirst = uiFirstId;
    m_uiTearOffMenuLast = uiLastId;
    m_arTearOffIDsUsage.assign(uiLastId - uiFirstId + 1, 0);
    return TRUE;
}

UINT CKGPTearOffManager::ParseTearOffId(CString& str)
{
    std::wstring text(str.GetString());
    const UINT id = kgp::ParseTearOffText(text);
    if (id != 0)
        str = text.c_str();
    return id;
}

void CKGPTearOffManager::MarkText(UINT uiId, CString& str)
{
    str = kgp::MarkTearOffText(uiId, std::wstring(str.GetString())).c_str();
}

UINT CKGPTearOffManager::GetFreeTearOffId()
{
    for (size_t i = 0; i < m_arTearOffIDsUsage.size(); ++i) {
        if (m_arTearOffIDsUsage[i] == 0) {
            m_arTearOffIDsUsage[i] = 1;
            return m_uiTearOffMenuFirst + static_cast<UINT>(i);
        }
    }
    return 0;
}

void CKGPTearOffManager::SetInUse(UINT uiCmdId, BOOL bUse)
{
    if (m_arTearOffIDsUsage.empty() || !IsInRange(uiCmdId))
        return;
    int& count = m_arTearOffIDsUsage[uiCmdId - m_uiTearOffMenuFirst];
    count = bUse ? count + 1 : (count > 0 ? count - 1 : 0);
}

int CKGPTearOffManager::GetUseCount(UINT uiCmdId) const
{
    if (m_arTearOffIDsUsage.empty() || !IsInRange(uiCmdId))
        return 0;
    return m_arTearOffIDsUsage[uiCmdId - m_uiTearOffMenuFirst];
}

BOOL CKGPTearOffManager::SetupMenu(HMENU hMenu)
{
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        const HMENU subMenu = ::GetSubMenu(hMenu, i);
        if (subMenu == nullptr)
            continue;
        if ((::GetMenuState(hMenu, i, MF_BYPOSITION) & MF_MENUBARBREAK) != 0) {
            CString text = ItemText(hMenu, i);
            CString visible = text;
            if (ParseTearOffId(visible) == 0) {
                const UINT id = GetFreeTearOffId();
                if (id == 0)
                    return FALSE;
                MarkText(id, text);
                MENUITEMINFOW info{};
                info.cbSize = sizeof(info);
                info.fMask = MIIM_STRING;
                info.dwTypeData = const_cast<LPWSTR>(text.GetString());
                ::SetMenuItemInfoW(hMenu, i, TRUE, &info);
            }
        }
        if (!SetupMenu(subMenu))
            return FALSE;
    }
    return TRUE;
}

void CKGPTearOffManager::SetupTearOffMenus(HMENU hMenu)
{
    if (::IsMenu(hMenu))
        SetupMenu(hMenu);
}

void CKGPTearOffManager::Reset(HMENU hMenu)
{
    if (hMenu == nullptr) {
        std::fill(m_arTearOffIDsUsage.begin(), m_arTearOffIDsUsage.end(), 0);
        return;
    }
    if (!::IsMenu(hMenu))
        return;
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        const HMENU subMenu = ::GetSubMenu(hMenu, i);
        if (subMenu == nullptr)
            continue;
        CString text = ItemText(hMenu, i);
        const UINT id = ParseTearOffId(text);
        if (id != 0 && IsInRange(id) && !m_arTearOffIDsUsage.empty())
            m_arTearOffIDsUsage[id - m_uiTearOffMenuFirst] = 0;
        Reset(subMenu);
    }
}
