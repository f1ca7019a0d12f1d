#include "guilib/core/KGPMenuGlyphs.h"

#include "guilib/core/KGPGlobalData.h"

#include <iterator>

namespace {

enum class Shape { Down, Up, Left, Right, Close, First, Last, List, PinUpright, PinLying };

struct GlyphEntry {
    int glyph;
    Shape shape;
    bool disabled;
};

constexpr GlyphEntry kGlyphs[] = {
    {CKGPMenuGlyphs::kArrowDown, Shape::Down, false},
    {CKGPMenuGlyphs::kClose, Shape::Close, false},
    {CKGPMenuGlyphs::kArrowUp, Shape::Up, false},
    {CKGPMenuGlyphs::kDropArrow, Shape::Down, false},
    {CKGPMenuGlyphs::kMoreVertical, Shape::Right, false},
    {CKGPMenuGlyphs::kDropArrowSmall, Shape::Down, false},
    {CKGPMenuGlyphs::kTabList, Shape::Down, false},
    {CKGPMenuGlyphs::kFlatScrollLeft, Shape::Left, false},
    {CKGPMenuGlyphs::kFlatScrollRight, Shape::Right, false},
    {CKGPMenuGlyphs::kPinUpright, Shape::PinUpright, false},
    {CKGPMenuGlyphs::kPinLying, Shape::PinLying, false},
    {CKGPMenuGlyphs::kFirst, Shape::First, false},
    {CKGPMenuGlyphs::kLast, Shape::Last, false},
    {CKGPMenuGlyphs::kScrollLeft, Shape::Left, false},
    {CKGPMenuGlyphs::kScrollRight, Shape::Right, false},
    {CKGPMenuGlyphs::kScrollLeftDisabled, Shape::Left, true},
    {CKGPMenuGlyphs::kScrollRightDisabled, Shape::Right, true},
    {CKGPMenuGlyphs::kScrollUp, Shape::Up, false},
    {CKGPMenuGlyphs::kBack, Shape::Left, false},
    {CKGPMenuGlyphs::kForward, Shape::Right, false},
    {CKGPMenuGlyphs::kTabListHidden, Shape::List, false},
};

const GlyphEntry* FindGlyph(int glyph)
{
    for (const auto& entry : kGlyphs) {
        if (entry.glyph == glyph) {
            return &entry;
        }
    }
    return nullptr;
}

void Fill(HDC dc, int x, int y, int cx, int cy, HBRUSH brush)
{
    const RECT r{x, y, x + cx, y + cy};
    ::FillRect(dc, &r, brush);
}

// A triangle of horizontal (or vertical) lines, widest at `base`, inside 9 x 9.
void Triangle(HDC dc, int left, int top, Shape shape, HBRUSH brush)
{
    for (int i = 0; i < 4; ++i) {
        const int length = 7 - 2 * i;
        switch (shape) {
        case Shape::Down:
        case Shape::List:
            Fill(dc, left + 1 + i, top + 3 + i, length, 1, brush);
            break;
        case Shape::Up:
            Fill(dc, left + 1 + i, top + 5 - i, length, 1, brush);
            break;
        case Shape::Left:
        case Shape::First:
            Fill(dc, left + 5 - i, top + 1 + i, 1, length, brush);
            break;
        default:
            Fill(dc, left + 3 + i, top + 1 + i, 1, length, brush);
            break;
        }
    }
}

} // namespace

BOOL CKGPMenuGlyphs::DrawInColour(CDC* pDC, int nGlyph, CRect rect, COLORREF colour)
{
    const GlyphEntry* entry = FindGlyph(nGlyph);
    if (entry == nullptr || pDC == nullptr) {
        return FALSE;
    }
    if (entry->disabled) {
        colour = GetKGPGlobalData().clrGrayText;
    }
    const int left = rect.left + (rect.Width() - GetWidth()) / 2;
    const int top = rect.top + (rect.Height() - GetHeight()) / 2;
    const CGdiHandle<HBRUSH> owner(::CreateSolidBrush(colour));
    const HBRUSH brush = owner.Get();
    HDC dc = pDC->m_hDC;
    switch (entry->shape) {
    case Shape::Close:
        for (int i = 0; i < 7; ++i) {
            Fill(dc, left + 1 + i, top + 1 + i, 2, 1, brush);
            Fill(dc, left + 6 - i, top + 1 + i, 2, 1, brush);
        }
        break;
    case Shape::First:
        Fill(dc, left + 1, top + 1, 1, 7, brush);
        Triangle(dc, left, top, entry->shape, brush);
        break;
    case Shape::Last:
        Fill(dc, left + 7, top + 1, 1, 7, brush);
        Triangle(dc, left, top, entry->shape, brush);
        break;
    case Shape::List:
        Fill(dc, left + 1, top + 1, 7, 1, brush);
        Triangle(dc, left, top, entry->shape, brush);
        break;
    case Shape::PinUpright:
        // Head (an open box), its collar, and the needle below.
        Fill(dc, left + 2, top, 5, 1, brush);
        Fill(dc, left + 2, top, 1, 5, brush);
        Fill(dc, left + 5, top, 2, 5, brush);
        Fill(dc, left + 1, top + 5, 7, 1, brush);
        Fill(dc, left + 4, top + 6, 1, 3, brush);
        break;
    case Shape::PinLying:
        // The same pin on its side, its needle to the left.
        Fill(dc, left + 4, top + 2, 1, 5, brush);
        Fill(dc, left + 4, top + 2, 5, 1, brush);
        Fill(dc, left + 4, top + 5, 5, 2, brush);
        Fill(dc, left + 3, top + 1, 1, 7, brush);
        Fill(dc, left, top + 4, 3, 1, brush);
        break;
    default:
        Triangle(dc, left, top, entry->shape, brush);
        break;
    }
    return TRUE;
}

BOOL CKGPMenuGlyphs::Draw(CDC* pDC, int nGlyph, CRect rect, int nColourSet)
{
    const CKGPGlobalData& data = GetKGPGlobalData();
    const COLORREF colour = nColourSet == kGray ? data.clrGrayText : nColourSet == kWhite ? RGB(255, 255, 255)
                                                                                           : RGB(0, 0, 0);
    return DrawInColour(pDC, nGlyph, rect, colour);
}

BOOL CKGPMenuGlyphs::Draw(CDC* pDC, int nGlyph, CPoint topLeft, int nColourSet)
{
    return Draw(pDC, nGlyph, CRect(topLeft, GetImageSize()), nColourSet);
}
