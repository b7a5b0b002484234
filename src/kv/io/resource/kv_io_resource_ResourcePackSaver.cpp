#include "src/kv/io/resource/kv_io_resource_ResourcePackSaver.h"

#include <cstring>

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "pb_src/j2me/java_lang_String.h"

namespace kv::io::resource {

using java::lang::IllegalArgumentException;
using java::lang::String;

VM_DEFINE_CLASS(ResourcePackSaver, "kv.io.resource.ResourcePackSaver", "java.lang.Object", VM_NO_CLINIT)

namespace {

[[noreturn]] void refuse(const char* why) { vm::throwNew<IllegalArgumentException>(VMPtr<String>::fromLiteral(why)); }

uint8_t* putInt(uint8_t* out, int32_t value) {
    for (int32_t shift = 24; shift >= 0; shift -= 8) *out++ = uint8_t(uint32_t(value) >> shift);
    return out;
}

}  // namespace

VMPtr<ResourcePackSaver::ByteArray> ResourcePackSaver::save(VMPtr<ByteMatrix> entries, VMPtr<ByteArray> types) {
    if (!entries || !types) refuse("Pack entries and types must not be null");
    const int32_t n = types->length;
    if (n > 0xFFFF) refuse("A pack holds at most 65535 entries");
    if (entries->length < n) refuse("Fewer pack entries than types");
    int64_t total = 0;
    for (int32_t i = 0; i < n; ++i) {
        ByteArray* entry = entries->rows()[i];
        if (entry == nullptr) refuse("A pack entry is null");
        total += entry->length;
    }
    const int64_t header = 5 * int64_t(n) + 7;
    if (header + total > INT32_MAX) refuse("Pack entries exceed 2^31 - 1 bytes");
    VMPtr<ByteArray> output = ByteArray::_VM_new(int32_t(header + total));
    uint8_t* out = reinterpret_cast<uint8_t*>(output->elements());
    *out++ = 0x41;
    *out++ = uint8_t(n >> 8);
    *out++ = uint8_t(n);
    for (int32_t i = 0; i < n; ++i) out = putInt(out, entries->rows()[i]->length);
    if (n > 0) std::memcpy(out, types->elements(), size_t(n));
    out = putInt(out + n, int32_t(total));
    for (int32_t i = 0; i < n; ++i) {
        ByteArray* entry = entries->rows()[i];
        if (entry->length > 0) std::memcpy(out, entry->elements(), size_t(entry->length));
        out += entry->length;
    }
    return output;
}

}  // namespace kv::io::resource
