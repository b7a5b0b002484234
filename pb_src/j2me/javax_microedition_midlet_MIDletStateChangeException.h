#pragma once

// javax::microedition::midlet::MIDletStateChangeException: a MIDlet refuses a change of its
// lifecycle state.

#include "pb_src/j2me/java_lang_Exception.h"

namespace javax::microedition::midlet {
VM_EXCEPTION_CLASS(MIDletStateChangeException, ::java::lang::Exception)
}
