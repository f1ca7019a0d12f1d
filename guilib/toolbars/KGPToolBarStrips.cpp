// The toolbars' image strips and sizes: the strips shared by unlocked bars
// and a locked bar's own, filled from bitmap resources (cold images made from
// the normal ones on request), and the large-icons mode that doubles them.
#include "guilib/core/KGPVisualManager.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolBarMath.h"

double CKGPToolBar::s_dLargeScale = 2.0;
BOOL CKGPToolBar::s_bMakeColdImages = FALSE;
int CKGPToolBar::s_nColdImageParam = 0;
std::map<UINT, int> CKGPToolBar::s_mapBitmapFirstImage;

namespace {

// The background of toolbar bitmaps, shown as transparent (as the layer's
// plain toolbar takes it).
constexpr COLORREF kBitmapBackground = RGB(192, 192, 192);

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

CKGPToolBar::StripRefs CKGPToolBar::SharedStrips()
{
    return {&s_imgNormal,     &s_imgCold,         &s_imgDisabled,          &s_imgLarge,
            &s_imgLargeCold,  &s_imgLargeDisabled, &s_imgMenu,             &s_imgMenuDisabled};
}

CKGPToolBar::StripRefs CKGPToolBar::Strips() const
{
    if (!m_bLockedBar)
        return SharedStrips();
    auto* self = const_cast<CKGPToolBar*>(this);
    return {&self->m_imgOwnNormal,    &self->m_imgOwnCold,          &self->m_imgOwnDisabled,
            &self->m_imgOwnLarge,     &self->m_imgOwnLargeCold,     &self->m_imgOwnLargeDisabled,
            &self->m_imgOwnMenu,      &self->m_imgOwnMenuDisabled};
}

// The image size goes to the plain strips, and at the large scale to the large ones.
void CKGPToolBar::SetStripSizes(const StripRefs& strips, CSize image)
{
    for (CKGPToolBarImages* strip : {strips.normal, strips.cold, strips.disabled, strips.menu, strips.menuDisabled})
        strip->SetImageSize(image);
    for (CKGPToolBarImages* strip : {strips.large, strips.largeCold, strips.largeDisabled})
        strip->SetImageSize(Scaled(image));
}

void CKGPToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    s_sizeButton = sizeButton;
    s_sizeImage = sizeImage;
    s_sizeButtonNow = s_bLargeIconMode ? Scaled(sizeButton) : CSize(sizeButton);
    s_sizeImageNow = s_bLargeIconMode ? Scaled(sizeImage) : CSize(sizeImage);
    SetStripSizes(SharedStrips(), sizeImage);
    if (s_pUserImageStrip != nullptr)
        s_pUserImageStrip->SetImageSize(sizeImage);
}

void CKGPToolBar::CopyImagesFrom(const CKGPToolBar& source)
{
    const StripRefs from = source.Strips();
    m_bLockedBar = TRUE;
    SetLockedSizes(source.GetCurrentButtonSize(), from.normal->GetImageSize());
    from.normal->CopyTo(m_imgOwnNormal);
    from.cold->CopyTo(m_imgOwnCold);
    from.disabled->CopyTo(m_imgOwnDisabled);
}

void CKGPToolBar::SetLockedSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeOwnButton = sizeButton;
    m_sizeOwnImage = sizeImage;
    UpdateOwnSizesNow();
    SetStripSizes({&m_imgOwnNormal, &m_imgOwnCold, &m_imgOwnDisabled, &m_imgOwnLarge, &m_imgOwnLargeCold,
                   &m_imgOwnLargeDisabled, &m_imgOwnMenu, &m_imgOwnMenuDisabled},
                  sizeImage);
}

// A locked bar's sizes in effect follow the large-icons mode; TRUE when they changed.
BOOL CKGPToolBar::UpdateOwnSizesNow()
{
    const CSize button = s_bLargeIconMode ? Scaled(m_sizeOwnButton) : m_sizeOwnButton;
    const CSize image = s_bLargeIconMode ? Scaled(m_sizeOwnImage) : m_sizeOwnImage;
    if (button == m_sizeOwnButtonNow && image == m_sizeOwnImageNow)
        return FALSE;
    m_sizeOwnButtonNow = button;
    m_sizeOwnImageNow = image;
    return TRUE;
}

CSize CKGPToolBar::GetCurrentButtonSize() const
{
    CSize button;
    if (m_bLockedBar)
        button = m_bFollowLargeIcons ? m_sizeOwnButtonNow : m_sizeOwnButton;
    else
        button = m_bFollowLargeIcons ? s_sizeButtonNow : s_sizeButton;
    if (WantsExtraButtonSize())
        button += CKGPVisualManager::GetInstance()->GetExtraButtonSize();
    return button;
}

void CKGPToolBar::SetLargeIcons(BOOL bLargeIcons)
{
    s_bLargeIconMode = bLargeIcons;
    s_sizeButtonNow = bLargeIcons ? Scaled(s_sizeButton) : s_sizeButton;
    s_sizeImageNow = bLargeIcons ? Scaled(s_sizeImage) : s_sizeImage;
    for (POSITION pos = s_lstAllBars.GetHeadPosition(); pos != nullptr;) {
        auto* bar = static_cast<CKGPToolBar*>(s_lstAllBars.GetNext(pos));
        if (bar->m_bLockedBar)
            bar->UpdateOwnSizesNow();
        bar->AdjustLayout();
    }
}

void CKGPToolBar::ResetAllImages()
{
    const StripRefs strips = SharedStrips();
    for (CKGPToolBarImages* strip : {strips.normal, strips.cold, strips.disabled, strips.large, strips.largeCold,
                                     strips.largeDisabled, strips.menu, strips.menuDisabled})
        strip->Clear();
    s_mapBitmapFirstImage.clear();
}

// Unlocked bars append their bitmaps to the shared strips (once per bitmap);
// a locked bar fills its own.
BOOL CKGPToolBar::LoadBitmapSet(const BitmapIds& ids, BOOL bLocked)
{
    m_bLockedBar = bLocked;
    const BOOL add = !m_bLockedBar;
    if (add) {
        const auto known = s_mapBitmapFirstImage.find(ids.normal);
        if (known != s_mapBitmapFirstImage.end()) {
            m_nFirstImage = known->second;
            return TRUE;
        }
    }
    const StripRefs strips = Strips();
    for (CKGPToolBarImages* strip : {strips.normal, strips.cold, strips.disabled, strips.large, strips.largeCold,
                                     strips.largeDisabled, strips.menu, strips.menuDisabled})
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
    m_nFirstImage = first;
    if (add)
        s_mapBitmapFirstImage[ids.normal] = first;
    return TRUE;
}

// Large-icons mode draws from the large strips when they hold images; an
// image missing from the cold or disabled strip is drawn from the normal one.
CKGPToolBarImages* CKGPToolBar::StripFor(const CKGPToolbarButton& button, BOOL bHighlighted)
{
    const StripRefs strips = Strips();
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
