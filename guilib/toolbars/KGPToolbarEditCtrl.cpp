#include "guilib/toolbars/KGPToolbarEditCtrl.h"

#include "guilib/toolbars/KGPToolbarControlSupport.h"
#include "guilib/toolbars/KGPToolbarEditBoxButton.h"

BEGIN_MESSAGE_MAP(CKGPToolbarEditCtrl, CKGPEdit)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

BOOL CKGPToolbarEditCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message != WM_KEYDOWN)
        return CKGPEdit::PreTranslateMessage(pMsg);
    const UINT key = static_cast<UINT>(pMsg->wParam);
    if (KGPToolbarControls::MoveFocusOnKey(this, key))
        return TRUE;
    if (::GetFocus() != m_hWnd || ::GetKeyState(VK_CONTROL) >= 0)
        return CKGPEdit::PreTranslateMessage(pMsg);
    UINT message = 0;
    switch (key) {
    case VK_DELETE:
        message = WM_CLEAR;
        break;
    case 'C':
        message = WM_COPY;
        break;
    case 'V':
        message = WM_PASTE;
        break;
    case 'X':
        message = WM_CUT;
        break;
    case 'Z':
        message = EM_UNDO;
        break;
    default:
        return CKGPEdit::PreTranslateMessage(pMsg);
    }
    SendMessage(message);
    return TRUE;
}

void CKGPToolbarEditCtrl::OnSetFocus(CWnd* pOldWnd)
{
    CKGPEdit::OnSetFocus(pOldWnd);
    m_edit.SetHot(TRUE);
}

void CKGPToolbarEditCtrl::OnKillFocus(CWnd* pNewWnd)
{
    CKGPEdit::OnKillFocus(pNewWnd);
    m_edit.SetHot(FALSE);
}

void CKGPToolbarEditCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    CKGPEdit::OnMouseMove(nFlags, point);
    m_hover.OnMouseMove(this, m_edit);
}

void CKGPToolbarEditCtrl::OnMouseLeave()
{
    CKGPEdit::OnMouseLeave();
    m_hover.OnMouseLeave(this, m_edit);
}

void CKGPToolbarEditCtrl::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (!KGPToolbarControls::ShowContextMenu(this, m_edit.GetContextMenuID(), point))
        CKGPEdit::OnContextMenu(pWnd, point);
}
