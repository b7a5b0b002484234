// When emptied pages go back to the system: at once, except during a run of sweeps (the
// third and later of sweeps that each begin soon after the previous one ended), when they
// wait a short delay.

#include <gtest/gtest.h>

#include <vector>

#include "hal/base/SweepDecommitPolicy.h"

namespace {

struct Sweep {
    int64_t begins, ends;
};

// The delay each sweep of a series sets.
std::vector<int32_t> delaysOf(const std::vector<Sweep>& sweeps) {
    SweepDecommitPolicy policy;
    std::vector<int32_t> delays;
    for (const Sweep& sweep : sweeps) {
        delays.push_back(policy.sweepBegins(sweep.begins));
        policy.sweepEnded(sweep.ends);
    }
    return delays;
}

TEST(SweepDecommitPolicy, OnlyARunOfSweepsLetsPagesWait) {
    constexpr int32_t wait = SweepDecommitPolicy::kRunDelayMillis;
    constexpr int64_t gap = SweepDecommitPolicy::kRunGapMillis;
    struct Case {
        const char* what;
        std::vector<Sweep> sweeps;
        std::vector<int32_t> delays;
    } cases[] = {
        {"the first sweep", {{5000, 5004}}, {0}},
        {"a pair of close sweeps is no run", {{0, 4}, {10, 14}}, {0, 0}},
        {"a run from the third close sweep", {{0, 4}, {10, 14}, {20, 23}, {30, 33}}, {0, 0, wait, wait}},
        {"gaps just under the limit", {{0, 4}, {4 + gap - 1, 4 + gap}, {2 * gap + 3, 2 * gap + 9}}, {0, 0, wait}},
        {"a gap of the limit breaks the series", {{0, 4}, {10, 14}, {14 + gap, 20 + gap}}, {0, 0, 0}},
        {"measured from the previous end, not its beginning", {{0, 500}, {550, 560}, {600, 610}}, {0, 0, wait}},
        {"a pause ends the run", {{0, 4}, {10, 14}, {20, 24}, {2000, 2004}, {2010, 2014}, {2020, 2024}},
         {0, 0, wait, 0, 0, wait}},
    };
    for (const Case& c : cases) EXPECT_EQ(delaysOf(c.sweeps), c.delays) << c.what;
}

}  // namespace
