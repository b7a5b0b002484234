#pragma once

// kv::io::resource::ResourcePackChunked: the pack the system reads through. Parts 1-4 and
// 6-16 are chunked containers (/RP<part>part0.rp): the RPHe chunk holds the entry table,
// then either a VFSO directory places each entry in a file of its own (read on demand), or,
// without one, the FSLM list names split data files that are concatenated into one held
// block. Every other part is opened in table form by the base reader. A failure while
// opening a container, reading an entry file or decoding an image file raises a
// RuntimeException carrying the cause's text (format messages included), with nothing open.

#include "lib_src/vm/VMArray.h"
#include "src/kv/io/resource/kv_io_resource_Chunk.h"
#include "src/kv/io/resource/kv_io_resource_ChunkVirtualFileSystemOrganization.h"
#include "src/kv/io/resource/kv_io_resource_ResourcePackExtension.h"

namespace kv::io::resource {

class ResourcePackChunked : public ResourcePackExtension {
    VM_CLASS(ResourcePackChunked, ResourcePackExtension)
    using ChunkArray = VMArray<Chunk*, 1>;

    VMPtr<ResourcePackChunked> _VM_init() {
        ResourcePackExtension::_VM_init();
        return this;
    }

    // An entry stored as a whole image file (offset 0, no palette) is decoded from its file.
    VMPtr<Image> load(int32_t id, VMPtr<ByteArray> palette) override;
    using ResourcePackExtension::getFileName;
    // With a directory, the name of the file that holds the entry.
    VMPtr<String> getFileName(int32_t id) override;
    // Also drops the directory, so nothing of the previous part is read after a close or an
    // attach.
    void close() override;
    // Reads a chunked part whole and returns null; other parts open in table form.
    VMPtr<DataInputStream> open(int32_t part) override;
    // The first chunk with that id; IOException "Missing RP chunk '<id text>'" when none.
    virtual VMPtr<Chunk> getChunk(int32_t chunkId);

    // Whether part numbers a chunked container (1-4 and 6-16).
    static bool isChunkedPart(int32_t part);
    static VMPtr<String> chunkIdToString(int32_t chunkId) { return Chunk::idToString(chunkId); }

    void _VM_mark(uint32_t flags) override {
        ResourcePackExtension::_VM_mark(flags);
        vmMarkField(chunks, flags);
        vmMarkField(directory, flags);
    }

    VMPtr<ChunkArray> chunks{vmField()};
    VMPtr<ChunkVirtualFileSystemOrganization> directory{vmField()};

protected:
    VMPtr<DataInputStream> openEntry(int32_t index) override;

private:
    VMPtr<Chunk> findChunk(int32_t chunkId);
    bool hasChunk(int32_t chunkId) { return !findChunk(chunkId).isNull(); }
    void readHeader(const VMPtr<DataInputStream>& in);
    void readChunks(const VMPtr<DataInputStream>& in);
    void readContainer(int32_t part, const VMPtr<DataInputStream>& in);
    void loadSplitData(int32_t part);
    void attachDirectory();
};

}  // namespace kv::io::resource
