#include "src/kv/kv_KvCanvas.h"

#include <algorithm>
#include <string>
#include <vector>

#include "lib_src/vm/VMException.h"
#include "pb_src/j2me/java_lang_ArrayIndexOutOfBoundsException.h"
#include "pb_src/j2me/java_lang_Exception.h"
#include "pb_src/j2me/java_lang_System.h"
#include "pb_src/j2me/javax_microedition_rms_RecordStore.h"
#include "pb_src/j2me/javax_microedition_rms_RecordStoreNotFoundException.h"
#include "src/kv/util/text/kv_util_text_RichFont.h"

namespace kv {

using java::lang::String;

VM_DEFINE_ABSTRACT_CLASS(KvCanvas, "kv.KvCanvas", "javax.microedition.lcdui.game.GameCanvas", VM_NO_CLINIT)

VMPtr<KvCanvas::ByteArray> KvCanvas::outputBuffer{VMStaticScope::instance()};
int32_t KvCanvas::outputPosition = 0;
VMPtr<KvCanvas::ByteArray> KvCanvas::entryData{VMStaticScope::instance()};
int32_t KvCanvas::entryOffset = 0;
VMPtr<KvCanvas> KvCanvas::instance{VMStaticScope::instance()};
VMPtr<util::text::RichFont> KvCanvas::defaultRichFont{VMStaticScope::instance()};

namespace {

bool isNearMagenta(int32_t argb) {
    const int32_t r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
    return r >= 0xF0 && g <= 0x0F && b >= 0xF0;
}

int32_t distance(int32_t a, int32_t b) {
    int32_t sum = 0;
    for (int32_t shift = 0; shift <= 16; shift += 8) {
        const int32_t d = ((a >> shift) & 0xFF) - ((b >> shift) & 0xFF);
        sum += d * d;
    }
    return sum;
}

// The index of the palette colour closest to colour (0 for an empty palette).
int32_t nearest(const int32_t* colours, int32_t used, int32_t colour) {
    int32_t best = 0;
    for (int32_t k = 1; k < used; ++k)
        if (distance(colours[k], colour) < distance(colours[best], colour)) best = k;
    return best;
}

}  // namespace

VMPtr<KvCanvas::Image> KvCanvas::createRGBImage(VMPtr<IntArray> argb, int32_t width, int32_t height, bool processAlpha) {
    return Image::createRGBImage(argb, width, height, processAlpha);
}

void KvCanvas::getRGB(VMPtr<Image> image, VMPtr<IntArray> argb, int32_t offset, int32_t scanlength, int32_t x,
                      int32_t y, int32_t width, int32_t height) {
    image->getRGB(argb, offset, scanlength, x, y, width, height);
}

bool KvCanvas::hasTranslucentPixel(VMPtr<IntArray> argb) {
    for (int32_t i = argb->length - 1; i >= 0; --i)
        if (uint32_t(argb->elements()[i]) >> 24 < 0xF0) return true;
    return false;
}

int32_t KvCanvas::getAlphaType(VMPtr<IntArray> argb, int32_t offset, int32_t scanlength, int32_t x, int32_t y,
                               int32_t width, int32_t height) {
    bool transparent = false;
    for (int32_t j = 0; j < height; ++j) {
        for (int32_t i = 0; i < width; ++i) {
            const uint32_t top = uint32_t(argb->at(offset + scanlength * (y + j) + x + i)) >> 28;
            if (top != 0xF && top != 0) return 3;
            if (top == 0) transparent = true;
        }
    }
    return transparent ? 2 : 1;
}

VMPtr<KvCanvas::ByteArray> KvCanvas::toIndexedPixels(VMPtr<Image> image, VMPtr<IntArray> palette) {
    const int32_t w = image->getWidth(), h = image->getHeight();
    VMPtr<IntArray> pixels = IntArray::_VM_new(w * h);
    image->getRGB(pixels, 0, w, 0, 0, w, h);
    const int32_t capacity = palette->length;
    int32_t* colours = palette->elements();
    int32_t used = 0;
    for (int32_t i = 0; i < w * h && capacity > 0; ++i) {
        if (isNearMagenta(pixels->elements()[i])) {
            colours[used++] = pixels->elements()[i] & 0xFFFFFF;
            break;
        }
    }
    VMPtr<ByteArray> indices = ByteArray::_VM_new(w * h);
    for (int32_t i = 0; i < w * h; ++i) {
        const int32_t colour = pixels->elements()[i] & 0xFFFFFF;
        int32_t index = -1;
        for (int32_t k = 0; k < used && index < 0; ++k)
            if (colours[k] == colour) index = k;
        if (index < 0 && used < capacity) {
            index = used;
            colours[used++] = colour;
        }
        if (index < 0) index = nearest(colours, used, colour);
        indices->elements()[i] = int8_t(index);
    }
    return indices;
}

void KvCanvas::put(int32_t value, int32_t count) {
    if (!outputBuffer || outputPosition < 0 || outputPosition > outputBuffer->length - count)
        vm::throwNew<java::lang::ArrayIndexOutOfBoundsException>(outputPosition);
    for (int32_t i = 0; i < count; ++i) outputBuffer->elements()[outputPosition++] = int8_t(value >> (8 * i));
}

void KvCanvas::putShortLE(int32_t value) { put(value, 2); }
void KvCanvas::putIntLE(int32_t value) { put(value, 4); }
void KvCanvas::putByte(int32_t value) { put(value, 1); }

void KvCanvas::appendNumber(VMPtr<java::lang::StringBuffer> sb, int32_t value, int32_t minDigits, int32_t at) {
    int64_t magnitude = value;
    if (magnitude < 0) {
        sb->insert(at++, u'-');
        magnitude = -magnitude;
    }
    std::string digits = std::to_string(magnitude);
    if (magnitude < 65536 && int32_t(digits.size()) < minDigits) digits.insert(0, size_t(minDigits) - digits.size(), '0');
    sb->insert(at, String::fromUtf8(digits.c_str()));
}

void KvCanvas::setEntry(VMPtr<ByteArray> data, int32_t offset) {
    entryData = data;
    entryOffset = offset;
}

VMPtr<KvCanvas::ByteArray> KvCanvas::loadRecord(int32_t slot) {
    using javax::microedition::rms::RecordStore;
    VMPtr<RecordStore> store;
    try {
        store = RecordStore::openRecordStore(String::valueOf(slot), false);
    } catch (javax::microedition::rms::RecordStoreNotFoundException* caught) {
        VMPtr<java::lang::Object> missing(caught);
        return nullptr;
    }
    VMPtr<IntArray> ids = store->getRecordIDs();
    std::vector<int32_t> order(ids->elements(), ids->elements() + ids->length);
    std::sort(order.begin(), order.end());
    int32_t total = 0;
    for (int32_t id : order) total += store->getRecordSize(id);
    VMPtr<ByteArray> joined = ByteArray::_VM_new(total);
    int32_t offset = 0;
    for (int32_t id : order) offset += store->getRecord(id, joined, offset);
    store->closeRecordStore();
    return joined;
}

VMPtr<util::text::RichFont> KvCanvas::getRichFont() {
    if (!defaultRichFont) {
        defaultRichFont = util::text::RichFont::_VM_new();
        defaultRichFont->_VM_init();
    }
    return defaultRichFont;
}

}  // namespace kv
