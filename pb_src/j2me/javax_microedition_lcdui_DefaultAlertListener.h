#pragma once

// javax::microedition::lcdui::DefaultAlertListener: the registered listener class of
// alerts; it has no operations.

#include "lib_src/vm/VMClass.h"

namespace javax::microedition::lcdui {

class DefaultAlertListener : public virtual ::java::lang::Object {
    VM_CLASS(DefaultAlertListener, ::java::lang::Object)
    VMPtr<DefaultAlertListener> _VM_init() = delete;
};

}  // namespace javax::microedition::lcdui
