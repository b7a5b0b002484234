#pragma once

// scene::Logo (scene 0): the studio logo animation centred on a white screen, side panels
// included, for 3000 ms; then scene 14. The logo is shown from the first frame until the
// first update that finds the timer at 3000 ms or more, and that frame's paint asks for
// scene 14. It takes no input, and a pause does not touch its timer.

#include "src/game/foundation/ui_Scene.h"
#include "src/game/foundation/ui_SceneManager.h"
#include "src/kv/kv_AnimPlayer.h"
#include "src/kv/util/kv_util_ArrayList.h"

namespace scene {

class Logo : public ui::Scene {
    VM_CLASS(Logo, ui::Scene)

    static constexpr int32_t kShowMillis = 3000;
    static constexpr int32_t kNextScene = 14;

    VMPtr<Logo> _VM_init(VMPtr<ui::SceneManager> owner);
    void _VM_mark(uint32_t flags) override {
        Scene::_VM_mark(flags);
        vmMarkField(manager, flags);
        vmMarkField(logoPlayer, flags);
        vmMarkField(sequence, flags);
    }

    void pause() override {}
    void update(int32_t dt) override;
    void init() override;
    void paint(VMPtr<Graphics> g) override;
    void dispose() override;
    // Fills the sequence with the logo player, centred in the game area.
    virtual void layoutSequence();

    int32_t index = 0;
    VMPtr<ui::SceneManager> manager{vmField()};
    int32_t timer = 0;
    VMPtr<kv::AnimPlayer> logoPlayer{vmField()};
    VMPtr<kv::util::ArrayList> sequence{vmField()};
};

}  // namespace scene
