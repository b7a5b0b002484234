#include "hal/base/Memory.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <malloc.h>

#include "hal/base/VMCallbacks.h"
#include "hal/base/VMLock.h"

namespace {

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
    std::free(block);
}

}  // namespace

void* HAL_allocRaw(size_t size, int collectFirst, int askShell) {
    void* block = std::malloc(size);
    if (block == nullptr && collectFirst) {
        HAL_enterVMLock();
        HAL_vmCallbacks().makeCurrent();
        HAL_vmCallbacks().collect();
        HAL_leaveVMLock();
        block = std::malloc(size);
    }
    if (block == nullptr && askShell && askShellToFreeMemory(size)) block = std::malloc(size);
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
    void* block = std::malloc(size);
    if (block == nullptr && askShellToFreeMemory(size)) block = std::malloc(size);
    return block;
}

void HAL_reserveMemory() {
    if (emergencyReserve.load() != nullptr) return;
    void* block = std::malloc(kEmergencyReserveBytes);
    void* expected = nullptr;
    if (!emergencyReserve.compare_exchange_strong(expected, block)) std::free(block);
}

void HAL_releaseReserveMemory() { std::free(emergencyReserve.exchange(nullptr)); }

bool HAL_holdsReserveMemory() { return emergencyReserve.load() != nullptr; }

void HAL_compactHeap() { malloc_trim(0); }

void* _VM_platformAlloc(size_t size, int mode) { return HAL_allocWithRetry(size, mode); }
void _VM_platformFree(void* block) { std::free(block); }
uint64_t _VM_platformAllocatedBytes() { return HAL_getAllocatedBytes(); }
void _VM_platformCompact() { HAL_compactHeap(); }
