#pragma once

// scene::Audio (scene 13): from the menu, the sound page only (it opens there and never shows
// the language page); confirming leads back to the menu.

#include "src/game/frontend/scene_OptionPages.h"

namespace scene {

class Audio : public OptionPages {
    VM_CLASS(Audio, ui::Scene)

    VMPtr<Audio> _VM_init(VMPtr<ui::SceneManager> owner) {
        Scene::_VM_init();
        manager = owner;
        init();
        return this;
    }

protected:
    int32_t firstPage() override { return kSoundPage; }
    void confirmLanguage() override { state = kSoundPage; }
};

}  // namespace scene
