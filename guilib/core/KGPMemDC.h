// An off-screen buffer over a window's client area for one paint, copied to
// the target when it ends; it falls back to the target itself when no buffer
// could be made.
#pragma once

#include <afxwin.h>

#include <optional>

// A bitmap for an off-screen paint buffer of cx by cy pixels: a 32-bit
// top-down DIB section, which draws and copies to the screen as a bitmap
// compatible with the display does, but is made and selected without asking
// the display for its format (under Wine a round trip to its server each).
BOOL CreatePaintBufferBitmap(CBitmap& bitmap, int cx, int cy);

class CKGPMemDC {
public:
    CKGPMemDC(CDC& dc, CWnd* pWnd);
    ~CKGPMemDC();
    CKGPMemDC(const CKGPMemDC&) = delete;
    CKGPMemDC& operator=(const CKGPMemDC&) = delete;

    // The DC to draw into: the buffer, or the target when there is none.
    CDC& GetDC() { return m_bMemDC ? m_memDC : m_dc; }
    BOOL IsMemDC() const { return m_bMemDC; }

private:
    CDC& m_dc;
    CDC m_memDC;
    CBitmap m_bitmap;
    std::optional<CSelectionScope> m_bitmapSelected;  // put back before the bitmap and DC go
    CRect m_rect;
    BOOL m_bMemDC = FALSE;
};
