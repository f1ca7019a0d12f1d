#include "widgets/ImageStatic.h"

#include "widgets/SkinImage.h"
#include "widgets/ControlCanvas.h"
#include "widgets/PngButton.h"

BEGIN_MESSAGE_MAP(CImageStatic, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_NCHITTEST()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

CImageStatic::CImageStatic() = default;
CImageStatic::~CImageStatic() = default;

void CImageStatic::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    ModifyStyle(0, SS_NOTIFY);
}

void CImageStatic::SetImage(const CSkinImage* image)
{
    m_image = image;
    if (m_hWnd != nullptr) {
        Invalidate(FALSE);
    }
}

void CImageStatic::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    widgets::CControlCanvas canvas(m_hWnd, paint.GetSafeHdc(), client);
    if (m_image != nullptr && m_image->IsValid()) {
        const RECT place = FitImageRect(client, m_image->GetWidth(), m_image->GetHeight());
        m_image->Draw(canvas.Dc(), place.left, place.top, place.right - place.left, place.bottom - place.top);
    }
}

BOOL CImageStatic::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

LRESULT CImageStatic::OnNcHitTest(CPoint /*point*/)
{
    return HTCLIENT; // statics are transparent to the mouse otherwise
}

BOOL CImageStatic::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_cursor != nullptr && nHitTest == HTCLIENT) {
        ::SetCursor(m_cursor);
        return TRUE;
    }
    return CStatic::OnSetCursor(pWnd, nHitTest, message);
}

void CImageStatic::OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    m_pressed = true;
    ::SetCapture(m_hWnd);
}

void CImageStatic::OnLButtonUp(UINT /*nFlags*/, CPoint point)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (::GetCapture() == m_hWnd) {
        ::ReleaseCapture();
    }
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    if (wasPressed && ::PtInRect(&client, point) != FALSE) {
        HWND parent = ::GetParent(m_hWnd);
        if (parent != nullptr) {
            ::PostMessageW(parent, WM_PICTURE_CLICKED, static_cast<WPARAM>(GetDlgCtrlID()), 0);
        }
    }
}

void CImageStatic::OnCaptureChanged(CWnd* pWnd)
{
    m_pressed = false;
    CStatic::OnCaptureChanged(pWnd);
}
