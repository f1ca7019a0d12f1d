// CMemDC: off-screen painting copied to the target DC on destruction.
#include <afxwin.h>


IMPLEMENT_DYNAMIC(CMemDC, CDC)

CMemDC::CMemDC(CDC& dc, const CRect& rect) : m_dcTarget(dc)
{
    Init(rect);
}

CMemDC::CMemDC(CDC& dc, CWnd* pWnd) : m_dcTarget(dc)
{
    CRect rect;
    if (pWnd && pWnd->m_hWnd)
        ::GetClientRect(pWnd->m_hWnd, &rect);
    Init(rect);
}

void CMemDC::Init(const CRect& rect)
{
    m_rect = rect;
    if (rect.IsRectEmpty() || !CreateCompatibleDC(&m_dcTarget))
        return;
    if (!m_bitmap.CreateCompatibleBitmap(&m_dcTarget, rect.Width(), rect.Height())) {
        DeleteDC();
        return;
    }
    m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.m_hObject);
    // Callers keep drawing in the target's coordinates.
    SetWindowOrg(rect.left, rect.top);
    m_bMemDC = TRUE;
}

CMemDC::~CMemDC()
{
    if (!m_bMemDC)
        return;
    if (!m_bDiscard)
        m_dcTarget.BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left,
                          m_rect.top, SRCCOPY);
    ::SelectObject(m_hDC, m_hOldBitmap);
    DeleteDC();
    // m_bitmap is deleted by its own destructor, now that it is no longer selected.
}
