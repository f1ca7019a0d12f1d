// CButton and CStatic.
#include <afxwin.h>

#include "OwnerDraw.h"

IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CStatic, CWnd)

namespace {

// The image messages of buttons and statics: setting answers the image shown
// before, getting the one shown now.
template <class Handle>
Handle SwapImage(CWnd& control, UINT message, WPARAM kind, Handle image)
{
    return reinterpret_cast<Handle>(control.SendMessage(message, kind, reinterpret_cast<LPARAM>(image)));
}

template <class Handle>
Handle CurrentImage(const CWnd& control, UINT message, WPARAM kind)
{
    return reinterpret_cast<Handle>(control.SendMessage(message, kind));
}

} // namespace

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(L"BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

UINT CButton::GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
void CButton::SetState(BOOL bHighlight) { SendMessage(BM_SETSTATE, bHighlight); }
int CButton::GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
void CButton::SetCheck(int nCheck) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }

UINT CButton::GetButtonStyle() const
{
    return static_cast<UINT>(GetStyle() & 0xFFFF);
}

void CButton::SetButtonStyle(UINT nStyle, BOOL bRedraw)
{
    SendMessage(BM_SETSTYLE, nStyle & 0xFFFF, bRedraw);
}

HICON CButton::SetIcon(HICON hIcon) { return SwapImage(*this, BM_SETIMAGE, IMAGE_ICON, hIcon); }
HICON CButton::GetIcon() const { return CurrentImage<HICON>(*this, BM_GETIMAGE, IMAGE_ICON); }
HBITMAP CButton::SetBitmap(HBITMAP hBitmap) { return SwapImage(*this, BM_SETIMAGE, IMAGE_BITMAP, hBitmap); }
HBITMAP CButton::GetBitmap() const { return CurrentImage<HBITMAP>(*this, BM_GETIMAGE, IMAGE_BITMAP); }
HCURSOR CButton::SetCursor(HCURSOR hCursor) { return SwapImage(*this, BM_SETIMAGE, IMAGE_CURSOR, hCursor); }

// A BS_OWNERDRAW button must be drawn by a derived class.
void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM && afx_detail::ReflectOwnerDraw(*this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(L"STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

// STM_SETICON takes the icon in wParam, unlike the STM_SETIMAGE kinds.
HICON CStatic::SetIcon(HICON hIcon)
{
    return SwapImage<HICON>(*this, STM_SETICON, reinterpret_cast<WPARAM>(hIcon), nullptr);
}
HICON CStatic::GetIcon() const { return CurrentImage<HICON>(*this, STM_GETICON, 0); }
HBITMAP CStatic::SetBitmap(HBITMAP hBitmap) { return SwapImage(*this, STM_SETIMAGE, IMAGE_BITMAP, hBitmap); }
HBITMAP CStatic::GetBitmap() const { return CurrentImage<HBITMAP>(*this, STM_GETIMAGE, IMAGE_BITMAP); }
HCURSOR CStatic::SetCursor(HCURSOR hCursor) { return SwapImage(*this, STM_SETIMAGE, IMAGE_CURSOR, hCursor); }

void CStatic::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_DRAWITEM && afx_detail::ReflectOwnerDraw(*this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}
