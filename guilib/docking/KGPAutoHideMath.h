// Auto-hidden panes as plain logic with no Windows header: when a slide has
// reached its end, how far one step goes and where it puts the pane, the
// slide and check timers of a pane as a state machine on a millisecond clock
// the caller gives, whether the check slides a pane back in, the hover over
// an auto-hide button, and the size and places of the buttons along a strip.
// The windows read their rectangles and the mouse, ask here and move.
#pragma once

#include "guilib/docking/KGPSplitMath.h"

#include <functional>
#include <vector>

namespace kgp::autohide {

using kgp::split::Box;
using kgp::split::Size;

enum class Edge { Left, Right, Top, Bottom };

// The edge of the alignment bits (0x1000 left, 0x2000 top, 0x4000 right,
// 0x8000 bottom); the first bit set in that order wins, none reads as left.
Edge EdgeOf(unsigned alignment);
bool IsHorizontalEdge(Edge edge); // top or bottom: the strip lies along x

// ---- Sliding.

// Slide modes: the pane moves in and out at full size, or grows and shrinks.
constexpr int kSlideMove = 1;
constexpr int kSlideGrow = 2;

// Steps of an animated slide, and the timers of a pane.
constexpr int kSlideStepCount = 12;
constexpr int kTimerSlideIn = 1;   // the pane goes back under its strip
constexpr int kTimerSlideOut = 2;  // the pane comes out of its strip
constexpr int kTimerCheck = 3;     // whether the mouse has left it
constexpr long kSlidePeriodMs = 1;
constexpr long kCheckPeriodMs = 700;

// Pixels one step moves: the whole extent when the slide is not animated,
// else a twelfth of it (at least 1).
int SlideStep(int extent, bool animated);

// What the end of a slide is measured against: the pane's rectangle, the
// auto-hide strip's (in slide mode 1) and the slide rectangle (the pane's
// full size, in mode 2), all in the frame's client coordinates.
struct SlideFacts {
    Edge edge = Edge::Left;
    int mode = kSlideMove;
    bool slidingOut = true;
    bool mirrored = false; // the frame lays out right to left
    Box pane;
    Box strip;
    Box slideRect;
};

bool SlideEnded(const SlideFacts& facts);

// The pane's rectangle after one step: in mode 1 it moves by the step away
// from its edge (out) or toward it (in); in mode 2 its far side moves, the
// extent kept between 0 and the slide rectangle's.
Box SlideStepBox(Box pane, Edge edge, int mode, bool slidingOut, int step, const Box& slideRect,
                 bool mirrored = false);

// Where a slide starts: out of view, the pane stands just under the strip
// (mode 1), or has no extent (mode 2); the slide rectangle is the pane's
// full place beside the strip.
Box SlideStartBox(const Box& slideRect, Edge edge, int mode, bool mirrored = false);

// An auto-hidden pane and its slider kept at their sizes against the outer
// edge of the docked area: along the edge both take the edge's extent;
// across it they move together until their outer side meets it.
struct PaneAndSlider {
    Box slider;
    Box pane;
};
PaneAndSlider AlignAtOuterEdge(const PaneAndSlider& now, const Box& outer, Edge edge, bool mirrored = false);

// What the check timer learns about the pane and the mouse.
struct CheckFacts {
    bool autoHidden = true;
    bool active = false;           // the focus is in the pane
    bool holdOpen = false;
    bool popupMenuOpen = false;
    bool tooltipVisible = false;   // the caption's tooltip shows
    bool cursorOverPane = false;   // the pane, its slider, a window of theirs
    bool cursorOverButton = false; // the pane's auto-hide button
};

// TRUE when the check slides the pane back in.
bool ShouldSlideIn(const CheckFacts& facts);

// The slide and check timers of one pane. It starts and stops timers through
// the callbacks (the pane keeps real window timers of the same ids and
// periods) and keeps their due times on the clock it is given, so that tests
// can run it without windows.
class SlideMachine {
public:
    using Clock = std::function<long()>;
    using StartTimer = std::function<void(int id, long periodMs)>;
    using StopTimer = std::function<void(int id)>;

    SlideMachine() = default;
    SlideMachine(Clock clock, StartTimer start, StopTimer stop);

    // What the pane does after a step or a start.
    enum class After {
        Nothing,
        StepAgain,      // the slide goes on at its timer's next tick
        HidePane,       // slid in: the pane and its slider hide
        ShowPane,       // slid out: the pane and its slider redraw; the check runs
    };

    // A slide begins: both timers stop; an animated one starts its timer.
    // A slide that is not animated ends at once (the caller runs its one step
    // and then Finish).
    void Begin(bool slideOut, bool animated);
    // The slide timer ticked and the caller ran one step; `ended` is what
    // SlideEnded answered after it.
    After OnSlideTick(bool ended);
    // A slide that was not animated has run its one step.
    After Finish();
    // The check timer ticked; `slidIn` tells whether it started a slide in.
    void OnCheckTick(bool slidIn);
    // The pane left auto-hide: nothing runs any longer.
    void Stop();

    bool IsSliding() const { return m_sliding; }
    bool SlidingOut() const { return m_slidingOut; }
    bool LastSlideWasIn() const { return m_lastSlideWasIn; }
    int Steps() const { return m_steps; }
    int SlideTimer() const { return m_slideTimer; }
    bool CheckRuns() const { return m_checkDue >= 0; }
    // The timer due at the clock's time (the slide timer first), or 0.
    int DueTimer() const;

private:
    void StartSlideTimer(int id);
    void StopSlideTimer();
    void StartCheck();
    void StopCheck();
    long Now() const { return m_clock ? m_clock() : 0; }

    Clock m_clock;
    StartTimer m_start;
    StopTimer m_stop;
    int m_slideTimer = 0;
    long m_slideDue = -1;
    long m_checkDue = -1;
    bool m_sliding = false;
    bool m_slidingOut = false;
    bool m_lastSlideWasIn = false;
    int m_steps = 0;
};

// ---- The hover over an auto-hide toolbar's buttons (its timer 1).

constexpr int kHoverTimer = 1;
constexpr long kHoverDelayMs = 400;

class HoverMachine {
public:
    // The mouse moved over button `button` (-1: none), whose pane is hidden
    // or not: TRUE when the hover timer is to (re)start.
    bool OnMove(int button, bool paneHidden);
    // The hover timer fired with the mouse over `button`: TRUE when that
    // button's pane is to slide out. The timer stops in every case.
    bool OnTimer(int button);
    // The wait ends without its timer (the timer was killed, a button went):
    // the next hover starts a new one.
    void Cancel() { m_pending = false; }
    bool Pending() const { return m_pending; }

private:
    bool m_pending = false;
};

// ---- Buttons.

constexpr int kButtonBorder = 1;
constexpr int kButtonMargin = 2;
constexpr int kButtonTextMargin = 10;
constexpr int kButtonNoIconExtra = 20;

// The corner of a button of the overlapping style, by orientation; the
// text margin stands for it in the plain style.
constexpr int kOverlapCornerHorz = 5;
constexpr int kOverlapCornerVert = 7;

struct ButtonSizeInput {
    bool horizontal = true; // the button lies along a top or bottom strip
    bool hasPane = true;
    Size icon;              // 0 x 0 without an icon
    Size text;              // as measured, margins added, along x (0 x 0 without text)
    bool activeToolbar = true;
    bool onlyActiveShowsText = true;
    int minimumAcross = 0;  // the row's largest bar less its extra height
    // The look's overlapping button style: the part of a button its
    // neighbour overlaps (two thirds of its thickness) is added, and the
    // look's extra room besides.
    bool overlappingStyle = false;
    int overlapExtra = 0;
};

// The text's size along and across the button: a vertical button's text
// turns, and an inactive toolbar's text takes no length when only the active
// one shows texts.
Size ButtonTextSize(const ButtonSizeInput& in);
Size ButtonSize(const ButtonSizeInput& in);

// The corner of a button: the text margin in the plain style, 5 (along a top
// or bottom strip) or 7 in the overlapping one.
int ButtonCorner(bool overlappingStyle, bool horizontal);
// The border of a button on each side: 1, but 0 on the side facing the
// frame's edge.
Box ButtonBorder(Edge edge, int border);
// The copy of a button's face drawn first in the overlapping style when its
// toolbar does not start a group: the button moved back along the toolbar by
// its corner, so that it reaches over the neighbour before it.
Box OverlapFaceBox(const Box& button, bool horizontal, int corner);
// Where the icon and the text go: the button less its border (plain style)
// and its margin; in the overlapping style the end its neighbour overlaps
// (two thirds of the button's thickness) is left out too.
Box ButtonContentBox(const Box& button, const Box& border, bool horizontal, bool overlappingStyle, int margin);
// Whether a button draws its pane's title: not when it has an icon and the
// title is empty or its toolbar is not the active one (while only the active
// toolbar shows texts); a button without an icon always shows it.
bool ButtonShowsText(bool textEmpty, bool activeToolbar, bool hasIcon, bool onlyActiveShowsText);

// The buttons of one toolbar laid out along its strip from `start`, one
// after the other (top to bottom on a left or right strip), each as deep as
// the strip is thick.
std::vector<Box> LayoutButtons(const std::vector<Size>& sizes, Edge edge, int startAlong, int across);

// The button holding the point: the one on top first, else the first in order
// (-1: none). Invisible buttons hold nothing.
int ButtonAt(const std::vector<Box>& buttons, const std::vector<bool>& visible, int onTop, int x, int y);

} // namespace kgp::autohide
