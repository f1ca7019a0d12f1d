#include "guilib/docking/KGPMiniFrameWnd.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMemDC.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPCaptionLayout.h"
#include "guilib/docking/KGPControlBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPGlobalUtils.h"

IMPLEMENT_DYNCREATE(CKGPMiniFrameWnd, CWnd)

CList<HWND, HWND> CKGPMiniFrameWnd::s_lstFrames;
CMap<UINT, UINT, HWND, HWND> CKGPMiniFrameWnd::s_mapFloatingBars;
int CKGPMiniFrameWnd::m_nCaptionButtonSpacing = KGPCaption::kButtonSpacing;

namespace {

constexpr DWORD kSyncActive = 0x100; // MFS_SYNCACTIVE

} // namespace

BEGIN_MESSAGE_MAP(CKGPMiniFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
    ON_WM_CLOSE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CANCELMODE()
    ON_WM_CHAR()
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_REGISTERED_MESSAGE(KGPMSG_CHECKEMPTYMINIFRAME, &CKGPMiniFrameWnd::OnCheckEmptyState)
END_MESSAGE_MAP()

CKGPMiniFrameWnd::CKGPMiniFrameWnd()
{
    RecalcCaptionHeight();
}

CKGPMiniFrameWnd::~CKGPMiniFrameWnd() = default;

BOOL CKGPMiniFrameWnd::Create(LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                              CCreateContext* pContext)
{
    return CreateEx(0, lpszWindowName, dwStyle, rect, pParentWnd, pContext);
}

BOOL CKGPMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                                CWnd* pParentWnd, CCreateContext*)
{
    if (pParentWnd == nullptr || pParentWnd->AsFrameWnd() == nullptr)
        return FALSE;
    m_hParentWnd = pParentWnd->GetSafeHwnd();
    if ((pParentWnd->GetExStyle() & WS_EX_LAYOUTRTL) != 0)
        dwExStyle |= WS_EX_LAYOUTRTL;
    const CString className = RegisterLibraryWindowClass(_T("KGPMiniFrame"), CS_DBLCLKS,
                                                         ::LoadCursorW(nullptr, IDC_ARROW));
    if (!CWnd::CreateEx(dwExStyle, className, lpszWindowName, dwStyle | WS_POPUP, rect, pParentWnd, 0))
        return FALSE;
    CKGPDockManager* pManager = GetDockManager();
    if (pManager == nullptr) {
        DestroyWindow();
        return FALSE;
    }
    pManager->AddMiniFrame(this);
    return TRUE;
}

BOOL CKGPMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= kSyncActive;
    return CWnd::PreCreateWindow(cs);
}

CKGPDockManager* CKGPMiniFrameWnd::GetDockManager() const
{
    if (m_pDockManager != nullptr)
        return m_pDockManager;
    return CKGPGlobalUtils::Get().GetDockManager(CWnd::FromHandle(m_hParentWnd));
}

// ---- The hosted bar.

CKGPBaseControlBar* CKGPMiniFrameWnd::HostedBar() const
{
    return m_hEmbeddedBar != nullptr ? DYNAMIC_DOWNCAST(CKGPBaseControlBar, CWnd::FromHandlePermanent(m_hEmbeddedBar))
                                     : nullptr;
}

void CKGPMiniFrameWnd::AddControlBar(CKGPBaseControlBar* pBar)
{
    if (pBar == nullptr)
        return;
    m_bHostsToolbar = pBar->IsToolBarKind();
    if (m_hEmbeddedBar == pBar->GetSafeHwnd())
        return;
    m_hEmbeddedBar = pBar->GetSafeHwnd();
    CString title;
    pBar->GetWindowText(title);
    SetWindowText(title);
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(pBar->GetBarIcon(FALSE)));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(pBar->GetBarIcon(TRUE)));
    AddRemoveBarFromGlobalMap(pBar, TRUE);
}

void CKGPMiniFrameWnd::RemoveControlBar(CKGPBaseControlBar* pBar, BOOL bDestroyIfEmpty, BOOL bKeepWhenEmpty)
{
    m_bKeepWhenEmpty = bKeepWhenEmpty;
    AddRemoveBarFromGlobalMap(pBar, FALSE);
    if (pBar != nullptr && pBar->GetSafeHwnd() == m_hEmbeddedBar)
        m_hEmbeddedBar = nullptr;
    if (GetControlBarCount() == 0) {
        if (bDestroyIfEmpty)
            DestroyWindow();
        else if (GetSafeHwnd() != nullptr)
            PostMessage(KGPMSG_CHECKEMPTYMINIFRAME);
    }
}

void CKGPMiniFrameWnd::ReplaceControlBar(CKGPBaseControlBar* pBarOrg, CKGPBaseControlBar* pBarReplaceWith)
{
    AddRemoveBarFromGlobalMap(pBarOrg, FALSE);
    if (pBarOrg != nullptr && pBarOrg->GetSafeHwnd() == m_hEmbeddedBar && pBarReplaceWith != nullptr)
        m_hEmbeddedBar = pBarReplaceWith->GetSafeHwnd();
    AddRemoveBarFromGlobalMap(pBarReplaceWith, TRUE);
}

int CKGPMiniFrameWnd::GetControlBarCount() const
{
    return m_hEmbeddedBar != nullptr && CWnd::FromHandlePermanent(m_hEmbeddedBar) != nullptr ? 1 : 0;
}

int CKGPMiniFrameWnd::GetVisibleBarCount() const
{
    return m_hEmbeddedBar != nullptr && ::IsWindow(m_hEmbeddedBar) &&
                   (::GetWindowLongW(m_hEmbeddedBar, GWL_STYLE) & WS_VISIBLE) != 0
               ? 1
               : 0;
}

CWnd* CKGPMiniFrameWnd::GetControlBar() const
{
    return m_hEmbeddedBar != nullptr ? CWnd::FromHandlePermanent(m_hEmbeddedBar) : nullptr;
}

CWnd* CKGPMiniFrameWnd::GetFirstVisibleBar() const
{
    return GetVisibleBarCount() == 1 ? GetControlBar() : nullptr;
}

int CKGPMiniFrameWnd::GetDockingMode() const
{
    if (CKGPBaseControlBar* pBar = HostedBar())
        return pBar->GetDockingMode();
    return CKGPDockManager::GetDockingMode();
}

CString CKGPMiniFrameWnd::GetCaptionText()
{
    CString text;
    if (CWnd* pBar = GetControlBar())
        pBar->GetWindowText(text);
    return text;
}

CKGPBaseControlBar* CKGPMiniFrameWnd::ControlBarFromPoint(CPoint point, int, BOOL bCheckVisibility)
{
    CKGPBaseControlBar* pBar = HostedBar();
    if (pBar == nullptr)
        return nullptr;
    CRect rect;
    pBar->GetWindowRect(rect);
    if (!rect.PtInRect(point) || (bCheckVisibility && !pBar->IsWindowVisible()))
        return nullptr;
    return pBar;
}

BOOL CKGPMiniFrameWnd::GetHostedBarKindFlag() const
{
    CKGPBaseControlBar* pBar = HostedBar();
    return pBar != nullptr && pBar->IsPaneKind();
}

// ---- Every floating bar by id.

void CKGPMiniFrameWnd::AddRemoveBarFromGlobalMap(CKGPBaseControlBar* pBar, BOOL bAdd)
{
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return;
    const int id = pBar->GetDlgCtrlID();
    if (id == -1)
        return;
    if (bAdd)
        s_mapFloatingBars.SetAt(static_cast<UINT>(id), pBar->GetSafeHwnd());
    else
        s_mapFloatingBars.RemoveKey(static_cast<UINT>(id));
}

CKGPBaseControlBar* CKGPMiniFrameWnd::FindFloatingBarByID(UINT nID)
{
    HWND hWnd = nullptr;
    if (!s_mapFloatingBars.Lookup(nID, hWnd))
        return nullptr;
    return DYNAMIC_DOWNCAST(CKGPBaseControlBar, CWnd::FromHandlePermanent(hWnd));
}

void CKGPMiniFrameWnd::GetFloatingBars(CObList& list, CRuntimeClass* pRTCBarType)
{
    for (POSITION pos = s_mapFloatingBars.GetStartPosition(); pos != nullptr;) {
        UINT id = 0;
        HWND hWnd = nullptr;
        s_mapFloatingBars.GetNextAssoc(pos, id, hWnd);
        auto* pBar = DYNAMIC_DOWNCAST(CKGPBaseControlBar, CWnd::FromHandlePermanent(hWnd));
        if (pBar != nullptr && (pRTCBarType == nullptr || pBar->GetRuntimeClass() == pRTCBarType))
            list.AddTail(pBar);
    }
}

void CKGPMiniFrameWnd::RedrawAll()
{
    for (POSITION pos = s_lstFrames.GetHeadPosition(); pos != nullptr;) {
        const HWND hWnd = s_lstFrames.GetNext(pos);
        if (CWnd::FromHandlePermanent(hWnd) != nullptr)
            ::RedrawWindow(hWnd, nullptr, nullptr,
                           RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    }
}

// ---- Geometry.

void CKGPMiniFrameWnd::RecalcCaptionHeight()
{
    m_nCaptionHeight = ::GetSystemMetrics(SM_CYSMCAPTION) +
                       CKGPVisualManager::GetInstance()->GetCaptionButtonExtraSize().cy;
    m_nMinTrackX = m_nCaptionHeight + 15;
    m_nMinTrackY = m_nCaptionHeight + 15;
}

void CKGPMiniFrameWnd::CalcBorderSize(CRect& rectBorderSize) const
{
    CKGPBaseControlBar* pBar = HostedBar();
    if ((pBar != nullptr && pBar->IsToolBarKind()) || (pBar == nullptr && m_bHostsToolbar)) {
        rectBorderSize.SetRect(3, 3, 3, 3);
        return;
    }
    const int cx = ::GetSystemMetrics(SM_CXSIZEFRAME);
    const int cy = ::GetSystemMetrics(SM_CYSIZEFRAME);
    rectBorderSize.SetRect(cx, cy, cx, cy);
}

void CKGPMiniFrameWnd::GetCaptionRect(CRect& rectCaption) const
{
    CRect border;
    CalcBorderSize(border);
    CRect window;
    GetWindowRect(window);
    rectCaption.SetRect(border.left, border.top, window.Width() - border.right, border.top + m_nCaptionHeight);
}

void CKGPMiniFrameWnd::SizeToContent()
{
    CKGPBaseControlBar* pBar = HostedBar();
    if (pBar == nullptr)
        return;
    const CSize content = pBar->CalcFixedLayout(FALSE, TRUE);
    CRect border;
    CalcBorderSize(border);
    SetWindowPos(HWND{}, 0, 0, content.cx + border.left + border.right,
                 content.cy + border.top + border.bottom + m_nCaptionHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKGPMiniFrameWnd::AdjustLayout()
{
    CWnd* pBar = GetControlBar();
    if (pBar == nullptr)
        return;
    CRect client;
    GetClientRect(client);
    pBar->SetWindowPos(HWND{}, client.left, client.top, client.Width(), client.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKGPMiniFrameWnd::RecalcLayout()
{
    if (CKGPBaseControlBar* pBar = HostedBar())
        pBar->RecalcLayout();
    SizeToContent();
}

// ---- Docking the bar back.

void CKGPMiniFrameWnd::SaveRecentFloatingState()
{
    auto* pBar = DYNAMIC_DOWNCAST(CKGPControlBar, GetControlBar());
    if (pBar == nullptr)
        return;
    GetWindowRect(pBar->m_recentDockInfo.m_rectRecentFloatingRect);
    CPoint cursor;
    ::GetCursorPos(&cursor);
    pBar->ScreenToClient(&cursor);
    pBar->SetDragOffset(cursor);
}

void CKGPMiniFrameWnd::DockOnDoubleClick()
{
    auto* pBar = DYNAMIC_DOWNCAST(CKGPControlBar, GetControlBar());
    if (pBar == nullptr || (pBar->GetEnabledAlignment() & CBRS_ALIGN_ANY) == 0)
        return;
    SaveRecentFloatingState();
    if (pBar->DockControlBar(nullptr, nullptr, KGP_DM_DBLCLICK)) {
        if (CKGPDockManager* pManager = GetDockManager())
            pManager->AdjustDockingLayout();
    }
}

BOOL CKGPMiniFrameWnd::CanClose()
{
    return TRUE;
}

void CKGPMiniFrameWnd::CloseMiniFrame()
{
    ShowWindow(SW_HIDE);
    if (CKGPBaseControlBar* pBar = HostedBar())
        pBar->ShowWindow(SW_HIDE);
}

// ---- Moving.

void CKGPMiniFrameWnd::EnterDragMode(HWND hWndToDestroyOnRelease)
{
    if (m_bCaptured)
        return;
    SetCapture();
    if (m_hWndToDestroyOnRelease == nullptr)
        m_hWndToDestroyOnRelease = hWndToDestroyOnRelease;
    m_bCaptured = TRUE;
    OnCapture(TRUE);
    ::GetCursorPos(&m_ptHot);
    if (CKGPDockManager* pManager = GetDockManager())
        pManager->ResortMiniFramesForZOrder();
}

void CKGPMiniFrameWnd::OnCapture(BOOL bOnOff)
{
    auto* pBar = DYNAMIC_DOWNCAST(CKGPControlBar, GetControlBar());
    if (pBar != nullptr)
        pBar->SetDragMode(bOnOff);
    if (bOnOff)
        return;
    if (m_hWndToDestroyOnRelease != nullptr && m_hWndToDestroyOnRelease != m_hWnd &&
        ::IsWindow(m_hWndToDestroyOnRelease))
        ::DestroyWindow(m_hWndToDestroyOnRelease);
    m_hWndToDestroyOnRelease = nullptr;
}

void CKGPMiniFrameWnd::EndMove()
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_bCaptured = FALSE;
    OnCapture(FALSE);
}

void CKGPMiniFrameWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bMoved = FALSE;
    EnterDragMode(nullptr);
    SaveRecentFloatingState();
    CWnd::OnLButtonDown(nFlags, point);
}

void CKGPMiniFrameWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bCaptured) {
        CWnd::OnMouseMove(nFlags, point);
        return;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    if (cursor == m_ptHot)
        return;
    m_bMoved = TRUE;
    CRect window;
    GetWindowRect(window);
    window.OffsetRect(cursor - m_ptHot);
    m_ptHot = cursor;
    SetWindowPos(HWND{}, window.left, window.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKGPMiniFrameWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bCaptured)
        EndMove();
    CWnd::OnLButtonUp(nFlags, point);
}

void CKGPMiniFrameWnd::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    DockOnDoubleClick();
    CWnd::OnLButtonDblClk(nFlags, point);
}

void CKGPMiniFrameWnd::OnCancelMode()
{
    CWnd::OnCancelMode();
    if (m_bCaptured)
        EndMove();
}

void CKGPMiniFrameWnd::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE && m_bCaptured) {
        EndMove();
        return;
    }
    CWnd::OnChar(nChar, nRepCnt, nFlags);
}

// ---- Window messages.

int CKGPMiniFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    s_lstFrames.AddTail(m_hWnd);
    return 0;
}

void CKGPMiniFrameWnd::OnDestroy()
{
    if (m_bCaptured)
        EndMove();
    if (CKGPDockManager* pManager = GetDockManager())
        pManager->RemoveMiniFrame(this);
    if (POSITION pos = s_lstFrames.Find(m_hWnd))
        s_lstFrames.RemoveAt(pos);
    CWnd::OnDestroy();
}

void CKGPMiniFrameWnd::OnNcDestroy()
{
    CWnd::OnNcDestroy();
    delete this;
}

void CKGPMiniFrameWnd::OnClose()
{
    if (CanClose())
        CloseMiniFrame();
}

void CKGPMiniFrameWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect border;
    CalcBorderSize(border);
    RECT& rect = lpncsp->rgrc[0];
    rect.left += border.left;
    rect.top += border.top + m_nCaptionHeight;
    rect.right -= border.right;
    rect.bottom -= border.bottom;
    rect.right = (std::max)(rect.left, rect.right);
    rect.bottom = (std::max)(rect.top, rect.bottom);
}

void CKGPMiniFrameWnd::OnNcPaint()
{
    CWindowDC windowDC(this);
    CRect window;
    GetWindowRect(window);
    window.OffsetRect(-window.left, -window.top);
    CRect client;
    GetClientRect(client);
    ClientToScreen(client);
    CRect screen;
    GetWindowRect(screen);
    client.OffsetRect(-screen.left, -screen.top);
    windowDC.ExcludeClipRect(client);

    CRect border;
    CalcBorderSize(border);
    CKGPVisualManager* pManager = CKGPVisualManager::GetInstance();
    CKGPBaseControlBar* pBar = HostedBar();
    if (m_bHostsToolbar) {
        ::FillRect(windowDC.m_hDC, &window, GetKGPGlobalData().GetBarFaceBrush());
        pManager->DrawFloatingToolbarBorder(&windowDC, pBar, window, border);
    } else {
        pManager->DrawFloatingFrameBorder(&windowDC, this, window, border);
    }
    CRect caption;
    GetCaptionRect(caption);
    const COLORREF textColor = pManager->FillFloatingFrameCaption(&windowDC, caption, this, m_bActive);
    CRect text = caption;
    text.DeflateRect(2, 0);
    const HGDIOBJ oldFont = ::SelectObject(windowDC.m_hDC, GetKGPGlobalData().GetBoldFont());
    ::SetBkMode(windowDC.m_hDC, TRANSPARENT);
    ::SetTextColor(windowDC.m_hDC, textColor);
    const CString title = GetCaptionText();
    ::DrawTextW(windowDC.m_hDC, title, title.GetLength(), &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    ::SelectObject(windowDC.m_hDC, oldFont);
}

LRESULT CKGPMiniFrameWnd::OnNcHitTest(CPoint point)
{
    CRect window;
    GetWindowRect(window);
    if (!window.PtInRect(point))
        return HTNOWHERE;
    // The caption is client area: the frame moves itself by its own mouse handling.
    CRect border;
    CalcBorderSize(border);
    CRect inner(window.left + border.left, window.top + border.top, window.right - border.right,
                window.bottom - border.bottom);
    return inner.PtInRect(point) ? HTCLIENT : HTBORDER;
}

void CKGPMiniFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    AdjustLayout();
    SendMessage(WM_NCPAINT);
}

BOOL CKGPMiniFrameWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

LRESULT CKGPMiniFrameWnd::OnCheckEmptyState(WPARAM, LPARAM)
{
    if (GetControlBarCount() == 0) {
        if (m_bKeepWhenEmpty)
            ShowWindow(SW_HIDE);
        else
            DestroyWindow();
    }
    return 0;
}
