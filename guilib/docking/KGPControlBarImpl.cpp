#include "guilib/docking/KGPControlBarImpl.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMemDC.h"
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
    // The gripper stands at a bar's leading edge: the screen's right under
    // right-to-left layout, taken from the right by CalcInsideRect. The
    // rectangle sized here is in the parent's coordinates, mirrored there
    // (they grow to the screen's left): the gripper's room moves to their left.
    if (bHorz && IsRTL(m_pBar) && HasGripper(m_pBar->GetBarStyleWord()))
        offsets.OffsetRect(KGPDock::kGripperSize, 0);
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
    client.NormalizeRect();
    const BOOL bRTL = IsRTL(m_pBar);
    rectGripper = KGPDock::GripperRect(window, client, m_pBar->IsHorizontal(), bRTL);
    if (bClientCoords) {
        m_pBar->ScreenToClient(rectGripper);
        rectGripper.NormalizeRect();
    } else if (bRTL) {
        // Mirrored window coordinates: from the window's top-right corner.
        rectGripper = CRect(window.right - rectGripper.right, rectGripper.top - window.top,
                            window.right - rectGripper.left, rectGripper.bottom - window.top);
    } else {
        rectGripper.OffsetRect(-window.left, -window.top);
    }
}

void CKGPControlBarImpl::DrawParentBackground(CDC* pDC)
{
    if (IsRTL(m_pBar)) {
        DrawParentBackgroundMirrored(pDC);
        return;
    }
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

// The bar's device context is mirrored and the parent's coordinates do not
// map onto it by an offset: the parent paints into a bitmap laid out as its
// own device context, as wide as from the window's left edge to the parent's
// far edge, so that its first columns are the window's, in the screen's
// order; they go into the bar's context unmirrored. (Only the vertical
// origin is moved: a mirrored context's horizontal one is not the same
// everywhere.)
void CKGPControlBarImpl::DrawParentBackgroundMirrored(CDC* pDC)
{
    const HWND hParent = ::GetParent(m_pBar->GetSafeHwnd());
    CRect window;
    m_pBar->GetWindowRect(window);
    if (hParent == nullptr || window.IsRectEmpty())
        return;
    CRect parent;
    ::GetClientRect(hParent, &parent);
    ::MapWindowPoints(hParent, nullptr, reinterpret_cast<POINT*>(&parent), 2);
    const BOOL bParentRTL = (::GetWindowLongW(hParent, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    const int width = bParentRTL ? parent.right - window.left : window.Width();
    CDC memory;
    CBitmap bitmap;
    if (width < window.Width() || !memory.CreateCompatibleDC(pDC) ||
        !CreatePaintBufferBitmap(bitmap, width, window.Height()))
        return;
    const CSelectionScope selected(memory.m_hDC, bitmap.m_hObject);
    ::SetLayout(memory.m_hDC, bParentRTL ? LAYOUT_RTL : 0);
    const CPoint at(bParentRTL ? 0 : window.left - parent.left, window.top - parent.top);
    ::SetWindowOrgEx(memory.m_hDC, at.x, at.y, nullptr);
    GetKGPGlobalData().PaintParent(hParent, &memory, CRect(at, CSize(width, window.Height())));
    ::SetWindowOrgEx(memory.m_hDC, 0, 0, nullptr);
    ::SetLayout(memory.m_hDC, 0);
    const DWORD layout = ::SetLayout(pDC->m_hDC, 0);
    ::BitBlt(pDC->m_hDC, 0, 0, window.Width(), window.Height(), memory.m_hDC, 0, 0, SRCCOPY);
    ::SetLayout(pDC->m_hDC, layout);
}

void CKGPControlBarImpl::DrawNcArea()
{
    CWindowDC dc(m_pBar);
    DrawNcArea(&dc);
}

void CKGPControlBarImpl::DrawNcArea(CDC* pDC)
{
    CDC& dc = *pDC;
    CRect window, client;
    m_pBar->GetWindowRect(window);
    m_pBar->GetClientRect(client);
    m_pBar->ClientToScreen(client);
    client.NormalizeRect();
    // In window coordinates: from the window's top-left corner, or under
    // right-to-left layout (the device context is mirrored) from its
    // top-right one.
    client.OffsetRect(IsRTL(m_pBar) ? window.right - client.right - client.left : -window.left, -window.top);
    window.OffsetRect(-window.left, -window.top);
    const int saved = dc.SaveDC();
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
    dc.RestoreDC(saved);
}
