#pragma once

// The box tests every level shares: scratch box arrays, a player's first type-0 box placed at
// the player's position, and the overlap of two placed boxes. Scenes keep the box arrays they
// fill on every frame in a table of places (one place per array held at once, named below),
// so steady play makes no box.

#include <cstdint>

#include "src/kv/graphics/kv_graphics_CollisionBox.h"
#include "src/kv/kv_AnimPlayer.h"
#include "src/kv/kv_Paintable.h"

namespace InGameObject {

using BoxArray = kv::Paintable::BoxArray;
using BoxTable = VMArray<kv::graphics::CollisionBox*, 2>;

// A new array of `count` empty boxes.
VMPtr<BoxArray> newBoxes(int32_t count);

// Places in a scene's box table, one for each array a frame fills while it may hold another.
enum BoxPlace : int32_t {
    kShotBoxes,
    kTargetBoxes,
    kThirdBoxes,
    kFallingGlassBoxes,
    kRestingGlassBoxes,
    kGlassHitBoxes,
    kMarkerBoxes,
    kHealthWindowBoxes,
    kPowerPlaceBoxes,
    kWeaponBarBoxes,
    kPanelBoxes,
    kPanelLineBoxes,
    kHudBoxes,
    kHudGaugeBoxes,
    kHudIconBoxes,
    kWorldBoxes,
    kLauncherBoxes,
    kWeakPointBoxes,
    kHeroBoxes,
    kButtonBoxes,
    kHeadBoxes,
    kLineBoxes,
    kPlaceBoxes,
    kLabelBoxes,
    kArrowBoxes,
    kNumberBoxes,
    kCentreBoxes,
    kZoneBoxes,
    kSpawnBoxes,
    kBoxPlaceCount
};

// The array of `count` boxes at `place` in `table` (the table and the array made on first
// use, or anew when the count differs), every box set back to a new box's state first:
// zero bounds, type and colour, a rectangle, unfilled. A fill into it therefore reads
// exactly as a fill into newBoxes(count), and what an earlier fill wrote never shows.
VMPtr<BoxArray> clearedBoxes(VMPtr<BoxTable>& table, int32_t place, int32_t count);

// A player's first type-0 box at its position, read into boxes[0] emptied first: a frame
// without one (a dying enemy, an idle thrown effect) leaves it empty, and an empty box
// touches nothing.
kv::graphics::CollisionBox* placedBox(kv::AnimPlayer* player, const VMPtr<BoxArray>& boxes);

bool touches(const kv::graphics::CollisionBox* a, const kv::graphics::CollisionBox* b);

}  // namespace InGameObject
