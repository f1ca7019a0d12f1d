#include "guilib/tabs/KGPTabLayout.h"

#include <algorithm>
#include <cwctype>

namespace kgp::tabs {

// ---- Styles.

TabStyle StyleAtCreation(int code)
{
    TabStyle style;
    switch (code) {
    case 1: style.flat = true; style.scrollButtons = true; break;
    case 2: style.flat = true; style.sharedScroll = true; style.scrollButtons = true; break;
    case 3: style.scrollButtons = true; break;
    case 4: style.oneNote = true; style.scrollButtons = true; break;
    case 5: style.vs2005 = true; style.scrollButtons = true; break;
    case 6: style.rounded = true; break;
    case 7: style.rounded = true; style.scrollButtons = true; break;
    default: break;
    }
    return style;
}

TabStyle Restyled(TabStyle current, int code)
{
    current.flat = code == 1;
    current.oneNote = code == 4;
    current.vs2005 = code == 5;
    current.rounded = code == 6 || code == 7;
    return current;
}

int ImageMarginOf(const TabStyle& style, bool atCreation)
{
    if (style.Overlapping() || (atCreation && style.flat))
        return 0;
    return kImageMargin;
}

// ---- The strip in the client.

std::vector<ButtonKind> ButtonsOf(const TabStyle& style, bool closeButton)
{
    std::vector<ButtonKind> kinds;
    if (style.scrollButtons) {
        kinds.push_back(ButtonKind::ScrollLeft);
        kinds.push_back(ButtonKind::ScrollRight);
        if (style.flat) {
            kinds.push_back(ButtonKind::ScrollFirst);
            kinds.push_back(ButtonKind::ScrollLast);
        }
    }
    if (closeButton && !style.flat)
        kinds.push_back(ButtonKind::Close);
    return kinds;
}

StripLayout LayOutStrip(const StripInput& in)
{
    StripLayout out;
    Box client = in.client;
    const int b = in.borderSize;
    if (in.splitterMode == 1) {
        out.splitter = {client.right - 5, client.top, client.right, client.bottom};
        client.right -= 6;
    } else if (in.splitterMode == 2) {
        out.splitter = {client.left, client.bottom - 5, client.right, client.bottom};
        client.bottom -= 6;
    }

    // The buttons that take room in the strip.
    std::vector<ButtonKind> kinds = ButtonsOf(in.style, in.closeButton);
    std::vector<ButtonKind> shown;
    for (ButtonKind kind : kinds) {
        if (kind == ButtonKind::ScrollLeft && in.tabListMode)
            continue;
        shown.push_back(kind);
    }
    const int size = in.tabsHeight > 0 ? std::min(in.buttonSize, in.tabsHeight) : 0;
    const int buttonsWidth = (size + 3) * static_cast<int>(shown.size());

    Box strip = {client.left + 2, client.top + 2, client.right - 2, client.bottom - 2};
    if (in.location == kLocationTop)
        strip.bottom = strip.top + in.tabsHeight;
    else
        strip.top = strip.bottom - in.tabsHeight;

    std::vector<Box> places(shown.size());
    if (in.tabsHeight > 0) {
        const int top = strip.top + (strip.Height() - size) / 2;
        if (!in.style.flat) {
            const bool firstOnLeft = in.style.Overlapping() && !in.tabListMode && !shown.empty() &&
                                     shown.front() == ButtonKind::ScrollLeft;
            int x = strip.right - buttonsWidth + (firstOnLeft ? size + 3 : 0);
            strip.right -= buttonsWidth - (firstOnLeft ? size + 3 : 0);
            if (firstOnLeft)
                strip.left += size;
            for (std::size_t i = 0; i < shown.size(); ++i) {
                if (firstOnLeft && i == 0) {
                    places[i] = {strip.left - size - 1, top, strip.left - 1, top + size};
                    continue;
                }
                places[i] = {x, top, x + size, top + size};
                x += size + 3;
            }
        } else {
            if (b > 1) {
                strip.left += b - 1;
                strip.right -= b - 1;
                if (in.location == kLocationTop) {
                    strip.top += b - 1;
                    strip.bottom += b - 1;
                } else {
                    strip.top -= b - 1;
                    strip.bottom -= b - 1;
                }
            }
            int x = strip.left;
            for (std::size_t i = 0; i < shown.size(); ++i) {
                places[i] = {x, top, x + size, top + size};
                x += size + 3;
            }
            strip.left = x + (shown.empty() ? 0 : 1);
            strip.right -= 1;
            if (strip.Width() <= 0) {
                const int inset = b > 0 ? b + 1 : 0;
                strip.left = client.left + inset;
                strip.right = client.right - inset;
            }
            if (client.Width() < in.tabsHeight + b)
                strip = {strip.left, strip.top, strip.left, strip.bottom};
        }
    } else {
        strip = in.location == kLocationTop ? Box{strip.left, strip.top, strip.right, strip.top}
                                            : Box{strip.left, strip.bottom, strip.right, strip.bottom};
    }

    Box area = in.client;
    if (in.splitterMode == 1)
        area.right -= 6;
    else if (in.splitterMode == 2)
        area.bottom -= 6;
    if (b > 0) {
        area.left += b + 1;
        area.top += b + 1;
        area.right -= b + 1;
        area.bottom -= b + 1;
        if (in.splitterMode == 1)
            area.right += b + 2;
        else if (in.splitterMode == 2)
            area.bottom += b + 2;
    }
    if (in.tabsHeight > 0) {
        if (!in.style.flat) {
            if (in.location == kLocationTop)
                area.top = strip.bottom + b;
            else
                area.bottom = strip.top - b;
        } else {
            if (in.location == kLocationTop)
                area.top = strip.bottom;
            else
                area.bottom = strip.top;
            if (b == 0) {
                area.left += 1;
                if (in.location == kLocationTop)
                    area.bottom -= 1;
                else
                    area.top += 1;
            }
        }
    }
    if (area.bottom < area.top)
        area.bottom = area.top;
    if (area.right < area.left)
        area.right = area.left;

    out.strip = strip;
    out.windowArea = area;
    for (ButtonKind kind : kinds) {
        PlacedButton placed{kind, {}};
        for (std::size_t i = 0; i < shown.size(); ++i) {
            if (shown[i] == kind)
                placed.rect = places[i];
        }
        out.buttons.push_back(placed);
    }
    return out;
}

// ---- The tabs in the strip.

int OverlapOf(const TabStyle& style, int stripHeight, int imageMargin)
{
    if (style.rounded)
        return stripHeight / 2;
    if (style.oneNote || style.vs2005)
        return stripHeight - imageMargin - 1;
    return 0;
}

namespace {

int VisibleCount(const std::vector<TabFacts>& tabs)
{
    return static_cast<int>(std::count_if(tabs.begin(), tabs.end(), [](const TabFacts& t) { return t.visible; }));
}

Box TabBox(const TabsInput& in, int x, int width)
{
    Box rect{x, in.strip.top, x + width, in.strip.bottom - 2};
    if (in.location == kLocationTop) {
        rect.top += 2;
        rect.bottom += 2;
    }
    return rect;
}

bool WantsTooltip(const TabsInput& in, const TabFacts& facts, const Box& rect, bool cut)
{
    return facts.alwaysTooltip || in.customTooltips || rect.right > in.strip.right || cut;
}

// Without scroll buttons, tabs that do not fit share the strip out.
void ShareOut(const TabsInput& in, TabsLayout& out, int overlap)
{
    const int count = VisibleCount(in.tabs);
    const int stripWidth = in.strip.Width();
    const int height = in.strip.Height();
    int average = stripWidth / count - 1;
    if (in.style.rounded)
        average = std::max(height / 2 + in.imageWidth, (stripWidth - height / 3) / count);

    int surplus = 0;
    int wide = 0;
    for (std::size_t i = 0; i < in.tabs.size(); ++i) {
        if (!in.tabs[i].visible)
            continue;
        if (out.tabs[i].fullWidth < average)
            surplus += average - out.tabs[i].fullWidth;
        else
            ++wide;
    }
    int x = in.strip.left;
    for (std::size_t i = 0; i < in.tabs.size(); ++i) {
        const TabFacts& facts = in.tabs[i];
        if (!facts.visible)
            continue;
        int width = out.tabs[i].fullWidth;
        bool cut = false;
        if (width >= average) {
            width = average + (wide > 0 ? surplus / wide : 0);
            cut = width < out.tabs[i].fullWidth;
            if (width < in.imageWidth + in.imageMargin)
                width = (stripWidth + 2 * in.borderSize) / count;
            if (facts.iconOnly || facts.unlabelled)
                width = in.imageWidth + 2 * kTextMargin;
        }
        const Box rect = TabBox(in, x, width);
        out.tabs[i].rect = rect;
        out.tabs[i].tooltipRect = WantsTooltip(in, facts, rect, cut) ? rect : Box{};
        x += width + 1 - overlap;
    }
}

}  // namespace

TabsLayout AdjustTabs(const TabsInput& in, const MeasureLabel& measure)
{
    TabsLayout out;
    out.tabs.resize(in.tabs.size());
    const int visibleCount = VisibleCount(in.tabs);
    const int height = in.strip.Height();
    if (visibleCount == 0 || height <= 0)
        return out;
    if (in.hideSingleTab && visibleCount < 2)
        return out;

    const int overlap = OverlapOf(in.style, height, in.imageMargin);
    const bool measureAllBold = in.boldActive && (in.style.oneNote || in.style.vs2005);
    int x = in.strip.left - in.scrollOffset;
    bool first = true;
    for (std::size_t i = 0; i < in.tabs.size(); ++i) {
        const TabFacts& facts = in.tabs[i];
        TabPlace& place = out.tabs[i];
        if (!facts.visible)
            continue;
        const int index = static_cast<int>(i);
        const bool bold = in.boldActive && !in.style.flat && (measureAllBold || index == in.activeTab);
        const int label = facts.iconOnly ? 0 : measure(index, bold);
        int width = label + 2 * kTextMargin + in.imageMargin + (facts.hasIcon ? in.imageWidth : 0);
        if (in.style.rounded)
            width += height / 2;
        else if (in.style.oneNote)
            width += height + 2 * in.imageMargin;
        else if (in.style.vs2005)
            width += height - in.imageMargin;
        place.fullWidth = width;
        bool cut = false;
        if (in.style.scrollButtons && in.maxTabWidth > 0 && width > in.maxTabWidth) {
            width = in.maxTabWidth;
            cut = true;
        }

        Box rect = TabBox(in, x, width);
        if (in.tabListMode && rect.right > in.strip.right) {
            const bool keepClipped = index == in.activeTab && index == 0 &&
                                     in.strip.right - rect.left >= overlap + 2 * kTextMargin;
            if (!keepClipped) {
                place.rect = {};
                place.fullWidth = 0;
                out.hiddenByList = true;
                continue;
            }
            rect.right = in.strip.right;
            cut = true;
        }
        place.rect = rect;
        place.tooltipRect = WantsTooltip(in, facts, rect, cut) ? rect : Box{};

        x += width + 1 - overlap;
        out.totalWidth += width + 1 - (first ? 0 : overlap);
        first = false;
        if (in.style.flat)
            place.rect.right += height / 2;
    }

    if (!in.style.scrollButtons && out.totalWidth > in.strip.Width())
        ShareOut(in, out, overlap);
    else
        out.totalWidth += height / 2;
    return out;
}

// ---- Scrolling.

ScrollState AdjustTabsScroll(const ScrollInput& in)
{
    ScrollState out;
    out.listGlyph = in.tabListMode ? (in.hiddenByList ? kGlyphTabListHidden : kGlyphTabList) : -1;
    if (!in.style.scrollButtons || in.tabCount == 0)
        return out;
    out.maxOffset = std::max(0, in.totalWidth - in.stripWidth);
    out.firstVisible = in.firstVisible;
    if (in.style.Overlapping()) {
        out.offset = std::max(0, in.offset);
        out.leftEnabled = in.firstVisible > 0;
        out.rightEnabled = in.tabListMode ||
                           !(in.lastTabRight <= in.stripRight || in.firstVisible >= in.tabCount - 1);
    } else {
        out.offset = std::clamp(in.offset, 0, out.maxOffset);
        out.leftEnabled = out.offset > 0;
        out.rightEnabled = in.tabListMode || out.maxOffset > out.offset;
    }
    return out;
}

int OffsetOfFirstVisible(const std::vector<int>& fullWidths, int overlap, int first)
{
    int offset = 0;
    for (int i = 0; i < first && i < static_cast<int>(fullWidths.size()); ++i)
        offset += fullWidths[static_cast<std::size_t>(i)] + 1 - overlap;
    return offset;
}

ScrollState Scroll(const ScrollInput& in, const std::vector<int>& fullWidths, int overlap, ButtonKind button)
{
    ScrollInput next = in;
    const bool overlapping = in.style.Overlapping();
    switch (button) {
    case ButtonKind::ScrollLeft:
        if (overlapping) {
            next.firstVisible = std::max(0, in.firstVisible - 1);
            next.offset = OffsetOfFirstVisible(fullWidths, overlap, next.firstVisible);
        } else {
            next.offset = in.offset - kScrollStep;
        }
        break;
    case ButtonKind::ScrollRight:
        if (overlapping) {
            next.firstVisible = std::min(std::max(0, in.tabCount - 1), in.firstVisible + 1);
            next.offset = OffsetOfFirstVisible(fullWidths, overlap, next.firstVisible);
        } else {
            next.offset = in.offset + kScrollStep;
        }
        break;
    case ButtonKind::ScrollFirst:
        next.offset = 0;
        next.firstVisible = 0;
        break;
    case ButtonKind::ScrollLast:
        next.offset = std::max(0, in.totalWidth - in.stripWidth);
        break;
    case ButtonKind::Close:
        break;
    }
    return AdjustTabsScroll(next);
}

EnsureResult EnsureVisible(const EnsureInput& in, int tab)
{
    EnsureResult out;
    out.offset = in.offset;
    const Box& rect = in.rects[static_cast<std::size_t>(tab)];
    if (in.tabListMode) {
        const bool shown = !rect.IsEmpty() && rect.left >= in.strip.left && rect.left < in.strip.right;
        out.moveToFront = !shown;
        return out;
    }
    if (in.style.Overlapping()) {
        int total = 0;
        for (int i = 0; i <= tab; ++i)
            total += in.fullWidths[static_cast<std::size_t>(i)] - (i > 0 ? in.overlap : 0);
        int first = 0;
        while (total > in.strip.Width() && first < tab) {
            total -= in.fullWidths[static_cast<std::size_t>(first)] - in.overlap;
            ++first;
        }
        out.firstVisible = first;
        out.offset = OffsetOfFirstVisible(in.fullWidths, in.overlap, first);
        return out;
    }
    if (rect.left < in.strip.left)
        out.offset -= in.strip.left - rect.left;
    else if (rect.right > in.strip.right && rect.Width() <= in.strip.Width())
        out.offset += rect.right - in.strip.right;
    return out;
}

// ---- Hit test.

int TabFromPoint(const std::vector<Box>& rects, const std::vector<bool>& visible, int activeTab, const Box& strip,
                 bool overlapping, int x, int y)
{
    if (!strip.Contains(x, y))
        return -1;
    const int count = static_cast<int>(rects.size());
    if (overlapping && activeTab >= 0 && activeTab < count && visible[static_cast<std::size_t>(activeTab)]) {
        const Box& active = rects[static_cast<std::size_t>(activeTab)];
        if (active.Contains(x, y)) {
            const int h = active.Height();
            const long dx = x - active.left;
            const long dy = y - active.top;
            const bool slantedCorner = x < active.left + h && dx * dx + dy * dy < static_cast<long>(h) * h / 2;
            if (!slantedCorner)
                return activeTab;
            for (int i = activeTab - 1; i >= 0; --i) {
                if (visible[static_cast<std::size_t>(i)])
                    return i;
            }
            return activeTab;
        }
    }
    for (int i = 0; i < count; ++i) {
        if (visible[static_cast<std::size_t>(i)] && rects[static_cast<std::size_t>(i)].Contains(x, y))
            return i;
    }
    return -1;
}

// ---- Which tab is active.

int FirstVisibleFrom(const std::vector<bool>& visible, int from)
{
    const int count = static_cast<int>(visible.size());
    if (count == 0)
        return -1;
    from = std::clamp(from, 0, count - 1);
    for (int step = 0; step < count; ++step) {
        const int i = (from + step) % count;
        if (visible[static_cast<std::size_t>(i)])
            return i;
    }
    return -1;
}

int ActiveAfterInsert(int activeBefore, int position, int countAfter)
{
    if (countAfter == 1 || activeBefore < 0)
        return countAfter == 1 ? 0 : activeBefore;
    return position < activeBefore ? activeBefore + 1 : activeBefore;
}

int ReplacementAfterRemove(const std::vector<bool>& visible, int removed, int activeBefore, bool pickLastVisible)
{
    const int count = static_cast<int>(visible.size());
    if (removed > activeBefore)
        return activeBefore;
    if (pickLastVisible) {
        for (int i = count - 1; i >= 0; --i) {
            if (visible[static_cast<std::size_t>(i)])
                return i;
        }
        return -1;
    }
    for (int i = std::max(0, removed); i < count; ++i) {
        if (visible[static_cast<std::size_t>(i)])
            return i;
    }
    if (activeBefore >= 0 && activeBefore < count)
        return activeBefore;
    for (int i = std::min(removed, count) - 1; i >= 0; --i) {
        if (visible[static_cast<std::size_t>(i)])
            return i;
    }
    return -1;
}

int ActivatedAfterRemove(const std::vector<bool>& visible, int replacement, int removed, int previousActive,
                         bool returnToPrevious)
{
    if (replacement < 0)
        return -1;
    if (returnToPrevious && previousActive >= 0) {
        const int previous = previousActive > removed ? previousActive - 1 : previousActive;
        if (previous >= 0 && previous < static_cast<int>(visible.size()) && previousActive != removed)
            return FirstVisibleFrom(visible, previous);
    }
    return FirstVisibleFrom(visible, replacement);
}

int CandidateAfterHide(const std::vector<bool>& visible, int hidden)
{
    const int count = static_cast<int>(visible.size());
    for (int i = hidden + 1; i < count; ++i) {
        if (visible[static_cast<std::size_t>(i)])
            return i;
    }
    for (int i = hidden - 1; i >= 0; --i) {
        if (visible[static_cast<std::size_t>(i)])
            return i;
    }
    return -1;
}

int NeighbourTab(const std::vector<bool>& visible, int active, bool forward)
{
    const int count = static_cast<int>(visible.size());
    if (count == 0 || active < 0 || active >= count)
        return -1;
    for (int step = 1; step < count; ++step) {
        const int i = forward ? (active + step) % count : (active - step + count) % count;
        if (visible[static_cast<std::size_t>(i)])
            return i;
    }
    return -1;
}

int IndexAfterMove(int index, int from, int to, int count)
{
    if (to < 0 || to >= count)
        to = count - 1;
    if (index == from)
        return to;
    if (from < index && index <= to)
        return index - 1;
    if (to <= index && index < from)
        return index + 1;
    return index;
}

// ---- Colours.

namespace {

constexpr std::uint32_t Rgb(unsigned r, unsigned g, unsigned b)
{
    return r | (g << 8) | (b << 16);
}

}  // namespace

std::vector<std::uint32_t> DefaultAutoColors(int bitsPerPixel)
{
    if (bitsPerPixel > 8) {
        return {Rgb(148, 175, 230), Rgb(255, 219, 117), Rgb(189, 205, 159), Rgb(240, 158, 159),
                Rgb(186, 166, 225), Rgb(154, 191, 180), Rgb(247, 182, 131), Rgb(213, 164, 187)};
    }
    return {Rgb(0, 255, 0), Rgb(0, 255, 255), Rgb(255, 0, 255), Rgb(192, 192, 192), Rgb(255, 255, 0)};
}

std::uint32_t AutoColorOf(const std::vector<std::uint32_t>& colors, int index)
{
    if (colors.empty() || index < 0)
        return 0xFFFFFFFFu;
    return colors[static_cast<std::size_t>(index) % colors.size()];
}

// ---- The tab list.

namespace {

bool LessNoCase(const std::wstring& a, const std::wstring& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](wchar_t x, wchar_t y) {
        return std::towlower(static_cast<wint_t>(x)) < std::towlower(static_cast<wint_t>(y));
    });
}

std::wstring DoubledAmpersands(const std::wstring& text)
{
    std::wstring out;
    for (wchar_t c : text) {
        out += c;
        if (c == L'&')
            out += L'&';
    }
    return out;
}

}  // namespace

std::vector<TabListEntry> TabListEntries(const std::vector<std::wstring>& labels, const std::vector<bool>& visible)
{
    std::vector<TabListEntry> entries;
    for (std::size_t i = 0; i < labels.size() && i < visible.size(); ++i) {
        if (!visible[i])
            continue;
        const int tab = static_cast<int>(i);
        entries.push_back({kTabListFirstCommand - tab, tab, DoubledAmpersands(labels[i])});
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const TabListEntry& a, const TabListEntry& b) { return LessNoCase(a.text, b.text); });
    return entries;
}

int TabOfListCommand(int command, int count)
{
    const int tab = kTabListFirstCommand - command;
    return tab >= 0 && tab < count ? tab : -1;
}

}  // namespace kgp::tabs
