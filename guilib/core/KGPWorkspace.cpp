#include "guilib/core/KGPWorkspace.h"

#include "guilib/core/KGPLibraryMath.h"
#include "guilib/core/KGPRegistry.h"

namespace {

CKGPAppStateStore*& RegisteredWorkspace()
{
    static CKGPAppStateStore* workspace = nullptr;
    return workspace;
}

} // namespace

CString CKGPAppStateStore::SectionPath(LPCTSTR lpszSuffix) const
{
    CString path = BuildLibraryRegistryPath(m_strRegSection, nullptr);
    if (lpszSuffix != nullptr && lpszSuffix[0] != 0) {
        path += lpszSuffix;
        path += _T("\\");
    }
    return path;
}

CKGPAppStateStore* GetWorkspace()
{
    return RegisteredWorkspace();
}

void SetWorkspace(CKGPAppStateStore* pWorkspace)
{
    RegisteredWorkspace() = pWorkspace;
}

CString GetWorkspaceRegistrySection(LPCTSTR lpszSubSection)
{
    const CKGPAppStateStore* workspace = GetWorkspace();
    return workspace != nullptr ? workspace->SectionPath(lpszSubSection) : CString();
}

int GetWorkspaceDataVersion()
{
    const CKGPAppStateStore* workspace = GetWorkspace();
    return workspace == nullptr ? -1
                                : kgp::PackDataVersion(workspace->GetDataVersionMajor(),
                                                       workspace->GetDataVersionMinor());
}
