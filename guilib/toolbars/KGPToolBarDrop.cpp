// Where a button dragged over the toolbar would land, and the I-beam marker
// that shows it.
#include "guilib/toolbars/KGPToolBar.h"

int CKGPToolBar::DropIndexAt(CPoint point, CRect& rectMarker) const
{
    CRect client;
    GetClientRect(client);
    const kgp::DropTarget target =
        kgp::DropIndexAt(PlacedItems(), kgp::Box{client.left, client.top, client.right, client.bottom},
                         IsHorizontal() != FALSE, RowHeight() + kgp::kRowGap, point.x, point.y);
    rectMarker.SetRect(target.marker.left, target.marker.top, target.marker.right, target.marker.bottom);
    return target.index;
}

void CKGPToolBar::SetInsertMarker(int iIndex, const CRect& rectMarker)
{
    if (iIndex == m_customize.markIndex && rectMarker == m_customize.markRect)
        return;
    CRect old = m_customize.markRect;
    old.InflateRect(3, 3);
    InvalidateRect(old);
    m_customize.markIndex = iIndex;
    m_customize.markRect = iIndex >= 0 ? rectMarker : CRect();
    CRect now = m_customize.markRect;
    now.InflateRect(3, 3);
    InvalidateRect(now);
}

void CKGPToolBar::DrawInsertMarker(CDC* pDC)
{
    const CSelectionScope selected(*pDC, m_customize.markPen);
    const CRect& r = m_customize.markRect;
    for (int offset = 0; offset < 2; ++offset) {
        if (IsHorizontal()) {
            const int x = (r.left + r.right) / 2 + offset;
            pDC->MoveTo(x, r.top);
            pDC->LineTo(x, r.bottom);
            pDC->MoveTo(x - 2, r.top + offset);
            pDC->LineTo(x + 3, r.top + offset);
            pDC->MoveTo(x - 2, r.bottom - 1 - offset);
            pDC->LineTo(x + 3, r.bottom - 1 - offset);
        } else {
            const int y = (r.top + r.bottom) / 2 + offset;
            pDC->MoveTo(r.left, y);
            pDC->LineTo(r.right, y);
            pDC->MoveTo(r.left + offset, y - 2);
            pDC->LineTo(r.left + offset, y + 3);
            pDC->MoveTo(r.right - 1 - offset, y - 2);
            pDC->LineTo(r.right - 1 - offset, y + 3);
        }
    }
}

void CKGPToolBar::ClearInsertMarker()
{
    if (m_bDropsElsewhere)
        return;
    CRect old = m_customize.markRect;
    old.InflateRect(2, 2);
    InvalidateRect(old);
    m_customize.markRect.SetRectEmpty();
    m_customize.markIndex = -1;
}

void CKGPToolBar::ButtonRectForMarker(CKGPToolbarButton* pButton, CRect& rect, BOOL bRowEnd) const
{
    rect = pButton->m_rcButton;
    if (bRowEnd && pButton->m_bRowBreak) {
        CRect client;
        GetClientRect(client);
        rect = CRect(client.left, rect.bottom, client.right, rect.bottom + kgp::kRowGap);
    }
}
