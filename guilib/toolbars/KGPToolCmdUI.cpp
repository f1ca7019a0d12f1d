#include "guilib/toolbars/KGPToolCmdUI.h"

#include "guilib/toolbars/KGPToolBar.h"

COldToolCmdUI::COldToolCmdUI(CKGPToolBar& bar, int iIndex, UINT nCount) : m_bar(bar)
{
    m_nIndex = static_cast<UINT>(iIndex);
    m_nIndexMax = nCount;
    m_pOther = &bar;
    m_nID = bar.GetButton(iIndex)->m_nCommand;
}

void COldToolCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    const UINT style = m_bar.GetButtonStyle(m_nIndex);
    m_bar.SetButtonStyle(m_nIndex, bOn ? (style & ~TBBS_DISABLED) : (style | TBBS_DISABLED));
}

void COldToolCmdUI::SetCheck(int nCheck)
{
    if (nCheck >= 3)
        nCheck = 1;
    UINT style = m_bar.GetButtonStyle(m_nIndex) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
    if (nCheck == 1)
        style |= TBBS_CHECKED;
    else if (nCheck == 2)
        style |= TBBS_INDETERMINATE;
    m_bar.SetButtonStyle(m_nIndex, style | TBBS_CHECKBOX);
}

void COldToolCmdUI::SetRadio(BOOL bOn)
{
    SetCheck(bOn ? 1 : 0);
    m_bar.GetButton(m_nIndex)->MarkRadio();
}

void COldToolCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_bar.m_bKeepCaptions || lpszText == nullptr)
        return;
    CString text(lpszText);
    const int tab = text.Find(L'\t');
    if (tab >= 0)
        text = text.Left(tab);
    CKGPToolbarButton* button = m_bar.GetButton(m_nIndex);
    CString caption = button->m_strCaption;
    const int captionTab = caption.Find(L'\t');
    if (captionTab >= 0)
        caption = caption.Left(captionTab);
    if (text == caption)
        return;
    button->m_strCaption = text;
    m_bar.AdjustLayout();
}
