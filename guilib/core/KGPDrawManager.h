// Drawing routines over one device context: gradients, highlighting and the
// menu shadow. Pixel work goes through a 32-bit copy of the area.
#pragma once

#include <afxwin.h>

class CKGPDrawManager {
public:
    explicit CKGPDrawManager(CDC& dc) : m_dc(dc) {}
    CKGPDrawManager(const CKGPDrawManager&) = delete;
    CKGPDrawManager& operator=(const CKGPDrawManager&) = delete;

    // Each RGB component times percent / 100, clamped to 255.
    static COLORREF ScaleColor(COLORREF colour, int percent);
    static COLORREF BlendColors(COLORREF from, COLORREF to, int weight255);

    // Lightens (percent > 100) or darkens (percent < 100) the pixels of rect.
    void HighlightRect(CRect rect, int percent);
    // A two-colour gradient, top to bottom (or left to right when bHorz).
    void FillGradient(CRect rect, COLORREF start, COLORREF end, BOOL bHorz = FALSE);
    // The shadow of a popup: bands of nDepth pixels right of and below rect,
    // darkest (nMaxBrightness percent) next to it and fading to nMinBrightness.
    // The screen bits under each band are saved in the bitmaps on first use and
    // drawn back from them on later calls.
    void DrawShadow(CRect rect, int nDepth, int nMinBrightness, int nMaxBrightness, CBitmap* pBmpRight,
                    CBitmap* pBmpBottom, BOOL bRTL);

private:
    void ShadeBand(const CRect& band, int nDepth, int nMinBrightness, int nMaxBrightness, BOOL bVertical,
                   BOOL bMirrored);
    void SaveOrRestore(const CRect& band, CBitmap* pBitmap);

    CDC& m_dc;
};
