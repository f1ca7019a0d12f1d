#include "guilib/menus/KGPCustomizeMenuButton.h"

#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/menus/KGPPopupMenu.h"

IMPLEMENT_SERIAL(CKGPCustomizeMenuButton, CKGPToolbarMenuButton, 1)

CKGPToolBar* CKGPCustomizeMenuButton::m_pWndToolBar = nullptr;

CKGPCustomizeMenuButton::CKGPCustomizeMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText,
                                                 BOOL bUserButton)
    : CKGPToolbarMenuButton(uiID, hMenu, iImage, lpszText, bUserButton)
{
}

CString CKGPCustomizeMenuButton::EntryText(const CKGPToolbarButton& button)
{
    CString text = button.m_strCaption.SpanExcluding(_T("\t"));
    if (text.IsEmpty()) {
        CString prompt;
        prompt.LoadString(button.m_nCommand);
        const int lineBreak = prompt.Find(L'\n');
        text = lineBreak >= 0 ? prompt.Mid(lineBreak + 1) : CString();
    }
    return text;
}

void CKGPCustomizeMenuButton::SetItemIndex(int iIndex, BOOL bExist, BOOL bAddSpr)
{
    m_iIndex = iIndex;
    m_bExist = bExist;
    m_bAddSpr = bAddSpr;
    const CKGPToolbarButton* button =
        m_pWndToolBar != nullptr && iIndex != kResetEntry && !m_bSeparator && bExist ? m_pWndToolBar->GetButton(iIndex)
                                                                                     : nullptr;
    if (button != nullptr) {
        m_bShow = button->m_bShown;
        // The text given, else the button's; a shortcut after a tab never shows.
        m_strCaption = m_strCaption.IsEmpty() ? EntryText(*button) : m_strCaption.SpanExcluding(_T("\t"));
    } else {
        m_bShow = FALSE;
        if (iIndex == kResetEntry && m_pWndToolBar != nullptr && m_pWndToolBar->IsInFrameIdRange()) {
            m_bEnabled = FALSE;  // a toolbar of the user's own has nothing to go back to
            m_nBits |= TBBS_DISABLED;
        }
    }
    m_nBits = m_bShow ? (m_nBits | TBBS_CHECKED) : (m_nBits & ~TBBS_CHECKED);
}

void CKGPCustomizeMenuButton::CopyButton(const CKGPToolbarButton& src)
{
    CKGPToolbarMenuButton::CopyButton(src);
    const auto* entry = DYNAMIC_DOWNCAST(CKGPCustomizeMenuButton, const_cast<CKGPToolbarButton*>(&src));
    if (entry == nullptr || entry == this)
        return;
    m_iIndex = entry->m_iIndex;
    m_bShow = entry->m_bShow;
    m_bSeparator = entry->m_bSeparator;
    m_bExist = entry->m_bExist;
    m_bAddSpr = entry->m_bAddSpr;
    m_bEnabled = entry->m_bEnabled;
    m_bBrothersBtn = entry->m_bBrothersBtn;
}

void CKGPCustomizeMenuButton::OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages, BOOL bHorz,
                                     BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder,
                                     BOOL bGrayDisabledButtons)
{
    // The check mark follows the toolbar button's visibility.
    m_nBits = m_bShow ? (m_nBits | TBBS_CHECKED) : (m_nBits & ~TBBS_CHECKED);
    CKGPToolbarMenuButton::OnDraw(pDC, rect, pImages, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                                  bGrayDisabledButtons);
}

BOOL CKGPCustomizeMenuButton::OnClickMenuItem()
{
    if (!m_bEnabled || m_bSeparator || IsSeparator())
        return TRUE;
    auto* bar = DYNAMIC_DOWNCAST(CKGPPopupMenuBar, m_pOwnerWnd);
    CKGPPopupMenu* popup = bar != nullptr ? bar->GetPopupMenu() : nullptr;
    if (bar != nullptr)
        bar->ChangeHot(bar->ButtonToIndex(this));

    if (m_bBrothersBtn) {
        if (popup != nullptr)
            popup->CloseChain();
        CKGPToolBar::SetCustomizeMode(!CKGPToolBar::IsCustomizeMode());
        return FALSE;
    }
    if (m_iIndex == kResetEntry) {
        CKGPToolBar* toolbar = m_pWndToolBar;
        if (popup != nullptr)
            popup->CloseChain();
        if (toolbar != nullptr && toolbar->GetSafeHwnd() != nullptr)
            toolbar->PostMessage(KGTOOLBAR_RESETRPROMPT);
        return FALSE;
    }
    if (m_pWndToolBar == nullptr || m_pWndToolBar->GetSafeHwnd() == nullptr)
        return TRUE;
    if (m_bExist)
        return ShowButton(m_pWndToolBar->GetButton(m_iIndex));
    return InsertResourceButton();
}

BOOL CKGPCustomizeMenuButton::ShowButton(CKGPToolbarButton* pButton)
{
    if (pButton == nullptr)
        return TRUE;
    pButton->m_bShown = !pButton->m_bShown;
    m_bShow = pButton->m_bShown;
    if (CKGPToolbarButton* next = m_pWndToolBar->GetButton(m_iIndex + 1); next != nullptr && next->IsSeparator())
        next->m_bShown = pButton->m_bShown;
    RefreshAfterChange();
    return TRUE;
}

int CKGPCustomizeMenuButton::AddMissingResourceEntries(CKGPPopupMenu& menu, CKGPToolBar& bar, int iFirstEntry)
{
    m_pWndToolBar = &bar;
    const CObList& resource = bar.GetResourceButtons();
    int added = 0;
    for (const auto& [index, button] : bar.GetMissingResourceButtons()) {
        const UINT command = button->m_nCommand;
        const int image = bar.MakeResourceButton(*button)->GetImage();
        CKGPCustomizeMenuButton entry(command, nullptr, image, EntryText(*button));
        const POSITION next = resource.FindIndex(index + 1);
        entry.SetItemIndex(index, FALSE,
                           next != nullptr && static_cast<const CKGPToolbarButton*>(resource.GetAt(next))->m_nCommand == 0);
        const int at = iFirstEntry + index;
        menu.InsertItem(entry, at <= menu.GetMenuItemCount() ? at : -1);
        ++added;
    }
    return added;
}

BOOL CKGPCustomizeMenuButton::InsertResourceButton()
{
    const CObList& resource = m_pWndToolBar->GetResourceButtons();
    const POSITION pos = m_iIndex >= 0 ? resource.FindIndex(m_iIndex) : nullptr;
    if (pos == nullptr)
        return TRUE;
    const auto* original = static_cast<const CKGPToolbarButton*>(resource.GetAt(pos));
    // Back as the bar holds such a button: with its command's image.
    const int at = m_pWndToolBar->InsertButton(m_pWndToolBar->MakeResourceButton(*original),
                                               std::min(m_iIndex, m_pWndToolBar->GetCount()));
    if (at < 0)
        return TRUE;
    // The entries of the buttons after it follow their buttons.
    if (auto* bar = DYNAMIC_DOWNCAST(CKGPPopupMenuBar, m_pOwnerWnd)) {
        for (int i = 0; i < bar->GetCount(); ++i) {
            auto* entry = DYNAMIC_DOWNCAST(CKGPCustomizeMenuButton, bar->GetButton(i));
            if (entry != nullptr && entry != this && entry->m_bExist && entry->m_iIndex != kResetEntry &&
                entry->m_iIndex >= at)
                ++entry->m_iIndex;
        }
    }
    m_iIndex = at;
    m_bExist = TRUE;
    m_bShow = TRUE;
    if (m_bAddSpr) {
        const CKGPToolbarButton* next = m_pWndToolBar->GetButton(at + 1);
        if (next == nullptr || !next->IsSeparator())
            m_pWndToolBar->InsertSeparator(at + 1);
    }
    RefreshAfterChange();
    return TRUE;
}

void CKGPCustomizeMenuButton::RefreshAfterChange()
{
    auto* bar = DYNAMIC_DOWNCAST(CKGPPopupMenuBar, m_pOwnerWnd);
    CKGPPopupMenu* popup = bar != nullptr ? bar->GetPopupMenu() : nullptr;
    CKGPPopupMenu* top = popup;
    while (top != nullptr && top->GetParentPopupMenu() != nullptr)
        top = top->GetParentPopupMenu();
    for (CKGPPopupMenu* each = popup; each != nullptr; each = each->GetParentPopupMenu())
        each->ShowWindow(SW_HIDE);
    m_pWndToolBar->AdjustLayout();
    m_pWndToolBar->RefitAfterChange();
    if (CWnd* parent = m_pWndToolBar->GetParent())
        parent->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    if (bar != nullptr)
        bar->Invalidate();
    for (CKGPPopupMenu* each = popup; each != nullptr; each = each->GetParentPopupMenu()) {
        each->ShowWindow(SW_SHOWNOACTIVATE);
        if (each == top)
            each->RecalcLayout();
    }
}
