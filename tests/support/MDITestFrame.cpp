#include "tests/support/MDITestFrame.h"

#include "tests/support/MessagePump.h"

namespace keyloft_test {

BEGIN_MESSAGE_MAP(CMDITestChild, CMDIChildWnd)
    ON_WM_MDIACTIVATE()
END_MESSAGE_MAP()

CString CMDITestChild::GetDocumentName(CObject** ppObj)
{
    if (ppObj != nullptr)
        *ppObj = nullptr;
    return m_strDocument;
}

void CMDITestChild::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd)
{
    CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
    auto* pFrame = dynamic_cast<CMDITestFrame*>(GetMDIFrame());
    if (bActivate && pFrame != nullptr)
        pFrame->Client().SetActiveTab(m_hWnd);
}

BEGIN_MESSAGE_MAP(CMDITestFrame, CMDIFrameWnd)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CMDITestFrame::~CMDITestFrame()
{
    if (m_hWnd != nullptr) {
        m_bClosing = TRUE;
        DestroyWindow();
    }
}

BOOL CMDITestFrame::CreateFrame(const CRect& rect)
{
    if (!Create(nullptr, _T("MDI test"), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, rect))
        return FALSE;
    ShowWindow(SW_SHOW);
    UpdateWindow();
    PumpPending();
    return TRUE;
}

BOOL CMDITestFrame::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    return CMDIFrameWnd::OnCreateClient(lpcs, pContext) && m_wndClientArea.SubclassWindow(m_hWndMDIClient);
}

void CMDITestFrame::OnClose()
{
    m_bClosing = TRUE;
    CMDIFrameWnd::OnClose();
}

void CMDITestFrame::RecalcLayout(BOOL /*bNotify*/)
{
    if (m_wndClientArea.GetSafeHwnd() == nullptr)
        return;
    CRect rect;
    GetClientRect(rect);
    m_wndClientArea.CalcWindowRect(rect);
}

CMDITestChild* CMDITestFrame::OpenDocument(const CString& strDocument)
{
    auto* pChild = new CMDITestChild(strDocument);
    const int slash = strDocument.ReverseFind(_T('\\'));
    const CString title = slash >= 0 ? strDocument.Mid(slash + 1) : strDocument;
    if (!pChild->Create(nullptr, title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, this)) {
        delete pChild;
        return nullptr;
    }
    PumpPending();
    return pChild;
}

std::vector<CMDITestChild*> CMDITestFrame::Children()
{
    std::vector<CMDITestChild*> children;
    for (HWND hwnd = ::GetWindow(m_hWndMDIClient, GW_CHILD); hwnd != nullptr; hwnd = ::GetWindow(hwnd, GW_HWNDNEXT)) {
        if (auto* pChild = dynamic_cast<CMDITestChild*>(CWnd::FromHandlePermanent(hwnd)))
            children.push_back(pChild);
    }
    return children;
}

CMDITestChild* CMDITestFrame::ActiveChild()
{
    return dynamic_cast<CMDITestChild*>(MDIGetActive());
}

BOOL CMDITestFrame::OnShowMDITabContextMenu(CPoint /*point*/, DWORD dwAllowedItems, BOOL bDrop)
{
    if (bDrop)
        m_dropMenuCalls.push_back(dwAllowedItems);
    return m_bDropMenuHandles;
}

CWnd* CMDITestFrame::CreateDocumentWindow(LPCTSTR lpszDocName, CObject* /*pObj*/)
{
    m_openedDocuments.emplace_back(lpszDocName);
    if (m_refusedDocuments.count(lpszDocName) != 0)
        return nullptr;
    return OpenDocument(lpszDocName);
}

CWnd* CMDITestFrame::CreateNewWindow(LPCTSTR lpszDocName, CObject* /*pObj*/)
{
    m_newWindows.emplace_back(lpszDocName);
    return OpenDocument(lpszDocName);
}

} // namespace keyloft_test
