// The MIDI output chooser (dialog 174): lists the MIDI outputs, opens on the
// current one; after OK the chosen output id is in m_nDevId.
#pragma once

#include <afxwin.h>

#include <utility>
#include <vector>

#include "widgets/MyButton.h"

class CMidiDevDlg : public CDialog {
public:
    explicit CMidiDevDlg(UINT currentId, CWnd* pParent = nullptr);
    ~CMidiDevDlg() override;

    // The chosen output after OK; the current one otherwise.
    UINT m_nDevId = 0;
    UINT GetDeviceId() const { return m_nDevId; }

    using OutputList = std::vector<std::pair<UINT, CString>>;
    // Every MIDI output (id and name) of the system.
    static OutputList ListSystemOutputs();

protected:
    // The outputs offered; the system's unless a derived chooser offers others.
    virtual OutputList ListOutputs() const;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnListDoubleClick();
    DECLARE_MESSAGE_MAP()

private:
    CListBox m_list;
    CMyButton m_ok;
    CMyButton m_cancel;
};
