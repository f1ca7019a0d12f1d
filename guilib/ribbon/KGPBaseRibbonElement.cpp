#include "guilib/ribbon/KGPBaseRibbonElement.h"

IMPLEMENT_DYNAMIC(CKGPBaseRibbonElement, CObject)

CKGPBaseRibbonElement* CKGPBaseRibbonElement::s_pActivePopupElement = nullptr;

CKGPBaseRibbonElement::CKGPBaseRibbonElement(UINT nID, LPCTSTR lpszText, int nImageIndex)
    : m_nID(nID), m_strText(lpszText != nullptr ? lpszText : L""), m_nImageIndex(nImageIndex)
{
}

CKGPBaseRibbonElement::~CKGPBaseRibbonElement()
{
    if (s_pActivePopupElement == this)
        s_pActivePopupElement = nullptr;
}

void CKGPBaseRibbonElement::Redraw()
{
    if (m_pParentWnd != nullptr && m_pParentWnd->GetSafeHwnd() != nullptr && !m_rect.IsRectEmpty())
        m_pParentWnd->RedrawWindow(m_rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKGPBaseRibbonElement::SetDroppedDown(CWnd* pPopupMenu)
{
    m_pPopupMenu = pPopupMenu;
    if (pPopupMenu != nullptr)
        s_pActivePopupElement = this;
    else if (s_pActivePopupElement == this)
        s_pActivePopupElement = nullptr;
}

BOOL CKGPBaseRibbonElement::NotifyCommand(UINT nID)
{
    m_nLastCommand = nID;
    return FALSE;
}

void CKGPBaseRibbonElement::ClosePopupMenu()
{
    CWnd* popup = m_pPopupMenu;
    SetDroppedDown(nullptr);
    s_pActivePopupElement = nullptr;
    if (popup != nullptr && ::IsWindow(popup->GetSafeHwnd()))
        popup->SendMessage(WM_CLOSE);
}
