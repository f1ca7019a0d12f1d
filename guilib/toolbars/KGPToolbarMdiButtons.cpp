#include "guilib/toolbars/KGPToolbarMdiButtons.h"

#include "guilib/core/KGPVisualManager.h"
#include "guilib/toolbars/KGPToolBarMath.h"
#include "guilib/toolbars/KGPToolBarShared.h"

IMPLEMENT_SERIAL(CKGPToolbarSystemMenuButton, CKGPToolbarMenuButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_DYNCREATE(CKGPToolbarMenuButtonsButton, CKGPToolbarButton)

// ---- The child's system-menu button ----

CKGPToolbarSystemMenuButton::CKGPToolbarSystemMenuButton(HMENU hSystemMenu, HICON hSystemIcon)
    : CKGPToolbarMenuButton(0, hSystemMenu, -1), m_hSysMenuIcon(hSystemIcon), m_hSystemMenu(hSystemMenu)
{
}

SIZE CKGPToolbarSystemMenuButton::MeasureOnBar(CDC*, const CSize& sizeDefault, BOOL)
{
    return CSize(::GetSystemMetrics(SM_CXMENUSIZE), sizeDefault.cy);
}

void CKGPToolbarSystemMenuButton::OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages*, BOOL, BOOL, BOOL, BOOL,
                                         BOOL)
{
    if (m_hSysMenuIcon == nullptr)
        return;
    const int cx = ::GetSystemMetrics(SM_CXMENUSIZE);
    const int cy = ::GetSystemMetrics(SM_CYMENUSIZE);
    const int y = rect.top + (rect.Height() - cy) / 2;
    ::DrawIconEx(pDC->GetSafeHdc(), rect.left, y, m_hSysMenuIcon, cx, cy, 0, nullptr, DI_NORMAL);
}

CWnd* CKGPToolbarSystemMenuButton::ActiveChild() const
{
    if (m_pOwnerWnd == nullptr || m_pOwnerWnd->GetSafeHwnd() == nullptr)
        return nullptr;
    // A floating bar's frame is the one behind its mini frame.
    CFrameWnd* frame = m_pOwnerWnd->GetTopLevelFrame();
    if (frame == nullptr)
        return nullptr;
    const HWND client = ::FindWindowExW(frame->GetSafeHwnd(), nullptr, L"MDIClient", nullptr);
    if (client == nullptr)
        return nullptr;
    return CWnd::FromHandle(reinterpret_cast<HWND>(::SendMessageW(client, WM_MDIGETACTIVE, 0, 0)));
}

void CKGPToolbarSystemMenuButton::OnDblClk(CWnd*)
{
    if (CKGPToolBarShared::s_bCustomizing)
        return;
    CancelState();
    CWnd* child = ActiveChild();
    if (child == nullptr)
        return;
    if (const HMENU menu = ::GetSystemMenu(child->GetSafeHwnd(), FALSE)) {
        if ((::GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) != 0)
            return;
    }
    child->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
}

void CKGPToolbarSystemMenuButton::CancelState()
{
    if (m_pPopupMenu != nullptr && m_pPopupMenu->IsInModalLoop())
        return;
    CKGPToolbarMenuButton::CancelState();
}

void CKGPToolbarSystemMenuButton::OnAfterCreatePopupMenu()
{
    if (m_pPopupMenu == nullptr || !::IsMenu(m_hSystemMenu))
        return;
    for (int i = 0; i < m_pPopupMenu->GetItemCount(); ++i) {
        CKGPToolbarButton* item = m_pPopupMenu->GetItem(i);
        if (item == nullptr || item->IsSeparator())
            continue;
        const UINT state = ::GetMenuState(m_hSystemMenu, item->m_nCommand, MF_BYCOMMAND);
        if (state == static_cast<UINT>(-1))
            continue;
        item->m_nBits &= ~(TBBS_CHECKED | TBBS_DISABLED);
        if ((state & MF_CHECKED) != 0)
            item->m_nBits |= TBBS_CHECKED;
        if ((state & (MF_GRAYED | MF_DISABLED)) != 0)
            item->m_nBits |= TBBS_DISABLED;
    }
}

// ---- Minimise, restore and close ----

SIZE CKGPToolbarMenuButtonsButton::MeasureOnBar(CDC*, const CSize&, BOOL)
{
    return CSize(::GetSystemMetrics(SM_CXMENUSIZE), ::GetSystemMetrics(SM_CYMENUSIZE));
}

void CKGPToolbarMenuButtonsButton::OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages*, BOOL, BOOL,
                                          BOOL bHighlight, BOOL, BOOL)
{
    int state = KGP_BUTTON_NORMAL;
    if ((m_nBits & (TBBS_PRESSED | TBBS_CHECKED)) != 0)
        state = KGP_BUTTON_PRESSED;
    else if (bHighlight)
        state = KGP_BUTTON_HIGHLIGHTED;
    CKGPVisualManager::GetInstance()->DrawMdiCaptionButton(pDC, rect, m_uiSystemCommand, state);
}

void CKGPToolbarMenuButtonsButton::CopyButton(const CKGPToolbarButton& src)
{
    CKGPToolbarButton::CopyButton(src);
    if (const auto* other = DYNAMIC_DOWNCAST(CKGPToolbarMenuButtonsButton, const_cast<CKGPToolbarButton*>(&src)))
        m_uiSystemCommand = other->m_uiSystemCommand;
}
