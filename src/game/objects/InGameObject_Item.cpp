#include "src/game/objects/InGameObject_Item.h"

#include <algorithm>

namespace InGameObject {

VM_DEFINE_CLASS(Item, "InGameObject.Item", "java.lang.Object", VM_NO_CLINIT)

VMPtr<Item> Item::_VM_init(VMPtr<kv::AnimSet> set, int32_t itemKind, int32_t itemVariant, int32_t px, int32_t py) {
    Object::_VM_init();
    kind = std::clamp(itemKind, 0, 2);
    variant = itemVariant;
    random = kv::util::FastRandom::_VM_new();
    random->_VM_init();
    player = kv::AnimPlayer::_VM_new();
    player->_VM_init();
    player->setAnimSet(set);
    glint = kv::AnimPlayer::_VM_new();
    glint->_VM_init();
    glint->setAnimSet(set);
    spawn(px, py);
    return this;
}

void Item::_VM_mark(uint32_t flags) {
    Object::_VM_mark(flags);
    vmMarkField(player, flags);
    vmMarkField(glint, flags);
    vmMarkField(random, flags);
}

namespace {
constexpr bool totalsHundred(std::span<const Item::Outcome> outcomes) {
    int32_t total = 0;
    for (const Item::Outcome& o : outcomes) total += o.chance;
    return total == 100;
}
static_assert(totalsHundred(Item::kCoins) && totalsHundred(Item::kHelpers) && totalsHundred(Item::kFinds));
}  // namespace

std::span<const Item::Outcome> Item::outcomes() const {
    if (kind == 0) return kCoins;
    if (kind == 1) return kHelpers;
    return kFinds;
}

const Item::Row& Item::drawRow() {
    const std::span<const Outcome> row = outcomes();
    if (row.size() == 1) return row.front().row;
    int32_t roll = random->nextInt(100);
    for (const Outcome& o : row) {
        if (roll < o.chance) return o.row;
        roll -= o.chance;
    }
    return row.back().row;
}

void Item::spawn(int32_t px, int32_t py) {
    state = kFalling;
    timer = 0;
    const Row& row = drawRow();
    effectCode = row.effect;
    effectValue = row.value;
    lifetime = row.lifetime;
    player->setAnimation(3 * effectCode);
    player->setX(px);
    player->setY(py);
    glint->setAnimation(kGlint);
}

void Item::update(int32_t dt, VMPtr<IntArray> ground) {
    if (state == kDone) return;
    const int32_t floor = groundAt(ground, player->getX(), player->getY());
    if (state == kFalling) {
        player->update(dt);  // it falls by its animation
        if (player->getY() >= floor) {
            player->setY(floor);
            state = kResting;
            show(1);
        }
    } else {
        player->setY(std::min<int32_t>(player->getY(), floor));  // it rides a rising pile
        timer += dt;
        if (timer >= lifetime) {
            state = kDone;
            return;
        }
        if (timer >= lifetime - kBlinkMillis && state == kResting) {
            state = kBlinking;
            show(2);
        }
        player->update(dt);
    }
    glint->setX(player->getX());
    glint->setY(player->getY());
    glint->update(dt);
}

void Item::paint(VMPtr<Graphics> g) {
    player->paint(g);
    glint->paint(g);
}

}  // namespace InGameObject
