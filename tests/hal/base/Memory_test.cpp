#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "hal/base/Memory.h"
#include "hal/base/MemoryBudget.h"
#include "hal/base/VMLock.h"
#include "tests/hal/base/TestCallbacks.h"

namespace {

TEST(Memory, CountedBlocksAddTheirWholeSizeAndAreAligned) {
    const uint64_t before = HAL_getAllocatedBytes();
    void* a = HAL_malloc(100);
    void* b = HAL_malloc(0);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(a) % 16, 0u);
    EXPECT_EQ(HAL_getAllocatedBytes(), before + 116 + 16);
    HAL_free(a);
    EXPECT_EQ(HAL_getAllocatedBytes(), before + 16);
    HAL_free(b);
    HAL_free(nullptr);
    EXPECT_EQ(HAL_getAllocatedBytes(), before);
    const uint64_t pixels = HAL_getPixelBytes();
    void* block = HAL_mallocCounted(1000);
    EXPECT_EQ(HAL_getAllocatedBytes(), before + 1016) << "pixel blocks count in both counters";
    EXPECT_EQ(HAL_getPixelBytes(), pixels + 1016);
    HAL_freeCounted(block);
    EXPECT_EQ(HAL_getPixelBytes(), pixels);
}

TEST(Memory, AFailedAllocationCollectsOnceUnderTheVMLockThenGivesUp) {
    CountingCallbacks callbacks;
    const uint64_t before = HAL_getAllocatedBytes();
    // Far more than any machine has: malloc fails (the sanitizer runs are told to return null).
    EXPECT_EQ(HAL_malloc(size_t(1) << 50), nullptr);
    EXPECT_EQ(CountingCallbacks::collectCalls, 1);
    EXPECT_EQ(CountingCallbacks::makeCurrentCalls, 1);
    EXPECT_EQ(HAL_getAllocatedBytes(), before);
    EXPECT_FALSE(HAL_holdsVMLock());
    EXPECT_EQ(HAL_malloc(SIZE_MAX - 8), nullptr) << "a size overflowing the header";
    EXPECT_EQ(CountingCallbacks::collectCalls, 1) << "fails without a collection";
}

TEST(Memory, RawBlocksCarryTheirSizeInTheFirstWord) {
    void* block = HAL_allocRaw(64, 0, 0);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(*static_cast<size_t*>(block), 64u);
    _VM_platformFree(block);
}

TEST(Memory, TheEmergencyReserveIsGivenUpInShortageMode) {
    HAL_reserveMemory();
    HAL_reserveMemory();  // once only
    EXPECT_TRUE(HAL_holdsReserveMemory());
    void* normal = _VM_platformAlloc(256, 0);
    EXPECT_TRUE(HAL_holdsReserveMemory());
    void* shortage = _VM_platformAlloc(256, 1);
    EXPECT_FALSE(HAL_holdsReserveMemory());
    ASSERT_NE(normal, nullptr);
    ASSERT_NE(shortage, nullptr);
    _VM_platformFree(normal);
    _VM_platformFree(shortage);
    HAL_releaseReserveMemory();  // safe when already released
}

TEST(MemoryBudget, SplitsATenthForTheFirstLimitAndTheRestForTheCeiling) {
    const MemoryBudget split = HAL_splitMemoryBudget(1000000);
    EXPECT_TRUE(split.first == 100000u && split.second == 100000u && split.rest == 900000u);
    // Budgets beyond 32 bits are computed without overflow.
    const MemoryBudget large = HAL_splitMemoryBudget(uint64_t(10) << 32);
    EXPECT_EQ(large.second, uint64_t(1) << 32);
    EXPECT_EQ(large.second + large.rest, uint64_t(10) << 32);
}

TEST(MemoryBudget, IsCappedAndCanBeOverridden) {
    unsetenv(kMemoryBudgetVariable);
    const uint64_t budget = HAL_getMemoryBudgetBytes();
    EXPECT_GT(budget, 0u);
    EXPECT_LE(budget, kMemoryBudgetCap);

    setenv(kMemoryBudgetVariable, "1000000", 1);
    uint64_t first, second, rest;
    HAL_getMemoryBudget(&first, &second, &rest);
    EXPECT_TRUE(second == 100000u && rest == 900000u);

    setenv(kMemoryBudgetVariable, "lots", 1);  // not a number: ignored
    EXPECT_EQ(HAL_getMemoryBudgetBytes(), budget);
    unsetenv(kMemoryBudgetVariable);
}

}  // namespace
