#include "widgets/ControlCanvas.h"

#include "widgets/WidgetLook.h"

namespace widgets {

CControlCanvas::CControlCanvas(HWND control, HDC target, const RECT& rect)
    : m_rect(rect), m_memory(*CDC::FromHandle(target), m_rect)
{
    PaintParentBackground(control, Dc());
}

} // namespace widgets
