// The menu page of the customisation sheet: the frame's menus (the default
// menu and each document template's) shown in the menu bar for editing and
// reset to their resources, the context menus of the context-menu manager
// opened as editable popups beside the sheet, and the popup menus' animation
// and shadows.
#pragma once

#include <afxwin.h>

#include "guilib/menus/KGPPopupFrameLink.h"

class CKGPMenuBar;
class CKGPPopupMenu;
class CMultiDocTemplate;

class CKGPMenuPage : public CPropertyPage, public IKGPPopupMenuPage, public IKGPMenuBarPage {
    DECLARE_DYNCREATE(CKGPMenuPage)
public:
    explicit CKGPMenuPage(CFrameWnd* pParentFrame = nullptr, BOOL bAutoSet = FALSE);
    ~CKGPMenuPage() override;

    // The frame's menu at the index of the combo goes into the menu bar (the
    // one edited before is stored first).
    void SelectFrameMenu(int nIndex);
    // The chosen menu loaded again from its resource (the buttons ask first);
    // FALSE when it has no resource.
    BOOL ResetFrameMenu();
    // The menu bar this page edits; null when the frame has none.
    CKGPMenuBar* GetMenuBar() const { return m_pMenuBar; }
    CComboBox& GetFrameMenus() { return m_wndFrameMenus; }
    CComboBox& GetAnimations() { return m_wndAnimation; }
    // The animation chosen and the shadow option go to the popup menus.
    void ApplyOptions();

    // The context menu at the index of the combo opened beside the sheet for
    // editing, where the last one was left if it was moved (the one open
    // before is closed and its edits stored); index 0, "(none)", only closes.
    // FALSE when there is no such menu or its popup could not be made.
    BOOL SelectContextMenu(int nIndex);
    // The chosen context menu back to its resource: its stored edits dropped
    // and its open popup filled afresh. FALSE when none is chosen.
    BOOL ResetContextMenu();
    CComboBox& GetContextMenus() { return m_wndContextMenus; }
    // The popup that edits the chosen context menu; null when none is open.
    CKGPPopupMenu* GetContextMenuPopup() const { return m_pContextMenu; }
    // The popup of a context menu closes: its place is remembered, its items stored.
    void OnPopupMenuClosed(CKGPPopupMenu* pPopup) override;
    // The menu bar's menus were reset: the chosen menu is shown again.
    void ReselectMenu() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CMultiDocTemplate* ChosenTemplate() const;
    HMENU ChosenContextMenu() const;
    void StoreEditedMenu();
    void CloseContextMenu();
    CComboBox m_wndFrameMenus;
    CComboBox m_wndContextMenus;
    CComboBox m_wndAnimation;
    CFrameWnd* m_pParentFrame;
    CKGPMenuBar* m_pMenuBar = nullptr;
    // The menu the frame showed when the page opened (its current menu),
    // shown again when the page closes; a reset of it makes the fresh menu
    // current.
    HMENU m_hCurrentMenu = nullptr;
    CKGPPopupMenu* m_pContextMenu = nullptr;  // the window owns itself
    BOOL m_bAutoSet;
};
