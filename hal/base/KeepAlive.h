#pragma once

#include <cstddef>
#include <cstdint>

// Keeping the device awake while the game runs. The interval is 90% of the smallest power
// or suspend timeout, at most 5000 ms, and 5000 ms when no timeout is known (there are no
// power timeouts to read on this platform). The window layer installs the sink that does
// the keeping awake (a timer on the main window); until then only the state is kept.

constexpr uint32_t kDefaultKeepAliveInterval = 5000;

// Timeouts in seconds; zeros are skipped.
uint32_t HAL_keepAliveIntervalFor(const uint32_t* timeoutSeconds, size_t count);
// The interval, computed at the first call and kept for the life of the process.
uint32_t HAL_getKeepAliveInterval();

using KeepAliveSink = void (*)(bool enabled, uint32_t intervalMilliseconds);
void HAL_setKeepAliveSink(KeepAliveSink sink);

// Turns keeping awake on or off; returns 1.
int HAL_setKeepAlive(int enable);
bool HAL_isKeepAliveOn();
