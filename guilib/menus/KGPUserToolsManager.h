// The application's user tools: each takes the lowest free command id of a
// reserved range; a menu entry stands for the whole list. One process-wide
// manager, made by the application when it wants user tools; while it lives
// the toolbars reach it through their user-tools link.
#pragma once

#include <afxwin.h>

#include "guilib/menus/KGPUserTool.h"

class CKGPUserToolsManager : public CObject {
public:
    // No range: no tool can be made.
    CKGPUserToolsManager();
    // uiCmdToolsDummy: the command of the menu entry standing for the tools
    // (0: no menu has an entry, the tools are offered elsewhere);
    // [uiCmdFirst, uiCmdLast] the tools' ids; pToolRTC a class derived from
    // CKGPUserTool (CKGPUserTool itself when it is not).
    CKGPUserToolsManager(UINT uiCmdToolsDummy, UINT uiCmdFirst, UINT uiCmdLast,
                         CRuntimeClass* pToolRTC = RUNTIME_CLASS(CKGPUserTool));
    ~CKGPUserToolsManager() override;
    CKGPUserToolsManager(const CKGPUserToolsManager&) = delete;
    CKGPUserToolsManager& operator=(const CKGPUserToolsManager&) = delete;

    // The tools under "<path>KGUserToolsManager", value "Tools". A load takes
    // the stored list whole (tools of the tool class, each id in the range
    // and once) or refuses it and changes nothing; FALSE then or when missing.
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr);
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr);

    // A new tool with the lowest free id, appended; null when every id of the
    // range is taken or there is no range.
    CKGPUserTool* CreateNewTool();
    // Deletes the tool and takes the buttons of its command off every
    // toolbar; FALSE when the tool is not in the list.
    BOOL RemoveTool(CKGPUserTool* pTool);
    // Swap the tool with its neighbour; FALSE at the ends or for a tool not listed.
    BOOL MoveToolUp(CKGPUserTool* pTool) { return MoveTool(pTool, TRUE); }
    BOOL MoveToolDown(CKGPUserTool* pTool) { return MoveTool(pTool, FALSE); }

    // Without a range no command is a tool's (not even 0).
    BOOL IsUserToolCmd(UINT uiCmdId) const
    {
        return m_uiCmdFirst != 0 && uiCmdId >= m_uiCmdFirst && uiCmdId <= m_uiCmdLast;
    }
    UINT GetToolsEntryCmd() const { return m_uiCmdToolsDummy; }
    // Null outside the range or when no tool has the id.
    CKGPUserTool* FindTool(UINT uiCmdId) const;
    // Runs the tool with the id; FALSE when there is none.
    BOOL InvokeTool(UINT uiCmdId);

    const CObList& GetUserTools() const { return m_lstUserTools; }
    // What the tools page's Browse offers: the file-open filter ("text|pattern|
    // ...||") and the extension a name without one takes.
    void SetFilter(LPCTSTR lpszFilter, LPCTSTR lpszDefExt = nullptr)
    {
        m_strFilter = lpszFilter != nullptr ? lpszFilter : _T("");
        m_strDefExt = lpszDefExt != nullptr ? lpszDefExt : _T("");
    }
    const CString& GetFilter() const { return m_strFilter; }
    const CString& GetDefExt() const { return m_strDefExt; }
    int GetMaxTools() const;
    CRuntimeClass* GetToolClass() const { return m_pToolRTC; }

private:
    BOOL MoveTool(CKGPUserTool* pTool, BOOL bUp);

    COwningPtrList<CObList, CKGPUserTool*> m_lstUserTools;
    UINT m_uiCmdToolsDummy = 0;
    UINT m_uiCmdFirst = 0;
    UINT m_uiCmdLast = 0;
    CRuntimeClass* m_pToolRTC = RUNTIME_CLASS(CKGPUserTool);
    CString m_strFilter = _T("Programs (*.exe)|*.exe|All files (*.*)|*.*||");
    CString m_strDefExt = _T("exe");
};

// The process-wide manager, null when the application made none.
extern CKGPUserToolsManager* g_pUserToolsManager;
