#include "guilib/panes/KGPTasksPaneLayout.h"

#include <algorithm>

namespace kgp::tasks {

namespace {

constexpr int kWheelDelta = 120;
constexpr int kTallRow = 10;
constexpr int kToolboxCaptionExtra = 5;
constexpr int kToolboxCaptionHeight = 18;

int RoundedDivide(long value, long by)
{
    return by <= 0 ? 0 : static_cast<int>((value + by / 2) / by);
}

}  // namespace

Metrics ResolveMetrics(const Metrics& own, const Metrics& defaults)
{
    Metrics resolved{};
    for (size_t i = 0; i < resolved.size(); ++i)
        resolved[i] = own[i] == -1 ? defaults[i] : own[i];
    return resolved;
}

int CaptionHeight(const GroupFacts& group, const Metrics& metrics, bool toolboxStyle)
{
    if (!group.hasCaption)
        return 0;
    int extra = metrics[kGroupCaptionExtraHeight];
    int least = metrics[kGroupCaptionHeight];
    if (toolboxStyle) {
        extra = std::max(extra, kToolboxCaptionExtra);
        if (least <= 0)
            least = kToolboxCaptionHeight;
    }
    return std::max(group.captionTextHeight + extra, least);
}

Layout LayOutGroups(const LayoutFacts& facts, const std::vector<GroupFacts>& groups, const MeasureTask& measure)
{
    const Metrics& m = facts.metrics;
    Layout layout;
    layout.groups.resize(groups.size());
    const int left = facts.area.left + m[kHorizontalMargin];
    const int right = facts.area.right - m[kHorizontalMargin];
    int y = facts.area.top + m[kVerticalMargin] - facts.scrollPosition * facts.rowHeight;
    const int yStart = y;

    for (size_t g = 0; g < groups.size(); ++g) {
        const GroupFacts& group = groups[g];
        GroupPlace& place = layout.groups[g];
        place.tasksPlaces.resize(group.tasks.size());

        if (group.hasCaption) {
            int height = CaptionHeight(group, m, facts.toolboxStyle);
            // An icon taller than the caption (and narrower than the group)
            // pushes the caption down.
            if (group.iconHeight > height && group.iconWidth < right - left)
                y += group.iconHeight - height;
            place.caption = Box{left, y, right, y + height};
            y += height;
        }

        const bool animated = static_cast<int>(g) == facts.animatedGroup;
        const bool collapsed = group.collapsed && facts.collapsible && group.hasCaption && !animated;

        // The expanded tasks area, measured whether shown or not (the
        // animation needs its full height).
        const int tasksTop = y;
        int ty = y;
        bool firstVisible = true;
        for (size_t t = 0; t < group.tasks.size(); ++t) {
            const TaskFacts& task = group.tasks[t];
            TaskPlace& taskPlace = place.tasksPlaces[t];
            if (!task.visible)
                continue;
            if (firstVisible) {
                ty += m[kTaskSpacing];
                firstVisible = false;
            }
            const int taskLeft = left + m[kTasksHorzOffset];
            const int taskRight = std::max(taskLeft, right - m[kTasksHorzOffset]);
            int height = 0;
            if (task.windowHeight >= 0) {
                height = task.windowHeight;
            } else {
                const bool wrap = task.hasCommand ? facts.wrapTasks : facts.wrapLabels;
                const int textWidth = std::max(0, taskRight - taskLeft - facts.imageWidth - m[kTaskIconOffset]);
                const int text = measure ? measure(g, t, textWidth, wrap) : 0;
                height = std::max(text, facts.imageHeight);
                if (task.tall)
                    height = std::max(height, kTallRow);
            }
            taskPlace.rect = Box{taskLeft, ty, taskRight, ty + height};
            taskPlace.windowShown = true;
            ty += height + m[kTaskSpacing];
        }
        place.fullTasksHeight = ty - tasksTop;

        if (collapsed) {
            // Only the caption: the tasks area is the empty line just above its bottom.
            place.tasks = Box{left, place.caption.bottom - 1, right, place.caption.bottom - 1};
            y = place.caption.bottom;
            for (TaskPlace& taskPlace : place.tasksPlaces) {
                taskPlace.rect = Box{};
                taskPlace.windowShown = false;
            }
        } else {
            int shown = place.fullTasksHeight;
            if (animated)
                shown = std::clamp(facts.animatedHeight, 0, place.fullTasksHeight);
            place.tasks = Box{left, tasksTop, right, tasksTop + shown};
            // Tasks cut off by the animation keep no window in view.
            for (TaskPlace& taskPlace : place.tasksPlaces)
                if (taskPlace.rect.bottom > place.tasks.bottom)
                    taskPlace.windowShown = false;
            y = place.tasks.bottom;
        }
        y += m[kGroupSpacing];
    }
    // The groups with the spacing between them, and both margins.
    layout.contentHeight = (y - yStart) + m[kVerticalMargin] * 2 - (groups.empty() ? 0 : m[kGroupSpacing]);
    return layout;
}

ScrollMetrics ComputeScroll(const ScrollFacts& facts)
{
    ScrollMetrics scroll;
    if (facts.rowHeight <= 0 || facts.contentHeight <= facts.areaHeight)
        return scroll;
    scroll.pageSize = std::max(0, (facts.areaHeight - facts.scrollAreaHeight) / facts.rowHeight - 1);
    scroll.maximum = std::max(0, facts.contentHeight / facts.rowHeight - 1);
    scroll.position = ClampPosition(scroll, facts.position);
    return scroll;
}

int ClampPosition(const ScrollMetrics& scroll, int position)
{
    const int last = std::max(0, scroll.maximum - scroll.pageSize + 1);
    return std::clamp(position, 0, last);
}

int WheelPosition(const ScrollMetrics& scroll, int wheelDelta)
{
    const int rows = wheelDelta / kWheelDelta;
    return ClampPosition(scroll, scroll.position - rows);
}

int ScrollBarPosition(const ScrollMetrics& scroll, int code, int thumb)
{
    int position = scroll.position;
    switch (code) {
    case 0: // SB_LINEUP
        --position;
        break;
    case 1: // SB_LINEDOWN
        ++position;
        break;
    case 2: // SB_PAGEUP
        position -= scroll.pageSize;
        break;
    case 3: // SB_PAGEDOWN
        position += scroll.pageSize;
        break;
    case 4: // SB_THUMBPOSITION
    case 5: // SB_THUMBTRACK
        position = thumb;
        break;
    case 6: // SB_TOP
        position = 0;
        break;
    case 7: // SB_BOTTOM
        position = scroll.maximum;
        break;
    default:
        break;
    }
    return ClampPosition(scroll, position);
}

void CollapseAnimation::Start(bool collapsing, int fullHeight, long nowMs)
{
    m_running = true;
    m_collapsing = collapsing;
    m_full = std::max(0, fullHeight);
    m_shown = collapsing ? m_full : 0;
    m_lastMs = nowMs;
}

int CollapseAnimation::Frames(long elapsedMs, int rowsLeft)
{
    int frames = RoundedDivide(std::max(0L, elapsedMs), kFrameMs);
    if (rowsLeft > 9)
        frames = rowsLeft * frames / 9 + 1;
    return frames;
}

bool CollapseAnimation::Step(long nowMs, int rowHeight)
{
    if (!m_running)
        return false;
    if (rowHeight <= 0) {
        m_running = false;
        return false;
    }
    const int left = m_collapsing ? m_shown : m_full - m_shown;
    const int frames = Frames(nowMs - m_lastMs, RoundedDivide(left, rowHeight));
    const int move = rowHeight * frames;
    m_shown = m_collapsing ? std::max(0, m_shown - move) : std::min(m_full, m_shown + move);
    if (frames > 0)
        m_lastMs = nowMs;
    if ((m_collapsing && m_shown == 0) || (!m_collapsing && m_shown >= m_full))
        m_running = false;
    return m_running;
}

bool IsUpdatedCommand(unsigned command)
{
    return command != 0 && (command < 61440 || command > 61935) && command < 65280;
}

}  // namespace kgp::tasks
