#pragma once

// kv::Paintable: the base of everything the framework paints and tests for collisions. This
// first slice holds the strict rectangle overlap test that paintables and gobs share:
// touching edges do not overlap, and an empty rectangle overlaps nothing.

#include "lib_src/vm/VMClass.h"

namespace kv {

class Paintable : public virtual ::java::lang::Object {
    VM_ABSTRACT_CLASS(Paintable, ::java::lang::Object)

    VMPtr<Paintable> _VM_init() {
        Object::_VM_init();
        return this;
    }

    // False when either rectangle has a width or height below 1; otherwise whether they
    // share an inner point. Computed in 64 bits, so edges near the int range do not wrap.
    static bool overlaps(int32_t x1, int32_t y1, int32_t w1, int32_t h1, int32_t x2, int32_t y2, int32_t w2, int32_t h2);
};

}  // namespace kv
