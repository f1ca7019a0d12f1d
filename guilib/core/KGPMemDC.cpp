#include "guilib/core/KGPMemDC.h"

BOOL CreatePaintBufferBitmap(CBitmap& bitmap, int cx, int cy)
{
    if (cx <= 0 || cy <= 0 || bitmap.m_hObject != nullptr)
        return FALSE;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = -cy; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    return bitmap.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0)); // owns it now
}

CKGPMemDC::CKGPMemDC(CDC& dc, CWnd* pWnd) : m_dc(dc)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr) {
        return;
    }
    ::GetClientRect(pWnd->m_hWnd, &m_rect);
    if (m_rect.IsRectEmpty() || !m_memDC.CreateCompatibleDC(&m_dc)) {
        return;
    }
    if (!CreatePaintBufferBitmap(m_bitmap, m_rect.Width(), m_rect.Height())) {
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
