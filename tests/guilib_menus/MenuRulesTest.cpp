// The pure rules of the menu, combo and edit buttons and of the menus
// family's managers, as tables without a window.
#include <gtest/gtest.h>

#include "guilib/menus/KGPMenuRules.h"
#include "guilib/toolbars/KGPButtonRules.h"

#include <string>
#include <vector>

namespace {

TEST(MenuRulesTest, TearOffMarksParseBackAndUnmarkedTextsStayAsTheyAre)
{
    std::wstring text = kgp::MarkTearOffText(42, L"Tools");
    EXPECT_EQ(std::wstring(L"\x01" L"42" L"\x01" L"Tools"), text);
    EXPECT_EQ(42u, kgp::ParseTearOffText(text));
    EXPECT_EQ(L"Tools", text);

    struct Case {
        const wchar_t* text;
        std::uint32_t id;
        const wchar_t* after;
    };
    const Case cases[] = {
        {L"", 0, L""},
        {L"\x01", 0, L"\x01"},                           // no closing mark
        {L"Plain \x01" L"3\x01", 0, L"Plain \x01" L"3\x01"},  // not at the start
        {L"\x01" L"7", 0, L"\x01" L"7"},                  // no closing mark
        {L"\x01" L"x\x01" L"Word", 0, L"\x01" L"x\x01" L"Word"},  // no number
        {L"\x01" L"123456\x01" L"Word", 0, L"\x01" L"123456\x01" L"Word"},  // no command id
        {L"\x01" L"9\x01" L"A\x01" L"B", 9, L"B"},        // cut after the last mark
    };
    for (const Case& c : cases) {
        std::wstring parsed = c.text;
        EXPECT_EQ(c.id, kgp::ParseTearOffText(parsed)) << static_cast<int>(parsed.size());
        EXPECT_EQ(std::wstring(c.after), parsed);
    }
}

TEST(MenuRulesTest, LowestFreeIdOfARange)
{
    EXPECT_EQ(100u, kgp::LowestFreeId(100, 109, {}));
    EXPECT_EQ(102u, kgp::LowestFreeId(100, 109, {100, 101, 103}));
    std::vector<std::uint32_t> all;
    for (std::uint32_t id = 100; id <= 109; ++id)
        all.push_back(id);
    EXPECT_EQ(0u, kgp::LowestFreeId(100, 109, all));
    EXPECT_EQ(0u, kgp::LowestFreeId(0, 5, {}));
    EXPECT_EQ(0u, kgp::LowestFreeId(10, 9, {}));
    EXPECT_EQ(0xFFFFFFFFu, kgp::LowestFreeId(0xFFFFFFFF, 0xFFFFFFFF, {}));
}

TEST(MenuRulesTest, ShortcutTexts)
{
    EXPECT_EQ(L"", kgp::JoinKeyTexts({}));
    EXPECT_EQ(L"Ctrl+V; Shift+Ins", kgp::JoinKeyTexts({L"Ctrl+V", L"Shift+Ins"}));
    EXPECT_EQ(L"&New\tCtrl+N", kgp::TextWithShortcut(L"&New\tAlt+X", L"Ctrl+N"));
    EXPECT_EQ(L"&New", kgp::TextWithShortcut(L"&New\tAlt+X", L""));
    EXPECT_EQ(L"Find\tF3", kgp::TextWithShortcut(L"Find", L"F3"));
}

TEST(MenuRulesTest, OneVersionRuleStoresAndReadsEachOptionalField)
{
    // No workspace: the current form, palette included, no combo menu id.
    EXPECT_TRUE(kgp::MenuButtonArchiveHasPalette(false, -1));
    EXPECT_FALSE(kgp::ComboArchiveHasMenuId(false, -1));
    EXPECT_FALSE(kgp::MenuButtonArchiveHasPalette(true, -1));
    EXPECT_FALSE(kgp::MenuButtonArchiveHasPalette(true, 0x60510));
    EXPECT_TRUE(kgp::MenuButtonArchiveHasPalette(true, 0x60520));
    EXPECT_TRUE(kgp::MenuButtonArchiveHasPalette(true, 0x70000)) << "7.0 data holds the palette it wrote";
    EXPECT_FALSE(kgp::ComboArchiveHasMenuId(true, 0x60400));
    EXPECT_TRUE(kgp::ComboArchiveHasMenuId(true, 0x60410));
    EXPECT_TRUE(kgp::ComboArchiveHasMenuId(true, 0x70000));
}

TEST(MenuRulesTest, PopupMenusOpenBelowBesideOrAtTheRightOfTheirButton)
{
    kgp::PopupOpeningInput in;
    in.button = kgp::Box{100, 20, 150, 42};
    in.popupBar = kgp::Box{90, 10, 260, 300};
    in.subMenuGap = 1;

    kgp::PopupOpening at = kgp::PlacePopupMenu(in);
    EXPECT_EQ(100, at.x);
    EXPECT_EQ(41, at.y);
    EXPECT_EQ(1, at.direction);

    in.rightAligned = true;
    at = kgp::PlacePopupMenu(in);
    EXPECT_EQ(149, at.x);
    EXPECT_EQ(41, at.y);
    in.menuOnRight = true;
    at = kgp::PlacePopupMenu(in);
    EXPECT_EQ(149, at.x);
    EXPECT_EQ(20, at.y) << "at the right edge, the button's top";

    in.site = kgp::MenuButtonSite::VerticalMenuBar;
    at = kgp::PlacePopupMenu(in);
    EXPECT_EQ(150, at.x);
    EXPECT_EQ(20, at.y);
    EXPECT_EQ(3, at.direction);

    in.site = kgp::MenuButtonSite::PopupItem;
    at = kgp::PlacePopupMenu(in);
    EXPECT_EQ(261, at.x) << "beside the popup's bar";
    EXPECT_EQ(18, at.y) << "two above the item";
    EXPECT_EQ(3, at.direction);
    in.rightToLeft = true;
    at = kgp::PlacePopupMenu(in);
    EXPECT_EQ(89, at.x);
    EXPECT_EQ(4, at.direction);
}

TEST(MenuRulesTest, ComboInnerRectangles)
{
    const kgp::Box combo{11, 5, 159, 26};
    const kgp::Box button{10, 2, 160, 40};
    kgp::ComboLayout layout = kgp::LayOutCombo(combo, button, 9, false);
    EXPECT_EQ(143, layout.dropButton.left) << "twice the glyph width, shrunk by 2";
    EXPECT_EQ(157, layout.dropButton.right);
    EXPECT_EQ(7, layout.dropButton.top);
    EXPECT_EQ(24, layout.dropButton.bottom);
    EXPECT_EQ(10, layout.button.left);
    EXPECT_EQ(160, layout.button.right);
    EXPECT_EQ(5, layout.button.top);
    EXPECT_EQ(26, layout.button.bottom);
    EXPECT_EQ(14, layout.edit.left);
    EXPECT_EQ(8, layout.edit.top);
    EXPECT_EQ(143 - 10 - 7, layout.edit.right - layout.edit.left);
    EXPECT_EQ(21 - 6, layout.edit.bottom - layout.edit.top);

    layout = kgp::LayOutCombo(combo, button, 9, true);
    EXPECT_EQ(2, layout.button.top) << "a caption under the combo keeps the button's height";
    EXPECT_EQ(40, layout.button.bottom);
}

TEST(MenuRulesTest, SortedInsertIndex)
{
    const std::vector<std::wstring> items = {L"b", L"d", L"f"};
    const auto compare = [](const std::wstring& a, const std::wstring& b) {
        return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
    };
    EXPECT_EQ(0, kgp::SortedInsertIndex(items, L"a", compare));
    EXPECT_EQ(1, kgp::SortedInsertIndex(items, L"c", compare));
    EXPECT_EQ(2, kgp::SortedInsertIndex(items, L"d", compare)) << "after an equal item";
    EXPECT_EQ(3, kgp::SortedInsertIndex(items, L"g", compare));
    EXPECT_EQ(0, kgp::SortedInsertIndex(std::vector<std::wstring>{}, L"a", compare));
}

} // namespace

#include "guilib/toolbars/KGPCustomizeRules.h"

namespace {

TEST(CustomizeRulesTest, TheCustomisationMenuChecksOneLookAndEnablesWhatApplies)
{
    kgp::CustomizeMenuInput in;
    in.command = 100;
    in.imageShown = true;
    in.imageExists = true;
    kgp::CustomizeMenuState state = kgp::CustomizeMenuStates(in);
    EXPECT_TRUE(state.imageOnly.checked);
    EXPECT_FALSE(state.textOnly.checked || state.imageAndText.checked);
    EXPECT_TRUE(state.copyImage.enabled);
    EXPECT_TRUE(state.resetImage.enabled);

    in.captionShown = true;
    state = kgp::CustomizeMenuStates(in);
    EXPECT_TRUE(state.imageAndText.checked);
    in.imageShown = false;
    state = kgp::CustomizeMenuStates(in);
    EXPECT_TRUE(state.textOnly.checked);
    EXPECT_FALSE(state.copyImage.enabled) << "no image shown";

    in = kgp::CustomizeMenuInput{};
    in.command = 0xFFFFFFFF;
    in.imageShown = true;
    in.captionBelow = true;
    state = kgp::CustomizeMenuStates(in);
    EXPECT_FALSE(state.resetImage.enabled);
    EXPECT_FALSE(state.copyImage.enabled) << "the strip lacks the image";
    EXPECT_FALSE(state.imageOnly.enabled) << "a caption under the image on a horizontal bar";
    EXPECT_TRUE(state.imageAndText.checked);
    in.horizontalBar = false;
    state = kgp::CustomizeMenuStates(in);
    EXPECT_TRUE(state.imageOnly.enabled);
    EXPECT_TRUE(state.imageOnly.checked);

    in = kgp::CustomizeMenuInput{};
    in.menuBar = true;
    state = kgp::CustomizeMenuStates(in);
    EXPECT_TRUE(state.captionForced);
    EXPECT_TRUE(state.textOnly.checked);
    EXPECT_FALSE(state.imageOnly.enabled || state.textOnly.enabled || state.imageAndText.enabled);

    in.firstButton = true;
    EXPECT_FALSE(kgp::CustomizeMenuStates(in).beginGroup.enabled);
    in.firstButton = false;
    in.previousIsSeparator = true;
    EXPECT_TRUE(kgp::CustomizeMenuStates(in).beginGroup.enabled);
    EXPECT_TRUE(kgp::CustomizeMenuStates(in).beginGroup.checked);
}

TEST(CustomizeRulesTest, GroupsNudgesAndMovesWithinABar)
{
    EXPECT_EQ(kgp::GroupChange::Nothing, kgp::BeginGroupChange(true, false, false));
    EXPECT_EQ(kgp::GroupChange::InsertSeparator, kgp::BeginGroupChange(false, false, false));
    EXPECT_EQ(kgp::GroupChange::RemoveSeparator, kgp::BeginGroupChange(false, true, true));
    EXPECT_EQ(kgp::GroupChange::Nothing, kgp::BeginGroupChange(false, true, false)) << "a hidden separator";

    EXPECT_EQ(kgp::Nudge::Nothing, kgp::NudgeChange(5, false, false, false)) << "under 6 pixels";
    EXPECT_EQ(kgp::Nudge::Nothing, kgp::NudgeChange(-5, false, true, true));
    EXPECT_EQ(kgp::Nudge::AddSeparatorBefore, kgp::NudgeChange(6, false, false, false));
    EXPECT_EQ(kgp::Nudge::Nothing, kgp::NudgeChange(9, false, true, true)) << "already grouped";
    EXPECT_EQ(kgp::Nudge::RemoveSeparatorBefore, kgp::NudgeChange(-6, false, true, true));
    EXPECT_EQ(kgp::Nudge::Nothing, kgp::NudgeChange(-9, false, true, false)) << "a hidden separator stays";
    EXPECT_EQ(kgp::Nudge::Nothing, kgp::NudgeChange(20, true, false, false)) << "the first button";

    EXPECT_EQ(1, kgp::IndexAfterRemoval(1, 3, 4)) << "before the old place";
    EXPECT_EQ(3, kgp::IndexAfterRemoval(4, 1, 4)) << "after it: one down";
    EXPECT_EQ(4, kgp::IndexAfterRemoval(6, 1, 4)) << "never past the count";
}

} // namespace
