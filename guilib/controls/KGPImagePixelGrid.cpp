#include "guilib/controls/KGPImagePixelGrid.h"

#include <algorithm>

namespace {

const COLORREF kGridLine = RGB(192, 192, 192);
const COLORREF kFrame = RGB(64, 64, 64);

LPCTSTR PlainWindowClass()
{
    return AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
}

void NotifyParent(CWnd& wnd, UINT nCode)
{
    CWnd* parent = wnd.GetParent();
    if (parent != nullptr)
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(wnd.GetDlgCtrlID(), nCode),
                            reinterpret_cast<LPARAM>(wnd.GetSafeHwnd()));
}

} // namespace

BEGIN_MESSAGE_MAP(CKGPImagePixelGrid, CWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

BOOL CKGPImagePixelGrid::Create(const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(PlainWindowClass(), L"", WS_CHILD | WS_VISIBLE, rect, pParentWnd, nID);
}

void CKGPImagePixelGrid::SetPixels(int nWidth, int nHeight, std::vector<COLORREF> pixels)
{
    m_width = nWidth;
    m_height = nHeight;
    m_pixels = std::move(pixels);
    m_pixels.resize(static_cast<size_t>(std::max(0, nWidth)) * static_cast<size_t>(std::max(0, nHeight)));
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

int CKGPImagePixelGrid::GetCellSize() const
{
    if (m_width <= 0 || m_height <= 0 || GetSafeHwnd() == nullptr)
        return 1;
    CRect client;
    GetClientRect(client);
    return std::max(1, std::min(client.Width() / m_width, client.Height() / m_height));
}

int CKGPImagePixelGrid::CellAt(CPoint point) const
{
    const int cell = GetCellSize();
    if (point.x < 0 || point.y < 0)
        return -1;
    const int x = point.x / cell;
    const int y = point.y / cell;
    return x < m_width && y < m_height ? y * m_width + x : -1;
}

void CKGPImagePixelGrid::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(client);
    dc.FillSolidRect(client, ::GetSysColor(COLOR_BTNFACE));
    const int cell = GetCellSize();
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            const CRect square(x * cell, y * cell, (x + 1) * cell, (y + 1) * cell);
            dc.FillSolidRect(square, m_pixels[static_cast<size_t>(y * m_width + x)]);
            if (cell >= 4)
                dc.Draw3dRect(square.left, square.top, cell + 1, cell + 1, kGridLine, kGridLine);
        }
    }
    dc.Draw3dRect(0, 0, m_width * cell + 1, m_height * cell + 1, kFrame, kFrame);
}

void CKGPImagePixelGrid::Paint(CPoint point)
{
    const int index = CellAt(point);
    if (index < 0 || m_pixels[static_cast<size_t>(index)] == m_colour)
        return;
    m_pixels[static_cast<size_t>(index)] = m_colour;
    const int cell = GetCellSize();
    const int x = index % m_width;
    const int y = index / m_width;
    InvalidateRect(CRect(x * cell, y * cell, (x + 1) * cell + 1, (y + 1) * cell + 1), FALSE);
    NotifyParent(*this, KGP_PGN_CHANGED);
}

void CKGPImagePixelGrid::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    SetCapture();
    Paint(point);
}

void CKGPImagePixelGrid::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    if (GetCapture() == this)
        ::ReleaseCapture();
}

void CKGPImagePixelGrid::OnMouseMove(UINT nFlags, CPoint point)
{
    if ((nFlags & MK_LBUTTON) != 0 && GetCapture() == this)
        Paint(point);
}

void CKGPImagePixelGrid::OnRButtonDown(UINT /*nFlags*/, CPoint point)
{
    const int index = CellAt(point);
    if (index < 0)
        return;
    m_colour = m_pixels[static_cast<size_t>(index)];
    NotifyParent(*this, KGP_PGN_COLOURPICKED);
}

BEGIN_MESSAGE_MAP(CKGPColourSwatches, CWnd)
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

BOOL CKGPColourSwatches::Create(const RECT& rect, CWnd* pParentWnd, UINT nID, const COLORREF* colours, int nCount)
{
    m_colours.assign(colours, colours + std::max(0, nCount));
    if (!m_colours.empty())
        m_colour = m_colours.front();
    return CWnd::Create(PlainWindowClass(), L"", WS_CHILD | WS_VISIBLE, rect, pParentWnd, nID);
}

void CKGPColourSwatches::SetColour(COLORREF colour)
{
    m_colour = colour;
    if (GetSafeHwnd() != nullptr)
        Invalidate();
}

CRect CKGPColourSwatches::SwatchRect(int nIndex) const
{
    CRect client;
    GetClientRect(client);
    const int count = static_cast<int>(m_colours.size());
    return CRect(client.Width() * nIndex / count, 0, client.Width() * (nIndex + 1) / count, client.Height());
}

void CKGPColourSwatches::OnPaint()
{
    CPaintDC dc(this);
    for (int i = 0; i < static_cast<int>(m_colours.size()); ++i) {
        CRect swatch = SwatchRect(i);
        const BOOL chosen = m_colours[static_cast<size_t>(i)] == m_colour;
        dc.FillSolidRect(swatch, ::GetSysColor(COLOR_BTNFACE));
        if (chosen)
            dc.Draw3dRect(swatch, kFrame, kFrame);
        swatch.DeflateRect(2, 2);
        dc.FillSolidRect(swatch, m_colours[static_cast<size_t>(i)]);
        dc.Draw3dRect(swatch, kGridLine, kGridLine);
    }
}

void CKGPColourSwatches::OnLButtonDown(UINT /*nFlags*/, CPoint point)
{
    for (int i = 0; i < static_cast<int>(m_colours.size()); ++i) {
        if (SwatchRect(i).PtInRect(point)) {
            SetColour(m_colours[static_cast<size_t>(i)]);
            NotifyParent(*this, STN_CLICKED);
            return;
        }
    }
}
