// A window that shows one of several child windows at a time, each behind a
// tab: the tabs' records (label, icon, colours, window, id), which tab is
// active, the notifications to the parent (activation asked and done,
// renaming, moving, tooltips), reordering by dragging, floating a tab's pane
// out by dragging it away, automatic colours and the tabs' stored form. The
// layout and the painting are the derived tab window's.
#pragma once

#include <afxarch.h>
#include <afxcmn.h>
#include <afxcoll.h>
#include <afxhandle.h>
#include <afxole.h>
#include <afxtempl.h>
#include <afxwin.h>

#include <functional>
#include <memory>
#include <vector>

#include "guilib/core/KGPStoredState.h"

class CKGPBaseTabWnd;

// One tab. Owned by its tab window.
class CKGPTabInfo : public CObject {
public:
    CKGPTabInfo(const CString& strText, UINT uiIcon, CWnd* pWnd, int iTabID, BOOL bDetachable);
    ~CKGPTabInfo() override;
    CKGPTabInfo(const CKGPTabInfo&) = delete;
    CKGPTabInfo& operator=(const CKGPTabInfo&) = delete;

    // Keeps a copy of the icon (none when null); the earlier copy goes.
    void SetOwnIcon(HICON hIcon);

    CString m_strText;
    UINT m_uiIcon = static_cast<UINT>(-1);
    CIconHandle m_hIcon;
    CRect m_rect;
    BOOL m_bVisible = TRUE;
    CWnd* m_pWnd = nullptr;
    BOOL m_bIsListView = FALSE;
    int m_nFullWidth = 0;
    int m_iTabID = 0;
    COLORREF m_clrText = static_cast<COLORREF>(-1);
    COLORREF m_clrBack = static_cast<COLORREF>(-1);
    BOOL m_bIconOnly = FALSE;
    BOOL m_bAlwaysShowToolTip = FALSE;
    BOOL m_bIsDetachable = TRUE;
    CRect m_rectTooltip;
};

// One stored tab, held between loading and taking its pane back.
struct CKGPRestoredTabInfo {
    CString m_strText;
    BOOL m_bVisible = TRUE;
    int m_nControlBarID = 0;
    BOOL m_bDetachable = TRUE;
    COLORREF m_clrText = static_cast<COLORREF>(-1);
    COLORREF m_clrBack = static_cast<COLORREF>(-1);
};

// What the parent fills for a tab's tooltip (KGM_ON_GET_TAB_TOOLTIP).
struct KGP_TAB_TOOLTIP_INFO {
    CString m_strText;
    CKGPBaseTabWnd* m_pTabWnd = nullptr;
    int m_nTabIndex = -1;
};

// While an OLE drag passes over a tab window, the tab under it opens.
class CKGPTabDropTarget : public COleDropTarget {
public:
    explicit CKGPTabDropTarget(CKGPBaseTabWnd& owner) : m_owner(owner) {}
    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    void OnDragLeave(CWnd* pWnd) override;
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;

private:
    CKGPBaseTabWnd& m_owner;
};

// Detach methods (the docking methods of a float).
constexpr int KGP_TAB_DETACH_BY_MOUSE = 1;
constexpr int KGP_TAB_DETACH_BY_DBLCLK = 2;

class CKGPBaseTabWnd : public CWnd {
    DECLARE_DYNAMIC(CKGPBaseTabWnd)
public:
    CKGPBaseTabWnd();
    ~CKGPBaseTabWnd() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // ---- Layout and hit areas (the derived window's).
    virtual BOOL IsPtInTabArea(CPoint point) const = 0;
    virtual void GetTabsRect(CRect& rect) const = 0;
    virtual BOOL SetImageList(HIMAGELIST hImageList);
    virtual BOOL SetImageList(UINT uiID, int cx = 15, COLORREF clrTransp = RGB(255, 0, 255));
    virtual void ClearImageList();
    virtual void RecalcTabsHeight();
    virtual int GetTabsHeight() const;
    virtual void GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const;
    virtual void RecalcLayout() = 0;

    // ---- Tabs.
    virtual void AddTab(CWnd* pTabWnd, UINT uiResTabLabel, UINT uiImageId = static_cast<UINT>(-1),
                        BOOL bDetachable = TRUE);
    virtual void AddTab(CWnd* pTabWnd, LPCTSTR lpszTabLabel, UINT uiImageId = static_cast<UINT>(-1),
                        BOOL bDetachable = TRUE);
    virtual void InsertTab(CWnd* pNewWnd, UINT uiResTabLabel, int nInsertAt, UINT uiImageId = static_cast<UINT>(-1),
                           BOOL bDetachable = TRUE);
    virtual void InsertTab(CWnd* pNewWnd, LPCTSTR lpszTabLabel, int nInsertAt,
                           UINT uiImageId = static_cast<UINT>(-1), BOOL bDetachable = TRUE);
    virtual BOOL RemoveTab(int iTab, BOOL bRecalcLayout = TRUE);
    virtual void RemoveAllTabs();
    virtual BOOL DetachTab(int nMethod, int nTabNum = -1, BOOL bHide = FALSE);
    virtual int GetVisibleTabsNum() const;
    virtual BOOL ShowTab(int iTab, BOOL bShow = TRUE, BOOL bRecalcLayout = TRUE, BOOL bActivate = FALSE);
    virtual int GetTabsNum() const { return m_iTabsNum; }
    virtual CWnd* GetTabWnd(int iTab) const;
    virtual CWnd* GetTabWndNoWrapper(int iTab) const;
    virtual BOOL GetTabRect(int iTab, CRect& rect) const;
    virtual BOOL GetTabLabel(int iTab, CString& strLabel) const;
    virtual BOOL SetTabLabel(int iTab, const CString& strLabel);
    virtual UINT GetTabIcon(int iTab) const;
    virtual BOOL SetTabIcon(int iTab, UINT uiIcon);
    virtual BOOL IsTabIconOnly(int iTab) const;
    virtual BOOL SetTabIconOnly(int iTab, BOOL bIconOnly = TRUE, BOOL bAlwaysShowToolTip = FALSE);
    virtual BOOL SetTabHicon(int iTab, HICON hIcon);
    virtual HICON GetTabHicon(int iTab) const;
    virtual COLORREF GetTabBkColor(int iTab) const;
    virtual BOOL SetTabBkColor(int iTab, COLORREF color = static_cast<COLORREF>(-1));
    virtual COLORREF GetTabTextColor(int iTab) const;
    virtual BOOL SetTabTextColor(int iTab, COLORREF color = static_cast<COLORREF>(-1));
    virtual int GetTabFullWidth(int iTab) const;
    virtual BOOL IsTabDetachable(int iTab) const;
    virtual BOOL EnableTabDetach(int iTab, BOOL bEnable);
    virtual BOOL StartRenameTab(int iTab);
    virtual BOOL RenameTab();
    virtual BOOL OnRenameTab(int /*iTab*/, CString& /*strName*/) { return TRUE; }
    virtual void EnableInPlaceEdit(BOOL bEnable) = 0;
    virtual void CalcRectEdit(CRect& rectEdit) = 0;
    virtual int GetActiveTab() const { return m_iActiveTab; }
    virtual CWnd* GetActiveWnd() const;
    virtual BOOL SetActiveTab(int iTab) = 0;
    virtual int GetTabFromPoint(CPoint& pt) const;
    virtual int GetTabFromHwnd(HWND hwnd) const;
    virtual int GetTabByID(int id) const;
    virtual BOOL EnsureVisible(int /*iTab*/) { return FALSE; }
    virtual void SetActiveTabColor(COLORREF clr);
    virtual void SetActiveTabTextColor(COLORREF clr);
    virtual COLORREF GetActiveTabColor() const;
    virtual COLORREF GetActiveTabTextColor() const;
    virtual CSize GetImageSize() const { return m_sizeImage; }
    virtual HIMAGELIST GetImageList() const;
    virtual BOOL HasImage(int iTab) const;
    virtual void SetTabBorderSize(int nTabBorderSize, BOOL bRepaint = TRUE);
    virtual int GetTabBorderSize() const { return m_nTabBorderSize; }
    virtual CWnd* GetChildAtPoint(CPoint point) const = 0;
    virtual void ApplyRestoredTabInfo(BOOL bUseTabIndexes = FALSE);
    virtual CWnd* GetFirstVisibleTab(int iStartFrom, int& iTabNum);
    virtual CWnd* GetFirstVisibleTab(int& iTabNum);
    virtual CWnd* GetLastVisibleTab(int& iTabNum);
    virtual void SwapTabs(int nFisrtTabID, int nSecondTabNum);
    virtual void MoveTab(int nSource, int nDest);
    virtual CSize GetMaxWindowSize() const;
    virtual void OnChangeTabs() {}
    virtual void FireChangeActiveTab(int nNewTab);
    virtual BOOL FireChangingActiveTab(int nNewTab);
    virtual void SetLocation(int location);
    virtual BOOL IsTabVisible(int iTab) const;

    // ---- Style queries (the tab window answers them).
    virtual BOOL IsFlatTab() const { return FALSE; }
    virtual BOOL IsOneNoteStyle() const { return FALSE; }
    virtual BOOL IsVS2005Style() const { return FALSE; }
    virtual BOOL IsLeftRightRounded() const { return FALSE; }
    virtual BOOL IsFlatFrame() const { return FALSE; }
    virtual BOOL IsInPlaceEdit() const { return m_bIsInPlaceEdit; }
    virtual BOOL IsMDITab() const { return FALSE; }
    virtual BOOL IsHideSingleTab() const { return m_bHideSingleTab; }
    virtual void SetHideSingleTab(BOOL bHide = TRUE);
    virtual BOOL IsColored() const;

    // ---- Toolbar buttons dragged over the tabs (the toolbars' data; none here).
    virtual BOOL OnDropToolbarData(COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }
    virtual DROPEFFECT OnDragEnterToolbarData(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
    virtual void OnDragLeaveToolbarData() {}
    virtual DROPEFFECT OnDragOverToolbarData(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }

    virtual void CleanUp();
    virtual int ResolveTabIndex(int iTab) const { return iTab == -1 ? m_iActiveTab : iTab; }
    virtual CWnd* CreateWrapper(CWnd* pWndToWrap, LPCTSTR lpszTabLabel);
    virtual void InitAutoColors();
    virtual BOOL IsActivateOnButtonUp() const { return m_bActivateOnBtnUp; }

    // ---- Settings.
    void ResetImageList();
    void EnableAutoColor(BOOL bEnable = TRUE);
    BOOL IsAutoColor() const { return m_bIsAutoColor; }
    void SetAutoColors(const CArray<COLORREF, COLORREF>& arColors);
    const CArray<COLORREF, COLORREF>& GetAutoColors() const { return m_arAutoColors; }
    void EnableCustomToolTips(BOOL bEnable = TRUE);
    void SetLabelNoPrefix(BOOL bNoPrefix = TRUE) { m_bLabelNoPrefix = bNoPrefix; }
    void EnableActivateOnRightClick(BOOL bEnable = TRUE) { m_bActivateOnRightClick = bEnable; }
    void SetActivateOnButtonUp(BOOL bEnable = TRUE) { m_bActivateOnBtnUp = bEnable; }
    void EnableTabSwap(BOOL bEnable) { m_bEnableTabSwap = bEnable; }
    BOOL IsTabSwapEnabled() const { return m_bEnableTabSwap; }
    void EnableHighlightOnHover(BOOL bEnable) { m_bHighLightTabs = bEnable; }
    void AutoDestroyWindow(BOOL bAutoDestroy = TRUE) { m_bAutoDestroyWindow = bAutoDestroy; }
    void HideInactiveWindow(BOOL bHide = TRUE) { m_bHideInactiveWnd = bHide; }
    void EnableWrapping(BOOL bEnable = TRUE) { m_bEnableWrapping = bEnable; }
    // The class of the docking wrappers made for plain windows (null: the plain wrapper).
    void SetDockingBarWrapperRTC(CRuntimeClass* pRTC) { m_pDockingBarWrapperRTC = pRTC; }
    CRuntimeClass* GetDockingBarWrapperRTC() const { return m_pDockingBarWrapperRTC; }
    void SetPickLastVisibleOnRemove(BOOL bPick = TRUE) { m_bPickLastVisible = bPick; }
    void SetReturnToPreviousTab(BOOL bReturn = TRUE) { m_bReturnToPrevTab = bReturn; }
    int GetLocation() const { return m_location; }
    int GetHighlightedTab() const { return m_iHighlighted; }
    int GetPreviousActiveTab() const { return m_iPrevActiveTab; }
    BOOL IsTabDragging() const { return m_bTabDragTracking; }
    CEdit* GetRenameEdit() const { return m_pInPlaceEdit; }
    const CKGPTabInfo* GetTabInfo(int iTab) const;

    // ---- Stored form: the tabs (label, visibility, window id, detachable,
    // colours), the active tab and the location. Loading keeps them for
    // ApplyRestoredTabInfo; ReadTabs checks and queues them in a load.
    void Serialize(CArchive& ar) override;
    void ReadTabs(CArchive& ar, CKGPStoredLoad& load);
    int GetRestoredTabsNum() const { return static_cast<int>(m_restoredTabs.size()); }
    const std::vector<CKGPRestoredTabInfo>& GetRestoredTabs() const { return m_restoredTabs; }
    int GetRestoredActiveTab() const { return m_nRestoredActiveTabID; }
    int GetRestoredLocation() const { return m_nRestoredLocation; }

    // Shared by all tab windows: what the parent fills for a tooltip.
    static KGP_TAB_TOOLTIP_INFO s_tooltipInfo;
    // Switches the parent's redrawing off while the active tab changes.
    static BOOL m_bEnableActivate;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnSysColorChange();
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg BOOL OnNeedTipText(UINT id, NMHDR* pNMH, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    // Sends a tab notification (one of KGPTabNotifications' sending ends,
    // given the window to send to) to the parent and then to the main window
    // when that is another window; answers the parent's answer, or the main
    // window's when the parent answered 0.
    LRESULT Notify(const std::function<LRESULT(CWnd*)>& send);
    // Activates the tab under a click as the mouse does (FALSE when refused).
    BOOL ActivateByClick(int iTab);
    // Activates the tab and tells the parent once (also when it stays active).
    void ActivateAndNotify(int iTab);
    // The tabs' visibility, for the shared rules.
    std::vector<bool> VisibleFlags() const;
    BOOL IsValidTab(int iTab) const { return iTab >= 0 && iTab < m_iTabsNum; }
    CKGPTabInfo* Tab(int iTab) const { return m_arTabs[static_cast<size_t>(iTab)].get(); }
    // Adds or refreshes a tab's tooltip tool.
    void AddTabTool(const CKGPTabInfo& info);
    void RedrawAll();
    void EndRename();

    BOOL m_bEnableWrapping = TRUE;
    CRuntimeClass* m_pDockingBarWrapperRTC = nullptr;
    BOOL m_bPickLastVisible = FALSE;
    BOOL m_bHighLightTabs = FALSE;
    BOOL m_bActivateOnRightClick = FALSE;
    int m_location = 0;
    std::vector<std::unique_ptr<CKGPTabInfo>> m_arTabs; // owns its tabs
    int m_iTabsNum = 0;
    int m_iActiveTab = -1;
    int m_iTabBeforeDrag = -1;
    CImageList m_Images;
    HIMAGELIST m_hImageList = nullptr;
    CSize m_sizeImage;
    CToolTipCtrl* m_pToolTip = nullptr;
    BOOL m_bCustomToolTips = FALSE;
    int m_nNextTabID = 1;
    int m_nTabBorderSize = 2;
    int m_nTabsHeight = 0;
    BOOL m_bAutoDestroyWindow = FALSE;
    BOOL m_bHideInactiveWnd = TRUE;
    int m_iHighlighted = -1;
    int m_iPressed = -1;
    BOOL m_bActivateOnBtnUp = FALSE;
    BOOL m_bEnableTabSwap = TRUE;
    BOOL m_bHideSingleTab = FALSE;
    COLORREF m_clrActiveTabBk = static_cast<COLORREF>(-1);
    COLORREF m_clrActiveTabFg = static_cast<COLORREF>(-1);
    CBrush m_brActiveTab;
    BOOL m_bLabelNoPrefix = FALSE;
    int m_iEditedTab = -1;
    CEdit* m_pInPlaceEdit = nullptr;
    BOOL m_bIsInPlaceEdit = FALSE;
    BOOL m_bTabDragTracking = FALSE;
    CPoint m_ptStartDrag;
    int m_nOffsetFromTabLeft = 0;
    std::vector<CKGPRestoredTabInfo> m_restoredTabs;
    int m_nRestoredActiveTabID = -1;
    int m_nRestoredLocation = 0;
    CKGPTabDropTarget m_DropTarget;
    CArray<COLORREF, COLORREF> m_arAutoColors;
    BOOL m_bIsAutoColor = FALSE;
    BOOL m_bIsDefaultAutoColor = TRUE;
    int m_iPrevActiveTab = -1;
    BOOL m_bReturnToPrevTab = FALSE;
    BOOL m_bActivateTabNotified = FALSE;
    BOOL m_bActivatingByMouse = FALSE;
    BOOL m_bWindowPosChanged = FALSE;
    BOOL m_bActivatedByClick = FALSE;
};
