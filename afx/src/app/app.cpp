// The application object and the global accessors of the layer.
#include "../wnd/afxstate.h"

#include <afxadv.h>

#include <atomic>
#include <cstdlib>
#include <cwchar>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
END_MESSAGE_MAP()

namespace afx_detail {
extern const int kEntryPointLinked; // winmain.cpp
} // namespace afx_detail

namespace {
std::atomic<CWinApp*> g_app{nullptr};

void ReplaceString(LPCTSTR& member, LPCTSTR value)
{
    std::free(const_cast<LPTSTR>(member));
    member = value != nullptr ? _wcsdup(value) : nullptr;
}
} // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    if (lpszAppName != nullptr) {
        m_pszAppName = _wcsdup(lpszAppName);
    }
    m_bAutoDelete = FALSE; // a static object
    static_cast<void>(*static_cast<const volatile int*>(&afx_detail::kEntryPointLinked));
    m_nThreadID = ::GetCurrentThreadId();
    g_app.store(this);
    afx_detail::GetThreadState().pCurrentThread = this;
}

CWinApp::~CWinApp()
{
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    for (LPCTSTR* member : {&m_pszAppName, &m_pszExeName, &m_pszHelpFilePath, &m_pszRegistryKey, &m_pszProfileName}) {
        std::free(const_cast<LPTSTR>(*member));
        *member = nullptr;
    }
    CWinApp* self = this;
    g_app.compare_exchange_strong(self, nullptr);
}

void CWinApp::SetCurrentHandles()
{
    if (m_hInstance == nullptr) {
        m_hInstance = AfxGetInstanceHandle();
    }
    wchar_t path[MAX_PATH] = {};
    DWORD nLength = ::GetModuleFileNameW(m_hInstance, path, MAX_PATH);
    if (nLength == 0 || nLength >= MAX_PATH) {
        path[0] = L'\0';
    }
    const wchar_t* name = std::wcsrchr(path, L'\\');
    name = name != nullptr ? name + 1 : path;
    CString exeName(name);
    int dot = exeName.ReverseFind(L'.');
    if (dot > 0) {
        exeName = exeName.Left(dot);
    }
    if (m_pszExeName == nullptr) {
        ReplaceString(m_pszExeName, exeName);
    }
    if (m_pszAppName == nullptr) {
        CString title;
        if (title.LoadString(AFX_IDS_APP_TITLE) && !title.IsEmpty()) {
            ReplaceString(m_pszAppName, title);
        } else {
            ReplaceString(m_pszAppName, m_pszExeName);
        }
    }
    if (m_pszProfileName == nullptr) {
        CString profile(m_pszExeName);
        profile += L".INI";
        ReplaceString(m_pszProfileName, profile);
    }
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    ReplaceString(m_pszRegistryKey, lpszRegistryKey);
    if (m_pszAppName == nullptr) {
        SetCurrentHandles();
    }
    ReplaceString(m_pszProfileName, m_pszAppName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString key;
    key.LoadString(nIDRegistryKey);
    SetRegistryKey(static_cast<LPCTSTR>(key));
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    if (m_pMainWnd == nullptr) {
        ::PostQuitMessage(0); // nothing to run for
    }
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    return CWinThread::OnIdle(lCount);
}

int CWinApp::ExitInstance()
{
    return static_cast<int>(m_msgCur.wParam);
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    HWND hWndOwner = CWnd::GetSafeOwner_(nullptr, nullptr);
    if ((nType & MB_ICONMASK) == 0) {
        switch (nType & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        default:
            break;
        }
    }
    return AfxShowMessageBox(hWndOwner, lpszPrompt, m_pszAppName != nullptr ? m_pszAppName : L"", nType);
}

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    CWnd* main = AfxGetMainWnd();
    ::WinHelpW(main != nullptr ? main->GetSafeHwnd() : nullptr, m_pszHelpFilePath, nCmd, dwData);
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const
{
    return ::LoadIconW(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return LoadIcon(MAKEINTRESOURCEW(nIDResource));
}

HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const
{
    return ::LoadIconW(nullptr, lpszIconName);
}

HICON CWinApp::LoadOEMIcon(UINT nIDIcon) const
{
    return ::LoadIconW(nullptr, MAKEINTRESOURCEW(nIDIcon));
}

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const
{
    return ::LoadCursorW(AfxFindResourceHandle(lpszResourceName, RT_GROUP_CURSOR), lpszResourceName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return LoadCursor(MAKEINTRESOURCEW(nIDResource));
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const
{
    return ::LoadCursorW(nullptr, lpszCursorName);
}

HCURSOR CWinApp::LoadOEMCursor(UINT nIDCursor) const
{
    return ::LoadCursorW(nullptr, MAKEINTRESOURCEW(nIDCursor));
}

CWinApp* AFXAPI AfxGetApp()
{
    return g_app.load();
}

CWnd* AFXAPI AfxGetMainWnd()
{
    CWnd* pWnd = nullptr;
    if (CWinThread* pThread = AfxGetThread()) {
        pWnd = pThread->GetMainWnd();
    }
    if (pWnd == nullptr) {
        if (CWinApp* pApp = AfxGetApp()) {
            pWnd = pApp->m_pMainWnd; // workers raise their boxes over the program's window
        }
    }
    return pWnd;
}

LPCTSTR AFXAPI AfxGetAppName()
{
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->m_pszAppName != nullptr ? pApp->m_pszAppName : L"";
}

void AFXAPI AfxEnableControlContainer() {}

BOOL AFXAPI AfxOleInit()
{
    afx_detail::ThreadState& state = afx_detail::GetThreadState();
    if (state.bOleInitialized) {
        return TRUE;
    }
    HRESULT hr = ::OleInitialize(nullptr);
    if (FAILED(hr)) {
        return FALSE;
    }
    state.bOleInitialized = true;
    return TRUE;
}

BOOL AFXAPI AfxOleIsInitialized()
{
    return afx_detail::GetThreadState().bOleInitialized;
}

void AFXAPI AfxOleTerm(BOOL)
{
    afx_detail::ThreadState& state = afx_detail::GetThreadState();
    if (state.bOleInitialized) {
        state.bOleInitialized = false;
        ::OleUninitialize();
    }
}
