// The strip along one frame edge where auto-hidden panes leave their
// buttons: a dock bar with one row that holds only auto-hide toolbars,
// placed one after another.
#pragma once

#include "guilib/docking/KGPDockBar.h"

class CKGPAutoHideToolBar;

class CKGPAutoHideDockBar : public CKGPDockBar {
    DECLARE_DYNCREATE(CKGPAutoHideDockBar)
public:
    CKGPAutoHideDockBar() = default;
    ~CKGPAutoHideDockBar() override;

    BOOL CanAcceptBar(const CKGPBaseControlBar* pBar) const override;
    BOOL IsAutoHideDockBar() const override { return TRUE; }
    void DockControlBar(CKGPControlBar* pBar, KGPDockMethod method, LPCRECT lpRect = nullptr) override;
    void OnResizeDockBar(const CRect& rectNew) override;

    // The panes of the toolbar's group come back (the first toolbar's panes
    // to their places, the others' beside its first pane); null: every group.
    void UnSetAutoHideMode(CKGPAutoHideToolBar* pAutoHideToolbar);
    void SetOffsetLeft(int nOffset) { m_nOffsetLeft = nOffset; }

    // Library-wide: the room a row adds across the strip.
    static int m_nExtraSpace;

protected:
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    void UnpinGroup(CKGPAutoHideToolBar* pToolbar);

    int m_nOffsetLeft = 0;
};
