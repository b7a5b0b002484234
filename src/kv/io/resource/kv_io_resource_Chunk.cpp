#include "src/kv/io/resource/kv_io_resource_Chunk.h"

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_io_IOException.h"
#include "src/kv/io/resource/kv_io_resource_ChunkVirtualFileSystemOrganization.h"
#include "src/kv/io/resource/PackInput.h"

namespace kv::io::resource {

using java::io::ByteArrayOutputStream;
using java::io::IOException;
using java::lang::String;

VM_DEFINE_CLASS(Chunk, "kv.io.resource.Chunk", "java.lang.Object", VM_NO_CLINIT)

VMPtr<Chunk> Chunk::_VM_init(int32_t chunkId, VMPtr<DataInputStream> in) {
    Object::_VM_init();
    body = ByteArrayOutputStream::_VM_new();
    body->_VM_init();
    out = DataOutputStream::_VM_new();
    out->_VM_init(body);
    attribute = 1;
    id = chunkId;
    const int32_t length = in->readInt();
    attribute = in->readInt();
    VMPtr<ByteArray> bytes = readExactly(in, length);
    out->write(bytes, 0, length);
    return this;
}

VMPtr<String> Chunk::idToString(int32_t chunkId) {
    VMPtr<ByteArray> bytes = ByteArray::_VM_new(4);
    for (int32_t i = 0; i < 4; ++i) bytes->elements()[i] = int8_t(chunkId >> (8 * i));
    VMPtr<String> text = String::_VM_new();
    return text->_VM_init(bytes);
}

VMPtr<Chunk> Chunk::read(VMPtr<DataInputStream> in) {
    const int32_t chunkId = in->readInt();
    if (chunkId == ID_VFSO) {
        VMPtr<ChunkVirtualFileSystemOrganization> directory = ChunkVirtualFileSystemOrganization::_VM_new();
        return directory->_VM_init(in);
    }
    if (chunkId != ID_RPHE && chunkId != ID_FSLM)
        vm::throwNew<IOException>(quoted("Unknown RP chunk id '", idToString(chunkId)));
    VMPtr<Chunk> chunk = _VM_new();
    return chunk->_VM_init(chunkId, in);
}

void Chunk::write(VMPtr<DataOutputStream> dest) {
    dest->writeInt(id);
    dest->writeInt(body->size());
    dest->writeInt(attribute);
    dest->write(body->toByteArray());
}

bool Chunk::isId(int32_t chunkId) { return id == chunkId; }

VMPtr<Chunk::ByteArray> Chunk::getData() { return body->toByteArray(); }

int32_t Chunk::getLength() { return body->size(); }

void Chunk::setAttribute(int32_t value) { attribute = value; }

VMPtr<Chunk::ByteArray> Chunk::toByteArray() {
    VMPtr<ByteArrayOutputStream> bytes = ByteArrayOutputStream::_VM_new();
    bytes->_VM_init();
    VMPtr<DataOutputStream> dest = DataOutputStream::_VM_new();
    dest->_VM_init(bytes);
    write(dest);
    return bytes->toByteArray();
}

VMPtr<Chunk::DataOutputStream> Chunk::getOutputStream() { return out; }

int32_t Chunk::getAttribute() { return attribute; }

}  // namespace kv::io::resource
