// The library's 9 x 9 menu glyphs (arrows, close, first/last, list, pins), drawn
// centred in a rectangle in one of three colour sets or a given colour.
#pragma once

#include <afxwin.h>

class CKGPMenuGlyphs {
public:
    // Glyph numbers the library uses.
    enum Glyph {
        kArrowDown = 0,       // more buttons (horizontal)
        kClose = 5,
        kArrowUp = 7,
        kDropArrow = 8,
        kMoreVertical = 9,
        kDropArrowSmall = 11,
        kTabList = 13,
        kFlatScrollLeft = 14,
        kPinUpright = 15,     // a pane's pin while it is docked
        kPinLying = 16,       // a pane's pin while it is auto-hidden
        kFlatScrollRight = 17,
        kFirst = 18,
        kLast = 19,
        kScrollLeft = 20,
        kScrollRight = 21,
        kScrollLeftDisabled = 22,
        kScrollRightDisabled = 23,
        kScrollUp = 24,
        kBack = 27,
        kForward = 28,
        kTabListHidden = 33,
    };
    // Colour sets: black, grey (disabled), white (on a dark face).
    enum ColourSet { kBlack = 0, kGray = 1, kWhite = 2 };

    static CSize GetImageSize() { return CSize(9, 9); }
    static int GetHeight() { return 9; }
    static int GetWidth() { return 9; }

    // FALSE for a glyph number the library does not have.
    static BOOL Draw(CDC* pDC, int nGlyph, CRect rect, int nColourSet = kBlack);
    static BOOL Draw(CDC* pDC, int nGlyph, CPoint topLeft, int nColourSet = kBlack);
    static BOOL DrawInColour(CDC* pDC, int nGlyph, CRect rect, COLORREF colour);
};
