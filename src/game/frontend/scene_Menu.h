#pragma once

// scene::Menu (scene 1): the main menu. It loads over sixteen updates, plays the title of the
// current language and then the bottom bar's opening (at double speed), and shows one of six
// entries at a time on the bar: play, options (a submenu of language, audio and back),
// tutorial, about, help and quit (a yes/no question that ends the application). Left and
// right move, fire chooses; on the touch screen a press on one of the bar's arrows moves
// (only once the bar has opened) and a release on its select zone chooses. A main entry
// chosen is carried out at the next update; an options entry at once.

#include "lib_src/vm/VMArray.h"
#include "src/game/foundation/ui_Scene.h"
#include "src/game/foundation/ui_SceneManager.h"
#include "src/kv/kv_AnimPlayer.h"
#include "src/kv/kv_AnimSet.h"
#include "src/kv/kv_Frame.h"
#include "src/kv/kv_Gob.h"

namespace scene {

class Menu : public ui::Scene {
    VM_CLASS(Menu, ui::Scene)
    using IntArray = VMArray<int32_t, 1>;
    using GobArray = kv::AnimSet::GobArray;

    static constexpr int32_t kLoading = 0, kMain = 1, kChosen = 2, kQuitQuestion = 4, kOptions = 5;
    static constexpr int32_t kEntries = 6, kOptionEntries = 3, kQuitEntry = 5, kBackEntry = 2;

    static void _VM_clinit();
    VMPtr<Menu> _VM_init(VMPtr<ui::SceneManager> owner);
    void _VM_mark(uint32_t flags) override {
        Scene::_VM_mark(flags);
        vmMarkField(dialogSet, flags);
        vmMarkField(decorGob, flags);
        vmMarkField(decorPlayerA, flags);
        vmMarkField(title, flags);
        vmMarkField(menuSet, flags);
        vmMarkField(barGobs, flags);
        vmMarkField(bar, flags);
        vmMarkField(decorFrame, flags);
        vmMarkField(manager, flags);
        vmMarkField(decorPlayerB, flags);
        vmMarkField(optionTextIds, flags);
        vmMarkField(background, flags);
        vmMarkField(menuGobs, flags);
        vmMarkField(barSet, flags);
    }

    void update(int32_t dt) override;
    void load() override;
    void init() override {}
    void handleKeys() override;
    void paint(VMPtr<Graphics> g) override;
    void handlePointer() override;
    bool isLoading() override { return state == kLoading; }

    // The title animation of a language index; -1 (no animation) outside 0..4.
    static int32_t titleAnimationFor(int32_t languageIndex);

    static VMPtr<IntArray> menuTextIds;

    bool quitChoice = false;
    VMPtr<kv::AnimSet> dialogSet{vmField()};
    int32_t state = kLoading;
    int32_t loadStep = 0;
    VMPtr<kv::Gob> decorGob{vmField()};
    VMPtr<kv::AnimPlayer> decorPlayerA{vmField()};
    int32_t optionCursor = 0;
    VMPtr<kv::AnimPlayer> title{vmField()};
    VMPtr<kv::AnimSet> menuSet{vmField()};
    VMPtr<GobArray> barGobs{vmField()};
    VMPtr<kv::AnimPlayer> bar{vmField()};
    VMPtr<kv::Frame> decorFrame{vmField()};
    int32_t cursor = 0;
    VMPtr<ui::SceneManager> manager{vmField()};
    VMPtr<kv::AnimPlayer> decorPlayerB{vmField()};
    VMPtr<IntArray> optionTextIds{vmField()};
    VMPtr<kv::Gob> background{vmField()};
    VMPtr<GobArray> menuGobs{vmField()};
    VMPtr<kv::AnimSet> barSet{vmField()};

private:
    void advanceBar(int32_t dt);
    void chooseMain();
    void carryOutOption();
    void moveMain(int32_t step) { cursor = (cursor + step + kEntries) % kEntries; }
    void moveOption(int32_t step) { optionCursor = (optionCursor + step + kOptionEntries) % kOptionEntries; }
    void answerNo();
    bool barIsOpen() { return bar->getAnimation() == 1; }
    // Whether (x, y) lies in the bar's box `index` of the type, placed at the bar; a box the
    // current frame lacks holds nothing.
    bool inBarZone(int32_t type, int32_t index, int32_t x, int32_t y);
    void paintPictures(VMPtr<Graphics> g, bool withBar);
    void paintEntry(VMPtr<Graphics> g);
    void paintQuitQuestion(VMPtr<Graphics> g);
    VMPtr<kv::AnimPlayer> newPlayer(VMPtr<kv::AnimSet> set, int32_t animation);
};

}  // namespace scene
