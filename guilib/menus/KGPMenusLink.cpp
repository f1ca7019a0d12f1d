#include "guilib/menus/KGPMenusLink.h"

#include "guilib/core/KGPMenuLinks.h"
#include "guilib/menus/KGPContextMenuManager.h"
#include "guilib/menus/KGPKeyboardManager.h"
#include "guilib/menus/KGPMenuBar.h"
#include "guilib/menus/KGPMenuSound.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/menus/KGPPopupMenuSeam.h"
#include "guilib/menus/KGPPopupPlacement.h"
#include "guilib/menus/KGPTearOffManager.h"
#include "guilib/menus/KGPUserToolsManager.h"
#include "guilib/toolbars/KGPMenuButtonLinks.h"
#include "guilib/toolbars/KGPToolbarLinks.h"

namespace {

class CMenusLink final : public IKGPMenuLink {
public:
    CWnd* GetActivePopupMenu() const override { return CKGPPopupMenu::GetActiveMenu(); }
    BOOL IsModalState() const override
    {
        const CKGPPopupMenu* active = CKGPPopupMenu::GetActiveMenu();
        return KGPPopupMenuSeam::IsTracking() || (active != nullptr && active->IsInModalLoop());
    }
    BOOL HasContextMenuManager() const override { return g_pContextMenuManager != nullptr; }
    UINT TrackContextMenu(HMENU hMenu, int x, int y, CWnd* pOwner, BOOL bRightAlign) override
    {
        return g_pContextMenuManager != nullptr
                   ? g_pContextMenuManager->TrackPopupMenu(hMenu, x, y, pOwner, bRightAlign)
                   : 0;
    }
    UINT TrackPopupMenu(HMENU hMenu, int x, int y, CWnd* pOwner, BOOL bRightAlign) override
    {
        return KGPPopupMenuSeam::Track(hMenu, x, y, pOwner, bRightAlign);
    }
    int HitTestPopupMenu(CWnd* pPopup, CPoint ptScreen) const override
    {
        const auto* popup = DYNAMIC_DOWNCAST(CKGPPopupMenu, pPopup);
        if (popup == nullptr) {
            CRect window;
            if (pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr)
                pPopup->GetWindowRect(window);
            return window.PtInRect(ptScreen) ? kgp::kHitInside : kgp::kHitOutside;
        }
        // The popups it was opened from count as the menu too.
        const int own = popup->HitTest(ptScreen);
        if (own != kgp::kHitOutside)
            return own;
        for (const CKGPPopupMenu* above = popup->GetParentPopupMenu(); above != nullptr;
             above = above->GetParentPopupMenu()) {
            const int hit = above->HitTest(ptScreen);
            if (hit != kgp::kHitOutside)
                return hit;
        }
        return kgp::kHitOutside;
    }
    void UpdatePopupShadows() override { CKGPPopupMenu::UpdateAllShadows(); }
};

// What the menu buttons ask of the popup menus.
class CMenuBarsLink final : public IKGPMenuBarsLink {
public:
    IKGPMenuPopup* CreatePopupMenu() override { return new CKGPPopupMenu; }
    IKGPMenuPopup* GetPopupOfBar(CWnd* pWnd) const override
    {
        const auto* bar = DYNAMIC_DOWNCAST(CKGPPopupMenuBar, pWnd);
        return bar != nullptr ? bar->GetPopupMenu() : nullptr;
    }
    void StartPopupMenuTimer(CWnd* pWndBar, CKGPToolbarMenuButton* pButton, int nFactor) override
    {
        if (auto* bar = DYNAMIC_DOWNCAST(CKGPPopupMenuBar, pWndBar))
            bar->StartPopupMenuTimer(pButton, nFactor);
    }
    BOOL IsMenuBar(CWnd* pWnd) const override { return DYNAMIC_DOWNCAST(CKGPMenuBar, pWnd) != nullptr; }
    BOOL MenuBarWantsArrows(CWnd*) const override { return FALSE; }
    // The menu bar finds its dropped-down button among its buttons.
    CKGPToolbarMenuButton* GetDroppedDownButton(CWnd* pWndBar) const override
    {
        const auto* bar = DYNAMIC_DOWNCAST(CKGPMenuBar, pWndBar);
        return bar != nullptr ? bar->GetDroppedDownMenu() : nullptr;
    }
    // A menu dropped down from the menu bar shows all its commands when the
    // pointer rests on its button.
    void SetDroppedDownButton(CWnd* pWndBar, CKGPToolbarMenuButton* pButton) override
    {
        if (auto* bar = DYNAMIC_DOWNCAST(CKGPMenuBar, pWndBar))
            bar->OnMenuDroppedDown(pButton);
    }
    void PlayMenuSound(int nSound) override { CKGPMenuSound::PlayMenuSound(nSound); }
    int GetMenuShowDelay() const override { return CKGPPopupMenuBar::GetMenuShowDelay(); }
};

// How the toolbars reach the user tools while a manager lives (none: no
// command is a tool's).
class CUserToolsLink final : public IKGPUserToolsLink {
public:
    BOOL IsUserToolCommand(UINT uiCmd) const override
    {
        return g_pUserToolsManager != nullptr && g_pUserToolsManager->IsUserToolCmd(uiCmd);
    }
    UINT GetToolsEntryCommand() const override
    {
        return g_pUserToolsManager != nullptr ? g_pUserToolsManager->GetToolsEntryCmd() : 0;
    }
    BOOL DrawToolIcon(CDC* pDC, const CRect& rect, UINT uiCmd) const override
    {
        CKGPUserTool* tool = g_pUserToolsManager != nullptr ? g_pUserToolsManager->FindTool(uiCmd) : nullptr;
        if (tool == nullptr)
            return FALSE;
        tool->DrawToolIcon(pDC, rect);
        return TRUE;
    }
    BOOL InvokeTool(UINT uiCmd) override
    {
        return g_pUserToolsManager != nullptr && g_pUserToolsManager->InvokeTool(uiCmd);
    }
    BOOL CopyToolIconToClipboard(UINT uiCmd) override
    {
        CKGPUserTool* tool = g_pUserToolsManager != nullptr ? g_pUserToolsManager->FindTool(uiCmd) : nullptr;
        return tool != nullptr && tool->CopyIconToClipboard();
    }
};

// How the menu buttons reach the tear-off manager while one lives (none: an
// item text carries no tear-off mark, and none is read).
class CTearOffLink final : public IKGPTearOffLink {
public:
    UINT ParseTearOffId(CString& strText) const override
    {
        return g_pTearOffMenuManager != nullptr ? CKGPTearOffManager::ParseTearOffId(strText) : 0;
    }
    void MarkText(UINT uiId, CString& strText) const override
    {
        if (g_pTearOffMenuManager != nullptr)
            CKGPTearOffManager::MarkText(uiId, strText);
    }
    void SetInUse(UINT uiId, BOOL bUsed) override
    {
        if (g_pTearOffMenuManager != nullptr)
            g_pTearOffMenuManager->SetInUse(uiId, bUsed);
    }
};

// The toolbars' way to the shortcut texts (the keyboard manager's class-wide
// data).
class CKeyboardLink final : public IKGPKeyboardLink {
public:
    BOOL GetCommandShortcutText(UINT uiCmd, CString& strText, CFrameWnd* pFrame) const override
    {
        return CKGPKeyboardManager::GetCommandShortcutText(uiCmd, strText, pFrame, pFrame == AfxGetMainWnd());
    }
};

} // namespace

void KGPRegisterMenusLinks()
{
    static CMenusLink link;
    static CMenuBarsLink bars;
    static CUserToolsLink userTools;
    static CTearOffLink tearOff;
    static CKeyboardLink keyboard;
    KGPRegisterLink<IKGPMenuLink>(link);
    KGPRegisterLink<IKGPMenuBarsLink>(bars);
    KGPRegisterLink<IKGPUserToolsLink>(userTools);
    KGPRegisterLink<IKGPTearOffLink>(tearOff);
    KGPRegisterLink<IKGPKeyboardLink>(keyboard);
    KGPRegisterLink<IKGPMenuOptionsLink>(CKGPMenuBar::OptionsLink());
}
