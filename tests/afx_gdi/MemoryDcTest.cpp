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

TEST(MemoryDc, FillSolidRectAndDraw3dRectPaintTheirPixels)
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
    EXPECT_EQ(dc.GetPixel(29, 2), RGB(0, 0, 255));   // top-right corner belongs to the right edge
    EXPECT_EQ(dc.GetPixel(29, 11), RGB(0, 0, 255));  // bottom-right
    EXPECT_EQ(dc.GetPixel(25, 7), RGB(255, 255, 255));
    EXPECT_EQ(CountPixels(dc, CRect(20, 11, 30, 12), RGB(0, 0, 255)), 10);
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

TEST(MemoryDc, PointFontsGetTheScreensHeightInPixels)
{
    CFont pointFont;
    ASSERT_TRUE(pointFont.CreatePointFont(120, L"Tahoma"));
    LOGFONT logFont{};
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

} // namespace
