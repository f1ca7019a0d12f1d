#include "guilib/menus/KGPPopupAnimation.h"

#include <algorithm>

namespace kgp {

int LibraryAnimationType(const AnimationSettings& settings)
{
    if (settings.remoteSession)
        return kAnimationNone;
    int type = settings.type;
    const bool fades = type == kAnimationFade || (type == kAnimationSystem && settings.systemAnimation && settings.systemFade);
    if (fades && settings.bitsPerPixel <= 8)
        type = kAnimationNone;
    return type;
}

int EffectiveAnimationType(const AnimationSettings& settings, bool customizing)
{
    if (customizing)
        return kAnimationNone;
    const int type = LibraryAnimationType(settings);
    if (type != kAnimationSystem)
        return type;
    if (!settings.systemAnimation)
        return kAnimationNone;
    return settings.systemFade ? kAnimationFade : kAnimationSlide;
}

int AnimationSteps(long elapsedMs, int periodMs)
{
    if (periodMs <= 0)
        periodMs = 1;
    if (elapsedMs <= 0)
        return 0;
    return static_cast<int>((elapsedMs + periodMs / 2) / periodMs);
}

AnimationFrame FirstAnimationFrame(const AnimationGeometry& geometry)
{
    AnimationFrame frame;
    frame.width = geometry.finalWidth + geometry.shadow;
    frame.height = geometry.finalHeight + geometry.shadow;
    switch (geometry.type) {
    case kAnimationUnfold:
        frame.width = std::min(frame.width, geometry.columnWidth);
        frame.height = std::min(frame.height, geometry.rowHeight);
        break;
    case kAnimationSlide:
        frame.height = std::min(frame.height, geometry.rowHeight);
        break;
    case kAnimationFade:
        break;
    default:
        frame.done = true;
        break;
    }
    return frame;
}

AnimationFrame NextAnimationFrame(const AnimationGeometry& geometry, AnimationFrame frame, int steps)
{
    if (frame.done)
        return frame;
    bool done = false;
    switch (geometry.type) {
    case kAnimationUnfold:
        frame.width += geometry.columnWidth * steps;
        frame.height += geometry.rowHeight * steps;
        done = frame.height - geometry.shadow >= geometry.finalHeight &&
               frame.width - geometry.shadow >= geometry.finalWidth;
        break;
    case kAnimationSlide:
        frame.height += geometry.rowHeight * steps;
        done = frame.height - geometry.shadow >= geometry.finalHeight;
        break;
    case kAnimationFade:
        frame.fade += 10;
        if (frame.fade > (steps * 5 + 50) * 2)
            frame.fade = 101;
        done = frame.fade == 101;  // it passes 100 first
        break;
    default:
        done = true;
        break;
    }
    if (done) {
        frame.width = geometry.finalWidth + geometry.shadow;
        frame.height = geometry.finalHeight + geometry.shadow;
        frame.done = true;
    }
    return frame;
}

Box AnimationSource(int shownWidth, int shownHeight, int fullWidth, int fullHeight, bool horizontalAnchor,
                    bool verticalAnchor)
{
    shownWidth = std::min(shownWidth, fullWidth);
    shownHeight = std::min(shownHeight, fullHeight);
    const int left = horizontalAnchor ? 0 : fullWidth - shownWidth;
    const int top = verticalAnchor ? 0 : fullHeight - shownHeight;
    return Box{left, top, left + shownWidth, top + shownHeight};
}

std::uint32_t BlendPixel(std::uint32_t screen, std::uint32_t menu, int fadePercent)
{
    const std::uint32_t weight = static_cast<std::uint32_t>(ScreenWeight(fadePercent));
    std::uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const std::uint32_t s = (screen >> shift) & 0xFF;
        const std::uint32_t m = (menu >> shift) & 0xFF;
        result |= ((s * weight + m * (100 - weight)) / 100) << shift;
    }
    return result;
}

}  // namespace kgp
