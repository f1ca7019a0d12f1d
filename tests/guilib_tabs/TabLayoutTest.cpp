// The tab strip's arithmetic as plain functions: styles, where the strip and
// its buttons go in each location, the tabs' widths in each style, scrolling
// and the visible range, hit tests on slanted tabs, which tab is active after
// a change, the automatic colours and the tab list.
#include <gtest/gtest.h>

#include "guilib/tabs/KGPTabLayout.h"

namespace {

using namespace kgp::tabs;

TEST(TabLayout, StyleCodesGiveTheirFlagsAndARestyleKeepsTheButtons)
{
    for (int code = 0; code <= 7; ++code) {
        const TabStyle style = StyleAtCreation(code);
        EXPECT_EQ(code != 0 && code != 6, style.scrollButtons) << code;
        EXPECT_EQ(code == 1 || code == 2, style.flat) << code;
        EXPECT_EQ(code == 2, style.sharedScroll) << code;
        EXPECT_EQ(code >= 4, style.Overlapping()) << code;
    }
    EXPECT_FALSE(StyleAtCreation(42).scrollButtons);
    const TabStyle restyled = Restyled(StyleAtCreation(2), 6);
    EXPECT_TRUE(restyled.rounded);
    EXPECT_FALSE(restyled.flat);
    EXPECT_TRUE(restyled.sharedScroll);
    EXPECT_TRUE(restyled.scrollButtons);
    EXPECT_EQ(0, ImageMarginOf(StyleAtCreation(1), true));
    EXPECT_EQ(kImageMargin, ImageMarginOf(StyleAtCreation(1), false));
    EXPECT_EQ(0, ImageMarginOf(StyleAtCreation(5), false));
}

StripInput Strip(int code, int location)
{
    StripInput in;
    in.client = {0, 0, 300, 200};
    in.style = StyleAtCreation(code);
    in.location = location;
    in.tabsHeight = 20;
    in.borderSize = 2;
    in.buttonSize = 16;
    return in;
}

Box ButtonRect(const StripLayout& layout, ButtonKind kind)
{
    for (const PlacedButton& button : layout.buttons) {
        if (button.kind == kind)
            return button.rect;
    }
    return {-1, -1, -1, -1};
}

TEST(TabLayout, TheStripStandsAtTheBottomOrTopAndTheWindowAreaTakesTheRest)
{
    StripLayout bottom = LayOutStrip(Strip(0, kLocationBottom));
    EXPECT_EQ((Box{2, 178, 298, 198}), bottom.strip);
    EXPECT_EQ((Box{3, 3, 297, 176}), bottom.windowArea);
    EXPECT_TRUE(bottom.buttons.empty());

    StripLayout top = LayOutStrip(Strip(0, kLocationTop));
    EXPECT_EQ((Box{2, 2, 298, 22}), top.strip);
    EXPECT_EQ((Box{3, 24, 297, 197}), top.windowArea);

    // A hidden strip leaves the window area the whole inside.
    StripInput hidden = Strip(0, kLocationBottom);
    hidden.tabsHeight = 0;
    const StripLayout none = LayOutStrip(hidden);
    EXPECT_TRUE(none.strip.IsEmpty());
    EXPECT_EQ((Box{3, 3, 297, 197}), none.windowArea);

    // A group splitter takes a strip at the right edge.
    StripInput split = Strip(0, kLocationBottom);
    split.splitterMode = 1;
    const StripLayout withSplitter = LayOutStrip(split);
    EXPECT_EQ((Box{295, 0, 300, 200}), withSplitter.splitter);
    EXPECT_EQ(292, withSplitter.strip.right);
}

TEST(TabLayout, ButtonsStandAtTheStripsEndOrAroundItInTheOverlappingStyles)
{
    StripInput in = Strip(3, kLocationBottom);
    in.closeButton = true;
    StripLayout layout = LayOutStrip(in);
    EXPECT_EQ(241, layout.strip.right);
    EXPECT_EQ((Box{241, 180, 257, 196}), ButtonRect(layout, ButtonKind::ScrollLeft));
    EXPECT_EQ((Box{260, 180, 276, 196}), ButtonRect(layout, ButtonKind::ScrollRight));
    EXPECT_EQ((Box{279, 180, 295, 196}), ButtonRect(layout, ButtonKind::Close));

    // Tab list mode hides the left button.
    in.tabListMode = true;
    layout = LayOutStrip(in);
    EXPECT_TRUE(ButtonRect(layout, ButtonKind::ScrollLeft).IsEmpty());
    EXPECT_EQ(260, layout.strip.right);
    EXPECT_EQ((Box{260, 180, 276, 196}), ButtonRect(layout, ButtonKind::ScrollRight));

    // Rounded with scroll buttons: the left button stands left of the strip.
    layout = LayOutStrip(Strip(7, kLocationTop));
    EXPECT_EQ(18, layout.strip.left);
    EXPECT_EQ(279, layout.strip.right);
    EXPECT_EQ((Box{1, 4, 17, 20}), ButtonRect(layout, ButtonKind::ScrollLeft));
    EXPECT_EQ((Box{279, 4, 295, 20}), ButtonRect(layout, ButtonKind::ScrollRight));

    // Style 6 has no scroll buttons; the flat style has four, on the left.
    EXPECT_TRUE(LayOutStrip(Strip(6, kLocationBottom)).buttons.empty());
    layout = LayOutStrip(Strip(1, kLocationBottom));
    ASSERT_EQ(4u, layout.buttons.size());
    EXPECT_LT(ButtonRect(layout, ButtonKind::ScrollLast).right, layout.strip.left);
}

int TenPerChar(const std::vector<int>& lengths, int tab, bool bold)
{
    return lengths[static_cast<size_t>(tab)] * 10 + (bold ? 5 : 0);
}

TabsInput Tabs(int code, int stripWidth, std::size_t count)
{
    TabsInput in;
    in.style = StyleAtCreation(code);
    in.strip = {0, 0, stripWidth, 20};
    in.tabs.resize(count);
    return in;
}

TEST(TabLayout, TabsAreAsWideAsTheirLabelsAndOverlapInTheSlantedStyles)
{
    const std::vector<int> lengths = {3, 5};
    const MeasureLabel measure = [&](int tab, bool bold) { return TenPerChar(lengths, tab, bold); };

    TabsLayout classic = AdjustTabs(Tabs(3, 200, 2), measure);
    EXPECT_EQ((Box{0, 0, 42, 18}), classic.tabs[0].rect);
    EXPECT_EQ((Box{43, 0, 105, 18}), classic.tabs[1].rect);
    EXPECT_EQ(62, classic.tabs[1].fullWidth);
    EXPECT_EQ(116, classic.totalWidth);
    EXPECT_TRUE(classic.tabs[0].tooltipRect.IsEmpty()); // fully visible labels need no tooltip

    TabsInput top = Tabs(3, 200, 2);
    top.location = kLocationTop;
    EXPECT_EQ((Box{0, 2, 42, 20}), AdjustTabs(top, measure).tabs[0].rect);

    TabsLayout rounded = AdjustTabs(Tabs(6, 200, 2), measure);
    EXPECT_EQ((Box{0, 0, 52, 18}), rounded.tabs[0].rect);
    EXPECT_EQ((Box{43, 0, 115, 18}), rounded.tabs[1].rect);
    EXPECT_EQ(126, rounded.totalWidth);

    TabsInput oneNote = Tabs(4, 400, 2);
    oneNote.imageMargin = 0;
    const TabsLayout slanted = AdjustTabs(oneNote, measure);
    EXPECT_EQ(30 + 8 + 20, slanted.tabs[0].fullWidth);
    EXPECT_EQ(19, OverlapOf(oneNote.style, 20, 0));
    EXPECT_EQ(slanted.tabs[0].rect.right + 1 - 19, slanted.tabs[1].rect.left);

    // The active tab is measured in bold when asked; a hidden tab takes no room.
    TabsInput bold = Tabs(3, 200, 3);
    bold.activeTab = 1;
    bold.boldActive = true;
    bold.tabs[0].visible = false;
    const std::vector<int> three = {3, 5, 2};
    const TabsLayout withBold = AdjustTabs(bold, [&](int tab, bool b) { return TenPerChar(three, tab, b); });
    EXPECT_TRUE(withBold.tabs[0].rect.IsEmpty());
    EXPECT_EQ(0, withBold.tabs[0].fullWidth);
    EXPECT_EQ(67, withBold.tabs[1].fullWidth);
    EXPECT_EQ(0, withBold.tabs[1].rect.left);

    // One visible tab with hide single tab: no rectangles at all.
    TabsInput single = Tabs(3, 200, 1);
    single.hideSingleTab = true;
    EXPECT_TRUE(AdjustTabs(single, measure).tabs[0].rect.IsEmpty());
}

TEST(TabLayout, TabsThatDoNotFitShareTheStripOrLeaveItInTabListMode)
{
    const MeasureLabel fifty = [](int, bool) { return 50; };
    // No scroll buttons: three tabs of 62 in 100 pixels get 32 each and a tooltip.
    const TabsLayout shared = AdjustTabs(Tabs(0, 100, 3), fifty);
    EXPECT_EQ((Box{0, 0, 32, 18}), shared.tabs[0].rect);
    EXPECT_EQ((Box{33, 0, 65, 18}), shared.tabs[1].rect);
    EXPECT_EQ((Box{66, 0, 98, 18}), shared.tabs[2].rect);
    EXPECT_EQ(shared.tabs[2].rect, shared.tabs[2].tooltipRect);
    EXPECT_EQ(62, shared.tabs[2].fullWidth);

    // A narrow tab keeps its width and gives the rest to the wide ones.
    const std::vector<int> lengths = {1, 9, 9};
    const TabsLayout uneven =
        AdjustTabs(Tabs(0, 150, 3), [&](int tab, bool b) { return TenPerChar(lengths, tab, b); });
    EXPECT_EQ(22, uneven.tabs[0].rect.Width());
    EXPECT_EQ(49 + (49 - 22) / 2, uneven.tabs[1].rect.Width());

    // Tab list mode drops the tabs passing the strip's end.
    TabsInput list = Tabs(3, 100, 3);
    list.tabListMode = true;
    const TabsLayout listed = AdjustTabs(list, fifty);
    EXPECT_FALSE(listed.tabs[0].rect.IsEmpty());
    EXPECT_TRUE(listed.tabs[1].rect.IsEmpty());
    EXPECT_TRUE(listed.tabs[2].rect.IsEmpty());
    EXPECT_TRUE(listed.hiddenByList);

    // With scroll buttons a maximum width cuts a tab and gives it a tooltip.
    TabsInput capped = Tabs(3, 400, 2);
    capped.maxTabWidth = 40;
    const TabsLayout cut = AdjustTabs(capped, fifty);
    EXPECT_EQ(40, cut.tabs[0].rect.Width());
    EXPECT_EQ(62, cut.tabs[0].fullWidth);
    EXPECT_EQ(cut.tabs[0].rect, cut.tabs[0].tooltipRect);
}

TEST(TabLayout, ScrollingStaysWithinItsRangeAndTheButtonsFollow)
{
    ScrollInput in;
    in.style = StyleAtCreation(3);
    in.tabCount = 5;
    in.totalWidth = 300;
    in.stripWidth = 100;
    in.offset = 250;
    ScrollState state = AdjustTabsScroll(in);
    EXPECT_EQ(200, state.maxOffset);
    EXPECT_EQ(200, state.offset);
    EXPECT_TRUE(state.leftEnabled);
    EXPECT_FALSE(state.rightEnabled);

    in.offset = 0;
    state = Scroll(in, {}, 0, ButtonKind::ScrollLeft);
    EXPECT_EQ(0, state.offset); // scroll left at 0 changes nothing
    EXPECT_FALSE(state.leftEnabled);
    EXPECT_TRUE(state.rightEnabled);
    in.offset = 190;
    EXPECT_EQ(200, Scroll(in, {}, 0, ButtonKind::ScrollRight).offset); // stops at the maximum
    EXPECT_EQ(200, Scroll(in, {}, 0, ButtonKind::ScrollLast).offset);
    EXPECT_EQ(0, Scroll(in, {}, 0, ButtonKind::ScrollFirst).offset);
    EXPECT_EQ(170, Scroll(in, {}, 0, ButtonKind::ScrollLeft).offset);

    // Tab list mode: the right button opens the list and shows whether tabs hide.
    in.tabListMode = true;
    in.offset = 200;
    EXPECT_TRUE(AdjustTabsScroll(in).rightEnabled);
    EXPECT_EQ(13, AdjustTabsScroll(in).listGlyph);
    in.hiddenByList = true;
    EXPECT_EQ(33, AdjustTabsScroll(in).listGlyph);

    // Overlapping styles scroll by whole tabs.
    ScrollInput slanted;
    slanted.style = StyleAtCreation(7);
    slanted.tabCount = 4;
    slanted.stripWidth = 100;
    slanted.stripRight = 100;
    slanted.lastTabRight = 180;
    const std::vector<int> widths = {60, 60, 60, 60};
    state = Scroll(slanted, widths, 10, ButtonKind::ScrollRight);
    EXPECT_EQ(1, state.firstVisible);
    EXPECT_EQ(51, state.offset);
    EXPECT_TRUE(state.leftEnabled);
    slanted.lastTabRight = 90;
    EXPECT_FALSE(AdjustTabsScroll(slanted).rightEnabled);

    // No scroll buttons: nothing scrolls.
    in.style = StyleAtCreation(6);
    EXPECT_EQ(0, AdjustTabsScroll(in).offset);
}

TEST(TabLayout, EnsureVisibleScrollsJustEnough)
{
    EnsureInput in;
    in.style = StyleAtCreation(3);
    in.strip = {0, 0, 100, 20};
    in.offset = 50;
    in.rects = {{-30, 0, 10, 18}, {90, 0, 130, 18}, {101, 0, 260, 18}};
    EXPECT_EQ(20, EnsureVisible(in, 0).offset);
    EXPECT_EQ(80, EnsureVisible(in, 1).offset);
    EXPECT_EQ(50, EnsureVisible(in, 2).offset); // wider than the strip: left as it is

    EnsureInput slanted;
    slanted.style = StyleAtCreation(5);
    slanted.strip = {0, 0, 100, 20};
    slanted.overlap = 10;
    slanted.rects.resize(4);
    slanted.fullWidths = {60, 60, 60, 60};
    const EnsureResult result = EnsureVisible(slanted, 3);
    EXPECT_EQ(3, result.firstVisible);
    EXPECT_EQ(3 * 51, result.offset);
    EXPECT_EQ(0, EnsureVisible(slanted, 0).firstVisible);

    EnsureInput list = in;
    list.tabListMode = true;
    EXPECT_TRUE(EnsureVisible(list, 2).moveToFront);
    list.rects[1] = {20, 0, 60, 18};
    EXPECT_FALSE(EnsureVisible(list, 1).moveToFront);
}

TEST(TabLayout, TheActiveSlantedTabGivesItsCornerToTheTabBefore)
{
    const std::vector<Box> rects = {{0, 0, 52, 18}, {42, 0, 94, 18}};
    const std::vector<bool> visible = {true, true};
    const Box strip = {0, 0, 200, 20};
    EXPECT_EQ(0, TabFromPoint(rects, visible, 1, strip, true, 44, 1));
    EXPECT_EQ(1, TabFromPoint(rects, visible, 1, strip, true, 80, 10));
    EXPECT_EQ(1, TabFromPoint(rects, visible, 1, strip, true, 44, 17));
    EXPECT_EQ(0, TabFromPoint(rects, visible, 1, strip, false, 44, 17)); // classic: the first holding it
    EXPECT_EQ(-1, TabFromPoint(rects, visible, 1, strip, true, 300, 10));
    EXPECT_EQ(-1, TabFromPoint(rects, visible, 1, strip, false, 150, 10));
    EXPECT_EQ(1, TabFromPoint(rects, {false, true}, -1, strip, false, 44, 1));
}

TEST(TabLayout, TheSameTabStaysActiveWhenTabsComeAndGo)
{
    // Inserting before the active tab keeps that tab active; at its place the new one takes over.
    EXPECT_EQ(3, ActiveAfterInsert(2, 0, 4));
    EXPECT_EQ(2, ActiveAfterInsert(2, 2, 4));
    EXPECT_EQ(2, ActiveAfterInsert(2, 3, 4));
    EXPECT_EQ(0, ActiveAfterInsert(-1, 0, 1));
    EXPECT_EQ(-1, ActiveAfterInsert(-1, 0, 3));

    // Removing at or before the active tab hands activation to the tab now
    // standing at the removed place; after it, the active tab stays.
    EXPECT_EQ(1, ReplacementAfterRemove({true, true, true}, 1, 2, false));
    EXPECT_EQ(0, ReplacementAfterRemove({true, true, true}, 0, 2, false));
    EXPECT_EQ(1, ReplacementAfterRemove({true, true, true}, 3, 1, false));
    EXPECT_EQ(1, ReplacementAfterRemove({false, true}, 0, 0, false));
    EXPECT_EQ(0, ReplacementAfterRemove({true, false}, 2, 2, false));
    EXPECT_EQ(2, ReplacementAfterRemove({true, false, true, false}, 0, 0, true));
    EXPECT_EQ(0, ReplacementAfterRemove({false, false}, 0, 0, false));
    EXPECT_EQ(-1, ActivatedAfterRemove({false, false}, 0, 0, -1, false)); // no visible tab: none
    EXPECT_EQ(2, ActivatedAfterRemove({true, true, true}, 0, 1, 3, true));
    EXPECT_EQ(0, ActivatedAfterRemove({true, true, true}, 0, 1, 3, false));
    EXPECT_EQ(2, ActivatedAfterRemove({true, true, true}, 2, 1, 1, true)); // the previous one went
    EXPECT_EQ(0, ActivatedAfterRemove({true, false}, 1, 1, -1, false)); // wraps to the start

    EXPECT_EQ(3, CandidateAfterHide({true, false, false, true}, 1));
    EXPECT_EQ(0, CandidateAfterHide({true, false, false}, 2));
    EXPECT_EQ(-1, CandidateAfterHide({false}, 0));

    EXPECT_EQ(0, NeighbourTab({true, false, true}, 2, true));
    EXPECT_EQ(2, NeighbourTab({true, false, true}, 0, false));
    EXPECT_EQ(-1, NeighbourTab({true}, 0, true));

    EXPECT_EQ(2, IndexAfterMove(0, 0, 2, 4));
    EXPECT_EQ(0, IndexAfterMove(1, 0, 2, 4));
    EXPECT_EQ(3, IndexAfterMove(2, 3, 0, 4));
    EXPECT_EQ(3, IndexAfterMove(0, 0, -1, 4));
}

TEST(TabLayout, AutomaticColoursCycleByIndexAndTheTabListSortsItsEntries)
{
    const std::vector<std::uint32_t> colors = DefaultAutoColors(32);
    ASSERT_EQ(8u, colors.size());
    EXPECT_EQ(0x75DBFFu, AutoColorOf(colors, 9)); // RGB(255, 219, 117), the second colour
    EXPECT_EQ(5u, DefaultAutoColors(8).size());
    EXPECT_EQ(0x00FF00u, DefaultAutoColors(8)[0]);
    EXPECT_EQ(0xFFFFFFFFu, AutoColorOf({}, 3));

    const std::vector<TabListEntry> entries =
        TabListEntries({L"beta", L"A&B", L"alpha", L"hidden"}, {true, true, true, false});
    ASSERT_EQ(3u, entries.size());
    EXPECT_EQ(L"A&&B", entries[0].text);
    EXPECT_EQ(-101, entries[0].command);
    EXPECT_EQ(L"alpha", entries[1].text);
    EXPECT_EQ(L"beta", entries[2].text);
    EXPECT_EQ(0, entries[2].tab);
    EXPECT_EQ(2, TabOfListCommand(-102, 4));
    EXPECT_EQ(-1, TabOfListCommand(-104, 4));
    EXPECT_EQ(-1, TabOfListCommand(5, 4));
}

}  // namespace
