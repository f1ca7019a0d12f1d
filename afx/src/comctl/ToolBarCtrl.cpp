// CToolBarCtrl.
#include <afxcmn.h>

#include "../wnd/MessageParams.h"

IMPLEMENT_DYNAMIC(CToolBarCtrl, CWnd)

using afx_detail::WParam;
using afx_detail::LParam;

namespace {
LPARAM ListParam(CImageList* list)
{
    return reinterpret_cast<LPARAM>(list ? list->m_hImageList : nullptr);
}
CImageList* ListFrom(LRESULT result)
{
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(result));
}
} // namespace

BOOL CToolBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, dwStyle, rect, pParentWnd, nID);
}

BOOL CToolBarCtrl::CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CWnd::CreateEx(dwExStyle, TOOLBARCLASSNAMEW, nullptr, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    SetButtonStructSize(sizeof(TBBUTTON));
    return TRUE;
}

void CToolBarCtrl::SetButtonStructSize(int nSize) { SendMessage(TB_BUTTONSTRUCTSIZE, WParam(nSize)); }
BOOL CToolBarCtrl::AddButtons(int nNumButtons, LPTBBUTTON lpButtons)
{
    return static_cast<BOOL>(SendMessage(TB_ADDBUTTONSW, WParam(nNumButtons), LParam(lpButtons)));
}
BOOL CToolBarCtrl::InsertButton(int nIndex, LPTBBUTTON lpButton)
{
    return static_cast<BOOL>(SendMessage(TB_INSERTBUTTONW, WParam(nIndex), LParam(lpButton)));
}
BOOL CToolBarCtrl::DeleteButton(int nIndex) { return static_cast<BOOL>(SendMessage(TB_DELETEBUTTON, WParam(nIndex))); }
int CToolBarCtrl::GetButtonCount() const { return static_cast<int>(SendMessage(TB_BUTTONCOUNT)); }
BOOL CToolBarCtrl::GetButton(int nIndex, LPTBBUTTON lpButton) const
{
    return static_cast<BOOL>(SendMessage(TB_GETBUTTON, WParam(nIndex), LParam(lpButton)));
}
int CToolBarCtrl::GetButtonInfo(UINT nID, TBBUTTONINFO* ptbbi) const
{
    ptbbi->cbSize = sizeof(TBBUTTONINFOW);
    return static_cast<int>(SendMessage(TB_GETBUTTONINFOW, nID, LParam(ptbbi)));
}
BOOL CToolBarCtrl::SetButtonInfo(UINT nID, TBBUTTONINFO* ptbbi)
{
    ptbbi->cbSize = sizeof(TBBUTTONINFOW);
    return static_cast<BOOL>(SendMessage(TB_SETBUTTONINFOW, nID, LParam(ptbbi)));
}
UINT CToolBarCtrl::CommandToIndex(UINT nID) const { return static_cast<UINT>(SendMessage(TB_COMMANDTOINDEX, nID)); }
BOOL CToolBarCtrl::GetItemRect(int nIndex, LPRECT lpRect) const
{
    return static_cast<BOOL>(SendMessage(TB_GETITEMRECT, WParam(nIndex), LParam(lpRect)));
}
BOOL CToolBarCtrl::GetRect(UINT nID, LPRECT lpRect) const
{
    return static_cast<BOOL>(SendMessage(TB_GETRECT, nID, LParam(lpRect)));
}
DWORD CToolBarCtrl::SetExtendedStyle(DWORD dwExStyle)
{
    return static_cast<DWORD>(SendMessage(TB_SETEXTENDEDSTYLE, 0, static_cast<LPARAM>(dwExStyle)));
}
DWORD CToolBarCtrl::GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(TB_GETEXTENDEDSTYLE)); }
CImageList* CToolBarCtrl::SetImageList(CImageList* pImageList) { return ListFrom(SendMessage(TB_SETIMAGELIST, 0, ListParam(pImageList))); }
CImageList* CToolBarCtrl::GetImageList() const { return ListFrom(SendMessage(TB_GETIMAGELIST)); }
CImageList* CToolBarCtrl::SetDisabledImageList(CImageList* pImageList)
{
    return ListFrom(SendMessage(TB_SETDISABLEDIMAGELIST, 0, ListParam(pImageList)));
}
CImageList* CToolBarCtrl::SetHotImageList(CImageList* pImageList) { return ListFrom(SendMessage(TB_SETHOTIMAGELIST, 0, ListParam(pImageList))); }
BOOL CToolBarCtrl::HideButton(int nID, BOOL bHide) { return static_cast<BOOL>(SendMessage(TB_HIDEBUTTON, WParam(nID), MAKELPARAM(bHide, 0))); }
BOOL CToolBarCtrl::IsButtonHidden(int nID) const { return static_cast<BOOL>(SendMessage(TB_ISBUTTONHIDDEN, WParam(nID))); }
BOOL CToolBarCtrl::EnableButton(int nID, BOOL bEnable) { return static_cast<BOOL>(SendMessage(TB_ENABLEBUTTON, WParam(nID), MAKELPARAM(bEnable, 0))); }
BOOL CToolBarCtrl::IsButtonEnabled(int nID) const { return static_cast<BOOL>(SendMessage(TB_ISBUTTONENABLED, WParam(nID))); }
BOOL CToolBarCtrl::CheckButton(int nID, BOOL bCheck) { return static_cast<BOOL>(SendMessage(TB_CHECKBUTTON, WParam(nID), MAKELPARAM(bCheck, 0))); }
BOOL CToolBarCtrl::IsButtonChecked(int nID) const { return static_cast<BOOL>(SendMessage(TB_ISBUTTONCHECKED, WParam(nID))); }
BOOL CToolBarCtrl::PressButton(int nID, BOOL bPress) { return static_cast<BOOL>(SendMessage(TB_PRESSBUTTON, WParam(nID), MAKELPARAM(bPress, 0))); }
BOOL CToolBarCtrl::SetState(int nID, UINT nState) { return static_cast<BOOL>(SendMessage(TB_SETSTATE, WParam(nID), MAKELPARAM(nState, 0))); }
int CToolBarCtrl::GetState(int nID) const { return static_cast<int>(SendMessage(TB_GETSTATE, WParam(nID))); }
BOOL CToolBarCtrl::SetButtonSize(CSize size) { return static_cast<BOOL>(SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(size.cx, size.cy))); }
CSize CToolBarCtrl::GetButtonSize() const
{
    const DWORD size = static_cast<DWORD>(SendMessage(TB_GETBUTTONSIZE));
    return CSize(LOWORD(size), HIWORD(size));
}
BOOL CToolBarCtrl::SetBitmapSize(CSize size) { return static_cast<BOOL>(SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(size.cx, size.cy))); }
void CToolBarCtrl::AutoSize() { SendMessage(TB_AUTOSIZE); }
int CToolBarCtrl::AddStrings(LPCTSTR lpszStrings) { return static_cast<int>(SendMessage(TB_ADDSTRINGW, 0, LParam(lpszStrings))); }
BOOL CToolBarCtrl::SetMaxTextRows(int iMaxRows) { return static_cast<BOOL>(SendMessage(TB_SETMAXTEXTROWS, WParam(iMaxRows))); }
CToolTipCtrl* CToolBarCtrl::GetToolTips() const
{
    return afx_detail::WndAs<CToolTipCtrl>(CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(TB_GETTOOLTIPS))));
}
void CToolBarCtrl::SetToolTips(CToolTipCtrl* pTip) { SendMessage(TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(CWnd::HwndOf(pTip))); }
