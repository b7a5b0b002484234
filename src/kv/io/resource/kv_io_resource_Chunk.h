#pragma once

// kv::io::resource::Chunk: one tagged chunk of a chunked pack part held in memory: its id,
// its attribute word (kept, never interpreted) and its body. Chunk::read reads one chunk and
// picks its class by id; write serialises exactly id, body length, attribute and body, so a
// chunk read from bytes writes the same bytes back. A body length beyond the bytes the
// stream still holds fails before anything is allocated.

#include "pb_src/j2me/java_io_ByteArrayOutputStream.h"
#include "pb_src/j2me/java_io_DataInputStream.h"
#include "pb_src/j2me/java_io_DataOutputStream.h"
#include "pb_src/j2me/java_lang_String.h"

namespace kv::io::resource {

class Chunk : public virtual ::java::lang::Object {
    VM_CLASS(Chunk, ::java::lang::Object)
    using ByteArray = VMArray<int8_t, 1>;
    using DataInputStream = ::java::io::DataInputStream;
    using DataOutputStream = ::java::io::DataOutputStream;

    static constexpr int32_t MARKER = 0x25525025;
    static constexpr int32_t ID_VFSO = 0x5646534F;
    static constexpr int32_t ID_FSLM = 0x46534C4D;
    static constexpr int32_t ID_RPHE = 0x52504865;

    // Reads the length, the attribute and the body of a chunk whose id was already read.
    VMPtr<Chunk> _VM_init(int32_t chunkId, VMPtr<DataInputStream> in);
    // One chunk; IOException "Unknown RP chunk id '<text>'" for an id of no known chunk.
    static VMPtr<Chunk> read(VMPtr<DataInputStream> in);
    // The id's four bytes, least significant first, as text (ID_RPHE shows as "eHPR").
    static VMPtr<::java::lang::String> idToString(int32_t chunkId);

    virtual void write(VMPtr<DataOutputStream> dest);
    virtual bool isId(int32_t chunkId);
    // A copy of the body.
    virtual VMPtr<ByteArray> getData();
    virtual int32_t getLength();
    virtual void setAttribute(int32_t value);
    virtual VMPtr<ByteArray> toByteArray();
    // Appends to the body.
    virtual VMPtr<DataOutputStream> getOutputStream();
    virtual int32_t getAttribute();

    void _VM_mark(uint32_t flags) override {
        vmMarkField(body, flags);
        vmMarkField(out, flags);
    }

    int32_t attribute = 0;
    VMPtr<::java::io::ByteArrayOutputStream> body{vmField()};
    int32_t id = 0;
    VMPtr<DataOutputStream> out{vmField()};
};

}  // namespace kv::io::resource
