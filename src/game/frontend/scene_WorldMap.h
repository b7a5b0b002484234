#pragma once

// scene::WorldMap (scene 7): the hub between the stages. It shows one open stage at a time
// (its picture, its number and, once played, its mark and best time), steps between the
// open stages behind a curtain wipe, and starts the shown stage: stage 0 through the
// tutorial until that has been finished and through the story's introduction afterwards,
// the other stages straight into their level. It also leads to the shop, the achievements
// and the menu. It reads the saved progress and writes nothing but the chosen stage.
//
// A move has two halves: the curtain crosses the picture band (the slide frame's top and
// height, below the top bar), the stage number and picture change when the first half has
// passed the band's far line, and the scene is ready again when the second half has. The
// curtains' own animations carry the motion. Every layout box comes from the interface
// set's frames.

#include "src/game/foundation/ui_Scene.h"
#include "src/game/foundation/ui_SceneManager.h"
#include "src/kv/kv_AnimPlayer.h"
#include "src/kv/kv_Frame.h"

namespace scene {

class WorldMap : public ui::Scene {
    VM_CLASS(WorldMap, ui::Scene)
    using BoxArray = kv::Paintable::BoxArray;

    static constexpr int32_t kStages = 5;
    // States.
    static constexpr int32_t kLoading = 0, kReady = 1, kMovingNext = 2, kMovingPrevious = 3;
    // Curtain animations: the first and second half of a move to the next stage, then the
    // second and first half of a move to the previous one.
    static constexpr int32_t kNextFirstHalf = 0, kNextSecondHalf = 1, kPreviousSecondHalf = 2, kPreviousFirstHalf = 3;
    // Arrow animations: none, up only, down only, both.
    static constexpr int32_t kArrowsNone = 1, kArrowsUp = 2, kArrowsDown = 3, kArrowsBoth = 4;

    VMPtr<WorldMap> _VM_init(VMPtr<ui::SceneManager> owner);
    void _VM_mark(uint32_t flags) override {
        Scene::_VM_mark(flags);
        vmMarkField(manager, flags);
        vmMarkField(interfaceSet, flags);
        vmMarkField(stageSet, flags);
        vmMarkField(slideFrame, flags);
        vmMarkField(bestTimes, flags);
        vmMarkField(stageMarks, flags);
        vmMarkField(transitionPlayer, flags);
        vmMarkField(arrowPlayer, flags);
        vmMarkField(stagePicture, flags);
        vmMarkField(stageGobs, flags);
        vmMarkField(centrePlayer, flags);
        vmMarkField(topBar, flags);
        vmMarkField(bottomBar, flags);
    }

    void update(int32_t dt) override;
    void load() override;
    void init() override;
    void handleKeys() override;
    void paint(VMPtr<Graphics> g) override;
    void handlePointer() override;
    bool isLoading() override { return state == kLoading; }
    // (Re)loads the picture set, its images and its frame 0 for the selected stage.
    virtual void loadStagePicture();
    // Start a move (state 2 or 3); both answer false when there is no stage that way.
    bool startMoveToNext();
    bool startMoveToPrevious();

    VMPtr<ui::SceneManager> manager{vmField()};
    int32_t openStageCount = 0;
    int32_t state = 0;
    int32_t loadStep = 0;
    VMPtr<kv::AnimSet> interfaceSet{vmField()};
    VMPtr<kv::AnimSet> stageSet{vmField()};
    int32_t selectedStage = 0;
    VMPtr<kv::Frame> slideFrame{vmField()};
    VMPtr<VMArray<int32_t, 2>> bestTimes{vmField()};
    VMPtr<VMArray<int8_t, 1>> stageMarks{vmField()};
    VMPtr<kv::AnimPlayer> transitionPlayer{vmField()};
    VMPtr<kv::AnimPlayer> arrowPlayer{vmField()};
    VMPtr<kv::Frame> stagePicture{vmField()};
    VMPtr<kv::AnimSet::GobArray> stageGobs{vmField()};
    VMPtr<kv::AnimPlayer> centrePlayer{vmField()};
    VMPtr<kv::Frame> topBar{vmField()};
    VMPtr<kv::Frame> bottomBar{vmField()};

private:
    void readProgress();
    int32_t wantedArrows() const;
    void updateMove(int32_t dt);
    void startSelectedStage();
    // Half the top bar's height: the bar is drawn at (0, bar).
    int32_t barOffset();
    int32_t curtainHeight();
    void paintTexts(VMPtr<Graphics> g);
    void paintMarkAndTime(VMPtr<Graphics> g);
};

}  // namespace scene
