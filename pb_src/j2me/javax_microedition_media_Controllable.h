#pragma once

// javax::microedition::media::Controllable: an object that hands out controls by type name.

#include "lib_src/vm/VMArray.h"
#include "pb_src/j2me/java_lang_String.h"
#include "pb_src/j2me/javax_microedition_media_Control.h"

namespace javax::microedition::media {

class Controllable : public virtual ::java::lang::Object {
    VM_INTERFACE(Controllable)
    // The control of that type, or null when there is none.
    virtual VMPtr<Control> getControl(VMPtr<::java::lang::String> controlType) = 0;
    virtual VMPtr<VMArray<Control*, 1>> getControls() = 0;
};

}  // namespace javax::microedition::media
