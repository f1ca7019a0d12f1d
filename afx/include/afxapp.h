// The application object and the layer's global functions.
//
// One CWinApp-derived object exists per program, as a static object; the layer's
// wWinMain (afx/src/app/winmain.cpp) calls AfxWinMain: AfxWinInit, InitInstance,
// Run (message pump with idle processing), ExitInstance (its value is the exit
// code).
//
// Message boxes: AfxMessageBox (text or string id), CWinApp::DoMessageBox and
// CWnd::MessageBox all end in AfxShowMessageBox. A hook set with
// AfxSetMessageBoxHook receives every box instead of the system (any thread);
// tests use it to answer boxes without showing them.
//
// The document members (AddDocTemplate, OnFileNew, OnFileOpen, ParseCommandLine,
// ProcessShellCommand, m_pDocManager) are implemented with the document classes.
#pragma once

#include "afxthread.h"
#include "afxwnd.h"

class CDocTemplate;
class CDocManager;
class CRecentFileList;
class CDocument;

#ifndef AFX_IDS_APP_TITLE
#define AFX_IDS_APP_TITLE 0xE000
#endif

// What the command line asks for (filled by CWinApp::ParseCommandLine).
class CCommandLineInfo : public CObject {
public:
    CCommandLineInfo();
    ~CCommandLineInfo() override;
    virtual void ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast);

    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppRegister, AppUnregister, FileNothing = -1 } m_nShellCommand;
    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;
};

class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCTSTR lpszAppName = nullptr);
    ~CWinApp() override;

    // Strings below are owned by the application (malloc'd, freed by the
    // destructor); code replacing one frees the old value with free().
    LPCTSTR m_pszAppName = nullptr;     // string AFX_IDS_APP_TITLE, else the program's name
    LPCTSTR m_pszExeName = nullptr;     // program file name without extension
    LPCTSTR m_pszHelpFilePath = nullptr;
    LPCTSTR m_pszRegistryKey = nullptr; // HKCU\Software\<this>; nullptr: the private ini file
    LPCTSTR m_pszProfileName = nullptr; // <profile> below the key, or the ini file
    HINSTANCE m_hInstance = nullptr;
    LPTSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    CDocManager* m_pDocManager = nullptr;
    // The recently used files (afxadv.h), when the program keeps them; owned.
    CRecentFileList* m_pRecentFileList = nullptr;

    // Start-up and the run loop.
    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    int Run() override;
    BOOL OnIdle(LONG lCount) override;
    int ExitInstance() override;
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    // The program's help file (m_pszHelpFilePath) through the system's help,
    // over the main window; nCmd and dwData as the system's help call takes them.
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

    // Profile: HKCU\Software\<m_pszRegistryKey>\<m_pszProfileName>\<section>, or
    // the private ini file m_pszProfileName when no registry key is set.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    HKEY GetAppRegistryKey(); // caller closes; nullptr without registry key
    HKEY GetSectionKey(LPCTSTR lpszSection); // caller closes
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
    // A null entry deletes the section, a null value deletes the entry.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // *ppData is allocated with new[]; the caller deletes it with delete[].
    BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
    BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

    // Icons and cursors from the resource module, falling back to the program.
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const;
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const;
    HICON LoadOEMIcon(UINT nIDIcon) const;
    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const;
    HCURSOR LoadOEMCursor(UINT nIDCursor) const;

    // Documents (implemented with the document classes).
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
    CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnFilePrintSetup();
    afx_msg void OnAppExit();

    // Sets m_pszExeName, m_pszAppName and m_pszProfileName from the module.
    void SetCurrentHandles();

    DECLARE_MESSAGE_MAP()
};

// Global functions.
CWinApp* AFXAPI AfxGetApp();
CWnd* AFXAPI AfxGetMainWnd();
HINSTANCE AFXAPI AfxGetInstanceHandle();
void AFXAPI AfxSetInstanceHandle(HINSTANCE hInstance);
LPCTSTR AFXAPI AfxGetAppName();
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
// The resource module when it holds the resource, else the program.
HINSTANCE AFXAPI AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
// The one place message boxes of the layer are shown (or handed to the hook).
int AFXAPI AfxShowMessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType);
// The hook gets (owner, text, caption, type, context) and returns the button id
// the box would have returned. Pass nullptr to restore real boxes. Returns the
// previous hook.
typedef int(CALLBACK* AFX_MSGBOX_HOOK)(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType,
                                       LPVOID pContext);
AFX_MSGBOX_HOOK AFXAPI AfxSetMessageBoxHook(AFX_MSGBOX_HOOK pfnHook, LPVOID pContext = nullptr);

// COM/OLE for the calling thread (the main thread's is released by AfxWinTerm).
BOOL AFXAPI AfxOleInit();
BOOL AFXAPI AfxOleIsInitialized();
void AFXAPI AfxOleTerm(BOOL bJustRevoke = FALSE);
void AFXAPI AfxEnableControlContainer();

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
void AFXAPI AfxWinTerm();
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
