#pragma once

// javax::microedition::io::PushRegistry: push registration, which the system does not
// support: every request fails and nothing is registered.

#include "pb_src/j2me/java_lang_String.h"

namespace javax::microedition::io {

class PushRegistry : public virtual ::java::lang::Object {
    VM_CLASS(PushRegistry, ::java::lang::Object)

    // Always ConnectionNotFoundException "not supported".
    static int64_t registerAlarm(VMPtr<::java::lang::String> midlet, int64_t time);
};

}  // namespace javax::microedition::io
