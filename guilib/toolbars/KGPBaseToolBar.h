// The control bar every toolbar of the library derives from: its minimum
// size and its creation slot.
#pragma once

#include "guilib/docking/KGPControlBar.h"

class CKGPBaseToolBar : public CKGPControlBar {
    DECLARE_DYNCREATE(CKGPBaseToolBar)
public:
    CKGPBaseToolBar();
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
    void GetMinSize(CSize& size) const override { size = IsHorizontal() ? CSize(40, 16) : CSize(16, 40); }
    BOOL IsResizable() const override { return FALSE; }
    BOOL IsToolBarKind() const override { return TRUE; }
    // Its floating frame leaves the focus where it was.
    BOOL WantsFocus() const override { return FALSE; }
};
