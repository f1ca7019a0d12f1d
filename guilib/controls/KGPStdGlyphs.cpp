#include "guilib/controls/KGPStdGlyphs.h"

namespace {

void FillTriangle(CDC* pDC, const POINT (&points)[3], COLORREF colour)
{
    CBrush brush(colour);
    CPen pen(PS_SOLID, 1, colour);
    CBrush* oldBrush = pDC->SelectObject(&brush);
    CPen* oldPen = pDC->SelectObject(&pen);
    pDC->Polygon(points, 3);
    pDC->SelectObject(oldPen);
    pDC->SelectObject(oldBrush);
}

} // namespace

BOOL KGPDrawStdGlyph(CDC* pDC, int nGlyph, const CRect& rect, COLORREF colour)
{
    const int half = kKGPStdGlyphSize / 2;
    const CPoint c = rect.CenterPoint();
    switch (nGlyph) {
    case KGP_GLYPH_ARROW_DOWN: {
        const POINT points[3] = {{c.x - 3, c.y - 1}, {c.x + 3, c.y - 1}, {c.x, c.y + 2}};
        FillTriangle(pDC, points, colour);
        return TRUE;
    }
    case KGP_GLYPH_ARROW_UP: {
        const POINT points[3] = {{c.x - 3, c.y + 1}, {c.x + 3, c.y + 1}, {c.x, c.y - 2}};
        FillTriangle(pDC, points, colour);
        return TRUE;
    }
    case KGP_GLYPH_ARROW_LEFT: {
        const POINT points[3] = {{c.x + 1, c.y - 3}, {c.x + 1, c.y + 3}, {c.x - 2, c.y}};
        FillTriangle(pDC, points, colour);
        return TRUE;
    }
    case KGP_GLYPH_ARROW_RIGHT: {
        const POINT points[3] = {{c.x - 1, c.y - 3}, {c.x - 1, c.y + 3}, {c.x + 2, c.y}};
        FillTriangle(pDC, points, colour);
        return TRUE;
    }
    case KGP_GLYPH_CLOSE: {
        CPen pen(PS_SOLID, 2, colour);
        CPen* oldPen = pDC->SelectObject(&pen);
        pDC->MoveTo(c.x - half + 1, c.y - half + 1);
        pDC->LineTo(c.x + half - 1, c.y + half - 1);
        pDC->MoveTo(c.x + half - 1, c.y - half + 1);
        pDC->LineTo(c.x - half + 1, c.y + half - 1);
        pDC->SelectObject(oldPen);
        return TRUE;
    }
    default:
        return FALSE;
    }
}
