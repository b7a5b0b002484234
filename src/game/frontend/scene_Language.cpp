#include "src/game/frontend/scene_Language.h"

#include "src/game/foundation/SceneTable.h"

namespace scene {

VM_DEFINE_CLASS(Language, "scene.Language", "ui.Scene", VM_NO_CLINIT)

namespace {

const ui::SceneRegistration registration(9, &ui::buildScene<Language>);

}  // namespace

}  // namespace scene
