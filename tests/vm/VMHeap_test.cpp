#include "hal/base/Memory.h"
#include "lib_src/vm/VMArray.h"
#include "tests/vm/TestRuntime.h"

namespace {

uint64_t used() { return _VM_heapState().used; }

TEST(Heap, BlocksAreCountedWithTheirHeaderAndFreedExactly) {
    testRuntime();
    const uint64_t before = used();
    void* empty = _VM_allocate(0, true);
    EXPECT_EQ(used(), before + kHeapBlockHeader) << "a request of 0 bytes is a header-only block";
    void* block = _VM_allocate(100, true);
    EXPECT_EQ(used(), before + kHeapBlockHeader + 116);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % 16, 0u);
    _VM_free(block);
    _VM_free(empty);
    _VM_free(nullptr);
    EXPECT_EQ(used(), before);
}

TEST(Heap, BlocksFromBeforeTheHeapWasManagedAreNotCounted) {
    VM* vm = new VM();
    VM::setInstance(vm);
    _VM_stopHeap();
    void* early = _VM_allocate(64, true);
    EXPECT_EQ(_VM_blockKind(early), HeapBlockKind::Unmanaged);
    _VM_initHeap(1 << 20, 8 << 20);
    const uint64_t before = used();
    _VM_free(early);
    EXPECT_EQ(used(), before);
    VM::setInstance(nullptr);
    delete vm;
}

TEST(Heap, TheLimitGrowsBetweenTheInitialLimitAndTheCeiling) {
    VM* vm = testRuntime(1 << 20, 8 << 20);
    EXPECT_EQ(_VM_totalMemory(), 8u << 20);
    // Fill close to the first limit, then ask for more: a collection raises the limit.
    VMPtr<VMArray<int8_t, 1>> a = VMArray<int8_t, 1>::_VM_new(900 << 10);
    const uint32_t collections = vm->collections;
    const uint64_t free = _VM_freeMemory();
    VMPtr<VMArray<int8_t, 1>> b = VMArray<int8_t, 1>::_VM_new(900 << 10);
    EXPECT_GT(vm->collections, collections);
    EXPECT_LE(_VM_freeMemory(), free - (900 << 10));
    const VMHeapState state = _VM_heapState();
    EXPECT_GE(state.limit, state.initialLimit);
    EXPECT_LE(state.limit, state.ceiling);
    EXPECT_GE(state.limit, HAL_getAllocatedBytes() + state.used);
}

TEST(Heap, WithTheLimitAtTheCeilingAnOversizedRequestThrowsOutOfMemory) {
    testRuntime(4 << 20, 4 << 20);
    EXPECT_THROW((VMArray<int8_t, 1>::_VM_new(5 << 20)), java::lang::OutOfMemoryError*);
    EXPECT_EQ(_VM_heapState().limit, 4u << 20);
}

TEST(Heap, ThreeCollectionsAreTriedBeforeOutOfMemory) {
    VM* vm = testRuntime(1 << 20, 2 << 20);
    VMPtr<VMArray<int8_t, 1>> live = VMArray<int8_t, 1>::_VM_new(1500 << 10);
    const uint32_t collections = vm->collections;
    EXPECT_THROW((VMArray<int8_t, 1>::_VM_new(600 << 10)), java::lang::OutOfMemoryError*);
    EXPECT_EQ(vm->collections, collections + 3);
    EXPECT_TRUE(vm->mainThread->oomFlag) << "set while the error was built";
    vm->collect();
    EXPECT_FALSE(vm->mainThread->oomFlag) << "every sweep clears it";
}

TEST(Heap, SizesBeyondTheHeaderAreOutOfMemoryNotAWrappedSize) {
    testRuntime();
    const uint64_t before = used();
    // 0x20000000 longs: 4 GiB, which 32-bit arithmetic would wrap to 0.
    EXPECT_THROW((VMArray<int64_t, 1>::_VM_new(0x20000000)), java::lang::OutOfMemoryError*);
    EXPECT_THROW((VMArray<int32_t, 1>::_VM_new(0x7FFFFFFF)), java::lang::OutOfMemoryError*);
    EXPECT_LT(used() - before, 4096u) << "only the error objects, no huge block";
}

TEST(Heap, FreeMemoryNeverWrapsBelowZero) {
    const uint64_t ceiling = HAL_getAllocatedBytes() + 1000;
    _VM_initHeap(ceiling, ceiling);
    void* native = HAL_malloc(5000);  // native bytes count against the same budget
    EXPECT_EQ(_VM_freeMemory(), 0u);
    HAL_free(native);
    EXPECT_EQ(_VM_freeMemory(), 1000u);
    _VM_stopHeap();
}

TEST(HeapDeathTest, RunningOutWithoutExceptionsIsFatal) {
    EXPECT_EXIT(
        {
            testRuntime(1 << 20, 1 << 20);
            _VM_allocate(2 << 20, false);
        },
        testing::ExitedWithCode(1), "Ran out of memory while exceptions are forbidden!");
}

}  // namespace

TEST(Heap, TheCollectorsPauseNeitherThrowsNorConsumesAPendingInterrupt) {
    VM* vm = testRuntime(1 << 20, 2 << 20);
    VMPtr<VMArray<int8_t, 1>> live = VMArray<int8_t, 1>::_VM_new(1500 << 10);
    vm->mainThread->interrupt();
    // Three rounds of collection, with the pause before the last, then the real outcome.
    EXPECT_THROW((VMArray<int8_t, 1>::_VM_new(600 << 10)), java::lang::OutOfMemoryError*);
    EXPECT_TRUE(vm->mainThread->interrupted) << "kept for the application's next sleep or wait";
}
