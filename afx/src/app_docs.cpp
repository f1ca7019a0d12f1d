// The application's document members and the command line.
#include <afxwin.h>

#include <cstdlib>
#include <memory>

namespace {

// The application's template list lives as long as the program.
CDocManager& DocManagerOf(CWinApp& app)
{
    static std::unique_ptr<CDocManager> manager;
    if (app.m_pDocManager == nullptr) {
        manager = std::make_unique<CDocManager>();
        app.m_pDocManager = manager.get();
    }
    return *app.m_pDocManager;
}

} // namespace

CCommandLineInfo::CCommandLineInfo() : m_nShellCommand(FileNew) {}

CCommandLineInfo::~CCommandLineInfo() = default;

void CCommandLineInfo::ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL)
{
    if (pszParam == nullptr)
        return;
    if (bFlag) {
        const CString flag(pszParam);
        if (flag.CompareNoCase(L"p") == 0)
            m_nShellCommand = FilePrint;
        else if (flag.CompareNoCase(L"dde") == 0)
            m_nShellCommand = FileDDE;
        else if (flag.CompareNoCase(L"nologo") == 0)
            m_bShowSplash = FALSE;
        else if (flag.CompareNoCase(L"embedding") == 0)
            m_bRunEmbedded = TRUE;
        else if (flag.CompareNoCase(L"automation") == 0)
            m_bRunAutomated = TRUE;
        else if (flag.CompareNoCase(L"regserver") == 0)
            m_nShellCommand = AppRegister;
        else if (flag.CompareNoCase(L"unregserver") == 0)
            m_nShellCommand = AppUnregister;
        return;
    }
    if (m_strFileName.IsEmpty()) {
        m_strFileName = pszParam;
        if (m_nShellCommand == FileNew)
            m_nShellCommand = FileOpen;
    }
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    DocManagerOf(*this).AddDocTemplate(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const
{
    return m_pDocManager ? m_pDocManager->GetFirstDocTemplatePosition() : nullptr;
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    if (m_pDocManager == nullptr) {
        pos = nullptr;
        return nullptr;
    }
    return m_pDocManager->GetNextDocTemplate(pos);
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    return m_pDocManager ? m_pDocManager->OpenDocumentFile(lpszFileName) : nullptr;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    // A wide-character program has its arguments split by the C runtime
    // already; only a program with a narrow entry point needs the shell to
    // split them (the shell's library is not loaded at start-up for this).
    int count = __argc;
    wchar_t** arguments = __wargv;
    LPWSTR* split = nullptr;
    if (arguments == nullptr) {
        split = ::CommandLineToArgvW(::GetCommandLineW(), &count);
        arguments = split;
    }
    if (arguments == nullptr)
        return;
    // The first argument is the program itself.
    for (int i = 1; i < count; ++i) {
        const wchar_t* argument = arguments[i];
        const bool flag = argument[0] == L'-' || argument[0] == L'/';
        rCmdInfo.ParseParam(flag ? argument + 1 : argument, flag, i == count - 1);
    }
    if (split != nullptr)
        ::LocalFree(split);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        if (OpenDocumentFile(rCmdInfo.m_strFileName) == nullptr)
            return FALSE;
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileNothing:
        return TRUE;
    default:
        // Printing, DDE and registration are not offered by this program.
        return FALSE;
    }
}

void CWinApp::OnFileNew()
{
    if (m_pDocManager != nullptr)
        m_pDocManager->OnFileNew();
}

// No document type of this program is opened from a file through the frame.
void CWinApp::OnFileOpen() {}

void CWinApp::OnFilePrintSetup() {}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr)
        m_pMainWnd->SendMessage(WM_CLOSE);
}
