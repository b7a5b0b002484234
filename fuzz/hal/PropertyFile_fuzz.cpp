// Parses arbitrary bytes as a property file and checks what every parse must give: keys
// that are not empty, hold no ':' and no line end, and do not start a comment; values
// without line ends; both zero-terminated after their lengths; no more entries than lines;
// and a lookup of each parsed key finds the last entry of that key.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "hal/base/Memory.h"
#include "hal/services/HALPtrArray.h"
#include "hal/services/Properties.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

bool hasLineEnd(const char16_t* units, int32_t count) {
    for (int32_t i = 0; i < count; ++i)
        if (units[i] == u'\r' || units[i] == u'\n') return true;
    return false;
}

bool sameKey(const HALPropertyEntry* a, const HALPropertyEntry* b) {
    return a->keyLength == b->keyLength && std::memcmp(a->key, b->key, size_t(a->keyLength) * sizeof(char16_t)) == 0;
}

size_t lineCount(const uint8_t* data, size_t size) {
    size_t lines = 1;
    for (size_t i = 0; i < size; ++i)
        if (data[i] == '\n' || data[i] == '\r') ++lines;
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint64_t before = HAL_getAllocatedBytes();
    HALPtrArray* list = HALPtrArray::create();
    check(list != nullptr);
    check(HAL_readPropertyText(list, reinterpret_cast<const char*>(data), size) == 0);
    check(size_t(list->size()) <= lineCount(data, size));

    for (int32_t i = 0; i < list->size(); ++i) {
        const auto* entry = static_cast<const HALPropertyEntry*>(list->at(i));
        check(entry->keyLength > 0 && entry->valueLength >= 0);
        check(entry->key[0] != u'#');
        check(!hasLineEnd(entry->key, entry->keyLength));
        check(!hasLineEnd(entry->value, entry->valueLength));
        for (int32_t k = 0; k < entry->keyLength; ++k) check(entry->key[k] != u':');
        check(entry->key[entry->keyLength] == 0 && entry->value[entry->valueLength] == 0);

        const HALPropertyEntry* found = HAL_findPropertyIn(list, entry->key, entry->keyLength);
        check(found != nullptr && sameKey(found, entry));
        // The entry found is the last of its key.
        const int32_t at = list->indexOf(found);
        check(at >= i);
        for (int32_t j = at + 1; j < list->size(); ++j)
            check(!sameKey(static_cast<const HALPropertyEntry*>(list->at(j)), entry));
    }

    for (int32_t i = list->size() - 1; i >= 0; --i) HAL_free(list->at(i));
    HALPtrArray::destroy(list);
    check(HAL_getAllocatedBytes() == before);
    return 0;
}
