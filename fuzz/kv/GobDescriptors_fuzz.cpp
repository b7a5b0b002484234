// Cuts gobs out of a fixed 8x8 sheet from arbitrary descriptors, then asks every gob for
// its edges, boxes and rectangle records under all eight transforms, paints it plainly,
// trimmed and as an alpha image, and tests every pair for collisions. A descriptor whose
// picture leaves the sheet must be refused with IllegalArgumentException before anything
// is cut; every gob loaded with a positive size must have a picture of that size, and
// every other gob none. No input may crash or raise anything else.
//
// Input: 20 bytes per gob, ten big-endian 16-bit descriptor values; at most 16 gobs.

#include <cstdint>
#include <cstdlib>

#include "fuzz/RuntimeFuzzing.h"
#include "pb_src/j2me/java_lang_IllegalArgumentException.h"
#include "src/kv/kv_GobAlphaImage.h"

namespace {

using kv::Gob;
using javax::microedition::lcdui::Image;

void check(bool condition) {
    if (!condition) std::abort();
}

VMPtr<Image>& sheet() {
    static VMPtr<Image> image{VMStaticScope::instance()};
    if (!image) {
        VMPtr<Gob::IntArray> pixels = Gob::IntArray::_VM_new(64);
        for (int32_t i = 0; i < 64; ++i) pixels->elements()[i] = int32_t(0x10000000u * uint32_t(i % 16) + uint32_t(i));
        image = Image::createRGBImage(pixels, 8, 8, true);
    }
    return image;
}

VMPtr<Gob::GobArray> cutGobs(const uint8_t* data, int32_t count) {
    VMPtr<Gob::GobArray> gobs = Gob::GobArray::_VM_new(count);
    for (int32_t i = 0; i < count; ++i) {
        VMPtr<Gob> gob = Gob::_VM_new();
        gob->_VM_init();
        gob->image = sheet();
        gobs->set(i, gob);
    }
    Gob::initImageTable(gobs);
    for (int32_t i = 0; i < count; ++i) {
        VMPtr<Gob::ShortArray> d = Gob::ShortArray::_VM_new(10);
        for (int32_t k = 0; k < 10; ++k) d->elements()[k] = int16_t((data[i * 20 + 2 * k] << 8) | data[i * 20 + 2 * k + 1]);
        const int16_t* v = d->elements();
        bool inside = v[2] >= 0 && v[3] >= 0 && v[4] >= 0 && v[5] >= 0 && v[2] + v[4] <= 8 && v[3] + v[5] <= 8;
        try {
            gobs->elements()[i]->setFromDescriptor(d);
        } catch (java::lang::IllegalArgumentException* refused) {
            VMPtr<java::lang::Object> held(refused);
            check(!inside);
            return nullptr;
        }
        check(inside);
    }
    Gob::loadImages(gobs);
    return gobs;
}

void exercise(Gob* gob, Gob* other, VMPtr<javax::microedition::lcdui::Graphics>& g) {
    VMPtr<Gob::IntArray> rects = Gob::IntArray::_VM_new(6);
    VMPtr<kv::graphics::CollisionBox> box = kv::graphics::CollisionBox::_VM_new();
    bool hasPicture = gob->width > 0 && gob->height > 0;
    check(hasPicture == bool(gob->image));
    if (hasPicture) check(gob->image->getWidth() == gob->width && gob->image->getHeight() == gob->height);
    for (int32_t flags = 0; flags < 8; ++flags) {
        gob->getX(flags);
        gob->getY(flags);
        gob->getCollisionRects(flags, rects, -1);
        gob->toCollisionBox(box, 3, -3, flags);
        gob->paint(g, 4, 4, flags);
        gob->paintTrimmed(g, 4, 4, flags, flags, 1, 0, flags >> 1);
        gob->collides(0, 0, flags, -1, other, 1, 1, 7 - flags, -1);
        gob->collidesRects(0, 0, flags, -1, other, 1, 1, 7 - flags, -1, rects);
        gob->collidesGob(0, 0, flags, other, 2, 2, flags);
        gob->paintCollisionRect(g, 0, 0, flags);
    }
    gob->paintTiled(g, -3, -3);
    gob->withAlpha(128)->paint(g, 2, 2, 3);
}

}  // namespace

OSTREL_FUZZ_WITHOUT_PER_INPUT_LEAK_SCAN()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testRuntime();
    const int32_t count = int32_t(size / 20 > 16 ? 16 : size / 20);
    if (count > 0) {
        VMPtr<Gob::GobArray> gobs = cutGobs(data, count);
        VMPtr<javax::microedition::lcdui::Graphics> g = Image::createImage(12, 12, false, 0)->getGraphics();
        for (int32_t i = 0; gobs && i < count; ++i) exercise(gobs->elements()[i], gobs->elements()[(i + 1) % count], g);
    }
    checkHeapReturnsToItsBaseline();
    return 0;
}
