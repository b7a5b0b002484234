#pragma once

// kv::io::resource::ResourcePack: the reader of a resource pack in table form. It holds the
// entry table of the one open part (shared by all instances: currentPart is static) and
// switches parts when an id of another non-zero part is asked for; ids of part 0 address the
// open part. A part that fails to open (missing file, malformed table, any read failure)
// leaves nothing open and raises a RuntimeException carrying the cause's text; the next
// access tries again. Every accessor checks its entry index against the open table; an
// accessor with no part open throws IllegalStateException naming the part.

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_io_DataInputStream.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"
#include "pb_src/j2me/javax_microedition_lcdui_Image.h"

namespace kv::io::resource {

class ResourcePack : public virtual ::java::lang::Object {
    VM_CLASS(ResourcePack, ::java::lang::Object)
    using ByteArray = VMArray<int8_t, 1>;
    using IntArray = VMArray<int32_t, 1>;
    using DataInputStream = ::java::io::DataInputStream;
    using Image = ::javax::microedition::lcdui::Image;
    using String = ::java::lang::String;

    VMPtr<ResourcePack> _VM_init() {
        Object::_VM_init();
        return this;
    }
    static void _VM_clinit();

    // The entry decoded as an image; a palette is exchanged into the PNG for the decoding
    // and back afterwards, also when the decoding fails.
    virtual VMPtr<Image> load(int32_t id, VMPtr<ByteArray> palette);
    // Drops the open part (and the extension block); currentPart becomes -1.
    virtual void close();
    // A new array holding the entry's bytes.
    virtual VMPtr<ByteArray> getData(int32_t id, bool flag);
    // Null for a held part, else the name of the entry's file.
    virtual VMPtr<String> getFileName(int32_t id);
    // "/RP<part>[part<index>].<extension or rp>".
    virtual VMPtr<String> getFileName(int32_t part, int32_t index, VMPtr<String> extension);
    virtual VMPtr<String> getFileName(int32_t part, int32_t index);
    // Replaces the open part by the table read from in (part 0); false, with nothing open,
    // when the table cannot be read.
    virtual bool readTable(VMPtr<DataInputStream> in);
    // Makes the part of id the open one (see the class comment).
    virtual void ensureLoaded(int32_t id);
    // A stream over exactly the entry's bytes.
    virtual VMPtr<DataInputStream> getStream(int32_t id, bool flag);
    // Publishes the entry's pack data and offset in the framework canvas's entry fields and
    // returns its size.
    virtual int32_t selectEntry(int32_t id);
    // Fills buffer with the bytes of entry index of the open part, read from its own file;
    // RuntimeException with the cause's text when the file is missing or too short.
    virtual void readEntry(int32_t index, VMPtr<ByteArray> buffer);
    virtual int8_t getType(int32_t id);
    // The table-form file of the part, or null when it does not exist.
    virtual VMPtr<DataInputStream> open(int32_t part);
    // The named resource as a stream, or null.
    virtual VMPtr<DataInputStream> openStream(VMPtr<String> name);
    // The held data block itself, or a copy of the entry for a pack that is not held;
    // together with getOffset and getSize it delimits the entry.
    virtual VMPtr<ByteArray> getPackData(int32_t id, bool flag);
    virtual int32_t getSize(int32_t id);
    virtual int32_t getOffset(int32_t id);
    virtual void acceptName(VMPtr<String> name) {}
    virtual void clearExtension() {}
    virtual void readExtension(VMPtr<DataInputStream> in) {}

    // Loads a pack handed over as a stream (held, table and data unless keepMode); a null
    // stream closes the pack and gives false.
    bool attach(VMPtr<DataInputStream> in, bool keepMode);

    void _VM_mark(uint32_t flags) override {
        vmMarkField(types, flags);
        vmMarkField(sizes, flags);
        vmMarkField(data, flags);
    }

    VMPtr<ByteArray> types{vmField()};
    VMPtr<IntArray> sizes{vmField()};
    VMPtr<ByteArray> data{vmField()};
    bool held = false;
    bool withData = false;

    static int32_t currentPart;
    static VMPtr<::java::lang::StringBuffer> nameBuffer;

protected:
    // Reads the table (and the data block when withData) into the fields; throws on any
    // failure, refusing a block above the pack length ceiling before allocating it.
    void parseTable(const VMPtr<DataInputStream>& in);
    // The entry's bytes for a pack that is not held, read through openEntry.
    VMPtr<ByteArray> readEntryData(int32_t index);
    // A stream positioned at entry index of the open part (IOException when its file is missing).
    virtual VMPtr<DataInputStream> openEntry(int32_t index);
    // Throws IllegalStateException unless a table is open; checks the entry index.
    int32_t entryIndex(int32_t id);
    // Opens name, or throws IOException "Missing resource '<name>'".
    VMPtr<DataInputStream> openRequired(const VMPtr<String>& name);

private:
    void openPart(int32_t part);
};

}  // namespace kv::io::resource
