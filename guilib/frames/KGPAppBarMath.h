// The application bar's geometry as plain logic with no Windows header: the
// rectangle a side asks of the shell and the bar's own extent put back on the
// shell's answer, the rectangle of a side from the stored widths and heights,
// the 2-pixel strip an auto-hidden bar slides out to, the side a caption drag
// points at, one step of the slide, and the stored place made sound before it
// is used.
#pragma once

#include "guilib/core/KGPBox.h"

namespace kgp::appbar {

using kgp::Box;

// Sides as the shell numbers them, and floating.
constexpr int kSideLeft = 0;
constexpr int kSideTop = 1;
constexpr int kSideRight = 2;
constexpr int kSideBottom = 3;
constexpr int kSideFloat = -2;

// Behaviours a bar allows (its flags).
constexpr unsigned kAllowDockLeftRight = 1;
constexpr unsigned kAllowDockTopBottom = 2;
constexpr unsigned kAllowFloat = 4;
constexpr unsigned kAllowAutoHide = 16;
constexpr unsigned kAllowAlwaysOnTop = 32;

// The strip an auto-hidden bar keeps along its edge.
constexpr int kHiddenStrip = 2;

bool IsDockSide(int side);
bool IsHorizontalSide(int side); // top or bottom: the bar lies along x
// Whether the flags allow the side (a dock side or floating).
bool IsSideAllowed(int side, unsigned flags);

// The rectangle a side proposes to the shell: a left or right bar keeps its
// width and spans the screen's height, a top or bottom bar keeps its height
// and spans its width.
Box ProposedRect(int side, const Box& screen, const Box& current);
// The shell's answer with the bar's own extent put back from its near edge.
Box WithOwnExtent(int side, const Box& answer, int width, int height);
// The rectangle of a side from the stored extents (indexed by side).
Box RectFromExtents(int side, const Box& screen, const int extents[4]);
// The strip a hidden auto-hide bar slides to: the docked rectangle collapsed
// to kHiddenStrip pixels at the screen edge.
Box HiddenRect(int side, const Box& docked);
// The extent a docked rectangle records for its side (width or height).
int ExtentOf(int side, const Box& docked);

// Where a caption drag points: a side, or kSideFloat. The point and the
// screen are in screen coordinates; floatZone is the work area inset by a
// scroll bar's size; ctrl held always floats (when floating is allowed).
int DragTarget(int x, int y, const Box& screen, const Box& floatZone, unsigned flags, bool ctrl);
// The docked rectangle of a drag to a side: the side's strip from the stored extents.
Box DragDockRect(int side, const Box& screen, const int extents[4]);
// A floating rectangle offset by the mouse moved since the drag began; when
// it no longer holds the cursor it is moved so the cursor sits in its caption.
Box FloatDragRect(const Box& start, int dx, int dy, int cursorX, int cursorY, int captionHeight);

// One step of the slide animation: how far the window has moved along one
// axis after `elapsed` of `duration` milliseconds (integer division toward
// zero), and the whole offset per axis between two rectangles.
int SlideStep(int offset, long elapsed, long duration);
int SlideOffsetX(const Box& from, const Box& to);
int SlideOffsetY(const Box& from, const Box& to);

// The stored place made sound for this screen: extents clamped to
// [minExtent, half the screen's size on that axis], the floating rectangle
// clamped to the work area's size and moved onto it (an empty one is left
// empty). Sides are refused on reading, not mended here.
struct StoredPlace {
    int extents[4] = {80, 60, 80, 60};
    Box rectFloat;
};
StoredPlace MendStoredPlace(const StoredPlace& stored, const Box& screen, const Box& workArea, int minExtent);

} // namespace kgp::appbar
