#pragma once

// When the platform allocator hands emptied pages back to the system. At once keeps the
// resident memory low once a scene's garbage is swept. But a program that allocates and
// drops objects without pause fills the pages a sweep empties again within milliseconds, and
// each 4 KB handed back and taken again costs a page fault: for string building more than
// the allocations themselves. So during a run of sweeps (the program allocates without
// pause), emptied pages wait a short delay, in which the next allocations reuse them; outside
// a run they go back at once. A run begins with the third sweep in a row that begins soon
// after the previous sweep ended (a pair, such as the two of start-up, is none) and lasts
// until a sweep begins later than that.

#include <cstdint>

class SweepDecommitPolicy {
public:
    // A sweep that begins within this time of the previous sweep's end continues a series.
    static constexpr int64_t kRunGapMillis = 250;
    // The sweeps in a series from which on it is a run.
    static constexpr int32_t kRunSweeps = 3;
    // How long emptied pages wait for reuse during a run.
    static constexpr int32_t kRunDelayMillis = 25;

    // The delay in milliseconds (0: at once) from a sweep that begins at `nowMillis` until
    // the next sweep begins.
    int32_t sweepBegins(int64_t nowMillis);
    void sweepEnded(int64_t nowMillis);

private:
    int32_t series_ = 0;  // sweeps in the current series, 0 before the first
    int64_t lastEndMillis_ = 0;
};
