#include "guilib/controls/KGPHeaderCtrl.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMemDC.h"
#include "guilib/core/KGPVisualManager.h"

#include <optional>

IMPLEMENT_DYNAMIC(CKGPHeaderCtrl, CHeaderCtrl)

namespace {
constexpr int kArrowWidth = 12;
constexpr int kTextMargin = 6;
} // namespace

void CKGPHeaderCtrl::SetSortColumn(int nColumn, BOOL bAscending, BOOL bRedraw)
{
    m_nSortColumn = nColumn < 0 ? -1 : nColumn;
    m_bAscending = bAscending ? TRUE : FALSE;
    if (bRedraw && m_hWnd != nullptr) {
        Invalidate();
    }
}

int CKGPHeaderCtrl::ItemFromPoint(POINT pt) const
{
    HDHITTESTINFO hit{};
    hit.pt = pt;
    const int item = static_cast<int>(::SendMessageW(m_hWnd, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & HHT_ONHEADER) != 0 ? item : -1;
}

void CKGPHeaderCtrl::DrawItem(CDC* pDC, int nItem, CRect rect, BOOL bPressed, BOOL bHot)
{
    CKGPVisualManager* manager = CKGPVisualManager::GetInstance();
    manager->OnDrawHeaderCtrlBorder(this, pDC, rect, bPressed, bHot);

    wchar_t text[260] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    ::SendMessageW(m_hWnd, HDM_GETITEMW, nItem, reinterpret_cast<LPARAM>(&item));

    CRect textRect = rect;
    textRect.DeflateRect(kTextMargin, 0);
    if (nItem == m_nSortColumn) {
        CRect arrow(textRect.right - kArrowWidth, rect.top, textRect.right, rect.bottom);
        manager->OnDrawHeaderCtrlSortArrow(this, pDC, arrow, m_bAscending);
        textRect.right -= kArrowWidth + 2;
    }
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
    if ((item.fmt & HDF_JUSTIFYMASK) == HDF_CENTER) {
        format |= DT_CENTER;
    } else if ((item.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT) {
        format |= DT_RIGHT;
    }
    if (bPressed) {
        textRect.OffsetRect(1, 1);
    }
    ::SetBkMode(pDC->m_hDC, TRANSPARENT);
    ::SetTextColor(pDC->m_hDC, manager->GetHeaderCtrlTextColor(this, bPressed, bHot));
    ::DrawTextW(pDC->m_hDC, text, -1, &textRect, format);
}

void CKGPHeaderCtrl::PaintHeader(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CKGPVisualManager::GetInstance()->OnFillHeaderCtrlBackground(this, pDC, client);
    HFONT font = GetFontHandle();
    if (font == nullptr) {
        font = GetKGPGlobalData().GetRegularFont();
    }
    const CSelectionScope selected(pDC->m_hDC, font);
    const int count = GetItemCount();
    for (int i = 0; i < count; ++i) {
        CRect rect;
        if (GetItemRect(i, &rect)) {
            DrawItem(pDC, i, rect, i == m_nPressedItem, i == m_nHotItem);
        }
    }
}

LRESULT CKGPHeaderCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT: {
        // A paint draws into its own DC (ended after the buffer is copied
        // in); a print request brings the caller's.
        std::optional<CPaintDC> paint;
        if (message == WM_PAINT) {
            paint.emplace(this);
        }
        CDC& target = paint ? *paint : *CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        CKGPMemDC buffer(target, this);
        PaintHeader(&buffer.GetDC());
        return 0;
    }
    case WM_MOUSEMOVE: {
        const int hot = ItemFromPoint(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        if (hot != m_nHotItem) {
            m_nHotItem = hot;
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, 0};
            ::TrackMouseEvent(&track);
            Invalidate(FALSE);
        }
        break;
    }
    case WM_MOUSELEAVE:
        m_nHotItem = -1;
        Invalidate(FALSE);
        break;
    case WM_LBUTTONDOWN:
        m_nPressedItem = ItemFromPoint(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        Invalidate(FALSE);
        break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (m_nPressedItem != -1) {
            m_nPressedItem = -1;
            Invalidate(FALSE);
        }
        break;
    default:
        break;
    }
    return CHeaderCtrl::WindowProc(message, wParam, lParam);
}
