// The MDI client of a library MDI frame, subclassed by the frame. Besides
// plain MDI it shows the children as tabs of one strip (MDI tabs) or of several
// tab windows splitting the client side by side or stacked (MDI tab groups);
// a tab may be dragged into another group or into a new one. It saves and
// loads the children's arrangement in the registry.
#pragma once

#include <afxwin.h>

#include <memory>
#include <unordered_map>
#include <vector>

#include "guilib/frames/KGPMDIClientLinks.h"
#include "guilib/tabs/KGPTabWnd.h"

class CKGPStoredReader;
struct CKGPMDIStoredArrangement;
namespace kgp::mdi {
struct DragState;
}

// The options every tab window of the client area gets.
class CKGPMDITabParams {
public:
    CKGPMDITabParams();

    int m_tabLocation;      // CKGPTabWnd::LOCATION_TOP or LOCATION_BOTTOM
    int m_style;            // tab style code
    BOOL m_bTabIcons;       // the children's icons on the tabs
    BOOL m_bTabCloseButton; // a close button on the strip
    BOOL m_bTabCustomTooltips;
    BOOL m_bAutoColor;
    BOOL m_nTabListMode;    // the right button lists the tabs
    BOOL m_bEnableTabSwap;  // tabs reordered by dragging
    int m_nTabBorderSize;
    BOOL m_bFlatFrame;

    // Eight of the values (neither the custom tooltips nor the flat frame).
    void Serialize(CArchive& ar);
};

class CKGPMainClientAreaWnd : public CWnd {
    DECLARE_DYNAMIC(CKGPMainClientAreaWnd)
public:
    CKGPMainClientAreaWnd();
    ~CKGPMainClientAreaWnd() override;

    // ---- Modes.
    void EnableMDITabs(BOOL bEnable, const CKGPMDITabParams& params);
    void EnableMDITabbedGroups(BOOL bEnable, const CKGPMDITabParams& params);
    BOOL AreMDITabs() const { return m_bTabIsEnabled; }
    BOOL IsMDITabbedGroup() const { return m_bIsMDITabbedGroup; }
    BOOL IsTabVisible() const { return m_bTabIsVisible; }
    // The frame hides the tabs in print preview and shows them after.
    void SetTabVisible(BOOL bVisible) { m_bTabIsVisible = bVisible; }
    const CKGPMDITabParams& GetMDITabParams() const { return m_mdiTabParams; }
    CKGPTabWnd& GetMDITabs() { return *m_wndTab; }
    const CObList& GetMDITabGroups() const { return m_lstTabbedGroups; }
    int GetGroupAlignment() const { return m_nGroupAlignment; }
    // The marker drawn while a tab is dragged (screen; empty: none).
    CRect GetNewTabGroupRect() const { return m_rectNewTabGroup; }
    BOOL IsMemberOfMDITabGroup(CWnd* pWnd) const;

    // ---- Tabs following the children.
    void UpdateTabs(BOOL bSetActiveTabVisible = FALSE);
    void UpdateMDITabbedGroups(BOOL bSetActiveTabVisible);
    void SetActiveTab(HWND hwnd);

    // ---- Groups.
    virtual CKGPTabWnd* CreateTabGroup(CKGPTabWnd* pWndTab);
    void RemoveTabGroup(CKGPTabWnd* pTabWnd, BOOL bRecalcLayout = TRUE);
    BOOL MoveWindowToTabGroup(CKGPTabWnd* pTabWndFrom, CKGPTabWnd* pTabWndTo, int nIdx = -1);
    CKGPTabWnd* CreateNewTabGroup(CKGPTabWnd* pTabWndAfter, CRect rectGroup, BOOL bVertical);
    // Which group commands make sense for the active child's group.
    DWORD GetMDITabsContextMenuAllowedItems();
    // WM_CLOSE to every child of the group (last tab first), or of the client.
    void CloseAllWindows(CKGPTabWnd* pTabWnd);

    // ---- Layout: the frame gives the client its rectangle.
    void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0) override;

    // ---- Stored arrangement (registry section "MDIClientArea").
    BOOL SaveState(LPCTSTR lpszProfileName, int nFrameID);
    BOOL LoadState(LPCTSTR lpszProfileName, int nFrameID);
    void Serialize(CArchive& ar) override;

    // Group commands (GetMDITabsContextMenuAllowedItems).
    enum AllowedItem : DWORD {
        NEW_VERTICAL_GROUP = 1,
        NEW_HORZ_GROUP = 2,
        MOVE_TO_PREV_GROUP = 4,
        MOVE_TO_NEXT_GROUP = 8,
        TABBED_DOCUMENT = 16,
    };

    // Child placement skips hidden groups and closing a child leaves the
    // redraw on (nothing in the library changes it).
    static BOOL m_bDisableSetRedraw;
    // The styles a document window loses while it is a tab.
    static DWORD m_dwCaptionStyleMask;

    // The document window as the client area sees it while it is a tab
    // (null for a plain one).
    static IKGPMDITabChild* TabChildOf(CWnd* pWnd);

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnStyleChanging(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetMenu(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMDIRefreshMenu(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMDIDestroy(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMDINext(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnUpdateTabs(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetDragBounds(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDragComplete(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTabGroupMouseMove(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCancelTabMove(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMoveTabComplete(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    IKGPMDIClientFrame* GetClientFrame() const;
    // Shown in the client area by its own style: a document window made
    // before the frame is shown counts as shown (the system's visibility
    // would wait for every parent).
    static BOOL IsShownInClient(const CWnd* pWnd) { return pWnd != nullptr && (pWnd->GetStyle() & WS_VISIBLE) != 0; }
    // The MDI children in window order (the groups' tab windows left out).
    std::vector<CWnd*> GetMDIChildren() const;
    std::vector<CKGPTabWnd*> Groups() const;
    CKGPTabWnd* GetActiveGroup() const;
    CKGPTabWnd* GroupOf(CWnd* pChild) const;
    void RecalcFrameLayout();
    BOOL KeepsClientEdge();
    void SetClientEdge(BOOL bEdge);
    void ApplyParams(CKGPTabWnd* pTabWnd);
    void ApplySplitterModes();
    // Every tabbed child gets its caption back and leaves its tab.
    void RestoreCaptions();
    CImageList* GroupImageList(CKGPTabWnd* pTabWnd);
    int IconIndex(CImageList& images, HICON hIcon);
    void UpdateTabIcon(CKGPTabWnd* pTabWnd, CImageList* pImages, int iTab, HICON hIcon);
    void PlaceGroupChildren(CKGPTabWnd* pGroup);
    void PlaceTabbedChildren(const CRect& rectClient);
    void KeepMinimizedChildrenAtBottom(int nHeightChange);
    void LayoutGroups();
    kgp::mdi::DragState CurrentDragState(CKGPTabWnd* pSource) const;
    CKGPTabWnd* DragSource(WPARAM wParam) const;
    void SetDropMarker(const CRect& rect, BOOL bVertical);
    static HCURSOR DragCursor(BOOL bDrop);
    // The class an object stored with a document window must be of.
    virtual const CRuntimeClass* GetDocumentStateClass() const { return RUNTIME_CLASS(CObject); }
    // Stored arrangement.
    void WriteTabWindow(CArchive& ar, CKGPTabWnd& tabWnd);
    void WriteChildren(CArchive& ar);
    void ReadArrangement(CKGPStoredReader& reader, CKGPMDIStoredArrangement& stored) const;
    void ApplyArrangement(CKGPMDIStoredArrangement& stored);
    // The stored documents opened in order (plan: kgp::mdi::OpenKind values).
    std::vector<CWnd*> OpenStored(CKGPMDIStoredArrangement& stored, const std::vector<int>& plan);

    std::unique_ptr<CKGPTabWnd> m_wndTab; // never null; its window only while MDI tabs are on
    BOOL m_bTabIsVisible = FALSE;
    BOOL m_bTabIsEnabled = FALSE;
    CImageList m_TabIcons;
    CMap<HICON, HICON, int, int> m_mapIconIndex;
    CKGPMDITabParams m_mdiTabParams;
    COwningPtrList<CObList, CKGPTabWnd*> m_lstTabbedGroups; // in layout order
    std::unordered_map<CWnd*, std::unique_ptr<CImageList>> m_mapTabIcons;
    BOOL m_bIsMDITabbedGroup = FALSE;
    COwningPtrList<CObList, CKGPTabWnd*> m_lstRemovedTabbedGroups;
    int m_nGroupAlignment = 0;                 // 0 none, 1 vertical, 2 horizontal
    int m_nResizeMargin = 40;
    CRect m_rectNewTabGroup;
    BOOL m_bNewVerticalGroup = FALSE;
    int m_nNewGroupMargin = 40;
    BOOL m_bDisableUpdateTabs = FALSE;
    int m_nTotalResizeRest = 0;
    CStringList m_lstLoadedDocuments;
};
