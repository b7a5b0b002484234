#include "bench/ManagedAllocations.h"

namespace bench {
uint64_t managedAllocations = 0;
void (*onManagedAllocation)() = nullptr;
}

extern "C" {
void* __real__Z12_VM_allocatemb(uint64_t size, bool exceptionsAllowed);
void* __real__Z17_VM_allocateBytesm(uint64_t size);
void* __wrap__Z12_VM_allocatemb(uint64_t size, bool exceptionsAllowed) {
    ++bench::managedAllocations;
    if (bench::onManagedAllocation) bench::onManagedAllocation();
    return __real__Z12_VM_allocatemb(size, exceptionsAllowed);
}
void* __wrap__Z17_VM_allocateBytesm(uint64_t size) {
    ++bench::managedAllocations;
    if (bench::onManagedAllocation) bench::onManagedAllocation();
    return __real__Z17_VM_allocateBytesm(size);
}
}
