// The images one toolbar draws with: the strips shared by every unlocked bar,
// or, on a locked bar, its own eight strips and its own button and image sizes
// (those in effect doubled in large-icons mode); and where the bar's bitmap
// begins in the strip it was loaded into.
#pragma once

#include <afxwin.h>

#include "guilib/core/KGPToolBarImages.h"

#include <array>

// The eight strips a bar draws from: normal, cold (not hot), disabled, their
// large forms, and the images of menus.
struct KGPToolBarStrips {
    CKGPToolBarImages* normal;
    CKGPToolBarImages* cold;
    CKGPToolBarImages* disabled;
    CKGPToolBarImages* large;
    CKGPToolBarImages* largeCold;
    CKGPToolBarImages* largeDisabled;
    CKGPToolBarImages* menu;
    CKGPToolBarImages* menuDisabled;

    std::array<CKGPToolBarImages*, 8> All() const
    {
        return {normal, cold, disabled, large, largeCold, largeDisabled, menu, menuDisabled};
    }
    // The image size goes to the plain strips, and at the large scale to the large ones.
    void SetImageSize(CSize image) const;
};

class CKGPToolBarImageSet {
public:
    CKGPToolBarImageSet() = default;
    CKGPToolBarImageSet(const CKGPToolBarImageSet&) = delete;
    CKGPToolBarImageSet& operator=(const CKGPToolBarImageSet&) = delete;

    // A locked bar draws from its own strips with its own sizes (and is
    // neither customised nor stored); an unlocked one from the shared strips.
    BOOL IsLocked() const { return m_bLocked; }
    void SetLocked(BOOL bLocked) { m_bLocked = bLocked; }
    // The strips the bar draws from now.
    KGPToolBarStrips Strips() const;
    static KGPToolBarStrips SharedStrips();

    // The locked bar's sizes; its strips take the image size.
    void SetOwnSizes(CSize sizeButton, CSize sizeImage);
    // The own sizes in effect follow the large-icons mode; TRUE when they changed.
    BOOL UpdateOwnSizesNow();
    // The button size of the strips drawn from: in effect (large-icons mode
    // counted) or as set.
    CSize ButtonSize(BOOL bInEffect) const;
    // The set becomes locked with copies of the other's normal, cold and
    // disabled strips, the button size given and their image size.
    void CopyFrom(const CKGPToolBarImageSet& source, CSize sizeButton);

    // A size at the large-icons scale.
    static CSize AtLargeScale(CSize size);

    // The first image of the bar's bitmap in the strip it was loaded into.
    int FirstImage() const { return m_nFirstImage; }
    void SetFirstImage(int nFirst) { m_nFirstImage = nFirst; }

private:
    KGPToolBarStrips OwnStrips();

    BOOL m_bLocked = FALSE;
    int m_nFirstImage = 0;
    CKGPToolBarImages m_imgNormal;
    CKGPToolBarImages m_imgCold;
    CKGPToolBarImages m_imgDisabled;
    CKGPToolBarImages m_imgLarge;
    CKGPToolBarImages m_imgLargeCold;
    CKGPToolBarImages m_imgLargeDisabled;
    CKGPToolBarImages m_imgMenu;
    CKGPToolBarImages m_imgMenuDisabled;
    CSize m_sizeButton{23, 22};
    CSize m_sizeImage{16, 15};
    CSize m_sizeButtonNow{23, 22};
    CSize m_sizeImageNow{16, 15};
};
