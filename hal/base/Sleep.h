#pragma once

#include <cstdint>

// Sleeps for the given milliseconds with the VM lock released, then takes the lock back at
// the same depth and calls slot 3. The sleep ends at once when another thread clears the
// caller's sleeping flag (notify or interrupt). 0 sleeps not at all but still lets waiting
// threads take the VM lock; 0xFFFFFFFF has no time limit.
void HAL_sleep(uint32_t milliseconds);
