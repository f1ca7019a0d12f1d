#include "core/ui/GdiplusSession.h"
#include "core/ui/SkinImage.h"
#include "core/ui/UiResources.h"
#include "tests/profiles/ProfilesTestSupport.h"

#include <objidl.h>
#include <gdiplus.h>
#include <shlwapi.h>

namespace {

// Encodes a small test picture as PNG through GDI+'s own encoder: a 6 x 4 image,
// opaque red with a half-transparent blue pixel at (5, 3).
std::vector<std::uint8_t> MakePng()
{
    Gdiplus::Bitmap bitmap(6, 4, PixelFormat32bppARGB);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            bitmap.SetPixel(x, y, Gdiplus::Color(255, 255, 0, 0));
    bitmap.SetPixel(5, 3, Gdiplus::Color(128, 0, 0, 255));

    UINT count = 0, size = 0;
    Gdiplus::GetImageEncodersSize(&count, &size);
    std::vector<std::uint8_t> storage(size);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(storage.data());
    Gdiplus::GetImageEncoders(count, size, encoders);
    const CLSID* png = nullptr;
    for (UINT i = 0; i < count; ++i) {
        if (wcscmp(encoders[i].MimeType, L"image/png") == 0)
            png = &encoders[i].Clsid;
    }
    if (png == nullptr)
        return {};
    IStream* stream = ::SHCreateMemStream(nullptr, 0);
    if (stream == nullptr)
        return {};
    std::vector<std::uint8_t> bytes;
    if (bitmap.Save(stream, png, nullptr) == Gdiplus::Ok) {
        STATSTG stat{};
        stream->Stat(&stat, STATFLAG_NONAME);
        bytes.resize(static_cast<std::size_t>(stat.cbSize.QuadPart));
        const LARGE_INTEGER zero{};
        stream->Seek(zero, STREAM_SEEK_SET, nullptr);
        ULONG read = 0;
        stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
        bytes.resize(read);
    }
    stream->Release();
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
    ASSERT_FALSE(png.empty());
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

TEST(UiResources, DeviceNamesAndSeriesIgnoreTheCaseOfTheKey)
{
    CUiResources resources;
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
