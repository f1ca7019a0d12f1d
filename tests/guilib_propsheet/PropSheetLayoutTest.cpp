// Where a property sheet with a side navigation puts the navigation, the tab
// control and its buttons, as plain arithmetic.
#include <gtest/gtest.h>

#include "guilib/sheets/KGPPropSheetLayout.h"

namespace {

using namespace kgp::sheets;

TEST(PropSheetLayout, SideNavigationLooksGrowTheSheetAndPushTheTabRowOut)
{
    for (const int look : {kLookOutlook, kLookTree, kLookList}) {
        NavigationInput in;
        in.look = look;
        in.clientCx = 300;
        in.clientCy = 250;
        in.tabItemCy = 20;
        in.navigationWidth = 120;
        in.headerHeight = 30;
        const NavigationLayout out = LayOutNavigation(in);
        // Width: navigation beside the old client; height: the tab row of
        // 25 goes, the header and 15 come.
        EXPECT_EQ(420, out.clientCx) << look;
        EXPECT_EQ(250 + 30 - 25 + 15, out.clientCy) << look;
        // The tab control starts after the navigation, its row above the client.
        EXPECT_EQ(120, out.tab.left) << look;
        EXPECT_EQ(-25, out.tab.top) << look;
        EXPECT_EQ(out.clientCy - 10, out.tab.Height()) << look;
        EXPECT_EQ(out.clientCx, out.tab.right) << look;
        // The navigation fills the strip left of it down to the tab's bottom,
        // less a pixel each side (two at the bottom for the list).
        EXPECT_EQ((kgp::Box{1, 1, 119, out.tab.bottom - (look == kLookList ? 2 : 1)}), out.navigation) << look;
        EXPECT_TRUE(HasSideNavigation(look));
    }
    EXPECT_FALSE(HasSideNavigation(kLookTabs));
    EXPECT_FALSE(HasSideNavigation(kLookLibraryTabs));
}

TEST(PropSheetLayout, WithoutAHeaderTheSheetOnlyLosesTheTabRow)
{
    NavigationInput in;
    in.clientCx = 200;
    in.clientCy = 100;
    in.tabItemCy = 18;
    const NavigationLayout out = LayOutNavigation(in);
    EXPECT_EQ(300, out.clientCx);
    EXPECT_EQ(100 - 23 + 15, out.clientCy);
}

ButtonsInput Buttons()
{
    ButtonsInput in;
    in.client = {0, 0, 500, 300};
    // Where the sheet first put them: a row with gaps of 6.
    for (int i = 0; i < kButtonCount; ++i) {
        in.buttons[i] = {100 + i * 81, 250, 175 + i * 81, 273};
        in.present[i] = true;
    }
    return in;
}

TEST(PropSheetLayout, ButtonsSitFiveAboveTheBottomAndTheRowEndsFiveFromTheRight)
{
    ButtonsInput in = Buttons();
    in.hasHelp = true;
    const ButtonsLayout out = LayOutButtons(in);
    for (int i = 0; i < kButtonCount; ++i) {
        EXPECT_TRUE(out.moved[i]) << i;
        EXPECT_EQ(295, out.buttons[i].bottom) << i;
        EXPECT_EQ(23, out.buttons[i].Height()) << i;
        EXPECT_EQ(75, out.buttons[i].Width()) << i;
    }
    EXPECT_EQ(495, out.buttons[kButtonHelp].right);
    // The gaps between them are kept.
    EXPECT_EQ(6, out.buttons[kButtonCancel].left - out.buttons[kButtonOK].right);
}

TEST(PropSheetLayout, HelpWithoutItsFlagAndApplyWithTheNoApplyFlagStayWhereTheyAre)
{
    ButtonsInput in = Buttons();
    in.noApplyNow = true;
    const ButtonsLayout out = LayOutButtons(in);
    EXPECT_FALSE(out.moved[kButtonHelp]);
    EXPECT_FALSE(out.moved[kButtonApply]);
    EXPECT_EQ(in.buttons[kButtonHelp], out.buttons[kButtonHelp]);
    EXPECT_EQ(in.buttons[kButtonApply], out.buttons[kButtonApply]);
    // Cancel is the last that counts: it ends 5 from the right.
    EXPECT_EQ(495, out.buttons[kButtonCancel].right);
    EXPECT_EQ(295, out.buttons[kButtonOK].bottom);

    // A button that is not there is never moved; with none, nothing moves.
    in.present = {false, false, false, false};
    const ButtonsLayout none = LayOutButtons(in);
    for (int i = 0; i < kButtonCount; ++i)
        EXPECT_FALSE(none.moved[i]) << i;
}

} // namespace
