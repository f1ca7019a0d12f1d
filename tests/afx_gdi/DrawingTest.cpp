// Drag frames and size mapping on a memory DC.
#include <afxwin.h>

#include <gtest/gtest.h>

#include "tests/afx_gdi/Canvas.h"

namespace {

using afx_gdi_test::Canvas;

TEST(Drawing, DragRectDrawnTwiceLeavesNoTrace)
{
    Canvas surface(60, 60);
    CDC& dc = surface.dc;
    dc.FillSolidRect(0, 0, 30, 60, RGB(10, 120, 200));
    const COLORREF before = dc.GetPixel(12, 10);
    CRect frame(10, 10, 50, 50);
    dc.DrawDragRect(&frame, CSize(4, 4), nullptr, CSize(0, 0));
    int changed = 0;
    for (int x = 10; x < 14; ++x)
        changed += dc.GetPixel(x, 30) != (x < 30 ? RGB(10, 120, 200) : RGB(255, 255, 255));
    EXPECT_GT(changed, 0);                              // the frame shows
    EXPECT_EQ(dc.GetPixel(30, 30), RGB(255, 255, 255)); // its inside does not
    // Moving it: the old frame is erased, the new one drawn.
    CRect moved(20, 20, 58, 58);
    dc.DrawDragRect(&moved, CSize(4, 4), &frame, CSize(4, 4));
    EXPECT_EQ(dc.GetPixel(12, 10), before);
    dc.DrawDragRect(nullptr, CSize(0, 0), &moved, CSize(4, 4));
    EXPECT_EQ(dc.GetPixel(21, 40), RGB(10, 120, 200));
    EXPECT_EQ(dc.GetPixel(56, 40), RGB(255, 255, 255));
    EXPECT_EQ(CDC::GetHalftoneBrush(), CDC::GetHalftoneBrush()); // made once, not per frame
}

TEST(Drawing, SizesMapWithoutTheOriginOffset)
{
    Canvas surface(40, 40);
    CDC& dc = surface.dc;
    const CPoint previous = dc.SetWindowOrg(100, 200);
    EXPECT_EQ(previous, CPoint(0, 0));
    CSize size(5, 5);
    dc.LPtoDP(&size);
    EXPECT_EQ(size, CSize(5, 5));
    dc.SetWindowOrg(previous);

    dc.SetMapMode(MM_LOMETRIC);
    size = CSize(100, 100); // 10 mm
    dc.LPtoDP(&size);
    EXPECT_GT(size.cx, 0);
    EXPECT_LT(size.cy, 0); // y grows upwards in logical units
    CSize back = size;
    dc.DPtoLP(&back);
    EXPECT_NEAR(back.cx, 100, 5);
    dc.SetMapMode(MM_TEXT);
}

} // namespace
