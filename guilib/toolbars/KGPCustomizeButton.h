// The button at the end of a toolbar: it lists the buttons the bar has no
// room for (the "more" glyph) and, with a customise entry, offers the
// customisation commands (the drop glyph). It is never stored with the bar
// and never dragged; the bar keeps it last.
#pragma once

#include "guilib/toolbars/KGPToolbarMenuButton.h"

#include <vector>

class CCustomizeButton : public CKGPToolbarMenuButton {
    DECLARE_SERIAL(CCustomizeButton)
public:
    CCustomizeButton() = default;
    // iCustomizeCmdId: the command of the customise entry (0: none).
    CCustomizeButton(int iCustomizeCmdId, const CString& strCustomizeText);

    void CopyButton(const CKGPToolbarButton& src) override;
    // One menu glyph (two in large-icons mode, unless large icons look
    // small) and the menu borders along the bar, the bar's thickness across
    // it; nothing while it makes no entry. A button without text takes the
    // library's name for it.
    SIZE MeasureOnBar(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    // Keeps whether its bar stands in a rebar.
    void OnChangeParentWnd(CWnd* pWndParent) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* pImages, BOOL bHorz = TRUE,
                BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                BOOL bGrayDisabledButtons = TRUE) override;
    BOOL IsArchivable() const override { return FALSE; }
    // A press opens the menu of the hidden buttons and the customise entry
    // (none while the toolbars are customised).
    BOOL HandleClick(CWnd* pWnd, BOOL bDelay) override;
    // The hidden buttons (a menu button with its sub-menu), then after a
    // separator "Add or Remove Buttons" (leading to the bar's name and on to
    // its buttons) and the customise entry; null when there is none. For the
    // caption menu: an item named after the bar leading to the bar's
    // buttons, then the customise entry.
    HMENU CreateMenu() const override;
    // The text of the item that leads to the bar's buttons to show or hide.
    static CString AddRemoveButtonsText();
    // The command of menu entries that stand for no command of their own (a
    // button without a command, the reset entry, the item that names the bar).
    static constexpr UINT kNoCommandEntry = static_cast<UINT>(-20);
    // Opens the button's own menu (never the caption menu).
    BOOL OpenPopupMenu(CWnd* pWnd = nullptr) override;
    void OnPopupMenuGone() override;
    void CancelState() override;

    // ---- The caption menu of the bar's floating frame ----
    // Opens, under the frame's menu button (rectButton, the bar's client
    // coordinates), the menu of the bar: its name leading to its buttons
    // (a library frame lists them to show or hide), then the customise
    // entry. The frame's menu button looks pushed until the menu goes.
    BOOL OpenCaptionMenu(CWnd* pBar, const CRect& rectButton, HWND hFrame);
    // The menu open now is the caption menu.
    BOOL IsCaptionMenuOpen() const { return m_hCaptionFrame != nullptr && IsDroppedDown(); }
    BOOL IsDraggable() const override { return FALSE; }
    BOOL IsSelectable() const override { return FALSE; }

    void SetCustomizeCommand(int iCustomizeCmdId, const CString& strCustomizeText);
    // The first flag: while set the button makes no entry on its bar (no size).
    void SetNoEntry(BOOL bNoEntry) { m_bNoEntry = bNoEntry; }
    BOOL IsNoEntry() const { return m_bNoEntry; }
    // Its bar stands in a rebar (kept when its parent changes).
    BOOL IsInRebar() const { return m_bInRebar; }
    void SetInRebar(BOOL bInRebar) { m_bInRebar = bInRebar; }
    // Its menu opens on its right side (by default).
    BOOL IsMenuOnRight() const { return m_bMenuOnRight; }
    void SetMenuOnRight(BOOL bOnRight) { m_bMenuOnRight = bOnRight; }
    int GetCustomizeCmdId() const { return m_iCustomizeCmdId; }
    const CString& GetCustomizeText() const { return m_strCustomizeText; }
    // A customise entry is a reason to show the button without hidden buttons.
    BOOL HasCustomizeEntry() const { return m_iCustomizeCmdId > 0; }

    // The buttons of the bar that did not fit; they stay the bar's.
    void AddHiddenButton(CKGPToolbarButton* pButton) { m_lstHiddenButtons.AddTail(pButton); }
    void ClearHiddenButtons() { m_lstHiddenButtons.RemoveAll(); }
    const CObList& GetHiddenButtons() const { return m_lstHiddenButtons; }
    BOOL HasHiddenButtons() const { return !m_lstHiddenButtons.IsEmpty(); }
    // The hidden button the menu's item at that place stands for (null: a
    // separator, or an item after the hidden buttons).
    CKGPToolbarButton* GetHiddenButtonAt(int iMenuIndex) const;
    // An item of the menu chosen: a hidden button acts as if clicked where it
    // would show. FALSE when the item stands for no hidden button.
    virtual BOOL OnClickMenuItem(int iMenuIndex);
    using CKGPToolbarMenuButton::OnClickMenuItem;

private:
    // The hidden buttons as the menu lists them, one per item; null stands
    // for a separator (none first, last or doubled).
    std::vector<CKGPToolbarButton*> HiddenMenuEntries() const;
    HMENU CreateCaptionMenu() const;
    // Appends "Add or Remove Buttons" > the bar's name > an item holding the
    // bar's control id; FALSE when the button is on no bar.
    BOOL AppendAddRemoveButtons(HMENU hMenu) const;
    // The customise entry's text: its own, else the library's.
    CString CustomizeEntryText() const;
    // The caption menu went: its frame's menu button no longer looks pushed.
    void EndCaptionMenu();

    int m_iCustomizeCmdId = 0;
    CString m_strCustomizeText;
    BOOL m_bNoEntry = FALSE;
    BOOL m_bInRebar = FALSE;
    BOOL m_bMenuOnRight = TRUE;
    // The floating frame whose caption menu is open (null: the button's own menu).
    HWND m_hCaptionFrame = nullptr;
    // Points to buttons of the bar's own list.
    CObList m_lstHiddenButtons;
};
