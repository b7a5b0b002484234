#include "src/kv/io/resource/kv_io_resource_ResourcePack.h"

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_io_EOFException.h"
#include "pb_src/j2me/java_io_IOException.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_Class.h"
#include "pb_src/j2me/java_lang_Exception.h"
#include "pb_src/j2me/java_lang_IllegalStateException.h"
#include "pb_src/j2me/java_lang_RuntimeException.h"
#include "pb_src/j2me/java_lang_System.h"
#include "src/kv/io/resource/PackInput.h"
#include "src/kv/kv_KvCanvas.h"
#include "src/kv/kv_Resources.h"

namespace kv::io::resource {

using java::io::IOException;
using java::lang::Exception;
using java::lang::String;
using java::lang::StringBuffer;
using java::lang::System;

VM_DEFINE_CLASS(ResourcePack, "kv.io.resource.ResourcePack", "java.lang.Object", &ResourcePack::_VM_clinit)

int32_t ResourcePack::currentPart = -1;
VMPtr<StringBuffer> ResourcePack::nameBuffer{VMStaticScope::instance()};

namespace {

void closeQuietly(const VMPtr<java::io::DataInputStream>& in) {
    if (!in) return;
    try {
        in->close();
    } catch (Exception* caught) {
        VMPtr<Exception> ignored(caught);
    }
}

// Entry sizes must be non-negative and fit, one after another, into length bytes.
void checkSizesFit(const VMPtr<VMArray<int32_t, 1>>& sizes, int64_t length) {
    int64_t sum = 0;
    for (int32_t i = 0; i < sizes->length; ++i) {
        if (sizes->elements()[i] < 0) vm::throwNew<IOException>(String::withNumber("Invalid RP entry size at ", i));
        sum += sizes->elements()[i];
    }
    if (sum > length) vm::throwNew<IOException>(String::withNumber("RP entries exceed their data block of ", length));
}

}  // namespace

void ResourcePack::_VM_clinit() {
    currentPart = -1;
    VMPtr<StringBuffer> buffer = StringBuffer::_VM_new();
    nameBuffer = buffer->_VM_init(8);
}

void ResourcePack::close() {
    types = nullptr;
    sizes = nullptr;
    data = nullptr;
    currentPart = -1;
    clearExtension();
}

void ResourcePack::parseTable(const VMPtr<DataInputStream>& in) {
    const int32_t flags = in->read();
    if (flags < 0) vm::throwNew<java::io::EOFException>();
    const int32_t width = ((flags & 1) + 1) * 2;
    const int32_t n = in->readUnsignedShort();
    VMPtr<ByteArray> raw = readExactly(in, n * width);
    VMPtr<IntArray> entrySizes = IntArray::_VM_new(n);
    const uint8_t* next = reinterpret_cast<const uint8_t*>(raw->elements());
    for (int32_t i = 0; i < n; ++i) {
        uint32_t size = 0;
        for (int32_t k = 0; k < width; ++k) size = (size << 8) | *next++;
        entrySizes->elements()[i] = int32_t(size);
    }
    VMPtr<ByteArray> entryTypes = readExactly(in, n);
    VMPtr<ByteArray> block;
    if (withData) {
        const int32_t total = in->readInt();
        block = readExactly(in, total);
        checkSizesFit(entrySizes, total);
    }
    sizes = entrySizes;
    types = entryTypes;
    data = block;
}

bool ResourcePack::readTable(VMPtr<DataInputStream> in) {
    close();
    currentPart = 0;
    try {
        parseTable(in);
        return true;
    } catch (Exception* caught) {
        VMPtr<Exception> failure(caught);
        close();
        return false;
    }
}

bool ResourcePack::attach(VMPtr<DataInputStream> in, bool keepMode) {
    if (!in) {
        close();
        return false;
    }
    if (!keepMode) {
        held = true;
        withData = true;
    }
    return readTable(in);
}

void ResourcePack::ensureLoaded(int32_t id) {
    const int32_t part = id >> 10;
    if (part == 0 || part == currentPart) return;
    close();
    if (part < 0) return;
    openPart(part);
}

// Opens the part; on any failure nothing stays open and the cause's text is raised as a
// RuntimeException (a RuntimeException of the opening itself passes unchanged).
void ResourcePack::openPart(int32_t part) {
    VMPtr<DataInputStream> in;
    try {
        in = open(part);
        if (in) {
            parseTable(in);
            closeQuietly(in);
        } else if (!sizes) {
            vm::throwNew<IOException>(quoted("Missing resource '", getFileName(part, -1)));
        }
    } catch (Exception* caught) {
        VMPtr<Exception> failure(caught);
        closeQuietly(in);
        close();
        if (failure->getClass() == java::lang::RuntimeException::_VM_getClass()) failure->_VM_throw();
        throwWrapped(failure.get());
    }
    currentPart = part;
}

int32_t ResourcePack::entryIndex(int32_t id) {
    ensureLoaded(id);
    if (!sizes) vm::throwNew<java::lang::IllegalStateException>(String::withNumber("No resource pack part open for part ", id >> 10));
    const int32_t index = id & 0x3FF;
    if (index >= sizes->length) vm::throwNew<java::lang::ArrayIndexOutOfBoundsException>(index);
    return index;
}

int32_t ResourcePack::getSize(int32_t id) {
    const int32_t index = entryIndex(id);
    return sizes->elements()[index];
}

int8_t ResourcePack::getType(int32_t id) {
    const int32_t index = entryIndex(id);
    return types->elements()[index];
}

int32_t ResourcePack::getOffset(int32_t id) {
    const int32_t index = entryIndex(id);
    if (!held) return 0;
    int32_t offset = 0;
    for (int32_t i = 0; i < index; ++i) offset += sizes->elements()[i];
    return offset;
}

VMPtr<ResourcePack::ByteArray> ResourcePack::getData(int32_t id, bool flag) {
    const int32_t index = entryIndex(id);
    if (!held) return readEntryData(index);
    const int32_t size = sizes->elements()[index];
    VMPtr<ByteArray> copy = ByteArray::_VM_new(size);
    System::arraycopy(data, getOffset(id), copy, 0, size);
    return copy;
}

VMPtr<ResourcePack::ByteArray> ResourcePack::getPackData(int32_t id, bool flag) {
    entryIndex(id);
    if (held) return data;
    return getData(id, flag);
}

VMPtr<ResourcePack::DataInputStream> ResourcePack::getStream(int32_t id, bool flag) {
    VMPtr<ByteArray> bytes = getPackData(id, flag);
    return kv::Resources::createStream(bytes, getOffset(id), getSize(id));
}

int32_t ResourcePack::selectEntry(int32_t id) {
    VMPtr<ByteArray> bytes = getPackData(id, true);
    const int32_t offset = getOffset(id);
    kv::KvCanvas::setEntry(bytes, offset);
    return getSize(id);
}

VMPtr<ResourcePack::Image> ResourcePack::load(int32_t id, VMPtr<ByteArray> palette) {
    VMPtr<ByteArray> bytes = getPackData(id, true);
    const int32_t offset = getOffset(id);
    const int32_t size = getSize(id);
    kv::Resources::swapPalette(bytes, offset, palette);
    VMPtr<Image> image;
    try {
        image = kv::Resources::loadImage(bytes, offset, size);
    } catch (...) {
        kv::Resources::swapPalette(bytes, offset, palette);
        throw;
    }
    kv::Resources::swapPalette(bytes, offset, palette);
    return image;
}

VMPtr<String> ResourcePack::getFileName(int32_t part, int32_t index, VMPtr<String> extension) {
    nameBuffer->setLength(0);
    nameBuffer->append("/RP")->append(part);
    if (index != -1) nameBuffer->append("part")->append(index);
    nameBuffer->append(u'.');
    if (extension) nameBuffer->append(extension);
    else nameBuffer->append("rp");
    VMPtr<String> name = String::_VM_new();
    return name->_VM_init(nameBuffer);
}

VMPtr<String> ResourcePack::getFileName(int32_t part, int32_t index) { return getFileName(part, index, nullptr); }

VMPtr<String> ResourcePack::getFileName(int32_t id) {
    if (held) return nullptr;
    return getFileName(id >> 10, id & 0x3FF);
}

VMPtr<ResourcePack::DataInputStream> ResourcePack::openStream(VMPtr<String> name) {
    VMPtr<java::io::InputStream> resource = getClass()->getResourceAsStream(name);
    if (!resource) return nullptr;
    VMPtr<DataInputStream> stream = DataInputStream::_VM_new();
    return stream->_VM_init(resource);
}

VMPtr<ResourcePack::DataInputStream> ResourcePack::openRequired(const VMPtr<String>& name) {
    VMPtr<DataInputStream> in = openStream(name);
    if (!in) vm::throwNew<IOException>(quoted("Missing resource '", name));
    return in;
}

VMPtr<ResourcePack::DataInputStream> ResourcePack::open(int32_t part) {
    held = true;
    withData = true;
    return openStream(getFileName(part, -1));
}

VMPtr<ResourcePack::DataInputStream> ResourcePack::openEntry(int32_t index) {
    return openRequired(getFileName(currentPart, index));
}

void ResourcePack::readEntry(int32_t index, VMPtr<ByteArray> buffer) {
    VMPtr<DataInputStream> in;
    try {
        in = openEntry(index);
        in->readFully(buffer);
    } catch (Exception* caught) {
        VMPtr<Exception> failure(caught);
        closeQuietly(in);
        throwWrapped(failure.get());
    }
    closeQuietly(in);
}

VMPtr<ResourcePack::ByteArray> ResourcePack::readEntryData(int32_t index) {
    const int32_t size = sizes->elements()[index];
    VMPtr<DataInputStream> in;
    VMPtr<ByteArray> bytes;
    try {
        checkLength(size);
        in = openEntry(index);
        bytes = readExactly(in, size);
    } catch (Exception* caught) {
        VMPtr<Exception> failure(caught);
        closeQuietly(in);
        throwWrapped(failure.get());
    }
    closeQuietly(in);
    return bytes;
}

}  // namespace kv::io::resource
