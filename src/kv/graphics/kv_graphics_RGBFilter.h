#pragma once

// kv::graphics::RGBFilter: a per-pixel ARGB filter. apply runs it over an array in place,
// last pixel first, leaving the colour key 0x00FF00FF (all 32 bits) untouched.

#include "lib_src/vm/VMArray.h"

namespace kv::graphics {

class RGBFilter : public virtual ::java::lang::Object {
    VM_ABSTRACT_CLASS(RGBFilter, ::java::lang::Object)
    using IntArray = VMArray<int32_t, 1>;

    VMPtr<RGBFilter> _VM_init() {
        Object::_VM_init();
        return this;
    }

    // The new ARGB value of one pixel.
    virtual int32_t filter(int32_t argb) = 0;

    static constexpr int32_t kColourKey = 0x00FF00FF;
    static void apply(VMPtr<RGBFilter> filter, VMPtr<IntArray> argb);
};

}  // namespace kv::graphics
