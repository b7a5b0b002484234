// Reads an animation set from arbitrary bytes (the entry of a one-entry pack), then asks
// every frame and every animation everything under all eight transforms, paints them with
// a gob array that has a missing entry and a gob without a picture, and plays the first
// four animations for 1,000 updates each (time steps taken from the input), painting and
// box-testing the player on the way. A set that does not load must fail with an
// IOException (EOFException included); a set that loads must answer every query for the
// indexes it reports without raising anything, and every update must end.

#include <cstdint>
#include <cstdlib>

#include "fuzz/RuntimeFuzzing.h"
#include "pb_src/j2me/java_io_IOException.h"
#include "src/kv/kv_AnimPlayer.h"
#include "src/kv/kv_Gob.h"
#include "src/kv/kv_Resources.h"
#include "tools/packwriter/PackWriter.h"

namespace {

using kv::AnimPlayer;
using kv::AnimSet;
using kv::Gob;
using javax::microedition::lcdui::Graphics;
using javax::microedition::lcdui::Image;
using IntArray = VMArray<int32_t, 1>;

constexpr int32_t kPlayedAnimations = 4;
constexpr int32_t kUpdates = 1000;

VMPtr<Gob> gob(int32_t w, int32_t h, int32_t offsetX, int32_t offsetY) {
    VMPtr<Gob> g = Gob::_VM_new();
    g->_VM_init();
    g->width = int16_t(w);
    g->height = int16_t(h);
    g->offsetX = int16_t(offsetX);
    g->offsetY = int16_t(offsetY);
    g->collisionWidth = int16_t(w);
    g->collisionHeight = int16_t(h);
    if (w > 0 && h > 0) g->image = Image::createImage(w, h, false, int32_t(0xFF808080));
    return g;
}

// Gob 0 is 3x2, gob 1 is missing, gob 2 has no picture.
VMPtr<Gob::GobArray> gobs() {
    VMPtr<Gob::GobArray> array = Gob::GobArray::_VM_new(3);
    array->set(0, gob(3, 2, -1, -2));
    array->set(2, gob(0, 4, 0, 0));
    return array;
}

VMPtr<AnimSet> load(const uint8_t* data, size_t size) {
    const packwriter::Bytes table = packwriter::table({{packwriter::Bytes(data, data + size), -1}});
    VMPtr<VMArray<int8_t, 1>> pack = VMArray<int8_t, 1>::_VM_new(int32_t(table.size()));
    for (size_t i = 0; i < table.size(); ++i) pack->elements()[i] = int8_t(table[i]);
    if (kv::Resources::attachStream(kv::Resources::createStream(pack, 0, pack->length)) != 1) std::abort();
    try {
        return kv::Resources::getAnimSet(0);
    } catch (java::io::IOException* refused) {
        VMPtr<java::lang::Object> held(refused);
        return nullptr;
    }
}

void askFrames(const VMPtr<AnimSet>& set, const VMPtr<Graphics>& g) {
    VMPtr<IntArray> out = IntArray::_VM_new(12);
    VMPtr<AnimSet::BoxArray> boxes = kv::graphics::CollisionBox::ensureArray(nullptr, 3);
    for (int32_t f = 0; f < set->getFrameCount(); ++f) {
        VMPtr<kv::Frame> frame = set->getFrame(f);
        set->getModuleCount(f);
        set->getBoxCount(f);
        for (int32_t flags = 0; flags < 8; ++flags) {
            set->getFrameBounds(f, flags, out);
            set->getFrameModules(f, flags, out);
            set->getCollisionRectsOfType(f, flags, out, flags - 1);
            set->getCollisionBoxesOfType(f, flags, boxes, flags - 1);
            frame->paint(g, 8, 8, flags);
            frame->getBounds(flags, out);
        }
        frame->intersectsBox(boxes->elements()[0], 1, 1);
    }
}

void play(const VMPtr<AnimSet>& set, int32_t anim, const uint8_t* data, size_t size, const VMPtr<Graphics>& g) {
    const int32_t count = set->getAnimationCount();
    VMPtr<AnimPlayer> p = AnimPlayer::_VM_new(), q = AnimPlayer::_VM_new();
    p->_VM_init();
    q->_VM_init();
    p->setAnimSet(set);
    q->setAnimSet(set);
    p->setAnimation(anim);
    q->setAnimation((anim + 1) % count);
    p->setFlags(anim & 7);
    VMPtr<kv::graphics::CollisionBox> box = kv::graphics::CollisionBox::_VM_new();
    box->_VM_init();
    VMPtr<IntArray> out = IntArray::_VM_new(8);
    for (int32_t step = 0; step < kUpdates; ++step) {
        const int32_t dt = size > 0 ? data[size_t(step) % size] : 16;
        p->update(dt);
        q->update(dt >> 1);
        p->paint(g);
        if (step % 8 == 0) p->paint(g, 1, 1, step & 7);
        p->getCollisionBox(box);
        p->collidesWith(q);
        p->collidesWithBox(box);
        p->containsPoint(step & 15, step >> 6);
        p->getBounds(out);
        p->getFrameTop(step & 1);
        p->getElapsedTime();
        if (step % 100 == 0) p->getWidth(step & 7);
    }
}

}  // namespace

OSTREL_FUZZ_WITHOUT_PER_INPUT_LEAK_SCAN()

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    testRuntime();
    VMPtr<AnimSet> set = load(data, size);
    if (set) {
        set->setGobs(gobs());
        VMPtr<Graphics> g = Image::createImage(16, 16, false, 0)->getGraphics();
        VMPtr<IntArray> out = IntArray::_VM_new(4);
        askFrames(set, g);
        for (int32_t a = 0; a < set->getAnimationCount(); ++a) {
            set->getAnimationLength(a);
            set->getAnimationDuration(a);
            set->getAnimationFrame(a);
            for (int32_t flags = 0; flags < 8; ++flags) set->getAnimationBounds(a, flags, out);
            if (a < kPlayedAnimations) play(set, a, data, size, g);
        }
    }
    checkHeapReturnsToItsBaseline();
    return 0;
}
