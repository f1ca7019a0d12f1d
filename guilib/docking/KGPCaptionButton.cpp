#include "guilib/docking/KGPCaptionButton.h"

#include "guilib/core/KGPMenuGlyphs.h"
#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPCaptionLayout.h"

namespace {

constexpr UINT kHitPaneMenu = HTMINBUTTON;  // 8
constexpr UINT kHitPin = HTMAXBUTTON;       // 9
constexpr UINT kHitBack = 23;
constexpr UINT kHitForward = 24;
constexpr UINT kHitPageMenu = 25;

}  // namespace

CRect CKGPCaptionButton::GetRect() const
{
    if (m_bHidden) {
        return CRect(m_ptOrg, CSize(0, 0));
    }
    return CRect(m_ptOrg, GetSize());
}

CSize CKGPCaptionButton::GetSize()
{
    const CSize extra = CKGPVisualManager::GetInstance()->GetCaptionButtonExtraSize();
    const CSize glyph = CKGPMenuGlyphs::GetImageSize();
    return CSize(extra.cx + glyph.cx + 2 * 3, extra.cy + glyph.cy + 2 * 4);
}

void CKGPCaptionButton::DrawThroughManager(CDC* pDC, BOOL bActive, BOOL bHorz, BOOL bMaximized, BOOL bDisabled)
{
    if (m_bHidden) {
        return;
    }
    m_bDrawnHorz = bHorz;
    m_bDrawnMaximized = bMaximized;
    CKGPVisualManager::GetInstance()->DrawCaptionButton(pDC, this, bActive, bHorz, bMaximized, bDisabled, -1);
}

void CKGPCaptionButton::OnDraw(CDC* pDC, BOOL bActive, BOOL /*bHorz*/, BOOL bMaximized, BOOL bDisabled)
{
    DrawThroughManager(pDC, bActive, FALSE, bMaximized, bDisabled || !m_bEnabled);
}

int CKGPCaptionButton::GetIconID(BOOL bHorz, BOOL bMaximized) const
{
    switch (m_nHit) {
    case kHitPaneMenu:
        if (bHorz) {
            return bMaximized ? CKGPMenuGlyphs::kMoreVertical : 1;
        }
        return bMaximized ? CKGPMenuGlyphs::kTabList : CKGPMenuGlyphs::kArrowUp;
    case kHitPin:
        return bMaximized ? CKGPMenuGlyphs::kPinUpright : CKGPMenuGlyphs::kPinLying;
    case HTCLOSE - 1:
    case HTCLOSE:
        return CKGPMenuGlyphs::kClose;
    case kHitBack:
        return CKGPMenuGlyphs::kBack;
    case kHitForward:
        return CKGPMenuGlyphs::kForward;
    case kHitPageMenu:
        return CKGPMenuGlyphs::kTabList;
    default:
        return -1;
    }
}

void CKGPCaptionMenuButton::OnDraw(CDC* pDC, BOOL bActive, BOOL bHorz, BOOL bMaximized, BOOL bDisabled)
{
    DrawThroughManager(pDC, bActive, bHorz, bMaximized, bDisabled);
}

void CKGPCaptionMenuButton::RepaintIn(CWnd* pOwner)
{
    const CRect rect = GetRect();
    pOwner->InvalidateRect(&rect);
    pOwner->SendMessage(WM_NCPAINT);
}

void CKGPCaptionMenuButton::ShowMenu(HMENU hMenu, CWnd* pOwner)
{
    if (hMenu == nullptr || pOwner == nullptr || pOwner->GetSafeHwnd() == nullptr) {
        return;
    }
    // Under the button's right edge where it shows (mirrored with its owner's
    // caption under right-to-left layout).
    const CPoint drop = KGPCaption::ScreenRectFromWindow(pOwner, CRect(m_ptOrg, GetSize())).BottomRight();

    m_bMenuIsShown = TRUE;
    m_bPushed = TRUE;
    RepaintIn(pOwner);

    // The system's menu by default, returning the choice without a command;
    // else the context-menu manager's, right-aligned under the button.
    if (!m_bOSMenu && KGPMenuLinks::HasContextMenuManager())
        m_nMenuResult = static_cast<int>(KGPMenuLinks::TrackContextMenu(hMenu, drop.x, drop.y, pOwner, TRUE));
    else
        m_nMenuResult = ::TrackPopupMenu(hMenu, TPM_NONOTIFY | TPM_RETURNCMD, drop.x, drop.y, 0,
                                         pOwner->GetSafeHwnd(), nullptr);

    m_bMenuIsShown = FALSE;
    m_bPushed = FALSE;
    RepaintIn(pOwner);
}
