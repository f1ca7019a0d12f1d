// The owner of one split tree of docking panes, with the list of its panes
// (in layout order) and of the sliders made between them. A default slider at
// a frame edge owns one and forwards its docking calls to it; a multi-pane
// floating frame embeds one. It docks panes beside panes (splitting the
// target's place and making a slider), removes them, merges another tree in,
// answers hit tests and the layout's questions (minimum size, slider bounds)
// and stores the tree.
#pragma once

#include "guilib/docking/KGPBarContainer.h"

#include <afxwin.h>

#include <vector>

class CKGPDockManager;

class CKGPBarContainerManager : public CObject {
    DECLARE_DYNCREATE(CKGPBarContainerManager)
public:
    CKGPBarContainerManager();
    ~CKGPBarContainerManager() override;
    CKGPBarContainerManager(const CKGPBarContainerManager&) = delete;
    CKGPBarContainerManager& operator=(const CKGPBarContainerManager&) = delete;

    // The tree, the number of panes and each pane's control id (a tabbed pane
    // without one by its first tab's id). Loading needs the dock manager of
    // the frame the panes belong to: ReadArchive reads a new tree, checks it
    // and replaces the live one only when the load commits.
    void Serialize(CArchive& ar) override;
    virtual void ReadArchive(CKGPStoredReader& in, CKGPStoredLoad& load, CKGPDockManager* pDockManager);

    // ---- In slot order.
    virtual BOOL Create(CWnd* pOwner, CKGPSlider* pDefaultSlider, CRuntimeClass* pContainerRTC = nullptr);
    virtual BOOL AddContainer(CKGPDockingControlBar* pTargetBar, DWORD dwAlignment,
                              CKGPBarContainerManager& otherManager, BOOL bCopy);
    virtual BOOL AddContainerManager(CKGPBarContainerManager& otherManager, BOOL bOuterEdge);
    virtual BOOL AddPaneAsTab(CKGPDockingControlBar* pBar, CKGPDockingControlBar* pTargetBar);
    virtual void AddPane(CKGPDockingControlBar* pBar);
    virtual CKGPDockingControlBar* AddPaneToRecentPlace(CKGPDockingControlBar* pBar, BOOL bTabPlace = FALSE);
    virtual BOOL AddPaneBeside(CKGPDockingControlBar* pBar, CKGPDockingControlBar* pTargetBar, DWORD dwAlignment);
    // Whether AddPaneBeside would take the pane once it has left where it is
    // now (only a slider that cannot be made still refuses it then).
    BOOL CanAddPaneBeside(const CKGPDockingControlBar* pBar, CKGPDockingControlBar* pTargetBar,
                          DWORD dwAlignment) const;
    // Whether the pane's recent place here (or its tab's) is still in this tree.
    BOOL HasRecentPlaceOf(const CKGPDockingControlBar* pBar, BOOL bTabPlace) const;
    virtual void OnSliderMoved(CKGPSlider* pSlider, int nOffset, HDWP& hdwp);
    virtual void GetWindowRect(CRect& rect) const;
    virtual void GetFreeRect(CRect& rect) const;
    virtual BOOL RemovePane(CKGPDockingControlBar* pBar);
    virtual void ResizeContainers(CRect rect, HDWP& hdwp);
    virtual int ResizePartOfContainers(DWORD dwAlignment, BOOL bAtEnd, int nDelta, HDWP& hdwp);
    virtual void ReplacePane(CKGPDockingControlBar* pBarOld, CKGPDockingControlBar* pBarNew);
    // How far the slider may be dragged from where it stands, and the third
    // value of its limits (the tree's largest pane value).
    virtual void CalcSliderBounds(CKGPSlider* pSlider, int& nMinOffset, int& nMaxOffset, int& nValue) const;
    virtual BOOL CheckVisibility();
    virtual BOOL HasVisiblePane() const;
    virtual void GetMinSize(CSize& size) const;
    virtual int GetVisiblePaneCount() const;
    virtual void EnableGripper(BOOL bEnable);
    virtual void HideAll();
    virtual BOOL CanFloat() const;
    virtual BOOL AllowsInsertBefore() const;
    // The pane at a screen point: its tab area or caption first, then its body
    // within the sensitivity of its edges, then (unless exact) near it.
    virtual CKGPDockingControlBar* PaneFromPoint(CPoint point, int nSensitivity, BOOL bExactBar, BOOL& bIsTabArea,
                                                 BOOL& bCaption) const;
    // In a multi-pane floating frame showing one pane: that pane when the point
    // lies in the frame's caption.
    virtual BOOL PaneFromCaptionPoint(CPoint point, CKGPDockingControlBar*& pBar) const;
    virtual CKGPDockingControlBar* GetFirstPane() const;
    virtual CWnd* GetOwnerWindow() const { return m_pOwnerWnd; }
    virtual CKGPDockingControlBar* GetFirstVisiblePane() const;
    virtual BOOL IsResizable() const;
    virtual void SetPanesFlag(BOOL bValue);
    virtual void RemoveSlider(CKGPSlider* pSlider);
    virtual void StoreRecentPlace(CKGPDockingControlBar* pBar);
    virtual CKGPBarContainer* FindNodeByPane(CKGPDockingControlBar* pBar, BOOL& bLeftBar) const;

    // ---- Non-virtual.
    CKGPSlider* CreateSlider(CRect rectScreen, DWORD dwSliderStyle, UINT nID = 0xFFFFFFFF);
    // A pane of `rectNew` (and its minimum) docked on the `dwAlignment` side of a
    // target at `rectTarget` (screen): what the target keeps, the new pane's
    // place and the slider's, and the slider's style (KGP_SS_*); FALSE for an
    // alignment that is not one side.
    BOOL SplitRect(CRect& rectTarget, CRect& rectNew, CRect& rectSlider, DWORD& dwSliderStyle, DWORD dwAlignment,
                   CSize sizeMinNew) const;
    BOOL AddContainerBeside(CKGPDockingControlBar* pBar, KGPContainerPtr pContainer, DWORD dwAlignment);
    // SplitRect, and the slider made between the two; null when either fails.
    CKGPSlider* SplitWithSlider(CRect& rectTarget, CRect& rectNew, DWORD dwAlignment, CSize sizeMinNew);
    BOOL IsEmpty() const { return m_lstBars.IsEmpty(); }
    void CollectVisible(CObList& lstBars, CObList& lstSliders) const;
    void RemoveVisible(const CObList& lstBars, const CObList& lstSliders);
    // The pane, when it is still a live docking pane of this tree.
    BOOL KeepPaneIfValid(CKGPDockingControlBar* pBar);
    int CountNodes() const;
    int CountReferences() const;
    CKGPDockingControlBar* FindTabbedPaneOwner(UINT nTabID) const;
    void ReleaseEmptyPanes();
    void CheckDefaultSliderEmpty();

    const CObList& GetPanes() const { return m_lstBars; }
    const CObList& GetSliders() const { return m_lstSliders; }
    CKGPBarContainer* GetRootContainer() const { return m_pRootContainer.get(); }
    CKGPSlider* GetDefaultSlider() const { return m_pDefaultSlider; }
    // Hidden panes are laid out too (the tree of an auto-hidden pane).
    BOOL LaysOutHiddenPanes() const;
    // While set, a pane leaving the tree leaves what remains where it stands
    // (its siblings do not take its room): set on the trees a saved layout
    // applied into a frame not shown yet empties pane by pane (they go at the
    // end).
    void SuspendLayout(BOOL bSuspend) { m_bLayoutSuspended = bSuspend; }
    BOOL IsLayoutSuspended() const { return m_bLayoutSuspended; }
    // A new node of the tree's class, bound to this manager.
    KGPContainerPtr MakeContainer(CKGPDockingControlBar* pLeft = nullptr, CKGPDockingControlBar* pRight = nullptr,
                                  CKGPSlider* pSlider = nullptr);

    // One layout pass: nodes measure themselves once for all the pass asks,
    // and the windows they place move together when the outermost pass ends
    // (each once, to where it ends up), their old and new places then
    // repainted at once.
    class LayoutPass {
    public:
        explicit LayoutPass(const CKGPBarContainerManager* pManager);
        ~LayoutPass();
        LayoutPass(const LayoutPass&) = delete;
        LayoutPass& operator=(const LayoutPass&) = delete;

    private:
        const CKGPBarContainerManager* m_pManager;
        BOOL m_bOuter;
    };
    // The current pass, -1 outside one.
    int GetLayoutPass() const { return m_bInLayoutPass ? m_nLayoutPass : -1; }
    // During a pass: the window is to move to the screen rectangle when the
    // pass ends (TRUE); outside one FALSE (the caller moves it).
    BOOL QueueMove(CWnd* pWnd, const CRect& rectScreen) const;

    // Library-wide: the next id a new slider takes.
    static UINT s_nNextSliderID;
    // While set, sides are kept at their minimum even in too little room.
    static BOOL s_bKeepMinimum;

protected:
    // A right-to-left owner puts a pane docked on the left on the right, and back.
    BOOL SidesSwapped(DWORD dwAlignment) const;
    // Moves panes and sliders under the owner window.
    void Reparent(const CObList& lstBars, const CObList& lstSliders) const;
    // The panes found for the ids of a stored tree, queued to be attached.
    void RegisterTreeSliders(CKGPBarContainer* pNode);

    CObList m_lstBars;    // CKGPDockingControlBar, not owned
    CObList m_lstSliders; // CKGPSlider; windows delete themselves
    KGPContainerPtr m_pRootContainer;
    CRuntimeClass* m_pContainerRTC = nullptr;
    CKGPSlider* m_pDefaultSlider = nullptr;
    BOOL m_bDestroyRoot = TRUE;
    CWnd* m_pOwnerWnd = nullptr;
    mutable int m_nLayoutPass = 0;
    mutable BOOL m_bInLayoutPass = FALSE;
    BOOL m_bLayoutSuspended = FALSE;

private:
    // Moves the windows queued in the pass that ends.
    void FlushMoves() const;
    struct QueuedMove {
        HWND hWnd;
        CRect rectScreen;
    };
    mutable std::vector<QueuedMove> m_queuedMoves;
};
