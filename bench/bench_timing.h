// What the timed benchmark programs share: the median time of a piece of work, and a GEOS context that stays
// quiet.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

// Median milliseconds of `runs` runs of work.
inline double medianMs(int runs, const std::function<void()>& work) {
    std::vector<double> ms;
    for (int r = 0; r < runs; ++r) {
        auto t0 = std::chrono::steady_clock::now();
        work();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// A message handler for GEOS that prints nothing.
inline void geosMessage(const char*, void*) {}
