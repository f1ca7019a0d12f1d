// The small standard glyphs the library's buttons show (arrows, close), drawn
// as shapes centred in a rectangle in one colour.
#pragma once

#include <afxwin.h>

enum KGPStdGlyph {
    KGP_GLYPH_ARROW_DOWN = 0,
    KGP_GLYPH_CLOSE = 5,
    KGP_GLYPH_ARROW_UP = 7,
    KGP_GLYPH_ARROW_LEFT = 20,
    KGP_GLYPH_ARROW_RIGHT = 21,
};

// The glyphs' box.
constexpr int kKGPStdGlyphSize = 9;

// FALSE (nothing drawn) for a glyph number that has no shape.
BOOL KGPDrawStdGlyph(CDC* pDC, int nGlyph, const CRect& rect, COLORREF colour);
