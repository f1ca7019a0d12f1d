#include "guilib/core/KGPWorkspace.h"

#include "guilib/core/KGPLibraryMath.h"

namespace {

CKGPWorkspace*& RegisteredWorkspace()
{
    static CKGPWorkspace* workspace = nullptr;
    return workspace;
}

} // namespace

CKGPWorkspace* GetWorkspace()
{
    return RegisteredWorkspace();
}

void SetWorkspace(CKGPWorkspace* pWorkspace)
{
    RegisteredWorkspace() = pWorkspace;
}

int GetWorkspaceDataVersion()
{
    const CKGPWorkspace* workspace = GetWorkspace();
    return workspace == nullptr ? -1
                                : kgp::PackDataVersion(workspace->GetDataVersionMajor(),
                                                       workspace->GetDataVersionMinor());
}
