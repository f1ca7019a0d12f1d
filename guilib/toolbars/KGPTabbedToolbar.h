// A toolbar whose inside is a tab window: other bars join it as tabs. The
// tab window comes from the tab windows' link (the tab windows bring it);
// without it no tabbed toolbar can be made.
#pragma once

#include "guilib/toolbars/KGPToolBar.h"

#include <memory>

class CKGPTabbedToolbar : public CKGPToolBar {
    DECLARE_SERIAL(CKGPTabbedToolbar)
public:
    CKGPTabbedToolbar() = default;
    ~CKGPTabbedToolbar() override;

    // dwStyleEx bit 0 gives the bar a gripper; the style's bits 0x5500 are
    // dropped. The tab window is made with the bar's window.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID, DWORD dwStyleEx);
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR) override
    {
        return Create(pParentWnd, dwStyle, nID, 0);
    }
    // The bar becomes a tab (its window text the label, no gripper), the
    // active one when asked, shown or hidden; FALSE without a tab window.
    virtual BOOL AddTab(CKGPBaseControlBar* pNewBar, BOOL bVisible = TRUE, BOOL bSetActive = TRUE,
                        BOOL bDetachable = TRUE);
    CWnd* GetTabWnd() const { return m_pTabWnd.get(); }

    // The tab window fills the inside of the bar; the bar is as large as it.
    void AdjustLocations() override;
    // Its floating frame keeps its size: the tabs are not wrapped.
    CSize CalcSizeForLength(int, BOOL) override { return CSize(0, 0); }
    CSize CalcSize(BOOL bVertDock) override;

    static constexpr UINT kTabWindowId = 101;

protected:
    LPCTSTR WindowClassPrefix() const override { return _T("KGPTabbedToolBar"); }
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<CWnd> m_pTabWnd;
};
