#pragma once

#include <cstddef>
#include <cstdint>

// Native memory of the platform layer.
//
// A counted block is a 16-byte header (its first word holds the whole block's size: the
// caller's size + 16) followed by the caller's bytes, so callers get 16-byte aligned
// memory. The allocated-bytes counter is the sum of the whole sizes of all live counted
// blocks; the runtime counts it against its heap. The pixel-bytes counter is the part of it
// that holds pixels.

constexpr size_t kCountedBlockHeader = 16;
constexpr size_t kEmergencyReserveBytes = 65536;

// Allocates size bytes. On failure: with collectFirst, runs one collection of the runtime
// heap under the VM lock (its finalisers may free native memory) and tries again; with
// askShell, asks the system to free memory (no such service here: that step fails).
void* HAL_allocRaw(size_t size, int collectFirst, int askShell);

void* HAL_malloc(size_t size);
void HAL_free(void* pointer);
void* HAL_mallocCounted(size_t size);
void HAL_freeCounted(void* pointer);

uint64_t HAL_getAllocatedBytes();
uint64_t HAL_getPixelBytes();

// The runtime heap's block source: no header, no counting. Mode 1 (shortage) first gives
// up the emergency reserve.
void* HAL_allocWithRetry(size_t size, int mode);
void HAL_reserveMemory();
void HAL_releaseReserveMemory();
bool HAL_holdsReserveMemory();
void HAL_compactHeap();

void* _VM_platformAlloc(size_t size, int mode);
void _VM_platformFree(void* block);
uint64_t _VM_platformAllocatedBytes();
// Around each sweep of the runtime heap: emptied pages go back to the system at once, or
// after a short delay while sweeps follow each other closely (SweepDecommitPolicy.h); after
// the sweep, the allocator's unused pages are handed back.
void _VM_platformSweepBegins();
void _VM_platformCompact();
