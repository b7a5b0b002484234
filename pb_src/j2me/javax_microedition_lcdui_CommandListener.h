#pragma once

// javax::microedition::lcdui::CommandListener: receives the command actions of a
// displayable (under the Display's callbackLock).

#include "lib_src/vm/VMClass.h"

namespace javax::microedition::lcdui {

class Command;
class Displayable;

class CommandListener : public virtual ::java::lang::Object {
    VM_INTERFACE(CommandListener)
    virtual void commandAction(VMPtr<Command> c, VMPtr<Displayable> d) = 0;
};

}  // namespace javax::microedition::lcdui
