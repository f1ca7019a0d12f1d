// CDockContext: dragging a bar to an edge of its frame or off it.
#include <afxwin.h>
#include <afxext.h>

#include <algorithm>

namespace {

// How far from an edge of the frame's client area a dragged bar docks there,
// when the dock bar at that edge is thinner.
constexpr int kDockZone = 32;

struct DockZone {
    DWORD align;
    UINT id;
};

constexpr DockZone kZones[] = {
    {CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP},
    {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM},
    {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
    {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT},
};

// Screen point of a mouse message sent to hWnd.
CPoint ScreenPoint(HWND hWnd, LPARAM lParam)
{
    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ::ClientToScreen(hWnd, &pt);
    return CPoint(pt.x, pt.y);
}

} // namespace

CDockContext::CDockContext(CControlBar* pBar) : m_pBar(pBar), m_pDockSite(pBar->m_pDockSite) {}

CDockBar* CDockContext::DockBarAt(CPoint ptScreen) const
{
    CFrameWnd* pSite = m_pDockSite != nullptr ? m_pDockSite : m_pBar->m_pDockSite;
    if (pSite == nullptr || pSite->m_hWnd == nullptr)
        return nullptr;
    CRect client;
    pSite->GetClientRect(&client);
    pSite->ClientToScreen(&client);
    if (!client.PtInRect(ptScreen))
        return nullptr;
    for (const DockZone& zone : kZones) {
        CDockBar* pDockBar = pSite->GetDockBar(zone.id);
        if ((m_pBar->m_dwDockStyle & zone.align) == 0 || pDockBar == nullptr)
            continue;
        CRect dock;
        pDockBar->GetWindowRect(&dock);
        const int width = std::max(kDockZone, dock.Width());
        const int height = std::max(kDockZone, dock.Height());
        CRect area = client;
        switch (zone.align) {
        case CBRS_ALIGN_TOP:
            area.bottom = area.top + height;
            break;
        case CBRS_ALIGN_BOTTOM:
            area.top = area.bottom - height;
            break;
        case CBRS_ALIGN_LEFT:
            area.right = area.left + width;
            break;
        default:
            area.left = area.right - width;
            break;
        }
        if (area.PtInRect(ptScreen))
            return pDockBar;
    }
    return nullptr;
}

void CDockContext::BeginDrag(CPoint ptScreen)
{
    m_pDockSite = m_pBar->m_pDockSite;
    m_ptStart = ptScreen;
    m_pBar->GetWindowRect(&m_rectStart);
    m_rectDrag = m_rectStart;
    m_rectLast.SetRectEmpty();
    m_bDragging = TRUE;
    DrawDragRect(FALSE);
}

void CDockContext::MoveDrag(CPoint ptScreen)
{
    if (!m_bDragging)
        return;
    m_rectDrag = m_rectStart;
    m_rectDrag.OffsetRect(ptScreen - m_ptStart);
    m_ptStart = ptScreen;
    m_rectStart = m_rectDrag;
    DrawDragRect(FALSE);
}

void CDockContext::EndDrag(BOOL bAccept)
{
    if (!m_bDragging)
        return;
    DrawDragRect(TRUE);
    m_bDragging = FALSE;
    if (::GetCapture() == m_pBar->m_hWnd)
        ::ReleaseCapture();
    if (!bAccept || m_pDockSite == nullptr)
        return;
    if (CDockBar* pDockBar = DockBarAt(m_ptStart)) {
        m_pDockSite->DockControlBar(m_pBar, static_cast<UINT>(pDockBar->GetDlgCtrlID()), &m_rectDrag);
    } else {
        m_pDockSite->FloatControlBar(m_pBar, m_rectDrag.TopLeft());
    }
}

void CDockContext::StartDrag(CPoint ptScreen)
{
    BeginDrag(ptScreen);
    m_pBar->SetCapture();
    while (m_bDragging && ::GetCapture() == m_pBar->m_hWnd) {
        MSG msg;
        if (::GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            EndDrag(FALSE);
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        switch (msg.message) {
        case WM_MOUSEMOVE:
            MoveDrag(ScreenPoint(msg.hwnd, msg.lParam));
            break;
        case WM_LBUTTONUP:
            MoveDrag(ScreenPoint(msg.hwnd, msg.lParam));
            EndDrag(TRUE);
            return;
        case WM_RBUTTONDOWN:
            EndDrag(FALSE);
            return;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE) {
                EndDrag(FALSE);
                return;
            }
            break;
        default:
            ::DispatchMessageW(&msg);
            break;
        }
    }
    EndDrag(FALSE); // the capture went elsewhere
}

void CDockContext::ToggleDocking()
{
    if (m_pBar->m_pDockSite == nullptr)
        return;
    m_pDockSite = m_pBar->m_pDockSite;
    if (m_pBar->IsFloating()) {
        UINT nID = m_uMRUDockID;
        if (nID == 0)
            for (const DockZone& zone : kZones)
                if ((m_pBar->m_dwDockStyle & zone.align) && m_pDockSite->GetDockBar(zone.id) != nullptr) {
                    nID = zone.id;
                    break;
                }
        m_pDockSite->DockControlBar(m_pBar, nID, m_rectMRUDockPos.IsRectEmpty() ? nullptr : &m_rectMRUDockPos);
        return;
    }
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    CPoint pt = m_ptMRUFloatPos.x == -1 && m_ptMRUFloatPos.y == -1 ? rect.TopLeft() + CPoint(24, 24)
                                                                    : m_ptMRUFloatPos;
    m_pDockSite->FloatControlBar(m_pBar, pt);
}

void CDockContext::DrawDragRect(BOOL bErase)
{
    // Halftone frame on the screen: thick where the bar would float, thin where it docks.
    CWindowDC dc(static_cast<HWND>(nullptr));
    if (dc.m_hDC == nullptr)
        return;
    const CSize size = DockBarAt(m_ptStart) != nullptr ? CSize(1, 1) : CSize(3, 3);
    const CRect* pLast = m_rectLast.IsRectEmpty() ? nullptr : &m_rectLast;
    dc.DrawDragRect(bErase ? nullptr : &m_rectDrag, size, pLast, m_sizeLast);
    m_rectLast = bErase ? CRect(0, 0, 0, 0) : m_rectDrag;
    m_sizeLast = size;
}
