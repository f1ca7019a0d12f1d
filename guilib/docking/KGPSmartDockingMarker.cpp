#include "guilib/docking/KGPSmartDockingMarker.h"

#include <afxhandle.h>
#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPDockManager.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CKGPSmartDockingMarker, CObject)
IMPLEMENT_DYNCREATE(CKGPSDCentralGroupMarker, CKGPSmartDockingMarker)
IMPLEMENT_DYNCREATE(CKGPSDCentralGroup, CObject)

namespace {

using kgp::smartdock::Box;

constexpr COLORREF kHighlightFrame = RGB(65, 112, 202);
constexpr UINT kGroupClassStyle = CS_SAVEBITS | CS_OWNDC;

CRect RectOf(const Box& box)
{
    return CRect(box.left, box.top, box.right, box.bottom);
}

// The marker's image slot as the look draws it: 0-3 the sides, 4 the centre.
int SideOf(int id)
{
    return kgp::smartdock::ImageSlot(id);
}

BOOL UseLayered()
{
    return GetKGPGlobalData().IsLayeredWindowSupported();
}

// A marker's window: a topmost pop-up of the frame, layered where layered
// windows work.
BOOL CreateMarkerWindow(CWnd& wnd, LPCTSTR classPrefix, UINT classStyle, const CRect& rect, CWnd* pOwner)
{
    const CString className = RegisterLibraryWindowClass(classPrefix, classStyle);
    const DWORD exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | (UseLayered() ? WS_EX_LAYERED : 0);
    return wnd.CreateEx(exStyle, className, nullptr, WS_POPUP, rect, pOwner, 0);
}

// Gives a window its shape as its region (the window owns it from then on).
void SetShape(CWnd& wnd, HRGN region)
{
    CGdiHandle<HRGN> owner(region);
    if (::SetWindowRgn(wnd.GetSafeHwnd(), owner.Get(), TRUE) != 0)
        (void)owner.Detach();
}

} // namespace

// ---- The marker window.

BEGIN_MESSAGE_MAP(CKGPMarkerBmpWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CKGPMarkerBmpWnd::Create(const CRect& rect, CWnd* pOwner, CKGPSmartDockingMarker* pMarker)
{
    m_pMarker = pMarker;
    return CreateMarkerWindow(*this, _T("KGPSmartDockingMarker"), 0, rect, pOwner);
}

void CKGPMarkerBmpWnd::Highlight(BOOL)
{
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

BOOL CKGPMarkerBmpWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKGPMarkerBmpWnd::OnPaint()
{
    CPaintDC dc(this);
    if (m_pMarker != nullptr)
        m_pMarker->DrawImage(&dc, CPoint(0, 0), m_pMarker->IsHighlighted());
}

// ---- A marker.

CKGPSmartDockingMarker::~CKGPSmartDockingMarker()
{
    if (m_wnd.GetSafeHwnd() != nullptr)
        m_wnd.DestroyWindow();
}

void CKGPSmartDockingMarker::InitImages(const CKGPSmartDockingParams& params)
{
    // The library draws its own images; a set of the frame's own is not kept.
    const int slot = kgp::smartdock::ImageSlot(m_nID);
    m_bDefaultImages = slot < 0 || slot > 4 || params.m_uiMarkerBmpResID[slot] == 0;
    m_clrTransparent = params.m_clrTransparent;
    COLORREF background = 0;
    COLORREF frame = 0;
    CKGPVisualManager::GetInstance()->GetSmartDockingGroupColors(background, frame);
    m_clrBase = params.m_clrToneSrc != static_cast<COLORREF>(-1) && !m_bDefaultImages ? params.m_clrToneSrc
                                                                                       : background;
    m_clrHighlight = params.m_clrToneDest != static_cast<COLORREF>(-1)
                         ? params.m_clrToneDest
                         : CKGPVisualManager::GetInstance()->GetSmartDockingHighlightColor();
    const kgp::smartdock::Size size = kgp::smartdock::kDefaultMarkerSize;
    m_cx = size.cx;
    m_cy = size.cy;
    if (m_wnd.GetSafeHwnd() != nullptr) {
        if (!m_bUseRegion)
            GetKGPGlobalData().SetLayeredAttributes(m_wnd.GetSafeHwnd(), m_clrTransparent, 0, LWA_COLORKEY);
        m_wnd.Invalidate();
    }
}

void CKGPSmartDockingMarker::DrawImage(CDC* pDC, CPoint topLeft, BOOL bHighlighted) const
{
    const CRect rect(topLeft, CSize(m_cx, m_cy));
    CKGPVisualManager::GetInstance()->DrawSmartDockingMarker(pDC, rect, SideOf(m_nID), bHighlighted);
    if (m_bDefaultImages && bHighlighted) {
        const CGdiHandle<HBRUSH> frame(::CreateSolidBrush(kHighlightFrame));
        ::FrameRect(pDC->GetSafeHdc(), rect, frame.Get());
    }
}

BOOL CKGPSmartDockingMarker::Create(int nID, CWnd* pFrame)
{
    Destroy();
    m_nID = nID;
    InitImages(CKGPDockManager::GetSmartDockingParams());
    m_bUseRegion = !UseLayered();
    if (!m_wnd.Create(CRect(0, 0, m_cx, m_cy), pFrame, this))
        return FALSE;
    if (m_bUseRegion)
        SetShape(m_wnd, ::CreateRectRgn(0, 0, m_cx, m_cy));
    else
        GetKGPGlobalData().SetLayeredAttributes(m_wnd.GetSafeHwnd(), m_clrTransparent, 0, LWA_COLORKEY);
    return TRUE;
}

void CKGPSmartDockingMarker::Destroy()
{
    if (m_wnd.GetSafeHwnd() != nullptr)
        m_wnd.DestroyWindow();
    m_bHighlighted = FALSE;
}

BOOL CKGPSmartDockingMarker::IsShown() const
{
    return m_wnd.GetSafeHwnd() != nullptr && (m_wnd.GetStyle() & WS_VISIBLE) != 0;
}

void CKGPSmartDockingMarker::Show(BOOL bShow)
{
    if (m_wnd.GetSafeHwnd() != nullptr)
        m_wnd.ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void CKGPSmartDockingMarker::AdjustPos(const CRect& rectOuter)
{
    if (m_wnd.GetSafeHwnd() == nullptr)
        return;
    const kgp::smartdock::Point at =
        kgp::smartdock::SideMarkerOrigin(m_nID, {rectOuter.left, rectOuter.top, rectOuter.right, rectOuter.bottom},
                                         {m_cx, m_cy});
    m_wnd.SetWindowPos(&CWnd::wndTopMost, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

void CKGPSmartDockingMarker::Highlight(BOOL bOn)
{
    if (m_bHighlighted == bOn)
        return;
    m_bHighlighted = bOn;
    m_wnd.Highlight(bOn);
}

BOOL CKGPSmartDockingMarker::IsPtIn(CPoint ptScreen) const
{
    if (!IsShown())
        return FALSE;
    CRect rect;
    m_wnd.GetWindowRect(rect);
    return rect.PtInRect(ptScreen);
}

// ---- A marker of the central group.

void CKGPSDCentralGroupMarker::CreateInGroup(int nID, CKGPSDCentralGroup* pGroup)
{
    m_nID = nID;
    m_pGroup = pGroup;
    InitImages(CKGPDockManager::GetSmartDockingParams());
    const CSize group = pGroup->GetSize();
    const kgp::smartdock::Point at = kgp::smartdock::GroupMarkerOffset(nID, {group.cx, group.cy}, {m_cx, m_cy});
    m_ptOffset = CPoint(at.x, at.y);
}

void CKGPSDCentralGroupMarker::Highlight(BOOL bOn)
{
    if (m_bHighlighted == bOn)
        return;
    m_bHighlighted = bOn;
    if (m_pGroup != nullptr && m_pGroup->GetWindow().GetSafeHwnd() != nullptr)
        m_pGroup->GetWindow().RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

BOOL CKGPSDCentralGroupMarker::IsPtIn(CPoint ptScreen) const
{
    if (!m_bEnabled || m_pGroup == nullptr || !m_pGroup->IsShown())
        return FALSE;
    CRect rect(m_pGroup->GetRect().TopLeft() + m_ptOffset, CSize(m_cx, m_cy));
    return rect.PtInRect(ptScreen);
}

void CKGPSDCentralGroupMarker::Draw(CDC* pDC)
{
    if (m_bEnabled)
        DrawImage(pDC, m_ptOffset, m_bHighlighted);
}

// ---- The central group.

BEGIN_MESSAGE_MAP(CKGPCentralGroupWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CKGPCentralGroupWnd::Create(const CRect& rect, CWnd* pOwner, CKGPSDCentralGroup* pGroup)
{
    m_pGroup = pGroup;
    return CreateMarkerWindow(*this, _T("KGPSmartDockingGroup"), kGroupClassStyle, rect, pOwner);
}

BOOL CKGPCentralGroupWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKGPCentralGroupWnd::OnPaint()
{
    CPaintDC dc(this);
    if (m_pGroup == nullptr)
        return;
    const CKGPSmartDockingParams& params = CKGPDockManager::GetSmartDockingParams();
    COLORREF background = 0;
    COLORREF frame = 0;
    CKGPVisualManager::GetInstance()->GetSmartDockingGroupColors(background, frame);
    if (params.m_clrBaseBackground != static_cast<COLORREF>(-1))
        background = params.m_clrBaseBackground;
    if (params.m_clrBaseBorder != static_cast<COLORREF>(-1))
        frame = params.m_clrBaseBorder;
    CBrush brBackground(background);
    CBrush brFrame(frame);
    m_pGroup->Draw(&dc, brBackground, brFrame);
}

CKGPSDCentralGroup::~CKGPSDCentralGroup()
{
    Destroy();
}

BOOL CKGPSDCentralGroup::Create(CWnd* pFrame)
{
    if (m_bCreated)
        return TRUE;
    // The library's own images: an 88 x 88 group with a margin of 9.
    m_size = CSize(kgp::smartdock::kDefaultGroupSize.cx, kgp::smartdock::kDefaultGroupSize.cy);
    for (int i = 0; i < 5; ++i)
        m_markers[static_cast<size_t>(i)].CreateInGroup(kgp::smartdock::kGroupLeft + i, this);
    const Box bounds{0, 0, m_size.cx, m_size.cy};
    const auto diamond = kgp::smartdock::GroupDiamond(bounds, kgp::smartdock::kDefaultGroupMargin);
    for (size_t i = 0; i < 4; ++i)
        m_diamond[i] = CPoint(diamond[i].x, diamond[i].y);
    m_bUseRegion = !UseLayered();
    if (!m_wnd.Create(CRect(CPoint(0, 0), m_size), pFrame, this))
        return FALSE;
    if (m_bUseRegion) {
        // The group's shape: its markers and the diamond behind them.
        CGdiHandle<HRGN> shape(::CreatePolygonRgn(m_diamond.data(), 4, WINDING));
        for (CKGPSDCentralGroupMarker& marker : m_markers) {
            const CRect rect(marker.GetOffset(), marker.GetSize());
            CGdiHandle<HRGN> part(::CreateRectRgnIndirect(rect));
            ::CombineRgn(shape.Get(), shape.Get(), part.Get(), RGN_OR);
        }
        SetShape(m_wnd, shape.Detach());
    } else {
        GetKGPGlobalData().SetLayeredAttributes(m_wnd.GetSafeHwnd(),
                                                CKGPDockManager::GetSmartDockingParams().m_clrTransparent, 0,
                                                LWA_COLORKEY);
    }
    m_bCreated = TRUE;
    return TRUE;
}

void CKGPSDCentralGroup::Destroy()
{
    for (CKGPSDCentralGroupMarker& marker : m_markers)
        marker.DestroyInGroup();
    if (m_wnd.GetSafeHwnd() != nullptr)
        m_wnd.DestroyWindow();
    m_bCreated = FALSE;
}

BOOL CKGPSDCentralGroup::IsShown() const
{
    return m_wnd.GetSafeHwnd() != nullptr && (m_wnd.GetStyle() & WS_VISIBLE) != 0;
}

CRect CKGPSDCentralGroup::GetRect() const
{
    CRect rect;
    if (m_wnd.GetSafeHwnd() != nullptr)
        m_wnd.GetWindowRect(rect);
    return rect;
}

void CKGPSDCentralGroup::Show(BOOL bShow)
{
    if (m_wnd.GetSafeHwnd() != nullptr)
        m_wnd.ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
}

BOOL CKGPSDCentralGroup::AdjustPos(const CRect& rect, BOOL bHighlight)
{
    if (m_wnd.GetSafeHwnd() == nullptr)
        return FALSE;
    if (m_bHighlighted != bHighlight) {
        m_bHighlighted = bHighlight;
        m_wnd.Invalidate();
    }
    const CRect target = RectOf(kgp::smartdock::GroupBoxOver({rect.left, rect.top, rect.right, rect.bottom},
                                                             {m_size.cx, m_size.cy}));
    if (target.TopLeft() == GetRect().TopLeft())
        return FALSE;
    m_wnd.SetWindowPos(&CWnd::wndTopMost, target.left, target.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

CKGPSDCentralGroupMarker* CKGPSDCentralGroup::GetMarker(int nID)
{
    if (!kgp::smartdock::IsGroupMarker(nID))
        return nullptr;
    return &m_markers[static_cast<size_t>(nID - kgp::smartdock::kGroupLeft)];
}

void CKGPSDCentralGroup::Draw(CDC* pDC, CBrush& brBackground, CBrush& brFrame)
{
    HDC dc = pDC->GetSafeHdc();
    const CRect bounds(CPoint(0, 0), m_size);
    const CGdiHandle<HBRUSH> transparent(
        ::CreateSolidBrush(CKGPDockManager::GetSmartDockingParams().m_clrTransparent));
    ::FillRect(dc, bounds, transparent.Get());
    {
        const CGdiHandle<HPEN> pen(::CreatePen(PS_SOLID, 1, m_bHighlighted ? kHighlightFrame : RGB(0, 0, 0)));
        CSelectionScope brush(dc, brBackground.GetSafeHandle());
        CSelectionScope penScope(dc, pen.Get());
        ::Polygon(dc, m_diamond.data(), 4);
    }
    CGdiHandle<HRGN> outline(::CreatePolygonRgn(m_diamond.data(), 4, WINDING));
    ::FrameRgn(dc, outline.Get(), static_cast<HBRUSH>(brFrame.GetSafeHandle()), 1, 1);
    for (CKGPSDCentralGroupMarker& marker : m_markers)
        marker.Draw(pDC);
}
