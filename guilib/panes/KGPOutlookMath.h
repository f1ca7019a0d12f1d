// The outlook bar's arithmetic as plain functions with no Windows header: the
// size of a large shortcut button, where a page's buttons and its two arrow
// buttons go, the scroll steps, where the page buttons, the page, the caption
// and the splitter of an outlook window go in both modes, the bottom toolbar
// of the compact mode, the splitter drag, the options list and the checks on
// stored custom pages.
#pragma once

#include "guilib/core/KGPBox.h"

#include <functional>
#include <string>
#include <vector>

namespace kgp::outlook {

struct Size2 {
    int cx = 0;
    int cy = 0;
};

// ---- One shortcut button.

struct ButtonSize {
    int width = 0;
    int height = 0;
    bool textFits = true;
};

// A button stacked in a page (image above its caption). The caller measured
// the caption with word break in the width it was allowed (cx less three
// blanks); textHeight is 0 when the caption is not shown.
ButtonSize VerticalButtonSize(int cx, int cy, int imageWidth, int textWidth, int textHeight);

// A button with its image at the left: the caption is widened one pixel at a
// time until it is no taller than one line or than cy. measure answers the
// caption's size when broken into lines of the given width.
struct TextExtent {
    int width = 0;
    int height = 0;
};
ButtonSize HorizontalButtonSize(int cx, int cy, int imageHeight, TextExtent singleLine,
                                const std::function<TextExtent(int width)>& measure);

// ---- A page of buttons.

struct PaneScroll {
    int offset = 0;       // pixels scrolled off the top
    int firstVisible = 0; // the button at the top edge
};

struct PaneInput {
    Box client;
    int spacing = 0;             // above the first button and between buttons
    Size2 scrollButton{};        // an arrow button's size
    std::vector<int> widths;     // each button's wanted size
    std::vector<int> heights;
    PaneScroll scroll;
};

struct PaneLayout {
    std::vector<Box> buttons;
    bool canScrollDown = false;
    bool showUp = false;
    bool showDown = false;
    Box up;   // where the arrow buttons stand (also when hidden)
    Box down;
};

PaneLayout LayOutPane(const PaneInput& in);

// The arrows show only where the page is 5 pixels wider and taller than one.
bool ArrowsFit(const Box& client, Size2 scrollButton);

// One step up or down; FALSE when there is nothing more to scroll that way
// (the caller stops its repeat). Scrolling up to the first button leaves no
// offset. The step is the button's height with the spacing under it.
bool ScrollUp(PaneScroll& scroll, const std::vector<int>& heights, int spacing);
bool ScrollDown(PaneScroll& scroll, const std::vector<int>& heights, int spacing, bool canScrollDown);
// How many single steps a page step takes: the client height over the first
// visible button's height with the spacing (0 when nothing fits).
int PageSteps(int clientHeight, const std::vector<int>& heights, int spacing, const PaneScroll& scroll);
// After a resize: scrolls back up while something is scrolled off and the
// last button ends above the bottom edge.
void ScrollBackAfterResize(PaneScroll& scroll, const PaneInput& in);

// ---- An outlook window's page buttons.

struct WindowInput {
    Box client;              // the client rectangle, the border already taken off
    int buttonHeight = 0;    // H: one page button
    int textHeight = 0;      // the global text height (the compact caption)
    int toolbarHeight = 0;   // T: the compact mode's bottom toolbar
    bool compact = false;
    bool hideSingleTab = false;
    bool scrollButtonsShown = false;
    std::vector<bool> visible; // each page
    int active = -1;
    int visibleButtons = -1;   // compact: page buttons stacked at the bottom; -1 all
};

struct WindowLayout {
    Box page;
    Box caption;
    Box splitter;
    Box scrollUp;   // normal mode with the scroll buttons shown
    Box scrollDown;
    std::vector<Box> buttons; // empty for hidden pages and those that did not fit
    int visibleButtons = -1;  // normalised (compact mode)
    int mostButtons = 0;      // compact mode: how many fit (never below 0)
    int visiblePages = 0;
};

WindowLayout LayOutWindow(const WindowInput& in);

// Compact mode: the visible pages whose page button did not fit (they go to
// the bottom toolbar), in page order.
std::vector<int> PagesOnToolbar(const WindowInput& in, const WindowLayout& layout);

// The bottom toolbar: the customise button at the right edge, the page
// buttons leftwards in list order, each overlapping its neighbour by 2. The
// first buttons in excess get empty rectangles (they go to the customise
// button's menu).
struct ToolbarLayout {
    Box customize;
    std::vector<Box> buttons;
    int hidden = 0; // how many of the first buttons did not fit
};
int ToolbarButtonsThatFit(int clientWidth, int customizeWidth, int buttonWidth);
ToolbarLayout LayOutToolbar(const Box& client, int customizeWidth, Size2 button, int count);

// Dragging the splitter: every H pixels above the start show one more page
// button, below one fewer, never below 0 nor above the visible pages.
int SplitterCount(int countAtStart, int yAtStart, int y, int buttonHeight, int visiblePages);

// ---- The options dialog's list: pages in their order, checked when shown.

struct OptionItem {
    int page = 0;
    bool checked = true;
};
bool CanMoveUp(const std::vector<OptionItem>& items, int selected);
bool CanMoveDown(const std::vector<OptionItem>& items, int selected);
// Moves the selected item one place; answers the new selection.
int MoveItem(std::vector<OptionItem>& items, int selected, bool up);
// The items for Reset: the default order, all checked; empty when a page of
// it no longer exists (the list is then kept).
std::vector<OptionItem> ResetItems(const std::vector<int>& defaultOrder, int pageCount);

// ---- Stored custom pages.

constexpr int kFirstCustomPageId = 0xF000;
constexpr int kCustomPageIdCount = 496; // 61440..61935, below the window's own commands
constexpr int kMaxCustomPages = kCustomPageIdCount;

bool IsCustomPageId(int id);
// Stored ids are sound when each is a custom page id, none twice, and none
// held by another bar (taken: the table's flags less the loading bar's own).
bool CustomPageIdsSound(const std::vector<int>& ids, const std::vector<bool>& taken);
// The visible page-button count is read back only from states of the
// versions that wrote it.
bool StoresVisibleButtons(int workspaceVersion);
// The registry key of a bar: "<path>KGPOutlookBar-<id>", or with an index
// "<path>sKGPOutlookBar-<id><index in hex>".
std::wstring BarKey(const std::wstring& path, int id, int index);

}  // namespace kgp::outlook
