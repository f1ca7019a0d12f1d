#include "guilib/controls/KGPExCheckList.h"

#include "guilib/core/KGPGlobalData.h"

IMPLEMENT_DYNAMIC(CKGPExCheckList, CListBox)

namespace {

constexpr int kItemHeight = 18;
constexpr int kCheckBoxWidth = kItemHeight;  // the box's square at the left of an item

} // namespace

BOOL CKGPExCheckList::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    dwStyle &= ~static_cast<DWORD>(LBS_OWNERDRAWVARIABLE);
    return CListBox::Create(dwStyle | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY, rect, pParentWnd, nID);
}

int CKGPExCheckList::GetCheck(int nIndex) const
{
    return nIndex >= 0 && nIndex < static_cast<int>(m_checks.size()) ? m_checks[static_cast<size_t>(nIndex)] : -1;
}

void CKGPExCheckList::SetCheck(int nIndex, int nCheck)
{
    if (nIndex < 0 || nIndex >= static_cast<int>(m_checks.size()))
        return;
    m_checks[static_cast<size_t>(nIndex)] = nCheck == BST_UNCHECKED ? BST_UNCHECKED : BST_CHECKED;
    CRect item;
    if (GetItemRect(nIndex, item) != LB_ERR)
        InvalidateRect(item);
}

void CKGPExCheckList::Toggle(int nIndex)
{
    if (GetCheck(nIndex) < 0)
        return;
    SetCheck(nIndex, GetCheck(nIndex) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
    CWnd* parent = GetParent();
    if (parent != nullptr)
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), KGP_CLBN_CHKCHANGE),
                            reinterpret_cast<LPARAM>(m_hWnd));
}

LRESULT CKGPExCheckList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        // The list's answer is where the item went (it may sort).
        const LRESULT index = CListBox::WindowProc(message, wParam, lParam);
        if (index >= 0 && index <= static_cast<LRESULT>(m_checks.size()))
            m_checks.insert(m_checks.begin() + index, BST_UNCHECKED);
        return index;
    }
    case LB_DELETESTRING: {
        const LRESULT left = CListBox::WindowProc(message, wParam, lParam);
        if (left != LB_ERR && wParam < m_checks.size())
            m_checks.erase(m_checks.begin() + static_cast<std::ptrdiff_t>(wParam));
        return left;
    }
    case LB_RESETCONTENT:
        m_checks.clear();
        break;
    case WM_LBUTTONDOWN: {
        const CPoint point(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        BOOL outside = TRUE;
        const int index = static_cast<int>(ItemFromPoint(point, outside));
        const LRESULT result = CListBox::WindowProc(message, wParam, lParam);
        if (!outside && point.x < kCheckBoxWidth)
            Toggle(index);
        return result;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE) {
            Toggle(GetCurSel());
            return 0;
        }
        break;
    default:
        break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}

void CKGPExCheckList::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = kItemHeight;
}

void CKGPExCheckList::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const int index = static_cast<int>(lpDrawItemStruct->itemID);
    if (index < 0)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const CKGPGlobalData& data = GetKGPGlobalData();
    const CRect item(lpDrawItemStruct->rcItem);
    const BOOL selected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    pDC->FillSolidRect(item, data.clrWindow);

    CRect box(item.left, item.top, item.left + kCheckBoxWidth, item.bottom);
    box.DeflateRect(3, 3);
    UINT boxState = DFCS_BUTTONCHECK | DFCS_FLAT;
    if (GetCheck(index) == BST_CHECKED)
        boxState |= DFCS_CHECKED;
    pDC->DrawFrameControl(box, DFC_BUTTON, boxState);

    CRect text(item.left + kCheckBoxWidth, item.top, item.right, item.bottom);
    if (selected)
        pDC->FillSolidRect(text, data.clrHilite);
    CString label;
    GetText(index, label);
    const int saved = pDC->SaveDC();
    pDC->SelectObject(CFont::FromHandle(data.GetRegularFont()));
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(selected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : data.clrWindowText);
    text.left += 2;
    pDC->DrawText(label, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    pDC->RestoreDC(saved);
    if ((lpDrawItemStruct->itemState & ODS_FOCUS) != 0)
        pDC->DrawFocusRect(CRect(item.left + kCheckBoxWidth, item.top, item.right, item.bottom));
}
