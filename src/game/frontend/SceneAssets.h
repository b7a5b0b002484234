#pragma once

// What the front-end scenes share to load their art and read their layout boxes.

#include "src/game/foundation/ui_Scene.h"
#include "src/kv/kv_AnimSet.h"
#include "src/kv/kv_Paintable.h"
#include "src/kv/graphics/kv_graphics_CollisionBox.h"

namespace scene::assets {

// The gob array of the id; an array that cannot be read is a load failure naming the id
// (RuntimeException), never a set that paints nothing.
VMPtr<kv::AnimSet::GobArray> loadGobs(int32_t id);
// The AnimSet of the id, drawing the gob array given or the one of gobsId.
VMPtr<kv::AnimSet> loadSet(int32_t id, VMPtr<kv::AnimSet::GobArray> gobs);
VMPtr<kv::AnimSet> loadSet(int32_t id, int32_t gobsId);
// count new, empty collision boxes.
VMPtr<kv::Paintable::BoxArray> newBoxes(int32_t count);
// The box moved by (dx, dy) as x, y, width, height.
VMPtr<ui::Scene::Box> rectOf(kv::graphics::CollisionBox* box, int32_t dx, int32_t dy);
// The ground of a text page: the screen cleared to black, backdrop frames 0 and 12, and the
// text panel (frame 7 of panelSet) centred at (120, 160). Returns the panel's first two boxes,
// relative to that centre.
VMPtr<kv::Paintable::BoxArray> paintTextPage(const VMPtr<ui::Scene::Graphics>& g, const VMPtr<kv::AnimSet>& backgroundSet,
                                             const VMPtr<kv::AnimSet>& panelSet);

}  // namespace scene::assets
