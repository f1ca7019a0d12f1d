// The placeholder pane the drag outline puts into a tabbed pane as a preview
// tab while a pane is dragged over it; it paints no background of its own.
#pragma once

#include "guilib/docking/KGPDockingControlBar.h"

class CKGPDummyDockingControlBar : public CKGPDockingControlBar {
    DECLARE_DYNCREATE(CKGPDummyDockingControlBar)
public:
    CKGPDummyDockingControlBar() = default;

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};
