#include "guilib/docking/KGPControlBar.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/docking/KGPTabbedDocumentLink.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPRegistry.h"
#include "guilib/core/KGPStoredState.h"
#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockBarRow.h"
#include "guilib/docking/KGPDockDecision.h"
#include "guilib/docking/KGPDockGeometry.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPTabbedBarLink.h"

#include <memory>

IMPLEMENT_DYNCREATE(CKGPControlBar, CKGPBaseControlBar)

BEGIN_MESSAGE_MAP(CKGPControlBar, CKGPBaseControlBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_CHAR()
    ON_WM_CONTEXTMENU()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_STYLECHANGED()
END_MESSAGE_MAP()

namespace {

constexpr LPCTSTR kControlBarClass = _T("KGPControlBar");
// A button-up that ends the bar's own drag but keeps its drag window (the new
// floating frame carries the drag on).
constexpr UINT kKeepDragWindow = 0xFFFF;

} // namespace

CKGPControlBar::CKGPControlBar() : m_recentDockInfo(this), m_pMiniFrameRTC(RUNTIME_CLASS(CKGPMiniFrameWnd))
{
}

BOOL CKGPControlBar::Create(LPCTSTR lpszClassName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                            DWORD dwBarStyle, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, dwStyle, rect, pParentWnd, nID, dwBarStyle, pContext);
}

BOOL CKGPControlBar::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, DWORD dwStyle, const RECT& rect,
                              CWnd* pParentWnd, UINT nID, DWORD dwBarStyle, CCreateContext* pContext)
{
    const CString className = lpszClassName != nullptr
                                  ? CString(lpszClassName)
                                  : RegisterLibraryWindowClass(kControlBarClass, CS_DBLCLKS,
                                                               GetKGPGlobalData().GetArrowCursor());
    m_nID = nID;
    if (!CreateBar(dwExStyle, className, nullptr, dwStyle | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect, pParentWnd, nID,
                   dwBarStyle, pContext))
        return FALSE;
    CRect screen(rect);
    if (pParentWnd != nullptr)
        pParentWnd->ClientToScreen(screen);
    if (m_recentDockInfo.m_rectRecentDockedRect.IsRectEmpty())
        m_recentDockInfo.m_rectRecentDockedRect = screen;
    if (m_recentDockInfo.GetRecentContainerRect(FALSE).IsRectEmpty())
        m_recentDockInfo.GetRecentContainerRect(FALSE) = screen;
    if (!screen.IsRectEmpty())
        m_recentDockInfo.m_rectRecentFloatingRect = screen;
    SetOwner(pParentWnd);
    UpdateVirtualRect();
    if ((m_dwBarStyle & KGP_BARSTYLE_FLOAT) != 0 && CanFloat())
        m_dragFrameImpl.Init(this);
    return GetSafeHwnd() != nullptr;
}

CSize CKGPControlBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    if (m_sizeFixed == CSize(0, 0))
        return CSize(0, 0);
    return bHorz ? m_sizeFixed : CSize(m_sizeFixed.cy, m_sizeFixed.cx);
}

BOOL CKGPControlBar::IsTabbed() const
{
    HWND hwndTab = nullptr;
    return GetTabWindow(hwndTab) != nullptr;
}

BOOL CKGPControlBar::CanBeDocked(CKGPBaseControlBar* pDockBar) const
{
    return pDockBar != nullptr && (pDockBar->GetCurrentAlignment() & m_dwEnabledAlign) != 0;
}

BOOL CKGPControlBar::IsInMDITabMode() const
{
    if (IsAutoHideMode())
        return FALSE;
    const IKGPTabbedDocumentLink* pLink = CKGPLink<IKGPTabbedDocumentLink>::Get();
    return pLink != nullptr && pLink->IsInMDITabMode(GetDockSiteFrame());
}

// ---- Borders and the non-client area.

void CKGPControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

void CKGPControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    KGPDock::BarFrameMetrics metrics;
    metrics.borders = CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
    metrics.style = m_dwStyle;
    metrics.bHorz = bHorz;
    metrics.bFloating = IsFloating();
    metrics.bTabbed = IsTabbed();
    metrics.bRTL = GetSafeHwnd() != nullptr && (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    KGPDock::CalcInsideRect(rect, metrics);
}

CSize CKGPControlBar::CalcNonClientSize(BOOL bHorz) const
{
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, bHorz);
    return CSize(inside.left - inside.right, inside.top - inside.bottom);
}

void CKGPControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect client(lpncsp->rgrc[0]);
    m_barImpl.CalcNcSize(client);
    // Never inside out: a bar narrower than its borders keeps an empty client area.
    client.right = (std::max)(client.left, client.right);
    client.bottom = (std::max)(client.top, client.bottom);
    lpncsp->rgrc[0] = client;
}

void CKGPControlBar::OnNcPaint()
{
    m_barImpl.DrawNcArea();
}

void CKGPControlBar::RecalcNcFrame()
{
    SetCurrentAlignment(CBRS_ALIGN_TOP);
    if (CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame()) {
        pMiniFrame->SetPinState(m_nPinState);
        pMiniFrame->SetWindowPos(HWND{}, 0, 0, 0, 0,
                                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if (GetKGPGlobalData().m_bNoWindowRegions)
        ::SetWindowRgn(m_hWnd, nullptr, FALSE);
}

// ---- The full-size (virtual) rectangle.

void CKGPControlBar::UpdateVirtualRect()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CRect window;
    GetWindowRect(window);
    const CSize size = CalcFixedLayout(FALSE, IsHorizontal());
    m_rectVirtual = CRect(window.TopLeft(), size == CSize(0, 0) ? window.Size() : size);
    if (CWnd* pParent = GetParent())
        pParent->ScreenToClient(m_rectVirtual);
}

void CKGPControlBar::SetVirtualRect(int cx, int cy)
{
    if (GetSafeHwnd() == nullptr)
        return;
    CRect window;
    GetWindowRect(window);
    m_rectVirtual = CRect(window.TopLeft(), CSize(cx, cy));
    if (CWnd* pParent = GetParent())
        pParent->ScreenToClient(m_rectVirtual);
}

void CKGPControlBar::SetVirtualLength(int nLength)
{
    if (IsHorizontal())
        m_rectVirtual.right = m_rectVirtual.left + nLength;
    else
        m_rectVirtual.bottom = m_rectVirtual.top + nLength;
}

void CKGPControlBar::GetVirtualRectScreen(CRect& rect) const
{
    rect = m_rectVirtual;
    if (CWnd* pParent = GetParent())
        pParent->ClientToScreen(rect);
}

void CKGPControlBar::OffsetVirtualRect(int dx, int dy)
{
    CWnd* pParent = GetParent();
    if (IsHorizontal() && pParent != nullptr && (pParent->GetExStyle() & WS_EX_LAYOUTRTL) != 0)
        dx = -dx;
    m_rectVirtual.OffsetRect(dx, dy);
}

BOOL CKGPControlBar::MoveVirtualRectByAlignment(DWORD dwAlignment, int nOffset)
{
    if (nOffset == 0 || GetSafeHwnd() == nullptr)
        return FALSE;
    const BOOL bAlongX = (dwAlignment & CBRS_ORIENT_VERT) != 0;
    CRect window;
    GetWindowRect(window);
    if (CWnd* pParent = GetParent())
        pParent->ScreenToClient(window);
    window.OffsetRect(bAlongX ? nOffset : 0, bAlongX ? 0 : nOffset);
    m_rectVirtual.OffsetRect(bAlongX ? nOffset : 0, bAlongX ? 0 : nOffset);
    SetWindowPos(HWND{}, window.left, window.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
    return TRUE;
}

BOOL CKGPControlBar::IsBefore(CPoint point, BOOL bScreen) const
{
    if (m_pParentDockBar == nullptr)
        return TRUE;
    CRect window;
    GetWindowRect(window);
    if (!bScreen)
        m_pParentDockBar->ClientToScreen(&point);
    return m_pParentDockBar->IsHorizontal() ? point.x < window.left : point.y < window.top;
}

// ---- Recent places.

void CKGPControlBar::StoreRecentDockedRect()
{
    // A closed page of a tabbed pane keeps the place it has: nothing lays its
    // window out while it is closed, so the window keeps the size of the day
    // it closed wherever the tabbed pane goes since, and may reach beyond the
    // desktop (where a load refuses a docked place, and the layout with it).
    if (IsTabbed() && (GetStyle() & WS_VISIBLE) == 0)
        return;
    CRect window;
    GetWindowRect(window);
    CWnd* pHost = m_pParentDockBar != nullptr ? static_cast<CWnd*>(m_pParentDockBar) : GetDockSiteFrame();
    if (pHost != nullptr)
        pHost->ScreenToClient(window);
    m_recentDockInfo.m_rectRecentDockedRect = window;
}

void CKGPControlBar::StoreRecentDockInfo()
{
    m_recentDockInfo.SetRecentDockBar(m_pParentDockBar);
    m_recentDockInfo.m_pRecentDockBarRow = m_pDockBarRow;
    m_recentDockInfo.m_nRecentRowIndex =
        m_pParentDockBar != nullptr ? m_pParentDockBar->GetRowIndex(m_pDockBarRow) : 0;
    if (m_pParentDockBar != nullptr)
        m_recentDockInfo.m_dwRecentAlignmentToFrame = m_pParentDockBar->GetCurrentAlignment();
    StoreRecentDockedRect();
}

// ---- Stretching inside a row.

int CKGPControlBar::GetExpandableSize() const
{
    CRect window;
    GetWindowRect(window);
    const int now = IsHorizontal() ? window.Width() : window.Height();
    const int full = IsHorizontal() ? m_rectVirtual.Width() : m_rectVirtual.Height();
    return (std::max)(0, full - now);
}

int CKGPControlBar::GetAvailableShrink() const
{
    CRect window;
    GetWindowRect(window);
    CSize minSize;
    GetMinSize(minSize);
    return IsHorizontal() ? window.Width() - minSize.cx : window.Height() - minSize.cy;
}

int CKGPControlBar::StretchBar(int nDelta)
{
    if (nDelta >= 1)
        nDelta = (std::min)(nDelta, GetExpandableSize());
    else if (-nDelta > GetAvailableShrink())
        nDelta = -GetAvailableShrink();
    if (GetSafeHwnd() != nullptr)
        OnBeforeStretch(nDelta);
    if (nDelta == 0 || GetSafeHwnd() == nullptr)
        return 0;
    CRect window;
    GetWindowRect(window);
    if (IsHorizontal())
        window.right += nDelta;
    else
        window.bottom += nDelta;
    if (CWnd* pParent = GetParent())
        pParent->ScreenToClient(window);
    MoveBarTo(window, TRUE);
    OnAfterStretch(nDelta);
    return nDelta;
}

CSize CKGPControlBar::CalcSizeChange(CRect rect) const
{
    CSize minSize;
    GetMinSize(minSize);
    rect.right = (std::max)(rect.right, rect.left + minSize.cx);
    rect.bottom = (std::max)(rect.bottom, rect.top + minSize.cy);
    CRect window;
    GetWindowRect(window);
    return CSize(rect.Width() - window.Width(), rect.Height() - window.Height());
}

CSize CKGPControlBar::ResizeToRect(CRect rect, BOOL bIgnoreMin)
{
    CRect window;
    GetWindowRect(window);
    if (!bIgnoreMin) {
        CSize minSize;
        GetMinSize(minSize);
        if (rect.Width() < minSize.cx) {
            if (rect.left == window.left || rect.right != window.right)
                rect.right = rect.left + minSize.cx;
            else
                rect.left = rect.right - minSize.cx;
        }
        if (rect.Height() < minSize.cy) {
            if (rect.top == window.top || rect.bottom != window.bottom)
                rect.bottom = rect.top + minSize.cy;
            else
                rect.top = rect.bottom - minSize.cy;
        }
    }
    const CSize change(rect.Width() - window.Width(), rect.Height() - window.Height());
    if (CWnd* pParent = GetParent())
        pParent->ScreenToClient(rect);
    MoveBarTo(rect, TRUE);
    return change;
}

void CKGPControlBar::AdjustLayout()
{
    // (A bar inside a rebar is sized by the rebar, which the rebar's issue brings.)
    if (GetSafeHwnd() == nullptr)
        return;
    const CSize size = CalcFixedLayout(FALSE, IsHorizontal());
    CRect window;
    GetWindowRect(window);
    if (size != CSize(0, 0) && window.Size() != size)
        SetWindowPos(HWND{}, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (IsDocked() && m_pDockBarRow != nullptr) {
        UpdateVirtualRect();
        m_pDockBarRow->ArrangeBars(this);
        if (CFrameWnd* pFrame = GetTopLevelFrame())
            pFrame->RecalcLayout();
    }
}

void CKGPControlBar::AdjustHostLayout()
{
    if (m_pDockBarRow != nullptr) {
        UpdateVirtualRect();
        return;
    }
    if (IsFloating() && !IsTabbed()) {
        if (CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame())
            pMiniFrame->AdjustLayout();
    }
}

// ---- Leaving and joining dock bars and floating frames.

void CKGPControlBar::RemoveFromDockBar()
{
    if (m_pParentDockBar != nullptr)
        m_pParentDockBar->RemoveControlBar(this);
}

void CKGPControlBar::OnRemoveFromDock(BOOL bNoLayout)
{
    RemoveFromDockBar();
    if (!bNoLayout)
        AdjustDockingLayout();
}

void CKGPControlBar::OnAfterChangeParent(CWnd*)
{
    UpdateVirtualRect();
    CWnd* pParent = GetParent();
    if (pParent == nullptr || !pParent->IsKindOf(RUNTIME_CLASS(CKGPDockBar))) {
        m_pParentDockBar = nullptr;
        m_pDockBarRow = nullptr;
    }
}

void CKGPControlBar::MoveToNewParent(CWnd* pNewParent, KGPDockMethod method)
{
    CWnd* pOldParent = GetParent();
    RemoveFromDockBar();
    if (CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame()) {
        pMiniFrame->RemoveControlBar(this, FALSE, FALSE);
        if (method == KGP_DM_MOUSE) {
            // The floating frame's drag ends; the frame goes when this drag does.
            if (m_hwndMiniFrameToBeClosed == nullptr)
                m_hwndMiniFrameToBeClosed = pMiniFrame->GetSafeHwnd();
            pMiniFrame->SendMessage(WM_LBUTTONUP);
        }
    }
    if (pNewParent != nullptr && GetParent() != pNewParent)
        SetParent(pNewParent);
    OnAfterChangeParent(pOldParent);
}

void CKGPControlBar::PrepareToDock(CKGPDockBar* pDockBar, KGPDockMethod method)
{
    // It leaves the dock bar or floating frame it was in before it joins this one.
    MoveToNewParent(pDockBar, method);
    m_pParentDockBar = pDockBar;
    m_dwStyle = (m_dwStyle & ~CBRS_FLOATING) | CBRS_BORDER_ANY;
    if (pDockBar != nullptr)
        SetCurrentAlignment(pDockBar->GetCurrentAlignment());
}

BOOL CKGPControlBar::OnBeforeDock(CKGPBaseControlBar**, LPCRECT, KGPDockMethod)
{
    if (CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame())
        m_nPinState = pMiniFrame->GetPinState();
    return TRUE;
}

BOOL CKGPControlBar::DockToBar(CKGPBaseControlBar* pDockBar, LPCRECT lpRect, KGPDockMethod method)
{
    if (!OnBeforeDock(&pDockBar, lpRect, method))
        return FALSE;
    if (!DockControlBar(pDockBar, lpRect, method))
        return FALSE;
    OnAfterDock(pDockBar, lpRect, method);
    return TRUE;
}

BOOL CKGPControlBar::DockControlBar(CKGPBaseControlBar* pBar, LPCRECT lpRect, KGPDockMethod method)
{
    auto* pDockBar = DYNAMIC_DOWNCAST(CKGPDockBar, pBar);
    if (method == KGP_DM_DBLCLICK) {
        pDockBar = m_recentDockInfo.GetRecentDockBar();
        if (pDockBar == nullptr) {
            // The dock bar it came from is gone: the edge it lay on takes it.
            CKGPDockManager* pManager = GetDockManager();
            if (pManager == nullptr)
                return FALSE;
            CKGPDockBar* pEdge = pManager->FindDockBar(m_recentDockInfo.m_dwRecentAlignmentToFrame, TRUE);
            if (pEdge == nullptr || !CanBeDocked(pEdge))
                pEdge = nullptr;
            pManager->DockControlBar(this, pEdge != nullptr ? pEdge->GetDockBarID() : 0, nullptr);
            return TRUE;
        }
    }
    if (pDockBar == nullptr || !CanBeDocked(pDockBar) || !pDockBar->CanAcceptBar(this))
        return FALSE;
    CRect window;
    GetWindowRect(window);
    CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame();
    const BOOL bContinueDrag = pMiniFrame == nullptr || pMiniFrame->IsMoving();
    // Docked by the mouse, it lands where the cursor holds its frame (not
    // where the frame stood before the moves it has yet to follow).
    if (pMiniFrame != nullptr && method == KGP_DM_MOUSE)
        window.OffsetRect(pMiniFrame->GetMoveBehindCursor());
    PrepareToDock(pDockBar, method);
    if (method == KGP_DM_MOUSE) {
        pDockBar->DockControlBar(this, method, window);
        if (bContinueDrag)
            EnterDragModeNoOffset();
        return TRUE;
    }
    pDockBar->DockControlBar(this, method, lpRect);
    return TRUE;
}

CKGPMiniFrameWnd* CKGPControlBar::CreateFloatingFrame(CRect rect, KGPDockMethod)
{
    if (m_pMiniFrameRTC == nullptr)
        return nullptr;
    std::unique_ptr<CObject> pObject(m_pMiniFrameRTC->CreateObject());
    auto* pMiniFrame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, pObject.get());
    if (pMiniFrame == nullptr)
        return nullptr;
    pObject.release(); // the creation takes it over
    CWnd* pParent = GetDockSiteFrame() != nullptr ? GetDockSiteFrame()->GetTopLevelFrame() : GetTopLevelFrame();
    if (pParent == nullptr)
        pParent = GetDockSiteFrame();
    // The frame deletes itself with its window (a refused creation included).
    return AfxCreateSelfDeleting(pMiniFrame, [&](CKGPMiniFrameWnd& frame) {
        frame.SetDockManager(GetDockManager());
        return frame.Create(nullptr, WS_POPUP, rect, pParent);
    });
}

BOOL CKGPControlBar::FloatBar(CRect rect, KGPDockMethod method, bool bShow)
{
    if (!IsDocked() && !IsTabbed())
        return TRUE; // already floating
    // A bar that may not float or refuses stays where it is: nothing floated.
    if (!CanFloat())
        return FALSE;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    if (!OnBeforeFloat(rect, method))
        return FALSE;
    CKGPGlobalUtils::Get().AdjustRectToWorkArea(rect, CRect(16, 16, 16, 16));
    // Where the mouse holds the bar, in its window as it lies now: the drag's
    // point is kept in client coordinates, and a gripper or caption lies
    // before the client area.
    CPoint held = m_ptClientHotSpot;
    int heldClientTop = 0;
    if (method == KGP_DM_MOUSE) {
        CRect window;
        GetWindowRect(window);
        CPoint clientOrigin(0, 0);
        ClientToScreen(&clientOrigin);
        held += clientOrigin - window.TopLeft();
        heldClientTop = clientOrigin.y - window.top;
    }

    CKGPMiniFrameWnd* pMiniFrame = CreateFloatingFrame(rect, method);
    if (pMiniFrame == nullptr)
        return FALSE;
    if (GetDockManager() != nullptr && method != KGP_DM_MOUSE && !CKGPDockManager::s_bRearranging)
        StoreRecentDockInfo();
    pMiniFrame->m_rectRecentFloatingRect = m_recentDockInfo.m_rectRecentFloatingRect;
    CWnd* pOldParent = GetParent();
    // A tab leaving a floating tabbed pane: that pane's frame ends its drag.
    CKGPMiniFrameWnd* pOldMiniFrame = IsTabbed() ? GetParentMiniFrame(TRUE) : nullptr;
    const HWND hOldMiniFrame = pOldMiniFrame != nullptr ? pOldMiniFrame->GetSafeHwnd() : nullptr;
    const BOOL bWasDocked = IsDocked();
    RemoveFromDockBar();
    if (method == KGP_DM_MOUSE) {
        if (m_bCaptured)
            SendMessage(WM_LBUTTONUP, kKeepDragWindow, MAKELPARAM(cursor.x, cursor.y));
        if (hOldMiniFrame != nullptr && ::IsWindow(hOldMiniFrame) && pOldMiniFrame->IsMoving()) {
            CPoint inFrame = cursor;
            ::ScreenToClient(hOldMiniFrame, &inFrame);
            ::SendMessageW(hOldMiniFrame, WM_LBUTTONUP, 0, MAKELPARAM(inFrame.x, inFrame.y));
        }
    }

    if (CKGPDockManager* pManager = GetDockManager())
        pManager->ReparentWindow(pMiniFrame, this);
    else
        SetParent(pMiniFrame);
    OnAfterChangeParent(pOldParent);
    pMiniFrame->AddControlBar(this);
    SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);

    if (method == KGP_DM_MOUSE && (GetDockingMode() & KGP_DOCK_IMMEDIATE) != 0)
        pMiniFrame->EnterDragMode(nullptr);

    RecalcNcFrame();
    m_dwStyle |= CBRS_FLOATING;
    AdjustHostLayout();
    // The bars and the view it stood beside take its place at once, once it
    // floats (a drag by the mouse lays the frame out as it goes).
    if (bWasDocked && method != KGP_DM_MOUSE && !CKGPDockManager::s_bRearranging && GetDockManager() != nullptr)
        CKGPGlobalUtils::Get().AdjustFrameLayout(GetDockManager());
    if (bShow)
        pMiniFrame->RecalcLayout();

    if (method == KGP_DM_MOUSE) {
        // The cursor keeps its place in the bar: the frame goes under it,
        // wholly on the work area (a bar taken near the screen's edge by its
        // gripper was held by the middle of its frame, half of it beyond).
        // The cursor is taken where the frame's drag took it (the mouse goes
        // on while the frame is made): the frame follows it from there.
        if (pMiniFrame->IsMoving())
            cursor = pMiniFrame->GetDragCursor();
        else
            ::GetCursorPos(&cursor);
        CRect frame, barWindow, caption;
        pMiniFrame->GetWindowRect(frame);
        GetWindowRect(barWindow);
        pMiniFrame->GetCaptionRect(caption);
        KGPDock::FloatingFrameMetrics metrics;
        metrics.size = frame.Size();
        metrics.barInFrame = CPoint(barWindow.left - frame.left, barWindow.top - frame.top);
        metrics.captionTop = caption.top;
        metrics.captionHeight = caption.Height();
        const CPoint inFrame = KGPDock::HoldInFloatingFrame(held, heldClientTop, metrics);
        const CRect underCursor(CPoint(cursor.x - inFrame.x, cursor.y - inFrame.y), frame.Size());
        const CRect placed = KGPDock::KeepWhollyOnWorkArea(underCursor, CKGPGlobalUtils::WorkAreaAt(cursor));
        pMiniFrame->SetWindowPos(HWND{}, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pMiniFrame->SetDragOffset(CPoint(cursor.x - placed.left, cursor.y - placed.top));
    }

    if (bShow) {
        pMiniFrame->ShowWindow(SW_SHOWNA);
        if (CFrameWnd* pDockSite = GetDockSiteFrame())
            pDockSite->RedrawWindow(nullptr, nullptr,
                                    RDW_INVALIDATE | RDW_NOINTERNALPAINT | RDW_NOERASE | RDW_ALLCHILDREN |
                                        RDW_UPDATENOW | RDW_FRAME);
        // (Not while the mouse drags it: the focus would take its frame's
        // activation and the drag's place on top of the frame with it.)
        if (method != KGP_DM_MOUSE && WantsFocus() && GetSafeHwnd() != nullptr)
            SetFocus();
    }
    return TRUE;
}

void CKGPControlBar::CloseFloatingFrame()
{
    CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame();
    if (pMiniFrame != nullptr && pMiniFrame->CanClose())
        pMiniFrame->CloseMiniFrame();
}

// ---- Dragging.

BOOL CKGPControlBar::ShouldChangeDockState(int nSensitivity, CKGPDockBar*& pTarget)
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CRect window, virt;
    // A floating bar is dragged by its frame: the frame is what nears the dock
    // bar, where the cursor holds it.
    if (CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
        pMiniFrame->GetWindowRect(window);
        window.OffsetRect(pMiniFrame->GetMoveBehindCursor());
    } else {
        GetWindowRect(window);
    }
    GetVirtualRectScreen(virt);
    pTarget = DYNAMIC_DOWNCAST(CKGPDockBar, FindBarAtPoint(cursor, nSensitivity, FALSE, RUNTIME_CLASS(CKGPDockBar)));
    if (m_pParentDockBar != nullptr) {
        CRect dockRect;
        m_pParentDockBar->GetWindowRect(dockRect);
        return KGPDock::DockedBarLeaves(dockRect, virt, cursor, m_pParentDockBar->IsHorizontal(), nSensitivity);
    }
    if (pTarget == nullptr || !CanBeDocked(pTarget))
        return FALSE;
    CRect target;
    pTarget->GetWindowRect(target);
    return KGPDock::FloatingBarDocks(target, window, cursor, nSensitivity);
}

int CKGPControlBar::GetDockMethodAtCursor(int nSensitivity, CKGPBaseControlBar*& pTarget)
{
    CKGPDockBar* pDockBar = nullptr;
    const BOOL bChange = ShouldChangeDockState(nSensitivity, pDockBar);
    pTarget = pDockBar;
    return bChange ? KGPDock::kDockOntoBar : KGPDock::kDockNone;
}

void CKGPControlBar::EnterDragMode(BOOL bRememberOffset)
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    UpdateVirtualRect();
    if (bRememberOffset) {
        m_ptClientHotSpot = cursor;
        ScreenToClient(&m_ptClientHotSpot);
    }
    if (m_bCaptured || !IsDocked())
        return;
    SetCapture();
    m_dragFrameImpl.StartDrag(cursor);
    m_bCaptured = TRUE;
    SetDragMode(TRUE);
    GetWindowRect(m_rectDragStart);
}

void CKGPControlBar::CancelDrag(BOOL bEndDragFrame)
{
    if (bEndDragFrame && IsDragFrameMode())
        m_dragFrameImpl.EndDrawDragFrame();
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_bCaptured = FALSE;
    SetDragMode(FALSE);
    if (m_hwndMiniFrameToBeClosed != nullptr && ::IsWindow(m_hwndMiniFrameToBeClosed))
        ::DestroyWindow(m_hwndMiniFrameToBeClosed);
    m_hwndMiniFrameToBeClosed = nullptr;
}

CKGPBaseControlBar* CKGPControlBar::DockAtDragFrameDrop(BOOL& bHandled)
{
    bHandled = FALSE;
    // Dropped over a dock bar that takes it: the bar docks there at the outline.
    if (CKGPDockBar* pTarget = m_dragFrameImpl.GetTargetDockBar()) {
        const CRect rect = m_dragFrameImpl.GetDragRect();
        if (pTarget == m_pParentDockBar) {
            // Back over its own dock bar: it moves there by rows, not by floating.
            return this;
        }
        bHandled = DockToBar(pTarget, rect.IsRectEmpty() ? nullptr : &rect, KGP_DM_RECT);
        if (bHandled)
            AdjustDockingLayout();
        return this;
    }
    // Dropped away from every docking place: the bar floats there.
    return nullptr;
}

void CKGPControlBar::EndDragAtButtonUp(UINT nFlags, CPoint point)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_bCaptured = FALSE;
    if (nFlags != kKeepDragWindow) {
        if (m_hwndMiniFrameToBeClosed != nullptr && ::IsWindow(m_hwndMiniFrameToBeClosed))
            ::DestroyWindow(m_hwndMiniFrameToBeClosed);
        m_hwndMiniFrameToBeClosed = nullptr;
    }
    SetDragMode(FALSE);
    // The frame's smart-docking markers go with the drag, once its drop is docked.
    struct CMarkersStop {
        CKGPDockManager* pManager;
        ~CMarkersStop()
        {
            if (CKGPSmartDockingManager* pSmart = pManager != nullptr ? pManager->GetSmartDockingManager() : nullptr)
                pSmart->Stop();
        }
    } stopMarkers{GetDockManager()};
    if (IsDragFrameMode()) {
        if (m_dragFrameImpl.IsFrameShown() || m_dragFrameImpl.GetTargetDockBar() != nullptr) {
            const CRect rect = m_dragFrameImpl.GetDragRect();
            CKGPDockBar* pTarget = m_dragFrameImpl.GetTargetDockBar();
            // Dropped where the outline or the preview tab showed the pane as a tab: it docks there.
            const BOOL bAsTab = m_dragFrameImpl.IsDropAsTab();
            m_dragFrameImpl.EndDrawDragFrame(FALSE);
            StoreRecentDockInfo();
            BOOL bHandled = FALSE;
            CKGPBaseControlBar* pDropped = pTarget != nullptr || bAsTab ? DockAtDragFrameDrop(bHandled) : nullptr;
            m_dragFrameImpl.EndDrawDragFrame(TRUE);
            if (!bHandled && !rect.IsRectEmpty() && pDropped != this)
                FloatBar(rect, KGP_DM_STANDARD, TRUE);
            return;
        }
    }
    m_bDblClickSeen = FALSE;
    if (m_pDockBarRow != nullptr)
        m_pDockBarRow->ArrangeBars(this);
    CKGPBaseControlBar::OnLButtonUp(nFlags, point);
}

void CKGPControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bClickPassedToMiniFrame = FALSE;
    if (!CanFloat()) {
        CKGPBaseControlBar::OnLButtonDown(nFlags, point);
        return;
    }
    CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame();
    const BOOL bImmediate = (GetDockingMode() & KGP_DOCK_IMMEDIATE) != 0;
    if (bImmediate || pMiniFrame != nullptr) {
        StoreRecentDockInfo();
        if (pMiniFrame == nullptr) {
            EnterDragMode(TRUE);
        } else if (pMiniFrame->GetControlBarCount() != 1) {
            EnterDragMode(TRUE);
            return;
        } else {
            // The floating frame drags itself.
            CPoint inFrame = point;
            MapWindowPoints(pMiniFrame, &inFrame, 1);
            pMiniFrame->SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(inFrame.x, inFrame.y));
            m_bClickPassedToMiniFrame = TRUE;
            return;
        }
    } else if (IsDragFrameMode()) {
        EnterDragMode(TRUE);
    }
    CKGPBaseControlBar::OnLButtonDown(nFlags, point);
}

void CKGPControlBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bCaptured) {
        CKGPBaseControlBar::OnMouseMove(nFlags, point);
        return;
    }
    if (IsDragFrameMode()) {
        m_dragFrameImpl.MoveDragFrame();
        return;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    const CSize delta = cursor - m_dragFrameImpl.m_ptHot;
    if (delta == CSize(0, 0))
        return;
    m_rectDragStart.OffsetRect(delta);
    OffsetVirtualRect(delta.cx, delta.cy);
    m_dragFrameImpl.m_ptHot = cursor;
    if (m_pParentDockBar != nullptr) {
        m_pParentDockBar->MoveControlBar(this, nFlags, delta.cx, delta.cy);
        if (GetSafeHwnd() != nullptr)
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

void CKGPControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bCaptured) {
        EndDragAtButtonUp(nFlags, point);
        return;
    }
    CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame();
    if (pMiniFrame != nullptr && pMiniFrame->IsWindowVisible() && !m_bDblClickSeen) {
        // The floating frame ends its own drag.
        CPoint inFrame = point;
        MapWindowPoints(pMiniFrame, &inFrame, 1);
        pMiniFrame->SendMessage(WM_LBUTTONUP, nFlags, MAKELPARAM(inFrame.x, inFrame.y));
        return;
    }
    m_bDblClickSeen = FALSE;
    if (m_pDockBarRow != nullptr)
        m_pDockBarRow->ArrangeBars(this);
    CKGPBaseControlBar::OnLButtonUp(nFlags, point);
}

void CKGPControlBar::OnCancelMode()
{
    CKGPBaseControlBar::OnCancelMode();
    if (m_bCaptured)
        CancelDrag(TRUE);
}

void CKGPControlBar::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE && m_bCaptured) {
        CKGPBaseControlBar::OnChar(nChar, nRepCnt, nFlags);
        CancelDrag(TRUE);
        return;
    }
    CKGPBaseControlBar::OnChar(nChar, nRepCnt, nFlags);
}

void CKGPControlBar::OnDoubleClickEndDrag()
{
    m_bDblClickSeen = TRUE;
    StoreRecentDockInfo();
    if (m_bCaptured)
        CancelDrag(FALSE);
}

void CKGPControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnDoubleClickEndDrag();
    if (CanFloat())
        FloatBar(m_recentDockInfo.m_rectRecentFloatingRect, KGP_DM_DBLCLICK, TRUE);
    CKGPBaseControlBar::OnLButtonDblClk(nFlags, point);
}

// ---- Registry state.

BOOL CKGPControlBar::SaveState(LPCTSTR lpszProfileName, int nID, int nIndex)
{
    CKGPRegistryHandle reg(FALSE, FALSE);
    if (!reg->CreateKey(StateKey(lpszProfileName, kControlBarClass, nID, nIndex)))
        return FALSE;
    if (IsFloating()) {
        if (CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame())
            pMiniFrame->GetWindowRect(m_recentDockInfo.m_rectRecentFloatingRect);
    } else if (!IsAutoHideMode()) {
        // (An auto-hidden pane keeps the docked place it was pinned from:
        // slid in, its window stands beyond the frame by its own size.)
        StoreRecentDockedRect();
        if (m_pParentDockBar != nullptr) {
            m_recentDockInfo.m_dwRecentAlignmentToFrame = m_pParentDockBar->GetCurrentAlignment();
            m_recentDockInfo.m_nRecentRowIndex = m_pParentDockBar->GetRowIndex(m_pDockBarRow);
        }
    }
    const BOOL written =
        reg->Write(_T("ID"), static_cast<int>(m_nID)) &&
        reg->Write(_T("RectRecentFloat"), m_recentDockInfo.m_rectRecentFloatingRect) &&
        reg->Write(_T("RectRecentDocked"), m_recentDockInfo.m_rectRecentDockedRect) &&
        reg->Write(_T("RecentFrameAlignment"), static_cast<int>(m_recentDockInfo.m_dwRecentAlignmentToFrame)) &&
        reg->Write(_T("RecentRowIndex"), m_recentDockInfo.m_nRecentRowIndex) &&
        reg->Write(_T("IsFloating"), IsFloating() ? 1 : 0) && reg->Write(_T("MRUWidth"), m_nMRUWidth) &&
        reg->Write(_T("PinState"), m_nPinState);
    return CKGPBaseControlBar::SaveState(lpszProfileName, nID, nIndex) && written;
}

BOOL CKGPControlBar::ReadState(CKGPStoredLoad& load, LPCTSTR lpszProfileName, int nID, int nIndex)
{
    CKGPRegistryHandle reg(FALSE, TRUE);
    if (!reg->Open(StateKey(lpszProfileName, kControlBarClass, nID, nIndex)))
        return FALSE;
    // A value that is missing keeps its field; one that is there must be sound.
    using kgp_stored::kMaxCoordinate;
    int storedId = static_cast<int>(m_nID);
    CRect recentFloat = m_recentDockInfo.m_rectRecentFloatingRect;
    CRect recentDocked = m_recentDockInfo.m_rectRecentDockedRect;
    DWORD alignment = m_recentDockInfo.m_dwRecentAlignmentToFrame;
    int rowIndex = m_recentDockInfo.m_nRecentRowIndex;
    BOOL floating = m_bLoadedFloating;
    int mruWidth = m_nMRUWidth;
    int pinState = m_nPinState;
    load.ReadValue(*reg, _T("ID"), storedId, 0, 0xFFFF);
    load.ReadValue(*reg, _T("RectRecentFloat"), recentFloat, kMaxCoordinate);
    // A docked place lies in its frame (or dock bar): not beyond this desktop.
    load.ReadValue(*reg, _T("RectRecentDocked"), recentDocked, load.DesktopReach());
    load.ReadOneOf(*reg, _T("RecentFrameAlignment"), alignment,
                   {0, CBRS_ALIGN_LEFT, CBRS_ALIGN_TOP, CBRS_ALIGN_RIGHT, CBRS_ALIGN_BOTTOM});
    load.ReadValue(*reg, _T("RecentRowIndex"), rowIndex, 0, kMaxCoordinate);
    load.ReadValue(*reg, _T("IsFloating"), floating);
    load.ReadValue(*reg, _T("MRUWidth"), mruWidth, 1, kMaxCoordinate);
    load.ReadValue(*reg, _T("PinState"), pinState, 0, 1);
    load.OnCommit([this, storedId, recentFloat, recentDocked, alignment, rowIndex, floating, mruWidth, pinState] {
        m_nID = static_cast<UINT>(storedId);
        m_recentDockInfo.m_rectRecentFloatingRect = recentFloat;
        m_rectLoadedDocked = m_recentDockInfo.m_rectRecentDockedRect = recentDocked;
        m_recentDockInfo.m_dwRecentAlignmentToFrame = alignment;
        m_recentDockInfo.m_nRecentRowIndex = rowIndex;
        m_bLoadedFloating = floating;
        m_nMRUWidth = mruWidth;
        m_nPinState = pinState;
    });
    return CKGPBaseControlBar::ReadState(load, lpszProfileName, nID, nIndex);
}

void CKGPControlBar::RestoreLoadedPlacement(CKGPDockManager* pDockManager)
{
    if (m_bLoadedFloating || pDockManager == nullptr) {
        ShowBar(GetRecentVisibleState(), TRUE, FALSE);
        return;
    }
    if (CKGPDockBar* pDockBar = pDockManager->FindDockBar(m_recentDockInfo.m_dwRecentAlignmentToFrame, TRUE)) {
        CRect rect = m_recentDockInfo.m_rectRecentDockedRect;
        pDockBar->ClientToScreen(rect);
        pDockManager->DockControlBar(this, pDockBar->GetDockBarID(), rect);
    }
    if (IsDocked()) {
        ShowBar(GetRecentVisibleState(), TRUE, FALSE);
        if (m_pDockBarRow != nullptr)
            m_pDockBarRow->RestoreBarSizes();
    }
}

// ---- Menus.

void CKGPControlBar::OnContextMenu(CWnd*, CPoint point)
{
    if (KGPMenuLinks::AreMenusBlocked())
        return;
    if (OnShowControlBarMenu(point))
        return;
    OnShowContextMenu(MenuFrame(), point);
}

BOOL CKGPControlBar::OnShowControlBarMenu(CPoint point)
{
    if (!KGPMenuLinks::HasContextMenuManager() || (m_dwEnabledAlign == 0 && !CanFloat()))
        return FALSE;
    KGPDock::DockingMenuFacts facts;
    facts.bCanFloat = CanFloat();
    facts.bAutoHideAllowed = (m_dwBarStyle & KGP_BARSTYLE_AUTOHIDE) != 0;
    facts.bInMiniFrame = GetParentMiniFrame() != nullptr;
    facts.bAutoHideMode = IsAutoHideMode();
    facts.bCanBeTabbedDocument = IsInMDITabMode();
    facts.bShownAsDocument = IsShownAsDocument();
    facts.bFloating = IsFloating();
    facts.bHasAlignment = (m_dwEnabledAlign & CBRS_ALIGN_ANY) != 0;
    facts.bCanClose = (m_dwBarStyle & KGP_BARSTYLE_CLOSE) != 0;
    const KGPDock::DockingMenuStates states = KGPDock::DecideDockingMenuStates(facts);

    CMenu menu;
    if (!menu.CreatePopupMenu())
        return FALSE;
    auto add = [&menu](UINT nCommand, UINT nStringId, LPCTSTR lpszFallback, const KGPDock::DockingMenuItem& item) {
        CString text;
        if (!text.LoadString(nStringId))
            text = lpszFallback;
        menu.AppendMenu(MF_STRING | (item.bEnabled ? 0 : MF_GRAYED) | (item.bChecked ? MF_CHECKED : 0), nCommand,
                        text);
    };
    add(KGP_IDC_FLOAT, 17039, _T("&Floating"), states.floating);
    add(KGP_IDC_DOCK, 17040, _T("&Docking"), states.docking);
    add(KGP_IDC_TABBED_DOCUMENT, 17088, _T("&Tabbed Document"), states.tabbedDocument);
    add(KGP_IDC_AUTOHIDE, 17041, _T("&Auto Hide"), states.autoHide);
    add(KGP_IDC_HIDE, 17042, _T("&Hide"), states.hide);
    if (!OnBeforeShowBarMenu(menu))
        return FALSE;

    const HWND hWndSelf = m_hWnd;
    const UINT nCommand = KGPMenuLinks::TrackContextMenu(menu.GetSafeHmenu(), point.x, point.y, this, FALSE);
    if (!::IsWindow(hWndSelf) || nCommand == 0 || !OnBeforeBarMenuCommand(nCommand))
        return TRUE;
    switch (nCommand) {
    case KGP_IDC_FLOAT:
        if (IsTabbed() && CanFloat()) {
            if (IKGPTabbedBarLink* pLink = KGPTabbedBars::Link())
                pLink->DetachBar(this);
        } else {
            FloatBar(m_recentDockInfo.m_rectRecentFloatingRect, KGP_DM_UNKNOWN, TRUE);
        }
        break;
    case KGP_IDC_DOCK:
        if (CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame())
            pMiniFrame->DockOnDoubleClick();
        break;
    case KGP_IDC_TABBED_DOCUMENT:
        if (IsShownAsDocument()) {
            if (IKGPTabbedDocumentLink* pLink = CKGPLink<IKGPTabbedDocumentLink>::Get())
                pLink->TabbedDocumentToControlBar(DYNAMIC_DOWNCAST(CKGPDockingControlBar, this));
        } else {
            OnTabbedDocumentCommand(TRUE);
        }
        break;
    case KGP_IDC_AUTOHIDE:
        ToggleAutoHide();
        break;
    case KGP_IDC_HIDE:
        CloseFloatingFrame();
        break;
    default:
        break;
    }
    return TRUE;
}

// ---- Window messages.

void CKGPControlBar::OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct)
{
    CKGPBaseControlBar::OnStyleChanged(nStyleType, lpStyleStruct);
    if (nStyleType != GWL_EXSTYLE || lpStyleStruct == nullptr)
        return;
    const BOOL bRtlChanged = ((lpStyleStruct->styleOld ^ lpStyleStruct->styleNew) & WS_EX_LAYOUTRTL) != 0;
    if (bRtlChanged && IsDocked() && IsHorizontal() && m_pParentDockBar != nullptr)
        SetWindowPos(HWND{}, m_rectVirtual.left, m_rectVirtual.top, m_rectVirtual.Width(), m_rectVirtual.Height(),
                     SWP_NOZORDER);
}

CKGPControlBar::~CKGPControlBar()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

void CKGPControlBar::OnDestroy()
{
    // A tab goes from its tabbed bar first.
    if (IsTabbed()) {
        if (IKGPTabbedBarLink* pLink = KGPTabbedBars::Link())
            pLink->RemoveBarTab(this);
    }
    // A bar that goes while its frame stays leaves its row and dock bar behind it.
    RemoveFromDockBar();
    if (GetSafeHwnd() != nullptr)
        CKGPBaseControlBar::OnDestroy();
}

void CKGPControlBar::OnNcDestroy()
{
    CKGPMiniFrameWnd::AddRemoveBarFromGlobalMap(this, FALSE);
    if (CKGPMiniFrameWnd* pMiniFrame = GetParentMiniFrame())
        pMiniFrame->RemoveControlBar(this, FALSE, FALSE);
    CKGPBaseControlBar::OnNcDestroy();
}

void CKGPControlBar::CopyStateFrom(CKGPControlBar* pOther)
{
    CopyState(pOther);
    m_bGroupStart = pOther->m_bGroupStart;
    m_bGroupEnd = pOther->m_bGroupEnd;
    m_bActive = pOther->m_bActive;
    pOther->GetMinSize(m_sizeMin);
    m_recentDockInfo = pOther->m_recentDockInfo;
    m_rectLoadedDocked = pOther->m_rectLoadedDocked;
    m_bLoadedFloating = pOther->m_bLoadedFloating;
}

void CKGPControlBar::GetBarName(CString& strName) const
{
    if (GetSafeHwnd() != nullptr)
        GetWindowText(strName);
}
