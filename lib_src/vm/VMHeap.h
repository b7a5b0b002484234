#pragma once

// The object heap. Every managed object, class record, array and runtime-owned native block
// is one platform allocation behind a 16-byte header (size and kind; the header keeps the
// caller's memory 16-byte aligned). The runtime only counts the blocks against a budget
// whose limit grows between the initial limit and the ceiling; the platform layer's native
// bytes count against the same budget.
//
// Unmanaged before _VM_initHeap and after _VM_stopHeap (no accounting, no collection);
// managed in between. When a request does not fit, the allocator collects up to three
// times, raising the limit after each, before it throws OutOfMemoryError. Only the thread
// holding the VM lock allocates or frees.

#include <cstddef>
#include <cstdint>

// Largest block the header describes (its size field keeps 30 bits).
constexpr uint64_t kMaxHeapBlock = (uint64_t(1) << 30) - 1;
constexpr size_t kHeapBlockHeader = 16;

enum class HeapBlockKind : uint32_t { Managed = 0, FromReserve = 1, Unmanaged = 2 };

void _VM_initHeap(uint64_t initialLimit, uint64_t ceiling);
void _VM_stopHeap();

// Returns a block of at least size bytes (not zeroed). When the heap cannot make room:
// OutOfMemoryError when exceptions are allowed and a thread exists, else a fatal exit.
void* _VM_allocate(uint64_t size, bool exceptionsAllowed);
void* _VM_allocateBytes(uint64_t size);
void _VM_free(void* block);
void _VM_delete(void* block);

uint64_t _VM_freeMemory();
uint64_t _VM_totalMemory();

struct VMHeapState {
    bool managed;
    uint64_t used;
    uint64_t initialLimit;
    uint64_t limit;
    uint64_t ceiling;
};
VMHeapState _VM_heapState();
HeapBlockKind _VM_blockKind(const void* block);
uint64_t _VM_blockSize(const void* block);
