#include "widgets/TreeCtrlBT.h"

#include "widgets/WidgetLook.h"

#include <cstring>

CTreeCtrlBT::~CTreeCtrlBT() = default;

HTREEITEM CTreeCtrlBT::InsertItemWithBitmap(LPCTSTR text, HTREEITEM hParent, UINT nBitmapId)
{
    HTREEITEM item = InsertItem(text, hParent != nullptr ? hParent : TVI_ROOT, TVI_LAST);
    if (item == nullptr) {
        return nullptr;
    }
    auto record = std::make_unique<Record>();
    record->bitmapId = nBitmapId;
    if (nBitmapId != 0) {
        // A language library holds texts only: its images come from the program.
        const LPCWSTR name = MAKEINTRESOURCEW(nBitmapId);
        const CGdiHandle<HBITMAP> bitmap(static_cast<HBITMAP>(
            ::LoadImageW(AfxFindResourceHandle(name, RT_BITMAP), name, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
        record->image = widgets::CKeyedImage(bitmap.Get(), widgets::kLookMagentaKey);
    }
    m_records[item] = std::move(record);
    return item;
}

void CTreeCtrlBT::DeleteAllItemsWithRecords()
{
    m_dropTarget = nullptr;
    if (m_hWnd != nullptr) {
        DeleteAllItems();
    }
    m_records.clear();
}

BOOL CTreeCtrlBT::SelectTreeItem(HTREEITEM hItem)
{
    return SelectItem(hItem);
}

UINT CTreeCtrlBT::GetItemBitmapId(HTREEITEM hItem) const
{
    const auto found = m_records.find(hItem);
    return found != m_records.end() ? found->second->bitmapId : 0;
}

bool CTreeCtrlBT::HasItemBitmap(HTREEITEM hItem) const
{
    const auto found = m_records.find(hItem);
    return found != m_records.end() && static_cast<bool>(found->second->image);
}

HTREEITEM CTreeCtrlBT::OnDragOver(CPoint ptScreen)
{
    POINT client = ptScreen;
    ::ScreenToClient(m_hWnd, &client);
    TVHITTESTINFO hit{};
    hit.pt = client;
    auto item = reinterpret_cast<HTREEITEM>(::SendMessageW(m_hWnd, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if ((hit.flags & TVHT_ONITEM) == 0) {
        item = nullptr;
    }
    if (item != m_dropTarget) {
        m_dropTarget = item;
        Select(item, TVGN_DROPHILITE);
    }
    return item;
}

void CTreeCtrlBT::OnDragEnd()
{
    if (m_dropTarget != nullptr) {
        m_dropTarget = nullptr;
        Select(nullptr, TVGN_DROPHILITE);
    }
}

void CTreeCtrlBT::DrawItem(NMTVCUSTOMDRAW* draw)
{
    HDC dc = draw->nmcd.hdc;
    auto item = reinterpret_cast<HTREEITEM>(draw->nmcd.dwItemSpec);
    RECT row = draw->nmcd.rc;
    const bool selected = (draw->nmcd.uItemState & CDIS_SELECTED) != 0 || item == m_dropTarget;
    RECT face = row;
    ::InflateRect(&face, -2, -1);
    widgets::FillRoundRect(dc, row, 0, widgets::kLookWhite, widgets::kLookWhite);
    if (selected) {
        widgets::FillRoundRect(dc, face, 8, widgets::kLookLightGreen, widgets::kLookGreen);
    }
    // TVM_GETITEMRECT takes the item in the rectangle it fills.
    RECT text{};
    std::memcpy(&text, &item, sizeof(item));
    int left = row.left + 8;
    if (::SendMessageW(m_hWnd, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&text))) {
        left = text.left;
    }
    const auto found = m_records.find(item);
    if (found != m_records.end() && found->second->image) {
        const widgets::CKeyedImage& image = found->second->image;
        const SIZE size = image.Size();
        image.Draw(dc, RECT{left, row.top, left + size.cx, row.bottom});
        left += size.cx + 6;
    }
    const CString label = GetItemText(item);
    RECT labelRect{left, row.top, row.right - 4, row.bottom};
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, selected ? widgets::kLookDarkGreen : widgets::kLookText);
    const CSelectionScope font(dc, widgets::GetTextFont());
    ::DrawTextW(dc, label, -1, &labelRect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

BOOL CTreeCtrlBT::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == TVN_SELCHANGEDW || header->code == TVN_SELCHANGEDA) {
            auto* change = reinterpret_cast<NMTREEVIEWW*>(lParam);
            if (HWND parent = ::GetParent(m_hWnd)) {
                ::SendMessageW(parent, kMsgItemSelected, reinterpret_cast<WPARAM>(change->itemNew.hItem), 0);
            }
            return FALSE;  // the parent may look at the notification too
        }
        if (header->code == NM_CUSTOMDRAW) {
            auto* draw = reinterpret_cast<NMTVCUSTOMDRAW*>(lParam);
            switch (draw->nmcd.dwDrawStage) {
            case CDDS_PREPAINT:
                *pResult = CDRF_NOTIFYITEMDRAW;
                return TRUE;
            case CDDS_ITEMPREPAINT:
                DrawItem(draw);
                *pResult = CDRF_SKIPDEFAULT;
                return TRUE;
            default:
                *pResult = CDRF_DODEFAULT;
                return TRUE;
            }
        }
    }
    return CTreeCtrl::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CTreeCtrlBT::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == TVM_DELETEITEM) {
        auto item = reinterpret_cast<HTREEITEM>(lParam);
        const LRESULT result = CTreeCtrl::WindowProc(message, wParam, lParam);
        if (result != 0) {
            if (item == TVI_ROOT || item == nullptr) {
                m_records.clear();
            } else {
                // Children go with their parent: drop records of items that are gone.
                for (auto it = m_records.begin(); it != m_records.end();) {
                    TVITEMW probe{};
                    probe.mask = TVIF_HANDLE;
                    probe.hItem = it->first;
                    if (it->first == item || !::SendMessageW(m_hWnd, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&probe))) {
                        it = m_records.erase(it);
                    } else {
                        ++it;
                    }
                }
            }
        }
        return result;
    }
    if (message == WM_SETCURSOR && m_itemCursor != nullptr && LOWORD(lParam) == HTCLIENT) {
        POINT pt{};
        ::GetCursorPos(&pt);
        ::ScreenToClient(m_hWnd, &pt);
        TVHITTESTINFO hit{};
        hit.pt = pt;
        ::SendMessageW(m_hWnd, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if ((hit.flags & TVHT_ONITEM) != 0) {
            ::SetCursor(m_itemCursor);
            return TRUE;
        }
    }
    if (message == WM_NCDESTROY) {
        m_records.clear();
    }
    return CTreeCtrl::WindowProc(message, wParam, lParam);
}
