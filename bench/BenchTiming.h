#pragma once

// Timing helpers shared by the benchmarks: a step's wall time and the median of samples.

#include <algorithm>
#include <chrono>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double microsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

template <typename Step> double timedMicros(Step step) {
    const Clock::time_point start = Clock::now();
    step();
    return microsSince(start);
}

template <typename Step> double timedMillis(Step step) { return timedMicros(step) / 1000.0; }

// The middle sample (the upper one of an even count); 0 when there is none.
inline double median(std::vector<double> samples) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

}  // namespace bench
