#include "guilib/toolbars/KGPBaseToolBar.h"

IMPLEMENT_DYNCREATE(CKGPBaseToolBar, CKGPControlBar)

BOOL CKGPBaseToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CKGPControlBar::Create(nullptr, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}
