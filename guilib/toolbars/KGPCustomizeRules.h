// Pure rules of customising a toolbar's buttons: the customisation menu's
// checked and enabled entries, what "begin a group" does, a button dropped
// back onto its own place (nudged), and where a button moved within its bar
// lands. No Windows header: tested as tables, without a window.
#pragma once

#include <cstdint>

namespace kgp {

// The entries of the customisation menu.
enum CustomizeCommand : std::uint32_t {
    kCmdResetImage = 16910,
    kCmdCopyImage = 16911,
    kCmdDeleteButton = 16912,
    kCmdAppearance = 16913,
    kCmdImageOnly = 16914,
    kCmdTextOnly = 16915,
    kCmdImageAndText = 16916,
    kCmdBeginGroup = 16917,
    kCmdNewMenu = 16918,
};

struct CustomizeMenuInput {
    std::uint32_t command = 0;
    bool imageShown = false;     // the button shows an image
    bool imageExists = false;    // and the strip holds it
    bool captionShown = false;
    bool captionBelow = false;   // the caption goes under the image
    bool horizontalBar = true;
    bool menuBar = false;
    bool firstButton = false;
    bool previousIsSeparator = false;
};
struct MenuEntryState {
    bool enabled = true;
    bool checked = false;
};
struct CustomizeMenuState {
    MenuEntryState resetImage, copyImage, imageOnly, textOnly, imageAndText, beginGroup;
    // On a menu bar every button shows its caption.
    bool captionForced = false;
};
CustomizeMenuState CustomizeMenuStates(const CustomizeMenuInput& in);

// "Begin a group" on a button: a separator goes in before it, the one before
// it goes, or (the first button) nothing happens.
enum class GroupChange { Nothing, InsertSeparator, RemoveSeparator };
GroupChange BeginGroupChange(bool firstButton, bool previousIsSeparator, bool previousShown);

// A button dropped onto its own place or right after itself: moved at least
// 6 pixels along the bar, forward it starts a group (a separator before it
// unless one is there), backward it leaves its group (a shown separator
// before it goes); the first button of a bar never changes.
enum class Nudge { Nothing, AddSeparatorBefore, RemoveSeparatorBefore };
constexpr int kMinNudgeDistance = 6;
Nudge NudgeChange(int distance, bool firstButton, bool separatorBefore, bool separatorBeforeShown);

// Where a button moved within its bar lands once it left its old place: an
// index after the old place moves down by one; never past the count left.
int IndexAfterRemoval(int insertAt, int removedAt, int countAfterRemoval);

}  // namespace kgp
