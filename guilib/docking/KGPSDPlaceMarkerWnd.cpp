#include "guilib/docking/KGPSDPlaceMarkerWnd.h"

#include <afxhandle.h>

#include "guilib/core/KGPDrawManager.h"
#include "guilib/core/KGPGlobalData.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPSmartDockingGeometry.h"

BEGIN_MESSAGE_MAP(CKGPSDPlaceMarkerWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

constexpr BYTE kPlaceMarkerAlpha = 100;
constexpr int kOutlineWidth = 4;

// Without a compositor a translucent window shows opaque: the marker is then
// drawn as an outline of the place, which leaves what lies there in view.
BOOL DrawsOutline()
{
    return !GetKGPGlobalData().IsDwmCompositionEnabled();
}

// The region of the body and its tab (window coordinates), only their
// outline when the marker is drawn as one; the caller owns it.
HRGN ShapeOf(const CRect& body, const CRect& tab = CRect())
{
    const kgp::smartdock::TabbedPlace place{{body.left, body.top, body.right, body.bottom},
                                            {tab.left, tab.top, tab.right, tab.bottom}};
    CGdiHandle<HRGN> shape(::CreateRectRgn(0, 0, 0, 0));
    auto add = [&shape](const kgp::Box& part) {
        if (part.IsEmpty())
            return;
        CGdiHandle<HRGN> piece(::CreateRectRgn(part.left, part.top, part.right, part.bottom));
        ::CombineRgn(shape.Get(), shape.Get(), piece.Get(), RGN_OR);
    };
    if (DrawsOutline()) {
        for (const kgp::Box& band : kgp::smartdock::OutlineBands(place, kOutlineWidth))
            add(band);
    } else {
        add(place.body);
        add(place.tab);
    }
    return shape.Detach();
}

} // namespace

BOOL CKGPSDPlaceMarkerWnd::Create(CWnd* pFrame)
{
    m_pFrame = pFrame;
    m_clrMarker = CKGPDockManager::GetSmartDockingParams().m_bUseThemeColorInShading
                      ? GetKGPGlobalData().clrActiveCaption
                      : RGB(47, 103, 190);
    const CWindowDCHandle screen(nullptr);
    const int bits = screen ? ::GetDeviceCaps(screen.Get(), BITSPIXEL) : 0;
    m_bLayered = GetKGPGlobalData().IsLayeredWindowSupported() && bits > 8;
    const CString className = RegisterLibraryWindowClass(_T("KGPPlaceMarker"), 0);
    const DWORD exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | (m_bLayered ? WS_EX_LAYERED : 0);
    if (!CWnd::CreateEx(exStyle, className, nullptr, WS_POPUP, CRect(0, 0, 0, 0), pFrame, 0))
        return FALSE;
    if (m_bLayered)
        GetKGPGlobalData().SetLayeredAttributes(m_hWnd, 0, kPlaceMarkerAlpha, LWA_ALPHA);
    return TRUE;
}

void CKGPSDPlaceMarkerWnd::MoveTo(const CRect& rect, HRGN shape)
{
    CGdiHandle<HRGN> owner(shape);
    if (::SetWindowRgn(m_hWnd, owner.Get(), FALSE) != 0)
        (void)owner.Detach();
    SetWindowPos(&CWnd::wndTopMost, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_bShown = TRUE;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CKGPSDPlaceMarkerWnd::ShowAt(const CRect& rect)
{
    if (GetSafeHwnd() == nullptr || (m_bShown && !m_bTabbedShape && rect == m_rectLast))
        return;
    m_bTabbedShape = FALSE;
    m_rectTab.SetRectEmpty();
    m_rectLast = rect;
    MoveTo(rect, ShapeOf(CRect(CPoint(0, 0), rect.Size())));
}

void CKGPSDPlaceMarkerWnd::ShowTabbedAt(const CRect& rect, int nTabOffset, int nTabWidth, int nTabHeight,
                                        BOOL bTabsOnTop)
{
    if (GetSafeHwnd() == nullptr)
        return;
    CRect tab(rect.left + nTabOffset, rect.bottom, rect.left + nTabOffset + nTabWidth, rect.bottom + nTabHeight);
    if (bTabsOnTop)
        tab.OffsetRect(0, -rect.Height() - nTabHeight);
    if (m_bShown && m_bTabbedShape && rect == m_rectLast && tab == m_rectTab)
        return;
    m_bTabbedShape = TRUE;
    m_rectLast = rect;
    m_rectTab = tab;
    CRect whole;
    whole.UnionRect(rect, tab);
    // The body and its tab, in the window's own coordinates.
    CRect body = rect;
    body.OffsetRect(-whole.left, -whole.top);
    tab.OffsetRect(-whole.left, -whole.top);
    MoveTo(whole, ShapeOf(body, tab));
}

void CKGPSDPlaceMarkerWnd::Hide()
{
    if (GetSafeHwnd() == nullptr || !m_bShown)
        return;
    ShowWindow(SW_HIDE);
    if (m_pFrame != nullptr && m_pFrame->GetSafeHwnd() != nullptr) {
        CRect under = m_rectLast;
        under.UnionRect(under, m_rectTab);
        m_pFrame->ScreenToClient(under);
        m_pFrame->RedrawWindow(under, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    m_bShown = FALSE;
    m_bTabbedShape = FALSE;
    m_rectLast.SetRectEmpty();
    m_rectTab.SetRectEmpty();
}

BOOL CKGPSDPlaceMarkerWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKGPSDPlaceMarkerWnd::OnPaint()
{
    CPaintDC dc(this);
    ++m_nPaints;
    CRect client;
    GetClientRect(client);
    if (m_bLayered) {
        const CGdiHandle<HBRUSH> brush(::CreateSolidBrush(CKGPDrawManager::ScaleColor(m_clrMarker, 105)));
        ::FillRect(dc.GetSafeHdc(), client, brush.Get());
        return;
    }
    // Without translucency the place shows through an inverting pattern.
    const COLORREF inverse = RGB(255 - GetRValue(m_clrMarker), 255 - GetGValue(m_clrMarker),
                                 255 - GetBValue(m_clrMarker));
    const CGdiHandle<HBRUSH> brush(::CreateSolidBrush(CKGPDrawManager::ScaleColor(inverse, 50)));
    CSelectionScope selected(dc.GetSafeHdc(), brush.Get());
    ::PatBlt(dc.GetSafeHdc(), client.left, client.top, client.Width(), client.Height(), PATINVERT);
}
