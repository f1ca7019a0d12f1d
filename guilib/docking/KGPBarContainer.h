// A node of the split tree that lays out docking panes sharing one place (the
// panes beside a default slider, the panes of a multi-pane floating frame):
// a left (or top) side and a right (or bottom) side, each a pane or a
// sub-tree, with the slider that divides them. Sizes follow the sides' shares
// and minimum sizes (KGPSplitMath); the tree belongs to a container manager,
// which creates nodes and sliders and keeps the panes listed. Remembered dock
// places hold references on nodes so that a node outlives the removal of its
// panes until the last place is forgotten.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include <memory>

class CKGPBarContainer;
class CKGPBarContainerManager;
class CKGPBaseControlBar;
class CKGPDockingControlBar;
class CKGPRecentContainerInfo;
class CKGPSlider;
class CKGPStoredLoad;
class CKGPStoredReader;

// A sub-tree's owner deletes it, unless remembered places still name a node
// of it: such a node leaves the tree (forgetting its panes and slider) and
// goes with its last reference.
struct KGPContainerDisposer {
    void operator()(CKGPBarContainer* pContainer) const;
};
using KGPContainerPtr = std::unique_ptr<CKGPBarContainer, KGPContainerDisposer>;

class CKGPBarContainer : public CObject {
    DECLARE_DYNCREATE(CKGPBarContainer)
public:
    // What FindNode looks for.
    enum NodeKind { kLeftPane = 0, kRightPane = 1, kSlider = 2, kContainer = 3 };

    CKGPBarContainer() = default;
    explicit CKGPBarContainer(CKGPBarContainerManager* pManager, CKGPDockingControlBar* pLeftBar = nullptr,
                              CKGPDockingControlBar* pRightBar = nullptr, CKGPSlider* pSlider = nullptr);
    ~CKGPBarContainer() override;
    CKGPBarContainer(const CKGPBarContainer&) = delete;
    CKGPBarContainer& operator=(const CKGPBarContainer&) = delete;

    // Left pane, right pane, slider and sub-trees by control id (a tabbed pane
    // without an id as its tabs' record); loading reads a detached node whose
    // sliders are made, and whose panes are found, when the load commits.
    void Serialize(CArchive& ar) override;
    virtual void ReadArchive(CKGPStoredReader& in, CKGPStoredLoad& load);

    // ---- In slot order.
    // The union of the visible parts (all parts when bIgnoreVisibility), screen.
    virtual void GetWindowRect(CRect& rect, BOOL bIgnoreVisibility = FALSE) const;
    virtual void GetMinSize(CSize& size) const;
    virtual void GetMinSizeLeft(CSize& size) const;
    virtual void GetMinSizeRight(CSize& size) const;
    virtual int GetLargestPaneValue() const;
    // Gives the node's rectangle to its first pane but pBarToSkip (or sub-tree).
    virtual void Move(CKGPDockingControlBar* pBarToSkip, BOOL bDeferred);
    virtual BOOL RemovePane(CKGPDockingControlBar* pBar);
    virtual void DeletePane(CKGPDockingControlBar* pBar, BOOL bLeftSide);
    virtual void StoreRecentPlace(CKGPDockingControlBar* pBar);
    virtual void Reposition(CSize offset, HDWP& hdwp);
    virtual int ResizePartOfContainer(int nOffset, BOOL bHorz, BOOL bAtEnd, BOOL bMoveSlider, HDWP& hdwp);
    virtual int MoveSplit(int nOffset, HDWP& hdwp);
    virtual void ResizePane(int nOffset, CKGPDockingControlBar* pBar, CKGPBarContainer* pContainer, BOOL bHorz,
                            BOOL bAtEnd, HDWP& hdwp);
    virtual int CalcAvailablePartSpace(int nOffset, CKGPDockingControlBar* pBar, CKGPBarContainer* pContainer,
                                       BOOL bLeftSide) const;
    virtual CSize CalcAvailableSpace(CSize delta, BOOL bLeftSide) const;
    virtual void ResizeContainer(CRect rect, HDWP& hdwp, BOOL bRedraw = FALSE);
    virtual void StretchSide(BOOL bLeftSide, int nOffset, HDWP& hdwp);
    // A copy holding the visible panes and slider (the hidden ones stay here).
    virtual CKGPBarContainer* Split(CKGPBarContainer* pParentForCopy);

    // ---- Structure.
    void SetPane(CKGPDockingControlBar* pBar, BOOL bLeft);
    void SetContainer(KGPContainerPtr pContainer, BOOL bLeft);
    void SetSlider(CKGPSlider* pSlider) { m_pSlider = pSlider; }
    void SetManager(CKGPBarContainerManager* pManager, BOOL bDeep = FALSE);
    // Depth first, this node first: the node whose left pane, right pane or
    // slider is pObject, or the node itself when kContainer.
    CKGPBarContainer* FindNode(const CObject* pObject, NodeKind kind);
    BOOL IsEmpty() const;
    BOOL HasVisiblePane() const;
    BOOL IsLeftPartEmpty(BOOL bCheckVisibility = FALSE) const;
    BOOL IsRightPartEmpty(BOOL bCheckVisibility = FALSE) const;
    int CountNodes() const;
    int CountReferences() const;
    void AddRef() { ++m_nRefCount; }
    // The last release lets the node collapse when it no longer holds two places.
    void Release();
    int GetRefCount() const { return m_nRefCount; }
    BOOL IsSliderHorizontal() const;
    BOOL IsLeftBar(const CKGPBaseControlBar* pBar) const;
    // Takes the pane whose id the archive named for either side.
    BOOL SetPaneBySavedId(UINT nID, CKGPDockingControlBar* pBar);
    CKGPDockingControlBar* FindTabbedPaneOwner(UINT nTabID);
    // A sub-tree takes the place of the one of this node's panes it holds, else the right side.
    void ReplacePaneWithContainer(KGPContainerPtr pContainer, CKGPDockingControlBar* pBarToReplace);
    // Puts a pane back on the side it remembers (FALSE when that side is taken).
    BOOL AddPaneToRecentPlace(CKGPDockingControlBar* pBar, const CKGPRecentContainerInfo& info);
    // The control ids a stored tree names for its sides, and its tabs' ids.
    void CollectSavedIds(CList<UINT, UINT>& ids) const;
    // Gives the panes of a stored tree, once found, the shares their sides
    // were stored with (a tree stored without shares keeps the panes' own).
    void ApplyStoredShares();
    BOOL HoldsTabId(UINT nTabID) const;
    const CList<UINT, UINT>* GetTabIdList(BOOL bLeft) const { return bLeft ? &m_lstLeftTabIds : &m_lstRightTabIds; }
    void CheckSliderVisibility();
    // Forgets panes the manager no longer holds.
    void ReleaseEmptyPanes();
    void DeleteSubTrees();
    // Collapses into the parent when fewer than two places are held and no
    // remembered place names the node (the node may be gone afterwards).
    void CheckAndRemove();

    CKGPDockingControlBar* GetLeftBar() const { return m_pBarLeftTop; }
    CKGPDockingControlBar* GetRightBar() const { return m_pBarRightBottom; }
    CKGPBarContainer* GetLeftContainer() const { return m_pLeftContainer.get(); }
    CKGPBarContainer* GetRightContainer() const { return m_pRightContainer.get(); }
    CKGPBarContainer* GetParentContainer() const { return m_pParentContainer; }
    CKGPSlider* GetSlider() const { return m_pSlider; }
    CKGPBarContainerManager* GetManager() const { return m_pContainerManager; }
    int GetSizeShare() const { return m_nSizeShare; }
    void SetSizeShare(int nShare) { m_nSizeShare = nShare; }
    BOOL IsDisposed() const { return m_bRetired; }
    // Lets go of its sub-trees without disposing of them (their new owner has them).
    KGPContainerPtr TakeContainer(BOOL bLeft);
    void SetParent(CKGPBarContainer* pParent) { m_pParentContainer = pParent; }

protected:
    // A node without a slider lets go of its emptied sub-trees.
    void ReleaseEmptyChildren();
    friend struct KGPContainerDisposer;

    // The node's measures for one layout pass, computed once per node.
    struct Measure {
        int pass = -1;
        CRect rect;
        CSize minimum;
        BOOL visible = FALSE;
    };
    const Measure& Measured() const;
    // Leaves the tree with references still held: forgets everything it points to.
    void Retire();
    // Side i (0 left, 1 right): its pane and sub-tree.
    CKGPDockingControlBar* PaneOf(BOOL bLeft) const { return bLeft ? m_pBarLeftTop : m_pBarRightBottom; }
    CKGPBarContainer* ContainerOf(BOOL bLeft) const
    {
        return bLeft ? m_pLeftContainer.get() : m_pRightContainer.get();
    }
    // Whether a side holds a visible pane (a pane, or a sub-tree holding one).
    BOOL SideVisible(BOOL bLeft) const;
    // The larger of a side's pane's and its sub-tree's minimum (the sub-tree when it shows).
    void GetMinSizeOfSide(BOOL bLeft, CSize& size) const;
    BOOL SliderVisible() const;
    CWnd* OwnerWindow() const;
    // Places a window at a screen rectangle through the batch (unchanged: nothing).
    void Place(CWnd* pWnd, const CRect& rectScreen, HDWP& hdwp) const;
    // Gives a side its screen rectangle: its shown pane placed, else its sub-tree resized.
    void PlaceSide(BOOL bLeft, const CRect& rectScreen, HDWP& hdwp);
    void ReadSide(CKGPStoredReader& in, CKGPStoredLoad& load, BOOL bLeft, DWORD word);
    void WriteSide(CArchive& ar, BOOL bLeft) const;
    // The share a side keeps of the node (its pane's, else its sub-tree's),
    // and its extent along the node's axis while it shows (else 0).
    int SideShare(BOOL bLeft) const;
    int SideExtent(BOOL bLeft) const;

    CKGPDockingControlBar* m_pBarLeftTop = nullptr;
    CKGPDockingControlBar* m_pBarRightBottom = nullptr;
    CKGPSlider* m_pSlider = nullptr;
    KGPContainerPtr m_pLeftContainer;
    KGPContainerPtr m_pRightContainer;
    CKGPBarContainer* m_pParentContainer = nullptr;
    CKGPBarContainerManager* m_pContainerManager = nullptr;
    int m_nSizeShare = 50;
    BOOL m_bSavedSliderHorz = FALSE;
    int m_nRefCount = 0;
    DWORD m_dwSavedSliderStyle = 0;
    CRect m_rectSavedSliderRect;
    int m_nSavedLeftBarID = -1;
    int m_nSavedRightBarID = -1;
    int m_nSavedSliderID = -1;
    // The sides' shares a stored tree was read with (-1: stored without),
    // and their extents, which its first layout starts from when both show.
    int m_nStoredShares[2] = {-1, -1};
    int m_nStoredExtents[2] = {0, 0};
    BOOL m_bLayOutStoredExtents = FALSE;
    CList<UINT, UINT> m_lstLeftTabIds;
    CList<UINT, UINT> m_lstRightTabIds;
    CRect m_rectSecond;
    BOOL m_bSecondFlag = FALSE;
    BOOL m_bDisposing = FALSE;
    BOOL m_bRetired = FALSE;
    mutable Measure m_measure;
    // A slider read from an archive, made when the load commits.
    std::shared_ptr<CKGPSlider> m_pLoadedSlider;
};
