#include "guilib/docking/KGPControlBarImpl.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPControlBar.h"
#include "guilib/docking/KGPDockGeometry.h"

namespace {

BOOL IsRTL(const CWnd* pWnd)
{
    return (pWnd->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
}

BOOL HasGripper(DWORD style)
{
    return (style & CBRS_GRIPPER) != 0 && (style & CBRS_FLOATING) == 0;
}

} // namespace

void CKGPControlBarImpl::CalcNcSize(CRect& rect) const
{
    const BOOL bHorz = m_pBar->IsHorizontal();
    CRect offsets(0, 0, 0, 0);
    m_pBar->CalcInsideRect(offsets, bHorz);
    if (bHorz && IsRTL(m_pBar) && HasGripper(m_pBar->GetBarStyleWord()))
        offsets.OffsetRect(-KGPDock::kGripperSize, 0);
    rect.left += offsets.left;
    rect.top += offsets.top;
    rect.right += offsets.right;
    rect.bottom += offsets.bottom;
}

void CKGPControlBarImpl::GetGripperRect(CRect& rectGripper, BOOL bClientCoords) const
{
    rectGripper.SetRectEmpty();
    if (m_pBar->GetParentDockBar() == nullptr)
        return;
    CRect window, client;
    m_pBar->GetWindowRect(window);
    m_pBar->GetClientRect(client);
    m_pBar->ClientToScreen(client);
    rectGripper = KGPDock::GripperRect(window, client, m_pBar->IsHorizontal(), IsRTL(m_pBar));
    if (bClientCoords)
        m_pBar->ScreenToClient(rectGripper);
    else
        rectGripper.OffsetRect(-window.left, -window.top);
}

void CKGPControlBarImpl::DrawParentBackground(CDC* pDC)
{
    CRect window, client;
    m_pBar->GetWindowRect(window);
    m_pBar->GetClientRect(client);
    m_pBar->ClientToScreen(client);
    // The global painter works in client coordinates: the window's own origin
    // lies that far before the client origin.
    const CSize clientOffset = client.TopLeft() - window.TopLeft();
    const int saved = pDC->SaveDC();
    ::OffsetWindowOrgEx(pDC->m_hDC, -clientOffset.cx, -clientOffset.cy, nullptr);
    CRect whole(CPoint(-clientOffset.cx, -clientOffset.cy), window.Size());
    GetKGPGlobalData().DrawParentBackground(m_pBar, pDC, whole);
    pDC->RestoreDC(saved);
}

void CKGPControlBarImpl::DrawNcArea()
{
    CWindowDC dc(m_pBar);
    CRect window, client;
    m_pBar->GetWindowRect(window);
    m_pBar->GetClientRect(client);
    m_pBar->ClientToScreen(client);
    client.OffsetRect(-window.left, -window.top);
    window.OffsetRect(-window.left, -window.top);
    dc.ExcludeClipRect(client);
    DrawParentBackground(&dc);

    CKGPVisualManager* pManager = CKGPVisualManager::GetInstance();
    pManager->DrawToolbarNcBorder(&dc, m_pBar, window);
    pManager->FillBarBackground(&dc, m_pBar, window, window, TRUE);
    if (HasGripper(m_pBar->GetBarStyleWord())) {
        CRect gripper;
        GetGripperRect(gripper);
        pManager->DrawBarGripper(&dc, gripper, m_pBar->IsHorizontal(), m_pBar);
    }
}
