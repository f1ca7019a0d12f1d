// The decisions of docking by dragging, apart from the windows that ask for
// them: where a dragged bar would dock (from facts the dock manager gathers at
// the mouse point), how long the mouse must rest over a target before the
// floating frame docks or joins another one (on an injectable millisecond
// clock), and which docking call a decided method comes down to.
#pragma once

#include <afxwin.h>

#include <functional>

namespace KGPDock {

// What a drag would do. (A different set of numbers from the dock methods that
// are passed to docking operations.)
enum DockDecision : int {
    kDockNone = 0,   // go on floating
    kDockOntoBar = 1, // onto the target bar
    kDockBeside = 2, // beside the target pane, or at a frame edge without one
    kDockAsTab = 3,  // as a tab of the target pane
};

// Time a dragged frame must rest over one target.
constexpr long kDockDelayOverDockBarMs = 200;
constexpr long kDockDelayOverPaneMs = 220; // a docking pane, no target, or a frame to join

constexpr DWORD kFloatMulti = 0x40; // CBRS_FLOAT_MULTI

// What lies under the mouse, as the dock manager found it.
struct DockPointFacts {
    BOOL bPaneUnderPoint = FALSE; // a visible docking pane (not the one ignored)
    BOOL bPaneFloating = FALSE;
    DWORD paneStyle = 0;          // CBRS_* style words
    DWORD draggedStyle = 0;
    DWORD paneAlignment = 0;      // the edge a docked pane lies on
    int paneHitTest = kDockNone;  // the pane's own answer at the point
    // A multi-pane floating frame (not the dragged bar's own) with its caption
    // under the point, and how many visible bars it holds.
    BOOL bMultiFrameCaption = FALSE;
    int multiFrameVisibleBars = 0;
    DWORD edgeNearPoint = 0;      // the frame edge near the point, or 0
};

enum class DockTargetKind { None, Pane, MultiFrameBar };

struct DockMethodChoice {
    int method = kDockNone;
    DockTargetKind target = DockTargetKind::None;
};

DockMethodChoice DecideDockMethod(const DockPointFacts& facts, DWORD enabledAlignment);

// How a docking pane (window rectangle, caption band height, its two tab
// areas, all in one coordinate system) takes a bar dragged over it: as a tab
// over its caption or a tab area; beside it within `sensitivity` of its body's
// edges (with -1: anywhere on its body); else not at all.
int PaneDockAreaHit(const CRect& window, int captionHeight, const CRect& topTabArea, const CRect& bottomTabArea,
                    CPoint point, int sensitivity);

// The feedback for docking at a frame edge: the edge rectangle cut to the
// dragged window's thickness across that edge, keeping the side it docks to
// (left and right swapped for a right-to-left frame).
CRect EdgeFeedbackRect(const CRect& edge, DWORD alignment, CSize window, BOOL bRTL);

// The docking call a decided method comes down to, for a floating frame.
struct DockCall {
    int dockToTargetKind = 0;   // 0 float/undock, 1 beside the target, 2 as a tab
    BOOL bPassTarget = TRUE;    // whether the target goes to that call
    BOOL bThenDockByMouse = FALSE; // then the bar docks onto the target by mouse
    BOOL bThenAdjustLayout = FALSE;
};
DockCall PlanDockCall(int method, BOOL bHasTarget, BOOL bSmartDocking);

// Milliseconds from an arbitrary start.
using DockClock = std::function<long()>;
long ProcessClockMilliseconds();

// The waits of a dragged floating frame: it docks only after resting over the
// same (target, method) pair for the delay, and joins a multi-pane frame only
// after resting over it for more than the pane delay. Moving to another target
// restarts the wait.
class CKGPDockDelay {
public:
    explicit CKGPDockDelay(DockClock clock = ProcessClockMilliseconds) : m_clock(std::move(clock)) {}

    struct Step {
        BOOL bDockNow = FALSE;  // FALSE: go on floating
        long restartTimerMs = 0; // > 0: (re)start the frame's docking timer with this period
    };
    // A move over `target` with `method`; `bOverDockBar` when the target is a
    // dock bar. Smart docking decides at once.
    Step OnMove(const void* target, int method, BOOL bOverDockBar, BOOL bSmartDocking);
    // TRUE while the frame should go on floating over the join candidate.
    BOOL WaitToJoin(const void* candidate);
    void ClearJoin() { m_joinCandidate = nullptr; }
    void Reset();

private:
    DockClock m_clock;
    const void* m_target = nullptr;
    int m_method = kDockNone;
    long m_since = 0;
    const void* m_joinCandidate = nullptr;
    long m_joinSince = 0;
};

// The docking-options menu of a bar: which of its five items are enabled and
// which is checked, from what the bar is and may do.
struct DockingMenuFacts {
    BOOL bCanFloat = FALSE;
    BOOL bAutoHideAllowed = FALSE;   // the library bar style allows auto-hide
    BOOL bInMiniFrame = FALSE;
    BOOL bAutoHideMode = FALSE;
    BOOL bCanBeTabbedDocument = FALSE;
    BOOL bShownAsDocument = FALSE;
    BOOL bFloating = FALSE;
    BOOL bHasAlignment = FALSE;      // some edge is enabled
    BOOL bCanClose = FALSE;
};
struct DockingMenuItem {
    BOOL bEnabled = TRUE;
    BOOL bChecked = FALSE;
};
struct DockingMenuStates {
    DockingMenuItem floating;
    DockingMenuItem docking;
    DockingMenuItem tabbedDocument;
    DockingMenuItem autoHide;
    DockingMenuItem hide;
};
DockingMenuStates DecideDockingMenuStates(const DockingMenuFacts& facts);

} // namespace KGPDock
