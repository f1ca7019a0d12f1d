#include "FrameClasses.h"

#include "frames_resource.h"

FrameEvents& Events()
{
    static FrameEvents events;
    return events;
}

// ---- Document

IMPLEMENT_DYNCREATE(CTestDoc, CDocument)

BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
    ON_COMMAND(ID_CMD_DOCUMENT, &CTestDoc::OnDocumentCommand)
END_MESSAGE_MAP()

BOOL CTestDoc::OnNewDocument()
{
    Events().order.push_back("document-new");
    return CDocument::OnNewDocument();
}

void CTestDoc::OnDocumentCommand()
{
    ++Events().documentCommands;
}

// ---- View

IMPLEMENT_DYNCREATE(CTestView, CView)

void CTestView::OnInitialUpdate()
{
    FrameEvents& events = Events();
    events.order.push_back("view-initial-update");
    CFrameWnd* frame = GetParentFrame();
    events.mainWindowSetAtInitialUpdate = frame != nullptr && AfxGetMainWnd() == frame;
    events.activeViewSetAtInitialUpdate = frame != nullptr && frame->GetActiveView() == this;
    events.documentSetAtInitialUpdate = GetDocument() != nullptr && GetDocument()->IsKindOf(RUNTIME_CLASS(CTestDoc));
    CView::OnInitialUpdate();
}

void CTestView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(client, RGB(250, 250, 240));
    pDC->TextOut(4, 4, CString(L"View"));
}

// ---- Sizing bar

IMPLEMENT_DYNAMIC(CSizingBar, CControlBar)

BEGIN_MESSAGE_MAP(CSizingBar, CControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CSizingBar::Create(CWnd* pParentWnd, UINT nID)
{
    m_dwStyle = CBRS_LEFT | CBRS_SIZE_DYNAMIC;
    LPCTSTR windowClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW),
                                              reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!CWnd::Create(windowClass, L"Workspace", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0),
                      pParentWnd, nID))
        return FALSE;
    return m_tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASLINES | TVS_HASBUTTONS | TVS_SHOWSELALWAYS,
                         CRect(0, 0, 10, 10), this, 100);
}

CSize CSizingBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CalcDynamicLayout(-1, (bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : LM_VERTDOCK));
}

CSize CSizingBar::CalcDynamicLayout(int, DWORD nMode)
{
    // Docked at a side: the width the user chose, any height.
    if (nMode & LM_VERTDOCK)
        return CSize(m_width, 200);
    return CSize(32767, 100);
}

void CSizingBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    if (m_tree.m_hWnd != nullptr)
        m_tree.MoveWindow(0, 0, cx, cy);
}

// ---- Frame

IMPLEMENT_DYNCREATE(CTestFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(ID_CMD_CHECKED, &CTestFrame::OnChecked)
    ON_UPDATE_COMMAND_UI(ID_CMD_CHECKED, &CTestFrame::OnUpdateChecked)
    ON_COMMAND(ID_CMD_PLAIN, &CTestFrame::OnPlain)
    ON_COMMAND(ID_VIEW_WORKSPACE, &CTestFrame::OnViewWorkspace)
    ON_UPDATE_COMMAND_UI(ID_VIEW_WORKSPACE, &CTestFrame::OnUpdateViewWorkspace)
    ON_BN_CLICKED(IDC_STATUS_BUTTON, &CTestFrame::OnStatusButton)
END_MESSAGE_MAP()

namespace {
const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_EXT, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
}

int CTestFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    Events().order.push_back("frame-create");
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!m_toolBar.CreateEx(this, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY) ||
        !m_toolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    if (!m_statusBar.Create(this) || !m_statusBar.SetIndicators(kIndicators, 4))
        return -1;
    // A button living in the status bar's first pane.
    m_statusButton.Create(L"Stop", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(2, 2, 60, 18), &m_statusBar,
                          IDC_STATUS_BUTTON);
    if (!m_workspace.Create(this, ID_VIEW_WORKSPACE))
        return -1;
    m_workspace.EnableDocking(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    EnableDocking(CBRS_ALIGN_ANY);
    DockControlBar(&m_workspace, AFX_IDW_DOCKBAR_LEFT);
    Events().order.push_back("frame-created");
    return 0;
}

void CTestFrame::OnChecked()
{
    ++Events().checkedCommands;
    Events().checked = !Events().checked;
}

void CTestFrame::OnUpdateChecked(CCmdUI* pCmdUI)
{
    ++Events().checkedUpdates;
    pCmdUI->SetCheck(Events().checked ? 1 : 0);
}

void CTestFrame::OnPlain() {}

void CTestFrame::OnViewWorkspace()
{
    ShowControlBar(&m_workspace, !m_workspace.IsVisible(), FALSE);
}

void CTestFrame::OnUpdateViewWorkspace(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_workspace.IsVisible());
}

void CTestFrame::OnStatusButton()
{
    ++Events().statusButtonClicks;
}
