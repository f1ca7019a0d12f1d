// A white 32-bit memory DC to draw on and read pixels back from.
#pragma once

#include <afxwin.h>

#include "tests/support/Dib.h"

namespace afx_gdi_test {

class Canvas {
public:
    Canvas(int width, int height)
    {
        dc.CreateCompatibleDC(nullptr);
        // A 32-bit DIB section: colours are exact, unlike a monochrome default bitmap.
        void* bits = nullptr;
        bitmap.Attach(keyloft_test::CreateTopDown32BitDib(dc, width, height, &bits));
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
    }
    ~Canvas() { dc.SelectObject(old); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
};

} // namespace afx_gdi_test
