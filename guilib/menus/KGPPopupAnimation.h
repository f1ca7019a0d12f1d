// How a popup menu opens and casts its shadow: the animation a popup runs,
// the steps each timer tick covers, the size or fade each step reaches, the
// part of the finished picture an unfolding menu shows, the blend of a fading
// one, and the shadow's depth. No Windows header: tested as tables.
#pragma once

#include "guilib/toolbars/KGPToolBarMath.h"

namespace kgp {

enum PopupAnimation { kAnimationNone = 0, kAnimationUnfold = 1, kAnimationSlide = 2, kAnimationFade = 3,
                      kAnimationSystem = 999 };

// The animation the library runs at all: none on a remote display, none
// when it would be a fade on a display of 8 bits per pixel or fewer.
struct AnimationSettings {
    int type = kAnimationNone;       // the library's option (999: as the system)
    bool systemAnimation = false;    // the system animates menus
    bool systemFade = false;         // ... by fading them
    bool remoteSession = false;
    int bitsPerPixel = 32;
};
// The option as it stands after the display was looked at.
int LibraryAnimationType(const AnimationSettings& settings);
// The animation a new popup runs (none while the toolbars are customised).
int EffectiveAnimationType(const AnimationSettings& settings, bool customizing);

// The popup's shadow in pixels: the look's depth when the option is on,
// outside customisation mode, on a display of more than 8 bits per pixel.
constexpr int ShadowDepth(bool option, bool customizing, int bitsPerPixel, int lookDepth)
{
    return option && !customizing && bitsPerPixel > 8 ? lookDepth : 0;
}

// The steps a tick covers: the time since the last one over the period,
// rounded to the nearest whole step (a late tick makes larger steps).
int AnimationSteps(long elapsedMs, int periodMs);

// One opening animation: the size shown (shadow included) and the fade.
struct AnimationFrame {
    int width = 0, height = 0;
    int fade = 0;          // percent of the menu over the screen (fade only)
    bool done = false;
};
struct AnimationGeometry {
    int type = kAnimationNone;
    int finalWidth = 0, finalHeight = 0;  // the menu without its shadow
    int shadow = 0;
    int columnWidth = 0, rowHeight = 0;   // the steps of unfolding and sliding
};
// The first frame: one column by one row (unfold), the full width by one row
// (slide), the full size (fade).
AnimationFrame FirstAnimationFrame(const AnimationGeometry& geometry);
// The frame after so many steps: unfold grows by a column and a row a step,
// slide by a row, fade by 10 percent (past (steps x 5 + 50) x 2 it is
// finished). A finished frame shows the menu whole, shadow included.
AnimationFrame NextAnimationFrame(const AnimationGeometry& geometry, AnimationFrame frame, int steps);

// The part of the finished picture (fullWidth x fullHeight) an unfolding or
// sliding menu shows: from the top left, from the right edge when the
// horizontal anchor is off, from the bottom when the vertical one is.
Box AnimationSource(int shownWidth, int shownHeight, int fullWidth, int fullHeight, bool horizontalAnchor,
                    bool verticalAnchor);

// The weight in percent the screen keeps under a fading menu: 100 - fade,
// within 0..100 (the fade passes 100 before it is finished).
constexpr int ScreenWeight(int fadePercent)
{
    const int weight = 100 - fadePercent;
    return weight < 0 ? 0 : (weight > 100 ? 100 : weight);
}
// One pixel (0x00RRGGBB) of a fading menu over the screen.
std::uint32_t BlendPixel(std::uint32_t screen, std::uint32_t menu, int fadePercent);

}  // namespace kgp
