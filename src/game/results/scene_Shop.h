#pragma once

// scene::Shop (scene 8): the seven weapons for sale. Up and down (or the arrow zones) step
// through them, wrapping; fire, action 20 or the buy button buys the selected one when it
// is for sale and the money covers its price, saving the lower money, the owned item and,
// with the seventh weapon, the achievement in one write. Left or the back zone returns to
// the map. The money shown is the scene's copy, read once and lowered by each purchase.
// The hero is shown holding the selected weapon.

#include "src/game/foundation/ui_Scene.h"
#include "src/game/foundation/ui_SceneManager.h"
#include "src/game/objects/InGameObject_Character.h"
#include "src/kv/kv_AnimPlayer.h"
#include "src/kv/kv_AnimSet.h"
#include "src/kv/kv_Frame.h"

namespace scene {

class Shop : public ui::Scene {
    VM_CLASS(Shop, ui::Scene)

    VMPtr<Shop> _VM_init(VMPtr<ui::SceneManager> owner);
    void _VM_mark(uint32_t flags) override {
        Scene::_VM_mark(flags);
        vmMarkField(manager, flags);
        vmMarkField(backPlayer, flags);
        vmMarkField(panelSet, flags);
        vmMarkField(character, flags);
        vmMarkField(shopSet, flags);
        vmMarkField(itemStates, flags);
        vmMarkField(background, flags);
    }

    void update(int32_t dt) override;
    void load() override;
    void init() override;
    void handleKeys() override;
    void paint(VMPtr<Graphics> g) override;
    void handlePointer() override;
    bool isLoading() override { return state == 0; }
    // Reads the item states of record 0 again.
    virtual void refresh();

    VMPtr<ui::SceneManager> manager{vmField()};
    int32_t money = 0;
    VMPtr<kv::AnimPlayer> backPlayer{vmField()};
    int32_t state = 0;
    VMPtr<kv::AnimSet> panelSet{vmField()};
    int32_t loadStep = 0;
    // The hero holding the selected weapon: its weapon steps with the cursor.
    VMPtr<InGameObject::Character> character{vmField()};
    VMPtr<kv::AnimSet> shopSet{vmField()};
    VMPtr<VMArray<int8_t, 1>> itemStates{vmField()};
    int32_t cursor = 0;
    VMPtr<kv::Frame> background{vmField()};

private:
    void step(bool back);
    void buy();
    void paintStatus(VMPtr<Graphics> g, kv::graphics::CollisionBox* line, int32_t half);
};

}  // namespace scene
