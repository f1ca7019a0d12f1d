// The rules of the image grid of the button appearance dialog: where the
// cells stand, how the grid scrolls (whole rows) and how the keys move the
// choice. No Windows header: tested as tables, without a window.
#pragma once

#include "guilib/toolbars/KGPToolBarMath.h"

#include <vector>

namespace kgp {

constexpr int kGridRowGap = 5;

// The cells of count buttons in the client area (the scroll bar's width
// already taken off): 3 pixels in from the sides, 4 from the top, row by row.
std::vector<Box> PlaceGridCells(const Box& client, int count, int cellWidth, int cellHeight);
// The largest scroll offset: the rows' height past the visible height.
int GridScrollLimit(const std::vector<Box>& cells, int visibleHeight);

enum class GridScroll { LineUp, LineDown, PageUp, PageDown, Thumb, Top, Bottom };
// The new scroll offset; the thumb snaps to whole rows; always within 0..limit.
int ScrollGrid(int offset, GridScroll how, int thumb, int cellHeight, int rowsPerPage, int limit);

enum class GridKey { Home, End, Previous, Next };
// The new choice (-1: none); Home and End do nothing on an empty grid, the
// previous and next keys stop at either end.
int StepGridChoice(int selected, int count, GridKey key);

} // namespace kgp
