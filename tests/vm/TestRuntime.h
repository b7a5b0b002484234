#pragma once

#include <cstdint>

#include "hal/base/HALThread.h"
#include "hal/base/VMCallbacks.h"
#include "hal/base/VMLock.h"
#include "lib_src/vm/VM.h"
#include "lib_src/vm/VMClassRegistry.h"
#include "lib_src/vm/VMHeap.h"
#include "lib_src/vm/VMLiterals.h"
#include "lib_src/vm/VMThread.h"

// Boots the runtime once per process for a test, as the platform does, but without a boot
// class (start-up result 1 after every phase up to the first collection): the test thread
// holds the VM lock and is the "System" thread.
inline VM* testRuntime(uint64_t initialLimit = 1 << 20, uint64_t ceiling = 256ull << 20) {
    static VM* vm = [&] {
        HALThread* platformThread = nullptr;
        HAL_createMainThreadRecord(&platformThread);
        const VMCallbacks callbacks = VM::callbacks();
        HAL_setVMCallbacks(&callbacks);
        HAL_enterVMLock();
        HAL_vmCallbacks().initVM(initialLimit, ceiling, platformThread, nullptr, 0);
        return VM::instance();
    }();
    return vm;
}
