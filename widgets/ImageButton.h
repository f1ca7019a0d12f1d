// An owner-drawn push button that shows images: two bitmaps (normal, and hot or
// pressed) with one colour transparent, or two icons. The button owns the
// handles handed to it and releases them (a bitmap as soon as its picture is made).
#pragma once

#include <afxwin.h>

#include "widgets/HotButton.h"
#include "widgets/KeyedImage.h"
#include "widgets/WidgetLook.h"

class CImageButton : public CHotButton {
public:
    CImageButton();
    ~CImageButton() override;

    // bmpNormal is drawn normally, bmpActive while hot or pressed (the normal
    // one when null). Both are owned by the button from now on.
    void SetBitmaps(HBITMAP bmpNormal, HBITMAP bmpActive, COLORREF transparent = widgets::kLookMagentaKey);
    // The same for icons (load them with LoadImage, not shared).
    void SetIcon(HICON iconNormal, HICON iconActive = nullptr);
    // Loads two icon resources (current resource module, then the program) at
    // size x size pixels and sets them; false when the normal one is missing.
    BOOL LoadIcons(UINT idNormal, UINT idActive, int size);
    bool HasImage() const;
    SIZE GetImageSize() const;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    // Draws the image for the state centred in rect.
    void DrawImage(HDC dc, const RECT& rect, bool active) const;

private:
    widgets::CKeyedImage m_imageNormal;
    widgets::CKeyedImage m_imageActive;
    CIconHandle m_iconNormal;
    CIconHandle m_iconActive;
};
