#include "lib_src/vm/VMHeap.h"

#include <algorithm>
#include <cstring>

#include "hal/base/FatalError.h"
#include "hal/base/Memory.h"
#include "lib_src/vm/VM.h"
#include "lib_src/vm/VMThread.h"
#include "pb_src/j2me/java_lang_OutOfMemoryError.h"

namespace {

struct BlockHeader {
    uint64_t size;  // whole block, header included
    HeapBlockKind kind;
    uint32_t unused;
};
static_assert(sizeof(BlockHeader) == kHeapBlockHeader);

VMHeapState heap{false, 0, 0, 0, 0};

BlockHeader* headerOf(const void* block) {
    return reinterpret_cast<BlockHeader*>(static_cast<unsigned char*>(const_cast<void*>(block)) - kHeapBlockHeader);
}

void* finish(void* raw, uint64_t need, HeapBlockKind kind) {
    auto* header = static_cast<BlockHeader*>(raw);
    header->size = need;
    header->kind = kind;
    header->unused = 0;
    if (kind != HeapBlockKind::Unmanaged) heap.used += need;
    return static_cast<unsigned char*>(raw) + kHeapBlockHeader;
}

// A header-only block gets one spare byte, so the address handed out stays inside it.
void* platformBlock(uint64_t need, int mode) { return _VM_platformAlloc(need == kHeapBlockHeader ? need + 1 : need, mode); }

uint64_t demand(uint64_t need) { return HAL_getAllocatedBytes() + heap.used + need; }

void raiseLimit(uint64_t need) { heap.limit = std::clamp(2 * demand(need), heap.initialLimit, heap.ceiling); }

// Between collections: let other threads run (they may drop references or free memory).
void pauseBetweenCollections(VMThread* thread, int rounds) {
    if (thread == nullptr) return;
    if (rounds == 2) VMThread::yield();
    else if (rounds == 3) VMThread::pause(10);
}

[[noreturn]] void outOfMemory(VMThread* thread, bool exceptionsAllowed) {
    if (!exceptionsAllowed || thread == nullptr) HAL_fatalError("Ran out of memory while exceptions are forbidden!");
    thread->oomFlag = true;
    VMPtr<java::lang::OutOfMemoryError> error = java::lang::OutOfMemoryError::_VM_new();
    error->_VM_init();
    error->_VM_throw();
    __builtin_unreachable();
}

}  // namespace

void _VM_initHeap(uint64_t initialLimit, uint64_t ceiling) {
    heap.used = 0;
    heap.initialLimit = heap.limit = initialLimit;
    heap.ceiling = std::max(ceiling, initialLimit);
    heap.managed = true;
}

void _VM_stopHeap() { heap.managed = false; }

namespace {

// platformTried: the fast path already asked the platform for this block once, in vain.
[[gnu::noinline]] void* allocateSlowly(uint64_t size, bool exceptionsAllowed, bool platformTried);

}  // namespace

// The common case first, with nothing to save: a managed heap with room below its limit and
// a platform block. Everything else (unmanaged, too large, a collection, the reserve) takes
// the whole road.
void* _VM_allocate(uint64_t size, bool exceptionsAllowed) {
    if (heap.managed && size <= kMaxHeapBlock - kHeapBlockHeader) [[likely]] {
        const uint64_t need = size + kHeapBlockHeader;
        if (need <= heap.ceiling && demand(need) <= heap.limit) {
            if (void* raw = platformBlock(need, 0)) [[likely]]
                return finish(raw, need, HeapBlockKind::Managed);
            return allocateSlowly(size, exceptionsAllowed, true);
        }
    }
    return allocateSlowly(size, exceptionsAllowed, false);
}

namespace {

void* allocateSlowly(uint64_t size, bool exceptionsAllowed, bool platformTried) {
    VM* vm = VM::instance();
    VMThread* thread = vm ? vm->currentThread : nullptr;
    if (size > kMaxHeapBlock - kHeapBlockHeader) {
        // Larger than any block the heap describes: no collection can help.
        if (heap.managed) outOfMemory(thread, exceptionsAllowed);
        HAL_fatalError("Ran out of memory during VM initialization!");
    }
    const uint64_t need = size + kHeapBlockHeader;

    if (!heap.managed) {
        void* raw = platformBlock(need, 0);
        if (raw == nullptr) HAL_fatalError("Ran out of memory during VM initialization!");
        return finish(raw, need, HeapBlockKind::Unmanaged);
    }
    if (need > heap.ceiling) outOfMemory(thread, exceptionsAllowed);

    for (int rounds = 0;; ) {
        if (demand(need) <= heap.limit && !(rounds == 0 && platformTried)) {
            if (void* raw = platformBlock(need, 0)) return finish(raw, need, HeapBlockKind::Managed);
        }
        if (thread != nullptr && thread->oomFlag) {
            // The OutOfMemoryError itself is being built: draw on the emergency reserve.
            void* raw = platformBlock(need, 1);
            if (raw == nullptr) HAL_fatalError("Ran out of memory while trying to report an out of memory condition!");
            return finish(raw, need, HeapBlockKind::FromReserve);
        }
        if (rounds == 3) outOfMemory(thread, exceptionsAllowed);
        if (vm) vm->collect();
        ++rounds;
        raiseLimit(need);
        pauseBetweenCollections(thread, rounds);
    }
}

}  // namespace

void* _VM_allocateBytes(uint64_t size) { return _VM_allocate(size, true); }

void _VM_free(void* block) {
    if (block == nullptr) return;
    BlockHeader* header = headerOf(block);
    if (header->kind != HeapBlockKind::Unmanaged) heap.used -= header->size;
    _VM_platformFree(header);
}

void _VM_delete(void* block) { _VM_free(block); }

uint64_t _VM_freeMemory() {
    const uint64_t taken = HAL_getAllocatedBytes() + heap.used;
    return heap.ceiling > taken ? heap.ceiling - taken : 0;
}

uint64_t _VM_totalMemory() { return heap.ceiling; }

VMHeapState _VM_heapState() { return heap; }

HeapBlockKind _VM_blockKind(const void* block) { return headerOf(block)->kind; }

uint64_t _VM_blockSize(const void* block) { return headerOf(block)->size; }
