// Reads arbitrary bytes as a response head and checks what every reading must give: the
// status line as an entry without a name, no more entries than lines, no LF in any
// name or value, named values without surrounding blanks, names without ':', a lookup of
// each name that finds the first entry of that name (ignoring case), and every string
// freed with the group.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "hal/base/HALString.h"
#include "hal/base/Memory.h"
#include "hal/net/HttpHeaderGroup.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

bool holds(const HALString* text, char16_t c) {
    for (uint32_t i = 0; text != nullptr && i < text->length(); ++i)
        if (text->chars()[i] == c) return true;
    return false;
}

bool isBlank(char16_t c) { return c == u' ' || c == u'\t'; }

size_t lineCount(const uint8_t* data, size_t size) {
    size_t lines = 1;
    for (size_t i = 0; i < size; ++i) lines += data[i] == '\n';
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const uint64_t before = HAL_getAllocatedBytes();
    {
        HttpHeaderGroup group(HttpHeaderGroup::kResponse);
        check(group.appendHead(reinterpret_cast<const char*>(data), size) == 0);
        check(size_t(group.size()) <= lineCount(data, size));
        if (group.size() > 0) check(group.at(0)->name == nullptr);
        for (int32_t i = 0; i < group.size(); ++i) {
            const HALHeader* entry = group.at(i);
            check(entry->group == HttpHeaderGroup::kResponse && entry->value != nullptr);
            check(!holds(entry->name, u'\n') && !holds(entry->value, u'\n'));
            if (entry->name == nullptr) continue;
            check(!holds(entry->name, u':'));
            const HALString* value = entry->value;
            const uint32_t length = value->length();
            check(length == 0 || (!isBlank(value->chars()[0]) && !isBlank(value->chars()[length - 1])));
            const HALHeader* found = group.find(entry->name->chars(), int32_t(entry->name->length()));
            check(found != nullptr);
            for (int32_t j = 0; group.at(j) != found; ++j) check(j < i);
        }
    }
    check(HAL_getAllocatedBytes() == before);
    return 0;
}
