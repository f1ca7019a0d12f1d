#include "app/lists/PCFileListCtrl.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <unordered_map>
#include <utility>

#include "app/lists/DevFileListCtrl.h"

IMPLEMENT_DYNCREATE(CPCFileListCtrl, CExListCtrl)

BEGIN_MESSAGE_MAP(CPCFileListCtrl, CExListCtrl)
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_NOTIFY_REFLECT(LVN_DELETEALLITEMS, &CPCFileListCtrl::OnDeleteAllItems)
    ON_NOTIFY_REFLECT(LVN_INSERTITEM, &CPCFileListCtrl::OnInsertItem)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFOW, &CPCFileListCtrl::OnGetDispInfo)
END_MESSAGE_MAP()

namespace {

// Case-insensitive key of a file name: folded as CString::CompareNoCase folds,
// so that keys compare in its order and are equal where it finds names equal.
std::wstring NameKey(const CString& name)
{
    std::wstring key(name.GetString(), static_cast<std::size_t>(name.GetLength()));
    for (wchar_t& c : key) {
        c = c < 0x80 ? static_cast<wchar_t>(c >= L'A' && c <= L'Z' ? c + (L'a' - L'A') : c)
                     : static_cast<wchar_t>(towlower(c));
    }
    return key;
}

} // namespace

CPCFileListCtrl::UpdatePause::UpdatePause(CPCFileListCtrl& list, bool scrollBarsMayChange) : m_list(list)
{
    if (m_list.m_updatePauses++ != 0 || m_list.m_hWnd == nullptr) {
        return;
    }
    m_list.m_visibleBeforePause = (m_list.GetStyle() & WS_VISIBLE) != 0;
    m_list.m_hiddenForPause = scrollBarsMayChange;
    m_list.SetRedraw(FALSE);
    if (m_list.m_hiddenForPause) {
        // The window itself counts as hidden too (the default handling of the
        // message only flips the visible bit): see the end of the pause.
        ::DefWindowProcW(m_list.m_hWnd, WM_SETREDRAW, FALSE, 0);
    }
}

CPCFileListCtrl::UpdatePause::~UpdatePause()
{
    if (--m_list.m_updatePauses != 0 || m_list.m_hWnd == nullptr) {
        return;
    }
    // The control updates its scroll bars and repaints its rows when painting
    // comes back on.
    m_list.SetRedraw(TRUE);
    if (!m_list.m_hiddenForPause) {
        return;
    }
    // On a visible window Wine draws the scroll bars there and then, which
    // costs more than all the rows of a fill; on a window marked hidden it only
    // records them, and they are drawn with the rest at the next paint.
    if (m_list.m_visibleBeforePause) {
        ::DefWindowProcW(m_list.m_hWnd, WM_SETREDRAW, TRUE, 0);
    }
    m_list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
}

CPCFileListCtrl::CPCFileListCtrl() = default;
CPCFileListCtrl::~CPCFileListCtrl() = default;

const PCFileItem* CPCFileListCtrl::GetFileItem(int row) const
{
    if (m_hWnd == nullptr || row < 0 || row >= GetItemCount()) {
        return nullptr;
    }
    return reinterpret_cast<const PCFileItem*>(GetItemData(row));
}

PCFileItem* CPCFileListCtrl::RecordOfRow(int row)
{
    // Row data only ever points at this list's own (non-const) records.
    return const_cast<PCFileItem*>(GetFileItem(row));
}

const PCFileItem* CPCFileListCtrl::GetRecord(std::size_t index) const
{
    return index < m_records.size() ? m_records[index].get() : nullptr;
}

std::vector<std::unique_ptr<PCFileItem>> CPCFileListCtrl::TakeRecordsByRow()
{
    std::vector<std::unique_ptr<PCFileItem>> byRow;
    if (!m_textsFromRecords || m_hWnd == nullptr || m_records.empty() ||
        m_rowRecords.size() != m_records.size() || GetItemCount() != static_cast<int>(m_rowRecords.size())) {
        return byRow;
    }
    std::unordered_map<const PCFileItem*, std::size_t> rowOf;
    rowOf.reserve(m_rowRecords.size());
    for (std::size_t row = 0; row < m_rowRecords.size(); ++row) {
        rowOf.emplace(m_rowRecords[row], row);
    }
    for (const auto& record : m_records) {
        if (rowOf.count(record.get()) == 0) {
            return byRow;  // rows and records no longer match one to one
        }
    }
    byRow.resize(m_records.size());
    for (auto& record : m_records) {
        const std::size_t row = rowOf[record.get()];
        byRow[row] = std::move(record);
    }
    m_records.clear();
    m_rowRecords.clear();
    return byRow;
}

void CPCFileListCtrl::RemoveAllFiles(bool keepRows)
{
    if (m_hWnd != nullptr && !keepRows) {
        DeleteAllItems();
    }
    m_records.clear();
    m_rowRecords.clear();
    m_sortOwed = false;
    m_textsFromRecords = true;
}

void CPCFileListCtrl::OnDestroy()
{
    // The rows go with the window; their records with them.
    CExListCtrl::OnDestroy();
    m_afterPaint = nullptr;
    m_records.clear();
    m_rowRecords.clear();
}

void CPCFileListCtrl::OnPaint()
{
    Default();
    if (std::function<void()> job = std::exchange(m_afterPaint, nullptr))
        job();
}

void CPCFileListCtrl::OnDeleteAllItems(NMHDR*, LRESULT* pResult)
{
    // The records are freed in one go: no notification per row.
    *pResult = TRUE;
}

void CPCFileListCtrl::OnInsertItem(NMHDR*, LRESULT* pResult)
{
    // Answered here: the page has nothing to do with a new row, and the
    // dialog's default handling would cost more than the row itself.
    *pResult = 0;
}

void CPCFileListCtrl::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(pNMHDR);
    if ((info->item.mask & LVIF_TEXT) == 0 || info->item.pszText == nullptr || info->item.cchTextMax <= 0) {
        return;
    }
    const PCFileItem* record = GetFileItem(info->item.iItem);
    CString text;
    if (record != nullptr && info->item.iSubItem == 0) {
        text = record->name;
    } else if (record != nullptr && info->item.iSubItem == 1) {
        text = CDevFileListCtrl::FormatSize(record->size);
    }
    lstrcpynW(info->item.pszText, text, info->item.cchTextMax);
}

bool CPCFileListCtrl::BreaksSizeRule(UINT size) const
{
    return m_exactSize != -1 ? size != static_cast<UINT>(m_exactSize) : size > m_maxSize;
}

int CPCFileListCtrl::AddFile(LPCTSTR name, UINT size, BOOL invalid, int image)
{
    if (BreaksSizeRule(size)) {
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
    SetItemData(row, reinterpret_cast<DWORD_PTR>(record.get()));
    m_rowRecords.insert(m_rowRecords.begin() + std::min<std::ptrdiff_t>(row, static_cast<std::ptrdiff_t>(m_rowRecords.size())),
                        record.get());
    m_records.push_back(std::move(record));
    m_textsFromRecords = false;
    SetItemText(row, 1, CDevFileListCtrl::FormatSize(size));
    return row;
}

std::vector<PCFileItem> CPCFileListCtrl::PrepareFiles(std::vector<PCFileItem> files)
{
    // Each name is folded once; the keys serve both the repeat test and the
    // sort by name, which then compares plain code units.
    const std::size_t count = files.size();
    std::vector<std::wstring> keys;
    keys.reserve(count);
    for (const PCFileItem& file : files) {
        keys.push_back(NameKey(file.name));
    }
    // The files in the keys' order; among equal keys the first listed comes
    // first and is the one kept.
    std::vector<std::size_t> byKey(count);
    std::iota(byKey.begin(), byKey.end(), std::size_t{0});
    std::sort(byKey.begin(), byKey.end(), [&](std::size_t a, std::size_t b) {
        const int compared = keys[a].compare(keys[b]);
        return compared != 0 ? compared < 0 : a < b;
    });
    std::vector<char> repeated(count, 0);
    for (std::size_t at = 1; at < count; ++at) {
        if (keys[byKey[at]] == keys[byKey[at - 1]]) {
            repeated[byKey[at]] = 1;
        }
    }
    for (std::size_t index = 0; index < count; ++index) {
        if (repeated[index] == 0 && BreaksSizeRule(files[index].size)) {
            files[index].invalid = 1;
            files[index].checkPending = false;  // invalid whatever its mark says
        }
    }
    const int column = m_hWnd != nullptr ? GetHeaderCtrl().GetSortColumn() : -1;
    const bool ascending = column >= 0 && GetHeaderCtrl().IsAscending() != FALSE;
    std::vector<std::size_t> order;
    order.reserve(count);
    if (column == 0) {
        // The order CompareItems gives: invalid rows first, each part by name
        // (no two names are equal now, so the key order is the whole order).
        for (const bool invalid : {true, false}) {
            for (const std::size_t index : byKey) {
                if (repeated[index] == 0 && (files[index].invalid != 0) == invalid) {
                    order.push_back(index);
                }
            }
        }
        if (!ascending) {
            std::reverse(order.begin(), order.end());
        }
    } else {
        for (std::size_t index = 0; index < count; ++index) {
            if (repeated[index] == 0) {
                order.push_back(index);  // as listed
            }
        }
        if (column > 0) {
            std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
                const int compared = CompareItems(reinterpret_cast<LPARAM>(&files[a]),
                                                  reinterpret_cast<LPARAM>(&files[b]), column);
                return ascending ? compared < 0 : compared > 0;
            });
        }
    }
    std::vector<PCFileItem> sorted;
    sorted.reserve(order.size());
    for (const std::size_t index : order) {
        sorted.push_back(std::move(files[index]));
    }
    return sorted;
}

void CPCFileListCtrl::ClearSelection()
{
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED)) {
        SetItemState(row, 0, LVIS_SELECTED);
    }
    const int focused = GetNextItem(-1, LVNI_FOCUSED);
    if (focused >= 0) {
        SetItemState(focused, 0, LVIS_FOCUSED);
    }
}

void CPCFileListCtrl::SetFiles(std::vector<PCFileItem> files)
{
    files = PrepareFiles(std::move(files));
    if (m_hWnd == nullptr) {
        RemoveAllFiles();
        for (PCFileItem& file : files) {
            m_records.push_back(std::make_unique<PCFileItem>(std::move(file)));
        }
        return;
    }
    // The rows there are kept and given the new files: their texts come from
    // the records (LVN_GETDISPINFO), so a kept row changes only where its image
    // does. Painting is held off only when rows come or go.
    const int oldRows = GetItemCount();
    const int newRows = static_cast<int>(files.size());
    std::vector<std::unique_ptr<PCFileItem>> byRow = TakeRecordsByRow();
    const bool reuse = !byRow.empty();
    std::optional<UpdatePause> pause;
    if (!reuse || oldRows != newRows) {
        pause.emplace(*this, ScrollBarsMayChange(oldRows, newRows));
    }
    RemoveAllFiles(reuse || oldRows == 0);  // no rows to delete in an emptied list
    const int keptRows = reuse ? std::min(oldRows, newRows) : 0;
    m_records.reserve(files.size());
    m_rowRecords.reserve(files.size());
    if (reuse) {
        ClearSelection();
        for (int row = 0; row < keptRows; ++row) {
            std::unique_ptr<PCFileItem>& record = byRow[static_cast<std::size_t>(row)];
            const bool wasInvalid = record->invalid != 0;
            *record = std::move(files[static_cast<std::size_t>(row)]);
            if ((record->invalid != 0) != wasInvalid) {
                ShowImage(row, record->invalid != 0);
            }
            m_rowRecords.push_back(record.get());
            m_records.push_back(std::move(record));
        }
        for (int row = oldRows - 1; row >= keptRows; --row) {
            DeleteItem(row);  // its record goes with byRow
        }
    }
    SetItemCount(newRows);
    for (std::size_t index = static_cast<std::size_t>(keptRows); index < files.size(); ++index) {
        auto record = std::make_unique<PCFileItem>(std::move(files[index]));
        // A row with its text asked for asks for its size cell too: no cell is set.
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = static_cast<int>(index);
        item.pszText = LPSTR_TEXTCALLBACKW;
        item.iImage = record->invalid ? kImageInvalid : kImageValid;
        item.lParam = reinterpret_cast<LPARAM>(record.get());
        // Straight to the control: nothing of this class acts on an insert,
        // and a fill makes thousands of them.
        if (DefWindowProc(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)) < 0) {
            continue;
        }
        m_rowRecords.push_back(record.get());
        m_records.push_back(std::move(record));
    }
    m_textsFromRecords = true;
    m_sortOwed = false;
    if (!pause) {
        Invalidate();
    }
}

void CPCFileListCtrl::Sort(int iColumn, BOOL bAscending)
{
    MarkSortColumn(iColumn, bAscending);
    if (m_hWnd == nullptr) {
        return;
    }
    if (iColumn < 0) {
        Invalidate();  // the mark cleared
        return;
    }
    const std::vector<int> order = SortedRowOrder(iColumn, bAscending);
    if (IsPresentOrder(order)) {
        // No row moves (an empty list, or one filled in this order): no pause,
        // whose end lays the scroll bars out again.
        ApplyRowOrder(order);
    } else {
        UpdatePause pause(*this);
        ApplyRowOrder(order);
    }
    // The rows may have moved: read again which record each shows.
    m_rowRecords.clear();
    const int count = GetItemCount();
    for (int row = 0; row < count; ++row) {
        m_rowRecords.push_back(RecordOfRow(row));
    }
}

bool CPCFileListCtrl::ScrollBarsMayChange(int oldRows, int newRows)
{
    // A scroll bar shown is drawn again whenever painting comes back on.
    return (GetStyle() & (WS_HSCROLL | WS_VSCROLL)) != 0 || std::max(oldRows, newRows) > GetCountPerPage();
}

void CPCFileListCtrl::ShowImage(int row, bool invalid)
{
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = invalid ? kImageInvalid : kImageValid;
    SetItem(&item);
}

void CPCFileListCtrl::MarkInvalid(PCFileItem& record)
{
    record.invalid = 1;
    const auto at = std::find(m_rowRecords.begin(), m_rowRecords.end(), &record);
    if (at != m_rowRecords.end() && m_hWnd != nullptr) {
        ShowImage(static_cast<int>(at - m_rowRecords.begin()), true);
    }
    m_sortOwed = true;
}

void CPCFileListCtrl::ApplyMarkCheck(std::size_t index, bool passed)
{
    if (index >= m_records.size() || !m_records[index]->checkPending) {
        return;
    }
    PCFileItem& record = *m_records[index];
    record.checkPending = false;
    if (!passed) {
        MarkInvalid(record);
    }
}

void CPCFileListCtrl::JudgeNow(PCFileItem& record)
{
    if (!record.checkPending) {
        return;
    }
    record.checkPending = false;
    // Without a check nothing can vouch for the file.
    if (!m_pendingCheck || !m_pendingCheck(record.name)) {
        MarkInvalid(record);
    }
}

void CPCFileListCtrl::SortAfterMarkChecks()
{
    if (!m_sortOwed || m_hWnd == nullptr) {
        return;
    }
    m_sortOwed = false;
    const int column = GetHeaderCtrl().GetSortColumn();
    if (column >= 0) {
        Sort(column, GetHeaderCtrl().IsAscending());
    }
}

BOOL CPCFileListCtrl::HasInvalidSelection()
{
    BOOL invalid = FALSE;
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED)) {
        PCFileItem* record = RecordOfRow(row);
        if (record == nullptr) {
            continue;
        }
        JudgeNow(*record);
        invalid = invalid || record->invalid != 0;
    }
    return invalid;
}

BOOL CPCFileListCtrl::CanDrag(int row)
{
    PCFileItem* record = RecordOfRow(row);
    if (record == nullptr) {
        return FALSE;
    }
    JudgeNow(*record);
    return record->invalid == 0;
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
