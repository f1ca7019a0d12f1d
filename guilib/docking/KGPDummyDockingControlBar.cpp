#include "guilib/docking/KGPDummyDockingControlBar.h"

IMPLEMENT_DYNCREATE(CKGPDummyDockingControlBar, CKGPDockingControlBar)

BEGIN_MESSAGE_MAP(CKGPDummyDockingControlBar, CKGPDockingControlBar)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL CKGPDummyDockingControlBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}
