#include "guilib/frames/KGPOleCntrFrameWnd.h"

#include "guilib/docking/KGPBaseControlBar.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/frames/KGPLibraryLinks.h"

#include <vector>

IMPLEMENT_DYNAMIC(CKGPOleCntrFrameWnd, COleCntrFrameWnd)

namespace {


} // namespace

BEGIN_MESSAGE_MAP(CKGPOleCntrFrameWnd, COleCntrFrameWnd)
    ON_WM_SIZE()
    ON_WM_SIZING()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, &CKGPOleCntrFrameWnd::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CKGPOleCntrFrameWnd::CKGPOleCntrFrameWnd(COleIPFrameWnd* pInPlaceFrame) : COleCntrFrameWnd(pInPlaceFrame)
{
    KGPRegisterLibraryLinks();
}

CKGPOleCntrFrameWnd::~CKGPOleCntrFrameWnd()
{
    // The floating frames of its bars, then the windows still parented to it.
    std::vector<HWND> windows;
    for (POSITION pos = m_dockManager.GetMiniFrames().GetHeadPosition(); pos != nullptr;) {
        if (auto* pMiniFrame = DYNAMIC_DOWNCAST(CWnd, m_dockManager.GetMiniFrames().GetNext(pos)))
            windows.push_back(pMiniFrame->GetSafeHwnd());
    }
    if (m_hWnd != nullptr) {
        for (HWND hWnd = ::GetWindow(::GetDesktopWindow(), GW_CHILD); hWnd != nullptr;
             hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
            if (::GetWindow(hWnd, GW_OWNER) == m_hWnd && CWnd::FromHandlePermanent(hWnd) != nullptr)
                windows.push_back(hWnd);
        }
    }
    for (HWND hWnd : windows) {
        if (hWnd != nullptr && ::IsWindow(hWnd))
            ::DestroyWindow(hWnd);
    }
}

BOOL CKGPOleCntrFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    m_dockManager.Create(this, this);
    return COleCntrFrameWnd::PreCreateWindow(cs);
}

void CKGPOleCntrFrameWnd::SetInPlaceBarsVisible(BOOL bShow)
{
    m_dockManager.HideInPlaceBars(bShow);
    AdjustDockingLayout();
}

void CKGPOleCntrFrameWnd::AdjustDockingLayout(HDWP)
{
    // The server's document renegotiates its border space with the container.
    if (m_pInPlaceFrame == nullptr)
        return;
    if (auto* pDoc = DYNAMIC_DOWNCAST(COleServerDoc, m_pInPlaceFrame->GetActiveDocument()))
        pDoc->OnResizeBorder(nullptr, m_pInPlaceFrame->GetInPlaceFrameInterface(), TRUE);
}

void CKGPOleCntrFrameWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout || m_hWnd == nullptr)
        return;
    m_bInRecalcLayout = TRUE;
    AdjustDockingLayout();
    m_dockManager.AdjustDockingLayout();
    m_bInRecalcLayout = FALSE;
    if (m_pInPlaceFrame != nullptr && m_pInPlaceFrame->GetSafeHwnd() != nullptr)
        m_pInPlaceFrame->RecalcLayout(bNotify);
}

BOOL CKGPOleCntrFrameWnd::AddControlBar(CKGPBaseControlBar* pBar, BOOL bTail)
{
    return m_dockManager.AddControlBar(pBar, bTail, FALSE, FALSE);
}

BOOL CKGPOleCntrFrameWnd::InsertControlBar(CKGPBaseControlBar* pBar, CKGPBaseControlBar* pTarget, BOOL bAfter)
{
    return m_dockManager.InsertControlBar(pBar, pTarget, bAfter);
}

void CKGPOleCntrFrameWnd::RemoveControlBarFromDockManager(CKGPBaseControlBar* pBar, BOOL bDestroy, BOOL bAdjustLayout,
                                                          BOOL bAutoHide, CKGPBaseControlBar* pBarReplacement)
{
    m_dockManager.RemoveControlBar(pBar, bDestroy, bAdjustLayout, bAutoHide, pBarReplacement);
    AdjustDockingLayout();
}

void CKGPOleCntrFrameWnd::DockControlBar(CKGPBaseControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    m_dockManager.DockControlBar(pBar, nDockBarID, lpRect);
    AdjustDockingLayout();
}

CKGPBaseControlBar* CKGPOleCntrFrameWnd::ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                                             CRuntimeClass* pRTCBarType) const
{
    return m_dockManager.BarFromPoint(point, nSensitivity, bExactBar, pRTCBarType, FALSE, nullptr);
}

BOOL CKGPOleCntrFrameWnd::IsPointNearDockEdge(CPoint point, DWORD& dwAlignment, BOOL& bOuterEdge) const
{
    return m_dockManager.IsPointNearDockBar(point, dwAlignment, bOuterEdge);
}

void CKGPOleCntrFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    COleCntrFrameWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        AdjustDockingLayout();
}

void CKGPOleCntrFrameWnd::OnSizing(UINT fwSide, LPRECT pRect)
{
    CRect before;
    GetWindowRect(before);
    COleCntrFrameWnd::OnSizing(fwSide, pRect);
    if (CRect(pRect).Size() != before.Size())
        AdjustDockingLayout();
}

void CKGPOleCntrFrameWnd::OnIdleUpdate()
{
    m_dockManager.SendMessageToMiniFrames(WM_IDLEUPDATECMDUI);
    const CObList& bars = m_dockManager.GetControlBars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        if (auto* pBar = DYNAMIC_DOWNCAST(CWnd, bars.GetNext(pos)); pBar != nullptr && pBar->GetSafeHwnd() != nullptr)
            pBar->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
}

LRESULT CKGPOleCntrFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    OnIdleUpdate();
    return 0;
}
