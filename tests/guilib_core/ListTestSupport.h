// A host window with a sortable list of records (number, name) for the list tests.
#pragma once

#include <afxwin.h>

#include <memory>
#include <vector>

#include "guilib/controls/KGPListCtrl.h"
#include "tests/support/MessagePump.h"

namespace list_test {

struct Row {
    int number = 0;
    CString name;
};

// Compares the rows its item data index: column 0 by number, column 1 by name.
class CRowList : public CKGPListCtrl {
public:
    std::vector<Row> rows;
    int compared = 0;
    int CompareItems(LPARAM lParam1, LPARAM lParam2, int iColumn) override;
};

class CListHost {
public:
    CListHost();
    ~CListHost();
    CListHost(const CListHost&) = delete;
    CListHost& operator=(const CListHost&) = delete;
    BOOL Create();
    CRowList& List() { return m_list; }
    void AddRow(int number, const wchar_t* name);
    // The names of the rows as shown, top to bottom.
    std::vector<CString> Names() const;
    int HeaderWidth() const;

private:
    CWnd m_host;
    CRowList m_list;
};

using keyloft_test::Pump;

} // namespace list_test
