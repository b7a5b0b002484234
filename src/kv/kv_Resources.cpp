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
int32_t Resources::gobImageId = 0;
VMPtr<Resources::BoolArray> Resources::gobFlags{VMStaticScope::instance()};
VMPtr<Resources::ByteArray> Resources::gobFieldWidths{VMStaticScope::instance()};
VMPtr<Resources::ShortArray> Resources::gobValues{VMStaticScope::instance()};

namespace {

constexpr int32_t kPngSignatureBytes = 8;
constexpr int32_t kPlte = 0x504C5445;
constexpr int32_t kIend = 0x49454E44;
constexpr int32_t kTrns = 0x74524E53;
constexpr int32_t kMaxPaletteBytes = 256 * 3;
constexpr int32_t kBmpHeaderBytes = 54;
constexpr int32_t kBmpPaletteBytes = 256 * 4;
constexpr int32_t kGobFields = 10;
constexpr int32_t kGobFlags = 20;
constexpr int32_t kAlphaBlockFlag = 18;
// Fields of each value group: offsets, picture rectangle, collision rectangle.
constexpr int32_t kGroupFields[3] = {2, 4, 4};
constexpr int32_t kFirstWidthBit = 5;

// One-byte values of the offsets and the collision position are signed, the others unsigned.
bool isSignedField(int32_t f) { return f == 0 || f == 1 || f == 6 || f == 7; }

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

VMPtr<util::text::Translation> Resources::getTranslation(int32_t id) {
    ensureReady();
    VMPtr<util::text::Translation> table = util::text::Translation::_VM_new();
    table->_VM_init();
    return table->load(getStream(id), getSize(id));
}

VMPtr<Gob::GobArray> Resources::getGobs(int32_t id) { return readGobs(id, nullptr); }

VMPtr<Gob::GobArray> Resources::readGobs(int32_t id, VMPtr<ByteArray> palette) {
    return readGobSet(id, palette, getStream(id));
}

VMPtr<Gob::GobArray> Resources::readGobSet(int32_t setId, VMPtr<ByteArray> palette, VMPtr<DataInputStream> in) {
    ensureReady();
    try {
        gobImageId = (in->readUnsignedShort() | (setId & 0xFC00)) & 0xFFFF;
        in->readByte();
        VMPtr<ByteArray> values = ByteArray::_VM_new(in->readShort() - 4);
        const int32_t mask = in->readUnsignedShort();
        const int32_t countWord = in->readUnsignedShort();
        in->readFully(values);
        if (!gobFlags) {
            gobFlags = BoolArray::_VM_new(kGobFlags);
            gobFieldWidths = ByteArray::_VM_new(kGobFields);
            gobValues = ShortArray::_VM_new(kGobFields);
        }
        for (int32_t k = 0; k < 4; ++k) gobFlags->elements()[16 + k] = (countWord >> (15 - k)) & 1;
        VMPtr<ByteArray> alphaTypes;
        if (gobFlags->elements()[kAlphaBlockFlag]) {
            alphaTypes = ByteArray::_VM_new(in->readShort() - 5);
            in->readInt();
            in->readByte();
            in->readFully(alphaTypes);
        }
        for (int32_t k = 0; k < 16; ++k) gobFlags->elements()[k] = ((mask >> k) & 1) == 0;
        setFieldWidths();
        return buildGobs(countWord & 0xFFF, values, alphaTypes, palette);
    } catch (Exception* caught) {
        VMPtr<Exception> failure(caught);
        Gob::imageData = nullptr;
    }
    return nullptr;
}

// Absent groups have width 0; each field of a present group takes the next width bit of
// the mask: clear for two bytes, set for one.
void Resources::setFieldWidths() {
    int8_t* widths = gobFieldWidths->elements();
    int32_t cursor = kFirstWidthBit, field = 0;
    for (int32_t g = 0; g < 3; ++g) {
        const bool present = gobFlags->elements()[g];
        for (int32_t k = 0; k < kGroupFields[g]; ++k, ++field) {
            widths[field] = present ? (gobFlags->elements()[cursor] ? 2 : 1) : 0;
            if (present) ++cursor;
        }
    }
}

VMPtr<Gob::GobArray> Resources::buildGobs(int32_t count, VMPtr<ByteArray> values, VMPtr<ByteArray> alphaTypes,
                                          VMPtr<ByteArray> palette) {
    const int8_t* widths = gobFieldWidths->elements();
    int32_t starts[kGobFields], end = 0;
    for (int32_t f = 0; f < kGobFields; ++f) {
        starts[f] = end;
        end += count * widths[f];
    }
    if (values->length < end || (alphaTypes && alphaTypes->length < (count + 3) / 4)) return nullptr;
    VMPtr<Gob::GobArray> gobs = Gob::GobArray::_VM_new(count);
    for (int32_t i = 0; i < count; ++i) {
        VMPtr<Gob> gob = Gob::_VM_new();
        gob->_VM_init();
        if (alphaTypes) gob->alphaType = int8_t((alphaTypes->elements()[i >> 2] >> ((i & 3) * 2)) & 3);
        gobs->set(i, gob);
    }
    Gob::assignImage(gobs, gobImageId, palette, nullptr);
    Gob::initImageTable(gobs);
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(values->elements());
    int16_t* v = gobValues->elements();
    for (int32_t i = 0; i < count; ++i) {
        for (int32_t f = 0; f < kGobFields; ++f) {
            const uint8_t* at = bytes + starts[f] + i * widths[f];
            if (widths[f] == 0) v[f] = 0;
            else if (widths[f] == 1) v[f] = isSignedField(f) ? int16_t(int8_t(at[0])) : int16_t(at[0]);
            else v[f] = int16_t((at[0] << 8) | at[1]);
        }
        gobs->elements()[i]->setFromDescriptor(gobValues);
    }
    Gob::loadImages(gobs);
    return gobs;
}

}  // namespace kv
