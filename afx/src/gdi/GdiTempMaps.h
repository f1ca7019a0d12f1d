// This thread's temporary wrappers for GDI handles and DCs.
#pragma once

#include <afxwin.h>

#include "TempHandleMap.h"

namespace afx_detail {

struct GdiTempMaps {
    TempHandleMap<CGdiObject, HGDIOBJ> objects;
    TempHandleMap<CPen, HGDIOBJ> pens;
    TempHandleMap<CBrush, HGDIOBJ> brushes;
    TempHandleMap<CFont, HGDIOBJ> fonts;
    TempHandleMap<CBitmap, HGDIOBJ> bitmaps;
    TempHandleMap<CRgn, HGDIOBJ> regions;
    TempHandleMap<CPalette, HGDIOBJ> palettes;
    TempHandleMap<CDC, HDC> dcs;

    void Clear()
    {
        objects.Clear();
        pens.Clear();
        brushes.Clear();
        fonts.Clear();
        bitmaps.Clear();
        regions.Clear();
        palettes.Clear();
        dcs.Clear();
    }
};

GdiTempMaps& ThreadGdiTempMaps();
// Frees the calling thread's table (temporaries included); called when an
// application thread ends.
void ReleaseThreadGdiTempMaps();

} // namespace afx_detail
