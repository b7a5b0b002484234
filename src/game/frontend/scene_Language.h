#pragma once

// scene::Language (scene 9): from the menu, the language page only; confirming leads back to
// the menu.

#include "src/game/frontend/scene_OptionPages.h"

namespace scene {

class Language : public OptionPages {
    VM_CLASS(Language, ui::Scene)

    VMPtr<Language> _VM_init(VMPtr<ui::SceneManager> owner) {
        Scene::_VM_init();
        manager = owner;
        init();
        return this;
    }

protected:
    int32_t firstPage() override { return kLanguagePage; }
    void confirmLanguage() override { manager->changeScene(kMenuScene); }
};

}  // namespace scene
