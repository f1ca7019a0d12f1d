#include "guilib/docking/KGPNcPaintBuffer.h"

#include "guilib/core/KGPMemDC.h"

CKGPNcPaintBuffer::CKGPNcPaintBuffer(CWnd* pWnd) : m_windowDC(pWnd)
{
    CRect window;
    pWnd->GetWindowRect(window);
    CRect client;
    pWnd->GetClientRect(client);
    pWnd->ClientToScreen(client);
    client.OffsetRect(-window.left, -window.top);
    m_rectWindow = CRect(0, 0, window.Width(), window.Height());
    m_windowDC.ExcludeClipRect(client);
    if (m_rectWindow.IsRectEmpty())
        return;
    m_bBuffered = m_memory.CreateCompatibleDC(&m_windowDC) &&
                  CreatePaintBufferBitmap(m_bitmap, m_rectWindow.Width(), m_rectWindow.Height());
    if (m_bBuffered)
        m_bitmapSelected.emplace(m_memory.m_hDC, static_cast<HGDIOBJ>(m_bitmap.m_hObject));
}

CKGPNcPaintBuffer::~CKGPNcPaintBuffer()
{
    if (m_bBuffered)
        m_windowDC.BitBlt(0, 0, m_rectWindow.Width(), m_rectWindow.Height(), &m_memory, 0, 0, SRCCOPY);
}
