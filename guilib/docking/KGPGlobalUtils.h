// The library-wide docking helpers: the dock manager of any window by the kind
// of frame it is, edge tests near a bar, keeping a dragged window on a monitor,
// forcing a frame to lay itself out again, re-parenting groups of bars.
#pragma once

#include <afxwin.h>
#include <afxext.h>

#include <map>
#include <vector>

class CKGPBarContainerManager;
class CKGPBaseControlBar;
class CKGPDockManager;

class CKGPGlobalUtils {
public:
    CKGPGlobalUtils() = default;
    virtual ~CKGPGlobalUtils();
    CKGPGlobalUtils(const CKGPGlobalUtils&) = delete;
    CKGPGlobalUtils& operator=(const CKGPGlobalUtils&) = delete;
    static CKGPGlobalUtils& Get();

    // The dock manager whose dock site is the window (a floating frame: its
    // own, else its owner's), null for anything else (a dialog or property
    // sheet also raises m_bDialogApp).
    CKGPDockManager* GetDockManager(CWnd* pWnd);
    // The dock manager whose dock site is the window, without touching the
    // dialog-host flag.
    CKGPDockManager* GetFrameDockManager(CWnd* pWnd) const;

    // Whether the point lies near an enabled edge of the bar (or of `rect`
    // when there is no bar), and which.
    BOOL CheckAlignment(CPoint point, CKGPBaseControlBar* pBar, int nSensitivity, CKGPDockManager* pDockManager,
                        BOOL bOuterEdge, DWORD& dwAlignment, DWORD dwEnabledDockBars = CBRS_ALIGN_ANY,
                        LPCRECT lpRectBounds = nullptr) const;
    // Moves the rectangle (never resizing it) back onto the work area of the
    // monitor under it (or under the cursor).
    void AdjustRectToWorkArea(CRect& rect, LPCRECT lpMargins = nullptr) const;
    // The work area of the monitor nearest the point (the system's work area
    // when the monitor cannot be asked), and that monitor's whole rectangle.
    static CRect WorkAreaAt(CPoint point, CRect* pMonitor = nullptr);
    // While one lives on the thread (the outermost, when they nest),
    // WorkAreaAt answers a point on a monitor it was asked about since from
    // what that monitor told it then: each question costs Wine two looks at
    // its monitors, and a layout applied makes and moves many floating
    // frames at once, on monitors that do not change meanwhile.
    class CMonitorsKept {
    public:
        CMonitorsKept();
        ~CMonitorsKept();
        CMonitorsKept(const CMonitorsKept&) = delete;
        CMonitorsKept& operator=(const CMonitorsKept&) = delete;

    private:
        friend class CKGPGlobalUtils;
        struct Monitor {
            CRect rect;
            CRect work;
        };
        std::vector<Monitor> m_monitors;
        BOOL m_bActive = FALSE;
    };
    // The manager's frame lays out its docked bars and then its view (a frame
    // that is no library frame: only the bars).
    void AdjustFrameLayout(CKGPDockManager* pDockManager) const;
    // Makes the manager's frame lay itself out by resizing it one pixel and back.
    void ForceAdjustLayout(CKGPDockManager* pDockManager, BOOL bForce = FALSE) const;
    // Moves the bars of the list (of CKGPBaseControlBar) under a new parent.
    void ReparentBars(const CObList& list, CWnd* pNewParent, BOOL bVisibleOnly = FALSE) const;
    // The window's small icon; a window with only a large one gets a 16 x 16
    // copy of it, kept here (never destroyed by the caller).
    HICON GetWndIcon(CWnd* pWnd) const;
    BOOL IsPaneKindWindow(CWnd* pWnd) const;
    // Whether a bar (or the bar of a floating frame) may float in a frame with others.
    BOOL CanBarFloatMulti(CWnd* pWnd) const;
    // The pane of a split tree a point would dock to: bFound when the tree
    // reported a hit itself, bInContainer when the point is on a tab area or caption.
    BOOL FindContainerDockTarget(const CKGPBarContainerManager* pManager, CPoint point, CKGPBaseControlBar*& pBar,
                                 DWORD& dwAlignment, BOOL& bFound, BOOL& bInContainer) const;
    // The rectangle (screen) a window dragged to the point would take in the
    // split tree, empty when none (always while Ctrl is held).
    void CalcExpectedDockedRect(const CKGPBarContainerManager* pManager, CWnd* pWndToDock, CPoint point,
                                CRect& rectResult, BOOL& bDrawTab, CKGPBaseControlBar*& pTargetBar) const;
    // Docking to any side of a pane is allowed whatever the dragged bar enables.
    static BOOL s_bDockToAnySide;

    BOOL m_bDialogApp = FALSE;
    BOOL m_bUseCursorForMonitor = FALSE;
    // Set by the floating frames: ForceAdjustLayout acts unforced too.
    static BOOL s_bMiniFrameLayout;

private:
    struct ShrunkIcon {
        HICON hBig = nullptr;  // the window's, borrowed
        CIconHandle small;     // made here, destroyed with the entry
    };
    // The small copy made of a window's large icon, while that icon stays.
    HICON ShrinkIcon(HWND hWnd, HICON hBig) const;
    mutable std::map<HWND, ShrunkIcon> m_shrunkIcons;
};
