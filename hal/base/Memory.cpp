#include "hal/base/Memory.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>

#ifdef OSTREL_SYSTEM_MALLOC
#include <malloc.h>
#else
#include <mimalloc.h>
#endif

#include "hal/base/SweepDecommitPolicy.h"
#include "hal/base/VMCallbacks.h"
#include "hal/base/VMLock.h"

namespace {

// The platform allocator. mimalloc keeps small blocks of one size together in pages of
// their own, so the runtime's many small objects are allocated and freed quickly and lie
// close together, and its collect call hands unused pages back cheaply after each sweep.
// Sanitizer builds use the C library's allocator, which the sanitizers watch: a managed
// object used after the collector freed it is then reported.
#ifdef OSTREL_SYSTEM_MALLOC
void* platformMalloc(size_t size) { return std::malloc(size); }
void platformFree(void* block) { std::free(block); }
void platformCompact() { malloc_trim(0); }
void platformSweepBegins() {}
void platformSweepEnds() {}
#else
void* platformMalloc(size_t size) { return mi_malloc(size); }
void platformFree(void* block) { mi_free(block); }

// Pages left empty go back to the system at once rather than 25 ms later: only a later
// allocation in the same place returns pages that wait, and a scene's steady frames allocate
// nothing (waiting pages made about 15 MB more resident in a window after every scene). Pages
// wait only while sweeps follow each other closely (SweepDecommitPolicy.h).
// MIMALLOC_DECOMMIT_DELAY, when set, still decides alone.
const bool kDelayFromEnvironment = std::getenv("MIMALLOC_DECOMMIT_DELAY") != nullptr;
const bool kPromptDecommit = [] {
    mi_option_set_default(mi_option_decommit_delay, 0);
    return true;
}();
SweepDecommitPolicy sweepDecommit;  // sweeps run one at a time, under the VM lock

int64_t steadyMillis() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void setDecommitDelay(int32_t milliseconds) {
    if (!kDelayFromEnvironment) mi_option_set(mi_option_decommit_delay, milliseconds);
}

void platformCompact() { mi_collect(false); }
void platformSweepBegins() { setDecommitDelay(sweepDecommit.sweepBegins(steadyMillis())); }
void platformSweepEnds() { sweepDecommit.sweepEnded(steadyMillis()); }
#endif

std::atomic<uint64_t> allocatedBytes{0};
std::atomic<uint64_t> pixelBytes{0};
std::atomic<void*> emergencyReserve{nullptr};

// No system service frees memory by closing other applications here.
bool askShellToFreeMemory(size_t) { return false; }

void* countedAlloc(size_t size, bool pixels) {
    if (size > SIZE_MAX - kCountedBlockHeader) return nullptr;
    const size_t whole = size + kCountedBlockHeader;
    // A zero-byte request gets one spare byte, so the address handed out stays inside the block.
    auto* block = static_cast<unsigned char*>(HAL_allocRaw(size == 0 ? whole + 1 : whole, 1, 1));
    if (block == nullptr) return nullptr;
    std::memcpy(block, &whole, sizeof whole);
    allocatedBytes += whole;
    if (pixels) pixelBytes += whole;
    return block + kCountedBlockHeader;
}

void countedFree(void* pointer, bool pixels) {
    if (pointer == nullptr) return;
    auto* block = static_cast<unsigned char*>(pointer) - kCountedBlockHeader;
    size_t whole;
    std::memcpy(&whole, block, sizeof whole);
    allocatedBytes -= whole;
    if (pixels) pixelBytes -= whole;
    platformFree(block);
}

}  // namespace

void* HAL_allocRaw(size_t size, int collectFirst, int askShell) {
    void* block = platformMalloc(size);
    if (block == nullptr && collectFirst) {
        HAL_enterVMLock();
        HAL_vmCallbacks().makeCurrent();
        HAL_vmCallbacks().collect();
        HAL_leaveVMLock();
        block = platformMalloc(size);
    }
    if (block == nullptr && askShell && askShellToFreeMemory(size)) block = platformMalloc(size);
    if (block != nullptr && size >= sizeof(size_t)) std::memcpy(block, &size, sizeof size);
    return block;
}

void* HAL_malloc(size_t size) { return countedAlloc(size, false); }
void HAL_free(void* pointer) { countedFree(pointer, false); }
void* HAL_mallocCounted(size_t size) { return countedAlloc(size, true); }
void HAL_freeCounted(void* pointer) { countedFree(pointer, true); }

uint64_t HAL_getAllocatedBytes() { return allocatedBytes; }
uint64_t HAL_getPixelBytes() { return pixelBytes; }

void* HAL_allocWithRetry(size_t size, int mode) {
    if (mode == 1) HAL_releaseReserveMemory();
    void* block = platformMalloc(size);
    if (block == nullptr && askShellToFreeMemory(size)) block = platformMalloc(size);
    return block;
}

void HAL_reserveMemory() {
    if (emergencyReserve.load() != nullptr) return;
    void* block = platformMalloc(kEmergencyReserveBytes);
    void* expected = nullptr;
    if (!emergencyReserve.compare_exchange_strong(expected, block)) platformFree(block);
}

void HAL_releaseReserveMemory() { platformFree(emergencyReserve.exchange(nullptr)); }

bool HAL_holdsReserveMemory() { return emergencyReserve.load() != nullptr; }

void HAL_compactHeap() { platformCompact(); }

void* _VM_platformAlloc(size_t size, int mode) {
    // The runtime's every allocation: straight to the allocator unless that fails.
    if (mode == 0) {
        if (void* block = platformMalloc(size)) return block;
    }
    return HAL_allocWithRetry(size, mode);
}
void _VM_platformFree(void* block) { platformFree(block); }
uint64_t _VM_platformAllocatedBytes() { return HAL_getAllocatedBytes(); }
void _VM_platformSweepBegins() { platformSweepBegins(); }
void _VM_platformCompact() {
    HAL_compactHeap();
    platformSweepEnds();
}
