#include "guilib/panes/KGPToolBoxLayout.h"

#include <algorithm>

namespace kgp::toolbox {

namespace {

constexpr int kListPadding = 4;
constexpr int kGridPadding = 12;
constexpr int kTopMargin = 4;
constexpr int kRequiredMargin = 8;

}  // namespace

int RowHeight(int mode, int imageHeight, int textHeight)
{
    return mode == kGridMode ? imageHeight + kGridPadding : std::max(imageHeight, textHeight) + kListPadding;
}

int ToolWidth(int mode, int clientWidth, int imageWidth)
{
    return mode == kGridMode ? imageWidth + kGridPadding : clientWidth;
}

PageLayout LayOutTools(const Box& client, int toolCount, int mode, int imageWidth, int imageHeight, int textHeight,
                       int firstVisibleRow)
{
    PageLayout layout;
    const int rowHeight = RowHeight(mode, imageHeight, textHeight);
    const int width = std::max(1, ToolWidth(mode, client.Width(), imageWidth));
    int x = client.left;
    int y = client.top - firstVisibleRow * rowHeight + kTopMargin;
    for (int i = 0; i < toolCount; ++i) {
        const Box cell{x, y, x + width, y + rowHeight};
        const bool inside = cell.top >= client.top && cell.bottom <= client.bottom;
        layout.cells.push_back(inside ? cell : Box{});
        x += width;
        if (i + 1 < toolCount && x + width > client.right) {
            x = client.left;
            y += rowHeight;
            // A row that does not fit whole is below: scrolling down shows it.
            if (y + rowHeight > client.bottom)
                ++layout.rowsBelow;
        }
    }
    return layout;
}

int RequiredHeight(int mode, int toolCount, int imageWidth, int imageHeight, int textHeight, int clientWidth)
{
    if (mode != kGridMode)
        return toolCount * RowHeight(mode, imageHeight, textHeight) + kRequiredMargin;
    const int columns = clientWidth / (imageWidth + kGridPadding);
    const int rows = columns > 0 ? (toolCount + columns - 1) / columns : 0;
    return RowHeight(mode, imageHeight, textHeight) * rows + kRequiredMargin;
}

int RowForPixel(int offset, int rowHeight)
{
    if (rowHeight <= 0 || offset <= 0)
        return 0;
    return (offset + rowHeight - 1) / rowHeight;
}

Selection SelectTool(int current, int index, int count)
{
    Selection result;
    result.selected = current;
    if (index >= count)
        return result;
    result.accepted = true;
    if (index == current)
        return result;
    result.changed = true;
    result.selected = index < 0 ? -1 : index;
    return result;
}

}  // namespace kgp::toolbox
