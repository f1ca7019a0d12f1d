// The library's status bar at the frame's bottom: a row of text panes, the
// first from the left, the others from the right in their order; pane 255
// is the print preview's page text, always the rightmost.
#pragma once

#include "guilib/docking/KGPControlBar.h"

#include <map>

class CKGPStatusBar : public CKGPControlBar {
    DECLARE_DYNCREATE(CKGPStatusBar)
public:
    static constexpr int kPreviewPane = 255;

    CKGPStatusBar() = default;
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    // The pane's text (null clears it); FALSE for an index outside 0..255.
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    CString GetPaneText(int nIndex) const;

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;

private:
    std::map<int, CString> m_panes;
};
