#include "guilib/sheets/KGPButtonsGridRules.h"

#include <algorithm>

namespace kgp {

std::vector<Box> PlaceGridCells(const Box& client, int count, int cellWidth, int cellHeight)
{
    std::vector<Box> cells;
    if (count <= 0 || cellWidth <= 0 || cellHeight <= 0)
        return cells;
    const int left = client.left + 3;
    const int right = client.right - 3;
    const int columns = std::max(1, (right - left) / cellWidth);
    cells.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int x = left + (i % columns) * cellWidth;
        const int y = client.top + 4 + (i / columns) * (cellHeight + kGridRowGap);
        cells.push_back(Box{x, y, x + cellWidth, y + cellHeight});
    }
    return cells;
}

int GridScrollLimit(const std::vector<Box>& cells, int visibleHeight)
{
    if (cells.empty())
        return 0;
    return std::max(0, cells.back().bottom + 4 - visibleHeight);
}

int ScrollGrid(int offset, GridScroll how, int thumb, int cellHeight, int rowsPerPage, int limit)
{
    const int step = cellHeight + kGridRowGap;
    int next = offset;
    switch (how) {
    case GridScroll::LineUp:
        next -= step;
        break;
    case GridScroll::LineDown:
        next += step;
        break;
    case GridScroll::PageUp:
        next -= step * std::max(1, rowsPerPage);
        break;
    case GridScroll::PageDown:
        next += step * std::max(1, rowsPerPage);
        break;
    case GridScroll::Thumb:
        next = step > 0 ? (thumb + step / 2) / step * step : thumb;
        break;
    case GridScroll::Top:
        next = 0;
        break;
    case GridScroll::Bottom:
        next = limit;
        break;
    }
    return std::clamp(next, 0, std::max(0, limit));
}

int StepGridChoice(int selected, int count, GridKey key)
{
    if (count <= 0)
        return selected;
    switch (key) {
    case GridKey::Home:
        return 0;
    case GridKey::End:
        return count - 1;
    case GridKey::Previous:
        return selected < 0 ? 0 : std::max(0, selected - 1);
    case GridKey::Next:
        return selected < 0 ? 0 : std::min(count - 1, selected + 1);
    }
    return selected;
}

} // namespace kgp
