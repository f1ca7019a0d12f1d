#include "guilib/frames/KGPFrameWnd.h"

#include <windowsx.h>
#include <afxpreview.h>

#include "guilib/core/KGPVisualManager.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPWindowHelpers.h"
#include "guilib/frames/KGPLibraryLinks.h"

IMPLEMENT_DYNCREATE(CKGPFrameWnd, CFrameWnd)

namespace {

constexpr UINT kIdClosePreview = 0xE300;

} // namespace

BEGIN_MESSAGE_MAP(CKGPFrameWnd, CKGPMainFrameT<CFrameWnd>)
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_SIZING()
    ON_WM_SIZE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_NCMOUSEMOVE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CKGPFrameWnd::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CKGPFrameWnd::CKGPFrameWnd()
{
    KGPRegisterLibraryLinks();
}

CKGPFrameWnd::~CKGPFrameWnd() = default;

// ---- Layout.

void CKGPFrameWnd::AdjustDockingLayout(HDWP hdwp)
{
    if (CKGPDockManager::s_bLayoutLocked)
        return;
    m_dockManager.AdjustDockingLayout(hdwp);
    AdjustClientArea();
    if (m_pNotifyHook != nullptr)
        RecalcLayout(TRUE);
}

void CKGPFrameWnd::AdjustClientArea()
{
    CWnd* pChild = GetDlgItem(AFX_IDW_PANE_FIRST);
    if (pChild == nullptr)
        return;
    CRect rect = DockedClientRectLessBorder();
    if (m_dockManager.IsPrintPreviewValid())
        CKGPPrintPreviewView::PlacePreviewBar(this, rect);
    pChild->CalcWindowRect(rect);
    const BOOL bSplitter = pChild->IsKindOf(RUNTIME_CLASS(CSplitterWnd));
    pChild->ModifyStyle(0, bSplitter ? WS_CLIPSIBLINGS : WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    pChild->SetWindowPos(&CWnd::wndBottom, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOACTIVATE);
}

void CKGPFrameWnd::RecalcLayout(BOOL bNotify)
{
    RecalcMainFrameLayout(bNotify);
}

BOOL CKGPFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder)
{
    switch (nBorderCmd) {
    case borderGet:
        CFrameWnd::NegotiateBorderSpace(nBorderCmd, lpRectBorder);
        if (lpRectBorder != nullptr) {
            CRect inner; // what the docking layout leaves
            m_dockManager.GetInnerDockRect(inner);
            *lpRectBorder = inner;
        }
        return TRUE;
    case borderSet:
        return CFrameWnd::NegotiateBorderSpace(nBorderCmd, lpRectBorder);
    default:
        return TRUE;
    }
}

void CKGPFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    if (pState != nullptr) {
        // A frame without a menu bar shows its own menu again after the
        // preview, as the layer gives it back.
        const HMENU hMenu = pState->hMenu;
        CFrameWnd::OnSetPreviewMode(bPreview, pState);
        if (m_Impl.GetMenuBar() != nullptr)
            pState->hMenu = hMenu;
    }
    OnSetPreviewMode(bPreview);
}

void CKGPFrameWnd::OnSetPreviewMode(BOOL bPreview)
{
    CFrameWnd* pTop = GetTopLevelFrameOf(this);
    if (auto* pTopFrame = DYNAMIC_DOWNCAST(CKGPFrameWnd, pTop))
        pTopFrame->m_pPrintPreviewFrame = bPreview ? this : nullptr;
    m_dockManager.SetPrintPreviewMode(bPreview);
    AdjustDockingLayout();
    RecalcLayout(TRUE);
}

// ---- Menus.

void CKGPFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    // With a menu bar the frame shows no menu of its own, but for the
    // container's menu while an OLE item is active in place in it.
    if (m_Impl.GetMenuBar() != nullptr)
        ::SetMenu(m_hWnd, GetActiveOleItem() != nullptr ? hMenuAlt : nullptr);
    else if (hMenuAlt != nullptr)
        ::SetMenu(m_hWnd, hMenuAlt);
}

void CKGPFrameWnd::DelayUpdateFrameMenu(HMENU hMenuAlt)
{
    OnUpdateFrameMenu(hMenuAlt);
    m_nIdleFlags |= idleMenu;
}

BOOL CKGPFrameWnd::OnShowPopupMenu(CWnd* pPopup)
{
    if (!m_Impl.OnShowPopupMenu(pPopup, this))
        return FALSE;
    return CKGPFrameImpl::AnswerPopupOpening(pPopup, [this](CWnd* pOpening) { return OnPopupMenuOpening(pOpening); });
}

// ---- Messages.

void CKGPFrameWnd::OnClose()
{
    if (m_pPrintPreviewFrame != nullptr) {
        m_pPrintPreviewFrame->SendMessage(WM_COMMAND, kIdClosePreview);
        m_pPrintPreviewFrame = nullptr;
        return;
    }
    m_Impl.OnCloseFrame();
    CFrameWnd::OnClose();
}

void CKGPFrameWnd::OnDestroy()
{
    TearDownFrame(nullptr);
    CFrameWnd::OnDestroy();
}

void CKGPFrameWnd::OnSizing(UINT fwSide, LPRECT pRect)
{
    CFrameWnd::OnSizing(fwSide, pRect);
    AdjustDockingLayout();
}

// Floating frames loaded while the frame was hidden show with it, once it
// shows (over it).
void CKGPFrameWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CFrameWnd::OnWindowPosChanged(lpwndpos);
    if ((lpwndpos->flags & SWP_SHOWWINDOW) != 0)
        m_dockManager.OnFrameShown();
}

void CKGPFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    m_bIsMinimized = nType == SIZE_MINIMIZED;
    m_Impl.UpdateCaption();
    // Floating toolbars hide with a minimised frame and come back with it.
    m_dockManager.HideMiniFrames(!m_bIsMinimized, RUNTIME_CLASS(CKGPBaseToolBar));
    if (!m_bIsMinimized && nType != SIZE_MAXIMIZED && !m_bWasMaximized) {
        m_dockManager.SuspendRecalc(TRUE);
        CFrameWnd::OnSize(nType, cx, cy);
        AdjustDockingLayout();
        m_dockManager.SuspendRecalc(FALSE);
        return;
    }
    CFrameWnd::OnSize(nType, cx, cy);
    if (nType == SIZE_MAXIMIZED || (nType == SIZE_RESTORED && m_bWasMaximized))
        RecalcLayout(TRUE);
    m_bWasMaximized = nType == SIZE_MAXIMIZED;
}

void CKGPFrameWnd::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    m_Impl.OnNcMouseMove(nHitTest, point);
    if (nHitTest == HTCAPTION && IsZoomed() && CKGPVisualManager::GetInstance()->DrawsFrameCaption())
        return;
    CFrameWnd::OnNcMouseMove(nHitTest, point);
}

LRESULT CKGPFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    m_dockManager.SendMessageToMiniFrames(WM_IDLEUPDATECMDUI);
    m_dockManager.KeepMiniFramesOverFrame();
    return 0;
}

