#pragma once

// InGameObject::Item: a pick-up of the normal level, pooled. Its kind chooses one of three
// tables (its variant is kept, but the three rows of kind 2 are alike). A row is a draw: the
// effects it can give, each with its chance in 100, drawn with the item's own generator at
// every spawn (a row of one effect draws nothing). Kind 0 is the coin (effect 0); kind 1 the
// helper: health (effect 1, its value the health given) or a timed boost (effects 2, 3, 4:
// speed, power, invulnerability, their values in ms), alike; kind 2 the finds: mostly coins,
// now and then a helper. A level drops an item for one defeat in ten at most, one of its five
// items by chance, and only coins pay for the weapons, one each: so the three finds stay coins
// often enough for a playthrough's drops to cover the seven weapons' price (a test holds it),
// and the helper carries most of the other effects. spawn starts it at a point: it falls by
// its animation onto the ground line, rests there, blinks for the last part of its time and
// then reaches state 3 (done). Animations: 3 x effect falling, + 1 resting, + 2 blinking; 15
// the glint of its second player.

#include <cstdint>
#include <span>

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
    // One effect a row can give and its chance in 100.
    struct Outcome {
        int32_t chance;
        Row row;
    };
    // A coin lies long enough to be fetched across the area between fights, and so do the
    // boosts.
    static constexpr Row kCoin{0, 1, 12000}, kHealthUp{1, 30, 9000}, kSpeedUp{2, 8000, 12000}, kPowerUp{3, 8000, 12000},
                         kShield{4, 6000, 12000};
    // Rows by kind: the coin; the helper; the finds (the three rows of kind 2 draw alike).
    static constexpr Outcome kCoins[] = {{100, kCoin}};
    static constexpr Outcome kHelpers[] = {{25, kHealthUp}, {25, kSpeedUp}, {25, kPowerUp}, {25, kShield}};
    static constexpr Outcome kFinds[] = {{88, kCoin}, {3, kHealthUp}, {3, kSpeedUp}, {3, kPowerUp}, {3, kShield}};

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
    std::span<const Outcome> outcomes() const;
    const Row& drawRow();
    void show(int32_t offset) { showAnimation(player, 3 * effectCode + offset); }
};

}  // namespace InGameObject
