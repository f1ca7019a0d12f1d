// The popup menus' rules as tables, without a window: placement on the work
// area (edges, flips, upward opening, monitors left of and above the primary
// one, right-to-left), the rows a scrolled menu shows, the hit test of a
// popup's parts, the opening animation and the bar's rules.
#include <gtest/gtest.h>

#include <algorithm>

#include "guilib/menus/KGPPopupAnimation.h"
#include "guilib/menus/KGPPopupBarRules.h"
#include "guilib/menus/KGPPopupPlacement.h"

namespace {

using kgp::Box;

constexpr Box kScreen{0, 0, 1280, 1000};

kgp::PopupPlaceInput Free(int x, int y, int width, int height, Box work = kScreen)
{
    kgp::PopupPlaceInput in;
    in.workArea = work;
    in.x = x;
    in.y = y;
    in.width = width;
    in.height = height;
    in.rowHeight = 20;
    in.border = 2;
    return in;
}

kgp::PopupPlaceInput BelowButton(Box button, int width, int height, Box work = kScreen)
{
    kgp::PopupPlaceInput in = Free(button.left, button.bottom - 1, width, height, work);
    in.hasParentButton = true;
    in.button = button;
    in.direction = kgp::kDropDown;
    return in;
}

kgp::PopupPlaceInput SubMenu(Box parent, Box item, int width, int height, Box work = kScreen, bool rtl = false)
{
    kgp::PopupPlaceInput in = Free(rtl ? parent.left - 1 : parent.right + 1, item.top - 2, width, height, work);
    in.hasParentButton = true;
    in.subMenu = true;
    in.button = item;
    in.parentPopup = parent;
    in.rightToLeft = rtl;
    in.direction = rtl ? kgp::kDropLeft : kgp::kDropRight;
    return in;
}

TEST(PopupPlacementTest, APopupStaysOnTheWorkAreaAcrossEveryEdge)
{
    kgp::PopupPlacement at = kgp::PlacePopup(Free(100, 100, 200, 300));
    EXPECT_EQ((Box{100, 100, 300, 400}), at.window);
    EXPECT_FALSE(at.scrollable);

    at = kgp::PlacePopup(Free(1200, 100, 200, 300));
    EXPECT_EQ((Box{1079, 100, 1279, 400}), at.window) << "pushed inside with a pixel to spare";
    EXPECT_EQ(kgp::kDropNone, at.direction);
    EXPECT_TRUE(at.horizontalAnchor);

    at = kgp::PlacePopup(SubMenu(Box{900, 50, 1150, 400}, Box{902, 100, 1148, 120}, 200, 150));
    EXPECT_EQ((Box{700, 98, 900, 248}), at.window) << "a sub-menu goes to the other side of its popup";
    EXPECT_EQ(kgp::kDropLeft, at.direction);
    EXPECT_FALSE(at.horizontalAnchor) << "it unfolds from its right edge";

    at = kgp::PlacePopup(BelowButton(Box{1200, 10, 1260, 32}, 200, 100));
    EXPECT_EQ(1060, at.window.left) << "a toolbar button's popup ends at the button's right edge";
    kgp::PopupPlaceInput onMenuBar = BelowButton(Box{1200, 10, 1260, 32}, 200, 100);
    onMenuBar.onMenuBar = true;
    EXPECT_EQ(1079, kgp::PlacePopup(onMenuBar).window.left) << "a menu bar's popup is pushed inside";

    // The toolbar's own directions: up ends a pixel inside the button's top;
    // left that would leave the screen falls back to the edge.
    kgp::PopupPlaceInput up = BelowButton(Box{100, 500, 160, 522}, 200, 300);
    up.toolbarDirection = kgp::kDropUp;
    at = kgp::PlacePopup(up);
    EXPECT_EQ(501, at.window.bottom);
    EXPECT_EQ(kgp::kDropUp, at.direction);
    EXPECT_FALSE(at.verticalAnchor) << "it unfolds from its bottom";
    kgp::PopupPlaceInput left = BelowButton(Box{20, 100, 80, 122}, 200, 100);
    left.toolbarDirection = kgp::kDropLeft;
    at = kgp::PlacePopup(left);
    EXPECT_EQ(0, at.window.left);
    EXPECT_EQ(kgp::kDropNone, at.direction);
    kgp::PopupPlaceInput right = BelowButton(Box{100, 100, 160, 122}, 200, 100);
    right.toolbarDirection = kgp::kDropRight;
    EXPECT_EQ((Box{160, 100, 360, 200}), kgp::PlacePopup(right).window);
}

TEST(PopupPlacementTest, AMenuTallerThanTheRoomOpensWhereThereIsMoreAndScrolls)
{
    kgp::PopupPlacement at = kgp::PlacePopup(BelowButton(Box{100, 300, 160, 322}, 200, 900));
    EXPECT_EQ((Box{100, 321, 300, 1000}), at.window) << "more room below: cut at the bottom";
    EXPECT_TRUE(at.scrollable);
    EXPECT_TRUE(at.verticalAnchor);

    at = kgp::PlacePopup(BelowButton(Box{100, 800, 160, 822}, 200, 900));
    EXPECT_EQ((Box{100, 0, 300, 800}), at.window) << "more room above: opens upwards, cut to it";
    EXPECT_TRUE(at.scrollable);
    EXPECT_FALSE(at.verticalAnchor) << "it unfolds from its bottom";
    EXPECT_EQ(kgp::kDropUp, at.direction);

    kgp::PopupPlaceInput palette = BelowButton(Box{100, 800, 160, 822}, 200, 300);
    palette.canScroll = false;
    at = kgp::PlacePopup(palette);
    EXPECT_EQ((Box{100, 500, 300, 800}), at.window) << "a menu that cannot scroll opens upwards whole";
    EXPECT_FALSE(at.scrollable);

    at = kgp::PlacePopup(Free(100, 50, 200, 1500));
    EXPECT_EQ((Box{100, 50, 300, 1000}), at.window);
    EXPECT_TRUE(at.scrollable);

    kgp::PopupPlaceInput tall = Free(100, 500, 200, 1200);
    tall.canScroll = false;
    at = kgp::PlacePopup(tall);
    EXPECT_EQ((Box{100, 0, 300, 1000}), at.window) << "still above the top: moved down and cut";
    EXPECT_EQ(kgp::kDropNone, at.direction);

    kgp::PopupPlaceInput gripper = Free(100, 900, 200, 200);
    gripper.gripper = 12;
    at = kgp::PlacePopup(gripper);
    EXPECT_TRUE(at.gripperDropped);
    EXPECT_EQ((Box{100, 712, 300, 900}), at.window) << "without its gripper, opened upwards";

    // A sub-menu that opens upwards keeps its last row over its item.
    kgp::PopupPlaceInput sub = SubMenu(Box{100, 700, 300, 990}, Box{102, 960, 298, 980}, 200, 300);
    sub.canScroll = false;
    at = kgp::PlacePopup(sub);
    EXPECT_EQ(960 + 20 + 4, at.window.bottom);
}

TEST(PopupPlacementTest, MonitorsLeftOfAndAboveThePrimaryOneHaveNegativeCoordinates)
{
    constexpr Box kLeft{-1280, 0, 0, 1000};
    kgp::PopupPlacement at = kgp::PlacePopup(Free(-100, 100, 200, 300, kLeft));
    EXPECT_EQ((Box{-201, 100, -1, 400}), at.window);
    at = kgp::PlacePopup(SubMenu(Box{-400, 100, -150, 400}, Box{-398, 150, -152, 170}, 200, 100, kLeft));
    EXPECT_EQ(-600, at.window.left);
    EXPECT_EQ(kgp::kDropLeft, at.direction);
    at = kgp::PlacePopup(Free(-2000, 100, 200, 300, kLeft));
    EXPECT_EQ(-1280, at.window.left) << "the point is taken onto the monitor";

    constexpr Box kAbove{0, -1000, 1280, 0};
    at = kgp::PlacePopup(BelowButton(Box{100, -60, 160, -38}, 200, 300, kAbove));
    EXPECT_EQ((Box{100, -360, 300, -60}), at.window) << "opened upwards above the button";
    at = kgp::PlacePopup(Free(100, -2000, 200, 300, kAbove));
    EXPECT_EQ(-1000, at.window.top);
}

TEST(PopupPlacementTest, RightToLeftMirrorsEveryRuleAcross)
{
    kgp::PopupPlaceInput in = Free(300, 100, 200, 300);
    in.rightToLeft = true;
    EXPECT_EQ((Box{100, 100, 300, 400}), kgp::PlacePopup(in).window) << "its right edge at the point";
    in.x = 100;
    EXPECT_EQ(1, kgp::PlacePopup(in).window.left) << "pushed inside from the left edge";

    const kgp::PopupPlacement at =
        kgp::PlacePopup(SubMenu(Box{100, 50, 300, 400}, Box{102, 100, 298, 120}, 200, 150, kScreen, true));
    EXPECT_EQ(300, at.window.left) << "a sub-menu with no room on the left opens on the right";
    EXPECT_EQ(kgp::kDropRight, at.direction);
}

TEST(PopupPlacementTest, RowsAndResizingAreKeptWithinBounds)
{
    EXPECT_EQ(4 + 5 * 20 + 2, kgp::WholeRowsHeight(110, 20, 2));
    EXPECT_EQ(2 + 2, kgp::WholeRowsHeight(1, 20, 1)) << "no whole row fits";
    EXPECT_EQ(70 + 12, kgp::ResizeMinimumHeight(70, true));
    EXPECT_EQ(70 + 9, kgp::ResizeMinimumHeight(70, false));

    kgp::ResizeInput resize;
    resize.window = Box{100, 100, 300, 400};
    resize.workArea = kScreen;
    resize.cursorX = 150;
    resize.cursorY = 120;
    resize.minWidth = 80;
    resize.minHeight = 60;
    resize.bothDirections = true;
    EXPECT_EQ((kgp::Size2{80, 60}), kgp::TrackResize(resize)) << "not below the minimums";
    resize.cursorX = 2000;
    resize.cursorY = 2000;
    EXPECT_EQ((kgp::Size2{1180, 900}), kgp::TrackResize(resize)) << "not beyond the work area";
    resize.border = 3;
    EXPECT_EQ((kgp::Size2{1174, 894}), kgp::TrackResize(resize)) << "its borders kept inside the work area too";
    resize.border = 0;
    resize.bothDirections = false;
    EXPECT_EQ(200, kgp::TrackResize(resize).cx) << "only the height follows";
}

TEST(PopupScrollTest, TheFirstRowIsClampedWithFewAndWithManyRows)
{
    // 100 pixels of 20-pixel rows show 5; at most rows - (5 - 2) - 1 scroll away.
    EXPECT_EQ(5, kgp::ClampFirstRow(5, 10, 100, 20));
    EXPECT_EQ(6, kgp::ClampFirstRow(9, 10, 100, 20));
    EXPECT_EQ(0, kgp::ClampFirstRow(-3, 10, 100, 20));
    EXPECT_EQ(0, kgp::ClampFirstRow(1, 2, 100, 20)) << "the bound is below 0 with few rows";
    EXPECT_EQ(296, kgp::ClampFirstRow(400, 300, 100, 20));
    EXPECT_EQ(0, kgp::ClampFirstRow(3, 10, 100, 0));

    EXPECT_EQ(0, kgp::ScrollIntoView(0, -25, -5, 100, 20, 10));
    EXPECT_EQ(2, kgp::ScrollIntoView(3, -5, 15, 100, 20, 20)) << "above: one row more than the distance";
    EXPECT_EQ(2, kgp::ScrollIntoView(0, 110, 130, 100, 20, 20)) << "below";
    EXPECT_EQ(4, kgp::ScrollIntoView(4, 40, 60, 100, 20, 20)) << "in view: unchanged";

    EXPECT_EQ(2, kgp::WheelSteps(-240));
    EXPECT_EQ(0, kgp::WheelSteps(119));
    EXPECT_EQ(3, kgp::WheelSteps(360));
}

TEST(PopupHitTest, ThePartsAreTestedInTheirOrder)
{
    kgp::PopupHitInput in;
    in.client = Box{0, 0, 204, 304};
    in.logo = Box{2, 2, 22, 298};
    in.tearOff = Box{22, 2, 198, 12};
    in.shadow = 4;
    EXPECT_EQ(kgp::kHitOutside, kgp::PopupHitTest(in, -1, 5));
    EXPECT_EQ(kgp::kHitOutside, kgp::PopupHitTest(in, 204, 5));
    EXPECT_EQ(kgp::kHitLogo, kgp::PopupHitTest(in, 10, 100));
    EXPECT_EQ(kgp::kHitRightShadow, kgp::PopupHitTest(in, 201, 100));
    EXPECT_EQ(kgp::kHitRightShadow, kgp::PopupHitTest(in, 202, 302)) << "the right band before the bottom one";
    EXPECT_EQ(kgp::kHitBottomShadow, kgp::PopupHitTest(in, 10, 301)) << "below the side band";
    EXPECT_EQ(kgp::kHitTearOff, kgp::PopupHitTest(in, 100, 5));
    EXPECT_EQ(kgp::kHitInside, kgp::PopupHitTest(in, 100, 100));
    in.rightToLeft = true;
    in.logo = Box{};
    EXPECT_EQ(kgp::kHitRightShadow, kgp::PopupHitTest(in, 2, 100)) << "mirrored: on the left";
    EXPECT_EQ(kgp::kHitInside, kgp::PopupHitTest(in, 201, 100));
}

TEST(PopupHitTest, OnlyAChangeThatMeetsABandRenewsTheShadow)
{
    const Box window{100, 100, 304, 404};
    EXPECT_FALSE(kgp::ChangeReachesShadow(window, 4, Box{0, 0, 50, 50}, false)) << "far away";
    EXPECT_FALSE(kgp::ChangeReachesShadow(window, 4, Box{120, 120, 250, 350}, false)) << "under the menu only";
    EXPECT_TRUE(kgp::ChangeReachesShadow(window, 4, Box{302, 200, 320, 210}, false)) << "the right band";
    EXPECT_TRUE(kgp::ChangeReachesShadow(window, 4, Box{150, 402, 160, 500}, false)) << "the bottom band";
    EXPECT_FALSE(kgp::ChangeReachesShadow(window, 4, Box{300, 200, 300, 210}, false)) << "an empty change";
    EXPECT_TRUE(kgp::ChangeReachesShadow(window, 4, Box{90, 200, 102, 210}, true)) << "mirrored: the left band";
    EXPECT_FALSE(kgp::ChangeReachesShadow(window, 4, Box{302, 200, 320, 210}, true));
    EXPECT_FALSE(kgp::ChangeReachesShadow(window, 0, Box{0, 0, 1000, 1000}, false)) << "no shadow";
}

TEST(PopupAnimationTest, TheAnimationRunIsChosenFromTheOptionAndTheDisplay)
{
    kgp::AnimationSettings settings;
    settings.type = kgp::kAnimationFade;
    settings.bitsPerPixel = 8;
    EXPECT_EQ(kgp::kAnimationNone, kgp::LibraryAnimationType(settings)) << "no fading at 8 bits per pixel";
    settings.type = kgp::kAnimationSystem;
    settings.systemAnimation = true;
    settings.systemFade = true;
    EXPECT_EQ(kgp::kAnimationNone, kgp::LibraryAnimationType(settings)) << "the system's fade at 8 bits";
    settings.bitsPerPixel = 32;
    EXPECT_EQ(kgp::kAnimationSystem, kgp::LibraryAnimationType(settings));
    EXPECT_EQ(kgp::kAnimationFade, kgp::EffectiveAnimationType(settings, false));
    settings.systemFade = false;
    EXPECT_EQ(kgp::kAnimationSlide, kgp::EffectiveAnimationType(settings, false));
    settings.systemAnimation = false;
    EXPECT_EQ(kgp::kAnimationNone, kgp::EffectiveAnimationType(settings, false));
    settings.type = kgp::kAnimationUnfold;
    EXPECT_EQ(kgp::kAnimationUnfold, kgp::EffectiveAnimationType(settings, false));
    EXPECT_EQ(kgp::kAnimationNone, kgp::EffectiveAnimationType(settings, true)) << "not while customising";
    settings.remoteSession = true;
    EXPECT_EQ(kgp::kAnimationNone, kgp::LibraryAnimationType(settings));

    EXPECT_EQ(4, kgp::ShadowDepth(true, false, 32, 4));
    EXPECT_EQ(0, kgp::ShadowDepth(true, true, 32, 4));
    EXPECT_EQ(0, kgp::ShadowDepth(true, false, 8, 4));
    EXPECT_EQ(0, kgp::ShadowDepth(false, false, 32, 4));
}

TEST(PopupAnimationTest, MissedTicksMakeLargerStepsThatEndAtTheSameTime)
{
    EXPECT_EQ(1, kgp::AnimationSteps(15, 15));
    EXPECT_EQ(1, kgp::AnimationSteps(22, 15));
    EXPECT_EQ(2, kgp::AnimationSteps(23, 15));
    EXPECT_EQ(0, kgp::AnimationSteps(0, 15));
    EXPECT_EQ(45, kgp::AnimationSteps(45, 0));

    kgp::AnimationGeometry unfold;
    unfold.type = kgp::kAnimationUnfold;
    unfold.finalWidth = 200;
    unfold.finalHeight = 300;
    unfold.shadow = 4;
    unfold.columnWidth = 30;
    unfold.rowHeight = 20;
    const kgp::AnimationFrame first = kgp::FirstAnimationFrame(unfold);
    EXPECT_EQ(30, first.width);
    EXPECT_EQ(20, first.height);
    const auto ticksToEnd = [&](int stepsPerTick) {
        kgp::AnimationFrame frame = first;
        int ticks = 0;
        while (!frame.done && ticks < 100) {
            frame = kgp::NextAnimationFrame(unfold, frame, stepsPerTick);
            ++ticks;
        }
        EXPECT_EQ(204, frame.width);
        EXPECT_EQ(304, frame.height) << "finished: the whole menu with its shadow";
        return ticks * stepsPerTick;
    };
    EXPECT_EQ(15, ticksToEnd(1));
    EXPECT_EQ(15, ticksToEnd(3)) << "a slow machine ends after the same number of steps";
    EXPECT_EQ(15, ticksToEnd(5));

    kgp::AnimationGeometry slide = unfold;
    slide.type = kgp::kAnimationSlide;
    EXPECT_EQ(204, kgp::FirstAnimationFrame(slide).width) << "a slide shows the full width from the start";
    EXPECT_TRUE(kgp::FirstAnimationFrame(kgp::AnimationGeometry{}).done) << "no animation";
}

TEST(PopupAnimationTest, TheFadeEndsAndItsWeightStaysWithinAHundred)
{
    kgp::AnimationGeometry fade;
    fade.type = kgp::kAnimationFade;
    fade.finalWidth = 100;
    fade.finalHeight = 50;
    kgp::AnimationFrame frame = kgp::FirstAnimationFrame(fade);
    EXPECT_EQ(100, frame.width) << "a fade shows the full size at once";
    int ticks = 0;
    int highest = 0;
    while (!frame.done && ticks < 50) {
        frame = kgp::NextAnimationFrame(fade, frame, 1);
        highest = std::max(highest, frame.fade == 101 ? highest : frame.fade);
        ++ticks;
    }
    EXPECT_EQ(12, ticks);
    EXPECT_EQ(110, highest) << "the fade passes 100 before it ends";
    EXPECT_EQ(101, frame.fade);

    EXPECT_EQ(0, kgp::ScreenWeight(110)) << "clamped, not -10";
    EXPECT_EQ(100, kgp::ScreenWeight(-5));
    EXPECT_EQ(70, kgp::ScreenWeight(30));
    EXPECT_EQ(0x3F3F3Fu, kgp::BlendPixel(0x000000, 0xFFFFFF, 25));
    EXPECT_EQ(0x102030u, kgp::BlendPixel(0x102030, 0x102030, 50));
    EXPECT_EQ(0xABCDEFu, kgp::BlendPixel(0x123456, 0xABCDEF, 110)) << "past 100: the menu alone";
}

TEST(PopupAnimationTest, AnUnfoldingMenuShowsThePartOnTheSideItGrowsFrom)
{
    EXPECT_EQ((Box{0, 0, 50, 20}), kgp::AnimationSource(50, 20, 200, 100, true, true));
    EXPECT_EQ((Box{150, 0, 200, 20}), kgp::AnimationSource(50, 20, 200, 100, false, true));
    EXPECT_EQ((Box{0, 80, 50, 100}), kgp::AnimationSource(50, 20, 200, 100, true, false)) << "opened upwards";
    EXPECT_EQ((Box{0, 0, 200, 100}), kgp::AnimationSource(300, 200, 200, 100, false, false));
}

TEST(PopupBarRulesTest, TheMenuDelayIsKeptWithinBoundsAndTheCloseTimerNeverWraps)
{
    EXPECT_EQ(500, kgp::MenuShowDelayFrom(false, 0)) << "absent: the default";
    EXPECT_EQ(0, kgp::MenuShowDelayFrom(true, 0));
    EXPECT_EQ(0, kgp::MenuShowDelayFrom(true, -7)) << "negative values are clamped";
    EXPECT_EQ(5000, kgp::MenuShowDelayFrom(true, 9000));
    EXPECT_EQ(400, kgp::MenuShowDelayFrom(true, 400));
    EXPECT_EQ(0, kgp::CloseDelay(0)) << "not (0 - 1) ms";
    EXPECT_EQ(0, kgp::CloseDelay(1));
    EXPECT_EQ(399, kgp::CloseDelay(400));
    EXPECT_EQ(800, kgp::OpenDelay(400, 2));
}

TEST(PopupBarRulesTest, KeysStepOnceRoundAtMost)
{
    EXPECT_EQ(-1, kgp::NextSelectable({false, false, false}, 0, 1)) << "nothing to select: no endless loop";
    EXPECT_EQ(-1, kgp::NextSelectable({}, -1, 1));
    const std::vector<bool> items = {false, true, false, true};
    EXPECT_EQ(3, kgp::NextSelectable(items, 1, 1));
    EXPECT_EQ(1, kgp::NextSelectable(items, 3, 1)) << "wraps to the first";
    EXPECT_EQ(3, kgp::NextSelectable(items, 1, -1)) << "wraps to the last";
    EXPECT_EQ(1, kgp::NextSelectable({false, true}, 1, 1)) << "the only one stays";
    EXPECT_EQ(1, kgp::FirstSelectable(items));
    EXPECT_EQ(3, kgp::LastSelectable(items));

    EXPECT_EQ(9, kgp::NextMatch({2, 5, 9}, 5));
    EXPECT_EQ(2, kgp::NextMatch({2, 5, 9}, 9));
    EXPECT_EQ(2, kgp::NextMatch({2, 5, 9}, -1));
    EXPECT_EQ(-1, kgp::NextMatch({}, 3));
}

TEST(PopupBarRulesTest, ItemsGoDownTheirColumns)
{
    std::vector<kgp::MenuItem> items(5);
    items[0] = {100, 20, false, false};
    items[1] = {0, 0, true, false};
    items[2] = {120, 20, false, false};
    items[3] = {80, 20, false, true};
    items[4] = {90, 20, false, false};
    const kgp::MenuColumns columns = kgp::MeasureColumns(items, false);
    EXPECT_EQ((std::vector<int>{120, 90}), columns.widths);
    EXPECT_EQ(211, columns.width);
    EXPECT_EQ(48, columns.height);
    const kgp::MenuColumns customizing = kgp::MeasureColumns(items, true);
    EXPECT_EQ(120, customizing.width) << "one column while customising";
    EXPECT_EQ(88, customizing.height);

    kgp::MenuPlaceInput in;
    in.clientWidth = 211;
    in.rowHeight = 20;
    in.firstRow = 1;
    in.columnWidths = columns.widths;
    in.separatorInsetLeft = 10;
    in.separatorInsetRight = 9;
    const std::vector<Box> boxes = kgp::PlaceMenuItems(items, in);
    ASSERT_EQ(5u, boxes.size());
    EXPECT_EQ((Box{0, -19, 120, 1}), boxes[0]) << "one row scrolled away";
    EXPECT_EQ((Box{10, 1, 111, 9}), boxes[1]);
    EXPECT_EQ((Box{0, 9, 120, 29}), boxes[2]);
    EXPECT_EQ((Box{121, -19, 211, 1}), boxes[3]) << "the next column, back at the top";
    EXPECT_EQ((Box{121, 1, 211, 21}), boxes[4]);
}

TEST(PopupBarRulesTest, APalettesItemsFillItsRowsInCellsOfTheLargestItem)
{
    std::vector<kgp::MenuItem> items(6);
    items[0] = {30, 20, false, false};
    items[1] = {40, 16, false, false};
    items[2] = {0, 0, true, false};
    items[3] = {20, 24, false, false};
    items[4] = {30, 20, false, false};
    items[5] = {30, 20, false, false};
    const kgp::PaletteGrid grid = kgp::PlacePalette(items, 2, 5, 7);
    ASSERT_EQ(6u, grid.boxes.size());
    EXPECT_EQ(120, grid.width) << "five cells in two rows: three columns of 40";
    EXPECT_EQ(48, grid.height);
    EXPECT_EQ((Box{5, 7, 45, 31}), grid.boxes[0]);
    EXPECT_EQ((Box{45, 7, 85, 31}), grid.boxes[1]);
    EXPECT_TRUE(grid.boxes[2].IsEmpty()) << "a separator takes no cell";
    EXPECT_EQ((Box{85, 7, 125, 31}), grid.boxes[3]);
    EXPECT_EQ((Box{5, 31, 45, 55}), grid.boxes[4]) << "the second row";
    const kgp::PaletteGrid oneRow = kgp::PlacePalette(items, 0, 0, 0);
    EXPECT_EQ(200, oneRow.width) << "at least one row";
    EXPECT_EQ(24, oneRow.height);
    const kgp::PaletteGrid many = kgp::PlacePalette(items, 9, 0, 0);
    EXPECT_EQ(40, many.width) << "no more rows than cells: one column";
    EXPECT_EQ(5 * 24, many.height);
}

TEST(PopupBarRulesTest, AccessibilityAnswersAndCommandMessages)
{
    const kgp::Point2 left = kgp::PointFromLParam(0xFFFBFFF6u);
    EXPECT_EQ(-10, left.x) << "read signed";
    EXPECT_EQ(-5, left.y);
    const kgp::Point2 plain = kgp::PointFromLParam(0x00640032u);
    EXPECT_EQ(50, plain.x);
    EXPECT_EQ(100, plain.y);

    EXPECT_EQ(-1, kgp::ItemStateAnswer(3, 3, 0x40000)) << "the count itself is out of range";
    EXPECT_EQ(-1, kgp::ItemStateAnswer(-1, 3, 0x40000));
    EXPECT_EQ(0x40000, kgp::ItemStateAnswer(2, 3, 0x40000));

    EXPECT_EQ(kgp::CommandMessage::SysCommand, kgp::MessageForCommand(0xF000));
    EXPECT_EQ(kgp::CommandMessage::SysCommand, kgp::MessageForCommand(0xF1EF));
    EXPECT_EQ(kgp::CommandMessage::Command, kgp::MessageForCommand(0xF1F0));
    EXPECT_EQ(kgp::CommandMessage::None, kgp::MessageForCommand(0));
}

}  // namespace
