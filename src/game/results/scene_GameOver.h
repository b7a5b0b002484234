#pragma once

// scene::GameOver (scene 20): shown when a level is lost. It only reads the saved result:
// after sixteen loading frames it shows the title, the time played, the character's
// defeated picture and two choices: the map, or a retry of the lost level (the boss level
// as its failed attempt left the record, or the stage's normal level from a fresh result
// block). Every pointer event type counts for its two zones.

#include "src/game/foundation/ui_Scene.h"
#include "src/game/foundation/ui_SceneManager.h"
#include "src/kv/kv_AnimSet.h"
#include "src/kv/kv_Frame.h"

namespace scene {

class GameOver : public ui::Scene {
    VM_CLASS(GameOver, ui::Scene)

    VMPtr<GameOver> _VM_init(VMPtr<ui::SceneManager> owner);
    void _VM_mark(uint32_t flags) override {
        Scene::_VM_mark(flags);
        vmMarkField(manager, flags);
        vmMarkField(backgroundSet, flags);
        vmMarkField(progress, flags);
        vmMarkField(panelFrame, flags);
        vmMarkField(pictureFrame, flags);
    }

    void update(int32_t dt) override;
    void load() override;
    void init() override;
    void handleKeys() override;
    void paint(VMPtr<Graphics> g) override;
    void handlePointer() override;
    bool isLoading() override { return state == 0; }
    virtual void retry();
    // Choice 0 leads to the map, 1 retries; -1 does nothing.
    void choose(int32_t choice);

    VMPtr<ui::SceneManager> manager{vmField()};
    VMPtr<kv::AnimSet> backgroundSet{vmField()};
    int32_t state = 0;
    VMPtr<VMArray<int8_t, 1>> progress{vmField()};
    VMPtr<kv::Frame> panelFrame{vmField()};
    int32_t loadStep = 0;
    VMPtr<kv::Frame> pictureFrame{vmField()};
};

}  // namespace scene
