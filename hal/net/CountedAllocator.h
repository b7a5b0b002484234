#pragma once

// A standard allocator over counted blocks (HAL_malloc), so containers of the platform layer
// that hold network data count against the runtime's memory budget like every other native
// block. An allocation that cannot be had throws std::bad_alloc, as containers expect.

#include <cstddef>
#include <cstdint>
#include <new>

#include "hal/base/Memory.h"

template <typename T> struct CountedAllocator {
    using value_type = T;

    CountedAllocator() = default;
    template <typename U> CountedAllocator(const CountedAllocator<U>&) {}

    T* allocate(size_t count) {
        if (count > SIZE_MAX / sizeof(T)) throw std::bad_alloc();
        void* block = HAL_malloc(count * sizeof(T));
        if (block == nullptr) throw std::bad_alloc();
        return static_cast<T*>(block);
    }
    void deallocate(T* pointer, size_t) { HAL_free(pointer); }

    template <typename U> bool operator==(const CountedAllocator<U>&) const { return true; }
};
