#pragma once

// Starts the runtime on the calling thread as the platform's boot does: the thread gets its
// platform record, the runtime's callback table is installed, the thread takes the VM lock
// (and keeps it while it runs managed code) and the runtime boots. Returns the start-up
// result (CALLBACK_OK, CALLBACK_INITIALIZATION_FAILED without a boot class, CALLBACK_UNCAUGHT_EXCEPTION).
// Used where no shell runs the boot: tests, benchmarks, fuzz targets.

#include <cstdint>

#include "hal/base/HALThread.h"
#include "hal/base/VMCallbacks.h"
#include "hal/base/VMLock.h"
#include "lib_src/vm/VM.h"

inline int vmStartOnThisThread(uint64_t initialLimit, uint64_t ceiling, const char* bootClassName) {
    HALThread* platformThread = HAL_getCurrentThread();
    if (platformThread == nullptr) HAL_createMainThreadRecord(&platformThread);
    const VMCallbacks callbacks = VM::callbacks();
    HAL_setVMCallbacks(&callbacks);
    HAL_enterVMLock();
    return HAL_vmCallbacks().initVM(initialLimit, ceiling, platformThread, bootClassName, 0);
}
