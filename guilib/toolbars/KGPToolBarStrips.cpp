// The toolbars' image strips and sizes: the strips shared by unlocked bars
// and a locked bar's own, filled from bitmap resources (cold images made from
// the normal ones on request), and the large-icons mode that doubles them.
#include "guilib/core/KGPVisualManager.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolBarMath.h"

CSize CKGPToolBar::s_sizeButton(23, 22);
CSize CKGPToolBar::s_sizeImage(16, 15);
double CKGPToolBar::s_dLargeScale = 2.0;
BOOL CKGPToolBar::s_bMakeColdImages = FALSE;
int CKGPToolBar::s_nColdImageParam = 0;
CKGPToolBar::StripSet CKGPToolBar::s_sharedStrips;
std::map<UINT, int> CKGPToolBar::s_mapBitmapFirstImage;

namespace {

CSize Scaled(CSize size) { return {kgp::ScaleToLarge(size.cx, CKGPToolBar::s_dLargeScale), kgp::ScaleToLarge(size.cy, CKGPToolBar::s_dLargeScale)}; }

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

void CKGPToolBar::StripSet::SetImageSize(CSize size)
{
    for (CKGPToolBarImages* strip : {&normal, &cold, &disabled, &menu, &menuDisabled})
        strip->SetImageSize(size);
    for (CKGPToolBarImages* strip : {&large, &largeCold, &largeDisabled})
        strip->SetImageSize(Scaled(size));
}

void CKGPToolBar::StripSet::Clear()
{
    for (CKGPToolBarImages* strip : {&normal, &cold, &disabled, &large, &largeCold, &largeDisabled, &menu, &menuDisabled})
        strip->Clear();
}

void CKGPToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    s_sizeButton = sizeButton;
    s_sizeImage = sizeImage;
    s_sharedStrips.SetImageSize(sizeImage);
}

void CKGPToolBar::SetLockedSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeLockedButton = sizeButton;
    m_ownStrips.SetImageSize(sizeImage);
}

CSize CKGPToolBar::GetCurrentButtonSize() const
{
    CSize button = m_bLocked ? m_sizeLockedButton : s_sizeButton;
    if (s_bLargeIconMode && m_bFollowLargeIcons)
        button = Scaled(button);
    return button + CKGPVisualManager::GetInstance()->GetExtraButtonSize();
}

void CKGPToolBar::SetLargeIcons(BOOL bLargeIcons)
{
    s_bLargeIconMode = bLargeIcons;
    for (POSITION pos = s_lstAllBars.GetHeadPosition(); pos != nullptr;)
        static_cast<CKGPToolBar*>(s_lstAllBars.GetNext(pos))->AdjustLayout();
}

void CKGPToolBar::ResetAllImages()
{
    s_sharedStrips.Clear();
    s_mapBitmapFirstImage.clear();
}

// Unlocked bars append their bitmaps to the shared strips (once per bitmap);
// a locked bar fills its own.
BOOL CKGPToolBar::LoadBitmapSet(const BitmapIds& ids, BOOL bLocked)
{
    m_bLocked = bLocked;
    const BOOL add = !m_bLocked;
    if (add) {
        const auto known = s_mapBitmapFirstImage.find(ids.normal);
        if (known != s_mapBitmapFirstImage.end()) {
            m_nFirstImage = known->second;
            return TRUE;
        }
    }
    StripSet& strips = Strips();
    const int first = add ? strips.normal.GetCount() : 0;
    if (!strips.normal.Load(ids.normal, nullptr, add))
        return FALSE;
    if (ids.cold != 0) {
        if (!strips.cold.Load(ids.cold, nullptr, add))
            return FALSE;
    } else if (s_bMakeColdImages) {
        if (!add)
            strips.cold.Clear();
        AppendColdImages(strips.normal, first, s_nColdImageParam, strips.cold);  // optional: may stay short
    }
    const std::pair<UINT, CKGPToolBarImages*> others[] = {
        {ids.disabled, &strips.disabled}, {ids.large, &strips.large},
        {ids.largeCold, &strips.largeCold}, {ids.largeDisabled, &strips.largeDisabled},
        {ids.menu, &strips.menu},         {ids.menuDisabled, &strips.menuDisabled}};
    for (const auto& [id, strip] : others) {
        if (id != 0 && !strip->Load(id, nullptr, add))
            return FALSE;
    }
    m_nFirstImage = first;
    if (add)
        s_mapBitmapFirstImage[ids.normal] = first;
    return TRUE;
}

// Large-icons mode draws from the large strips when they hold images; an
// image missing from the cold or disabled strip is drawn from the normal one.
CKGPToolBarImages* CKGPToolBar::StripFor(const CKGPToolbarButton& button, BOOL bHighlighted)
{
    StripSet& strips = Strips();
    const BOOL large = s_bLargeIconMode && m_bFollowLargeIcons && !strips.large.IsEmpty();
    CKGPToolBarImages& normal = large ? strips.large : strips.normal;
    CKGPToolBarImages& cold = large ? strips.largeCold : strips.cold;
    CKGPToolBarImages& disabled = large ? strips.largeDisabled : strips.disabled;
    const int image = button.GetImage();
    if ((button.m_nBits & TBBS_DISABLED) != 0 && !s_bCustomizing && image < disabled.GetCount())
        return &disabled;
    if (!bHighlighted && image < cold.GetCount())
        return &cold;
    return &normal;
}
