// Keeps a stored copy of the menu bar for every menu it has shown, each in a
// temporary file of its own that the system deletes when it is closed, so
// that showing the same menu again reads the bar back instead of rebuilding
// it. One process-wide object.
#pragma once

#include <afxwin.h>

#include <map>

class CKGPToolBar;

class CMenuHash {
public:
    CMenuHash() = default;
    virtual ~CMenuHash() = default;
    CMenuHash(const CMenuHash&) = delete;
    CMenuHash& operator=(const CMenuHash&) = delete;

    // Stores the bar for the menu in a new temporary file; the menu's earlier
    // file goes only once the new one is written. FALSE, and the earlier copy
    // kept, for a bar without buttons or when the file cannot be made or written.
    BOOL SaveMenuBar(HMENU hMenu, CKGPToolBar* pBar);
    // Reads the menu's stored bar into the bar (which a damaged copy leaves
    // as it was); FALSE when the menu has none or it cannot be read.
    BOOL LoadMenuBar(HMENU hMenu, CKGPToolBar* pBar);
    // Closes (and so deletes) the menu's file; FALSE when it has none.
    BOOL RemoveMenu(HMENU hMenu);
    // Closes every file.
    void CleanUp() { m_StoredMenues.clear(); }

    BOOL HasMenu(HMENU hMenu) const { return m_StoredMenues.count(hMenu) != 0; }
    int GetCount() const { return static_cast<int>(m_StoredMenues.size()); }
    // TRUE while a bar is stored or loaded.
    static BOOL IsLocked();

private:
    std::map<HMENU, CFileHandle> m_StoredMenues;
};

// The library's menu hash.
extern CMenuHash g_menuHash;
