#include "guilib/frames/KGPFrameWnd.h"

#include <windowsx.h>
#include <afxpreview.h>

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPWindowHelpers.h"
#include "guilib/docking/KGPBaseControlBar.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/frames/KGPFrameLinks.h"
#include "guilib/frames/KGPPrintPreviewView.h"
#include "guilib/toolbars/KGPToolBar.h"

#include <vector>

IMPLEMENT_DYNCREATE(CKGPFrameWnd, CFrameWnd)

namespace {

constexpr UINT kWmIdleUpdateCmdUI = 0x0363;
constexpr UINT kWmDwmCompositionChanged = 0x031E;
constexpr UINT kIdClosePreview = 0xE300;

} // namespace

BEGIN_MESSAGE_MAP(CKGPFrameWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_MENUCHAR()
    ON_WM_ACTIVATE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_SIZING()
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_NCPAINT()
    ON_WM_NCACTIVATE()
    ON_WM_NCMOUSEMOVE()
    ON_WM_NCHITTEST()
    ON_WM_NCCALCSIZE()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_ACTIVATEAPP()
    ON_MESSAGE(kWmIdleUpdateCmdUI, &CKGPFrameWnd::OnIdleUpdateCmdUI)
    ON_REGISTERED_MESSAGE(KGTOOLBAR_CREATE, &CKGPFrameWnd::OnToolbarCreateNew)
    ON_REGISTERED_MESSAGE(KGTOOLBAR_DELETE, &CKGPFrameWnd::OnToolbarDelete)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, &CKGPFrameWnd::OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, &CKGPFrameWnd::OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, &CKGPFrameWnd::OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, &CKGPFrameWnd::OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_REBAR, &CKGPFrameWnd::OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_REBAR, &CKGPFrameWnd::OnBarCheck)
    ON_REGISTERED_MESSAGE(KGTOOLBAR_POPUPMENU, &CKGPFrameWnd::OnToolbarContextMenu)
    ON_MESSAGE(WM_SETTEXT, &CKGPFrameWnd::OnSetText)
    ON_REGISTERED_MESSAGE(KGM_CHANGEVISUALMANAGER, &CKGPFrameWnd::OnChangeVisualManager)
    ON_REGISTERED_MESSAGE(KGM_POSTSETPREVIEWFRAME, &CKGPFrameWnd::OnChangeVisualManager)
    ON_MESSAGE(kWmDwmCompositionChanged, &CKGPFrameWnd::OnDWMCompositionChanged)
END_MESSAGE_MAP()

CKGPFrameWnd::CKGPFrameWnd() : m_Impl(this)
{
    KGPRegisterFrameLinks();
}

CKGPFrameWnd::~CKGPFrameWnd() = default;

// ---- Creation and loading.

BOOL CKGPFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_Impl.m_nIDDefaultResource = nIDResource;
    m_Impl.LoadToolbarParameters();
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    m_Impl.OnLoadFrame();
    return TRUE;
}

BOOL CKGPFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    m_dockManager.Create(this);
    m_Impl.m_pDockManager = &m_dockManager;
    m_Impl.RestorePlacement(cs);
    return CFrameWnd::PreCreateWindow(cs);
}

int CKGPFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    // A frame made without PreCreateWindow still docks.
    if (m_dockManager.GetDockSite() == nullptr) {
        m_dockManager.Create(this);
        m_Impl.m_pDockManager = &m_dockManager;
    }
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_Impl.m_bHasBorder = (lpCreateStruct->style & WS_BORDER) != 0;
    CKGPFrameImpl::AddFrame(this);
    m_Impl.OnChangeVisualManager();
    return 0;
}

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

BOOL CKGPFrameWnd::OnMoveMiniFrame(CKGPMiniFrameWnd* pMiniFrame)
{
    return m_dockManager.OnMoveMiniFrame(pMiniFrame);
}

void CKGPFrameWnd::AdjustClientArea()
{
    CWnd* pChild = GetDlgItem(AFX_IDW_PANE_FIRST);
    if (pChild == nullptr)
        return;
    CRect rect;
    m_dockManager.GetInnerDockRect(rect);
    if (m_dockManager.GetControlBars().IsEmpty())
        GetClientRect(rect);
    rect.left += m_rectBorder.left;
    rect.top += m_rectBorder.top;
    rect.right -= m_rectBorder.right;
    rect.bottom -= m_rectBorder.bottom;
    if (m_dockManager.IsPrintPreviewValid())
        CKGPPrintPreviewView::PlacePreviewBar(this, rect);
    pChild->CalcWindowRect(rect);
    const BOOL bSplitter = pChild->IsKindOf(RUNTIME_CLASS(CSplitterWnd));
    pChild->ModifyStyle(0, bSplitter ? WS_CLIPSIBLINGS : WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    pChild->SetWindowPos(&CWnd::wndBottom, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOACTIVATE);
}

void CKGPFrameWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout || m_hWnd == nullptr || m_bIsMinimized)
        return;
    m_bInRecalcLayout = TRUE;
    if (!m_dockManager.IsPrintPreviewValid() && m_pNotifyHook == nullptr) {
        m_dockManager.AdjustDockingLayout();
        AdjustClientArea();
    } else {
        // (The print-preview view and the in-place frame of an OLE item lay
        // themselves out once they exist.)
        m_dockManager.AdjustDockingLayout();
        AdjustClientArea();
        if (bNotify && m_pNotifyHook != nullptr)
            m_pNotifyHook->OnRecalcLayout();
    }
    m_bInRecalcLayout = FALSE;
}

BOOL CKGPFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder)
{
    constexpr UINT kBorderRequest = 1;
    constexpr UINT kBorderSet = 3;
    if (nBorderCmd == kBorderRequest) {
        CRect inner;
        m_dockManager.GetInnerDockRect(inner);
        *lpRectBorder = inner;
        return TRUE;
    }
    if (nBorderCmd == kBorderSet)
        return TRUE;
    return TRUE;
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

void CKGPFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    // The dock manager hides and shows the library's bars; the layer's switch
    // keeps the menu. Its record of the layer's own bars is left as it was.
    if (pState != nullptr) {
        const DWORD dwStates = pState->dwStates;
        CFrameWnd::OnSetPreviewMode(bPreview, pState);
        pState->dwStates = dwStates;
    }
    OnSetPreviewMode(bPreview);
}

void CKGPFrameWnd::SetInPlaceBarsVisible(BOOL bShow)
{
    m_dockManager.HideInPlaceBars(bShow);
    AdjustDockingLayout();
}

// ---- Commands and input.

BOOL CKGPFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) ||
           m_dockManager.OnBarsMenuCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CKGPFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == 1 && m_Impl.ProcessKeyboard(VK_ESCAPE))
        return TRUE; // an accelerator while a popup menu is open
    if (KGPMenuLinks::IsCustomizeMode())
        return FALSE;
    return CFrameWnd::OnCommand(wParam, lParam);
}

BOOL CKGPFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    switch (m_Impl.PreTranslateFrameMessage(pMsg)) {
    case CKGPFrameImpl::PreTranslateResult::Consumed:
        return TRUE;
    case CKGPFrameImpl::PreTranslateResult::Untranslated:
        return FALSE;
    case CKGPFrameImpl::PreTranslateResult::PassOn:
        break;
    }
    return CFrameWnd::PreTranslateMessage(pMsg);
}

void CKGPFrameWnd::OnContextHelp()
{
    // The layer runs no loop that picks a window for context help; the request
    // opens the help file at its contents (toolbars' help mode comes with the
    // customisation issue).
    if (m_bContextHelp)
        return;
    m_bContextHelp = TRUE;
    if (CWinApp* pApp = AfxGetApp(); pApp != nullptr && pApp->m_pszHelpFilePath != nullptr)
        ::WinHelpW(m_hWnd, pApp->m_pszHelpFilePath, HELP_FINDER, 0);
    m_bContextHelp = FALSE;
}

void CKGPFrameWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (dwData == 0 && m_bContextHelp) {
        OnContextHelp();
        return;
    }
    if (CWinApp* pApp = AfxGetApp())
        ::WinHelpW(m_hWnd, pApp->m_pszHelpFilePath, nCmd, dwData);
}

void CKGPFrameWnd::HtmlHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (dwData == 0 && m_bContextHelp) {
        OnContextHelp();
        return;
    }
    WinHelp(dwData, nCmd);
}

void CKGPFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    // With a visible menu bar the frame shows no menu of its own.
    if (m_Impl.GetMenuBar() != nullptr)
        ::SetMenu(m_hWnd, nullptr);
    else if (hMenuAlt != nullptr)
        ::SetMenu(m_hWnd, hMenuAlt);
}

void CKGPFrameWnd::DelayUpdateFrameMenu(HMENU hMenuAlt)
{
    OnUpdateFrameMenu(hMenuAlt);
    m_nIdleFlags |= idleMenu;
}

BOOL CKGPFrameWnd::OnPopupMenuOpening(CWnd* pPopup)
{
    if (pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr)
        GetKGPGlobalData().NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, pPopup->m_hWnd, OBJID_CLIENT, CHILDID_SELF);
    return TRUE;
}

void CKGPFrameWnd::OnClosePopupMenu(CWnd* pPopup)
{
    if (pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr)
        GetKGPGlobalData().NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPEND, pPopup->m_hWnd, OBJID_CLIENT, CHILDID_SELF);
    m_dockManager.SetBarsMenuShown(FALSE);
}

// ---- Docking calls.

BOOL CKGPFrameWnd::AddControlBar(CKGPBaseControlBar* pBar, BOOL bTail)
{
    // (A ribbon bar that takes the role registers with the frame once ribbons exist.)
    return m_dockManager.AddControlBar(pBar, bTail, FALSE, FALSE);
}

BOOL CKGPFrameWnd::InsertControlBar(CKGPBaseControlBar* pBar, CKGPBaseControlBar* pTarget, BOOL bAfter)
{
    return m_dockManager.InsertControlBar(pBar, pTarget, bAfter);
}

void CKGPFrameWnd::RemoveControlBarFromDockManager(CKGPBaseControlBar* pBar, BOOL bDestroy, BOOL bAdjustLayout,
                                                   BOOL bAutoHide, CKGPBaseControlBar* pBarReplacement)
{
    m_dockManager.RemoveControlBar(pBar, bDestroy, bAdjustLayout, bAutoHide, pBarReplacement);
}

void CKGPFrameWnd::DockControlBar(CKGPBaseControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    m_dockManager.DockControlBar(pBar, nDockBarID, lpRect);
}

CKGPBaseControlBar* CKGPFrameWnd::ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                                      CRuntimeClass* pRTCBarType) const
{
    return m_dockManager.BarFromPoint(point, nSensitivity, bExactBar, pRTCBarType, FALSE, nullptr);
}

BOOL CKGPFrameWnd::IsPointNearDockEdge(CPoint point, DWORD& dwAlignment, BOOL& bOuterEdge) const
{
    return m_dockManager.IsPointNearDockBar(point, dwAlignment, bOuterEdge);
}

CKGPBaseControlBar* CKGPFrameWnd::GetControlBar(UINT nID)
{
    return m_dockManager.FindBarById(nID, TRUE);
}

void CKGPFrameWnd::ShowControlBar(CKGPBaseControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate)
{
    if (pBar != nullptr)
        pBar->ShowBar(bShow, bDelay, bActivate);
}

BOOL CKGPFrameWnd::OnShowPopupMenu(CWnd* pPopup)
{
    if (!m_Impl.OnShowPopupMenu(pPopup, this))
        return FALSE;
    return OnPopupMenuOpening(pPopup);
}

// ---- Messages.

LRESULT CKGPFrameWnd::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (m_Impl.OnMenuChar(nChar))
        return 0xFFFF0002; // MNC_SELECT-like "handled": no beep, no menu
    return CFrameWnd::OnMenuChar(nChar, nFlags, pMenu);
}

void CKGPFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE) {
        if (!KGPMenuLinks::IsCustomizeMode())
            m_Impl.DeactivateMenu();
    } else if (nState == WA_CLICKACTIVE) {
        UpdateWindow();
    }
}

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
    if (m_hAccelTable != nullptr) {
        ::DestroyAcceleratorTable(m_hAccelTable);
        m_hAccelTable = nullptr;
    }
    m_dockManager.EnableLayout(FALSE);
    // The frame's own children go now, while the frame is whole (floating
    // frames and bars included).
    std::vector<HWND> children;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        children.push_back(hChild);
    for (HWND hChild : children) {
        if (::IsWindow(hChild) && ::GetParent(hChild) == m_hWnd)
            ::DestroyWindow(hChild);
    }
    CKGPFrameImpl::RemoveFrame(this);
    CFrameWnd::OnDestroy();
}

void CKGPFrameWnd::OnSizing(UINT fwSide, LPRECT pRect)
{
    CFrameWnd::OnSizing(fwSide, pRect);
    AdjustDockingLayout();
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

void CKGPFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    m_Impl.OnGetMinMaxInfo(lpMMI);
    CFrameWnd::OnGetMinMaxInfo(lpMMI);
    m_Impl.m_FullScreenMgr.OnGetMinMaxInfo(lpMMI);
}

void CKGPFrameWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
    CFrameWnd::OnWindowPosChanging(lpwndpos);
    m_Impl.OnWindowPosChanging(lpwndpos);
}

void CKGPFrameWnd::OnNcPaint()
{
    if (!m_Impl.OnNcPaint())
        Default();
}

BOOL CKGPFrameWnd::OnNcActivate(BOOL bActive)
{
    if (m_Impl.OnNcActivate(bActive))
        return TRUE;
    return CFrameWnd::OnNcActivate(bActive);
}

void CKGPFrameWnd::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    m_Impl.OnNcMouseMove(nHitTest, point);
    if (nHitTest == HTCAPTION && IsZoomed() && CKGPVisualManager::GetInstance()->DrawsFrameCaption())
        return;
    CFrameWnd::OnNcMouseMove(nHitTest, point);
}

LRESULT CKGPFrameWnd::OnNcHitTest(CPoint point)
{
    const UINT hit = m_Impl.OnNcHitTest(point);
    return hit != 0 ? static_cast<LRESULT>(hit) : CFrameWnd::OnNcHitTest(point);
}

void CKGPFrameWnd::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    if (!m_Impl.OnNcCalcSize(bCalcValidRects, lpncsp))
        CFrameWnd::OnNcCalcSize(bCalcValidRects, lpncsp);
}

void CKGPFrameWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_Impl.OnLButtonUp(point);
    CFrameWnd::OnLButtonUp(nFlags, point);
}

void CKGPFrameWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    m_Impl.OnMouseMove(point);
    CFrameWnd::OnMouseMove(nFlags, point);
}

void CKGPFrameWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_Impl.OnLButtonDown(point);
    CFrameWnd::OnLButtonDown(nFlags, point);
}

void CKGPFrameWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
    CFrameWnd::OnActivateApp(bActive, dwThreadID);
    m_dockManager.HideMiniFrames(bActive, RUNTIME_CLASS(CKGPBaseToolBar));
    m_Impl.OnActivateApp(bActive);
}

LRESULT CKGPFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    m_dockManager.SendMessageToMiniFrames(kWmIdleUpdateCmdUI);
    return 0;
}

LRESULT CKGPFrameWnd::OnToolbarCreateNew(WPARAM, LPARAM lParam)
{
    return reinterpret_cast<LRESULT>(m_Impl.CreateUserToolbar(reinterpret_cast<LPCTSTR>(lParam)));
}

LRESULT CKGPFrameWnd::OnToolbarDelete(WPARAM, LPARAM lParam)
{
    return m_Impl.DeleteUserToolbar(reinterpret_cast<CKGPToolBar*>(lParam));
}

void CKGPFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CKGPFrameImpl::UpdateBarCommand(m_dockManager, pCmdUI);
}

BOOL CKGPFrameWnd::OnBarCheck(UINT nID)
{
    return CKGPFrameImpl::ToggleBarCommand(m_dockManager, nID);
}

LRESULT CKGPFrameWnd::OnToolbarContextMenu(WPARAM, LPARAM)
{
    return TRUE;
}

LRESULT CKGPFrameWnd::OnSetText(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    m_Impl.OnSetText();
    return result;
}

LRESULT CKGPFrameWnd::OnChangeVisualManager(WPARAM, LPARAM)
{
    m_Impl.OnChangeVisualManager();
    return 0;
}

LRESULT CKGPFrameWnd::OnDWMCompositionChanged(WPARAM, LPARAM)
{
    m_Impl.OnDwmCompositionChanged();
    return 0;
}
