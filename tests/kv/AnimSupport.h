#pragma once

// Helpers of the animation tests: sets written by the pack writer's encoder and read back
// through the resource layer, and gobs made directly from a block of pixels.

#include <vector>

#include "src/kv/kv_AnimPlayer.h"
#include "src/kv/kv_Gob.h"
#include "src/kv/kv_Resources.h"
#include "tests/kv/PaintSupport.h"
#include "tests/kv/io/resource/PackFolder.h"
#include "tools/packwriter/AnimSetEncoder.h"

namespace kvtest {

using packwriter::AnimBox;
using packwriter::AnimFrame;
using packwriter::AnimModule;
using packwriter::AnimSetModel;
using packwriter::AnimStep;
using packwriter::Animation;

// The set stored as entry 0 of a pack attached from these bytes.
inline VMPtr<kv::AnimSet> readSet(const packwriter::Bytes& bytes) {
    EXPECT_EQ(kv::Resources::attachStream(streamOf(packwriter::table({{bytes, -1}}))), 1);
    return kv::Resources::getAnimSet(0);
}

inline VMPtr<kv::AnimSet> readSet(const AnimSetModel& model) { return readSet(packwriter::encodeAnimSet(model)); }

// A gob of w x h pixels (row by row) drawn with its top-left at (offsetX, offsetY).
inline VMPtr<kv::Gob> pixelGob(int32_t w, int32_t h, int32_t offsetX, int32_t offsetY, const std::vector<int32_t>& argb) {
    VMPtr<kv::Gob> gob = kv::Gob::_VM_new();
    gob->_VM_init();
    gob->width = int16_t(w);
    gob->height = int16_t(h);
    gob->offsetX = int16_t(offsetX);
    gob->offsetY = int16_t(offsetY);
    gob->alphaType = 1;
    gob->image = Image::createRGBImage(ints(argb), w, h, false);
    return gob;
}

inline VMPtr<kv::Gob::GobArray> gobArray(const std::vector<VMPtr<kv::Gob>>& gobs) {
    VMPtr<kv::Gob::GobArray> array = kv::Gob::GobArray::_VM_new(int32_t(gobs.size()));
    for (size_t i = 0; i < gobs.size(); ++i) array->set(int32_t(i), gobs[i]);
    return array;
}

inline VMPtr<kv::AnimPlayer> player(const VMPtr<kv::AnimSet>& set, int32_t animation) {
    VMPtr<kv::AnimPlayer> p = kv::AnimPlayer::_VM_new();
    p->_VM_init();
    p->setAnimSet(set);
    p->setAnimation(animation);
    return p;
}

inline VMPtr<kv::Paintable::BoxArray> boxArray(int32_t n) {
    VMPtr<kv::Paintable::BoxArray> boxes = kv::Paintable::BoxArray::_VM_new(n);
    for (int32_t i = 0; i < n; ++i) {
        VMPtr<kv::graphics::CollisionBox> box = kv::graphics::CollisionBox::_VM_new();
        box->_VM_init();
        boxes->set(i, box);
    }
    return boxes;
}

inline std::vector<int32_t> boundsOf(const VMPtr<IntArray>& out) { return vec(out, 4); }

}  // namespace kvtest
