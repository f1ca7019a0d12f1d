// The tasks pane: a docking pane that shows one page at a time of task
// groups, each a caption (with an icon, collapsible with an animation) over a
// list of tasks (an icon and a link-like text that posts its command when
// clicked, a label, or a hosted child window). Pages are browsed with a
// history (back, forward, home), a navigation toolbar or caption buttons and
// a menu of all pages (KGPTasksPaneNavigation.cpp); floating, the pane sits in
// its own frame (CKGPTaskPaneMiniFrameWnd). Layout, scrolling and the
// animation's steps are plain functions (KGPTasksPaneLayout); the drawing is
// the look's. Its settings are stored under "KGPTasksPanes" as the binary
// value "Settings", read whole before anything changes
// (KGPTasksPaneState.cpp).
#pragma once

#include "guilib/core/KGPVisualItem.h"
#include "guilib/docking/KGPDockingControlBar.h"
#include "guilib/panes/KGPTasksHistory.h"
#include "guilib/panes/KGPTasksPaneLayout.h"
#include "guilib/panes/KGPTasksPaneToolBar.h"

#include <afxcmdui.h>
#include <afxcoll.h>
#include <afxcomctl.h>

#include <vector>

class CKGPTasksPane;
class CKGPCaptionMenuButton;
class CKGPTasksPaneTaskGroup;

// Commands and strings of the navigation (library resources; the texts
// have English stand-ins when the program carries none).
constexpr UINT KGP_TASKS_PANE_CAPTION = 17019;
constexpr UINT KGP_TASKS_PANE_BACK = 17020;
constexpr UINT KGP_TASKS_PANE_FORWARD = 17021;
constexpr UINT KGP_TASKS_PANE_HOME = 17022;
constexpr UINT KGP_TASKS_PANE_CLOSE = 17023;
constexpr UINT KGP_TASKS_PANE_PAGES = 17024;
// Caption-button hit codes of the navigation.
constexpr UINT KGP_TASKS_HIT_BACK = 23;
constexpr UINT KGP_TASKS_HIT_FORWARD = 24;
constexpr UINT KGP_TASKS_HIT_PAGES = 25;

class CKGPTasksPanePage : public CObject {
    DECLARE_DYNAMIC(CKGPTasksPanePage)
public:
    CKGPTasksPanePage(LPCTSTR lpszName, CKGPTasksPane* pTaskPane) : m_strName(lpszName), m_pTaskPane(pTaskPane) {}

    CString m_strName;
    CKGPTasksPane* m_pTaskPane;
};

// One task: a command with its text and icon, a label (command 0), or a
// hosted window.
class CKGPTasksPaneTask : public CObject, public CKGPVisualItem {
    DECLARE_DYNAMIC(CKGPTasksPaneTask)
public:
    CKGPTasksPaneTask(CKGPTasksPaneTaskGroup* pGroup, LPCTSTR lpszName, int nIcon, UINT uiCommandID,
                      DWORD_PTR dwUserData = 0, HWND hwndTask = nullptr, int nWindowHeight = 0)
        : m_pGroup(pGroup), m_strName(lpszName), m_nIcon(nIcon), m_uiCommandID(uiCommandID), m_dwUserData(dwUserData),
          m_hwndTask(hwndTask), m_nWindowHeight(nWindowHeight)
    {
    }

    // CKGPVisualItem
    CRect GetVisualRect() const override { return m_rect; }
    CString GetVisualText() const override { return m_strName; }
    int GetVisualGlyph() const override { return m_nIcon; }
    BOOL IsVisualPushed() const override { return !m_bEnabled; }

    CKGPTasksPaneTaskGroup* m_pGroup;
    CString m_strName;
    int m_nIcon;
    UINT m_uiCommandID;
    DWORD_PTR m_dwUserData;
    HWND m_hwndTask;
    CRect m_rect;
    BOOL m_bVisible = TRUE;
    BOOL m_bEnabled = TRUE;
    int m_nWindowHeight;
    // Its row is at least 10 pixels high.
    BOOL m_bTallRow = FALSE;
};

// A group of tasks on a page, under its caption. Owns its tasks.
class CKGPTasksPaneTaskGroup : public CObject, public CKGPVisualItem {
    DECLARE_DYNAMIC(CKGPTasksPaneTaskGroup)
public:
    CKGPTasksPaneTaskGroup(LPCTSTR lpszName, BOOL bIsSpecial, HICON hIcon, CKGPTasksPanePage* pPage);

    // CKGPVisualItem: the caption, its text and the collapsed state.
    CRect GetVisualRect() const override { return m_rect; }
    CString GetVisualText() const override { return m_strName; }
    BOOL IsVisualPushed() const override { return m_bIsCollapsed; }

    CKGPTasksPanePage* m_pPage;
    CString m_strName;
    COwningPtrList<CObList, CKGPTasksPaneTask*> m_lstTasks;
    BOOL m_bIsSpecial;
    CRect m_rect;       // the caption
    CRect m_rectGroup;  // the tasks area
    BOOL m_bIsCollapsed = FALSE;
    HICON m_hIcon;      // not owned
    CSize m_sizeIcon;
    // The tasks area's height when expanded (the animation's length).
    int m_nExpandedHeight = 0;
};

// The command UI of the tasks with one command: enabling and texts.
class CTaskCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetText(LPCTSTR lpszText) override;
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}

    CKGPTasksPane* m_pTaskPane = nullptr;
    CKGPTasksPaneTask* m_pTask = nullptr;
};

class CKGPTasksPane : public CKGPDockingControlBar {
    DECLARE_SERIAL(CKGPTasksPane)
    friend class CTaskCmdUI;
    friend class CKGPTaskPaneMiniFrameWnd;
    friend class CTasksPaneToolBar;

public:
    CKGPTasksPane();
    ~CKGPTasksPane() override;

    // ---- Pages and navigation (KGPTasksPaneNavigation.cpp).
    // Appends a page: its index.
    int AddPage(LPCTSTR lpszName);
    int GetPageCount() const { return static_cast<int>(m_lstTasksPanes.GetCount()); }
    CString GetPageName(int nPage) const;
    // Shows the page (history as a browser keeps it); an index outside the
    // pages changes nothing.
    void SetActivePage(int nPageIdx);
    int GetActivePage() const { return m_history.CurrentPage(); }
    void GoBack();
    void GoForward();
    void GoHome();
    BOOL IsBackButtonEnabled() const { return m_history.CanGoBack(); }
    BOOL IsForwardButtonEnabled() const { return m_history.CanGoForward(); }
    const kgp::tasks::History& GetHistory() const { return m_history; }
    // History entries back (or forward) by steps, held to the history.
    void MoveHistory(int nSteps);
    void GetPreviousPages(CStringList& lstPrevPages) const;
    void GetNextPages(CStringList& lstNextPages) const;
    void EnableNavigationToolbar(BOOL bEnable = TRUE);
    BOOL IsNavigationToolbarEnabled() const { return m_bUseNavigationToolbar; }
    void EnableHistoryMenuButtons(BOOL bEnable = TRUE) { m_bHistoryMenuButtons = bEnable; }
    CTasksPaneToolBar& GetNavigationToolbar() { return m_wndToolBar; }
    HMENU GetPagesMenu() const { return m_menuOther.Get(); }
    // The pages as a popup menu, the page shown checked; the items carry
    // nCommand, or with 0 their position + 1. The caller owns it.
    HMENU CreatePagesMenu(UINT nCommand) const;
    // Drops the pages menu under a caption menu button of pOwner and shows
    // the page chosen.
    void ShowPagesMenu(CKGPCaptionMenuButton* pButton, CWnd* pOwner);
    CString GetCaption() const { return m_strCaption; }

    // ---- Groups and tasks.
    int AddGroup(int nPageIdx, LPCTSTR lpszGroupName, BOOL bSpecial = FALSE, HICON hIcon = nullptr);
    int AddGroup(LPCTSTR lpszGroupName, BOOL bSpecial = FALSE, HICON hIcon = nullptr)
    {
        return AddGroup(0, lpszGroupName, bSpecial, hIcon);
    }
    int AddTask(int nGroup, LPCTSTR lpszTaskName, int nTaskIcon = -1, UINT uiCommandID = 0, DWORD_PTR dwUserData = 0);
    int AddLabel(int nGroup, LPCTSTR lpszLabelName, int nTaskIcon = -1) { return AddTask(nGroup, lpszLabelName, nTaskIcon); }
    // A task hosting the window (a child of the pane), nWindowHeight tall.
    int AddWindow(int nGroup, HWND hwndTask, int nWindowHeight, DWORD_PTR dwUserData = 0);
    int GetGroupCount() const { return static_cast<int>(m_lstTaskGroups.GetCount()); }
    CKGPTasksPaneTaskGroup* GetTaskGroup(int nGroup) const;
    CKGPTasksPaneTask* GetTask(int nGroup, int nTask) const;
    BOOL ShowTask(int nGroup, int nTask, BOOL bShow = TRUE);
    // Collapses or expands a group (animated when a click asks, see OnLButtonUp).
    BOOL CollapseGroup(int nGroup, BOOL bCollapse = TRUE);
    void RemoveAllGroups();
    // The task icons; the pane owns the list.
    void SetIconsList(HIMAGELIST hIcons);
    // The recent files GetMRUFileName reads (not owned).
    void SetRecentFiles(const CStringArray* pFiles) { m_pRecentFiles = pFiles; }
    // The file title of an entry of the recent files; FALSE for an empty
    // entry or a failure.
    BOOL GetMRUFileName(int nIndex, CString& strName) const;

    // ---- Accessibility (KGPTasksPaneAccessible.cpp).
    // The tasks of the page shown that draw themselves, in order: the
    // accessible client's children, numbered from 1.
    std::vector<CKGPTasksPaneTask*> GetAccessibleTasks() const;
    // The child number of the last task clicked while it is on the page
    // shown, else 0 (CHILDID_SELF).
    long GetAccessibleFocus() const;

    // ---- Options.
    // -1: the look's value.
    void SetMetric(kgp::tasks::Metric metric, int nValue) { m_metrics[metric] = nValue; }
    kgp::tasks::Metrics GetMetrics() const;
    void EnableScrollButtons(BOOL bEnable = TRUE) { m_bUseScrollButtons = bEnable; }
    void EnableGroupCollapse(BOOL bEnable = TRUE) { m_bCanCollapse = bEnable; }
    void EnableAnimation(BOOL bEnable = TRUE) { m_bAnimationEnabled = bEnable; }
    BOOL IsAnimationEnabled() const { return m_bAnimationEnabled; }
    void EnableWrapTasks(BOOL bEnable = TRUE) { m_bWrapTasks = bEnable; }
    void EnableWrapLabels(BOOL bEnable = TRUE) { m_bWrapLabels = bEnable; }
    // The clock the animation reads (milliseconds), for tests; null: clock().
    void SetAnimationClock(long (*pClock)()) { m_pClock = pClock; }

    // ---- Layout and state.
    // Lays the groups out again and, asked, repaints.
    void RecalcTasksLayout(BOOL bRedraw = TRUE);
    int GetScrollPosition() const { return m_scroll.position; }
    const kgp::tasks::ScrollMetrics& GetScrollMetrics() const { return m_scroll; }
    CKGPTasksPaneTaskGroup* GetAnimatedGroup() const { return m_pAnimatedGroup; }
    CKGPTasksPaneTask* GetHotTask() const { return m_pHotTask; }

    BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nID = -1, int nIndex = -1) override;
    BOOL ReadState(CKGPStoredLoad& load, LPCTSTR lpszProfileName, int nID, int nIndex) override;
    void Serialize(CArchive& ar) override;
    void ReadArchive(CArchive& ar, CKGPStoredLoad& load) override;

    // ---- Overrides and hooks.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override;
    void SetCaptionButtons() override;
    void OnPressButtons(UINT nHit) override;
    void OnTrackCaptionButtons(CPoint point) override;
    void StopCaptionButtonsTracking() override;
    // Answers TRUE for the toolbox made on the pane.
    virtual BOOL IsToolBox() const { return FALSE; }
    // A task was clicked: posts its command to the owner (else the parent).
    virtual void OnClickTask(int nGroupNumber, int nTaskNumber, UINT uiCommandID, DWORD_PTR dwUserData);
    // The page changed from one history entry to another.
    virtual void OnActivateTasksPanePage() {}

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnCancelMode();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg BOOL OnNeedNavigationTip(UINT id, NMHDR* pNMH, LRESULT* pResult);
    // The accessible client object, while the library's accessibility is on.
    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    afx_msg void OnCommandBack();
    afx_msg void OnCommandForward();
    afx_msg void OnCommandHome();
    afx_msg void OnCommandClose();
    afx_msg void OnCommandPages();
    afx_msg void OnUpdateBack(CCmdUI* pCmdUI);
    afx_msg void OnUpdateForward(CCmdUI* pCmdUI);
    afx_msg void OnUpdateHome(CCmdUI* pCmdUI);
    afx_msg void OnUpdateClose(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePages(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // ---- Painting and layout.
    void DrawContent(CDC& dc);
    void RebuildFonts();
    void AdjustScroll();
    void RepositionTasks();
    void ShowScrollAreas();
    int RowHeight() const;
    // The groups of the page shown, in order.
    void CurrentGroups(std::vector<CKGPTasksPaneTaskGroup*>& groups) const;

    // ---- Mouse.
    CKGPTasksPaneTask* TaskFromPoint(CPoint point) const;
    CKGPTasksPaneTaskGroup* CaptionFromPoint(CPoint point) const;
    void SetHotTask(CKGPTasksPaneTask* pTask);
    void SetHotCaption(CKGPTasksPaneTaskGroup* pGroup);
    void ReleaseTracking();
    void ToggleGroup(CKGPTasksPaneTaskGroup* pGroup);
    void ShowStatusPrompt(UINT nID);
    long Now() const;
    void ScrollTo(int nPosition);
    int GroupIndex(const CKGPTasksPaneTaskGroup* pGroup) const;
    int TaskIndex(const CKGPTasksPaneTask* pTask) const;

    // ---- Navigation.
    void ChangeActivePage(int nOldPage);
    void RebuildPagesMenu();
    void UpdateCaption();
    void UpdateNavigationButtons();
    void ShowPagesMenuFromCaption(CKGPCaptionButton* pButton);
    BOOL IsFloatingInOtherFrame() const;
    BOOL UsesNavigationCaptionButtons() const;
    // "<path>KGPTasksPane-<id>[<index in hex>]" under "KGPTasksPanes".
    CString SettingsKey(LPCTSTR lpszProfileName, int nID, int nIndex) const;

    // Pages, history and what shows them.
    COwningPtrList<CObList, CKGPTasksPanePage*> m_lstTasksPanes;
    kgp::tasks::History m_history;
    BOOL m_bUseNavigationToolbar = FALSE;
    BOOL m_bHistoryMenuButtons = FALSE;
    CTasksPaneToolBar m_wndToolBar;
    CRect m_rectToolbar;
    CMenuHandle m_menuOther;
    BOOL m_bMenuBusy = FALSE;
    CString m_strCaption;

    // Groups of every page (owned), hot and pressed parts.
    COwningPtrList<CObList, CKGPTasksPaneTaskGroup*> m_lstTaskGroups;
    CKGPTasksPaneTask* m_pHotTask = nullptr;
    CKGPTasksPaneTask* m_pClickedTask = nullptr;
    CKGPTasksPaneTaskGroup* m_pHotGroupCaption = nullptr;
    CKGPTasksPaneTaskGroup* m_pClickedGroupCaption = nullptr;
    BOOL m_bTracking = FALSE;

    // Fonts made from the pane's font.
    HFONT m_hFont = nullptr;  // the font set by WM_SETFONT (not owned)
    CGdiHandle<HFONT> m_fontBold;
    CGdiHandle<HFONT> m_fontBoldUnderline;
    CGdiHandle<HFONT> m_fontUnderline;

    CImageList m_lstIcons;
    CSize m_sizeIcon{0, 0};
    const CStringArray* m_pRecentFiles = nullptr;

    // Layout and scrolling.
    BOOL m_bCanCollapse = TRUE;
    CRect m_rectTasks;
    CScrollBar m_wndScrollVert;
    BOOL m_bUseScrollButtons = TRUE;
    CRect m_rectScrollUp;
    CRect m_rectScrollDn;
    int m_iScrollMode = 0;  // -1 up, +1 down while the mouse rests on an area
    int m_iScrollBtnHeight = 0;
    kgp::tasks::ScrollMetrics m_scroll;
    int m_nContentHeight = 0;
    int m_nRowHeight = 0;
    BOOL m_bInLayout = FALSE;

    // Animation.
    BOOL m_bAnimationEnabled = TRUE;
    CKGPTasksPaneTaskGroup* m_pAnimatedGroup = nullptr;
    kgp::tasks::CollapseAnimation m_animation;
    long (*m_pClock)() = nullptr;

    kgp::tasks::Metrics m_metrics;
    BOOL m_bWrapTasks = FALSE;
    BOOL m_bWrapLabels = FALSE;

    // The last clicked task, for accessibility.
    int m_nAccGroup = -1;
    int m_nAccTask = -1;
    CString m_strAccName;
};
