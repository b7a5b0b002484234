#include "src/kv/io/resource/kv_io_resource_ResourcePackChunked.h"

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_io_EOFException.h"
#include "pb_src/j2me/java_io_IOException.h"
#include "pb_src/j2me/java_lang_Exception.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"
#include "src/kv/io/resource/PackInput.h"

namespace kv::io::resource {

using java::io::IOException;
using java::lang::Exception;
using java::lang::String;
using java::lang::StringBuffer;

VM_DEFINE_CLASS(ResourcePackChunked, "kv.io.resource.ResourcePackChunked", "kv.io.resource.ResourcePackExtension",
                VM_NO_CLINIT)

namespace {

constexpr int32_t kVersion = 4;

void closeStream(const VMPtr<java::io::DataInputStream>& in) {
    if (!in) return;
    try {
        in->close();
    } catch (Exception* caught) {
        VMPtr<Exception> ignored(caught);
    }
}

// prefix + "'" + expected + "'" + " instead of '" + found + "'".
VMPtr<String> mismatch(const char* prefix, const VMPtr<String>& expected, const VMPtr<String>& found) {
    VMPtr<StringBuffer> text = StringBuffer::_VM_new();
    text->_VM_init(prefix);
    text->append(expected)->append("' instead of '")->append(found)->append("'");
    return text->toString();
}

}  // namespace

bool ResourcePackChunked::isChunkedPart(int32_t part) {
    return part >= 1 && part <= 32 && ((0xFFEF >> (part - 1)) & 1) != 0;
}

void ResourcePackChunked::close() {
    directory = nullptr;
    ResourcePackExtension::close();
}

VMPtr<ResourcePack::DataInputStream> ResourcePackChunked::open(int32_t part) {
    chunks = nullptr;
    directory = nullptr;
    if (!isChunkedPart(part)) return ResourcePackExtension::open(part);
    VMPtr<DataInputStream> in;
    try {
        in = openRequired(getFileName(part, 0));
        readContainer(part, in);
    } catch (Exception* caught) {
        VMPtr<Exception> failure(caught);
        closeStream(in);
        chunks = nullptr;
        directory = nullptr;
        throwWrapped(failure.get());
    }
    closeStream(in);
    chunks = nullptr;
    return nullptr;
}

void ResourcePackChunked::readContainer(int32_t part, const VMPtr<DataInputStream>& in) {
    readHeader(in);
    readChunks(in);
    VMPtr<Chunk> table = getChunk(Chunk::ID_RPHE);
    withData = false;
    VMPtr<ByteArray> bytes = table->getData();
    close();
    parseTable(byteStream(bytes, 0, bytes->length));
    if (hasChunk(Chunk::ID_VFSO)) attachDirectory();
    else loadSplitData(part);
}

void ResourcePackChunked::readHeader(const VMPtr<DataInputStream>& in) {
    const int32_t marker = in->readInt();
    if (marker != Chunk::MARKER)
        vm::throwNew<IOException>(mismatch("Invalid chunked RP file marker, expecting '", chunkIdToString(Chunk::MARKER),
                                           chunkIdToString(marker)));
    const int32_t version = in->readUnsignedShort();
    if (version != kVersion)
        vm::throwNew<IOException>(mismatch("Invalid RP version, expecting '", String::valueOf(kVersion),
                                           String::valueOf(version)));
}

void ResourcePackChunked::readChunks(const VMPtr<DataInputStream>& in) {
    const int32_t count = in->readUnsignedShort();
    chunks = ChunkArray::_VM_new(count);
    for (int32_t i = 0; i < count; ++i) chunks->set(i, Chunk::read(in));
}

VMPtr<Chunk> ResourcePackChunked::findChunk(int32_t chunkId) {
    if (!chunks) return nullptr;
    for (int32_t i = 0; i < chunks->length; ++i) {
        VMPtr<Chunk> chunk(chunks->elements()[i]);
        if (chunk && chunk->isId(chunkId)) return chunk;
    }
    return nullptr;
}

VMPtr<Chunk> ResourcePackChunked::getChunk(int32_t chunkId) {
    VMPtr<Chunk> chunk = findChunk(chunkId);
    if (!chunk) vm::throwNew<IOException>(quoted("Missing RP chunk '", chunkIdToString(chunkId)));
    return chunk;
}

void ResourcePackChunked::attachDirectory() {
    held = false;
    VMPtr<Chunk> chunk = getChunk(Chunk::ID_VFSO);
    directory = VMPtr<ChunkVirtualFileSystemOrganization>(dynamic_cast<ChunkVirtualFileSystemOrganization*>(chunk.get()));
}

void ResourcePackChunked::loadSplitData(int32_t part) {
    VMPtr<ByteArray> list = getChunk(Chunk::ID_FSLM)->getData();
    VMPtr<DataInputStream> in = byteStream(list, 0, list->length);
    held = true;
    const int32_t total = in->readInt();
    const int32_t fileCount = in->readInt();
    if (fileCount < 0) vm::throwNew<IOException>(String::withNumber("Invalid RP split file count ", fileCount));
    // The list holds fewer sizes than it claims: it ends where its reading would.
    if (int64_t(fileCount) * 4 > list->length - 8) vm::throwNew<java::io::EOFException>();
    checkLength(total);
    VMPtr<IntArray> fileSizes = IntArray::_VM_new(fileCount);
    int64_t sum = 0;
    for (int32_t i = 0; i < fileCount; ++i) {
        const int32_t size = in->readInt();
        if (size < 0) vm::throwNew<IOException>(String::withNumber("Invalid RP split file size ", size));
        fileSizes->elements()[i] = size;
        sum += size;
    }
    // The files fill the block from its start; a shorter list leaves the tail zero, a longer
    // one would run past it. The entries must lie inside the block.
    if (sum > total) vm::throwNew<IOException>(String::withNumber("RP split files exceed their data block of ", total));
    int64_t entriesTotal = 0;
    for (int32_t i = 0; i < sizes->length; ++i) entriesTotal += sizes->elements()[i] < 0 ? INT64_MAX / 2 : sizes->elements()[i];
    if (entriesTotal > total) vm::throwNew<IOException>(String::withNumber("RP entries exceed their data block of ", total));
    VMPtr<ByteArray> block = ByteArray::_VM_new(total);
    int32_t offset = 0;
    for (int32_t i = 0; i < fileCount; ++i) {
        const int32_t size = fileSizes->elements()[i];
        VMPtr<DataInputStream> file = openRequired(getFileName(part, i + 1));
        try {
            file->readFully(block, offset, size);
        } catch (Exception* caught) {
            VMPtr<Exception> failure(caught);
            closeStream(file);
            failure->_VM_throw();
        }
        closeStream(file);
        offset += size;
    }
    data = block;
}

VMPtr<String> ResourcePackChunked::getFileName(int32_t id) {
    ensureLoaded(id);
    if (!directory) return ResourcePackExtension::getFileName(id);
    return ResourcePack::getFileName(currentPart, directory->getFile(id), directory->getExtension(id));
}

VMPtr<ResourcePack::DataInputStream> ResourcePackChunked::openEntry(int32_t index) {
    if (!directory) return ResourcePackExtension::openEntry(index);
    VMPtr<DataInputStream> in = openRequired(getFileName(index));
    try {
        const int32_t offset = directory->getOffset(index);
        if (offset < 0) vm::throwNew<IOException>(String::withNumber("Invalid RP entry offset ", offset));
        skipFully(in, offset);
    } catch (Exception* caught) {
        VMPtr<Exception> failure(caught);
        closeStream(in);
        failure->_VM_throw();
    }
    return in;
}

VMPtr<ResourcePack::Image> ResourcePackChunked::load(int32_t id, VMPtr<ByteArray> palette) {
    ensureLoaded(id);
    if (!palette && directory && directory->getOffset(id & 0x3FF) == 0) {
        VMPtr<String> name = getFileName(id);
        try {
            VMPtr<Image> image = Image::createImage(name);
            if (image) return image;
        } catch (Exception* caught) {
            VMPtr<Exception> failure(caught);
            throwWrapped(failure.get());
        }
    }
    return ResourcePackExtension::load(id, palette);
}

}  // namespace kv::io::resource
