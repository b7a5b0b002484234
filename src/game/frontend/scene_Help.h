#pragma once

// scene::Help (scene 10): the instructions as pages of wrapped text on the text panel, over
// the backdrop, with a bottom bar of two buttons: back to the menu, and the next page. The
// next page after page 1 is page 2 and after page 2 page 0, so from page 0 the pages run
// 0, 2, 0, 2 (page 1's text is not shown). Each page shows from its first line.

#include "lib_src/vm/VMArray.h"
#include "src/game/foundation/ui_Scene.h"
#include "src/game/foundation/ui_SceneManager.h"
#include "src/kv/kv_AnimSet.h"
#include "src/kv/kv_Frame.h"
#include "src/kv/util/text/kv_util_text_WrappedText.h"

namespace scene {

class Help : public ui::Scene {
    VM_CLASS(Help, ui::Scene)
    using IntArray = VMArray<int32_t, 1>;

    static constexpr int32_t kLoading = 0, kShowing = 1;

    VMPtr<Help> _VM_init(VMPtr<ui::SceneManager> owner) {
        Scene::_VM_init();
        manager = owner;
        init();
        return this;
    }
    void _VM_mark(uint32_t flags) override {
        Scene::_VM_mark(flags);
        vmMarkField(pageText, flags);
        vmMarkField(manager, flags);
        vmMarkField(panelSet, flags);
        vmMarkField(barSet, flags);
        vmMarkField(backgroundSet, flags);
        vmMarkField(pageTextIds, flags);
        vmMarkField(barFrame, flags);
    }

    void update(int32_t dt) override;
    void load() override;
    void init() override;
    void handleKeys() override;
    void paint(VMPtr<Graphics> g) override;
    void handlePointer() override;
    bool isLoading() override { return state == kLoading; }

    // The page after `page`: one on, but 1 becomes 2 and 3 becomes 0.
    static int32_t nextPage(int32_t page);

    VMPtr<kv::util::text::WrappedText> pageText{vmField()};
    VMPtr<ui::SceneManager> manager{vmField()};
    int32_t state = kLoading;
    VMPtr<kv::AnimSet> panelSet{vmField()};
    int32_t loadStep = 0;
    VMPtr<kv::AnimSet> barSet{vmField()};
    VMPtr<kv::AnimSet> backgroundSet{vmField()};
    int32_t page = 0;
    VMPtr<IntArray> pageTextIds{vmField()};
    VMPtr<kv::Frame> barFrame{vmField()};
};

}  // namespace scene
