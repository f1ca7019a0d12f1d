// The tab strip's arithmetic as plain functions with no Windows header: the
// style flags of a style code, where the strip, its buttons and the window
// area go in the client, the tabs' rectangles and widths (text measured by a
// function the caller gives), the scroll range and the buttons' states,
// bringing a tab into view, which tab lies under a point, which tab becomes
// active when tabs come, go, hide or are stepped through, the automatic
// colours and the tab list's entries. The tab window reads its state, asks
// here and moves.
#pragma once

#include "guilib/core/KGPBox.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kgp::tabs {

using Box = kgp::Box;

// Margins around a tab's label and image.
constexpr int kTextMargin = 4;
constexpr int kImageMargin = 4;
// What a scroll button moves a classic strip by.
constexpr int kScrollStep = 20;
// The menu glyphs of the tab-list button: all tabs shown, some hidden.
constexpr int kGlyphTabList = 13;
constexpr int kGlyphTabListHidden = 33;
// Locations of the strip.
constexpr int kLocationBottom = 0;
constexpr int kLocationTop = 1;

// ---- Styles.

struct TabStyle {
    bool flat = false;
    bool sharedScroll = false; // a horizontal scroll bar shares the strip
    bool oneNote = false;      // 3D, slanted, each tab wider than its label
    bool vs2005 = false;       // 3D, slanted on one side
    bool rounded = false;
    bool scrollButtons = false;
    // The slanted styles draw their tabs over one another.
    bool Overlapping() const { return oneNote || vs2005 || rounded; }
};

// The flags of a style code 0..7 at creation (another code reads as 0).
TabStyle StyleAtCreation(int code);
// A style changed later keeps its shared scroll bar and scroll buttons.
TabStyle Restyled(TabStyle current, int code);
// The margin between a tab's image and its label: none in the overlapping
// styles, nor at creation in the flat one.
int ImageMarginOf(const TabStyle& style, bool atCreation);

// ---- The strip in the client.

enum class ButtonKind { ScrollLeft, ScrollRight, ScrollFirst, ScrollLast, Close };

struct StripInput {
    Box client;
    TabStyle style;
    int location = kLocationBottom;
    int tabsHeight = 0;   // 0 while the strip is hidden
    int borderSize = 2;
    int splitterMode = 0; // 0 none, 1 at the right edge, 2 at the bottom edge
    int buttonSize = 0;   // side of a square button
    bool closeButton = false;
    bool tabListMode = false;
};

struct PlacedButton {
    ButtonKind kind;
    Box rect; // empty when the button is hidden
};

struct StripLayout {
    Box strip;
    Box windowArea;
    Box splitter;
    std::vector<PlacedButton> buttons;
};

// The buttons a strip has, left to right.
std::vector<ButtonKind> ButtonsOf(const TabStyle& style, bool closeButton);
StripLayout LayOutStrip(const StripInput& in);

// ---- The tabs in the strip.

struct TabFacts {
    bool visible = true;
    bool iconOnly = false;
    bool hasIcon = false;
    bool alwaysTooltip = false;
    bool unlabelled = false;
};

// Width in pixels of tab number `tab`'s label, in bold or not.
using MeasureLabel = std::function<int(int tab, bool bold)>;

struct TabsInput {
    TabStyle style;
    Box strip;
    int location = kLocationBottom;
    int scrollOffset = 0;
    int imageMargin = kImageMargin;
    int imageWidth = 0;
    int activeTab = -1;
    bool boldActive = false;
    bool tabListMode = false;
    bool customTooltips = false;
    bool hideSingleTab = false;
    int maxTabWidth = 0;
    int borderSize = 2;
    std::vector<TabFacts> tabs;
};

struct TabPlace {
    Box rect;
    int fullWidth = 0;
    Box tooltipRect; // empty: no tooltip
};

struct TabsLayout {
    std::vector<TabPlace> tabs;
    int totalWidth = 0;
    bool hiddenByList = false;
};

// How much a tab overlaps the next in the style, for a strip of that height.
int OverlapOf(const TabStyle& style, int stripHeight, int imageMargin);
TabsLayout AdjustTabs(const TabsInput& in, const MeasureLabel& measure);

// ---- Scrolling.

struct ScrollInput {
    TabStyle style;
    bool tabListMode = false;
    bool hiddenByList = false;
    int tabCount = 0;
    int offset = 0;
    int firstVisible = 0;
    int totalWidth = 0;
    int stripWidth = 0;
    int stripRight = 0;
    int lastTabRight = 0;
};

struct ScrollState {
    int offset = 0;
    int maxOffset = 0;
    int firstVisible = 0;
    bool leftEnabled = false;
    bool rightEnabled = false;
    // The glyph of the right button in tab list mode (-1 otherwise).
    int listGlyph = -1;
};

ScrollState AdjustTabsScroll(const ScrollInput& in);
// The offset of an overlapping strip whose first shown tab is `first`.
int OffsetOfFirstVisible(const std::vector<int>& fullWidths, int overlap, int first);
// A scroll button pressed: the new offset and first visible tab, clamped.
ScrollState Scroll(const ScrollInput& in, const std::vector<int>& fullWidths, int overlap, ButtonKind button);

struct EnsureInput {
    TabStyle style;
    Box strip;
    bool tabListMode = false;
    int offset = 0;
    int overlap = 0;
    std::vector<Box> rects;
    std::vector<int> fullWidths;
};

struct EnsureResult {
    int offset = 0;
    int firstVisible = 0;
    bool moveToFront = false; // tab list mode: the tab goes to index 0
};

EnsureResult EnsureVisible(const EnsureInput& in, int tab);

// ---- Hit test.

// The tab under (x, y); -1 outside the strip or any tab. The overlapping
// styles give the active tab first (it is drawn on top) except its slanted
// left corner, which belongs to the tab before it.
int TabFromPoint(const std::vector<Box>& rects, const std::vector<bool>& visible, int activeTab, const Box& strip,
                 bool overlapping, int x, int y);

// ---- Which tab is active.

// The first visible tab from `from`, searching forward and wrapping; -1 when none.
int FirstVisibleFrom(const std::vector<bool>& visible, int from);
// The active tab after a tab was inserted at `position`: the same tab as
// before (one place further right when the new tab went before it); the new
// tab when it went at the active position; the new tab when it is the only one.
int ActiveAfterInsert(int activeBefore, int position, int countAfter);
// The replacement after removing `removed` (visible: the tabs left).
int ReplacementAfterRemove(const std::vector<bool>& visible, int removed, int activeBefore, bool pickLastVisible);
// The tab activated after a removal, given the replacement; with return to
// previous, the previous active tab (one lower when it stood after the
// removed tab) wins when it is known.
int ActivatedAfterRemove(const std::vector<bool>& visible, int replacement, int removed, int previousActive,
                         bool returnToPrevious);
// A candidate after hiding the active tab: the lowest visible tab after it,
// else the nearest visible tab before it; -1 when none.
int CandidateAfterHide(const std::vector<bool>& visible, int hidden);
// Ctrl+Page Up/Down: the nearest visible tab before/after the active one, wrapping.
int NeighbourTab(const std::vector<bool>& visible, int active, bool forward);
// The tab that was active after moving tab `from` to `to` (-1 = the end of count).
int IndexAfterMove(int index, int from, int to, int count);

// ---- Colours (0x00BBGGRR).

std::vector<std::uint32_t> DefaultAutoColors(int bitsPerPixel);
// The automatic colour of tab `index`.
std::uint32_t AutoColorOf(const std::vector<std::uint32_t>& colors, int index);

// ---- The tab list.

struct TabListEntry {
    int command = 0;
    int tab = 0;
    std::wstring text;
};

constexpr int kTabListFirstCommand = -100;
// Visible tabs in alphabetical order (case-insensitive), "&" doubled,
// command -100 - index.
std::vector<TabListEntry> TabListEntries(const std::vector<std::wstring>& labels, const std::vector<bool>& visible);
// The tab a tab-list command stands for, -1 when none.
int TabOfListCommand(int command, int count);

}  // namespace kgp::tabs
