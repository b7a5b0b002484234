#pragma once

// InGameObject::Glass: a glass piece of the normal level. start puts it in state 2 (size 0,
// the shape's small frame) playing one of four start animations (22 + a random variant,
// once) and gives it a random direction: 0 straight down, 1 drifting left, 2 right; when that
// animation ends it falls in state 1 on the looping fall (26). Its y follows its player's
// motion; while it is not resting a drifting piece's x moves 240 / (the variant's crossing
// time) px/ms its way and stops at the area's edges, so no piece can come to rest out of
// sight. The level moves it between its pools, lands it (state 0), merges it (size and
// frame) and releases it; paint draws its frame at (x, y).

#include <cstdint>

#include "pb_src/j2me/javax_microedition_lcdui_Graphics.h"
#include "src/game/objects/ObjectMotion.h"
#include "src/kv/kv_AnimPlayer.h"
#include "src/kv/kv_Frame.h"
#include "src/kv/util/kv_util_FastRandom.h"

namespace InGameObject {

class Glass : public virtual ::java::lang::Object {
    VM_CLASS(Glass, ::java::lang::Object)
    using Graphics = ::javax::microedition::lcdui::Graphics;

    static constexpr int32_t kResting = 0, kFalling = 1, kStarting = 2;
    static constexpr int32_t kStartFirst = 22, kVariants = 4, kFall = 26;
    static constexpr int32_t kAreaWidth = 240;
    static constexpr int32_t kStraightDown = 0, kLeft = 1, kRight = 2, kDirections = 3;
    // How long each start variant would take to drift across the area, in ms.
    static constexpr int32_t kVariantCrossing[kVariants] = {5000, 7000, 9000, 12000};

    VMPtr<Glass> _VM_init(VMPtr<kv::AnimSet> set, int32_t shapeIndex, int32_t unused);
    void _VM_mark(uint32_t flags) override;

    virtual void start(int32_t shapeIndex, int32_t unused);
    virtual void setPosition(int32_t px, int32_t py);
    virtual void update(int32_t dt);
    virtual void paint(VMPtr<Graphics> g);

    VMPtr<kv::AnimSet> set{vmField()};
    VMPtr<kv::AnimPlayer> player{vmField()};
    VMPtr<kv::Frame> frame{vmField()};
    VMPtr<kv::util::FastRandom> random{vmField()};
    int32_t state = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t shape = 0;
    int32_t size = 0;
    int32_t variant = 0;
    int32_t direction = kStraightDown;

private:
    Coordinate driftX;
};

}  // namespace InGameObject
