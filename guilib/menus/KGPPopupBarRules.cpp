#include "guilib/menus/KGPPopupBarRules.h"

#include <algorithm>

namespace kgp {

int MenuShowDelayFrom(bool present, long value)
{
    if (!present)
        return kDefaultMenuShowDelay;
    return static_cast<int>(std::max(0L, std::min(value, static_cast<long>(kMaxMenuShowDelay))));
}

int NextSelectable(const std::vector<bool>& selectable, int from, int step)
{
    const int count = static_cast<int>(selectable.size());
    if (count == 0)
        return -1;
    step = step < 0 ? -1 : 1;
    int index = from < 0 || from >= count ? (step > 0 ? -1 : count) : from;
    // One full round at most: a menu of separators and disabled items has no next.
    for (int i = 0; i < count; ++i) {
        index = ((index + step) % count + count) % count;
        if (selectable[static_cast<std::size_t>(index)])
            return index;
    }
    return -1;
}

int FirstSelectable(const std::vector<bool>& selectable) { return NextSelectable(selectable, -1, 1); }

int LastSelectable(const std::vector<bool>& selectable) { return NextSelectable(selectable, -1, -1); }

int NextMatch(const std::vector<int>& matches, int hot)
{
    if (matches.empty())
        return -1;
    for (int index : matches) {
        if (index > hot)
            return index;
    }
    return matches.front();
}

MenuColumns MeasureColumns(const std::vector<MenuItem>& items, bool customizing)
{
    MenuColumns columns;
    int columnWidth = 0;
    int columnHeight = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        if (item.newColumn && i > 0 && !customizing) {
            columns.widths.push_back(columnWidth);
            columns.width += columnWidth + 1;
            columns.height = std::max(columns.height, columnHeight);
            columnWidth = 0;
            columnHeight = 0;
        }
        columnHeight += item.separator ? kMenuSeparatorHeight : item.height;
        columnWidth = std::max(columnWidth, item.width);
    }
    columns.widths.push_back(columnWidth);
    columns.width += columnWidth;
    columns.height = std::max(columns.height, columnHeight);
    return columns;
}

std::vector<Box> PlaceMenuItems(const std::vector<MenuItem>& items, const MenuPlaceInput& in)
{
    std::vector<Box> boxes;
    boxes.reserve(items.size());
    const int top = in.clientTop - in.rowHeight * in.firstRow + 1;
    int column = 0;
    int left = in.clientLeft;
    int width = !in.customizing && !in.columnWidths.empty() ? in.columnWidths.front() : in.clientWidth;
    int y = top;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        if (item.newColumn && i > 0 && !in.customizing) {
            left += width + 1;
            ++column;
            width = static_cast<std::size_t>(column) < in.columnWidths.size()
                        ? in.columnWidths[static_cast<std::size_t>(column)]
                        : width;
            y = top;
        }
        if (item.separator) {
            boxes.push_back(Box{left + in.separatorInsetLeft, y, left + width - in.separatorInsetRight,
                                y + kMenuSeparatorHeight});
            y += kMenuSeparatorHeight;
            continue;
        }
        boxes.push_back(Box{left, y, left + width, y + item.height});
        y += item.height;
    }
    return boxes;
}

PaletteGrid PlacePalette(const std::vector<MenuItem>& items, int rows, int clientLeft, int clientTop)
{
    PaletteGrid grid;
    int cells = 0;
    int cellWidth = 0;
    int cellHeight = 0;
    for (const MenuItem& item : items) {
        if (item.separator)
            continue;
        ++cells;
        cellWidth = std::max(cellWidth, item.width);
        cellHeight = std::max(cellHeight, item.height);
    }
    const int rowCount = std::max(1, std::min(rows, cells));
    const int columns = cells > 0 ? (cells + rowCount - 1) / rowCount : 0;
    int cell = 0;
    for (const MenuItem& item : items) {
        if (item.separator) {
            grid.boxes.push_back(Box{});
            continue;
        }
        const int left = clientLeft + (cell % columns) * cellWidth;
        const int top = clientTop + (cell / columns) * cellHeight;
        grid.boxes.push_back(Box{left, top, left + cellWidth, top + cellHeight});
        ++cell;
    }
    grid.width = columns * cellWidth;
    grid.height = cells > 0 ? ((cells + columns - 1) / columns) * cellHeight : 0;
    return grid;
}

}  // namespace kgp
