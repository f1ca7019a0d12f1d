#include "guilib/toolbars/KGPComboEdit.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/toolbars/KGPToolbarComboBoxButton.h"
#include "guilib/toolbars/KGPToolbarControlSupport.h"

BEGIN_MESSAGE_MAP(CKGPComboEdit, CEdit)
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_CONTEXTMENU()
    ON_WM_PAINT()
    ON_CONTROL_REFLECT(EN_CHANGE, &CKGPComboEdit::OnChange)
END_MESSAGE_MAP()

BOOL CKGPComboEdit::PreTranslateMessage(MSG* pMsg)
{
    CComboBox* combo = m_combo.GetComboBox();
    if (combo == nullptr || combo->GetSafeHwnd() == nullptr)
        return CEdit::PreTranslateMessage(pMsg);
    const BOOL dropped = combo->GetDroppedState();
    if (pMsg->message == WM_MOUSEWHEEL && dropped) {
        combo->SendMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    if (pMsg->message != WM_KEYDOWN || ::GetKeyState(VK_MENU) < 0 || ::GetKeyState(VK_CONTROL) < 0)
        return CEdit::PreTranslateMessage(pMsg);

    const UINT key = static_cast<UINT>(pMsg->wParam);
    switch (key) {
    case VK_RETURN:
        if (dropped) {
            combo->SendMessage(WM_KEYDOWN, key, pMsg->lParam);
        } else {
            GetWindowText(m_combo.m_strEdit);
            if (CWnd* owner = combo->GetOwner())
                owner->PostMessage(WM_COMMAND, MAKEWPARAM(m_combo.m_nCommand, 0),
                                   reinterpret_cast<LPARAM>(combo->GetSafeHwnd()));
        }
        return TRUE;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_UP:
    case VK_DOWN:
        if (dropped) {
            combo->SendMessage(WM_KEYDOWN, key, pMsg->lParam);
            return TRUE;
        }
        if (key == VK_UP || key == VK_DOWN) {
            combo->ShowDropDown();
            m_combo.RepaintCombo();
            return TRUE;
        }
        break;
    case VK_ESCAPE:
        combo->ShowDropDown(FALSE);
        KGPToolbarControls::MoveFocusOnKey(this, key);
        return TRUE;
    case VK_TAB:
        KGPToolbarControls::MoveFocusOnKey(this, key);
        return TRUE;
    default:
        break;
    }
    return CEdit::PreTranslateMessage(pMsg);
}

void CKGPComboEdit::OnSetFocus(CWnd* pOldWnd)
{
    CEdit::OnSetFocus(pOldWnd);
    m_combo.SetHot(TRUE);
    m_combo.NotifyCommand(CBN_SETFOCUS);
}

void CKGPComboEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    m_combo.SetHot(FALSE);
    if (m_combo.GetComboBox() != nullptr && m_combo.GetComboBox()->GetSafeHwnd() != nullptr)
        m_combo.NotifyCommand(CBN_KILLFOCUS);
}

void CKGPComboEdit::OnMouseMove(UINT nFlags, CPoint point)
{
    CEdit::OnMouseMove(nFlags, point);
    m_hover.OnMouseMove(this, m_combo);
}

void CKGPComboEdit::OnMouseLeave()
{
    m_hover.OnMouseLeave(this, m_combo);
}

void CKGPComboEdit::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (!KGPToolbarControls::ShowContextMenu(this, m_combo.GetContextMenuID(), point))
        CEdit::OnContextMenu(pWnd, point);
}

void CKGPComboEdit::OnChange()
{
    m_combo.NotifyCommand(CBN_EDITCHANGE);
}

void CKGPComboEdit::OnPaint()
{
    const CString prompt = m_combo.GetPrompt();
    if (prompt.IsEmpty() || GetWindowTextLength() > 0 || ::GetFocus() == m_hWnd) {
        Default();
        return;
    }
    const CKGPGlobalData& global = GetKGPGlobalData();
    CPaintDC dc(this);
    CRect client;
    GetClientRect(client);
    dc.FillSolidRect(client, IsWindowEnabled() ? global.clrWindow : global.clrBtnFace);
    CFont* font = CFont::FromHandle(global.GetRegularFont());
    CFont* old = dc.SelectObject(font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(global.clrGrayText);
    dc.DrawText(prompt, client, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    dc.SelectObject(old);
}
