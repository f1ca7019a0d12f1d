#include "guilib/menus/KGPMouseManager.h"

#include "guilib/core/KGPStoredState.h"

#include <afxarch.h>

#include <climits>

IMPLEMENT_SERIAL(CKGPMouseManager, CObject, VERSIONABLE_SCHEMA | 1)

CKGPMouseManager* g_pMouseManager = nullptr;

namespace {

// A stored entry: the view id and its command, 32 bits each.
constexpr ULONGLONG kStoredEntryBytes = 8;

} // namespace

CKGPMouseManager::CKGPMouseManager()
{
    g_pMouseManager = this;
}

CKGPMouseManager::~CKGPMouseManager()
{
    if (g_pMouseManager == this)
        g_pMouseManager = nullptr;
}

BOOL CKGPMouseManager::AddView(int iViewId, LPCTSTR lpszViewName, UINT uiIconId)
{
    if (lpszViewName == nullptr || m_ViewsNames.count(lpszViewName) != 0)
        return FALSE;
    for (const auto& [name, id] : m_ViewsNames) {
        if (id == iViewId)
            return FALSE;
    }
    m_ViewsNames.emplace(lpszViewName, iViewId);
    if (uiIconId != 0)
        m_ViewsToIcons[iViewId] = uiIconId;
    return TRUE;
}

void CKGPMouseManager::GetViewNames(CStringList& listOfNames) const
{
    listOfNames.RemoveAll();
    for (const auto& [name, id] : m_ViewsNames)
        listOfNames.AddTail(name);
}

int CKGPMouseManager::GetViewIdByName(LPCTSTR lpszName) const
{
    const auto found = lpszName != nullptr ? m_ViewsNames.find(lpszName) : m_ViewsNames.end();
    return found == m_ViewsNames.end() ? -1 : found->second;
}

UINT CKGPMouseManager::GetViewDblClickCommand(int iId) const
{
    const auto found = m_ViewsToCommands.find(iId);
    return found == m_ViewsToCommands.end() ? 0 : found->second;
}

UINT CKGPMouseManager::GetViewIconId(int iViewId) const
{
    const auto found = m_ViewsToIcons.find(iViewId);
    return found == m_ViewsToIcons.end() ? 0 : found->second;
}

void CKGPMouseManager::SetCommandForDblClick(int iViewId, UINT uiCmd)
{
    if (uiCmd == 0)
        m_ViewsToCommands.erase(iViewId);
    else
        m_ViewsToCommands[iViewId] = uiCmd;
}

void CKGPMouseManager::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        ar << static_cast<int>(m_ViewsToCommands.size());
        for (const auto& [view, command] : m_ViewsToCommands)
            ar << view << command;
        return;
    }
    // Read whole, then taken; a view stored twice, or a command 0 (which no
    // entry holds), is damage.
    CKGPStoredReader in(ar);
    const int count = in.ReadInt(0, static_cast<int>(kgp_stored::kMaxObjects));
    ar.EnsureAvailable(static_cast<ULONGLONG>(count) * kStoredEntryBytes);
    std::map<int, UINT> commands;
    for (int i = 0; i < count; ++i) {
        const int view = in.ReadInt(INT_MIN, INT_MAX);
        const UINT command = in.ReadUInt(1, 0xFFFF);
        if (!commands.emplace(view, command).second)
            CKGPStoredReader::Refuse();
    }
    m_ViewsToCommands.swap(commands);
}
