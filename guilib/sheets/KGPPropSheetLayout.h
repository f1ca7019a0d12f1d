// Where a property sheet that chooses its pages by a tree, a list or an
// outlook bar puts the navigation, the tab control (its tab row pushed out of
// the window) and its buttons: plain arithmetic with no Windows header.
#pragma once

#include "guilib/core/KGPBox.h"

#include <array>

namespace kgp::sheets {

// The sheet's looks.
constexpr int kLookTabs = 0;
constexpr int kLookOutlook = 1;
constexpr int kLookTree = 2;
constexpr int kLookLibraryTabs = 3;
constexpr int kLookList = 4;

// Looks that put a navigation control left of the pages.
bool HasSideNavigation(int look);

struct NavigationInput {
    int look = kLookTree;
    int clientCx = 0; // the sheet's client before the layout
    int clientCy = 0;
    int tabItemCy = 0; // height of the first tab item
    int navigationWidth = 100;
    int headerHeight = 0;
};

struct NavigationLayout {
    int clientCx = 0; // the sheet's new client size
    int clientCy = 0;
    Box tab;        // the tab control, its row above the client
    Box navigation; // the tree, list or outlook bar
};

NavigationLayout LayOutNavigation(const NavigationInput& in);

// The sheet's buttons in the order OK, Cancel, Apply, Help.
constexpr int kButtonCount = 4;
constexpr int kButtonOK = 0;
constexpr int kButtonCancel = 1;
constexpr int kButtonApply = 2;
constexpr int kButtonHelp = 3;

struct ButtonsInput {
    Box client;
    std::array<Box, kButtonCount> buttons; // where they stand now
    std::array<bool, kButtonCount> present = {};
    bool hasHelp = false;   // the sheet's help flag
    bool noApplyNow = false; // the sheet's no-apply flag
};

struct ButtonsLayout {
    std::array<Box, kButtonCount> buttons;
    std::array<bool, kButtonCount> moved = {};
};

// Every button that counts (Help only with the help flag, Apply only without
// the no-apply flag) keeps its size, its bottom 5 pixels above the client's,
// and the row moves right so that the last one ends 5 pixels from the
// client's right edge.
ButtonsLayout LayOutButtons(const ButtonsInput& in);

} // namespace kgp::sheets
