// The in-place frames of an OLE server and the container frame's wrapper.
#include <afxwin.h>
#include <afxoleframe.h>

IMPLEMENT_DYNAMIC(COleServerDoc, CDocument)
IMPLEMENT_DYNAMIC(COleCntrFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(COleIPFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(COleDocIPFrameWnd, COleIPFrameWnd)

void COleServerDoc::OnResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL)
{
    if (m_pInPlaceFrame != nullptr && m_pInPlaceFrame->GetSafeHwnd() != nullptr)
        m_pInPlaceFrame->RecalcLayout();
}

COleCntrFrameWnd::~COleCntrFrameWnd()
{
    // The container's window is not ours: it stays.
    Detach();
}

void COleCntrFrameWnd::RecalcLayout(BOOL)
{
    // The container lays its own window out; the server's bars in it are laid
    // out by whoever placed them there.
}

COleIPFrameWnd::COleIPFrameWnd() = default;

COleIPFrameWnd::~COleIPFrameWnd()
{
    delete m_pDocFrame;
    delete m_pMainFrame;
}

BOOL COleIPFrameWnd::SetContainerFrame(HWND hWndContainerFrame, CDocument* pActiveDocument)
{
    m_pActiveDocument = pActiveDocument;
    if (m_pMainFrame == nullptr) {
        m_pMainFrame = new COleCntrFrameWnd(this);
        if (hWndContainerFrame != nullptr && !m_pMainFrame->Attach(hWndContainerFrame)) {
            delete m_pMainFrame;
            m_pMainFrame = nullptr;
            return FALSE;
        }
    }
    return OnCreateControlBars(m_pMainFrame, m_pDocFrame);
}

BOOL COleIPFrameWnd::OnCreateControlBars(CFrameWnd*, CFrameWnd*)
{
    return TRUE;
}

void COleIPFrameWnd::RecalcLayout(BOOL bNotify)
{
    CFrameWnd::RecalcLayout(bNotify);
}
