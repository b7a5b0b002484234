// Loads a translation table from arbitrary bytes (as a resource of that size), then reads
// every text, decodes the table into strings and reads every text again. Loading and
// reading must never crash or throw, the texts must be the same in both forms, and the
// texts together can never hold more characters than the resource has bytes.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/RuntimeFuzzing.h"
#include "src/kv/kv_Resources.h"
#include "src/kv/util/text/kv_util_text_Translation.h"

namespace {

using kv::util::text::Translation;

void check(bool condition) {
    if (!condition) std::abort();
}

std::vector<std::u16string> texts(const VMPtr<Translation>& table) {
    std::vector<std::u16string> all;
    for (int32_t id = 0; id < table->count; ++id) {
        VMPtr<java::lang::String> s = table->getText(id);
        all.emplace_back(s->chars(), size_t(s->length()));
    }
    return all;
}

}  // namespace

OSTREL_FUZZ_WITHOUT_PER_INPUT_LEAK_SCAN()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testRuntime();
    VMPtr<Translation::ByteArray> bytes = Translation::ByteArray::_VM_new(int32_t(size));
    for (size_t i = 0; i < size; ++i) bytes->elements()[i] = int8_t(data[i]);
    VMPtr<Translation> table = Translation::_VM_new();
    table->_VM_init();
    table->load(kv::Resources::createStream(bytes, 0, bytes->length), int32_t(size));
    const std::vector<std::u16string> before = texts(table);
    size_t characters = 0;
    for (const std::u16string& text : before) characters += text.size();
    check(characters <= size);
    table->decodeAll();
    check(texts(table) == before);
    checkHeapReturnsToItsBaseline();
    return 0;
}
