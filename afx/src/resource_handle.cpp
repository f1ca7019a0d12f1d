// The program module and the module resources are loaded from (a language
// library or the program). Both are process-wide: every thread loads from the
// module the GUI thread chose.
#include <afxwin.h>

#include <atomic>

namespace {
std::atomic<HINSTANCE> g_instance{nullptr};
std::atomic<HINSTANCE> g_resourceModule{nullptr};
} // namespace

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    HINSTANCE instance = g_instance.load();
    return instance != nullptr ? instance : ::GetModuleHandleW(nullptr);
}

void AFXAPI AfxSetInstanceHandle(HINSTANCE hInstance)
{
    g_instance.store(hInstance);
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    HINSTANCE module = g_resourceModule.load();
    return module != nullptr ? module : AfxGetInstanceHandle();
}

void AFXAPI AfxSetResourceHandle(HINSTANCE module)
{
    g_resourceModule.store(module);
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    HINSTANCE module = AfxGetResourceHandle();
    if (module != nullptr && ::FindResourceW(module, lpszName, lpszType) != nullptr) {
        return module;
    }
    return AfxGetInstanceHandle(); // a language library may lack it: the program has it
}
