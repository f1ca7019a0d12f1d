#include "guilib/menus/KGPUserToolsManager.h"

#include "guilib/core/KGPRegistry.h"
#include "guilib/core/KGPStoredState.h"
#include "guilib/menus/KGPMenuRules.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarLinks.h"

#include <set>
#include <vector>

CKGPUserToolsManager* g_pUserToolsManager = nullptr;

namespace {

constexpr LPCTSTR kToolsValue = _T("Tools");

CString StateKey(LPCTSTR lpszProfileName)
{
    CString key;
    key.Format(_T("%sKGUserToolsManager"),
               BuildLibraryRegistryPath(CKGPToolBar::s_strRegSection, lpszProfileName).GetString());
    return key;
}

} // namespace

CKGPUserToolsManager::CKGPUserToolsManager()
{
    g_pUserToolsManager = this;
}

CKGPUserToolsManager::CKGPUserToolsManager(UINT uiCmdToolsDummy, UINT uiCmdFirst, UINT uiCmdLast,
                                           CRuntimeClass* pToolRTC)
    : m_uiCmdToolsDummy(uiCmdToolsDummy), m_uiCmdFirst(uiCmdFirst), m_uiCmdLast(uiCmdLast)
{
    if (pToolRTC != nullptr && pToolRTC->IsDerivedFrom(RUNTIME_CLASS(CKGPUserTool)))
        m_pToolRTC = pToolRTC;
    g_pUserToolsManager = this;
}

CKGPUserToolsManager::~CKGPUserToolsManager()
{
    if (g_pUserToolsManager == this)
        g_pUserToolsManager = nullptr;
}

int CKGPUserToolsManager::GetMaxTools() const
{
    return m_uiCmdFirst == 0 || m_uiCmdLast < m_uiCmdFirst ? 0 : static_cast<int>(m_uiCmdLast - m_uiCmdFirst + 1);
}

CKGPUserTool* CKGPUserToolsManager::CreateNewTool()
{
    std::vector<std::uint32_t> used;
    for (POSITION pos = m_lstUserTools.GetHeadPosition(); pos != nullptr;)
        used.push_back(m_lstUserTools.GetNext(pos)->m_uiCmdId);
    const UINT id = kgp::LowestFreeId(m_uiCmdFirst, m_uiCmdLast, used);
    if (id == 0)
        return nullptr;
    auto* tool = static_cast<CKGPUserTool*>(m_pToolRTC->CreateObject());
    if (tool == nullptr)
        return nullptr;
    tool->m_uiCmdId = id;
    m_lstUserTools.AddTail(tool);
    return tool;
}

BOOL CKGPUserToolsManager::RemoveTool(CKGPUserTool* pTool)
{
    const POSITION pos = pTool != nullptr ? m_lstUserTools.Find(pTool) : nullptr;
    if (pos == nullptr)
        return FALSE;
    const UINT command = pTool->m_uiCmdId;
    m_lstUserTools.DeleteAt(pos);
    // The tool's buttons leave every bar.
    const CObList& bars = CKGPToolBar::GetAllToolbars();
    for (POSITION barPos = bars.GetHeadPosition(); barPos != nullptr;) {
        auto* bar = static_cast<CKGPToolBar*>(bars.GetNext(barPos));
        BOOL removed = FALSE;
        for (int index = bar->CommandToIndex(command); index >= 0 && bar->RemoveButton(index);
             index = bar->CommandToIndex(command))
            removed = TRUE;
        if (removed)
            bar->AdjustLayout();
    }
    return TRUE;
}

BOOL CKGPUserToolsManager::MoveTool(CKGPUserTool* pTool, BOOL bUp)
{
    const POSITION pos = pTool != nullptr ? m_lstUserTools.Find(pTool) : nullptr;
    if (pos == nullptr)
        return FALSE;
    POSITION neighbour = pos;
    if (bUp)
        m_lstUserTools.GetPrev(neighbour);
    else
        m_lstUserTools.GetNext(neighbour);
    if (neighbour == nullptr)
        return FALSE;
    m_lstUserTools.RemoveAt(pos);
    if (bUp)
        m_lstUserTools.InsertBefore(neighbour, pTool);
    else
        m_lstUserTools.InsertAfter(neighbour, pTool);
    return TRUE;
}

CKGPUserTool* CKGPUserToolsManager::FindTool(UINT uiCmdId) const
{
    if (!IsUserToolCmd(uiCmdId))
        return nullptr;
    for (POSITION pos = m_lstUserTools.GetHeadPosition(); pos != nullptr;) {
        CKGPUserTool* tool = m_lstUserTools.GetNext(pos);
        if (tool->m_uiCmdId == uiCmdId)
            return tool;
    }
    return nullptr;
}

BOOL CKGPUserToolsManager::InvokeTool(UINT uiCmdId)
{
    CKGPUserTool* tool = FindTool(uiCmdId);
    return tool != nullptr && tool->Invoke();
}

BOOL CKGPUserToolsManager::SaveState(LPCTSTR lpszProfileName)
{
    CKGPRegistryHandle reg(FALSE, FALSE);
    return reg->CreateKey(StateKey(lpszProfileName)) && reg->Write(kToolsValue, m_lstUserTools);
}

BOOL CKGPUserToolsManager::LoadState(LPCTSTR lpszProfileName)
{
    CKGPRegistryHandle reg(FALSE, TRUE);
    if (!reg->Open(StateKey(lpszProfileName)))
        return FALSE;
    CKGPStoredLoad load;
    CKGPStoredObjects tools;
    if (!load.ReadObjects(*reg, kToolsValue, tools, m_pToolRTC))
        return FALSE;
    if (tools.GetCount() > GetMaxTools())
        return FALSE;
    std::set<UINT> ids;
    for (POSITION pos = tools.GetList().GetHeadPosition(); pos != nullptr;) {
        const auto* tool = static_cast<const CKGPUserTool*>(tools.GetList().GetNext(pos));
        if (!IsUserToolCmd(tool->m_uiCmdId) || !ids.insert(tool->m_uiCmdId).second)
            return FALSE;
    }
    load.OnCommit([this, &tools] {
        m_lstUserTools.DeleteAll();
        tools.HandTo(m_lstUserTools);
    });
    return load.Commit();
}
