// Pure rules of the menu, combo-box and edit-box buttons: which fields their
// stored forms hold at which data version, where a menu button's popup opens,
// a menu item's text with its shortcut, and the inner rectangles of a combo
// button. No Windows header: tested as tables, without a window.
#pragma once

#include "guilib/toolbars/KGPToolBarMath.h"

#include <string>

namespace kgp {

// ---- Stored forms ----
// Data versions: 6.41 added the context menu id of combo and edit buttons,
// 6.52 the palette of menu buttons, 6.72 the calculator mode of edit buttons.
constexpr int kVersionWithMenuId = 0x60410;
constexpr int kVersionWithPalette = 0x60520;
constexpr int kVersionWithCalculator = 0x60720;

// A menu button's palette mode and rows, stored and read under this one rule:
// with no workspace (the current form), or with a known data version from 6.52.
constexpr bool MenuButtonArchiveHasPalette(bool hasWorkspace, int dataVersion)
{
    return !hasWorkspace || (dataVersion != -1 && dataVersion >= kVersionWithPalette);
}

// A combo button's context menu id: only with a workspace of 6.41 or later.
constexpr bool ComboArchiveHasMenuId(bool hasWorkspace, int dataVersion)
{
    return hasWorkspace && dataVersion >= kVersionWithMenuId;
}

// ---- Menu items ----
// The text up to its first tab, then a tab and the shortcut when there is one.
std::wstring TextWithShortcut(const std::wstring& text, const std::wstring& shortcut);

// Where a menu button's popup opens, in screen coordinates.
enum class MenuButtonSite {
    PopupItem,        // an item of a popup menu: beside the popup
    VerticalMenuBar,  // a button of a menu bar docked on a side
    Bar,              // a button of any other bar: below it
};
struct PopupOpening {
    int x = 0;
    int y = 0;
    int direction = 1;  // 1 down, 3 right, 4 left
};
struct PopupOpeningInput {
    MenuButtonSite site = MenuButtonSite::Bar;
    Box button;         // the button
    Box popupBar;       // the window of the popup menu's bar (PopupItem)
    int subMenuGap = 0; // between a popup and its sub-menu
    bool rightToLeft = false;
    bool menuOnRight = false;   // the button opens its menu at its right edge
    bool rightAligned = false;  // the popup opens with its right edge at the point
};
PopupOpening PlacePopupMenu(const PopupOpeningInput& in);

// ---- Combo button ----
// From the combo window's rectangle and the button's: the drop-down arrow
// (twice the glyph width at the right end, shrunk by 2), the button (the
// combo widened by one each side; its top and bottom follow the combo unless
// a caption is shown under it) and the edit laid over an editable combo.
struct ComboLayout {
    Box dropButton;
    Box button;
    Box edit;
};
ComboLayout LayOutCombo(const Box& combo, const Box& button, int glyphWidth, bool captionBelow);

// Where an item goes among items sorted by compare(new, item): before the
// first item it sorts before; count when after all.
template <class Items, class Compare>
int SortedInsertIndex(const Items& items, const std::wstring& text, Compare compare)
{
    int index = 0;
    for (const auto& item : items) {
        if (compare(text, item) < 0)
            return index;
        ++index;
    }
    return index;
}

}  // namespace kgp
