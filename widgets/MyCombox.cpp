#include "widgets/MyCombox.h"

#include "widgets/BufferedPaint.h"

BEGIN_MESSAGE_MAP(CMyCombox, CComboBox)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CMyCombox::CMyCombox() = default;
CMyCombox::~CMyCombox() = default;

void CMyCombox::SetColors(COLORREF normal, COLORREF highlight)
{
    m_crNormal = normal;
    m_crHighlight = highlight;
    if (m_hWnd != nullptr) {
        Invalidate(FALSE);
    }
}

void CMyCombox::SetTextColor(COLORREF text)
{
    m_crText = text;
    if (m_hWnd != nullptr) {
        Invalidate(FALSE);
    }
}

void CMyCombox::SetBkColor(COLORREF back)
{
    m_crBack = back;
    m_backBrush.Reset();
    if (m_hWnd != nullptr) {
        Invalidate(FALSE);
    }
}

HBRUSH CMyCombox::OnCtlColor(CDC* pDC, CWnd* /*pWnd*/, UINT /*nCtlColor*/)
{
    // The edit part and the drop-down list ask their combo for colours.
    if (!m_backBrush) {
        m_backBrush.Reset(::CreateSolidBrush(m_crBack));
    }
    pDC->SetTextColor(m_crText);
    pDC->SetBkColor(m_crBack);
    return m_backBrush.Get();
}

void CMyCombox::Paint(HDC dc)
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    widgets::PaintParentBackground(m_hWnd, dc);
    const bool enabled = IsWindowEnabled() != FALSE;
    const bool active = enabled && (m_hot.IsHot() || ::GetFocus() == m_hWnd || GetDroppedState() != FALSE ||
                                    ::IsChild(m_hWnd, ::GetFocus()) != FALSE);
    const COLORREF frame = active ? m_crHighlight : m_crNormal;
    widgets::FillRoundRect(dc, client, 6, enabled ? m_crBack : RGB(240, 240, 240), frame);

    const int buttonWidth = ::GetSystemMetrics(SM_CXVSCROLL);
    RECT button{client.right - buttonWidth - 1, client.top + 1, client.right - 1, client.bottom - 1};
    widgets::FillRoundRect(dc, button, 6, enabled ? (active ? m_crHighlight : widgets::kLookGreen) : m_crNormal,
                           enabled ? (active ? m_crHighlight : widgets::kLookGreen) : m_crNormal);
    // The drop arrow: a small white triangle.
    const int cx = (button.left + button.right) / 2;
    const int cy = (button.top + button.bottom) / 2;
    POINT arrow[3] = {{cx - 4, cy - 2}, {cx + 4, cy - 2}, {cx, cy + 3}};
    CGdiHandle<HBRUSH> white(::CreateSolidBrush(widgets::kLookWhite));
    CGdiHandle<HPEN> whitePen(::CreatePen(PS_SOLID, 1, widgets::kLookWhite));
    {
        CSelectionScope brush(dc, white.Get());
        CSelectionScope pen(dc, whitePen.Get());
        ::Polygon(dc, arrow, 3);
    }

    if ((GetStyle() & 0x3) == CBS_DROPDOWNLIST) {
        RECT textRect{client.left + 6, client.top, button.left - 2, client.bottom};
        CString text;
        const int selection = GetCurSel();
        if (selection >= 0) {
            GetLBText(selection, text);
        }
        HFONT font = GetFontHandle();
        CSelectionScope selectFont(dc, font != nullptr ? font : widgets::GetTextFont());
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, enabled ? m_crText : widgets::kLookDisabled);
        ::DrawTextW(dc, text, -1, &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
}

void CMyCombox::OnPaint()
{
    widgets::CBufferedPaint paint(*this);
    Paint(paint.Dc());
}

BOOL CMyCombox::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CMyCombox::OnMouseMove(UINT nFlags, CPoint point)
{
    m_hot.MouseMoved(m_hWnd);
    CComboBox::OnMouseMove(nFlags, point);
}

void CMyCombox::OnMouseLeave()
{
    m_hot.MouseLeft(m_hWnd);
    CComboBox::OnMouseLeave();
}

void CMyCombox::OnSetFocus(CWnd* pOldWnd)
{
    CComboBox::OnSetFocus(pOldWnd);
    Invalidate(FALSE);
}

void CMyCombox::OnKillFocus(CWnd* pNewWnd)
{
    CComboBox::OnKillFocus(pNewWnd);
    Invalidate(FALSE);
}
