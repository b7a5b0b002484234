#pragma once

// InGameObject::Item: a pick-up of the normal level, pooled. Its kind chooses one of three
// tables and its variant the row: kind 0 the coin (effect 0), kind 1 health (effect 1, the
// value the health it gives), kind 2 the finds, coins as well: a level drops an item for one
// defeat in ten at most and only coins pay for the weapons, so four of its five items are
// coins, for a playthrough to earn the seven weapons' price. (The level still applies the
// timed boosts of effects 2, 3, 4 to an item that carries one.) spawn starts it at a point:
// it falls by its animation onto the ground line, rests there, blinks for the last part of
// its time and then reaches state 3 (done). Animations: 3 x effect falling, + 1 resting,
// + 2 blinking; 15 the glint of its second player.

#include <cstdint>

#include "pb_src/j2me/javax_microedition_lcdui_Graphics.h"
#include "src/game/objects/ObjectMotion.h"
#include "src/kv/kv_AnimPlayer.h"
#include "src/kv/util/kv_util_FastRandom.h"

namespace InGameObject {

class Item : public virtual ::java::lang::Object {
    VM_CLASS(Item, ::java::lang::Object)
    using Graphics = ::javax::microedition::lcdui::Graphics;

    static constexpr int32_t kFalling = 0, kResting = 1, kBlinking = 2, kDone = 3;
    static constexpr int32_t kGlint = 15;
    static constexpr int32_t kBlinkMillis = 2000;  // the blinking part of its time
    struct Row {
        int32_t effect, value, lifetime;
    };
    // Rows by kind: coin; health; the finds. A coin lies long enough to be fetched across the
    // area between fights.
    static constexpr Row kCoins[] = {{0, 1, 12000}};
    static constexpr Row kHealth[] = {{1, 30, 9000}};
    static constexpr Row kFinds[] = {{0, 1, 12000}, {0, 1, 12000}, {0, 1, 12000}};

    VMPtr<Item> _VM_init(VMPtr<kv::AnimSet> set, int32_t itemKind, int32_t itemVariant, int32_t px, int32_t py);
    void _VM_mark(uint32_t flags) override;

    virtual void spawn(int32_t px, int32_t py);
    virtual void update(int32_t dt, VMPtr<IntArray> ground);
    virtual void paint(VMPtr<Graphics> g);

    VMPtr<kv::AnimPlayer> player{vmField()};
    VMPtr<kv::AnimPlayer> glint{vmField()};
    VMPtr<kv::util::FastRandom> random{vmField()};
    int32_t state = 0;
    int32_t kind = 0;
    int32_t variant = 0;
    int32_t effectCode = 0;
    int32_t effectValue = 0;
    int32_t lifetime = 0;
    int32_t timer = 0;

private:
    const Row& row() const;
    void show(int32_t offset) { showAnimation(player, 3 * effectCode + offset); }
};

}  // namespace InGameObject
