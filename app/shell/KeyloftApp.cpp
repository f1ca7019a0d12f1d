#include "app/shell/KeyloftApp.h"

#include <commctrl.h>

#include "pages/ProgramMessages.h"
#include "app/shell/AboutDlg.h"
#include "pages/AppMessages.h"
#include "app/shell/KeyloftDoc.h"
#include "app/shell/MainFrame.h"
#include "app/view/KeyloftView.h"
#include "core/convert/Config.h"
#include "core/files/Folders.h"
#include "core/files/ShellSeam.h"
#include "core/files/TraceLog.h"
#include "core/link/LinkMessages.h"
#include "widgets/GdiplusSession.h"
#include "widgets/UiResources.h"
#include "res/resource.h"

#include <memory>

namespace {

// The link's failure boxes, always shown on the GUI thread.
std::unique_ptr<CGuiThreadLinkMessages> g_linkMessages;

// Every settings and profile path lies below the program folder: from a folder
// too deep they would all fail, one by one and silently. Says so instead.
bool ProgramFolderFits()
{
    const CString folder = GetProgramFolder();
    if (folder.GetLength() <= kLongestProgramFolder)
        return true;
    CString format;
    format.LoadString(IDS_PROGRAM_FOLDER_TOO_LONG_FMT);
    CString text;
    text.Format(format, folder.GetLength(), kLongestProgramFolder);
    ShowPlainMessageBox(text + L"\n\n" + folder, MB_OK | MB_ICONERROR);
    return false;
}

} // namespace

BEGIN_MESSAGE_MAP(CKeyloftApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, &CKeyloftApp::OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, &CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, &CWinApp::OnFilePrintSetup)
    ON_COMMAND(ID_LANGUAGE_SIMPLIFIED, &CKeyloftApp::OnLanguageSimplified)
    ON_COMMAND(ID_LANGUAGE_TRADITIONAL, &CKeyloftApp::OnLanguageTraditional)
    ON_COMMAND(ID_LANGUAGE_ENGLISH, &CKeyloftApp::OnLanguageEnglish)
    ON_UPDATE_COMMAND_UI(ID_LANGUAGE_SIMPLIFIED, &CKeyloftApp::OnUpdateLanguageSimplified)
    ON_UPDATE_COMMAND_UI(ID_LANGUAGE_TRADITIONAL, &CKeyloftApp::OnUpdateLanguageTraditional)
    ON_UPDATE_COMMAND_UI(ID_LANGUAGE_ENGLISH, &CKeyloftApp::OnUpdateLanguageEnglish)
END_MESSAGE_MAP()

CKeyloftApp::CKeyloftApp() = default;
CKeyloftApp::~CKeyloftApp() = default;

CString CKeyloftApp::GetSegmentName(int segment)
{
    return GetAppSegmentNames().NameOf(segment);
}

void CKeyloftApp::BuildSegmentMap()
{
    GetAppSegmentNames().Build([](UINT id) {
        CString text;
        text.LoadString(id);
        return text;
    });
}

void CKeyloftApp::LoadSegmentDefaults(const CString& folder)
{
    const CString path = folder + kSegmentDefaultsFile;
    if (RegularFileExists(path))
        SetAppSegmentDefaults(LoadSegmentDefaultsFile(path));
}

void CKeyloftApp::InstallHooks()
{
    g_linkMessages =
        std::make_unique<CGuiThreadLinkMessages>([](UINT stringId) { ShowMessageBox(IDI_FAILURE, stringId, MB_MODE_OK); });
    SetLinkTraceHook([](const std::wstring& line) { GetTraceLog().Write(line.c_str()); });
}

BOOL CKeyloftApp::InitInstance()
{
    // The lock comes first: a second copy must end before it touches anything
    // the running copy owns, the trace log above all.
    if (!m_instanceLock.Acquire(kMutexName))
        return FALSE;
    if (!ProgramFolderFits())
        return FALSE;
    OpenTraceLog();
    InstallHooks();

    // GDI+ is loaded and started by the first image decoded: nothing shows one
    // before the pages, whose images are decoded on a worker during the pause
    // before connecting. Loaded here, even on a worker, it took the processor
    // from the frame and the chooser.
    m_gdiplus = CGdiplusSession::StartOnFirstUse();
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
    ::InitCommonControlsEx(&controls);
    PrepareUiResources();
    BuildSegmentMap();
    LoadSegmentDefaults(GetProgramFolder());

    CWinApp::InitInstance();
    LoadLanguageResources();

    if (!AfxOleInit()) {
        AfxMessageBox(IDP_OLE_INIT_FAILED);
        return FALSE;
    }
    AfxEnableControlContainer();
    SetRegistryKey(kRegistryKey);

    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CKeyloftDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CKeyloftView)));
    // The frame's first showing is maximised already.
    m_nCmdShow = SW_SHOWMAXIMIZED;
    CCommandLineInfo commandLine;
    ParseCommandLine(commandLine);
    if (!ProcessShellCommand(commandLine))
        return FALSE;
    if (m_pMainWnd == nullptr)
        return FALSE;
    m_pMainWnd->ShowWindow(SW_SHOWMAXIMIZED);
    m_pMainWnd->UpdateWindow();
    return TRUE;
}

int CKeyloftApp::ExitInstance()
{
    // The view (and with it its threads and the port) went with the main
    // window; what is left is this object's own.
    g_linkMessages.reset();
    SetLinkTraceHook({});
    GetTraceLog().Close();
    // Skin images are GDI+ objects: they go while GDI+ still runs.
    GetUiResources().ReleaseImages();
    m_gdiplus.reset();
    m_instanceLock.Close();
    m_languages.Free();
    return CWinApp::ExitInstance();
}

void CKeyloftApp::OnAppAbout()
{
    CAboutDlg about;
    about.DoModal();
}

void CKeyloftApp::LoadLanguageResources()
{
    m_languages.Load(GetModuleFolder());
    m_languages.ApplyStoredLanguage();
}

void CKeyloftApp::SwitchLanguage(UINT language)
{
    if (m_languages.Switch(language) && m_pMainWnd != nullptr && m_pMainWnd->GetSafeHwnd() != nullptr)
        m_pMainWnd->PostMessage(AppMsg::LanguageChanged, 0, 0);
}

void CKeyloftApp::OnLanguageSimplified()
{
    SwitchLanguage(Language::Simplified);
}

void CKeyloftApp::OnLanguageTraditional()
{
    SwitchLanguage(Language::Traditional);
}

void CKeyloftApp::OnLanguageEnglish()
{
    SwitchLanguage(Language::English);
}

void CKeyloftApp::OnUpdateLanguageSimplified(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(CLanguageResources::StoredLanguage() == Language::Simplified ? 1 : 0);
}

void CKeyloftApp::OnUpdateLanguageTraditional(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(CLanguageResources::StoredLanguage() == Language::Traditional ? 1 : 0);
}

void CKeyloftApp::OnUpdateLanguageEnglish(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(CLanguageResources::StoredLanguage() == Language::English ? 1 : 0);
}
