#pragma once
// The benchmark's timings: milliseconds since a timer started, and the
// median of a series of them.

#include <QElapsedTimer>

#include <algorithm>
#include <vector>

namespace benchtiming {

inline double elapsedMs(const QElapsedTimer& timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1.0e6;
}

inline double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace benchtiming
