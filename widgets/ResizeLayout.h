// Anchor arithmetic of the resizable layout: a control keeps its distance to
// a point of the window given in percent of the window size. Pure functions,
// so the layout can be checked without windows.
#pragma once

#include <windows.h>

// A point of the client area in percent of its width and height.
struct ResizeAnchor {
    int xPercent = 0;
    int yPercent = 0;
    bool none = false; // "no anchor": the control keeps its size
    friend bool operator==(const ResizeAnchor&, const ResizeAnchor&) = default;
};

inline constexpr ResizeAnchor ANCHOR_TOPLEFT{0, 0, false};
inline constexpr ResizeAnchor ANCHOR_TOPCENTER{50, 0, false};
inline constexpr ResizeAnchor ANCHOR_TOPRIGHT{100, 0, false};
inline constexpr ResizeAnchor ANCHOR_MIDDLELEFT{0, 50, false};
inline constexpr ResizeAnchor ANCHOR_MIDDLECENTER{50, 50, false};
inline constexpr ResizeAnchor ANCHOR_BOTTOMLEFT{0, 100, false};
inline constexpr ResizeAnchor ANCHOR_BOTTOMCENTER{50, 100, false};
inline constexpr ResizeAnchor ANCHOR_BOTTOMRIGHT{100, 100, false};
inline constexpr ResizeAnchor ANCHOR_NONE{0, 0, true};

// The general form; percentages outside 0..100 are clamped.
constexpr ResizeAnchor MakeAnchor(int xPercent, int yPercent)
{
    auto clamp = [](int v) { return v < 0 ? 0 : (v > 100 ? 100 : v); };
    return ResizeAnchor{clamp(xPercent), clamp(yPercent), false};
}

// The client size the layout works with: never below the minimum, so that
// controls laid out for the minimum size never overlap after shrinking.
SIZE ClampLayoutSize(SIZE client, SIZE minimum);

// Where a control goes when the client area changes from originalClient to
// client (both already clamped). The top-left corner follows topLeft; the
// bottom-right corner follows bottomRight, or keeps the original size when
// bottomRight is ANCHOR_NONE. A topLeft of ANCHOR_NONE leaves the control where
// it is.
RECT LayoutAnchoredRect(const RECT& original, SIZE originalClient, SIZE client, ResizeAnchor topLeft,
                        ResizeAnchor bottomRight);
