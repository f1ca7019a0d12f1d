#include "widgets/HotButton.h"

BEGIN_MESSAGE_MAP(CHotButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CHotButton::CHotButton() = default;
CHotButton::~CHotButton() = default;

void CHotButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    const LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
}

void CHotButton::OnMouseMove(UINT nFlags, CPoint point)
{
    m_hot.MouseMoved(m_hWnd);
    CButton::OnMouseMove(nFlags, point);
}

void CHotButton::OnMouseLeave()
{
    m_hot.MouseLeft(m_hWnd);
    CButton::OnMouseLeave();
}

BOOL CHotButton::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE; // DrawItem paints every pixel
}
