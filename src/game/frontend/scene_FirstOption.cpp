#include "src/game/frontend/scene_FirstOption.h"

#include "src/game/foundation/SceneTable.h"

namespace scene {

VM_DEFINE_CLASS(FirstOption, "scene.FirstOption", "ui.Scene", VM_NO_CLINIT)

namespace {

const ui::SceneRegistration registration(14, &ui::buildScene<FirstOption>);

}  // namespace

}  // namespace scene
