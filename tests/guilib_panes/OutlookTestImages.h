// Images for outlook pages in tests and benchmarks: 32 x 32 squares of one
// colour with a white centre, added to the strip all pages share.
#pragma once

#include <afxhandle.h>
#include <afxwin.h>

#include "guilib/panes/KGPOutlookBarPane.h"

namespace outlook_test {

// The new image's index in the shared strip.
inline int AddColourImage(COLORREF colour)
{
    CClientDC screen(static_cast<CWnd*>(nullptr));
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, 32, 32);
    {
        CSelectionScope select(dc.GetSafeHdc(), bitmap.GetSafeHandle());
        dc.FillSolidRect(0, 0, 32, 32, colour);
        dc.FillSolidRect(8, 8, 16, 16, RGB(255, 255, 255));
    }
    return CKGPOutlookBarPane::AddBitmapImage(static_cast<HBITMAP>(bitmap.GetSafeHandle()));
}

// Red, green and blue, once.
inline void AddThreeImages()
{
    if (CKGPOutlookBarPane::GetSharedImages().GetCount() != 0)
        return;
    AddColourImage(RGB(200, 60, 60));
    AddColourImage(RGB(60, 160, 60));
    AddColourImage(RGB(60, 60, 200));
}

}  // namespace outlook_test
