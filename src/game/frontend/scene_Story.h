#pragma once

// scene::Story (scene 11): plays the story that the manager's story mode names, in pictures
// alone, and moves on by itself: 1 the introduction, then the level (2); 2 the ending, then
// the world map (7); 3 the lead-in to the last boss, then its level (19). It takes no input.
//
// The introduction and the lead-in end with a closing player that waits: it is neither
// drawn nor advanced until every other player has ended. The ending paints over whatever is
// on the screen. Any other story mode loads nothing and leaves for the world map at once.
// The staged load runs from both update and paint, so it takes eight frames.

#include "src/game/foundation/ui_Scene.h"
#include "src/game/foundation/ui_SceneManager.h"
#include "src/kv/kv_AnimPlayer.h"

namespace scene {

class Story : public ui::Scene {
    VM_CLASS(Story, ui::Scene)
    using PlayerArray = VMArray<kv::AnimPlayer*, 1>;

    static constexpr int32_t kIntroduction = 1, kEnding = 2, kLeadIn = 3;

    VMPtr<Story> _VM_init(VMPtr<ui::SceneManager> owner);
    void _VM_mark(uint32_t flags) override {
        Scene::_VM_mark(flags);
        vmMarkField(storySet, flags);
        vmMarkField(players, flags);
        vmMarkField(manager, flags);
    }

    void update(int32_t dt) override;
    void load() override;
    void init() override;
    void paint(VMPtr<Graphics> g) override;
    bool isLoading() override { return state == 0; }

    VMPtr<kv::AnimSet> storySet{vmField()};
    VMPtr<PlayerArray> players{vmField()};
    VMPtr<ui::SceneManager> manager{vmField()};
    int32_t state = 0;
    int32_t loadStep = 0;

private:
    void loadSequence();
    // Advances the players before the last; when all of them have ended, the last one too.
    // Answers whether the last one has ended as well.
    bool advance(int32_t dt);
    bool isPlaying(int32_t i) { return players->at(i)->update(0); }
};

}  // namespace scene
