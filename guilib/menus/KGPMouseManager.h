// Keeps, for each named view of the application, the command that a double
// click in it runs (and the icon the customisation pages show for it). The
// object made last is the process-wide mouse manager.
#pragma once

#include <afxwin.h>

#include <map>

class CKGPMouseManager : public CObject {
    DECLARE_SERIAL(CKGPMouseManager)
public:
    CKGPMouseManager();
    ~CKGPMouseManager() override;
    CKGPMouseManager(const CKGPMouseManager&) = delete;
    CKGPMouseManager& operator=(const CKGPMouseManager&) = delete;

    // Makes the view known by name and id, with its icon resource; FALSE
    // when the name or the id is taken.
    BOOL AddView(int iViewId, LPCTSTR lpszViewName, UINT uiIconId = 0);
    // Every view name, in order of the names (the list emptied first).
    void GetViewNames(CStringList& listOfNames) const;
    // -1 when no view has the name.
    int GetViewIdByName(LPCTSTR lpszName) const;
    // 0 when the view has none.
    UINT GetViewDblClickCommand(int iId) const;
    UINT GetViewIconId(int iViewId) const;
    // Command 0 removes the view's entry.
    void SetCommandForDblClick(int iViewId, UINT uiCmd);

    // A count, then each view id and its command; a load replaces the
    // double-click commands whole or refuses and changes nothing.
    void Serialize(CArchive& ar) override;

private:
    std::map<CString, int> m_ViewsNames;
    std::map<int, UINT> m_ViewsToCommands;
    std::map<int, UINT> m_ViewsToIcons;
};

// The process-wide manager, null when the application made none.
extern CKGPMouseManager* g_pMouseManager;
