#pragma once

// javax::microedition::rms::RecordFilter: chooses the records an enumeration walks.

#include <cstdint>

#include "lib_src/vm/VMArray.h"

namespace javax::microedition::rms {

class RecordFilter : public virtual ::java::lang::Object {
    VM_INTERFACE(RecordFilter)
    virtual bool matches(VMPtr<VMArray<int8_t, 1>> candidate) = 0;
};

}  // namespace javax::microedition::rms
