#include "widgets/BufferedPaint.h"

#include "widgets/WidgetLook.h"

namespace widgets {

CBufferedPaint::CBufferedPaint(CWnd& window) : m_paint(window.GetSafeHwnd())
{
    window.GetClientRect(&m_client);
    m_memory = std::make_unique<CMemDC>(m_paint, m_client);
}

CBufferedPaint::~CBufferedPaint() = default;

void CBufferedPaint::Fill(COLORREF colour)
{
    CGdiHandle<HBRUSH> brush(::CreateSolidBrush(colour));
    ::FillRect(Dc(), &m_client, brush.Get());
}

} // namespace widgets
