#pragma once

// Which scene class each scene id builds. Each scene class enters its id here when the
// program starts (a SceneRegistration in its source file); an id without an entry has no
// scene class yet.

#include <cstdint>

#include "lib_src/vm/VMClass.h"

namespace ui {

class Scene;
class SceneManager;

// Builds a scene with its _VM_new and _VM_init(manager); init runs inside.
using SceneFactory = VMPtr<Scene> (*)(VMPtr<SceneManager> manager);

constexpr int32_t kSceneIdCount = 21;

// Ids outside 0..20 are ignored; a null factory removes the entry.
void setSceneFactory(int32_t id, SceneFactory factory);
SceneFactory sceneFactory(int32_t id);

struct SceneRegistration {
    SceneRegistration(int32_t id, SceneFactory factory) { setSceneFactory(id, factory); }
};

template <typename S> VMPtr<Scene> buildScene(VMPtr<SceneManager> manager) {
    VMPtr<S> scene = S::_VM_new();
    scene->_VM_init(manager);
    return scene;
}

}  // namespace ui
