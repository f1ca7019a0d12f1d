#include "app/shell/FrameProgress.h"

#include <cstdlib>

namespace {
std::int32_t LowWordSigned(std::uintptr_t value)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFFu));
}
} // namespace

void FrameProgress::Begin(std::uintptr_t wParam, std::intptr_t lParam)
{
    visible = true;
    lower = LowWordSigned(wParam);
    upper = LowWordSigned(static_cast<std::uintptr_t>(lParam));
    span = lower == upper ? 1 : std::abs(upper - lower);
    // The start is the lower bound kept inside 0 .. upper.
    position = lower < 0 ? 0 : lower;
    if (position > upper)
        position = upper < 0 ? 0 : upper;
    step = 1;
}

void FrameProgress::Step()
{
    position += step;
    if (position > upper)
        position = lower + (position - upper);
}

void FrameProgress::End()
{
    visible = false;
    lower = 0;
    upper = 0;
    span = 1;
    position = 0;
}
