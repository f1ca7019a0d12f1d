#include "guilib/docking/KGPStatusBar.h"

#include "guilib/core/KGPGlobalData.h"

#include <afxframe.h>

IMPLEMENT_DYNCREATE(CKGPStatusBar, CKGPControlBar)

BOOL CKGPStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CKGPControlBar::Create(nullptr, dwStyle, CRect(0, 0, 0, 0), pParentWnd, nID, 0);
}

BOOL CKGPStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || nIndex > kPreviewPane)
        return FALSE;
    if (lpszNewText == nullptr || *lpszNewText == 0)
        m_panes.erase(nIndex);
    else
        m_panes[nIndex] = lpszNewText;
    if (bUpdate && GetSafeHwnd() != nullptr) {
        Invalidate();
        UpdateWindow();
    }
    return TRUE;
}

CString CKGPStatusBar::GetPaneText(int nIndex) const
{
    const auto found = m_panes.find(nIndex);
    return found != m_panes.end() ? found->second : CString();
}

CSize CKGPStatusBar::CalcFixedLayout(BOOL /*bStretch*/, BOOL /*bHorz*/)
{
    // As wide as the frame, as tall as a line of text and its borders.
    CRect area;
    if (CWnd* parent = GetParent())
        parent->GetClientRect(area);
    return CSize(area.Width(), GetKGPGlobalData().GetTextHeight(TRUE) + 8);
}

void CKGPStatusBar::DoPaint(CDC* pDC)
{
    CRect client;
    GetClientRect(client);
    const CKGPGlobalData& global = GetKGPGlobalData();
    pDC->FillSolidRect(client, global.clrBtnFace);
    const CSelectionScope font(pDC->GetSafeHdc(), global.GetBarFont());
    ::SetBkMode(pDC->GetSafeHdc(), TRANSPARENT);
    ::SetTextColor(pDC->GetSafeHdc(), global.clrBtnText);
    CRect rest = client;
    rest.DeflateRect(4, 2);
    // The panes after the first stand from the right, the preview pane last of all.
    for (auto pane = m_panes.rbegin(); pane != m_panes.rend() && pane->first > 0; ++pane) {
        SIZE extent{};
        ::GetTextExtentPoint32W(pDC->GetSafeHdc(), pane->second, pane->second.GetLength(), &extent);
        CRect place(rest.right - extent.cx - 8, rest.top, rest.right, rest.bottom);
        pDC->Draw3dRect(place, global.clrBtnShadow, global.clrBtnHilite);
        CRect text = place;
        ::DrawTextW(pDC->GetSafeHdc(), pane->second, -1, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        rest.right = place.left - 2;
    }
    if (const auto first = m_panes.find(0); first != m_panes.end()) {
        ::DrawTextW(pDC->GetSafeHdc(), first->second, -1, rest,
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
}
