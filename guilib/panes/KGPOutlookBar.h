// A docking pane whose pages are shown one at a time under page buttons (an
// outlook window): it docks and floats like other panes or sits as a plain
// child, takes only outlook pages when panes are dragged onto it, has a
// compact layout, and keeps the pages the user made at run time (custom
// pages), which it stores with its state. Its docking pane is the wrapper
// the outlook window puts around a page window that is no docking pane.
#pragma once

#include "guilib/docking/KGPBaseTabbedBar.h"
#include "guilib/docking/KGPDockingCBWrapper.h"
#include "guilib/panes/KGPOutlookMath.h"

#include <bitset>

class CKGPOutlookBarPane;
class CKGPOutlookWnd;
class CKGPRegistry;

// One custom page as stored.
struct KGPStoredCustomPage {
    int nID = 0;
    CString strTitle;
};

// What a bar's stored custom pages hold, read whole before anything changes.
struct KGPStoredCustomPages {
    std::vector<KGPStoredCustomPage> pages;
    BOOL bHasVisibleButtons = FALSE;
    int nVisibleButtons = -1;
};

class CKGPOutlookBar : public CKGPBaseTabbedBar {
    DECLARE_SERIAL(CKGPOutlookBar)
public:
    CKGPOutlookBar();
    ~CKGPOutlookBar() override;

    // Control-bar style bit 0x4: the bar docks itself in its frame;
    // without it, it is only given to the frame's dock manager.
    virtual BOOL Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, UINT nID, DWORD dwStyle,
                        DWORD dwControlBarStyle = KGP_BARSTYLE_RESIZE, CCreateContext* pContext = nullptr);
    // The toolbox scrolls its page here; nothing happens by default.
    virtual void OnScroll(BOOL /*bDown*/) {}
    virtual BOOL CanActivateOnPage(int /*iPage*/) const { return TRUE; }
    virtual void OnActivatePage(int /*iPage*/) {}
    virtual BOOL AllowDestroyEmptyTabbedBar() const { return FALSE; }

    // ---- Overrides.
    BOOL CanAcceptBar(const CKGPBaseControlBar* pBar) const override;
    // Only its own kind of page joins it: an outlook page, its docking
    // wrapper or another outlook bar's pages (none in compact mode).
    BOOL CanTakeAsTab(const CKGPDockingControlBar* pPane) const override;
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nID = -1, int nIndex = -1) override;
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nID = -1, int nIndex = -1) override;
    void GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const override;
    int HitTestDockArea(CPoint point, int nSensitivity) const override;
    BOOL FloatTab(CWnd* pBar, int nTabID, KGPDockMethod method, BOOL bHide = FALSE) override;
    BOOL IsCaptionFromActiveTab() const override;

    // ---- Settings.
    void SetMode2003(BOOL bMode2003 = TRUE);
    BOOL IsMode2003() const { return m_bMode2003; }
    void SetButtonsFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetButtonsFont() const { return m_pFontButtons; }
    const CString& GetBarName() const { return m_strBarName; }
    CKGPOutlookWnd* GetOutlookWnd() const;

    // ---- Pages moving between outlook bars.
    // A page window (floating, or standing in another bar) becomes the last
    // page, labelled with its window text and made active; FALSE when it
    // could not be added.
    BOOL TakePage(CKGPBaseControlBar* pPage);
    // The outlook bar a page window stands in (its parent, the outlook
    // window or a wrapper in between), null when none.
    static CKGPOutlookBar* HoldingPage(const CWnd* pPage);

    // ---- Custom pages (made at run time, stored with the bar's state).
    // A new page with the first free custom id, added as the last page;
    // null when no id is free or it could not be made.
    CKGPOutlookBarPane* CreateCustomPage(LPCTSTR lpszPageName, BOOL bActivatePage = TRUE);
    // Removes and destroys a custom page; FALSE when it is none of this bar's.
    BOOL RemoveCustomPage(UINT uiPage);
    int GetCustomPageCount() const { return static_cast<int>(m_lstCustomPages.GetCount()); }
    const CObList& GetCustomPages() const { return m_lstCustomPages; }
    // The ids of custom pages in use in all outlook bars.
    static BOOL IsCustomPageIdInUse(int nID);

    // ---- The stored form of the custom pages ("KGPOutlookCustomPages").
    // Writes the count, each page's id and title, then the visible page-button count.
    static void WriteCustomPages(CArchive& ar, const std::vector<KGPStoredCustomPage>& pages, int nVisibleButtons);
    // Reads the same, checked: ids of custom pages (none twice, none of
    // another bar), titles of bounded length; the visible page-button count
    // only where the workspace version wrote it. Damage throws.
    static KGPStoredCustomPages ReadCustomPages(CArchive& ar, int nWorkspaceVersion,
                                                const std::vector<bool>& takenIds);
    // The registry key of a bar's custom pages.
    static CString CustomPagesKey(LPCTSTR lpszProfileName, int nID, int nIndex);
    // Reads the stored custom pages into the load (checked, queued).
    BOOL ReadCustomPagesState(CKGPStoredLoad& load, LPCTSTR lpszProfileName, int nID, int nIndex);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    // An outlook page, its docking wrapper or an outlook bar.
    static BOOL IsOutlookPage(const CKGPBaseControlBar* pBar);
    // The ids flagged as taken by other bars' custom pages.
    std::vector<bool> IdsTakenByOthers() const;
    void ReleaseCustomPages();
    void TakeStoredPages(const KGPStoredCustomPages& stored, LPCTSTR lpszProfileName);

    COwningPtrList<CObList, CKGPOutlookBarPane*> m_lstCustomPages;
    BOOL m_bMode2003 = FALSE;
    CFont* m_pFontButtons = nullptr;
    CString m_strBarName;

    static std::bitset<kgp::outlook::kCustomPageIdCount> m_CustomPageIds;
};

// The docking wrapper an outlook window puts around a page window that is no
// docking pane: the tabbed pane it makes for its host is an outlook bar, and
// it deletes itself when its window goes.
// Where a page dragged out of an outlook bar came from, and where it goes
// when let go or sent back; kept by pages and by the docking panes that wrap
// them (the page the outlook window floats out is the wrapper).
class CKGPOutlookPageHome {
public:
    // Floating out: the bar the page stands in now (none when it stands
    // elsewhere, so Esc puts it back there instead).
    void Remember(const CWnd* pPage);
    // The remembered bar while it lives, else null.
    CKGPOutlookBar* Get() const;
    // Let go at a screen point: the outlook bar there (its own floating
    // frame looked through) takes the page.
    static BOOL DropAt(CKGPBaseControlBar* pPage, CPoint ptScreen);
    // Back to the remembered bar.
    BOOL Return(CKGPBaseControlBar* pPage) const;

private:
    HWND m_hBar = nullptr;
};

class CKGPOutlookBarDockingPane : public CKGPDockingCBWrapper {
    DECLARE_DYNCREATE(CKGPOutlookBarDockingPane)
public:
    CKGPOutlookBarDockingPane() { SetAutoDelete(TRUE); }

    // Dragged out of an outlook bar it remembers the bar; let go over an
    // outlook bar it joins it; Esc or a double click takes it back.
    BOOL OnBeforeFloat(CRect& rect, KGPDockMethod method) override;
    BOOL OnFloatingDrop(CPoint ptScreen) override;
    BOOL ReturnToRecentHost() override;
    CKGPOutlookBar* GetRecentOutlookBar() const { return m_recentOutlookBar.Get(); }

    // Created as the wrapper is, grouped in outlook style when it may be
    // grouped at all.
    BOOL CreateEx(DWORD dwStyleEx, LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper,
                  UINT nID, DWORD dwStyle, DWORD dwTabbedStyle = KGP_TAB_STYLE_OUTLOOK,
                  DWORD dwBarStyle = KGP_BARSTYLE_FLOAT | KGP_BARSTYLE_RESIZE | KGP_BARSTYLE_CLOSE |
                                     KGP_BARSTYLE_AUTOHIDE,
                  CCreateContext* pContext = nullptr) override;

private:
    CKGPOutlookPageHome m_recentOutlookBar;
};
