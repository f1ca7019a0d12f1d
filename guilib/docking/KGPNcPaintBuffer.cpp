#include "guilib/docking/KGPNcPaintBuffer.h"

#include "guilib/core/KGPMemDC.h"

CKGPNcPaintBuffer::CKGPNcPaintBuffer(CWnd* pWnd) : m_windowDC(pWnd)
{
    CRect window;
    pWnd->GetWindowRect(window);
    CRect client;
    pWnd->GetClientRect(client);
    pWnd->ClientToScreen(client);
    client.NormalizeRect();
    // Under right-to-left layout the window device context is mirrored: its
    // coordinates run from the window's top-right corner.
    m_bMirrored = (::GetLayout(m_windowDC.m_hDC) & LAYOUT_RTL) != 0;
    if (m_bMirrored)
        client = CRect(window.right - client.right, client.top, window.right - client.left, client.bottom);
    else
        client.OffsetRect(-window.left, 0);
    client.OffsetRect(0, -window.top);
    m_rectWindow = CRect(0, 0, window.Width(), window.Height());
    m_windowDC.ExcludeClipRect(client);
    if (m_rectWindow.IsRectEmpty())
        return;
    m_bBuffered = m_memory.CreateCompatibleDC(&m_windowDC) &&
                  CreatePaintBufferBitmap(m_bitmap, m_rectWindow.Width(), m_rectWindow.Height());
    if (!m_bBuffered)
        return;
    m_bitmapSelected.emplace(m_memory.m_hDC, static_cast<HGDIOBJ>(m_bitmap.m_hObject));
    // Laid out as the window's: what is painted lands in the bitmap in the
    // screen's order (the text reads as it should).
    if (m_bMirrored)
        ::SetLayout(m_memory.m_hDC, LAYOUT_RTL);
}

CKGPNcPaintBuffer::~CKGPNcPaintBuffer()
{
    if (!m_bBuffered)
        return;
    if (!m_bMirrored) {
        m_windowDC.BitBlt(0, 0, m_rectWindow.Width(), m_rectWindow.Height(), &m_memory, 0, 0, SRCCOPY);
        return;
    }
    // The bitmap holds the screen's order already: copied as it stands (a
    // copy into a mirrored context would turn it round).
    ::SetLayout(m_memory.m_hDC, 0);
    const DWORD layout = ::SetLayout(m_windowDC.m_hDC, 0);
    m_windowDC.BitBlt(0, 0, m_rectWindow.Width(), m_rectWindow.Height(), &m_memory, 0, 0, SRCCOPY);
    ::SetLayout(m_windowDC.m_hDC, layout);
}
