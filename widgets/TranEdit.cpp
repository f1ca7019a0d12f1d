#include "widgets/TranEdit.h"

BEGIN_MESSAGE_MAP(CTranEdit, CEdit)
    ON_WM_CREATE()
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_NCPAINT()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CTranEdit::CTranEdit() = default;
CTranEdit::~CTranEdit() = default;

void CTranEdit::PreSubclassWindow()
{
    CEdit::PreSubclassWindow();
    UseTextFontIfNone();
    // A one-pixel frame of our own instead of the sunken client edge.
    ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED);
}

void CTranEdit::UseTextFontIfNone()
{
    HFONT font = GetFontHandle();
    if (font == nullptr || font == static_cast<HFONT>(::GetStockObject(SYSTEM_FONT))) {
        ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(widgets::GetTextFont()), FALSE);
    }
}

int CTranEdit::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    // An edit made in code (not by a dialog) gets its font only once it exists.
    const int result = CEdit::OnCreate(lpCreateStruct);
    UseTextFontIfNone();
    return result;
}

void CTranEdit::SetColors(COLORREF text, COLORREF back)
{
    m_text = text;
    m_back = back;
    m_backBrush.Reset();
    if (m_hWnd != nullptr) {
        Invalidate();
    }
}

HBRUSH CTranEdit::CtlColor(CDC* pDC, UINT /*nCtlColor*/)
{
    if (!m_backBrush) {
        m_backBrush.Reset(::CreateSolidBrush(m_back));
    }
    pDC->SetTextColor(m_text);
    pDC->SetBkColor(m_back);
    return m_backBrush.Get();
}

void CTranEdit::OnNcPaint()
{
    Default();
    const CWindowDCHandle dc = CWindowDCHandle::Whole(m_hWnd);
    if (!dc) {
        return;
    }
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    ::OffsetRect(&window, -window.left, -window.top);
    const bool focused = ::GetFocus() == m_hWnd;
    CGdiHandle<HBRUSH> frame(::CreateSolidBrush(focused ? widgets::kLookGreen : widgets::kLookBorderGrey));
    ::FrameRect(dc.Get(), &window, frame.Get());
}

void CTranEdit::OnSetFocus(CWnd* pOldWnd)
{
    CEdit::OnSetFocus(pOldWnd);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void CTranEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}
