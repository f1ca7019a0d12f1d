// How a menu button measures and paints itself: on a bar, a toolbar button
// with a drop-down arrow; in a popup, a menu item (image column, text, the
// shortcut after a tab, a sub-menu arrow). The show-all item at the end of a
// popup draws the visual manager's glyph.
#include "guilib/toolbars/KGPToolbarMenuButton.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPLocalResource.h"
#include "guilib/core/KGPMenuGlyphs.h"
#include "guilib/core/KGPToolBarImages.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/toolbars/KGPButtonRules.h"
#include "guilib/toolbars/KGPKeyHelper.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolBarShared.h"
#include "guilib/toolbars/KGPToolbarLinks.h"

namespace {

constexpr UINT kSubMenu = static_cast<UINT>(-1);
constexpr UINT kShowAllTipId = 16025;
constexpr int kMenuItemGap = 6;

int ArrowGlyphWidth()
{
    return CKGPMenuGlyphs::GetWidth() * (CKGPToolBarShared::s_bLargeIconMode ? 2 : 1);
}

// The check mark or radio dot of an item without an image, in the colour given.
void DrawMark(CDC* pDC, const CRect& rect, BOOL bRadio, COLORREF colour)
{
    const CPoint centre = rect.CenterPoint();
    CPen pen(PS_SOLID, 1, colour);
    CBrush brush(colour);
    const CSelectionScope selectedPen(*pDC, pen);
    const CSelectionScope selectedBrush(*pDC, brush);
    if (bRadio) {
        pDC->Ellipse(centre.x - 3, centre.y - 3, centre.x + 3, centre.y + 3);
        return;
    }
    for (int line = 0; line < 3; ++line) {
        pDC->MoveTo(centre.x - 3, centre.y - 1 + line);
        pDC->LineTo(centre.x - 1, centre.y + 1 + line);
        pDC->LineTo(centre.x + 4, centre.y - 4 + line);
    }
}

} // namespace

SIZE CKGPToolbarMenuButton::MeasureOnBar(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    m_bHorz = bHorz;
    if (!m_bShown)
        return CSize(0, 0);

    int arrow = 0;
    if (m_bDrawDownArrow || m_bMenuMode)
        arrow = (m_bMenuMode ? GetKGPGlobalData().GetTextHeight(bHorz) : ArrowGlyphWidth()) - 2;
    if (m_bMenuMode && HasRealCommand() && !kgp::IsSystemCommand(m_nCommand) &&
        CKGPLink<IKGPKeyboardLink>::Get() != nullptr)
        ShowShortcutInCaption();

    CSize size = CKGPToolbarButton::MeasureOnBar(pDC, sizeDefault, bHorz);
    if (m_bMenuMode) {
        if (const auto* bar = DYNAMIC_DOWNCAST(CKGPToolBar, m_pOwnerWnd))
            size.cy = bar->RowHeight();
    }
    (bHorz ? size.cx : size.cy) += arrow;
    if (m_bMenuMode)
        size.cx += kMenuItemGap + sizeDefault.cx;
    else if (arrow > 0)
        (bHorz ? size.cx : size.cy) += 2 * CKGPVisualManager::GetInstance()->GetMenuImageMargin();
    return size;
}

// The caption of a menu item ends with the shortcut of its command in the
// accelerators of the frame that owns the menu (else the top frame's).
void CKGPToolbarMenuButton::ShowShortcutInCaption()
{
    CString keys;
    CFrameWnd* frame = m_pOwnerWnd != nullptr ? m_pOwnerWnd->GetParentFrame() : nullptr;
    BOOL found = KGPToolbarLinks::GetCommandShortcutText(m_nCommand, keys, frame);
    if (!found) {
        CWnd* main = AfxGetMainWnd();
        CFrameWnd* top = m_pOwnerWnd != nullptr ? m_pOwnerWnd->GetTopLevelFrame()
                                                : (main != nullptr ? main->AsFrameWnd() : nullptr);
        found = top != nullptr && top != frame && KGPToolbarLinks::GetCommandShortcutText(m_nCommand, keys, top);
    }
    m_strCaption = kgp::TextWithShortcut(std::wstring(m_strCaption.GetString()),
                                         found ? std::wstring(keys.GetString()) : std::wstring())
                       .c_str();
}

void CKGPToolbarMenuButton::OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages, BOOL bHorz,
                                   BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                   BOOL bGrayDisabledButtons)
{
    if (m_bMenuMode) {
        DrawMenuItem(pDC, rect, pImages, bCustomizeMode, bHighlight, bGrayDisabledButtons);
        return;
    }

    CKGPVisualManager* manager = CKGPVisualManager::GetInstance();
    CRect rectFace = rect;
    m_rectArrow.SetRectEmpty();
    m_rectButton = rect;
    if (m_bDrawDownArrow) {
        const int margin = manager->GetMenuImageMargin();
        const int width = ArrowGlyphWidth();
        if (bHorz) {
            m_rectArrow.SetRect(rect.right - width - 2 * margin, rect.top, rect.right, rect.bottom);
            rectFace.right = m_rectArrow.left;
        } else {
            m_rectArrow.SetRect(rect.left, rect.bottom - width - 2 * margin, rect.right, rect.bottom);
            rectFace.bottom = m_rectArrow.top;
        }
        m_rectButton = rectFace;
    }

    // While its popup is open the button looks pressed, without a check mark.
    const UINT savedBits = m_nBits;
    if (m_pPopupMenu != nullptr)
        m_nBits = (m_nBits | TBBS_PRESSED) & ~TBBS_CHECKED;
    CKGPToolbarButton::OnDraw(pDC, rectFace, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                              bGrayDisabledButtons);
    if (m_bDrawDownArrow) {
        const int state = kgp::ButtonState(m_nBits, bHighlight != FALSE);
        if (!bCustomizeMode && bDrawBorder && state != KGP_BUTTON_NORMAL) {
            manager->FillButtonFace(pDC, this, m_rectArrow, state);
            manager->DrawButtonBorder(pDC, this, m_rectArrow, state);
        }
        const BOOL disabled = (m_nBits & TBBS_DISABLED) != 0 && bGrayDisabledButtons;
        CKGPMenuGlyphs::Draw(pDC, CKGPMenuGlyphs::kArrowDown, m_rectArrow,
                             disabled ? CKGPMenuGlyphs::kGray : CKGPMenuGlyphs::kBlack);
    }
    m_nBits = savedBits;
}

void CKGPToolbarMenuButton::DrawMenuItemImage(CDC* pDC, const CRect& rectImage, CKGPToolBarImages* pImages,
                                              BOOL bHighlight, BOOL bDisabled)
{
    CKGPVisualManager* manager = CKGPVisualManager::GetInstance();
    const BOOL checked = (m_nBits & TBBS_CHECKED) != 0 || m_bIsRadio;
    const BOOL hasImage = pImages != nullptr && GetImage() >= 0 && GetImage() < pImages->GetCount();
    if (checked)
        manager->DrawMenuCheckFrame(pDC, rectImage);
    if (KGPToolbarLinks::DrawToolIcon(pDC, rectImage, m_nCommand))
        return;  // a user tool shows its program's icon
    if (hasImage) {
        const CSize size = pImages->GetImageSize();
        const int x = rectImage.left + (rectImage.Width() - size.cx) / 2;
        const int y = rectImage.top + (rectImage.Height() - size.cy) / 2;
        pImages->DrawImage(pDC, x, y, GetImage(), FALSE, bDisabled);
    } else if (checked) {
        const COLORREF colour =
            bDisabled ? GetKGPGlobalData().clrGrayText : manager->GetButtonTextColor(this, bHighlight ? 2 : 0);
        DrawMark(pDC, rectImage, m_bIsRadio, colour);
    }
}

void CKGPToolbarMenuButton::DrawMenuItem(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages,
                                         BOOL bCustomizeMode, BOOL bHighlight, BOOL bGrayDisabledButtons)
{
    CKGPVisualManager* manager = CKGPVisualManager::GetInstance();
    const CKGPGlobalData& global = GetKGPGlobalData();
    const BOOL disabled = (m_nBits & TBBS_DISABLED) != 0 && bGrayDisabledButtons;
    const int margin = manager->GetMenuImageMargin();
    const int imageWidth = pImages != nullptr ? pImages->GetImageSize().cx : CKGPToolBarShared::GetMenuImageSize().cx;

    if (bHighlight || m_pPopupMenu != nullptr) {
        manager->FillButtonFace(pDC, this, rect, KGP_BUTTON_HIGHLIGHTED);
        manager->DrawButtonBorder(pDC, this, rect, KGP_BUTTON_HIGHLIGHTED);
    }
    CRect rectImage(rect.left, rect.top, rect.left + imageWidth + 2 * margin, rect.bottom);
    DrawMenuItemImage(pDC, rectImage, pImages, bHighlight, disabled);

    CString text = m_strCaption;
    CString shortcut;
    const int tab = text.Find(L'\t');
    if (tab >= 0) {
        shortcut = text.Mid(tab + 1);
        text = text.Left(tab);
    }
    const int arrow = global.GetTextHeight(TRUE) - 2;
    CRect rectText = rect;
    rectText.left = rectImage.right + kMenuItemGap;
    rectText.right -= arrow;

    CFont* font = CFont::FromHandle(m_bDefault ? global.GetBoldMenuFont() : global.GetMenuFont());
    CFont* oldFont = font != nullptr && font->GetSafeHandle() != nullptr ? pDC->SelectObject(font) : nullptr;
    const COLORREF colour =
        disabled ? global.clrGrayText : manager->GetButtonTextColor(this, bHighlight && !bCustomizeMode ? 2 : 0);
    const COLORREF oldColour = pDC->SetTextColor(colour);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    if (!shortcut.IsEmpty()) {
        pDC->DrawText(shortcut, rectText, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
        rectText.right -= pDC->GetTextExtent(shortcut, shortcut.GetLength()).cx + kMenuItemGap;
    }
    pDC->DrawText(text, rectText, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldColour);
    if (oldFont != nullptr)
        pDC->SelectObject(oldFont);

    if (m_nCommand == kSubMenu || !m_listCommands.IsEmpty() || m_bDrawDownArrow) {
        CRect rectArrow(rect.right - arrow, rect.top, rect.right, rect.bottom);
        manager->DrawCustomizeListSubMenuArrow(pDC, rectArrow);
    }
}

int CKGPToolbarMenuButton::DrawInCommandList(CDC* pDC, const CRect& rect, BOOL bSelected)
{
    const int width = CKGPToolbarButton::DrawInCommandList(pDC, rect, bSelected);
    if (m_listCommands.IsEmpty())
        return width;
    const int arrow = CKGPMenuGlyphs::GetWidth() + 4;
    CKGPVisualManager::GetInstance()->DrawCustomizeListSubMenuArrow(
        pDC, CRect(rect.right - arrow, rect.top, rect.right, rect.bottom));
    return width + arrow;
}

// ---- The show-all item ----

IMPLEMENT_DYNCREATE(CKGPShowAllButton, CKGPToolbarMenuButton)

BOOL CKGPShowAllButton::s_bShowAllOnDelay = TRUE;

SIZE CKGPShowAllButton::MeasureOnBar(CDC*, const CSize&, BOOL)
{
    return CSize(50, CKGPVisualManager::GetInstance()->GetShowAllMenuItemsHeight());
}

void CKGPShowAllButton::OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages*, BOOL, BOOL, BOOL bHighlight, BOOL,
                               BOOL)
{
    CKGPVisualManager* manager = CKGPVisualManager::GetInstance();
    CRect inside = rect;
    inside.DeflateRect(1, 1);
    const BOOL pressed = (m_nBits & (TBBS_PRESSED | TBBS_CHECKED)) != 0;
    const int state = bHighlight ? KGP_BUTTON_HIGHLIGHTED : pressed ? KGP_BUTTON_PRESSED : KGP_BUTTON_NORMAL;
    manager->FillButtonFace(pDC, this, inside, state);
    manager->DrawShowAllMenuItems(pDC, inside, state);
    if (pressed)
        manager->DrawButtonBorder(pDC, this, inside, KGP_BUTTON_PRESSED);
    else if (bHighlight)
        manager->DrawButtonBorder(pDC, this, inside, KGP_BUTTON_HIGHLIGHTED);
}

BOOL CKGPShowAllButton::HandleClick(CWnd*, BOOL bDelay)
{
    IKGPMenuPopup* popup = KGPMenuButtonLinks::GetPopupOfBar(m_pOwnerWnd);
    if (popup == nullptr)
        return FALSE;
    if (!bDelay) {
        popup->ShowAllCommands();
        return TRUE;
    }
    if (s_bShowAllOnDelay)
        KGPMenuButtonLinks::Bars()->StartPopupMenuTimer(m_pOwnerWnd, this, 2);
    return TRUE;
}

BOOL CKGPShowAllButton::OpenPopupMenu(CWnd* pWnd)
{
    return HandleClick(pWnd, FALSE);
}

CString CKGPShowAllButton::GetToolTipText()
{
    ACCEL key = {FVIRTKEY | FCONTROL, VK_DOWN, 0};
    CString keyText;
    CKGPKeyHelper(&key).Format(keyText);
    CString format;
    {
        CKGPLocalResource library;
        format.LoadString(kShowAllTipId);
    }
    if (format.IsEmpty())
        format = L"Show all items (%s)";
    CString text;
    text.Format(format, keyText.GetString());
    return text;
}
