#include "guilib/core/KGPLink.h"

#include <afxwin.h>

#include <atomic>

namespace {

std::atomic<int> g_refusedRegistrations{0};

} // namespace

void KGPReportRefusedLink(const char* pszInterface)
{
    ++g_refusedRegistrations;
    CStringA message;
    message.Format("KGP: the library's implementation of %s was refused: another one was registered first\n",
                   pszInterface != nullptr ? pszInterface : "a link");
    ::OutputDebugStringA(message);
    ASSERT(FALSE);
}

int KGPRefusedLinkRegistrations()
{
    return g_refusedRegistrations.load();
}
