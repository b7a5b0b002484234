#pragma once

// Brings the runtime up for a benchmark the way the boot does, without a boot class: the
// calling thread holds the VM lock (blocking calls release it) and is the "System" thread.

#include <cstdint>

#include "lib_src/vm/VMStartup.h"
#include "lib_src/vm/VMThread.h"
#include "pb_src/j2me/java_lang_Thread.h"

inline VM* benchRuntime(uint64_t initialLimit = 16ull << 20, uint64_t ceiling = 512ull << 20) {
    vmStartOnThisThread(initialLimit, ceiling, nullptr);
    return VM::instance();
}
