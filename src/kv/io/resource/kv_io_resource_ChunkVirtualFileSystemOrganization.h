#pragma once

// kv::io::resource::ChunkVirtualFileSystemOrganization: the directory chunk of a chunked pack
// part, parsed when it is read: for each entry its type code (which names the file-name
// extension), the number of the file that holds it, its offset in that file and a kept
// per-entry value. A count that does not fit the body fails before anything is allocated.
// Lookups take an id's entry index (id & 0x3FF) and check it against the directory.

#include "lib_src/vm/VMArray.h"
#include "src/kv/io/resource/kv_io_resource_Chunk.h"
#include "src/kv/util/kv_util_IntHashtable.h"

namespace kv::io::resource {

class ChunkVirtualFileSystemOrganization : public Chunk {
    VM_CLASS(ChunkVirtualFileSystemOrganization, Chunk)
    using IntArray = VMArray<int32_t, 1>;
    using String = ::java::lang::String;

    // Reads the rest of a directory chunk after its id and parses the body.
    VMPtr<ChunkVirtualFileSystemOrganization> _VM_init(VMPtr<DataInputStream> in);

    virtual int32_t getFile(int32_t id);
    virtual int32_t getHeader();
    // The extension of the entry's type code, "rp" for a code without one.
    virtual VMPtr<String> getExtension(int32_t id);
    virtual int32_t getCount();
    virtual int32_t getTypeCode(int32_t id);
    virtual int32_t getValue(int32_t id);
    virtual int32_t getOffset(int32_t id);

    // The shared table from type code to extension, built on first use.
    static VMPtr<::kv::util::IntHashtable> getTypeTable();

    void _VM_mark(uint32_t flags) override {
        Chunk::_VM_mark(flags);
        vmMarkField(entries, flags);
    }

    int32_t count = 0;
    int32_t header = 0;
    // Per entry: type code, file number, offset, value.
    VMPtr<IntArray> entries{vmField()};

    static VMPtr<::kv::util::IntHashtable> typeTable;

private:
    int32_t field(int32_t id, int32_t which) { return entries->at((id & 0x3FF) * 4 + which); }
};

}  // namespace kv::io::resource
