#include "core/profile/DeviceNames.h"
#include "widgets/GdiplusSession.h"
#include "widgets/SkinImage.h"
#include "widgets/UiResources.h"
#include "tests/profiles/ProfilesTestSupport.h"

namespace {

// A 6 x 4 PNG (RGBA): opaque red with a half-transparent blue pixel at (5, 3).
std::vector<std::uint8_t> MakePng()
{
    return {
        0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52,
        0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00, 0x04, 0x08, 0x06, 0x00, 0x00, 0x00, 0xAD, 0x04, 0x4E,
        0x43, 0x00, 0x00, 0x00, 0x15, 0x49, 0x44, 0x41, 0x54, 0x78, 0xDA, 0x63, 0xF8, 0xCF, 0xC0, 0xF0,
        0x1F, 0x1B, 0x66, 0xA0, 0x8E, 0x04, 0x10, 0x35, 0x00, 0x00, 0x55, 0x0E, 0x2F, 0x52, 0x65, 0x6A,
        0xE4, 0x59, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82,
    };
}

// A 32 x 32 monochrome cursor file: a black square on a transparent ground.
std::vector<std::uint8_t> MakeCursorFile()
{
    auto put16 = [](std::vector<std::uint8_t>& bytes, unsigned value) {
        bytes.push_back(static_cast<std::uint8_t>(value));
        bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    };
    auto put32 = [&](std::vector<std::uint8_t>& bytes, unsigned value) {
        put16(bytes, value & 0xFFFF);
        put16(bytes, value >> 16);
    };
    constexpr unsigned kImageBytes = 40 + 8 + 128 + 128;
    std::vector<std::uint8_t> bytes;
    put16(bytes, 0), put16(bytes, 2), put16(bytes, 1);          // a cursor file of one image
    bytes.insert(bytes.end(), {32, 32, 0, 0});                 // 32 x 32, no palette count
    put16(bytes, 16), put16(bytes, 16);                        // hot spot
    put32(bytes, kImageBytes), put32(bytes, 6 + 16);
    put32(bytes, 40), put32(bytes, 32), put32(bytes, 64);      // header: both masks' height
    put16(bytes, 1), put16(bytes, 1);                          // one plane, one bit
    for (int field = 0; field < 6; ++field)
        put32(bytes, 0);
    put32(bytes, 0), put32(bytes, 0xFFFFFF);                   // black, white
    bytes.insert(bytes.end(), 128, 0x00);                      // colour: black
    for (int row = 0; row < 32; ++row)                         // mask: the middle 16 x 16 shows
        for (int byte = 0; byte < 4; ++byte)
            bytes.push_back(row >= 8 && row < 24 && (byte == 1 || byte == 2) ? 0x00 : 0xFF);
    return bytes;
}

class SkinImageTest : public ProgramFolderTest {
protected:
    CGdiplusSession m_gdiplus;
};

TEST_F(SkinImageTest, LoadsAPngFromMemoryWithItsSizeAndAlpha)
{
    ASSERT_TRUE(m_gdiplus.IsStarted());
    const std::vector<std::uint8_t> png = MakePng();
    CSkinImage image;
    ASSERT_TRUE(image.LoadFromMemory(png.data(), png.size()));
    EXPECT_EQ(image.GetWidth(), 6);
    EXPECT_EQ(image.GetHeight(), 4);
    DWORD argb = 0;
    ASSERT_TRUE(image.GetPixel(0, 0, argb));
    EXPECT_EQ(argb, 0xFFFF0000u);
    ASSERT_TRUE(image.GetPixel(5, 3, argb));
    EXPECT_EQ(argb >> 24, 128u);
    EXPECT_EQ(argb & 0xFF, 255u);
    EXPECT_FALSE(image.GetPixel(6, 0, argb));
}

TEST_F(SkinImageTest, RejectsDataThatIsNoImage)
{
    CSkinImage image;
    const std::uint8_t junk[] = {1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_FALSE(image.LoadFromMemory(junk, sizeof(junk)));
    EXPECT_FALSE(image.LoadFromMemory(nullptr, 0));
    EXPECT_FALSE(image.IsValid());
    EXPECT_EQ(image.GetWidth(), 0);
    EXPECT_FALSE(image.LoadFromFile(Folder() + L"missing.png"));
    EXPECT_FALSE(image.Draw(nullptr, 0, 0));
}

TEST_F(SkinImageTest, FileStaysFreeAfterLoadingAndDrawingPaintsTheImage)
{
    const std::vector<std::uint8_t> png = MakePng();
    const CString path = Folder() + L"pic.png";
    WriteBytes(path, png);
    CSkinImage image;
    ASSERT_TRUE(image.LoadFromFile(path));
    EXPECT_TRUE(::DeleteFileW(path)); // nothing keeps the file open

    const HDC screen = ::GetDC(nullptr);
    const HDC dc = ::CreateCompatibleDC(screen);
    const HBITMAP target = ::CreateCompatibleBitmap(screen, 10, 10);
    ::ReleaseDC(nullptr, screen);
    const HGDIOBJ old = ::SelectObject(dc, target);
    const RECT all = {0, 0, 10, 10};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    EXPECT_TRUE(image.Draw(dc, 2, 3));
    EXPECT_EQ(::GetPixel(dc, 2, 3), RGB(255, 0, 0));
    EXPECT_EQ(::GetPixel(dc, 7, 5), RGB(255, 0, 0));
    EXPECT_EQ(::GetPixel(dc, 1, 3), RGB(255, 255, 255));
    EXPECT_EQ(::GetPixel(dc, 8, 3), RGB(255, 255, 255));
    ::SelectObject(dc, old);
    ::DeleteObject(target);
    ::DeleteDC(dc);
}

TEST_F(SkinImageTest, InterfaceResourcesLoadThePicturesFolder)
{
    ASSERT_TRUE(CreateFolder(Folder() + L"pictures"));
    const std::vector<std::uint8_t> png = MakePng();
    WriteBytes(Folder() + L"pictures\\pcFile.png", png);
    WriteBytes(Folder() + L"pictures\\Corner.PNG", png);
    WriteBytes(Folder() + L"pictures\\broken.png", {1, 2, 3});
    WriteBytes(Folder() + L"pictures\\notes.txt", {1});

    CUiResources& resources = GetUiResources();
    EXPECT_TRUE(LoadUiResources());
    ASSERT_NE(resources.GetImage(L"PCFILE.png"), nullptr);
    EXPECT_EQ(resources.GetImage(L"pcfile.png")->GetWidth(), 6);
    EXPECT_NE(resources.GetCornerImage(), nullptr);
    EXPECT_EQ(resources.GetImage(L"broken.png"), nullptr);
    EXPECT_EQ(resources.GetImage(L"connected.png"), nullptr);
    EXPECT_NE(resources.GetHandCursor(), nullptr);
    EXPECT_NE(resources.GetDragCursor(), nullptr);
    EXPECT_NE(resources.GetPageBackBrush(), nullptr);
    // Images must go before GDI+ does.
    resources.ReleaseImages();
    EXPECT_EQ(resources.GetImage(L"pcFile.png"), nullptr);
}

TEST_F(SkinImageTest, ImagesLoadedInTheBackgroundAreThereWhenFirstAskedFor)
{
    ASSERT_TRUE(CreateFolder(Folder() + L"pictures"));
    const std::vector<std::uint8_t> png = MakePng();
    WriteBytes(Folder() + L"pictures\\corner.png", png);
    WriteBytes(Folder() + L"pictures\\left.png", png);

    CUiResources& resources = GetUiResources();
    StartLoadingUiResources();
    ASSERT_NE(resources.GetCornerImage(), nullptr);
    EXPECT_EQ(resources.GetImage(L"LEFT.PNG")->GetWidth(), 6);
    EXPECT_EQ(resources.GetImage(L"right.png"), nullptr);
    EXPECT_NE(resources.GetHandCursor(), nullptr);

    // A load started again replaces the images; releasing waits for it.
    WriteBytes(Folder() + L"pictures\\right.png", png);
    resources.StartLoadingImages(Folder() + L"pictures");
    resources.ReleaseImages();
    EXPECT_EQ(resources.GetImage(L"right.png"), nullptr);
    resources.StartLoadingImages(Folder() + L"pictures");
    EXPECT_NE(resources.GetImage(L"right.png"), nullptr);
    resources.ReleaseImages();
}

TEST_F(SkinImageTest, PreparedImagesAreDecodedWhenStartedOrWhenFirstAskedFor)
{
    ASSERT_TRUE(CreateFolder(Folder() + L"pictures"));
    const std::vector<std::uint8_t> png = MakePng();
    WriteBytes(Folder() + L"pictures\\corner.png", png);

    CUiResources& resources = GetUiResources();
    // Asked for before the worker was started: decoded there and then.
    PrepareUiResources();
    EXPECT_NE(resources.GetHandCursor(), nullptr);
    ASSERT_NE(resources.GetCornerImage(), nullptr);
    EXPECT_EQ(resources.GetCornerImage()->GetWidth(), 6);

    // Prepared again, then started: the new file is there, the old ones too.
    WriteBytes(Folder() + L"pictures\\left.png", png);
    PrepareUiResources();
    StartDecodingUiImages();
    StartDecodingUiImages(); // a second start has nothing left to do
    EXPECT_NE(resources.GetImage(L"left.png"), nullptr);
    EXPECT_NE(resources.GetCornerImage(), nullptr);

    // Released before decoding started: nothing is decoded afterwards.
    WriteBytes(Folder() + L"pictures\\right.png", png);
    PrepareUiResources();
    resources.ReleaseImages();
    StartDecodingUiImages();
    EXPECT_EQ(resources.GetImage(L"right.png"), nullptr);
    EXPECT_EQ(resources.GetCornerImage(), nullptr);
}

TEST_F(SkinImageTest, TheDragCursorIsThePicturesFoldersOwnWhenItHasOneElseTheSystemArrow)
{
    ASSERT_TRUE(CreateFolder(Folder() + L"pictures"));
    ASSERT_TRUE(CreateFolder(Folder() + L"plain"));
    WriteBytes(Folder() + L"pictures\\drag.cur", MakeCursorFile());
    const HCURSOR systemArrow = ::LoadCursorW(nullptr, IDC_SIZEALL);

    CUiResources& resources = GetUiResources();
    PrepareUiResources();
    const HCURSOR own = resources.GetDragCursor();
    ASSERT_NE(own, nullptr);
    EXPECT_NE(own, systemArrow);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(own, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 16u);
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr)
        ::DeleteObject(info.hbmColor);
    EXPECT_EQ(resources.GetDragCursor(), own) << "loaded once";

    // Another folder without one: the system's arrow.
    resources.PrepareImages(Folder() + L"plain");
    EXPECT_EQ(resources.GetDragCursor(), systemArrow);
    EXPECT_EQ(resources.GetHandCursor(), ::LoadCursorW(nullptr, IDC_HAND));
    resources.ReleaseImages();
}

TEST(DeviceNames, NamesAndSeriesIgnoreTheCaseOfTheKey)
{
    CDeviceNames resources;
    resources.SetInterName(L"Device 1", L"XK100");
    resources.SetInterName(L"DEVICE 2", L"xk200");
    EXPECT_EQ(resources.GetInterName(L"device 1"), CString(L"XK100"));
    EXPECT_TRUE(resources.GetInterName(L"DEVICE 3").IsEmpty());
    EXPECT_EQ(resources.ListInterNames(), (std::vector<CString>{L"XK100", L"xk200"})) << "models keep their case";
    resources.SetDeviceSeries(L"XK100", L"RX470");
    EXPECT_EQ(resources.GetDeviceSeries(L"xk100"), CString(L"RX470"));
    EXPECT_EQ(resources.GetDeviceSeries(L"Device 1"), CString(L"RX470")) << "through the device's model";
    resources.ClearInterNames();
    EXPECT_TRUE(resources.ListInterNames().empty());
    EXPECT_TRUE(resources.GetDeviceSeries(L"DEVICE 1").IsEmpty());
}

} // namespace
