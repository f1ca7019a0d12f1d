// The menu bar: a frame's menu shown as a dockable toolbar whose buttons are
// the menu's top-level items. It rebuilds itself when the frame switches
// menus, keeps every menu it has shown in the menu hash so that the user's
// changes survive a switch, shows the maximised MDI child's system-menu,
// minimise, restore and close buttons, and may carry a help combo box at its
// right end. Its state is kept per document template and for the default
// menu.
#pragma once

#include "guilib/core/KGPLink.h"
#include "guilib/menus/KGPHelpComboBoxButton.h"
#include "guilib/menus/KGPMenuBarRules.h"
#include "guilib/menus/KGPPopupFrameLink.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarMdiButtons.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"

class CKGPMenuBar;
class CMultiDocTemplate;
class IKGPMenuOptionsLink;

// What the menu bar asks of the library frame it is made in (the frames
// family registers it with its other links).
class IKGPMenuBarFrameLink {
public:
    // The bar joins the frame (which then shows no menu of its own); FALSE
    // for a window that is no library frame.
    virtual BOOL AttachMenuBar(CWnd* pFrame, CKGPMenuBar* pMenuBar) = 0;
    // The bar goes (before its window is destroyed).
    virtual void DetachMenuBar(CWnd* pFrame, CKGPMenuBar* pMenuBar) = 0;
    // The frame's default menu was replaced (after a reset).
    virtual void SetDefaultMenu(CWnd* pFrame, HMENU hMenu) = 0;
    // The bar shows this menu as the frame's current one again after its
    // menus were loaded afresh (a frame that lists its windows in a menu
    // finds that menu in it).
    virtual void SetCurrentMenu(CWnd* pFrame, HMENU hMenu) = 0;
    // The frame wants the maximised child's system menu on the bar even when
    // the child's caption has none.
    virtual BOOL WantsChildSystemMenu(CWnd* pFrame, CWnd* pChild) const = 0;

protected:
    ~IKGPMenuBarFrameLink() = default;
};

class CKGPMenuBar : public CKGPToolBar {
    DECLARE_SERIAL(CKGPMenuBar)
public:
    CKGPMenuBar();
    ~CKGPMenuBar() override;

    // ---- Creation: both record the owner frame first.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_MENUBAR) override;
    BOOL CreateBarEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                     DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(1, 1, 1, 1),
                     UINT nID = AFX_IDW_MENUBAR) override;

    // ---- Menus.
    // Shows the menu: the current one again only re-applies maximise mode
    // (unless bForceUpdate); another is read back from the menu hash, or
    // built from its items. The bar owns the menus it shows that no
    // document template holds.
    virtual void CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu = FALSE, BOOL bForceUpdate = FALSE);
    // The resource buttons from the menu resource; FALSE when it does not load.
    virtual BOOL BuildOrigItems(UINT uiMenuResID);
    // A reset loaded a new default menu (nothing here).
    virtual void OnDefaultMenuLoaded(HMENU /*hMenu*/) {}
    HMENU GetHMenu() const { return m_hMenu; }
    // Tells accessibility clients again which item holds the focus (the hot
    // one, else the bar itself), as when a popup it opened has closed.
    void NotifyAccessibilityFocus();
    HMENU GetDefaultMenu() const { return m_hDefaultMenu; }
    void SetDefaultMenuResId(UINT uiResId) { m_uiDefMenuResId = uiResId; }
    UINT GetDefaultMenuResId() const { return m_uiDefMenuResId; }
    // The class of the buttons made for popup items.
    void SetMenuButtonRTC(CRuntimeClass* pMenuButtonRTC) { m_pMenuButtonRTC = pMenuButtonRTC; }
    // Saving and loading the state also cover the shared menu of every
    // multi-document template.
    BOOL m_bAutoDocMenus = TRUE;
    // The destructor drops the current menu's copy from the menu hash.
    BOOL m_bClearHashOnClose = FALSE;

    // ---- The maximised MDI child.
    // Adds (bMax) or removes the child's system-menu button and its
    // minimise, restore and close buttons.
    virtual void SetMaximizeMode(BOOL bMax, CWnd* pWnd = nullptr, BOOL bRecalcLayout = TRUE);
    BOOL IsMaximizeMode() const { return m_bMaximizeMode; }
    int GetMdiButtonCount() const { return m_nMDIButtons; }
    // The first button as the system-menu button, in maximise mode only.
    CKGPToolbarSystemMenuButton* GetSystemMenuButton() const;
    // The caption-sized rectangle of one MDI button.
    CSize GetCaptionButtonSize() const { return m_szSystemButton; }

    // ---- The help combo box at the right end.
    void EnableHelpCombobox(UINT uiID, LPCTSTR lpszPrompt = nullptr, int nComboBoxWidth = 150);
    CKGPToolbarComboBoxButton* GetHelpCombobox() const;

    // ---- Library-wide options.
    // The menus show every command (the popup menus' one recently-used state,
    // which ends when the menus close).
    static void SetShowAllCommands(BOOL bShowAllCommands = TRUE);
    static BOOL IsShowAllCommands();
    static void SetRecentlyUsedMenus(BOOL bOn = TRUE) { s_bRecentlyUsedMenus = bOn; }
    // Recently used commands first: chosen, and personalised menus on.
    static BOOL IsRecentlyUsedMenus() { return s_bRecentlyUsedMenus && s_bMenuPersonalization; }
    // The menu bars' option as the menus below them ask it (IKGPMenuOptionsLink).
    static IKGPMenuOptionsLink& OptionsLink();
    // The library's menu personalisation (on by default): off, menus show
    // every command and the customisation sheet offers no recently-used mode.
    static void EnableMenuPersonalization(BOOL bOn = TRUE) { s_bMenuPersonalization = bOn; }
    static BOOL IsMenuPersonalization() { return s_bMenuPersonalization; }
    static HFONT GetMenuFont(BOOL bHorz = TRUE);

    // A button's menu dropped down (null: none is): the show-all timer starts
    // (5 s) or stops.
    void OnMenuDroppedDown(CKGPToolbarMenuButton* pButton);

    // The live menu bar of the frame; null when it has none.
    static CKGPMenuBar* FromFrame(const CWnd* pFrame);

    // ---- The customisation page editing this bar.
    void SetMenuPage(IKGPMenuBarPage* pMenuPage) { m_pMenuPage = pMenuPage; }
    IKGPMenuBarPage* GetMenuPage() const { return m_pMenuPage; }

    // ---- Stored state: every template's menu, then the default menu,
    // under "KGMenuBar". TRUE only when every menu was saved (loaded).
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nID = -1, int nIndex = -1) override;
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nID = -1, int nIndex = -1) override;
    // Every menu loaded again from its resource; the customise button stays
    // and an attached menu page shows its menu anew.
    BOOL ResetToResource() override;
    // One menu loaded again from its resource and shown: a template's (the
    // template and its document windows take the fresh menu, the old one
    // going with the template's handle) or, for none, the default menu (the
    // frame takes the fresh one as its default; the old one is destroyed
    // unless a template owns it). The old menu's stored copy is forgotten and
    // the fresh one's stored. bTellOwner: the owner hears
    // "KGTOOLBAR_RESETMENU" before the fresh menu is stored (and the bar is
    // laid out again when it answers non-zero). Nothing changes when the menu
    // has no resource or it does not load (hFresh null).
    struct ReloadedMenu {
        HMENU hOld = nullptr;
        HMENU hFresh = nullptr;
    };
    ReloadedMenu ReloadMenu(CMultiDocTemplate* pTemplate, BOOL bTellOwner);
    // The bar can be reset when it knows a menu resource: its default menu's
    // or a document template's.
    BOOL HasResource() const override;

    // ---- Toolbar overrides.
    // Floating with a customise entry: only the menu button (a menu bar is not closed).
    DWORD GetFloatingCaptionButtons() const override;
    BOOL IsMenuItemButton(CKGPToolbarButton* pButton) const override;
    BOOL FillDefaultCaption(CKGPToolbarButton* pButton) override;
    int RowHeight() const override;
    int ColumnWidth() const override;
    int MeasureRowHeight() override;
    int DropIndexAt(CPoint point, CRect& rectMarker) const override;
    BOOL HandledOnRelease(CKGPToolbarButton* pButton) override;
    void AdjustLocations() override;
    void ChangeHot(int iIndex) override;
    // Docked, the bar takes its row's whole length.
    BOOL FillsItsRow() const override { return m_bStretchBar && !IsFloating(); }
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    INT_PTR OnToolHitTest(CPoint point, TTTOOLINFOW* pTI) const override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The index of the first regular button and one past the last.
    int FirstRegularButton() const;
    int EndOfRegularButtons() const;

    static LPCTSTR s_strMenuBarSection;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The owner is a frame with an MDI client; the active child (null: none).
    CWnd* GetMDIClient() const;
    CWnd* GetActiveMDIChild() const;
    // The active child while the client has it maximised, else null.
    CWnd* GetMaximizedMDIChild() const;
    // The window "KGTOOLBAR_RESETMENU" goes to.
    CWnd* ResetTarget() const;
    // The menu's item with the command, searched through sub-menus.
    static BOOL FindMenuItemText(HMENU hMenu, UINT uiCmd, CString& strText, int nDepth = 0);

private:
    // The order of the buttons now (system-menu, regular, help, MDI, customise).
    kgp::MenuBarShape Shape() const;
    // Before a save, load or reset: the child's buttons leave and the current
    // menu's buttons go into the menu hash; the current menu and whether
    // maximise mode was on.
    HMENU StoreCurrent(BOOL& bWasMaximized);
    void ComputeCaptionButtonSize();
    void RebuildFromItems(HMENU hMenu);
    void AppendHelpCombo();
    std::unique_ptr<CKGPToolbarMenuButton> NewMenuButton() const;
    // Loads the menu's copy from the hash, or builds it; TRUE when from the hash.
    BOOL ShowStored(HMENU hMenu);
    // After a save or load: the current menu back, maximise mode again.
    void RestoreCurrent(BOOL bWasMaximized, BOOL bRecalcDockRow);
    // The templates with a shared menu (in the application's order).
    static void CollectTemplates(CList<CMultiDocTemplate*, CMultiDocTemplate*>& templates);
    BOOL IsOwnedByTemplate(HMENU hMenu) const;
    // The bar owns the menus it shows unless a document template holds them:
    // the owner of one it lets go (empty for a template's or a destroyed one).
    CMenuHandle OwnerOfShownMenu(HMENU hMenu) const;
    void OnMdiButtonClick(const CKGPToolbarMenuButtonsButton& button);
    BOOL OnKey(UINT nChar);
    void OnShowAllTimer();
    // The pointer rested on a button: its menu opens (when none is open).
    void OnHoverTimer();

    CWnd* m_pParentFrame = nullptr;
    BOOL m_bMaximizeMode = FALSE;
    HMENU m_hMenu = nullptr;
    HMENU m_hDefaultMenu = nullptr;
    HMENU m_hSysMenu = nullptr;
    HICON m_hSysIcon = nullptr;
    UINT m_uiDefMenuResId = 0;
    int m_nMDIButtons = 0;
    int m_nSavedMDIButtons = 0;
    BOOL m_bHaveImages = FALSE;
    CSize m_szSystemButton{16, 14};
    IKGPMenuBarPage* m_pMenuPage = nullptr;
    UINT m_nHelpComboID = 0;
    int m_nHelpComboWidth = 0;
    CString m_strHelpComboPrompt;
    CRuntimeClass* m_pMenuButtonRTC;
    BOOL m_bStretchBar = TRUE;
    BOOL m_bAttached = FALSE;

    static BOOL s_bRecentlyUsedMenus;
    static BOOL s_bMenuPersonalization;
};
