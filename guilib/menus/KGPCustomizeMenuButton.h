// One entry of the menu a toolbar's customise button drops down: it stands
// for a button of the toolbar (checked while that button shows), for a
// button of the toolbar's resource that the bar lacks now, for the reset of
// the toolbar, or for its customisation. A click shows or hides the button
// at once (with the separator after it), brings the missing one back, or
// runs the reset or the customisation.
#pragma once

#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"

class CKGPPopupMenu;

class CKGPCustomizeMenuButton : public CKGPToolbarMenuButton {
    DECLARE_SERIAL(CKGPCustomizeMenuButton)
public:
    CKGPCustomizeMenuButton() = default;
    CKGPCustomizeMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserButton = FALSE);

    // The index of the toolbar's button the entry stands for (kResetEntry:
    // the reset entry), whether the toolbar holds it, and whether showing it
    // brings the separator after it back. An entry for a button the toolbar
    // holds takes that button's visibility as its check mark.
    void SetItemIndex(int iIndex, BOOL bExist = TRUE, BOOL bAddSpr = FALSE);
    int GetItemIndex() const { return m_iIndex; }
    BOOL IsChecked() const { return m_bShow; }
    BOOL IsEnabledEntry() const { return m_bEnabled; }
    // The entry that switches the toolbar's customisation.
    void SetCustomizeEntry(BOOL bOn) { m_bBrothersBtn = bOn; }

    void CopyButton(const CKGPToolbarButton& src) override;
    BOOL OnClickMenuItem() override;
    void OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;

    // Entries, unchecked, for the toolbar's resource buttons that it no
    // longer holds: each at its place in the resource counted from
    // iFirstEntry (appended past the menu's end), its text the command's
    // short name. How many were added.
    static int AddMissingResourceEntries(CKGPPopupMenu& menu, CKGPToolBar& bar, int iFirstEntry);

    // The toolbar whose entries the menu shows (set before the menu opens).
    static CKGPToolBar* m_pWndToolBar;
    static constexpr int kResetEntry = 17016;

private:
    // The text of a toolbar button as an entry shows it.
    static CString EntryText(const CKGPToolbarButton& button);
    // Lays the toolbar out again and shows the menus above it anew.
    void RefreshAfterChange();
    BOOL ShowButton(CKGPToolbarButton* pButton);
    BOOL InsertResourceButton();

    int m_iIndex = -1;
    BOOL m_bShow = FALSE;
    BOOL m_bSeparator = FALSE;
    BOOL m_bExist = FALSE;
    BOOL m_bAddSpr = FALSE;
    BOOL m_bEnabled = TRUE;
    BOOL m_bBrothersBtn = FALSE;
};
