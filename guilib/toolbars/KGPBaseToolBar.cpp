#include "guilib/toolbars/KGPBaseToolBar.h"

#include "guilib/toolbars/KGPToolBarShared.h"

IMPLEMENT_DYNCREATE(CKGPBaseToolBar, CKGPControlBar)

CKGPBaseToolBar::CKGPBaseToolBar()
{
    KGPRegisterToolbarsLinks();
}

BOOL CKGPBaseToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CKGPControlBar::Create(nullptr, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}
