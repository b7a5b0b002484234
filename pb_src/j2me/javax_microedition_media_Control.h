#pragma once

// javax::microedition::media::Control: the common type of the controls a Controllable
// hands out; it has no operations of its own.

#include "lib_src/vm/VMClass.h"

namespace javax::microedition::media {

class Control : public virtual ::java::lang::Object {
    VM_INTERFACE(Control)
};

}  // namespace javax::microedition::media
