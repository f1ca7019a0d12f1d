// The benchmarks' clock: the performance counter, read in ticks and turned
// into milliseconds.
#pragma once

#include <windows.h>

namespace keyloft_bench {

class Clock {
public:
    Clock() { ::QueryPerformanceFrequency(&m_frequency); }
    LONGLONG Now() const
    {
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        return now.QuadPart;
    }
    double Ms(LONGLONG ticks) const { return 1000.0 * static_cast<double>(ticks) / m_frequency.QuadPart; }

private:
    LARGE_INTEGER m_frequency;
};

}  // namespace keyloft_bench
