#include "tests/guilib_apphost/HostApp.h"

#include <afxmdi.h>

#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/frames/KGPFrameImpl.h"
#include "guilib/frames/KGPMDIChildWnd.h"
#include "tests/guilib_apphost/AppHostIds.h"
#include "tests/guilib_apphost/HostMainFrame.h"
#include "tests/support/ArchiveBytes.h"

#include <afxarch.h>

#include <vector>

IMPLEMENT_DYNCREATE(CHostDoc, CDocument)
IMPLEMENT_DYNCREATE(CHostView, CView)

void CHostView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(client);
    pDC->FillSolidRect(client, RGB(255, 255, 255));
    if (CDocument* doc = GetDocument())
        pDC->TextOut(8, 8, doc->GetTitle());
}

// ---- The state store.

namespace {

constexpr const wchar_t* kPlacementSection = L"Placement";

} // namespace

CHostStateStore::CHostStateStore()
{
    SetDataVersion(9, 20);
}

BOOL CHostStateStore::LoadFrameState(LPCTSTR /*lpszSection*/, CKGPFrameImpl* pFrameImpl)
{
    return pFrameImpl != nullptr && pFrameImpl->m_pFrame != nullptr && LoadLayout(*pFrameImpl->m_pFrame);
}

void CHostStateStore::OnMainFrameClosing(CKGPFrameImpl* pFrameImpl)
{
    m_bLayoutSaved = pFrameImpl != nullptr && pFrameImpl->m_pFrame != nullptr && SaveLayout(*pFrameImpl->m_pFrame);
}

namespace {

constexpr const wchar_t* kLayoutSection = L"Layout";
constexpr const wchar_t* kLayoutArchive = L"Archive";

// The bars and panes whose own records go into the archive before the
// layout's: the menu bar and the toolbars, then the panes.
std::vector<CKGPToolBar*> StoredBars(CFrameWnd& frame)
{
    auto* host = dynamic_cast<CHostMainFrame*>(&frame);
    return host != nullptr ? host->StoredBars() : std::vector<CKGPToolBar*>();
}

std::vector<CKGPDockingControlBar*> ArchivedPanes(CFrameWnd& frame)
{
    auto* host = dynamic_cast<CHostMainFrame*>(&frame);
    return host != nullptr ? host->StoredPanes() : std::vector<CKGPDockingControlBar*>();
}

void SerializeLayout(CArchive& ar, CFrameWnd& frame, CKGPDockManager& manager)
{
    for (CKGPToolBar* bar : StoredBars(frame))
        bar->Serialize(ar);
    for (CKGPDockingControlBar* pane : ArchivedPanes(frame))
        pane->Serialize(ar);
    manager.Serialize(ar);
}

} // namespace

BOOL CHostStateStore::SaveLayout(CFrameWnd& frame)
{
    CKGPDockManager* manager = CKGPGlobalUtils::Get().GetFrameDockManager(&frame);
    if (manager == nullptr)
        return FALSE;
    if (m_medium == Medium::Registry) {
        // Every bar saves its own state (the dock manager leaves the
        // toolbars to themselves), then the layout is saved.
        BOOL saved = TRUE;
        for (CKGPToolBar* bar : StoredBars(frame))
            saved = bar->SaveState(SectionPath(_T(""))) && saved;
        return manager->SaveState(SectionPath(_T(""))) && saved;
    }
    std::vector<BYTE> bytes;
    try {
        bytes = keyloft_test::StoredBytes([&](CArchive& ar) { SerializeLayout(ar, frame, *manager); });
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return AfxGetApp()->WriteProfileBinary(kLayoutSection, kLayoutArchive, bytes.data(), static_cast<UINT>(bytes.size()));
}

BOOL CHostStateStore::LoadLayout(CFrameWnd& frame)
{
    m_bLayoutLoaded = FALSE;
    m_bLayoutRefused = FALSE;
    CKGPDockManager* manager = CKGPGlobalUtils::Get().GetFrameDockManager(&frame);
    if (manager == nullptr)
        return FALSE;
    if (m_medium == Medium::Registry) {
        // The bars first, so that the layout applied puts them back where
        // they were saved too.
        BOOL barsLoaded = TRUE;
        for (CKGPToolBar* bar : StoredBars(frame))
            barsLoaded = bar->LoadState(SectionPath(_T(""))) && barsLoaded;
        if (!manager->LoadState(SectionPath(_T("")))) {
            m_bLayoutRefused = manager->IsLoadFailed();
            return FALSE;
        }
        m_bLayoutRefused = !barsLoaded;
    } else {
        LPBYTE data = nullptr;
        UINT bytes = 0;
        if (!AfxGetApp()->GetProfileBinary(kLayoutSection, kLayoutArchive, &data, &bytes))
            return FALSE;
        std::vector<BYTE> stored(data, data + bytes);
        delete[] data;
        try {
            keyloft_test::LoadBytes(std::move(stored), [&](CArchive& ar) { SerializeLayout(ar, frame, *manager); });
        } catch (CException* e) {
            e->Delete();
            m_bLayoutRefused = TRUE;
            return FALSE;
        }
    }
    manager->ApplyLoadedState();
    m_bLayoutLoaded = !m_bLayoutRefused;
    return m_bLayoutLoaded;
}

BOOL CHostStateStore::LoadPlacement(CRect& rectNormal, int& nFlags, int& nShowCmd)
{
    CWinApp* app = AfxGetApp();
    LPBYTE data = nullptr;
    UINT bytes = 0;
    if (!app->GetProfileBinary(kPlacementSection, L"Rect", &data, &bytes))
        return FALSE;
    const BOOL whole = bytes == sizeof(RECT);
    if (whole)
        rectNormal = *reinterpret_cast<const RECT*>(data);
    delete[] data;
    nFlags = static_cast<int>(app->GetProfileInt(kPlacementSection, L"Flags", 0));
    nShowCmd = static_cast<int>(app->GetProfileInt(kPlacementSection, L"ShowCmd", SW_SHOWNORMAL));
    return whole;
}

void CHostStateStore::StorePlacement(const CRect& rectNormal, int nFlags, int nShowCmd)
{
    CWinApp* app = AfxGetApp();
    RECT rect = rectNormal;
    app->WriteProfileBinary(kPlacementSection, L"Rect", reinterpret_cast<LPBYTE>(&rect), sizeof(rect));
    app->WriteProfileInt(kPlacementSection, L"Flags", nFlags);
    app->WriteProfileInt(kPlacementSection, L"ShowCmd", nShowCmd);
}

// ---- The application.

BEGIN_MESSAGE_MAP(CHostApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
    ON_COMMAND(ID_APP_ABOUT, &CHostApp::OnAppAbout)
END_MESSAGE_MAP()

CHostApp::CHostApp() : CWinApp(L"AppHost") {}

CHostApp theApp;

CHostApp& HostApp()
{
    return theApp;
}

BOOL CHostApp::InitInstance()
{
    if (m_pszRegistryKey == nullptr)
        SetRegistryKey(kHostRegistryKey);
    if (!m_bTemplateAdded) {
        AddDocTemplate(new CMultiDocTemplate(IDR_NOTETYPE, RUNTIME_CLASS(CHostDoc), RUNTIME_CLASS(CKGPMDIChildWnd),
                                             RUNTIME_CLASS(CHostView)));
        m_bTemplateAdded = TRUE;
    }
    SetWorkspace(&m_store);
    m_commands.clear();
    m_helpContexts.clear();

    // The frame deletes itself with its window, a refused one too.
    auto* frame = AfxCreateSelfDeleting(new CHostMainFrame,
                                        [](CHostMainFrame& made) { return made.LoadFrame(IDR_MAINFRAME); });
    if (frame == nullptr)
        return FALSE;
    m_pMainWnd = frame;
    for (int i = 0; i < m_nStartDocuments; ++i)
        OnFileNew();
    frame->ShowWindow(m_nCmdShow);
    frame->UpdateWindow();
    return TRUE;
}

int CHostApp::ExitInstance()
{
    SetWorkspace(nullptr);
    return CWinApp::ExitInstance();
}

CHostMainFrame* CHostApp::MainFrame() const
{
    return dynamic_cast<CHostMainFrame*>(m_pMainWnd);
}

void CHostApp::OnAppAbout()
{
    m_commands.push_back(ID_APP_ABOUT);
}
