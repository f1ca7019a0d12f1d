// The toolbars' pure rules: status prompts and help ids of commands, the
// archive version gate of a button, captions with mnemonic marks, button
// states and image placement, groups, row wrapping, hit tests and drop
// targets. No Windows header: tested as tables, without a window.
#pragma once

#include "guilib/core/KGPBox.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kgp {

// ---- Commands ----
constexpr std::uint32_t kIdlePrompt = 0xE001;
constexpr std::uint32_t kFirstSystemCommand = 0xF000;
constexpr std::uint32_t kLastSystemCommand = 0xF1EF;
constexpr bool IsSystemCommand(std::uint32_t id) { return id >= kFirstSystemCommand && id <= kLastSystemCommand; }
// The status-bar prompt shown for a command: -1 and -20 the idle prompt, a
// system command its standard prompt, ids below 0 or above 0xFEFF 0xEF1F.
std::uint32_t PromptIdForCommand(int id);
// The help context of a command: a system command its standard one,
// every other command 0x10000 + id.
std::uint32_t HelpIdForCommand(std::uint32_t id);

// ---- Archive of a button ----
// The version that added the "shown" flag to a stored button.
constexpr int kVersionWithShownFlag = 0x60410;
// Whether a button's "shown" flag is stored and read: while the menu hash
// stores or loads a menu bar, or else with a registered workspace whose data
// version is kVersionWithShownFlag or later.
constexpr bool ButtonArchiveHasShownFlag(bool menuHashBusy, bool hasWorkspace, int dataVersion)
{
    return menuHashBusy || (hasWorkspace && dataVersion >= kVersionWithShownFlag);
}

// A size at the large-icons scale (rounded to the nearest pixel).
constexpr int ScaleToLarge(int value, double scale) { return static_cast<int>(value * scale + 0.5); }

// ---- Captions ----
struct DisplayCaption {
    std::wstring text;   // "&&" made one "&", every other "&" removed
    int mnemonic = -1;   // index in `text` of the letter after the first single "&"
};
DisplayCaption CaptionAsShown(const std::wstring& caption);

// ---- Drawing ----
constexpr std::uint32_t kBitChecked = 0x10000;
constexpr std::uint32_t kBitPressed = 0x20000;
constexpr std::uint32_t kBitDisabled = 0x40000;
constexpr std::uint32_t kBitIndeterminate = 0x100000;
// 0 normal, 1 checked or pressed, 2 highlighted.
int ButtonState(std::uint32_t bits, bool highlighted);

// Where a button's image and caption go inside its working rectangle.
struct ButtonFaceInput {
    int width = 0, height = 0;            // the working rectangle
    int imageCx = 0, imageCy = 0;         // the strip's image size
    int textCx = 0;                       // extent of the caption as shown
    int fontHeight = 0;                   // height of the bar's font
    bool horizontal = true;
    bool imageShown = true;
    bool captionBeside = false;           // caption shown next to the image
    bool captionBelow = false;            // caption under the image (horizontal bars)
    bool pressedShift = false;            // checked or pressed image moved by one
};
struct ButtonFaceLayout {
    int imageX = 0, imageY = 0;           // image offset in the working rectangle
    int textX = 0, textY = 0;             // caption offset before its own rules
};
ButtonFaceLayout LayOutButtonFace(const ButtonFaceInput& in);

// ---- Rows and places ----
struct BarItem {
    int width = 0, height = 0;  // as measured on the bar
    bool separator = false;
    bool shown = true;
    bool rowBreak = false;      // the next item starts a new row
    bool embedsControl = false;
};
// Group edges among the shown items (no shown item before, or the nearest
// one is a separator, breaks the row or embeds a control).
bool StartsGroup(const std::vector<BarItem>& items, std::size_t index);
bool EndsGroup(const std::vector<BarItem>& items, std::size_t index);

constexpr int kRowGap = 5;
// A bar's row height: its buttons' height, raised to the library's minimum
// row height for the bar's orientation (0: none).
constexpr int RowHeightAtLeast(int buttonHeight, int minimum) { return buttonHeight > minimum ? buttonHeight : minimum; }
// Sets rowBreak on the items so that rows fit maxWidth while the next row
// still fits maxHeight (rows are rowHeight + kRowGap apart); a separator at
// the start of a row takes no room, and every row holds a button (one wider
// than maxWidth has a row of its own). Answers the number of rows.
int WrapRows(std::vector<BarItem>& items, int maxWidth, int maxHeight, int rowHeight);

// Where the items of a bar go, from (1, 1): rows on a horizontal bar (a row
// break starts the next row rowHeight + kRowGap lower; a separator that
// starts or breaks a row takes no room), one column on a vertical bar.
struct PlaceInput {
    bool horizontal = true;
    int rowHeight = 0;
    // Floating bars centre each row in the client width.
    bool centreRows = false;
    int clientWidth = 0;
    // Items reaching past this place along the bar overflow, and every item
    // after them (0: no limit).
    int limit = 0;
};
struct PlaceResult {
    std::vector<Box> boxes;            // one per item; hidden items are empty
    std::vector<bool> overflowed;
    int right = 0, bottom = 0;         // the far edges of the placed items
    bool anyOverflowed = false;
};
PlaceResult PlaceItems(const std::vector<BarItem>& items, const PlaceInput& in);

// The length a toolbar wraps its buttons to for a dynamic size request.
struct WrapRequest {
    unsigned mode = 0;        // layout-mode bits (kLayout...)
    bool fixedSize = false;   // the bar's fixed-size style
    bool dynamicSize = false; // the bar's dynamic-size style
    bool floating = false;
    int length = -1;          // the given length (-1: none)
    int recordedLength = 0;   // the bar's most recent length
    int nonClientWidth = 0, nonClientHeight = 0;
};
constexpr unsigned kLayoutStretch = 0x1;
constexpr unsigned kLayoutHorizontal = 0x2;
constexpr unsigned kLayoutRecentWidth = 0x4;
constexpr unsigned kLayoutHorizontalDock = 0x8;
constexpr unsigned kLayoutVerticalDock = 0x10;
constexpr unsigned kLayoutLengthIsHeight = 0x20;
constexpr unsigned kLayoutCommit = 0x40;
constexpr int kNoLimit = 32767;
// -1 when the bar keeps its rows (fixed size).
int WrapLengthFor(const WrapRequest& request);
struct PlacedItem {
    Box box;
    bool separator = false;
    bool overflowed = false;
    bool customise = false;     // the customise button closing the bar
};
// The first item holding the point and not overflowed; -1 for none or a separator.
int HitTest(const std::vector<PlacedItem>& items, int x, int y);

// An index into a bar's buttons once the button at `deleted` left the list:
// one that named it names none (-1), one after it moves down by one.
int IndexAfterDeletion(int index, int deleted);

// Where a dragged button would land: the index and the marker box.
struct DropTarget {
    int index = -1;
    Box marker;
};
// rowPitch: the distance between two rows of a horizontal bar.
DropTarget DropIndexAt(const std::vector<PlacedItem>& items, const Box& client, bool horizontal,
                       int rowPitch, int x, int y);

}  // namespace kgp
