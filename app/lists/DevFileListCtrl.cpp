#include "app/lists/DevFileListCtrl.h"

#include <algorithm>
#include <memory>

IMPLEMENT_DYNCREATE(CDevFileListCtrl, CExListCtrl)

BEGIN_MESSAGE_MAP(CDevFileListCtrl, CExListCtrl)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {
constexpr int kColumnName = 1;
constexpr int kColumnSize = 2;
}  // namespace

CDevFileListCtrl::CDevFileListCtrl()
{
    m_markerPen.CreatePen(PS_SOLID, 2, RGB(255, 0, 0));
}

CDevFileListCtrl::~CDevFileListCtrl() = default;

CDevFileListCtrl::PaintPause::PaintPause(CDevFileListCtrl& list) : m_list(list)
{
    if (m_list.m_paintPauses++ != 0 || m_list.m_hWnd == nullptr) {
        return;
    }
    // A hidden list is left as it is: turning painting back on would show it.
    m_list.m_pausedVisible = (m_list.GetStyle() & WS_VISIBLE) != 0;
    if (m_list.m_pausedVisible) {
        m_list.SetRedraw(FALSE);
    }
}

CDevFileListCtrl::PaintPause::~PaintPause()
{
    if (--m_list.m_paintPauses != 0 || m_list.m_hWnd == nullptr || !m_list.m_pausedVisible) {
        return;
    }
    // The control updates its scroll bars and repaints its rows when painting
    // comes back on.
    m_list.SetRedraw(TRUE);
    m_list.Invalidate();
}

CString CDevFileListCtrl::FormatSize(UINT size)
{
    CString text;
    text.Format(_T("%.2f"), static_cast<double>(size) / 1024.0);
    return text;
}

SSlotItem* CDevFileListCtrl::RecordOf(int row) const
{
    if (row < 0 || row >= GetItemCount()) {
        return nullptr;
    }
    return reinterpret_cast<SSlotItem*>(GetItemData(row));
}

void CDevFileListCtrl::DeleteRecords()
{
    if (m_hWnd == nullptr) {
        return;
    }
    const int count = GetItemCount();
    for (int row = 0; row < count; ++row) {
        delete RecordOf(row);
        SetItemData(row, 0);
    }
}

void CDevFileListCtrl::OnDestroy()
{
    DeleteRecords();
    CExListCtrl::OnDestroy();
}

void CDevFileListCtrl::InitSlots(int count)
{
    const PaintPause pause(*this);
    DeleteRecords();
    DeleteAllItems();
    count = std::max(count, 0);
    SetItemCount(count);
    m_slotCount = count;
    for (int slot = 0; slot < count; ++slot) {
        CString label;
        label.Format(_T("%d"), slot + 1);
        const int row = InsertItem(slot, label);
        auto record = std::make_unique<SSlotItem>();
        record->slot = static_cast<UINT>(slot);
        SetItemData(row, reinterpret_cast<DWORD_PTR>(record.release()));
    }
    CKGPHeaderCtrl& header = GetHeaderCtrl();
    if (header.GetSafeHwnd() != nullptr && header.GetSortColumn() >= 0) {
        Sort(header.GetSortColumn(), header.IsAscending());
    }
}

int CDevFileListCtrl::FindRowBySlot(int slot) const
{
    const int rows = std::min(m_slotCount, GetItemCount());
    for (int row = 0; row < rows; ++row) {
        const SSlotItem* record = RecordOf(row);
        if (record != nullptr && static_cast<int>(record->slot) == slot) {
            return row;
        }
    }
    return -1;
}

int CDevFileListCtrl::SetSlot(int slot, LPCTSTR name, UINT size)
{
    if (slot < 0 || slot >= m_slotCount) {
        return -1;
    }
    const int row = FindRowBySlot(slot);
    if (row < 0) {
        return -1;
    }
    SetItemText(row, kColumnName, name);
    SetItemText(row, kColumnSize, FormatSize(size));
    SSlotItem* record = RecordOf(row);
    record->size = size;
    record->name = name;
    return row;
}

void CDevFileListCtrl::ClearSlot(int slot)
{
    const int row = slot >= 0 && slot < m_slotCount ? FindRowBySlot(slot) : -1;
    if (row < 0) {
        return;
    }
    SetItemText(row, kColumnName, _T(""));
    SetItemText(row, kColumnSize, _T(""));
    SSlotItem* record = RecordOf(row);
    record->size = 0;
    record->name.Empty();
}

void CDevFileListCtrl::ClearAll()
{
    const int count = GetItemCount();
    for (int row = 0; row < count; ++row) {
        if (SSlotItem* record = RecordOf(row)) {
            record->name.Empty();
            record->size = 0;
        }
        SetItemText(row, kColumnName, _T(""));
        SetItemText(row, kColumnSize, _T(""));
    }
}

BOOL CDevFileListCtrl::IsSlotFree(int row) const
{
    return row >= 0 && row < GetItemCount() && GetItemText(row, kColumnName).IsEmpty();
}

BOOL CDevFileListCtrl::AreSlotsFree(const CUIntArray& rows) const
{
    for (INT_PTR i = 0; i < rows.GetSize(); ++i) {
        if (!IsSlotFree(static_cast<int>(rows[i]))) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CDevFileListCtrl::GetSlotNames(const CUIntArray& rows, CStringArray& names) const
{
    names.SetSize(rows.GetSize());
    for (INT_PTR i = 0; i < rows.GetSize(); ++i) {
        const int row = static_cast<int>(rows[i]);
        if (row >= GetItemCount()) {
            return FALSE;
        }
        names[i] = GetItemText(row, kColumnName);
    }
    return TRUE;
}

BOOL CDevFileListCtrl::GetSlotSizes(const CUIntArray& rows, CUIntArray& sizes) const
{
    sizes.SetSize(rows.GetSize());
    for (INT_PTR i = 0; i < rows.GetSize(); ++i) {
        const SSlotItem* record = RecordOf(static_cast<int>(rows[i]));
        if (record == nullptr) {
            return FALSE;
        }
        sizes[i] = record->size;
    }
    return TRUE;
}

BOOL CDevFileListCtrl::GetSlotNumbers(const CUIntArray& rows, CUIntArray& slots) const
{
    slots.SetSize(rows.GetSize());
    for (INT_PTR i = 0; i < rows.GetSize(); ++i) {
        const SSlotItem* record = RecordOf(static_cast<int>(rows[i]));
        if (record == nullptr) {
            return FALSE;
        }
        slots[i] = record->slot;
    }
    return TRUE;
}

void CDevFileListCtrl::GetSelectedSlotNumbers(CUIntArray& slots) const
{
    slots.RemoveAll();
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED)) {
        if (GetItemText(row, kColumnName).IsEmpty()) {
            continue;
        }
        const SSlotItem* record = RecordOf(row);
        slots.Add(record != nullptr ? record->slot : static_cast<UINT>(-1));
    }
}

void CDevFileListCtrl::GetSelectedUsedRows(CUIntArray& rows) const
{
    rows.RemoveAll();
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED)) {
        if (!GetItemText(row, kColumnName).IsEmpty()) {
            rows.Add(static_cast<UINT>(row));
        }
    }
}

int CDevFileListCtrl::CountUsedSlots() const
{
    const int rows = std::min(m_slotCount, GetItemCount());
    int used = 0;
    for (int row = 0; row < rows; ++row) {
        if (!GetItemText(row, kColumnName).IsEmpty()) {
            ++used;
        }
    }
    return used;
}

bool CDevFileListCtrl::DropBand(int itemCount, CPoint client, int& first, int& end) const
{
    if (GetItemCount() == 0) {
        return false;
    }
    CRect area;
    GetClientRect(&area);
    CRect row0;
    GetItemRect(0, &row0, LVIR_BOUNDS);
    const int rowHeight = row0.Height();
    if (!area.PtInRect(client) || client.y < row0.top || rowHeight <= 0) {
        return false;
    }
    int firstVisible = 0;
    int lastVisible = 0;
    GetVisibleRange(firstVisible, lastVisible);
    first = std::min(firstVisible + static_cast<int>(client.y - row0.top) / rowHeight, lastVisible);
    end = std::min(first + std::max(itemCount, 0), lastVisible + 1);
    return true;
}

void CDevFileListCtrl::GetDropSlots(int itemCount, int screenX, int screenY, CUIntArray& rows) const
{
    rows.RemoveAll();
    CPoint client(screenX, screenY);
    ScreenToClient(&client);
    int first = 0;
    int end = 0;
    if (!DropBand(itemCount, client, first, end)) {
        return;
    }
    for (int row = first; row < end; ++row) {
        rows.Add(static_cast<UINT>(row));
    }
}

void CDevFileListCtrl::DrawMarker(CDC& dc, const CRect& rect)
{
    CPen* oldPen = dc.SelectObject(&m_markerPen);
    CGdiObject* oldBrush = dc.SelectStockObject(NULL_BRUSH);
    const int oldMode = dc.SetROP2(R2_XORPEN);
    dc.Rectangle(&rect);
    dc.SetROP2(oldMode);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

BOOL CDevFileListCtrl::TrackDrop(int itemCount, int screenX, int screenY)
{
    if (GetItemCount() == 0) {
        return FALSE;
    }
    CPoint client(screenX, screenY);
    ScreenToClient(&client);
    const int offset = GetRowHeight() - 4;
    const CPoint imagePoint(screenX + offset, screenY + offset);
    CWindowDC dc(this);
    int first = 0;
    int end = 0;
    if (!DropBand(itemCount, client, first, end)) {
        if (m_markerRect.IsRectEmpty()) {
            MoveListDragImage(imagePoint);
            return FALSE;
        }
        // The image is hidden while the XOR marker is drawn, so that it is
        // not painted into the marker.
        CImageList::DragShowNolock(FALSE);
        DrawMarker(dc, m_markerRect);
        CImageList::DragShowNolock(TRUE);
        m_markerRect.SetRectEmpty();
        MoveListDragImage(imagePoint);
        return TRUE;
    }
    CRect area;
    GetClientRect(&area);
    CRect row0;
    GetItemRect(0, &row0, LVIR_BOUNDS);
    int firstVisible = 0;
    int lastVisible = 0;
    GetVisibleRange(firstVisible, lastVisible);
    const int h = row0.Height();
    const int top = static_cast<int>(row0.top);
    const CRect band(0, (first - firstVisible) * h + top, static_cast<int>(area.right), (end - firstVisible) * h + top);
    CImageList::DragShowNolock(FALSE);
    if (!m_markerRect.IsRectEmpty()) {
        DrawMarker(dc, m_markerRect);
    }
    DrawMarker(dc, band);
    CImageList::DragShowNolock(TRUE);
    MoveListDragImage(imagePoint);
    m_markerRect = band;
    return TRUE;
}

int CDevFileListCtrl::ClearDropMarker(int, int)
{
    if (GetItemCount() > 0 && !m_markerRect.IsRectEmpty()) {
        m_markerRect.SetRectEmpty();
        Invalidate(TRUE);
    }
    return 0;
}

BOOL CDevFileListCtrl::CanDrag(int row)
{
    if (m_dragEnabled == 0) {
        return FALSE;
    }
    if (row >= GetItemCount()) {
        return TRUE;
    }
    return !GetItemText(row, kColumnName).IsEmpty();
}

CString CDevFileListCtrl::GetDragText(int row)
{
    if (row < 0 || row >= GetItemCount()) {
        return CString();
    }
    return GetItemText(row, kColumnName);
}

int CDevFileListCtrl::CompareItems(LPARAM lParam1, LPARAM lParam2, int iColumn)
{
    const auto* first = reinterpret_cast<const SSlotItem*>(lParam1);
    const auto* second = reinterpret_cast<const SSlotItem*>(lParam2);
    if (first == nullptr || second == nullptr) {
        return 0;
    }
    switch (iColumn) {
    case 0:
        return first->slot <= second->slot ? -1 : 1;
    case kColumnName:
        return first->name.CompareNoCase(second->name);
    case kColumnSize:
        return first->size < second->size ? -1 : (first->size > second->size ? 1 : 0);
    default:
        return 0;
    }
}
