#include "guilib/docking/KGPDockBarRow.h"

#include "guilib/docking/KGPControlBar.h"
#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPRowArrangement.h"
#include "guilib/core/KGPVisualManager.h"

IMPLEMENT_DYNAMIC(CKGPDockBarRow, CObject)

namespace {

// Along-the-row and across-the-row views of a rectangle.
int Start(const CRect& r, BOOL bHorz) { return bHorz ? r.left : r.top; }
int Length(const CRect& r, BOOL bHorz) { return bHorz ? r.Width() : r.Height(); }
int Extent(const CRect& r, BOOL bHorz) { return bHorz ? r.Height() : r.Width(); }

} // namespace

CKGPDockBarRow::CKGPDockBarRow(CKGPDockBar* pParentDockBar, int nOffset, int nHeight)
    : m_pParentDockBar(pParentDockBar), m_nRowOffset(nOffset), m_nRowHeight(nHeight),
      m_dwRowAlignment(pParentDockBar->GetCurrentAlignment())
{
}

void CKGPDockBarRow::GetClientRect(CRect& rect) const
{
    m_pParentDockBar->CWnd::GetClientRect(rect);
    if (IsHorizontal()) {
        rect.top = m_nRowOffset;
        rect.bottom = rect.top + m_nRowHeight;
    } else {
        rect.left = m_nRowOffset;
        rect.right = rect.left + m_nRowHeight;
    }
}

void CKGPDockBarRow::GetRowRect(CRect& rect) const
{
    GetClientRect(rect);
    m_pParentDockBar->ClientToScreen(rect);
}

std::vector<CKGPControlBar*> CKGPDockBarRow::CountedBars() const
{
    std::vector<CKGPControlBar*> bars;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKGPControlBar*>(m_lstControlBars.GetNext(pos));
        if (m_bIncludeHidden || pBar->IsBarVisible())
            bars.push_back(pBar);
    }
    return bars;
}

int CKGPDockBarRow::RowLength() const
{
    CRect rect;
    GetClientRect(rect);
    return Length(rect, IsHorizontal());
}

BOOL CKGPDockBarRow::HasExclusiveBar() const
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        if (static_cast<CKGPControlBar*>(m_lstControlBars.GetNext(pos))->GetExclusiveRow() != 0)
            return TRUE;
    }
    return FALSE;
}

CSize CKGPDockBarRow::CalcFixedLayout(BOOL bStretch, BOOL bHorz) const
{
    if (!m_bVisible)
        return bHorz ? CSize(32767, 0) : CSize(0, 32767);
    CSize total(0, 0);
    for (CKGPControlBar* pBar : CountedBars()) {
        const CSize size = pBar->CalcFixedLayout(bStretch, bHorz);
        if (bHorz) {
            total.cx += size.cx;
            total.cy = (std::max)(total.cy, size.cy);
        } else {
            total.cx = (std::max)(total.cx, size.cx);
            total.cy += size.cy;
        }
    }
    LONG& cross = bHorz ? total.cy : total.cx;
    if (cross != 0)
        cross += m_nExtraHeight;
    return total;
}

int CKGPDockBarRow::GetMaxBarExtent() const
{
    int extent = 0;
    for (CKGPControlBar* pBar : CountedBars()) {
        CRect rect;
        pBar->GetWindowRect(rect);
        extent = (std::max)(extent, Extent(rect, IsHorizontal()));
    }
    return m_nExtraHeight != 0 ? extent + m_nExtraHeight : extent;
}

int CKGPDockBarRow::GetAvailableLength(BOOL bUseVirtual) const
{
    int available = RowLength();
    for (CKGPControlBar* pBar : CountedBars()) {
        CRect rect;
        if (bUseVirtual)
            pBar->GetVirtualRect(rect);
        else
            pBar->GetWindowRect(rect);
        available -= Length(rect, IsHorizontal());
    }
    return available;
}

void CKGPDockBarRow::LoadSpans(CKGPRowArrangement& row, const std::vector<CKGPControlBar*>& bars) const
{
    const BOOL bHorz = IsHorizontal();
    for (size_t i = 0; i < bars.size(); ++i) {
        const CRect window = ArrangedRect(bars[i]);
        CRect full;
        bars[i]->GetVirtualRect(full);
        CSize minSize;
        bars[i]->GetMinSize(minSize);
        KGPRowSpan span;
        span.start = Start(window, bHorz);
        span.length = Length(window, bHorz);
        span.minLength = (std::min)(span.length, static_cast<int>(bHorz ? minSize.cx : minSize.cy));
        span.fullLength = (std::max)(span.length, Length(full, bHorz));
        span.homeStart = full.IsRectNull() ? span.start : Start(full, bHorz);
        span.key = static_cast<int>(i);
        row.Spans().push_back(span);
    }
}

void CKGPDockBarRow::ApplySpans(const CKGPRowArrangement& row, const std::vector<CKGPControlBar*>& bars)
{
    const BOOL bHorz = IsHorizontal();
    for (const KGPRowSpan& span : row.Spans()) {
        CKGPControlBar* pBar = bars[static_cast<size_t>(span.key)];
        const CRect window = ArrangedRect(pBar);
        CRect placed = window;
        if (bHorz) {
            placed.left = span.start;
            placed.right = span.End();
        } else {
            placed.top = span.start;
            placed.bottom = span.End();
        }
        if (m_bOnLayoutRects)
            pBar->m_rectLayout = placed;
        else if (placed != window && m_hdwpBatch != nullptr)
            m_hdwpBatch = pBar->SetBarWindowPos(nullptr, placed.left, placed.top, placed.Width(), placed.Height(),
                                                SWP_NOZORDER | SWP_NOACTIVATE, m_hdwpBatch);
        else if (placed != window)
            pBar->SetWindowPos(HWND{}, placed.left, placed.top, placed.Width(), placed.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The list follows the order along the row (a swap changes it).
    size_t next = 0;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        POSITION current = pos;
        auto* pBar = static_cast<CKGPControlBar*>(m_lstControlBars.GetNext(pos));
        if (m_bIncludeHidden || pBar->IsBarVisible())
            m_lstControlBars.SetAt(current, bars[static_cast<size_t>(row.Spans()[next++].key)]);
    }
}

CRect CKGPDockBarRow::ArrangedRect(const CKGPControlBar* pBar) const
{
    if (m_bOnLayoutRects)
        return pBar->m_rectLayout;
    CRect window;
    pBar->GetWindowRect(window);
    m_pParentDockBar->ScreenToClient(window);
    return window;
}

int CKGPDockBarRow::IndexOf(const std::vector<CKGPControlBar*>& bars, const CKGPControlBar* pBar)
{
    for (size_t i = 0; i < bars.size(); ++i) {
        if (bars[i] == pBar)
            return static_cast<int>(i);
    }
    return -1;
}

template <class Operation>
void CKGPDockBarRow::Rearrange(CKGPControlBar*, Operation operation)
{
    if (m_bArranging)
        return;
    const std::vector<CKGPControlBar*> bars = CountedBars();
    if (bars.empty())
        return;
    m_bArranging = TRUE;
    CKGPRowArrangement row(RowLength());
    LoadSpans(row, bars);
    auto indexOf = [&](CKGPControlBar* pBar) { return IndexOf(bars, pBar); };
    operation(row, indexOf);
    ApplySpans(row, bars);
    m_bArranging = FALSE;
}

void CKGPDockBarRow::ArrangeBars(CKGPControlBar* pMovedBar)
{
    CRect client;
    GetClientRect(client);
    if (client.IsRectEmpty())
        return;
    Rearrange(pMovedBar, [&](CKGPRowArrangement& row, auto indexOf) { row.Arrange(indexOf(pMovedBar)); });
}

BOOL CKGPDockBarRow::MoveBarInRow(CKGPControlBar* pBar, int dx, int dy, BOOL bAllowSwap, BOOL bDefer)
{
    if (bDefer)
        m_hdwpBatch = ::BeginDeferWindowPos(static_cast<int>(m_lstControlBars.GetCount()));
    BOOL bMoved = FALSE;
    Rearrange(pBar, [&](CKGPRowArrangement& row, auto indexOf) {
        const int index = indexOf(pBar);
        if (index >= 0)
            bMoved = row.MoveInRow(static_cast<size_t>(index), IsHorizontal() ? dx : dy, bAllowSwap != FALSE);
    });
    if (m_hdwpBatch != nullptr) {
        ::EndDeferWindowPos(m_hdwpBatch);
        m_hdwpBatch = nullptr;
    }
    return bMoved;
}

void CKGPDockBarRow::ResizeRow(const CRect& rectNew, int nEdge, BOOL bGrow, int)
{
    if (rectNew.IsRectEmpty())
        return;
    const int newLength = Length(rectNew, IsHorizontal());
    // A bar filling its row is as long as the row now: grown with it, as far
    // as the row's other bars leave it room (it stood at the row's old length).
    for (CKGPControlBar* pBar : CountedBars()) {
        if (pBar->FillsItsRow())
            pBar->SetVirtualLength(newLength);
    }
    // Bars grow back towards their full sizes only when an edge moved out.
    const bool bGrowBack = nEdge != -1 && bGrow;
    // A bar keeping the row to itself keeps its size; it only stays inside.
    const BOOL bKeepSizes = HasExclusiveBar();
    Rearrange(nullptr, [&](CKGPRowArrangement& row, auto) {
        if (bKeepSizes)
            row.ResizeKeepingSizes(newLength, bGrowBack);
        else
            row.Resize(newLength, bGrowBack);
    });
}

void CKGPDockBarRow::GetWindowRectWithBars(CRect& rect) const
{
    GetRowRect(rect);
    for (CKGPControlBar* pBar : CountedBars()) {
        CRect window;
        pBar->GetWindowRect(window);
        if (IsHorizontal()) {
            rect.left = (std::min)(rect.left, window.left);
            rect.right = (std::max)(rect.right, window.right);
        } else {
            rect.top = (std::min)(rect.top, window.top);
            rect.bottom = (std::max)(rect.bottom, window.bottom);
        }
    }
}

void CKGPDockBarRow::CollectFollowingBars(CKGPControlBar* pBar, CObList& list) const
{
    POSITION pos = m_lstControlBars.Find(pBar);
    if (pos == nullptr)
        return;
    // Back to the bar that opens the group.
    while (pos != nullptr) {
        auto* pOther = static_cast<CKGPControlBar*>(m_lstControlBars.GetAt(pos));
        if (pOther->m_bGroupStart)
            break;
        POSITION previous = pos;
        m_lstControlBars.GetPrev(previous);
        if (previous == nullptr)
            break;
        pos = previous;
    }
    // On to the bar that closes it.
    while (pos != nullptr) {
        auto* pOther = static_cast<CKGPControlBar*>(m_lstControlBars.GetNext(pos));
        list.AddTail(pOther);
        if (pOther->m_bGroupEnd)
            break;
    }
}

CKGPControlBar* CKGPDockBarRow::GetFirstBar(BOOL bForward) const
{
    const std::vector<CKGPControlBar*> bars = CountedBars();
    if (bars.empty())
        return nullptr;
    return bForward ? bars.front() : bars.back();
}

int CKGPDockBarRow::GetOutsideAmount(CKGPControlBar* pBar, BOOL bForward) const
{
    if (pBar == nullptr)
        return 0;
    CRect window;
    pBar->GetWindowRect(window);
    m_pParentDockBar->ScreenToClient(window);
    const BOOL bHorz = IsHorizontal();
    return bForward ? -Start(window, bHorz) : Start(window, bHorz) + Length(window, bHorz) - RowLength();
}

int CKGPDockBarRow::GetFreeSpace(CKGPControlBar* pBar, BOOL bForward) const
{
    const std::vector<CKGPControlBar*> bars = CountedBars();
    const int index = IndexOf(bars, pBar);
    if (index < 0)
        return 0;
    CKGPRowArrangement row(RowLength());
    LoadSpans(row, bars);
    return row.GetFreeSpace(static_cast<size_t>(index), bForward != FALSE);
}

HDWP CKGPDockBarRow::MoveBarBy(CKGPControlBar* pBar, int nAmount, BOOL bForward, HDWP hdwp)
{
    if (!bForward)
        nAmount = -nAmount;
    CRect window;
    pBar->GetWindowRect(window);
    m_pParentDockBar->ScreenToClient(window);
    window.OffsetRect(IsHorizontal() ? nAmount : 0, IsHorizontal() ? 0 : nAmount);
    return pBar->SetBarWindowPos(nullptr, window.left, window.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE,
                                 hdwp);
}

void CKGPDockBarRow::MoveBarToOffset(CKGPControlBar* pBar, int nOffset)
{
    CRect window;
    pBar->GetWindowRect(window);
    m_pParentDockBar->ScreenToClient(window);
    pBar->SetWindowPos(HWND{}, IsHorizontal() ? nOffset : window.left, IsHorizontal() ? window.top : nOffset, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HDWP CKGPDockBarRow::MoveBarToRect(CKGPControlBar* pBar, const CRect& rect, HDWP hdwp)
{
    CRect window;
    pBar->GetWindowRect(window);
    m_pParentDockBar->ScreenToClient(window);
    if (IsHorizontal()) {
        window.left = rect.left;
        window.right = rect.right;
    } else {
        window.top = rect.top;
        window.bottom = rect.bottom;
    }
    return pBar->SetBarWindowPos(nullptr, window.left, window.top, window.Width(), window.Height(),
                                 SWP_NOZORDER | SWP_NOACTIVATE, hdwp);
}

void CKGPDockBarRow::ShiftBars(CKGPControlBar* pBar, int nAmount, BOOL bForward)
{
    Rearrange(pBar, [&](CKGPRowArrangement& row, auto indexOf) {
        const int index = pBar != nullptr ? indexOf(pBar) : (bForward ? 0 : static_cast<int>(row.Spans().size()) - 1);
        if (index >= 0)
            row.ShiftBars(static_cast<size_t>(index), nAmount, bForward != FALSE);
    });
}

void CKGPDockBarRow::ClampToRow(CKGPControlBar* pBar)
{
    Rearrange(pBar, [&](CKGPRowArrangement& row, auto indexOf) {
        const int index = indexOf(pBar);
        if (index >= 0)
            row.ClampToRow(static_cast<size_t>(index));
    });
}

void CKGPDockBarRow::SaveLayoutRects()
{
    for (CKGPControlBar* pBar : CountedBars()) {
        CRect window;
        pBar->GetWindowRect(window);
        m_pParentDockBar->ScreenToClient(window);
        pBar->m_rectLayout = window;
    }
}

void CKGPDockBarRow::ApplyLayoutRects()
{
    for (CKGPControlBar* pBar : CountedBars()) {
        CRect window;
        pBar->GetWindowRect(window);
        m_pParentDockBar->ScreenToClient(window);
        const CRect& placed = pBar->m_rectLayout;
        if (placed != window)
            pBar->SetWindowPos(HWND{}, placed.left, placed.top, placed.Width(), placed.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CKGPDockBarRow::RecalcLayout()
{
    SaveLayoutRects();
    m_bOnLayoutRects = TRUE;
    Rearrange(nullptr, [](CKGPRowArrangement& row, auto) { row.RestoreSizes(); });
    m_bOnLayoutRects = FALSE;
    ApplyLayoutRects();
}

void CKGPDockBarRow::RedrawBars()
{
    for (CKGPControlBar* pBar : CountedBars())
        pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void CKGPDockBarRow::PlaceBarsInSequence(int nStart, int nGap)
{
    constexpr int kAutoHideBorder = 1;
    const BOOL bHorz = IsHorizontal();
    const std::vector<CKGPControlBar*> bars = CountedBars();
    std::vector<KGPSequenceItem> items;
    for (CKGPControlBar* pBar : bars) {
        CRect window;
        pBar->GetWindowRect(window);
        items.push_back(KGPSequenceItem{Length(window, bHorz), pBar->m_bGroupStart != FALSE});
    }
    const std::vector<int> starts = PlaceInSequence(items, nStart, nGap, kAutoHideBorder,
                                                    CKGPVisualManager::GetInstance()->UsesAutoHideButtonStyle() != FALSE);
    for (size_t i = 0; i < bars.size(); ++i) {
        CRect window;
        bars[i]->GetWindowRect(window);
        m_pParentDockBar->ScreenToClient(window);
        bars[i]->SetWindowPos(HWND{}, bHorz ? starts[i] : window.left, bHorz ? window.top : starts[i], 0, 0,
                              SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        bars[i]->CalcSize(!bHorz);
    }
}

void CKGPDockBarRow::RestoreBarSizes()
{
    Rearrange(nullptr, [](CKGPRowArrangement& row, auto) { row.RestoreSizes(); });
}

void CKGPDockBarRow::RepositionBars(BOOL bToVirtual, CKGPControlBar* pSkipBar)
{
    for (CKGPControlBar* pBar : CountedBars()) {
        if (pBar == pSkipBar)
            continue;
        if (!bToVirtual) {
            pBar->UpdateVirtualRect();
            continue;
        }
        CRect window, full;
        pBar->GetWindowRect(window);
        m_pParentDockBar->ScreenToClient(window);
        pBar->GetVirtualRect(full);
        const int shift = Start(full, IsHorizontal()) - Start(window, IsHorizontal());
        if (shift != 0)
            pBar->SetWindowPos(HWND{}, window.left + (IsHorizontal() ? shift : 0),
                               window.top + (IsHorizontal() ? 0 : shift), 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CKGPDockBarRow::AddControlBar(CKGPControlBar* pBar, int method)
{
    CRect window;
    pBar->GetWindowRect(window);
    CPoint position = window.TopLeft();
    if (method == KGP_DM_MOUSE) {
        ::GetCursorPos(&position);
        CRect client;
        pBar->CWnd::GetClientRect(client);
        pBar->ClientToScreen(client);
        position -= pBar->GetDragOffset() + (client.TopLeft() - window.TopLeft());
    }
    m_pParentDockBar->ScreenToClient(&position);
    if (IsHorizontal())
        position.y = m_nRowOffset;
    else
        position.x = m_nRowOffset;
    pBar->SetWindowPos(HWND{}, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    InsertControlBar(pBar);
    pBar->UpdateVirtualRect();
}

void CKGPDockBarRow::AddControlBarAt(CKGPControlBar* pBar, int, LPCRECT lpRect, BOOL bAppendAfterLast)
{
    const BOOL bHorz = IsHorizontal();
    int along = 0;
    int across = m_nRowOffset;
    if (lpRect != nullptr && !::IsRectEmpty(lpRect)) {
        CRect rect(lpRect);
        m_pParentDockBar->ScreenToClient(rect);
        along = Start(rect, bHorz);
    } else {
        if (bAppendAfterLast) {
            int end = 0;
            for (CKGPControlBar* pOther : CountedBars()) {
                CRect window;
                pOther->GetWindowRect(window);
                m_pParentDockBar->ScreenToClient(window);
                end = (std::max)(end, Start(window, bHorz) + Length(window, bHorz));
            }
            along = end > 0 ? end + CKGPDockBar::s_nAutoHideGap : 0;
        }
        if (m_nFirstRowMark == 1)
            across += m_nExtraHeight;
    }
    // Along the row never shorter than the bar's minimum size, as the bar
    // keeps itself when its content changes: a bar placed shorter grew to it
    // at its next change.
    CSize size = pBar->CalcFixedLayout(FALSE, bHorz);
    CSize minimum;
    pBar->GetMinSize(minimum);
    if (bHorz)
        size.cx = (std::max)(size.cx, minimum.cx);
    else
        size.cy = (std::max)(size.cy, minimum.cy);
    pBar->SetWindowPos(HWND{}, bHorz ? along : across, bHorz ? across : along, size.cx, size.cy,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    InsertControlBar(pBar);
    pBar->UpdateVirtualRect();
}

void CKGPDockBarRow::InsertControlBar(CKGPControlBar* pBar)
{
    CRect window;
    pBar->GetWindowRect(window);
    POSITION pos = m_lstControlBars.GetHeadPosition();
    POSITION before = nullptr;
    while (pos != nullptr) {
        POSITION current = pos;
        auto* pOther = static_cast<CKGPControlBar*>(m_lstControlBars.GetNext(pos));
        if (pOther->IsBefore(window.TopLeft(), TRUE)) {
            before = current;
            break;
        }
    }
    if (before != nullptr)
        m_lstControlBars.InsertBefore(before, pBar);
    else
        m_lstControlBars.AddTail(pBar);
    UpdateVisibleState(TRUE);
    const int extent = Extent(window, IsHorizontal());
    if (extent > m_nRowHeight)
        m_pParentDockBar->ResizeRow(this, m_nExtraHeight + extent, TRUE);
    pBar->SetDockBarRow(this);
    ArrangeBars(pBar);
}

void CKGPDockBarRow::RemoveControlBar(CKGPControlBar* pBar)
{
    POSITION pos = m_lstControlBars.Find(pBar);
    if (pos == nullptr)
        return;
    m_lstControlBars.RemoveAt(pos);
    pBar->SetDockBarRow(nullptr);
    // A bar squeezed here leaves at its full length, once out of the row:
    // while in it, its growing made the row arrange it back to the length
    // it had.
    pBar->StretchBar(65535);
    if (!m_lstControlBars.IsEmpty()) {
        RepositionBars(TRUE, pBar);
        RestoreBarSizes();
        UpdateVisibleState(FALSE);
        const int height = GetMaxBarExtent();
        if (height < m_nRowHeight && height > 0)
            m_pParentDockBar->ResizeRow(this, height, TRUE);
        return;
    }
    if (!m_pParentDockBar->KeepsEmptyRows())
        m_pParentDockBar->RemoveRow(this);
}

BOOL CKGPDockBarRow::ReplaceControlBar(CKGPControlBar* pOld, CKGPControlBar* pNew)
{
    POSITION pos = m_lstControlBars.Find(pOld);
    if (pos == nullptr)
        return FALSE;
    m_lstControlBars.SetAt(pos, pNew);
    return TRUE;
}

BOOL CKGPDockBarRow::ShowControlBar(CKGPControlBar* pBar, BOOL bShow, BOOL bDeferLayout)
{
    if (m_lstControlBars.Find(pBar) == nullptr)
        return FALSE;
    pBar->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    UpdateVisibleState(bDeferLayout);
    if (bShow) {
        if (!bDeferLayout) {
            pBar->OnRelayoutHook();
            ArrangeBars(pBar);
        }
    } else {
        // A bar squeezed here is hidden at its full length, the length a
        // restart brings a hidden bar back at (the row no longer arranges
        // it; shown again, it is arranged anew).
        pBar->StretchBar(65535);
        RestoreBarSizes();
    }
    if (!bDeferLayout) {
        CRect client;
        GetClientRect(client);
        m_pParentDockBar->OnResizeDockBar(client);
        ResizeRow(client, -1, FALSE, 0);
    }
    return TRUE;
}

void CKGPDockBarRow::ExpandHeight(int nDelta)
{
    m_nRowHeight += nDelta;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;)
        static_cast<CKGPControlBar*>(m_lstControlBars.GetNext(pos))->AdjustHostLayout();
}

void CKGPDockBarRow::Move(int nDelta)
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;)
        static_cast<CKGPControlBar*>(m_lstControlBars.GetNext(pos))->MoveVirtualRectByAlignment(m_dwRowAlignment,
                                                                                                 nDelta);
    m_nRowOffset += nDelta;
}

void CKGPDockBarRow::UpdateVisibleState(BOOL bAdjust)
{
    const BOOL bParentHidden = !m_pParentDockBar->GetParent()->IsWindowVisible();
    BOOL bVisible = FALSE;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr && !bVisible;) {
        auto* pBar = static_cast<CKGPControlBar*>(m_lstControlBars.GetNext(pos));
        if (bParentHidden && pBar->IsStateRestored())
            bVisible = pBar->GetRecentVisibleState();
        else
            bVisible = (pBar->GetStyle() & WS_VISIBLE) != 0;
    }
    if (bVisible != m_bVisible)
        ShowRow(bVisible, bAdjust);
}

void CKGPDockBarRow::ShowRow(BOOL bShow, BOOL bAdjust)
{
    m_bVisible = bShow;
    m_pParentDockBar->ShowRow(this, bShow, bAdjust);
}
