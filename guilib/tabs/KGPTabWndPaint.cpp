// The tab window's painting (frame, strip and tabs through the visual
// manager) and its mouse on top of the base: the splitters (the shared
// scroll bar's and the MDI groups'), the strip's buttons and the MDI tabs'
// moves between groups.
#include "guilib/tabs/KGPTabWnd.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMemDC.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/tabs/KGPTabGroupMessages.h"

namespace {

constexpr COLORREF kDefaultColor = static_cast<COLORREF>(-1);

}  // namespace

BOOL CKGPTabWnd::OnEraseBkgnd(CDC* pDC)
{
    if (GetVisibleTabsNum() == 0) {
        CRect client;
        GetClientRect(client);
        ::FillRect(pDC->GetSafeHdc(), client, GetKGPGlobalData().GetBtnFaceBrush());
    }
    return TRUE;
}

void CKGPTabWnd::OnPaint()
{
    // The buffer is clipped to what needs painting, so that tabs outside it
    // are not drawn at all.
    CGdiHandle<HRGN> update(::CreateRectRgn(0, 0, 0, 0));
    const int updateKind = ::GetUpdateRgn(m_hWnd, update.Get(), FALSE);
    CPaintDC paint(this);
    CKGPMemDC memory(paint, this);
    CDC& dc = memory.GetDC();
    if (memory.IsMemDC() && (updateKind == SIMPLEREGION || updateKind == COMPLEXREGION))
        ::SelectClipRgn(dc.GetSafeHdc(), update.Get());
    CKGPVisualManager* pManager = CKGPVisualManager::GetInstance();
    const CKGPGlobalData& data = GetKGPGlobalData();

    COLORREF clrDark = 0, clrBlack = 0, clrHighlight = 0, clrFace = 0, clrDarkShadow = 0, clrLight = 0;
    CBrush* pbrFace = nullptr;
    CBrush* pbrBlack = nullptr;
    pManager->GetTabFrameColors(this, clrDark, clrBlack, clrHighlight, clrFace, clrDarkShadow, clrLight, pbrFace,
                                pbrBlack);

    CRect client;
    GetClientRect(client);
    if (!pManager->EraseTabsFrame(&dc, client, this))
        dc.FillSolidRect(client, clrFace);
    if (!m_rectTabsArea.IsRectEmpty())
        pManager->EraseTabsArea(&dc, m_rectTabsArea, this);

    // The border around the window area.
    if (m_nTabBorderSize > 0 && !m_rectWndArea.IsRectEmpty()) {
        CRect border = m_rectWndArea;
        border.InflateRect(1, 1);
        dc.Draw3dRect(border, clrDark, clrHighlight);
    }

    if (m_rectTabsArea.Width() > 5 && m_rectTabsArea.Height() > 5 && GetTabsHeight() > 0) {
        const int saved = dc.SaveDC();
        dc.IntersectClipRect(m_rectTabsArea);
        dc.SetBkMode(TRANSPARENT);
        HFONT font = m_style.flat ? static_cast<HFONT>(m_fntTabs.GetSafeHandle()) : data.GetRegularFont();
        CSelectionScope selected(dc.GetSafeHdc(), font);
        for (int i = m_iTabsNum - 1; i >= 0; --i) {
            if (i == m_iActiveTab)
                continue;
            dc.SetTextColor(data.clrBtnText);
            DrawTabClipped(&dc, i, FALSE);
        }
        if (IsValidTab(m_iActiveTab)) {
            dc.SetTextColor(data.clrWindowText);
            DrawTabClipped(&dc, m_iActiveTab, TRUE);
        }
        dc.RestoreDC(saved);
    }
    if (!m_rectGroupSplitter.IsRectEmpty())
        dc.FillSolidRect(m_rectGroupSplitter, clrFace);
    if (!m_rectTabSplitter.IsRectEmpty()) {
        dc.FillSolidRect(m_rectTabSplitter, clrFace);
        dc.Draw3dRect(m_rectTabSplitter, clrHighlight, clrDark);
    }
}

void CKGPTabWnd::DrawTabClipped(CDC* pDC, int iTab, BOOL bIsActive)
{
    const CKGPTabInfo* pTab = Tab(iTab);
    // Tabs outside what is being repainted are not drawn.
    if (!pTab->m_bVisible || pTab->m_rect.IsRectEmpty() || !pDC->RectVisible(pTab->m_rect))
        return;
    if (m_style.flat) {
        DrawTab(pDC, iTab, bIsActive);
        return;
    }
    CRect meet;
    if (!meet.IntersectRect(pTab->m_rect, m_rectTabsArea))
        return;
    if (m_style.Overlapping() && pTab->m_rect.left < m_rectTabsArea.left)
        return;
    DrawTab(pDC, iTab, bIsActive);
}

void CKGPTabWnd::DrawTab(CDC* pDC, int iTab, BOOL bIsActive)
{
    const CKGPTabInfo* pTab = Tab(iTab);
    CRect rect = pTab->m_rect;
    const COLORREF clrBack = GetTabBkColor(iTab);
    if (m_style.flat) {
        // A trapezoid leaning on the window area.
        const int slant = rect.Height() / 2;
        POINT points[4];
        if (m_location == LOCATION_BOTTOM) {
            points[0] = {rect.left, rect.top};
            points[1] = {rect.left + slant, rect.bottom};
            points[2] = {rect.right - slant, rect.bottom};
            points[3] = {rect.right, rect.top};
        } else {
            points[0] = {rect.left, rect.bottom};
            points[1] = {rect.left + slant, rect.top};
            points[2] = {rect.right - slant, rect.top};
            points[3] = {rect.right, rect.bottom};
        }
        const COLORREF fill = bIsActive ? GetActiveTabColor()
                                        : (clrBack != kDefaultColor ? clrBack : GetKGPGlobalData().clrBtnFace);
        CGdiHandle<HBRUSH> brush(::CreateSolidBrush(fill));
        CGdiHandle<HPEN> pen(::CreatePen(PS_SOLID, 1, GetKGPGlobalData().clrBtnDkShadow));
        CSelectionScope brushSelected(pDC->GetSafeHdc(), brush.Get());
        CSelectionScope penSelected(pDC->GetSafeHdc(), pen.Get());
        pDC->Polygon(points, 4);
        if (bIsActive) {
            // Joined to the window area by a line of the active colour.
            const int y = m_location == LOCATION_BOTTOM ? rect.top : rect.bottom - 1;
            pDC->FillSolidRect(rect.left + 1, y, rect.Width() - 1, 1, fill);
        }
        CSelectionScope font(pDC->GetSafeHdc(), bIsActive ? m_fntTabsBold.GetSafeHandle() : m_fntTabs.GetSafeHandle());
        if (bIsActive)
            pDC->SetTextColor(GetActiveTabTextColor());
        CRect text = rect;
        text.DeflateRect(slant, 0);
        DrawLabel(pDC, iTab, text, bIsActive);
        return;
    }

    CKGPVisualManager::GetInstance()->DrawTab(pDC, rect, iTab, bIsActive, this);
    if (clrBack != kDefaultColor) {
        CRect inner = rect;
        inner.DeflateRect(1, 1);
        if (m_style.Overlapping())
            inner.DeflateRect(inner.Height() / 2, 0);
        pDC->FillSolidRect(inner, clrBack);
    }
    const BOOL bBold = bIsActive && m_bIsActiveTabBold;
    CSelectionScope font(pDC->GetSafeHdc(), bBold ? GetKGPGlobalData().GetBoldFont() : nullptr);
    // The left part of a slanted tab lies under the tab before it.
    CRect text = rect;
    text.left += Overlap();
    DrawLabel(pDC, iTab, text, bIsActive);
}

void CKGPTabWnd::DrawLabel(CDC* pDC, int iTab, CRect rect, BOOL bIsActive)
{
    const CKGPTabInfo* pTab = Tab(iTab);
    rect.DeflateRect(kgp::tabs::kTextMargin, 0);
    if (HasImage(iTab) && m_sizeImage.cx > 0) {
        const int y = rect.top + (rect.Height() - m_sizeImage.cy) / 2;
        if (pTab->m_hIcon.Get() != nullptr)
            ::DrawIconEx(pDC->GetSafeHdc(), rect.left, y, pTab->m_hIcon.Get(), m_sizeImage.cx, m_sizeImage.cy, 0,
                         nullptr, DI_NORMAL);
        else if (HIMAGELIST images = GetImageList())
            ::ImageList_Draw(images, static_cast<int>(pTab->m_uiIcon), pDC->GetSafeHdc(), rect.left, y,
                             ILD_TRANSPARENT);
        rect.left += m_sizeImage.cx + m_nImageMargin;
    }
    if (pTab->m_bIconOnly || rect.Width() <= 0)
        return;
    const COLORREF clrText = GetTabTextColor(iTab);
    const COLORREF previous = clrText != kDefaultColor ? pDC->SetTextColor(clrText) : kDefaultColor;
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | (m_style.flat ? DT_CENTER : DT_LEFT);
    if (m_bLabelNoPrefix)
        format |= DT_NOPREFIX;
    (void)bIsActive;
    pDC->DrawText(pTab->m_strText, rect, format);
    if (previous != kDefaultColor)
        pDC->SetTextColor(previous);
}

// ---- Mouse.

void CKGPTabWnd::StartGroupSplitterDrag(CPoint point)
{
    CRect bounds;
    CWnd* pParent = GetParent();
    if (pParent == nullptr || !KGPTabGroupMessages::SendGetDragBounds(pParent, nullptr, bounds) ||
        bounds.IsRectEmpty())
        return;
    m_rectDragBounds = bounds;
    m_bTrackGroupSplitter = TRUE;
    SetCapture();
    m_rectTracker = m_rectGroupSplitter;
    ClientToScreen(m_rectTracker);
    (void)point;
    DrawGroupSplitterTracker(m_rectTracker);
}

void CKGPTabWnd::DrawGroupSplitterTracker(const CRect& rectTracker)
{
    CWindowDCHandle screen(nullptr);
    CDC* pDC = CDC::FromHandle(screen.Get());
    const int edge = (m_nSplitterMode == 1 ? rectTracker.Width() : rectTracker.Height()) / 2 + 1;
    pDC->DrawDragRect(rectTracker, CSize(edge, edge), nullptr, CSize(0, 0));
}

BOOL CKGPTabWnd::IsMDITabDragged(CPoint point, CPoint& screen) const
{
    screen = point;
    ClientToScreen(&screen);
    if (!m_bIsMDITab || !m_bTabDragTracking)
        return FALSE;
    return std::abs(point.x - m_ptStartDrag.x) >= ::GetSystemMetrics(SM_CXDRAG) ||
           std::abs(point.y - m_ptStartDrag.y) >= ::GetSystemMetrics(SM_CXDRAG);
}

BOOL CKGPTabWnd::IsOverOwnFrame(CPoint screen) const
{
    const HWND under = ::WindowFromPoint(screen);
    return under != nullptr && ::GetAncestor(under, GA_ROOT) == ::GetAncestor(m_hWnd, GA_ROOT);
}

void CKGPTabWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_rectTabSplitter.PtInRect(point)) {
        m_bTrackSplitter = TRUE;
        SetCapture();
        return;
    }
    if (m_rectGroupSplitter.PtInRect(point)) {
        StartGroupSplitterDrag(point);
        return;
    }
    if (m_bIsMDITab) {
        const int iTab = GetTabFromPoint(point);
        if (iTab >= 0 && iTab == m_iActiveTab)
            ActivateMDIChild();
    }
    CKGPBaseTabWnd::OnLButtonDown(nFlags, point);
    if (m_bTabDragTracking)
        return;
    if (CWnd* pChild = GetChildAtPoint(point)) {
        CPoint inChild = point;
        MapWindowPoints(pChild, &inChild, 1);
        pChild->SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(inChild.x, inChild.y));
    }
}

void CKGPTabWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bTrackGroupSplitter) {
        CPoint screen = point;
        ClientToScreen(&screen);
        CRect tracker = m_rectTracker;
        if (m_nSplitterMode == 1) {
            const int width = tracker.Width();
            tracker.left = std::clamp<int>(screen.x - width / 2, m_rectDragBounds.left, m_rectDragBounds.right - width);
            tracker.right = tracker.left + width;
        } else {
            const int height = tracker.Height();
            tracker.top = std::clamp<int>(screen.y - height / 2, m_rectDragBounds.top, m_rectDragBounds.bottom - height);
            tracker.bottom = tracker.top + height;
        }
        if (tracker != m_rectTracker) {
            DrawGroupSplitterTracker(m_rectTracker);
            m_rectTracker = tracker;
            DrawGroupSplitterTracker(m_rectTracker);
        }
        return;
    }
    if (m_bTrackSplitter) {
        const int right = m_rectTabsArea.right + m_rectTabSplitter.Width() + m_nHorzScrollWidth;
        const int width = right - point.x;
        const int stripWidth = m_rectTabsArea.Width() + m_rectTabSplitter.Width() + m_nHorzScrollWidth;
        m_nHorzScrollWidth = std::max(2 * ::GetSystemMetrics(SM_CXHSCROLL), std::min(width, stripWidth - 5));
        RecalcLayout();
        return;
    }
    CPoint screen;
    if (IsMDITabDragged(point, screen) && GetParent() != nullptr) {
        // Over another window nothing is proposed: the drop marker goes.
        if (!IsOverOwnFrame(screen))
            KGPTabGroupMessages::SendCancelTabMove(GetParent(), this);
        else if (KGPTabGroupMessages::SendTabGroupMouseMove(GetParent(), this, screen))
            return;
    }
    CKGPBaseTabWnd::OnMouseMove(nFlags, point);
}

void CKGPTabWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bTrackGroupSplitter) {
        DrawGroupSplitterTracker(m_rectTracker);
        m_bTrackGroupSplitter = FALSE;
        CRect window;
        GetWindowRect(window);
        if (m_nSplitterMode == 1)
            window.right = m_rectTracker.right;
        else
            window.bottom = m_rectTracker.bottom;
        if (GetCapture() == this)
            ReleaseCapture();
        if (CWnd* pParent = GetParent())
            KGPTabGroupMessages::SendDragComplete(pParent, this, window);
        return;
    }
    if (m_bTrackSplitter) {
        m_bTrackSplitter = FALSE;
        if (GetCapture() == this)
            ReleaseCapture();
        return;
    }
    CPoint screen;
    const BOOL bDragged = IsMDITabDragged(point, screen) && GetParent() != nullptr;
    // Let go over another window (a floating pane over the documents, say),
    // the tab goes nowhere.
    const BOOL bOver = bDragged && IsOverOwnFrame(screen);
    const BOOL bDropped = bOver && !IsPtInTabArea(point);
    // The drag ends first: the drop may move this tab to another group.
    CKGPBaseTabWnd::OnLButtonUp(nFlags, point);
    if (bDropped)
        KGPTabGroupMessages::SendMoveTabComplete(GetParent(), this, screen);
    else if (bOver)
        ActivateMDIChild(); // let go on the strip: its document stays the active one
    else if (bDragged)
        KGPTabGroupMessages::SendCancelTabMove(GetParent(), this);
}

void CKGPTabWnd::OnCancelMode()
{
    if (m_bIsMDITab && m_bTabDragTracking && GetParent() != nullptr)
        KGPTabGroupMessages::SendCancelTabMove(GetParent(), this);
    CKGPBaseTabWnd::OnCancelMode();
    if (m_bTrackGroupSplitter) {
        DrawGroupSplitterTracker(m_rectTracker);
        m_bTrackGroupSplitter = FALSE;
    }
    m_bTrackSplitter = FALSE;
}

void CKGPTabWnd::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (CWnd* pChild = GetChildAtPoint(point)) {
        CPoint inChild = point;
        MapWindowPoints(pChild, &inChild, 1);
        pChild->SendMessage(WM_LBUTTONDBLCLK, nFlags, MAKELPARAM(inChild.x, inChild.y));
        return;
    }
    CKGPBaseTabWnd::OnLButtonDblClk(nFlags, point);
}

BOOL CKGPTabWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    if (m_rectTabSplitter.PtInRect(point)) {
        ::SetCursor(GetKGPGlobalData().GetSplitterCursor(FALSE));
        return TRUE;
    }
    if (m_rectGroupSplitter.PtInRect(point)) {
        ::SetCursor(GetKGPGlobalData().GetSplitterCursor(m_nSplitterMode == 2));
        return TRUE;
    }
    return CKGPBaseTabWnd::OnSetCursor(pWnd, nHitTest, message);
}
