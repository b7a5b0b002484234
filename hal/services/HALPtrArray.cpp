#include "hal/services/HALPtrArray.h"

#include <cstring>
#include <new>

#include "hal/base/HALResult.h"
#include "hal/base/Memory.h"

namespace {

void** allocateEntries(int32_t capacity) {
    // A zero capacity still gets a block, so an array always has storage to free.
    return static_cast<void**>(HAL_malloc(size_t(capacity) * sizeof(void*)));
}

}  // namespace

HALPtrArray* HALPtrArray::create(int32_t capacity, double growthFactor) {
    if (capacity < 0) capacity = 0;
    void* record = HAL_malloc(sizeof(HALPtrArray));
    void** entries = allocateEntries(capacity);
    if (record == nullptr || entries == nullptr) {
        HAL_free(record);
        HAL_free(entries);
        return nullptr;
    }
    return new (record) HALPtrArray(capacity, growthFactor, entries);
}

void HALPtrArray::destroy(HALPtrArray* array) {
    if (array == nullptr) return;
    HAL_free(array->entries_);
    array->~HALPtrArray();
    HAL_free(array);
}

int HALPtrArray::append(void* entry) {
    if (count_ == capacity_) {
        if (count_ == INT32_MAX) return HAL_OUT_OF_MEMORY;
        const int32_t needed = count_ + 1;
        // Computed in double and clamped, so a large factor cannot overflow the count and a
        // factor below 1 (or not a number) still makes room for the new entry.
        const double grown = double(needed) * growthFactor_;
        int32_t newCapacity = needed;
        if (grown > double(needed)) newCapacity = grown >= double(INT32_MAX) ? INT32_MAX : int32_t(grown);
        void** entries = allocateEntries(newCapacity);
        if (entries == nullptr) return HAL_OUT_OF_MEMORY;
        if (count_ > 0) std::memcpy(entries, entries_, size_t(count_) * sizeof(void*));
        HAL_free(entries_);
        entries_ = entries;
        capacity_ = newCapacity;
    }
    entries_[count_++] = entry;
    return HAL_OK;
}

void* HALPtrArray::at(int32_t index) const {
    return index >= 0 && index < count_ ? entries_[index] : nullptr;
}

int32_t HALPtrArray::indexOf(const void* entry) const {
    for (int32_t i = 0; i < count_; ++i)
        if (entries_[i] == entry) return i;
    return -1;
}

bool HALPtrArray::removeAt(int32_t index) {
    if (index < 0 || index >= count_) return false;
    std::memmove(entries_ + index, entries_ + index + 1, size_t(count_ - index - 1) * sizeof(void*));
    --count_;
    return true;
}

bool HALPtrArray::remove(const void* entry) { return removeAt(indexOf(entry)); }
