// The section-copy dialog (186): which sections receive the current section's
// settings. Only the device's essential sections are offered, minus the current.
#pragma once

#include <afxwin.h>

#include <array>

#include "widgets/MyButton.h"

class CCopyCasmDlg : public CDialog {
public:
    static constexpr int kSectionCount = 14;

    CCopyCasmDlg(int currentSection, const int (&checks)[kSectionCount], CWnd* pParent = nullptr);
    ~CCopyCasmDlg() override;

    // After OK: the 14 check states in section order.
    void GetChecks(int (&checks)[kSectionCount]) const;

    // The check box of a section index (0..13) and its segment number.
    static UINT ControlOfSection(int index);
    static int SegmentOfSection(int index);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    DECLARE_MESSAGE_MAP()

private:
    std::array<int, kSectionCount> m_checks{};
    int m_currentSection = 0;
    CMyButton m_ok;
    CMyButton m_cancel;
};
