#pragma once

// What the front-end scenes share to load their art and read their layout boxes.

#include "src/game/foundation/ui_Scene.h"
#include "src/game/objects/HitTests.h"
#include "src/game/objects/SetLoading.h"
#include "src/kv/kv_AnimSet.h"
#include "src/kv/kv_Paintable.h"
#include "src/kv/graphics/kv_graphics_CollisionBox.h"

namespace scene::assets {

// Art and boxes are loaded as the levels load them: a gob array that cannot be read is a
// load failure naming its id (RuntimeException), never a set that paints nothing.
using InGameObject::loadAnimSet;
using InGameObject::loadGobs;
using InGameObject::clearedBoxes;
using InGameObject::newBoxes;
// The box moved by (dx, dy) as x, y, width, height.
VMPtr<ui::Scene::Box> rectOf(kv::graphics::CollisionBox* box, int32_t dx, int32_t dy);
// The ground of a text page: the screen cleared to black, backdrop frames 0 and 12, and the
// text panel (frame 7 of panelSet) centred at (120, 160). Returns the panel's first two boxes,
// relative to that centre.
VMPtr<kv::Paintable::BoxArray> paintTextPage(const VMPtr<ui::Scene::Graphics>& g, const VMPtr<kv::AnimSet>& backgroundSet,
                                             const VMPtr<kv::AnimSet>& panelSet);

}  // namespace scene::assets
