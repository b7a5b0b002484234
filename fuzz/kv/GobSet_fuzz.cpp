// Reads gob sets from arbitrary bytes against a fixed 16 x 8 sheet held as entry 0 of the
// pack. The reader must answer null or an array without crashing or throwing; every gob
// it returns has a picture of exactly its size when its size is positive and none
// otherwise, and paints, measures and collides under every transform.

#include <cstdint>
#include <cstdlib>

#include "fuzz/RuntimeFuzzing.h"
#include "src/kv/kv_Resources.h"
#include "tools/packwriter/GobSetEncoder.h"

namespace {

using kv::Gob;
using kv::Resources;

void check(bool condition) {
    if (!condition) std::abort();
}

void attachSheet() {
    static bool attached = false;
    if (attached) return;
    packwriter::Sheet sheet;
    sheet.width = 16;
    sheet.height = 8;
    sheet.argb.clear();
    for (uint32_t i = 0; i < 128; ++i) sheet.argb.push_back((i % 3 == 0 ? 0x80000000u : 0xFF000000u) | i * 0x020103u);
    const packwriter::Bytes pack = packwriter::table({{packwriter::encodeSheetPng(sheet), -3}});
    VMPtr<Resources::ByteArray> bytes = Resources::ByteArray::_VM_new(int32_t(pack.size()));
    for (size_t i = 0; i < pack.size(); ++i) bytes->elements()[i] = int8_t(pack[i]);
    check(Resources::attachStream(Resources::createStream(bytes, 0, bytes->length)) == 1);
    attached = true;
}

void exercise(Gob* gob, javax::microedition::lcdui::Graphics* g) {
    const bool hasPicture = gob->width > 0 && gob->height > 0;
    check(hasPicture == bool(gob->image));
    if (hasPicture) check(gob->image->getWidth() == gob->width && gob->image->getHeight() == gob->height);
    VMPtr<Gob::IntArray> rects = Gob::IntArray::_VM_new(5);
    for (int32_t flags = 0; flags < 8; ++flags) {
        gob->paint(g, 8, 8, flags);
        gob->getCollisionRects(flags, rects, -1);
        gob->collidesGob(0, 0, flags, gob, 1, 1, 7 - flags);
    }
}

}  // namespace

OSTREL_FUZZ_WITHOUT_PER_INPUT_LEAK_SCAN()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testRuntime();
    attachSheet();
    VMPtr<Resources::ByteArray> bytes = Resources::ByteArray::_VM_new(int32_t(size));
    for (size_t i = 0; i < size; ++i) bytes->elements()[i] = int8_t(data[i]);
    VMPtr<Gob::GobArray> gobs = Resources::readGobSet(1, nullptr, Resources::createStream(bytes, 0, bytes->length));
    if (gobs) {
        VMPtr<javax::microedition::lcdui::Graphics> g =
            javax::microedition::lcdui::Image::createImage(16, 16, false, 0)->getGraphics();
        for (int32_t i = 0; i < gobs->length; ++i) exercise(gobs->elements()[i], g.get());
    }
    checkHeapReturnsToItsBaseline();
    return 0;
}
