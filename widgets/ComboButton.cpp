#include "widgets/ComboButton.h"

#include <algorithm>

#include "widgets/ControlCanvas.h"

int StepComboValue(int value, int delta, int minimum, int maximum)
{
    const int low = std::min(minimum, maximum);
    const int high = std::max(minimum, maximum);
    const long long next = static_cast<long long>(value) + delta;
    return static_cast<int>(std::clamp<long long>(next, low, high));
}

BEGIN_MESSAGE_MAP(CComboButton, CImageButton)
    ON_WM_MOUSEWHEEL()
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CComboButton::CComboButton() = default;
CComboButton::~CComboButton() = default;

void CComboButton::SetRange(int minimum, int maximum)
{
    m_min = std::min(minimum, maximum);
    m_max = std::max(minimum, maximum);
    m_value = std::clamp(m_value, m_min, m_max);
    ShowValue();
}

void CComboButton::SetValue(int value)
{
    m_value = std::clamp(value, m_min, m_max);
    ShowValue();
}

void CComboButton::SetDisplayFormat(LPCTSTR format)
{
    m_showValue = format != nullptr;
    m_format = format != nullptr ? format : L"";
    ShowValue();
}

void CComboButton::ShowValue()
{
    if (m_hWnd == nullptr || !m_showValue) {
        return;
    }
    CString text;
    text.Format(m_format, m_value);
    ::SetWindowTextW(m_hWnd, text);
    Invalidate(FALSE);
}

void CComboButton::Step(int delta)
{
    const int next = StepComboValue(m_value, delta, m_min, m_max);
    if (next == m_value) {
        return;
    }
    m_value = next;
    ShowValue();
    HWND parent = ::GetParent(m_hWnd);
    if (parent != nullptr) {
        ::PostMessageW(parent, WM_COMBOBUTTON_CHANGED, static_cast<WPARAM>(GetDlgCtrlID()),
                       static_cast<LPARAM>(m_value));
    }
}

BOOL CComboButton::OnMouseWheel(UINT /*nFlags*/, short zDelta, CPoint /*pt*/)
{
    // High-resolution wheels send fractions of a notch: keep the rest.
    m_wheelRest += zDelta;
    const int notches = m_wheelRest / WHEEL_DELTA;
    m_wheelRest -= notches * WHEEL_DELTA;
    if (notches != 0) {
        Step(notches);
    }
    return TRUE;
}

void CComboButton::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar) {
    case VK_UP:
    case VK_RIGHT:
        Step(1);
        return;
    case VK_DOWN:
    case VK_LEFT:
        Step(-1);
        return;
    default:
        CImageButton::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

UINT CComboButton::OnGetDlgCode()
{
    return DLGC_WANTARROWS | DLGC_BUTTON;
}

void CComboButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    widgets::CControlCanvas canvas(m_hWnd, lpDrawItemStruct->hDC, lpDrawItemStruct->rcItem);
    HDC dc = canvas.Dc();
    const widgets::DrawItemState state(lpDrawItemStruct->itemState);
    const bool disabled = state.disabled;
    const bool focused = state.focused;
    const bool active = !disabled && (IsHot() || state.pressed);
    RECT face = canvas.Rect();
    widgets::FillRoundRect(dc, face, 6, active ? widgets::kLookLightGreen : widgets::kLookWhite,
                           focused || active ? widgets::kLookGreen : widgets::kLookBorderGrey);

    RECT textRect = face;
    if (HasImage()) {
        const SIZE image = GetImageSize();
        RECT imageRect = face;
        imageRect.left = imageRect.right - image.cx - 4;
        textRect.right = imageRect.left;
        DrawImage(dc, imageRect, active);
    }
    wchar_t text[64] = {};
    ::GetWindowTextW(m_hWnd, text, 64);
    // The font its owner gave it (a page's own, for the grids), else the text font.
    const auto own = reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
    CSelectionScope font(dc, own != nullptr ? own : widgets::GetTextFont());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, disabled ? widgets::kLookDisabled : widgets::kLookText);
    ::DrawTextW(dc, text, -1, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
