// The application host: an MDI application written on the library as an
// application developer writes one, from the library's public headers. Its
// main frame (HostMainFrame.h) carries a menu bar, two toolbars from the
// toolchain-compiled resources, a status bar, a caption bar, docking panes,
// a tasks pane and an outlook bar; its documents are notes; its layout goes
// to the application's registry key through a state store on close and
// comes back from there on the next start.
//
// The tests start it and close it as a user does (HostFixture.h), in one
// process, as often as they like.
#pragma once

#include <afxwin.h>

#include "guilib/core/KGPWorkspace.h"

#include <vector>

class CHostMainFrame;

// The registry key and profile the host's state lives under
// (HKEY_CURRENT_USER\Software\KeyloftTests\AppHost).
constexpr const wchar_t* kHostRegistryKey = L"KeyloftTests";
constexpr const wchar_t* kHostProfileName = L"AppHost";

// A note: a document with a title and nothing else.
class CHostDoc : public CDocument {
    DECLARE_DYNCREATE(CHostDoc)
};

// What a note shows: a white page with the note's title.
class CHostView : public CView {
    DECLARE_DYNCREATE(CHostView)
public:
    void OnDraw(CDC* pDC) override;
};

// The state store: the main frame's bars and docking layout are loaded from
// it when the frame is loaded and saved to it when the main frame closes,
// with the frame's placement. The layout goes into the registry (the menu
// bar's and the toolbars' own states, every pane's values and the dock
// manager's) or, as an application may keep it in a file of its own, into
// one archive (the bars' records, the panes', then the dock manager's) held
// as one binary value.
class CHostStateStore : public CKGPAppStateStore {
public:
    enum class Medium { Registry, Archive };

    CHostStateStore();
    BOOL LoadFrameState(LPCTSTR lpszSection, CKGPFrameImpl* pFrameImpl) override;
    void OnMainFrameClosing(CKGPFrameImpl* pFrameImpl) override;
    // The frame's docking layout saved and loaded through the medium chosen.
    BOOL SaveLayout(CFrameWnd& frame);
    BOOL LoadLayout(CFrameWnd& frame);
    BOOL LoadPlacement(CRect& rectNormal, int& nFlags, int& nShowCmd) override;
    void StorePlacement(const CRect& rectNormal, int nFlags, int nShowCmd) override;

    Medium m_medium = Medium::Registry;
    // What the last start and close did with the stored layout.
    BOOL m_bLayoutLoaded = FALSE;
    BOOL m_bLayoutRefused = FALSE;
    BOOL m_bLayoutSaved = FALSE;
};

class CHostApp : public CWinApp {
public:
    CHostApp();

    // What InitInstance does, so that a test may start the application again
    // after closing it: the registry key, the document template (once), the
    // state store, the main frame loaded, the documents opened, the frame
    // shown.
    BOOL InitInstance() override;
    int ExitInstance() override;

    CHostMainFrame* MainFrame() const;
    CHostStateStore& StateStore() { return m_store; }
    // How many notes InitInstance opens before the main frame is shown.
    int m_nStartDocuments = 2;
    // The main frame shows its notes in tab groups (else under one strip of tabs).
    BOOL m_bTabGroups = FALSE;
    // The toolbars made with their customise buttons.
    BOOL m_bCustomizeButtons = FALSE;
    // The Format bar's two alignment buttons stand behind one drop-down
    // button ("Align", opening a toolbar of the two).
    BOOL m_bAlignDropDown = FALSE;
    // Commands that reached the application (by any way: menu, button, key).
    std::vector<UINT> m_commands;
    // The help contexts the main frame was asked to show (WinHelp).
    std::vector<DWORD_PTR> m_helpContexts;

protected:
    afx_msg void OnAppAbout();
    DECLARE_MESSAGE_MAP()

private:
    CHostStateStore m_store;
    BOOL m_bTemplateAdded = FALSE;
};

CHostApp& HostApp();
