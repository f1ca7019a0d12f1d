// The files of one PC data folder: name (with a validity image) and size in KiB.
//
// A fill can hand over rows whose mark check has not been done yet: they show as
// valid until the check's result arrives (ApplyMarkCheck). Whatever decides on a
// row's validity (drag, the invalid-selection test) checks such a row at once
// through the pending check, so a row is never taken for valid unchecked.
#pragma once

#include "app/lists/ExListCtrl.h"

#include <functional>
#include <memory>
#include <vector>

struct PCFileItem {
    CString name;
    UINT size = 0;
    BYTE invalid = 0;
    bool checkPending = false;  // the mark check has not been done yet
};

class CPCFileListCtrl : public CExListCtrl {
    DECLARE_DYNCREATE(CPCFileListCtrl)
public:
    // Images of the list's image list: 0 valid, 1 invalid.
    static constexpr int kImageValid = 0;
    static constexpr int kImageInvalid = 1;

    // Checks one file by name; true when it passes.
    using MarkCheck = std::function<bool(const CString& name)>;

    // Holds painting and scroll-bar updates off until the outermost pause
    // ends, then has the list repainted once: under Wine every row changed
    // with redraw on costs a repaint and a drawing of the scroll bars. When no
    // scroll bar shows before or after (every row fits in the list), only the
    // control's painting is held off: hiding the window as well would cost
    // more than it saves.
    class UpdatePause {
    public:
        explicit UpdatePause(CPCFileListCtrl& list, bool scrollBarsMayChange = true);
        ~UpdatePause();
        UpdatePause(const UpdatePause&) = delete;
        UpdatePause& operator=(const UpdatePause&) = delete;

    private:
        CPCFileListCtrl& m_list;
    };

    CPCFileListCtrl();
    ~CPCFileListCtrl() override;

    // Files larger than this are invalid unless an exact size is set.
    void SetMaxSize(UINT maxSize) { m_maxSize = maxSize; }
    // Every file of another size is invalid; -1 for none.
    void SetExactSize(int exactSize) { m_exactSize = exactSize; }
    UINT GetMaxSize() const { return m_maxSize; }
    int GetExactSize() const { return m_exactSize; }

    int AddFile(LPCTSTR name, UINT size, BOOL invalid, int image);
    // Replaces every row with these files in one go, sorted by the header's
    // column and direction. A name met again (without case) is left out, the
    // size rule marks files invalid. The records are numbered as the rows
    // stand after the fill: the indices of GetRecord and ApplyMarkCheck.
    void SetFiles(std::vector<PCFileItem> files);
    // The record of a fill, by its index; null past the end.
    const PCFileItem* GetRecord(std::size_t index) const;
    std::size_t GetRecordCount() const { return m_records.size(); }

    // The check run at once for a pending row that must be judged now.
    void SetPendingCheck(MarkCheck check) { m_pendingCheck = std::move(check); }
    // Records the mark check of a pending record; a failed one flags the row
    // invalid and shows the invalid image. Nothing for a record already judged.
    void ApplyMarkCheck(std::size_t index, bool passed);
    // Sorts again when checks flagged rows since the fill (invalid rows go first).
    void SortAfterMarkChecks();
    // Runs once, right after the list's next paint; a later call replaces it,
    // an empty one cancels it.
    void RunAfterNextPaint(std::function<void()> job) { m_afterPaint = std::move(job); }

    // Judges pending selected rows first.
    BOOL HasInvalidSelection();
    // Deletes every row and its record.
    void RemoveAllFiles() { RemoveAllFiles(false); }
    const PCFileItem* GetFileItem(int row) const;

    // Sorts as the base does and notes where each record went.
    void Sort(int iColumn, BOOL bAscending = TRUE) override;
    BOOL CanDrag(int row) override;
    int CompareItems(LPARAM lParam1, LPARAM lParam2, int iColumn) override;

protected:
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg void OnDeleteAllItems(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnInsertItem(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    bool BreaksSizeRule(UINT size) const;
    // Leaves out repeated names, applies the size rule and sorts as the header says.
    std::vector<PCFileItem> PrepareFiles(std::vector<PCFileItem> files);
    // False when no scroll bar shows and both row counts fit in the list's
    // page: then none shows after either, and none needs drawing.
    bool ScrollBarsMayChange(int oldRows, int newRows);
    void ShowImage(int row, bool invalid);
    void ClearSelection();
    void RemoveAllFiles(bool keepRows);
    // Every record, at the index of the row that shows it; empty (and nothing
    // taken) when rows and records do not match one to one.
    std::vector<std::unique_ptr<PCFileItem>> TakeRecordsByRow();
    PCFileItem* RecordOfRow(int row);
    // Runs the pending check of a record now.
    void JudgeNow(PCFileItem& record);
    void MarkInvalid(PCFileItem& record);

    UINT m_maxSize = 0;
    int m_exactSize = -1;
    // Row data points into these; they live until the rows go.
    std::vector<std::unique_ptr<PCFileItem>> m_records;
    // The record each row shows, by row (kept in step by fills and sorts).
    std::vector<PCFileItem*> m_rowRecords;
    MarkCheck m_pendingCheck;
    std::function<void()> m_afterPaint;
    bool m_sortOwed = false;
    int m_updatePauses = 0;
    bool m_visibleBeforePause = false;
    bool m_hiddenForPause = false;  // the outermost pause marked the window hidden
    // Every row takes its texts from its record (rows made by SetFiles).
    bool m_textsFromRecords = true;
};
