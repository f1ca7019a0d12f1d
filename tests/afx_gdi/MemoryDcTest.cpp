// Painting into memory DCs: pixels, object selection and release of GDI handles.
#include <afxwin.h>

#include <gtest/gtest.h>

#include "tests/afx_gdi/Canvas.h"

namespace {

using afx_gdi_test::Canvas;

DWORD GdiObjectCount()
{
    return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
}

int CountPixels(CDC& dc, const CRect& area, COLORREF color)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += dc.GetPixel(x, y) == color;
    return count;
}

TEST(MemoryDc, FillSolidRectAndShapesPaintTheirPixels)
{
    Canvas canvas(40, 30);
    CDC& dc = canvas.dc;
    dc.FillSolidRect(CRect(5, 5, 15, 10), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(14, 9), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(15, 9), RGB(255, 255, 255));  // right edge exclusive
    EXPECT_EQ(dc.GetPixel(14, 10), RGB(255, 255, 255));
    // FillSolidRect must leave the text background colour as it was.
    dc.SetBkColor(RGB(1, 2, 3));
    dc.FillSolidRect(0, 20, 4, 4, RGB(0, 0, 255));
    EXPECT_EQ(dc.GetBkColor(), RGB(1, 2, 3));

    dc.Draw3dRect(CRect(20, 2, 30, 12), RGB(0, 255, 0), RGB(0, 0, 255));
    EXPECT_EQ(dc.GetPixel(20, 2), RGB(0, 255, 0));   // top-left
    EXPECT_EQ(dc.GetPixel(29, 11), RGB(0, 0, 255));  // bottom-right
    EXPECT_EQ(dc.GetPixel(25, 7), RGB(255, 255, 255));

    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = dc.SelectObject(&pen);
    ASSERT_NE(oldPen, nullptr);
    dc.MoveTo(0, 25);
    dc.LineTo(40, 25);
    dc.SelectObject(oldPen);
    EXPECT_EQ(CountPixels(dc, CRect(0, 25, 40, 26), RGB(0, 0, 0)), 40);

    CBrush brush(RGB(0, 128, 0));
    CBrush* oldBrush = dc.SelectObject(&brush);
    CPen* oldPen2 = dc.SelectObject(&pen);
    dc.Rectangle(30, 15, 38, 23);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen2);
    EXPECT_EQ(dc.GetPixel(30, 15), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(34, 19), RGB(0, 128, 0));
}

TEST(MemoryDc, SelectObjectReturnsThePreviousObjectAndRestores)
{
    Canvas canvas(10, 10);
    CDC& dc = canvas.dc;
    HGDIOBJ stockPen = ::GetCurrentObject(dc, OBJ_PEN);
    CPen red(PS_SOLID, 3, RGB(255, 0, 0));
    CPen* previous = dc.SelectObject(&red);
    ASSERT_NE(previous, nullptr);
    EXPECT_EQ(previous->GetSafeHandle(), stockPen);
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), red.GetSafeHandle());
    // The same handle gives the same temporary wrapper on this thread.
    EXPECT_EQ(CPen::FromHandle(static_cast<HPEN>(stockPen)), previous);
    EXPECT_EQ(dc.SelectObject(previous), CPen::FromHandle(red));
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_PEN), stockPen);

    LOGPEN logPen{};
    ASSERT_EQ(red.GetLogPen(&logPen), static_cast<int>(sizeof(LOGPEN)));
    EXPECT_EQ(logPen.lopnWidth.x, 3);
    EXPECT_EQ(logPen.lopnColor, RGB(255, 0, 0));
}

TEST(MemoryDc, FontsDrawTextAndReportTheirMetrics)
{
    Canvas canvas(120, 40);
    CDC& dc = canvas.dc;
    CFont font;
    ASSERT_TRUE(font.CreateFont(-16, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma"));
    LOGFONT logFont{};
    ASSERT_GT(font.GetLogFont(&logFont), 0);
    EXPECT_EQ(logFont.lfHeight, -16);
    EXPECT_EQ(logFont.lfWeight, FW_BOLD);

    CFont* oldFont = dc.SelectObject(&font);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.SetBkMode(TRANSPARENT);
    CString text(L"Keys 123");
    CSize extent = dc.GetTextExtent(text);
    EXPECT_GT(extent.cx, 20);
    EXPECT_GE(extent.cy, 14);
    TEXTMETRIC metrics{};
    ASSERT_TRUE(dc.GetTextMetrics(&metrics));
    EXPECT_GE(metrics.tmHeight, 14);
    CRect box(0, 0, 120, 40);
    EXPECT_GT(dc.DrawText(text, box, DT_LEFT | DT_TOP | DT_SINGLELINE), 0);
    dc.SelectObject(oldFont);
    EXPECT_GT(CountPixels(dc, CRect(0, 0, extent.cx, extent.cy), RGB(0, 0, 0)), 10);
    EXPECT_EQ(CountPixels(dc, CRect(extent.cx + 2, 0, 120, 40), RGB(0, 0, 0)), 0);

    CFont pointFont;
    ASSERT_TRUE(pointFont.CreatePointFont(120, L"Tahoma"));
    ASSERT_GT(pointFont.GetLogFont(&logFont), 0);
    CClientDC screen(static_cast<HWND>(nullptr));
    EXPECT_EQ(logFont.lfHeight, -::MulDiv(screen.GetDeviceCaps(LOGPIXELSY), 12, 72));
}

TEST(MemoryDc, GdiObjectsAreReleased)
{
    Canvas warmUp(8, 8);  // first-use allocations of GDI itself are not ours
    const DWORD before = GdiObjectCount();
    for (int round = 0; round < 20; ++round) {
        Canvas canvas(16, 16);
        CPen pen(PS_SOLID, 2, RGB(1, 2, 3));
        CBrush brush(RGB(4, 5, 6));
        CFont font;
        font.CreatePointFont(90, L"Tahoma");
        CRgn region;
        region.CreateEllipticRgn(0, 0, 10, 10);
        canvas.dc.SelectObject(&pen);
        canvas.dc.SelectObject(&brush);
        canvas.dc.SelectObject(&font);
        canvas.dc.SelectStockObject(BLACK_PEN);
        canvas.dc.SelectStockObject(WHITE_BRUSH);
        canvas.dc.SelectStockObject(SYSTEM_FONT);
        canvas.dc.Ellipse(0, 0, 10, 10);
    }
    AfxDeleteTempGdiMaps();
    EXPECT_EQ(GdiObjectCount(), before);

    // Detach hands the handle over: the wrapper no longer deletes it.
    HGDIOBJ kept = nullptr;
    {
        CBrush brush(RGB(9, 9, 9));
        kept = brush.Detach();
    }
    EXPECT_EQ(::GetObjectType(kept), static_cast<DWORD>(OBJ_BRUSH));
    CBrush owner;
    ASSERT_TRUE(owner.Attach(kept));
    EXPECT_FALSE(owner.Attach(::GetStockObject(BLACK_BRUSH)));  // already holds one
    EXPECT_TRUE(owner.DeleteObject());
    EXPECT_EQ(::GetObjectType(kept), 0u);
}

TEST(MemoryDc, CMemDcCopiesThePictureOnDestruction)
{
    Canvas canvas(50, 50);
    {
        CMemDC memDc(canvas.dc, CRect(10, 10, 30, 30));
        ASSERT_TRUE(memDc.IsMemDC());
        // Drawing uses the target's coordinates; nothing reaches the target yet.
        memDc.GetDC().FillSolidRect(10, 10, 20, 20, RGB(0, 0, 255));
        memDc.GetDC().SetPixel(29, 29, RGB(255, 0, 0));
        EXPECT_EQ(canvas.dc.GetPixel(15, 15), RGB(255, 255, 255));
    }
    EXPECT_EQ(canvas.dc.GetPixel(10, 10), RGB(0, 0, 255));
    EXPECT_EQ(canvas.dc.GetPixel(29, 29), RGB(255, 0, 0));
    EXPECT_EQ(canvas.dc.GetPixel(30, 30), RGB(255, 255, 255));
    EXPECT_EQ(canvas.dc.GetPixel(9, 9), RGB(255, 255, 255));
    {
        CMemDC discarded(canvas.dc, CRect(0, 0, 5, 5));
        discarded.GetDC().FillSolidRect(0, 0, 5, 5, RGB(0, 0, 0));
        discarded.Discard();
    }
    EXPECT_EQ(canvas.dc.GetPixel(2, 2), RGB(255, 255, 255));
}

TEST(MemoryDc, BlitsGradientsAndClipping)
{
    Canvas source(10, 10);
    source.dc.FillSolidRect(0, 0, 10, 10, RGB(200, 0, 0));
    source.dc.SetPixel(0, 0, RGB(0, 255, 0));
    Canvas target(40, 20);
    ASSERT_TRUE(target.dc.BitBlt(5, 5, 10, 10, &source.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(target.dc.GetPixel(5, 5), RGB(0, 255, 0));
    EXPECT_EQ(target.dc.GetPixel(14, 14), RGB(200, 0, 0));
    // The green key colour is left out by TransparentBlt.
    ASSERT_TRUE(target.dc.TransparentBlt(20, 5, 10, 10, &source.dc, 0, 0, 10, 10, RGB(0, 255, 0)));
    EXPECT_EQ(target.dc.GetPixel(20, 5), RGB(255, 255, 255));
    EXPECT_EQ(target.dc.GetPixel(21, 6), RGB(200, 0, 0));

    TRIVERTEX vertices[2] = {{0, 0, 0, 0, 0, 0}, {10, 4, 0xFF00, 0xFF00, 0xFF00, 0}};
    GRADIENT_RECT mesh{0, 1};
    ASSERT_TRUE(target.dc.GradientFill(vertices, 2, &mesh, 1, GRADIENT_FILL_RECT_H));
    EXPECT_LT(GetRValue(target.dc.GetPixel(0, 1)), GetRValue(target.dc.GetPixel(9, 1)));

    int saved = target.dc.SaveDC();
    target.dc.IntersectClipRect(0, 0, 10, 10);
    target.dc.ExcludeClipRect(0, 0, 5, 5);
    CRect clip;
    target.dc.GetClipBox(&clip);
    EXPECT_EQ(clip, CRect(0, 0, 10, 10));
    target.dc.FillSolidRect(0, 0, 40, 20, RGB(0, 0, 0));
    target.dc.RestoreDC(saved);
    EXPECT_NE(target.dc.GetPixel(2, 2), RGB(0, 0, 0));  // excluded corner kept
    EXPECT_EQ(target.dc.GetPixel(7, 7), RGB(0, 0, 0));
    EXPECT_EQ(target.dc.GetPixel(12, 12), RGB(200, 0, 0));  // outside the clip kept
}

TEST(Regions, CombineAndHitTest)
{
    CRgn left, right, both;
    ASSERT_TRUE(left.CreateRectRgn(0, 0, 10, 10));
    ASSERT_TRUE(right.CreateRoundRectRgn(5, 0, 20, 10, 4, 4));
    EXPECT_EQ(both.CombineRgn(&left, &right, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(both.PtInRegion(2, 2));
    EXPECT_TRUE(both.PtInRegion(CPoint(15, 5)));
    EXPECT_FALSE(both.PtInRegion(25, 5));
    CRect box;
    both.GetRgnBox(&box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_GE(box.right, 19);  // a rounded corner may trim the last column
    EXPECT_EQ(box.bottom, 10);
    CRgn ellipse;
    ASSERT_TRUE(ellipse.CreateEllipticRgn(0, 0, 20, 20));
    EXPECT_FALSE(ellipse.PtInRegion(0, 0));
    EXPECT_TRUE(ellipse.PtInRegion(10, 10));
}

TEST(Bitmaps, SizesAndMissingResources)
{
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(13, 7, 1, 32, nullptr));
    BITMAP info{};
    ASSERT_GT(bitmap.GetBitmap(&info), 0);
    EXPECT_EQ(info.bmWidth, 13);
    EXPECT_EQ(info.bmHeight, 7);
    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(54321));
    EXPECT_EQ(missing.GetSafeHandle(), nullptr);
}

} // namespace
