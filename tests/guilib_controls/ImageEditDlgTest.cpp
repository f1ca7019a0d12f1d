// The image editor run modally and answered by a script: colours chosen on
// the palette, cells clicked, then OK (the bitmap changed as clicked) or
// Cancel (the bitmap as it was).
#include <gtest/gtest.h>

#include "guilib/controls/KGPImageEditDlg.h"
#include "tests/support/DialogTesting.h"
#include "tests/support/LibraryTestHost.h"
#include "tests/support/MessagePump.h"

namespace {

constexpr int kSide = 16;
constexpr COLORREF kStart = RGB(10, 20, 30);

int PaletteIndex(COLORREF colour)
{
    for (int i = 0; i < static_cast<int>(std::size(kKGPImageEditPalette)); ++i)
        if (kKGPImageEditPalette[i] == colour)
            return i;
    return -1;
}

void ClickAt(HWND wnd, int x, int y)
{
    ::SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, keyloft_test::PointParam(x, y));
    ::SendMessageW(wnd, WM_LBUTTONUP, 0, keyloft_test::PointParam(x, y));
}

// Picks the colour on the palette and clicks the cell (x, y) of the grid.
void PaintCell(HWND dialog, COLORREF colour, int x, int y)
{
    const HWND palette = ::GetDlgItem(dialog, CKGPImageEditDlg::kPaletteId);
    const HWND grid = ::GetDlgItem(dialog, CKGPImageEditDlg::kGridId);
    RECT area{};
    ::GetClientRect(palette, &area);
    const int count = static_cast<int>(std::size(kKGPImageEditPalette));
    const int index = PaletteIndex(colour);
    ClickAt(palette, area.right * index / count + area.right / count / 2, area.bottom / 2);
    ::GetClientRect(grid, &area);
    const int cell = area.right / kSide;
    ClickAt(grid, x * cell + cell / 2, y * cell + cell / 2);
}

COLORREF PixelOf(CBitmap& bitmap, int x, int y)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap* old = dc.SelectObject(&bitmap);
    const COLORREF colour = dc.GetPixel(x, y);
    dc.SelectObject(old);
    return colour;
}

class ImageEditDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost(200, 100));
        CClientDC screen(&m_host);
        ASSERT_TRUE(m_bitmap.CreateCompatibleBitmap(&screen, kSide, kSide));
        CDC dc;
        dc.CreateCompatibleDC(&screen);
        CBitmap* old = dc.SelectObject(&m_bitmap);
        dc.FillSolidRect(0, 0, kSide, kSide, kStart);
        dc.SelectObject(old);
    }

    keyloft_test::CLibraryTestHost m_host;
    CBitmap m_bitmap;
};

TEST_F(ImageEditDlgTest, OkLeavesTheCellsPaintedAsClickedAndCancelLeavesTheBitmap)
{
    CKGPImageEditDlg editor(&m_bitmap, &m_host, CSize(kSide, kSide));
    keyloft_test::CDialogAnswerer answer(L"Image Editor", [](HWND dialog) {
        PaintCell(dialog, RGB(255, 0, 0), 2, 3);
        PaintCell(dialog, RGB(0, 0, 255), 15, 15);
        ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(editor.DoModal(), IDOK);
    answer.Stop();
    ASSERT_TRUE(answer.Found());
    EXPECT_EQ(PixelOf(m_bitmap, 2, 3), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(m_bitmap, 15, 15), RGB(0, 0, 255));
    EXPECT_EQ(PixelOf(m_bitmap, 3, 2), kStart);
    EXPECT_EQ(PixelOf(m_bitmap, 0, 0), kStart);

    CKGPImageEditDlg again(&m_bitmap, &m_host);
    keyloft_test::CDialogAnswerer cancel(L"Image Editor", [](HWND dialog) {
        PaintCell(dialog, RGB(0, 255, 0), 0, 0);
        ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(again.DoModal(), IDCANCEL);
    cancel.Stop();
    EXPECT_EQ(PixelOf(m_bitmap, 0, 0), kStart);
    EXPECT_EQ(PixelOf(m_bitmap, 2, 3), RGB(255, 0, 0));
}

} // namespace
