#include "guilib/docking/KGPDockBar.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPControlBar.h"
#include "guilib/docking/KGPDockBarRow.h"
#include "guilib/docking/KGPDockGeometry.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPDockSite.h"
#include "guilib/docking/KGPGlobalUtils.h"

IMPLEMENT_DYNCREATE(CKGPDockBar, CKGPBaseControlBar)

int CKGPDockBar::s_nAutoHideGap = 0;
int CKGPDockBar::s_nAutoHideStartOffset = 0;

BEGIN_MESSAGE_MAP(CKGPDockBar, CKGPBaseControlBar)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

namespace {

CKGPDockBarRow* RowAt(const CObList& rows, POSITION pos)
{
    return static_cast<CKGPDockBarRow*>(rows.GetAt(pos));
}

int CrossExtent(CKGPControlBar* pBar, BOOL bHorz)
{
    const CSize size = pBar->CalcFixedLayout(FALSE, bHorz);
    return bHorz ? size.cy : size.cx;
}

} // namespace

CKGPDockBar::~CKGPDockBar() = default;

BOOL CKGPDockBar::CreateEx(DWORD dwExStyle, DWORD dwAlignment, CWnd* pParentWnd, DWORD dwBarStyle, CCreateContext*)
{
    m_dwEnabledAlign |= dwAlignment;
    SetCurrentAlignment(dwAlignment);
    CRect rect;
    pParentWnd->GetClientRect(rect);
    switch (dwAlignment & CBRS_ALIGN_ANY) {
    case CBRS_ALIGN_RIGHT:
        rect.left = rect.right;
        m_nDockBarID = AFX_IDW_DOCKBAR_RIGHT;
        break;
    case CBRS_ALIGN_LEFT:
        rect.right = 0;
        m_nDockBarID = AFX_IDW_DOCKBAR_LEFT;
        break;
    case CBRS_ALIGN_TOP:
        rect.bottom = rect.top;
        m_nDockBarID = AFX_IDW_DOCKBAR_TOP;
        break;
    default:
        rect.top = rect.bottom;
        m_nDockBarID = AFX_IDW_DOCKBAR_BOTTOM;
        break;
    }
    m_dwBarStyle = dwBarStyle;
    m_pDockSite = pParentWnd->AsFrameWnd();
    const CString className = RegisterLibraryWindowClass(_T("KGPDockBar"), 0, ::LoadCursorW(nullptr, IDC_ARROW));
    return CWnd::CreateEx(dwExStyle, className, nullptr, WS_VISIBLE | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                          rect, pParentWnd, m_nDockBarID);
}

BOOL CKGPDockBar::CanAcceptBar(const CKGPBaseControlBar* pBar) const
{
    return pBar != nullptr && !IsResizable();
}

void CKGPDockBar::OnRelayoutHook()
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;)
        static_cast<CKGPBaseControlBar*>(m_lstControlBars.GetNext(pos))->OnRelayoutHook();
}

BOOL CKGPDockBar::IsDragModeAny() const
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = DYNAMIC_DOWNCAST(CKGPControlBar, m_lstControlBars.GetNext(pos));
        if (pBar != nullptr && pBar->IsDragMode())
            return TRUE;
    }
    return FALSE;
}

CSize CKGPDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos != nullptr;) {
        CKGPDockBarRow* pRow = RowAt(m_lstDockBarRows, pos);
        m_lstDockBarRows.GetNext(pos);
        if (!pRow->IsVisible())
            continue;
        const CSize size = pRow->CalcFixedLayout(bStretch, IsHorizontal());
        const int cross = IsHorizontal() ? size.cy : size.cx;
        if (cross >= 1 && cross != pRow->GetRowHeight())
            ResizeRow(pRow, cross, FALSE);
    }
    static_cast<void>(bHorz);
    CRect window;
    GetWindowRect(window);
    return window.Size();
}

CKGPDockBarRow* CKGPDockBar::CreateRow(int nOffset, int nHeight)
{
    return new CKGPDockBarRow(this, nOffset, nHeight);
}

POSITION CKGPDockBar::GetNextVisibleRow(POSITION pos, BOOL bForward) const
{
    if (pos == nullptr) {
        pos = bForward ? m_lstDockBarRows.GetHeadPosition() : m_lstDockBarRows.GetTailPosition();
        if (pos != nullptr && RowAt(m_lstDockBarRows, pos)->IsVisible())
            return pos;
    }
    while (pos != nullptr) {
        if (bForward)
            m_lstDockBarRows.GetNext(pos);
        else
            m_lstDockBarRows.GetPrev(pos);
        if (pos != nullptr && RowAt(m_lstDockBarRows, pos)->IsVisible())
            return pos;
    }
    return nullptr;
}

int CKGPDockBar::GetRowIndex(const CKGPDockBarRow* pRow) const
{
    int index = 0;
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos != nullptr; ++index) {
        if (m_lstDockBarRows.GetNext(pos) == pRow)
            return index;
    }
    return 0;
}

CKGPDockBarRow* CKGPDockBar::FindRowByBar(const CKGPBaseControlBar* pBar) const
{
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos != nullptr;) {
        auto* pRow = static_cast<CKGPDockBarRow*>(m_lstDockBarRows.GetNext(pos));
        if (pRow->GetControlBars().Find(const_cast<CKGPBaseControlBar*>(pBar)) != nullptr)
            return pRow;
    }
    return nullptr;
}

CKGPDockBarRow* CKGPDockBar::VisibleRowAt(CPoint ptClient) const
{
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos != nullptr;) {
        auto* pRow = static_cast<CKGPDockBarRow*>(m_lstDockBarRows.GetNext(pos));
        CRect rect;
        pRow->GetClientRect(rect);
        if (pRow->IsVisible() && rect.PtInRect(ptClient))
            return pRow;
    }
    return nullptr;
}

CKGPDockBarRow* CKGPDockBar::FindRowAtPoint(CPoint ptScreen, BOOL& bBeforeDockBar) const
{
    CPoint client = ptScreen;
    ScreenToClient(&client);
    bBeforeDockBar = FALSE;
    if (CKGPDockBarRow* pRow = VisibleRowAt(client))
        return pRow;
    CRect window;
    GetWindowRect(window);
    bBeforeDockBar = IsHorizontal() ? ptScreen.y < window.top : ptScreen.x < window.left;
    return nullptr;
}

CKGPDockBarRow* CKGPDockBar::FindRowAtRect(const CRect& rectScreen) const
{
    CPoint corner = rectScreen.TopLeft();
    ScreenToClient(&corner);
    return VisibleRowAt(corner);
}

CKGPBaseControlBar* CKGPDockBar::FindBarByID(UINT nID) const
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKGPBaseControlBar*>(m_lstControlBars.GetNext(pos));
        if (pBar->GetSafeHwnd() != nullptr && static_cast<UINT>(pBar->GetDlgCtrlID()) == nID)
            return pBar;
    }
    return nullptr;
}

CKGPBaseControlBar* CKGPDockBar::FindBarAtPoint(CPoint pt)
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKGPBaseControlBar*>(m_lstControlBars.GetNext(pos));
        CRect rect;
        pBar->GetWindowRect(rect);
        if (rect.PtInRect(pt))
            return pBar;
    }
    return nullptr;
}

void CKGPDockBar::DockControlBar(CKGPControlBar* pBar, KGPDockMethod method, LPCRECT lpRect)
{
    if (pBar == nullptr || m_lstControlBars.Find(pBar) != nullptr)
        return;
    const BOOL bHorz = IsHorizontal();
    BOOL bBefore = FALSE;
    CKGPDockBarRow* pCandidate = nullptr;
    if (method == KGP_DM_MOUSE) {
        CPoint cursor;
        ::GetCursorPos(&cursor);
        pCandidate = FindRowAtPoint(cursor, bBefore);
    } else if (method == KGP_DM_DBLCLICK) {
        CKGPDockBarRow* pRecent = pBar->m_recentDockInfo.m_pRecentDockBarRow;
        const int recentIndex = pBar->m_recentDockInfo.m_nRecentRowIndex;
        if (pRecent != nullptr && m_lstDockBarRows.Find(pRecent) != nullptr) {
            pCandidate = pRecent;
        } else if (CKGPDockManager::s_bRearranging && recentIndex >= 0) {
            // A saved layout is being applied: its rows come back up to the recent one.
            while (m_lstDockBarRows.GetCount() <= recentIndex) {
                if (AddRow(nullptr, CrossExtent(pBar, bHorz)) == nullptr)
                    break;
            }
            if (recentIndex < m_lstDockBarRows.GetCount())
                pCandidate = static_cast<CKGPDockBarRow*>(m_lstDockBarRows.GetAt(m_lstDockBarRows.FindIndex(recentIndex)));
        } else if (recentIndex < m_lstDockBarRows.GetCount()) {
            pCandidate = static_cast<CKGPDockBarRow*>(m_lstDockBarRows.GetAt(m_lstDockBarRows.FindIndex(recentIndex)));
        } else if (!pBar->m_recentDockInfo.m_rectRecentDockedRect.IsRectEmpty()) {
            CRect recent = pBar->m_recentDockInfo.m_rectRecentDockedRect;
            ClientToScreen(recent);
            pCandidate = FindRowAtRect(recent);
        }
    } else if (method == KGP_DM_RECT && lpRect != nullptr) {
        pCandidate = FindRowAtRect(CRect(lpRect));
    }

    CKGPDockBarRow* pRow = nullptr;
    const int extent = CrossExtent(pBar, bHorz);
    if (pCandidate != nullptr) {
        if (!pCandidate->HasExclusiveBar() && (pBar->CanShareRow() || pCandidate->IsEmpty())) {
            pRow = pCandidate;
        } else {
            POSITION pos = m_lstDockBarRows.Find(pCandidate);
            if (!bBefore)
                m_lstDockBarRows.GetNext(pos);
            pRow = AddRow(pos, extent);
        }
    } else {
        pRow = AddRow(bBefore ? m_lstDockBarRows.GetHeadPosition() : nullptr, extent);
    }
    if (pRow == nullptr)
        return;
    pRow->AddControlBarAt(pBar, method, lpRect, FALSE);
    CRect window;
    pBar->GetWindowRect(window);
    const int barExtent = bHorz ? window.Height() : window.Width();
    if (barExtent != pRow->GetRowHeight())
        ResizeRow(pRow, barExtent, TRUE);
    m_lstControlBars.AddTail(pBar);
    RecalcParentLayout();
    pBar->ShowWindow(SW_SHOW);
}

BOOL CKGPDockBar::DockControlBarBefore(CKGPControlBar* pNewBar, CKGPControlBar* pExistingBar)
{
    CKGPDockBarRow* pRow = FindRowByBar(pExistingBar);
    if (pRow == nullptr)
        return FALSE;
    CRect existing;
    pExistingBar->GetWindowRect(existing);
    const CSize size = pNewBar->CalcFixedLayout(FALSE, IsHorizontal());
    CRect rect = existing;
    if (IsHorizontal()) {
        rect.right = existing.left - 10;
        rect.left = existing.left - size.cx - 10;
    } else {
        rect.bottom = existing.top - 10;
        rect.top = existing.top - size.cy - 10;
    }
    pNewBar->PrepareToDock(this, KGP_DM_RECT);
    pRow->m_bIncludeHidden = TRUE;
    pRow->AddControlBarAt(pNewBar, KGP_DM_RECT, rect, FALSE);
    pRow->m_bIncludeHidden = FALSE;
    m_lstControlBars.InsertBefore(m_lstControlBars.Find(pExistingBar), pNewBar);
    RecalcParentLayout();
    RepositionAllRows();
    return TRUE;
}

void CKGPDockBar::RemoveControlBar(CKGPBaseControlBar* pBar)
{
    POSITION pos = m_lstControlBars.Find(pBar);
    if (pos == nullptr)
        return;
    m_lstControlBars.RemoveAt(pos);
    if (CKGPDockBarRow* pRow = FindRowByBar(pBar))
        pRow->RemoveControlBar(static_cast<CKGPControlBar*>(pBar));
}

BOOL CKGPDockBar::MoveControlBar(CKGPControlBar* pBar, UINT, int dx, int dy)
{
    CKGPDockBarRow* pRow = pBar->GetDockBarRow();
    if (pRow == nullptr)
        return FALSE;
    CRect virt;
    pBar->GetVirtualRectScreen(virt);
    virt.OffsetRect(dx, dy);
    CKGPDockBar* pTarget = nullptr;
    if (pBar->ShouldChangeDockState(CKGPDockManager::s_nDockSensitivity, pTarget) &&
        pBar->FloatBar(virt, KGP_DM_MOUSE))
        return TRUE;

    const BOOL bHorz = IsHorizontal();
    CRect rowRect;
    pRow->GetRowRect(rowRect);
    BOOL bBefore = FALSE;
    CKGPDockBarRow* pRowUnder = FindRowAtPoint(virt.CenterPoint(), bBefore);
    const int shift = bHorz ? (std::min)(rowRect.bottom - virt.bottom, rowRect.top - virt.top)
                            : (std::min)(rowRect.right - virt.right, rowRect.left - virt.left);
    CRect window;
    pBar->GetWindowRect(window);
    const int extent = bHorz ? window.Height() : window.Width();

    if (KGPDock::LeavesRow(shift, extent)) {
        if (pRow->GetBarCount() >= 2 && shift < pRow->GetRowHeight()) {
            POSITION pos = m_lstDockBarRows.Find(pRow);
            if (shift < 0)
                pos = GetNextVisibleRow(pos, TRUE);
            CKGPDockBarRow* pNewRow = AddRow(pos, extent);
            if (pNewRow != nullptr) {
                pRow->RemoveControlBar(pBar);
                pNewRow->AddControlBar(pBar, KGP_DM_MOUSE);
            }
            return FALSE;
        }
        if (pRowUnder != nullptr && pRowUnder != pRow) {
            if (pRow->HasExclusiveBar() || pRowUnder->HasExclusiveBar()) {
                SwapRows(pRow, pRowUnder);
            } else {
                pRow->RemoveControlBar(pBar);
                pRowUnder->AddControlBar(pBar, KGP_DM_MOUSE);
            }
            pBar->m_bRowChanged = TRUE;
            return FALSE;
        }
    }
    if (abs(shift) >= pRow->GetRowHeight())
        return FALSE;
    pRow->MoveBarInRow(pBar, dx, dy, TRUE, TRUE);
    return FALSE;
}

void CKGPDockBar::ShiftRowsAfter(POSITION pos, int nDelta)
{
    if (pos == nullptr)
        return;
    m_lstDockBarRows.GetNext(pos);
    while (pos != nullptr)
        static_cast<CKGPDockBarRow*>(m_lstDockBarRows.GetNext(pos))->Move(nDelta);
}

void CKGPDockBar::OnInsertRow(POSITION pos)
{
    if (pos != nullptr)
        ShiftRowsAfter(pos, RowAt(m_lstDockBarRows, pos)->GetRowHeight());
}

void CKGPDockBar::OnRemoveRow(POSITION pos, BOOL bByShow)
{
    if (pos == nullptr)
        return;
    CKGPDockBarRow* pRow = RowAt(m_lstDockBarRows, pos);
    if (pRow->IsVisible() || bByShow)
        ShiftRowsAfter(pos, -pRow->GetRowHeight());
}

void CKGPDockBar::OnShowRow(POSITION pos, BOOL bShow)
{
    if (bShow)
        OnInsertRow(pos);
    else
        OnRemoveRow(pos, TRUE);
}

int CKGPDockBar::ExpandRow(CKGPDockBarRow* pRow, int nDelta)
{
    pRow->ExpandHeight(nDelta);
    if (pRow->IsVisible())
        ShiftRowsAfter(m_lstDockBarRows.Find(pRow), nDelta);
    return nDelta;
}

BOOL CKGPDockBar::SwapRows(CKGPDockBarRow* pFirst, CKGPDockBarRow* pSecond)
{
    POSITION posFirst = m_lstDockBarRows.Find(pFirst);
    POSITION posSecond = m_lstDockBarRows.Find(pSecond);
    if (posFirst == nullptr || posSecond == nullptr)
        return FALSE;
    if (GetNextVisibleRow(posFirst, TRUE) != posSecond) {
        if (GetNextVisibleRow(posSecond, TRUE) != posFirst)
            return FALSE;
        std::swap(pFirst, pSecond);
        std::swap(posFirst, posSecond);
    }
    // pFirst lies before pSecond: it moves away from the edge, pSecond towards it.
    m_lstDockBarRows.SetAt(posFirst, pSecond);
    m_lstDockBarRows.SetAt(posSecond, pFirst);
    const int firstHeight = pFirst->GetRowHeight();
    pFirst->Move(pSecond->GetRowHeight());
    pSecond->Move(-firstHeight);
    RepositionAllRows();
    return TRUE;
}

CKGPDockBarRow* CKGPDockBar::AddRow(POSITION pos, int nHeight)
{
    int offset = 0;
    for (POSITION walk = m_lstDockBarRows.GetHeadPosition(); walk != nullptr && walk != pos;) {
        auto* pRow = static_cast<CKGPDockBarRow*>(m_lstDockBarRows.GetNext(walk));
        if (pRow->IsVisible())
            offset += pRow->GetRowHeight();
    }
    CKGPDockBarRow* pRow = CreateRow(offset, nHeight);
    if (pRow == nullptr)
        return nullptr;
    ResizeDockBar(nHeight, TRUE);
    if (pos != nullptr)
        OnInsertRow(m_lstDockBarRows.InsertBefore(pos, pRow));
    else
        m_lstDockBarRows.AddTail(pRow);
    return pRow;
}

void CKGPDockBar::RemoveRow(CKGPDockBarRow* pRow)
{
    POSITION pos = m_lstDockBarRows.Find(pRow);
    if (pos == nullptr)
        return;
    if (pRow->IsVisible())
        ResizeDockBar(-pRow->GetRowHeight(), TRUE);
    OnRemoveRow(pos);
    m_lstDockBarRows.DeleteAt(pos);
}

void CKGPDockBar::RemoveEmptyRows()
{
    m_bKeepEmptyRows = FALSE;
    CObList empty;
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos != nullptr;) {
        auto* pRow = static_cast<CKGPDockBarRow*>(m_lstDockBarRows.GetNext(pos));
        if (pRow->IsEmpty())
            empty.AddTail(pRow);
    }
    for (POSITION pos = empty.GetHeadPosition(); pos != nullptr;)
        RemoveRow(static_cast<CKGPDockBarRow*>(empty.GetNext(pos)));
}

int CKGPDockBar::ResizeRow(CKGPDockBarRow* pRow, int nNewHeight, BOOL bAdjustLayout)
{
    const int delta = nNewHeight - pRow->GetRowHeight();
    if (delta < 0 && !pRow->IsEmpty()) {
        const CSize need = pRow->CalcFixedLayout(TRUE, IsHorizontal());
        if (nNewHeight < (IsHorizontal() ? need.cy : need.cx))
            return 0;
    }
    if (delta == 0)
        return 0;
    ExpandRow(pRow, delta);
    if (pRow->IsVisible())
        ResizeDockBar(delta, bAdjustLayout);
    return delta;
}

void CKGPDockBar::ShowRow(CKGPDockBarRow* pRow, BOOL bShow, BOOL bAdjustLayout)
{
    POSITION pos = m_lstDockBarRows.Find(pRow);
    if (pos == nullptr)
        return;
    OnShowRow(pos, bShow);
    const int height = pRow->GetRowHeight();
    ResizeDockBar(bShow ? height : -height, bAdjustLayout);
}

void CKGPDockBar::ResizeDockBar(int nDelta, BOOL bAdjustLayout)
{
    CRect rect;
    GetWindowRect(rect);
    if (CWnd* pParent = GetParent())
        pParent->ScreenToClient(rect);
    switch (GetCurrentAlignment()) {
    case CBRS_ALIGN_LEFT:
        rect.right += nDelta;
        break;
    case CBRS_ALIGN_TOP:
        rect.bottom += nDelta;
        break;
    case CBRS_ALIGN_RIGHT:
        rect.left -= nDelta;
        break;
    default:
        rect.top -= nDelta;
        break;
    }
    SetWindowPos(HWND{}, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (bAdjustLayout)
        RecalcParentLayout();
}

void CKGPDockBar::OnResizeDockBar(const CRect& rectNew)
{
    CRect client;
    GetClientRect(client);
    const int delta = IsHorizontal() ? rectNew.Width() - client.Width() : rectNew.Height() - client.Height();
    const int edge = IsHorizontal() ? WMSZ_RIGHT : WMSZ_BOTTOM;
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos != nullptr;) {
        auto* pRow = static_cast<CKGPDockBarRow*>(m_lstDockBarRows.GetNext(pos));
        if (delta != 0)
            pRow->ResizeRow(rectNew, edge, delta > 0, abs(delta));
        else
            pRow->RecalcLayout();
    }
}

void CKGPDockBar::RepositionAllRows()
{
    for (POSITION pos = m_lstDockBarRows.GetHeadPosition(); pos != nullptr;)
        static_cast<CKGPDockBarRow*>(m_lstDockBarRows.GetNext(pos))->RepositionBars(FALSE);
}

void CKGPDockBar::RecalcParentLayout()
{
    CWnd* pParent = GetParent();
    if (pParent == nullptr)
        return;
    // A library frame of any kind lays out its own docking (what it decides
    // reached through this bar's own dock manager, whose frame is the
    // parent); a dialog only marks that bars live in dialogs.
    CKGPDockManager* pManager = GetDockManager();
    if (IKGPDockSite* pSite = pManager != nullptr ? pManager->GetSite() : nullptr) {
        pSite->AdjustDockingLayout();
        return;
    }
    if (pParent->IsKindOf(RUNTIME_CLASS(CDialog)))
        GetKGPGlobalData().m_bBarsInDialog = TRUE;
    else if (CFrameWnd* pFrame = pParent->AsFrameWnd())
        pFrame->RecalcLayout();
}

HDWP CKGPDockBar::MoveDockBar(const CRect& rect, HDWP hdwp)
{
    OnResizeDockBar(CRect(0, 0, rect.Width(), rect.Height()));
    return SetBarWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE,
                           hdwp);
}

void CKGPDockBar::ShowControlBar(CKGPBaseControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL)
{
    if (CKGPDockBarRow* pRow = FindRowByBar(pBar))
        pRow->ShowControlBar(static_cast<CKGPControlBar*>(pBar), bShow, bDelay);
    if (!bDelay)
        RecalcParentLayout();
}

void CKGPDockBar::OnPaint()
{
    CPaintDC dc(this);
}

BOOL CKGPDockBar::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(client);
    CKGPVisualManager::GetInstance()->FillBarBackground(pDC, this, client, client);
    return TRUE;
}

void CKGPDockBar::OnDestroy()
{
    // The bars go with this window: they are let go first, so that none lays out a dying row.
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKGPBaseControlBar*>(m_lstControlBars.GetNext(pos));
        pBar->SetParentDockBar(nullptr);
        pBar->SetDockBarRow(nullptr);
    }
    m_lstControlBars.RemoveAll();
    m_lstDockBarRows.DeleteAll();
    RemoveFromDockManager();
    CKGPBaseControlBar::OnDestroy();
}

void CKGPDockBar::PostNcDestroy()
{
    delete this;
}

void CKGPDockBar::OnContextMenu(CWnd*, CPoint point)
{
    if (KGPMenuLinks::AreMenusBlocked() || IsDragModeAny())
        return;
    OnShowContextMenu(MenuFrame(), point);
}
