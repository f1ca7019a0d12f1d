// The program's toolbar image strips become image lists whose light-grey
// background is transparent (that every page's toolbar loads with an image per
// button is the page images case's).
#include <gtest/gtest.h>

#include <afxext.h>
#include <afxtoolbarres.h>
#include <commctrl.h>

#include <vector>

#include "widgets/ToolBarHelpers.h"
#include "res/resource.h"
#include "tests/support/Dib.h"
#include "tests/widgets/WidgetTestSupport.h"
#include "widgets/WidgetLook.h"

namespace {

constexpr DWORD kWhite = 0xFFFFFF;

// Image `index` of the list drawn with its mask over white, as 0x00RRGGBB pixels.
std::vector<DWORD> DrawOnWhite(HIMAGELIST list, int index, int cx, int cy)
{
    void* bits = nullptr;
    CGdiHandle<HBITMAP> bitmap(keyloft_test::CreateTopDown32BitDib(nullptr, cx, cy, &bits));
    HDC dc = ::CreateCompatibleDC(nullptr);
    std::vector<DWORD> pixels;
    if (bitmap && dc != nullptr) {
        CSelectionScope select(dc, bitmap.Get());
        RECT all{0, 0, cx, cy};
        ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::ImageList_Draw(list, index, dc, 0, 0, ILD_TRANSPARENT);
        ::GdiFlush();
        const auto* source = static_cast<const DWORD*>(bits);
        for (int i = 0; i < cx * cy; ++i)
            pixels.push_back(source[i] & 0x00FFFFFF);
    }
    if (dc != nullptr)
        ::DeleteDC(dc);
    return pixels;
}

class ToolBarImagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_host.CreateHost(400, 120));
        ASSERT_TRUE(m_bar.CreateEx(&m_host, TBSTYLE_FLAT | TBSTYLE_TRANSPARENT, WS_CHILD | WS_VISIBLE | CBRS_TOP,
                                   CRect(0, 0, 0, 0), 59392));
    }

    widgets_test::CRecordingParent m_host;
    CToolBar m_bar;
};

TEST_F(ToolBarImagesTest, ImageStripsShowTheirPicturesOnATransparentBackground)
{
    struct Strip {
        UINT layout;
        UINT bitmap;
        int images;
    };
    const Strip strips[] = {{IDR_TRANSFER_PC_BAR, IDB_TRANSFER_PC_BAR, 3},
                            {IDR_TRANSFER_DEV_BAR, IDB_TRANSFER_DEV_BAR, 2},
                            {IDR_TRANSFER_MEM_BAR, IDB_TRANSFER_MEM_BAR, 1}};
    for (const Strip& strip : strips) {
        ASSERT_TRUE(m_bar.LoadToolBar(strip.layout));
        ASSERT_TRUE(SetToolBarImageList(m_bar, strip.bitmap, 16, 16)) << "bitmap " << strip.bitmap;
        const auto list = reinterpret_cast<HIMAGELIST>(m_bar.SendMessage(TB_GETIMAGELIST));
        ASSERT_NE(nullptr, list);
        ASSERT_EQ(strip.images, ::ImageList_GetImageCount(list)) << "bitmap " << strip.bitmap;
        for (int index = 0; index < strip.images; ++index) {
            const std::vector<DWORD> pixels = DrawOnWhite(list, index, 16, 16);
            ASSERT_EQ(256u, pixels.size());
            size_t glyph = 0;
            size_t keyColoured = 0;
            for (DWORD pixel : pixels) {
                glyph += pixel != kWhite ? 1 : 0;
                keyColoured += pixel == 0xC0C0C0u || pixel == 0xFF00FFu ? 1 : 0;
            }
            EXPECT_EQ(0u, keyColoured) << "image " << index << " of bitmap " << strip.bitmap
                                       << " shows a key colour (light grey or magenta)";
            EXPECT_EQ(kWhite, pixels[0]) << "the corner of image " << index << " is transparent";
            EXPECT_GT(glyph, 12u) << "image " << index << " of bitmap " << strip.bitmap << " is empty";
        }
    }
}

} // namespace
