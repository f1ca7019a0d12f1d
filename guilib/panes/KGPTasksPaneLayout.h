// The tasks pane's arithmetic as plain functions with no Windows header: its
// nine metrics, the groups and tasks laid out down the tasks area (text
// heights measured by a function the caller gives), the scroll metrics in
// rows, the wheel, the steps of a group's collapse or expand animation, and
// which commands the idle update asks about. The pane reads its state, asks
// here and moves its windows.
#pragma once

#include "guilib/core/KGPBox.h"

#include <array>
#include <functional>
#include <vector>

namespace kgp::tasks {

using Box = kgp::Box;

// ---- Metrics.

// In the order the pane stores them.
enum Metric {
    kVerticalMargin,
    kHorizontalMargin,
    kGroupSpacing,
    kGroupCaptionHeight,
    kGroupCaptionHorzOffset,
    kGroupCaptionExtraHeight,
    kTasksHorzOffset,
    kTaskIconOffset,
    kTaskSpacing,
    kMetricCount
};
using Metrics = std::array<int, kMetricCount>;

// The look's defaults where the pane's own value is -1 (unset).
Metrics ResolveMetrics(const Metrics& own, const Metrics& defaults);

// ---- Groups and tasks.

struct TaskFacts {
    bool visible = true;
    bool hasCommand = false;    // a task (else a label)
    int windowHeight = -1;      // a hosted window's height; -1: no window
    bool tall = false;          // its row is at least 10 pixels high
};

struct GroupFacts {
    bool hasCaption = true;
    int captionTextHeight = 0;  // the caption in the bold font
    int iconWidth = 0;
    int iconHeight = 0;
    bool collapsed = false;
    std::vector<TaskFacts> tasks;
};

struct LayoutFacts {
    Box area;                   // the tasks area
    Metrics metrics{};          // resolved
    int scrollPosition = 0;     // rows
    int rowHeight = 0;
    int imageWidth = 0;         // the pane's task icons
    int imageHeight = 0;
    bool collapsible = true;
    bool toolboxStyle = false;
    bool wrapTasks = false;
    bool wrapLabels = false;
    // The group being collapsed or expanded (-1 none) and the height of its
    // tasks area shown meanwhile.
    int animatedGroup = -1;
    int animatedHeight = 0;
};

struct TaskPlace {
    Box rect;                   // empty when hidden or collapsed
    bool windowShown = false;   // a hosted window inside the tasks area
};

struct GroupPlace {
    Box caption;                // empty for a group without caption
    Box tasks;                  // the tasks area below the caption
    int fullTasksHeight = 0;    // the tasks area's height when expanded
    std::vector<TaskPlace> tasksPlaces;
};

struct Layout {
    std::vector<GroupPlace> groups;
    int contentHeight = 0;      // all groups, both margins
};

// The text height of a task (group, task index) in the given width; wrapped
// when asked.
using MeasureTask = std::function<int(size_t group, size_t task, int width, bool wrap)>;

// The caption height of a group.
int CaptionHeight(const GroupFacts& group, const Metrics& metrics, bool toolboxStyle);

// Lays the groups out from the area's top less the scrolled rows.
Layout LayOutGroups(const LayoutFacts& facts, const std::vector<GroupFacts>& groups, const MeasureTask& measure);

// ---- Scrolling.

struct ScrollFacts {
    int areaHeight = 0;
    int contentHeight = 0;
    int rowHeight = 0;
    int position = 0;
    int scrollAreaHeight = 0;   // taken off the page with scroll areas
};

struct ScrollMetrics {
    int pageSize = 0;
    int maximum = 0;
    int position = 0;
};

// Rows per page, the last row and the position clamped to them; all 0 when
// the content fits or there is no row height.
ScrollMetrics ComputeScroll(const ScrollFacts& facts);

// The position after a wheel turn (one row per 120 units, up for a positive
// delta), clamped.
int WheelPosition(const ScrollMetrics& scroll, int wheelDelta);

// A WM_VSCROLL code (SB_LINEUP 0 ... SB_BOTTOM 7) from the position.
int ScrollBarPosition(const ScrollMetrics& scroll, int code, int thumb);

// The position clamped to the range the metrics allow.
int ClampPosition(const ScrollMetrics& scroll, int position);

// ---- Timers of the pane.

constexpr unsigned kTimerAnimation = 4;   // every 30 ms while a group is animated
constexpr unsigned kTimerAutoScroll = 5;  // every 80 ms while the mouse rests on a scroll area
constexpr unsigned kAutoScrollMs = 80;

// ---- Collapse and expand animation.

class CollapseAnimation {
public:
    // Milliseconds per frame.
    static constexpr long kFrameMs = 30;

    // Starts: a collapsing group shows all of its tasks area and shrinks, an
    // expanding one grows from nothing.
    void Start(bool collapsing, int fullHeight, long nowMs);
    // One timer tick: the shown height moves by whole rows per elapsed frame
    // (faster while many rows are left); false once it has ended.
    bool Step(long nowMs, int rowHeight);
    bool IsRunning() const { return m_running; }
    bool IsCollapsing() const { return m_collapsing; }
    int ShownHeight() const { return m_shown; }
    // Frames for the elapsed time with rowsLeft still to go.
    static int Frames(long elapsedMs, int rowsLeft);

private:
    bool m_running = false;
    bool m_collapsing = false;
    int m_full = 0;
    int m_shown = 0;
    long m_lastMs = 0;
};

// ---- Commands.

// Whether the idle update asks about a task's command: not 0, outside the
// frame's system range 61440..61935 and below 65280.
bool IsUpdatedCommand(unsigned command);

}  // namespace kgp::tasks
