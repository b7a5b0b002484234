#include "hal/base/KeepAlive.h"

#include <algorithm>
#include <atomic>

namespace {

std::atomic<bool> keepAliveOn{false};
std::atomic<KeepAliveSink> keepAliveSink{nullptr};

}  // namespace

uint32_t HAL_keepAliveIntervalFor(const uint32_t* timeoutSeconds, size_t count) {
    uint32_t smallest = 0;
    for (size_t i = 0; i < count; ++i) {
        if (timeoutSeconds[i] != 0 && (smallest == 0 || timeoutSeconds[i] < smallest))
            smallest = timeoutSeconds[i];
    }
    const uint64_t interval = uint64_t(smallest) * 9000 / 10;
    if (interval == 0) return kDefaultKeepAliveInterval;
    return static_cast<uint32_t>(std::min<uint64_t>(interval, kDefaultKeepAliveInterval));
}

uint32_t HAL_getKeepAliveInterval() {
    static const uint32_t interval = HAL_keepAliveIntervalFor(nullptr, 0);
    return interval;
}

void HAL_setKeepAliveSink(KeepAliveSink sink) { keepAliveSink = sink; }

int HAL_setKeepAlive(int enable) {
    keepAliveOn = enable != 0;
    if (KeepAliveSink sink = keepAliveSink.load()) sink(enable != 0, HAL_getKeepAliveInterval());
    return 1;
}

bool HAL_isKeepAliveOn() { return keepAliveOn; }
