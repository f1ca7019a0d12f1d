#include "widgets/ProgressModel.h"

#include <algorithm>
#include <cstdlib>

std::int32_t ProgressModel::Clamp(std::int64_t value) const
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, Low(), High()));
}

void ProgressModel::SetRange(std::int32_t newLower, std::int32_t newUpper)
{
    lower = newLower;
    upper = newUpper;
    const std::int64_t difference = std::llabs(static_cast<std::int64_t>(upper) - lower);
    span = difference == 0 ? 1 : static_cast<std::int32_t>(std::min<std::int64_t>(difference, INT32_MAX));
    position = Clamp(position);
}

std::int32_t ProgressModel::SetPos(std::int32_t newPosition)
{
    const std::int32_t previous = position;
    position = Clamp(newPosition);
    return previous;
}

std::int32_t ProgressModel::DeltaPos(std::int32_t delta)
{
    const std::int32_t previous = position;
    position = Clamp(static_cast<std::int64_t>(position) + delta);
    return previous;
}

std::int32_t ProgressModel::SetStep(std::int32_t newStep)
{
    const std::int32_t previous = step;
    step = newStep;
    return previous;
}

std::int32_t ProgressModel::StepIt()
{
    const std::int32_t previous = position;
    const std::int64_t next = static_cast<std::int64_t>(position) + step;
    const std::int64_t low = Low();
    const std::int64_t high = High();
    const std::int64_t width = high - low;
    if (width == 0) {
        position = static_cast<std::int32_t>(low);
    } else if (next > high) {
        // Past the end the bar starts over, keeping the excess.
        position = static_cast<std::int32_t>(low + (next - low) % width);
    } else if (next < low) {
        position = static_cast<std::int32_t>(high - (low - next) % width);
    } else {
        position = static_cast<std::int32_t>(next);
    }
    return previous;
}

int ProgressModel::FilledLength(int length) const
{
    if (length <= 0) {
        return 0;
    }
    const std::int64_t width = static_cast<std::int64_t>(High()) - Low();
    if (width <= 0) {
        return 0;
    }
    const std::int64_t done = static_cast<std::int64_t>(position) - Low();
    return static_cast<int>(std::clamp<std::int64_t>(done * length / width, 0, length));
}
