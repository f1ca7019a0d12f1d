// The arithmetic of the status bar's transfer progress: begin with a range
// packed into the message parameters, step with wrap-around, end. Kept apart
// from the window so that it can be checked on its own.
#pragma once

#include <cstdint>

struct FrameProgress {
    std::int32_t lower = 0;
    std::int32_t upper = 0;
    std::int32_t span = 1;
    std::int32_t step = 1;
    std::int32_t position = 0;
    bool visible = false;

    // wParam / lParam of the begin message: the low 16 bits of each, signed.
    void Begin(std::uintptr_t wParam, std::intptr_t lParam);
    // Advances by the step; past the upper bound it wraps to lower + excess.
    void Step();
    void End();
};
