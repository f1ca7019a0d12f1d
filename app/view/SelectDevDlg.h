// The instrument chooser (dialog 142): scans the MIDI port pairs, lists the
// instruments that answered as DEVICE 1, DEVICE 2, ... and connects the chosen
// one. In start-up mode it connects on its own when exactly one answers.
#pragma once

#include <afxwin.h>

#include <map>

#include "core/link/MidiDevSearch.h"
#include "widgets/MyButton.h"
#include "widgets/MyCombox.h"
#include "widgets/MyGroupbox.h"

class CSelectDevDlg : public CDialog {
public:
    enum { IDD = 142 };
    static constexpr UINT kTimerFirstScan = 1;
    static constexpr UINT kFirstScanDelayMs = 300;

    explicit CSelectDevDlg(bool startupMode, CWnd* pParent = nullptr);
    ~CSelectDevDlg() override;

    // The pair of the connected instrument (valid after IDOK).
    UINT GetChosenOutId() const { return m_chosenOutId; }
    UINT GetChosenInId() const { return m_chosenInId; }
    // True when the connect button closed the current instrument before the
    // new one failed its check (the caller then cleans up as for a loss).
    bool ClosedPreviousDevice() const { return m_closedPrevious; }
    CMidiDevSearch& GetSearch() { return m_search; }
    // Scans again (the refresh button).
    void Refresh() { OnRefresh(); }
    // The list's labels, in list order.
    int GetListCount() const;
    CString GetListLabel(int index) const;
    // The device name an entry's label stands for (empty when unknown).
    CString GetReportedName(const CString& label) const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnRefresh();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void AutoConnect();
    void OnConnect();
    void RegisterChosenDevice(const CString& label);
    // Probes the instrument of the selected label; on success sets the names
    // and the pair and returns true.
    bool CheckAndTake(const CString& label);
    int FoundIndexOfLabel(const CString& label) const;

    CMyCombox m_deviceList;
    CMyButton m_connectButton;
    CMyButton m_refreshButton;
    CMyGroupbox m_groupBox;
    CStatic m_currentDevice;
    HICON m_icon = nullptr;
    UINT m_chosenOutId = 0;
    UINT m_chosenInId = 0;
    CMidiDevSearch m_search;
    bool m_startupMode = false;
    bool m_closedPrevious = false;
    std::map<CString, CString> m_listMap;
};
