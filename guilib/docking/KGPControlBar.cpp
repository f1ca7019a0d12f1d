#include "guilib/docking/KGPControlBar.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPRegistry.h"
#include "guilib/core/KGPStoredState.h"
#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockBarRow.h"
#include "guilib/docking/KGPDockGeometry.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPGlobalUtils.h"
#include "guilib/core/KGPMenuLinks.h"

IMPLEMENT_DYNCREATE(CKGPControlBar, CKGPBaseControlBar)

BEGIN_MESSAGE_MAP(CKGPControlBar, CKGPBaseControlBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_CHAR()
    ON_WM_CONTEXTMENU()
    ON_WM_DESTROY()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {

constexpr LPCTSTR kControlBarClass = _T("KGPControlBar");

} // namespace

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
                                                               ::LoadCursorW(nullptr, IDC_ARROW));
    m_nID = nID;
    if (!CreateBar(dwExStyle, className, nullptr, dwStyle | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect, pParentWnd, nID,
                   dwBarStyle, pContext))
        return FALSE;
    CRect screen(rect);
    if (pParentWnd != nullptr)
        pParentWnd->ClientToScreen(screen);
    if (m_recentDockInfo.rectRecentDocked.IsRectEmpty())
        m_recentDockInfo.rectRecentDocked = screen;
    if (!screen.IsRectEmpty())
        m_recentDockInfo.rectRecentFloat = screen;
    SetOwner(pParentWnd);
    UpdateVirtualRect();
    return GetSafeHwnd() != nullptr;
}

CSize CKGPControlBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    if (m_sizeFixed == CSize(0, 0))
        return CSize(0, 0);
    return bHorz ? m_sizeFixed : CSize(m_sizeFixed.cy, m_sizeFixed.cx);
}

BOOL CKGPControlBar::CanBeDocked(CKGPBaseControlBar* pDockBar) const
{
    return pDockBar != nullptr && (pDockBar->GetCurrentAlignment() & m_dwEnabledAlign) != 0;
}

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

void CKGPControlBar::StoreRecentDockedRect()
{
    CRect window;
    GetWindowRect(window);
    CWnd* pHost = m_pParentDockBar != nullptr ? static_cast<CWnd*>(m_pParentDockBar) : GetDockSiteFrame();
    if (pHost != nullptr)
        pHost->ScreenToClient(window);
    m_recentDockInfo.rectRecentDocked = window;
}

void CKGPControlBar::StoreRecentDockInfo()
{
    m_recentDockInfo.pRecentDockBar = m_pParentDockBar;
    m_recentDockInfo.pRecentRow = m_pDockBarRow;
    m_recentDockInfo.nRecentRowIndex = m_pParentDockBar != nullptr ? m_pParentDockBar->GetRowIndex(m_pDockBarRow) : 0;
    StoreRecentDockedRect();
}

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
    return nDelta;
}

void CKGPControlBar::RemoveFromDockBar()
{
    if (m_pParentDockBar != nullptr)
        m_pParentDockBar->RemoveControlBar(this);
}

void CKGPControlBar::OnAfterChangeParent(CWnd*)
{
    UpdateVirtualRect();
    if (!GetParent()->IsKindOf(RUNTIME_CLASS(CKGPDockBar))) {
        m_pParentDockBar = nullptr;
        m_pDockBarRow = nullptr;
    }
}

void CKGPControlBar::PrepareToDock(CKGPDockBar* pDockBar, KGPDockMethod)
{
    CWnd* pOldParent = GetParent();
    RemoveFromDockBar();
    m_pParentDockBar = pDockBar;
    if (pDockBar != nullptr && GetParent() != pDockBar)
        SetParent(pDockBar);
    OnAfterChangeParent(pOldParent);
    m_dwStyle = (m_dwStyle & ~CBRS_FLOATING) | CBRS_BORDER_ANY;
    if (pDockBar != nullptr)
        SetCurrentAlignment(pDockBar->GetCurrentAlignment());
}

BOOL CKGPControlBar::DockToBar(CKGPBaseControlBar* pDockBar, LPCRECT lpRect, KGPDockMethod method)
{
    return DockControlBar(pDockBar, lpRect, method);
}

BOOL CKGPControlBar::DockControlBar(CKGPBaseControlBar* pBar, LPCRECT lpRect, KGPDockMethod method)
{
    auto* pDockBar = DYNAMIC_DOWNCAST(CKGPDockBar, pBar);
    if (method == KGP_DM_DBLCLICK && pDockBar == nullptr)
        pDockBar = m_recentDockInfo.pRecentDockBar;
    if (pDockBar == nullptr || !CanBeDocked(pDockBar) || !pDockBar->CanAcceptBar(this))
        return FALSE;
    PrepareToDock(pDockBar, method);
    pDockBar->DockControlBar(this, method, lpRect);
    return TRUE;
}

BOOL CKGPControlBar::FloatBar(CRect rect, KGPDockMethod method, bool)
{
    if (!IsDocked() && !IsTabbed())
        return TRUE; // already floating
    // A bar that may not float, refuses, or has no floating frame stays docked: nothing floated.
    if (!CanFloat() || !OnBeforeFloat(rect, method))
        return FALSE;
    CKGPGlobalUtils::Get().AdjustRectToWorkArea(rect, CRect(16, 16, 16, 16));
    return FALSE; // floating frames are not part of the library yet
}

void CKGPControlBar::AdjustHostLayout()
{
    if (m_pDockBarRow != nullptr)
        UpdateVirtualRect();
}

BOOL CKGPControlBar::ShouldChangeDockState(int nSensitivity, CKGPDockBar*& pTarget)
{
    pTarget = nullptr;
    if (m_pParentDockBar == nullptr)
        return FALSE;
    CPoint cursor;
    ::GetCursorPos(&cursor);
    CRect dockRect, virt;
    m_pParentDockBar->GetWindowRect(dockRect);
    GetVirtualRectScreen(virt);
    CRect overlap;
    if (!overlap.IntersectRect(dockRect, virt))
        return TRUE;
    if (dockRect.PtInRect(cursor))
        return FALSE;
    if (m_pParentDockBar->IsHorizontal())
        return virt.top < dockRect.top - 2 * nSensitivity || virt.bottom > dockRect.bottom + 2 * nSensitivity;
    return virt.left < dockRect.left - 2 * nSensitivity || virt.right > dockRect.right + 2 * nSensitivity;
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
    m_ptLastDrag = cursor;
    m_bCaptured = TRUE;
    SetDragMode(TRUE);
    GetWindowRect(m_rectDragStart);
}

void CKGPControlBar::EndDrag()
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_bCaptured = FALSE;
    SetDragMode(FALSE);
}

void CKGPControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (CanFloat() && m_pParentDockBar != nullptr) {
        StoreRecentDockInfo();
        EnterDragMode(TRUE);
    }
    CKGPBaseControlBar::OnLButtonDown(nFlags, point);
}

void CKGPControlBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bCaptured || m_pParentDockBar == nullptr) {
        CKGPBaseControlBar::OnMouseMove(nFlags, point);
        return;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    const CSize delta = cursor - m_ptLastDrag;
    if (delta == CSize(0, 0))
        return;
    m_rectDragStart.OffsetRect(delta);
    OffsetVirtualRect(delta.cx, delta.cy);
    m_pParentDockBar->MoveControlBar(this, nFlags, delta.cx, delta.cy);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    m_ptLastDrag = cursor;
}

void CKGPControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bCaptured) {
        EndDrag();
        if (m_pDockBarRow != nullptr)
            m_pDockBarRow->ArrangeBars(this);
    }
    CKGPBaseControlBar::OnLButtonUp(nFlags, point);
}

void CKGPControlBar::OnCancelMode()
{
    CKGPBaseControlBar::OnCancelMode();
    if (m_bCaptured)
        EndDrag();
}

void CKGPControlBar::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE && m_bCaptured) {
        EndDrag();
        return;
    }
    CKGPBaseControlBar::OnChar(nChar, nRepCnt, nFlags);
}

BOOL CKGPControlBar::SaveState(LPCTSTR lpszProfileName, int nID, int nIndex)
{
    CKGPRegistryHandle reg(FALSE, FALSE);
    if (!reg->CreateKey(StateKey(lpszProfileName, kControlBarClass, nID, nIndex)))
        return FALSE;
    StoreRecentDockedRect();
    if (m_pParentDockBar != nullptr) {
        m_recentDockInfo.dwRecentAlignment = m_pParentDockBar->GetCurrentAlignment();
        m_recentDockInfo.nRecentRowIndex = m_pParentDockBar->GetRowIndex(m_pDockBarRow);
    }
    const BOOL written = reg->Write(_T("ID"), static_cast<int>(m_nID)) &&
                         reg->Write(_T("RectRecentFloat"), m_recentDockInfo.rectRecentFloat) &&
                         reg->Write(_T("RectRecentDocked"), m_recentDockInfo.rectRecentDocked) &&
                         reg->Write(_T("RecentFrameAlignment"), static_cast<int>(m_recentDockInfo.dwRecentAlignment)) &&
                         reg->Write(_T("RecentRowIndex"), m_recentDockInfo.nRecentRowIndex) &&
                         reg->Write(_T("IsFloating"), IsFloating() ? 1 : 0) &&
                         reg->Write(_T("MRUWidth"), m_nMRUWidth) && reg->Write(_T("PinState"), m_nPinState);
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
    RecentDockInfo recent = m_recentDockInfo;
    BOOL floating = m_bLoadedFloating;
    int mruWidth = m_nMRUWidth;
    int pinState = m_nPinState;
    load.ReadValue(*reg, _T("ID"), storedId, 0, 0xFFFF);
    load.ReadValue(*reg, _T("RectRecentFloat"), recent.rectRecentFloat, kMaxCoordinate);
    load.ReadValue(*reg, _T("RectRecentDocked"), recent.rectRecentDocked, kMaxCoordinate);
    load.ReadOneOf(*reg, _T("RecentFrameAlignment"), recent.dwRecentAlignment,
                   {0, CBRS_ALIGN_LEFT, CBRS_ALIGN_TOP, CBRS_ALIGN_RIGHT, CBRS_ALIGN_BOTTOM});
    load.ReadValue(*reg, _T("RecentRowIndex"), recent.nRecentRowIndex, 0, kMaxCoordinate);
    load.ReadValue(*reg, _T("IsFloating"), floating);
    load.ReadValue(*reg, _T("MRUWidth"), mruWidth, 1, kMaxCoordinate);
    load.ReadValue(*reg, _T("PinState"), pinState, 0, 1);
    load.OnCommit([this, storedId, recent, floating, mruWidth, pinState] {
        m_nID = static_cast<UINT>(storedId);
        m_recentDockInfo.rectRecentFloat = recent.rectRecentFloat;
        m_rectLoadedDocked = m_recentDockInfo.rectRecentDocked = recent.rectRecentDocked;
        m_recentDockInfo.dwRecentAlignment = recent.dwRecentAlignment;
        m_recentDockInfo.nRecentRowIndex = recent.nRecentRowIndex;
        m_bLoadedFloating = floating;
        m_nMRUWidth = mruWidth;
        m_nPinState = pinState;
    });
    return CKGPBaseControlBar::ReadState(load, lpszProfileName, nID, nIndex);
}

void CKGPControlBar::OnContextMenu(CWnd*, CPoint point)
{
    if (KGPMenuLinks::AreMenusBlocked())
        return;
    OnShowContextMenu(MenuFrame(), point);
}

CKGPControlBar::~CKGPControlBar()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

void CKGPControlBar::OnDestroy()
{
    // A bar that goes while its frame stays leaves its row and dock bar behind it.
    RemoveFromDockBar();
    CKGPBaseControlBar::OnDestroy();
}

void CKGPControlBar::RestoreLoadedPlacement(CKGPDockManager* pDockManager)
{
    if (m_bLoadedFloating || pDockManager == nullptr) {
        ShowBar(GetRecentVisibleState(), TRUE, FALSE);
        return;
    }
    if (CKGPDockBar* pDockBar = pDockManager->FindDockBar(m_recentDockInfo.dwRecentAlignment, TRUE)) {
        CRect rect = m_recentDockInfo.rectRecentDocked;
        pDockBar->ClientToScreen(rect);
        pDockManager->DockControlBar(this, pDockBar->GetDockBarID(), rect);
    }
    if (IsDocked()) {
        ShowBar(GetRecentVisibleState(), TRUE, FALSE);
        if (m_pDockBarRow != nullptr)
            m_pDockBarRow->RestoreBarSizes();
    }
}

BOOL CKGPControlBar::OnShowControlBarMenu(CPoint)
{
    if (!KGPMenuLinks::HasContextMenuManager() || (m_dwEnabledAlign == 0 && !CanFloat()))
        return FALSE;
    return FALSE; // the menu itself arrives with the toolbars family's context-menu manager
}

void CKGPControlBar::OnDoubleClickEndDrag()
{
    m_bDblClickSeen = TRUE;
    StoreRecentDockInfo();
    if (m_bCaptured)
        EndDrag();
}

void CKGPControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnDoubleClickEndDrag();
    if (CanFloat())
        FloatBar(m_recentDockInfo.rectRecentFloat, KGP_DM_DBLCLICK);
    CKGPBaseControlBar::OnLButtonDblClk(nFlags, point);
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
