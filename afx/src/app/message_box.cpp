// The one path every message box of the layer takes, with the hook tests use.
#include <afxwin.h>

#include <mutex>

namespace {
struct MessageBoxHook {
    std::mutex lock;
    AFX_MSGBOX_HOOK pfnHook = nullptr;
    LPVOID pContext = nullptr;
};

MessageBoxHook& Hook()
{
    static MessageBoxHook hook;
    return hook;
}
} // namespace

AFX_MSGBOX_HOOK AFXAPI AfxSetMessageBoxHook(AFX_MSGBOX_HOOK pfnHook, LPVOID pContext)
{
    MessageBoxHook& hook = Hook();
    std::lock_guard guard(hook.lock);
    AFX_MSGBOX_HOOK previous = hook.pfnHook;
    hook.pfnHook = pfnHook;
    hook.pContext = pContext;
    return previous;
}

int AFXAPI AfxShowMessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    AFX_MSGBOX_HOOK pfnHook = nullptr;
    LPVOID pContext = nullptr;
    {
        MessageBoxHook& hook = Hook();
        std::lock_guard guard(hook.lock);
        pfnHook = hook.pfnHook;
        pContext = hook.pContext;
    }
    if (lpszText == nullptr) {
        lpszText = L"";
    }
    if (pfnHook != nullptr) {
        return pfnHook(hWndOwner, lpszText, lpszCaption, nType, pContext);
    }
    return ::MessageBoxW(hWndOwner, lpszText, lpszCaption, nType);
}

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (CWinApp* pApp = AfxGetApp()) {
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    }
    return AfxShowMessageBox(CWnd::GetSafeOwner_(nullptr, nullptr), lpszText, AfxGetAppName(), nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    if (nIDHelp == static_cast<UINT>(-1)) {
        nIDHelp = nIDPrompt;
    }
    return AfxMessageBox(static_cast<LPCTSTR>(text), nType, nIDHelp);
}
