#pragma once

// javax::microedition::media::TimeBase: a clock in microseconds that a player could follow.

#include <cstdint>

#include "lib_src/vm/VMClass.h"

namespace javax::microedition::media {

class TimeBase : public virtual ::java::lang::Object {
    VM_INTERFACE(TimeBase)
    virtual int64_t getTime() = 0;
};

}  // namespace javax::microedition::media
