#pragma once

#include <cstdint>

// The memory the runtime may use: the smaller of available physical and available virtual
// memory, capped at 64 MiB so that heap limits and collections behave as on a phone. The
// environment variable OSTREL_MEMORY_BUDGET (bytes) overrides the figure.

constexpr uint64_t kMemoryBudgetCap = 64ull * 1024 * 1024;
constexpr const char* kMemoryBudgetVariable = "OSTREL_MEMORY_BUDGET";

struct MemoryBudget {
    uint64_t first;   // budget / 10
    uint64_t second;  // budget / 10: the heap's first limit
    uint64_t rest;    // budget - budget / 10: the heap's ceiling
};

MemoryBudget HAL_splitMemoryBudget(uint64_t budget);
// The budget in bytes before it is split.
uint64_t HAL_getMemoryBudgetBytes();
void HAL_getMemoryBudget(uint64_t* first, uint64_t* second, uint64_t* rest);
