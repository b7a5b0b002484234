#include "hal/base/Sleep.h"

#include "hal/base/HALThread.h"
#include "hal/base/VMLock.h"

void HAL_sleep(uint32_t milliseconds) {
    ThreadWaker& waker = HAL_currentThreadWaker();
    waker.arm();
    VMLockReleased released;
    if (milliseconds > 0) waker.sleep(milliseconds);
    else waker.wake();
}
