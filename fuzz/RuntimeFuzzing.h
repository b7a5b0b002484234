#pragma once

// What every fuzz target over the managed runtime shares: the runtime booted once, no
// per-input leak scan (managed objects live until a collection takes them), and instead a
// collection every 256 inputs after which the heap must hold no more than a MiB beyond
// what it held after the first one (nothing of earlier inputs stays reachable).

#include <cstdint>
#include <cstdlib>

#include "fuzz/FuzzerFlags.h"
#include "lib_src/vm/VMHeap.h"
#include "tests/vm/TestRuntime.h"

#define OSTREL_FUZZ_WITHOUT_PER_INPUT_LEAK_SCAN()                    \
    extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {   \
        skipLeakChecksPerInput(argc, argv);                          \
        return 0;                                                    \
    }

// Called after each input.
inline void checkHeapReturnsToItsBaseline() {
    static VM* vm = testRuntime();
    static uint32_t runs = 0;
    if (++runs % 256 != 0) return;
    vm->collect();
    static const uint64_t baseline = _VM_heapState().used;
    if (_VM_heapState().used > baseline + (1u << 20)) std::abort();
}
