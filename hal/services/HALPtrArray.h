#pragma once

// A growable array of untyped pointers, in insertion order: the property lists, a screen
// buffer's graphics contexts, the open players, HTTP header groups. The array does not own
// what its entries point to. Its record and its storage are counted blocks (HAL_malloc).
//
// When an append needs more room, the capacity becomes the needed count times the growth
// factor (truncated, and never less than the needed count) and the entries move to new
// storage. Not synchronised: each owner says which lock guards its array.

#include <cstdint>

class HALPtrArray {
public:
    static constexpr int32_t kDefaultCapacity = 8;
    static constexpr double kDefaultGrowthFactor = 1.5;

    // An empty array; null when memory runs out. A negative capacity counts as 0.
    static HALPtrArray* create(int32_t capacity = kDefaultCapacity, double growthFactor = kDefaultGrowthFactor);
    // Frees the storage and the record (not the pointed-to items); nothing for null.
    static void destroy(HALPtrArray* array);

    HALPtrArray(const HALPtrArray&) = delete;
    HALPtrArray& operator=(const HALPtrArray&) = delete;

    // 0, or 5 (out of memory; the array is unchanged).
    int append(void* entry);
    // The entry at index; null outside 0 .. size() - 1.
    void* at(int32_t index) const;
    int32_t size() const { return count_; }
    int32_t capacity() const { return capacity_; }
    // Index of the first entry equal to the pointer, or -1.
    int32_t indexOf(const void* entry) const;
    // Removes one entry; the later ones move down one place. False outside the array.
    bool removeAt(int32_t index);
    // Removes the first entry equal to the pointer; false when there is none.
    bool remove(const void* entry);
    void clear() { count_ = 0; }

private:
    HALPtrArray(int32_t capacity, double growthFactor, void** entries)
        : entries_(entries), capacity_(capacity), growthFactor_(growthFactor) {}
    ~HALPtrArray() = default;

    void** entries_;
    int32_t count_ = 0;
    int32_t capacity_;
    double growthFactor_;
};
