// The arithmetic of a progress bar as the standard progress messages define it:
// range, position kept inside the range, step and step-it with wrap-around.
// Plain C++ so that it can be checked on its own.
#pragma once

#include <cstdint>

struct ProgressModel {
    std::int32_t lower = 0;
    std::int32_t upper = 100;
    std::int32_t span = 100; // |upper - lower|, 1 when they are equal
    std::int32_t step = 10;
    std::int32_t position = 0;

    // Each returns what the matching message returns.
    void SetRange(std::int32_t newLower, std::int32_t newUpper); // position pulled into the range
    std::int32_t SetPos(std::int32_t newPosition);               // previous position
    std::int32_t DeltaPos(std::int32_t delta);                   // previous position
    std::int32_t SetStep(std::int32_t newStep);                  // previous step
    std::int32_t StepIt();                                       // previous position

    std::int32_t Low() const { return lower < upper ? lower : upper; }
    std::int32_t High() const { return lower < upper ? upper : lower; }
    std::int32_t Clamp(std::int64_t value) const;
    // The filled length of a bar of the given length in pixels.
    int FilledLength(int length) const;
};
