#include "guilib/frames/KGPMDIChildWnd.h"

#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/frames/KGPLibraryLinks.h"
#include "guilib/frames/KGPMDIFrameWnd.h"
#include "guilib/frames/KGPMainClientAreaWnd.h"
#include "guilib/toolbars/KGPToolBar.h"

#include <afxpreview.h>

#include <vector>

IMPLEMENT_DYNCREATE(CKGPMDIChildWnd, CMDIChildWnd)

BOOL CKGPMDIChildWnd::s_bInMDIActivate = FALSE;
BOOL CKGPMDIChildWnd::m_bEnableFloatingBars = FALSE;

BEGIN_MESSAGE_MAP(CKGPMDIChildWnd, CKGPDockSiteFrameT<CMDIChildWnd>)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_MDIACTIVATE()
    ON_WM_SIZE()
    ON_WM_SIZING()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_GETMINMAXINFO()
    ON_WM_NCPAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_STYLECHANGED()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_SETTEXT, &CKGPMDIChildWnd::OnSetText)
    ON_MESSAGE(WM_SETICON, &CKGPMDIChildWnd::OnSetIcon)
    ON_REGISTERED_MESSAGE(KGM_CHANGEVISUALMANAGER, &CKGPMDIChildWnd::OnChangeVisualManager)
END_MESSAGE_MAP()

CKGPMDIChildWnd::CKGPMDIChildWnd()
{
    KGPRegisterLibraryLinks();
}

CKGPMDIChildWnd::~CKGPMDIChildWnd() = default;

BOOL CKGPMDIChildWnd::DestroyWindow()
{
    // The child may be deleted with its window: keep what the frame's update needs.
    CKGPMDIFrameWnd* pFrame = m_pMDIFrame;
    const HWND hFrame = pFrame != nullptr ? pFrame->GetSafeHwnd() : nullptr;
    const BOOL bDestroyed = CMDIChildWnd::DestroyWindow();
    if (hFrame != nullptr && ::IsWindow(hFrame) && CWnd::FromHandlePermanent(hFrame) == pFrame &&
        !pFrame->IsClosing())
        pFrame->OnUpdateFrameMenu(nullptr);
    return bDestroyed;
}

// ---- Helpers.

CKGPMainClientAreaWnd* CKGPMDIChildWnd::ClientArea() const
{
    return m_pMDIFrame != nullptr ? &m_pMDIFrame->GetClientArea() : nullptr;
}

BOOL CKGPMDIChildWnd::IsInGroupsMode() const
{
    return m_pMDIFrame != nullptr && m_pMDIFrame->IsMDITabbedGroup();
}

BOOL CKGPMDIChildWnd::VisualManagerDrawsCaption() const
{
    return CKGPVisualManager::GetInstance()->DrawsFrameCaption();
}

void CKGPMDIChildWnd::FillMDIClient()
{
    HWND hClient = ::GetParent(m_hWnd);
    if (hClient == nullptr)
        return;
    CRect rect;
    ::GetClientRect(hClient, &rect);
    // The borders (and caption) lie outside the client's area.
    ::AdjustWindowRectEx(&rect, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(static_cast<const CWnd*>(nullptr), rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- Creation and destruction.

BOOL CKGPMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    AttachDockManager();
    return CMDIChildWnd::PreCreateWindow(cs);
}

int CKGPMDIChildWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    EnsureDockManager();
    HWND hClient = ::GetParent(m_hWnd);
    m_pMDIFrame = DYNAMIC_DOWNCAST(CKGPMDIFrameWnd, CWnd::FromHandlePermanent(::GetParent(hClient)));
    m_Impl.m_bHasBorder = (lpCreateStruct->style & WS_BORDER) != 0;

    if ((lpCreateStruct->style & WS_SYSMENU) == 0 && hClient != nullptr) {
        // A tabbed child: it keeps its own place for when tabs go, and fills the client.
        ::SendMessageW(hClient, WM_SETREDRAW, FALSE, 0);
        m_rectRestore.SetRect(lpCreateStruct->x, lpCreateStruct->y, lpCreateStruct->x + lpCreateStruct->cx,
                              lpCreateStruct->y + lpCreateStruct->cy);
        if (!IsInGroupsMode())
            FillMDIClient();
        ::SendMessageW(hClient, WM_SETREDRAW, TRUE, 0);
    }
    if (CMDIChildWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_pMDIFrame != nullptr && m_pMDIFrame->GetPrintPreviewFrame() != nullptr)
        m_pMDIFrame->SendMessage(WM_CLOSE); // the preview ends
    CKGPFrameImpl::AddFrame(this);
    PostMessage(KGM_CHANGEVISUALMANAGER);
    return 0;
}

void CKGPMDIChildWnd::OnDestroy()
{
    // Another window's preview ends; this window's own goes with it.
    if (m_pMDIFrame != nullptr && m_pMDIFrame->GetPrintPreviewFrame() == this)
        m_pMDIFrame->SetPrintPreviewFrame(nullptr);
    else if (m_pMDIFrame != nullptr && m_pMDIFrame->GetPrintPreviewFrame() != nullptr)
        m_pMDIFrame->SendMessage(WM_CLOSE);

    // A wrapped pane goes back to its dock place, unless the whole frame closes.
    if (m_pTabbedControlBar != nullptr && m_pMDIFrame != nullptr && !m_pMDIFrame->IsClosing()) {
        ShowWindow(SW_HIDE);
        ReturnTabbedControlBar();
    }
    m_pTabbedControlBar = nullptr;

    CKGPFrameImpl::RemoveFrame(this);
    std::vector<CWnd*> miniFrames;
    for (POSITION pos = m_dockManager.GetMiniFrames().GetHeadPosition(); pos != nullptr;)
        miniFrames.push_back(static_cast<CWnd*>(m_dockManager.GetMiniFrames().GetNext(pos)));
    for (CWnd* pMiniFrame : miniFrames) {
        if (pMiniFrame->GetSafeHwnd() != nullptr)
            pMiniFrame->DestroyWindow();
    }
    DestroyOwnChildren();
    m_pRelatedTabGroup = nullptr;
    CMDIChildWnd::OnDestroy();
}

// ---- Frame text, icon and document.

void CKGPMDIChildWnd::GetFrameText(CString& strText) const
{
    GetWindowText(strText);
}

HICON CKGPMDIChildWnd::GetFrameIcon() const
{
    auto hIcon = reinterpret_cast<HICON>(::SendMessageW(m_hWnd, WM_GETICON, ICON_SMALL, 0));
    if (hIcon == nullptr)
        hIcon = reinterpret_cast<HICON>(::GetClassLongPtrW(m_hWnd, GCLP_HICONSM));
    return hIcon;
}

CString CKGPMDIChildWnd::GetDocumentName(CObject** pObj)
{
    if (pObj != nullptr)
        *pObj = nullptr;
    CDocument* pDoc = const_cast<CKGPMDIChildWnd*>(this)->GetActiveDocument();
    return pDoc != nullptr ? pDoc->GetPathName() : CString();
}

int CKGPMDIChildWnd::GetTabbedPaneID() const
{
    return m_pTabbedControlBar != nullptr && m_pTabbedControlBar->GetSafeHwnd() != nullptr
               ? m_pTabbedControlBar->GetDlgCtrlID()
               : -1;
}

// ---- The wrapped pane.

void CKGPMDIChildWnd::AddTabbedControlBar(CKGPDockingControlBar* pBar)
{
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return;
    m_pTabbedControlBar = pBar;
    const DWORD dwAlignment = pBar->GetCurrentAlignment() & CBRS_ALIGN_ANY;
    if (dwAlignment != 0)
        m_dwTabbedPaneAlignment = dwAlignment;
    // Out of wherever it stands: an auto-hide strip, a floating frame, a tree.
    if (pBar->IsAutoHideMode())
        pBar->SetAutoHideMode(FALSE, pBar->GetCurrentAlignment());
    pBar->RemoveFromHost(FALSE);
    pBar->SetParent(this);
    pBar->ShowWindow(SW_SHOW);
    pBar->SetShownAsDocument(TRUE);
    if (m_pMDIFrame != nullptr) {
        m_pMDIFrame->GetDockManager()->RemoveControlBar(pBar, FALSE, FALSE, FALSE, nullptr);
        m_pMDIFrame->AdjustDockingLayout();
    }
    AdjustClientArea();
}

BOOL CKGPMDIChildWnd::ReturnTabbedControlBar()
{
    CKGPDockingControlBar* pBar = m_pTabbedControlBar;
    m_pTabbedControlBar = nullptr;
    if (pBar == nullptr || !::IsWindow(pBar->GetSafeHwnd()) || pBar->GetParent() != this || m_pMDIFrame == nullptr)
        return FALSE;
    pBar->ShowWindow(SW_HIDE);
    pBar->SetParent(m_pMDIFrame);
    pBar->SetShownAsDocument(FALSE);
    m_pMDIFrame->GetDockManager()->AddControlBar(pBar, TRUE, FALSE, FALSE);
    // Its remembered place went with the tree it left: it docks at its side again.
    pBar->DockToWindow(m_dwTabbedPaneAlignment, nullptr);
    pBar->ShowWindow(SW_SHOW);
    m_pMDIFrame->RecalcLayout();
    return TRUE;
}

// ---- Bars.

void CKGPMDIChildWnd::DockControlBar(CKGPBaseControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    if (pBar == nullptr)
        return;
    if (pBar->CanFloat() && !m_bEnableFloatingBars)
        pBar->SetLibraryBarStyle(pBar->GetLibraryBarStyle() & ~KGP_BARSTYLE_FLOAT);
    if (!pBar->CanFloat() && !pBar->CanBeResized()) {
        m_dockManager.AddControlBar(pBar); // laid out along its edge
        return;
    }
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    m_dockManager.DockControlBar(pBar, nDockBarID, lpRect);
}

// ---- Layout.

void CKGPMDIChildWnd::AdjustDockingLayout(HDWP hdwp)
{
    if (m_dockManager.IsLayoutEnabledAndLocked())
        return;
    m_dockManager.AdjustDockingLayout(hdwp);
    AdjustClientArea();
}

void CKGPMDIChildWnd::AdjustClientArea()
{
    CWnd* pChild = nullptr;
    if (m_pTabbedControlBar != nullptr && m_pTabbedControlBar->GetSafeHwnd() != nullptr &&
        m_pTabbedControlBar->IsWindowVisible() && m_pTabbedControlBar->GetParent() == this)
        pChild = m_pTabbedControlBar;
    else
        pChild = GetDlgItem(AFX_IDW_PANE_FIRST);
    if (pChild == nullptr)
        return;
    const BOOL bSplitter = pChild->IsKindOf(RUNTIME_CLASS(CSplitterWnd));
    pChild->ModifyStyle(0, bSplitter ? WS_CLIPSIBLINGS : WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    if (CKGPDockManager::s_bLayoutLocked)
        return;
    CRect rect = DockedClientRectLessBorder();
    pChild->SetWindowPos(&CWnd::wndBottom, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOACTIVATE);
}

void CKGPMDIChildWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout || m_hWnd == nullptr || m_bIsMinimized)
        return;
    m_bInRecalcLayout = TRUE;
    if (!m_dockManager.IsPrintPreviewValid() && m_pNotifyHook == nullptr) {
        m_dockManager.AdjustDockingLayout();
        AdjustClientArea();
    } else if (LayOutLibraryPreview()) {
        // The library's preview fills what the docking layout leaves.
    } else if (m_pNotifyHook != nullptr && m_bActive && m_pMDIFrame != nullptr &&
               m_pMDIFrame->GetActiveFrame() == this) {
        // An item active in place here: its frame lays itself out, and the
        // view it is active in takes the whole window.
        m_dockManager.AdjustDockingLayout();
        if (bNotify)
            TellInPlaceFrame(KGPGetActiveOleItem(this));
        if (CView* pView = GetActiveView(); pView != nullptr && pView->GetSafeHwnd() != nullptr) {
            CRect client;
            (pView->GetParentFrame() != nullptr ? pView->GetParentFrame() : this)->GetClientRect(client);
            pView->SetWindowPos(HWND{}, client.left, client.top, client.Width(), client.Height(),
                                SWP_NOZORDER | SWP_NOACTIVATE);
        }
    } else {
        AdjustClientArea();
    }
    m_bInRecalcLayout = FALSE;
}

void CKGPMDIChildWnd::OnSetPreviewMode(BOOL bPreview)
{
    if (m_pMDIFrame != nullptr)
        m_pMDIFrame->SetPrintPreviewFrame(bPreview ? this : nullptr);
    m_dockManager.SetPrintPreviewMode(bPreview);
    AdjustDockingLayout();
    RecalcLayout(TRUE);
}

void CKGPMDIChildWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    // A document window may grow with its full-screen frame; shown
    // as tabs or tab groups it is sized by the client area instead.
    if (m_pMDIFrame != nullptr && m_pMDIFrame->IsMDIFrameFullScreen() && !m_pMDIFrame->AreMDITabs() &&
        !m_pMDIFrame->IsMDITabbedGroup()) {
        m_pMDIFrame->GetFrameImpl().m_FullScreenMgr.OnGetMinMaxInfo(lpMMI);
        return;
    }
    CMDIChildWnd::OnGetMinMaxInfo(lpMMI);
}

void CKGPMDIChildWnd::ActivateFrame(int nCmdShow)
{
    if (!CKGPMainClientAreaWnd::m_bDisableSetRedraw) {
        HWND hClient = ::GetParent(m_hWnd);
        ::SendMessageW(hClient, WM_SETREDRAW, FALSE, 0);
        CMDIChildWnd::ActivateFrame(nCmdShow);
        ::SendMessageW(hClient, WM_SETREDRAW, TRUE, 0);
        ::RedrawWindow(hClient, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return;
    }
    if (IsTabbedChild())
        nCmdShow = IsInGroupsMode() ? SW_SHOWNORMAL : SW_SHOWMAXIMIZED;
    CMDIChildWnd::ActivateFrame(nCmdShow);
}

void CKGPMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CMDIChildWnd::OnUpdateFrameTitle(bAddToTitle);
    if (CKGPMainClientAreaWnd* pArea = ClientArea(); pArea != nullptr && pArea->GetSafeHwnd() != nullptr)
        pArea->UpdateTabs(FALSE);
}

// ---- Input.

BOOL CKGPMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) {
        // Keys reach an open library popup menu untranslated.
        if (KGPMenuLinks::GetActivePopupMenu() != nullptr)
            return FALSE;
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && m_pRelatedTabGroup != nullptr &&
            CWnd::GetCapture() == reinterpret_cast<CWnd*>(m_pRelatedTabGroup)) {
            m_pRelatedTabGroup->PostMessage(WM_CANCELMODE);
            return TRUE;
        }
    }
    return CMDIChildWnd::PreTranslateMessage(pMsg);
}

// ---- Messages.

void CKGPMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd)
{
    m_dockManager.HideMiniFrames(bActivate);
    m_bActive = bActivate;
    if (!s_bInMDIActivate) {
        s_bInMDIActivate = TRUE;
        CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
        if (bActivate)
            if (CKGPMainClientAreaWnd* pArea = ClientArea(); pArea != nullptr && pArea->GetSafeHwnd() != nullptr)
                pArea->SetActiveTab(m_hWnd);
        s_bInMDIActivate = FALSE;
    }
    // An in-place server's frame (or this window's) lays the frame out anew
    // for the window now active.
    if (m_pMDIFrame != nullptr && m_pMDIFrame->GetSafeHwnd() != nullptr &&
        (m_pMDIFrame->m_pNotifyHook != nullptr || m_pNotifyHook != nullptr))
        CKGPGlobalUtils::Get().ForceAdjustLayout(m_pMDIFrame->GetDockManager(), TRUE);
}

void CKGPMDIChildWnd::OnSize(UINT nType, int cx, int cy)
{
    if (m_bToBeDestroyed) {
        CMDIChildWnd::OnSize(nType, cx, cy);
        return;
    }
    m_bIsMinimized = nType == SIZE_MINIMIZED;
    if (!m_bIsMinimized && nType != SIZE_MAXIMIZED && !m_bWasMaximized) {
        m_dockManager.SuspendRecalc(TRUE);
        CMDIChildWnd::OnSize(nType, cx, cy);
        AdjustDockingLayout();
        m_dockManager.SuspendRecalc(FALSE);
    } else {
        CMDIChildWnd::OnSize(nType, cx, cy);
        if (nType == SIZE_MAXIMIZED || (nType == SIZE_RESTORED && m_bWasMaximized))
            RecalcLayout(TRUE);
        // Restored while an in-place server's frame hooks the frame: the
        // window gets its caption and borders back (not as a tab).
        if (nType == SIZE_RESTORED && m_bWasMaximized && m_pMDIFrame != nullptr &&
            m_pMDIFrame->m_pNotifyHook != nullptr && !m_pMDIFrame->AreMDITabs() && !m_pMDIFrame->IsMDITabbedGroup())
            ModifyStyle(0, WS_OVERLAPPEDWINDOW, SWP_FRAMECHANGED);
        m_bWasMaximized = nType == SIZE_MAXIMIZED;
    }
    m_Impl.UpdateCaption();
}

void CKGPMDIChildWnd::OnSizing(UINT fwSide, LPRECT pRect)
{
    CMDIChildWnd::OnSizing(fwSide, pRect);
    CRect rectWindow;
    GetWindowRect(rectWindow);
    if (rectWindow.Size() != CRect(pRect).Size())
        AdjustDockingLayout();
}

void CKGPMDIChildWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    CMDIChildWnd::OnWindowPosChanging(lpwndpos);
    if (lpwndpos->flags & SWP_NOSIZE)
        return;
    if (!IsZoomed() && !IsInGroupsMode() && VisualManagerDrawsCaption())
        m_Impl.OnWindowPosChanging(lpwndpos);
    else
        ::SetWindowRgn(m_hWnd, nullptr, FALSE);
}

void CKGPMDIChildWnd::OnNcPaint()
{
    if (!IsInGroupsMode() && !IsZoomed() && VisualManagerDrawsCaption() && m_Impl.OnNcPaint())
        return;
    Default();
}

void CKGPMDIChildWnd::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (!IsInGroupsMode() && !IsZoomed() && VisualManagerDrawsCaption() && (GetStyle() & WS_BORDER) == 0)
        lpncsp->rgrc[0].top += ::GetSystemMetrics(SM_CYCAPTION);
    CMDIChildWnd::OnNcCalcSize(bCalcValidRects, lpncsp);
}

LRESULT CKGPMDIChildWnd::OnSetText(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    if (CKGPMainClientAreaWnd* pArea = ClientArea(); pArea != nullptr && pArea->GetSafeHwnd() != nullptr)
        pArea->UpdateTabs(TRUE);
    m_Impl.OnSetText();
    return result;
}

LRESULT CKGPMDIChildWnd::OnSetIcon(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    if (CKGPMainClientAreaWnd* pArea = ClientArea(); pArea != nullptr && pArea->GetSafeHwnd() != nullptr)
        pArea->UpdateTabs(FALSE);
    return result;
}

void CKGPMDIChildWnd::OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct)
{
    CMDIChildWnd::OnStyleChanged(nStyleType, lpStyleStruct);
    if (nStyleType != GWL_STYLE || ((lpStyleStruct->styleOld ^ lpStyleStruct->styleNew) & WS_SYSMENU) == 0)
        return;
    HWND hClient = ::GetParent(m_hWnd);
    if (hClient == nullptr)
        return;
    if ((lpStyleStruct->styleNew & WS_SYSMENU) == 0) {
        // Becomes a tab: its own place is kept for when tabs go.
        if (!IsIconic() && !IsZoomed()) {
            CRect rect;
            GetWindowRect(rect);
            ::MapWindowPoints(nullptr, hClient, reinterpret_cast<POINT*>(&rect), 2);
            m_rectRestore = rect;
        }
        const LONG exStyle = ::GetWindowLongW(hClient, GWL_EXSTYLE);
        if (exStyle & WS_EX_CLIENTEDGE) {
            ::SetWindowLongW(hClient, GWL_EXSTYLE, exStyle & ~WS_EX_CLIENTEDGE);
            ::SetWindowPos(hClient, nullptr, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
        if (!IsInGroupsMode())
            FillMDIClient();
    } else if (!IsInGroupsMode()) {
        const LONG exStyle = ::GetWindowLongW(hClient, GWL_EXSTYLE);
        if ((exStyle & WS_EX_CLIENTEDGE) == 0) {
            ::SetWindowLongW(hClient, GWL_EXSTYLE, exStyle | WS_EX_CLIENTEDGE);
            ::SetWindowPos(hClient, nullptr, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
        if (!m_rectRestore.IsRectEmpty())
            SetWindowPos(static_cast<const CWnd*>(nullptr), m_rectRestore.left, m_rectRestore.top, m_rectRestore.Width(),
                         m_rectRestore.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

BOOL CKGPMDIChildWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT CKGPMDIChildWnd::OnChangeVisualManager(WPARAM, LPARAM)
{
    if (!IsInGroupsMode())
        m_Impl.OnChangeVisualManager();
    return 0;
}
