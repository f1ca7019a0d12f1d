// The rules of the bar inside a popup menu: the menu delay and its timers,
// which item the keys step to, where the items stand in their columns, the
// accessibility answers, and how a chosen command goes out. No Windows
// header: tested as tables, without a window.
#pragma once

#include "guilib/toolbars/KGPToolBarMath.h"

#include <vector>

namespace kgp {

// ---- The menu delay ----
constexpr int kDefaultMenuShowDelay = 500;
constexpr int kMaxMenuShowDelay = 5000;
// The delay from the system's "MenuShowDelay" text (absent: the default),
// read as a number and kept within 0..5000 ms.
int MenuShowDelayFrom(bool present, long value);
// A sub-menu opens after delay x factor ms; one waiting to close closes
// after delay - 1 ms, never less than 0.
constexpr int OpenDelay(int delay, int factor) { return delay * factor; }
constexpr int CloseDelay(int delay) { return delay > 1 ? delay - 1 : 0; }

// ---- Keys ----
// The next selectable item from `from` in the direction of step (1 or -1),
// wrapping around; -1 when a full round finds none. from -1 starts before
// the first item (step 1) or after the last (step -1).
int NextSelectable(const std::vector<bool>& selectable, int from, int step);
int FirstSelectable(const std::vector<bool>& selectable);
int LastSelectable(const std::vector<bool>& selectable);
// Several items with the same mnemonic are taken in turn: the first match
// after the hot item, wrapping; -1 when none matches.
int NextMatch(const std::vector<int>& matches, int hot);

// ---- Columns ----
// One item of a popup's bar as its layout sees it.
struct MenuItem {
    int width = 0, height = 0;   // as measured
    bool separator = false;
    bool newColumn = false;      // the item starts a new column
};
constexpr int kMenuSeparatorHeight = 8;
// The bar's size: the items down their columns (an item starting a new
// column closes the one before, outside customisation mode), a separator
// 8 high; the widths of the columns and (sum of widths plus a pixel between
// columns, tallest column).
struct MenuColumns {
    std::vector<int> widths;
    int width = 0, height = 0;
};
MenuColumns MeasureColumns(const std::vector<MenuItem>& items, bool customizing);
// Where the items stand in the bar's client area: down from the top less the
// rows scrolled away, plus 1; a new column one pixel right of the last, as
// wide as its recorded width (the first column takes the client width when
// none are recorded); separators inset.
struct MenuPlaceInput {
    int clientLeft = 0, clientTop = 0, clientWidth = 0;
    int rowHeight = 0;
    int firstRow = 0;
    std::vector<int> columnWidths;  // empty: one column of the client width
    int separatorInsetLeft = 0, separatorInsetRight = 0;
    bool customizing = false;
};
std::vector<Box> PlaceMenuItems(const std::vector<MenuItem>& items, const MenuPlaceInput& in);

// ---- Palettes ----
// A palette's items in a grid of `rows` rows (at least 1), filled row by
// row, each cell as large as the largest item; separators take no cell (an
// empty box). The boxes from the client's corner and the grid's size.
struct PaletteGrid {
    std::vector<Box> boxes;
    int width = 0, height = 0;
};
PaletteGrid PlacePalette(const std::vector<MenuItem>& items, int rows, int clientLeft, int clientTop);

// ---- Accessibility and commands ----
// A point packed into a message's lParam (x low, y high), each half signed:
// negative on monitors left of or above the primary one.
struct Point2 {
    int x = 0, y = 0;
};
constexpr Point2 PointFromLParam(std::uint32_t lParam)
{
    return Point2{static_cast<std::int16_t>(lParam & 0xFFFF), static_cast<std::int16_t>((lParam >> 16) & 0xFFFF)};
}
// The state bits of item `index` of `count` items, -1 outside 0..count-1.
constexpr long long ItemStateAnswer(int index, int count, std::uint32_t bits)
{
    return index < 0 || index >= count ? -1 : static_cast<long long>(bits);
}
// A chosen command goes out as a system command (ids 0xF000..0xF1EF) or as a command.
enum class CommandMessage { Command, SysCommand, None };
constexpr CommandMessage MessageForCommand(std::uint32_t id)
{
    return id == 0 ? CommandMessage::None : IsSystemCommand(id) ? CommandMessage::SysCommand : CommandMessage::Command;
}

}  // namespace kgp
