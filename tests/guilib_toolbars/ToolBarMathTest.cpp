// The toolbars' pure rules as tables: prompts and help ids, the archive gate,
// captions, states, image placement, groups, wrapping, hit tests, drop targets.
#include <gtest/gtest.h>

#include "guilib/toolbars/KGPToolBarMath.h"

namespace {

TEST(ToolBarMath, PromptsAndHelpIdsOfCommands)
{
    struct Row { int id; std::uint32_t prompt; };
    const Row prompts[] = {{-1, 0xE001}, {-20, 0xE001}, {-2, 0xEF1F},    {0xFF00, 0xEF1F},
                           {0xF000, 0xEF00}, {0xF010, 0xEF01}, {0xF1EF, 0xEF1E}, {0xF1F0, 0xF1F0},
                           {0xEFFF, 0xEFFF}, {0xFEFF, 0xFEFF}, {100, 100}};
    for (const Row& row : prompts)
        EXPECT_EQ(row.prompt, kgp::PromptIdForCommand(row.id)) << std::hex << row.id;
    EXPECT_EQ(0x1EF00u, kgp::HelpIdForCommand(0xF000));
    EXPECT_EQ(0x1EF02u, kgp::HelpIdForCommand(0xF020));
    EXPECT_EQ(0x10000u + 0xE100, kgp::HelpIdForCommand(0xE100));
}

TEST(ToolBarMath, ShownFlagIsStoredFromItsVersionOrWhileTheMenuHashWorks)
{
    EXPECT_TRUE(kgp::ButtonArchiveHasShownFlag(true, false, -1));
    EXPECT_TRUE(kgp::ButtonArchiveHasShownFlag(false, true, 0x60410));
    EXPECT_FALSE(kgp::ButtonArchiveHasShownFlag(false, true, 0x60400));
    EXPECT_FALSE(kgp::ButtonArchiveHasShownFlag(false, false, 0x70000)) << "no workspace";
    EXPECT_FALSE(kgp::ButtonArchiveHasShownFlag(false, true, -1));
}

TEST(ToolBarMath, CaptionsAsShown)
{
    struct Row { const wchar_t* caption; const wchar_t* shown; int mnemonic; };
    const Row rows[] = {{L"&File", L"File", 0}, {L"A&&B", L"A&B", -1}, {L"Save &As", L"Save As", 5},
                        {L"x&&&y", L"x&y", 2},  {L"end&", L"end", -1},  {L"", L"", -1}};
    for (const Row& row : rows) {
        const kgp::DisplayCaption caption = kgp::CaptionAsShown(row.caption);
        EXPECT_EQ(std::wstring(row.shown), caption.text);
        EXPECT_EQ(row.mnemonic, caption.mnemonic);
    }
}

TEST(ToolBarMath, ButtonStatesAndImagePlaces)
{
    EXPECT_EQ(0, kgp::ButtonState(kgp::kBitDisabled, false));
    EXPECT_EQ(1, kgp::ButtonState(kgp::kBitChecked, false));
    EXPECT_EQ(1, kgp::ButtonState(kgp::kBitPressed, false));
    EXPECT_EQ(2, kgp::ButtonState(kgp::kBitChecked, true));

    struct Row { kgp::ButtonFaceInput in; int x, y, tx, ty; };
    auto face = [](bool horizontal, bool beside, bool below, bool shift, bool image = true) {
        kgp::ButtonFaceInput in;
        in.width = 40; in.height = 22; in.imageCx = 16; in.imageCy = 15; in.textCx = 20; in.fontHeight = 13;
        in.horizontal = horizontal; in.captionBeside = beside; in.captionBelow = below;
        in.pressedShift = shift; in.imageShown = image;
        return in;
    };
    const Row rows[] = {
        {face(true, false, false, false), 12, 3, 3, 3},
        {face(true, false, false, true), 13, 4, 4, 4},
        {face(true, true, false, false), -1, 3, 3, 4},     // (40-20-16)/2-3, (22-13-1)/2
        {face(true, true, false, false, false), -3, 3, 3, 4},  // gap 23 without an image
        {face(true, false, true, false), 12, 3, 3, 3},     // area height 15+6
        {face(false, true, false, false), 12, -9, 14, 3},  // (22-20-15)/2-3, (40-13+1)/2
        {face(false, true, false, true), 13, -8, 13, 4},
    };
    for (const Row& row : rows) {
        const kgp::ButtonFaceLayout place = kgp::LayOutButtonFace(row.in);
        EXPECT_EQ(row.x, place.imageX);
        EXPECT_EQ(row.y, place.imageY);
        EXPECT_EQ(row.tx, place.textX);
        EXPECT_EQ(row.ty, place.textY);
    }
}

kgp::BarItem Button(int width = 23) { return kgp::BarItem{width, 22}; }
kgp::BarItem Separator() { return kgp::BarItem{8, 22, true}; }

TEST(ToolBarMath, GroupsIgnoreHiddenButtons)
{
    kgp::BarItem hidden = Button();
    hidden.shown = false;
    kgp::BarItem control = Button();
    control.embedsControl = true;
    const std::vector<kgp::BarItem> items = {Button(), Button(), Separator(), hidden, Button(), control, Button()};
    const bool starts[] = {true, false, false, true, true, false, true};
    const bool ends[] = {false, true, false, false, true, false, true};
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(starts[i], kgp::StartsGroup(items, i)) << i;
        EXPECT_EQ(ends[i], kgp::EndsGroup(items, i)) << i;
    }
}

TEST(ToolBarMath, RowsWrapBeforeTheButtonThatDoesNotFit)
{
    kgp::BarItem hidden = Button(500);
    hidden.shown = false;
    std::vector<kgp::BarItem> items = {Button(), Button(), hidden, Separator(), Button(), Button(), Button()};
    EXPECT_EQ(2, kgp::WrapRows(items, 80, 100, 22));
    EXPECT_FALSE(items[1].rowBreak);
    EXPECT_TRUE(items[4].rowBreak);
    EXPECT_FALSE(items[5].rowBreak);

    EXPECT_EQ(1, kgp::WrapRows(items, 80, 40, 22)) << "a second row would not fit the height";
    EXPECT_FALSE(items[4].rowBreak) << "earlier breaks are cleared";
    EXPECT_EQ(3, kgp::WrapRows(items, 50, 0x7FFF, 22));

    // A separator opening the bar (the buttons before it hidden) leaves a
    // button wider than the length in the first row, not an empty row above.
    std::vector<kgp::BarItem> wide = {hidden, Separator(), Button(90), Separator(), Button(), Button()};
    EXPECT_EQ(2, kgp::WrapRows(wide, 84, 0x7FFF, 22));
    EXPECT_FALSE(wide[1].rowBreak);
    EXPECT_TRUE(wide[3].rowBreak);
}

TEST(ToolBarMath, RowHeightsAreRaisedToTheMinimum)
{
    EXPECT_EQ(22, kgp::RowHeightAtLeast(22, 0));
    EXPECT_EQ(30, kgp::RowHeightAtLeast(22, 30));
    EXPECT_EQ(40, kgp::RowHeightAtLeast(40, 30));
}

TEST(ToolBarMath, RowsArePlacedCentredWhenFloatingAndOverflowPastTheLimit)
{
    // Two rows: 23 + 23 | separator 8, 23 (the separator starts the row: no room).
    std::vector<kgp::BarItem> items = {Button(), Button(), Separator(), Button()};
    items[1].rowBreak = true;
    kgp::PlaceInput in;
    in.rowHeight = 22;
    kgp::PlaceResult placed = kgp::PlaceItems(items, in);
    EXPECT_EQ((kgp::Box{1, 1, 24, 23}), placed.boxes[0]);
    EXPECT_EQ((kgp::Box{24, 1, 47, 23}), placed.boxes[1]);
    EXPECT_EQ((kgp::Box{1, 28, 1, 50}), placed.boxes[2]) << "next row 22 + 5 lower, the separator takes no room";
    EXPECT_EQ((kgp::Box{1, 28, 24, 50}), placed.boxes[3]);
    EXPECT_EQ(47, placed.right);
    EXPECT_EQ(50, placed.bottom);

    in.centreRows = true;
    in.clientWidth = 48;
    placed = kgp::PlaceItems(items, in);
    EXPECT_EQ(1, placed.boxes[0].left) << "a full row stays";
    EXPECT_EQ(12, placed.boxes[3].left) << "the short row moves by half of the 23 pixels it leaves free";

    in = kgp::PlaceInput{};
    in.rowHeight = 22;
    in.limit = 40;
    items[1].rowBreak = false;
    placed = kgp::PlaceItems(items, in);
    EXPECT_EQ((std::vector<bool>{false, true, true, true}), placed.overflowed) << "the rest follows the first";
    EXPECT_EQ(24, placed.right) << "overflowed items do not count";

    in.horizontal = false;
    in.limit = 0;
    placed = kgp::PlaceItems(items, in);
    EXPECT_EQ((kgp::Box{1, 45, 9, 45 + 22}), placed.boxes[2]) << "a column, below two buttons";
}

TEST(ToolBarMath, WrapLengthOfADynamicSizeRequest)
{
    kgp::WrapRequest request;
    request.mode = kgp::kLayoutHorizontal;
    EXPECT_EQ(kgp::kNoLimit, kgp::WrapLengthFor(request)) << "not dynamic: one row";
    request.mode = 0;
    EXPECT_EQ(0, kgp::WrapLengthFor(request)) << "not dynamic, vertical: one column";
    request.fixedSize = true;
    EXPECT_EQ(-1, kgp::WrapLengthFor(request)) << "fixed: the rows stay";

    request = kgp::WrapRequest{};
    request.dynamicSize = true;
    request.recordedLength = 90;
    request.nonClientWidth = 6;
    request.nonClientHeight = 10;
    request.mode = kgp::kLayoutRecentWidth | kgp::kLayoutHorizontalDock;
    EXPECT_EQ(90, kgp::WrapLengthFor(request));
    request.mode = kgp::kLayoutHorizontalDock;
    EXPECT_EQ(kgp::kNoLimit, kgp::WrapLengthFor(request));
    request.mode = kgp::kLayoutVerticalDock;
    EXPECT_EQ(0, kgp::WrapLengthFor(request));
    request.length = 100;
    request.mode = kgp::kLayoutHorizontal;
    EXPECT_EQ(94, kgp::WrapLengthFor(request)) << "a window width less the borders";
    request.mode = kgp::kLayoutLengthIsHeight;
    EXPECT_EQ(90, kgp::WrapLengthFor(request));
    request.length = -1;
    request.floating = true;
    EXPECT_EQ(90, kgp::WrapLengthFor(request)) << "a floating bar keeps its recorded width";
}

kgp::PlacedItem At(int left, int top, int right, int bottom, bool separator = false)
{
    kgp::PlacedItem item;
    item.box = kgp::Box{left, top, right, bottom};
    item.separator = separator;
    return item;
}

TEST(ToolBarMath, HitTestsAndDropTargets)
{
    std::vector<kgp::PlacedItem> items = {At(1, 1, 24, 23), At(24, 1, 32, 23, true), At(32, 1, 55, 23),
                                          At(1, 28, 24, 50)};
    items[3].overflowed = true;
    EXPECT_EQ(0, kgp::HitTest(items, 1, 1));
    EXPECT_EQ(-1, kgp::HitTest(items, 24, 5)) << "separator";
    EXPECT_EQ(2, kgp::HitTest(items, 54, 22));
    EXPECT_EQ(-1, kgp::HitTest(items, 55, 22)) << "right edge is outside";
    EXPECT_EQ(-1, kgp::HitTest(items, 5, 30)) << "overflowed";
    items[3].overflowed = false;

    const kgp::Box client{0, 0, 100, 60};
    struct Row { int x, y, index, markerX; };
    const Row horizontal[] = {{5, 5, 0, 1}, {20, 5, 1, 24}, {40, 5, 2, 32}, {50, 5, 3, 55},
                              {90, 5, 3, 55}, {20, 30, 4, 24}, {2, 30, 3, 1}};
    for (const Row& row : horizontal) {
        const kgp::DropTarget target = kgp::DropIndexAt(items, client, true, 27, row.x, row.y);
        EXPECT_EQ(row.index, target.index) << row.x << "," << row.y;
        EXPECT_EQ(row.markerX, target.marker.left);
    }

    std::vector<kgp::PlacedItem> column = {At(0, 0, 22, 23), At(0, 23, 22, 46)};
    EXPECT_EQ(1, kgp::DropIndexAt(column, client, false, 0, 5, 20).index);
    EXPECT_EQ(23, kgp::DropIndexAt(column, client, false, 0, 5, 20).marker.top);
    EXPECT_EQ(2, kgp::DropIndexAt(column, client, false, 0, 5, 58).index);
    column.push_back(At(0, 46, 22, 60));
    column.back().customise = true;
    EXPECT_EQ(-1, kgp::DropIndexAt(column, client, false, 0, 5, 58).index) << "the customise button";
    const kgp::DropTarget empty = kgp::DropIndexAt({column.back()}, client, true, 27, 5, 5);
    EXPECT_EQ(0, empty.index);
    EXPECT_EQ(100, empty.marker.right);
}

TEST(ToolBarMath, IndexesFollowADeletedButton)
{
    EXPECT_EQ(2, kgp::IndexAfterDeletion(2, 3)) << "before the deleted button";
    EXPECT_EQ(-1, kgp::IndexAfterDeletion(3, 3)) << "the deleted button itself";
    EXPECT_EQ(3, kgp::IndexAfterDeletion(4, 3)) << "after it";
    EXPECT_EQ(-1, kgp::IndexAfterDeletion(-1, 0)) << "none stays none";
}

}  // namespace
