// CStatusBarCtrl.
#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CStatusBarCtrl, CWnd)

BOOL CStatusBarCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(STATUSCLASSNAMEW, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CStatusBarCtrl::SetParts(int nParts, int* pWidths)
{
    return static_cast<BOOL>(SendMessage(SB_SETPARTS, static_cast<WPARAM>(nParts), reinterpret_cast<LPARAM>(pWidths)));
}

int CStatusBarCtrl::GetParts(int nParts, int* pParts) const
{
    return static_cast<int>(SendMessage(SB_GETPARTS, static_cast<WPARAM>(nParts), reinterpret_cast<LPARAM>(pParts)));
}

BOOL CStatusBarCtrl::SetText(LPCTSTR lpszText, int nPane, int nType)
{
    return static_cast<BOOL>(SendMessage(SB_SETTEXTW, static_cast<WPARAM>(nPane | nType), reinterpret_cast<LPARAM>(lpszText)));
}

int CStatusBarCtrl::GetTextLength(int nPane, int* pType) const
{
    const DWORD result = static_cast<DWORD>(SendMessage(SB_GETTEXTLENGTHW, static_cast<WPARAM>(nPane)));
    if (pType)
        *pType = HIWORD(result);
    return LOWORD(result);
}

CString CStatusBarCtrl::GetText(int nPane, int* pType) const
{
    CString text;
    const int length = GetTextLength(nPane, pType);
    LPTSTR buffer = text.GetBuffer(length + 1);
    buffer[0] = 0;
    SendMessage(SB_GETTEXTW, static_cast<WPARAM>(nPane), reinterpret_cast<LPARAM>(buffer));
    buffer[length] = 0;
    text.ReleaseBuffer();
    return text;
}

BOOL CStatusBarCtrl::GetRect(int nPane, LPRECT lpRect) const
{
    return static_cast<BOOL>(SendMessage(SB_GETRECT, static_cast<WPARAM>(nPane), reinterpret_cast<LPARAM>(lpRect)));
}

void CStatusBarCtrl::SetMinHeight(int nMin) { SendMessage(SB_SETMINHEIGHT, static_cast<WPARAM>(nMin)); }
BOOL CStatusBarCtrl::SetSimple(BOOL bSimple) { return static_cast<BOOL>(SendMessage(SB_SIMPLE, bSimple)); }
