#pragma once

#include <cstdint>

#include "lib_src/vm/VMClassRegistry.h"
#include "lib_src/vm/VMHeap.h"
#include "lib_src/vm/VMLiterals.h"
#include "lib_src/vm/VMStartup.h"
#include "lib_src/vm/VMThread.h"

// Boots the runtime once per process for a test, without a boot class (start-up result 1
// after every phase up to the first collection): the test thread holds the VM lock and is
// the "System" thread.
inline VM* testRuntime(uint64_t initialLimit = 1 << 20, uint64_t ceiling = 256ull << 20) {
    static VM* vm = [&] {
        vmStartOnThisThread(initialLimit, ceiling, nullptr);
        return VM::instance();
    }();
    return vm;
}
