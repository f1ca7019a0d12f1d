#include "guilib/core/KGPDrawManager.h"

#include "guilib/core/KGPDib.h"
#include "guilib/core/KGPLibraryMath.h"

#include <algorithm>

COLORREF CKGPDrawManager::ScaleColor(COLORREF colour, int percent)
{
    return kgp::ScaleColour(colour, percent);
}

COLORREF CKGPDrawManager::BlendColors(COLORREF from, COLORREF to, int weight255)
{
    return kgp::BlendColours(from, to, weight255);
}

void CKGPDrawManager::HighlightRect(CRect rect, int percent)
{
    kgp::CDibCopy copy(m_dc.m_hDC, rect);
    for (DWORD& pixel : copy.Pixels()) {
        pixel = kgp::CDibCopy::FromColour(kgp::HighlightColour(kgp::CDibCopy::ToColour(pixel), percent));
    }
    copy.PutBack();
}

void CKGPDrawManager::FillGradient(CRect rect, COLORREF start, COLORREF end, BOOL bHorz)
{
    const int steps = bHorz ? rect.Width() : rect.Height();
    if (rect.Width() <= 0 || rect.Height() <= 0) {
        return;
    }
    for (int i = 0; i < steps; ++i) {
        const int weight = steps > 1 ? i * 255 / (steps - 1) : 0;
        const CRect line = bHorz ? CRect(rect.left + i, rect.top, rect.left + i + 1, rect.bottom)
                                 : CRect(rect.left, rect.top + i, rect.right, rect.top + i + 1);
        m_dc.FillSolidRect(&line, kgp::BlendColours(start, end, weight));
    }
}

void CKGPDrawManager::SaveOrRestore(const CRect& band, CBitmap* pBitmap)
{
    if (pBitmap == nullptr || band.IsRectEmpty()) {
        return;
    }
    const CMemoryDCHandle memory(::CreateCompatibleDC(m_dc.m_hDC));
    const bool saving = pBitmap->GetSafeHandle() == nullptr;
    if (saving) {
        // A DIB section: under Wine a bitmap compatible with the display asks
        // its server for the monitors as it is made and selected.
        void* bits = nullptr;
        pBitmap->Attach(kgp::CreateDib32(band.Width(), band.Height(), &bits).Detach());
    }
    const CSelectionScope selected(memory.Get(), pBitmap->GetSafeHandle());
    if (saving) {
        ::BitBlt(memory.Get(), 0, 0, band.Width(), band.Height(), m_dc.m_hDC, band.left, band.top, SRCCOPY);
    } else {
        ::BitBlt(m_dc.m_hDC, band.left, band.top, band.Width(), band.Height(), memory.Get(), 0, 0, SRCCOPY);
    }
}

void CKGPDrawManager::ShadeBand(const CRect& band, int nDepth, int nMinBrightness, int nMaxBrightness,
                                BOOL bVertical, BOOL bMirrored)
{
    kgp::CDibCopy copy(m_dc.m_hDC, band);
    const int width = band.Width();
    auto& pixels = copy.Pixels();
    for (int y = 0; y < band.Height(); ++y) {
        for (int x = 0; x < width; ++x) {
            // Distance from the popup's edge: 0 next to it, nDepth - 1 outermost.
            const int distance = bVertical ? (bMirrored ? width - 1 - x : x) : y;
            const int percent = nMaxBrightness + (nMinBrightness - nMaxBrightness) * distance / std::max(1, nDepth);
            DWORD& pixel = pixels[static_cast<size_t>(y) * width + x];
            pixel = kgp::CDibCopy::FromColour(kgp::ScaleColour(kgp::CDibCopy::ToColour(pixel), percent));
        }
    }
    copy.PutBack();
}

void CKGPDrawManager::DrawShadow(CRect rect, int nDepth, int nMinBrightness, int nMaxBrightness,
                                 CBitmap* pBmpRight, CBitmap* pBmpBottom, BOOL bRTL)
{
    if (nDepth <= 0 || rect.IsRectEmpty()) {
        return;
    }
    const CRect side = bRTL ? CRect(rect.left - nDepth, rect.top + nDepth, rect.left, rect.bottom + nDepth)
                            : CRect(rect.right, rect.top + nDepth, rect.right + nDepth, rect.bottom + nDepth);
    const CRect bottom = bRTL ? CRect(rect.left - nDepth, rect.bottom, rect.right - nDepth, rect.bottom + nDepth)
                              : CRect(rect.left + nDepth, rect.bottom, rect.right, rect.bottom + nDepth);
    SaveOrRestore(side, pBmpRight);
    SaveOrRestore(bottom, pBmpBottom);
    ShadeBand(side, nDepth, nMinBrightness, nMaxBrightness, TRUE, bRTL);
    ShadeBand(bottom, nDepth, nMinBrightness, nMaxBrightness, FALSE, FALSE);
}
