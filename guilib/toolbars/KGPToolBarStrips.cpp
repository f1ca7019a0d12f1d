// The toolbars' image strips and sizes: the strips shared by unlocked bars
// and a locked bar's own, filled from bitmap resources (cold images made from
// the normal ones on request), and the large-icons mode that doubles them.
#include "guilib/core/KGPVisualManager.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolBarMath.h"

#include <map>

double CKGPToolBar::s_dLargeScale = 2.0;
BOOL CKGPToolBar::s_bMakeColdImages = FALSE;
int CKGPToolBar::s_nColdImageParam = 0;

namespace {

// First image index of each normal bitmap loaded into the shared strips.
std::map<UINT, int> s_mapBitmapFirstImage;

// The background of toolbar bitmaps, shown as transparent (as the layer's
// plain toolbar takes it).
constexpr COLORREF kBitmapBackground = RGB(192, 192, 192);

// Appends pale copies of the normal images from `first` on to the cold strip,
// so that the cold images keep the indexes of the normal ones.
BOOL AppendColdImages(const CKGPToolBarImages& normal, int first, int nPercent, CKGPToolBarImages& cold)
{
    if (cold.GetCount() != first)
        return FALSE;
    CKGPToolBarImages pale;
    if (!normal.CopyTo(pale) || !pale.MakePale(nPercent))
        return FALSE;
    for (int i = first; i < pale.GetCount(); ++i) {
        CBitmap image;
        if (!image.Attach(pale.ExtractImage(i)) || cold.AddImage(image) < 0)
            return FALSE;
    }
    return TRUE;
}

}  // namespace

void CKGPToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    s_sizeButton = sizeButton;
    s_sizeImage = sizeImage;
    s_sizeButtonNow = s_bLargeIconMode ? CKGPToolBarImageSet::AtLargeScale(sizeButton) : CSize(sizeButton);
    s_sizeImageNow = s_bLargeIconMode ? CKGPToolBarImageSet::AtLargeScale(sizeImage) : CSize(sizeImage);
    CKGPToolBarImageSet::SharedStrips().SetImageSize(sizeImage);
    if (s_pUserImageStrip != nullptr)
        s_pUserImageStrip->SetImageSize(sizeImage);
}

void CKGPToolBar::CopyImagesFrom(const CKGPToolBar& source)
{
    m_images.CopyFrom(source.m_images, source.GetCurrentButtonSize());
}

void CKGPToolBar::SetLockedSizes(SIZE sizeButton, SIZE sizeImage) { m_images.SetOwnSizes(sizeButton, sizeImage); }

CSize CKGPToolBar::GetCurrentButtonSize() const
{
    CSize button = m_images.ButtonSize(m_bFollowLargeIcons);
    if (WantsExtraButtonSize())
        button += CKGPVisualManager::GetInstance()->GetExtraButtonSize();
    return button;
}

void CKGPToolBar::SetLargeIcons(BOOL bLargeIcons)
{
    s_bLargeIconMode = bLargeIcons;
    s_sizeButtonNow = bLargeIcons ? CKGPToolBarImageSet::AtLargeScale(s_sizeButton) : s_sizeButton;
    s_sizeImageNow = bLargeIcons ? CKGPToolBarImageSet::AtLargeScale(s_sizeImage) : s_sizeImage;
    for (POSITION pos = s_lstAllBars.GetHeadPosition(); pos != nullptr;) {
        auto* bar = static_cast<CKGPToolBar*>(s_lstAllBars.GetNext(pos));
        if (bar->IsLocked())
            bar->m_images.UpdateOwnSizesNow();
        bar->AdjustLayout();
    }
}

void CKGPToolBar::ResetAllImages()
{
    for (CKGPToolBarImages* strip : CKGPToolBarImageSet::SharedStrips().All())
        strip->Clear();
    s_mapBitmapFirstImage.clear();
}

// Unlocked bars append their bitmaps to the shared strips (once per bitmap);
// a locked bar fills its own.
BOOL CKGPToolBar::LoadBitmapSet(const BitmapIds& ids, BOOL bLocked)
{
    m_images.SetLocked(bLocked);
    const BOOL add = !bLocked;
    if (add) {
        const auto known = s_mapBitmapFirstImage.find(ids.normal);
        if (known != s_mapBitmapFirstImage.end()) {
            m_images.SetFirstImage(known->second);
            return TRUE;
        }
    }
    const KGPToolBarStrips strips = Strips();
    for (CKGPToolBarImages* strip : strips.All())
        strip->SetTransparentColor(kBitmapBackground);
    const int first = add ? strips.normal->GetCount() : 0;
    if (!strips.normal->Load(ids.normal, nullptr, add))
        return FALSE;
    if (ids.cold != 0) {
        if (!strips.cold->Load(ids.cold, nullptr, add))
            return FALSE;
    } else if (s_bMakeColdImages) {
        if (!add)
            strips.cold->Clear();
        AppendColdImages(*strips.normal, first, s_nColdImageParam, *strips.cold);  // optional: may stay short
    }
    const std::pair<UINT, CKGPToolBarImages*> others[] = {
        {ids.disabled, strips.disabled}, {ids.large, strips.large},
        {ids.largeCold, strips.largeCold}, {ids.largeDisabled, strips.largeDisabled},
        {ids.menu, strips.menu},         {ids.menuDisabled, strips.menuDisabled}};
    for (const auto& [id, strip] : others) {
        if (id != 0 && !strip->Load(id, nullptr, add))
            return FALSE;
    }
    m_images.SetFirstImage(first);
    if (add)
        s_mapBitmapFirstImage[ids.normal] = first;
    return TRUE;
}

// Large-icons mode draws from the large strips when they hold images; an
// image missing from the cold or disabled strip is drawn from the normal one.
CKGPToolBarImages* CKGPToolBar::StripFor(const CKGPToolbarButton& button, BOOL bHighlighted)
{
    const KGPToolBarStrips strips = Strips();
    const BOOL large = s_bLargeIconMode && m_bFollowLargeIcons && !strips.large->IsEmpty();
    CKGPToolBarImages& normal = large ? *strips.large : *strips.normal;
    CKGPToolBarImages& cold = large ? *strips.largeCold : *strips.cold;
    CKGPToolBarImages& disabled = large ? *strips.largeDisabled : *strips.disabled;
    const int image = button.GetImage();
    if ((button.m_nBits & TBBS_DISABLED) != 0 && !s_bCustomizing && image < disabled.GetCount())
        return &disabled;
    if (!bHighlighted && image < cold.GetCount())
        return &cold;
    return &normal;
}
