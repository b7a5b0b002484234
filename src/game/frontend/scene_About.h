#pragma once

// scene::About (scene 6): one page about the game on the text panel over the backdrop: the
// title line with the version, the body wrapped at the screen's width one line below, and a
// closing line. A press anywhere, or any key, returns to the menu once the page shows.

#include "src/game/foundation/ui_Scene.h"
#include "src/game/foundation/ui_SceneManager.h"
#include "src/kv/kv_AnimSet.h"
#include "src/kv/kv_Frame.h"
#include "src/kv/util/text/kv_util_text_WrappedText.h"

namespace scene {

class About : public ui::Scene {
    VM_CLASS(About, ui::Scene)

    static constexpr int32_t kLoading = 0, kShowing = 1;
    static constexpr const char* kVersion = "v1.0.0";

    VMPtr<About> _VM_init(VMPtr<ui::SceneManager> owner) {
        Scene::_VM_init();
        manager = owner;
        init();
        return this;
    }
    void _VM_mark(uint32_t flags) override {
        Scene::_VM_mark(flags);
        vmMarkField(aboutText, flags);
        vmMarkField(manager, flags);
        vmMarkField(backgroundSet, flags);
        vmMarkField(panelSet, flags);
    }

    void update(int32_t dt) override;
    void load() override;
    void init() override;
    void handleKeys() override;
    void paint(VMPtr<Graphics> g) override;
    void handlePointer() override;
    bool isLoading() override { return state == kLoading; }

    VMPtr<kv::util::text::WrappedText> aboutText{vmField()};
    VMPtr<ui::SceneManager> manager{vmField()};
    VMPtr<kv::AnimSet> backgroundSet{vmField()};
    VMPtr<kv::AnimSet> panelSet{vmField()};
    int32_t state = kLoading;
    int32_t loadStep = 0;
};

}  // namespace scene
