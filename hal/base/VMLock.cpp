#include "hal/base/VMLock.h"

#include <chrono>

#include "hal/base/FairRecursiveLock.h"
#include "hal/base/VMCallbacks.h"

FairRecursiveLock& HAL_vmLock() {
    // Created on first use and never destroyed: threads still parked in it at exit must
    // not find it gone.
    static FairRecursiveLock* lock = new FairRecursiveLock();
    return *lock;
}

void HAL_enterVMLock() { HAL_vmLock().enter(); }

void HAL_leaveVMLock() { HAL_vmLock().leave(); }

unsigned HAL_releaseVMLock() { return HAL_vmLock().releaseAll(); }

void HAL_restoreVMLock(unsigned depth) {
    if (depth == 0) return;
    HAL_vmLock().restore(depth);
    HAL_vmCallbacks().makeCurrent();
}

void HAL_yieldVMLock() {
    if (HAL_vmLock().yield()) HAL_vmCallbacks().makeCurrent();
}

void HAL_handOverVMLock() {
    constexpr std::chrono::microseconds kArrivalLimit{1000};
    if (HAL_vmLock().yieldToNextArrival(kArrivalLimit)) HAL_vmCallbacks().makeCurrent();
}

void HAL_yield() { HAL_yieldVMLock(); }

bool HAL_holdsVMLock() { return HAL_vmLock().isHeldByCurrentThread(); }
