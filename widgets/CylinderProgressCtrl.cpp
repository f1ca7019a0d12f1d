#include "widgets/CylinderProgressCtrl.h"

#include <algorithm>

#include "widgets/ControlCanvas.h"
#include "widgets/WidgetLook.h"

BEGIN_MESSAGE_MAP(CCylinderProgressCtrl, CProgressCtrl)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CCylinderProgressCtrl::CCylinderProgressCtrl() = default;
CCylinderProgressCtrl::~CCylinderProgressCtrl() = default;

void CCylinderProgressCtrl::SetColors(COLORREF fill, COLORREF shade)
{
    m_fill = fill;
    m_shade = shade;
    Repaint();
}

void CCylinderProgressCtrl::SetBkColor(COLORREF back)
{
    m_back = back;
    Repaint();
}

void CCylinderProgressCtrl::Repaint()
{
    if (m_hWnd != nullptr) {
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }
}

LRESULT CCylinderProgressCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    ProgressModel& model = m_model;
    switch (message) {
    case PBM_SETRANGE: {
        const LRESULT previous = MAKELONG(static_cast<short>(model.lower), static_cast<short>(model.upper));
        // The 16-bit bounds are signed here, as the program's own progress messages define them.
        model.SetRange(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        Repaint();
        return previous;
    }
    case PBM_SETRANGE32: {
        const LRESULT previous = MAKELONG(static_cast<short>(model.lower), static_cast<short>(model.upper));
        model.SetRange(static_cast<int>(wParam), static_cast<int>(lParam));
        Repaint();
        return previous;
    }
    case PBM_GETRANGE: {
        auto* range = reinterpret_cast<PBRANGE*>(lParam);
        if (range != nullptr) {
            range->iLow = model.lower;
            range->iHigh = model.upper;
        }
        return wParam != 0 ? model.lower : model.upper;
    }
    case PBM_SETPOS: {
        const LRESULT previous = model.SetPos(static_cast<int>(wParam));
        Repaint();
        return previous;
    }
    case PBM_GETPOS:
        return model.position;
    case PBM_DELTAPOS: {
        const LRESULT previous = model.DeltaPos(static_cast<int>(wParam));
        Repaint();
        return previous;
    }
    case PBM_SETSTEP:
        return model.SetStep(static_cast<int>(wParam));
    case PBM_STEPIT: {
        const LRESULT previous = model.StepIt();
        Repaint();
        return previous;
    }
    case PBM_SETBARCOLOR: {
        const COLORREF previous = m_fill;
        m_fill = static_cast<COLORREF>(lParam);
        Repaint();
        return previous;
    }
    case PBM_SETBKCOLOR: {
        const COLORREF previous = m_back;
        m_back = static_cast<COLORREF>(lParam);
        Repaint();
        return previous;
    }
    default:
        return CProgressCtrl::WindowProc(message, wParam, lParam);
    }
}

void CCylinderProgressCtrl::Paint(HDC dc, const RECT& rect) const
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    // A cylinder lit from above: each row of the tube and of the filled part is
    // shaded by its distance from the highlight line a third of the way down.
    const int filled = m_model.FilledLength(width);
    const int highlight = height / 3;
    for (int y = 0; y < height; ++y) {
        const int distance = y < highlight ? (highlight - y) * 100 / std::max(1, highlight)
                                           : (y - highlight) * 100 / std::max(1, height - highlight);
        const COLORREF tube = widgets::BlendColour(widgets::BlendColour(m_back, widgets::kLookWhite, 60),
                                                   widgets::BlendColour(m_back, RGB(0, 0, 0), 25), distance);
        const COLORREF bar = widgets::BlendColour(widgets::BlendColour(m_fill, widgets::kLookWhite, 45), m_shade,
                                                  distance);
        if (filled > 0) {
            RECT part{rect.left, rect.top + y, rect.left + filled, rect.top + y + 1};
            CGdiHandle<HBRUSH> brush(::CreateSolidBrush(bar));
            ::FillRect(dc, &part, brush.Get());
        }
        if (filled < width) {
            RECT part{rect.left + filled, rect.top + y, rect.right, rect.top + y + 1};
            CGdiHandle<HBRUSH> brush(::CreateSolidBrush(tube));
            ::FillRect(dc, &part, brush.Get());
        }
    }
    // The lit end of the filled cylinder, and the tube's outline.
    if (filled > 2) {
        CGdiHandle<HPEN> pen(::CreatePen(PS_SOLID, 1, widgets::BlendColour(m_fill, widgets::kLookWhite, 70)));
        CSelectionScope select(dc, pen.Get());
        ::MoveToEx(dc, rect.left + filled - 1, rect.top + 1, nullptr);
        ::LineTo(dc, rect.left + filled - 1, rect.bottom - 1);
    }
    CGdiHandle<HPEN> outline(::CreatePen(PS_SOLID, 1, m_shade));
    CSelectionScope selectPen(dc, outline.Get());
    CSelectionScope selectBrush(dc, ::GetStockObject(NULL_BRUSH));
    ::RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, std::min(height, 8), std::min(height, 8));
}

void CCylinderProgressCtrl::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    widgets::CControlCanvas canvas(m_hWnd, paint.GetSafeHdc(), client);
    Paint(canvas.Dc(), client);
}

BOOL CCylinderProgressCtrl::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}
