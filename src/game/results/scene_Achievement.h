#pragma once

// scene::Achievement (scene 3): the four achievements as pictures (a lock for those not yet
// won) with the selected one's description wrapped under them. Up and down or the arrow
// zones select, right or the back zone returns to the map. The flags are read once, when
// the screen is made; it writes nothing.

#include "src/game/foundation/ui_Scene.h"
#include "src/game/foundation/ui_SceneManager.h"
#include "src/kv/kv_AnimPlayer.h"
#include "src/kv/kv_AnimSet.h"
#include "src/kv/kv_Frame.h"
#include "src/kv/util/text/kv_util_text_WrappedText.h"

namespace scene {

class Achievement : public ui::Scene {
    VM_CLASS(Achievement, ui::Scene)
    using FrameArray = VMArray<kv::Frame*, 1>;

    static constexpr int32_t kCount = 4;

    VMPtr<Achievement> _VM_init(VMPtr<ui::SceneManager> owner);
    void _VM_mark(uint32_t flags) override {
        Scene::_VM_mark(flags);
        vmMarkField(descriptionText, flags);
        vmMarkField(pictures, flags);
        vmMarkField(manager, flags);
        vmMarkField(descriptionIds, flags);
        vmMarkField(backPlayer, flags);
        vmMarkField(shopSet, flags);
        vmMarkField(unlocked, flags);
        vmMarkField(background, flags);
    }

    void update(int32_t dt) override;
    void load() override;
    void init() override;
    void handleKeys() override;
    void paint(VMPtr<Graphics> g) override;
    void handlePointer() override;
    bool isLoading() override { return state == 0; }

    VMPtr<kv::util::text::WrappedText> descriptionText{vmField()};
    VMPtr<FrameArray> pictures{vmField()};
    VMPtr<ui::SceneManager> manager{vmField()};
    VMPtr<VMArray<int32_t, 1>> descriptionIds{vmField()};
    VMPtr<kv::AnimPlayer> backPlayer{vmField()};
    int32_t state = 0;
    int32_t loadStep = 0;
    VMPtr<kv::AnimSet> shopSet{vmField()};
    int32_t cursor = 0;
    VMPtr<VMArray<int8_t, 1>> unlocked{vmField()};
    VMPtr<kv::Frame> background{vmField()};

private:
    void step(bool back);
};

}  // namespace scene
