#pragma once

// kv::GobSet: a plain holder of a gob array, an animation set, two 16-bit values and an
// 8-bit flag (values stored truncated).

#include "src/kv/kv_AnimSet.h"
#include "src/kv/kv_Gob.h"

namespace kv {

class GobSet : public virtual ::java::lang::Object {
    VM_CLASS(GobSet, ::java::lang::Object)
    using GobArray = VMArray<Gob*, 1>;

    VMPtr<GobSet> _VM_init() {
        Object::_VM_init();
        return this;
    }
    void _VM_mark(uint32_t flags) override {
        vmMarkField(animSet, flags);
        vmMarkField(gobs, flags);
    }

    virtual int32_t getValueA() { return valueA; }
    virtual void setValueA(int32_t value) { valueA = int16_t(value); }
    virtual VMPtr<GobArray> getGobs() { return gobs; }
    virtual int32_t getFlag() { return flag; }
    virtual void setFlag(int32_t value) { flag = int8_t(value); }
    virtual void setValueB(int32_t value) { valueB = int16_t(value); }
    virtual int32_t getValueB() { return valueB; }
    virtual void setGobs(VMPtr<GobArray> images) { gobs = images; }
    virtual void setAnimSet(VMPtr<AnimSet> set) { animSet = set; }
    virtual VMPtr<AnimSet> getAnimSet() { return animSet; }

    int16_t valueA = 0;
    VMPtr<AnimSet> animSet{vmField()};
    int16_t valueB = 0;
    VMPtr<GobArray> gobs{vmField()};
    int8_t flag = 0;
};

}  // namespace kv
