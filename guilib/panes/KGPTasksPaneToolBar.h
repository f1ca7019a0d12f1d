// The tasks pane's navigation toolbar and its buttons: back and forward
// (plain buttons, or history buttons whose drop-down lists the pages before
// or after the current one), home, the pages menu (its text the current
// page's name) and close. The bar sends its commands to the pane and takes
// their state from it at idle time; after its own layout it stretches the
// pages button and asks the pane to lay out again.
#pragma once

#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"

#include <afxcoll.h>

class CKGPTasksPane;

// The menu glyph a navigation button shows when the program carries no
// image strip for the bar: back, forward, home (first) or close.
int KGPTasksPaneGlyph(UINT uiCmdId);
// Draws that glyph centred in the button when the strip has no image for it.
void KGPDrawTasksPaneGlyph(CDC* pDC, const CRect& rect, const CKGPToolBarImages* pImages, const CKGPToolbarButton& button);

// A back, forward, home or close button: its text is its tooltip.
class CTasksPaneNavigateButton : public CKGPToolbarButton {
    DECLARE_SERIAL(CTasksPaneNavigateButton)
public:
    CTasksPaneNavigateButton() = default;
    CTasksPaneNavigateButton(UINT uiCmdId, int iImage, LPCTSTR lpszText)
        : CKGPToolbarButton(uiCmdId, iImage, lpszText)
    {
        m_bShowCaption = FALSE;
    }
    void OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
};

// Back or forward with a drop-down of the pages it leads to; every item
// carries the button's command (the position chosen says how far to go).
class CTasksPaneHistoryButton : public CKGPToolbarMenuButton {
    DECLARE_SERIAL(CTasksPaneHistoryButton)
public:
    CTasksPaneHistoryButton() { m_lstPages.SetSize(0, 10); }
    CTasksPaneHistoryButton(UINT uiCmdId, int iImage, LPCTSTR lpszText, CWnd* pParentBar);

    HMENU CreateMenu() const override;
    void OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    void SetPages(const CStringArray& pages) { m_lstPages.Copy(pages); }
    const CStringArray& GetPages() const { return m_lstPages; }

    CStringArray m_lstPages;
    CWnd* m_pParentBar = nullptr;
};

// The pages menu: the pane's menu of its pages, the current one checked.
class CTasksPaneMenuButton : public CKGPToolbarMenuButton {
    DECLARE_SERIAL(CTasksPaneMenuButton)
public:
    CTasksPaneMenuButton() = default;
    explicit CTasksPaneMenuButton(const CKGPTasksPane* pPane, LPCTSTR lpszText);

    HMENU CreateMenu() const override;
    // The popup it opens is marked as a tasks pane's menu: its items, all of
    // one command, keep the pane's checks and states.
    IKGPMenuPopup* CreatePopupMenu() override;

    const CKGPTasksPane* m_pPane = nullptr;
};

class CTasksPaneToolBar : public CKGPToolBar {
    DECLARE_SERIAL(CTasksPaneToolBar)
public:
    CTasksPaneToolBar() = default;
    BOOL ShowsOnToolbarsList() const override { return FALSE; }

    // Puts the buttons in (history buttons for back and forward when asked)
    // and loads the image strip (full colour when the look can show it).
    BOOL CreateButtons(CKGPTasksPane* pPane, BOOL bHistoryButtons, LPCTSTR lpszPageName);
    // The pages button takes the page's name; the history buttons their pages.
    void UpdatePageButtons(const CString& strPageName, const CStringArray& back, const CStringArray& forward);
    CTasksPaneMenuButton* GetMenuButton() const;

    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override;
    void AdjustLocations() override;
    BOOL OnUserToolTip(CKGPToolbarButton* pButton, CString& strText) const override;

private:
    CKGPTasksPane* m_pPane = nullptr;
};
