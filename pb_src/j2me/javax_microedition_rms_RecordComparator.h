#pragma once

// javax::microedition::rms::RecordComparator: orders the records an enumeration walks.
// compare answers PRECEDES (-1), EQUIVALENT (0) or FOLLOWS (1); any other answer counts as
// neither preceding nor following.

#include <cstdint>

#include "lib_src/vm/VMArray.h"

namespace javax::microedition::rms {

class RecordComparator : public virtual ::java::lang::Object {
    VM_INTERFACE(RecordComparator)
    static constexpr int32_t PRECEDES = -1;
    static constexpr int32_t EQUIVALENT = 0;
    static constexpr int32_t FOLLOWS = 1;

    virtual int32_t compare(VMPtr<VMArray<int8_t, 1>> rec1, VMPtr<VMArray<int8_t, 1>> rec2) = 0;
};

}  // namespace javax::microedition::rms
