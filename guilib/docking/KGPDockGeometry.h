// The docking layer's geometry as plain functions over rectangles, so that the
// windows only read their rectangles, ask here and move: edge strips near a
// rectangle, keeping a rectangle on a work area, the corner offsets of two edge
// strips, the limit on a docked bar's thickness, and fitting bars along the
// edges of a frame's free area.
#pragma once

#include <afxwin.h>
#include <afxext.h>

namespace KGPDock {

constexpr DWORD kAlignLeft = 0x1000;
constexpr DWORD kAlignTop = 0x2000;
constexpr DWORD kAlignRight = 0x4000;
constexpr DWORD kAlignBottom = 0x8000;
constexpr DWORD kAlignAny = 0xF000;
constexpr DWORD kAlignHorz = kAlignTop | kAlignBottom;

inline BOOL IsHorizontalAlignment(DWORD alignment) { return (alignment & kAlignHorz) != 0; }

// The edge of `rect` whose strip holds `point` and is enabled, or 0. The strips
// lie outside the rectangle (`bOuterEdge`) or reach into it by the sensitivity,
// the top strip also over a caption, the bottom one over a tab area; top, left,
// bottom and right are tried in that order.
DWORD EdgeNearPoint(CPoint point, const CRect& rect, int sensitivity, BOOL bOuterEdge, DWORD enabledAlignment,
                    int captionHeight = 0, int tabAreaHeight = 0);

// The edge a smart-docking marker stands for: markers 0-3 (outer edges) only
// with bOuterEdge, 4-7 (the central group) only without; left, right, top,
// bottom in that order; 0 for any other marker.
DWORD AlignmentOfMarker(int marker, BOOL bOuterEdge);

// The edge a bar enabled for `enabledAlignment` docks on when asked for the
// frame's dock bar of that id (top, bottom, left, right), 0 when none.
DWORD DockBarIdAlignment(UINT nDockBarID, DWORD enabledAlignment);

// `rect` moved (never resized) back onto `work` when it lies wholly beyond one of
// its edges less the margins.
CRect KeepOnWorkArea(CRect rect, const CRect& work, const CRect& margins = CRect(0, 0, 0, 0));

// `rect` moved (never resized) to lie wholly on `work`, as far as it fits
// (a rectangle wider or taller than the work area keeps its left or top edge
// on it).
CRect KeepWhollyOnWorkArea(CRect rect, const CRect& work);

// Where a bar torn off its dock bar by the mouse is held in its new floating
// frame (frame coordinates), from the point it was held by in the docked bar
// (`held`, the docked bar's window coordinates, so its gripper or caption
// counts): the same point of the bar, whose window lies at `barInFrame` in the
// frame; a point held above the bar's client area (a caption, the gripper of a
// vertical bar) goes to the frame's caption, and the point stays inside the
// frame.
struct FloatingFrameMetrics {
    CSize size;            // the frame's window
    CPoint barInFrame;     // the bar's window in the frame
    int captionTop = 0;    // the frame's caption, from its top
    int captionHeight = 0;
};
CPoint HoldInFloatingFrame(CPoint held, int heldClientTop, const FloatingFrameMetrics& frame);

// The rectangle's coordinates turned by 90, -90/270 or 180 degrees; other angles
// leave it as it is.
CRect RotateRect(const CRect& rect, int angle);

// Start and end offsets of an edge strip, where a strip of the other orientation
// meets it at a corner.
struct EdgeOffsets {
    int start = 0;
    int end = 0;
};

// Where strip R (alignment, window rectangle) and strip S of the other
// orientation meet at a corner, the one lying beside the other leaves room for
// the other's thickness.
void FixCornerOffsets(DWORD alignR, const CRect& rectR, EdgeOffsets& offR, DWORD alignS, const CRect& rectS,
                      EdgeOffsets& offS);

// Cuts a docked rectangle to `sharePercent` of the inner area's height (top,
// bottom) or width (left, right), keeping the edge it docks to (mirrored for a
// right-to-left frame). TRUE when it was cut.
BOOL LimitDockedSize(CRect& rect, DWORD alignment, const CRect& inner, int sharePercent, BOOL bRTL = FALSE);

// A bar's place along one edge of the free area `work`: its thickness across the
// edge, the edge's full length along it; cut to the free area when `bStretch`.
CRect FitBarToEdge(const CRect& barRect, CSize thickness, DWORD alignment, BOOL bStretch, const CRect& work);
// The free area after a bar took `placed` on its edge.
void TakeFromFreeArea(CRect& work, const CRect& placed, DWORD alignment);

// The client area inside a bar's borders (left, top, right, bottom as given for
// a horizontal bar, turned for a vertical one), less a 7-pixel gripper on the
// leading side (the right under right-to-left layout).
struct BarFrameMetrics {
    CRect borders;       // left, top, right, bottom border widths
    DWORD style = 0;     // CBRS_* style word
    BOOL bHorz = TRUE;
    BOOL bFloating = FALSE;
    BOOL bTabbed = FALSE;
    BOOL bRTL = FALSE;
};
constexpr int kGripperSize = 7;
void CalcInsideRect(CRect& rect, const BarFrameMetrics& bar);

// The gripper strip beside the client area (both in the same coordinates).
CRect GripperRect(const CRect& window, const CRect& client, BOOL bHorz, BOOL bRTL);

// A docked bar dragged so that its full-size rectangle is `virt` leaves its dock
// bar (window rectangle `dock`) when the two no longer meet, or when, with the
// cursor outside the dock bar, `virt` reaches more than twice the sensitivity
// beyond the dock bar across it.
BOOL DockedBarLeaves(const CRect& dock, const CRect& virt, CPoint cursor, BOOL bHorzDockBar, int sensitivity);
// A floating bar (window rectangle `window`) dragged with the cursor at `cursor`
// docks into the dock bar at `target` when the cursor is inside it, or within a
// distance that grows with the part of the bar lying on the dock bar's side
// (sensitivity times that part's share of the bar's extent).
BOOL FloatingBarDocks(const CRect& target, const CRect& window, CPoint cursor, int sensitivity);

// A bar dragged across its dock bar by `crossShift` (c) with cross extent `h`
// leaves its row only when |c| > 2h/3.
inline BOOL LeavesRow(int crossShift, int extent) { return abs(crossShift) > 2 * extent / 3; }

} // namespace KGPDock
