// A window's non-client area painted off screen and copied to the window at
// once when the buffer goes (drawn straight on the window when no buffer can
// be made). Coordinates are the window's own: its top-left corner is 0, 0
// (its top-right one under right-to-left layout, as in its mirrored window
// device context); the client area is left out.
#pragma once

#include <afxhandle.h>
#include <afxwin.h>

#include <optional>

class CKGPNcPaintBuffer {
public:
    explicit CKGPNcPaintBuffer(CWnd* pWnd);
    ~CKGPNcPaintBuffer();
    CKGPNcPaintBuffer(const CKGPNcPaintBuffer&) = delete;
    CKGPNcPaintBuffer& operator=(const CKGPNcPaintBuffer&) = delete;

    CDC* GetDC() { return m_bBuffered ? &m_memory : &m_windowDC; }
    // The window's rectangle in its own coordinates.
    const CRect& GetWindowRect() const { return m_rectWindow; }

private:
    CWindowDC m_windowDC;
    CRect m_rectWindow;
    CDC m_memory;
    CBitmap m_bitmap;
    BOOL m_bBuffered = FALSE;
    BOOL m_bMirrored = FALSE;
    std::optional<CSelectionScope> m_bitmapSelected; // put back before the bitmap and DC go
};
