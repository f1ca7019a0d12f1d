#include "guilib/docking/KGPAutoHideMath.h"

#include <algorithm>
#include <utility>

namespace kgp::autohide {

namespace {

// Under a right-to-left layout the left and right edges trade places.
Edge Laid(Edge edge, bool mirrored)
{
    if (!mirrored)
        return edge;
    if (edge == Edge::Left)
        return Edge::Right;
    if (edge == Edge::Right)
        return Edge::Left;
    return edge;
}

int ExtentAcrossEdge(const Box& box, Edge edge)
{
    return IsHorizontalEdge(edge) ? box.Height() : box.Width();
}

Box Shifted(Box box, int dx, int dy)
{
    box.left += dx;
    box.right += dx;
    box.top += dy;
    box.bottom += dy;
    return box;
}

} // namespace

Edge EdgeOf(unsigned alignment)
{
    if (alignment & split::kAlignLeft)
        return Edge::Left;
    if (alignment & split::kAlignTop)
        return Edge::Top;
    if (alignment & split::kAlignRight)
        return Edge::Right;
    if (alignment & split::kAlignBottom)
        return Edge::Bottom;
    return Edge::Left;
}

bool IsHorizontalEdge(Edge edge)
{
    return edge == Edge::Top || edge == Edge::Bottom;
}

int SlideStep(int extent, bool animated)
{
    if (!animated)
        return std::max(extent, 1);
    return std::max(extent / kSlideStepCount, 1);
}

bool SlideEnded(const SlideFacts& facts)
{
    const Box& p = facts.pane;
    if (facts.mode == kSlideGrow) {
        const int extent = ExtentAcrossEdge(p, facts.edge);
        return facts.slidingOut ? extent >= ExtentAcrossEdge(facts.slideRect, facts.edge) : extent <= 0;
    }
    const Box& b = facts.strip;
    switch (Laid(facts.edge, facts.mirrored)) {
    case Edge::Left:
        return facts.slidingOut ? p.left >= b.right : p.right <= b.right;
    case Edge::Right:
        return facts.slidingOut ? p.right <= b.left : p.left >= b.left;
    case Edge::Top:
        return facts.slidingOut ? p.top >= b.bottom : p.bottom <= b.bottom;
    case Edge::Bottom:
        return facts.slidingOut ? p.bottom <= b.top : p.top >= b.top;
    }
    return true;
}

Box SlideStepBox(Box pane, Edge edge, int mode, bool slidingOut, int step, const Box& slideRect, bool mirrored)
{
    const Edge laid = Laid(edge, mirrored);
    if (mode == kSlideGrow) {
        const int full = ExtentAcrossEdge(slideRect, edge);
        const int grown = std::clamp(ExtentAcrossEdge(pane, edge) + (slidingOut ? step : -step), 0, full);
        switch (laid) {
        case Edge::Left: pane.right = pane.left + grown; break;
        case Edge::Right: pane.left = pane.right - grown; break;
        case Edge::Top: pane.bottom = pane.top + grown; break;
        case Edge::Bottom: pane.top = pane.bottom - grown; break;
        }
        return pane;
    }
    // Away from the edge when sliding out, toward it when sliding in; out,
    // never past the pane's full place, so that its last step lands on it.
    int move = slidingOut ? step : -step;
    switch (laid) {
    case Edge::Left:
        if (slidingOut && !slideRect.IsEmpty())
            move = std::min(move, slideRect.left - pane.left);
        return Shifted(pane, move, 0);
    case Edge::Right:
        if (slidingOut && !slideRect.IsEmpty())
            move = std::min(move, pane.left - slideRect.left);
        return Shifted(pane, -move, 0);
    case Edge::Top:
        if (slidingOut && !slideRect.IsEmpty())
            move = std::min(move, slideRect.top - pane.top);
        return Shifted(pane, 0, move);
    case Edge::Bottom:
        if (slidingOut && !slideRect.IsEmpty())
            move = std::min(move, pane.top - slideRect.top);
        return Shifted(pane, 0, -move);
    }
    return pane;
}

Box SlideStartBox(const Box& slideRect, Edge edge, int mode, bool mirrored)
{
    Box box = slideRect;
    const Edge laid = Laid(edge, mirrored);
    if (mode == kSlideGrow) {
        switch (laid) {
        case Edge::Left: box.right = box.left; break;
        case Edge::Right: box.left = box.right; break;
        case Edge::Top: box.bottom = box.top; break;
        case Edge::Bottom: box.top = box.bottom; break;
        }
        return box;
    }
    switch (laid) {
    case Edge::Left: return Shifted(box, -box.Width(), 0);
    case Edge::Right: return Shifted(box, box.Width(), 0);
    case Edge::Top: return Shifted(box, 0, -box.Height());
    case Edge::Bottom: return Shifted(box, 0, box.Height());
    }
    return box;
}

bool ShouldSlideIn(const CheckFacts& facts)
{
    if (facts.active || facts.holdOpen || !facts.autoHidden || facts.popupMenuOpen || facts.tooltipVisible)
        return false;
    return !facts.cursorOverPane && !facts.cursorOverButton;
}

// ---- SlideMachine.

SlideMachine::SlideMachine(Clock clock, StartTimer start, StopTimer stop)
    : m_clock(std::move(clock)), m_start(std::move(start)), m_stop(std::move(stop))
{
}

void SlideMachine::StartSlideTimer(int id)
{
    m_slideTimer = id;
    m_slideDue = Now() + kSlidePeriodMs;
    if (m_start)
        m_start(id, kSlidePeriodMs);
}

void SlideMachine::StopSlideTimer()
{
    if (m_slideTimer != 0 && m_stop)
        m_stop(m_slideTimer);
    m_slideTimer = 0;
    m_slideDue = -1;
}

void SlideMachine::StartCheck()
{
    m_checkDue = Now() + kCheckPeriodMs;
    if (m_start)
        m_start(kTimerCheck, kCheckPeriodMs);
}

void SlideMachine::StopCheck()
{
    if (m_checkDue >= 0 && m_stop)
        m_stop(kTimerCheck);
    m_checkDue = -1;
}

void SlideMachine::Begin(bool slideOut, bool animated)
{
    StopSlideTimer();
    StopCheck();
    m_sliding = true;
    m_slidingOut = slideOut;
    m_steps = 0;
    if (animated)
        StartSlideTimer(slideOut ? kTimerSlideOut : kTimerSlideIn);
}

SlideMachine::After SlideMachine::OnSlideTick(bool ended)
{
    if (!m_sliding)
        return After::Nothing;
    ++m_steps;
    m_lastSlideWasIn = !m_slidingOut;
    if (!ended) {
        if (m_slideTimer != 0)
            m_slideDue = Now() + kSlidePeriodMs;
        return After::StepAgain;
    }
    return Finish();
}

SlideMachine::After SlideMachine::Finish()
{
    if (!m_sliding)
        return After::Nothing;
    if (m_steps == 0) {
        m_steps = 1;
        m_lastSlideWasIn = !m_slidingOut;
    }
    StopSlideTimer();
    m_sliding = false;
    if (m_slidingOut) {
        StartCheck();
        return After::ShowPane;
    }
    return After::HidePane;
}

void SlideMachine::OnCheckTick(bool slidIn)
{
    if (m_checkDue < 0)
        return;
    if (slidIn)
        StopCheck();
    else
        m_checkDue = Now() + kCheckPeriodMs;
}

void SlideMachine::Stop()
{
    StopSlideTimer();
    StopCheck();
    m_sliding = false;
}

int SlideMachine::DueTimer() const
{
    const long now = Now();
    if (m_slideTimer != 0 && now >= m_slideDue)
        return m_slideTimer;
    if (m_checkDue >= 0 && now >= m_checkDue)
        return kTimerCheck;
    return 0;
}

// ---- HoverMachine.

bool HoverMachine::OnMove(int button, bool paneHidden)
{
    if (button < 0 || m_pending || !paneHidden)
        return false;
    m_pending = true;
    return true;
}

bool HoverMachine::OnTimer(int button)
{
    const bool show = button >= 0 && m_pending;
    m_pending = false;
    return show;
}

// ---- Buttons.

Size ButtonTextSize(const ButtonSizeInput& in)
{
    if (in.text.cx == 0 && in.text.cy == 0)
        return {};
    Size text = in.text;
    if (!in.horizontal)
        std::swap(text.cx, text.cy);
    if (!in.activeToolbar && in.onlyActiveShowsText)
        (in.horizontal ? text.cx : text.cy) = 0;
    return text;
}

Size ButtonSize(const ButtonSizeInput& in)
{
    const int start = kButtonMargin + 2 * kButtonBorder;
    Size size{start, start};
    if (!in.hasPane)
        return size;
    const Size text = ButtonTextSize(in);
    const bool hasIcon = in.icon.cx > 0 && in.icon.cy > 0;
    const Size icon = hasIcon ? in.icon : Size{};
    const int textAlong = in.horizontal ? text.cx : text.cy;
    int gap = kButtonMargin + kButtonNoIconExtra;
    if (in.overlappingStyle) {
        const int across = in.horizontal ? std::max(icon.cy, text.cy) : std::max(icon.cx, text.cx);
        gap = 2 * (start + across) / 3 + in.overlapExtra;
    } else if (hasIcon) {
        gap = textAlong > 0 ? kButtonTextMargin + (in.horizontal ? icon.cx : icon.cy) : kButtonMargin + 1;
    }
    if (in.horizontal) {
        size.cx += text.cx + icon.cx + gap;
        size.cy += std::max(icon.cy, text.cy);
        size.cy = std::max(size.cy, in.minimumAcross);
    } else {
        size.cx += std::max(icon.cx, text.cx);
        size.cy += text.cy + icon.cy + gap;
        size.cx = std::max(size.cx, in.minimumAcross);
    }
    return size;
}

PaneAndSlider AlignAtOuterEdge(const PaneAndSlider& now, const Box& outer, Edge edge, bool mirrored)
{
    if (mirrored && !IsHorizontalEdge(edge))
        edge = edge == Edge::Left ? Edge::Right : Edge::Left;
    PaneAndSlider placed = now;
    const Box both{std::min(now.slider.left, now.pane.left), std::min(now.slider.top, now.pane.top),
                   std::max(now.slider.right, now.pane.right), std::max(now.slider.bottom, now.pane.bottom)};
    int dx = 0, dy = 0;
    switch (edge) {
    case Edge::Left: dx = outer.left - both.left; break;
    case Edge::Right: dx = outer.right - both.right; break;
    case Edge::Top: dy = outer.top - both.top; break;
    case Edge::Bottom: dy = outer.bottom - both.bottom; break;
    }
    for (Box* box : {&placed.slider, &placed.pane}) {
        if (IsHorizontalEdge(edge)) {
            box->left = outer.left;
            box->right = outer.right;
            box->top += dy;
            box->bottom += dy;
        } else {
            box->top = outer.top;
            box->bottom = outer.bottom;
            box->left += dx;
            box->right += dx;
        }
    }
    return placed;
}

int ButtonCorner(bool overlappingStyle, bool horizontal)
{
    if (!overlappingStyle)
        return kButtonTextMargin;
    return horizontal ? kOverlapCornerHorz : kOverlapCornerVert;
}

Box ButtonBorder(Edge edge, int border)
{
    Box sides{border, border, border, border};
    switch (edge) {
    case Edge::Top: sides.top = 0; break;
    case Edge::Bottom: sides.bottom = 0; break;
    case Edge::Left: sides.left = 0; break;
    case Edge::Right: sides.right = 0; break;
    }
    return sides;
}

Box OverlapFaceBox(const Box& button, bool horizontal, int corner)
{
    Box face = button;
    if (horizontal) {
        face.left -= corner;
        face.right -= corner;
    } else {
        face.top -= corner;
        face.bottom -= corner;
    }
    return face;
}

Box ButtonContentBox(const Box& button, const Box& border, bool horizontal, bool overlappingStyle, int margin)
{
    Box content = button;
    if (!overlappingStyle) {
        content.left += border.left;
        content.top += border.top;
        content.right -= border.right;
        content.bottom -= border.bottom;
    }
    content.left += margin;
    content.top += margin;
    content.right -= margin;
    content.bottom -= margin;
    if (overlappingStyle) {
        if (horizontal)
            content.right -= 2 * (button.bottom - button.top) / 3;
        else
            content.bottom -= 2 * (button.right - button.left) / 3;
    }
    return content;
}

bool ButtonShowsText(bool textEmpty, bool activeToolbar, bool hasIcon, bool onlyActiveShowsText)
{
    return !((textEmpty || !activeToolbar) && hasIcon && onlyActiveShowsText);
}

std::vector<Box> LayoutButtons(const std::vector<Size>& sizes, Edge edge, int startAlong, int across)
{
    std::vector<Box> boxes;
    boxes.reserve(sizes.size());
    int along = startAlong;
    for (const Size& size : sizes) {
        if (IsHorizontalEdge(edge)) {
            boxes.push_back({along, 0, along + size.cx, across});
            along += size.cx;
        } else {
            boxes.push_back({0, along, across, along + size.cy});
            along += size.cy;
        }
    }
    return boxes;
}

int ButtonAt(const std::vector<Box>& buttons, const std::vector<bool>& visible, int onTop, int x, int y)
{
    auto holds = [&](int i) {
        const Box& b = buttons[static_cast<size_t>(i)];
        return static_cast<size_t>(i) < visible.size() && visible[static_cast<size_t>(i)] && x >= b.left &&
               x < b.right && y >= b.top && y < b.bottom;
    };
    const int count = static_cast<int>(buttons.size());
    if (onTop >= 0 && onTop < count && holds(onTop))
        return onTop;
    for (int i = 0; i < count; ++i) {
        if (holds(i))
            return i;
    }
    return -1;
}

} // namespace kgp::autohide
