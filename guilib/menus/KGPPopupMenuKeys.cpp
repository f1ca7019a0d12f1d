// The active popup from the keyboard: the keys its bar takes, Escape, the
// hot item kept in view, Ctrl+Down for the hidden items, and Left and Right
// between the menus of a chain (and of the menu bar). A key it leaves is told
// (WasLastKeyTaken), so the frame lets it go on.
#include "guilib/menus/KGPPopupMenu.h"

#include "guilib/toolbars/KGPMenuButtonLinks.h"

namespace {

constexpr UINT kSubMenu = static_cast<UINT>(-1);

}  // namespace

BOOL CKGPPopupMenu::s_bLastKeyTaken = FALSE;

void CKGPPopupMenu::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    s_bLastKeyTaken = TRUE;
    const BOOL rtl = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    if (rtl && (nChar == VK_LEFT || nChar == VK_RIGHT))
        nChar = nChar == VK_LEFT ? VK_RIGHT : VK_LEFT;
    const std::shared_ptr<bool> alive = m_pAlive;
    CKGPPopupMenuBar& bar = *GetMenuBar();
    CKGPPopupMenu* above = GetParentPopupMenu();
    CKGPToolBar* parentBar = GetParentToolBar();
    const BOOL fromMenuBar = above == nullptr && KGPMenuButtonLinks::IsMenuBar(parentBar);

    switch (nChar) {
    case VK_RETURN:
        if (!CKGPToolBar::IsCustomizeMode())
            bar.OnKey(nChar);
        return;
    case VK_ESCAPE:
        m_bEscClose = TRUE;
        CloseMenu(TRUE);
        return;
    case VK_DOWN:
        if (::GetKeyState(VK_CONTROL) < 0 && !bar.m_bAreAllCommandsShown) {
            ShowAllCommands();
            return;
        }
        [[fallthrough]];
    case VK_HOME:
    case VK_END:
    case VK_UP:
        bar.OnKey(nChar);
        if (*alive)
            EnsureHotItemVisible();
        return;
    case VK_LEFT:
        if (fromMenuBar)
            parentBar->PrevMenuButton();
        else if (above != nullptr)
            CloseMenu(FALSE);
        return;
    case VK_RIGHT: {
        // A sub-menu opened from the keys shows at once.
        const int animation = m_AnimationType;
        m_AnimationType = 0;
        CKGPToolbarMenuButton* item = GetSelItem();
        if (item != nullptr && (item->m_nCommand == kSubMenu || item->IsMenuOnly()) &&
            (item->m_nBits & TBBS_DISABLED) == 0) {
            bar.OnKey(VK_RETURN);
        } else if (fromMenuBar) {
            parentBar->NextMenuButton();
        } else if (above != nullptr) {
            above->SendMessage(WM_KEYDOWN, rtl ? VK_LEFT : VK_RIGHT);
        }
        m_AnimationType = animation;
        return;
    }
    default:
        if (!bar.OnKey(nChar)) {
            s_bLastKeyTaken = FALSE; // neither a step nor a mnemonic of the menu
            if (*alive)
                CMiniFrameWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        }
        return;
    }
}
