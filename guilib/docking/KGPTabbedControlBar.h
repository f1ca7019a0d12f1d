// The tabbed docking pane the docking layer makes when a pane is dropped on
// another as a tab: its tab window is styled by library-wide settings, and
// every live one is listed so that a change of those settings or of the look
// reaches all of them.
#pragma once

#include "guilib/docking/KGPBaseTabbedBar.h"

class CKGPTabbedControlBar : public CKGPBaseTabbedBar {
    DECLARE_SERIAL(CKGPTabbedControlBar)
public:
    explicit CKGPTabbedControlBar(BOOL bAutoDestroy = FALSE);
    ~CKGPTabbedControlBar() override;

    BOOL FloatTab(CWnd* pBar, int nTabID, KGPDockMethod method, BOOL bHide = FALSE) override;
    BOOL DetachBar(CWnd* pBar, BOOL bHide = FALSE) override;
    void GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const override;
    void OnPressCloseButton() override;
    virtual BOOL IsTabLocationBottom() const;

    // Every live tabbed control bar takes the library-wide settings and the look again.
    static void ReapplyTabSettingsToAll();

    // ---- Library-wide settings.
    static int m_StyleTabWnd;            // the tab window's style code
    static BOOL m_bIsTabsAutoColor;
    static BOOL m_bTabsAlwaysTop;        // FALSE: tabs at the bottom
    static CArray<COLORREF, COLORREF> m_arTabsAutoColors; // empty: the built-in list
    static CRuntimeClass* m_pTabWndRTC;  // the tab window's class
    static CList<HWND, HWND> m_lstTabbedControlBars;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
