#include "hal/base/SweepDecommitPolicy.h"

int32_t SweepDecommitPolicy::sweepBegins(int64_t nowMillis) {
    const bool continues = series_ > 0 && nowMillis - lastEndMillis_ < kRunGapMillis;
    series_ = continues ? series_ + 1 : 1;
    return series_ >= kRunSweeps ? kRunDelayMillis : 0;
}

void SweepDecommitPolicy::sweepEnded(int64_t nowMillis) { lastEndMillis_ = nowMillis; }
