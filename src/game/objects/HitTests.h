#pragma once

// The box tests every level shares: scratch box arrays, a player's first type-0 box placed at
// the player's position, and the overlap of two placed boxes.

#include <cstdint>

#include "src/kv/graphics/kv_graphics_CollisionBox.h"
#include "src/kv/kv_AnimPlayer.h"
#include "src/kv/kv_Paintable.h"

namespace InGameObject {

using BoxArray = kv::Paintable::BoxArray;

// A new array of `count` empty boxes.
VMPtr<BoxArray> newBoxes(int32_t count);

// A player's first type-0 box at its position, read into boxes[0] emptied first: a frame
// without one (a dying enemy, an idle thrown effect) leaves it empty, and an empty box
// touches nothing.
kv::graphics::CollisionBox* placedBox(kv::AnimPlayer* player, const VMPtr<BoxArray>& boxes);

bool touches(const kv::graphics::CollisionBox* a, const kv::graphics::CollisionBox* b);

}  // namespace InGameObject
