#include "src/kv/io/resource/kv_io_resource_ChunkVirtualFileSystemOrganization.h"

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_io_EOFException.h"
#include "pb_src/j2me/java_io_IOException.h"
#include "src/kv/io/resource/PackInput.h"

namespace kv::io::resource {

using java::lang::String;
using kv::util::IntHashtable;

VM_DEFINE_CLASS(ChunkVirtualFileSystemOrganization, "kv.io.resource.ChunkVirtualFileSystemOrganization",
                "kv.io.resource.Chunk", VM_NO_CLINIT)

VMPtr<IntHashtable> ChunkVirtualFileSystemOrganization::typeTable{VMStaticScope::instance()};

namespace {

struct TypeExtension {
    int32_t code;
    const char* extension;
};

constexpr TypeExtension kTypeExtensions[] = {
    {0, "mid"},   {1, "wav"},   {2, "mp3"},   {3, "amr"},  {4, "aac"},  {5, "au"},   {6, "qcp"},
    {7, "ott"},   {8, "jts"},   {9, "imy"},   {10, "mmf"}, {11, "cmx"}, {12, "adp"}, {14, "3gp"},
    {15, "3g2"},  {16, "263"},  {17, "264"},  {18, "mpg"}, {19, "mp4"}, {20, "rv"},  {21, "wmv"},
    {22, "mov"},  {23, "wbxml"}, {24, "gif"}, {25, "caf"}, {26, "ogg"}, {27, "wma"}, {28, "m4a"},
    {-1, "rp"},   {-3, "png"},  {-4, "jpg"},  {-6, "utf"}, {-7, "txt"}, {-12, "rp"},
};

constexpr int32_t kEntryBytes = 12;

}  // namespace

VMPtr<ChunkVirtualFileSystemOrganization> ChunkVirtualFileSystemOrganization::_VM_init(VMPtr<DataInputStream> in) {
    Chunk::_VM_init(ID_VFSO, in);
    VMPtr<ByteArray> bytes = getData();
    VMPtr<DataInputStream> parsed = byteStream(bytes, 0, bytes->length);
    header = parsed->readInt();
    const int32_t entryCount = parsed->readInt();
    if (entryCount < 0) vm::throwNew<java::io::IOException>(String::withNumber("Invalid RP directory count ", entryCount));
    // A body holding fewer entries than it claims ends where their reading would.
    if (int64_t(entryCount) * kEntryBytes > bytes->length - 8) vm::throwNew<java::io::EOFException>();
    count = entryCount;
    entries = IntArray::_VM_new(entryCount * 4);
    int32_t* slot = entries->elements();
    for (int32_t i = 0; i < entryCount; ++i, slot += 4) {
        slot[0] = parsed->readByte();
        parsed->readByte();
        slot[1] = parsed->readUnsignedShort();
        slot[2] = parsed->readInt();
        slot[3] = parsed->readInt();
    }
    return this;
}

VMPtr<IntHashtable> ChunkVirtualFileSystemOrganization::getTypeTable() {
    if (!typeTable) {
        VMPtr<IntHashtable> table = IntHashtable::_VM_new();
        table->_VM_init(128);
        for (const TypeExtension& row : kTypeExtensions) table->put(row.code, VMPtr<String>::fromLiteral(row.extension));
        typeTable = table;
    }
    return typeTable;
}

int32_t ChunkVirtualFileSystemOrganization::getFile(int32_t id) { return field(id, 1); }
int32_t ChunkVirtualFileSystemOrganization::getHeader() { return header; }
int32_t ChunkVirtualFileSystemOrganization::getCount() { return count; }
int32_t ChunkVirtualFileSystemOrganization::getTypeCode(int32_t id) { return field(id, 0); }
int32_t ChunkVirtualFileSystemOrganization::getValue(int32_t id) { return field(id, 3); }
int32_t ChunkVirtualFileSystemOrganization::getOffset(int32_t id) { return field(id, 2); }

VMPtr<String> ChunkVirtualFileSystemOrganization::getExtension(int32_t id) {
    VMPtr<java::lang::Object> extension = getTypeTable()->get(getTypeCode(id));
    if (!extension) return VMPtr<String>::fromLiteral("rp");
    return VMPtr<String>(dynamic_cast<String*>(extension.get()));
}

}  // namespace kv::io::resource
