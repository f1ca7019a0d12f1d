// A docking pane whose whole client is a tab window holding other docking
// panes as tabs: panes come in (a tabbed pane added brings all of its own),
// leave, float out and are shown or hidden one by one; the caption follows
// the active tab's label; the tab list and every pane's own state are stored
// with the pane. The derived class makes the tab window.
#pragma once

#include "guilib/docking/KGPDockingControlBar.h"

#include <memory>

class CKGPBaseTabWnd;

class CKGPBaseTabbedBar : public CKGPDockingControlBar {
    DECLARE_DYNAMIC(CKGPBaseTabbedBar)
public:
    // bAutoDestroy: the window owns the object and deletes it when it goes.
    explicit CKGPBaseTabbedBar(BOOL bAutoDestroy = FALSE);
    ~CKGPBaseTabbedBar() override;

    // ---- Overrides.
    // After the pane's own data, the auto-destroy flag: written, and when
    // read checked and dropped (who owns the object is never taken from
    // stored data).
    void Serialize(CArchive& ar) override;
    void ReadArchive(CArchive& ar, CKGPStoredLoad& load) override;
    HICON GetBarIcon(BOOL bBig) override;
    BOOL CanFloat() const override;
    BOOL FloatBar(CRect rect, KGPDockMethod method = KGP_DM_UNKNOWN, bool bShow = true) override;
    void AdjustHostLayout() override;
    // The pane's values and its tabs' own, read as one load.
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nID = -1, int nIndex = -1) override;
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nID = -1, int nIndex = -1) override;
    // What LoadState reads, queued on the caller's load.
    BOOL ReadStateWithTabs(CKGPStoredLoad& load, LPCTSTR lpszProfileName, int nID, int nIndex);
    void GetMinSize(CSize& size) const override;
    // The border, caption and tab strip around a tab's page.
    CSize SizeAroundPage() const;
    // A double click on a tabbed pane that has no docked place of its own,
    // whose detachable panes all have one, sends each pane to its place.
    BOOL DockPane(CKGPBaseControlBar* pDockBar, LPCRECT lpRect, KGPDockMethod method) override;
    // Auto-hidden, its shown detachable tabs leave it for the strip, each
    // with its own button on one toolbar (the active tab's slid out when the
    // timer is asked for), each going back to this pane's place; the hidden
    // or fixed tabs stay, and the pane with them (auto-hidden itself when one
    // of them shows, else hidden), or it goes when none is left.
    CKGPAutoHideToolBar* SetAutoHideMode(BOOL bMode, DWORD dwAlignment,
                                         CKGPAutoHideToolBar* pCurrAutoHideToolBar = nullptr,
                                         BOOL bUseTimer = TRUE) override;
    // Its active pane (or every shown pane) becomes a tabbed document of the
    // MDI frame and leaves it; left with no pane shown, it hides.
    void ConvertToTabbedDocument(BOOL bActiveTabOnly = TRUE) override;

    // ---- Own operations.
    virtual BOOL AddTab(CWnd* pNewBar, BOOL bVisible = TRUE, BOOL bSetActive = TRUE, BOOL bDetachable = TRUE);
    virtual BOOL FloatTab(CWnd* pBar, int nTabID, KGPDockMethod method, BOOL bHide = FALSE);
    virtual BOOL DetachBar(CWnd* pBar, BOOL bHide = FALSE);
    virtual BOOL RemoveControlBar(CWnd* pBar);
    virtual BOOL ShowTab(CWnd* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate);
    virtual CWnd* FindBarByID(UINT uBarID);
    virtual CWnd* FindBarByTabNumber(int nTabNum, BOOL bGetWrappedBar = FALSE);
    virtual CWnd* GetFirstVisibleTab(int& iTabNum);
    virtual void ApplyRestoredTabInfo(BOOL bUseTabIndexes = FALSE);
    virtual void SerializeTabWindow(CArchive& ar);
    virtual void SaveSiblingBarIDs(CArchive& ar);
    virtual void SetCaptionFromActiveTab(BOOL bSet) { m_bSetCaptionTextToTabName = bSet; }
    virtual BOOL IsCaptionFromActiveTab() const { return m_bSetCaptionTextToTabName; }
    // Runs fn on every tab pane of that class (every pane when null).
    virtual void ApplyToTabs(CRuntimeClass* pClass, void (*fn)(CKGPDockingControlBar* pPane) = nullptr);
    virtual void OnActivateTab(int /*iTabNum*/) {}
    virtual BOOL IsTabbedBar() const { return TRUE; }

    CWnd* GetUnderlyingWindow() const;
    CKGPBaseTabWnd* GetTabWnd() const { return m_pTabWnd.get(); }
    BOOL IsAutoDestroy() const { return m_bAutoDestroy; }
    // Its window is going (its tabs' windows go with it).
    BOOL IsDestroying() const { return m_bDestroying; }
    // The window owns the object from now on (set by who made it, never from stored data).
    void SetAutoDestroy(BOOL bAutoDestroy) { m_bAutoDestroy = bAutoDestroy; }
    // Leaves its host: the tabbed pane holding it when it is a tab, else its
    // floating frame or its default slider's tree.
    void UndockFromHost();
    // The tab state read with the pane; checked, queued in the load.
    void ReadTabWindowState(CArchive& ar, CKGPStoredLoad& load);
    // Follows the active tab: the caption and the close permission.
    void OnActiveTabChanged();

    // Sizes a tabbed pane by its active pane (library-wide, off by default).
    static BOOL m_bTabsAlwaysSizedByActive;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnChangeActiveTab(WPARAM wParam, LPARAM lParam);
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()

    // A pane floated by a double click goes back to a recent place first: by
    // the multi-pane frame holding this pane, or into the one it came from.
    BOOL BackToRecentPlace(CKGPDockingControlBar* pPane);

    BOOL m_bAutoDestroy = FALSE;
    std::unique_ptr<CKGPBaseTabWnd> m_pTabWnd;
    BOOL m_bSetCaptionTextToTabName = TRUE;
    CDWordArray m_arDefaultTabsOrder;
    BOOL m_bDestroying = FALSE;
};
