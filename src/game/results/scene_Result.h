#pragma once

// scene::Result (scene 12): shown after a stage's boss is beaten. Creating it settles the
// stage's rewards once (items for sale, the next stage, the mark and best time,
// achievements, the money earned), written as record 0 and then record 1 under the pending
// win's mark, so that a kill between the writes leaves the next start to finish them. A
// stage byte outside 0..4 raises an error naming it, and nothing is written. After sixteen
// loading frames it shows the title, the time, the verdict for the mark and what was newly
// unlocked. Continue leads to the map (the ending story after the last stage); next starts
// the next stage's level (also the ending after the last stage). Every pointer event type
// counts for its two zones.

#include "src/game/foundation/ui_Scene.h"
#include "src/game/foundation/ui_SceneManager.h"
#include "src/kv/kv_AnimSet.h"
#include "src/kv/kv_Frame.h"

namespace scene {

class Result : public ui::Scene {
    VM_CLASS(Result, ui::Scene)

    VMPtr<Result> _VM_init(VMPtr<ui::SceneManager> owner);
    void _VM_mark(uint32_t flags) override {
        Scene::_VM_mark(flags);
        vmMarkField(manager, flags);
        vmMarkField(backgroundSet, flags);
        vmMarkField(progress, flags);
        vmMarkField(panelFrame, flags);
    }

    void update(int32_t dt) override;
    void load() override;
    void init() override;
    void handleKeys() override;
    void paint(VMPtr<Graphics> g) override;
    void handlePointer() override;
    bool isLoading() override { return state == 0; }
    virtual void playNextStage();
    // The first choice: the map, or the ending after the last stage.
    void continueOn();
    // Choice 0 continues, 1 plays the next stage; -1 does nothing.
    void choose(int32_t choice);

    int32_t stageMark = 0;
    VMPtr<ui::SceneManager> manager{vmField()};
    VMPtr<kv::AnimSet> backgroundSet{vmField()};
    bool itemUnlocked = false;
    bool achievementUnlocked = false;
    int32_t state = 0;
    VMPtr<VMArray<int8_t, 1>> progress{vmField()};
    VMPtr<kv::Frame> panelFrame{vmField()};
    int32_t loadStep = 0;
    bool stageOpened = false;
};

}  // namespace scene
