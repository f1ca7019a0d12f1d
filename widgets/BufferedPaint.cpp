#include "widgets/BufferedPaint.h"

#include "widgets/WidgetLook.h"

namespace widgets {

CBufferedPaint::CBufferedPaint(CWnd& window) : m_window(window.GetSafeHwnd())
{
    HDC target = ::BeginPaint(m_window, &m_paint);
    window.GetClientRect(&m_client);
    m_memory = std::make_unique<CMemDC>(*CDC::FromHandle(target), m_client);
}

CBufferedPaint::~CBufferedPaint()
{
    m_memory.reset();
    ::EndPaint(m_window, &m_paint);
}

void CBufferedPaint::Fill(COLORREF colour)
{
    CGdiHandle<HBRUSH> brush(::CreateSolidBrush(colour));
    ::FillRect(Dc(), &m_client, brush.Get());
}

} // namespace widgets
