#include "guilib/core/KGPMemDC.h"

CKGPMemDC::CKGPMemDC(CDC& dc, CWnd* pWnd) : m_dc(dc)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr) {
        return;
    }
    ::GetClientRect(pWnd->m_hWnd, &m_rect);
    if (m_rect.IsRectEmpty() || !m_memDC.CreateCompatibleDC(&m_dc)) {
        return;
    }
    if (!m_bitmap.CreateCompatibleBitmap(&m_dc, m_rect.Width(), m_rect.Height())) {
        m_memDC.DeleteDC();
        return;
    }
    m_bitmapSelected.emplace(m_memDC, m_bitmap);
    m_bMemDC = TRUE;
}

CKGPMemDC::~CKGPMemDC()
{
    if (!m_bMemDC) {
        return;
    }
    ::BitBlt(m_dc.m_hDC, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_memDC.m_hDC, m_rect.left,
             m_rect.top, SRCCOPY);
}
