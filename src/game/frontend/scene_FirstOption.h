#pragma once

// scene::FirstOption (scene 14): after the logo at every start, the language page and then the
// sound page; confirming the sound page leads to the menu.

#include "src/game/frontend/scene_OptionPages.h"

namespace scene {

class FirstOption : public OptionPages {
    VM_CLASS(FirstOption, ui::Scene)

    VMPtr<FirstOption> _VM_init(VMPtr<ui::SceneManager> owner) {
        Scene::_VM_init();
        manager = owner;
        init();
        return this;
    }

protected:
    int32_t firstPage() override { return kLanguagePage; }
    void confirmLanguage() override { state = kSoundPage; }
};

}  // namespace scene
