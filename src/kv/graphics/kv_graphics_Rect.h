#pragma once

// kv::graphics::Rect: a plain rectangle, a collision box of kind 3 with every operation of
// the box unchanged.

#include "src/kv/graphics/kv_graphics_CollisionBox.h"

namespace kv::graphics {

class Rect : public CollisionBox {
    VM_CLASS(Rect, CollisionBox)

    VMPtr<Rect> _VM_init() {
        CollisionBox::_VM_init(3);
        return this;
    }
};

}  // namespace kv::graphics
