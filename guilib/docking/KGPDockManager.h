// The per-frame registry of everything that docks: the ordered list of bars
// (dock bars first, then the others), the floating frames, and the layout that
// lays the docked bars along the edges of the frame's client area and leaves
// the rest (the inner rectangle) to the view. Lists do not own their bars:
// windows belong to the frame's window tree.
#pragma once

#include <afxwin.h>
#include <afxext.h>
#include <afxtempl.h>

#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "guilib/docking/KGPAutoHideSaveInfo.h"
#include "guilib/docking/KGPDockDecision.h"
#include "guilib/docking/KGPSmartDockingManager.h"

class IKGPDockSite;
class CKGPAutoHideToolBar;
class CKGPBaseControlBar;
class CKGPDockBar;
class CKGPDockingControlBar;
class CKGPSlider;
class CKGPMiniFrameWnd;
class CKGPStoredLoad;
class CKGPLoadedLayout;

class CKGPDockManager : public CObject {
    DECLARE_DYNAMIC(CKGPDockManager)
public:
    CKGPDockManager();
    ~CKGPDockManager() override;
    CKGPDockManager(const CKGPDockManager&) = delete;
    CKGPDockManager& operator=(const CKGPDockManager&) = delete;

    // Names the frame the manager lays bars out in (its dock site) and, from a
    // library frame, what that frame decides itself (its IKGPDockSite, which
    // the frame hands over as it makes its manager). From then on docking
    // finds the manager by that frame's window (FromSite), until the manager
    // goes or is told null (no frame any more, nor its decisions).
    BOOL Create(CFrameWnd* pParentWnd) { return SetParentFrame(pParentWnd); }
    BOOL Create(CFrameWnd* pParentWnd, IKGPDockSite* pSite);
    BOOL SetParentFrame(CFrameWnd* pFrame);
    CFrameWnd* GetDockSite() const { return m_pParentWnd; }
    // The dock manager whose dock site is this window, or null. The one
    // look-up by window docking keeps: a bar is made on a window (its Create
    // takes its parent, never a manager), and a floating frame or pane asks
    // the frame it stands over (a document window's bar floats over the main
    // frame); the record forgets a manager as it goes, so a window whose
    // manager went finds none.
    static CKGPDockManager* FromSite(HWND hSite);
    // What the dock site decides itself (the IKGPDockSite its frame handed
    // over), or null for a frame that handed none.
    IKGPDockSite* GetSite() const { return m_pSite; }

    // Creates the dock bars of the enabled edges (top, bottom, left, right).
    BOOL EnableDocking(DWORD dwDockStyle);
    DWORD GetEnabledAlignment() const { return m_dwEnabledAlignment; }

    // ---- The bar list.
    BOOL AddControlBar(CKGPBaseControlBar* pBar, BOOL bTail = TRUE, BOOL bAutoHide = FALSE,
                       BOOL bInsertBeforeFloatable = FALSE);
    BOOL InsertControlBar(CKGPBaseControlBar* pBar, CKGPBaseControlBar* pBarToInsertAt, BOOL bAfter = TRUE);
    void RemoveControlBar(CKGPBaseControlBar* pBar, BOOL bDestroy = FALSE, BOOL bAdjustLayout = FALSE,
                          BOOL bAutoHide = FALSE, CKGPBaseControlBar* pBarToReplaceWith = nullptr);
    virtual BOOL AddMiniFrame(CWnd* pMiniFrame);
    virtual BOOL RemoveMiniFrame(CWnd* pMiniFrame);
    virtual CKGPBaseControlBar* FindBarById(UINT uiBarId, BOOL bSearchMiniFrames = FALSE);
    virtual CKGPDockBar* FindDockBar(DWORD dwAlignment, BOOL bOuter);
    virtual CKGPDockBar* FindDockBarOfBar(CKGPBaseControlBar* pBar);
    CKGPDockBar* FindDockBarById(UINT nDockBarID);
    // Every bar of every dock bar, then each listed bar itself (of exactly
    // `pRTCBarType` when given); with bIncludeTabs a tabbed bar adds its tabs.
    void GetControlBarList(CObList& list, BOOL bIncludeAutoHide = FALSE, CRuntimeClass* pRTCBarType = nullptr,
                           BOOL bIncludeTabs = FALSE);
    const CObList& GetControlBars() const { return m_lstControlBars; }
    // The bars of every floating frame (of a frame of several panes, each);
    // with bIncludeTabs a tabbed bar adds its tabs.
    void GetFloatingBarList(CObList& list, BOOL bIncludeTabs = FALSE) const;

    // Docks a bar into the dock bar with that id (0: the first that takes it),
    // into the rectangle given (screen) or at the row's end; a bar that docks
    // at the frame edge docks on the edge of that id; a bar that may neither
    // float nor be resized is only listed.
    void DockControlBar(CKGPBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);

    // A floating frame moved while dragged: TRUE while it goes on floating,
    // FALSE once its bar docked (after resting over the same place for the
    // dock delay; never while Ctrl is held).
    virtual BOOL OnMoveMiniFrame(CKGPMiniFrameWnd* pMiniFrame);
    // The clock the dock delays are measured on (tests give their own).
    void SetDockClock(KGPDock::DockClock clock) { m_dockDelay = KGPDock::CKGPDockDelay(std::move(clock)); }

    // ---- Docking by dragging (screen coordinates; the bodies live with the
    // drag decisions).
    // The first listed bar (of that class, visible when asked, not the one
    // ignored) whose window, widened by the sensitivity unless exact, holds the
    // point.
    CKGPBaseControlBar* BarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar = FALSE,
                                     CRuntimeClass* pRTCBarType = nullptr, BOOL bCheckVisibility = FALSE,
                                     const CKGPBaseControlBar* pBarToIgnore = nullptr) const;
    // The bar exactly under the point when the point is also near one of its edges.
    CKGPBaseControlBar* BarFromPointWithClass(CPoint point, int nSensitivity, DWORD& dwAlignment,
                                              CRuntimeClass* pRTCBarType = nullptr,
                                              const CKGPBaseControlBar* pBarToIgnore = nullptr) const;
    CWnd* FindMiniFrameAtPoint(CPoint point, const CWnd* pFrameToIgnore = nullptr, BOOL bMultiOnly = FALSE) const;
    // Near the outer edge of the docked area (bOuterEdge TRUE), else near its inner edge.
    BOOL IsPointNearDockBar(CPoint point, DWORD& dwAlignment, BOOL& bOuterEdge) const;
    // 0 none, 1 onto pTarget, 2 beside pTarget or at an edge, 3 as a tab of pTarget.
    int DetermineDockMethod(CPoint point, int nSensitivity, DWORD dwEnabledAlignment,
                            CKGPBaseControlBar*& pTarget, const CKGPBaseControlBar* pBarToIgnore,
                            const CKGPBaseControlBar* pDraggedBar) const;
    // The rectangle (screen) the drag feedback shows for a bar dragged to the
    // point; empty while Ctrl is held or where it would not dock.
    void CalcExpectedDockedRect(CWnd* pWndToDock, CPoint point, CRect& rectResult, BOOL& bDrawTab,
                                CKGPBaseControlBar*& pTargetBar);

    // ---- Layout.
    virtual void RefreshDockBars();
    virtual void NotifyBarsAndRelayout();
    virtual void AdjustDockingLayout(HDWP hdwp = nullptr);
    virtual void RecalcNonClientAll();
    // ---- Auto-hidden panes (KGPDockManagerAutoHide.cpp).
    // Makes the auto-hide strips of the edges given, inside the dock bars.
    BOOL EnableAutoHideBars(DWORD dwDockStyle);
    // The pane's button on a toolbar of the auto-hide strip at its edge (on
    // the toolbar given, else on a new one); its slider joins the auto-hide
    // list. Null when the frame has no strip at that edge.
    CKGPAutoHideToolBar* AutoHideBar(CKGPDockingControlBar* pBar, CKGPAutoHideToolBar* pCurrAutoHideToolBar = nullptr);
    // Places an auto-hidden pane's slider, and the pane beside it, at the
    // outer edge of the docked area (its full place when slid out): sized
    // from the slider's layout, or keeping both sizes (only moved, taking the
    // edge's length) when not.
    void AlignAutoHideBar(CKGPSlider* pDefaultSlider, BOOL bSizeFromLayout = TRUE);
    const CObList& GetAutoHideBars() const { return m_lstAutoHideBars; }
    // Every auto-hidden pane slides out of view (at once when bImmediately),
    // but pBarToExclude's.
    void HideAutoHideBarsExcept(CKGPBaseControlBar* pBarToExclude, BOOL bImmediately = TRUE);
    // Where two auto-hide dock bars meet at a corner, the one beside the other
    // leaves room for it.
    void FixCornerOffsets(CKGPDockBar* pAutoHideDockBar);
    // Cuts a docked rectangle to the maximum docked share of the inner area.
    virtual BOOL LimitDockedSize(CRect& rect, DWORD dwAlignment) const;
    void GetInnerDockRect(CRect& rect) const { rect = m_rectInnerEdge; }
    void GetOuterDockRect(CRect& rect) const { rect = m_rectOuterEdge; }
    void SetDockBarBounds(const CRect& rect) { m_rectDockBarBounds = rect; }
    void EnableLayout(BOOL bEnable) { m_bLayoutEnabled = bEnable; }
    BOOL IsLayoutEnabledAndLocked() const { return m_bLayoutEnabled && m_bLockUpdate; }
    void SuspendRecalc(BOOL bSuspend) { m_bSuspendRecalc = bSuspend; }
    BOOL IsRecalcSuspended() const { return m_bSuspendRecalc; }

    // ---- Hiding groups of bars (print preview, in-place activation).
    void SetPrintPreviewMode(BOOL bPreview);
    BOOL IsPrintPreviewValid() const { return m_bHiddenForPreview; }
    virtual void HideInPlaceBars(BOOL bRestore);
    // Hides the visible floating frames (all of them, as for an MDI child, when no
    // toolbar class is given; else those holding a toolbar of that class), or shows
    // those hidden again that still hold a bar.
    virtual void HideMiniFrames(BOOL bRestore, CRuntimeClass* pToolbarClass = nullptr);
    // The frame shows: the floating frames loaded while it was hidden show,
    // over it, once its showing is done.
    void OnFrameShown();
    // The floating frames shown over their frame (the frame active): one
    // the frame has come above is brought back over it. (Under Wine a frame
    // coming to the front as it is first shown can end over floating frames
    // shown just before.)
    void KeepMiniFramesOverFrame();
    void LockUpdate(BOOL bLock);
    // From the tail, the bars of that edge (any: 0) come to the top of the
    // z-order; with bSkipBarsAtEnd the control bars at the tail are passed over
    // up to the first other window.
    void BringBarsToTop(DWORD dwAlignment = 0, BOOL bSkipBarsAtEnd = FALSE);
    // The floating frames' list follows their windows' z-order, top first.
    void ResortMiniFramesForZOrder();
    const CObList& GetMiniFrames() const { return m_lstMiniFrames; }
    // A floating frame already on the list of those a load is applying.
    BOOL IsLoadedMiniFrame(CWnd* pMiniFrame) const { return m_lstLoadedMiniFrames.Find(pMiniFrame) != nullptr; }
    BOOL SendMessageToMiniFrames(UINT uMessage, WPARAM wParam = 0, LPARAM lParam = 0);

    // ---- The bars' context menu (offered only when enabled).
    void EnableControlBarContextMenu(BOOL bEnable) { m_bControlBarsMenu = bEnable; }
    // The frames clear it when the bars' menu closes.
    void SetBarsMenuShown(BOOL bShown) { m_bMenuShown = bShown; }
    BOOL ShowBarsContextMenu(CPoint point);
    void BuildBarsMenu(CMenu& menu, UINT uiCustomizeCmd = 0);
    // The frames' command routing for the menu's items: a command shows or
    // hides its bar, an update checks the item of a visible bar (and the
    // item has a handler while its bar stands).
    BOOL OnBarsMenuCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    CWnd* ReparentWindow(CWnd* pNewParent, CWnd* pWnd) const;

    // The frame's smart-docking state, made on first use.
    CKGPSmartDockingManager* GetSmartDockingManager() const { return m_pSDManager.get(); }
    CKGPSmartDockingManager* GetSmartDockingManagerPermanent();
    static CKGPSmartDockingParams& GetSmartDockingParams() { return s_smartDockingParams; }
    // ---- The saved layout (KGPDockManagerState.cpp). Every bar's own values
    // under its key and, as one binary value under
    // "<path>KGPDockManager-<id>", what ties them together: tabbed bars,
    // default sliders with their trees, floating frames, auto-hidden panes,
    // panes shown as documents. LoadState reads all of it and checks it
    // without touching the live layout; ApplyLoadedState makes it live.
    virtual BOOL SaveState(LPCTSTR lpszProfileName = nullptr, UINT uiID = static_cast<UINT>(-1));
    virtual BOOL LoadState(LPCTSTR lpszProfileName = nullptr, UINT uiID = static_cast<UINT>(-1));
    virtual void ApplyLoadedState();
    // Storing writes the layout archive; loading reads it into a load of its
    // own and applies it at once (LoadState keeps it until applied).
    void Serialize(CArchive& ar) override;
    // Reads the layout archive whole and checked into the load's queue.
    void ReadLayout(CArchive& ar, CKGPLoadedLayout& layout);
    BOOL IsLoadFailed() const { return m_bLoadFailed; }
    void SetSkipApplyLayout(BOOL bSkip) { m_bSkipApplyLayout = bSkip; }
    const CList<HWND, HWND>& GetBarsAsDocuments() const { return m_lstBarsAsDocuments; }

    // ---- Library-wide settings.
    static void SetDockingMode(int nMode) { s_nDockMode = nMode == 128 ? 129 : nMode; }
    static int GetDockingMode() { return s_nDockMode; }
    static int s_nDockSensitivity;
    static BOOL s_bLayoutLocked;
    static BOOL s_bRearranging; // raised while a saved layout is applied
    static BOOL s_bHideAllInPreview;
    static BOOL s_bSavingState;
    // The frame whose saved layout is being read (floating frames are made for it).
    static CFrameWnd* s_pLoadingFrame;

protected:
    BOOL IsInPlace() const;
    void AlignAutoHidePaneKeepingSizes(CKGPSlider* pSlider, const CRect& outer, DWORD dwAlignment, BOOL bMirrored);
    // The layout archive's sections as written.
    void StoreLayout(CArchive& ar);
    // The bars with values of their own under their keys.
    void CollectStatefulBars(CObList& list);
    // The steps of ApplyLoadedState, in its order.
    // The bars with values of their own, each with whether it shows now.
    std::vector<std::pair<HWND, BOOL>> StatefulBarsShown();
    void UnpinAutoHiddenPanes();
    void CollectDefaultSliders(CList<HWND, HWND>& sliders) const;
    void ApplyLoadedSliders();
    void ApplyLoadedMiniFrames(BOOL bFrameHidden);
    void RemoveFramesWithoutBars();
    void RestoreOtherDockedBars();
    void RemoveEmptySlidersAndTabbedBars(const CList<HWND, HWND>& oldSliders);
    // The trees (by their default sliders) every pane of which the loaded
    // layout places elsewhere, and those trees' layouts held or let go.
    void CollectTreesTheLoadEmpties(const CList<HWND, HWND>& oldSliders, const CList<UINT, UINT>& documents,
                                    CList<HWND, HWND>& emptied) const;
    void SuspendTreeLayouts(const CList<HWND, HWND>& sliders, BOOL bSuspend);
    void ShowLoadedMiniFrame(CKGPMiniFrameWnd* pMiniFrame, BOOL bHeldForFrame);
    // Panes that may not float, in trees the layout does not store, take their
    // saved size and visibility.
    void RestoreFixedPanes();
    // Bars held by the dock bars (toolbars, the menu bar) whose values the
    // load read go back to their saved rows and places; each bar's window
    // and its saved place along its row, for PutBarsBackAlongTheirRows.
    std::vector<std::pair<HWND, int>> RestoreDockedBars();
    // Once the frame is laid out (the rows the load emptied are gone and the
    // edges have their lengths), the bars go back along their rows to their
    // saved places where an edge that was still short had moved them.
    void PutBarsBackAlongTheirRows(const std::vector<std::pair<HWND, int>>& places);
    void ApplyLoadedAutoHideBars();
    void ApplyBarsAsDocuments(const CList<UINT, UINT>& ids);
    void DropLoadedLists();
    // While a saved layout is read or applied, each bar's window by its id,
    // gathered once: finding a pane by id then walks no list. An id held by
    // two bars, or a bar gone or renumbered since, is searched for as usual.
    class CBarIdIndex {
    public:
        explicit CBarIdIndex(CKGPDockManager& manager);
        ~CBarIdIndex();
        CBarIdIndex(const CBarIdIndex&) = delete;
        CBarIdIndex& operator=(const CBarIdIndex&) = delete;

    private:
        CKGPDockManager& m_manager;
        bool m_bOwner;
    };
    void IndexBarsById(std::unordered_map<UINT, HWND>& ids);
    CKGPBaseControlBar* FindIndexedBar(UINT uiBarId) const;

    BOOL m_bLayoutEnabled = TRUE;
    BOOL m_bLockUpdate = FALSE;
    BOOL m_bSuspendRecalc = FALSE;
    CRect m_rectDockBarBounds;
    CObList m_lstControlBars;
    CObList m_lstAutoHideBars;
    CObList m_lstMiniFrames;
    CFrameWnd* m_pParentWnd = nullptr;
    IKGPDockSite* m_pSite = nullptr;
    // The record of dock managers with a dock site (FromSite), linked
    // through the managers themselves: nothing to allocate, nothing to
    // outlive.
    static CKGPDockManager* s_pFirstRecorded;
    CKGPDockManager* m_pNextRecorded = nullptr;
    bool m_bRecorded = false;
    void Forget();
    CRect m_rectInnerEdge;
    CRect m_rectOuterEdge;
    DWORD m_dwEnabledAlignment = 0;
    BOOL m_bHiddenForPreview = FALSE;
    CObList m_lstHiddenForPreview;
    CList<HWND, HWND> m_lstHiddenInPlaceBars;
    CList<HWND, HWND> m_lstHiddenMiniFrames;
    // Floating frames a load made while the frame was hidden, until it shows.
    CList<HWND, HWND> m_lstMiniFramesHeldForFrame;
    BOOL m_bAdjustingLayout = FALSE;
    BOOL m_bInNotifyRelayout = FALSE;
    // Filled while a saved layout is read, consumed when it is applied.
    CObList m_lstLoadedBars;
    CObList m_lstLoadedTabbedBars;
    CObList m_lstLoadedMiniFrames;
    CList<KGP_AUTOHIDEBAR_SAVE_INFO, KGP_AUTOHIDEBAR_SAVE_INFO&> m_lstLoadedAutoHideBars;
    BOOL m_bLoadFailed = FALSE;
    // What LoadState read, queued until ApplyLoadedState (or dropped).
    std::unique_ptr<CKGPLoadedLayout> m_pLoadedLayout;
    BOOL m_bSkipApplyLayout = FALSE;
    std::unique_ptr<std::unordered_map<UINT, HWND>> m_pBarIds;
    // Docking panes shown as tabbed MDI documents instead of docked.
    CList<HWND, HWND> m_lstBarsAsDocuments;
    std::unique_ptr<CKGPSmartDockingManager> m_pSDManager;
    // The waits of a dragged floating frame before it docks or joins another.
    KGPDock::CKGPDockDelay m_dockDelay;
    // The bars the last bars menu listed, by their items' ids. The command
    // chosen arrives after the menu has closed, when a bar may have gone:
    // each is kept by its window and found again only while that stands.
    CMap<UINT, UINT, HWND, HWND> m_mapBarsMenuIds;
    BOOL m_bMenuShown = FALSE;
    BOOL m_bControlBarsMenu = FALSE;
    BOOL m_bInPlaceBarsHidden = FALSE;
    UINT m_uiCustomizeCmd = 0;

private:
    // The bar the last bars menu listed with the id, while its window stands.
    CKGPBaseControlBar* BarListedInMenu(UINT nID) const;

    static int s_nDockMode;
    static CKGPSmartDockingParams s_smartDockingParams;
};

// Holds the library-wide layout lock for one block and gives back the value it
// found: a block inside another that holds it (a saved layout being applied)
// leaves it held.
class CKGPLayoutLockScope {
public:
    CKGPLayoutLockScope() noexcept : m_bWasLocked(CKGPDockManager::s_bLayoutLocked)
    {
        CKGPDockManager::s_bLayoutLocked = TRUE;
    }
    ~CKGPLayoutLockScope() { CKGPDockManager::s_bLayoutLocked = m_bWasLocked; }
    CKGPLayoutLockScope(const CKGPLayoutLockScope&) = delete;
    CKGPLayoutLockScope& operator=(const CKGPLayoutLockScope&) = delete;

private:
    const BOOL m_bWasLocked;
};
