#include "src/game/foundation/SceneTable.h"

namespace ui {

namespace {

SceneFactory& entry(int32_t id) {
    static SceneFactory table[kSceneIdCount] = {};
    return table[id];
}

}  // namespace

void setSceneFactory(int32_t id, SceneFactory factory) {
    if (id >= 0 && id < kSceneIdCount) entry(id) = factory;
}

SceneFactory sceneFactory(int32_t id) { return id >= 0 && id < kSceneIdCount ? entry(id) : nullptr; }

}  // namespace ui
