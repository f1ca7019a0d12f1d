// The buttons the menu bar shows while an MDI child is maximised: the child's
// system-menu button (its icon; its menu the child's system menu) and the
// minimise, restore and close buttons.
#pragma once

#include "guilib/toolbars/KGPToolbarMenuButton.h"

class CKGPToolbarSystemMenuButton : public CKGPToolbarMenuButton {
    DECLARE_SERIAL(CKGPToolbarSystemMenuButton)
public:
    CKGPToolbarSystemMenuButton() = default;
    // The menu is the child's system menu (not owned); the icon the child's.
    CKGPToolbarSystemMenuButton(HMENU hSystemMenu, HICON hSystemIcon);

    SIZE MeasureOnBar(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    // Closes the active child unless its system menu's close item is off.
    void OnDblClk(CWnd* pWnd) override;
    // An open popup closes unless it tracks in a modal loop of its own.
    void CancelState() override;
    // The popup's items take the checked, grey and disabled states of the
    // child's system menu.
    void OnAfterCreatePopupMenu() override;

    HMENU GetSystemMenu() const { return m_hSystemMenu; }
    HICON GetSystemIcon() const { return m_hSysMenuIcon; }

private:
    // The MDI child that the bar's frame shows active; null when none.
    CWnd* ActiveChild() const;

    HICON m_hSysMenuIcon = nullptr;
    HMENU m_hSystemMenu = nullptr;
};

class CKGPToolbarMenuButtonsButton : public CKGPToolbarButton {
    DECLARE_DYNCREATE(CKGPToolbarMenuButtonsButton)
public:
    CKGPToolbarMenuButtonsButton() = default;
    // SC_MINIMIZE, SC_RESTORE or SC_CLOSE.
    explicit CKGPToolbarMenuButtonsButton(UINT uiSystemCommand) : m_uiSystemCommand(uiSystemCommand) {}

    SIZE MeasureOnBar(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    void CopyButton(const CKGPToolbarButton& src) override;
    BOOL IsArchivable() const override { return FALSE; }

    UINT GetSystemCommand() const { return m_uiSystemCommand; }

private:
    UINT m_uiSystemCommand = 0;
};
