#include "guilib/panes/KGPOutlookMath.h"

#include <algorithm>
#include <cstdio>
#include <cwchar>

namespace kgp::outlook {

ButtonSize VerticalButtonSize(int cx, int cy, int imageWidth, int textWidth, int textHeight)
{
    ButtonSize size;
    size.height = cy + textHeight + 10;
    size.width = std::min(std::max(textWidth, imageWidth + 4), cx);
    size.textFits = textWidth <= cx;
    return size;
}

ButtonSize HorizontalButtonSize(int cx, int cy, int imageHeight, TextExtent singleLine,
                                const std::function<TextExtent(int width)>& measure)
{
    TextExtent caption{0, cy};
    // Widening past the single-line width changes nothing more: the loop ends there.
    for (int width = 0; width <= std::max(0, singleLine.width); ++width) {
        caption = measure(width);
        if (caption.height <= singleLine.height || caption.height <= cy)
            break;
    }
    ButtonSize size;
    size.width = cx + caption.width + 10;
    const int smaller = std::min(cy, caption.height);
    size.height = imageHeight > smaller ? imageHeight : smaller;
    size.textFits = true;
    return size;
}

bool ArrowsFit(const Box& client, Size2 scrollButton)
{
    return client.Width() >= scrollButton.cx + 5 && client.Height() >= scrollButton.cy + 5;
}

PaneLayout LayOutPane(const PaneInput& in)
{
    PaneLayout out;
    const Box& c = in.client;
    const bool fit = ArrowsFit(c, in.scrollButton);
    out.up = {c.right - in.scrollButton.cx - 5, c.top + 5, c.right - 5, c.top + 5 + in.scrollButton.cy};
    out.down = {c.right - in.scrollButton.cx - 5, c.bottom - in.scrollButton.cy - 5, c.right - 5, c.bottom - 5};
    out.showUp = in.scroll.firstVisible > 0 && fit;
    int y = c.top - in.scroll.offset + in.spacing;
    const size_t count = std::min(in.widths.size(), in.heights.size());
    out.buttons.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const int width = std::min(in.widths[i], c.Width() - 1);
        const int left = c.left + (c.Width() - 1 - width) / 2;
        out.buttons.push_back({left, y, left + width, y + in.heights[i]});
        y += in.heights[i] + in.spacing;
    }
    out.canScrollDown = y > c.bottom;
    out.showDown = out.canScrollDown && fit;
    return out;
}

namespace {

int HeightAt(const std::vector<int>& heights, int index)
{
    return index >= 0 && index < static_cast<int>(heights.size()) ? heights[static_cast<size_t>(index)] : 0;
}

}  // namespace

bool ScrollUp(PaneScroll& scroll, const std::vector<int>& heights, int spacing)
{
    if (scroll.offset <= 0 || scroll.firstVisible <= 0 || scroll.firstVisible > static_cast<int>(heights.size())) {
        scroll = {};
        return false;
    }
    --scroll.firstVisible;
    scroll.offset -= HeightAt(heights, scroll.firstVisible) + spacing;
    if (scroll.firstVisible == 0 || scroll.offset < 0)
        scroll = {};
    return true;
}

bool ScrollDown(PaneScroll& scroll, const std::vector<int>& heights, int spacing, bool canScrollDown)
{
    if (!canScrollDown || scroll.firstVisible < 0 || scroll.firstVisible + 1 >= static_cast<int>(heights.size()))
        return false;
    scroll.offset += HeightAt(heights, scroll.firstVisible) + spacing;
    ++scroll.firstVisible;
    return true;
}

int PageSteps(int clientHeight, const std::vector<int>& heights, int spacing, const PaneScroll& scroll)
{
    // No button at the first index (none left): nothing to step over.
    if (scroll.firstVisible < 0 || scroll.firstVisible >= static_cast<int>(heights.size()))
        return 0;
    const int step = spacing + HeightAt(heights, scroll.firstVisible);
    if (step <= 0 || clientHeight <= 0)
        return 0;
    return clientHeight / step;
}

void ScrollBackAfterResize(PaneScroll& scroll, const PaneInput& in)
{
    PaneInput probe = in;
    for (;;) {
        probe.scroll = scroll;
        const PaneLayout layout = LayOutPane(probe);
        if (scroll.offset <= 0 || layout.buttons.empty() || layout.buttons.back().bottom >= in.client.bottom)
            return;
        if (!ScrollUp(scroll, in.heights, in.spacing))
            return;
    }
}

WindowLayout LayOutWindow(const WindowInput& in)
{
    WindowLayout out;
    const Box& r = in.client;
    const int h = in.buttonHeight;
    const int pages = static_cast<int>(in.visible.size());
    for (bool v : in.visible)
        out.visiblePages += v ? 1 : 0;
    const int v = out.visiblePages;
    out.page = r;
    out.buttons.assign(static_cast<size_t>(pages), Box{});
    const bool noButtons = v <= 1 && in.hideSingleTab;

    int y = r.top;
    if (in.compact) {
        out.visibleButtons = (in.visibleButtons < 0 || in.visibleButtons > v) ? v : in.visibleButtons;
        const int room = r.bottom - h - r.top - in.toolbarHeight;
        out.mostButtons = h > 0 ? std::max(0, std::min(v, room / (2 * h))) : 0;
        const int n = std::min(out.mostButtons, out.visibleButtons);
        const int b = r.bottom - (n * h + in.toolbarHeight);
        out.caption = {r.left, r.top + 3, r.right, r.top + 8 + in.textHeight};
        out.splitter = {r.left, b - 8, r.right, b};
        out.page = {r.left, out.caption.bottom, r.right, std::max(out.caption.bottom, out.splitter.top)};
        y = b;
    } else {
        out.visibleButtons = in.visibleButtons;
        if (!noButtons) {
            ++out.page.top;
            --out.page.bottom;
        }
    }
    if (noButtons)
        return out;

    int nextAfterActive = -1;
    int lastVisible = -1;
    for (int i = 0; i < pages; ++i) {
        if (!in.visible[static_cast<size_t>(i)])
            continue;
        lastVisible = i;
        if (i > in.active && nextAfterActive < 0 && in.active >= 0)
            nextAfterActive = i;
    }
    const bool scrolls = !in.compact && in.scrollButtonsShown;

    for (int i = 0; i < pages; ++i) {
        if (!in.visible[static_cast<size_t>(i)])
            continue;
        Box button{r.left, y, r.right + 1, y + h};
        if (in.compact) {
            if (button.top >= r.bottom - in.toolbarHeight)
                button = {};
            out.buttons[static_cast<size_t>(i)] = button;
            y += h;
            continue;
        }
        if (scrolls && (i == in.active || i == nextAfterActive)) {
            button.right -= h;
            Box& arrow = i == in.active ? out.scrollUp : out.scrollDown;
            arrow = {button.right, button.top, button.right + h, button.bottom};
        }
        out.buttons[static_cast<size_t>(i)] = button;
        if (i == in.active) {
            out.page.top = button.bottom;
            int following = 0;
            for (int j = i + 1; j < pages; ++j)
                following += in.visible[static_cast<size_t>(j)] ? 1 : 0;
            y = r.bottom - following * h + 1;
            out.page.bottom = std::max(out.page.top, y - 1);
        } else {
            y = button.bottom;
        }
    }
    if (scrolls && in.active >= 0 && in.active == lastVisible) {
        out.page.bottom = std::max(out.page.top, out.page.bottom - h);
        out.scrollDown = {r.right - h + 1, r.bottom - h + 1, r.right + 1, r.bottom + 1};
    }
    return out;
}

std::vector<int> PagesOnToolbar(const WindowInput& in, const WindowLayout& layout)
{
    std::vector<int> pages;
    if (!in.compact)
        return pages;
    for (size_t i = 0; i < in.visible.size() && i < layout.buttons.size(); ++i) {
        if (in.visible[i] && layout.buttons[i].IsEmpty())
            pages.push_back(static_cast<int>(i));
    }
    return pages;
}

int ToolbarButtonsThatFit(int clientWidth, int customizeWidth, int buttonWidth)
{
    if (buttonWidth <= 2)
        return 0;
    return std::max(0, (clientWidth - customizeWidth + 2) / (buttonWidth - 2));
}

ToolbarLayout LayOutToolbar(const Box& client, int customizeWidth, Size2 button, int count)
{
    ToolbarLayout out;
    const int top = -1;
    out.customize = {client.right - customizeWidth + 2, top, client.right + 2, top + button.cy};
    const int fit = ToolbarButtonsThatFit(client.Width(), customizeWidth, button.cx);
    out.hidden = std::max(0, count - fit);
    out.buttons.assign(static_cast<size_t>(std::max(0, count)), Box{});
    int right = out.customize.left + 2;
    // The last page button stands next to the customise button.
    for (int i = count - 1; i >= out.hidden; --i) {
        out.buttons[static_cast<size_t>(i)] = {right - button.cx, top, right, top + button.cy};
        right = right - button.cx + 2;
    }
    return out;
}

int SplitterCount(int countAtStart, int yAtStart, int y, int buttonHeight, int visiblePages)
{
    if (buttonHeight <= 0)
        return std::clamp(countAtStart, 0, std::max(0, visiblePages));
    const int steps = (yAtStart - y) / buttonHeight;
    return std::clamp(countAtStart + steps, 0, std::max(0, visiblePages));
}

bool CanMoveUp(const std::vector<OptionItem>& items, int selected)
{
    return selected > 0 && selected < static_cast<int>(items.size());
}

bool CanMoveDown(const std::vector<OptionItem>& items, int selected)
{
    return selected >= 0 && selected + 1 < static_cast<int>(items.size());
}

int MoveItem(std::vector<OptionItem>& items, int selected, bool up)
{
    if (up ? !CanMoveUp(items, selected) : !CanMoveDown(items, selected))
        return selected;
    const int other = up ? selected - 1 : selected + 1;
    std::swap(items[static_cast<size_t>(selected)], items[static_cast<size_t>(other)]);
    return other;
}

std::vector<OptionItem> ResetItems(const std::vector<int>& defaultOrder, int pageCount)
{
    std::vector<OptionItem> items;
    for (int page : defaultOrder) {
        if (page < 0 || page >= pageCount)
            return {};
        items.push_back({page, true});
    }
    return items;
}

bool IsCustomPageId(int id)
{
    return id >= kFirstCustomPageId && id < kFirstCustomPageId + kCustomPageIdCount;
}

bool CustomPageIdsSound(const std::vector<int>& ids, const std::vector<bool>& taken)
{
    if (ids.size() > static_cast<size_t>(kMaxCustomPages))
        return false;
    std::vector<bool> seen(static_cast<size_t>(kCustomPageIdCount), false);
    for (int id : ids) {
        if (!IsCustomPageId(id))
            return false;
        const auto slot = static_cast<size_t>(id - kFirstCustomPageId);
        if (seen[slot] || (slot < taken.size() && taken[slot]))
            return false;
        seen[slot] = true;
    }
    return true;
}

bool StoresVisibleButtons(int workspaceVersion)
{
    return workspaceVersion != -1 && workspaceVersion >= 0x60710 && workspaceVersion != 0x70000;
}

std::wstring BarKey(const std::wstring& path, int id, int index)
{
    wchar_t tail[64];
    if (index == -1)
        std::swprintf(tail, 64, L"KGPOutlookBar-%d", id);
    else
        std::swprintf(tail, 64, L"sKGPOutlookBar-%d%x", id, static_cast<unsigned>(index));
    return path + tail;
}

}  // namespace kgp::outlook
