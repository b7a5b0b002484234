#include "src/game/frontend/scene_Audio.h"

#include "src/game/foundation/SceneTable.h"

namespace scene {

VM_DEFINE_CLASS(Audio, "scene.Audio", "ui.Scene", VM_NO_CLINIT)

namespace {

const ui::SceneRegistration registration(13, &ui::buildScene<Audio>);

}  // namespace

}  // namespace scene
