// The registered workspace record: the stored-state version that archives of
// bars and buttons compare against, and the resource-tracking option. None is
// registered in this program, so the version reads -1.
#pragma once

#include <afxwin.h>

class CKGPWorkspace {
public:
    CKGPWorkspace() = default;
    virtual ~CKGPWorkspace() = default;
    CKGPWorkspace(const CKGPWorkspace&) = delete;
    CKGPWorkspace& operator=(const CKGPWorkspace&) = delete;

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

private:
    int m_nDataVersionMajor = -1;
    int m_nDataVersionMinor = -1;
};

// The registered workspace (not owned), or null.
CKGPWorkspace* GetWorkspace();
void SetWorkspace(CKGPWorkspace* pWorkspace);
// (major << 16) + (tens of minor << 8) + (units of minor << 4), a one-digit
// minor as the tens digit (6.2: 0x60200); -1 when no workspace is registered
// or its version is unset.
int GetWorkspaceDataVersion();
