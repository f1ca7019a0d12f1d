// A strip of equal-size images (toolbar and menu images) held as 32-bit
// premultiplied pixels, with derived copies made on demand: pale (faded),
// disabled and shadow. Drawing uses per-pixel alpha and a source alpha.
#pragma once

#include <afxhandle.h>
#include <afxwin.h>

#include <array>
#include <cstdint>
#include <vector>

class CKGPToolBarImages {
public:
    // Derived copies rebuilt by RebuildDerivedImage.
    enum DerivedImage { kLightImage = 0, kShadowImage = 1 };
    static constexpr COLORREF kNoTransparentColour = static_cast<COLORREF>(-1);

    CKGPToolBarImages();
    ~CKGPToolBarImages();
    CKGPToolBarImages(const CKGPToolBarImages&) = delete;
    CKGPToolBarImages& operator=(const CKGPToolBarImages&) = delete;

    // Image size; changing it clears the strip.
    void SetImageSize(CSize size);
    CSize GetImageSize() const { return m_sizeImage; }
    int GetCount() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    // Pixels of this colour in loaded bitmaps become transparent.
    void SetTransparentColor(COLORREF colour) { m_clrTransparent = colour; }
    COLORREF GetTransparentColor() const { return m_clrTransparent; }

    // Loads a bitmap resource (from hInstance, else the library's module)
    // and adds its images (or replaces the strip when bAdd is FALSE).
    BOOL Load(UINT uiResID, HINSTANCE hInstance = nullptr, BOOL bAdd = FALSE);
    // Adds the images of a bitmap whose height is the image height and whose
    // width is a multiple of the image width; the index of the first added
    // image, or -1.
    int AddImage(HBITMAP hBitmap);
    // Puts the first image of such a bitmap in the place of image iImage;
    // FALSE for an index outside the strip or a bitmap of another height.
    BOOL UpdateImage(int iImage, HBITMAP hBitmap);
    // Adds one icon, keeping its alpha when bAlpha; the index or -1.
    int AddIcon(HICON hIcon, BOOL bAlpha = TRUE);
    void Clear();
    // A deep copy of this strip into another.
    BOOL CopyTo(CKGPToolBarImages& dest) const;
    // Turns every image into its pale copy: colours moved towards white by percent.
    BOOL MakePale(int nPercent);
    // Recolours: grey levels mapped between the tone (dark) and the base (light).
    void RetintColors(COLORREF clrBase, COLORREF clrTone);
    void RebuildDerivedImage(int nKind);
    // One image as a bitmap on the button face colour, put on the clipboard.
    BOOL CopyImageToClipboard(int iImage) const;
    // One image as a new 32-bit bitmap (the caller owns it); null when out of range.
    HBITMAP ExtractImage(int iImage) const;

    // Brackets the drawing of a strip's images; FALSE for an empty strip.
    // Images are stretched to sizeDest when it is given. Images drawn inside
    // the brackets come from one section per pixel set, freed at the end.
    BOOL BeginDrawImage(BOOL bFaded = FALSE, CSize sizeDest = CSize(0, 0));
    void EndDrawImage();
    // Draws image iImage at (x, y). FALSE for an index outside the strip. A
    // shadow request on a display of 8 bits per pixel or fewer draws nothing
    // and answers TRUE.
    BOOL DrawImage(CDC* pDC, int x, int y, int iImage, BOOL bHilite = FALSE, BOOL bDisabled = FALSE,
                   BOOL bIndeterminate = FALSE, BOOL bShadow = FALSE, BOOL bFaded = FALSE, BYTE alphaSrc = 255);

    // Pale percent of the faded (cold) images.
    static int s_nColdImagePercent;
    // Library-wide mirroring (right-to-left layouts): images are drawn
    // flipped so that a mirrored window shows them the right way round.
    static void EnableRTL(BOOL bRTL) { s_bRTL = bRTL; }
    static BOOL IsRTL() { return s_bRTL; }
    // Reloads the resource images of every strip (after a colour change).
    static void OnSysColorChange();
    // The region of all pixels of a bitmap that are not of the colour.
    static HRGN CreateRegionFromImage(HBITMAP hBitmap, COLORREF clrTransparent);

    // Premultiplied 0xAARRGGBB of one pixel of an image (tests, image editor).
    std::uint32_t GetPixel(int iImage, int x, int y) const;

private:
    using Pixels = std::vector<std::uint32_t>;
    int AppendPixels(const Pixels& strip, int nImages);
    // The images of a bitmap as premultiplied pixels (without alpha, the
    // transparent colour is keyed out); how many, 0 when it does not fit.
    int ReadImages(HBITMAP hBitmap, Pixels& images) const;
    const Pixels& Derived(BOOL bDisabled, BOOL bFaded, BOOL bShadow);
    BOOL Blit(CDC* pDC, int x, int y, int iImage, const Pixels& pixels, BYTE alpha) const;
    // One pixel set (images side by side, mirrored in right-to-left layouts)
    // as a DIB section, made on its first draw between BeginDrawImage and
    // EndDrawImage and kept until then (or until the pixels change).
    struct RenderedStrip {
        CGdiHandle<HBITMAP> dib;
        BOOL rtl = FALSE;
    };
    HBITMAP Rendered(const Pixels& pixels) const;
    void ForgetRendered();
    // A section holding nCount images from iFirst side by side.
    CGdiHandle<HBITMAP> RenderImages(const Pixels& pixels, int iFirst, int nCount) const;

    CSize m_sizeImage;
    int m_nCount = 0;
    COLORREF m_clrTransparent = kNoTransparentColour;
    Pixels m_pixels;  // image after image, each cx x cy, row by row
    Pixels m_pale;
    Pixels m_disabled;
    Pixels m_shadow;
    // The resources loaded, each with the colour it was keyed with.
    struct LoadedResource {
        UINT id;
        HINSTANCE module;
        COLORREF key;
    };
    std::vector<LoadedResource> m_resources;
    CSize m_sizeDest;
    // Normal, pale, disabled and shadow, in the order of the pixel sets above.
    mutable std::array<RenderedStrip, 4> m_rendered;
    // Holds one rendered strip selected while its images are drawn.
    mutable CMemoryDCHandle m_renderDC;
    BOOL m_bDrawing = FALSE;
    static BOOL s_bRTL;
};
