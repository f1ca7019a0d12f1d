// Asks which slot of the instrument a file replaces when no slot of its kind is
// empty: a list of the slots (number and name), OK replaces the one chosen.
#pragma once

#include <afxwin.h>

#include <vector>

#include "widgets/MyButton.h"

class CChooseSlotDlg : public CDialog {
public:
    struct Slot {
        int row = -1;   // the device list's row
        CString text;   // what the list shows: number and name
    };

    CChooseSlotDlg(std::vector<Slot> slots, CWnd* pParent = nullptr);
    ~CChooseSlotDlg() override;

    // The row chosen after OK; -1 otherwise.
    int GetChosenRow() const { return m_chosenRow; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnListDoubleClick();
    DECLARE_MESSAGE_MAP()

private:
    std::vector<Slot> m_slots;
    int m_chosenRow = -1;
    CListBox m_list;
    CMyButton m_ok;
    CMyButton m_cancel;
};
