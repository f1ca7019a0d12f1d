// The application state store: the application-wide record that frames ask to
// load and store their state and window placement, and that stored bars and
// buttons compare their data version against. None is registered in this
// program, so every caller skips it and the version reads -1.
#pragma once

#include <afxwin.h>

class CKGPFrameImpl;

class CKGPAppStateStore {
public:
    CKGPAppStateStore() = default;
    virtual ~CKGPAppStateStore() = default;
    CKGPAppStateStore(const CKGPAppStateStore&) = delete;
    CKGPAppStateStore& operator=(const CKGPAppStateStore&) = delete;

    // A frame was loaded: it takes its saved state (section null: the store's own).
    virtual BOOL LoadFrameState(LPCTSTR /*lpszSection*/, CKGPFrameImpl* /*pFrameImpl*/) { return FALSE; }
    // The main frame closes: the store keeps what it needs of it.
    virtual void OnMainFrameClosing(CKGPFrameImpl* /*pFrameImpl*/) {}
    // The saved window placement; FALSE when there is none.
    virtual BOOL LoadPlacement(CRect& /*rectNormal*/, int& /*nFlags*/, int& /*nShowCmd*/) { return FALSE; }
    virtual void StorePlacement(const CRect& /*rectNormal*/, int /*nFlags*/, int /*nShowCmd*/) {}
    // The store's registry path followed by the suffix and a backslash (only
    // the path for an empty suffix).
    virtual CString SectionPath(LPCTSTR lpszSuffix) const;

    // The version of the state being loaded; major -1 when none was read.
    void SetDataVersion(int nMajor, int nMinor)
    {
        m_nDataVersionMajor = nMajor;
        m_nDataVersionMinor = nMinor;
    }
    int GetDataVersionMajor() const { return m_nDataVersionMajor; }
    int GetDataVersionMinor() const { return m_nDataVersionMinor; }

    // Whether toolbars follow changes of their resources.
    BOOL m_bResourceSmartUpdate = FALSE;
    // The store's section below the application's registry key.
    CString m_strRegSection = _T("Workspace");

private:
    int m_nDataVersionMajor = -1;
    int m_nDataVersionMinor = -1;
};

// The name the stored bars and buttons know the store by.
using CKGPWorkspace = CKGPAppStateStore;

// The registered store (not owned), or null.
CKGPAppStateStore* GetWorkspace();
void SetWorkspace(CKGPAppStateStore* pWorkspace);
// The store's registry path with the sub-section and a backslash appended
// (none for an empty one); empty without a store.
CString GetWorkspaceRegistrySection(LPCTSTR lpszSubSection = nullptr);
// (major << 16) + (tens of minor << 8) + (units of minor << 4), a one-digit
// minor as the tens digit (6.2: 0x60200); -1 when no store is registered or
// its version is unset.
int GetWorkspaceDataVersion();
