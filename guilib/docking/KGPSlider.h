// The splitter bar between docking panes. A default slider stands beside the
// panes docked along one frame edge and owns the split tree they share
// (a CKGPBarContainerManager): the dock manager lays it out with the bars,
// and it lays the tree out in the room beside it; dragging it resizes the
// whole group. The inner sliders of the tree divide neighbouring panes and
// containers. A drag shows an outline that stays within the limits the tree
// gives and moves the slider (and resizes both sides) when released.
// Sliders are made with new and delete themselves when their window goes.
#pragma once

#include "guilib/docking/KGPBaseControlBar.h"

#include <memory>

class CKGPBarContainer;
class CKGPBarContainerManager;
class CKGPDockingControlBar;
class CKGPStoredLoad;

// Slider styles: a horizontal slider lies across a stack of panes (dragged up
// and down), a vertical one between panes side by side (dragged left and right).
constexpr DWORD KGP_SS_HORZ = 0x1;
constexpr DWORD KGP_SS_VERT = 0x2;

class CKGPSlider : public CKGPBaseControlBar {
    DECLARE_DYNCREATE(CKGPSlider)
public:
    CKGPSlider();
    explicit CKGPSlider(BOOL bDefaultSlider, CWnd* pParentForRecreation = nullptr);
    ~CKGPSlider() override;
    CKGPSlider(const CKGPSlider&) = delete;
    CKGPSlider& operator=(const CKGPSlider&) = delete;

    // After the base bar's data: id, third limit, rectangle, visibility, style,
    // thickness, default flag and the two limits; a default slider's tree
    // follows. Loading makes the window (and the tree's sliders) only when the
    // whole record is sound.
    void Serialize(CArchive& ar) override;
    void ReadArchive(CArchive& ar, CKGPStoredLoad& load) override;

    BOOL IsHorizontal() const override { return (m_dwSliderStyle & KGP_SS_HORZ) != 0; }
    BOOL IsSliderKind() const override { return TRUE; }
    BOOL IsAutoHideMode() const override { return m_bAutoHideMode; }
    // A group of panes that may float lets bars be inserted before it.
    BOOL AllowsInsertBefore() const override;
    BOOL IsResizable() const override;
    // Across its edge: its thickness plus the extent of its panes.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    // ---- Own operations, in slot order.
    virtual void MoveSlider(CSize offset, BOOL bAdjustLayout = TRUE);
    virtual CKGPDockingControlBar* AddControlBar(CKGPDockingControlBar* pBar);
    virtual CKGPDockingControlBar* AddRecentControlBar(CKGPDockingControlBar* pBar);
    virtual BOOL InsertControlBar(CKGPDockingControlBar* pBarToInsert, CKGPDockingControlBar* pTargetBar,
                                  DWORD dwAlignment, LPCRECT lpRect = nullptr);
    virtual void ReplaceControlBar(CKGPDockingControlBar* pBarOld, CKGPDockingControlBar* pBarNew);
    virtual void RemoveControlBar(CKGPDockingControlBar* pBar);
    // Splits the screen rectangle into the slider's strip and the panes' room.
    virtual HDWP RepositionBars(CRect rectNew, HDWP hdwp);
    virtual BOOL AddControlBarToContainer(CKGPDockingControlBar* pTargetBar,
                                          CKGPBarContainerManager& otherManager, DWORD dwAlignment);
    virtual BOOL AddContainer(CKGPBarContainerManager& otherManager, BOOL bOuterEdge);
    // A default slider shows while a pane of its tree is visible; the count of those.
    virtual int CheckVisibility();
    virtual void OnShowControlBar(CKGPDockingControlBar* pBar, BOOL bShow);
    // TRUE when every pane of the tree may be resized (or there is no tree).
    virtual BOOL QueryContainerState() const;
    virtual CKGPBaseControlBar* FindDockTarget(CPoint point, CKGPBaseControlBar*& pTargetBar, DWORD& dwAlignment,
                                               BOOL& bFound, BOOL& bInContainer) const;
    // An empty tree without sliders takes the slider off the dock manager and
    // destroys it.
    virtual void CheckEmptyAndRemove();
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                        CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwStyleEx, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                          CCreateContext* pContext = nullptr);
    virtual void StopTracking(BOOL bMoveSlider);

    // ---- What the tree knows, through the slider.
    const CObList* GetControlBars() const;
    const CObList* GetSliders() const;
    CRect GetRootContainerRect() const;
    CKGPBarContainer* FindContainer(CKGPDockingControlBar* pBar, BOOL& bLeftBar) const;
    int GetVisibleBarCount() const;
    CKGPDockingControlBar* FindBarByID(UINT nID) const;
    CKGPBarContainerManager* GetContainerManager() const { return m_pContainerManager; }

    BOOL IsDefault() const { return m_bDefaultSlider; }
    void SetAutoHideMode(BOOL bMode) { m_bAutoHideMode = bMode; }
    // An auto-hide slider's pane slides out of view (at once when asked),
    // unless it is the one kept.
    void SlideOutAutoHidePane(const CKGPBaseControlBar* pKeep, BOOL bImmediately) override;
    DWORD GetSliderStyle() const { return m_dwSliderStyle; }
    int GetWidth() const { return m_nWidth; }
    BOOL IsTracking() const { return m_bCaptured; }
    // Set by the tree that holds an inner slider; cleared when it lets it go.
    void SetContainerManager(CKGPBarContainerManager* pManager) { m_pContainerManager = pManager; }
    // The window a slider read from an archive is made in.
    void SetParentForRecreation(CWnd* pParent);
    // A default slider checks whether its tree is empty once the caller is done.
    void PostCheckEmpty();
    // The screen rectangle the drag outline may not leave, the last outline drawn.
    CRect GetLimitRect() const { return m_rectLimits; }
    CRect GetDragRect() const { return m_rectDragBounds; }

    // Library-wide: thickness of new sliders, the classes made for sliders
    // and for the trees of default sliders.
    static int m_nDefaultWidth;
    static CRuntimeClass* m_pSliderRTC;
    static CRuntimeClass* m_pContainerManagerRTC;

    // A new default slider for the panes of an edge (vertical for the left and
    // right edges), in the frame; null when it cannot be made.
    static CKGPSlider* CreateDefaultSlider(DWORD dwAlignment, CWnd* pDockSite, CRuntimeClass* pSliderRTC = nullptr);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnNcDestroy();
    afx_msg LRESULT OnCheckEmpty(WPARAM wParam, LPARAM lParam);
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()

    // A tree of the library's container-manager class (a plain one when that
    // class cannot be made).
    static std::unique_ptr<CKGPBarContainerManager> MakeContainerManager();
    // The outline of the drag on the desktop (erased when drawn again at the same place).
    void DrawOutline(const CRect& rect, const CRect* pPrevious);
    // Clips panes and sliders to the room when it is smaller than they need.
    void ClipToRoom(const CRect& rectRoom);

    UINT m_nID = static_cast<UINT>(-1);
    DWORD m_dwSliderStyle = 0;
    int m_nWidth = 0;
    BOOL m_bCaptured = FALSE;
    BOOL m_bDefaultSlider = FALSE;
    BOOL m_bAutoHideMode = FALSE;
    int m_nMinOffset = 0;
    int m_nMaxOffset = 0;
    int m_nStep = -1;
    CRect m_rectDragBounds;
    CRect m_rectLimits;
    CKGPBarContainerManager* m_pContainerManager = nullptr; // the tree this slider belongs to
    std::unique_ptr<CKGPBarContainerManager> m_pOwnManager; // a default slider's tree
    CWnd* m_pParentWndForSerialize = nullptr;
    // The panes and sliders are clipped to a room smaller than they need.
    BOOL m_bRegionsClipped = FALSE;

private:
    static HCURSOR s_hcurHorz;
    static HCURSOR s_hcurVert;
};
