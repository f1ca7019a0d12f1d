// A bitmap with one colour transparent, kept ready to draw. Its pixels are
// copied once into a 32-bit picture whose key-coloured pixels are clear and the
// others opaque, so a draw is one alpha blend; drawing the bitmap itself with a
// colour key builds a mask and blits several times on every draw.
#pragma once

#include <afxhandle.h>
#include <afxwin.h>

namespace widgets {

class CKeyedImage {
public:
    CKeyedImage() = default;
    // The picture of bitmap with key transparent (the bitmap is not kept);
    // empty when there is no bitmap or its pixels cannot be read.
    CKeyedImage(HBITMAP bitmap, COLORREF key);

    explicit operator bool() const { return static_cast<bool>(m_picture); }
    SIZE Size() const { return m_size; }
    // Draws the picture at its own size, centred in rect.
    void Draw(HDC dc, const RECT& rect) const;

private:
    CGdiHandle<HBITMAP> m_picture;
    SIZE m_size{0, 0};
};

} // namespace widgets
