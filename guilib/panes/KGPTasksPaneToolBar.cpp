#include "guilib/panes/KGPTasksPaneToolBar.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPLibraryResources.h"
#include "guilib/core/KGPLocalResource.h"
#include "guilib/core/KGPMenuGlyphs.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/panes/KGPTasksPane.h"
#include "guilib/toolbars/KGPToolCmdUI.h"

#include <algorithm>

IMPLEMENT_SERIAL(CTasksPaneNavigateButton, CKGPToolbarButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CTasksPaneHistoryButton, CKGPToolbarMenuButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CTasksPaneMenuButton, CKGPToolbarMenuButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CTasksPaneToolBar, CKGPToolBar, VERSIONABLE_SCHEMA | 1)

namespace {

// The pages button is at least this many times as wide as it is high.
constexpr int kMenuButtonWidthFactor = 3;
// The width of a history button's drop-down part.
constexpr int kArrowPart = 10;

}  // namespace

// ---- Buttons.

int KGPTasksPaneGlyph(UINT uiCmdId)
{
    switch (uiCmdId) {
    case KGP_TASKS_PANE_BACK:
        return CKGPMenuGlyphs::kBack;
    case KGP_TASKS_PANE_FORWARD:
        return CKGPMenuGlyphs::kForward;
    case KGP_TASKS_PANE_HOME:
        return CKGPMenuGlyphs::kFirst;
    case KGP_TASKS_PANE_CLOSE:
        return CKGPMenuGlyphs::kClose;
    default:
        return -1;
    }
}

void KGPDrawTasksPaneGlyph(CDC* pDC, const CRect& rect, const CKGPToolBarImages* pImages, const CKGPToolbarButton& button)
{
    const int glyph = KGPTasksPaneGlyph(button.m_nCommand);
    if (glyph < 0 || (pImages != nullptr && button.GetImage() >= 0 && button.GetImage() < pImages->GetCount()))
        return;
    const BOOL bDisabled = (button.m_nBits & TBBS_DISABLED) != 0;
    CRect glyphRect = rect;
    if (const auto* pMenu = dynamic_cast<const CKGPToolbarMenuButton*>(&button); pMenu != nullptr && pMenu->m_bDrawDownArrow)
        glyphRect.right -= kArrowPart; // the drop-down part keeps its arrow
    CKGPMenuGlyphs::Draw(pDC, glyph, glyphRect, bDisabled ? CKGPMenuGlyphs::kGray : CKGPMenuGlyphs::kBlack);
}

void CTasksPaneNavigateButton::OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages, BOOL bHorz,
                                      BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons)
{
    CKGPToolbarButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder, bGrayDisabledButtons);
    KGPDrawTasksPaneGlyph(pDC, rect, pImages, *this);
}

void CTasksPaneHistoryButton::OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages, BOOL bHorz,
                                     BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons)
{
    CKGPToolbarMenuButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                  bGrayDisabledButtons);
    KGPDrawTasksPaneGlyph(pDC, rect, pImages, *this);
}

CTasksPaneHistoryButton::CTasksPaneHistoryButton(UINT uiCmdId, int iImage, LPCTSTR lpszText, CWnd* pParentBar)
    : CKGPToolbarMenuButton(uiCmdId, nullptr, iImage, lpszText), m_pParentBar(pParentBar)
{
    m_lstPages.SetSize(0, 10);
    m_bShowCaption = FALSE;
    m_bDrawDownArrow = TRUE;
}

HMENU CTasksPaneHistoryButton::CreateMenu() const
{
    if (m_lstPages.IsEmpty())
        return nullptr;
    CMenuHandle menu(::CreatePopupMenu());
    if (!menu)
        return nullptr;
    for (INT_PTR i = 0; i < m_lstPages.GetSize(); ++i) {
        CString text = m_lstPages[i];
        text.Replace(_T("&"), _T("&&"));
        ::AppendMenuW(menu.Get(), MF_STRING, m_nCommand, text);
    }
    return menu.Detach();
}

CTasksPaneMenuButton::CTasksPaneMenuButton(const CKGPTasksPane* pPane, LPCTSTR lpszText)
    : CKGPToolbarMenuButton(0, nullptr, -1, lpszText), m_pPane(pPane)
{
    m_bShowCaption = TRUE;
    m_bShowImage = FALSE;
    SetMenuOnly(TRUE);
}

HMENU CTasksPaneMenuButton::CreateMenu() const
{
    if (m_pPane == nullptr || m_pPane->GetPagesMenu() == nullptr)
        return nullptr;
    // A copy: the popup takes its menu, the pane keeps its own.
    CMenuHandle menu(::CreatePopupMenu());
    const HMENU pages = m_pPane->GetPagesMenu();
    for (int i = 0; i < ::GetMenuItemCount(pages); ++i) {
        wchar_t text[256] = {};
        ::GetMenuStringW(pages, static_cast<UINT>(i), text, 255, MF_BYPOSITION);
        const UINT state = ::GetMenuState(pages, static_cast<UINT>(i), MF_BYPOSITION);
        ::AppendMenuW(menu.Get(), MF_STRING | (state & MF_CHECKED), ::GetMenuItemID(pages, i), text);
    }
    return menu.Detach();
}

IKGPMenuPopup* CTasksPaneMenuButton::CreatePopupMenu()
{
    IKGPMenuPopup* popup = CKGPToolbarMenuButton::CreatePopupMenu();
    if (auto* pMenu = dynamic_cast<CKGPPopupMenu*>(popup))
        pMenu->SetTasksPaneMenu();
    return popup;
}

// ---- The bar.

BOOL CTasksPaneToolBar::CreateButtons(CKGPTasksPane* pPane, BOOL bHistoryButtons, LPCTSTR lpszPageName)
{
    m_pPane = pPane;
    m_bCommandsToFrame = FALSE; // the pane answers the navigation
    // 16 x 15 images on 23 x 22 buttons: the full-colour strip when the look
    // can show it, else (or when it is missing) the basic one; a program that
    // carries neither gets menu glyphs in the images' places.
    SetLockedSizes(CSize(23, 22), CSize(16, 15));
    const UINT strip = GetKGPGlobalData().IsFullColorUiAvailable() ? IDB_KGP_TASKS_PANE_NAV_FULL : IDB_KGP_TASKS_PANE_NAV;
    {
        CKGPLocalResource local;
        if (!LoadBitmaps(strip, 0, 0, TRUE) && strip != IDB_KGP_TASKS_PANE_NAV)
            LoadBitmaps(IDB_KGP_TASKS_PANE_NAV, 0, 0, TRUE);
    }
    const CString back = KGPLoadLibraryString(KGP_TASKS_PANE_BACK, _T("Back"));
    const CString forward = KGPLoadLibraryString(KGP_TASKS_PANE_FORWARD, _T("Forward"));
    const CString home = KGPLoadLibraryString(KGP_TASKS_PANE_HOME, _T("Home"));
    const CString close = KGPLoadLibraryString(KGP_TASKS_PANE_CLOSE, _T("Close"));

    std::unique_ptr<CKGPToolbarButton> buttons[5];
    if (bHistoryButtons) {
        buttons[0] = std::make_unique<CTasksPaneHistoryButton>(KGP_TASKS_PANE_BACK, 0, back, this);
        buttons[1] = std::make_unique<CTasksPaneHistoryButton>(KGP_TASKS_PANE_FORWARD, 1, forward, this);
    } else {
        buttons[0] = std::make_unique<CTasksPaneNavigateButton>(KGP_TASKS_PANE_BACK, 0, back);
        buttons[1] = std::make_unique<CTasksPaneNavigateButton>(KGP_TASKS_PANE_FORWARD, 1, forward);
    }
    buttons[2] = std::make_unique<CTasksPaneNavigateButton>(KGP_TASKS_PANE_HOME, 2, home);
    auto pages = std::make_unique<CTasksPaneMenuButton>(pPane, lpszPageName);
    pages->SetMessageWnd(pPane); // the page chosen goes to the pane
    buttons[3] = std::move(pages);
    buttons[4] = std::make_unique<CTasksPaneNavigateButton>(KGP_TASKS_PANE_CLOSE, 3, close);
    for (auto& button : buttons)
        if (InsertButton(std::move(button)) < 0)
            return FALSE;
    return TRUE;
}

CTasksPaneMenuButton* CTasksPaneToolBar::GetMenuButton() const
{
    for (int i = 0; i < GetCount(); ++i)
        if (auto* pButton = DYNAMIC_DOWNCAST(CTasksPaneMenuButton, GetButton(i)))
            return pButton;
    return nullptr;
}

void CTasksPaneToolBar::UpdatePageButtons(const CString& strPageName, const CStringArray& back,
                                          const CStringArray& forward)
{
    for (int i = 0; i < GetCount(); ++i) {
        CKGPToolbarButton* pButton = GetButton(i);
        if (auto* pMenu = DYNAMIC_DOWNCAST(CTasksPaneMenuButton, pButton)) {
            pMenu->m_strCaption = strPageName;
        } else if (auto* pHistory = DYNAMIC_DOWNCAST(CTasksPaneHistoryButton, pButton)) {
            pHistory->SetPages(pHistory->m_nCommand == KGP_TASKS_PANE_BACK ? back : forward);
        }
    }
    if (GetSafeHwnd() != nullptr) {
        AdjustLayout();
        Invalidate();
    }
}

void CTasksPaneToolBar::OnUpdateCmdUI(CFrameWnd*, BOOL bDisableIfNoHandler)
{
    // The pane answers its own navigation, and only while it shows.
    if (m_pPane == nullptr || !m_pPane->IsWindowVisible())
        return;
    for (int i = 0; i < GetCount(); ++i) {
        const CKGPToolbarButton* pButton = GetButton(i);
        if (pButton == nullptr || pButton->m_nCommand == 0)
            continue;
        COldToolCmdUI state(*this, i, static_cast<UINT>(GetCount()));
        state.DoUpdate(m_pPane, bDisableIfNoHandler);
    }
}

void CTasksPaneToolBar::AdjustLocations()
{
    CKGPToolBar::AdjustLocations();
    CTasksPaneMenuButton* pMenu = GetMenuButton();
    if (pMenu != nullptr && GetSafeHwnd() != nullptr) {
        CRect client;
        GetClientRect(client);
        // The buttons after the pages button keep their widths at the bar's
        // right edge less one; the pages button fills up to them, at least
        // three times as wide as high.
        const int index = ButtonToIndex(pMenu);
        int right = client.right - 1;
        for (int i = GetCount() - 1; i > index; --i)
            right -= GetButton(i)->m_rcButton.Width();
        CRect& rect = pMenu->m_rcButton;
        rect.right = std::max(static_cast<int>(rect.left + rect.Height() * kMenuButtonWidthFactor), right);
        int left = rect.right;
        for (int i = index + 1; i < GetCount(); ++i) {
            CRect& after = GetButton(i)->m_rcButton;
            after.OffsetRect(left - after.left, 0);
            left = after.right;
        }
    }
    if (m_pPane != nullptr && m_pPane->GetSafeHwnd() != nullptr)
        m_pPane->RecalcTasksLayout(TRUE);
}

BOOL CTasksPaneToolBar::OnUserToolTip(CKGPToolbarButton* pButton, CString& strText) const
{
    if (DYNAMIC_DOWNCAST(CTasksPaneMenuButton, pButton) != nullptr) {
        strText = KGPLoadLibraryString(KGP_TASKS_PANE_PAGES, _T("Other Tasks Pane"));
        return TRUE;
    }
    if (DYNAMIC_DOWNCAST(CTasksPaneNavigateButton, pButton) != nullptr ||
        DYNAMIC_DOWNCAST(CTasksPaneHistoryButton, pButton) != nullptr) {
        strText = pButton->m_strCaption;
        return TRUE;
    }
    return CKGPToolBar::OnUserToolTip(pButton, strText);
}
