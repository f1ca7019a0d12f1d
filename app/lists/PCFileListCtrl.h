// The files of one PC data folder: name (with a validity image) and size in KiB.
#pragma once

#include "app/lists/ExListCtrl.h"

struct PCFileItem {
    CString name;
    UINT size = 0;
    BYTE invalid = 0;
};

class CPCFileListCtrl : public CExListCtrl {
    DECLARE_DYNCREATE(CPCFileListCtrl)
public:
    // Images of the list's image list: 0 valid, 1 invalid.
    static constexpr int kImageValid = 0;
    static constexpr int kImageInvalid = 1;

    CPCFileListCtrl();
    ~CPCFileListCtrl() override;

    // Files larger than this are invalid unless an exact size is set.
    void SetMaxSize(UINT maxSize) { m_maxSize = maxSize; }
    // Every file of another size is invalid; -1 for none.
    void SetExactSize(int exactSize) { m_exactSize = exactSize; }
    UINT GetMaxSize() const { return m_maxSize; }
    int GetExactSize() const { return m_exactSize; }

    int AddFile(LPCTSTR name, UINT size, BOOL invalid, int image);
    BOOL HasInvalidSelection() const;
    // Deletes every row and its record.
    void RemoveAllFiles();
    const PCFileItem* GetFileItem(int row) const;

    BOOL CanDrag(int row) override;
    int CompareItems(LPARAM lParam1, LPARAM lParam2, int iColumn) override;

protected:
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void DeleteRecords();

    UINT m_maxSize = 0;
    int m_exactSize = -1;
};
