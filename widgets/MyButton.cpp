#include "widgets/MyButton.h"

#include "widgets/ControlCanvas.h"

CMyButton::CMyButton() = default;
CMyButton::~CMyButton() = default;

void CMyButton::PreSubclassWindow()
{
    CImageButton::PreSubclassWindow();
    ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(widgets::GetButtonFont()), FALSE);
}

void CMyButton::SetWindowText(LPCTSTR lpszString)
{
    ::SetWindowTextW(m_hWnd, lpszString);
    Invalidate(FALSE);
}

BOOL CMyButton::SetBitmap(UINT nIDBitmap)
{
    HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCEW(nIDBitmap), RT_BITMAP);
    HBITMAP bitmap =
        static_cast<HBITMAP>(::LoadImageW(module, MAKEINTRESOURCEW(nIDBitmap), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (bitmap == nullptr) {
        return FALSE;
    }
    SetBitmaps(bitmap, nullptr);
    return TRUE;
}

void CMyButton::SetFaceColors(COLORREF face, COLORREF activeFace, COLORREF frame, COLORREF text)
{
    m_face = face;
    m_activeFace = activeFace;
    m_frame = frame;
    m_text = text;
    if (m_hWnd != nullptr) {
        Invalidate(FALSE);
    }
}

void CMyButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    widgets::CControlCanvas canvas(m_hWnd, lpDrawItemStruct->hDC, lpDrawItemStruct->rcItem);
    HDC dc = canvas.Dc();
    const CRect& rect = canvas.Rect();
    const UINT state = lpDrawItemStruct->itemState;
    const widgets::DrawItemState flags(state);
    const bool disabled = flags.disabled;
    const bool pressed = flags.pressed;
    const bool active = !disabled && (pressed || IsHot());

    COLORREF face = active ? m_activeFace : m_face;
    if (pressed) {
        face = widgets::BlendColour(face, RGB(0, 0, 0), 15);
    }
    const COLORREF frame = disabled ? widgets::kLookDisabled : m_frame;
    RECT faceRect = rect;
    ::InflateRect(&faceRect, -1, -1);
    widgets::FillRoundRect(dc, faceRect, 8, face, frame);

    wchar_t text[256] = {};
    ::GetWindowTextW(m_hWnd, text, 256);
    RECT content = faceRect;
    ::InflateRect(&content, -4, -2);
    if (pressed) {
        ::OffsetRect(&content, 1, 1);
    }
    if (HasImage()) {
        const SIZE image = GetImageSize();
        RECT imageRect = content;
        if (text[0] != L'\0') {
            imageRect.right = imageRect.left + image.cx + 4;
            content.left = imageRect.right;
        }
        DrawImage(dc, imageRect, active);
    }
    if (text[0] != L'\0') {
        CSelectionScope font(dc, widgets::GetButtonFontFor(text));
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, disabled ? widgets::kLookDisabled : (active ? widgets::kLookWhite : m_text));
        ::DrawTextW(dc, text, -1, &content, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    if ((state & ODS_FOCUS) != 0 && (state & ODS_NOFOCUSRECT) == 0) {
        RECT focus = faceRect;
        ::InflateRect(&focus, -3, -3);
        ::DrawFocusRect(dc, &focus);
    }
}
