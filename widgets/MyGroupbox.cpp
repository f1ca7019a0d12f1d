#include "widgets/MyGroupbox.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(CMyGroupbox, CButton)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CMyGroupbox::CMyGroupbox() = default;
CMyGroupbox::~CMyGroupbox() = default;

void CMyGroupbox::SetCaptionHeight(int height)
{
    m_captionHeight = std::max(0, height);
    if (m_hWnd != nullptr) {
        Invalidate();
    }
}

void CMyGroupbox::SetStyle(int style)
{
    m_style = std::clamp(style, 0, 2);
    if (m_hWnd != nullptr) {
        Invalidate();
    }
}

void CMyGroupbox::SetColors(COLORREF frame, COLORREF captionText, COLORREF captionBack)
{
    m_frame = frame;
    m_captionText = captionText;
    m_captionBack = captionBack;
    if (m_hWnd != nullptr) {
        Invalidate();
    }
}

LRESULT CMyGroupbox::OnNcHitTest(CPoint /*point*/)
{
    return HTTRANSPARENT; // the controls inside get the mouse
}

BOOL CMyGroupbox::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE; // the inside stays the parent's: the controls in the group are siblings
}

void CMyGroupbox::OnPaint()
{
    CPaintDC paint(this);
    HDC dc = paint.GetSafeHdc();
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    wchar_t text[256] = {};
    ::GetWindowTextW(m_hWnd, text, 256);
    HFONT font = GetFontHandle();
    CSelectionScope selectFont(dc, font != nullptr ? font : widgets::GetTextFont());
    ::SetBkMode(dc, TRANSPARENT);

    CGdiHandle<HPEN> pen(::CreatePen(PS_SOLID, 1, m_frame));
    CSelectionScope selectPen(dc, pen.Get());
    CSelectionScope selectBrush(dc, ::GetStockObject(NULL_BRUSH));
    if (m_style == 0) {
        SIZE extent{};
        ::GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &extent);
        const int lineY = client.top + extent.cy / 2;
        ::Rectangle(dc, client.left, lineY, client.right, client.bottom);
        if (text[0] != L'\0') {
            RECT caption{client.left + 8, client.top, client.left + 8 + extent.cx + 6, client.top + extent.cy};
            CGdiHandle<HBRUSH> back(::CreateSolidBrush(m_captionBack));
            ::FillRect(dc, &caption, back.Get());
            ::SetTextColor(dc, m_captionText);
            ::DrawTextW(dc, text, -1, &caption, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
        }
    } else {
        const int radius = m_style == 2 ? 10 : 0;
        if (radius > 0) {
            ::RoundRect(dc, client.left, client.top, client.right, client.bottom, radius, radius);
        } else {
            ::Rectangle(dc, client.left, client.top, client.right, client.bottom);
        }
        RECT band{client.left, client.top, client.right, client.top + std::min<LONG>(m_captionHeight, client.bottom)};
        if (radius > 0) {
            // Round the band's top corners only: clip a rounded region to the band.
            HRGN region = ::CreateRoundRectRgn(client.left, client.top, client.right + 1, client.bottom + 1, radius,
                                               radius);
            CGdiHandle<HRGN> owner(region);
            ::SelectClipRgn(dc, region);
            CGdiHandle<HBRUSH> fill(::CreateSolidBrush(m_frame));
            ::FillRect(dc, &band, fill.Get());
            ::SelectClipRgn(dc, nullptr);
        } else {
            CGdiHandle<HBRUSH> fill(::CreateSolidBrush(m_frame));
            ::FillRect(dc, &band, fill.Get());
        }
        RECT caption = band;
        caption.left += 8;
        ::SetTextColor(dc, m_captionText);
        ::DrawTextW(dc, text, -1, &caption, DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    }
}
