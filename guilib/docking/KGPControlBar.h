// The dockable bar of the library: lives in a row of a dock bar along a frame
// edge (or, later, alone in a floating frame). It is dragged along and between
// rows, docked into dock bars, stretched and shrunk inside its row, remembers
// its recent docked place and keeps its state in the registry.
#pragma once

#include "guilib/docking/KGPBaseControlBar.h"

class CKGPControlBar : public CKGPBaseControlBar {
    DECLARE_DYNCREATE(CKGPControlBar)
public:
    CKGPControlBar() = default;
    // A bar deleted while its window lives leaves its row and dock bar first:
    // past this destructor its own handlers no longer run.
    ~CKGPControlBar() override;

    // ---- Base overrides.
    BOOL IsResizable() const override { return FALSE; }
    BOOL DocksAtFrameEdge() const override { return FALSE; }
    BOOL CanBeDocked(CKGPBaseControlBar* pDockBar) const override;
    BOOL DockToBar(CKGPBaseControlBar* pDockBar, LPCRECT lpRect, KGPDockMethod method) override;
    BOOL FloatBar(CRect rect, KGPDockMethod method = KGP_DM_UNKNOWN, bool bShow = true) override;
    void AdjustHostLayout() override;
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nID = -1, int nIndex = -1) override;
    BOOL ReadState(CKGPStoredLoad& load, LPCTSTR lpszProfileName, int nID, int nIndex) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    // ---- Own operations.
    virtual BOOL IsDragMode() const { return m_bDragMode; }
    virtual void GetMinSize(CSize& size) const { size = m_sizeMin; }
    void SetMinSize(CSize size) { m_sizeMin = size; }
    virtual int GetExpandableSize() const;
    virtual int GetAvailableShrink() const;
    virtual BOOL CanShareRow() const { return m_nExclusiveRow == 0; }
    virtual void SetExclusiveRow(int nMode) { m_nExclusiveRow = nMode; }
    virtual int GetExclusiveRow() const { return m_nExclusiveRow; }
    virtual void PrepareToDock(CKGPDockBar* pDockBar, KGPDockMethod method);
    virtual BOOL DockByMouse(CKGPBaseControlBar* pDockBar) { return DockToBar(pDockBar, nullptr, KGP_DM_MOUSE); }
    virtual int StretchBar(int nDelta);
    virtual BOOL ShouldChangeDockState(int nSensitivity, CKGPDockBar*& pTarget);
    virtual BOOL OnBeforeFloat(CRect& /*rect*/, KGPDockMethod /*method*/) { return TRUE; }
    virtual BOOL Create(LPCTSTR lpszClassName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                        DWORD dwBarStyle = KGP_BARSTYLE_FLOAT, CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                          UINT nID, DWORD dwBarStyle = KGP_BARSTYLE_FLOAT, CCreateContext* pContext = nullptr);
    virtual void OnAfterChangeParent(CWnd* pOldParent);
    virtual void SetDragMode(BOOL bOn) { m_bDragMode = bOn; }
    virtual BOOL DockControlBar(CKGPBaseControlBar* pDockBar, LPCRECT lpRect, KGPDockMethod method);
    virtual void EnterDragMode(BOOL bRememberOffset);
    virtual void StoreRecentDockInfo();
    void RemoveFromDockBar();
    // Back where a saved layout put it: docked at its recent edge and rectangle,
    // shown or hidden as it was.
    virtual void RestoreLoadedPlacement(CKGPDockManager* pDockManager);
    // The docking-options menu needs the context-menu manager: without it, FALSE.
    virtual BOOL OnShowControlBarMenu(CPoint point);
    virtual void OnDoubleClickEndDrag();
    virtual void CopyStateFrom(CKGPControlBar* pOther);
    virtual void GetBarName(CString& strName) const;

    // The size the bar asks for (its content); the layout rectangle and the
    // virtual rectangle follow it. Derived bars override CalcFixedLayout.
    void SetFixedSize(CSize size) { m_sizeFixed = size; }

    void SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom);
    void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    void UpdateVirtualRect();
    void GetVirtualRect(CRect& rect) const { rect = m_rectVirtual; }
    void GetVirtualRectScreen(CRect& rect) const;
    void OffsetVirtualRect(int dx, int dy);
    BOOL MoveVirtualRectByAlignment(DWORD dwAlignment, int nOffset);
    BOOL IsBefore(CPoint point, BOOL bScreen) const;
    void StoreRecentDockedRect();
    CPoint GetDragOffset() const { return m_ptClientHotSpot; }

    BOOL m_bGroupStart = TRUE;
    BOOL m_bGroupEnd = TRUE;
    BOOL m_bActive = TRUE;
    BOOL m_bRowChanged = FALSE;

    // Recent places (the floating part arrives with the floating frames).
    struct RecentDockInfo {
        CRect rectRecentFloat;
        CRect rectRecentDocked;
        DWORD dwRecentAlignment = 0;
        int nRecentRowIndex = 0;
        CKGPDockBar* pRecentDockBar = nullptr;
        CKGPDockBarRow* pRecentRow = nullptr;
    } m_recentDockInfo;

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnDestroy();
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    void EndDrag();

    int m_cxLeftBorder = 6;
    int m_cxRightBorder = 6;
    int m_cyTopBorder = 2;
    int m_cyBottomBorder = 2;
    int m_nSpacing = 2;
    int m_nMRUWidth = 32767;
    CRect m_rectVirtual;
    CRect m_rectDragStart;
    BOOL m_bCaptured = FALSE;
    UINT m_nID = 0;
    CPoint m_ptClientHotSpot;
    CPoint m_ptLastDrag;
    BOOL m_bDragMode = FALSE;
    int m_nExclusiveRow = 0;
    int m_nPinState = 0;
    CSize m_sizeMin{1, 1};
    CSize m_sizeFixed{0, 0};
    CRect m_rectLoadedDocked;
    BOOL m_bLoadedFloating = FALSE;
    BOOL m_bDblClickSeen = FALSE;
};
