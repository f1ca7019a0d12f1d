// The outlook bar's arithmetic as plain functions: the size of a shortcut
// button, a page's layout and scroll steps, the outlook window's page buttons
// in both modes (the compact mode's count never below 0), the bottom toolbar,
// the splitter drag, the options list and the checks on stored custom pages.
#include <gtest/gtest.h>

#include "guilib/panes/KGPOutlookMath.h"

namespace {

using namespace kgp::outlook;
using kgp::Box;

TEST(OutlookButton, VerticalSizeStacksImageAndTextAndBoundsTheWidth)
{
    ButtonSize size = VerticalButtonSize(100, 32, 32, 60, 26);
    EXPECT_EQ(32 + 26 + 10, size.height);
    EXPECT_EQ(60, size.width);
    EXPECT_TRUE(size.textFits);

    // A short caption is widened to the image; a long one cut to cx and marked.
    EXPECT_EQ(36, VerticalButtonSize(100, 32, 32, 5, 13).width);
    size = VerticalButtonSize(100, 32, 32, 140, 13);
    EXPECT_EQ(100, size.width);
    EXPECT_FALSE(size.textFits);
    // No caption shown: height of the image and the margin only.
    EXPECT_EQ(42, VerticalButtonSize(100, 32, 32, 0, 0).height);
}

TEST(OutlookButton, HorizontalWideningEndsEvenWhenTheTextNeverFits)
{
    int calls = 0;
    // Every width still gives three lines: the loop must stop at the single-line width.
    const ButtonSize size = HorizontalButtonSize(16, 16, 16, {50, 13}, [&](int width) {
        ++calls;
        return TextExtent{width, 39};
    });
    EXPECT_LE(calls, 51);
    EXPECT_TRUE(size.textFits);
    EXPECT_EQ(16, size.height);

    // Text that fits on one line at width 30 stops there.
    const ButtonSize fits = HorizontalButtonSize(16, 16, 10, {30, 13}, [](int width) {
        return TextExtent{width, width >= 30 ? 13 : 26};
    });
    EXPECT_EQ(16 + 30 + 10, fits.width);
    EXPECT_EQ(13, fits.height); // the smaller of cy and the caption, over the image
}

PaneInput Page(int buttons, int height = 50, int clientHeight = 200)
{
    PaneInput in;
    in.client = {0, 0, 100, clientHeight};
    in.spacing = 4;
    in.scrollButton = {15, 15};
    in.widths.assign(static_cast<size_t>(buttons), 60);
    in.heights.assign(static_cast<size_t>(buttons), height);
    return in;
}

TEST(OutlookPane, ButtonsStackCentredWithSpacingAndTheArrowsFollowTheScroll)
{
    PaneInput in = Page(6);
    PaneLayout layout = LayOutPane(in);
    ASSERT_EQ(6u, layout.buttons.size());
    EXPECT_EQ((Box{19, 4, 79, 54}), layout.buttons[0]);
    EXPECT_EQ(58, layout.buttons[1].top);
    EXPECT_TRUE(layout.canScrollDown);
    EXPECT_FALSE(layout.showUp);
    EXPECT_TRUE(layout.showDown);
    EXPECT_EQ((Box{80, 180, 95, 195}), layout.down);
    EXPECT_EQ((Box{80, 5, 95, 20}), layout.up);

    // A button wider than the page is cut to it.
    in.widths[0] = 500;
    EXPECT_EQ(99, LayOutPane(in).buttons[0].Width());

    // Everything fits: nothing to scroll.
    EXPECT_FALSE(LayOutPane(Page(2)).canScrollDown);
}

TEST(OutlookPane, ArrowsNeedFivePixelsMoreThanThemselvesEachWay)
{
    PaneInput in = Page(10);
    in.scroll = {54, 1};
    in.client = {0, 0, 19, 200};
    PaneLayout narrow = LayOutPane(in);
    EXPECT_TRUE(narrow.canScrollDown);
    EXPECT_FALSE(narrow.showUp);
    EXPECT_FALSE(narrow.showDown);
    in.client = {0, 0, 20, 20};
    EXPECT_TRUE(LayOutPane(in).showUp);
    in.client = {0, 0, 20, 19};
    EXPECT_FALSE(LayOutPane(in).showUp);
}

TEST(OutlookPane, SingleStepsStopAtBothEnds)
{
    PaneInput in = Page(6);
    PaneScroll scroll;
    EXPECT_FALSE(ScrollUp(scroll, in.heights, in.spacing));
    EXPECT_EQ(0, scroll.offset);

    EXPECT_TRUE(ScrollDown(scroll, in.heights, in.spacing, true));
    EXPECT_EQ(1, scroll.firstVisible);
    EXPECT_EQ(54, scroll.offset);
    in.scroll = scroll;
    EXPECT_EQ(4, LayOutPane(in).buttons[1].top); // the second button now at the top

    // Nothing below: no step, so the repeat stops.
    EXPECT_FALSE(ScrollDown(scroll, in.heights, in.spacing, false));
    // Never past the last button.
    scroll = {5 * 54, 5};
    EXPECT_FALSE(ScrollDown(scroll, in.heights, in.spacing, true));

    scroll = {54, 1};
    EXPECT_TRUE(ScrollUp(scroll, in.heights, in.spacing));
    EXPECT_EQ(0, scroll.offset);
    EXPECT_EQ(0, scroll.firstVisible);
    // A first index past the buttons (they were removed) resets the scroll.
    scroll = {300, 9};
    EXPECT_FALSE(ScrollUp(scroll, in.heights, in.spacing));
    EXPECT_EQ(0, scroll.firstVisible);
}

TEST(OutlookPane, PageStepsCountWholeButtonsAndNoneWhenOneDoesNotFit)
{
    PaneInput in = Page(20);
    EXPECT_EQ(3, PageSteps(200, in.heights, in.spacing, in.scroll));
    EXPECT_EQ(0, PageSteps(53, in.heights, in.spacing, in.scroll));
    EXPECT_EQ(0, PageSteps(200, {}, 4, PaneScroll{}));
    EXPECT_EQ(0, PageSteps(200, {0}, 0, PaneScroll{}));
}

TEST(OutlookPane, GrowingAfterScrollingScrollsBackUntilTheLastButtonReachesTheBottom)
{
    PaneInput in = Page(6);
    in.scroll = {3 * 54, 3};
    in.client = {0, 0, 100, 600};
    PaneScroll scroll = in.scroll;
    ScrollBackAfterResize(scroll, in);
    EXPECT_EQ(0, scroll.offset);
    EXPECT_EQ(0, scroll.firstVisible);

    in.client = {0, 0, 100, 190};
    scroll = in.scroll;
    ScrollBackAfterResize(scroll, in);
    // The last button's bottom (4 + 6*54 - 4 - offset) stays at or below 190.
    in.scroll = scroll;
    EXPECT_GE(LayOutPane(in).buttons.back().bottom, 190);
    EXPECT_LT(scroll.firstVisible, 3);
}

WindowInput Outlook(int pages, int active, bool compact = false)
{
    WindowInput in;
    in.client = {1, 1, 199, 399};
    in.buttonHeight = 20;
    in.textHeight = 15;
    in.toolbarHeight = 28;
    in.compact = compact;
    in.visible.assign(static_cast<size_t>(pages), true);
    in.active = active;
    return in;
}

TEST(OutlookWindow, NormalModeStacksButtonsAroundTheActivePage)
{
    WindowLayout layout = LayOutWindow(Outlook(4, 1));
    EXPECT_EQ((Box{1, 1, 200, 21}), layout.buttons[0]);
    EXPECT_EQ((Box{1, 21, 200, 41}), layout.buttons[1]);
    EXPECT_EQ(41, layout.page.top);
    // Two pages after the active one, stacked at the bottom.
    EXPECT_EQ(399 - 40 + 1, layout.buttons[2].top);
    EXPECT_EQ(layout.buttons[2].top - 1, layout.page.bottom);
    EXPECT_EQ(layout.buttons[2].bottom, layout.buttons[3].top);
    EXPECT_TRUE(layout.caption.IsEmpty());
    EXPECT_TRUE(layout.splitter.IsEmpty());

    // A hidden page takes no room.
    WindowInput hidden = Outlook(4, 1);
    hidden.visible[0] = false;
    layout = LayOutWindow(hidden);
    EXPECT_TRUE(layout.buttons[0].IsEmpty());
    EXPECT_EQ(1, layout.buttons[1].top);
}

TEST(OutlookWindow, LastPageActiveWithScrollButtonsShortensThePageAndPutsTheArrowInTheCorner)
{
    WindowInput in = Outlook(3, 2);
    const WindowLayout plain = LayOutWindow(in);
    in.scrollButtonsShown = true;
    const WindowLayout layout = LayOutWindow(in);
    EXPECT_EQ(plain.page.bottom - 20, layout.page.bottom);
    EXPECT_EQ((Box{180, 380, 200, 400}), layout.scrollDown);
    // The active page's button gives its right end to the up arrow.
    EXPECT_EQ(180, layout.buttons[2].right);
    EXPECT_EQ((Box{180, 41, 200, 61}), layout.scrollUp);

    // Elsewhere the next page's button holds the down arrow.
    in.active = 0;
    const WindowLayout first = LayOutWindow(in);
    EXPECT_EQ(first.buttons[1].right, first.scrollDown.left);
    EXPECT_EQ(first.buttons[1].top, first.scrollDown.top);
}

TEST(OutlookWindow, HiddenSingleTabLeavesThePageAlone)
{
    WindowInput in = Outlook(1, 0);
    in.hideSingleTab = true;
    const WindowLayout layout = LayOutWindow(in);
    EXPECT_EQ(in.client, layout.page);
    EXPECT_TRUE(layout.buttons[0].IsEmpty());
}

TEST(OutlookWindow, CompactModePlacesCaptionSplitterAndButtonsAndSendsTheRestToTheToolbar)
{
    WindowInput in = Outlook(12, 3, true);
    WindowLayout layout = LayOutWindow(in);
    // (398 - 20 - 1 - 28) / 40 = 8 buttons fit; -1 means all visible ones.
    EXPECT_EQ(8, layout.mostButtons);
    EXPECT_EQ(12, layout.visibleButtons);
    EXPECT_EQ((Box{1, 4, 199, 24}), layout.caption);
    const int b = 399 - (8 * 20 + 28);
    EXPECT_EQ((Box{1, b - 8, 199, b}), layout.splitter);
    EXPECT_EQ(24, layout.page.top);
    EXPECT_EQ(b - 8, layout.page.bottom);
    EXPECT_EQ(b, layout.buttons[0].top);
    const std::vector<int> onToolbar = PagesOnToolbar(in, layout);
    EXPECT_EQ((std::vector<int>{8, 9, 10, 11}), onToolbar);

    // Fewer buttons asked: the splitter comes down, more pages go to the toolbar.
    in.visibleButtons = 2;
    layout = LayOutWindow(in);
    EXPECT_EQ(399 - (2 * 20 + 28), layout.splitter.bottom);
    EXPECT_EQ(10u, PagesOnToolbar(in, layout).size());

    // Few pages: all of them fit and none goes to the toolbar.
    WindowInput few = Outlook(3, 0, true);
    const WindowLayout fewLayout = LayOutWindow(few);
    EXPECT_EQ(3, fewLayout.mostButtons);
    EXPECT_TRUE(PagesOnToolbar(few, fewLayout).empty());
}

TEST(OutlookWindow, CompactModeInAVeryShortWindowShowsNoButtonAndNothingOutside)
{
    WindowInput in = Outlook(5, 0, true);
    in.client = {1, 1, 199, 30}; // shorter than a button and the toolbar
    const WindowLayout layout = LayOutWindow(in);
    EXPECT_EQ(0, layout.mostButtons);
    EXPECT_GE(layout.page.bottom, layout.page.top);
    EXPECT_EQ(5u, PagesOnToolbar(in, layout).size());
    for (const Box& button : layout.buttons)
        EXPECT_TRUE(button.IsEmpty());
}

TEST(OutlookToolbar, ButtonsStandFromTheRightAndTheFirstInExcessAreHidden)
{
    EXPECT_EQ(5, ToolbarButtonsThatFit(150, 26, 26));
    EXPECT_EQ(0, ToolbarButtonsThatFit(10, 26, 26));
    EXPECT_EQ(0, ToolbarButtonsThatFit(100, 26, 2));

    const ToolbarLayout layout = LayOutToolbar({0, 0, 150, 30}, 26, {26, 30}, 7);
    EXPECT_EQ((Box{126, -1, 152, 29}), layout.customize);
    EXPECT_EQ(2, layout.hidden);
    EXPECT_TRUE(layout.buttons[0].IsEmpty());
    EXPECT_TRUE(layout.buttons[1].IsEmpty());
    // The last button touches the customise button, each overlapping by 2.
    EXPECT_EQ(layout.customize.left + 2, layout.buttons[6].right);
    EXPECT_EQ(layout.buttons[6].left + 2, layout.buttons[5].right);
    EXPECT_FALSE(layout.buttons[2].IsEmpty());
}

TEST(OutlookSplitter, EveryButtonHeightAddsOrRemovesOneWithinTheVisiblePages)
{
    EXPECT_EQ(5, SplitterCount(2, 200, 140, 20, 6));
    EXPECT_EQ(6, SplitterCount(2, 200, 0, 20, 6));
    EXPECT_EQ(1, SplitterCount(2, 200, 220, 20, 6));
    EXPECT_EQ(0, SplitterCount(2, 200, 400, 20, 6));
    EXPECT_EQ(2, SplitterCount(2, 200, 215, 20, 6)); // less than a button: no change
    EXPECT_EQ(2, SplitterCount(2, 200, 100, 0, 6));
}

TEST(OutlookOptions, UpDownAndResetKeepTheListSound)
{
    std::vector<OptionItem> items{{0, true}, {1, false}, {2, true}};
    EXPECT_FALSE(CanMoveUp(items, 0));
    EXPECT_TRUE(CanMoveDown(items, 0));
    EXPECT_FALSE(CanMoveDown(items, 2));
    EXPECT_FALSE(CanMoveUp(items, -1));
    EXPECT_EQ(1, MoveItem(items, 0, false));
    EXPECT_EQ(1, items[0].page);
    EXPECT_FALSE(items[0].checked); // the check travels with its page
    EXPECT_EQ(0, items[1].page);
    EXPECT_EQ(2, MoveItem(items, 2, false)); // at the end: stays
    EXPECT_EQ(2, items[2].page);

    const std::vector<OptionItem> reset = ResetItems({0, 1, 2}, 3);
    ASSERT_EQ(3u, reset.size());
    EXPECT_TRUE(reset[1].checked);
    EXPECT_TRUE(ResetItems({0, 5}, 3).empty()); // a default page that is gone
}

TEST(OutlookCustomPages, IdsMustBeCustomNewAndFree)
{
    std::vector<bool> taken(static_cast<size_t>(kCustomPageIdCount), false);
    EXPECT_TRUE(CustomPageIdsSound({0xF000, 0xF001}, taken));
    EXPECT_TRUE(CustomPageIdsSound({}, taken));
    EXPECT_FALSE(CustomPageIdsSound({0xF000, 0xF000}, taken));
    EXPECT_FALSE(CustomPageIdsSound({0xEFFF}, taken));
    EXPECT_FALSE(CustomPageIdsSound({kFirstCustomPageId + kCustomPageIdCount}, taken));
    EXPECT_FALSE(CustomPageIdsSound({-5}, taken));
    taken[3] = true;
    EXPECT_FALSE(CustomPageIdsSound({0xF003}, taken));
    std::vector<int> tooMany(static_cast<size_t>(kMaxCustomPages) + 1, 0xF000);
    EXPECT_FALSE(CustomPageIdsSound(tooMany, taken));
}

TEST(OutlookCustomPages, VersionGatesAndKeyNames)
{
    EXPECT_FALSE(StoresVisibleButtons(-1));
    EXPECT_FALSE(StoresVisibleButtons(0x60700));
    EXPECT_TRUE(StoresVisibleButtons(0x60710));
    EXPECT_FALSE(StoresVisibleButtons(0x70000));
    EXPECT_TRUE(StoresVisibleButtons(0x80000));

    EXPECT_EQ(L"P\\KGPOutlookBar-3", BarKey(L"P\\", 3, -1));
    EXPECT_EQ(L"P\\sKGPOutlookBar-35", BarKey(L"P\\", 3, 5));
    EXPECT_EQ(L"sKGPOutlookBar-311f", BarKey(L"", 31, 0x1F)); // no separator: the stored form as it is
}

}  // namespace
