// Hands out the command ids of menus that the user may tear off into bars,
// and marks the texts of those menus' items with their ids. One process-wide
// manager, made by the application when it wants torn-off menus; while it
// lives the menu buttons reach it through their tear-off link.
#pragma once

#include <afxwin.h>

#include <vector>

class CKGPTearOffManager {
public:
    CKGPTearOffManager();
    ~CKGPTearOffManager();
    CKGPTearOffManager(const CKGPTearOffManager&) = delete;
    CKGPTearOffManager& operator=(const CKGPTearOffManager&) = delete;

    // The range of ids (inclusive); every id becomes free. FALSE (and no
    // range) for a first id of 0 or a last one before it.
    BOOL Initialize(UINT uiFirstId, UINT uiLastId);
    UINT GetFirstId() const { return m_uiTearOffMenuFirst; }
    UINT GetLastId() const { return m_uiTearOffMenuLast; }

    // The id marked in the text, which keeps only what follows the mark; 0
    // (the text unchanged) when it carries none.
    static UINT ParseTearOffId(CString& str);
    static void MarkText(UINT uiId, CString& str);

    // The first free id of the range, now used once; 0 when none is free.
    UINT GetFreeTearOffId();
    // One more (or one less) menu uses the id; ids outside the range are ignored.
    void SetInUse(UINT uiCmdId, BOOL bUse = TRUE);
    // How many menus use the id (0 outside the range).
    int GetUseCount(UINT uiCmdId) const;
    // Marks every sub-menu item that starts a new bar column (MF_MENUBARBREAK)
    // and has no mark yet with a free id, through every sub-menu; stops when
    // no id is left.
    void SetupTearOffMenus(HMENU hMenu);
    // Frees the ids marked in the menu's items (all of its sub-menus too);
    // with no menu, every id of the range.
    void Reset(HMENU hMenu);

private:
    BOOL IsInRange(UINT uiCmdId) const { return uiCmdId >= m_uiTearOffMenuFirst && uiCmdId <= m_uiTearOffMenuLast; }
    // FALSE when the ids ran out.
    BOOL SetupMenu(HMENU hMenu);

    UINT m_uiTearOffMenuFirst = 0;
    UINT m_uiTearOffMenuLast = 0;
    std::vector<int> m_arTearOffIDsUsage;
};

// The process-wide manager, null when the application made none.
extern CKGPTearOffManager* g_pTearOffMenuManager;
