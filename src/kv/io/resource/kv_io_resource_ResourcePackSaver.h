#pragma once

// kv::io::resource::ResourcePackSaver: turns entries held in memory into the bytes of a
// held resource pack in table form (flags 0x41, 4-byte sizes, the data block after the
// table), exactly what the reader takes from an attached stream. The arguments are checked
// before anything is written: no part of a bad call is returned.

#include "lib_src/vm/VMArray.h"

namespace kv::io::resource {

class ResourcePackSaver : public virtual ::java::lang::Object {
    VM_CLASS(ResourcePackSaver, ::java::lang::Object)
    using ByteArray = VMArray<int8_t, 1>;
    using ByteMatrix = VMArray<int8_t, 2>;

    VMPtr<ResourcePackSaver> _VM_init() {
        Object::_VM_init();
        return this;
    }

    // Entry i is entries[i] with type types[i]. IllegalArgumentException for a null
    // argument, fewer entries than types, a null entry, more than 65535 entries or a total
    // beyond 2^31 - 1 bytes.
    static VMPtr<ByteArray> save(VMPtr<ByteMatrix> entries, VMPtr<ByteArray> types);
};

}  // namespace kv::io::resource
