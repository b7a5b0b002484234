#pragma once

// The count of managed allocations made so far. Linked in by ostrel_count_managed_allocations,
// which wraps the heap's two allocation entries so every managed allocation passes here.

#include <cstdint>

namespace bench {
extern uint64_t managedAllocations;
// Called on every managed allocation when set (a benchmark that wants to see where they come from).
extern void (*onManagedAllocation)();
}
