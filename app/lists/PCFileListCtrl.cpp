#include "app/lists/PCFileListCtrl.h"

#include <memory>

#include "app/lists/DevFileListCtrl.h"

IMPLEMENT_DYNCREATE(CPCFileListCtrl, CExListCtrl)

BEGIN_MESSAGE_MAP(CPCFileListCtrl, CExListCtrl)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CPCFileListCtrl::CPCFileListCtrl() = default;
CPCFileListCtrl::~CPCFileListCtrl() = default;

const PCFileItem* CPCFileListCtrl::GetFileItem(int row) const
{
    if (m_hWnd == nullptr || row < 0 || row >= GetItemCount()) {
        return nullptr;
    }
    return reinterpret_cast<const PCFileItem*>(GetItemData(row));
}

void CPCFileListCtrl::DeleteRecords()
{
    if (m_hWnd == nullptr) {
        return;
    }
    const int count = GetItemCount();
    for (int row = 0; row < count; ++row) {
        delete GetFileItem(row);
        SetItemData(row, 0);
    }
}

void CPCFileListCtrl::RemoveAllFiles()
{
    DeleteRecords();
    DeleteAllItems();
}

void CPCFileListCtrl::OnDestroy()
{
    DeleteRecords();
    CExListCtrl::OnDestroy();
}

int CPCFileListCtrl::AddFile(LPCTSTR name, UINT size, BOOL invalid, int image)
{
    if (m_exactSize != -1) {
        if (size != static_cast<UINT>(m_exactSize)) {
            invalid = TRUE;
        }
    } else if (size > m_maxSize) {
        invalid = TRUE;
        image = kImageInvalid;
    }
    const int count = GetItemCount();
    for (int row = 0; row < count; ++row) {
        if (GetItemText(row, 0).CompareNoCase(name) == 0) {
            return -1;
        }
    }
    const int row = image == -1 ? InsertItem(count, name) : InsertItem(count, name, image);
    if (row < 0) {
        return -1;
    }
    auto record = std::make_unique<PCFileItem>();
    record->name = name;
    record->size = size;
    record->invalid = invalid ? 1 : 0;
    SetItemData(row, reinterpret_cast<DWORD_PTR>(record.release()));
    SetItemText(row, 1, CDevFileListCtrl::FormatSize(size));
    return row;
}

BOOL CPCFileListCtrl::HasInvalidSelection() const
{
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED)) {
        const PCFileItem* record = GetFileItem(row);
        if (record != nullptr && record->invalid != 0) {
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CPCFileListCtrl::CanDrag(int row)
{
    const PCFileItem* record = GetFileItem(row);
    return record != nullptr && record->invalid == 0;
}

int CPCFileListCtrl::CompareItems(LPARAM lParam1, LPARAM lParam2, int iColumn)
{
    const auto* first = reinterpret_cast<const PCFileItem*>(lParam1);
    const auto* second = reinterpret_cast<const PCFileItem*>(lParam2);
    if (first == nullptr || second == nullptr) {
        return 0;
    }
    if (first->invalid != 0 && second->invalid == 0) {
        return -1;
    }
    if (first->invalid == 0 && second->invalid != 0) {
        return 1;
    }
    switch (iColumn) {
    case 0:
        return first->name.CompareNoCase(second->name);
    case 1:
        return first->size < second->size ? -1 : (first->size > second->size ? 1 : 0);
    default:
        return 0;
    }
}
