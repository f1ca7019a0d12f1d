// Drag frames, coordinate mapping and polygons on a memory DC.
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
    EXPECT_GT(changed, 0);                                 // the frame shows
    EXPECT_EQ(dc.GetPixel(30, 30), RGB(255, 255, 255));    // its inside does not
    // Moving it: the old frame is erased, the new one drawn.
    CRect moved(20, 20, 58, 58);
    dc.DrawDragRect(&moved, CSize(4, 4), &frame, CSize(4, 4));
    EXPECT_EQ(dc.GetPixel(12, 10), before);
    dc.DrawDragRect(nullptr, CSize(0, 0), &moved, CSize(4, 4));
    EXPECT_EQ(dc.GetPixel(21, 40), RGB(10, 120, 200));
    EXPECT_EQ(dc.GetPixel(56, 40), RGB(255, 255, 255));
    EXPECT_NE(CDC::GetHalftoneBrush(), nullptr);
    EXPECT_EQ(CDC::GetHalftoneBrush(), CDC::GetHalftoneBrush());
}

TEST(Drawing, WindowOriginAndMapping)
{
    Canvas surface(40, 40);
    CDC& dc = surface.dc;
    const CPoint previous = dc.SetWindowOrg(100, 200);
    EXPECT_EQ(previous, CPoint(0, 0));
    dc.FillSolidRect(100, 200, 5, 5, RGB(255, 0, 0));  // logical coordinates
    dc.SetWindowOrg(previous);
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(5, 5), RGB(255, 255, 255));

    dc.SetMapMode(MM_LOMETRIC);
    CSize size(100, 100);  // 10 mm
    dc.LPtoDP(&size);
    EXPECT_GT(size.cx, 0);
    CSize back = size;
    dc.DPtoLP(&back);
    EXPECT_NEAR(back.cx, 100, 5);
    CRect rect(0, 0, 100, -100);
    dc.LPtoDP(&rect);
    EXPECT_GT(rect.bottom, 0);  // y grows upwards in logical units
    dc.SetMapMode(MM_TEXT);
}

TEST(Drawing, PolygonsAndLines)
{
    Canvas surface(40, 40);
    CDC& dc = surface.dc;
    CBrush brush(RGB(0, 0, 255));
    CPen pen(PS_SOLID, 1, RGB(0, 0, 255));
    CBrush* oldBrush = dc.SelectObject(&brush);
    CPen* oldPen = dc.SelectObject(&pen);
    const POINT diamond[] = {{20, 2}, {38, 20}, {20, 38}, {2, 20}};
    ASSERT_TRUE(dc.Polygon(diamond, 4));
    EXPECT_EQ(dc.GetPixel(20, 20), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(3, 3), RGB(255, 255, 255));
    const POINT line[] = {{0, 39}, {39, 39}};
    dc.SelectObject(oldBrush);
    ASSERT_TRUE(dc.Polyline(line, 2));
    dc.SelectObject(oldPen);
    EXPECT_EQ(dc.GetPixel(5, 39), RGB(0, 0, 255));
    // XOR drawing twice restores.
    const int oldRop = dc.SetROP2(R2_XORPEN);
    CPen white(PS_SOLID, 1, RGB(255, 255, 255));
    dc.SelectObject(&white);
    dc.MoveTo(0, 10);
    dc.LineTo(40, 10);
    EXPECT_NE(dc.GetPixel(20, 10), RGB(0, 0, 255));
    dc.MoveTo(0, 10);
    dc.LineTo(40, 10);
    EXPECT_EQ(dc.GetPixel(20, 10), RGB(0, 0, 255));
    dc.SetROP2(oldRop);
    dc.SelectObject(oldPen);
    EXPECT_TRUE(dc.PatBlt(0, 0, 40, 40, WHITENESS));
    EXPECT_EQ(dc.GetPixel(20, 20), RGB(255, 255, 255));
}

} // namespace
