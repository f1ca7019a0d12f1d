// A toolbox page's arithmetic as plain functions with no Windows header: row
// height and tool width in list and grid mode, the tools' cells scrolled by
// rows (cells cut by the client's top or bottom are empty), the rows left
// below, the height a page asks for in a tasks-pane group, scrolling to a
// pixel offset, and the selection rule.
#pragma once

#include "guilib/core/KGPBox.h"

#include <vector>

namespace kgp::toolbox {

using Box = kgp::Box;

constexpr int kListMode = 0;
constexpr int kGridMode = 1;

int RowHeight(int mode, int imageHeight, int textHeight);
int ToolWidth(int mode, int clientWidth, int imageWidth);

struct PageLayout {
    std::vector<Box> cells;     // per tool; empty when not fully inside the client
    int rowsBelow = 0;          // rows that do not fit whole above the client's bottom
};

PageLayout LayOutTools(const Box& client, int toolCount, int mode, int imageWidth, int imageHeight, int textHeight,
                       int firstVisibleRow);

// The height a page needs to show all its tools in the given width (8 when
// no grid column fits).
int RequiredHeight(int mode, int toolCount, int imageWidth, int imageHeight, int textHeight, int clientWidth);

// The first visible row that shows the pixel offset (rounded up).
int RowForPixel(int offset, int rowHeight);

// The selection after SelectTool(index): false (kept) for an index at or
// past the count; true otherwise, with the selection changed only when it
// differs.
struct Selection {
    bool accepted = false;
    bool changed = false;
    int selected = -1;
};
Selection SelectTool(int current, int index, int count);

}  // namespace kgp::toolbox
