#include "src/kv/kv_Resources.h"

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_io_ByteArrayInputStream.h"
#include "pb_src/j2me/java_io_IOException.h"
#include "pb_src/j2me/java_lang_Exception.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "src/kv/io/resource/kv_io_resource_ResourcePackChunked.h"
#include "src/kv/io/resource/kv_io_resource_ResourcePackSaver.h"
#include "src/kv/io/resource/PackInput.h"
#include "src/kv/kv_AnimSet.h"
#include "src/kv/kv_KvCanvas.h"

namespace kv {

using java::io::IOException;
using java::lang::Exception;
using java::lang::String;
using kv::io::resource::ResourcePack;
using kv::io::resource::skipFully;

VM_DEFINE_CLASS(Resources, "kv.Resources", "java.lang.Object", &Resources::_VM_clinit)

VMPtr<ResourcePack> Resources::pack{VMStaticScope::instance()};
int32_t Resources::paletteOffset = 0;

namespace {

constexpr int32_t kPngSignatureBytes = 8;
constexpr int32_t kPlte = 0x504C5445;
constexpr int32_t kIend = 0x49454E44;
constexpr int32_t kTrns = 0x74524E53;
constexpr int32_t kMaxPaletteBytes = 256 * 3;
constexpr int32_t kBmpHeaderBytes = 54;
constexpr int32_t kBmpPaletteBytes = 256 * 4;

}  // namespace

void Resources::_VM_clinit() {
    VMPtr<io::resource::ResourcePackChunked> chunked = io::resource::ResourcePackChunked::_VM_new();
    pack = chunked->_VM_init();
}

void Resources::ensureReady() { vm::ensureInitialized(_VM_getClass()); }

VMPtr<Resources::ByteArray> Resources::getData(int32_t id) {
    ensureReady();
    return pack->getData(id, true);
}

VMPtr<Resources::DataInputStream> Resources::getStream(int32_t id) {
    ensureReady();
    VMPtr<DataInputStream> stream = pack->getStream(id, true);
    if (stream->markSupported()) stream->mark(0);
    return stream;
}

int32_t Resources::getOffset(int32_t id) {
    ensureReady();
    return pack->getOffset(id);
}

int32_t Resources::getType(int32_t id) {
    ensureReady();
    return pack->getType(id);
}

int32_t Resources::getSize(int32_t id) {
    ensureReady();
    return pack->getSize(id);
}

VMPtr<Resources::ByteArray> Resources::getPackData(int32_t id) {
    ensureReady();
    return pack->getPackData(id, true);
}

int32_t Resources::attachStream(VMPtr<DataInputStream> s) {
    ensureReady();
    return pack->attach(s, false) ? 1 : 0;
}

void Resources::closePack() {
    ensureReady();
    pack->close();
}

VMPtr<Resources::ByteArray> Resources::save(VMPtr<ByteMatrix> entries, VMPtr<ByteArray> types) {
    return io::resource::ResourcePackSaver::save(entries, types);
}

VMPtr<Resources::Image> Resources::getImage(int32_t id) { return getImage(id, nullptr); }

VMPtr<Resources::Image> Resources::getImage(int32_t id, VMPtr<ByteArray> palette) {
    ensureReady();
    return pack->load(id, palette);
}

VMPtr<Resources::ByteArray> Resources::getPalette(int32_t id) { return readPaletteChunk(getStream(id)); }

int32_t Resources::getTransparentIndex(int32_t id) { return findTransparentIndex(getStream(id)); }

VMPtr<AnimSet> Resources::getAnimSet(int32_t id) {
    ensureReady();
    return AnimSet::read(id);
}

int32_t Resources::loadPackFromRecord(int32_t slot) {
    ensureReady();
    VMPtr<DataInputStream> stream;
    if (slot != -1 && KvCanvas::instance) {
        VMPtr<ByteArray> record = KvCanvas::instance->loadRecord(slot);
        if (record) stream = createStream(record, 0, record->length);
    }
    return attachStream(stream);
}

VMPtr<Resources::ByteArray> Resources::getImageAsBmp(int32_t id) {
    VMPtr<Image> image = getImage(id);
    const int32_t w = image->getWidth(), h = image->getHeight();
    VMPtr<KvCanvas::IntArray> palette = KvCanvas::IntArray::_VM_new(256);
    VMPtr<ByteArray> indices = KvCanvas::toIndexedPixels(image, palette);
    const int32_t pad = (4 - w % 4) % 4;
    const int32_t imageSize = (w + pad) * h;
    const int32_t fileSize = imageSize + kBmpPaletteBytes + kBmpHeaderBytes;
    VMPtr<ByteArray> file = ByteArray::_VM_new(fileSize);
    VMPtr<ByteArray> savedBuffer = KvCanvas::outputBuffer;
    const int32_t savedPosition = KvCanvas::outputPosition;
    KvCanvas::outputBuffer = file;
    KvCanvas::outputPosition = 0;
    KvCanvas::putShortLE(0x4D42);
    for (int32_t value : {fileSize, 0, kBmpPaletteBytes + kBmpHeaderBytes, 40, w, h}) KvCanvas::putIntLE(value);
    KvCanvas::putShortLE(1);
    KvCanvas::putShortLE(8);
    for (int32_t value : {0, imageSize, 0, 0, 256, 256}) KvCanvas::putIntLE(value);
    for (int32_t i = 0; i < 256; ++i) KvCanvas::putIntLE(palette->elements()[i] | int32_t(0xFF000000));
    for (int32_t y = h - 1; y >= 0; --y) {
        for (int32_t x = 0; x < w; ++x) KvCanvas::putByte(indices->elements()[y * w + x]);
        for (int32_t p = 0; p < pad; ++p) KvCanvas::putByte(0);
    }
    KvCanvas::outputBuffer = savedBuffer;
    KvCanvas::outputPosition = savedPosition;
    return file;
}

int32_t Resources::findPaletteChunk(VMPtr<DataInputStream> in) {
    ensureReady();
    skipFully(in, kPngSignatureBytes);
    int64_t offset = kPngSignatureBytes;
    int32_t length = in->readInt();
    int32_t type = in->readInt();
    offset += 8;
    while (type != kPlte) {
        if (type == kIend) return -1;
        skipFully(in, int64_t(length) + 4);
        offset += int64_t(length) + 4;
        length = in->readInt();
        type = in->readInt();
        offset += 8;
    }
    if (length < 0 || offset > INT32_MAX) vm::throwNew<IOException>(String::withNumber("Invalid PNG palette length ", length));
    paletteOffset = int32_t(offset);
    return length;
}

VMPtr<Resources::ByteArray> Resources::readPaletteChunk(VMPtr<DataInputStream> in) {
    VMPtr<ByteArray> palette;
    try {
        const int32_t n = findPaletteChunk(in);
        if (n < 0 || n > kMaxPaletteBytes) return nullptr;
        palette = ByteArray::_VM_new(n + 4);
        in->readFully(palette);
    } catch (Exception* caught) {
        VMPtr<Exception> failure(caught);
    }
    return palette;
}

int32_t Resources::findTransparentIndex(VMPtr<DataInputStream> in) {
    try {
        skipFully(in, 33);
        const int32_t paletteLength = in->readInt();
        skipFully(in, int64_t(paletteLength) + 8);
        const int32_t length = in->readInt();
        if (in->readInt() != kTrns) return -1;
        for (int32_t i = 0; i < length; ++i)
            if (in->readUnsignedByte() == 0) return i;
    } catch (Exception* caught) {
        VMPtr<Exception> failure(caught);
    }
    return -1;
}

VMPtr<Resources::Image> Resources::loadImage(VMPtr<ByteArray> data, int32_t offset, int32_t length) {
    return Image::createImage(data, offset, length);
}

VMPtr<Resources::DataInputStream> Resources::createStream(VMPtr<ByteArray> data, int32_t offset, int32_t length) {
    VMPtr<java::io::ByteArrayInputStream> bytes = java::io::ByteArrayInputStream::_VM_new();
    bytes->_VM_init(data, offset, length);
    VMPtr<DataInputStream> stream = DataInputStream::_VM_new();
    return stream->_VM_init(bytes);
}

void Resources::swapPalette(VMPtr<ByteArray> data, int32_t offset, VMPtr<ByteArray> palette) {
    if (!palette) return;
    int32_t length;
    try {
        if (offset < 0 || offset > data->length) return;
        length = findPaletteChunk(createStream(data, offset, data->length - offset));
    } catch (Exception* caught) {
        VMPtr<Exception> failure(caught);
        return;
    }
    if (length < 0) return;
    const int64_t start = int64_t(offset) + paletteOffset;
    if (palette->length != int64_t(length) + 4 || start + palette->length > data->length)
        vm::throwNew<java::lang::IllegalArgumentException>(
            String::withNumber("Palette does not match the PNG's palette chunk of length ", length));
    int8_t* target = data->elements() + start;
    int8_t* source = palette->elements();
    for (int32_t i = 0; i < palette->length; ++i) std::swap(target[i], source[i]);
}

}  // namespace kv
