#pragma once

// java::util::HashtableEntry: one key-value pair of a Hashtable and the link to the next
// entry of its bucket's chain.

#include "lib_src/vm/VMClass.h"

namespace java::util {

class HashtableEntry : public virtual ::java::lang::Object {
    VM_CLASS(HashtableEntry, ::java::lang::Object)

    // The table fills the fields in.
    VMPtr<HashtableEntry> _VM_init() {
        Object::_VM_init();
        return this;
    }
    void _VM_mark(uint32_t flags) override {
        vmMarkField(key, flags);
        vmMarkField(value, flags);
        vmMarkField(next, flags);
    }

    // The key's hashCode as it returned it.
    int32_t hash = 0;
    VMPtr<Object> key{vmField()};
    VMPtr<Object> value{vmField()};
    VMPtr<HashtableEntry> next{vmField()};
};

}  // namespace java::util
