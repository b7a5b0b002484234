#pragma once

// The body that the three option screens share: a language page (one of five languages) and
// a sound page (on or off) drawn on one panel over the backdrop. Every text comes from the
// table of the language being chosen, so a language move shows at once; the sound switch is
// applied only when the sound page is confirmed. Both pages are worked by left, right and
// fire and by presses on the panel's three zones (previous, next, confirm); a press that
// lies in several zones acts on each of them in zone order.
//
// Not a class of its own: FirstOption, Audio and Language each derive from it and say where
// the load ends and what confirming the language page does.

#include "lib_src/vm/VMArray.h"
#include "src/game/foundation/ui_Scene.h"
#include "src/game/foundation/ui_SceneManager.h"
#include "src/kv/kv_AnimSet.h"
#include "src/kv/kv_Frame.h"

namespace scene {

class OptionPages : public ui::Scene {
public:
    using IntArray = VMArray<int32_t, 1>;

    static constexpr int32_t kLoading = 0, kLanguagePage = 1, kSoundPage = 2;
    static constexpr int32_t kMenuScene = 1;

    void _VM_mark(uint32_t flags) override {
        Scene::_VM_mark(flags);
        vmMarkField(panelFrame, flags);
        vmMarkField(languageNameIds, flags);
        vmMarkField(manager, flags);
        vmMarkField(backgroundSet, flags);
    }

    void update(int32_t dt) override;
    void load() override;
    void init() override;
    void handleKeys() override;
    void paint(VMPtr<Graphics> g) override;
    void handlePointer() override;
    bool isLoading() override { return state == kLoading; }

    VMPtr<kv::Frame> panelFrame{vmField()};
    VMPtr<IntArray> languageNameIds{vmField()};
    VMPtr<ui::SceneManager> manager{vmField()};
    VMPtr<kv::AnimSet> backgroundSet{vmField()};
    bool soundOn = false;
    int32_t state = kLoading;
    int32_t languageCursor = 0;
    int32_t loadStep = 0;

protected:
    // The page the load ends on.
    virtual int32_t firstPage() = 0;
    // Confirming the language page: the sound page next, or back to the menu.
    virtual void confirmLanguage() = 0;

    void moveLanguage(int32_t step);
    void confirmSound();
    void actOnZone(int32_t zone);
};

}  // namespace scene
