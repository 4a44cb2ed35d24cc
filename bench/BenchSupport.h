// Shared by the benchmarks: a clock and the summary of a run of timings.
#pragma once
#include <windows.h>

#include <algorithm>
#include <vector>

// The performance counter in seconds; only differences mean anything.
inline double SecondsNow()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / frequency;
}

inline double MillisecondsNow()
{
    return SecondsNow() * 1000.0;
}

// The best, the median and the worst of a run of timings (all 0 for none).
struct Spread
{
    double best;
    double median;
    double worst;
};

inline Spread SpreadOf(std::vector<double> samples)
{
    if (samples.empty())
        return {0, 0, 0};
    std::sort(samples.begin(), samples.end());
    return {samples.front(), samples[samples.size() / 2], samples.back()};
}
