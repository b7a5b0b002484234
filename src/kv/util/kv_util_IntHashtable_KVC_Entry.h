#pragma once

// kv::util::IntHashtable_KVC_Entry: one key-value pair of an IntHashtable and the link to the
// next entry of its bucket's chain; clone copies the chain from this entry on.

#include "lib_src/vm/VMClass.h"

namespace kv::util {

class IntHashtable_KVC_Entry : public virtual ::java::lang::Object {
    VM_CLASS(IntHashtable_KVC_Entry, ::java::lang::Object)

    VMPtr<IntHashtable_KVC_Entry> _VM_init() {
        Object::_VM_init();
        return this;
    }
    // A new entry with the same key and value whose next is a copy of this entry's chain.
    virtual VMPtr<IntHashtable_KVC_Entry> clone();
    void _VM_mark(uint32_t flags) override {
        vmMarkField(next, flags);
        vmMarkField(value, flags);
    }

    int32_t key = 0;
    VMPtr<IntHashtable_KVC_Entry> next{vmField()};
    VMPtr<Object> value{vmField()};
};

}  // namespace kv::util
