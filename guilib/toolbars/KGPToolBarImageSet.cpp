#include "guilib/toolbars/KGPToolBarImageSet.h"

#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolBarMath.h"

CSize CKGPToolBarImageSet::AtLargeScale(CSize size)
{
    return {kgp::ScaleToLarge(size.cx, CKGPToolBar::s_dLargeScale),
            kgp::ScaleToLarge(size.cy, CKGPToolBar::s_dLargeScale)};
}

void KGPToolBarStrips::SetImageSize(CSize image) const
{
    for (CKGPToolBarImages* strip : {normal, cold, disabled, menu, menuDisabled})
        strip->SetImageSize(image);
    for (CKGPToolBarImages* strip : {large, largeCold, largeDisabled})
        strip->SetImageSize(CKGPToolBarImageSet::AtLargeScale(image));
}

KGPToolBarStrips CKGPToolBarImageSet::SharedStrips()
{
    using Shared = CKGPToolBarShared;
    return {&Shared::s_imgNormal,     &Shared::s_imgCold,          &Shared::s_imgDisabled,
            &Shared::s_imgLarge,      &Shared::s_imgLargeCold,     &Shared::s_imgLargeDisabled,
            &Shared::s_imgMenu,       &Shared::s_imgMenuDisabled};
}

KGPToolBarStrips CKGPToolBarImageSet::OwnStrips()
{
    return {&m_imgNormal, &m_imgCold,          &m_imgDisabled, &m_imgLarge,
            &m_imgLargeCold, &m_imgLargeDisabled, &m_imgMenu,     &m_imgMenuDisabled};
}

KGPToolBarStrips CKGPToolBarImageSet::Strips() const
{
    return m_bLocked ? const_cast<CKGPToolBarImageSet*>(this)->OwnStrips() : SharedStrips();
}

void CKGPToolBarImageSet::SetOwnSizes(CSize sizeButton, CSize sizeImage)
{
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    UpdateOwnSizesNow();
    OwnStrips().SetImageSize(sizeImage);
}

BOOL CKGPToolBarImageSet::UpdateOwnSizesNow()
{
    const BOOL large = CKGPToolBarShared::s_bLargeIconMode;
    const CSize button = large ? AtLargeScale(m_sizeButton) : m_sizeButton;
    const CSize image = large ? AtLargeScale(m_sizeImage) : m_sizeImage;
    if (button == m_sizeButtonNow && image == m_sizeImageNow)
        return FALSE;
    m_sizeButtonNow = button;
    m_sizeImageNow = image;
    return TRUE;
}

CSize CKGPToolBarImageSet::ButtonSize(BOOL bInEffect) const
{
    if (m_bLocked)
        return bInEffect ? m_sizeButtonNow : m_sizeButton;
    return bInEffect ? CKGPToolBarShared::s_sizeButtonNow : CKGPToolBarShared::s_sizeButton;
}

void CKGPToolBarImageSet::CopyFrom(const CKGPToolBarImageSet& source, CSize sizeButton)
{
    const KGPToolBarStrips from = source.Strips();
    m_bLocked = TRUE;
    SetOwnSizes(sizeButton, from.normal->GetImageSize());
    from.normal->CopyTo(m_imgNormal);
    from.cold->CopyTo(m_imgCold);
    from.disabled->CopyTo(m_imgDisabled);
}
